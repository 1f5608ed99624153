#include "analysis/analysecommand.h"
#include "analysis/recipetextparser.h"
#include "platform/cp932.h"
#include "testsupport.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

QString dataFile(const QString &name)
{
    return QStringLiteral(QV_TEST_DATA_DIR) + u"/analysis/"_s + name;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestAnalyseCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decodeText_data();
    void decodeText();
    void recipeTexts_data();
    void recipeTexts();
    void printsExportLayout();
    void failures_data();
    void failures();
};

void TestAnalyseCommand::decodeText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    const QString text = u"肉じゃが\r\n材料"_s;
    QTest::newRow("utf-8") << text.toUtf8() << text;
    QTest::newRow("utf-8 with mark") << QByteArray("\xEF\xBB\xBF" + text.toUtf8()) << text;
    QTest::newRow("cp932") << Cp932::encodeLossy(text) << text;
    QByteArray le("\xFF\xFE");
    QByteArray be("\xFE\xFF");
    for (QChar c : text) {
        le += char(c.unicode() & 0xFF) + QByteArray(1, char(c.unicode() >> 8));
        be += QByteArray(1, char(c.unicode() >> 8)) + char(c.unicode() & 0xFF);
    }
    QTest::newRow("utf-16le") << le << text;
    QTest::newRow("utf-16be") << be << text;
    QTest::newRow("ascii") << QByteArray("abc") << u"abc"_s;
    QTest::newRow("empty") << QByteArray() << QString();
}

void TestAnalyseCommand::decodeText()
{
    QFETCH(QByteArray, bytes);
    QTEST(AnalyseCommand::decodeText(bytes), "expected");
}

void TestAnalyseCommand::recipeTexts_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");
    const QString nikujaga = u"nikujaga.txt"_s;
    QTest::newRow("nikujaga name") << nikujaga << u"dishName"_s << u"肉じゃが"_s;
    QTest::newRow("nikujaga servings") << nikujaga << u"servings"_s << u"2"_s;
    QTest::newRow("nikujaga ingredients first")
        << nikujaga << u"ingredients"_s << u"牛こま切れ肉 150g"_s;
    QTest::newRow("nikujaga method")
        << nikujaga << u"method"_s
        << u"1. じゃがいもは皮をむいて一口大に切り、水にさらす。\r\n"
           u"2. 玉ねぎはくし形に、にんじんは乱切りにする。\r\n"
           u"3. 鍋に油を熱し、牛肉を炒め、色が変わったら野菜を加えてさらに炒める。\r\n"
           u"4. Aと水200mlを加え、落とし蓋をして15分煮る。"_s;
    QTest::newRow("nikujaga point first")
        << nikujaga << u"point"_s << u"じゃがいもは煮崩れしにくいメークインがおすすめです。"_s;
    QTest::newRow("nikujaga time") << nikujaga << u"time"_s << u"30分"_s;
    QTest::newRow("nikujaga salt") << nikujaga << u"salt"_s << u"2.1"_s;
    QTest::newRow("nikujaga category") << nikujaga << u"category"_s << u"肉"_s;

    const QString karaage = u"karaage.txt"_s;
    QTest::newRow("karaage name") << karaage << u"dishName"_s << u"鶏の唐揚げ"_s;
    QTest::newRow("karaage servings") << karaage << u"servings"_s << u"4"_s;
    QTest::newRow("karaage ingredients first")
        << karaage << u"ingredients"_s << u"鶏もも肉 2枚(約600g)"_s;
    QTest::newRow("karaage step joined")
        << karaage << u"method"_s
        << u"②ボウルに鶏肉、にんにく、しょうが、醤油、酒を入れてよくもみ込み、冷蔵庫で30分おく。"_s;
    QTest::newRow("karaage point")
        << karaage << u"point"_s << u"二度揚げすることで、冷めてもカリッとした食感が続きます。"_s;
    QTest::newRow("karaage calories") << karaage << u"calories"_s << u"420"_s;
    QTest::newRow("karaage fat") << karaage << u"fat"_s << u"25.1"_s;
    QTest::newRow("karaage carbohydrate") << karaage << u"carbohydrate"_s << u"15.2"_s;
    QTest::newRow("karaage time") << karaage << u"time"_s << u"25分"_s;
    QTest::newRow("karaage purpose") << karaage << u"purpose"_s << u"主菜"_s;
    QTest::newRow("karaage category") << karaage << u"category"_s << u"鳥"_s;
    QTest::newRow("karaage cost") << karaage << u"cost"_s << u"格安"_s;

    const QString misoshiru = u"misoshiru.txt"_s;
    QTest::newRow("misoshiru name") << misoshiru << u"dishName"_s << u"豆腐とわかめの味噌汁"_s;
    QTest::newRow("misoshiru servings") << misoshiru << u"servings"_s << u"2"_s;
    QTest::newRow("misoshiru ingredients")
        << misoshiru << u"ingredients"_s
        << u"絹ごし豆腐 1/2丁\r\n乾燥わかめ 小さじ2\r\nだし汁 400ml\r\n味噌 大さじ2"_s;
    QTest::newRow("misoshiru numbered method")
        << misoshiru << u"method"_s
        << u"(1)豆腐はさいの目に切る。わかめは水で戻す。\r\n(2)鍋にだし汁を温め、豆腐を入れる。\r\n"
           u"(3)火を止めて味噌を溶き入れ、わかめを加える。"_s;
    QTest::newRow("misoshiru point")
        << misoshiru << u"point"_s << u"味噌を入れたら煮立たせないこと。"_s;
    QTest::newRow("misoshiru notes")
        << misoshiru << u"notes"_s << u"毎日飲みたい和風の基本の汁物です。"_s;
    QTest::newRow("misoshiru purpose") << misoshiru << u"purpose"_s << u"スープ"_s;
    QTest::newRow("misoshiru cuisine") << misoshiru << u"cuisine"_s << u"和風"_s;

    const QString nikomi = u"nikomi.txt"_s;
    QTest::newRow("nikomi name") << nikomi << u"dishName"_s << u"ハンバーグの煮込み"_s;
    QTest::newRow("nikomi servings") << nikomi << u"servings"_s << u"2～3"_s;
    QTest::newRow("nikomi steps on their own lines")
        << nikomi << u"method"_s
        << u"1.玉ねぎをみじん切りにして炒め、冷ましておく。\r\n"
           u"2.ボウルにひき肉、玉ねぎ、卵、パン粉を入れてよく混ぜ、4等分して丸める。\r\n"
           u"3.フライパンで両面を焼き、トマト缶とケチャップを加えて蓋をして15分煮込む。"_s;
    QTest::newRow("nikomi point")
        << nikomi << u"point"_s
        << u"煮込む前にしっかり焼き色をつけると、うまみが閉じ込められます。"_s;
    QTest::newRow("nikomi cuisine") << nikomi << u"cuisine"_s << u"洋風"_s;
    QTest::newRow("nikomi purpose") << nikomi << u"purpose"_s << u"主菜"_s;
}

