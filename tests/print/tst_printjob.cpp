#include "engine/layoutfixtures.h"

#include "platform/prompts.h"
#include "print/engine/drawsurface.h"
#include "print/engine/recordingtarget.h"
#include "print/nextsheetprompt.h"
#include "print/printjob.h"
#include "print/printprogress.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// One log for everything the run does, in order: composed pages
// ("page:left-right", "+" when a recipe may go on over the back), sheet ends
// ("|"), paper prompts ("ask mode") and other messages.
struct RunLog
{
    QStringList events;
};

class FakeComposer : public PageComposer
{
public:
    FakeComposer(DrawSurface &surface, RunLog &log) : m_surface(surface), m_log(log) {}

    PageResult composeRecipePage(const PageRequest &r) override
    {
        m_log.events << u"%1:%2-%3%4"_s.arg(r.page).arg(r.left).arg(r.right).arg(
            r.continuationAllowed ? u"+"_s : QString());
        m_surface.printText(u"x"_s);
        if (r.page == failingPage)
            return {false, u"レシピファイル「gone.csv」を読めません。"_s};
        return {r.page >= lastPage, QString()};
    }

    int lastPage = 1;
    int failingPage = 0;

private:
    DrawSurface &m_surface;
    RunLog &m_log;
};

class LoggingPrompts : public Prompts
{
public:
    explicit LoggingPrompts(RunLog &log) : m_log(log) {}

    Answer message(const QString &text, Icon, Buttons, Answer defaultAnswer,
                   const QString &) override
    {
        QString event = u"say "_s + text;
        for (int mode = 0; mode <= 2; ++mode) {
            if (text == NextSheetPrompt::text(mode))
                event = u"ask %1"_s.arg(mode);
        }
        m_log.events << event;
        return answers.isEmpty() ? defaultAnswer : answers.takeFirst();
    }
    std::optional<QString> input(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }

    QList<Answer> answers;

private:
    RunLog &m_log;
};

class CancelAtSheet : public PrintProgress
{
public:
    void sheetStarted(int sheet, int) override
    {
        m_cancel = cancelSheet > 0 && sheet >= cancelSheet;
    }
    bool cancelRequested() const override { return m_cancel; }
    int cancelSheet = 0;

private:
    bool m_cancel = false;
};

} // namespace

