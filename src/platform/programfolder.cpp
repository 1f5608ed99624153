#include "platform/programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace ProgramFolder {

namespace {

// The same folder as QStandardPaths::AppDataLocation for an application
// named "qvrecipe" without an organisation; named here so that the
// windowless commands and the windows agree whatever name Qt was given.
const QString userFolderName = QStringLiteral("qvrecipe");
const QString earlierUserFolderName = QStringLiteral("QVRECIPE");

QString genericDataHome()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

} // namespace

QString chooseFor(const QString &executable, const QString &dataHome)
{
    const QFileInfo exe(executable);
    const QString exeDir = exe.absolutePath();
    if (QFileInfo::exists(exeDir + u'/' + exe.completeBaseName() + QStringLiteral(".ini")))
        return exeDir;
    // A program installed with its menu entry (by a package or cmake
    // --install) keeps its files with the user even where it could write
    // beside itself: root must not fill /usr/bin with recipes.
    const bool installed =
        QFileInfo::exists(exeDir + QStringLiteral("/../share/applications/qvrecipe.desktop"));
    if ((!installed && QFileInfo(exeDir).isWritable()) || dataHome.isEmpty())
        return exeDir;
    const QString folder = dataHome + u'/' + userFolderName;
    const QString earlier = dataHome + u'/' + earlierUserFolderName;
    if (!QFileInfo::exists(folder) &&
        QFileInfo::exists(earlier + u'/' + exe.completeBaseName() + QStringLiteral(".ini")))
        return earlier;
    return folder;
}

QString path()
{
    QString dir = qEnvironmentVariable("QVRECIPE_HOME");
    if (dir.isEmpty())
        dir = chooseFor(QCoreApplication::applicationFilePath(), genericDataHome());
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
