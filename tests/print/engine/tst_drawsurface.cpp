#include "print/engine/colorcodes.h"
#include "print/engine/drawsurface.h"
#include "print/engine/fontsubstitutions.h"
#include "print/engine/pagelayout.h"
#include "print/engine/previewtarget.h"
#include "print/engine/printertarget.h"
#include "print/engine/recordingtarget.h"

#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using Kind = RecordingTarget::Item::Kind;
using ColorCodes::rgb;

class TestDrawSurface : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { installFontSubstitutions(); }
    void fixedColorCodes_data();
    void fixedColorCodes();
    void colorCyclesAdvanceAndWrap_data();
    void colorCyclesAdvanceAndWrap();
    void printTextMovesTheCursor_data();
    void printTextMovesTheCursor();
    void measureFallsBackToThePicture();
    void unknownFontLeavesThePictureInGothic();
    void previewPictureRefusesAMissingFamily();
    void printableWidthIsThePapers_data();
    void printableWidthIsThePapers();
    void sizeSurvivesAFontThatCannotBeSelected_data();
    void sizeSurvivesAFontThatCannotBeSelected();
    void beginSheetEjectsOnlyAUsedPage_data();
    void beginSheetEjectsOnlyAUsedPage();
    void previewShownOnlyWhenTextWasPrinted_data();
    void previewShownOnlyWhenTextWasPrinted();
    void documentPerSheetOrPerRun_data();
    void documentPerSheetOrPerRun();
    void blitPictureConvertsPixelsToMillimetres();
    void pdfSheetsAreNotOverwritten();
};

void TestDrawSurface::fixedColorCodes_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("expected");
    QTest::newRow("0 black") << 0 << rgb(0, 0, 0);
    QTest::newRow("4 red") << 4 << rgb(255, 0, 0);
    QTest::newRow("7 grey") << 7 << rgb(140, 140, 140);
    QTest::newRow("11 pink") << 11 << rgb(255, 191, 213);
    QTest::newRow("18") << 18 << rgb(52, 139, 52);
    QTest::newRow("-1 first rainbow") << -1 << rgb(240, 80, 80);
    QTest::newRow("-6 last rainbow") << -6 << rgb(167, 80, 254);
    QTest::newRow("RGB passes") << 0x00EEEEEE << 0x00EEEEEE;
    QTest::newRow("-7 is a value") << -7 << -7;
    QTest::newRow("21 is a value") << 21 << 21;
}

void TestDrawSurface::fixedColorCodes()
{
    QFETCH(int, code);
    QFETCH(int, expected);
    ColorCodes::Cycles cycles;
    QCOMPARE(ColorCodes::mapColorCode(code, cycles), expected);
    // Fixed codes never move the cycles.
    QCOMPARE(cycles.rainbow, int16_t(0));
    QCOMPARE(cycles.pastel, int16_t(0));
}

void TestDrawSurface::colorCyclesAdvanceAndWrap_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QList<int>>("sequence");
    QTest::newRow("rainbow") << 19
                             << QList<int>{rgb(240, 80, 80),  rgb(255, 255, 0), rgb(80, 240, 80),
                                           rgb(80, 230, 230), rgb(80, 80, 240), rgb(167, 80, 254),
                                           rgb(240, 80, 80)};
    QTest::newRow("pastel") << 20 << QList<int>{rgb(255, 204, 153), rgb(255, 255, 102),
                                                rgb(204, 255, 153), rgb(153, 255, 153),
                                                rgb(153, 255, 255), rgb(153, 204, 255),
                                                rgb(204, 204, 255), rgb(204, 153, 255),
                                                rgb(255, 153, 255), rgb(255, 204, 153)};
}

void TestDrawSurface::colorCyclesAdvanceAndWrap()
{
    QFETCH(int, code);
    QFETCH(QList<int>, sequence);
    RecordingTarget rec;
    DrawSurface s(&rec, &rec);
    for (int expected : sequence)
        QCOMPARE(s.mapColorCode(code), expected);
}

void TestDrawSurface::printTextMovesTheCursor_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("asLine");
    QTest::addColumn<QStringList>("drawn");
    QTest::addColumn<double>("endX");
    QTest::addColumn<double>("endY");
    const double em = RecordingTarget::emMm(10);
    QTest::newRow("half-width") << u"ab"_s << false << QStringList{u"ab"_s} << 10 + em << 20.0;
    QTest::newRow("full-width") << u"料理"_s << false << QStringList{u"料理"_s} << 10 + 2 * em
                                << 20.0;
    QTest::newRow("CR LF inside") << u"ab\r\ncd"_s << false << QStringList{u"ab"_s, u"cd"_s} << em
                                  << 20 + em;
    QTest::newRow("print line") << u"ab"_s << true << QStringList{u"ab"_s} << 0.0 << 20 + em;
    QTest::newRow("empty line") << QString() << true << QStringList{} << 0.0 << 20 + em;
}

