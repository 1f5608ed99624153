#pragma once

#include <QString>
#include <QStringList>

// The introduction of the people behind a recipe file, built from its
// metadata lines ("@TITLE=", "@作者=", "@URL=", "@MAIL=") wherever they stand.
namespace AuthorText {

// Lines in file order; lines that are no metadata are ignored.
QString build(const QStringList &lines);

// Reads the file; a file that cannot be read gives the text of no metadata.
QString buildFromFile(const QString &path);

} // namespace AuthorText
