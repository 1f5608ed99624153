#include "engine/layoutfixtures.h"
#include "testsupport.h"

#include "print/engine/drawsurface.h"
#include "print/engine/fontsubstitutions.h"
#include "print/engine/previewtarget.h"
#include "print/engine/printertarget.h"
#include "print/engine/recordingtarget.h"
#include "print/engine/textlayout.h"
#include "print/pagegeometry.h"
#include "print/recipelinestream.h"
#include "print/recipepagecomposer.h"
#include "recipe/recipefileformat.h"
#include "recipe/reciperecord.h"

#include <QBuffer>
#include <QImage>
#include <QPrinter>
#include <QRegularExpression>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using Kind = RecordingTarget::Item::Kind;
using Fields = QMap<int, QString>;

namespace {

const QString plainFlags = u"0|0|0|0|0|0|0|"_s;
const QString noPrintFlags = u"1|0|0|0|0|0|0|"_s;

// A data row: fields 1 to 29 quoted, dish name and flags as given.
QString row(const QString &name, const QString &flags = plainFlags, const Fields &fields = {})
{
    QStringList f(29);
    f[2] = name;
    f[3] = flags;
    for (auto it = fields.begin(); it != fields.end(); ++it)
        f[it.key() - 1] = it.value();
    return u'"' + f.join(u"\",\""_s) + u'"';
}

// 料理1 ... 料理n; the records listed in noPrint carry the 印刷不要 switch.
QStringList numberedRows(int n, const QList<int> &noPrint = {})
{
    QStringList rows;
    for (int i = 1; i <= n; ++i)
        rows.append(row(u"料理%1"_s.arg(i), noPrint.contains(i) ? noPrintFlags : plainFlags));
    return rows;
}

void writeRecipes(const TempProgramFolder &home, const QStringList &rows)
{
    QStringList lines = RecipeFileFormat::newFileMetadata;
    lines.append(RecipeFileFormat::RecipeFileHeader);
    lines += rows;
    home.write(u"recipes.csv"_s, cp932Lines(lines));
}

// The text of the page line by line: items on one y joined, in the order
// their lines were begun.
QStringList textLines(const QList<RecordingTarget::Item> &items)
{
    QList<qint64> ys;
    QStringList lines;
    for (const auto &item : items) {
        if (item.kind != Kind::Text)
            continue;
        const qint64 y = qRound64(item.at.y() * 1000);
        const qsizetype i = ys.indexOf(y);
        if (i < 0) {
            ys.append(y);
            lines.append(item.text);
        } else {
            lines[i] += item.text;
        }
    }
    return lines;
}

QString describe(const RecordingTarget::Item &i)
{
    const auto n = [](double v) { return QString::number(v, 'f', 4); };
    return QStringList{QString::number(int(i.kind)),
                       n(i.at.x()),
                       n(i.at.y()),
                       n(i.line.x1()),
                       n(i.line.y1()),
                       n(i.line.x2()),
                       n(i.line.y2()),
                       n(i.radius),
                       n(i.rect.x()),
                       n(i.rect.y()),
                       n(i.rect.width()),
                       n(i.rect.height()),
                       i.text,
                       i.font.name,
                       n(i.font.size),
                       QString::number(i.pen.width),
                       QString::number(i.pen.style),
                       QString::number(i.pen.color),
                       QString::number(i.color),
                       QString::number(i.pictureSize.width())}
        .join(u' ');
}

bool sameItem(const RecordingTarget::Item &a, const RecordingTarget::Item &b)
{
    return a.kind == b.kind && a.line == b.line && a.at == b.at && a.radius == b.radius &&
           a.rect == b.rect && a.pen == b.pen && a.color == b.color && a.text == b.text &&
           a.font == b.font && a.pictureSize == b.pictureSize && a.source == b.source;
}

// Empty when both recordings hold the same items, else the first difference.
QString firstDifference(const QList<RecordingTarget::Item> &a,
                        const QList<RecordingTarget::Item> &b)
{
    for (qsizetype i = 0; i < std::min(a.size(), b.size()); ++i) {
        if (!sameItem(a[i], b[i]))
            return u"item %1: %2 / %3"_s.arg(i).arg(describe(a[i]), describe(b[i]));
    }
    return a.size() == b.size() ? QString() : u"%1 items / %2"_s.arg(a.size()).arg(b.size());
}

// A composer drawing the Bible layout onto a recording.
struct Composition
{
    explicit Composition(const PageLayout &l = bibleLayout()) : layout(l) {}

    PageResult compose(int layoutType, int page, bool continuation = false, int start = -1)
    {
        PageRequest r;
        r.layoutType = layoutType;
        r.page = page;
        r.left = layout.LEFT;
        r.right = layout.WIDTH;
        r.startRecord = start;
        r.categoryLabel = u" 全て "_s;
        r.continuationAllowed = continuation;
        r.recipeFile = u"recipes.csv"_s;
        r.programFolder = home.path();
        return composer.composeRecipePage(r);
    }

