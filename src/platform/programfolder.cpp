#include "platform/programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>

namespace ProgramFolder {

QString path()
{
    QString dir = qEnvironmentVariable("QVRECIPE_HOME");
    if (dir.isEmpty())
        dir = QCoreApplication::applicationDirPath();
    dir = QDir(dir).absolutePath();
    if (!dir.endsWith(u'/'))
        dir += u'/';
    return dir;
}

QString toQtSeparators(QString name)
{
    name.replace(u'\\', u'/');
    return name;
}

static bool isAbsoluteStored(const QString &name)
{
    // "C:\x" and "\\server\share" are absolute on Windows; "/x" here.
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:[\\\\/]"));
    return name.startsWith(u'/') || name.startsWith(QLatin1String("\\\\")) ||
           drive.match(name).hasMatch();
}

QString resolve(const QString &storedName)
{
    return resolve(storedName, path());
}

QString resolve(const QString &storedName, const QString &folder)
{
    if (storedName.isEmpty())
        return {};
    const QString name = toQtSeparators(storedName);
    if (isAbsoluteStored(storedName))
        return QDir::cleanPath(name);
    QString base = folder;
    if (!base.endsWith(u'/'))
        base += u'/';
    return QDir::cleanPath(base + name);
}

} // namespace ProgramFolder
