#include "app/settingsfile.h"

#include "platform/cp932.h"
#include "platform/textfile.h"

#include <QFile>
#include <QHash>

namespace {

enum class LineKind { Other, Section, Entry };

struct ParsedLine
{
    LineKind kind = LineKind::Other;
    QString name;  // section or key name, trimmed
    QString value; // entry value, trimmed
};

// A file saved by an editor as UTF-8 starts with this mark; it is read as
// nothing and the file's lines as UTF-8.
const QByteArray utf8Bom("\xEF\xBB\xBF");

ParsedLine parseLineUncached(const QByteArray &raw, bool utf8)
{
    ParsedLine p;
    const QString line = (utf8 ? QString::fromUtf8(raw) : Cp932::decode(raw)).trimmed();
    if (line.startsWith(u'[')) {
        p.kind = LineKind::Section;
        const qsizetype close = line.indexOf(u']');
        p.name = (close < 0 ? line.mid(1) : line.mid(1, close - 1)).trimmed();
        return p;
    }
    if (line.startsWith(u';'))
        return p;
    const qsizetype eq = line.indexOf(u'=');
    if (eq <= 0)
        return p;
    p.kind = LineKind::Entry;
    p.name = line.left(eq).trimmed();
    QString value = line.mid(eq + 1).trimmed();
    // Like the Windows profile reader: matching quotes around a value go.
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    p.value = value;
    return p;
}

// Writing every layout default walks the file hundreds of times; the lines
// repeat, so their parses are remembered.
ParsedLine parseLine(const QByteArray &raw, bool utf8)
{
    static QHash<QByteArray, ParsedLine> caches[2];
    QHash<QByteArray, ParsedLine> &cache = caches[utf8 ? 1 : 0];
    if (const auto it = cache.constFind(raw); it != cache.cend())
        return *it;
    if (cache.size() > 20000)
        cache.clear();
    return *cache.insert(raw, parseLineUncached(raw, utf8));
}

// Line i of the file, without the byte-order mark of the first line.
ParsedLine parseAt(const QList<QByteArray> &lines, qsizetype i, bool utf8)
{
    if (i == 0 && utf8)
        return parseLine(lines.at(0).mid(utf8Bom.size()), true);
    return parseLine(lines.at(i), utf8);
}

bool startsWithBom(const QList<QByteArray> &lines)
{
    return !lines.isEmpty() && lines.front().startsWith(utf8Bom);
}

bool encodeLine(const QString &text, bool utf8, QByteArray *out, QString *bad)
{
    const QString normalized = Cp932::normalize(text);
    if (utf8) {
        *out = normalized.toUtf8();
        return true;
    }
    return Cp932::encode(normalized, out, bad);
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

SettingsFile::SettingsFile(const QString &filePath, const QString &mainSection)
    : m_path(filePath), m_mainSection(mainSection)
{}

bool SettingsFile::exists() const
{
    return QFile::exists(m_path) || (m_batchDepth > 0 && m_batchDirty);
}

SettingsFile::Lines SettingsFile::load() const
{
    if (m_batchDepth > 0)
        return {m_batchLines, !m_batchUnreadable, m_batchUnreadableWhy,
                startsWithBom(m_batchLines)};
    TextFile::ReadResult r = TextFile::readLines(m_path);
    const bool utf8 = startsWithBom(r.lines);
    return {std::move(r.lines), r.error != TextFile::Error::ReadFailed, r.errorText, utf8};
}

bool SettingsFile::readable(QString *reason) const
{
    if (m_batchDepth > 0 && !m_batchUnreadable)
        return true;
    const TextFile::ReadResult r = TextFile::readLines(m_path);
    if (r.error != TextFile::Error::ReadFailed)
        return true;
    if (reason)
        *reason = r.errorText;
    return false;
}

QString SettingsFile::readSetting(const QString &section, const QString &key) const
{
    const QString wantedSection = section.isEmpty() ? m_mainSection : section;
    const Lines lines = load();
    bool inSection = false;
    for (qsizetype i = 0; i < lines.raw.size(); ++i) {
        const ParsedLine p = parseAt(lines.raw, i, lines.utf8);
        if (p.kind == LineKind::Section) {
            inSection = sameName(p.name, wantedSection);
        } else if (inSection && p.kind == LineKind::Entry && sameName(p.name, key)) {
            QString value = p.value;
            const qsizetype nul = value.indexOf(QChar(0));
            if (nul >= 0)
                value.truncate(nul);
            return Cp932::leftBytes(value, maxValueBytes).trimmed();
        }
    }
    return {};
}

bool SettingsFile::writeSetting(const QString &section, const QString &key, const QString &value)
{
    const QString wantedSection = section.isEmpty() ? m_mainSection : section;
    const Lines current = load();
    if (!current.loaded) {
        // Writing now would replace a file we could not read: refuse.
        m_lastError =
            QStringLiteral("設定ファイル[%1]が読めません。\r\n%2").arg(m_path, current.whyNot);
        if (m_batchDepth > 0 && m_batchError.isEmpty())
            m_batchError = m_lastError;
        return false;
    }
    QByteArray entry;
    QString bad;
    // A line break in a value would split the entry.
    QString oneLine = value;
    oneLine.replace(u'\r', u' ').replace(u'\n', u' ');
    if (!encodeLine(key + u'=' + oneLine, current.utf8, &entry, &bad)) {
        m_lastError =
            QStringLiteral("「%1」は設定ファイル[%2]に保存できない文字です。").arg(bad, m_path);
        if (m_batchDepth > 0 && m_batchError.isEmpty())
            m_batchError = m_lastError;
        return false;
    }
    QList<QByteArray> lines = current.raw;

    qsizetype sectionLine = -1;
    qsizetype lastContentInSection = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const ParsedLine p = parseAt(lines, i, current.utf8);
        if (p.kind == LineKind::Section) {
            if (sectionLine >= 0)
                break; // past the wanted section
            if (sameName(p.name, wantedSection)) {
                sectionLine = i;
                lastContentInSection = i;
            }
            continue;
        }
        if (sectionLine < 0)
            continue;
        if (p.kind == LineKind::Entry && sameName(p.name, key)) {
            lines[i] = entry;
            return store(lines);
        }
        if (!lines.at(i).trimmed().isEmpty())
            lastContentInSection = i;
    }
    if (sectionLine < 0) {
        QByteArray header;
        encodeLine(u'[' + wantedSection + u']', current.utf8, &header, &bad);
        lines.append(header);
        lines.append(entry);
    } else {
        lines.insert(lastContentInSection + 1, entry);
    }
    return store(lines);
}

QString SettingsFile::readSettingOrDefault(const QString &section, const QString &key,
                                           const QString &defaultValue)
{
    QString value = readSetting(section, key);
    if (value.isEmpty()) {
        writeSetting(section, key, defaultValue);
        value = readSetting(section, key);
    }
    return value;
}

bool SettingsFile::store(const QList<QByteArray> &lines)
{
    if (m_batchDepth > 0) {
        m_batchLines = lines;
        m_batchDirty = true;
        m_lastError.clear();
        return true;
    }
    return writeFile(lines);
}

bool SettingsFile::writeFile(const QList<QByteArray> &lines)
{
    const TextFile::WriteResult r = TextFile::writeAtomically(m_path, TextFile::joinLines(lines));
    switch (r.status) {
    case TextFile::WriteResult::Saved:
        m_lastError.clear();
        return true;
    case TextFile::WriteResult::SavedButDiskError:
        m_lastError =
            QStringLiteral(
                "設定ファイル[%1]に書き込みましたが、ディスクがエラーを報告しました。\r\n%2")
                .arg(m_path, r.errorText);
        return true;
    case TextFile::WriteResult::NotSaved:
        break;
    }
    m_lastError =
        QStringLiteral("設定ファイル[%1]に書き込めませんでした。\r\n%2").arg(m_path, r.errorText);
    return false;
}

bool SettingsFile::flushBatch()
{
    const QString earlier = m_batchError;
    m_batchError.clear();
    m_lastError.clear();
    bool ok = true;
    if (m_batchDirty) {
        m_batchDirty = false;
        ok = writeFile(m_batchLines);
    }
    // A write refused inside the batch is the first thing to tell.
    if (!earlier.isEmpty() && ok) {
        m_lastError = earlier;
        return false;
    }
    return ok;
}

SettingsFile::Batch::Batch(SettingsFile &file) : m_file(file)
{
    if (m_file.m_batchDepth == 0) {
        TextFile::ReadResult r = TextFile::readLines(m_file.m_path);
        m_file.m_batchLines = r.lines;
        m_file.m_batchUnreadable = r.error == TextFile::Error::ReadFailed;
        m_file.m_batchUnreadableWhy = r.errorText;
        m_file.m_batchDirty = false;
        m_file.m_batchError.clear();
    }
    ++m_file.m_batchDepth;
}

bool SettingsFile::Batch::commit()
{
    if (m_done)
        return true;
    m_done = true;
    if (--m_file.m_batchDepth > 0)
        return true;
    const bool ok = m_file.flushBatch();
    m_file.m_batchLines.clear();
    return ok;
}

SettingsFile::Batch::~Batch()
{
    commit();
}
