#pragma once

#include "recipe/choicelist.h"

#include <QHash>
#include <QString>
#include <QStringList>

// The word lists behind the drop-down lists ("qvrecipe.txt").
namespace VocabularyFile {

extern const QString fileName;  // "qvrecipe.txt"
extern const QString materials; // "[材料]"
extern const QString allFilter; // "全て"

// The built-in default content, CP932 with CR LF.
QByteArray defaultBytes();

// Writes the default content, replacing the file. Empty text on success,
// otherwise the message to show, naming the file.
QString writeVocabularyFile(const QString &path);

// The entries of one section. For "[材料]" an empty filter gives the
// categories, "全て" everything, any other filter the items (with their
// leading blank) of the category of that name. An unreadable file gives none.
QStringList readVocabularySection(const QString &path, const QString &section,
                                  const QString &filter = QString());

// Fills the six standard lists found by control name (cmb_mokuteki,
// cmb_kokuseki, cmb_cost, cmb_tema, cmb_key, cmb_name): an empty item, then
// the section's entries, the empty item selected.
void fillVocabularyLists(const QString &path, const QHash<QString, ChoiceList *> &lists);

} // namespace VocabularyFile
