#pragma once

#include <QString>
#include <QStringList>

// What the open and save dialogs are asked: the filter is written as
// description and pattern pairs, each followed by "|", with one more "|" at
// the end ("CSV (*.csv)|*.csv|All (*.*)|*.*||").
struct FileDialogRequest
{
    // Hide the read-only box, keep the current folder, the file must exist.
    static constexpr unsigned defaultFlags = 0x100C;
    static constexpr unsigned fileMustExist = 0x1000;

    bool save = false;
    unsigned flags = defaultFlags; // 0 means the default; receives the dialog's flags
    QString initialFolder;         // empty: the current folder
    QString defaultName;           // a name ending in "\" or "/" is dropped
    QString title;
    QString filter;
    int filterIndex = 1; // 1-based, as the filter list counts
    QString defaultExtension;

    unsigned effectiveFlags() const { return flags ? flags : defaultFlags; }
    QString effectiveDefaultName() const;
};

// The open and save dialogs; tests answer with a script.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    // The chosen full path, or empty text when the user cancels.
    virtual QString chooseFile(FileDialogRequest &request) = 0;

    // The "desc|pattern|...||" list as Qt name filters: "desc (p1 p2)", with
    // ";" between patterns turned into blanks and "*.*" into "*" (files
    // without an extension match too). A pair without a pattern is skipped.
    static QStringList nameFilters(const QString &filter);
};
