#pragma once

#include "recipe/recipefilehost.h"

#include <QDate>
#include <QString>

class Clock;
class FileDialogs;
class Prompts;
class SettingsFile;
class TextClipboard;

// Everything the file commands work with. The pointers must outlive the
// commands; currentFileName is the process-wide current recipe file name as
// stored in FILE (relative to the program folder where possible).
struct RecipeFileContext
{
    QString programDir; // ends in "/"
    QString backupDir;  // ends in "/"
    QString *currentFileName = nullptr;
    SettingsFile *settings = nullptr;
    Prompts *prompts = nullptr;
    FileDialogs *dialogs = nullptr;
    TextClipboard *clipboard = nullptr;
    const Clock *clock = nullptr;
    RecipeFileHost *host = nullptr;
};

// The commands on recipe files: choosing the current file when the list
// window loads (with the weekday backup), switch, new, import and merge,
// export of the shown recipe to the clipboard, and find-next in the file.
// Every change of file content goes through the work file "qvprint.tmp".
class RecipeFileCommands
{
public:
    explicit RecipeFileCommands(const RecipeFileContext &context) : m_c(context) {}

    void openAtLoad();
    void switchFile();
    void newFile();
    void importFile();
    void exportShown();
    void search();

    // The current recipe file as a full path.
    QString currentPath() const;

    // How a chosen path is stored in FILE: below the program folder as a bare
    // name or ".\" + its relative path with "\" separators; elsewhere as it is.
    static QString storedName(const QString &path, const QString &programDir);
    // "QVRECIPE1.csv" (Sunday) to "QVRECIPE7.csv" (Saturday).
    static QString backupFileName(const QDate &date);
    // Trouble with a new file name (the message to show), or empty text.
    static QString checkNewFileName(const QString &name);
    // Rows of the current file from record number `from` on, the first whose
    // folded text holds the folded search text; -1 when none.
    static int findRow(const QList<QByteArray> &lines, const QString &searchText, int from);

private:
    // Makes the file current and stores it in FILE; the message to show when
    // storing failed, or empty text.
    QString setCurrentFile(const QString &storedName);
    bool canRead(const QString &path);
    QString workPath() const;
    // Why a file chosen to switch to or to import is no recipe file (the
    // work file, UTF-8 or UTF-16 text, another table, binary data); empty
    // text when it is one.
    QString recipeFileRefusal(const QString &path, const QList<QByteArray> &lines) const;

    RecipeFileContext m_c;
};
