#include "platform/cp932.h"
#include "recipe/importmerge.h"
#include "recipe/recipefileformat.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The merge of an import file into the current file, on lines in memory.
class TestImportMerge : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void merge_data();
    void merge();
    void mergeKeyCutsAtTwoBytesACharacter();
};

static QList<QByteArray> encoded(const QStringList &lines)
{
    QList<QByteArray> out;
    for (const QString &line : lines)
        out.append(line == u"<header>"_s ? Cp932::encodeLossy(RecipeFileFormat::RecipeFileHeader)
                                         : Cp932::encodeLossy(line));
    return out;
}

void TestImportMerge::merge_data()
{
    QTest::addColumn<QStringList>("oldLines");
    QTest::addColumn<QStringList>("importLines");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("added");
    QTest::addColumn<int>("updated");
    QTest::addColumn<int>("kept");

    const QStringList samples = RecipeFileFormat::sampleRows;
    const QStringList meta = RecipeFileFormat::newFileMetadata;
    const QString hdr = u"<header>"_s;
    // The same recipes with another method text: same keys, new content.
    QStringList changed;
    for (const QString &row : samples)
        changed.append(row + u",changed"_s);

    QTest::newRow("every key present: all updated, total unchanged")
        << (meta + QStringList{hdr} + samples) << (QStringList{hdr} + changed)
        << (meta + QStringList{hdr} + changed) << 0 << 3 << 0;
    QTest::newRow("empty current file: every row added")
        << (meta + QStringList{hdr}) << (QStringList{u"any header"_s} + samples)
        << (meta + QStringList{hdr} + samples) << 3 << 0 << 0;
    // A first line that is a recipe is no header: nothing is dropped for one.
    QTest::newRow("files without a header: every row counts")
        << (meta + samples.mid(0, 1)) << samples.mid(1) << (meta + QStringList{hdr} + samples) << 2
        << 0 << 1;
    QTest::newRow("current file without any line") << QStringList() << (QStringList{hdr} + samples)
                                                   << (QStringList{hdr} + samples) << 3 << 0 << 0;
    QTest::newRow("author differs only: added beside, not merged")
        << QStringList{hdr, u"A,b,c,,,,,,,,,,,,,,,qv"_s}
        << QStringList{hdr, u"A,b,c,,,,,,,,,,,,,,,zz"_s}
        << QStringList{hdr, u"A,b,c,,,,,,,,,,,,,,,qv"_s, u"A,b,c,,,,,,,,,,,,,,,zz"_s} << 1 << 0
        << 1;
    QTest::newRow("interleaved keys keep key order")
        << QStringList{hdr, u"A,1,x"_s, u"C,1,x"_s, u"E,1,x"_s}
        << QStringList{hdr, u"B,1,x"_s, u"C,1,x,new"_s, u"F,1,x"_s}
        << QStringList{hdr, u"A,1,x"_s, u"B,1,x"_s, u"C,1,x,new"_s, u"E,1,x"_s, u"F,1,x"_s} << 2
        << 1 << 2;
    QTest::newRow("import out of key order: nothing dropped")
        << QStringList{hdr, u"B,1,x"_s, u"D,1,x"_s}
        << QStringList{hdr, u"E,1,x"_s, u"C,1,x"_s, u"A,1,x"_s}
        << QStringList{hdr, u"B,1,x"_s, u"D,1,x"_s, u"E,1,x"_s, u"C,1,x"_s, u"A,1,x"_s} << 3 << 0
        << 2;
    QTest::newRow("current file out of key order: nothing dropped")
        << QStringList{hdr, u"Z,1,x"_s, u"A,1,x"_s} << QStringList{hdr, u"M,1,x"_s}
        << QStringList{hdr, u"M,1,x"_s, u"Z,1,x"_s, u"A,1,x"_s} << 1 << 0 << 2;
    QTest::newRow("metadata: own kept, new ones added once, header replaced")
        << QStringList{u"@TITLE="_s, u"@URL=x"_s, u"old header"_s, u"A,1,x"_s}
        << QStringList{u"@TITLE= "_s, u"@作者=花子"_s, u"@作者=花子"_s, u"h"_s, u"B,1,x"_s}
        << QStringList{u"@TITLE="_s, u"@URL=x"_s, u"@作者=花子"_s, hdr, u"A,1,x"_s, u"B,1,x"_s} << 1
        << 0 << 1;
    QTest::newRow("metadata between rows keeps its place")
        << QStringList{hdr, u"A,1,x"_s, u"@NOTE=here"_s, u"C,1,x"_s, u"@END="_s}
        << QStringList{hdr, u"B,1,x"_s, u"D,1,x"_s}
        << QStringList{hdr,        u"A,1,x"_s, u"B,1,x"_s, u"@NOTE=here"_s,
                       u"C,1,x"_s, u"D,1,x"_s, u"@END="_s}
        << 2 << 0 << 2;
    QTest::newRow("keys compare trimmed fields")
        << QStringList{hdr, u"\"A \",\" 1\",x"_s} << QStringList{hdr, u"A,1,x,new"_s}
        << QStringList{hdr, u"A,1,x,new"_s} << 0 << 1 << 0;
}

void TestImportMerge::merge()
{
    QFETCH(QStringList, oldLines);
    QFETCH(QStringList, importLines);
    QFETCH(QStringList, expected);
    QFETCH(int, added);
    QFETCH(int, updated);
    QFETCH(int, kept);
    const ImportMerge::Result r = ImportMerge::merge(encoded(oldLines), encoded(importLines));
    QCOMPARE(r.lines, encoded(expected));
    QCOMPARE(r.added, added);
    QCOMPARE(r.updated, updated);
    QCOMPARE(r.kept, kept);
    QCOMPARE(r.total(), kept + updated + added);
}

void TestImportMerge::mergeKeyCutsAtTwoBytesACharacter()
{
    // Field 1 counts 10 characters, field 2 10 and field 3 25: a difference
    // beyond that does not make another recipe.
    RecipeRecord a;
    a.setField(1, u"0123456789X"_s);
    a.setField(2, u"abcdefghijY"_s);
    a.setField(3, QString(25, u'料') + u"A"_s);
    a.setField(18, u"qv"_s);
    RecipeRecord b = a;
    b.setField(1, u"0123456789Z"_s);
    b.setField(2, u"abcdefghijZ"_s);
    b.setField(3, QString(25, u'料') + u"B"_s);
    QCOMPARE(ImportMerge::mergeKey(a), ImportMerge::mergeKey(b));
    b.setField(18, u"QV"_s);
    QVERIFY(ImportMerge::mergeKey(a) != ImportMerge::mergeKey(b));
}

QTEST_GUILESS_MAIN(TestImportMerge)
#include "tst_importmerge.moc"
