#include "app/appstate.h"
#include "recipe/texthelpers.h"
#include "recipe/vocabularyfile.h"
#include "search/finderhints.h"
#include "search/ui/mealfinderwindow.h"
#include "testsupport.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

class TestMealFinder : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void ingredientList_data();
    void ingredientList();
    void untickingCategoryUnticksItems();
    void conditionsFromEveryList();
    void closingWithoutSearchIsCancelled();
    void purposeIgnoresTyping();
    void hintsCycle();
    void opensReadyForTheKeyboard();

private:
    std::unique_ptr<TempProgramFolder> m_folder;
    AppState m_state;
};

void TestMealFinder::init()
{
    m_folder = std::make_unique<TempProgramFolder>();
    m_state = AppState();
    m_state.programDir = m_folder->path();
    QVERIFY(VocabularyFile::writeVocabularyFile(m_state.vocabularyPath()).isEmpty());
}

void TestMealFinder::cleanup()
{
    m_folder.reset();
}

void TestMealFinder::ingredientList_data()
{
    QTest::addColumn<QString>("category");
    QTest::addColumn<QStringList>("ticks"); // trimmed line texts, ticked in this order
    QTest::addColumn<int>("lineCount");
    QTest::addColumn<QString>("expected");

    // The empty entry lists all 16 categories and their 99 items.
    QTest::newRow("pork and cabbage")
        << QString() << QStringList{u"豚"_s, u"キャベツ　"_s} << 115 << u"豚,キャベツ　,"_s;
    QTest::newRow("category line ticks its items")
        << QString() << QStringList{u"肉"_s} << 115
        << u"肉,豚,豚コマ,豚挽肉,牛,牛コマ,牛挽肉,合挽肉,ハム/ソーセージ,レバー,"_s;
    QTest::newRow("one category's items")
        << u"肉"_s << QStringList{u"レバー"_s} << 9 << u"レバー,"_s;
    QTest::newRow("nothing ticked") << QString() << QStringList{} << 115 << QString();
}

void TestMealFinder::ingredientList()
{
    QFETCH(QString, category);
    QFETCH(QStringList, ticks);
    QFETCH(int, lineCount);
    QFETCH(QString, expected);

    MealFinderWindow window(m_state);
    auto *combo = window.findChild<QComboBox *>(u"cmb_zairyo"_s);
    auto *list = window.findChild<QListWidget *>(u"lst_zairyo"_s);
    QVERIFY(combo && list);
    const int index = combo->findText(category);
    QVERIFY(index >= 0);
    combo->setCurrentIndex(index);
    Q_EMIT combo->activated(index);
    QCOMPARE(list->count(), lineCount);
    for (const QString &tick : ticks) {
        QListWidgetItem *item = nullptr;
        for (int i = 0; i < list->count() && !item; ++i) {
            if (TextHelpers::trimBlanks(list->item(i)->text()) == tick)
                item = list->item(i);
        }
        QVERIFY2(item, qPrintable(tick));
        item->setSelected(true);
    }
    window.findChild<QPushButton *>(u"cmd_serch"_s)->click();
    QCOMPARE(window.result(), int(QDialog::Accepted));
    QCOMPARE(m_state.quickSearchResult, int16_t(1));
    QCOMPARE(m_state.searchIngredientList, expected);
    QCOMPARE(m_state.searchMainCategory, category);
}

void TestMealFinder::untickingCategoryUnticksItems()
{
    MealFinderForm form;
    form.load(m_state);
    form.chooseCategory(0);
    const int meat = int(form.lines.indexOf(u"肉"_s));
    QCOMPARE(form.setLineSelected(meat, true).size(), 10);
    // An item unticked alone leaves its category and siblings alone.
    QCOMPARE(form.setLineSelected(meat + 1, false), QList<int>{meat + 1});
    form.setLineSelected(meat, false);
    QCOMPARE(form.selected.count(true), 0);
}

