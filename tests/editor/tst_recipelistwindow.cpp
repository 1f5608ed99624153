#include "app/appstate.h"
#include "editor/ui/recipelistwindow.h"
#include "recipe/recipefileformat.h"
#include "recipe/recipefilereader.h"
#include "recipe/vocabularyfile.h"
#include "testsupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

using Answer = Prompts::Answer;

QString row(const QString &f1, const QString &f2, const QString &f3, bool favourite = false,
            const QString &purpose = {})
{
    QStringList fields = {f1, f2, f3, favourite ? u"0|1|0|0|0|0|0|"_s : u"0|0|0|0|0|0|0|"_s};
    while (fields.size() < 29)
        fields.append(QString());
    fields[12] = purpose;
    return u"\""_s + fields.join(u"\",\""_s) + u"\""_s;
}

// In sort-key order; record numbers 2 to 7.
const QStringList rows = {
    row(u"肉"_s, QString(), u"肉じゃが"_s),
    row(u"肉"_s, u"牛"_s, u"ステーキ"_s),
    row(u"肉"_s, u"豚コマ"_s, u"生姜焼き"_s, true),
    row(u"肉"_s, u"鹿"_s, u"鹿カツ"_s),
    row(u"豆/豆腐"_s, u"豆腐"_s, u"麻婆豆腐"_s, true),
    row(u"魚貝類"_s, u"アジ"_s, u"アジフライ"_s, false, u"主菜"_s),
};

} // namespace

class TestRecipeListWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempProgramFolder> home;
    std::unique_ptr<AppState> state;
    ScriptedPrompts prompts;
    FixedClock clock;
    std::unique_ptr<RecipeListWindow> window;

    void open(bool withFile = true)
    {
        home = std::make_unique<TempProgramFolder>();
        VocabularyFile::writeVocabularyFile(home->file(u"qvrecipe.txt"_s));
        if (withFile) {
            QStringList lines = RecipeFileFormat::newFileMetadata;
            lines.append(RecipeFileFormat::RecipeFileHeader);
            lines += rows;
            home->write(u"QVRECIPE.csv"_s, cp932Lines(lines));
        }
        state = std::make_unique<AppState>();
        state->programDir = home->path();
        state->programName = u"QVRECIPE"_s;
        prompts = ScriptedPrompts();
        window = std::make_unique<RecipeListWindow>(*state, prompts, clock);
        window->resize(1200, 800);
        window->show();
    }
    template <typename T> T *find(const QString &name) const
    {
        T *w = window->findChild<T *>(name);
        if (!w)
            qWarning("no control %s", qPrintable(name));
        return w;
    }
    QStringList listed() const
    {
        QStringList names;
        for (int i = 0; i < window->list()->count(); ++i)
            names.append(window->list()->item(i)->text().section(u"\t "_s, 1));
        return names;
    }
    QString selected() const
    {
        const QListWidgetItem *item = window->list()->currentItem();
        return item && item->isSelected() ? item->text().section(u"\t "_s, 1) : QString();
    }
    void choose(const QString &comboName, const QString &text)
    {
        auto *combo = find<QComboBox>(comboName);
        const int i = combo->findText(text);
        QVERIFY2(i >= 0, qPrintable(text));
        combo->setCurrentIndex(i);
        Q_EMIT combo->activated(i);
    }
    QStringList fileNames() const
    {
        const RecipeFileReader reader(window->recipeFile());
        QStringList names;
        for (const RecipeFileReader::Row &r : reader.rows())
            names.append(reader.record(r.recordNo).field(RecipeRecord::DishName));
        return names;
    }
    void click(const QString &name) { find<QPushButton>(name)->click(); }

