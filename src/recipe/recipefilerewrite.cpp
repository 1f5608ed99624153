#include "recipe/recipefilerewrite.h"

#include "platform/cp932.h"
#include "platform/textfile.h"
#include "recipe/recipefileformat.h"
#include "recipe/recordcodec.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace RecipeFileRewrite {

Result rewrite(const QString &currentPath, const QString &workPath, const Transform &transform)
{
    Result result;
    if (QFile::exists(workPath) && !QFile::remove(workPath)) {
        result.error = u"作業ファイル[%1]を削除できません。"_s.arg(workPath);
        return result;
    }
    if (const QString e = TextFile::copyAtomically(currentPath, workPath); !e.isEmpty()) {
        result.error = u"レシピファイル[%1]を読めません。\r\n%2"_s.arg(currentPath, e);
        return result;
    }
    const TextFile::ReadResult old = TextFile::readLines(workPath);
    if (old.error != TextFile::Error::None) {
        result.error = u"作業ファイル[%1]を読めません。\r\n%2"_s.arg(workPath, old.errorText);
        return result;
    }
    QList<QByteArray> lines;
    QString error;
    if (!transform(old.lines, lines, &error)) {
        result.error = error;
        return result;
    }
    if (const QString e = TextFile::writeAtomically(currentPath, TextFile::joinLines(lines));
        !e.isEmpty()) {
        result.error =
            u"レシピファイル[%1]に書き込めませんでした。ファイルは元のままです。\r\n%2"_s.arg(
                currentPath, e);
        return result;
    }
    result.ok = true;
    return result;
}

QByteArray headerBytes()
{
    return Cp932::encodeLossy(RecipeFileFormat::RecipeFileHeader);
}

bool encodeRow(RecipeRecord &record, int lastField, QByteArray *row, QString *error)
{
    for (int n = 1; n <= RecipeRecord::fieldCount; ++n) {
        if (!record.field(n).isEmpty())
            record.setField(n, Cp932::normalize(record.field(n)));
    }
    if (Cp932::encode(RecordCodec::writeRecordLine(record, lastField), row))
        return true;
    // Name the field, so the user knows where to look.
    for (int n = 1; n <= lastField; ++n) {
        QString bad;
        if (Cp932::encode(record.field(n), nullptr, &bad) || !error)
            continue;
        if (bad == QChar::ReplacementCharacter) {
            *error = u"「%1」に、ファイルから読めなかった文字「%2」があります。\r\n"
                     u"正しい文字に直すか消してから、もう一度保存してください。"_s.arg(
                         RecipeRecord::fieldLabel(n), Cp932::codePoint(bad));
        } else {
            *error = u"「%1」に、レシピファイルに保存できない文字「%2」があります。\r\n"
                     u"別の文字に置き換えるか消してから、もう一度保存してください。"_s.arg(
                         RecipeRecord::fieldLabel(n), Cp932::codePoint(bad));
        }
        return false;
    }
    if (error)
        *error = u"レシピをレシピファイルの文字に変換できませんでした。"_s;
    return false;
}

void copyWithHeader(
    const QList<QByteArray> &oldLines, QList<QByteArray> &out,
    const std::function<void(int, const QByteArray &, QList<QByteArray> &)> &rowFilter)
{
    int recordNo = 0;
    for (const QByteArray &line : oldLines) {
        if (line.startsWith('@')) {
            out.append(line);
            continue;
        }
        ++recordNo;
        if (recordNo == 1) {
            out.append(headerBytes());
            continue;
        }
        rowFilter(recordNo, line, out);
    }
    if (recordNo == 0)
        out.append(headerBytes());
}

} // namespace RecipeFileRewrite
