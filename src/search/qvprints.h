#pragma once

#include <QDialog>

struct AppState;
class QLineEdit;
class TextClipboard;

// The quick search box (QvprintS): one search text and three buttons. It
// searches nothing itself; the caller reads AppState::quickSearchResult
// (-1 cancelled, 0 new search, 1 next hit) and quickSearchText afterwards.
// Controls: Text1, Command1_0 "new search", Command1_1 "next", Cmd_cancel.
class QvprintS : public QDialog
{
    Q_OBJECT
public:
    // Loads the box: takes text from the clipboard (and empties it) or the
    // text of the last search, and places itself over mainWindow.
    QvprintS(AppState &state, TextClipboard &clipboard, QWidget *mainWindow);

    QLineEdit *text() const { return m_text; }

    // Top-left corner: vertically centred on the main window; horizontally
    // by the owner mark (0 near the left edge, 1 centred, 2 near the right
    // edge); kept on the screen vertically. margin is 200 twips in pixels.
    static QPoint placement(const QRect &mainWindow, const QSize &own, int owner,
                            const QRect &screen, int margin);

    // What the list window's find command asks: shows the box modally with
    // `text` offered, returns the result and leaves the kept text in `text`.
    static int ask(AppState &state, TextClipboard &clipboard, QWidget *mainWindow, QString &text);

    void done(int result) override;

private:
    void choose(int index);

    AppState &m_state;
    QLineEdit *m_text = nullptr;
};
