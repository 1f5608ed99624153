#include "analysis/analysecommand.h"

#include "analysis/analysedrecipe.h"
#include "platform/clock.h"
#include "platform/cp932.h"
#include "recipe/recipeexport.h"
#include "recipe/vocabularyfile.h"

#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace AnalyseCommand {

QString decodeText(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    // What a Windows editor saves as "Unicode".
    const auto utf16 = [&](QStringDecoder::Encoding encoding) {
        QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless);
        return QString(decoder.decode(bytes.mid(2)));
    };
    if (bytes.startsWith("\xFF\xFE"))
        return utf16(QStringDecoder::Utf16LE);
    if (bytes.startsWith("\xFE\xFF"))
        return utf16(QStringDecoder::Utf16BE);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return Cp932::decode(bytes);
}

bool isText(const QString &text)
{
    // NUL never stands in text; a few undecodable bytes or stray control
    // characters may, a share of them is binary data.
    qsizetype odd = 0;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == 0)
            return false;
        if ((u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r' && u != u'\f') || u == 0x7F ||
            u == 0xFFFD)
            ++odd;
    }
    return odd <= 8 || odd * 50 <= text.size();
}

Input readInput(const QString &path)
{
    Input input;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        input.error = file.errorString();
        return input;
    }
    // One byte more than allowed tells a file that is too large without
    // reading an endless one (a device) to the end.
    const QByteArray bytes = file.read(maxInputBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        input.error = file.errorString();
        return input;
    }
    if (bytes.size() > maxInputBytes) {
        input.error = u"大きすぎます（上限 %1 MB）"_s.arg(maxInputBytes / (1024 * 1024));
        return input;
    }
    const QString text = decodeText(bytes);
    if (!isText(text)) {
        input.error = u"テキストファイルではありません"_s;
        return input;
    }
    if (text.trimmed().isEmpty()) {
        input.error = u"解析する文字がありません"_s;
        return input;
    }
    input.text = text;
    return input;
}

int run(const QString &path, QTextStream &out, QTextStream &err, const Clock &clock)
{
    const Input input = readInput(path);
    if (input.text.isNull()) {
        err << path << u": "_s << input.error << Qt::endl;
        return 1;
    }

    // The built-in vocabulary, so no program folder is needed.
    QTemporaryDir dir;
    const QString vocabularyPath = dir.filePath(VocabularyFile::fileName);
    QFile vocabulary(vocabularyPath);
    if (!dir.isValid() || !vocabulary.open(QIODevice::WriteOnly) ||
        vocabulary.write(VocabularyFile::defaultBytes()) < 0) {
        err << vocabularyPath << u": "_s << vocabulary.errorString() << Qt::endl;
        return 1;
    }
    vocabulary.close();

    RecipeRecord record =
        AnalysedRecipe::analyse(input.text, QString(), EntryLists::fromVocabulary(vocabularyPath));
    // As saving from the entry fields would date it.
    if (record.field(RecipeRecord::RegisteredOn).isEmpty())
        record.setField(RecipeRecord::RegisteredOn, clock.now().date().toString(u"yyyy/MM/dd"_s));
    out << RecipeExport::exportText(record);
    out.flush();
    return 0;
}

} // namespace AnalyseCommand

int runAnalyseCommand(const QString &path, QTextStream &out, QTextStream &err)
{
    const Clock clock;
    return AnalyseCommand::run(path, out, err, clock);
}
