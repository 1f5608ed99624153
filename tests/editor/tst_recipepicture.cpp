#include "editor/recipepicture.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QTest>

using namespace Qt::StringLiterals;

class TestRecipePicture : public QObject
{
    Q_OBJECT

private:
    static void touch(const QString &path)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("x");
    }

private Q_SLOTS:
    void findImageFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected"); // relative to the recipe folder, or absolute
        QTest::newRow("blank") << u"  "_s << QString();
        QTest::newRow("bare") << u"0001.bmp"_s << u"rec/0001.bmp"_s;
        QTest::newRow("trimmed") << u" 0001.bmp "_s << u"rec/0001.bmp"_s;
        QTest::newRow("case differs") << u"0002.BMP"_s << u"rec/0002.bmp"_s;
        QTest::newRow("subfolder") << u"pic\\a.bmp"_s << u"rec/pic/a.bmp"_s;
        QTest::newRow("dot") << u".\\a.bmp"_s << u"rec/a.bmp"_s;
        QTest::newRow("dot dot keeps the folder") << u"..\\pic\\a.bmp"_s << u"rec/pic/a.bmp"_s;
        QTest::newRow("backslash") << u"\\a.bmp"_s << u"rec/a.bmp"_s;
        QTest::newRow("missing keeps its name") << u"none.bmp"_s << u"rec/none.bmp"_s;
        QTest::newRow("drive") << u"C:\\x\\a.bmp"_s << u"C:/x/a.bmp"_s;
    }
    void findImageFile()
    {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        TempProgramFolder home;
        touch(home.file(u"rec/0001.bmp"_s));
        touch(home.file(u"rec/0002.bmp"_s));
        touch(home.file(u"rec/a.bmp"_s));
        touch(home.file(u"rec/pic/a.bmp"_s));
        const QString recipeFile = home.file(u"rec/QVRECIPE.csv"_s);
        const QString got = RecipePicture::findImageFile(recipeFile, name);
        if (expected.isEmpty() || expected.contains(u':'))
            QCOMPARE(got, expected);
        else
            QCOMPARE(got, home.file(expected));
    }

    void absolutePathUsedAsItStands()
    {
        TempProgramFolder home;
        touch(home.file(u"elsewhere/b.bmp"_s));
        const QString full = home.file(u"elsewhere/b.bmp"_s);
        QCOMPARE(RecipePicture::findImageFile(home.file(u"rec/r.csv"_s), full), full);
        QCOMPARE(RecipePicture::pictureNamePath(home.file(u"rec/r.csv"_s), full), full);
        QCOMPARE(RecipePicture::pictureNamePath(home.file(u"rec/r.csv"_s), u"c.bmp"_s),
                 home.file(u"rec/c.bmp"_s));
    }

    void fittedSize_data()
    {
        QTest::addColumn<QSize>("box");
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("wide picture, tall box")
            << QSize(100, 200) << QSize(400, 100) << QSize(100, 25);
        QTest::newRow("tall picture, wide box")
            << QSize(200, 100) << QSize(100, 400) << QSize(25, 100);
        QTest::newRow("same shape") << QSize(100, 50) << QSize(20, 10) << QSize(100, 50);
        QTest::newRow("small picture grows") << QSize(300, 300) << QSize(10, 20) << QSize(150, 300);
        QTest::newRow("empty picture") << QSize(100, 100) << QSize(0, 0) << QSize();
        QTest::newRow("empty box") << QSize(0, 100) << QSize(10, 10) << QSize();
    }
    void fittedSize()
    {
        QFETCH(QSize, box);
        QFETCH(QSize, picture);
        QFETCH(QSize, expected);
        QCOMPARE(RecipePicture::fittedSize(box, picture), expected);
    }

    void loadFormats_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("bmp") << u"BMP"_s << u"a.bmp"_s;
        QTest::newRow("jpeg") << u"JPG"_s << u"a.jpg"_s;
        QTest::newRow("png") << u"PNG"_s << u"a.png"_s;
        QTest::newRow("jpeg named bmp") << u"JPG"_s << u"b.bmp"_s;
    }
    void loadFormats()
    {
        QFETCH(QString, format);
        QFETCH(QString, fileName);
        TempProgramFolder home;
        QImage image(6, 4, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(home.file(fileName), format.toLatin1().constData()));
        const QImage loaded = RecipePicture::loadRecipePicture(home.file(fileName));
        QCOMPARE(loaded.size(), QSize(6, 4));
    }

    // Photos beyond Qt's allocation limit (128 MB decoded) still show: in the
    // picture box and on a card they are decoded at the drawn size, pasted
    // they are kept at most at the pasted-picture size.
    void largePhotos_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<int>("imageFormat");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QSize>("inBox");
        QTest::addColumn<QSize>("pasted"); // empty: not tried (same path as the box, and slow)
        QTest::newRow("8000 x 6000 JPEG")
            << u"jpeg"_s << int(QImage::Format_RGB888) << QSize(8000, 6000) << QSize(173, 130)
            << QSize(4096, 3072);
        QTest::newRow("16-bit 6000 x 4000 PNG") << u"png"_s << int(QImage::Format_RGBX64)
                                                << QSize(6000, 4000) << QSize(195, 130) << QSize();
    }
    void largePhotos()
    {
        QFETCH(QString, format);
        QFETCH(int, imageFormat);
        QFETCH(QSize, size);
        QFETCH(QSize, inBox);
        QFETCH(QSize, pasted);
        TempProgramFolder home;
        const QString path = home.file(u"photo."_s + format);
        {
            QImage photo(size, QImage::Format(imageFormat));
            photo.fill(QColor(200, 120, 40));
            QVERIFY(photo.save(path, format.toLatin1().constData()));
        }
        const QImage shown = RecipePicture::loadRecipePicture(path, QSize(220, 130));
        QCOMPARE(shown.size(), inBox);
        QCOMPARE(shown.pixelColor(10, 10).red() / 8, 200 / 8);

        if (pasted.isEmpty())
            return;
        QMimeData clipboard;
        clipboard.setData(u"image/"_s + format, home.read(u"photo."_s + format));
        QCOMPARE(
            RecipePicture::clipboardPicture(&clipboard, RecipePicture::pastedPictureBound).size(),
            pasted);
    }

    void loadGif()
    {
        TempProgramFolder home;
        // A 2 x 3 GIF: Qt reads GIF but cannot write it.
        home.write(u"x.gif"_s, QByteArray::fromHex("47494638396102000300f00000ff000000000021f904"
                                                   "00000000002c0000000002000300000202845f003b"));
        QCOMPARE(RecipePicture::loadRecipePicture(home.file(u"x.gif"_s)).size(), QSize(2, 3));
    }

    void unreadableKeepsHolder_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("blank") << u" "_s;
        QTest::newRow("missing") << u"none.bmp"_s;
        QTest::newRow("garbage") << u"bad.jpg"_s;
        QTest::newRow("folder") << u"dir.bmp"_s;
    }
    void unreadableKeepsHolder()
    {
        QFETCH(QString, path);
        TempProgramFolder home;
        home.write(u"bad.jpg"_s, "not a picture");
        QDir(home.path()).mkdir(u"dir.bmp"_s);
        QImage holder(3, 3, QImage::Format_RGB32);
        QVERIFY(!RecipePicture::loadRecipePicture(path.trimmed().isEmpty() ? path : home.file(path),
                                                  holder));
        QCOMPARE(holder.size(), QSize(3, 3));
    }

    void nextNumberedName_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("expected");
        QTest::newRow("none") << QStringList() << u"0001.bmp"_s;
        QTest::newRow("3 and 10") << QStringList{u"0003.bmp"_s, u"0010.bmp"_s} << u"0011.bmp"_s;
        QTest::newRow("upper case counts") << QStringList{u"0007.BMP"_s} << u"0008.bmp"_s;
        QTest::newRow("other names ignored")
            << QStringList{u"abcd.bmp"_s, u"00005.bmp"_s, u"0004.jpg"_s, u"0002.bmp"_s}
            << u"0003.bmp"_s;
        QTest::newRow("full takes a free number")
            << QStringList{u"0001.bmp"_s, u"0002.bmp"_s, u"9999.bmp"_s} << u"0003.bmp"_s;
    }
    void nextNumberedName()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, expected);
        TempProgramFolder home;
        for (const QString &f : files)
            home.write(u"rec/"_s + f, "x");
        QDir(home.path()).mkpath(u"rec"_s);
        QCOMPARE(RecipePicture::nextNumberedName(home.file(u"rec/"_s)), expected);
    }
};

QTEST_GUILESS_MAIN(TestRecipePicture)
#include "tst_recipepicture.moc"
