#include "editor/recipelistbuilder.h"
#include "testsupport.h"

#include <QDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestRecipeListBuilder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void numbersRowsAndNormalises()
    {
        TempProgramFolder home;
        home.write(u"r.csv"_s,
                   cp932Lines({u"@TITLE="_s, u"header"_s, u"肉,牛,ステーキ"_s, u"@MAIL=x"_s,
                               u"ゴハン,,おにぎり"_s, u"魚,鯛,鯛めし"_s}));
        RecipeListFilter filter;
        filter.view = u"飯/麺"_s;
        const auto normalize = [](RecipeRecord &r) {
            if (r.field(RecipeRecord::MainCategory) == u"ゴハン"_s)
                r.setField(RecipeRecord::MainCategory, u"飯/麺"_s);
        };
        const auto result = RecipeListBuilder::build(home.file(u"r.csv"_s), filter, normalize);
        QVERIFY(result.complete);
        QCOMPARE(result.entries.size(), 1);
        QCOMPARE(result.entries.front().recordNo, 3); // metadata lines do not count
        QCOMPARE(result.entries.front().text, u"飯/麺\t おにぎり"_s);
    }

    void missingFileListsNothing()
    {
        TempProgramFolder home;
        const auto result = RecipeListBuilder::build(home.file(u"none.csv"_s), {});
        QVERIFY(result.entries.isEmpty());
    }

    void linesEndsAndReadErrors_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QList<int>>("recordNos");
        QTest::addColumn<QString>("readError");
        // Files from old Macintosh editors end their lines with CR alone.
        QTest::newRow("CR-only line ends") << "cr" << QList<int>{2, 3} << QString();
        QTest::newRow("a folder") << "folder" << QList<int>{}
                                  << u"ファイルではなくフォルダーです。"_s;
    }

    void linesEndsAndReadErrors()
    {
        QFETCH(QString, kind);
        QFETCH(QList<int>, recordNos);
        QFETCH(QString, readError);
        TempProgramFolder home;
        if (kind == u"cr"_s)
            home.write(u"r.csv"_s, cp932Lines({u"@TITLE=\rheader\r肉,牛,ステーキ\r魚,鯛,鯛めし"_s})
                                       .replace("\r\n", "\r"));
        else
            QVERIFY(QDir().mkdir(home.file(u"r.csv"_s)));
        const auto result = RecipeListBuilder::build(home.file(u"r.csv"_s), {});
        QList<int> listed;
        for (const auto &entry : result.entries)
            listed.append(entry.recordNo);
        QCOMPARE(listed, recordNos);
        QCOMPARE(result.readError, readError);
    }

    void stopsWhenAsked()
    {
        TempProgramFolder home;
        QStringList lines = {u"header"_s};
        for (int i = 0; i < 2000; ++i)
            lines.append(u"肉,牛,料理%1"_s.arg(i));
        home.write(u"r.csv"_s, cp932Lines(lines));
        int calls = 0;
        const auto result = RecipeListBuilder::build(
            home.file(u"r.csv"_s), {}, {},
            [&] {
                ++calls;
                return false;
            },
            0);
        QCOMPARE(calls, 1);
        QVERIFY(!result.complete);
        int all = 0;
        const auto full = RecipeListBuilder::build(
            home.file(u"r.csv"_s), {}, {},
            [&] {
                ++all;
                return true;
            },
            0);
        QVERIFY(full.complete);
        QCOMPARE(full.entries.size(), 2000);
        QVERIFY(all >= 2000);
    }
};

QTEST_GUILESS_MAIN(TestRecipeListBuilder)
#include "tst_recipelistbuilder.moc"
