#include "recipe/recipeexport.h"
#include "recipe/recordcodec.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

// The clipboard layout against expected texts kept in tests/data/export:
// each case is a row (<name>.row) and the exact text it exports (<name>.txt).
class TestRecipeExport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void matchesExpectedText_data();
    void matchesExpectedText();
};

static QString readUtf8(const QString &name)
{
    QFile file(QStringLiteral(QV_TEST_DATA_DIR) + u"/export/"_s + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

void TestRecipeExport::matchesExpectedText_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"sample1", "sample2", "sample3", "full", "servings_text",
                             "servings_wide", "servings_inf"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestRecipeExport::matchesExpectedText()
{
    QFETCH(QString, name);
    const QString row = readUtf8(name + u".row"_s).chopped(1);
    const QString expected = readUtf8(name + u".txt"_s);
    QVERIFY(!row.isEmpty());
    QVERIFY(!expected.isEmpty());
    const QString actual = RecipeExport::exportText(RecordCodec::splitRecordLine(row));
    if (actual != expected) {
        const QStringList a = actual.split(u"\r\n"_s);
        const QStringList e = expected.split(u"\r\n"_s);
        for (qsizetype i = 0; i < qMax(a.size(), e.size()); ++i)
            QCOMPARE(a.value(i), e.value(i));
    }
    QCOMPARE(actual, expected);
}

QTEST_GUILESS_MAIN(TestRecipeExport)
#include "tst_recipeexport.moc"
