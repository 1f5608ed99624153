#pragma once

#include <QString>

// What kind of drive holds a path, as one of four fixed messages.
namespace DriveType {

enum Kind { Unknown, Removable, Fixed, Remote };

QString text(Kind kind);

// Decides from what the system says about the volume of a path: its file
// system type, its device, and whether the block device is removable.
Kind classify(bool valid, const QString &fileSystemType, const QString &device, bool removable);

// The volume of the path, asked from the system.
Kind kindOf(const QString &path);

} // namespace DriveType

inline QString driveTypeText(const QString &path)
{
    return DriveType::text(DriveType::kindOf(path));
}
