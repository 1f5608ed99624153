#pragma once

#include "app/appstate.h"
#include "platform/singleinstance.h"
#include "platform/widgets/messageboxprompts.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class QAction;
class QMdiArea;
class QMenu;

// The frame window: menu bar, child area for the recipe list and the other
// windows, start-up and the close procedure.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(AppState &state, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Creation steps: start-up, splash, vocabulary file, list window, version box.
    // Returns false when the process must end (another copy is running, or
    // the program folder cannot be used); exitCode() is then its status.
    bool start(const QString &commandLine);
    int exitCode() const;

    void switchMenuMode(const QString &mode);
    QAction *menuItem(const QString &name) const { return m_items.value(name); }
    QWidget *listWindow() const { return m_listWindow; }
    QMdiArea *childArea() const { return m_area; }
    AppState &state() { return m_state; }
    Prompts &prompts() { return *m_activePrompts; }
    // Tests answer the message boxes themselves.
    void setPrompts(Prompts *prompts) { m_activePrompts = prompts ? prompts : &m_prompts; }

    QString versionBoxText() const;
    void showVersionBox();

    // Later parts of the program plug their windows in here.
    using WindowFactory = std::function<QWidget *(MainWindow &)>;
    static void setListWindowFactory(WindowFactory factory);
    static void setOptionsDialogRunner(std::function<void(MainWindow &)> runner);
    static void setAuthorListOpener(std::function<void(MainWindow &)> opener);
    static void setPrinterSetupRunner(std::function<void(MainWindow &)> runner);
    // Runs the clipboard analysis of the list window ("/clip").
    void runClipboardAnalysis();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus();
    QAction *addItem(QMenu *menu, const QString &name, const QString &text);
    void ensureListWindow();
    void pressListButton(const QString &buttonName);
    void togglePreview();
    void openHomePage();
    void showPhotoTips();

    AppState &m_state;
    MessageBoxPrompts m_prompts;
    Prompts *m_activePrompts = &m_prompts;
    QMdiArea *m_area = nullptr;
    QPointer<QWidget> m_listWindow;
    QString m_menuMode;
    QHash<QString, QAction *> m_items;
    SingleInstance m_instance;
    int m_startResult = 0;
};