    TempProgramFolder home;
    PageLayout layout;
    RecordingTarget rec;
    DrawSurface surface{&rec, &rec};
    QList<int> prompts;
    bool answer = true;
    RecipePageComposer composer{surface, layout, [this](int mode) {
                                    prompts.append(mode);
                                    return answer;
                                }};
};

// Horizontal hairlines across the whole strip: the tops of the slots.
QList<double> slotRules(const RecordingTarget &rec, double left, double right)
{
    QList<double> ys;
    for (const auto &item : rec.ofKind(Kind::Line)) {
        if (item.pen.width == 1 && item.line.y1() == item.line.y2() && item.line.x1() == left &&
            item.line.x2() == right)
            ys.append(item.line.y1());
    }
    return ys;
}

QStringList dishNames(const RecordingTarget &rec)
{
    return textLines(rec.items).filter(QRegularExpression(u"^料理"_s));
}

} // namespace

class TestRecipePageComposer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { installFontSubstitutions(); }
    void pagesAndSlots_data();
    void pagesAndSlots();
    void emptyFileEndsAtOnce();
    void fileWithoutHeader_data();
    void fileWithoutHeader();
    void columns_data();
    void columns();
    void attributeColumn_data();
    void attributeColumn();
    void servingsHeading_data();
    void servingsHeading();
    void pictureFit_data();
    void pictureFit();
    void pictureBox_data();
    void pictureBox();
    void wideBodyKeepsClearOfATallPicture();
    void noPictureLayoutStopsAtTheFooter_data();
    void noPictureLayoutStopsAtTheFooter();
    void titleCentring_data();
    void titleCentring();
    void overflowToTheBack_data();
    void overflowToTheBack();
    void resumedScanDrawsWhatAFreshScanDraws_data();
    void resumedScanDrawsWhatAFreshScanDraws();
    void changedFileIsReadAgain_data();
    void changedFileIsReadAgain();
    void vanishedFileEndsTheRun_data();
    void vanishedFileEndsTheRun();
    void previewBreaksLinesLikePaper_data();
    void previewBreaksLinesLikePaper();
    void lineEnds_data();
    void lineEnds();
};

void TestRecipePageComposer::pagesAndSlots_data()
{
    QTest::addColumn<int>("layoutType");
    QTest::addColumn<int>("footHeight");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<double>>("tops");
    QTest::addColumn<bool>("done");

    // Layout 2 on a data band of 100 mm: slots of 49 mm.
    QTest::newRow("layout 2, page 1")
        << 2 << 109 << numberedRows(3) << -1 << 1 << QStringList{u"料理1"_s, u"料理2"_s}
        << QList<double>{10, 59} << false;
    QTest::newRow("layout 2, third record opens page 2")
        << 2 << 109 << numberedRows(3) << -1 << 2 << QStringList{u"料理3"_s} << QList<double>{10}
        << true;

    // Layout 6 rows: 2 x 9 / 5.67 + 1 mm; 34 of them fit between 10 and 156.
    const double h = 2 * 9 / 5.67 + 1;
    QStringList first, second;
    QList<double> firstTops, secondTops;
    for (int i = 1; i <= 34; ++i) {
        first.append(u"料理%1"_s.arg(i));
        firstTops.append(10 + (i - 1) * h + 0.5);
    }
    for (int i = 35; i <= 40; ++i) {
        second.append(u"料理%1"_s.arg(i));
        secondTops.append(10 + (i - 35) * h + 0.5);
    }
    QTest::newRow("layout 6, page 1")
        << 6 << 156 << numberedRows(40) << -1 << 1 << first << firstTops << false;
    QTest::newRow("layout 6, page 2 goes on after page 1's last row")
        << 6 << 156 << numberedRows(40) << -1 << 2 << second << secondTops << true;

    // Running numbers: 料理1 is record 2. 料理3 (record 4) is not to be printed.
    const QStringList marked = numberedRows(5, {3});
    QTest::newRow("start record opens page 1")
        << 1 << 156 << marked << 3 << 1 << QStringList{u"料理2"_s} << QList<double>{10} << false;
    QTest::newRow("a marked record takes no page")
        << 1 << 156 << marked << 3 << 2 << QStringList{u"料理4"_s} << QList<double>{10} << false;
    QTest::newRow("a marked start record is not printed either")
        << 1 << 156 << marked << 4 << 1 << QStringList{u"料理4"_s} << QList<double>{10} << false;
    QTest::newRow("no start record")
        << 1 << 156 << marked << -1 << 3 << QStringList{u"料理4"_s} << QList<double>{10} << false;
    QTest::newRow("marked rows after the last page")
        << 1 << 156 << numberedRows(3, {2, 3}) << -1 << 1 << QStringList{u"料理1"_s}
        << QList<double>{10} << true;
    QStringList afterHeader = numberedRows(2);
    afterHeader.prepend(u"@MEMO=written by another program"_s);
    QTest::newRow("metadata line after the header")
        << 6 << 156 << afterHeader << -1 << 1 << QStringList{u"料理1"_s, u"料理2"_s}
        << QList<double>{10.5, 10.5 + h} << true;
    QTest::newRow("beyond the last page")
        << 1 << 156 << numberedRows(2) << -1 << 5 << QStringList{} << QList<double>{} << true;
    QTest::newRow("header only") << 1 << 156 << QStringList{} << -1 << 1 << QStringList{}
                                 << QList<double>{} << true;
}

