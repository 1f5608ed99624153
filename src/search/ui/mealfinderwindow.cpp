#include "search/ui/mealfinderwindow.h"

#include "app/appstate.h"
#include "platform/widgets/cuttexttips.h"
#include "platform/widgets/windowplacement.h"

#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

using namespace Qt::StringLiterals;

MealFinderWindow::MealFinderWindow(AppState &state, QWidget *parent)
    : QDialog(parent), m_state(state)
{
    setObjectName(u"QVRCP_KY"_s);
    setWindowTitle(u"検索"_s);
    m_form.load(m_state);

    m_category = addCombo(u"cmb_zairyo", m_form.category, false);
    m_purpose = addCombo(u"cmb_mokuteki", m_form.purpose, false);
    m_cuisine = addCombo(u"cmb_kokuseki", m_form.cuisine, false);
    m_effort = addCombo(u"cmb_tema", m_form.effort, false);
    m_cost = addCombo(u"cmb_cost", m_form.cost, false);
    m_author = addCombo(u"cmb_name", m_form.author, false);
    m_keyword = addCombo(u"cmb_key", m_form.keyword, true);
    m_eaten = addCombo(u"cmb_tabeta", m_form.eaten, false);
    // The purpose comes from the list only; characters typed into it are dropped.
    m_purpose->installEventFilter(this);

    m_ingredients = new QListWidget(this);
    m_ingredients->setObjectName(u"lst_zairyo"_s);
    m_ingredients->setSelectionMode(QAbstractItemView::MultiSelection);
    CutTextTips::install(m_ingredients);

    m_help = new QLabel(m_hints.text(), this);
    m_help->setObjectName(u"lbl_help"_s);
    m_timer = new QTimer(this);
    m_timer->setObjectName(u"Timer1"_s);
    m_timer->setInterval(FinderHints::intervalMs);

    auto *searchButton = new QPushButton(u"何食べたい？"_s, this);
    searchButton->setObjectName(u"cmd_serch"_s);
    searchButton->setDefault(true);

    auto *grid = new QGridLayout(this);
    auto label = [this](const QString &text) { return new QLabel(text, this); };
    grid->addWidget(label(u"材料"_s), 0, 0);
    grid->addWidget(m_category, 0, 1);
    grid->addWidget(m_ingredients, 1, 0, 6, 2);
    grid->addWidget(label(u"種類"_s), 0, 2);
    grid->addWidget(m_purpose, 0, 3);
    grid->addWidget(label(u"手間"_s), 1, 2);
    grid->addWidget(m_effort, 1, 3);
    grid->addWidget(label(u"費用"_s), 2, 2);
    grid->addWidget(m_cost, 2, 3);
    grid->addWidget(label(u"国籍"_s), 3, 2);
    grid->addWidget(m_cuisine, 3, 3);
    grid->addWidget(label(u"作者"_s), 4, 2);
    grid->addWidget(m_author, 4, 3);
    grid->addWidget(label(u"キーワード:"_s), 5, 2);
    grid->addWidget(m_keyword, 5, 3);
    grid->addWidget(m_eaten, 6, 2, 1, 2);
    grid->addWidget(m_help, 7, 0, 1, 3);
    grid->addWidget(searchButton, 7, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    // Tab follows the screen: the left column, then the right one.
    const QList<QWidget *> order = {m_category, m_ingredients, m_purpose, m_effort, m_cost,
                                    m_cuisine,  m_author,      m_keyword, m_eaten,  searchButton};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));

    connect(m_category, &QComboBox::activated, this, [this](int index) {
        m_form.chooseCategory(index);
        fillIngredientList();
    });
    connect(m_ingredients, &QListWidget::itemSelectionChanged, this,
            &MealFinderWindow::syncIngredientSelection);
    connect(m_timer, &QTimer::timeout, this, [this] { m_help->setText(m_hints.tick()); });
    connect(searchButton, &QPushButton::clicked, this, &MealFinderWindow::search);
    m_timer->start();
    // Selecting the first category at load fires its handler, as a choice
    // does: the list offers every ingredient before anything is chosen.
    m_form.chooseCategory(m_category->currentIndex());
    fillIngredientList();
    resize(560, 360);
}

QComboBox *MealFinderWindow::addCombo(const char16_t *name, const ChoiceList &list, bool typeable)
{
    auto *combo = new QComboBox(this);
    combo->setObjectName(QString::fromUtf16(name));
    combo->setEditable(typeable);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(list.items);
    combo->setCurrentIndex(list.current);
    CutTextTips::install(combo);
    return combo;
}

void MealFinderWindow::fillIngredientList()
{
    m_changingSelection = true;
    m_ingredients->clear();
    m_ingredients->addItems(m_form.lines);
    m_changingSelection = false;
}

void MealFinderWindow::syncIngredientSelection()
{
    if (m_changingSelection)
        return;
    m_changingSelection = true;
    for (int i = 0; i < m_ingredients->count() && i < m_form.lines.size(); ++i) {
        const bool on = m_ingredients->item(i)->isSelected();
        if (on == m_form.selected.value(i))
            continue;
        for (int changed : m_form.setLineSelected(i, on))
            m_ingredients->item(changed)->setSelected(on);
    }
    m_changingSelection = false;
}

void MealFinderWindow::search()
{
    m_form.category.select(m_category->currentIndex());
    m_form.purpose.select(m_purpose->currentIndex());
    m_form.cuisine.select(m_cuisine->currentIndex());
    m_form.effort.select(m_effort->currentIndex());
    m_form.cost.select(m_cost->currentIndex());
    m_form.author.select(m_author->currentIndex());
    m_form.keyword.setText(m_keyword->currentText());
    m_form.eaten.select(m_eaten->currentIndex());
    m_form.writeConditions(m_state);
    accept();
}

bool MealFinderWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_purpose && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!key->text().isEmpty() && key->text().at(0).isPrint())
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void MealFinderWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_placed) {
        m_placed = true;
        WindowPlacement::centreOn(this, parentWidget());
    }
}

bool runMealFinder(AppState &state, QWidget *parent)
{
    MealFinderWindow window(state, parent);
    window.exec();
    return state.quickSearchResult == 1;
}
