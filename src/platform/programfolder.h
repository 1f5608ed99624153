#pragma once

#include <QString>

namespace ProgramFolder {

// The folder that holds the settings file, the recipe files, "bak", "dat"
// and "pic": $QVRECIPE_HOME when it is set, else the executable's folder
// when it is writable or already holds the settings file, else the user's
// data folder. Always ends in "/".
QString path();

// Resolves a stored name against the program folder. Stored names may use
// "\" (".\sub\a.csv", "..\pic\a.bmp", "C:\x\a.bmp"); both separators work.
QString resolve(const QString &storedName);
// Same against another folder standing for the program folder.
QString resolve(const QString &storedName, const QString &folder);

// Turns "\" into "/" so Qt's file classes can use a stored name.
QString toQtSeparators(QString name);

} // namespace ProgramFolder
