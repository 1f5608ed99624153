#include "app/settingsfile.h"
#include "print/engine/drawsurface.h"
#include "print/engine/pagelayout.h"
#include "print/engine/paperformat.h"
#include "print/printcommand.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QTextStream>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(PrintOptions)

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

PrintOptions options(std::optional<int> arrangement, std::optional<int> paper = {},
                     std::optional<int> from = {}, int layout = 1, const QString &recipeFile = {})
{
    PrintOptions o;
    o.arrangement = arrangement;
    o.paper = paper;
    o.from = from;
    o.layout = layout;
    o.recipeFile = recipeFile;
    return o;
}

} // namespace

class TestPrintCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exitStatusAndPages_data()
    {
        QTest::addColumn<PrintOptions>("options"); // besides the PDF and the recipe file
        QTest::addColumn<int>("recipePages");      // pages the composer has to give
        QTest::addColumn<int>("failingPage");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("pdfPages"); // 0: the old file stays untouched

        QTest::newRow("front only") << PrintOptions() << 3 << 0 << 0 << 3;
        QTest::newRow("front and back") << options(1) << 3 << 0 << 0 << 3;
        // 1+4 / 2+3 on the first sheet, 5 alone on the front of the second.
        QTest::newRow("A4 both sides") << options(3) << 5 << 0 << 0 << 3;
        QTest::newRow("folded") << options(4, {}, {}, 7) << 3 << 0 << 0 << 2;
        QTest::newRow("four-up paper by default") << options({}, 15) << 6 << 0 << 0 << 2;
        QTest::newRow("four-up paper, front only") << options(0, 15) << 3 << 0 << 1 << 0;
        QTest::newRow("file gone during the run") << PrintOptions() << 5 << 2 << 1 << 0;
        QTest::newRow("start beyond the last recipe") << options({}, {}, 4) << 3 << 0 << 1 << 0;
        QTest::newRow("recipe file missing")
            << options({}, {}, {}, 1, u"missing.csv"_s) << 3 << 0 << 1 << 0;
    }

    void exitStatusAndPages()
    {
        QFETCH(PrintOptions, options);
        QFETCH(int, recipePages);
        QFETCH(int, failingPage);
        QFETCH(int, status);
        QFETCH(int, pdfPages);

        TempProgramFolder home;
        home.write(u"recipes.csv"_s, cp932Lines({u"@x"_s, u"header"_s, u"a"_s, u"b"_s, u"c"_s}));
        home.write(u"out.pdf"_s, "old");
        options.pdf = true;
        options.target = home.file(u"out.pdf"_s);
        options.recipeFile =
            home.file(options.recipeFile.isEmpty() ? u"recipes.csv"_s : options.recipeFile);
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

        QCOMPARE(PrintCommand::run(options, context, factory, out, err), status);
        QCOMPARE(errText.isEmpty(), status == 0);
        const QByteArray pdf = home.read(u"out.pdf"_s);
        if (pdfPages == 0)
            QCOMPARE(pdf, QByteArray("old"));
        else
            QCOMPARE(countPdfPages(pdf), pdfPages);
        QVERIFY(!QFile::exists(home.file(u"out-2.pdf"_s)));
        QVERIFY(!QFile::exists(home.file(u"QVRECIPE.ini"_s))); // nothing but the PDF is written
    }

    // A run from the command line prints each side with the paper's saved
    // offsets and names what did not fit in one message on standard error.
    void savedOffsetsAndFitWarning()
    {
        TempProgramFolder home;
        home.write(u"recipes.csv"_s, cp932Lines({u"header"_s, u"a"_s, u"b"_s}));
        SettingsFile settings(home.file(u"QVRECIPE.ini"_s), u"QVRECIPE"_s);
        LayoutSettings::writeLayoutDefaults(settings, 0);
        const QString section = PaperFormat::byNumber(0)->section;
        settings.writeSetting(section, u"ALIGN_FRONT_X"_s, u"15"_s);
        settings.writeSetting(section, u"ALIGN_BACK_Y"_s, u"-7"_s);
        PrintOptions o = options(1); // front and back in turn
        o.pdf = true;
        o.target = home.file(u"out.pdf"_s);
        o.recipeFile = home.file(u"recipes.csv"_s);
        PrintCommand::Context context{home.path(), settings.filePath(), u"QVRECIPE"_s};

        QList<QPointF> offsets;
        const QList<UnfitRecipe> unfit{{u"長い煮物"_s, 2}};
        class Composer : public PageComposer
        {
        public:
            Composer(DrawSurface &s, QList<QPointF> &offsets, const QList<UnfitRecipe> &unfit)
                : m_s(s), m_offsets(offsets), m_unfit(unfit)
            {}
            PageResult composeRecipePage(const PageRequest &r) override
            {
                m_offsets.append(m_s.sheetOffset());
                return {r.page >= 2, QString(), r.page == 1 ? m_unfit : QList<UnfitRecipe>()};
            }

        private:
            DrawSurface &m_s;
            QList<QPointF> &m_offsets;
            const QList<UnfitRecipe> &m_unfit;
        };
        const PageComposerFactory factory = [&](DrawSurface &surface, const PageLayout &,
                                                PageComposer::SheetPrompt) {
            return std::make_unique<Composer>(surface, offsets, unfit);
        };
        QString outText;
        QString errText;
        QTextStream out(&outText);
        QTextStream err(&errText);

        QCOMPARE(PrintCommand::run(o, context, factory, out, err), 0);
        QCOMPARE(offsets, (QList<QPointF>{{1.5, 0}, {0, -0.7}}));
        QCOMPARE(errText, PrintJob::unfitMessage(unfit).replace(u"\r\n"_s, u"\n"_s) + u'\n');
    }

    // The message names the file once and then says what the system reported.
    void unreadableRecipeFileSaysWhy_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("why");
        QTest::newRow("missing") << u"missing.csv"_s << u"ファイルまたはフォルダーがありません。"_s;
        QTest::newRow("a folder") << u"folder.csv"_s << u"ファイルではなくフォルダーです。"_s;
    }
    void unreadableRecipeFileSaysWhy()
    {
        QFETCH(QString, name);
        QFETCH(QString, why);
        TempProgramFolder home;
        QVERIFY(QDir(home.path()).mkdir(u"folder.csv"_s));
        PrintOptions o;
        o.pdf = true;
        o.target = home.file(u"out.pdf"_s);
        o.recipeFile = home.file(name);
        PrintCommand::Context context;
        context.programDir = home.path();
        context.programName = u"QVRECIPE"_s;
        context.settingsPath = home.file(u"QVRECIPE.ini"_s);
        const PageComposerFactory factory = [](DrawSurface &surface, const PageLayout &,
                                               PageComposer::SheetPrompt) {
            return std::make_unique<CountingComposer>(surface, 1, 0);
        };
        QString outText;
        QString errText;
        QTextStream out(&outText);
        QTextStream err(&errText);
        QCOMPARE(PrintCommand::run(o, context, factory, out, err), 1);
        QCOMPARE(errText, u"レシピファイル「%1」を読めません: %2\n"_s.arg(
                              QDir::toNativeSeparators(home.file(name)), why));
        QVERIFY(!QFile::exists(o.target));
    }
};

QTEST_MAIN(TestPrintCommand)
#include "tst_printcommand.moc"
