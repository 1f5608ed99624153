#include "analysis/classification.h"
#include "analysis/classificationrules.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestClassification : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tables();
    void dish_data();
    void dish();
    void keepsValuesWithoutMatch();
    void mainIngredient_data();
    void mainIngredient();
    void normalize_data();
    void normalize();
};

void TestClassification::tables()
{
    qsizetype dishKeywords = 0;
    for (const DishGenreRule &rule : DishGenreRules) {
        QVERIFY(rule.purpose);
        dishKeywords += qsizetype(rule.keywords.size());
    }
    QCOMPARE(dishKeywords, 140);
    qsizetype ingredientKeywords = 0;
    int stops = 0;
    for (const MainIngredientRule &rule : MainIngredientRules) {
        QVERIFY(rule.stops || rule.category);
        ingredientKeywords += qsizetype(rule.keywords.size());
        stops += rule.stops;
    }
    QCOMPARE(ingredientKeywords, 100);
    QCOMPARE(stops, 1);
    QVERIFY(MainIngredientRules[34].stops);
}

void TestClassification::dish_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("purpose");
    QTest::addColumn<QString>("cuisine");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("word");
    QTest::newRow("empty") << QString() << QString() << QString() << QString() << QString();
    QTest::newRow("no rule") << u"肉じゃが"_s << QString() << QString() << QString() << QString();
    QTest::newRow("lasagne") << u"ラザニア"_s << u"ご飯/麺"_s << u"洋風"_s << QString()
                             << QString();
    QTest::newRow("bowl before hamburg")
        << u"ハンバーグ丼"_s << u"ご飯/麺"_s << QString() << u"飯/麺"_s << QString();
    QTest::newRow("katsudon") << u"カツ丼"_s << u"ご飯/麺"_s << QString() << u"飯/麺"_s
                              << QString();
    QTest::newRow("ends in katsu")
        << u"チキンカツ"_s << u"主菜"_s << QString() << QString() << QString();
    QTest::newRow("katsu not at end")
        << u"カツサンド"_s << u"朝食"_s << QString() << QString() << QString();
    QTest::newRow("ginger pork") << u"豚の生姜焼き"_s << u"主菜"_s << QString() << QString()
                                 << QString();
    QTest::newRow("apple vinegar drink")
        << u"りんご酢のドリンク"_s << u"飲み物"_s << QString() << QString() << QString();
    QTest::newRow("soba word") << u"ざるそば"_s << u"ご飯/麺"_s << QString() << u"飯/麺"_s
                               << u"ソバ"_s;
    QTest::newRow("udon spaced") << u"きつねう ど ん"_s << u"ご飯/麺"_s << u"和風"_s << u"飯/麺"_s
                                 << u"ウドン"_s;
    QTest::newRow("spaghetti") << u"トマトのパスタ"_s << u"ご飯/麺"_s << QString() << u"飯/麺"_s
                               << u"スパゲッティ"_s;
    QTest::newRow("steak") << u"ビーフステーキ"_s << u"主菜"_s << QString() << u"肉"_s << QString();
    QTest::newRow("omelette") << u"オムレツ"_s << u"主菜"_s << u"洋風"_s << QString() << QString();
    QTest::newRow("gyoza") << u"焼き餃子"_s << u"副菜"_s << u"中華"_s << QString() << QString();
    QTest::newRow("ends in nuta") << u"わけぎのぬた"_s << u"副菜"_s << QString() << QString()
                                  << QString();
    QTest::newRow("pickles") << u"白菜漬物"_s << u"漬物"_s << QString() << QString() << QString();
    QTest::newRow("ends in tsuke")
        << u"きゅうりの浅漬け"_s << u"副菜"_s << QString() << QString() << QString();
    QTest::newRow("one char in tail text")
        << u"え"_s << u"副菜"_s << QString() << QString() << QString();
    QTest::newRow("one char comma") << u","_s << u"副菜"_s << QString() << QString() << QString();
    QTest::newRow("one char other") << u"柿"_s << QString() << QString() << QString() << QString();
    QTest::newRow("milk pudding") << u"牛乳プリン"_s << u"おやつ/デザート"_s << QString()
                                  << QString() << QString();
    QTest::newRow("soup") << u"豆腐の味噌汁"_s << u"スープ"_s << QString() << QString()
                          << QString();
    QTest::newRow("tataki") << u"鰹のたたき"_s << u"副菜"_s << u"和風"_s << QString() << QString();
    QTest::newRow("bento") << u"のり弁当"_s << u"弁当"_s << QString() << QString() << QString();
    QTest::newRow("last rule") << u"簡単おつまみ"_s << u"副菜"_s << QString() << QString()
                               << QString();
}

