#include "editor/recipeeditor.h"
#include "recipe/recipefileformat.h"
#include "recipe/recipefilelayout.h"
#include "recipe/recipefilereader.h"
#include "recipe/recipefilerewrite.h"
#include "recipe/recordcodec.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using Answer = Prompts::Answer;

// A data row: 主材料, 副材料, 料理名, flags, then `more` from field 5 on,
// padded to 29 fields.
QString rowText(const QString &f1, const QString &f2, const QString &f3,
                const QStringList &more = {})
{
    QStringList fields = {f1, f2, f3, u"0|0|0|0|0|0|0|"_s};
    fields += more;
    while (fields.size() < 29)
        fields.append(QString());
    QStringList q;
    for (const QString &f : fields)
        q.append(u"\""_s + f + u"\""_s);
    return q.join(u',');
}

QStringList withField(int n, const QString &value)
{
    QStringList more;
    while (more.size() < n - 5)
        more.append(QString());
    more.append(value);
    return more;
}

struct Fixture
{
    TempProgramFolder home;
    ScriptedPrompts prompts;
    FixedClock clock;
    RecipeForm form;
    RecipeEditor editor{prompts, clock, form};
    QString file = home.file(u"rec/QVRECIPE.csv"_s);

    explicit Fixture(const QStringList &rows)
    {
        QStringList lines = {u"@TITLE=test"_s, RecipeFileFormat::RecipeFileHeader};
        lines += rows;
        home.write(u"rec/QVRECIPE.csv"_s, cp932Lines(lines));
        editor.setRecipeFile(file);
        form.cmb_jyuyou.items = {u"0"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s};
        form.cmb_tema.items = {QString(), u"簡単"_s, u"普通"_s};
    }
    QByteArray bytes() const
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QStringList names() const
    {
        const RecipeFileReader reader(file);
        QStringList result;
        for (const RecipeFileReader::Row &row : reader.rows())
            result.append(reader.record(row.recordNo).field(RecipeRecord::DishName));
        return result;
    }
    RecipeRecord record(int recordNo) const { return RecipeFileReader(file).record(recordNo); }
    // What the list keeps with the entry of this row.
    size_t listRow(int recordNo) const
    {
        return RecipeFileLayout::rowIdentity(
            RecipeFileLayout::row(RecipeFileReader(file).lines(), recordNo).value_or(QByteArray()));
    }
    int fieldCount(int recordNo) const
    {
        return int(RecordCodec::splitFields(RecipeFileReader(file).rowText(recordNo)).size());
    }
};

const QStringList threeRows = {
    rowText(u"肉"_s, u"牛"_s, u"ステーキ"_s),
    rowText(u"肉"_s, u"豚"_s, u"生姜焼き"_s),
    rowText(u"魚"_s, u"鯛"_s, u"鯛めし"_s),
};

} // namespace

