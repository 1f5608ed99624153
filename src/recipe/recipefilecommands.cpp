#include "recipe/recipefilecommands.h"

#include "analysis/textfold.h"
#include "app/settingsfile.h"
#include "platform/clock.h"
#include "platform/cp932.h"
#include "platform/filedialogs.h"
#include "platform/programfolder.h"
#include "platform/prompts.h"
#include "platform/textclipboard.h"
#include "platform/textfile.h"
#include "recipe/importmerge.h"
#include "recipe/recipeexport.h"
#include "recipe/recipefileformat.h"
#include "recipe/recipefilelayout.h"
#include "recipe/recipefilereader.h"
#include "recipe/recipefilerewrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

const QString settingsSection = u"QVRECIPE"_s; // whatever the program file is called
const QString fileKey = u"FILE"_s;
const QString defaultFileName = u"QVRECIPE.csv"_s;
const QString sampleFileName = u"sample.csv"_s;
const QString switchTitle = u"レシピファイルの切替え(読込)"_s;
const QString crlf = u"\r\n"_s;

// Numbers in messages carry one leading blank.
QString number(int n)
{
    return u' ' + QString::number(n);
}

class BusyScope
{
public:
    explicit BusyScope(RecipeFileHost &host) : m_host(host) { m_host.setBusy(true); }
    ~BusyScope() { m_host.setBusy(false); }
    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;

private:
    RecipeFileHost &m_host;
};

QByteArray encodeFixedLines(const QStringList &lines)
{
    QList<QByteArray> raw;
    for (const QString &line : lines)
        raw.append(Cp932::encodeLossy(line));
    return TextFile::joinLines(raw);
}

QString readFailedText(const QString &path, const QString &why)
{
    return u"レシピファイル「%1」を読み込めませんでした。"_s.arg(QDir::toNativeSeparators(path)) +
           (why.isEmpty() ? QString() : crlf + why);
}

QString createFailedText(const QString &path, const TextFile::WriteResult &written)
{
    if (written.status == TextFile::WriteResult::SavedButDiskError) {
        return u"レシピファイル「%1」を作成しましたが、ディスクがエラーを報告しました。"_s.arg(
                   QDir::toNativeSeparators(path)) +
               crlf + written.errorText;
    }
    return u"レシピファイル「%1」を作成できませんでした。"_s.arg(QDir::toNativeSeparators(path)) +
           crlf + written.errorText;
}

} // namespace

QString RecipeFileCommands::currentPath() const
{
    return ProgramFolder::resolve(*m_c.currentFileName);
}

QString RecipeFileCommands::storedName(const QString &path, const QString &programDir)
{
    const QString clean = QDir::cleanPath(path);
    if (programDir.isEmpty() || !clean.startsWith(programDir, Qt::CaseInsensitive))
        return clean;
    QString rest = clean.mid(programDir.size());
    // A prefix in other letter case is the program folder only where the file
    // system ignores case; "/p/qv" and "/p/QV" may be two folders, and the
    // stored name must find the same file again.
    if (!clean.startsWith(programDir)) {
        const QString same = QFileInfo(programDir + rest).canonicalFilePath();
        if (same.isEmpty() || same != QFileInfo(clean).canonicalFilePath())
            return clean;
    }
    if (rest.contains(u'/'))
        return u".\\"_s + rest.replace(u'/', u'\\');
    return rest;
}

QString RecipeFileCommands::backupFileName(const QDate &date)
{
    // Qt counts Monday as 1; the backups count Sunday as 1.
    return u"QVRECIPE"_s + QString::number(date.dayOfWeek() % 7 + 1) + u".csv"_s;
}

QString RecipeFileCommands::checkNewFileName(const QString &name)
{
    if (name.size() < 2 || name.size() > 8)
        return u"レシピファイル名は英数字２～８文字にしてください。"_s;
    for (const QChar c : {u'.', u'\\', u'/', u':'}) {
        if (name.contains(c))
            return u"レシピファイル名に記号(./\\等)は使わないでください。"_s;
    }
    // The name goes into the settings file and the file system: control
    // characters and what the code page cannot hold would not come back.
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return u"レシピファイル名に記号(./\\等)は使わないでください。"_s;
    }
    QString bad;
    // Not normalised: the folder, the file and FILE must all get this name.
    if (!Cp932::encode(name, nullptr, &bad))
        return u"「%1」はレシピファイル名に使えない文字です。"_s.arg(bad);
    return {};
}

