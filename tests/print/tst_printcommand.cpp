#include "print/engine/drawsurface.h"
#include "print/printcommand.h"
#include "testsupport.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

// Draws one line per page and reports the end at lastPage; page failingPage
// finds its file gone.
class CountingComposer : public PageComposer
{
public:
    CountingComposer(DrawSurface &surface, int lastPage, int failingPage)
        : m_surface(surface), m_lastPage(lastPage), m_failingPage(failingPage)
    {}
    PageResult composeRecipePage(const PageRequest &r) override
    {
        m_surface.setCurrentX(r.left);
        m_surface.setCurrentY(20);
        m_surface.printText(u"page %1"_s.arg(r.page));
        if (r.page == m_failingPage)
            return {false, u"gone"_s};
        return {r.page >= m_lastPage, QString()};
    }

private:
    DrawSurface &m_surface;
    int m_lastPage;
    int m_failingPage;
};

int countPdfPages(const QByteArray &pdf)
{
    static const QRegularExpression page(u"/Type\\s*/Page(?![s\\w])"_s);
    return int(QString::fromLatin1(pdf).count(page));
}

} // namespace

class TestPrintCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exitStatusAndPages_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("recipePages"); // pages the composer has to give
        QTest::addColumn<int>("failingPage");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("pdfPages"); // 0: the old file stays untouched

        QTest::newRow("front only") << QStringList() << 3 << 0 << 0 << 3;
        QTest::newRow("front and back")
            << QStringList{u"--arrangement"_s, u"1"_s} << 3 << 0 << 0 << 3;
        // 1+4 / 2+3 on the first sheet, 5 alone on the front of the second.
        QTest::newRow("A4 both sides") << QStringList{u"--arrangement=3"_s} << 5 << 0 << 0 << 3;
        QTest::newRow("folded") << QStringList{u"--arrangement"_s, u"4"_s, u"--layout"_s, u"7"_s}
                                << 3 << 0 << 0 << 2;
        QTest::newRow("four-up paper by default")
            << QStringList{u"--paper"_s, u"15"_s} << 6 << 0 << 0 << 2;
        QTest::newRow("four-up paper, front only")
            << QStringList{u"--paper"_s, u"15"_s, u"--arrangement"_s, u"0"_s} << 3 << 0 << 1 << 0;
        QTest::newRow("file gone during the run") << QStringList() << 5 << 2 << 1 << 0;
        QTest::newRow("layout out of range")
            << QStringList{u"--layout"_s, u"8"_s} << 3 << 0 << 2 << 0;
        QTest::newRow("unknown option") << QStringList{u"--copies"_s, u"2"_s} << 3 << 0 << 2 << 0;
        QTest::newRow("option without value") << QStringList{u"--from"_s} << 3 << 0 << 2 << 0;
        QTest::newRow("two recipe files") << QStringList{u"other.csv"_s} << 3 << 0 << 2 << 0;
        QTest::newRow("start beyond the last recipe")
            << QStringList{u"--from"_s, u"4"_s} << 3 << 0 << 1 << 0;
        QTest::newRow("recipe file missing") << QStringList{u"--missing"_s} << 3 << 0 << 1 << 0;
    }

    void exitStatusAndPages()
    {
        QFETCH(QStringList, options);
        QFETCH(int, recipePages);
        QFETCH(int, failingPage);
        QFETCH(int, status);
        QFETCH(int, pdfPages);

        TempProgramFolder home;
        home.write(u"recipes.csv"_s, cp932Lines({u"@x"_s, u"header"_s, u"a"_s, u"b"_s, u"c"_s}));
        home.write(u"out.pdf"_s, "old");
        QString recipeFile = home.file(u"recipes.csv"_s);
        if (options == QStringList{u"--missing"_s}) {
            options.clear();
            recipeFile = home.file(u"missing.csv"_s);
        }
        const QStringList args = QStringList{u"--print-pdf"_s, home.file(u"out.pdf"_s)} + options +
                                 QStringList{recipeFile};
        PrintCommand::Context context;
        context.programDir = home.path();
        context.programName = u"QVRECIPE"_s;
        context.settingsPath = home.file(u"QVRECIPE.ini"_s);
        const PageComposerFactory factory = [&](DrawSurface &surface, const PageLayout &,
                                                PageComposer::SheetPrompt) {
            return std::make_unique<CountingComposer>(surface, recipePages, failingPage);
        };
        QString outText;
        QString errText;
        QTextStream out(&outText);
        QTextStream err(&errText);

        QCOMPARE(PrintCommand::run(args, context, factory, out, err), status);
        QCOMPARE(errText.isEmpty(), status == 0);
        const QByteArray pdf = home.read(u"out.pdf"_s);
        if (pdfPages == 0)
            QCOMPARE(pdf, QByteArray("old"));
        else
            QCOMPARE(countPdfPages(pdf), pdfPages);
        QVERIFY(!QFile::exists(home.file(u"out-2.pdf"_s)));
        QVERIFY(!QFile::exists(home.file(u"QVRECIPE.ini"_s))); // nothing but the PDF is written
    }
};

QTEST_MAIN(TestPrintCommand)
#include "tst_printcommand.moc"