void TestRecipePageComposer::pagesAndSlots()
{
    QFETCH(int, layoutType);
    QFETCH(int, footHeight);
    QFETCH(QStringList, rows);
    QFETCH(int, start);
    QFETCH(int, page);
    QFETCH(QStringList, names);
    QFETCH(QList<double>, tops);
    QFETCH(bool, done);
    PageLayout layout = bibleLayout();
    layout.FOOT_HEIGHT = int16_t(footHeight);
    Composition c(layout);
    writeRecipes(c.home, rows);
    const PageResult result = c.compose(layoutType, page, false, start);
    QCOMPARE(result.error, QString());
    QCOMPARE(result.done, done);
    QCOMPARE(dishNames(c.rec), names);
    const QList<double> drawn = slotRules(c.rec, 8, 88);
    QCOMPARE(drawn.size(), tops.size());
    for (qsizetype i = 0; i < tops.size(); ++i)
        QVERIFY2(qAbs(drawn[i] - tops[i]) < 1e-9, qPrintable(QString::number(drawn[i])));
}

void TestRecipePageComposer::fileWithoutHeader_data()
{
    QTest::addColumn<QByteArray>("lead");
    QTest::addColumn<int>("start");
    QTest::addColumn<QStringList>("names");

    // Its first row is record 2, as the list numbers it.
    QTest::newRow("all rows") << QByteArray() << -1 << QStringList{u"料理1"_s, u"料理2"_s};
    QTest::newRow("byte-order mark")
        << QByteArray("\xEF\xBB\xBF") << -1 << QStringList{u"料理1"_s, u"料理2"_s};
    QTest::newRow("from record 3") << QByteArray() << 3 << QStringList{u"料理2"_s};
}

void TestRecipePageComposer::fileWithoutHeader()
{
    QFETCH(QByteArray, lead);
    QFETCH(int, start);
    QFETCH(QStringList, names);
    Composition c;
    c.home.write(u"recipes.csv"_s, lead + cp932Lines(numberedRows(2)));
    const PageResult result = c.compose(6, 1, false, start);
    QCOMPARE(result.error, QString());
    QCOMPARE(dishNames(c.rec), names);
}

void TestRecipePageComposer::emptyFileEndsAtOnce()
{
    // Without its header line too: a run must not go on for ever.
    Composition c;
    c.home.write(u"recipes.csv"_s, QByteArray());
    const PageResult result = c.compose(1, 1);
    QCOMPARE(result.error, QString());
    QVERIFY(result.done);
}

void TestRecipePageComposer::columns_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("foot");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("right");
    QTest::addColumn<double>("attrRight");
    QTest::addColumn<double>("pictureLeft");
    QTest::newRow("tall, 100 mm: the middle") << 88 << 156 << 8.0 << 108.0 << 58.0 << 58.0;
    QTest::newRow("tall, 109 mm") << 88 << 156 << 0.0 << 109.0 << 54.5 << 54.5;
    QTest::newRow("tall, 120 mm: three fifths") << 88 << 156 << 8.0 << 128.0 << 80.0 << 80.0;
    QTest::newRow("footer at the width is tall") << 140 << 140 << 0.0 << 120.0 << 72.0 << 72.0;
    QTest::newRow("wide: 30 % and 75 %") << 140 << 90 << 0.0 << 140.0 << 42.0 << 105.0;
}

void TestRecipePageComposer::columns()
{
    QFETCH(int, width);
    QFETCH(int, foot);
    QFETCH(double, left);
    QFETCH(double, right);
    QFETCH(double, attrRight);
    QFETCH(double, pictureLeft);
    PageLayout layout = bibleLayout();
    layout.WIDTH = int16_t(width);
    layout.FOOT_HEIGHT = int16_t(foot);
    const auto c = PageGeometry::columns(layout, left, right);
    QCOMPARE(c.attrRight, attrRight);
    QCOMPARE(c.pictureLeft, pictureLeft);
}