class TestPrintJob : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sheetsPagesAndPrompts_data()
    {
        QTest::addColumn<int>("arrangement");
        QTest::addColumn<bool>("fourUp");
        QTest::addColumn<int>("pages");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<QString>("answers"); // O = OK, C = Cancel, in turn
        QTest::addColumn<int>("failingPage");
        QTest::addColumn<int>("cancelSheet");
        QTest::addColumn<QStringList>("expected");

        const QString unsupported = u"say "_s + PrintJob::unsupportedMessage;
        QTest::newRow("front only, three pages")
            << 0 << false << 3 << true << QString() << 0 << 0
            << QStringList{u"1:8-88+"_s, u"|"_s,     u"ask 2"_s,   u"2:8-88+"_s,
                           u"|"_s,       u"ask 2"_s, u"3:8-88+"_s, u"|"_s};
        QTest::newRow("front and back, three pages")
            << 1 << false << 3 << true << QString() << 0 << 0
            << QStringList{u"1:8-88"_s, u"|"_s,     u"ask 1"_s,  u"2:0-80"_s,
                           u"|"_s,      u"ask 0"_s, u"3:8-88"_s, u"|"_s};
        QTest::newRow("back and front, three pages")
            << 2 << false << 3 << true << QString() << 0 << 0
            << QStringList{u"1:0-80"_s, u"|"_s,     u"ask 0"_s,  u"2:8-88"_s,
                           u"|"_s,      u"ask 1"_s, u"3:0-80"_s, u"|"_s};
        // Printable width 200.5 + 0.5 - 0.5: strips 120.5..200.5 and 0..80
        // rounded to even. Page 5 ends the run, so page 8 is never composed.
        QTest::newRow("A4 both sides, five pages")
            << 3 << false << 5 << true << QString() << 0 << 0
            << QStringList{u"1:120-200"_s, u"4:0-80"_s, u"|"_s,     u"ask 1"_s,     u"2:0-80"_s,
                           u"3:120-200"_s, u"|"_s,      u"ask 0"_s, u"5:120-200"_s, u"|"_s};
        QTest::newRow("A4 both sides, stopped at the turn-over")
            << 3 << false << 9 << true << u"C"_s << 0 << 0
            << QStringList{u"1:120-200"_s, u"4:0-80"_s, u"|"_s, u"ask 1"_s};
        QTest::newRow("folded, three pages")
            << 4 << false << 3 << true << QString() << 0 << 0
            << QStringList{u"1:8-88"_s, u"2:90-170"_s, u"|"_s, u"ask 0"_s,
                           u"3:8-88"_s, u"4:90-170"_s, u"|"_s};
        QTest::newRow("four-up, six pages")
            << 5 << true << 6 << true << QString() << 0 << 0
            << QStringList{u"1:0-70"_s,    u"2:73-142"_s,  u"3:146-204"_s, u"4:218-289"_s,
                           u"|"_s,         u"ask 2"_s,     u"5:0-70"_s,    u"6:73-142"_s,
                           u"7:146-204"_s, u"8:218-289"_s, u"|"_s};
        QTest::newRow("four-up paper, front only")
            << 0 << true << 3 << true << QString() << 0 << 0 << QStringList{unsupported};
        QTest::newRow("ordinary paper, four-up")
            << 5 << false << 3 << true << QString() << 0 << 0 << QStringList{unsupported};
        QTest::newRow("cancel at the second prompt")
            << 0 << false << 5 << true << u"OC"_s << 0 << 0
            << QStringList{u"1:8-88+"_s, u"|"_s, u"ask 2"_s, u"2:8-88+"_s, u"|"_s, u"ask 2"_s};
        QTest::newRow("no prompts")
            << 1 << false << 3 << false << QString() << 0 << 0
            << QStringList{u"1:8-88"_s, u"|"_s, u"2:0-80"_s, u"|"_s, u"3:8-88"_s, u"|"_s};
        QTest::newRow("progress cancelled on the second sheet")
            << 0 << false << 5 << false << QString() << 0 << 2
            << QStringList{u"1:8-88+"_s, u"|"_s, u"2:8-88+"_s, u"|"_s};
        QTest::newRow("progress cancel wins over the prompt")
            << 4 << false << 9 << true << QString() << 0 << 1
            << QStringList{u"1:8-88"_s, u"2:90-170"_s, u"|"_s};
        QTest::newRow("file gone on page 2")
            << 0 << false << 5 << true << QString() << 2 << 0
            << QStringList{u"1:8-88+"_s, u"|"_s, u"ask 2"_s, u"2:8-88+"_s,
                           u"say レシピファイル「gone.csv」を読めません。"_s};
    }

    void sheetsPagesAndPrompts()
    {
        QFETCH(int, arrangement);
        QFETCH(bool, fourUp);
        QFETCH(int, pages);
        QFETCH(bool, confirm);
        QFETCH(QString, answers);
        QFETCH(int, failingPage);
        QFETCH(int, cancelSheet);
        QFETCH(QStringList, expected);

        RunLog log;
        RecordingTarget target(200.5);
        DrawSurface surface(&target, &target);
        surface.previewMode = 1;
        surface.hooks.showPreview = [&] { log.events << u"|"_s; };
        PageLayout layout = bibleLayout();
        layout.YOUSI_PLUS = 0.5F;
        layout.fourUpSheet = fourUp ? 1 : 0;
        FakeComposer composer(surface, log);
        composer.lastPage = pages;
        composer.failingPage = failingPage;
        LoggingPrompts prompts(log);
        for (const QChar c : answers)
            prompts.answers << (c == u'O' ? Prompts::Answer::Ok : Prompts::Answer::Cancel);
        CancelAtSheet progress;
        progress.cancelSheet = cancelSheet;
        NextSheetPrompt prompt(prompts, confirm, &progress);
        PrintJob job(surface, layout, composer, prompt, prompts, &progress);

        PrintJobInput input;
        input.arrangement = arrangement;
        input.fourUpPaper = fourUp;
        input.showPrintConfirm = confirm;
        const PrintRunResult result = job.run(input);

        QCOMPARE(log.events, expected);
        QCOMPARE(result.unsupported,
                 expected == QStringList{u"say "_s + PrintJob::unsupportedMessage});
        QCOMPARE(result.stopped, answers.contains(u'C') || cancelSheet > 0);
        QCOMPARE(result.error.isEmpty(), failingPage == 0);
    }

    void promptTexts()
    {
        QCOMPARE(NextSheetPrompt::text(1),
                 u"表面の印刷が終わるのを待ってください。\r\n\r\n用紙を裏面にセットして、\r\n"
                 u"ＯＫを押してください。"_s);
        RunLog log;
        LoggingPrompts prompts(log);
        NextSheetPrompt prompt(prompts, true);
        QVERIFY(!prompt(3)); // an unknown mode asks nothing and stops
        QVERIFY(log.events.isEmpty());
    }

    void refusingPrinterEndsTheRun()
    {
        RunLog log;
        RecordingTarget preview(200.5);
        RefusingTarget printer;
        DrawSurface surface(&printer, &preview);
        FakeComposer composer(surface, log);
        composer.lastPage = 3;
        LoggingPrompts prompts(log);
        NextSheetPrompt prompt(prompts, true);
        PrintJob job(surface, bibleLayout(), composer, prompt, prompts);
        PrintJobInput input;
        input.outputName = u"office"_s;
        const PrintRunResult result = job.run(input);
        QVERIFY(result.deviceFailed);
        QCOMPARE(log.events, QStringList{u"say "_s + PrintJob::deviceFailureMessage(u"office"_s)});
    }

private:
    class RefusingTarget : public RecordingTarget
    {
    public:
        bool failed() const override { return true; }
    };
};

QTEST_GUILESS_MAIN(TestPrintJob)
#include "tst_printjob.moc"
