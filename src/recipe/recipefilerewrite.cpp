#include "recipe/recipefilerewrite.h"

#include "platform/cp932.h"
#include "platform/textfile.h"
#include "recipe/recipefileformat.h"
#include "recipe/recordcodec.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace RecipeFileRewrite {

Result rewrite(const QString &currentPath, const QString &workPath, const Transform &transform)
{
    Result result;
    const QString current = QDir::toNativeSeparators(currentPath);
    const QString unchanged = u"\r\nレシピファイル[%1]は元のままです。"_s.arg(current);
    const TextFile::ContentResult old = TextFile::readContent(currentPath);
    if (old.error != TextFile::Error::None) {
        result.error =
            u"レシピファイル[%1]を読めません。\r\n"_s.arg(current) + old.errorText + unchanged;
        return result;
    }
    // The work copy replaces the previous one whole; the new content is built
    // from what was copied.
    const TextFile::WriteResult copied = TextFile::writeAtomically(workPath, old.content);
    if (!copied.saved()) {
        result.error =
            u"作業ファイル[%1]に書き込めません。\r\n"_s.arg(QDir::toNativeSeparators(workPath)) +
            copied.errorText + unchanged;
        return result;
    }
    QList<QByteArray> lines;
    QString error;
    if (!transform(TextFile::splitLines(old.content), lines, &error)) {
        result.error = error;
        return result;
    }
    const TextFile::WriteResult w =
        TextFile::writeAtomically(currentPath, TextFile::joinLines(lines));
    if (!w.saved()) {
        result.error = u"レシピファイル[%1]に書き込めませんでした。\r\n"_s.arg(current) +
                       w.errorText + unchanged;
        return result;
    }
    // The disk's complaint about either file is worth telling: both lie in
    // the same place.
    const TextFile::WriteResult &unsure =
        w.status == TextFile::WriteResult::SavedButDiskError ? w : copied;
    if (unsure.status == TextFile::WriteResult::SavedButDiskError) {
        result.warning =
            u"レシピファイル[%1]に保存しましたが、ディスクがエラーを報告しました。\r\n"_s.arg(
                current) +
            unsure.errorText + u"\r\nディスクの状態を確かめてください。"_s;
    }
    result.ok = true;
    return result;
}

QByteArray headerBytes()
{
    return Cp932::encodeLossy(RecipeFileFormat::RecipeFileHeader);
}

bool encodeRow(const RecipeRecord &record, int lastField, QByteArray *row, QString *error)
{
    QString bad;
    const QString text = Cp932::normalize(RecordCodec::writeRecordLine(record, lastField));
    if (Cp932::encode(text, row, &bad))
        return true;
    if (error) {
        *error = u"「%1」はレシピファイルに保存できない文字です。\r\n"
                 u"別の文字に置き換えてから保存してください。"_s.arg(bad);
    }
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