void TestRecipePageComposer::attributeColumn_data()
{
    QTest::addColumn<Fields>("fields");
    QTest::addColumn<QStringList>("lines");
    using F = RecipeRecord;
    QTest::newRow("empty effort and time, no keyword")
        << Fields{{F::MainCategory, u"肉"_s}, {F::MainIngredient, u"豚コマ"_s},
                  {F::Purpose, u"主菜"_s},    {F::Cuisine, u"和風"_s},
                  {F::Cost, u"安い"_s},       {F::Calories, u"450"_s},
                  {F::Salt, u"2g"_s},         {F::Author, u"qv"_s}}
        << QStringList{
               u"料理1"_s,         u"肉、豚コマ"_s,   u"目的:主菜"_s,           u"国籍:和風"_s,
               u"費用:安い"_s,     u"手間:       "_s, u"ｶﾛﾘｰ:450    塩分:2g"_s, u"作者:qv"_s,
               u" RECIPE [全て]"_s};
    QTest::newRow("short effort padded, keyword, no sub-ingredient")
        << Fields{{F::MainCategory, u"野菜"_s},
                  {F::Effort, u"簡単"_s},
                  {F::Time, u"15分"_s},
                  {F::Keyword, u"時短"_s}}
        << QStringList{u"料理1"_s,         u"野菜"_s,      u"目的:"_s,
                       u"国籍:"_s,         u"費用:"_s,     u"手間:簡単     時間:15分"_s,
                       u"ｶﾛﾘｰ:       "_s,  u"特殊:時短"_s, u"作者:"_s,
                       u" RECIPE [全て]"_s};
}

void TestRecipePageComposer::attributeColumn()
{
    QFETCH(Fields, fields);
    QFETCH(QStringList, lines);
    Composition c;
    writeRecipes(c.home, {row(u"料理1"_s, plainFlags, fields)});
    c.compose(2, 1);
    QCOMPARE(textLines(c.rec.items), lines);
}

void TestRecipePageComposer::servingsHeading_data()
{
    QTest::addColumn<QString>("servings");
    QTest::addColumn<QString>("heading");
    QTest::newRow("number") << u"4"_s << u"【材料/分量】    ( 4人分 )"_s;
    QTest::newRow("range") << u"2～3"_s << u"【材料/分量】    ( 2～3 )"_s;
}

void TestRecipePageComposer::servingsHeading()
{
    QFETCH(QString, servings);
    QFETCH(QString, heading);
    Composition c;
    writeRecipes(c.home, {row(u"料理1"_s, plainFlags, {{RecipeRecord::Servings, servings}})});
    c.compose(1, 1);
    QCOMPARE(textLines(c.rec.items).filter(u"【材料"_s), QStringList{heading});
}

void TestRecipePageComposer::pictureFit_data()
{
    QTest::addColumn<QSizeF>("box");
    QTest::addColumn<QSizeF>("picture");
    QTest::addColumn<QSizeF>("drawn");
    QTest::newRow("small, enlarged") << QSizeF(400, 400) << QSizeF(100, 50) << QSizeF(400, 200);
    QTest::newRow("wide, box width") << QSizeF(400, 400) << QSizeF(800, 400) << QSizeF(400, 200);
    QTest::newRow("narrow and too tall")
        << QSizeF(400, 400) << QSizeF(200, 800) << QSizeF(100, 400);
    QTest::newRow("too wide and too tall")
        << QSizeF(400, 100) << QSizeF(800, 1600) << QSizeF(50, 100);
}

void TestRecipePageComposer::pictureFit()
{
    QFETCH(QSizeF, box);
    QFETCH(QSizeF, picture);
    QFETCH(QSizeF, drawn);
    QCOMPARE(PageGeometry::fitPicture(box, picture), drawn);
}

void TestRecipePageComposer::pictureBox_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QRectF>("drawn"); // empty: the grid
    QImage picture(100, 50, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "BMP");
    // A 40 mm wide column on a slot of 72.5 mm: the box width decides.
    QTest::newRow("picture") << bmp << QRectF(48, 12, 40, 20);
    QTest::newRow("undecodable picture") << QByteArray("BM not a bitmap") << QRectF();
    QTest::newRow("no picture file") << QByteArray() << QRectF();
}

void TestRecipePageComposer::pictureBox()
{
    QFETCH(QByteArray, file);
    QFETCH(QRectF, drawn);
    Composition c;
    if (!file.isEmpty())
        c.home.write(u"p.bmp"_s, file);
    writeRecipes(c.home, {row(u"料理1"_s, plainFlags, {{RecipeRecord::Picture, u"P.BMP"_s}})});
    c.compose(2, 1);
    const auto pictures = c.rec.ofKind(Kind::Picture);
    // The grid's dots; the attribute rules end at 46 mm.
    const auto dots = c.rec.ofKind(Kind::Point);
    const bool grid =
        std::any_of(dots.begin(), dots.end(), [](const auto &d) { return d.at.x() >= 48; });
    if (drawn.isNull()) {
        QCOMPARE(pictures.size(), 0);
        QVERIFY(grid);
    } else {
        QCOMPARE(pictures.size(), 1);
        QVERIFY2(qAbs(pictures[0].rect.x() - drawn.x()) < 1e-9 &&
                     qAbs(pictures[0].rect.y() - drawn.y()) < 1e-9 &&
                     qAbs(pictures[0].rect.width() - drawn.width()) < 1e-9 &&
                     qAbs(pictures[0].rect.height() - drawn.height()) < 1e-9,
                 qPrintable(u"%1,%2 %3x%4"_s.arg(pictures[0].rect.x())
                                .arg(pictures[0].rect.y())
                                .arg(pictures[0].rect.width())
                                .arg(pictures[0].rect.height())));
        QVERIFY(!grid);
    }
}

