#include "app/appstate.h"
#include "recipe/recipefileformat.h"
#include "search/authortext.h"
#include "search/ui/authorlistwindow.h"
#include "testsupport.h"

#include <QPlainTextEdit>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QString invite = u"新しい作者さんの参加も募集しております。"_s;
}

class TestAuthorText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void build_data();
    void build();
    void metadataAnywhereInTheFile();
    void windowIsReadOnlyButSelectable();
};

void TestAuthorText::build_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("expected");

    QTest::newRow("title and author") << QStringList{u"@TITLE=家庭料理"_s, u"@作者=花子"_s}
                                      << u"\r\n[家庭料理]\r\n　　花子さん\r\n\r\n"_s + invite;
    QTest::newRow("url and mail, trailing blanks cut")
        << QStringList{u"@URL=http://example.jp/  "_s, u"@MAIL=a@example.jp\t"_s}
        << u"　　http://example.jp/\r\n　　a@example.jp\r\n\r\n"_s + invite;
    QTest::newRow("empty values add nothing")
        << QStringList{u"@TITLE="_s, u"@作者=  "_s, u"@URL="_s, u"@MAIL="_s} << u"\r\n"_s + invite;
    QTest::newRow("no metadata") << QStringList{RecipeFileFormat::RecipeFileHeader, u"a,b,c"_s}
                                 << u"\r\n"_s + invite;
    QTest::newRow("other @ lines ignored")
        << QStringList{u"@MEMO=x"_s, u"@TITLEX=y"_s} << u"\r\n"_s + invite;
}

void TestAuthorText::build()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, expected);
    QCOMPARE(AuthorText::build(lines), expected);
}

void TestAuthorText::metadataAnywhereInTheFile()
{
    TempProgramFolder folder;
    folder.write(u"r.csv"_s, cp932Lines({u"@TITLE=A"_s, RecipeFileFormat::RecipeFileHeader,
                                         RecipeFileFormat::sampleRows.at(0), u"@作者=花子"_s,
                                         RecipeFileFormat::sampleRows.at(1), u"@TITLE=B"_s}));
    QCOMPARE(AuthorText::buildFromFile(folder.file(u"r.csv"_s)),
             u"\r\n[A]\r\n　　花子さん\r\n\r\n[B]\r\n\r\n"_s + invite);
    QCOMPARE(AuthorText::buildFromFile(folder.file(u"missing.csv"_s)), u"\r\n"_s + invite);
}

void TestAuthorText::windowIsReadOnlyButSelectable()
{
    TempProgramFolder folder;
    folder.write(u"r.csv"_s, cp932Lines({u"@TITLE=家庭料理"_s}));
    AppState state;
    state.currentRecipeFileName = u"r.csv"_s;
    QPointer<AuthorListWindow> window = openAuthorList(state, nullptr);
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->windowTitle(), u"レシピデータの作者さん紹介"_s);
    auto *text = window->findChild<QPlainTextEdit *>(u"Text1"_s);
    QVERIFY(text->toPlainText().contains(u"[家庭料理]"_s));
    const QString before = text->toPlainText();
    QTest::keyClicks(text, u"xyz"_s);
    QTest::keyClick(text, Qt::Key_Backspace);
    QCOMPARE(text->toPlainText(), before);
    QVERIFY(text->textInteractionFlags() & Qt::TextSelectableByMouse);
    text->selectAll();
    QVERIFY(text->textCursor().hasSelection());

    // Opening again reuses the window.
    QCOMPARE(openAuthorList(state, nullptr), window.data());
    window->close();
    QTRY_VERIFY(!window);
}

QTEST_MAIN(TestAuthorText)
#include "tst_authortext.moc"
