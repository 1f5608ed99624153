#include "app/ui/mainwindow.h"

#include "app/startup.h"
#include "app/ui/helpwindow.h"
#include "app/ui/splashwindow.h"
#include "platform/widgets/windowplacement.h"
#include "print/engine/pagelayout.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPrinterInfo>
#include <QScreen>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

MainWindow::WindowFactory &listWindowFactory()
{
    static MainWindow::WindowFactory factory;
    return factory;
}
std::function<void(MainWindow &)> &optionsRunner()
{
    static std::function<void(MainWindow &)> runner;
    return runner;
}
std::function<void(MainWindow &)> &authorListOpener()
{
    static std::function<void(MainWindow &)> opener;
    return opener;
}
std::function<void(MainWindow &)> &printerSetupRunner()
{
    static std::function<void(MainWindow &)> runner;
    return runner;
}

class FrameHost : public StartupHost
{
public:
    FrameHost(MainWindow &window, SingleInstance &instance) : m_window(window), m_instance(instance)
    {}

    QString programFilePath() const override { return QCoreApplication::applicationFilePath(); }
    void setCaption(const QString &caption) override { m_window.setWindowTitle(caption); }
    QSize screenSizeTwips() const override
    {
        const QScreen *screen = QGuiApplication::primaryScreen();
        const QSize px = screen ? screen->size() : QSize(1024, 768);
        const double t = WindowPlacement::twipsPerPixel(&m_window);
        return QSize(int(px.width() * t), int(px.height() * t));
    }
    QSize windowSizeTwips() const override
    {
        const double t = WindowPlacement::twipsPerPixel(&m_window);
        return QSize(int(m_window.width() * t), int(m_window.height() * t));
    }
    void moveWindowTwips(int left, int top) override
    {
        const double t = WindowPlacement::twipsPerPixel(&m_window);
        WindowPlacement::moveOntoScreen(&m_window, QPoint(int(left / t), int(top / t)));
    }
    bool printingAvailable() const override { return true; }
    std::optional<double> printerLeftOffsetMm() const override
    {
        // Qt reports no physical offset for the printer it would pick; skip the probe.
        return std::nullopt;
    }
    SingleInstance::Outcome acquireSingleInstance(const QString &programDir) override
    {
        return m_instance.acquire(programDir);
    }

private:
    MainWindow &m_window;
    SingleInstance &m_instance;
};

} // namespace

void MainWindow::setListWindowFactory(WindowFactory factory)
{
    listWindowFactory() = std::move(factory);
}
void MainWindow::setOptionsDialogRunner(std::function<void(MainWindow &)> runner)
{
    optionsRunner() = std::move(runner);
}
void MainWindow::setAuthorListOpener(std::function<void(MainWindow &)> opener)
{
    authorListOpener() = std::move(opener);
}
void MainWindow::setPrinterSetupRunner(std::function<void(MainWindow &)> runner)
{
    printerSetupRunner() = std::move(runner);
}

MainWindow::MainWindow(AppState &state, QWidget *parent)
    : QMainWindow(parent), m_state(state), m_prompts(this)
{
    setObjectName(u"QVRECIPE"_s);
    m_area = new QMdiArea(this);
    m_area->setObjectName(u"childArea"_s);
    setCentralWidget(m_area);
    buildMenus();
    const double t = WindowPlacement::twipsPerPixel(this);
    // Wide enough for the entry fields to show their entries whole, but
    // never wider than the screen.
    int width = int(15000 / t);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        width = qMin(width, screen->availableGeometry().width());
    resize(width, int(8655 / t));
    setEnabled(false);
}

MainWindow::~MainWindow() = default;

QAction *MainWindow::addItem(QMenu *menu, const QString &name, const QString &text)
{
    QAction *action = menu->addAction(text);
    action->setObjectName(name);
    m_items.insert(name, action);
    return action;
}