void TestClassification::dish()
{
    QFETCH(QString, name);
    DishClassification c;
    classifyDish(name, c);
    QTEST(c.purpose, "purpose");
    QTEST(c.cuisine, "cuisine");
    QTEST(c.category, "category");
    QTEST(c.word, "word");
}

void TestClassification::keepsValuesWithoutMatch()
{
    DishClassification c{u"a"_s, u"b"_s, u"c"_s, u"d"_s};
    classifyDish(u"ピザ"_s, c);
    QCOMPARE(c, (DishClassification{u"ご飯/麺"_s, u"洋風"_s, u"c"_s, u"d"_s}));
    classifyDish(u"謎"_s, c);
    QCOMPARE(c, (DishClassification{u"ご飯/麺"_s, u"洋風"_s, u"c"_s, u"d"_s}));
}

void TestClassification::mainIngredient_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("word");
    // Category and word start as "x" / "y" to show what is left alone.
    QTest::newRow("nothing") << u"水"_s << u"x"_s << u"y"_s;
    QTest::newRow("empty") << QString() << u"x"_s << u"y"_s;
    QTest::newRow("milk before beef") << u"牛乳プリン"_s << u"乳製品"_s << u"牛乳"_s;
    QTest::newRow("beef") << u"牛すじ煮込み"_s << u"肉"_s << u"牛"_s;
    QTest::newRow("ginger pork") << u"豚の生姜焼き"_s << u"肉"_s << u"ブタ"_s;
    QTest::newRow("tonkatsu") << u"とんかつ"_s << u"肉"_s << u"ブタ"_s;
    QTest::newRow("chicken keeps word") << u"チキンカツ"_s << u"鳥"_s << u"y"_s;
    QTest::newRow("chicken meat") << u"鶏肉の照り焼き"_s << u"鳥"_s << u"y"_s;
    QTest::newRow("generic meat keeps word") << u"肉団子"_s << u"肉"_s << u"y"_s;
    QTest::newRow("apple vinegar stops") << u"りんご酢のドリンク"_s << u"x"_s << u"y"_s;
    QTest::newRow("apple") << u"りんごのコンポート"_s << u"果物"_s << u"リンゴ"_s;
    QTest::newRow("vegetable before meat") << u"キャベツと肉"_s << u"葉野菜"_s << u"キャベツ"_s;
    QTest::newRow("potato") << u"ポテトサラダ"_s << u"イモ"_s << u"ジャガイモ"_s;
    QTest::newRow("mushroom keeps word") << u"きのこご飯"_s << u"キノコ"_s << u"y"_s;
    QTest::newRow("tuna can") << u"ツナマヨ"_s << u"魚加工"_s << u"ツナ"_s;
    QTest::newRow("garlic last rule") << u"葫"_s << u"野菜"_s << u"ニンニク"_s;
    QTest::newRow("no folding") << u"ｷｬﾍﾞﾂ"_s << u"x"_s << u"y"_s;
}

void TestClassification::mainIngredient()
{
    QFETCH(QString, text);
    QString category = u"x"_s;
    QString word = u"y"_s;
    classifyMainIngredient(text, category, word);
    QTEST(category, "category");
    QTEST(word, "word");
}

