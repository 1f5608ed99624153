#include "recipe/recipefilereader.h"

#include "platform/cp932.h"
#include "recipe/recipefilelayout.h"
#include "recipe/recordcodec.h"

RecipeFileReader::RecipeFileReader(const QString &path)
{
    TextFile::ReadResult r = TextFile::readLines(path);
    m_error = r.error;
    m_errorText = r.errorText;
    m_lines = std::move(r.lines);
    RecipeFileLayout::dropByteOrderMark(m_lines);
    int recordNo = RecipeFileLayout::recordNoBeforeFirstLine(m_lines);
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (RecipeFileLayout::isMetadataLine(m_lines.at(i)))
            continue;
        ++recordNo;
        if (recordNo >= 2)
            m_rows.append({recordNo, i});
    }
}

QStringList RecipeFileReader::metadataLines() const
{
    QStringList result;
    for (const QByteArray &line : m_lines) {
        if (RecipeFileLayout::isMetadataLine(line))
            result.append(decodeLine(line));
    }
    return result;
}

QString RecipeFileReader::decodeLine(const QByteArray &raw)
{
    return Cp932::decode(raw);
}

QString RecipeFileReader::rowText(int recordNo) const
{
    for (const Row &row : m_rows) {
        if (row.recordNo == recordNo)
            return decodeLine(m_lines.at(row.lineIndex));
    }
    return {};
}

RecipeRecord RecipeFileReader::record(int recordNo) const
{
    return RecordCodec::splitRecordLine(rowText(recordNo));
}