void MainWindow::buildMenus()
{
    QMenu *file = menuBar()->addMenu(u"ﾌｧｲﾙ(&F)"_s);
    file->setObjectName(u"mnu_frmfile"_s);
    addItem(file, u"mnu_FileRead"_s, u"ファイルを開く"_s);
    addItem(file, u"mnu_FileWrite"_s, u"ファイルに書く"_s);
    addItem(file, u"mnu_FileImport"_s, u"インポート"_s);
    addItem(file, u"mnu_FileExport"_s, u"エクスポート"_s);
    addItem(file, u"mnu_FileSearch"_s, u"検索"_s);
    addItem(file, u"mnu_help"_s, u"ヘルプ"_s);
    file->addSeparator()->setObjectName(u"mnu_bar0"_s);
    QAction *preview = addItem(file, u"mnu_preview"_s, u"プレビュー"_s);
    preview->setCheckable(true);
    addItem(file, u"mnu_option"_s, u"用紙サイズ設定"_s);
    addItem(file, u"mnu_printdlg"_s, u"プリンターの設定"_s);
    file->addSeparator()->setObjectName(u"mnu_bar1"_s);
    addItem(file, u"mnu_home"_s, u"ホームページ表示"_s);
    addItem(file, u"mnu_Version"_s, u"バージョン情報"_s);
    addItem(file, u"mnu_end"_s, u"終了(&E)"_s);

    auto topItem = [this](const QString &name, const QString &text) {
        QAction *action = menuBar()->addAction(text);
        action->setObjectName(name);
        m_items.insert(name, action);
        return action;
    };
    topItem(u"mnu_Frmcrd"_s, u"レシピ(&R)"_s);
    topItem(u"mnu_name"_s, u"レシピ作者紹介"_s);
    topItem(u"mnu_satuei"_s, u"料理の撮影法"_s);

    const std::pair<const char16_t *, const char16_t *> forwards[] = {
        {u"mnu_FileRead", u"Cmd_FileRead"},     {u"mnu_FileWrite", u"Cmd_FileWrite"},
        {u"mnu_FileImport", u"Cmd_Fileimport"}, {u"mnu_FileExport", u"Cmd_FileExport"},
        {u"mnu_FileSearch", u"Cmd_FileSearch"}, {u"mnu_help", u"Cmd_help"},
    };
    for (const auto &[item, button] : forwards) {
        const QString buttonName = QString::fromUtf16(button);
        connect(m_items.value(QString::fromUtf16(item)), &QAction::triggered, this,
                [this, buttonName] { pressListButton(buttonName); });
    }
    connect(m_items.value(u"mnu_Frmcrd"_s), &QAction::triggered, this,
            [this] { switchMenuMode(u"crd"_s); });
    connect(m_items.value(u"mnu_option"_s), &QAction::triggered, this,
            [this] { switchMenuMode(u"option"_s); });
    connect(preview, &QAction::triggered, this, [this] { togglePreview(); });
    // A print run sets the switch too (the button pressed in its dialog).
    connect(file, &QMenu::aboutToShow, this,
            [this, preview] { preview->setChecked(m_state.previewMode != 0); });
    connect(m_items.value(u"mnu_printdlg"_s), &QAction::triggered, this, [this] {
        if (printerSetupRunner())
            printerSetupRunner()(*this);
    });
    connect(m_items.value(u"mnu_home"_s), &QAction::triggered, this, [this] { openHomePage(); });
    connect(m_items.value(u"mnu_name"_s), &QAction::triggered, this, [this] {
        if (authorListOpener())
            authorListOpener()(*this);
    });
    connect(m_items.value(u"mnu_satuei"_s), &QAction::triggered, this, [this] { showPhotoTips(); });
    connect(m_items.value(u"mnu_Version"_s), &QAction::triggered, this,
            [this] { showVersionBox(); });
    connect(m_items.value(u"mnu_end"_s), &QAction::triggered, this, [this] { close(); });
}

bool MainWindow::start(const QString &commandLine)
{
    FrameHost host(*this, m_instance);
    const int result =
        Startup::runStartup(m_state, host, prompts(), QString::fromUtf16(Startup::version));
    m_startResult = result;
    if (result == Startup::AlreadyRunning || result == Startup::CannotStart)
        return false;
    show();
    SplashWindow splash(m_state.versionText, this);
    splash.show();
    QCoreApplication::processEvents();
    if (const QString error = Startup::ensureVocabularyFile(m_state, result); !error.isEmpty())
        prompts().message(error, Prompts::Icon::Exclamation);
    const bool clip =
        Startup::wantsClipboardAnalysis(windowTitle(), m_state.programName, commandLine);
    switchMenuMode(u"crd"_s);
    if (clip)
        runClipboardAnalysis();
    if (result != Startup::Normal) {
        QCoreApplication::processEvents();
        showVersionBox();
    }
    splash.close();
    setEnabled(true);
    return true;
}

int MainWindow::exitCode() const
{
    // Another copy already serves the user; only a folder that cannot be
    // used is a failure.
    return m_startResult == Startup::CannotStart ? 1 : 0;
}

void MainWindow::runClipboardAnalysis()
{
    pressListButton(u"Cmd_kaiseki"_s);
}