int RecipeFileCommands::findRow(const QList<QByteArray> &lines, const QString &searchText, int from)
{
    const QString wanted = foldText(searchText).toUpper();
    int recordNo = RecipeFileLayout::recordNoBeforeFirstLine(lines);
    for (const QByteArray &line : lines) {
        if (RecipeFileLayout::isMetadataLine(line))
            continue;
        ++recordNo;
        if (recordNo < 2 || recordNo < from)
            continue;
        if (foldText(RecipeFileReader::decodeLine(line)).toUpper().contains(wanted))
            return recordNo;
    }
    return -1;
}

QString RecipeFileCommands::setCurrentFile(const QString &storedName)
{
    *m_c.currentFileName = storedName;
    if (!m_c.settings)
        return {};
    const bool stored = m_c.settings->writeSetting(settingsSection, fileKey, storedName);
    const QString problem = m_c.settings->lastError();
    if (stored || problem.isEmpty())
        return problem;
    // The file is current for now; the next start would open the old one.
    return u"レシピファイル「%1」を次回の起動時にも開くための設定を保存できませんでした。"_s.arg(
               storedName) +
           crlf + problem;
}

QString RecipeFileCommands::workPath() const
{
    return m_c.programDir + QString::fromUtf16(RecipeFileRewrite::workFileName);
}

QString RecipeFileCommands::recipeFileRefusal(const QString &path,
                                              const QList<QByteArray> &lines) const
{
    if (RecipeFileRewrite::isWorkFile(path, workPath()))
        return RecipeFileRewrite::workFileRefusal(path);
    return RecipeFileLayout::refusal(path, lines);
}

bool RecipeFileCommands::canRead(const QString &path)
{
    const TextFile::ContentResult check = TextFile::checkReadable(path);
    if (check.error == TextFile::Error::None)
        return true;
    m_c.prompts->message(readFailedText(path, check.errorText), Prompts::Icon::Exclamation);
    return false;
}

void RecipeFileCommands::openAtLoad()
{
    QString name = m_c.settings ? m_c.settings->readSetting(settingsSection, fileKey) : QString();
    if (name.isEmpty()) {
        name = defaultFileName;
        if (m_c.settings) {
            m_c.settings->writeSetting(settingsSection, fileKey, name);
            if (!m_c.settings->lastError().isEmpty())
                m_c.prompts->message(m_c.settings->lastError(), Prompts::Icon::Exclamation);
        }
    }
    *m_c.currentFileName = name;

    // A missing file falls back to the default one, made from the sample when
    // needed; that choice is held in memory only.
    if (!QFileInfo::exists(currentPath())) {
        const QString defaultPath = m_c.programDir + defaultFileName;
        const bool haveSample = QFileInfo::exists(m_c.programDir + sampleFileName);
        const bool haveDefault = QFileInfo::exists(defaultPath);
        TextFile::WriteResult created;
        created.status = TextFile::WriteResult::Saved;
        if (!haveSample) {
            *m_c.currentFileName = defaultFileName;
            if (!haveDefault) {
                QStringList lines = RecipeFileFormat::newFileMetadata;
                lines << RecipeFileFormat::RecipeFileHeader << RecipeFileFormat::sampleRows;
                created = TextFile::writeAtomically(defaultPath, encodeFixedLines(lines));
            }
        } else if (!haveDefault) {
            *m_c.currentFileName = defaultFileName;
            created = TextFile::copyAtomically(m_c.programDir + sampleFileName, defaultPath);
        }
        if (created.status != TextFile::WriteResult::Saved)
            m_c.prompts->message(createFailedText(defaultPath, created),
                                 Prompts::Icon::Exclamation);
    }

    // Weekday backup; a failure does not stop the start.
    if (QFileInfo::exists(currentPath()) && m_c.clock) {
        QDir().mkpath(m_c.backupDir);
        TextFile::copyAtomically(currentPath(),
                                 m_c.backupDir + backupFileName(m_c.clock->now().date()));
    }
}

