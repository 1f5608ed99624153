#include "engine/layoutfixtures.h"

#include "platform/prompts.h"
#include "print/engine/drawsurface.h"
#include "print/engine/recordingtarget.h"
#include "print/nextsheetprompt.h"
#include "print/printjob.h"
#include "print/printprogress.h"

#include <QMap>
#include <QTest>

using namespace Qt::StringLiterals;
using Kind = RecordingTarget::Item::Kind;

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
        m_surface.setCurrentX(r.left);
        m_surface.setCurrentY(10);
        m_surface.printText(u"x"_s);
        m_surface.drawLineRgb(r.left, 20, r.right, 20, 0);
        if (r.page == failingPage)
            return {false, u"レシピファイル「gone.csv」を読めません。"_s};
        return {r.page >= lastPage, QString(), unfit.value(r.page)};
    }

    int lastPage = 1;
    QMap<int, QList<UnfitRecipe>> unfit;
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
        const PageLayout layout = bibleLayout(); // the job keeps a reference
        PrintJob job(surface, layout, composer, prompt, prompts);
        PrintJobInput input;
        input.outputName = u"office"_s;
        const PrintRunResult result = job.run(input);
        QVERIFY(result.deviceFailed);
        QCOMPARE(log.events, QStringList{u"say "_s + PrintJob::deviceFailureMessage(u"office"_s)});
    }

    // The alignment shift of each side moves everything on it, and nothing else.
    void alignmentShiftsEachSide_data()
    {
        QTest::addColumn<int>("arrangement");
        QTest::addColumn<QList<QPointF>>("shifts"); // per sheet
        const QPointF front(1.5, 0);
        const QPointF back(-0.3, 2);
        QTest::newRow("front only") << 0 << QList<QPointF>{front, front, front};
        QTest::newRow("front and back") << 1 << QList<QPointF>{front, back, front};
        QTest::newRow("back and front") << 2 << QList<QPointF>{back, front, back};
        QTest::newRow("A4 both sides") << 3 << QList<QPointF>{front, back};
    }

    void alignmentShiftsEachSide()
    {
        QFETCH(int, arrangement);
        QFETCH(QList<QPointF>, shifts);
        const auto record = [arrangement](const PageLayout &layout) {
            RunLog log;
            RecordingTarget target(200.5);
            DrawSurface surface(&target, &target);
            FakeComposer composer(surface, log);
            composer.lastPage = 3;
            LoggingPrompts prompts(log);
            NextSheetPrompt prompt(prompts, false);
            PrintJob job(surface, layout, composer, prompt, prompts);
            PrintJobInput input;
            input.arrangement = arrangement;
            job.run(input);
            return target.items;
        };
        PageLayout layout = bibleLayout();
        const QList<RecordingTarget::Item> plain = record(layout);
        layout.ALIGN_FRONT_X = 15;
        layout.ALIGN_BACK_X = -3;
        layout.ALIGN_BACK_Y = 20;
        const QList<RecordingTarget::Item> shifted = record(layout);

        QCOMPARE(shifted.size(), plain.size());
        int sheet = 0;
        for (qsizetype i = 0; i < plain.size(); ++i) {
            const auto &a = plain.at(i);
            const auto &b = shifted.at(i);
            QCOMPARE(b.kind, a.kind);
            if (a.kind == Kind::EndDocument)
                ++sheet;
            if (a.kind == Kind::EndDocument || a.kind == Kind::NewPage || a.kind == Kind::Clear)
                continue;
            const QPointF d = shifts.at(sheet);
            if (a.kind == Kind::Text || a.kind == Kind::Circle || a.kind == Kind::Point)
                QCOMPARE(b.at, a.at + d);
            else if (a.kind == Kind::Line)
                QCOMPARE(b.line, a.line.translated(d));
            else
                QCOMPARE(b.rect, a.rect.translated(d));
        }
        QCOMPARE(sheet, shifts.size());
    }

    void unfitRecipesNamedAtTheEnd()
    {
        RunLog log;
        RecordingTarget target(200.5);
        DrawSurface surface(&target, &target);
        FakeComposer composer(surface, log);
        composer.lastPage = 3;
        QList<UnfitRecipe> all;
        for (int i = 1; i <= 12; ++i)
            all.append({u"料理%1"_s.arg(i), i + 1});
        composer.unfit = {{1, all.mid(0, 5)}, {3, all.mid(5)}};
        LoggingPrompts prompts(log);
        NextSheetPrompt prompt(prompts, false);
        const PageLayout layout = bibleLayout(); // the job keeps a reference
        PrintJob job(surface, layout, composer, prompt, prompts);
        const PrintRunResult result = job.run(PrintJobInput());
        QCOMPARE(result.unfit, all);
        const QString message = PrintJob::unfitMessage(all);
        QCOMPARE(message,
                 u"次のレシピは用紙に収まりきらず、はみ出した部分が印刷されていません。\r\n"
                 u"文章を短くするか、別の印刷形式を選んでください。\r\n"
                 u"\r\n・料理1\r\n・料理2\r\n・料理3\r\n・料理4\r\n・料理5"
                 u"\r\n・料理6\r\n・料理7\r\n・料理8\r\n・料理9\r\n・料理10"
                 u"\r\nほか 2 件 (全 12 件)"_s);
        QCOMPARE(log.events.filter(u"say "_s), QStringList{u"say "_s + message});
        QCOMPARE(log.events.last(), u"say "_s + message);
    }

    // Front, the prompt to turn the paper, back: each side framed where the
    // refills lie, moved by its own alignment.
    void alignmentSheet()
    {
        RunLog log;
        RecordingTarget target(200.5);
        DrawSurface surface(&target, &target);
        surface.hooks = {};
        FakeComposer composer(surface, log);
        LoggingPrompts prompts(log);
        NextSheetPrompt prompt(prompts, true);
        PageLayout layout = bibleLayout();
        layout.ALIGN_FRONT_X = 15;
        layout.ALIGN_BACK_Y = -10;
        PrintJob job(surface, layout, composer, prompt, prompts);
        PrintJobInput input;
        input.paperNumber = 0;
        const PrintRunResult result = job.runAlignmentSheet(input);
        QCOMPARE(result.sheets, 2);
        QCOMPARE(log.events, QStringList{u"ask 1"_s});
        QList<QRectF> frames;
        for (const auto &item : target.ofKind(Kind::Rect))
            frames.append(item.rect);
        QCOMPARE(frames, (QList<QRectF>{QRectF(1.5, 0, 91, 167), QRectF(110.5, 0, 91, 167),
                                        QRectF(0, -1, 91, 167), QRectF(109, -1, 91, 167)}));
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
