#include "platform/drivetype.h"

#include "platform/programfolder.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStorageInfo>

using namespace Qt::StringLiterals;

namespace DriveType {

QString text(Kind kind)
{
    switch (kind) {
    case Removable:
        return u"disk can be removed from the drive"_s;
    case Fixed:
        return u"disk cannot be removed from the drive"_s;
    case Remote:
        return u"drive is a remote, or network, drive"_s;
    case Unknown:
        break;
    }
    return u"can't determine drive type"_s;
}

Kind classify(bool valid, const QString &fileSystemType, const QString &device, bool removable)
{
    if (!valid)
        return Unknown;
    const QString fs = fileSystemType.toLower();
    static const QStringList remoteTypes = {
        u"nfs"_s, u"nfs4"_s, u"cifs"_s,       u"smb3"_s,  u"smbfs"_s, u"9p"_s,
        u"afs"_s, u"ceph"_s, u"fuse.sshfs"_s, u"sshfs"_s, u"davfs"_s, u"fuse.davfs2"_s};
    if (remoteTypes.contains(fs) || device.startsWith(u"//"_s) ||
        (device.contains(u':') && !device.startsWith(u'/')))
        return Remote;
    if (!device.startsWith(u"/dev/"_s))
        return Unknown;
    return removable ? Removable : Fixed;
}

// /sys/block/<disk>/removable for the disk that holds a partition device.
static bool isRemovableDevice(const QString &device)
{
    QString name = QFileInfo(device).canonicalFilePath();
    if (name.isEmpty())
        name = device;
    name = name.mid(name.lastIndexOf(u'/') + 1);
    static const QRegularExpression partition(u"^(sd[a-z]+|mmcblk\\d+|nvme\\d+n\\d+)"_s);
    const QRegularExpressionMatch m = partition.match(name);
    const QString disk = m.hasMatch() ? m.captured(1) : name;
    QFile flag(u"/sys/block/"_s + disk + u"/removable"_s);
    return flag.open(QIODevice::ReadOnly) && flag.readAll().trimmed() == "1";
}

Kind kindOf(const QString &path)
{
    const QStorageInfo info(ProgramFolder::resolve(path));
    const QString device = QString::fromLocal8Bit(info.device());
    return classify(info.isValid() && info.isReady(), QString::fromLatin1(info.fileSystemType()),
                    device, device.startsWith(u"/dev/"_s) && isRemovableDevice(device));
}

} // namespace DriveType
