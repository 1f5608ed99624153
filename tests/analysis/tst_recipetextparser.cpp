#include "analysis/recipetextparser.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString lines(const QStringList &l)
{
    return l.join(u"\r\n"_s) + u"\r\n"_s;
}

QString valueOf(const RecipeTextAnalysis &a, const QString &name)
{
    const QHash<QString, QString RecipeTextAnalysis::*> fields = {
        {u"dishName"_s, &RecipeTextAnalysis::dishName},
        {u"ingredients"_s, &RecipeTextAnalysis::ingredients},
        {u"method"_s, &RecipeTextAnalysis::method},
        {u"imageFile"_s, &RecipeTextAnalysis::imageFile},
        {u"servings"_s, &RecipeTextAnalysis::servings},
        {u"notes"_s, &RecipeTextAnalysis::notes},
        {u"point"_s, &RecipeTextAnalysis::point},
        {u"protein"_s, &RecipeTextAnalysis::protein},
        {u"carbohydrate"_s, &RecipeTextAnalysis::carbohydrate},
        {u"fat"_s, &RecipeTextAnalysis::fat},
        {u"time"_s, &RecipeTextAnalysis::time},
        {u"registeredOn"_s, &RecipeTextAnalysis::registeredOn},
        {u"salt"_s, &RecipeTextAnalysis::salt},
        {u"calories"_s, &RecipeTextAnalysis::calories},
        {u"author"_s, &RecipeTextAnalysis::author},
        {u"purpose"_s, &RecipeTextAnalysis::purpose},
        {u"cuisine"_s, &RecipeTextAnalysis::cuisine},
        {u"cost"_s, &RecipeTextAnalysis::cost},
        {u"effort"_s, &RecipeTextAnalysis::effort},
        {u"special"_s, &RecipeTextAnalysis::special},
        {u"category"_s, &RecipeTextAnalysis::category},
        {u"word"_s, &RecipeTextAnalysis::word},
        {u"flags"_s, &RecipeTextAnalysis::flags},
    };
    Q_ASSERT(fields.contains(name));
    return a.*fields.value(name);
}

} // namespace

class TestRecipeTextParser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void field_data();
    void field();
    void authorKeptUnlessNamed();
    void settingsBlockSkipsDishRules();
    void nastyInputs_data();
    void nastyInputs();
    void largeInputIsLinear();
};

