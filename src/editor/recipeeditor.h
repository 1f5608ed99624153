#pragma once

#include "editor/recipeform.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>
#include <optional>
#include <utility>

class Clock;
class Prompts;
class RecipeFileReader;

// The editing commands of the recipe list window (show, add, update, delete,
// clear) and its picture commands, on the entry-field form. Every change
// rewrites the current recipe file through the work file and keeps it sorted;
// the window rebuilds its list when a command returns true.
class RecipeEditor
{
public:
    RecipeEditor(Prompts &prompts, const Clock &clock, RecipeForm &form);

    // The current recipe file (absolute path) and the work file used by
    // rewrites. Another file empties the fields: the recipe they showed is
    // not in it.
    void setRecipeFile(const QString &path);
    QString recipeFile() const { return m_recipeFile; }
    void setWorkFile(const QString &path) { m_workFile = path; }

    // Brings a row read for showing to the current vocabulary.
    std::function<void(RecipeRecord &)> normalizeRow;

    // Called with the picture to show in the image box; an empty path clears it.
    std::function<void(const QString &path)> showPicture;

    // Cmd_Update 0 to 4. selectedRecordNo is the record number of the list's
    // selected entry, -1 when nothing is selected; listRow the identity of
    // the row the entry was built from (RecipeListBuilder::Entry::row). A
    // command on a row that is no longer that row, because something else
    // changed the file since the list was built, is refused.
    bool show(int selectedRecordNo, std::optional<size_t> listRow = std::nullopt);
    bool add();
    bool update();
    bool remove(int selectedRecordNo, const QString &entryText, size_t listRow);
    void clear();
    bool run(int index, int selectedRecordNo, const QString &entryText,
             std::optional<size_t> listRow);

    // The shown recipe as the file holds it now (for the export); nullopt
    // when none is shown, or, with *refusal set, when its row changed.
    std::optional<RecipeRecord> shownRecordFromFile(QString *refusal);

    // True once after a command found the list out of date with the file.
    bool takeListStale() { return std::exchange(m_listStale, false); }

    // Pictures.
    // Cmd_clip with the clipboard's picture (null when it holds none).
    bool pasteImage(const QImage &clipboardImage);
    // Cmd_gazo: the path the file dialog starts from.
    QString attachStartPath() const;
    // Cmd_gazo with the chosen file: stores its name (bare when it lies in
    // the recipe file's folder) and returns the path to show; empty when
    // nothing was chosen or the file does not exist.
    QString attachPicture(const QString &chosenPath);
    // Cmd_pic2_del.
    void clearPicture();
    const QImage &pendingImage() const { return m_pendingImage; }

    // The text of Cmd_help; it ends by offering the usage page, the
    // configured one when helpPageAddress is set, else the built-in one.
    static QString helpText(const QString &helpPageAddress);

    static const QString selectFromListMessage;
    static const QString staleRowMessage;

private:
    bool checkName();
    // Where the pending pasted picture is to be written: a new numbered
    // file, or the BMP file named in the form once the user agreed to replace
    // it. Empty after a message or a "no".
    QString pastedPicturePath();
    void dropPendingPicture();
    void refuseStale();
    // False, after telling the user, when the recipe file could not be read.
    bool readable(const RecipeFileReader &file);
    bool insert(bool replacingShown);
    void notifyPicture(const QString &path);

    Prompts &m_prompts;
    const Clock &m_clock;
    RecipeForm &m_form;
    QString m_recipeFile;
    QString m_workFile;
    QImage m_pendingImage;
    // The row the fields were shown from, so an update never replaces a
    // different row that took its record number in the meantime.
    QString m_shownFile;
    std::optional<size_t> m_shownRow;
    bool m_listStale = false;
};