void TestMealFinder::conditionsFromEveryList()
{
    MealFinderWindow window(m_state);
    auto pick = [&](const QString &name, int index) {
        window.findChild<QComboBox *>(name)->setCurrentIndex(index);
    };
    pick(u"cmb_mokuteki"_s, 2);
    pick(u"cmb_kokuseki"_s, 3);
    pick(u"cmb_tema"_s, 1);
    pick(u"cmb_cost"_s, 3);
    pick(u"cmb_name"_s, 5);
    pick(u"cmb_tabeta"_s, 2);
    window.findChild<QComboBox *>(u"cmb_key"_s)->setEditText(u"  curry "_s);
    window.findChild<QPushButton *>(u"cmd_serch"_s)->click();

    const QStringList wanted = {{},          u"主菜"_s, u"中華"_s, u"超簡単"_s,
                                u"リッチ"_s, u"祖母"_s, u"curry"_s};
    for (int i = 1; i <= 6; ++i)
        QCOMPARE(m_state.searchConditions[i], wanted.at(i));
    QCOMPARE(m_state.searchEatenFilter, int16_t(2));
    QCOMPARE(m_state.searchMainCategory, QString());
    QCOMPARE(m_state.searchIngredientList, QString());
}

void TestMealFinder::closingWithoutSearchIsCancelled()
{
    m_state.quickSearchResult = 1;
    MealFinderWindow window(m_state);
    QCOMPARE(m_state.quickSearchResult, int16_t(-1));
    window.reject();
    QCOMPARE(m_state.quickSearchResult, int16_t(-1));
}

void TestMealFinder::purposeIgnoresTyping()
{
    MealFinderWindow window(m_state);
    window.show();
    auto *combo = window.findChild<QComboBox *>(u"cmb_mokuteki"_s);
    QVERIFY(!combo->isEditable());
    // Typing the first character of an item would jump to it in a plain list.
    QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, u"主"_s);
    QApplication::sendEvent(combo, &typed);
    QCOMPARE(combo->currentIndex(), 0);
    QTest::keyClick(combo, Qt::Key_Down);
    QCOMPARE(combo->currentIndex(), 1);
}

void TestMealFinder::hintsCycle()
{
    FinderHints hints;
    const QString first = hints.text();
    QCOMPARE(first, u"冷蔵庫に余ってる材料を選択してみましょう"_s);
    QStringList seen;
    for (int i = 0; i < 8; ++i)
        seen.append(hints.tick());
    QCOMPARE(seen.first(), u"料理に使う主材料を選択してみましょう"_s);
    QCOMPARE(seen.at(6), u"検索したおかずは一覧に表示されます。"_s);
    QCOMPARE(seen.last(), first);
    QCOMPARE(hints.tick(), seen.first());

    MealFinderWindow window(m_state);
    auto *timer = window.findChild<QTimer *>(u"Timer1"_s);
    QVERIFY(timer && timer->isActive());
    QCOMPARE(timer->interval(), 3000);
}

void TestMealFinder::opensReadyForTheKeyboard()
{
    MealFinderWindow window(m_state);
    // The hint asks to pick ingredients: they are there before any choice.
    auto *list = window.findChild<QListWidget *>(u"lst_zairyo"_s);
    QCOMPARE(list->count(), 115);
    QCOMPARE(list->item(0)->text(), u"飯/麺"_s);

    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.findChild<QComboBox *>(u"cmb_zairyo"_s)->setFocus();
    QStringList visited;
    for (int i = 0; i < 10; ++i) {
        QWidget *focused = QApplication::focusWidget();
        // An editable drop-down hands its focus to its line edit.
        if (focused && !focused->objectName().startsWith(u"cmb_"_s) && focused->parentWidget() &&
            focused->parentWidget()->objectName() == u"cmb_key"_s)
            focused = focused->parentWidget();
        visited.append(focused ? focused->objectName() : QString());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    // Screen order: the left column from the top, then the right column.
    QCOMPARE(visited, (QStringList{u"cmb_zairyo"_s, u"lst_zairyo"_s, u"cmb_mokuteki"_s,
                                   u"cmb_tema"_s, u"cmb_cost"_s, u"cmb_kokuseki"_s, u"cmb_name"_s,
                                   u"cmb_key"_s, u"cmb_tabeta"_s, u"cmd_serch"_s}));
}

QTEST_MAIN(TestMealFinder)
#include "tst_mealfinder.moc"