void MainWindow::ensureListWindow()
{
    if (!m_listWindow) {
        QWidget *content = listWindowFactory() ? listWindowFactory()(*this) : nullptr;
        if (!content) {
            auto *placeholder = new QLabel(u"RECIPE"_s);
            placeholder->setObjectName(u"QVPRNLST"_s);
            placeholder->setAlignment(Qt::AlignCenter);
            content = placeholder;
        }
        QMdiSubWindow *sub = m_area->addSubWindow(content);
        // Its close box only hides it, with everything typed into it kept;
        // "レシピ(R)" brings it back.
        sub->setAttribute(Qt::WA_DeleteOnClose, false);
        sub->installEventFilter(this);
        m_listWindow = content;
        sub->showMaximized();
    }
    if (auto *sub = qobject_cast<QMdiSubWindow *>(m_listWindow->parentWidget())) {
        m_listWindow->show(); // closing the sub-window hid it too
        sub->show();
        m_area->setActiveSubWindow(sub);
    }
    m_listWindow->raise();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Close && m_listWindow && watched == m_listWindow->parentWidget()) {
        // The list window is going: its File items have no window to act on.
        QTimer::singleShot(0, this, [this] {
            if (m_listWindow && !m_listWindow->parentWidget()->isVisible())
                switchMenuMode(QString());
        });
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::switchMenuMode(const QString &mode)
{
    static const QStringList fileItems = {u"mnu_FileSearch"_s, u"mnu_FileRead"_s,
                                          u"mnu_FileWrite"_s,  u"mnu_FileImport"_s,
                                          u"mnu_FileExport"_s, u"mnu_help"_s};
    for (const QString &name : fileItems) {
        m_items.value(name)->setVisible(false);
        m_items.value(name)->setText(QString());
    }
    QString effective = mode;
    if (mode != u"option"_s) {
        m_items.value(u"mnu_Frmcrd"_s)->setEnabled(true);
        m_menuMode = mode;
    } else {
        if (optionsRunner())
            optionsRunner()(*this);
        effective = m_menuMode;
    }
    if (effective.toUpper() == u"CRD"_s) {
        m_items.value(u"mnu_Frmcrd"_s)->setEnabled(false);
        m_items.value(u"mnu_FileSearch"_s)->setText(u"検索"_s);
        m_items.value(u"mnu_FileRead"_s)->setText(u"レシピファイルの切替え(読込)"_s);
        m_items.value(u"mnu_FileWrite"_s)->setText(u"新規レシピファイル作成"_s);
        m_items.value(u"mnu_FileImport"_s)->setText(u"レシピファイルをインポート"_s);
        m_items.value(u"mnu_FileExport"_s)->setText(u"表示レシピをクリップボードにセット"_s);
        m_items.value(u"mnu_help"_s)->setText(u"ヘルプ(便利な使いかた)"_s);
        ensureListWindow();
    }
    for (const QString &name : fileItems) {
        if (!m_items.value(name)->text().isEmpty())
            m_items.value(name)->setVisible(true);
    }
}

void MainWindow::pressListButton(const QString &buttonName)
{
    if (!m_listWindow)
        return;
    // Start-up presses Cmd_kaiseki while the frame is still disabled, and a
    // disabled button ignores click(): run its handlers directly.
    if (auto *button = m_listWindow->findChild<QAbstractButton *>(buttonName))
        Q_EMIT button->clicked(false);
}

void MainWindow::togglePreview()
{
    QAction *item = m_items.value(u"mnu_preview"_s);
    m_state.previewMode = m_state.previewMode ? 0 : 1;
    item->setChecked(m_state.previewMode != 0);
}

void MainWindow::openHomePage()
{
    // Without a configured page the program's own help is its home page.
    Help::open(m_state, u"HOMEPAGE"_s, this);
}

QString MainWindow::versionBoxText() const
{
    const QString homePage = Help::configuredAddress(m_state, u"HOMEPAGE"_s);
    const QString where =
        homePage.isEmpty()
            ? u"使いかたは、ファイルメニューの「ヘルプ(便利な使いかた)」に有ります。"_s
            : u"最新版は、"_s + homePage + u" に有ります。"_s;
    return u"レシピ帳 ～ 毎日のおかずと保存版レシピ ～"_s + u" "_s + m_state.programName.toLower() +
           u".exe  Ver "_s + m_state.versionText + u"\r\n\r\n"_s + where + u"\r\n\r\n"_s +
           u"友達などに宣伝してくれるとうれしいです（＾＾）"_s;
}

void MainWindow::showVersionBox()
{
    prompts().message(versionBoxText(), Prompts::Icon::Information, Prompts::Buttons::Ok,
                      Prompts::Answer::Ok, u"バージョン情報"_s);
}

void MainWindow::showPhotoTips()
{
    prompts().message(u"[料理写真の撮影方法]\r\n\r\n１．盛り付けの量を減らす。\r\n"
                      u"２．複数の光源を使って、料理の陰を減らす\r\n"_s);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    const bool normal = !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
    const double t = WindowPlacement::twipsPerPixel(this);
    if (const QString error = Startup::saveWindowPosition(
            m_state, normal, int(std::lround(x() * t)), int(std::lround(y() * t)));
        !error.isEmpty())
        prompts().message(error, Prompts::Icon::Exclamation);
    event->accept();
    QCoreApplication::exit(0);
}
