// Draws one sample sheet through every target: a PDF file, the preview
// picture as PNG, and a listing of the recorded primitives. For looking at
// the output with one's own eyes; the tests check the geometry.
//
//   qv_sheetdemo OUTPUT_FOLDER

#include "print/engine/colorcodes.h"
#include "print/engine/drawsurface.h"
#include "print/engine/fontsubstitutions.h"
#include "print/engine/framedecoration.h"
#include "print/engine/pagelayout.h"
#include "print/engine/pagepicture.h"
#include "print/engine/previewtarget.h"
#include "print/engine/printertarget.h"
#include "print/engine/recordingtarget.h"
#include "print/engine/sheetmarks.h"
#include "print/engine/textlayout.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

PageLayout sampleLayout()
{
    PageLayout l;
    l.YOHAKU = 3;
    l.KAZARI = 3;
    l.ANAAKE = 1;
    l.HAKUSI = 1;
    l.TENSEN = 0;
    l.AMIKAKE_COLOR = 0xEEEEEE;
    l.KIRITORI_COLOR = 0x666666;
    l.HEAD_LINE_COLOR = 15;
    l.HEAD_COLOR = 0;
    l.DEFAULT_COLOR = 4;
    l.DATA_COLOR = 1;
    l.LEFT = 8;
    l.WIDTH = 88;
    l.HEAD_HEIGHT = 4;
    l.DATA_HEIGHT = 12;
    l.FOOT_HEIGHT = 156;
    l.footHeightSaved = 156;
    l.usableHeight = 167;
    l.HEAD_FONTNAME = u"ＭＳ ゴシック"_s;
    l.DEFAULT_FONTNAME = u"ＭＳ ゴシック"_s;
    l.DATA_FONTNAME = u"ＭＳ 明朝"_s;
    l.HEAD_FONTSIZE = 12;
    l.DEFAULT_FONTSIZE = 9;
    l.DATA_FONTSIZE = 9;
    return l;
}

const QString method = u"【作り方】\\n@##鍋に湯を沸かし、塩をひとつまみ入れて大根を下ゆでする。"
                       u"\\n@##鶏肉は一口大に切り、酒と醤油で下味をつける。"
                       u"\\n@##全部を合わせて弱火で二十分煮る。\\n[メモ] 冷めても美味しい。"_s;

void drawSheet(DrawSurface &s, const PageLayout &base)
{
    s.beginSheet();
    const double p = s.getPrintableWidth(base);

    // Left page: framed title, picture, numbered method, footer.
    PageLayout left = base;
    const double l0 = left.LEFT;
    const double r0 = left.WIDTH;
    PagePicture::drawPageBackground(s, left, l0, r0);
    Decoration::drawTitleBand(s, left, u"鶏肉と大根の煮物"_s, l0, r0);
    s.setFontName(left.DATA_FONTNAME);
    s.setFontSize(left.DATA_FONTSIZE);
    s.setCurrentX(l0 + 1);
    s.setCurrentY(left.DATA_HEIGHT + 2);
    const QString rest = TextLayout::layoutTextBox(s, left, method, r0 - 1, 60);
    s.printLine(QString()); // numbered steps leave the cursor on their last line
    s.setCurrentX(l0 + 1);
    s.setCurrentY(s.getCurrentY() + 2);
    s.setForeColor(0);
    TextLayout::printWrapped(s,
                             u"材料: \x04鶏もも肉\x07 300g、大根 1/3本、しょうが 1片\\n"
                             u"調味料: 醤油、みりん、酒"_s,
                             r0 - 1);
    Decoration::drawRule(s, left, 10, l0, 100, r0, 100, 4);
    Decoration::drawRule(s, left, -10, l0 + 10, 104, l0 + 40, 110, 7);
    Decoration::drawRule(s, left, -100, l0 + 45, 107, r0 - 5, 107, 0);
    s.setCurrentY(left.FOOT_HEIGHT + 1);
    Decoration::drawFooter(s, left, u"page 1  続き: "_s + QString::number(rest.size()), l0, r0);

    // Right page: centred shaded title, gradient footer.
    PageLayout right = base;
    right.KAZARI = 9;
    const double l1 = p - base.WIDTH + 3;
    const double r1 = p - 3;
    Decoration::drawTitleBand(s, right, u"ほうれん草のおひたし"_s, l1, r1);
    s.setFontName(right.DATA_FONTNAME);
    s.setFontSize(right.DATA_FONTSIZE);
    s.setCurrentX(l1 + 1);
    s.setCurrentY(right.DATA_HEIGHT + 2);
    TextLayout::layoutTextBox(s, right, u"[材料]\\nほうれん草 1束\\n削り節 少々\\n醤油 小さじ2"_s,
                              r1 - 1, right.FOOT_HEIGHT - 1);
    Decoration::drawBoxFrame(s, 2, l1 + 2, 60, r1 - 2, 80, 19);
    Decoration::fillBox(s, l1 + 4, 62, l1 + 20, 78, 20);
    right.KAZARI = 10;
    right.HEAD_LINE_COLOR = 2;
    s.setCurrentY(right.FOOT_HEIGHT + 1);
    Decoration::drawFooter(s, right, u"page 2"_s, l1, r1);

    SheetMarks::drawSheetMarks(s, base, 0, 0);
    s.finishSheet();
    s.finishPrintJob();
}

