#include "editor/ui/recipelistwindow.h"
#include "platform/widgets/cuttexttips.h"
#include "platform/widgets/windowplacement.h"

#include "analysis/classification.h"
#include "app/appstate.h"
#include "editor/recipelistbuilder.h"
#include "editor/recipepicture.h"
#include "editor/ui/currentrecipefile.h"
#include "editor/ui/formbinding.h"
#include "editor/ui/tabstrip.h"
#include "platform/prompts.h"
#include "recipe/texthelpers.h"
#include "recipe/vocabularyfile.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int recordNoRole = Qt::UserRole;

// Busy pointer for the length of a command.
class BusyPointer
{
public:
    BusyPointer() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer &) = delete;
    BusyPointer &operator=(const BusyPointer &) = delete;
};

} // namespace

RecipeListWindow::RecipeListWindow(AppState &state, Prompts &prompts, const Clock &clock,
                                   ListWindowHooks hooks, QWidget *parent)
    : QWidget(parent), m_state(state), m_prompts(prompts), m_editor(prompts, clock, m_form),
      m_hooks(std::move(hooks))
{
    setObjectName(u"QVPRNLST"_s);
    m_editor.showPicture = [this](const QString &path) { showPicture(path); };
    m_editor.normalizeRow = normalizeCategoryFields;
    buildControls();
    load();
}

RecipeListWindow::~RecipeListWindow() = default;

