#include "print/printcommand.h"

#include "app/settingsfile.h"
#include "editor/recipelistfilter.h"
#include "platform/programfolder.h"
#include "platform/prompts.h"
#include "platform/textfile.h"
#include "print/engine/drawsurface.h"
#include "print/engine/pagelayout.h"
#include "print/engine/paperformat.h"
#include "print/engine/previewtarget.h"
#include "print/engine/printertarget.h"
#include "print/nextsheetprompt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

namespace PrintCommand {

namespace {

// Messages of the run go to standard error; nothing is ever asked.
class StderrPrompts : public Prompts
{
public:
    explicit StderrPrompts(QTextStream &err) : m_err(err) {}
    Answer message(const QString &text, Icon, Buttons, Answer defaultAnswer,
                   const QString &) override
    {
        m_err << QString(text).replace(u"\r\n"_s, u"\n"_s) << Qt::endl;
        return defaultAnswer;
    }
    std::optional<QString> input(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }

private:
    QTextStream &m_err;
};

// The sheet a PDF is printed on: what the paper's notices ask the printer for.
void setPdfSheet(QPrinter &printer, int paper)
{
    QPageSize size(QPageSize::A4);
    auto orientation = QPageLayout::Portrait;
    switch (paper) {
    case 6: // A5 refills, two on A4 landscape
    case PaperFormat::chyoA4:
    case PaperFormat::chyoA7:
        orientation = QPageLayout::Landscape;
        break;
    case 8: // B5
        size = QPageSize(QPageSize::JisB5);
        break;
    case 9: // B6 refills, two on B5 landscape
        size = QPageSize(QPageSize::JisB5);
        orientation = QPageLayout::Landscape;
        break;
    case 11:
        size = QPageSize(QPageSize::A3);
        break;
    case 12:
        size = QPageSize(QPageSize::Letter);
        break;
    default:
        break;
    }
    printer.setPageSize(size);
    printer.setPageOrientation(orientation);
}

// Data rows of a recipe file (the lines after the header that are no metadata).
qsizetype countRows(const QList<QByteArray> &lines)
{
    qsizetype rows = 0;
    for (const QByteArray &line : lines) {
        if (!line.startsWith('@'))
            ++rows;
    }
    return std::max<qsizetype>(0, rows - 1);
}

} // namespace

int run(const PrintOptions &o, const Context &context, const PageComposerFactory &composer,
        QTextStream &out, QTextStream &err)
{
    if (!composer) {
        err << u"印刷の部品が組み込まれていません。"_s << Qt::endl;
        return 1;
    }

    // The settings in force; without a settings file, the first-run defaults.
    std::unique_ptr<SettingsFile> settings;
    QTemporaryDir defaultsDir;
    if (QFileInfo::exists(context.settingsPath)) {
        if (QFile probe(context.settingsPath); !probe.open(QIODevice::ReadOnly)) {
            err << u"設定ファイル「%1」を読めません: %2"_s.arg(
                       QDir::toNativeSeparators(context.settingsPath), probe.errorString())
                << Qt::endl;
            return 1;
        }
        settings = std::make_unique<SettingsFile>(context.settingsPath, context.programName);
    } else {
        settings = std::make_unique<SettingsFile>(defaultsDir.filePath(u"defaults.ini"_s),
                                                  context.programName);
        LayoutSettings::writeLayoutDefaults(*settings, o.paper.value_or(0));
    }
    const int paper = o.paper.value_or(LayoutSettings::toInt16(
        LayoutSettings::parseNumber(settings->readSetting(QString(), u"YOUSI"_s))));
    if (!PaperFormat::byNumber(paper)) {
        err << u"設定ファイルの用紙番号 %1 は使えません。--paper で指定してください。"_s.arg(paper)
            << Qt::endl;
        return 1;
    }
    PageLayout layout;
    LayoutSettings::loadPageLayout(*settings, paper, layout);
    const bool fourUp = layout.fourUpSheet == 1;
    const int arrangement = o.arrangement.value_or(fourUp ? int(SheetArrangement::FourUp)
                                                          : int(SheetArrangement::Front));
    if (!o.alignment && !PrintJob::hasLoop(fourUp, arrangement)) {
        err << PrintJob::unsupportedMessage << Qt::endl;
        return 1;
    }

    QString recipeFile;
    if (!o.recipeFile.isEmpty()) {
        recipeFile = QFileInfo(o.recipeFile).absoluteFilePath();
    } else {
        QString stored = settings->readSetting(u"QVRECIPE"_s, u"FILE"_s);
        if (stored.isEmpty())
            stored = u"QVRECIPE.csv"_s;
        recipeFile = ProgramFolder::resolve(stored);
    }
    const TextFile::ReadResult content =
        o.alignment ? TextFile::ReadResult{} : TextFile::readLines(recipeFile);
    if (content.error != TextFile::Error::None) {
        err << u"レシピファイル「%1」を読めません: %2"_s.arg(QDir::toNativeSeparators(recipeFile),
                                                             content.errorText)
            << Qt::endl;
        return 1;
    }
    if (!o.alignment && o.from && *o.from > countRows(content.lines)) {
        err << u"レシピファイル「%1」には %2 件しかありません。"_s
                   .arg(QDir::toNativeSeparators(recipeFile))
                   .arg(countRows(content.lines))
            << Qt::endl;
        return 1;
    }

    // A PDF is written aside and put in place only when the run succeeded.
    QTemporaryDir work;
    std::unique_ptr<QPrinter> printer;
    QString pdfPath;
    if (o.pdf) {
        if (!work.isValid()) {
            err << u"作業用フォルダーを作れません: %1"_s.arg(work.errorString()) << Qt::endl;
            return 1;
        }
        pdfPath = work.filePath(u"run.pdf"_s);
        printer = PrinterTarget::makePdfPrinter(pdfPath);
        setPdfSheet(*printer, paper);
    } else {
        const QPrinterInfo info = QPrinterInfo::printerInfo(o.target);
        if (info.isNull()) {
            err << u"プリンター「%1」が見つかりません。"_s.arg(o.target) << Qt::endl;
            return 1;
        }
        printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        printer->setDocName(QFileInfo(recipeFile).completeBaseName());
    }

    PrinterTarget printerTarget(printer.get(), layout.YOHAKU);
    PreviewTarget previewTarget;
    DrawSurface surface(&printerTarget, &previewTarget);
    surface.hooks = {};
    surface.previewMode = 0;
    surface.docPerSheet = 0;
    StderrPrompts prompts(err);
    NextSheetPrompt prompt(prompts, false);
    const std::unique_ptr<PageComposer> pages = composer(surface, layout, std::ref(prompt));
    PrintJob job(surface, layout, *pages, prompt, prompts);
    PrintJobInput input;
    input.layoutType = o.layout;
    input.arrangement = arrangement;
    input.fourUpPaper = fourUp;
    input.paperNumber = paper;
    input.startRecord = o.from ? *o.from + 1 : -1;
    // Every row is printed, as in the list's view "全て".
    input.categoryLabel = RecipeListFilter::allView;
    input.recipeFile = recipeFile;
    input.programFolder = context.programDir;
    input.showPrintConfirm = false;
    input.outputName = o.target;
    const PrintRunResult result = o.alignment ? job.runAlignmentSheet(input) : job.run(input);
    if (!result.error.isEmpty() || printer->printerState() == QPrinter::Error)
        return 1;

    if (o.pdf) {
        QFile written(pdfPath);
        if (!written.open(QIODevice::ReadOnly)) {
            err << u"PDFを書けませんでした: %1"_s.arg(written.errorString()) << Qt::endl;
            return 1;
        }
        const QByteArray bytes = written.readAll();
        TextFile::WriteResult saved;
        saved.errorText = written.errorString();
        if (written.error() == QFileDevice::NoError)
            saved = TextFile::writeAtomically(o.target, bytes);
        const QString problem = saved.errorText;
        if (saved.status == TextFile::WriteResult::SavedButDiskError) {
            err << u"「%1」に書きましたが、ディスクがエラーを報告しました: %2"_s.arg(
                       QDir::toNativeSeparators(o.target), problem)
                << Qt::endl;
        } else if (!saved.saved()) {
            err << u"「%1」に書けませんでした: %2"_s.arg(QDir::toNativeSeparators(o.target),
                                                         problem)
                << Qt::endl;
            return 1;
        }
    }
    out << u"%1 面を %2 に出力しました。"_s.arg(result.sheets)
               .arg(o.pdf ? QDir::toNativeSeparators(o.target) : o.target)
        << Qt::endl;
    return 0;
}

} // namespace PrintCommand