QImage samplePicture()
{
    QImage picture(120, 60, QImage::Format_RGB32);
    picture.fill(QColor(255, 240, 200));
    QPainter painter(&picture);
    painter.setBrush(QColor(230, 120, 60));
    painter.drawEllipse(QRect(30, 5, 60, 50));
    return picture;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(out + u"/pic"_s);
    samplePicture().save(out + u"/pic/sample.bmp"_s, "BMP");
    qputenv("QVRECIPE_HOME", QFile::encodeName(out));
    installFontSubstitutions();
    const PageLayout layout = sampleLayout();

    auto printer = PrinterTarget::makePdfPrinter(out + u"/sheet.pdf"_s);
    PrinterTarget pdf(printer.get());
    PreviewTarget preview(1240);
    {
        DrawSurface s(&pdf, &preview);
        QElapsedTimer timer;
        timer.start();
        drawSheet(s, layout);
        QTextStream(stdout) << "pdf sheet: " << timer.elapsed() << " ms\n";
    }
    {
        DrawSurface s(&pdf, &preview);
        s.previewMode = 1;
        QImage shown;
        s.hooks.showPreview = [&] { shown = preview.image(); };
        QElapsedTimer timer;
        timer.start();
        drawSheet(s, layout);
        QTextStream(stdout) << "preview sheet: " << timer.elapsed() << " ms\n";
        shown.save(out + u"/preview.png"_s);
    }
    RecordingTarget recording(pdf.scaleWidth());
    {
        DrawSurface s(&recording, &recording);
        drawSheet(s, layout);
    }
    using Kind = RecordingTarget::Item::Kind;
    QTextStream text(stdout);
    text << "printable width " << pdf.scaleWidth() - 0.5 << " mm; recorded "
         << recording.items.size() << " primitives\n";
    for (const auto &item : recording.items) {
        switch (item.kind) {
        case Kind::Line:
            if (item.line.length() >= 1)
                text << "line " << item.line.x1() << ',' << item.line.y1() << " - "
                     << item.line.x2() << ',' << item.line.y2() << " w" << item.pen.width << '\n';
            break;
        case Kind::Circle:
            text << "circle " << item.at.x() << ',' << item.at.y() << " r" << item.radius << '\n';
            break;
        case Kind::Text:
            text << "text " << item.at.x() << ',' << item.at.y() << ' ' << item.font.name << ' '
                 << item.font.size << "pt #" << Qt::hex << item.color << Qt::dec << ' ' << item.text
                 << '\n';
            break;
        case Kind::Picture:
            text << "picture " << item.rect.x() << ',' << item.rect.y() << ' ' << item.rect.width()
                 << 'x' << item.rect.height() << '\n';
            break;
        default:
            break;
        }
    }
    return 0;
}
