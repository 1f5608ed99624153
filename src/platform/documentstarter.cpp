#include "platform/documentstarter.h"

#include "platform/programfolder.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

// A program beside the program folder's files is found there, not on PATH.
static QString programPath(const QString &name)
{
    const QString resolved = ProgramFolder::resolve(name);
    return QFileInfo(resolved).isFile() ? resolved : ProgramFolder::toQtSeparators(name);
}

DocumentStarter::Plan DocumentStarter::plan(const QString &target)
{
    Plan p;
    const QString t = target.trimmed();
    if (t.isEmpty())
        return p;

    // A quoted program path may hold blanks: "C:\Program Files\x.exe" -a
    if (t.startsWith(u'"')) {
        const QStringList parts = QProcess::splitCommand(t);
        if (!parts.isEmpty() && parts.constFirst().endsWith(u".exe"_s, Qt::CaseInsensitive)) {
            p.kind = Plan::Program;
            p.program = programPath(parts.constFirst());
            p.args = parts.mid(1);
            return p;
        }
    }
    const qsizetype exeWithArgs = t.indexOf(u".exe "_s, 0, Qt::CaseInsensitive);
    if (t.endsWith(u".exe"_s, Qt::CaseInsensitive) || exeWithArgs >= 0) {
        p.kind = Plan::Program;
        p.program = programPath(exeWithArgs >= 0 ? t.left(exeWithArgs + 4) : t);
        if (exeWithArgs >= 0)
            p.args = QProcess::splitCommand(t.mid(exeWithArgs + 5));
        return p;
    }

    // A scheme of two letters or more ("C:" is a drive, not a scheme).
    static const QRegularExpression scheme(u"^[A-Za-z][A-Za-z0-9+.-]+:"_s);
    if (scheme.match(t).hasMatch()) {
        const QUrl url(t);
        if (url.isValid()) {
            p.kind = Plan::Open;
            p.url = url;
        }
        return p;
    }

    const QString path = ProgramFolder::resolve(t);
    if (!QFileInfo::exists(path))
        return p;
    p.kind = Plan::Open;
    p.url = QUrl::fromLocalFile(path);
    return p;
}

void DocumentStarter::startDocument(const QString &target)
{
    const Plan p = plan(target);
    switch (p.kind) {
    case Plan::Program:
        startProgram(p.program, p.args);
        break;
    case Plan::Open:
        openUrl(p.url);
        break;
    case Plan::Nothing:
        break;
    }
}