void TestRecipePageComposer::wideBodyKeepsClearOfATallPicture()
{
    PageLayout layout = bibleLayout();
    layout.LEFT = 0;
    layout.WIDTH = 140;
    layout.HEAD_HEIGHT = 7;
    layout.DATA_HEIGHT = 12;
    layout.FOOT_HEIGHT = 90;
    Composition c(layout);
    QImage tall(50, 200, QImage::Format_RGB32);
    tall.fill(Qt::green);
    QVERIFY(tall.save(c.home.file(u"tall.bmp"_s), "BMP"));
    writeRecipes(c.home, {row(u"料理1"_s, plainFlags,
                              {{RecipeRecord::Picture, u"tall.bmp"_s},
                               {RecipeRecord::Method, QString(300, QChar(u'煮'))}})});
    c.rec.items.clear();
    PageRequest r;
    r.page = 1;
    r.left = 0;
    r.right = 140;
    r.recipeFile = c.home.file(u"recipes.csv"_s);
    c.composer.composeRecipePage(r);
    const auto pictures = c.rec.ofKind(Kind::Picture);
    QCOMPARE(pictures.size(), 1);
    const QRectF picture = pictures[0].rect;
    RecordingTarget measure;
    for (const auto &item : c.rec.ofKind(Kind::Text)) {
        measure.selectFont(item.font);
        const QRectF text(item.at, QSizeF(*measure.textWidth(item.text), measure.lineHeight()));
        QVERIFY2(!text.intersects(picture), qPrintable(item.text));
    }
}

void TestRecipePageComposer::noPictureLayoutStopsAtTheFooter_data()
{
    QTest::addColumn<int>("previewMode");
    QTest::newRow("printer") << 0;
    QTest::newRow("preview") << 1;
}

void TestRecipePageComposer::noPictureLayoutStopsAtTheFooter()
{
    QFETCH(int, previewMode);
    Composition c;
    c.surface.previewMode = int16_t(previewMode);
    QStringList steps;
    for (int i = 1; i <= 60; ++i)
        steps.append(u"手順%1"_s.arg(i));
    writeRecipes(c.home, {row(u"料理1"_s, plainFlags,
                              {{RecipeRecord::Method, steps.join(u"\\n"_s)},
                               {RecipeRecord::Tips, u"冷ます"_s}}),
                          row(u"料理2"_s, plainFlags, {{RecipeRecord::Method, u"煮る"_s}})});
    const PageResult result = c.compose(5, 1);
    double lowest = 0;
    for (const auto &item : c.rec.ofKind(Kind::Text))
        lowest = std::max(lowest, item.at.y() + RecordingTarget::emMm(item.font.size));
    QVERIFY2(lowest <= 156, qPrintable(QString::number(lowest)));
    const QStringList lines = textLines(c.rec.items);
    QVERIFY(lines.contains(u"手順40"_s));
    QVERIFY(!lines.contains(u"手順60"_s));
    // What was dropped is told, and the preview marks the slot's corner.
    QCOMPARE(result.unfit, (QList<UnfitRecipe>{{u"料理1"_s, 2}}));
    QList<QLineF> corner;
    for (const auto &item : c.rec.ofKind(Kind::Line)) {
        if (item.pen.color == ColorCodes::rgb(230, 0, 0))
            corner.append(item.line);
    }
    const QList<QLineF> expectedCorner = {QLineF(82, 10, 88, 10), QLineF(88, 10, 88, 16)};
    QCOMPARE(corner, previewMode ? expectedCorner : QList<QLineF>());
    QCOMPARE(c.compose(5, 2).unfit, QList<UnfitRecipe>{});
}

void TestRecipePageComposer::titleCentring_data()
{
    QTest::addColumn<int>("layoutType");
    QTest::addColumn<int>("kazari");
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("x");
    const double em = RecordingTarget::emMm(12);
    const QString longName = QString(20, QChar(u'鍋'));
    QTest::newRow("layout 1, KAZARI 9") << 1 << 9 << u"料理1"_s << 8.5 + (80 - 2.5 * em) / 2;
    QTest::newRow("layout 5, KAZARI 9") << 5 << 9 << u"料理1"_s << 8.5 + (80 - 2.5 * em) / 2;
    QTest::newRow("layout 1, KAZARI 8") << 1 << 8 << u"料理1"_s << 8.5;
    QTest::newRow("too wide to centre") << 1 << 9 << longName << 8.5;
}

