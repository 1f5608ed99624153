#include "recipe/recipefileformat.h"
#include "recipe/recordcodec.h"
#include "viewer/cardgeometry.h"
#include "viewer/cardsheet.h"
#include "viewer/cardtextwriter.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestCardLayout : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cardRects_data();
    void cardRects();
    void pictureFit_data();
    void pictureFit();
    void cardUnderPoint_data();
    void cardUnderPoint();
    void textWriter_data();
    void textWriter();
    void sheetDrawsRowsInFileOrder();
};

void TestCardLayout::cardRects_data()
{
    QTest::addColumn<int>("card");
    QTest::addColumn<QRectF>("rect");
    // Surface 305 x 205: columns 100 wide, rows 100 high, 5 apart.
    QTest::newRow("first") << 0 << QRectF(5, 5, 95, 95);
    QTest::newRow("third") << 2 << QRectF(205, 5, 95, 95);
    QTest::newRow("fourth, second row") << 3 << QRectF(5, 105, 95, 95);
    QTest::newRow("last") << 5 << QRectF(205, 105, 95, 95);
}

void TestCardLayout::cardRects()
{
    QFETCH(int, card);
    QFETCH(QRectF, rect);
    QCOMPARE(CardGeometry::cardRect(QSizeF(305, 205), card), rect);
}

void TestCardLayout::pictureFit_data()
{
    QTest::addColumn<QSizeF>("picture");
    QTest::addColumn<QSizeF>("fitted");
    // Card 104 x 120: 100 wide for the picture, 100 high below the title.
    QTest::newRow("wide fits the width") << QSizeF(200, 100) << QSizeF(100, 48);
    QTest::newRow("tall fits the height") << QSizeF(100, 200) << QSizeF(45, 98);
    QTest::newRow("empty picture") << QSizeF(0, 0) << QSizeF();
}

void TestCardLayout::pictureFit()
{
    QFETCH(QSizeF, picture);
    QFETCH(QSizeF, fitted);
    const QRectF card(10, 10, 104, 120);
    QCOMPARE(CardGeometry::pictureSize(card, picture), fitted);
    QCOMPARE(CardGeometry::picturePosition(card), QPointF(12, 30));
}

void TestCardLayout::cardUnderPoint_data()
{
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<int>("card");
    QTest::newRow("top left") << QPointF(1, 1) << 0;
    QTest::newRow("middle top") << QPointF(150, 50) << 1;
    QTest::newRow("bottom right") << QPointF(299, 199) << 5;
    QTest::newRow("second row first") << QPointF(10, 150) << 3;
    QTest::newRow("outside") << QPointF(310, 50) << -1;
    QTest::newRow("negative") << QPointF(-1, 50) << -1;
}

void TestCardLayout::cardUnderPoint()
{
    QFETCH(QPointF, point);
    QFETCH(int, card);
    QCOMPARE(CardGeometry::cardAt(QSizeF(300, 200), point), card);
}

void TestCardLayout::textWriter_data()
{
    QTest::addColumn<QPointF>("start");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("bottom"); // 0: none
    QTest::addColumn<QStringList>("drawn");
    QTest::addColumn<bool>("complete");
    // Every character 10 wide, lines 12 high, right bound 32.
    QTest::newRow("wraps at the right bound")
        << QPointF(2, 2) << u"abcd"_s << 0.0
        << QStringList{u"2,2:a"_s, u"12,2:b"_s, u"22,2:c"_s, u"2,14:d"_s} << true;
    QTest::newRow("encoded line break")
        << QPointF(2, 2) << u"a\\nb"_s << 0.0 << QStringList{u"2,2:a"_s, u"2,14:b"_s} << true;
    QTest::newRow("CR breaks, LF skipped")
        << QPointF(2, 2) << u"a\r\nb"_s << 0.0 << QStringList{u"2,2:a"_s, u"2,14:b"_s} << true;
    QTest::newRow("new lines start at the start X")
        << QPointF(12, 2) << u"abc\\nd"_s << 0.0
        << QStringList{u"12,2:a"_s, u"22,2:b"_s, u"12,14:c"_s, u"12,26:d"_s} << true;
    QTest::newRow("cut short at the bottom")
        << QPointF(2, 2) << u"ab\\ncd"_s << 30.0
        << QStringList{u"2,2:a"_s, u"12,2:b"_s, u"2,14:･･･････"_s} << false;
    QTest::newRow("fits exactly") << QPointF(2, 2) << u"ab"_s << 26.0
                                  << QStringList{u"2,2:a"_s, u"12,2:b"_s} << true;
}

void TestCardLayout::textWriter()
{
    QFETCH(QPointF, start);
    QFETCH(QString, text);
    QFETCH(double, bottom);
    QFETCH(QStringList, drawn);
    QFETCH(bool, complete);
    QStringList seen;
    CardTextWriter writer(
        12, [](const QString &s) { return 10.0 * s.size(); },
        [&](const QPointF &at, const QString &s) {
            seen.append(u"%1,%2:%3"_s.arg(at.x()).arg(at.y()).arg(s));
        });
    writer.setPosition(start);
    QCOMPARE(writer.write(text, 32, bottom > 0 ? std::optional<qreal>(bottom) : std::nullopt),
             complete);
    QCOMPARE(seen, drawn);
}

void TestCardLayout::sheetDrawsRowsInFileOrder()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(u"sub"_s));
    const QString recipeFile = dir.path() + u"/sub/r.csv"_s;
    QStringList lines = {u"@TITLE=x"_s, RecipeFileFormat::RecipeFileHeader};
    const QStringList pictures = {u"a.bmp"_s, QString(), u"missing.bmp"_s, u"a.bmp"_s};
    for (int i = 0; i < pictures.size(); ++i) {
        RecipeRecord r;
        r.setField(RecipeRecord::DishName, u"dish %1"_s.arg(i + 2));
        r.setField(RecipeRecord::Ingredients, u"salt\\npepper"_s);
        r.setField(RecipeRecord::Picture, pictures.at(i));
        lines.append(RecordCodec::writeRecordLine(r));
    }
    QFile file(recipeFile);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(lines.join(u"\r\n"_s).toLatin1() + "\r\n");
    file.close();

    QImage red(40, 20, QImage::Format_RGB32);
    red.fill(Qt::red);
    QStringList loaded;
    const CardSheet::PictureLoader loader = [&](const QString &path, QSize) {
        loaded.append(path);
        return path.endsWith(u"a.bmp"_s) ? red : QImage();
    };
    QImage surface(305, 205, QImage::Format_RGB32);
    surface.fill(Qt::white);
    QPainter painter(&surface);
    // Records 5, 2, 4 asked for; they are drawn in file order 2, 4, 5.
    const QList<int> drawn =
        CardSheet::draw(painter, surface.size(), 96, recipeFile, {5, 2, 4}, loader);
    painter.end();
    QCOMPARE(drawn, (QList<int>{1, 2, 0}));
    const QString folder = dir.path() + u"/sub/"_s;
    QCOMPARE(loaded,
             (QStringList{folder + u"a.bmp"_s, folder + u"missing.bmp"_s, folder + u"a.bmp"_s}));
    // Cards 1 and 3 show the picture below the title; card 2 (missing
    // picture) shows its ingredients there instead.
    QCOMPARE(surface.pixelColor(50, 40), QColor(Qt::red));
    QVERIFY(surface.pixelColor(150, 40) != QColor(Qt::red));
    QCOMPARE(surface.pixelColor(250, 40), QColor(Qt::red));
}

QTEST_MAIN(TestCardLayout)
#include "tst_cardlayout.moc"
