#pragma once

#include <QWidget>

struct AppState;
class QTextBrowser;

// The program's own usage page, built into the program so that it works
// without a network and without a browser.
class HelpWindow : public QWidget
{
    Q_OBJECT
public:
    // programDir: the folder in use, named on the page.
    explicit HelpWindow(const QString &programDir, QWidget *parent = nullptr);
    QTextBrowser *browser() const { return m_browser; }

private:
    QTextBrowser *m_browser = nullptr;
};

namespace Help {

// The address the user configured under a settings key of the main section
// (HOMEPAGE, HELP_PAGE); empty when none is set.
QString configuredAddress(const AppState &state, const QString &key);

// Opens the address configured under key in the browser, or, when there is
// none, the built-in help window (one window, brought to the front).
void open(const AppState &state, const QString &key, QWidget *parent);

// The help window now open, if any.
HelpWindow *openWindow();

} // namespace Help
