#include "analysis/textfold.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestTextFold : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fold_data();
    void fold();
    void keepsLength();
};

void TestTextFold::fold_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("hiragana") << u"ぎょうざ"_s << u"ギョウザ"_s;
    QTest::newRow("half-width voiced stays two") << u"ﾊﾞﾅﾅ"_s << u"ハ゛ナナ"_s;
    QTest::newRow("comma and digits") << u"Ａ,１"_s << u"A，1"_s;
    QTest::newRow("punctuation") << u"。「」、・"_s << u"｡｢｣､･"_s;
    QTest::newRow("symbols") << u"！”＃＄％＆’（）＊＋－．／：；＜＝＞？＠［￥］＾＿｀｛｜｝￣"_s
                             << u"!\"#$%&'()*+-./:;<=>?@[\\]^_`{|}~"_s;
    QTest::newRow("ascii untouched") << u"abcXYZ 019.!"_s << u"abcXYZ 019.!"_s;
    QTest::newRow("kanji and katakana untouched") << u"豚肉カレー"_s << u"豚肉カレー"_s;
    QTest::newRow("not in table") << u"ぢゔ"_s << u"ぢゔ"_s;
    QTest::newRow("small kana and marks") << u"をぁっー゛゜ｧｯｰ"_s << u"ヲァッー゛゜ァッー"_s;
    QTest::newRow("full-width latin") << u"ＡＢＣｘｙｚ０９"_s << u"ABCxyz09"_s;
    QTest::newRow("surrogate pair kept") << u"𩸽の煮付け"_s << u"𩸽ノ煮付ケ"_s;
}

void TestTextFold::fold()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(foldText(input), expected);
}

void TestTextFold::keepsLength()
{
    QString all;
    for (char16_t c = 1; c < 0xD800; ++c)
        all += QChar(c);
    const QString folded = foldText(all);
    QCOMPARE(folded.size(), all.size());
    // Folding twice changes nothing more, and no ASCII comma survives.
    QCOMPARE(foldText(folded), folded);
    QVERIFY(!folded.contains(u','));
}

QTEST_GUILESS_MAIN(TestTextFold)
#include "tst_textfold.moc"