void TestClassification::normalize_data()
{
    QTest::addColumn<QString>("field1");
    QTest::addColumn<QString>("field2");
    QTest::addColumn<QString>("field3");
    QTest::addColumn<QString>("expected1");
    QTest::addColumn<QString>("expected2");
    QTest::addColumn<QString>("expected3");
    QTest::newRow("unchanged") << u"野菜"_s << u"ナス"_s << u"麻婆茄子"_s << u"野菜"_s << u"ナス"_s
                               << u"麻婆茄子"_s;
    QTest::newRow("other not folded")
        << u"その他"_s << u"その他"_s << u"x"_s << u"その他"_s << u"その他"_s << u"x"_s;
    QTest::newRow("folded") << u"ごはん"_s << u"ﾗｰﾒﾝ"_s << u"x"_s << u"飯/麺"_s << u"ラーメン"_s
                            << u"x"_s;
    QTest::newRow("rice category")
        << u"ゴハン"_s << QString() << u"x"_s << u"飯/麺"_s << QString() << u"x"_s;
    QTest::newRow("noodle category")
        << u"麺"_s << QString() << u"x"_s << u"飯/麺"_s << QString() << u"x"_s;
    QTest::newRow("bread category")
        << u"ぱん"_s << QString() << u"x"_s << u"飯/麺"_s << QString() << u"x"_s;
    QTest::newRow("fish") << u"魚"_s << QString() << u"x"_s << u"魚貝類"_s << QString() << u"x"_s;
    QTest::newRow("fish product") << u"魚加工"_s << QString() << u"x"_s << u"魚貝類"_s << QString()
                                  << u"x"_s;
    QTest::newRow("tofu") << u"豆腐"_s << QString() << u"x"_s << u"豆/豆腐"_s << QString()
                          << u"x"_s;
    QTest::newRow("category exact")
        << u" 麺"_s << QString() << u"x"_s << u" 麺"_s << QString() << u"x"_s;
    QTest::newRow("pork trimmed") << u"肉"_s << u" ブタ "_s << u"x"_s << u"肉"_s << u"豚"_s
                                  << u"x"_s;
    QTest::newRow("pork hiragana")
        << u"肉"_s << u"ぶた"_s << u"x"_s << u"肉"_s << u"豚"_s << u"x"_s;
    QTest::newRow("pork pieces") << u"肉"_s << u"ブタコマ"_s << u"x"_s << u"肉"_s << u"豚コマ"_s
                                 << u"x"_s;
    QTest::newRow("minced pork") << u"肉"_s << u"ぶた挽肉"_s << u"x"_s << u"肉"_s << u"豚挽肉"_s
                                 << u"x"_s;
    QTest::newRow("chikuwa moves category")
        << u"野菜"_s << u"チクワ"_s << u"x"_s << u"魚貝類"_s << u"魚加工"_s << u"x"_s;
    QTest::newRow("tuna") << u"その他"_s << u"つな"_s << u"x"_s << u"魚貝類"_s << u"魚加工"_s
                          << u"x"_s;
    QTest::newRow("ham") << u"肉"_s << u"はむ"_s << u"x"_s << u"肉"_s << u"ハム/ソーセージ"_s
                         << u"x"_s;
    QTest::newRow("comma folded") << u"a,b"_s << u"c,d"_s << u"x"_s << u"a，b"_s << u"c，d"_s
                                  << u"x"_s;
    QTest::newRow("field 3") << u"x"_s << u"y"_s << u" ご飯/麺 "_s << u"x"_s << u"y"_s
                             << u"飯/麺"_s;
}

void TestClassification::normalize()
{
    QFETCH(QString, field1);
    QFETCH(QString, field2);
    QFETCH(QString, field3);
    RecipeRecord r;
    r.setField(1, field1);
    r.setField(2, field2);
    r.setField(3, field3);
    r.setField(4, u"0|1|"_s);
    normalizeCategoryFields(r);
    QTEST(r.field(1), "expected1");
    QTEST(r.field(2), "expected2");
    QTEST(r.field(3), "expected3");
    QCOMPARE(r.field(4), u"0|1|"_s);
}

QTEST_GUILESS_MAIN(TestClassification)
#include "tst_classification.moc"
