#include "recipe/vocabularyfile.h"
#include "testsupport.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

class TestVocabularyFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void defaultContentIsByteExact();
    void readSection_data();
    void readSection();
    void unreadableFileGivesNothing();
    void fillVocabularyLists();
    void selectOrAddItem_data();
    void selectOrAddItem();
};

void TestVocabularyFile::defaultContentIsByteExact()
{
    TempProgramFolder home;
    QCOMPARE(VocabularyFile::writeVocabularyFile(home.file(u"qvrecipe.txt"_s)), QString());
    QFile golden(QStringLiteral(QV_TEST_DATA_DIR "/qvrecipe.txt"));
    QVERIFY(golden.open(QIODevice::ReadOnly));
    QCOMPARE(home.read(u"qvrecipe.txt"_s), golden.readAll());
}

void TestVocabularyFile::readSection_data()
{
    QTest::addColumn<QStringList>("ownLines"); // a file of these lines instead of the default
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("categories") << QStringList{} << u"[材料]"_s << QString()
                                << QStringList{u"飯/麺"_s,  u"イモ"_s,   u"鳥"_s,      u"肉"_s,
                                               u"魚貝類"_s, u"卵"_s,     u"豆/豆腐"_s, u"乳製品"_s,
                                               u"野菜"_s,   u"葉野菜"_s, u"果物"_s,    u"菓子"_s,
                                               u"海草"_s,   u"キノコ"_s, u"酒"_s,      u"その他"_s};
    QTest::newRow("items of 肉") << QStringList{} << u"[材料]"_s << u"肉"_s
                                 << QStringList{u" 豚"_s,     u" 豚コマ"_s,          u" 豚挽肉"_s,
                                                u" 牛"_s,     u" 牛コマ"_s,          u" 牛挽肉"_s,
                                                u" 合挽肉"_s, u" ハム/ソーセージ"_s, u" レバー"_s};
    QTest::newRow("卵 has no items") << QStringList{} << u"[材料]"_s << u"卵"_s << QStringList{};
    QTest::newRow("trailing ideographic space of キャベツ kept")
        << QStringList{} << u"[材料]"_s << u"葉野菜"_s
        << QStringList{u" ネギ"_s,   u" 白菜"_s,       u" ホウレン草"_s,
                       u" モヤシ"_s, u" キャベツ　"_s, u" レタス"_s};
    QTest::newRow("author stops at next heading")
        << QStringList{} << u"[作者]"_s << QString()
        << QStringList{u"自分"_s, u"夫"_s, u"妻"_s, u"母"_s, u"祖母"_s};
    QTest::newRow("comment after comma cut")
        << QStringList{u"[目的]"_s, u"主菜,メインのおかず"_s, u"副菜  "_s} << u"[目的]"_s
        << QString() << QStringList{u"主菜"_s, u"副菜"_s};
    QTest::newRow("missing section") << QStringList{} << u"[無い]"_s << QString() << QStringList{};
}

void TestVocabularyFile::readSection()
{
    QFETCH(QStringList, ownLines);
    QFETCH(QString, section);
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    TempProgramFolder home;
    home.write(u"v.txt"_s,
               ownLines.isEmpty() ? VocabularyFile::defaultBytes() : cp932Lines(ownLines));
    QCOMPARE(VocabularyFile::readVocabularySection(home.file(u"v.txt"_s), section, filter),
             expected);
}

void TestVocabularyFile::unreadableFileGivesNothing()
{
    TempProgramFolder home;
    QVERIFY(VocabularyFile::readVocabularySection(home.file(u"none.txt"_s), u"[目的]"_s).isEmpty());
    ChoiceList purpose;
    VocabularyFile::fillVocabularyLists(home.file(u"none.txt"_s), {{u"cmb_mokuteki"_s, &purpose}});
    QCOMPARE(purpose.items, QStringList{QString()});
    QCOMPARE(purpose.current, 0);
}

void TestVocabularyFile::fillVocabularyLists()
{
    TempProgramFolder home;
    home.write(u"v.txt"_s, VocabularyFile::defaultBytes());
    ChoiceList cost, effort, other;
    VocabularyFile::fillVocabularyLists(home.file(u"v.txt"_s),
                                        {{u"cmb_cost"_s, &cost}, {u"cmb_tema"_s, &effort}});
    QCOMPARE(cost.items, (QStringList{QString(), u"格安"_s, u"普通"_s, u"リッチ"_s}));
    QCOMPARE(effort.items.size(), 5);
    QCOMPARE(cost.currentText(), QString());
    QVERIFY(other.items.isEmpty());
}

void TestVocabularyFile::selectOrAddItem_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("text");
    QTest::newRow("blanks around match") << u"  普通 "_s << 2 << 4 << u"普通"_s;
    QTest::newRow("missing added trimmed") << u" 高級 "_s << 4 << 5 << u"高級"_s;
    QTest::newRow("empty selects empty item") << QString() << 0 << 4 << QString();
    QTest::newRow("ideographic space is no blank") << u"普通　"_s << 4 << 5 << u"普通　"_s;
}

void TestVocabularyFile::selectOrAddItem()
{
    QFETCH(QString, value);
    QFETCH(int, current);
    QFETCH(int, count);
    QFETCH(QString, text);
    ChoiceList list{{QString(), u"格安"_s, u"普通"_s, u"リッチ"_s}, 3, {}};
    ::selectOrAddItem(value, list);
    QCOMPARE(list.current, current);
    QCOMPARE(list.items.size(), count);
    QCOMPARE(list.currentText(), text);
}

QTEST_GUILESS_MAIN(TestVocabularyFile)
#include "tst_vocabularyfile.moc"
