#include "recipe/recipefilerewrite.h"

#include "platform/cp932.h"
#include "platform/fileguard.h"
#include "platform/textfile.h"
#include "recipe/recipefileformat.h"
#include "recipe/recipefilelayout.h"
#include "recipe/recordcodec.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace RecipeFileRewrite {

bool isWorkFile(const QString &path, const QString &workPath)
{
    const QFileInfo file(path);
    const QFileInfo work(workPath);
    if (QDir::cleanPath(file.absoluteFilePath()) == QDir::cleanPath(work.absoluteFilePath()))
        return true;
    const QString canonical = file.canonicalFilePath();
    return !canonical.isEmpty() && canonical == work.canonicalFilePath();
}

QString workFileRefusal(const QString &path)
{
    return u"「%1」は、レシピファイルを書き換えるときに使う作業ファイルです。\r\n"
           u"レシピファイルとしては使えません。別の名前でコピーしてから開いてください。\r\n"
           u"何も変更していません。"_s.arg(QDir::toNativeSeparators(path));
}

Result rewrite(const QString &currentPath, const QString &workPath, const Transform &transform)
{
    Result result;
    // The work file is replaced first: it must never be the user's file.
    if (isWorkFile(currentPath, workPath)) {
        result.error = workFileRefusal(currentPath);
        return result;
    }
    const QString current = QDir::toNativeSeparators(currentPath);
    const QString unchanged = u"\r\nレシピファイル[%1]は元のままです。"_s.arg(current);
    // Another copy of the program rewriting the same file waits here, and
    // reads the file only after this rewrite has replaced it.
    const FileGuard guard(currentPath);
    if (!guard.locked()) {
        result.error = u"レシピファイル[%1]は、ほかのプログラムが書き換え中です。\r\n"
                       u"しばらくしてから、もう一度操作してください。\r\n"
                       u"レシピファイルは変更していません。"_s.arg(current);
        return result;
    }
    const TextFile::ContentResult &old = guard.content();
    if (old.error != TextFile::Error::None) {
        result.error = readRefusal(currentPath, old.errorText);
        return result;
    }
    // The work copy replaces the previous one whole; the new content is built
    // from what was copied. Nothing reads it back after a crash, so it need
    // not reach the disk.
    const TextFile::WriteResult copied =
        TextFile::writeAtomically(workPath, old.content, TextFile::Durability::Scratch);
    if (!copied.saved()) {
        result.error =
            u"作業ファイル[%1]に書き込めません。\r\n"_s.arg(QDir::toNativeSeparators(workPath)) +
            copied.errorText + unchanged;
        return result;
    }
    QList<QByteArray> oldLines = TextFile::splitLines(old.content);
    RecipeFileLayout::dropByteOrderMark(oldLines);
    if (const QString refusal = RecipeFileLayout::refusal(currentPath, oldLines);
        !refusal.isEmpty()) {
        result.error = refusal;
        return result;
    }
    QList<QByteArray> lines;
    QString error;
    if (!transform(oldLines, lines, &error)) {
        result.error = error;
        return result;
    }
    QString readError;
    const bool same = guard.unchanged(&readError);
    if (!readError.isEmpty()) {
        result.error = u"レシピファイル[%1]を読み直せませんでした。\r\n%2\r\n"
                       u"レシピファイルは変更していません。"_s.arg(current, readError);
        return result;
    }
    if (!same) {
        result.error = u"レシピファイル[%1]は、作業中にほかのプログラムによって変更されました。\r\n"
                       u"レシピファイルは変更していません。"
                       u"一覧を確かめてから、もう一度操作してください。"_s.arg(current);
        return result;
    }
    const TextFile::WriteResult w =
        TextFile::writeAtomically(currentPath, TextFile::joinLines(lines));
    if (!w.saved()) {
        result.error = u"レシピファイル[%1]に書き込めませんでした。\r\n"_s.arg(current) +
                       w.errorText + unchanged;
        return result;
    }
    if (w.status == TextFile::WriteResult::SavedButDiskError) {
        result.warning =
            u"レシピファイル[%1]に保存しましたが、ディスクがエラーを報告しました。\r\n"_s.arg(
                current) +
            w.errorText + u"\r\nディスクの状態を確かめてください。"_s;
    }
    result.ok = true;
    return result;
}

QString readRefusal(const QString &path, const QString &why)
{
    const QString name = QDir::toNativeSeparators(path);
    return u"レシピファイル[%1]を読めません。\r\n"_s.arg(name) + why +
           u"\r\nレシピファイル[%1]は元のままです。"_s.arg(name);
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
    // A file without a header gets one before its first row; nothing is
    // replaced by it.
    int recordNo = RecipeFileLayout::recordNoBeforeFirstLine(oldLines);
    bool headerWritten = false;
    for (const QByteArray &line : oldLines) {
        if (RecipeFileLayout::isMetadataLine(line)) {
            out.append(line);
            continue;
        }
        ++recordNo;
        if (!headerWritten) {
            out.append(headerBytes());
            headerWritten = true;
            if (recordNo == 1)
                continue;
        }
        rowFilter(recordNo, line, out);
    }
    if (!headerWritten)
        out.append(headerBytes());
}

} // namespace RecipeFileRewrite
