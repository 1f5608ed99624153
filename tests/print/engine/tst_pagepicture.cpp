#include "layoutfixtures.h"
#include "testsupport.h"

#include "print/engine/drawsurface.h"
#include "print/engine/pagepicture.h"
#include "print/engine/recordingtarget.h"

#include <QDir>
#include <QImage>
#include <QTest>

using namespace Qt::StringLiterals;
using Kind = RecordingTarget::Item::Kind;

namespace {

void savePicture(const TempProgramFolder &home, const QString &name, int width, int height)
{
    QDir().mkpath(home.file(u"pic"_s));
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QVERIFY(picture.save(home.file(u"pic/"_s + name), "BMP"));
}

} // namespace

class TestPagePicture : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void rotationCountsDown();
    void newFileTakesEffectOnWrap();
    void sizeAndPlacement_data();
    void sizeAndPlacement();
    void nothingWithoutPictures_data();
    void nothingWithoutPictures();
};

void TestPagePicture::rotationCountsDown()
{
    TempProgramFolder home;
    // Written out of order: the listing sorts by name.
    savePicture(home, u"c.bmp"_s, 30, 20);
    savePicture(home, u"a.BMP"_s, 10, 5);
    savePicture(home, u"b.bmp"_s, 20, 10);
    RecordingTarget rec;
    DrawSurface s(&rec, &rec);
    for (int i = 0; i < 5; ++i)
        PagePicture::drawPageBackground(s, bibleLayout(), 8, 88);
    QList<int> widths;
    for (const auto &item : rec.ofKind(Kind::Picture))
        widths.append(item.pictureSize.width());
    QCOMPARE(widths, (QList<int>{30, 20, 10, 30, 20}));
}

void TestPagePicture::newFileTakesEffectOnWrap()
{
    TempProgramFolder home;
    savePicture(home, u"a.bmp"_s, 10, 5);
    savePicture(home, u"b.bmp"_s, 20, 10);
    RecordingTarget rec;
    DrawSurface s(&rec, &rec);
    PagePicture::drawPageBackground(s, bibleLayout(), 8, 88); // b
    savePicture(home, u"c.bmp"_s, 30, 20);
    PagePicture::drawPageBackground(s, bibleLayout(), 8, 88); // a (position 1)
    PagePicture::drawPageBackground(s, bibleLayout(), 8, 88); // wrapped: c
    QList<int> widths;
    for (const auto &item : rec.ofKind(Kind::Picture))
        widths.append(item.pictureSize.width());
    QCOMPARE(widths, (QList<int>{20, 10, 30}));
}

void TestPagePicture::sizeAndPlacement_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QRectF>("placed");
    QTest::newRow("landscape fills the column") << 40 << 20 << QRectF(8, 116, 80, 40);
    QTest::newRow("square at the right edge") << 30 << 30 << QRectF(68, 136, 20, 20);
    QTest::newRow("portrait at the right edge") << 20 << 40 << QRectF(68, 116, 20, 40);
}

void TestPagePicture::sizeAndPlacement()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QRectF, placed);
    TempProgramFolder home;
    savePicture(home, u"one.bmp"_s, width, height);
    RecordingTarget rec(200.5, 1440.0 / 300);
    DrawSurface s(&rec, &rec);
    PagePicture::drawPageBackground(s, bibleLayout(), 8, 88);
    const auto pictures = rec.ofKind(Kind::Picture);
    QCOMPARE(pictures.size(), 1);
    const QRectF r = pictures[0].rect;
    QVERIFY2(qAbs(r.x() - placed.x()) < 1e-6 && qAbs(r.y() - placed.y()) < 1e-6 &&
                 qAbs(r.width() - placed.width()) < 1e-6 &&
                 qAbs(r.height() - placed.height()) < 1e-6,
             qPrintable(u"%1 %2 %3 %4"_s.arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height())));
    QCOMPARE(pictures[0].source, QRect(0, 0, width, height));
}

void TestPagePicture::nothingWithoutPictures_data()
{
    QTest::addColumn<QString>("file"); // empty: no folder at all
    QTest::newRow("no folder") << QString();
    QTest::newRow("only other files") << u"notes.txt"_s;
    QTest::newRow("a damaged bitmap") << u"bad.bmp"_s;
}

void TestPagePicture::nothingWithoutPictures()
{
    QFETCH(QString, file);
    TempProgramFolder home;
    if (!file.isEmpty())
        home.write(u"pic/"_s + file, "not a picture");
    RecordingTarget rec;
    DrawSurface s(&rec, &rec);
    PagePicture::drawPageBackground(s, bibleLayout(), 8, 88);
    PagePicture::drawPageBackground(s, bibleLayout(), 8, 88);
    QVERIFY(rec.items.isEmpty());
}

QTEST_GUILESS_MAIN(TestPagePicture)
#include "tst_pagepicture.moc"