void TestDrawSurface::printTextMovesTheCursor()
{
    QFETCH(QString, text);
    QFETCH(bool, asLine);
    QFETCH(QStringList, drawn);
    QFETCH(double, endX);
    QFETCH(double, endY);
    RecordingTarget rec;
    DrawSurface s(&rec, &rec);
    s.setFontSize(10);
    s.setForeColor(4);
    s.setCurrentX(10);
    s.setCurrentY(20);
    asLine ? s.printLine(text) : s.printText(text);
    const auto texts = rec.ofKind(Kind::Text);
    QCOMPARE(texts.size(), drawn.size());
    for (qsizetype i = 0; i < texts.size(); ++i) {
        QCOMPARE(texts[i].text, drawn[i]);
        QCOMPARE(texts[i].color, rgb(255, 0, 0));
        QCOMPARE(texts[i].font.size, 10.0);
    }
    if (!texts.isEmpty())
        QCOMPARE(texts[0].at, QPointF(10, 20));
    QVERIFY(qFuzzyCompare(s.getCurrentX() + 1, endX + 1));
    QVERIFY(qFuzzyCompare(s.getCurrentY(), endY));
    QCOMPARE(s.pagePrinted, int16_t(1));
}

void TestDrawSurface::measureFallsBackToThePicture()
{
    RecordingTarget printer;
    RecordingTarget picture;
    printer.canMeasure = false;
    DrawSurface s(&printer, &picture);
    s.setFontSize(10);
    QCOMPARE(s.measureTextWidth(u"ab"_s), RecordingTarget::emMm(10));
    QCOMPARE(s.measureTextWidth(QString()), 0.0);
    picture.canMeasure = false;
    QCOMPARE(s.measureTextWidth(u"ab"_s), 0.0);
}

void TestDrawSurface::unknownFontLeavesThePictureInGothic()
{
    RecordingTarget printer;
    RecordingTarget picture;
    printer.missingFonts.insert(u"NoSuchFont"_s);
    picture.missingFonts.insert(u"NoSuchFont"_s);
    DrawSurface s(&printer, &picture);
    s.setFontName(u"ＭＳ 明朝"_s);
    s.setFontName(u"NoSuchFont"_s);
    QCOMPARE(printer.font().name, u"ＭＳ 明朝"_s); // the printer keeps what it had
    QCOMPARE(picture.font().name, u"ＭＳ ゴシック"_s);
}

void TestDrawSurface::previewPictureRefusesAMissingFamily()
{
    PreviewTarget picture(420);
    QVERIFY(picture.selectFont({u"ＭＳ 明朝"_s, 9}));
    QVERIFY(!picture.selectFont({u"QvNoSuchFamily"_s, 11}));
    // The name stays, the size is taken.
    QCOMPARE(picture.font(), (FontSpec{u"ＭＳ 明朝"_s, 11}));
    // One em of a 12-point font is about 4.2 mm on the picture too.
    picture.selectFont({u"ＭＳ ゴシック"_s, 12});
    QVERIFY(qAbs(*picture.textWidth(u"料"_s) - RecordingTarget::emMm(12)) < 0.3);
}

void TestDrawSurface::printableWidthIsThePapers_data()
{
    QTest::addColumn<int>("previewMode");
    QTest::newRow("printer") << 0;
    QTest::newRow("preview") << 1;
}

void TestDrawSurface::printableWidthIsThePapers()
{
    // The preview places the pages of a sheet where the printer will.
    QFETCH(int, previewMode);
    RecordingTarget printer(204);
    RecordingTarget picture(210);
    DrawSurface s(&printer, &picture);
    s.previewMode = int16_t(previewMode);
    PageLayout layout;
    layout.YOUSI_PLUS = 1;
    QCOMPARE(s.getPrintableWidth(layout), 204.5);
}

void TestDrawSurface::sizeSurvivesAFontThatCannotBeSelected_data()
{
    QTest::addColumn<int>("previewMode");
    QTest::newRow("printer") << 0;
    QTest::newRow("preview") << 1;
}

void TestDrawSurface::sizeSurvivesAFontThatCannotBeSelected()
{
    QFETCH(int, previewMode);
    // Neither the name asked for nor the fallback is installed.
    RecordingTarget printer;
    RecordingTarget picture;
    for (RecordingTarget *t : {&printer, &picture})
        t->missingFonts = {u"ＭＳ ゴシック"_s, u"NoSuchFont"_s};
    DrawSurface s(&printer, &picture);
    s.previewMode = int16_t(previewMode);
    s.setFontName(u"NoSuchFont"_s);
    s.setFontSize(14);
    QCOMPARE(s.target()->font().size, 14.0);
    QCOMPARE(s.measureTextWidth(u"ab"_s), RecordingTarget::emMm(14));
    QCOMPARE(s.lineHeight(), RecordingTarget::emMm(14));
}

void TestDrawSurface::beginSheetEjectsOnlyAUsedPage_data()
{
    QTest::addColumn<bool>("printSomething");
    QTest::addColumn<bool>("drawSomething");
    QTest::addColumn<int>("newPages");
    QTest::newRow("fresh page") << false << false << 0;
    QTest::newRow("text moved the cursor") << true << false << 1;
    QTest::newRow("only a line") << false << true << 1;
}

