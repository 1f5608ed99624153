#include "recipe/recipefilerewrite.h"

#include "platform/cp932.h"
#include "platform/fileguard.h"
#include "platform/textfile.h"
#include "recipe/recipefileformat.h"
#include "recipe/recipefilelayout.h"
#include "recipe/recordcodec.h"

#include <QDir>
#include <QFile>
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
    // The work file is removed first: it must never be the user's file.
    if (isWorkFile(currentPath, workPath)) {
        result.error = workFileRefusal(currentPath);
        return result;
    }
    // Another copy of the program rewriting the same file waits here, and
    // reads the file only after this rewrite has replaced it.
    const FileGuard guard(currentPath);
    if (!guard.locked()) {
        result.error =
            u"レシピファイル[%1]は、ほかのプログラムが書き換え中です。\r\n"
            u"しばらくしてから、もう一度操作してください。\r\n"
            u"レシピファイルは変更していません。"_s.arg(QDir::toNativeSeparators(currentPath));
        return result;
    }
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
    QList<QByteArray> oldLines = old.lines;
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
    const bool unchanged = guard.unchanged(&readError);
    if (!readError.isEmpty()) {
        result.error = u"レシピファイル[%1]を読み直せませんでした。\r\n%2\r\n"
                       u"レシピファイルは変更していません。"_s.arg(
                           QDir::toNativeSeparators(currentPath), readError);
        return result;
    }
    if (!unchanged) {
        result.error = u"レシピファイル[%1]は、作業中にほかのプログラムによって変更されました。\r\n"
                       u"レシピファイルは変更していません。"
                       u"一覧を確かめてから、もう一度操作してください。"_s.arg(
                           QDir::toNativeSeparators(currentPath));
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