void TestRecipePageComposer::titleCentring()
{
    QFETCH(int, layoutType);
    QFETCH(int, kazari);
    QFETCH(QString, name);
    QFETCH(double, x);
    PageLayout layout = bibleLayout();
    layout.KAZARI = int16_t(kazari);
    Composition c(layout);
    writeRecipes(c.home, {row(name)});
    c.compose(layoutType, 1);
    QList<double> xs;
    for (const auto &item : c.rec.ofKind(Kind::Text)) {
        if (item.text == name)
            xs.append(item.at.x());
    }
    QCOMPARE(xs.size(), 1);
    QVERIFY2(qAbs(xs[0] - x) < 1e-9, qPrintable(QString::number(xs[0])));
}

void TestRecipePageComposer::overflowToTheBack_data()
{
    QTest::addColumn<QString>("method");
    QTest::addColumn<bool>("continuation");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QList<int>>("prompts");
    QTest::addColumn<QStringList>("back"); // the text of the back page
    QTest::addColumn<bool>("pointOnFront");
    QTest::addColumn<bool>("unfit"); // named by the run's warning
    QStringList steps;
    for (int i = 1; i <= 40; ++i)
        steps.append(u"手順%1を守る"_s.arg(i));
    const QString longMethod = steps.join(u"\\n"_s);
    QStringList back = steps.mid(36);
    back += {u"【ポイント】"_s, u"冷ます"_s};

    QTest::newRow("one-sided: the rest on the back")
        << longMethod << true << true << QList<int>{1} << back << false << false;
    QTest::newRow("two-sided: the rest is dropped")
        << longMethod << false << true << QList<int>{} << QStringList{} << false << true;
    QTest::newRow("turning over refused")
        << longMethod << true << false << QList<int>{1} << QStringList{} << false << true;
    // Numbered steps that fit leave only their marker: nothing goes over.
    QTest::newRow("numbered steps that fit")
        << u"@##切る\\n@##煮る"_s << true << true << QList<int>{} << QStringList{} << true << false;
    QStringList tooLong;
    for (int i = 1; i <= 90; ++i)
        tooLong.append(u"手順%1を守る"_s.arg(i));
    QStringList backPart = tooLong.mid(36, 51);
    QTest::newRow("one-sided: too long for the back too")
        << tooLong.join(u"\\n"_s) << true << true << QList<int>{1} << backPart << false << true;
}

void TestRecipePageComposer::overflowToTheBack()
{
    QFETCH(QString, method);
    QFETCH(bool, continuation);
    QFETCH(bool, answer);
    QFETCH(QList<int>, prompts);
    QFETCH(QStringList, back);
    QFETCH(bool, pointOnFront);
    QFETCH(bool, unfit);
    Composition c;
    c.answer = answer;
    writeRecipes(c.home, {row(u"料理1"_s, plainFlags,
                              {{RecipeRecord::Method, method}, {RecipeRecord::Tips, u"冷ます"_s}}),
                          row(u"料理2"_s)});
    c.surface.beginSheet();
    const PageResult result = c.compose(1, 1, continuation);
    QCOMPARE(result.done, false);
    QCOMPARE(c.prompts, prompts);
    const QList<UnfitRecipe> named = {{u"料理1"_s, 2}};
    QCOMPARE(result.unfit, unfit ? named : QList<UnfitRecipe>());

    const auto end = std::find_if(c.rec.items.begin(), c.rec.items.end(),
                                  [](const auto &i) { return i.kind == Kind::EndDocument; });
    const QList<RecordingTarget::Item> front(c.rec.items.begin(), end);
    const QList<RecordingTarget::Item> after(end == c.rec.items.end() ? end : end + 1,
                                             c.rec.items.end());
    QCOMPARE(end != c.rec.items.end(), !prompts.isEmpty());
    QCOMPARE(textLines(front).contains(u"【ポイント】"_s), pointOnFront);
    QStringList backLines = textLines(after);
    backLines.removeAll(u" "_s); // the empty title band
    QCOMPARE(backLines, back);
    // The back's footer lies in the back's strip, whose binding margin is on the right.
    QList<QLineF> footers;
    for (const auto &item : after) {
        if (item.kind == Kind::Line && item.pen.width == 3 && item.line.y1() == 156)
            footers.append(item.line);
    }
    QCOMPARE(footers, back.isEmpty() ? QList<QLineF>{} : QList<QLineF>{QLineF(0, 156, 80, 156)});
}

void TestRecipePageComposer::resumedScanDrawsWhatAFreshScanDraws_data()
{
    QTest::addColumn<int>("layoutType");
    QTest::addColumn<QList<int>>("pages");
    QTest::newRow("layout 1 in order") << 1 << QList<int>{1, 2, 3, 4, 5};
    QTest::newRow("layout 1 in booklet order") << 1 << QList<int>{1, 4, 2, 3, 5};
    QTest::newRow("layout 3 in order") << 3 << QList<int>{1, 2, 3, 4};
    QTest::newRow("layout 7 in order, past the end") << 7 << QList<int>{1, 2, 3};
}

