#include "platform/documentstarter.h"

#include "platform/programfolder.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

DocumentStarter::Plan DocumentStarter::plan(const QString &target)
{
    Plan p;
    const QString t = target.trimmed();
    if (t.isEmpty())
        return p;

    const qsizetype exeWithArgs = t.indexOf(u".exe "_s, 0, Qt::CaseInsensitive);
    if (t.endsWith(u".exe"_s, Qt::CaseInsensitive) || exeWithArgs >= 0) {
        p.kind = Plan::Program;
        QString program = exeWithArgs >= 0 ? t.left(exeWithArgs + 4) : t;
        if (program.startsWith(u'"'))
            program = program.mid(1);
        p.program = ProgramFolder::toQtSeparators(program);
        if (exeWithArgs >= 0) {
            QString rest = t.mid(exeWithArgs + 4);
            if (rest.startsWith(u'"')) // the closing quote of a quoted program
                rest = rest.mid(1);
            p.args = QProcess::splitCommand(rest);
        }
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