void TestAnalyseCommand::recipeTexts()
{
    QFETCH(QString, file);
    QFETCH(QString, field);
    QFETCH(QString, expected);
    const QByteArray bytes = readAll(dataFile(file));
    QVERIFY(!bytes.isEmpty());
    const RecipeTextAnalysis a = RecipeTextParser::parse(AnalyseCommand::decodeText(bytes));
    const QHash<QString, QString> values = {
        {u"dishName"_s, a.dishName},
        {u"servings"_s, a.servings},
        {u"ingredients"_s, a.ingredients},
        {u"method"_s, a.method},
        {u"point"_s, a.point},
        {u"notes"_s, a.notes},
        {u"time"_s, a.time},
        {u"salt"_s, a.salt},
        {u"calories"_s, a.calories},
        {u"fat"_s, a.fat},
        {u"carbohydrate"_s, a.carbohydrate},
        {u"purpose"_s, a.purpose},
        {u"category"_s, a.category},
        {u"cost"_s, a.cost},
        {u"cuisine"_s, a.cuisine},
    };
    QVERIFY(values.contains(field));
    const QString actual = values.value(field);
    // Long fields are checked by their first lines or a line they hold.
    if (actual != expected) {
        QVERIFY2(actual.startsWith(expected + u"\r\n"_s) ||
                     actual.contains(u"\r\n"_s + expected + u"\r\n"_s),
                 qPrintable(actual));
    }
}

void TestAnalyseCommand::printsExportLayout()
{
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const FixedClock clock;
    QCOMPARE(AnalyseCommand::run(dataFile(u"nikujaga.txt"_s), outStream, errStream, clock), 0);
    QCOMPARE(err, QString());
    QCOMPARE(out, QString::fromUtf8(readAll(dataFile(u"nikujaga.expected"_s))));
}

void TestAnalyseCommand::failures_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("content"); // written to the file named
    QTest::addColumn<QString>("reason");
    const QString file = u"recipe.txt"_s;
    QTest::newRow("missing file") << dataFile(u"no-such-file.txt"_s) << QByteArray() << QString();
    QTest::newRow("folder") << QStringLiteral(QV_TEST_DATA_DIR) << QByteArray() << QString();
    const QString noText = u"テキストファイルではありません"_s;
    const QString nothing = u"解析する文字がありません"_s;
    QTest::newRow("empty") << file << QByteArray("") << nothing;
    QTest::newRow("blanks") << file << QByteArray(" \r\n\t\r\n") << nothing;
    QTest::newRow("nul bytes") << file << (u"肉じゃが\r\n材料"_s.toUtf8() + QByteArray(3, '\0'))
                               << noText;
    QRandomGenerator random(1);
    QByteArray garbage(100'000, '\0');
    for (char &b : garbage)
        b = char(random.bounded(256));
    QTest::newRow("binary") << file << garbage << noText;
    QTest::newRow("too large") << file << QByteArray(AnalyseCommand::maxInputBytes + 1, 'a')
                               << u"大きすぎます（上限 4 MB）"_s;
    // A device that never ends is read no further than the limit.
    if (QFile::exists(u"/dev/zero"_s)) {
        QTest::newRow("endless") << u"/dev/zero"_s << QByteArray()
                                 << u"大きすぎます（上限 4 MB）"_s;
    }
}

void TestAnalyseCommand::failures()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    if (!content.isNull()) {
        QFile file(dir.filePath(path));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(content), content.size());
        file.close();
        path = file.fileName();
    }
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    QVERIFY(AnalyseCommand::run(path, outStream, errStream, FixedClock()) != 0);
    QCOMPARE(out, QString());
    if (reason.isEmpty())
        QVERIFY(!err.isEmpty());
    else
        QCOMPARE(err, path + u": "_s + reason + u"\n"_s);
}

QTEST_GUILESS_MAIN(TestAnalyseCommand)
#include "tst_analysecommand.moc"
