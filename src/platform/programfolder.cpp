#include "platform/programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace ProgramFolder {

static QString executableFolderOrDataFolder()
{
    const QString exe = QCoreApplication::applicationDirPath();
    const QString settings = exe + u'/' +
                             QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() +
                             QStringLiteral(".ini");
    // A copy installed where its user cannot write (a system folder, a
    // read-only medium) keeps its files in the user's data folder instead.
    if (QFileInfo(exe).isWritable() || QFileInfo::exists(settings))
        return exe;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    return data.isEmpty() ? exe : data;
}

QString path()
{
    QString dir = qEnvironmentVariable("QVRECIPE_HOME");
    if (dir.isEmpty())
        dir = executableFolderOrDataFolder();
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