void TestRecipeTextParser::field_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");

    QTest::newRow("title brackets") << lines({u"＜肉じゃが＞"_s}) << u"dishName"_s << u"肉じゃが"_s;
    QTest::newRow("title line is no note")
        << lines({u"＜肉じゃが＞"_s, u"おふくろの味"_s, u"材料"_s, u"卵"_s}) << u"notes"_s
        << u"おふくろの味"_s;
    QTest::newRow("title vote") << lines({u"カレー投票"_s}) << u"dishName"_s << u"カレー"_s;
    QTest::newRow("title decoration")
        << lines({u"★☆ 簡単～ 親子丼 ★"_s}) << u"dishName"_s << u"簡単 親子丼"_s;
    QTest::newRow("title after rule line")
        << lines({u"-----"_s, u"  卵焼き"_s, u"-----"_s}) << u"dishName"_s << u"卵焼き"_s;
    QTest::newRow("title after blank lines")
        << u"\r\n \r\n\u3000\r\n卵焼き"_s << u"dishName"_s << u"卵焼き"_s;
    QTest::newRow("byte-order mark") << u"\uFEFF卵焼き\r\n"_s << u"dishName"_s << u"卵焼き"_s;
    QTest::newRow("title LF only")
        << u"卵焼き\n材料\n卵 2個\n"_s << u"ingredients"_s << u"卵 2個"_s;
    // LF CR is two line ends: the blank line between ends the numbered method.
    QTest::newRow("lone CR and LF CR")
        << u"x\r材料\r卵\r作り方\r1. 切る。\n\r完成です。\r"_s << u"method"_s << u"1. 切る。"_s;

    const QString headed = lines({u"豚汁"_s, u"材料（2人分）"_s, u"豚肉 100g"_s, u"大根 5cm"_s});
    QTest::newRow("servings from heading") << headed << u"servings"_s << u"2"_s;
    QTest::newRow("servings note removed")
        << headed << u"ingredients"_s << u"豚肉 100g\r\n大根 5cm"_s;
    QTest::newRow("ingredient cost is no heading")
        << lines({u"豚汁"_s, u"材料費は300円"_s, u"豚肉 100g"_s}) << u"ingredients"_s
        << u"材料費は300円\r\n豚肉 100g"_s;
    QTest::newRow("heading with colon")
        << lines({u"豚汁"_s, u"材料：豚肉、大根"_s}) << u"ingredients"_s << u"豚肉\r\n大根"_s;
    QTest::newRow("one-line ingredient list")
        << lines({u"豚汁"_s, u"【材料】"_s, u"豚肉、玉ねぎ、人参"_s}) << u"ingredients"_s
        << u"豚肉\r\n玉ねぎ\r\n人参"_s;
    QTest::newRow("grams and blanks")
        << lines({u"x"_s, u"材料"_s, u"豚肉    100グラム"_s}) << u"ingredients"_s << u"豚肉 100g"_s;
    QTest::newRow("notes become ingredients")
        << lines({u"x"_s, u"豚肉"_s, u"大根"_s}) << u"ingredients"_s << u"豚肉\r\n大根"_s;

    const QString numbered =
        lines({u"野菜炒め"_s, u"キャベツ 1/4個"_s, u"1. キャベツを切る。"_s, u"2. 炒める。"_s});
    QTest::newRow("numbered steps start the method")
        << numbered << u"method"_s << u"1. キャベツを切る。\r\n2. 炒める。"_s;
    QTest::newRow("numbered steps leave the rest")
        << numbered << u"ingredients"_s << u"キャベツ 1/4個"_s;
    QTest::newRow("circled first step")
        << lines({u"x"_s, u"①切る"_s, u"②煮る"_s}) << u"method"_s << u"①切る\r\n②煮る"_s;
    QTest::newRow("full-width numbered step")
        << lines({u"x"_s, u"（１）切る"_s}) << u"method"_s << u"(1)切る"_s;
    QTest::newRow("bare method heading dropped")
        << lines({u"x"_s, u"【作り方】"_s, u"切る"_s}) << u"method"_s << u"切る"_s;
    QTest::newRow("angle method heading dropped")
        << lines({u"x"_s, u"<作り方>"_s, u"切る"_s}) << u"method"_s << u"切る"_s;
    QTest::newRow("long method heading keeps rest")
        << lines({u"x"_s, u"作り方（約20分）の手順"_s, u"切る"_s}) << u"method"_s
        << u"(約20分)の手順\r\n切る"_s;
    QTest::newRow("spaced heading")
        << lines({u"x"_s, u"手　順"_s, u"切る"_s}) << u"method"_s << u"切る"_s;
    QTest::newRow("prep sentence is no heading")
        << lines({u"x"_s, u"作り方"_s, u"下準備が大切"_s}) << u"method"_s << u"下準備が大切"_s;
    QTest::newRow("broken sentences joined")
        << lines({u"x"_s, u"作り方"_s, u"鍋に"_s, u"水を"_s, u"入れ、"_s, u"煮る。"_s, u""_s, u""_s,
                  u"完成。"_s})
        << u"method"_s << u"鍋に水を入れ、煮る。\r\n完成。"_s;
    QTest::newRow("glued step number")
        << lines({u"x"_s, u"作り方"_s, u"1."_s, u"切る。"_s, u"切る。2."_s, u"煮る。"_s})
        << u"method"_s << u"1.切る。\r\n切る。2.煮る。"_s;
    QTest::newRow("bar numbered steps")
        << lines({u"x"_s, u"| 1 切る | 2 煮る"_s}) << u"method"_s << u"1. 切る\r\n2. 煮る"_s;

    QTest::newRow("one-point") << lines({u"x"_s, u"ワンポイント：強火で"_s}) << u"point"_s
                               << u"強火で"_s;
    QTest::newRow("comment") << lines({u"x"_s, u"コメント:おいしい"_s}) << u"point"_s
                             << u"おいしい"_s;
    QTest::newRow("point heading")
        << lines({u"x"_s, u"作り方"_s, u"切る"_s, u"【ポイント】"_s, u"  強火で"_s, u"  一気に"_s})
        << u"point"_s << u"強火で\r\n一気に"_s;
    QTest::newRow("decorated point heading")
        << lines({u"x"_s, u"★ポイント★"_s, u"強火で"_s}) << u"point"_s << u"強火で"_s;
    QTest::newRow("bare point heading")
        << lines({u"x"_s, u"★ポイント"_s, u"強火で"_s}) << u"point"_s << u"強火で"_s;
    QTest::newRow("tip heading with full-width mark")
        << lines({u"x"_s, u"材料"_s, u"卵"_s, u"◆今日のコツ！"_s, u"強火で"_s}) << u"point"_s
        << u"◆今日のコツ!\r\n強火で"_s;
    QTest::newRow("notes heading")
        << lines({u"x"_s, u"材料"_s, u"卵"_s, u"【備考】"_s, u"冷蔵で2日"_s}) << u"notes"_s
        << u"冷蔵で2日"_s;

    QTest::newRow("kcal in any case")
        << lines({u"x"_s, u"カロリー 350kcal"_s}) << u"calories"_s << u"350"_s;
    QTest::newRow("KCAL") << lines({u"x"_s, u"350KCAL"_s}) << u"calories"_s << u"350"_s;
    QTest::newRow("calorie sign") << lines({u"x"_s, u"350㌍"_s}) << u"calories"_s << u"350"_s;
    QTest::newRow("first calories win")
        << lines({u"x"_s, u"350KCAL"_s, u"500KCAL"_s}) << u"calories"_s << u"350"_s;
    QTest::newRow("salt") << lines({u"x"_s, u"塩分：２．１ｇ"_s}) << u"salt"_s << u"2.1"_s;
    QTest::newRow("protein") << lines({u"x"_s, u"蛋白質 12.5g 脂質 8g"_s}) << u"protein"_s
                             << u"12.5"_s;
    QTest::newRow("fat") << lines({u"x"_s, u"蛋白質 12.5g 脂質 8g"_s}) << u"fat"_s << u"8"_s;
    QTest::newRow("carbohydrate") << lines({u"x"_s, u"炭水化物 40グラム"_s}) << u"carbohydrate"_s
                                  << u"40"_s;

    QTest::newRow("time skips") << lines({u"x"_s, u"調理時間：約30分"_s}) << u"time"_s << u"30分"_s;
    QTest::newRow("cooking time") << lines({u"x"_s, u"料理時間 20分"_s}) << u"time"_s << u"20分"_s;
    QTest::newRow("cooking time removed")
        << lines({u"x"_s, u"料理時間20分 簡単"_s, u"材料"_s, u"卵"_s}) << u"notes"_s << u"簡単"_s;
    QTest::newRow("hours") << lines({u"x"_s, u"調理時間：1時間"_s}) << u"time"_s << u"1時間"_s;

    QTest::newRow("kanji servings") << lines({u"x"_s, u"二人分"_s}) << u"servings"_s << u"2"_s;
    QTest::newRow("ten not scanned") << lines({u"x"_s, u"十二人分"_s}) << u"servings"_s << u"2"_s;
    QTest::newRow("servings range") << lines({u"x"_s, u"3～4人前"_s}) << u"servings"_s << u"3～4"_s;

    QTest::newRow("date line") << lines({u"x"_s, u"2024年3月15日 作成"_s}) << u"registeredOn"_s
                               << u"2024年3月15日"_s;
    QTest::newRow("date marker") << lines({u"x"_s, u"今日の夕食<2005/03/15>"_s})
                                 << u"registeredOn"_s << u"2005/03/15>"_s;
    QTest::newRow("author line") << lines({u"x"_s, u"\u3000作者:母"_s}) << u"author"_s << u"母"_s;
    QTest::newRow("effort line") << lines({u"x"_s, u"\u3000手間:簡単"_s}) << u"effort"_s
                                 << u"簡単"_s;

    QTest::newRow("cuisine word") << lines({u"x"_s, u"和風の味付け"_s}) << u"cuisine"_s
                                  << u"和風"_s;
    QTest::newRow("later cuisine wins")
        << lines({u"x"_s, u"和食"_s, u"韓国風"_s}) << u"cuisine"_s << u"韓国"_s;
    QTest::newRow("italian") << lines({u"x"_s, u"イタリア料理"_s}) << u"cuisine"_s
                             << u"イタリアン"_s;
    QTest::newRow("dish word cuisine")
        << lines({u"x"_s, u"ハンバーグを焼く"_s}) << u"cuisine"_s << u"洋風"_s;
    QTest::newRow("special") << lines({u"x"_s, u"離乳食にも"_s}) << u"special"_s << u"離乳食"_s;
    QTest::newRow("cost") << lines({u"x"_s, u"安い材料で"_s}) << u"cost"_s << u"格安"_s;

    QTest::newRow("purpose from name") << lines({u"豚の生姜焼き"_s}) << u"purpose"_s << u"主菜"_s;
    QTest::newRow("category from name") << lines({u"豚の生姜焼き"_s}) << u"category"_s << u"肉"_s;
    QTest::newRow("word from name") << lines({u"豚の生姜焼き"_s}) << u"word"_s << u"ブタ"_s;
    QTest::newRow("bowl") << lines({u"ハンバーグ丼"_s}) << u"category"_s << u"飯/麺"_s;
    QTest::newRow("apple vinegar uses ingredients")
        << lines({u"りんご酢のドリンク"_s, u"材料"_s, u"りんご酢 大さじ2"_s, u"牛乳 200ml"_s})
        << u"category"_s << u"乳製品"_s;
    QTest::newRow("apple vinegar purpose")
        << lines({u"りんご酢のドリンク"_s, u"材料"_s, u"牛乳 200ml"_s}) << u"purpose"_s
        << u"飲み物"_s;
    QTest::newRow("empty name uses ingredients")
        << lines({u"-----"_s}) << u"category"_s << QString();
    QTest::newRow("main ingredient named first")
        << lines({u"なすと豚肉のみそ炒め"_s}) << u"category"_s << u"野菜"_s;
    QTest::newRow("main ingredient of the first line")
        << lines({u"x"_s, u"材料"_s, u"卵 2個"_s, u"牛乳 200ml"_s}) << u"category"_s << u"卵"_s;

    // Pages as they are copied.
    const QString page =
        lines({u"クックノート"_s, u"ホーム > 肉料理 > 豚の生姜焼き"_s, u"豚の生姜焼き"_s,
               u"by たろう"_s, u"甘辛いタレが決め手です。"_s, u"PR"_s, u"材料 (2人分)"_s,
               u"豚ロース肉"_s, u"200g"_s, u"作り方"_s, u"1"_s, u"焼く。"_s, u"コツ・ポイント"_s,
               u"強火で。"_s, u"関連レシピ"_s, u"・鶏の照り焼きの作り方"_s});
    QTest::newRow("page name") << page << u"dishName"_s << u"豚の生姜焼き"_s;
    QTest::newRow("page amount below name") << page << u"ingredients"_s << u"豚ロース肉 200g"_s;
    QTest::newRow("page step number alone") << page << u"method"_s << u"1.焼く。"_s;
    QTest::newRow("page tip, related recipes left out") << page << u"point"_s << u"強火で。"_s;
    QTest::newRow("name with label and tagline")
        << lines({u"【応援レシピ1】鶏の唐揚げ ～にんにく醤油味～"_s, u"材料"_s, u"鶏肉"_s})
        << u"dishName"_s << u"鶏の唐揚げ"_s;
    QTest::newRow("name a heading repeats")
        << lines({u"おうちごはんラボ"_s, u"しっとり!"_s, u"鶏むね肉のチャーシュー"_s,
                  u"作り置きにも。"_s, u"鶏むね肉のチャーシューの材料(3人分)"_s, u"鶏むね肉 2枚"_s})
        << u"dishName"_s << u"鶏むね肉のチャーシュー"_s;
    QTest::newRow("name in a table cell")
        << lines({u"+--------+"_s, u"| 親子丼 |"_s, u"| 材料(2人分) |"_s, u"| 卵 | 3個 |"_s})
        << u"ingredients"_s << u"卵 3個"_s;
    QTest::newRow("heading pair of a two-column page")
        << lines({u"x"_s, u"作り方\t材料(4人分)"_s, u"卵\t2個"_s, u"1.割る。"_s})
        << u"ingredients"_s << u"卵 2個"_s;
    QTest::newRow("table header of ingredients")
        << lines({u"x"_s, u"材料・調味料\t分量\t下準備"_s, u"卵\t2個\t溶く"_s, u"作り方"_s,
                  u"焼く"_s})
        << u"ingredients"_s << u"卵 2個 溶く"_s;
    QTest::newRow("servings inside angle brackets")
        << lines({u"x"_s, u"<材料・2人分>"_s, u"卵 2個"_s}) << u"ingredients"_s << u"卵 2個"_s;
    QTest::newRow("sentence naming the method")
        << lines({u"x"_s, u"基本の作り方です。"_s, u"1. 割る"_s, u"2. 焼く"_s}) << u"method"_s
        << u"1. 割る\r\n2. 焼く"_s;
    QTest::newRow("point heading with its text")
        << lines({u"x"_s, u"作り方"_s, u"焼く"_s, u"減塩ポイント:だしをきかせる"_s}) << u"point"_s
        << u"だしをきかせる"_s;
    QTest::newRow("lines broken by the page width")
        << lines({u"x"_s, u"作り方"_s, u"(1)塩少々を入"_s, u"れた湯でゆでる。"_s, u"(2)切る。"_s})
        << u"method"_s << u"(1)塩少々を入れた湯でゆでる。\r\n(2)切る。"_s;

    QTest::newRow("calories below their label")
        << lines({u"x"_s, u"エネルギー"_s, u"/170 kcal"_s}) << u"calories"_s << u"170"_s;
    QTest::newRow("salt below its label")
        << lines({u"x"_s, u"食塩相当量"_s, u"/0.5 g"_s}) << u"salt"_s << u"0.5"_s;
    QTest::newRow("nutrition table rows")
        << lines({u"x"_s, u"エネルギー 食塩相当量"_s, u"52kcal 0.7g"_s}) << u"salt"_s << u"0.7"_s;
    QTest::newRow("salt remark is no salt content")
        << lines({u"x"_s, u"塩分が気になる方は七味を小さじ1(6g)"_s}) << u"salt"_s << QString();
    QTest::newRow("nutrition basis is no servings")
        << lines({u"x"_s, u"栄養情報(1人分)"_s, u"1人分あたり 320kcal"_s, u"材料(2人分)"_s})
        << u"servings"_s << u"2"_s;
    QTest::newRow("time with equals sign")
        << lines({u"x"_s, u"調理時間=約50分"_s}) << u"time"_s << u"50分"_s;
    QTest::newRow("time as a guide")
        << lines({u"x"_s, u"調理時間の目安:約30分"_s}) << u"time"_s << u"30分"_s;
    QTest::newRow("time beside servings")
        << lines({u"x"_s, u"15分\t2人前"_s}) << u"time"_s << u"15分"_s;
    QTest::newRow("step time is no cooking time")
        << lines({u"x"_s, u"作り方"_s, u"1. 10分煮る"_s}) << u"time"_s << QString();
}

