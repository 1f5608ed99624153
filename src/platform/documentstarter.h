#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

// Opens a file, a program or a web address in its own program. Nothing is
// reported back; a target that cannot be opened does nothing visible.
// Targets never pass through a shell, so "&", ";" or quotes in a name open
// exactly that name.
class DocumentStarter
{
public:
    // How a target is started.
    struct Plan
    {
        enum Kind { Nothing, Program, Open } kind = Nothing;
        QString program;  // Program: the executable
        QStringList args; // Program: its arguments
        QUrl url;         // Open: file or web address
    };

    virtual ~DocumentStarter() = default;

    // A target ending in ".exe" or holding ".exe " is a program with its
    // arguments; a web address opens as it is; anything else is a file
    // (relative names against the program folder) that must exist.
    static Plan plan(const QString &target);

    void startDocument(const QString &target);

protected:
    virtual void startProgram(const QString &program, const QStringList &args) = 0;
    virtual void openUrl(const QUrl &url) = 0;
};
