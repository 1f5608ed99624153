#include "recipe/importmerge.h"

#include "platform/cp932.h"

#include "recipe/recipefilelayout.h"
#include "recipe/recipefilerewrite.h"
#include "recipe/recordcodec.h"

#include <optional>

namespace ImportMerge {

namespace {

QString keyOf(QStringView category, QStringView ingredient, QStringView dish, QStringView author)
{
    QString key;
    key.reserve(45 + author.size());
    RecordCodec::appendPadCut(key, category, 10);
    RecordCodec::appendPadCut(key, ingredient, 10);
    RecordCodec::appendPadCut(key, dish, 25);
    key += author;
    return key;
}

} // namespace

QString mergeKey(const RecipeRecord &r)
{
    using F = RecipeRecord;
    return keyOf(r.field(F::MainCategory), r.field(F::MainIngredient), r.field(F::DishName),
                 r.field(F::Author));
}

namespace {

// mergeKey of a row as read, decoding only the four fields it is made of.
QString keyOfRow(QByteArrayView row, Cp932::Decoder &decoder)
{
    using F = RecipeRecord;
    const QStringList f = RecordCodec::selectedFields(
        row, {F::MainCategory, F::MainIngredient, F::DishName, F::Author}, decoder);
    return keyOf(f.at(0), f.at(1), f.at(2), f.at(3));
}

bool isMetadata(const QByteArray &line)
{
    return RecipeFileLayout::isMetadataLine(line);
}

// Reads the data rows of one input past its header. Metadata lines met
// between rows are handed out with the row that follows them, so that they
// keep their place among the rows of the current file.
class RowStream
{
public:
    explicit RowStream(const QList<QByteArray> &lines) : m_lines(lines)
    {
        // Leading metadata and the header are not rows; a file without a
        // header starts with its first row.
        while (m_pos < m_lines.size() && isMetadata(m_lines.at(m_pos)))
            ++m_pos;
        if (RecipeFileLayout::recordNoBeforeFirstLine(m_lines) == 0 && m_pos < m_lines.size())
            ++m_pos;
        advance();
    }

    bool atEnd() const { return !m_row; }
    const QString &key() const { return m_key; }
    const QByteArray &row() const { return *m_row; }
    const QList<QByteArray> &metadataBefore() const { return m_metadata; }
    void advance()
    {
        m_row.reset();
        m_metadata.clear();
        while (m_pos < m_lines.size() && isMetadata(m_lines.at(m_pos)))
            m_metadata.append(m_lines.at(m_pos++));
        if (m_pos >= m_lines.size())
            return;
        m_row = m_lines.at(m_pos++);
        m_key = keyOfRow(*m_row, m_decoder);
    }

private:
    const QList<QByteArray> &m_lines;
    qsizetype m_pos = 0;
    std::optional<QByteArray> m_row;
    QString m_key;
    QList<QByteArray> m_metadata;
    Cp932::Decoder m_decoder;
};

} // namespace

Result merge(const QList<QByteArray> &oldLines, const QList<QByteArray> &importLines)
{
    Result result;
    QList<QByteArray> &out = result.lines;

    // Metadata: the current file's own, then the import file's that are new.
    QList<QByteArray> known;
    qsizetype i = 0;
    for (; i < oldLines.size() && isMetadata(oldLines.at(i)); ++i) {
        out.append(oldLines.at(i));
        known.append(oldLines.at(i).trimmed());
    }
    for (const QByteArray &line : importLines) {
        if (!isMetadata(line) || known.contains(line.trimmed()))
            continue;
        out.append(line);
        known.append(line.trimmed());
    }
    out.append(RecipeFileRewrite::headerBytes());

    RowStream old(oldLines);
    RowStream incoming(importLines);
    const auto writeOld = [&] {
        out.append(old.metadataBefore());
        out.append(old.row());
    };
    while (!old.atEnd() || !incoming.atEnd()) {
        // An exhausted input sorts after every real key.
        const int order = old.atEnd()        ? 1
                          : incoming.atEnd() ? -1
                                             : QString::compare(old.key(), incoming.key());
        if (order < 0) {
            writeOld();
            ++result.kept;
            old.advance();
        } else if (order > 0) {
            out.append(incoming.row());
            ++result.added;
            incoming.advance();
        } else {
            // The imported row replaces the old one; metadata around it stays.
            out.append(old.metadataBefore());
            out.append(incoming.row());
            ++result.updated;
            old.advance();
            incoming.advance();
        }
    }
    // Metadata after the last row of the current file.
    out.append(old.metadataBefore());
    return result;
}

} // namespace ImportMerge
