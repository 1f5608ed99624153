#include "analysis/analysecommand.h"
#include "app/appstate.h"
#include "app/commandline.h"
#include "app/ui/listwindowhooks.h"
#include "app/ui/mainwindow.h"
#include "app/ui/translations.h"
#include "editor/ui/recipelistwindow.h"
#include "platform/clock.h"
#include "platform/programfolder.h"
#include "platform/widgets/printersetup.h"
#include "print/engine/fontsubstitutions.h"
#include "print/printcommand.h"
#include "print/printoptionsmodel.h"
#include "print/recipepagecomposer.h"
#include "print/ui/printoptionswindow.h"
#include "print/ui/printrunner.h"
#include "search/ui/authorlistwindow.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QIcon>
#include <QStringList>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

// "--print-pdf OUT.pdf ..." and "--print PRINTER ...": no window, nothing asked.
int runPrintCommand(int &argc, char **argv, const PrintOptions &options,
                    const PageComposerFactory &composer, QTextStream &out, QTextStream &err)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    installFontSubstitutions();
    PrintCommand::Context context;
    context.programDir = ProgramFolder::path();
    context.programName = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    context.settingsPath = context.programDir + context.programName + u".ini"_s;
    return PrintCommand::run(options, context, composer, out, err);
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    const QString program =
        argc > 0 ? QFileInfo(QString::fromLocal8Bit(argv[0])).fileName() : u"QVRECIPE"_s;

    // The page composer every print run draws with.
    const PageComposerFactory composer = [](DrawSurface &surface, const PageLayout &layout,
                                            PageComposer::SheetPrompt prompt) {
        return std::make_unique<RecipePageComposer>(surface, layout, std::move(prompt));
    };

    // Answered before any window system is needed.
    QTextStream out(stdout);
    QTextStream err(stderr);
    switch (const CommandLine::Request request = CommandLine::parse(args); request.action) {
    case CommandLine::Action::Help:
        out << CommandLine::helpText(program);
        return 0;
    case CommandLine::Action::Version:
        out << CommandLine::versionText();
        return 0;
    case CommandLine::Action::Wrong:
        err << program << u": "_s << request.problem << u'\n' << CommandLine::usageText(program);
        return CommandLine::wrongUsageStatus;
    case CommandLine::Action::Analyse:
        return runAnalyseCommand(request.analyseFile, out, err);
    case CommandLine::Action::Print:
        return runPrintCommand(argc, argv, request.print, composer, out, err);
    case CommandLine::Action::OpenWindow:
        break;
    }

    QApplication app(argc, argv);
    PrintRunner::setComposerFactory(composer);
    QApplication::setApplicationName(QStringLiteral("QVRECIPE"));
    // Ties the windows to the menu entry (Wayland's application id).
    QGuiApplication::setDesktopFileName(u"qvrecipe"_s);
    QIcon icon;
    icon.addFile(u":/qvrecipe-48.png"_s);
    icon.addFile(u":/qvrecipe-256.png"_s);
    QApplication::setWindowIcon(icon);
    installFontSubstitutions();
    installJapaneseTranslations();
    MainWindow::setAuthorListOpener(
        [](MainWindow &frame) { openAuthorList(frame.state(), &frame); });

    Clock clock;
    AppState state;
    state.clock = &clock;
    MainWindow::setListWindowFactory([](MainWindow &frame) -> QWidget * {
        return new RecipeListWindow(frame.state(), frame.prompts(), *frame.state().clock,
                                    makeListWindowHooks());
    });
    // The printer chosen here is the default of the following print runs.
    MainWindow::setPrinterSetupRunner([](MainWindow &frame) { printerSetupDialog(&frame); });
    // "用紙サイズ設定": the options window on the live layout, modal.
    MainWindow::setOptionsDialogRunner([](MainWindow &frame) {
        AppState &s = frame.state();
        if (!s.settings)
            return;
        InstalledFontCheck fonts;
        PrintOptionsModel model({*s.settings, s.layout, s.paperType, s.imeKanaMode},
                                frame.prompts(), fonts);
        const auto alignment = [&frame](QWidget *window, int paper, const PageLayout &layout) {
            PrintRunner::Services services;
            services.prompts = &frame.prompts();
            PrintRunner::runAlignmentSheet(window, frame.state(), services, paper, layout);
        };
        PrintOptionsWindow window(model, QFontDatabase::families(), alignment, &frame);
        window.exec();
    });
    MainWindow window(state);
    const QString commandLine = QApplication::arguments().mid(1).join(u' ');
    if (!window.start(commandLine))
        return window.exitCode();
    return app.exec();
}