void RecipeFileCommands::switchFile()
{
    FileDialogRequest request;
    request.title = switchTitle;
    request.filter = u"ＣＳＶ (*.csv)|*.csv|全て (*.*)|*.*||"_s;
    request.initialFolder = QFileInfo(currentPath()).absolutePath();
    request.defaultName = QFileInfo(currentPath()).fileName();
    const QString chosen = m_c.dialogs->chooseFile(request);
    // Nothing chosen, or no file there: nothing to do. A pipe or a device is
    // refused with a message by canRead.
    if (chosen.isEmpty() || !QFileInfo::exists(chosen) || QFileInfo(chosen).isDir())
        return;
    if (!canRead(chosen))
        return;
    const QString stored = storedName(chosen, m_c.programDir);
    int count = 0;
    QString notStored;
    QString refusal;
    {
        BusyScope busy(*m_c.host);
        TextFile::ReadResult content = TextFile::readLines(chosen);
        if (content.error != TextFile::Error::None) {
            refusal = readFailedText(chosen, content.errorText);
        } else {
            RecipeFileLayout::dropByteOrderMark(content.lines);
            refusal = recipeFileRefusal(chosen, content.lines);
        }
        if (refusal.isEmpty()) {
            notStored = setCurrentFile(stored);
            count = m_c.host->rebuildList();
        }
    }
    if (!refusal.isEmpty()) {
        m_c.prompts->message(refusal, Prompts::Icon::Exclamation);
        return;
    }
    const QString read = u"レシピファイルを読み込みました"_s + crlf + u"「"_s + stored + u"」"_s +
                         crlf + crlf + u"    レシピ数："_s + number(count) + crlf;
    if (notStored.isEmpty())
        m_c.prompts->message(read);
    else
        m_c.prompts->message(read + crlf + notStored, Prompts::Icon::Exclamation);
}

void RecipeFileCommands::newFile()
{
    const std::optional<QString> answer =
        m_c.prompts->input(u"新規レシピファイル作成"_s,
                           u"新しく作成するレシピファイル名を指定してください。"_s + crlf + crlf +
                               u"（ファイル名は英字8文字以下でお願いします）"_s);
    if (!answer || answer->isEmpty())
        return;
    const QString name = *answer;
    if (const QString problem = checkNewFileName(name); !problem.isEmpty()) {
        m_c.prompts->message(problem, Prompts::Icon::Exclamation);
        return;
    }
    const QString stored = u".\\"_s + name + u"\\"_s + name + u".csv"_s;
    const QString path = ProgramFolder::resolve(stored);
    if (QFileInfo::exists(path)) {
        m_c.prompts->message(u"すでに同じ名前のレシピファイルがあります。"_s + crlf +
                                 u"違うレシピファイル名を指定してください"_s + crlf,
                             Prompts::Icon::Exclamation);
        return;
    }
    BusyScope busy(*m_c.host);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QStringList lines = RecipeFileFormat::newFileMetadata;
    lines << RecipeFileFormat::RecipeFileHeader;
    // A file that cannot be made must not become current: every later save
    // would fail against a file that is not there.
    const TextFile::WriteResult created = TextFile::writeAtomically(path, encodeFixedLines(lines));
    if (!created.saved()) {
        m_c.prompts->message(createFailedText(path, created), Prompts::Icon::Exclamation);
        return;
    }
    const QString notStored = setCurrentFile(stored);
    m_c.host->rebuildList();
    if (created.status == TextFile::WriteResult::SavedButDiskError)
        m_c.prompts->message(createFailedText(path, created), Prompts::Icon::Exclamation);
    if (!notStored.isEmpty())
        m_c.prompts->message(notStored, Prompts::Icon::Exclamation);
}

