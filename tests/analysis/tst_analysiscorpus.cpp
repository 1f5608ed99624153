// Scores the analysis on the recipe texts of tests/data/analysis/corpus:
// every expected field is compared whole, and the share of fields right
// must not fall below the floor.
#include "analysis/analysecommand.h"
#include "analysis/analysedrecipe.h"
#include "recipe/vocabularyfile.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// 97 % of the fields were right when the floor was last raised.
constexpr double floorShare = 0.95;

const std::pair<const char16_t *, int> scoredFields[] = {
    {u"dish", RecipeRecord::DishName},     {u"servings", RecipeRecord::Servings},
    {u"calories", RecipeRecord::Calories}, {u"salt", RecipeRecord::Salt},
    {u"time", RecipeRecord::Time},         {u"ingredients", RecipeRecord::Ingredients},
    {u"method", RecipeRecord::Method},     {u"point", RecipeRecord::Tips},
    {u"main", RecipeRecord::MainCategory},
};

// "@field" lines, each followed by the value's lines; "#" lines before the
// first field describe the text.
QMap<QString, QString> readExpected(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QMap<QString, QString> fields;
    QString current;
    QStringList lines;
    const auto store = [&] {
        if (!current.isEmpty())
            fields.insert(current, lines.join(u"\r\n"_s));
        lines.clear();
    };
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (line.startsWith(u'@')) {
            store();
            current = line.mid(1).trimmed();
        } else if (!current.isEmpty()) {
            lines.append(line);
        }
    }
    store();
    for (QString &value : fields) {
        while (value.endsWith(u"\r\n"_s))
            value.chop(2);
    }
    return fields;
}

} // namespace

class TestAnalysisCorpus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shareOfFieldsRight();
};

void TestAnalysisCorpus::shareOfFieldsRight()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString vocabulary = dir.filePath(VocabularyFile::fileName);
    QVERIFY(VocabularyFile::writeVocabularyFile(vocabulary).isEmpty());
    const EntryLists lists = EntryLists::fromVocabulary(vocabulary);

    const QDir corpus(QStringLiteral(QV_TEST_DATA_DIR) + u"/analysis/corpus"_s);
    const QStringList texts = corpus.entryList({u"*.txt"_s}, QDir::Files, QDir::Name);
    QVERIFY(texts.size() >= 40);

    QMap<QString, int> right;
    int total = 0;
    int totalRight = 0;
    QStringList misses;
    for (const QString &name : texts) {
        const AnalyseCommand::Input input = AnalyseCommand::readInput(corpus.filePath(name));
        QVERIFY2(input.error.isEmpty(), qPrintable(name + u": "_s + input.error));
        const RecipeRecord record = AnalysedRecipe::analyse(input.text, QString(), lists);
        const QMap<QString, QString> expected =
            readExpected(corpus.filePath(QString(name).replace(u".txt"_s, u".expected"_s)));
        for (const auto &[field, number] : scoredFields) {
            const QString key = QString::fromUtf16(field);
            QVERIFY2(expected.contains(key), qPrintable(name + u": no @"_s + key));
            ++total;
            if (record.field(number) == expected.value(key)) {
                ++right[key];
                ++totalRight;
            } else {
                misses.append(name.left(name.indexOf(u'-')) + u":"_s + key);
                if (qEnvironmentVariableIsSet("QV_CORPUS_DETAILS")) {
                    qInfo("%s %s\n  got:      %s\n  expected: %s", qPrintable(name),
                          qPrintable(key), qPrintable(record.field(number)),
                          qPrintable(expected.value(key)));
                }
            }
        }
    }

    const int perField = int(texts.size());
    for (const auto &[field, number] : scoredFields) {
        const QString key = QString::fromUtf16(field);
        qInfo("%-12s %3d/%d", qPrintable(key), right.value(key), perField);
    }
    const double share = double(totalRight) / total;
    qInfo("missed: %s", qPrintable(misses.join(u' ')));
    qInfo("fields right: %d/%d = %.1f %%", totalRight, total, share * 100);
    QVERIFY2(share >= floorShare, "the share of fields right fell below the floor");
}

QTEST_GUILESS_MAIN(TestAnalysisCorpus)
#include "tst_analysiscorpus.moc"