void TestRecipeTextParser::field()
{
    QFETCH(QString, text);
    QFETCH(QString, field);
    QTEST(valueOf(RecipeTextParser::parse(text), field), "expected");
}

void TestRecipeTextParser::authorKeptUnlessNamed()
{
    QCOMPARE(RecipeTextParser::parse(u"卵焼き"_s, u"母"_s).author, u"母"_s);
    QCOMPARE(RecipeTextParser::parse(u"卵焼き\r\n\u3000作者:父"_s, u"母"_s).author, u"父"_s);
}

void TestRecipeTextParser::settingsBlockSkipsDishRules()
{
    const QString text =
        lines({u"■ざるそば"_s, u""_s, u"【材料】"_s, u"そば"_s, u"【作り方】"_s, u"茹でる"_s,
               u"【その他設定項目】"_s, u"\u3000主材料:野菜"_s, u"\u3000副材料:ナス"_s,
               u"\u3000目的:主菜"_s, u"\u3000塩分:1.5g"_s, u"材料"_s, u"\u3000時間:１０分"_s});
    const RecipeTextAnalysis a = RecipeTextParser::parse(text);
    QVERIFY(a.fromSettingsBlock);
    QCOMPARE(a.dishName, u"ざるそば"_s);
    QCOMPARE(a.purpose, u"主菜"_s);
    QCOMPARE(a.category, u"野菜"_s);
    QCOMPARE(a.word, u"ナス"_s);
    QCOMPARE(a.salt, u"1.5"_s);
    QCOMPARE(a.time, u"10分"_s);
    QCOMPARE(a.cuisine, QString());
    QCOMPARE(a.ingredients, u"そば"_s);
    QCOMPARE(a.method, u"茹でる"_s);
}

