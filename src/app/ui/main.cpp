#include "analysis/analysecommand.h"
#include "app/appstate.h"
#include "app/ui/listwindowhooks.h"
#include "app/ui/mainwindow.h"
#include "app/ui/translations.h"
#include "editor/ui/recipelistwindow.h"
#include "platform/clock.h"
#include "platform/programfolder.h"
#include "platform/widgets/printersetup.h"
#include "print/engine/fontsubstitutions.h"
#include "print/printcommand.h"
#include "print/recipepagecomposer.h"
#include "print/ui/printrunner.h"
#include "search/ui/authorlistwindow.h"

#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStringList>
#include <QTextStream>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    // "--analyse FILE" prints the analysis of a text file and opens no window.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    if (AnalyseCommand::isRequested(args)) {
        QTextStream out(stdout);
        QTextStream err(stderr);
        return runAnalyseCommand(args, out, err);
    }

    // The page composer every print run draws with.
    const PageComposerFactory composer = [](DrawSurface &surface, const PageLayout &layout,
                                            PageComposer::SheetPrompt prompt) {
        return std::make_unique<RecipePageComposer>(surface, layout, std::move(prompt));
    };

    // "--print-pdf OUT.pdf ..." and "--print PRINTER ..." print without windows.
    if (PrintCommand::isRequested(args)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        installFontSubstitutions();
        PrintCommand::Context context;
        context.programDir = ProgramFolder::path();
        context.programName = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
        context.settingsPath = context.programDir + context.programName + u".ini"_s;
        QTextStream out(stdout);
        QTextStream err(stderr);
        return PrintCommand::run(args, context, composer, out, err);
    }

    QApplication app(argc, argv);
    PrintRunner::setComposerFactory(composer);
    QApplication::setApplicationName(QStringLiteral("QVRECIPE"));
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
    MainWindow window(state);
    const QString commandLine = QApplication::arguments().mid(1).join(u' ');
    if (!window.start(commandLine))
        return window.exitCode();
    return app.exec();
}
