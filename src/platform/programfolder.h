#pragma once

#include <QString>

namespace ProgramFolder {

// The folder that holds the settings file, the recipe files, "bak", "dat"
// and "pic": $QVRECIPE_HOME when it is set, else the folder chooseFor()
// picks for the running executable. Always ends in "/".
QString path();

// The folder for an executable when QVRECIPE_HOME is not set, without a
// trailing "/": the executable's own folder when it already holds the
// settings file, or when it is writable and not an installed program's
// bin folder (the portable use); else the user's data folder under
// dataHome ("qvrecipe"; a "QVRECIPE" folder that already holds settings
// while "qvrecipe" does not exist is kept, as earlier versions used it).
QString chooseFor(const QString &executable, const QString &dataHome);

// Resolves a stored name against the program folder. Stored names may use
// "\" (".\sub\a.csv", "..\pic\a.bmp", "C:\x\a.bmp"); both separators work.
QString resolve(const QString &storedName);
// Same against another folder standing for the program folder.
QString resolve(const QString &storedName, const QString &folder);

// Turns "\" into "/" so Qt's file classes can use a stored name.
QString toQtSeparators(QString name);

} // namespace ProgramFolder