QPushButton *RecipeListWindow::button(const QString &name, const QString &caption)
{
    auto *b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

void RecipeListWindow::buildControls()
{
    m_binding = new FormBinding(m_form, this);
    connect(m_binding, &FormBinding::mainCategoryChosen, this,
            [this] { refillSubcategories(false); });

    // Left: views, list, finder and file buttons.
    m_view = new QComboBox(this);
    m_view->setObjectName(u"Cmb_bunrui21"_s);
    m_second = new QComboBox(this);
    m_second->setObjectName(u"Cmb_bunrui22"_s);
    QPushButton *all = button(u"cmd_all"_s, u"全表示"_s);
    m_list = new QListWidget(this);
    m_list->setObjectName(u"List1"_s);
    m_list->setUniformItemSizes(true);
    m_list->setMinimumWidth(210);
    m_list->installEventFilter(this);
    CutTextTips::install(m_list);
    m_serch = button(u"cmd_serch"_s, u"今日のおかずは何にする？"_s);
    QPushButton *cards = button(u"Command1"_s, u"画像一覧"_s);
    QPushButton *authors = button(u"cmd_name"_s, u"作者"_s);
    QPushButton *fileRead = button(u"Cmd_FileRead"_s, u"Fileread"_s);
    QPushButton *fileWrite = button(u"Cmd_FileWrite"_s, u"FileWrite"_s);
    QPushButton *fileImport = button(u"Cmd_Fileimport"_s, u"FileImport"_s);
    QPushButton *fileExport = button(u"Cmd_FileExport"_s, u"FileExport"_s);
    QPushButton *fileSearch = button(u"Cmd_FileSearch"_s, u"検索"_s);
    QPushButton *help = button(u"Cmd_help"_s, u"ヘルプ"_s);

    auto *left = new QVBoxLayout;
    auto *viewRow = new QHBoxLayout;
    viewRow->addWidget(m_view, 1);
    viewRow->addWidget(m_second, 1);
    viewRow->addWidget(all);
    left->addLayout(viewRow);
    left->addWidget(m_list, 1);
    left->addWidget(m_serch);
    auto *browseRow = new QHBoxLayout;
    browseRow->addWidget(cards);
    browseRow->addWidget(authors);
    browseRow->addWidget(help);
    left->addLayout(browseRow);
    // The file commands are the File menu's; their buttons only carry them
    // out and stay out of sight (their design captions are not Japanese).
    for (QPushButton *b : {fileRead, fileWrite, fileImport, fileExport, fileSearch})
        b->hide();

    // Right: entry fields.
    FormBinding &f = *m_binding;
    auto *fields = new QGridLayout;
    int labelNo = 0;
    const auto label = [&](const QString &caption) {
        auto *l = new QLabel(caption, this);
        l->setObjectName(u"Label2_%1"_s.arg(labelNo++));
        return l;
    };
    const auto row = [&](int r, int c, const QString &caption, QWidget *w, int span = 1) {
        fields->addWidget(label(caption), r, c);
        fields->addWidget(w, r, c + 1, 1, span);
    };
    QLabel *nameLabel = label(u"料理名"_s);
    nameLabel->setStyleSheet(u"color: blue;"_s); // required fields have blue captions
    fields->addWidget(nameLabel, 0, 0);
    fields->addWidget(f.Txt_key1, 0, 1, 1, 7);
    row(1, 0, u"主材料"_s, f.combo(u"Cmb_bunrui11"_s));
    row(1, 2, u"副材料"_s, f.combo(u"cmb_bunrui12"_s));
    row(1, 4, u"お気入り"_s, f.combo(u"cmb_jyuyou"_s));
    row(1, 6, u"習熟度"_s, f.combo(u"cmb_level"_s));
    row(2, 0, u"テーマ"_s, f.combo(u"cmb_mokuteki"_s));
    row(2, 2, u"国籍"_s, f.combo(u"cmb_kokuseki"_s));
    row(2, 4, u"手間"_s, f.combo(u"cmb_tema"_s));
    row(2, 6, u"費用"_s, f.combo(u"cmb_cost"_s));
    row(3, 0, u"特殊"_s, f.combo(u"cmb_key"_s));
    row(3, 2, u"作者"_s, f.combo(u"cmb_name"_s));
    row(3, 4, u"味"_s, f.combo(u"cmb_aji"_s));
    row(3, 6, u"人分"_s, f.Txt_biko[0]);
    row(4, 0, u"時間"_s, f.Txt_biko[9]);
    row(4, 2, u"登録日"_s, f.Txt_biko[10]);
    row(4, 4, u"塩分"_s, f.Txt_biko[11]);
    row(4, 6, u"カロリー"_s, f.Txt_biko[12]);
    row(5, 0, u"ビタミン"_s, f.Txt_biko[3]);
    row(5, 2, u"蛋白質"_s, f.Txt_biko[4]);
    row(5, 4, u"糖質"_s, f.Txt_biko[5]);
    row(5, 6, u"野菜"_s, f.Txt_biko[6]);
    row(6, 0, u"脂質"_s, f.Txt_biko[7]);
    row(6, 2, u"果物"_s, f.Txt_biko[8]);
    auto *checks = new QGridLayout;
    checks->setHorizontalSpacing(4);
    checks->setVerticalSpacing(0);
    const QList<QCheckBox *> switches = {f.Chk_noprint, f.Chk_Active, f.chk_etc[0], f.chk_etc[1],
                                         f.chk_etc[2],  f.chk_etc[3], f.chk_etc[4]};
    for (int i = 0; i < switches.size(); ++i)
        checks->addWidget(switches.at(i), i / 4, i % 4);
    fields->addLayout(checks, 7, 0, 1, 8);
    row(8, 0, u"材料/分量"_s, f.txt_yobi[0], 7);
    f.txt_yobi[0]->setMinimumHeight(48);
    f.txt_yobi[0]->setMaximumHeight(90);
    for (int c = 1; c < 8; c += 2)
        fields->setColumnStretch(c, 1);
    for (const QString &name : f.comboNames()) {
        f.combo(name)->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        f.combo(name)->setMinimumContentsLength(3);
        CutTextTips::install(f.combo(name));
    }
    const int singleLine = WindowPlacement::twipsToPixels(this, 315);
    for (QWidget *w : f.Txt_biko)
        if (!FormBinding::isMultiline(w))
            w->setFixedHeight(qMax(singleLine, w->sizeHint().height()));

    // Method and notes on two pages behind the tab strip.
    m_tabs = new TabStrip(this);
    m_tabs->setObjectName(u"Picture3"_s);
    for (int i = 0; i < 2; ++i) {
        auto *page = new QWidget(this);
        page->setObjectName(u"Picture1_%1"_s.arg(i));
        m_pages[std::size_t(i)] = page;
    }
    auto *methodPage = new QVBoxLayout(m_pages[0]);
    methodPage->setContentsMargins(0, 0, 0, 0);
    methodPage->addWidget(f.txt_yobi[1]);
    auto *notesPage = new QGridLayout(m_pages[1]);
    notesPage->setContentsMargins(0, 0, 0, 0);
    notesPage->addWidget(label(u"備考"_s), 0, 0);
    notesPage->addWidget(f.Txt_biko[1], 0, 1);
    notesPage->addWidget(label(u"POINT"_s), 1, 0);
    notesPage->addWidget(f.Txt_biko[2], 1, 1);
    connect(m_tabs, &TabStrip::tabPressed, this, [this](int k) { showPage(k); });

    // Picture area.
    m_pic1 = new QLabel(this);
    m_pic1->setObjectName(u"Pic1"_s);
    m_pic1->hide();
    auto *image1 = new QLabel(this);
    image1->setObjectName(u"Image1"_s);
    image1->hide();
    m_pic2 = new QLabel(this);
    m_pic2->setObjectName(u"Pic2"_s);
    m_pic2->setFixedSize(220, 130);
    m_pic2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_pic2->setFrameShape(QFrame::Box);
    auto *pictureRow = new QHBoxLayout;
    pictureRow->addWidget(label(u"添付"_s));
    pictureRow->addWidget(f.txt_yobi[2], 1);
    QPushButton *attach = button(u"cmd_gazo"_s, u"..."_s);
    attach->setMaximumWidth(32);
    pictureRow->addWidget(attach);
    QPushButton *paste = button(u"Cmd_clip"_s, u"ｸﾘｯﾌﾟﾎﾞｰﾄﾞ画像貼付"_s);
    QPushButton *clearPic = button(u"Cmd_pic2_del"_s, u"画像ｸﾘｱ"_s);
    auto *pictureButtons = new QVBoxLayout;
    pictureButtons->addLayout(pictureRow);
    auto *pasteRow = new QHBoxLayout;
    pasteRow->addWidget(paste);
    pasteRow->addWidget(clearPic);
    pictureButtons->addLayout(pasteRow);
    pictureButtons->addStretch();

    // Commands and print controls.
    auto *commands = new QHBoxLayout;
    const QStringList captions = {u"表示"_s, u"追加"_s, u"更新"_s, u"削除"_s, u"ｸﾘｱ"_s};
    for (int i = 0; i < captions.size(); ++i) {
        QPushButton *b = button(u"Cmd_Update_%1"_s.arg(i), captions.at(i));
        connect(b, &QPushButton::clicked, this, [this, i] { runCommand(i); });
        commands->addWidget(b);
    }
    QPushButton *analyse = button(u"Cmd_kaiseki"_s, u"ｸﾘｯﾌﾟﾎﾞｰﾄﾞ解析"_s);
    commands->addWidget(analyse);
    auto *printRow = new QHBoxLayout;
    m_type = new QComboBox(this);
    m_type->setObjectName(u"Cmb_Type"_s);
    m_men = new QComboBox(this);
    m_men->setObjectName(u"Cmb_men"_s);
    QPushButton *print = button(u"Cmd_print"_s, u"印刷"_s);
    m_selectStart = new QCheckBox(u"選択行より"_s, this);
    m_selectStart->setObjectName(u"chk_selctstart"_s);
    printRow->addWidget(m_type);
    printRow->addWidget(m_men);
    printRow->addWidget(m_selectStart);
    printRow->addWidget(print);
    printRow->addStretch();

    auto *right = new QVBoxLayout;
    right->addLayout(fields);
    auto *lower = new QHBoxLayout;
    auto *pagesBox = new QVBoxLayout;
    pagesBox->setSpacing(0);
    pagesBox->addWidget(m_tabs);
    pagesBox->addWidget(m_pages[0], 1);
    pagesBox->addWidget(m_pages[1], 1);
    lower->addLayout(pagesBox, 1);
    auto *pictureBox = new QVBoxLayout;
    pictureBox->addWidget(m_pic2);
    pictureBox->addLayout(pictureButtons);
    lower->addLayout(pictureBox);
    right->addLayout(lower, 1);
    right->addLayout(commands);
    right->addLayout(printRow);

    // Everything scrolls when the frame is smaller than the window's content.
    auto *content = new QWidget;
    auto *columns = new QHBoxLayout(content);
    columns->setContentsMargins(4, 4, 4, 4);
    // Both sides grow with the window: longer dish names, wider fields.
    columns->addLayout(left, 2);
    columns->addLayout(right, 5);
    auto *scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setFocusPolicy(Qt::NoFocus); // a Tab stop that shows nothing
    scroll->setWidget(content);
    auto *top = new QVBoxLayout(this);
    top->setContentsMargins(0, 0, 0, 0);
    top->addWidget(scroll);

    // Events.
    connect(m_view, &QComboBox::activated, this, [this] { viewChosen(); });
    connect(m_second, &QComboBox::activated, this, [this] {
        BusyPointer busy;
        rebuildList();
    });
    connect(all, &QPushButton::clicked, this, [this] { setView(1); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] {
        runCommand(0);
        m_list->setFocus();
    });
    // Choosing the same layout again also rebuilds: the paper may have changed.
    connect(m_type, &QComboBox::currentIndexChanged, this, [this] { fillDuplexModes(); });
    connect(m_type, &QComboBox::activated, this, [this] { fillDuplexModes(); });
    connect(m_serch, &QPushButton::clicked, this, [this] { mealFinder(); });
    connect(cards, &QPushButton::clicked, this, [this] { cardViewer(); });
    connect(attach, &QPushButton::clicked, this, [this] { attachPicture(); });
    connect(paste, &QPushButton::clicked, this, [this] { pastePicture(); });
    connect(clearPic, &QPushButton::clicked, this, [this] { m_editor.clearPicture(); });
    connect(help, &QPushButton::clicked, this, [this] { showHelp(); });
    const auto hook = [this](QPushButton *b, ListWindowHooks::Command ListWindowHooks::*member) {
        connect(b, &QPushButton::clicked, this, [this, member] {
            if (m_hooks.*member)
                (m_hooks.*member)(*this);
        });
    };
    hook(fileRead, &ListWindowHooks::fileRead);
    hook(fileWrite, &ListWindowHooks::fileWrite);
    hook(fileImport, &ListWindowHooks::fileImport);
    hook(fileExport, &ListWindowHooks::fileExport);
    hook(fileSearch, &ListWindowHooks::fileSearch);
    hook(analyse, &ListWindowHooks::analyse);
    hook(authors, &ListWindowHooks::authorList);
    connect(print, &QPushButton::clicked, this, [this] { this->print(); });

    // Tab follows the screen: the left column from the top, then the entry
    // fields row by row, the pages, the picture, the commands and printing.
    QList<QWidget *> order = {m_view, m_second, all,  m_list,    m_serch,
                              cards,  authors,  help, f.Txt_key1};
    for (const char16_t *name :
         {u"Cmb_bunrui11", u"cmb_bunrui12", u"cmb_jyuyou", u"cmb_level", u"cmb_mokuteki",
          u"cmb_kokuseki", u"cmb_tema", u"cmb_cost", u"cmb_key", u"cmb_name", u"cmb_aji"})
        order.append(f.combo(QString::fromUtf16(name)));
    for (int i : {0, 9, 10, 11, 12, 3, 4, 5, 6, 7, 8})
        order.append(f.Txt_biko[std::size_t(i)]);
    for (QCheckBox *check : switches)
        order.append(check);
    order << f.txt_yobi[0] << m_tabs << f.txt_yobi[1] << f.Txt_biko[1] << f.Txt_biko[2]
          << f.txt_yobi[2] << attach << paste << clearPic;
    for (int i = 0; i < captions.size(); ++i)
        order.append(findChild<QPushButton *>(u"Cmd_Update_%1"_s.arg(i)));
    order << analyse << m_type << m_men << m_selectStart << print;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
}

void RecipeListWindow::load()
{
    setEnabled(false);
    BusyPointer busy;
    m_listLoading = 1;
    m_form.shownRecordNo = -1;
    m_list->setMinimumHeight(WindowPlacement::twipsToPixels(this, 5295));
    setWindowTitle(u"RECIPE"_s);

    m_editor.setRecipeFile(openCurrentRecipeFile(m_state, m_prompts));
    fillCombos();

    m_tabs->setTag(u"作り方,備考"_s);
    showPage(1);
    showPicture(QString());
    m_pic2->setText(u" 画像添付ヶ所 (BMPのみ)"_s);
    m_state.quickSearchOwner = 2;

    m_listLoading = 0;
    rebuildList();
    setEnabled(true);
}

void RecipeListWindow::fillCombos()
{
    const QString vocabulary = m_state.vocabularyPath();
    const QStringList categories =
        VocabularyFile::readVocabularySection(vocabulary, VocabularyFile::materials);
    m_view->clear();
    m_view->addItems({RecipeListFilter::searchView, RecipeListFilter::allView,
                      RecipeListFilter::genreView, RecipeListFilter::favouriteView});
    m_view->addItems(categories);
    setView(1);

    m_form.cmb_jyuyou.items = {u"0"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s};
    m_form.cmb_jyuyou.select(3);
    m_form.cmb_level.items =
        QStringList{QString()} + VocabularyFile::readVocabularySection(vocabulary, u"[人気]"_s);
    m_form.cmb_level.select(0);
    m_form.Cmb_bunrui11.items = categories;
    m_form.Cmb_bunrui11.select(0);
    m_form.cmb_aji.items =
        QStringList{QString()} + VocabularyFile::readVocabularySection(vocabulary, u"[味]"_s);
    m_form.cmb_aji.select(0);
    VocabularyFile::fillVocabularyLists(vocabulary, m_form.choiceLists());
    refillSubcategories(false);
    m_binding->push();

    m_type->clear();
    m_type->addItems({u"画像付"_s, u"画像付 2件"_s, u"画像付 3件"_s, u"画像付 4件"_s, u"画像なし"_s,
                      u"1行(横罫)"_s, u"1行"_s});
    m_type->setCurrentIndex(0);
    fillDuplexModes();
}

void RecipeListWindow::fillDuplexModes()
{
    m_men->clear();
    m_men->addItems(
        {u"表"_s, u"表裏交互"_s, u"裏表交互"_s, u"A4 両面"_s, u"２つ折り"_s, u"超整理手帳"_s});
    m_men->setCurrentIndex(m_state.layout.fourUpSheet == 1 ? 5 : 0);
}

void RecipeListWindow::print()
{
    if (m_type->currentText().trimmed().isEmpty())
        return;
    if (m_list->count() == 0) {
        m_prompts.message(u"印刷するデータがありません。"_s);
        return;
    }
    if (m_selectStart->isChecked() && selectedRecordNo() < 0)
        m_list->setCurrentRow(0);
    if (m_hooks.print)
        m_hooks.print(*this);
}

PrintControls RecipeListWindow::printControls() const
{
    PrintControls c;
    c.layoutType = m_type->currentIndex() + 1;
    c.arrangement = m_men->currentIndex();
    c.startRecord = m_selectStart->isChecked() ? selectedRecordNo() : -1;
    c.categoryLabel = m_view->currentText().trimmed();
    return c;
}

void RecipeListWindow::refillSubcategories(bool keepText)
{
    ChoiceList &sub = m_form.cmb_bunrui12;
    const QString text = sub.currentText();
    const QString category = TextHelpers::trimBlanks(m_form.Cmb_bunrui11.currentText());
    sub.items = category.isEmpty()
                    ? QStringList()
                    : VocabularyFile::readVocabularySection(m_state.vocabularyPath(),
                                                            VocabularyFile::materials, category);
    sub.setText(keepText ? text : QString());
    m_binding->pushCombo(u"cmb_bunrui12"_s);
}

void RecipeListWindow::pushForm()
{
    refillSubcategories(true);
    m_binding->push();
}

void RecipeListWindow::setRecipeFile(const QString &path)
{
    m_editor.setRecipeFile(path);
    pushForm();
}

void RecipeListWindow::setView(int index)
{
    m_view->setCurrentIndex(index);
    viewChosen();
}

void RecipeListWindow::viewChosen()
{
    BusyPointer busy;
    const QString view = TextHelpers::trimBlanks(m_view->currentText());
    m_second->clear();
    m_second->addItem(QString());
    m_second->setEnabled(true);
    if (view == RecipeListFilter::allView) {
        m_second->setEnabled(false);
        m_second->setCurrentIndex(0);
    } else if (view == RecipeListFilter::genreView) {
        m_second->addItems(
            VocabularyFile::readVocabularySection(m_state.vocabularyPath(), u"[目的]"_s));
        m_second->addItem(u" "_s + RecipeListFilter::otherEntry);
    } else {
        m_second->addItems(VocabularyFile::readVocabularySection(m_state.vocabularyPath(),
                                                                 VocabularyFile::materials, view));
        m_second->addItem(u" "_s + RecipeListFilter::otherEntry);
    }
    rebuildList();
}

RecipeListFilter RecipeListWindow::currentFilter() const
{
    RecipeListFilter filter;
    filter.view = TextHelpers::trimBlanks(m_view->currentText());
    filter.secondFilter = TextHelpers::trimBlanks(m_second->currentText());
    for (int i = 0; i < m_second->count(); ++i)
        filter.secondEntries.append(m_second->itemText(i));
    filter.mainCategory = m_state.searchMainCategory;
    filter.ingredientList = m_state.searchIngredientList;
    filter.conditions = m_state.searchConditions;
    filter.eatenFilter = m_state.searchEatenFilter;
    return filter;
}

void RecipeListWindow::rebuildList()
{
    if (m_listLoading == 1)
        return;
    if (m_rebuilding) {
        // Asked again while events ran during a rebuild: start over once the
        // running one stops, so the list never mixes two builds.
        m_rebuildAgain = true;
        return;
    }
    m_rebuilding = true;
    do {
        m_rebuildAgain = false;
        setWindowTitle(u"RECIPE - "_s + TextHelpers::fileNamePart(recipeFile()));
        const RecipeListFilter filter = currentFilter();
        m_list->setEnabled(false);
        m_list->clear();
        m_entryRows.clear();
        const RecipeListBuilder::Result built =
            RecipeListBuilder::build(recipeFile(), filter, normalizeCategoryFields, [this] {
                QCoreApplication::processEvents();
                return !m_rebuildAgain;
            });
        if (!built.complete)
            continue;
        const QString readError = built.readError.isEmpty()
                                      ? QString()
                                      : u"レシピファイル「%1」を読み込めませんでした。\r\n"_s.arg(
                                            QDir::toNativeSeparators(recipeFile())) +
                                            built.readError;
        if (!readError.isEmpty() && readError != m_readErrorShown)
            m_prompts.message(readError, Prompts::Icon::Exclamation);
        m_readErrorShown = readError;
        m_list->setUpdatesEnabled(false);
        // All rows in one insertion: one at a time, the view would handle
        // each as a change of its own.
        QStringList texts;
        texts.reserve(built.entries.size());
        m_entryRows.reserve(built.entries.size());
        int selected = -1;
        for (const RecipeListBuilder::Entry &entry : built.entries) {
            if (entry.recordNo == m_form.shownRecordNo)
                selected = int(texts.size());
            texts.append(entry.text);
            m_entryRows.append(entry.row);
        }
        m_list->addItems(texts);
        {
            // The record number is for the program alone; no view shows it,
            // so its setting need not be announced.
            const QSignalBlocker quiet(m_list->model());
            for (qsizetype i = 0; i < built.entries.size(); ++i)
                m_list->item(int(i))->setData(recordNoRole, built.entries.at(i).recordNo);
        }
        m_list->setUpdatesEnabled(true);
        if (selected >= 0) {
            QListWidgetItem *item = m_list->item(selected);
            m_list->setCurrentItem(item);
            m_list->scrollToItem(item);
        }
        m_list->setEnabled(true);
    } while (m_rebuildAgain);
    m_rebuilding = false;
}

bool RecipeListWindow::selectRecord(int recordNo)
{
    for (int i = 0; i < m_list->count(); ++i) {
        if (m_list->item(i)->data(recordNoRole).toInt() == recordNo) {
            m_list->setCurrentRow(i);
            m_list->scrollToItem(m_list->item(i));
            return true;
        }
    }
    return false;
}

bool RecipeListWindow::showSearchHit(int recordNo)
{
    setView(1);
    if (!selectRecord(recordNo))
        return false;
    runCommand(0);
    m_list->setFocus();
    return true;
}

int RecipeListWindow::selectedRecordNo() const
{
    const QListWidgetItem *item = m_list->currentItem();
    return item && item->isSelected() ? item->data(recordNoRole).toInt() : -1;
}

size_t RecipeListWindow::rowOf(const QListWidgetItem *item) const
{
    const int i = item ? m_list->row(item) : -1;
    return i >= 0 && i < m_entryRows.size() ? m_entryRows.at(i) : 0;
}

void RecipeListWindow::runCommand(int index)
{
    BusyPointer busy;
    const QListWidgetItem *item = m_list->currentItem();
    const QString entryText = item ? item->text() : QString();
    const std::optional<size_t> row = item ? std::optional<size_t>(rowOf(item)) : std::nullopt;
    const bool changed = m_editor.run(index, selectedRecordNo(), entryText, row);
    pushForm();
    if ((changed && index >= 1 && index <= 3) || m_editor.takeListStale())
        rebuildList();
}

void RecipeListWindow::showPicture(const QString &path)
{
    m_pic2->clear();
    m_shownPicture = QImage();
    m_shownPictureRect = QRect();
    if (path.isEmpty()) {
        m_pic1->clear();
        return;
    }
    // Decoded at most at the box's size: a large photo is not held whole.
    const QImage image = RecipePicture::loadRecipePicture(path, m_pic2->contentsRect().size() *
                                                                    m_pic2->devicePixelRatioF());
    if (image.isNull())
        return; // a missing picture shows nothing rather than the previous one
    m_pic1->setPixmap(QPixmap::fromImage(image));
    const QSize box = m_pic2->contentsRect().size();
    const QSize size = RecipePicture::fittedSize(box, image.size());
    if (size.isEmpty())
        return;
    m_shownPicture = image;
    m_shownPictureRect = QRect(QPoint(0, 0), size);
    m_pic2->setPixmap(
        QPixmap::fromImage(image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
}

void RecipeListWindow::showPage(int tab)
{
    // Disabling the window takes the focus away; a keyboard user who turned
    // the page from the tab strip keeps it there.
    QPointer<QWidget> focused = QApplication::focusWidget();
    setEnabled(false);
    BusyPointer busy;
    m_tabs->selectTab(tab);
    for (int i = 1; i <= int(m_pages.size()); ++i)
        m_pages[std::size_t(i - 1)]->setVisible(i == m_tabs->selectedTab());
    setEnabled(true);
    if (focused && focused->isVisible())
        focused->setFocus(Qt::OtherFocusReason);
}

void RecipeListWindow::mealFinder()
{
    m_state.quickSearchText.clear();
    m_state.searchConditions[6].clear();
    if (!m_hooks.mealFinder || !m_hooks.mealFinder(*this)) {
        m_state.searchConditions[6].clear();
        return;
    }
    QCoreApplication::processEvents();
    setView(0);
    m_list->setCurrentRow(-1);
    m_list->clearSelection();
    if (m_list->count() == 0) {
        m_prompts.message(u"該当するレシピが見つかりませんでした"_s, Prompts::Icon::Exclamation);
        setView(1);
    } else if (m_hooks.cardViewer) {
        m_hooks.cardViewer(*this);
    }
    m_serch->setFocus();
    m_state.searchConditions[6].clear();
}

void RecipeListWindow::cardViewer()
{
    if (m_list->count() > 0 && selectedRecordNo() < 0)
        m_list->setCurrentRow(0);
    if (m_hooks.cardViewer)
        m_hooks.cardViewer(*this);
}

void RecipeListWindow::attachPicture()
{
    const QString start = m_editor.attachStartPath();
    QString chosen;
    if (m_hooks.chooseImageFile) {
        chosen = m_hooks.chooseImageFile(*this, start);
    } else {
        chosen = QFileDialog::getOpenFileName(
            this, QString(), start, u"画像 (*.bmp *.jpg *.gif *.png *.jpeg);;全て (*.*)"_s);
    }
    if (chosen.isEmpty())
        return;
    m_editor.attachPicture(chosen);
    pushForm();
}

void RecipeListWindow::pastePicture()
{
    const QImage image = RecipePicture::clipboardPicture(QGuiApplication::clipboard()->mimeData(),
                                                         RecipePicture::pastedPictureBound);
    BusyPointer busy;
    const bool changed = m_editor.pasteImage(image);
    pushForm();
    if (changed)
        rebuildList();
}

void RecipeListWindow::showHelp()
{
    // A user may point HELP_PAGE at a page of their own; otherwise the
    // program's built-in help is offered.
    const QString address =
        m_state.settings ? m_state.settings->readSetting(QString(), u"HELP_PAGE"_s) : QString();
    const Prompts::Answer answer =
        m_prompts.message(RecipeEditor::helpText(address), Prompts::Icon::Information,
                          Prompts::Buttons::YesNo, Prompts::Answer::Yes);
    if (answer == Prompts::Answer::Yes && m_hooks.openHelp)
        m_hooks.openHelp(*this);
}

void RecipeListWindow::jumpGroup(bool forward, bool thenShow)
{
    QStringList entries;
    entries.reserve(m_list->count());
    for (int i = 0; i < m_list->count(); ++i)
        entries.append(m_list->item(i)->text());
    const int from = m_list->currentRow();
    const int to = RecipeListFilter::groupJump(entries, from, forward);
    if (to == from)
        return;
    m_list->setCurrentRow(to);
    if (thenShow)
        runCommand(0);
}

bool RecipeListWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_list)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        const bool shift = key->modifiers() & Qt::ShiftModifier;
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            runCommand(0);
            m_list->setFocus();
            return true;
        case Qt::Key_Delete:
            runCommand(3);
            m_list->setFocus();
            return true;
        case Qt::Key_Space:
        case Qt::Key_Right:
            jumpGroup(true, shift);
            return true;
        case Qt::Key_Left:
            jumpGroup(false, shift);
            return true;
        default:
            break;
        }
    } else if (event->type() == QEvent::KeyRelease) {
        auto *key = static_cast<QKeyEvent *>(event);
        if ((key->modifiers() & Qt::ShiftModifier) &&
            (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) && !key->isAutoRepeat()) {
            runCommand(0);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool RecipeListWindow::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        m_state.quickSearchOwner = 2;
    return QWidget::event(event);
}