void TestRecipePageComposer::resumedScanDrawsWhatAFreshScanDraws()
{
    QFETCH(int, layoutType);
    QFETCH(QList<int>, pages);
    QStringList rows = numberedRows(50, {2, 7, 8});
    rows.insert(4, u"@MEMO=a metadata line among the rows"_s);
    rows[3] = row(u"料理4"_s, plainFlags, {{RecipeRecord::Method, QString(1500, u'煮')}});
    const QByteArray file = [&] {
        TempProgramFolder tmp;
        writeRecipes(tmp, rows);
        return tmp.read(u"recipes.csv"_s);
    }();

    Composition run;
    run.home.write(u"recipes.csv"_s, file);
    for (int page : pages) {
        Composition fresh;
        fresh.home.write(u"recipes.csv"_s, file);
        const PageResult expected = fresh.compose(layoutType, page, true);
        const qsizetype from = run.rec.items.size();
        const qsizetype promptsBefore = run.prompts.size();
        const PageResult got = run.compose(layoutType, page, true);
        QCOMPARE(got.done, expected.done);
        QCOMPARE(firstDifference(run.rec.items.mid(from), fresh.rec.items), QString());
        QCOMPARE(run.prompts.mid(promptsBefore), fresh.prompts);
        if (layoutType == 1 && page == 3) // the long method goes over the back
            QCOMPARE(fresh.prompts, QList<int>{1});
        // Later pages go on from a page already counted.
        if (page > 1)
            QVERIFY(run.composer.linesReadLastCall() < fresh.composer.linesReadLastCall());
    }
}

void TestRecipePageComposer::changedFileIsReadAgain_data()
{
    QTest::addColumn<QStringList>("changed");
    QStringList inserted = numberedRows(12);
    inserted.prepend(row(u"料理0"_s));
    QStringList renamed = numberedRows(12);
    renamed[1] = row(u"料理X"_s); // same size, the first record of page 2
    QTest::newRow("a record inserted") << inserted;
    QTest::newRow("edited in place, same size") << renamed;
}

void TestRecipePageComposer::changedFileIsReadAgain()
{
    QFETCH(QStringList, changed);
    Composition run;
    writeRecipes(run.home, numberedRows(12));
    run.compose(1, 1);
    writeRecipes(run.home, changed);
    const qsizetype from = run.rec.items.size();
    run.compose(1, 2);

    Composition fresh;
    writeRecipes(fresh.home, changed);
    fresh.compose(1, 2);
    QCOMPARE(firstDifference(run.rec.items.mid(from), fresh.rec.items), QString());
}

void TestRecipePageComposer::vanishedFileEndsTheRun_data()
{
    QTest::addColumn<bool>("printFirst");
    QTest::newRow("missing from the start") << false;
    QTest::newRow("removed during the run") << true;
}

void TestRecipePageComposer::vanishedFileEndsTheRun()
{
    QFETCH(bool, printFirst);
    Composition c;
    writeRecipes(c.home, numberedRows(3));
    if (printFirst)
        QCOMPARE(c.compose(1, 1).error, QString());
    QVERIFY(QFile::remove(c.home.file(u"recipes.csv"_s)));
    const PageResult result = c.compose(1, 2);
    QCOMPARE(result.error,
             u"レシピファイル[%1]が見つかりません。"_s.arg(c.home.file(u"recipes.csv"_s)));
    QVERIFY(result.done);
}

void TestRecipePageComposer::previewBreaksLinesLikePaper_data()
{
    QTest::addColumn<int>("layoutType");
    QTest::addColumn<double>("fontSize");
    QTest::newRow("layout 1, 9 pt") << 1 << 9.0;
    QTest::newRow("layout 1, 8 pt") << 1 << 8.0;
    QTest::newRow("layout 5, 10.5 pt") << 5 << 10.5;
}

namespace {

// Logs where each run of text lands on a real target.
class TextLog : public PaintTarget
{
public:
    explicit TextLog(PaintTarget *inner) : m_inner(inner) {}
    QStringList runs;