void RecipeFileCommands::importFile()
{
    FileDialogRequest request;
    request.title = switchTitle;
    request.filter =
        u"CSVファイル (*.csv)|*.csv|テキスト (*.csv;*.txt)|*.csv;*.txt|全て (*.*)|*.*||"_s;
    request.initialFolder = m_c.programDir;
    const QString chosen = m_c.dialogs->chooseFile(request);
    if (chosen.isEmpty())
        return;
    // The same file under another spelling ("QVRECIPE.csv" against a full
    // path, a link) is the current file too.
    const QString current = currentPath();
    const QString chosenCanonical = QFileInfo(chosen).canonicalFilePath();
    if (QDir::cleanPath(chosen) == current ||
        (!chosenCanonical.isEmpty() && chosenCanonical == QFileInfo(current).canonicalFilePath())) {
        m_c.prompts->message(u"「"_s + chosen + u"」は既に読み込み済です"_s,
                             Prompts::Icon::Exclamation);
        return;
    }
    m_c.host->processEvents();

    ImportMerge::Result merged;
    QString error;
    QString warning;
    {
        BusyScope busy(*m_c.host);
        TextFile::ReadResult incoming = TextFile::readLines(chosen);
        RecipeFileLayout::dropByteOrderMark(incoming.lines);
        if (incoming.error != TextFile::Error::None) {
            error =
                readFailedText(chosen, incoming.errorText) + crlf +
                u"レシピファイル「%1」は元のままです。"_s.arg(QDir::toNativeSeparators(current));
        } else if (const QString refusal = recipeFileRefusal(chosen, incoming.lines);
                   !refusal.isEmpty()) {
            error = refusal;
        } else if (!QFileInfo(current).isFile()) {
            error = readFailedText(current, QString());
        } else {
            const RecipeFileRewrite::Result result = RecipeFileRewrite::rewrite(
                current, workPath(),
                [&](const QList<QByteArray> &oldLines, QList<QByteArray> &newLines, QString *) {
                    merged = ImportMerge::merge(oldLines, incoming.lines);
                    newLines = merged.lines;
                    return true;
                });
            if (!result.ok)
                error = result.error;
            warning = result.warning;
        }
        if (error.isEmpty())
            m_c.host->rebuildList();
    }
    if (!error.isEmpty()) {
        m_c.prompts->message(error, Prompts::Icon::Exclamation);
        return;
    }
    if (!warning.isEmpty())
        m_c.prompts->message(warning, Prompts::Icon::Exclamation);
    m_c.prompts->message(u"レシピファイルをインポートしました"_s + crlf + u"「"_s + chosen +
                         u"」"_s + crlf + crlf + u"    追加レシピ数："_s + number(merged.added) +
                         crlf + u"    更新レシピ数："_s + number(merged.updated) + crlf +
                         u"    合計レシピ数："_s + number(merged.total()) + crlf);
}

void RecipeFileCommands::exportShown()
{
    QString refusal;
    const std::optional<RecipeRecord> shown = m_c.host->shownRecord(&refusal);
    if (!refusal.isEmpty()) {
        m_c.prompts->message(refusal, Prompts::Icon::Exclamation);
        m_c.host->rebuildList();
        return;
    }
    m_c.clipboard->clear();
    if (shown)
        m_c.clipboard->setText(RecipeExport::exportText(*shown));
}

void RecipeFileCommands::search()
{
    int from = 2;
    QString text;
    for (;;) {
        const int action = m_c.host->askSearchText(text);
        if (action < 0)
            return;
        if (action == 0)
            from = 2;
        int hit = -1;
        {
            BusyScope busy(*m_c.host);
            TextFile::ReadResult file = TextFile::readLines(currentPath());
            RecipeFileLayout::dropByteOrderMark(file.lines);
            if (file.error != TextFile::Error::None) {
                m_c.prompts->message(readFailedText(currentPath(), file.errorText),
                                     Prompts::Icon::Exclamation);
                return;
            }
            hit = findRow(file.lines, text, from);
            if (hit >= 0) {
                from = hit + 1;
                m_c.host->showSearchHit(hit);
            }
        }
        if (hit < 0) {
            m_c.prompts->message(u"検索終了"_s);
            return;
        }
    }
}
