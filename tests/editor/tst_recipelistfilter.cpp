#include "editor/recipelistfilter.h"
#include "recipe/recordcodec.h"

#include <QTest>

// Declared before the first use, or an optimised build instantiates it first.
Q_DECLARE_METATYPE(RecipeRecord)

using namespace Qt::StringLiterals;

namespace {

// A row from its defined fields: 主材料, 副材料, 料理名, フラグ and fields 13..18.
RecipeRecord row(const QString &f1, const QString &f2, const QString &f3 = u"料理"_s,
                 const QString &flags = u"0|0|0|0|0|0|0|"_s, const QString &purpose = {},
                 const QString &author = {})
{
    RecipeRecord r;
    r.setField(RecipeRecord::MainCategory, f1);
    r.setField(RecipeRecord::MainIngredient, f2);
    r.setField(RecipeRecord::DishName, f3);
    r.setField(RecipeRecord::Flags, flags);
    r.setField(RecipeRecord::Purpose, purpose);
    r.setField(RecipeRecord::Author, author);
    return r;
}

} // namespace

class TestRecipeListFilter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void views_data()
    {
        QTest::addColumn<QString>("view");
        QTest::addColumn<QString>("second");
        QTest::addColumn<RecipeRecord>("record");
        QTest::addColumn<bool>("listed");
        const QString fav = u"0|1|0|0|0|0|0|"_s;
        const QString plain = u"0|0|0|0|0|0|0|"_s;
        QTest::newRow("all lists everything")
            << u"全て"_s << QString() << row(u"肉"_s, u"牛"_s) << true;
        QTest::newRow("empty view lists everything")
            << QString() << QString() << row(u"魚"_s, QString()) << true;
        QTest::newRow("category matches field 1")
            << u"肉"_s << QString() << row(u" 肉 "_s, u"牛"_s) << true;
        QTest::newRow("category other row")
            << u"肉"_s << QString() << row(u"魚"_s, u"牛"_s) << false;
        QTest::newRow("second filter matches field 2")
            << u"肉"_s << u"豚コマ"_s << row(u"肉"_s, u"豚コマ"_s) << true;
        QTest::newRow("second filter other field 2")
            << u"肉"_s << u"豚コマ"_s << row(u"肉"_s, u"牛"_s) << false;
        QTest::newRow("other: unlisted field 2")
            << u"肉"_s << u"その他"_s << row(u"肉"_s, u"鹿"_s) << true;
        QTest::newRow("other: empty field 2")
            << u"肉"_s << u"その他"_s << row(u"肉"_s, QString()) << true;
        QTest::newRow("other: listed field 2")
            << u"肉"_s << u"その他"_s << row(u"肉"_s, u"豚コマ"_s) << false;
        QTest::newRow("other: listed after trim")
            << u"肉"_s << u"その他"_s << row(u"肉"_s, u" 牛 "_s) << false;
        QTest::newRow("other: other category")
            << u"肉"_s << u"その他"_s << row(u"魚"_s, u"鹿"_s) << false;
        QTest::newRow("favourite listed")
            << u"お気入"_s << QString() << row(u"魚"_s, u"鯛"_s, u"x"_s, fav) << true;
        QTest::newRow("favourite whatever the second filter")
            << u"お気入"_s << u"その他"_s << row(u"魚"_s, u"鯛"_s, u"x"_s, fav) << true;
        QTest::newRow("non-favourite not listed")
            << u"お気入"_s << QString() << row(u"魚"_s, u"鯛"_s, u"x"_s, plain) << false;
        QTest::newRow("favourite flag counts only in its view")
            << u"肉"_s << QString() << row(u"魚"_s, u"鯛"_s, u"x"_s, fav) << false;
        QTest::newRow("short flags")
            << u"お気入"_s << QString() << row(u"魚"_s, u"鯛"_s, u"x"_s, u"0|"_s) << false;
        QTest::newRow("genre empty filter")
            << u"ジャンル"_s << QString() << row(u"魚"_s, u"鯛"_s) << true;
        QTest::newRow("genre matches field 13")
            << u"ジャンル"_s << u"主菜"_s << row(u"魚"_s, u"鯛"_s, u"x"_s, plain, u" 主菜"_s)
            << true;
        QTest::newRow("genre other field 13")
            << u"ジャンル"_s << u"主菜"_s << row(u"魚"_s, u"鯛"_s, u"x"_s, plain, u"副菜"_s)
            << false;
    }
    void views()
    {
        QFETCH(QString, view);
        QFETCH(QString, second);
        QFETCH(RecipeRecord, record);
        QFETCH(bool, listed);
        RecipeListFilter filter;
        filter.view = view;
        filter.secondFilter = second;
        filter.secondEntries = {QString(), u" 豚コマ"_s, u" 牛"_s, u" その他"_s};
        QCOMPARE(filter.listed(record, RecordCodec::writeRecordLine(record)), listed);
    }

    void search_data()
    {
        QTest::addColumn<QString>("mainCategory");
        QTest::addColumn<QString>("ingredients");
        QTest::addColumn<QString>("author");
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<int>("eaten");
        QTest::addColumn<RecipeRecord>("record");
        QTest::addColumn<bool>("listed");
        const QString none;
        QTest::newRow("no conditions")
            << none << none << none << none << 0 << row(u"肉"_s, u"牛"_s) << true;
        QTest::newRow("豆 within 豆/豆腐")
            << u"豆/豆腐"_s << none << none << none << 0 << row(u"豆"_s, none) << true;
        QTest::newRow("豆腐 within 豆/豆腐")
            << u"豆/豆腐"_s << none << none << none << 0 << row(u"豆腐"_s, none) << true;
        QTest::newRow("豆/豆腐 itself")
            << u"豆/豆腐"_s << none << none << none << 0 << row(u"豆/豆腐"_s, none) << true;
        QTest::newRow("other category")
            << u"豆/豆腐"_s << none << none << none << 0 << row(u"肉"_s, none) << false;
        QTest::newRow("empty category fails")
            << u"豆/豆腐"_s << none << none << none << 0 << row(u" "_s, none) << false;
        QTest::newRow("category ignores case")
            << u"PASTA"_s << none << none << none << 0 << row(u"pasta"_s, none) << true;
        QTest::newRow("ingredient by field 2")
            << none << u"豚コマ,"_s << none << none << 0 << row(u"肉"_s, u"豚コマ"_s) << true;
        QTest::newRow("ingredient by field 1")
            << none << u"豚コマ,"_s << none << none << 0 << row(u"豚コマ"_s, u"キャベツ"_s) << true;
        QTest::newRow("ingredient no match")
            << none << u"豚コマ,"_s << none << none << 0 << row(u"肉"_s, u"牛"_s) << false;
        QTest::newRow("ingredient whole words only")
            << none << u"豚コマ,"_s << none << none << 0 << row(u"肉"_s, u"コマ"_s) << false;
        QTest::newRow("ingredient both empty")
            << none << u"豚コマ,"_s << none << none << 0 << row(none, none) << false;
        QTest::newRow("second of two ingredients")
            << none << u"牛,豚コマ,"_s << none << none << 0 << row(u"肉"_s, u"豚コマ"_s) << true;
        QTest::newRow("author equal")
            << none << none << u"qv"_s << none << 0
            << row(u"肉"_s, none, u"x"_s, u"0|"_s, none, u" qv "_s) << true;
        QTest::newRow("author differs")
            << none << none << u"qv"_s << none << 0
            << row(u"肉"_s, none, u"x"_s, u"0|"_s, none, u"qvx"_s) << false;
        QTest::newRow("keyword anywhere, any case")
            << none << none << none << u"CROQ"_s << 0 << row(u"肉"_s, none, u"croquette"_s) << true;
        QTest::newRow("keyword missing")
            << none << none << none << u"カレー"_s << 0 << row(u"肉"_s, none, u"x"_s) << false;
        QTest::newRow("eaten: eaten") << none << none << none << none << 1
                                      << row(u"肉"_s, none, u"x"_s, u"0|0|1|0|0|0|0|"_s) << true;
        QTest::newRow("eaten: not eaten")
            << none << none << none << none << 1 << row(u"肉"_s, none, u"x"_s, u"0|0|0|0|0|0|0|"_s)
            << false;
        QTest::newRow("not eaten: eaten")
            << none << none << none << none << 2 << row(u"肉"_s, none, u"x"_s, u"0|0|1|0|0|0|0|"_s)
            << false;
        QTest::newRow("not eaten: not eaten")
            << none << none << none << none << 2 << row(u"肉"_s, none, u"x"_s, u"0|0|0|0|0|0|0|"_s)
            << true;
        QTest::newRow("trial: trial") << none << none << none << none << 3
                                      << row(u"肉"_s, none, u"x"_s, u"0|0|0|0|1|0|0|"_s) << true;
        QTest::newRow("trial: not trial")
            << none << none << none << none << 3 << row(u"肉"_s, none, u"x"_s, u"0|0|0|0|0|0|0|"_s)
            << false;
    }
    void search()
    {
        QFETCH(QString, mainCategory);
        QFETCH(QString, ingredients);
        QFETCH(QString, author);
        QFETCH(QString, keyword);
        QFETCH(int, eaten);
        QFETCH(RecipeRecord, record);
        QFETCH(bool, listed);
        RecipeListFilter filter;
        filter.view = u"検索結果"_s;
        filter.secondFilter = u"牛"_s; // ignored in this view
        filter.mainCategory = mainCategory;
        filter.ingredientList = ingredients;
        filter.conditions[5] = author;
        filter.conditions[6] = keyword;
        filter.eatenFilter = eaten;
        QCOMPARE(filter.listed(record, RecordCodec::writeRecordLine(record)), listed);
    }

    void groupJump_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("from");
        QTest::addColumn<bool>("forward");
        QTest::addColumn<int>("to");
        const QStringList groups = {u"肉\t a"_s, u"肉\t b"_s,   u"魚\t c"_s,
                                    u"魚\t d"_s, u"菓子\t e"_s, u"菓子\t f"_s};
        QTest::newRow("next group") << groups << 0 << true << 2;
        QTest::newRow("next group from its middle") << groups << 1 << true << 2;
        QTest::newRow("last group stays") << groups << 5 << true << 5;
        QTest::newRow("previous group's last entry") << groups << 3 << false << 1;
        QTest::newRow("first group stays") << groups << 1 << false << 1;
        QTest::newRow("nothing selected") << groups << -1 << true << -1;
        const QStringList odd = {u"肉\t a"_s, u"nothing"_s, u"\t g"_s, u"魚\t c"_s};
        QTest::newRow("no tab: no jump") << odd << 1 << true << 1;
        QTest::newRow("tab first: no jump") << odd << 2 << false << 2;
    }
    void groupJump()
    {
        QFETCH(QStringList, entries);
        QFETCH(int, from);
        QFETCH(bool, forward);
        QFETCH(int, to);
        QCOMPARE(RecipeListFilter::groupJump(entries, from, forward), to);
    }
};

QTEST_GUILESS_MAIN(TestRecipeListFilter)
#include "tst_recipelistfilter.moc"