private Q_SLOTS:
    void cleanup()
    {
        window.reset();
        state.reset();
        home.reset();
    }

    void loads()
    {
        open();
        QCOMPARE(window->objectName(), u"QVPRNLST"_s);
        QCOMPARE(window->windowTitle(), u"RECIPE - QVRECIPE.csv"_s);
        QCOMPARE(listed().size(), 6);
        QCOMPARE(window->list()->item(0)->text(), u"肉\t 肉じゃが"_s);
        QCOMPARE(window->list()->item(0)->data(Qt::UserRole).toInt(), 2);
        QCOMPARE(find<QComboBox>(u"Cmb_bunrui21"_s)->currentText(), u"全て"_s);
        QVERIFY(!find<QComboBox>(u"Cmb_bunrui22"_s)->isEnabled());
        QCOMPARE(find<QComboBox>(u"cmb_jyuyou"_s)->currentText(), u"3"_s);
        QCOMPARE(find<QComboBox>(u"Cmb_Type"_s)->count(), 7);
        QCOMPARE(find<QComboBox>(u"Cmb_men"_s)->currentText(), u"表"_s);
        QCOMPARE(selected(), QString());
        for (const QString &name :
             {u"Cmd_Update_0"_s, u"Cmd_Update_4"_s, u"Cmd_FileRead"_s, u"Cmd_FileWrite"_s,
              u"Cmd_Fileimport"_s, u"Cmd_FileExport"_s, u"Cmd_FileSearch"_s, u"Cmd_help"_s,
              u"Cmd_kaiseki"_s, u"cmd_serch"_s, u"Command1"_s, u"cmd_name"_s, u"cmd_all"_s,
              u"cmd_gazo"_s, u"Cmd_clip"_s, u"Cmd_pic2_del"_s, u"Cmd_print"_s})
            QVERIFY2(find<QPushButton>(name), qPrintable(name));
        QVERIFY(find<QCheckBox>(u"chk_selctstart"_s));
        QVERIFY(find<QWidget>(u"Picture1_1"_s));
    }

    void firstStartMakesTheSampleFile()
    {
        open(false);
        QVERIFY(QFile::exists(home->file(u"QVRECIPE.csv"_s)));
        QCOMPARE(listed(), (QStringList{u"ごはんコロッケ"_s, u"ラーメン焼きそば"_s,
                                        u"水出しアイスティー"_s}));
    }

    void views_data()
    {
        QTest::addColumn<QString>("view");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("category") << u"肉"_s << QString()
                                  << QStringList{u"肉じゃが"_s, u"ステーキ"_s, u"生姜焼き"_s,
                                                 u"鹿カツ"_s};
        QTest::newRow("subcategory") << u"肉"_s << u" 豚コマ"_s << QStringList{u"生姜焼き"_s};
        QTest::newRow("other subcategories")
            << u"肉"_s << u" その他"_s << QStringList{u"肉じゃが"_s, u"鹿カツ"_s};
        QTest::newRow("favourites")
            << u"お気入"_s << QString() << QStringList{u"生姜焼き"_s, u"麻婆豆腐"_s};
        QTest::newRow("favourites, any second filter")
            << u"お気入"_s << u" その他"_s << QStringList{u"生姜焼き"_s, u"麻婆豆腐"_s};
        QTest::newRow("genre") << u"ジャンル"_s << u"主菜"_s << QStringList{u"アジフライ"_s};
    }
    void views()
    {
        QFETCH(QString, view);
        QFETCH(QString, second);
        QFETCH(QStringList, expected);
        open();
        choose(u"Cmb_bunrui21"_s, view);
        if (!second.isNull())
            choose(u"Cmb_bunrui22"_s, second);
        QCOMPARE(listed(), expected);
        click(u"cmd_all"_s);
        QCOMPARE(listed().size(), 6);
    }

    void mealFinder()
    {
        open();
        int viewerShown = 0;
        window->hooks().mealFinder = [](RecipeListWindow &w) {
            w.state().searchMainCategory = u"豆/豆腐"_s;
            return true;
        };
        window->hooks().cardViewer = [&](RecipeListWindow &) { ++viewerShown; };
        click(u"cmd_serch"_s);
        QCOMPARE(listed(), QStringList{u"麻婆豆腐"_s});
        QCOMPARE(viewerShown, 1);
        QVERIFY(prompts.shown.isEmpty());

        window->hooks().mealFinder = [](RecipeListWindow &w) {
            w.state().searchMainCategory = u"乳製品"_s;
            w.state().searchConditions[6] = u"x"_s;
            return true;
        };
        click(u"cmd_serch"_s);
        QCOMPARE(prompts.lastText(), u"該当するレシピが見つかりませんでした"_s);
        QCOMPARE(find<QComboBox>(u"Cmb_bunrui21"_s)->currentText(), u"全て"_s);
        QCOMPARE(listed().size(), 6);
        QCOMPARE(viewerShown, 1);
        QCOMPARE(state->searchConditions[6], QString());
    }

    void keys_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<QString>("selectedAfter");
        QTest::addColumn<QString>("shownAfter");
        QTest::newRow("right: next group")
            << 1 << int(Qt::Key_Right) << false << u"麻婆豆腐"_s << QString();
        QTest::newRow("space: next group")
            << 0 << int(Qt::Key_Space) << false << u"麻婆豆腐"_s << QString();
        QTest::newRow("shift right also shows")
            << 0 << int(Qt::Key_Right) << true << u"麻婆豆腐"_s << u"麻婆豆腐"_s;
        QTest::newRow("right on the last group")
            << 5 << int(Qt::Key_Right) << false << u"アジフライ"_s << QString();
        QTest::newRow("left: previous group's last")
            << 4 << int(Qt::Key_Left) << false << u"鹿カツ"_s << QString();
        QTest::newRow("enter shows")
            << 2 << int(Qt::Key_Return) << false << u"生姜焼き"_s << u"生姜焼き"_s;
    }
    void keys()
    {
        QFETCH(int, start);
        QFETCH(int, key);
        QFETCH(bool, shift);
        QFETCH(QString, selectedAfter);
        QFETCH(QString, shownAfter);
        open();
        window->list()->setCurrentRow(start);
        QTest::keyClick(window->list(), Qt::Key(key), shift ? Qt::ShiftModifier : Qt::NoModifier);
        QCOMPARE(selected(), selectedAfter);
        QCOMPARE(window->form().Txt_key1, shownAfter);
        QCOMPARE(find<QLineEdit>(u"Txt_key1"_s)->text(), shownAfter);
    }

    void doubleClickShows()
    {
        open();
        QListWidget *list = window->list();
        const QRect rect = list->visualItemRect(list->item(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(window->form().Txt_key1, u"ステーキ"_s);
        QCOMPARE(window->form().shownRecordNo, 3);
    }

    void deleteKey()
    {
        open();
        window->list()->setCurrentRow(1);
        prompts.answers = {Answer::Ok};
        QTest::keyClick(window->list(), Qt::Key_Delete);
        QCOMPARE(prompts.shown.front().text, u"「肉\t ステーキ」を削除します"_s);
        QCOMPARE(fileNames().size(), 5);
        QCOMPARE(listed().size(), 5);
        QCOMPARE(selected(), QString());
    }

    void addThroughTheWidgets()
    {
        open();
        auto *main = find<QComboBox>(u"Cmb_bunrui11"_s);
        main->setCurrentIndex(main->findText(u"肉"_s));
        auto *sub = find<QComboBox>(u"cmb_bunrui12"_s);
        QVERIFY(sub->findText(u" 豚コマ"_s) >= 0); // refilled for 肉
        sub->setCurrentIndex(sub->findText(u" 牛"_s));
        find<QLineEdit>(u"Txt_key1"_s)->setText(u"タン塩"_s);
        click(u"Cmd_Update_1"_s);
        QCOMPARE(fileNames(), (QStringList{u"肉じゃが"_s, u"ステーキ"_s, u"タン塩"_s, u"生姜焼き"_s,
                                           u"鹿カツ"_s, u"麻婆豆腐"_s, u"アジフライ"_s}));
        QCOMPARE(selected(), u"タン塩"_s);
        QCOMPARE(window->selectedRecordNo(), 4);
        QCOMPARE(find<QLineEdit>(u"Txt_biko_10"_s)->text(),
                 QString()); // the field keeps what was typed
    }

    void updateReselectsAtTheNewPlace()
    {
        open();
        window->list()->setCurrentRow(1); // ステーキ
        click(u"Cmd_Update_0"_s);
        auto *main = find<QComboBox>(u"Cmb_bunrui11"_s);
        main->setCurrentIndex(main->findText(u"魚貝類"_s));
        click(u"Cmd_Update_2"_s);
        QCOMPARE(prompts.lastText(), u"「ステーキ」を更新します"_s);
        // Choosing 魚貝類 emptied 副材料, so it sorts before アジフライ.
        QCOMPARE(fileNames(), (QStringList{u"肉じゃが"_s, u"生姜焼き"_s, u"鹿カツ"_s, u"麻婆豆腐"_s,
                                           u"ステーキ"_s, u"アジフライ"_s}));
        QCOMPARE(selected(), u"ステーキ"_s);
        QCOMPARE(window->list()->currentRow(), 4);
        click(u"Cmd_Update_4"_s);
        QCOMPARE(find<QLineEdit>(u"Txt_key1"_s)->text(), QString());
        find<QLineEdit>(u"Txt_key1"_s)->setText(u"x"_s);
        click(u"Cmd_Update_2"_s);
        QCOMPARE(prompts.lastText(), u"一覧から選択してください"_s);
    }

    // The fields of a recipe from the previous file must not go into the new
    // one by an update.
    void switchingFilesEmptiesTheFields()
    {
        open();
        window->list()->setCurrentRow(1);
        click(u"Cmd_Update_0"_s);
        QCOMPARE(find<QLineEdit>(u"Txt_key1"_s)->text(), u"ステーキ"_s);
        QStringList lines = {RecipeFileFormat::RecipeFileHeader};
        lines += rows.mid(2);
        home->write(u"other.csv"_s, cp932Lines(lines));
        window->setRecipeFile(home->file(u"other.csv"_s));
        window->rebuildList();
        QCOMPARE(find<QLineEdit>(u"Txt_key1"_s)->text(), QString());
        QCOMPARE(find<QComboBox>(u"cmb_bunrui12"_s)->currentText(), QString());
        QCOMPARE(window->form().shownRecordNo, -1);
        find<QLineEdit>(u"Txt_key1"_s)->setText(u"ステーキ"_s);
        click(u"Cmd_Update_2"_s);
        QCOMPARE(prompts.lastText(), u"一覧から選択してください"_s);
        QCOMPARE(home->read(u"other.csv"_s), cp932Lines(lines));
    }

    void pastedPicturesAreNumbered()
    {
        open();
        home->write(u"0003.bmp"_s, "BM");
        window->list()->setCurrentRow(0);
        click(u"Cmd_Update_0"_s);
        QImage image(64, 16, QImage::Format_RGB32);
        image.fill(Qt::red);
        QGuiApplication::clipboard()->setImage(image);
        click(u"Cmd_clip"_s);
        QVERIFY(QFile::exists(home->file(u"0004.bmp"_s)));
        QCOMPARE(find<QLineEdit>(u"txt_yobi_2"_s)->text(), u"0004.bmp"_s);
        QCOMPARE(selected(), u"肉じゃが"_s);
        // A wide picture fills the box's width, drawn from its top-left corner.
        const QRect shown = window->shownPictureRect();
        QCOMPARE(shown.topLeft(), QPoint(0, 0));
        QCOMPARE(shown.width(), find<QLabel>(u"Pic2"_s)->contentsRect().width());
        click(u"Cmd_pic2_del"_s);
        QVERIFY(window->shownPicture().isNull());
        QCOMPARE(find<QLineEdit>(u"txt_yobi_2"_s)->text(), u"0004.bmp"_s);
        // Shown again, the recipe brings its picture back.
        click(u"Cmd_Update_0"_s);
        QCOMPARE(window->shownPicture().size(), QSize(64, 16));
    }

    void attachAndMissingPicture()
    {
        open();
        home->write(u"elsewhere/x.bmp"_s, "not a picture");
        window->hooks().chooseImageFile = [&](RecipeListWindow &, const QString &) {
            return home->file(u"elsewhere/x.bmp"_s);
        };
        click(u"cmd_gazo"_s);
        QCOMPARE(find<QLineEdit>(u"txt_yobi_2"_s)->text(), home->file(u"elsewhere/x.bmp"_s));
        QVERIFY(window->shownPicture().isNull()); // unreadable: nothing shown, no message
        QVERIFY(prompts.shown.isEmpty());
    }

    void hooksReceiveTheirButtons()
    {
        open();
        QStringList pressed;
        auto &h = window->hooks();
        h.fileRead = [&](RecipeListWindow &) { pressed << u"read"_s; };
        h.fileSearch = [&](RecipeListWindow &) { pressed << u"search"_s; };
        h.analyse = [&](RecipeListWindow &) { pressed << u"analyse"_s; };
        h.print = [&](RecipeListWindow &) { pressed << u"print"_s; };
        h.cardViewer = [&](RecipeListWindow &w) {
            pressed << u"cards %1"_s.arg(w.list()->currentRow());
        };
        for (const QString &name : {u"Cmd_FileRead"_s, u"Cmd_FileSearch"_s, u"Cmd_kaiseki"_s,
                                    u"Cmd_print"_s, u"Command1"_s, u"Cmd_FileWrite"_s})
            click(name);
        QCOMPARE(pressed,
                 (QStringList{u"read"_s, u"search"_s, u"analyse"_s, u"print"_s, u"cards 0"_s}));
    }

    void printButtonGathersTheControls_data()
    {
        QTest::addColumn<bool>("listed");
        QTest::addColumn<bool>("fromSelected");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("startRecord"); // -2: the job is not started

        QTest::newRow("empty list") << false << false << u"印刷するデータがありません。"_s << -2;
        QTest::newRow("from the start") << true << false << QString() << -1;
        QTest::newRow("selected row, none selected") << true << true << QString() << 2;
    }

    void printButtonGathersTheControls()
    {
        QFETCH(bool, listed);
        QFETCH(bool, fromSelected);
        QFETCH(QString, message);
        QFETCH(int, startRecord);

        open();
        find<QCheckBox>(u"chk_selctstart"_s)->setChecked(fromSelected);
        choose(u"Cmb_Type"_s, u"1行"_s);
        find<QComboBox>(u"Cmb_men"_s)->setCurrentIndex(3);
        choose(u"Cmb_bunrui21"_s, u"肉"_s);
        if (!listed)
            window->list()->clear();
        int started = -2;
        PrintControls controls;
        window->hooks().print = [&](RecipeListWindow &w) {
            controls = w.printControls();
            started = controls.startRecord;
        };
        click(u"Cmd_print"_s);
        QCOMPARE(prompts.lastText(), message);
        QCOMPARE(started, startRecord);
        if (started != -2) {
            QCOMPARE(controls.layoutType, 7);
            QCOMPARE(controls.arrangement, 3);
            QCOMPARE(controls.categoryLabel, u"肉"_s);
            QCOMPARE(selected(), fromSelected ? u"肉じゃが"_s : QString());
        }
    }

    void arrangementsFollowThePaper()
    {
        open();
        auto *men = find<QComboBox>(u"Cmb_men"_s);
        men->setCurrentIndex(2);
        // The paper changed to a four-up format; choosing the same layout again
        // offers the arrangements anew with that paper's default.
        state->layout.fourUpSheet = 1;
        choose(u"Cmb_Type"_s, u"画像付"_s);
        QStringList entries;
        for (int i = 0; i < men->count(); ++i)
            entries << men->itemText(i);
        QCOMPARE(entries, (QStringList{u"表"_s, u"表裏交互"_s, u"裏表交互"_s, u"A4 両面"_s,
                                       u"２つ折り"_s, u"超整理手帳"_s}));
        QCOMPARE(men->currentText(), u"超整理手帳"_s);
        state->layout.fourUpSheet = 0;
        choose(u"Cmb_Type"_s, u"画像なし"_s);
        QCOMPARE(men->currentText(), u"表"_s);
    }

    void searchHitIsSelectedAndShown()
    {
        open();
        choose(u"Cmb_bunrui21"_s, u"肉"_s);
        QVERIFY(window->showSearchHit(6)); // not listed in the view 肉
        QCOMPARE(find<QComboBox>(u"Cmb_bunrui21"_s)->currentText(), u"全て"_s);
        QCOMPARE(selected(), u"麻婆豆腐"_s);
        QCOMPARE(window->form().Txt_key1, u"麻婆豆腐"_s);
        QVERIFY(!window->showSearchHit(42));
    }

    void formPushesToWidgets()
    {
        open();
        RecipeForm &form = window->form();
        form.Txt_key1 = u"手入力"_s;
        form.txt_yobi[1] = u"一\r\n二"_s;
        RecipeForm::selectByText(form.cmb_kokuseki, u"中華"_s);
        form.chk_etc[2] = true;
        window->pushForm();
        QCOMPARE(find<QLineEdit>(u"Txt_key1"_s)->text(), u"手入力"_s);
        QCOMPARE(find<QComboBox>(u"cmb_kokuseki"_s)->currentText(), u"中華"_s);
        QVERIFY(find<QCheckBox>(u"chk_etc_2"_s)->isChecked());
        QTest::keyClicks(find<QLineEdit>(u"Txt_biko_0"_s), u"2"_s);
        QCOMPARE(form.Txt_biko[0], u"2"_s);
        find<QComboBox>(u"cmb_name"_s)->setEditText(u"誰か"_s);
        QCOMPARE(form.cmb_name.currentText(), u"誰か"_s);
    }

    // A keyboard user reaches every control with Tab, multi-line fields
    // included, and Tab never becomes part of a field.
    void tabReachesEveryControl()
    {
        open();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        find<QPlainTextEdit>(u"txt_yobi_0"_s)->setPlainText(u"牛肉"_s);
        const auto control = [](QWidget *w) {
            // An editable drop-down hands its focus to its line edit.
            if (w && qobject_cast<QComboBox *>(w->parentWidget()))
                return w->parentWidget();
            return w;
        };
        QWidget *start = find<QLineEdit>(u"Txt_key1"_s);
        start->setFocus();
        QStringList visited;
        for (int i = 0; i < 200; ++i) {
            visited.append(control(QApplication::focusWidget())->objectName());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            if (control(QApplication::focusWidget()) == start)
                break;
        }
        QCOMPARE(control(QApplication::focusWidget()), start);
        QStringList reachable;
        for (QWidget *w : window->findChildren<QWidget *>()) {
            if (w->isVisibleTo(window.get()) && w->isEnabled() &&
                (w->focusPolicy() & Qt::TabFocus) && !w->objectName().isEmpty() &&
                !qobject_cast<QComboBox *>(w->parentWidget()))
                reachable.append(w->objectName());
        }
        for (const QString &name : reachable)
            QVERIFY2(visited.contains(name), qPrintable(name));
        QVERIFY(!visited.contains(QString())); // no stop the user cannot see
        // The method page follows its tab strip, after the ingredients.
        const qsizetype ingredients = visited.indexOf(u"txt_yobi_0"_s);
        QCOMPARE(visited.mid(ingredients, 3),
                 (QStringList{u"txt_yobi_0"_s, u"Picture3"_s, u"txt_yobi_1"_s}));
        QCOMPARE(window->form().txt_yobi[0], u"牛肉"_s);
        QVERIFY(window->form().txt_yobi[1].isEmpty());
    }

    void tabStripTurnsPagesFromTheKeyboard()
    {
        open();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QWidget *strip = find<QWidget>(u"Picture3"_s);
        strip->setFocus();
        QTest::keyClick(strip, Qt::Key_Right);
        QVERIFY(find<QWidget>(u"Picture1_1"_s)->isVisible());
        QVERIFY(!find<QWidget>(u"Picture1_0"_s)->isVisible());
        QCOMPARE(QApplication::focusWidget(), strip);
        QTest::keyClick(strip, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), u"Txt_biko_1"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), u"Txt_biko_2"_s);
    }

    void cutEntriesShowTheirWholeText()
    {
        open();
        window->resize(900, 700);
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QListWidget *list = window->list();
        const int narrow = list->width();
        const QString longName = u"肉\t 豚バラ肉と白菜のミルフィーユ鍋 柚子胡椒と三種のたれ添え"_s;
        list->addItem(longName);
        const auto tipAt = [](QWidget *w, const QPoint &at) {
            QToolTip::hideText();
            if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }))
                return u"(a tooltip stayed)"_s;
            QHelpEvent help(QEvent::ToolTip, at, w->mapToGlobal(at));
            QApplication::sendEvent(w, &help);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        };
        const QRect cut = list->visualItemRect(list->item(list->count() - 1));
        QCOMPARE(tipAt(list->viewport(), cut.center()), longName);
        QCOMPARE(tipAt(list->viewport(), list->visualItemRect(list->item(0)).center()), QString());
        auto *author = find<QComboBox>(u"cmb_name"_s);
        author->setEditText(u"料理研究家のテスト太郎とその仲間たち"_s);
        QCOMPARE(tipAt(author, author->rect().center()), u"料理研究家のテスト太郎とその仲間たち"_s);
        author->setEditText(u"花子"_s);
        QCOMPARE(tipAt(author, author->rect().center()), QString());
        // A wider window gives the list room too.
        window->resize(1500, 700);
        QTRY_VERIFY(list->width() > narrow + 100);
    }
};

QTEST_MAIN(TestRecipeListWindow)
#include "tst_recipelistwindow.moc"