void TestRecipeTextParser::nastyInputs_data()
{
    QTest::addColumn<QString>("text");
    QString garbage;
    QRandomGenerator random(42);
    for (int i = 0; i < 200'000; ++i)
        garbage += QChar(char16_t(random.bounded(0x10000)));
    QTest::newRow("random units") << garbage;
    QString bytes = QString::fromLatin1(QByteArray(100'000, '\0'));
    QTest::newRow("nul bytes") << bytes;
    QTest::newRow("symbols only") << QString(u"【】｜|①1.(1)＜＞:：、。\r\n"_s).repeated(20'000);
    QTest::newRow("headings")
        << QString(u"材料\r\n作り方\r\nポイント\r\n【備考】\r\n"_s).repeated(5'000);
    QTest::newRow("bar markers") << QString(u"| 1| 2| 3| 9"_s).repeated(20'000);
    QTest::newRow("lone surrogates") << QString(u"\xD800\xDC00\xDBFF"_s).repeated(1000);
    QTest::newRow("only breaks") << QString(u"\r\n\r\r\n\n"_s).repeated(10'000);
    // Long lines full of what the scanners look for: each must stay linear.
    QTest::newRow("servings bases") << u"x\r\n"_s + QString(u"1人分あたり "_s).repeated(200'000);
    QTest::newRow("salt remarks") << u"x\r\n"_s + QString(u"塩分が"_s).repeated(300'000);
    QTest::newRow("steps in one line")
        << u"x\r\n作り方\r\n"_s + QString(u"(1)切る。"_s).repeated(200'000);
    QTest::newRow("digits before kcal") << u"x\r\n"_s + QString(1'000'000, u'1') + u"kcal"_s;
    QTest::newRow("one bracket") << u"＜"_s;
    QTest::newRow("settings block only") << u"【その他設定項目】"_s;
}

void TestRecipeTextParser::nastyInputs()
{
    QFETCH(QString, text);
    const RecipeTextAnalysis a = RecipeTextParser::parse(text);
    QVERIFY(a.dishName.size() <= text.size());
}

void TestRecipeTextParser::largeInputIsLinear()
{
    // One line of 2 MB, and the same amount spread over many lines: both
    // finish (a step quadratic in the line or text length would not).
    const QString unit = u"豚肉を炒め、塩分1g "_s;
    const QString oneLine = unit.repeated(100'000);
    const RecipeTextAnalysis a = RecipeTextParser::parse(u"x\r\n作り方\r\n"_s + oneLine);
    QVERIFY(a.method.size() > oneLine.size() / 2);
    const QString manyLines = QString(unit + u"\r\n"_s).repeated(100'000);
    const RecipeTextAnalysis b = RecipeTextParser::parse(u"x\r\n作り方\r\n"_s + manyLines);
    QVERIFY(b.method.size() > manyLines.size() / 2);
    QCOMPARE(b.salt, u"1"_s);
}

QTEST_GUILESS_MAIN(TestRecipeTextParser)
#include "tst_recipetextparser.moc"