class TestRecipeEditor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void showFillsTheForm()
    {
        QStringList more = withField(15, u"簡単(10分)"_s);
        while (more.size() < 25)
            more.append(QString());
        more += {u"x30"_s, u"x31"_s, QString(), u"x33"_s};
        Fixture f({rowText(u"肉"_s, u"牛"_s, u"ステーキ"_s, more), threeRows.at(2)});
        QString shownPicture = u"unset"_s;
        f.editor.showPicture = [&](const QString &path) { shownPicture = path; };
        QVERIFY(f.editor.show(2));
        QCOMPARE(f.form.shownRecordNo, 2);
        QCOMPARE(f.form.Txt_key1, u"ステーキ"_s);
        QCOMPARE(f.form.cmb_tema.currentText(), u"簡単"_s);
        QCOMPARE(f.form.kept.field(33), u"x33"_s);
        QCOMPARE(shownPicture, QString()); // no picture: the box is cleared
        QVERIFY(f.prompts.shown.isEmpty());
    }

    void showNeedsASelection()
    {
        Fixture f(threeRows);
        QVERIFY(!f.editor.show(-1));
        QCOMPARE(f.prompts.lastText(), u"一覧から選択してください"_s);
        QVERIFY(!f.editor.show(9)); // gone from the file
        QCOMPARE(f.form.shownRecordNo, -1);
    }

    void addInsertsSorted_data()
    {
        QTest::addColumn<QString>("main");
        QTest::addColumn<QString>("sub");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("order");
        QTest::addColumn<int>("recordNo");
        QTest::newRow("first") << u"あ"_s << QString() << u"新"_s
                               << QStringList{u"新"_s, u"ステーキ"_s, u"生姜焼き"_s, u"鯛めし"_s}
                               << 2;
        QTest::newRow("middle") << u"肉"_s << u"牛"_s << u"タン"_s
                                << QStringList{u"ステーキ"_s, u"タン"_s, u"生姜焼き"_s, u"鯛めし"_s}
                                << 3;
        QTest::newRow("equal key goes after")
            << u"肉"_s << u"牛"_s << u"ステーキ"_s
            << QStringList{u"ステーキ"_s, u"ステーキ"_s, u"生姜焼き"_s, u"鯛めし"_s} << 3;
        QTest::newRow("leading ideographic space is part of the name")
            << u"肉"_s << u"牛"_s << u"　タン"_s
            << QStringList{u"　タン"_s, u"ステーキ"_s, u"生姜焼き"_s, u"鯛めし"_s} << 2;
        QTest::newRow("end") << u"魚"_s << u"鯛"_s << u"鯛茶漬け"_s
                             << QStringList{u"ステーキ"_s, u"生姜焼き"_s, u"鯛めし"_s,
                                            u"鯛茶漬け"_s}
                             << 5;
    }
    void addInsertsSorted()
    {
        QFETCH(QString, main);
        QFETCH(QString, sub);
        QFETCH(QString, name);
        QFETCH(QStringList, order);
        QFETCH(int, recordNo);
        Fixture f(threeRows);
        RecipeForm::selectByText(f.form.Cmb_bunrui11, main);
        f.form.cmb_bunrui12.setText(sub);
        f.form.Txt_key1 = u"  "_s + name + u" "_s;
        QVERIFY(f.editor.add());
        QCOMPARE(f.names(), order);
        QCOMPARE(f.form.shownRecordNo, recordNo);
        QCOMPARE(f.record(recordNo).field(RecipeRecord::DishName), name);
        QVERIFY(f.bytes().startsWith("@TITLE=test\r\n"));
        QVERIFY(QFile::exists(f.home.file(u"qvprint.tmp"_s)));
    }

    void addRefusals()
    {
        Fixture f(threeRows);
        const QByteArray before = f.bytes();
        f.form.Txt_key1 = u"  "_s;
        QVERIFY(!f.editor.add());
        QCOMPARE(f.prompts.lastText(), u"表題が青色の項目は必須入力です"_s);
        // What CP932 cannot hold is named with its field and code point.
        f.form.Txt_key1 = u"鍋"_s;
        f.form.txt_yobi[1] = u"煮る\u00A0🍲"_s;
        QVERIFY(!f.editor.add());
        QCOMPARE(f.prompts.lastText(),
                 u"「作り方」に、レシピファイルに保存できない文字「U+1F372」があります。\r\n"
                 u"別の文字に置き換えるか消してから、もう一度保存してください。"_s);
        QCOMPARE(f.bytes(), before);
        // Look-alikes are stored in their CP932 form.
        f.form.txt_yobi[1] = u"煮る\u00A0\u2022\u00BD"_s;
        QVERIFY(f.editor.add());
        QCOMPARE(f.record(f.form.shownRecordNo).field(RecipeRecord::Method), u"煮る ・1/2"_s);
    }

    // A missing header is put in before the first row, which stays; a
    // byte-order mark does not hide the metadata line it stands before; no
    // row is lost to line ends of another system.
    void addToAFileWithoutHeader_data()
    {
        QTest::addColumn<QByteArray>("before");
        const QByteArray rows = cp932Lines({threeRows.at(0), threeRows.at(2)});
        const QByteArray header = cp932Lines({RecipeFileFormat::RecipeFileHeader});
        QTest::newRow("no header") << QByteArray("@TITLE=t\r\n") + rows;
        QTest::newRow("no header, no metadata") << rows;
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF@TITLE=t\r\n") + header + rows;
        // Old Macintosh files end lines with CR alone; they are written back with CR LF.
        QTest::newRow("cr line ends")
            << QByteArray(QByteArray("@TITLE=t\r\n") + header + rows).replace("\r\n", "\r");
    }
    void addToAFileWithoutHeader()
    {
        QFETCH(QByteArray, before);
        Fixture f({});
        f.home.write(u"rec/QVRECIPE.csv"_s, before);
        f.editor.show(2);
        QCOMPARE(f.form.Txt_key1, u"ステーキ"_s);
        RecipeForm::selectByText(f.form.Cmb_bunrui11, u"肉"_s);
        f.form.Txt_key1 = u"生姜焼き"_s;
        QVERIFY(f.editor.add());
        QByteArray row;
        QString error;
        RecipeRecord record = f.form.toRecord(f.clock);
        QVERIFY(RecipeFileRewrite::encodeRow(record, 29, &row, &error));
        const QByteArray metadata = before.contains("@TITLE=t") ? "@TITLE=t\r\n" : "";
        QCOMPARE(f.bytes(), metadata +
                                cp932Lines({RecipeFileFormat::RecipeFileHeader, threeRows.at(0)}) +
                                row + "\r\n" + cp932Lines({threeRows.at(2)}));
        QCOMPARE(f.form.shownRecordNo, 3);
    }

    // A file that is no recipe file, or the work file, is never rewritten.
    void rewriteRefusesWhatIsNoRecipeFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("firstLine");
        QTest::newRow("work file")
            << u"qvprint.tmp"_s << cp932Lines({RecipeFileFormat::RecipeFileHeader})
            << u"」は、レシピファイルを書き換えるときに使う作業ファイルです。"_s;
        QTest::newRow("text file") << u"rec/memo.txt"_s << cp932Lines({u"買い物"_s, u"豚肉"_s})
                                   << u"」はレシピファイルではありません。"_s;
    }
    void rewriteRefusesWhatIsNoRecipeFile()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, firstLine);
        Fixture f(threeRows);
        f.home.write(name, content);
        f.editor.setRecipeFile(f.home.file(name));
        f.form.Txt_key1 = u"新"_s;
        QVERIFY(!f.editor.add());
        QCOMPARE(f.prompts.lastText().section(u"\r\n"_s, 0, 0),
                 u"「"_s + QDir::toNativeSeparators(f.home.file(name)) + firstLine);
        QCOMPARE(f.home.read(name), content);
    }

    void registeredDate_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("empty gets today") << QString() << u"2026/12/08"_s;
        QTest::newRow("typed kept") << u"2001/02/03"_s << u"2001/02/03"_s;
    }
    void registeredDate()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        Fixture f(threeRows);
        f.form.Txt_key1 = u"新"_s;
        f.form.Txt_biko[10] = typed;
        QVERIFY(f.editor.add());
        QCOMPARE(f.record(f.form.shownRecordNo).field(RecipeRecord::RegisteredOn), stored);
    }

    void updateMovesTheRow()
    {
        Fixture f(threeRows);
        QVERIFY(f.editor.show(2));
        RecipeForm::selectByText(f.form.Cmb_bunrui11, u"魚"_s);
        f.form.cmb_bunrui12.setText(u"あじ"_s);
        QVERIFY(f.editor.update());
        QCOMPARE(f.prompts.shown.back().text, u"「ステーキ」を更新します"_s);
        QCOMPARE(f.names(), (QStringList{u"生姜焼き"_s, u"ステーキ"_s, u"鯛めし"_s}));
        QCOMPARE(f.form.shownRecordNo, 3);
        // Shown again at its new place, it updates in place.
        f.form.Txt_key1 = u"鯵ステーキ"_s;
        QVERIFY(f.editor.update());
        QCOMPARE(f.names(), (QStringList{u"生姜焼き"_s, u"鯵ステーキ"_s, u"鯛めし"_s}));
    }

    void updateKeepsExtraFields()
    {
        QStringList more = withField(15, u"簡単(10分)"_s);
        while (more.size() < 25)
            more.append(QString());
        more += {u"x30"_s, QString(), u"x32"_s, QString(), u"x34"_s, QString()};
        Fixture f({rowText(u"肉"_s, u"牛"_s, u"ステーキ"_s, more)});
        QCOMPARE(f.fieldCount(2), 35);
        QVERIFY(f.editor.show(2));
        QVERIFY(f.editor.update());
        QCOMPARE(f.fieldCount(2), 34); // up to the last non-empty one
        QCOMPARE(f.record(2).field(34), u"x34"_s);
        QCOMPARE(f.record(2).field(RecipeRecord::Effort), u"簡単"_s);
        f.editor.clear();
        f.form.Txt_key1 = u"新"_s;
        QVERIFY(f.editor.add());
        QCOMPARE(f.fieldCount(f.form.shownRecordNo), 29);
    }

    void updateRefusals_data()
    {
        QTest::addColumn<bool>("show");
        QTest::addColumn<QString>("name");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing shown")
            << false << u"x"_s << Answer::Ok << u"一覧から選択してください"_s;
        QTest::newRow("empty name")
            << true << QString() << Answer::Ok << u"表題が青色の項目は必須入力です"_s;
        QTest::newRow("cancelled") << true << u"x"_s << Answer::Cancel << u"「x」を更新します"_s;
    }
    void updateRefusals()
    {
        QFETCH(bool, show);
        QFETCH(QString, name);
        QFETCH(Answer, answer);
        QFETCH(QString, message);
        Fixture f(threeRows);
        if (show)
            QVERIFY(f.editor.show(3));
        f.editor.clear();
        if (show)
            QVERIFY(f.editor.show(3));
        f.form.Txt_key1 = name;
        f.prompts.answers = {answer};
        const QByteArray before = f.bytes();
        QVERIFY(!f.editor.update());
        QCOMPARE(f.prompts.lastText(), message);
        QCOMPARE(f.bytes(), before);
    }

    void updateNeverLosesTheRow()
    {
        Fixture f(threeRows);
        QVERIFY(f.editor.show(3));
        f.form.Txt_key1 = u"生姜焼き🐷"_s;
        const QByteArray before = f.bytes();
        QVERIFY(!f.editor.update());
        QCOMPARE(f.bytes(), before);
        QCOMPARE(f.form.shownRecordNo, 3);
    }

    void updateRefusesAChangedRow()
    {
        Fixture f(threeRows);
        QVERIFY(f.editor.show(3));
        // Another file is current now: its row 3 is a different recipe.
        f.home.write(u"other.csv"_s,
                     cp932Lines({RecipeFileFormat::RecipeFileHeader, threeRows.at(0),
                                 rowText(u"野菜"_s, u"茄子"_s, u"麻婆茄子"_s)}));
        f.editor.setRecipeFile(f.home.file(u"other.csv"_s));
        QCOMPARE(f.form.Txt_key1, QString()); // the fields were emptied
        f.form.Txt_key1 = u"生姜焼き"_s;
        QVERIFY(!f.editor.update());
        QCOMPARE(f.prompts.lastText(), u"一覧から選択してください"_s);
        // The same file rewritten behind the form's back.
        f.editor.setRecipeFile(f.file);
        QVERIFY(f.editor.show(3));
        f.home.write(u"rec/QVRECIPE.csv"_s, cp932Lines({RecipeFileFormat::RecipeFileHeader,
                                                        threeRows.at(0), threeRows.at(2)}));
        QVERIFY(!f.editor.update());
        QCOMPARE(f.prompts.lastText(), RecipeEditor::staleRowMessage);
        QVERIFY(f.editor.takeListStale());
        QCOMPARE(f.names(), (QStringList{u"ステーキ"_s, u"鯛めし"_s}));
    }

    // Another program removed the first recipe after the list was built:
    // record number 3 is now 鯛めし. Nothing may act on it as 生姜焼き.
    void staleRowsAreRefused_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("delete") << u"delete"_s;
        QTest::newRow("show") << u"show"_s;
        QTest::newRow("export") << u"export"_s;
    }
    void staleRowsAreRefused()
    {
        QFETCH(QString, command);
        Fixture f({threeRows.at(0),
                   rowText(u"肉"_s, u"豚"_s, u"生姜焼き"_s, withField(9, u"0001.bmp"_s)),
                   threeRows.at(2)});
        f.home.write(u"rec/0001.bmp"_s, "BM");
        const size_t listed = f.listRow(3);
        QVERIFY(f.editor.show(3, listed));
        f.home.write(u"rec/QVRECIPE.csv"_s, cp932Lines({RecipeFileFormat::RecipeFileHeader,
                                                        threeRows.at(1), threeRows.at(2)}));
        const QByteArray changed = f.bytes();
        f.prompts.answers = {Answer::Ok, Answer::Yes};
        if (command == u"delete"_s) {
            QVERIFY(!f.editor.remove(3, u"肉\t 生姜焼き"_s, listed));
        } else if (command == u"show"_s) {
            f.form.Txt_key1 = u"typed"_s;
            QVERIFY(!f.editor.show(3, listed));
            QCOMPARE(f.form.Txt_key1, u"typed"_s);
        } else {
            QString refusal;
            QVERIFY(!f.editor.shownRecordFromFile(&refusal));
            f.prompts.message(refusal);
        }
        QCOMPARE(f.prompts.shown.size(), 1);
        QCOMPARE(f.prompts.lastText(), RecipeEditor::staleRowMessage);
        QVERIFY(f.editor.takeListStale());
        QCOMPARE(f.bytes(), changed);
        QVERIFY(QFile::exists(f.home.file(u"rec/0001.bmp"_s)));
    }

    void deleteRow_data()
    {
        QTest::addColumn<bool>("pictureExists");
        QTest::addColumn<QList<Answer>>("answers");
        QTest::addColumn<bool>("deleted");
        QTest::addColumn<bool>("pictureKept");
        QTest::addColumn<int>("messages");
        QTest::newRow("cancelled") << true << QList<Answer>{Answer::Cancel} << false << true << 1;
        QTest::newRow("picture kept by default")
            << true << QList<Answer>{Answer::Ok} << true << true << 2;
        QTest::newRow("picture deleted")
            << true << QList<Answer>{Answer::Ok, Answer::Yes} << true << false << 2;
        QTest::newRow("missing picture asks nothing")
            << false << QList<Answer>{Answer::Ok} << true << false << 1;
    }
    void deleteRow()
    {
        QFETCH(bool, pictureExists);
        QFETCH(QList<Answer>, answers);
        QFETCH(bool, deleted);
        QFETCH(bool, pictureKept);
        QFETCH(int, messages);
        Fixture f({threeRows.at(0),
                   rowText(u"肉"_s, u"豚"_s, u"生姜焼き"_s, withField(9, u"0001.bmp"_s)),
                   threeRows.at(2)});
        if (pictureExists)
            f.home.write(u"rec/0001.bmp"_s, "BM");
        QVERIFY(f.editor.show(3));
        f.prompts.answers = answers;
        QCOMPARE(f.editor.remove(3, u"肉\t 生姜焼き"_s, f.listRow(3)), deleted);
        QCOMPARE(f.prompts.shown.size(), messages);
        QCOMPARE(f.prompts.shown.front().text, u"「肉\t 生姜焼き」を削除します"_s);
        QCOMPARE(f.prompts.shown.front().defaultAnswer, Answer::Cancel);
        if (messages == 2) {
            QVERIFY(f.prompts.shown.back().text.startsWith(u"画像ファイル["_s));
            QCOMPARE(f.prompts.shown.back().defaultAnswer, Answer::No);
        }
        QCOMPARE(f.names().size(), deleted ? 2 : 3);
        QCOMPARE(QFile::exists(f.home.file(u"rec/0001.bmp"_s)), pictureKept);
        if (deleted)
            QCOMPARE(f.form.shownRecordNo, -1);
    }

    void deleteAsksAboutTheRowsOwnPicture()
    {
        Fixture f({rowText(u"肉"_s, u"牛"_s, u"ステーキ"_s, withField(9, u"a.bmp"_s)),
                   rowText(u"肉"_s, u"豚"_s, u"生姜焼き"_s, withField(9, u"b.bmp"_s))});
        f.home.write(u"rec/a.bmp"_s, "BM");
        f.home.write(u"rec/b.bmp"_s, "BM");
        QVERIFY(f.editor.show(2)); // the fields show ステーキ with a.bmp
        f.prompts.answers = {Answer::Ok, Answer::Yes};
        QVERIFY(f.editor.remove(3, u"肉\t 生姜焼き"_s, f.listRow(3)));
        QVERIFY(f.prompts.shown.back().text.contains(u"b.bmp"_s));
        QVERIFY(QFile::exists(f.home.file(u"rec/a.bmp"_s)));
        QVERIFY(!QFile::exists(f.home.file(u"rec/b.bmp"_s)));
        QCOMPARE(f.names(), QStringList{u"ステーキ"_s});
    }

    void pasteNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("saved");
        QTest::newRow("numbered after the highest")
            << QString() << QStringList{u"0003.bmp"_s, u"0010.bmp"_s} << u"0011.bmp"_s;
        QTest::newRow("first number") << QString() << QStringList() << u"0001.bmp"_s;
        QTest::newRow("name gets .BMP") << u"photo"_s << QStringList() << u"photo.BMP"_s;
        QTest::newRow("ending kept") << u"pic.bmp"_s << QStringList() << u"pic.bmp"_s;
        QTest::newRow("eight characters") << u"abcdefgh"_s << QStringList() << u"abcdefgh.BMP"_s;
    }
    void pasteNames()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, existing);
        QFETCH(QString, saved);
        Fixture f(threeRows);
        for (const QString &e : existing)
            f.home.write(u"rec/"_s + e, "BM");
        QString shown;
        f.editor.showPicture = [&](const QString &path) { shown = path; };
        QVERIFY(f.editor.show(2));
        f.form.txt_yobi[2] = name;
        QImage image(8, 6, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QVERIFY(f.editor.pasteImage(image));
        QCOMPARE(f.form.txt_yobi[2], saved);
        QCOMPARE(f.record(f.form.shownRecordNo).field(RecipeRecord::Picture), saved);
        QCOMPARE(shown, f.home.file(u"rec/"_s + saved));
        QCOMPARE(QImage(shown).size(), QSize(8, 6));
        QVERIFY(!f.form.imagePending);
    }

    void pasteRefusals()
    {
        Fixture f(threeRows);
        QImage image(4, 4, QImage::Format_RGB32);
        QVERIFY(!f.editor.pasteImage(QImage()));
        QCOMPARE(f.prompts.lastText(), u"クリップボードに画像を保管してください"_s);
        QVERIFY(!f.editor.pasteImage(image));
        QCOMPARE(f.prompts.lastText(),
                 u"画像保管したいレシピ内容を一旦表示してから、\r\n画像貼り付けしてください"_s);
        QVERIFY(f.editor.show(2));
        f.form.txt_yobi[2] = u"abcdefghi"_s;
        QVERIFY(!f.editor.pasteImage(image));
        QCOMPARE(f.prompts.lastText(), u"画像名「abcdefghi.BMP」は8文字以下でお願いします。\r\n\r\n"
                                       u"（.BMPを除く、半角文字8文字以下）"_s);
        QVERIFY(!f.form.imagePending);
    }

    // A paste that is cancelled or refused leaves nothing behind: no file,
    // no pending picture that a later update (of another recipe, with a photo
    // attached meanwhile) would write.
    void pasteThatDoesNotSaveLeavesNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("method");
        QTest::addColumn<QList<Answer>>("answers");
        QTest::addColumn<QString>("message"); // first line of the last message
        QTest::newRow("update cancelled") << QString() << QString() << QList<Answer>{Answer::Cancel}
                                          << u"「鯛めし」を更新します"_s;
        QTest::newRow("row refused")
            << QString() << u"🐟"_s << QList<Answer>{Answer::Ok}
            << u"「作り方」に、レシピファイルに保存できない文字「U+1F41F」があります。"_s;
        QTest::newRow("picture cannot be written")
            << u"q\\x"_s << QString() << QList<Answer>{Answer::Ok}
            << u"画像ファイル[q/x.BMP]を保存できませんでした。"_s;
        QTest::newRow("a photo is not replaced")
            << u"photo.bmp"_s << QString() << QList<Answer>{Answer::Ok}
            << u"画像ファイル[<rec>photo.bmp]はBMP形式の画像ではないため、貼り付けた画像で上書きしません。"_s;
        QTest::newRow("a bitmap only when the user agrees")
            << u"old.bmp"_s << QString() << QList<Answer>{Answer::Ok, Answer::No}
            << u"画像ファイル[<rec>old.bmp]は既にあります。"_s;
    }
    void pasteThatDoesNotSaveLeavesNothing()
    {
        QFETCH(QString, name);
        QFETCH(QString, method);
        QFETCH(QList<Answer>, answers);
        QFETCH(QString, message);
        Fixture f(threeRows);
        QImage photo(8, 6, QImage::Format_RGB32);
        photo.fill(Qt::green);
        QVERIFY(photo.save(f.home.file(u"rec/photo.bmp"_s), "JPG"));
        QVERIFY(photo.save(f.home.file(u"rec/old.bmp"_s), "BMP"));
        QVERIFY(photo.save(f.home.file(u"elsewhere.jpg"_s), "JPG"));
        const QByteArray photoBytes = f.home.read(u"rec/photo.bmp"_s);
        const QByteArray oldBytes = f.home.read(u"rec/old.bmp"_s);
        const QByteArray before = f.bytes();
        QVERIFY(f.editor.show(4));
        f.form.txt_yobi[1] = method;
        f.form.txt_yobi[2] = name;
        f.prompts.answers = answers;
        QImage pasted(4, 4, QImage::Format_RGB32);
        pasted.fill(Qt::red);
        QVERIFY(!f.editor.pasteImage(pasted));
        QCOMPARE(
            f.prompts.lastText().section(u"\r\n"_s, 0, 0),
            QString(message).replace(u"<rec>"_s, QDir::toNativeSeparators(f.home.file(u"rec/"_s))));
        QCOMPARE(f.form.txt_yobi[2], name);
        QVERIFY(!f.form.imagePending);
        QCOMPARE(f.bytes(), before);
        QCOMPARE(QDir(f.home.file(u"rec"_s)).entryList(QDir::Files),
                 (QStringList{u"old.bmp"_s, u"photo.bmp"_s, u"QVRECIPE.csv"_s}));
        QCOMPARE(f.home.read(u"rec/photo.bmp"_s), photoBytes);
        QCOMPARE(f.home.read(u"rec/old.bmp"_s), oldBytes);

        // Later: another recipe, a photo attached from elsewhere, an update.
        QVERIFY(f.editor.show(2));
        f.editor.attachPicture(f.home.file(u"elsewhere.jpg"_s));
        f.prompts.answers = {Answer::Ok};
        QVERIFY(f.editor.update());
        QCOMPARE(QImageReader(f.home.file(u"elsewhere.jpg"_s)).format(), QByteArray("jpeg"));
        QCOMPARE(QDir(f.home.file(u"rec"_s)).entryList(QDir::Files).size(), 3);
    }

    void attach_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("stored"); // "<full>" for the full path
        QTest::newRow("recipe folder: bare name") << u"rec/a.jpg"_s << u"a.jpg"_s;
        QTest::newRow("elsewhere: full path") << u"pics/b.png"_s << u"<full>"_s;
        QTest::newRow("missing file: nothing") << u"rec/none.bmp"_s << u"old.bmp"_s;
    }
    void attach()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, stored);
        Fixture f(threeRows);
        f.home.write(u"rec/a.jpg"_s, "x");
        f.home.write(u"pics/b.png"_s, "x");
        f.form.txt_yobi[2] = u"old.bmp"_s;
        QCOMPARE(f.editor.attachStartPath(), f.home.file(u"rec/old.bmp"_s));
        f.editor.attachPicture(f.home.file(chosen));
        QCOMPARE(f.form.txt_yobi[2], stored == u"<full>"_s ? f.home.file(chosen) : stored);
    }
};

QTEST_GUILESS_MAIN(TestRecipeEditor)
#include "tst_recipeeditor.moc"