void TestDrawSurface::beginSheetEjectsOnlyAUsedPage()
{
    QFETCH(bool, printSomething);
    QFETCH(bool, drawSomething);
    QFETCH(int, newPages);
    RecordingTarget printer;
    RecordingTarget picture;
    DrawSurface s(&printer, &picture);
    s.docPerSheet = 0;
    s.beginSheet();
    if (printSomething)
        s.printText(u"x"_s);
    if (drawSomething)
        s.drawLineRgb(0, 0, 10, 10, 0);
    s.finishSheet();
    s.beginSheet();
    QCOMPARE(printer.ofKind(Kind::NewPage).size(), newPages);
    QCOMPARE(s.previewGuide, int16_t(1));
    QCOMPARE(s.pagePrinted, int16_t(0));
}

void TestDrawSurface::previewShownOnlyWhenTextWasPrinted_data()
{
    QTest::addColumn<bool>("printSomething");
    QTest::addColumn<int>("shown");
    QTest::newRow("text") << true << 1;
    QTest::newRow("nothing") << false << 0;
}

void TestDrawSurface::previewShownOnlyWhenTextWasPrinted()
{
    QFETCH(bool, printSomething);
    QFETCH(int, shown);
    RecordingTarget printer;
    RecordingTarget picture;
    DrawSurface s(&printer, &picture);
    int shows = 0;
    s.hooks.showPreview = [&] { ++shows; };
    s.previewMode = 1;
    s.beginSheet();
    if (printSomething)
        s.printText(u"x"_s);
    s.finishSheet();
    QCOMPARE(shows, shown);
    QCOMPARE(picture.ofKind(Kind::Clear).size(), 1);
    QVERIFY(printer.items.isEmpty());
}

void TestDrawSurface::documentPerSheetOrPerRun_data()
{
    QTest::addColumn<int>("docPerSheet");
    QTest::addColumn<int>("documents");
    QTest::addColumn<int>("newPages");
    QTest::newRow("per sheet") << 1 << 3 << 0;
    QTest::newRow("one run") << 0 << 1 << 2;
}

void TestDrawSurface::documentPerSheetOrPerRun()
{
    QFETCH(int, docPerSheet);
    QFETCH(int, documents);
    QFETCH(int, newPages);
    RecordingTarget printer;
    RecordingTarget picture;
    DrawSurface s(&printer, &picture);
    s.docPerSheet = int16_t(docPerSheet);
    for (int sheet = 0; sheet < 3; ++sheet) {
        s.beginSheet();
        s.setCurrentX(5);
        s.printText(u"page"_s);
        s.finishSheet();
    }
    s.finishPrintJob();
    QCOMPARE(printer.documentsOpened, documents);
    QCOMPARE(printer.ofKind(Kind::EndDocument).size(), documents);
    QCOMPARE(printer.ofKind(Kind::NewPage).size(), newPages);
}

void TestDrawSurface::blitPictureConvertsPixelsToMillimetres()
{
    RecordingTarget rec(200.5, 1440.0 / 600);
    DrawSurface s(&rec, &rec);
    const double pxPerMm = 56.7 / s.getTwipsPerPixelX();
    QImage picture(40, 20, QImage::Format_RGB32);
    s.blitPicture(picture, 8 * pxPerMm, 116 * pxPerMm, 80 * pxPerMm, 40 * pxPerMm, 0, 0, 40, 20);
    const auto pictures = rec.ofKind(Kind::Picture);
    QCOMPARE(pictures.size(), 1);
    QVERIFY(qAbs(pictures[0].rect.x() - 8) < 1e-9);
    QVERIFY(qAbs(pictures[0].rect.y() - 116) < 1e-9);
    QVERIFY(qAbs(pictures[0].rect.width() - 80) < 1e-9);
    QVERIFY(qAbs(pictures[0].rect.height() - 40) < 1e-9);
    QCOMPARE(pictures[0].source, QRect(0, 0, 40, 20));
    QCOMPARE(s.scaleMode(), int16_t(6));
}

void TestDrawSurface::pdfSheetsAreNotOverwritten()
{
    QTemporaryDir dir;
    auto printer = PrinterTarget::makePdfPrinter(dir.filePath(u"run.pdf"_s));
    PrinterTarget pdf(printer.get());
    PreviewTarget picture(210);
    DrawSurface s(&pdf, &picture);
    // The page less the border the layout takes as unprintable.
    QCOMPARE(pdf.scaleWidth(), 204.0);
    for (int sheet = 0; sheet < 2; ++sheet) {
        s.beginSheet();
        QVERIFY(!pdf.failed());
        s.setCurrentY(10);
        s.printText(u"シート"_s);
        s.finishSheet();
    }
    s.finishPrintJob();
    QVERIFY(QFileInfo(dir.filePath(u"run.pdf"_s)).size() > 0);
    QVERIFY(QFileInfo(dir.filePath(u"run-2.pdf"_s)).size() > 0);
}

QTEST_MAIN(TestDrawSurface)
#include "tst_drawsurface.moc"
