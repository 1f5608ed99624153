#pragma once

#include <QWidget>

class QPlainTextEdit;
struct AppState;

// "レシピデータの作者さん紹介": who contributed the recipes of the current
// recipe file, read from its metadata lines, with an invitation to join.
// The texts are read-only but can be selected and copied.
//
// Entry point for the frame's menu item and the list window's cmd_name:
//     openAuthorList(state, parent);   // modeless, returns at once
class AuthorListWindow : public QWidget
{
    Q_OBJECT
public:
    AuthorListWindow(const QString &recipeFile, QWidget *parent = nullptr);

    // Rebuilds the text from the file (the window is reused when opened again).
    void reload(const QString &recipeFile);

private:
    QPlainTextEdit *m_text = nullptr;
};

// Opens the window modeless (or brings the open one forward with fresh
// text) for the current recipe file of state; centred on parent.
AuthorListWindow *openAuthorList(AppState &state, QWidget *parent);
