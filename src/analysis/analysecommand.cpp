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

const QString option = u"--analyse"_s;

bool isRequested(const QStringList &args)
{
    return !args.isEmpty() && args.front() == option;
}

QString decodeText(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return Cp932::decode(bytes);
}

int run(const QStringList &args, QTextStream &out, QTextStream &err, const Clock &clock)
{
    if (args.size() != 2 || args.front() != option) {
        err << u"使い方: QVRECIPE --analyse ファイル"_s << Qt::endl;
        return 2;
    }
    QFile file(args.at(1));
    if (!file.open(QIODevice::ReadOnly)) {
        err << args.at(1) << u": "_s << file.errorString() << Qt::endl;
        return 1;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        err << args.at(1) << u": "_s << file.errorString() << Qt::endl;
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

    RecipeRecord record = AnalysedRecipe::analyse(decodeText(bytes), QString(),
                                                  EntryLists::fromVocabulary(vocabularyPath));
    // As saving from the entry fields would date it.
    if (record.field(RecipeRecord::RegisteredOn).isEmpty())
        record.setField(RecipeRecord::RegisteredOn,
                        clock.now().date().toString(u"yyyy/MM/dd"_s));
    out << RecipeExport::exportText(record);
    out.flush();
    return 0;
}

} // namespace AnalyseCommand

int runAnalyseCommand(const QStringList &args, QTextStream &out, QTextStream &err)
{
    const Clock clock;
    return AnalyseCommand::run(args, out, err, clock);
}