    void drawLine(QLineF line, const PenSpec &pen) override { m_inner->drawLine(line, pen); }
    void drawPoint(QPointF at, const PenSpec &pen) override { m_inner->drawPoint(at, pen); }
    void drawCircle(QPointF c, double r, const PenSpec &pen) override
    {
        m_inner->drawCircle(c, r, pen);
    }
    void drawRect(QRectF rect, const PenSpec &pen) override { m_inner->drawRect(rect, pen); }
    void fillRect(QRectF rect, int32_t color) override { m_inner->fillRect(rect, color); }
    void drawText(QPointF at, const QString &text, const FontSpec &font, int32_t color) override
    {
        runs.append(u"%1,%2 %3"_s.arg(at.x(), 0, 'f', 3).arg(at.y(), 0, 'f', 3).arg(text));
        m_inner->drawText(at, text, font, color);
    }
    void drawPicture(const QImage &p, QRectF target, QRect source) override
    {
        m_inner->drawPicture(p, target, source);
    }
    bool selectFont(const FontSpec &font) override { return m_inner->selectFont(font); }
    FontSpec font() const override { return m_inner->font(); }
    std::optional<double> textWidth(const QString &text) const override
    {
        return m_inner->textWidth(text);
    }
    double lineHeight() const override { return m_inner->lineHeight(); }
    double scaleWidth() const override { return m_inner->scaleWidth(); }
    double twipsPerPixelX() const override { return m_inner->twipsPerPixelX(); }
    double twipsPerPixelY() const override { return m_inner->twipsPerPixelY(); }
    void openPage() override { m_inner->openPage(); }
    void newPage() override { m_inner->newPage(); }
    void endDocument() override { m_inner->endDocument(); }
    void clear() override { m_inner->clear(); }
    bool pageHasDrawing() const override { return m_inner->pageHasDrawing(); }

private:
    PaintTarget *m_inner;
};

} // namespace

void TestRecipePageComposer::previewBreaksLinesLikePaper()
{
    QFETCH(int, layoutType);
    QFETCH(double, fontSize);
    PageLayout layout = bibleLayout();
    layout.DATA_FONTSIZE = float(fontSize);
    layout.DEFAULT_FONTSIZE = float(fontSize);
    TempProgramFolder home;
    const QString method = u"@##鍋に湯を沸かし、塩をひとつまみ入れて大根を下ゆでする。"
                           u"\\n@##鶏肉は一口大に切り、酒と醤油で下味をつける。Add 1/2 cup."
                           u"\\n@##全部を合わせて弱火で二十分煮る。\\n[メモ] 冷めても美味しい。"_s;
    writeRecipes(home, {row(u"鶏肉と大根の煮物"_s, plainFlags,
                            {{RecipeRecord::Method, method.repeated(3)},
                             {RecipeRecord::Ingredients, u"鶏もも肉 300g\\n大根 1/3本"_s}})});

    auto printer = PrinterTarget::makePdfPrinter(home.file(u"out.pdf"_s));
    PrinterTarget pdf(printer.get(), 3);
    PreviewTarget picture(1240);
    QStringList runs[2];
    for (int mode = 0; mode < 2; ++mode) {
        TextLog log(mode ? static_cast<PaintTarget *>(&picture) : &pdf);
        DrawSurface s(mode ? nullptr : &log, &log);
        s.previewMode = int16_t(mode);
        RecipePageComposer composer(s, layout, [](int) { return true; });
        PageRequest r;
        r.layoutType = layoutType;
        r.left = 8;
        r.right = 88;
        r.recipeFile = home.file(u"recipes.csv"_s);
        r.programFolder = home.path();
        s.beginSheet();
        composer.composeRecipePage(r);
        // The demo sheet's text box, wrapped by measured widths.
        s.setCurrentX(10);
        s.setCurrentY(20);
        TextLayout::layoutTextBox(s, layout, method, 60, 150);
        s.finishSheet();
        runs[mode] = log.runs;
    }
    QVERIFY(runs[0].size() > 40);
    QCOMPARE(runs[1], runs[0]);
}

void TestRecipePageComposer::lineEnds_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QList<QByteArray>>("expected");
    // Old Macintosh files end lines with CR alone; a CR LF split across the
    // read-ahead still ends one line.
    QTest::newRow("cr, lf and cr lf")
        << QByteArray("a\rb\r\n\r\r\nc\nd\r") << QList<QByteArray>{"a", "b", "", "", "c", "d"};
    const QByteArray longLine(64 * 1024 - 1, 'x');
    QTest::newRow("cr lf across the read-ahead")
        << longLine + "\r\ny" << QList<QByteArray>{longLine, "y"};
}

void TestRecipePageComposer::lineEnds()
{
    QFETCH(QByteArray, content);
    QFETCH(QList<QByteArray>, expected);
    TempProgramFolder home;
    home.write(u"r.csv"_s, content);
    RecipeLineStream stream(home.file(u"r.csv"_s));
    QVERIFY(stream.open());
    QList<QByteArray> lines;
    QList<qint64> offsets;
    QByteArray line;
    while ((offsets.append(stream.offset()), stream.readLine(line)))
        lines.append(line);
    QCOMPARE(lines, expected);
    QCOMPARE(offsets.constLast(), qint64(content.size()));
    // A scan resumed at a line start reads that line again.
    QVERIFY(stream.seek(offsets.at(1)));
    QVERIFY(stream.readLine(line));
    QCOMPARE(line, expected.at(1));
}

QTEST_MAIN(TestRecipePageComposer)
#include "tst_recipepagecomposer.moc"
