#include "app/appstate.h"
#include "platform/printerchoice.h"
#include "print/engine/pagelayout.h"
#include "print/ui/previewwindow.h"
#include "print/ui/printrundialog.h"
#include "print/ui/printrunner.h"
#include "testsupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

// Runs `step` on the modal window as soon as it is up.
void whenModal(const std::function<void(QWidget *)> &step)
{
    QTimer::singleShot(0, [step] {
        QWidget *modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        step(modal);
    });
}

template <typename T> T *child(QWidget *w, const QString &name)
{
    T *found = w->findChild<T *>(name);
    if (!found)
        qFatal("no child %s", qPrintable(name));
    return found;
}

} // namespace

class TestPrintWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void printerList_data()
    {
        QTest::addColumn<QStringList>("printers");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("selected");

        QTest::newRow("none installed")
            << QStringList() << QString() << QStringList{PrintRunDialog::noPrinterText} << -1;
        QTest::newRow("current printer chosen")
            << QStringList{u"office"_s, u"kitchen"_s} << u"kitchen"_s
            << QStringList{u"office"_s, u"kitchen"_s} << 1;
    }

    void printerList()
    {
        QFETCH(QStringList, printers);
        QFETCH(QString, current);
        QFETCH(QStringList, entries);
        QFETCH(int, selected);

        PrinterChoice::setPrinterName(u"before"_s);
        PrintRunDialog dialog(printers, current, true);
        auto *combo = child<QComboBox>(&dialog, u"Combo1"_s);
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i)
            shown << combo->itemText(i);
        QCOMPARE(shown, entries);
        QCOMPARE(combo->currentIndex(), selected);
        // Choosing an entry makes it the printer of this and later runs.
        combo->setCurrentIndex(0);
        Q_EMIT combo->activated(0);
        QCOMPARE(PrinterChoice::printerName(), printers.isEmpty() ? u"before"_s : printers.at(0));
        PrinterChoice::setPrinterName(QString());
    }

    void dialogSetsTheRun_data()
    {
        QTest::addColumn<int>("previewSwitch"); // the menu's switch before the run
        QTest::addColumn<int>("button");        // -1: closed with Escape, -2: Enter
        QTest::addColumn<bool>("untick");
        QTest::addColumn<int>("choice");
        QTest::addColumn<int>("previewMode");
        QTest::addColumn<int>("docPerSheet");
        QTest::addColumn<int>("showPrintConfirm");

        QTest::newRow("print turns the switch off") << 1 << 1 << false << 1 << 0 << 1 << 1;
        QTest::newRow("print without prompts") << 0 << 1 << true << 1 << 0 << 0 << 0;
        QTest::newRow("preview turns the switch on") << 0 << 2 << false << 2 << 1 << 1 << 1;
        QTest::newRow("cancel keeps the ticked box and the switch")
            << 1 << 0 << true << 0 << 1 << -1 << 0;
        QTest::newRow("escape") << 0 << -1 << false << 0 << 0 << -1 << 1;
        QTest::newRow("enter prints") << 0 << -2 << false << 1 << 0 << 1 << 1;
        QTest::newRow("enter previews with the switch on") << 1 << -2 << false << 2 << 1 << 1 << 1;
    }

    void dialogSetsTheRun()
    {
        QFETCH(int, previewSwitch);
        QFETCH(int, button);
        QFETCH(bool, untick);
        QFETCH(int, choice);
        QFETCH(int, previewMode);
        QFETCH(int, docPerSheet);
        QFETCH(int, showPrintConfirm);

        AppState state;
        state.previewMode = int16_t(previewSwitch);
        int16_t perSheet = -1;
        whenModal([&](QWidget *dialog) {
            QCOMPARE(dialog->objectName(), u"qvpri_bx"_s);
            if (untick)
                child<QCheckBox>(dialog, u"Chk_kakunin_msg"_s)->click();
            if (button == -1)
                QTest::keyClick(dialog, Qt::Key_Escape);
            else if (button == -2)
                QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : dialog,
                                Qt::Key_Return);
            else
                child<QPushButton>(dialog, u"cmd_run_%1"_s.arg(button))->click();
        });
        QCOMPARE(PrintRunner::showPrintRunDialog(nullptr, state, &perSheet), choice);
        QCOMPARE(int(state.previewMode), previewMode);
        QCOMPARE(int(perSheet), docPerSheet);
        QCOMPARE(int(state.showPrintConfirm), showPrintConfirm);
    }

    void guideFrame_data()
    {
        QTest::addColumn<int>("previewGuide");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<bool>("visible");

        QTest::newRow("one refill page") << 1 << true << true;
        QTest::newRow("box cleared") << 1 << false << false;
        QTest::newRow("several pages on the sheet") << 0 << true << false;
    }

    void guideFrame()
    {
        QFETCH(int, previewGuide);
        QFETCH(bool, ticked);
        QFETCH(bool, visible);

        ScriptedPrompts prompts;
        PreviewWindow preview(prompts);
        child<QCheckBox>(&preview, u"Chk_waku"_s)->setChecked(ticked);
        PageLayout layout;
        layout.WIDTH = 88;
        layout.YOHAKU = 3;
        layout.usableHeight = 167;
        QImage sheet(PreviewWindow::pictureWidth, 1273, QImage::Format_RGB32);
        sheet.fill(Qt::white);
        whenModal([&](QWidget *window) {
            QCOMPARE(window, &preview);
            // 91 mm by 167 mm from the corner, at 900 pixels for 210 mm.
            auto *frame = child<QWidget>(window, u"Shape1"_s);
            QCOMPARE(frame->geometry(), QRect(0, 0, 390, 716));
            QCOMPARE(frame->isVisible(), visible);
            QVERIFY(!child<QWidget>(window, u"Shape2_0"_s)->isVisible());
            // Scrolled to the end, the page's lower edge meets the viewport's.
            auto *bar = child<QScrollBar>(window, u"VScroll1"_s);
            bar->setValue(bar->maximum());
            QCOMPARE(child<QWidget>(window, u"Pic1"_s)->geometry().bottom(),
                     child<QWidget>(window, u"Pic2"_s)->rect().bottom());
            child<QPushButton>(window, u"Cmd_ok"_s)->click();
        });
        QVERIFY(preview.showSheet(sheet, layout, previewGuide));
    }

    void endingTheProgramAsksFirst()
    {
        ScriptedPrompts prompts;
        prompts.answers = {Prompts::Answer::Cancel, Prompts::Answer::Ok};
        PreviewWindow preview(prompts);
        int ended = 0;
        preview.endProgram = [&] {
            ++ended;
            preview.reject();
        };
        whenModal([&](QWidget *window) {
            auto *end = child<QPushButton>(window, u"cmd_end"_s);
            end->click();
            QCOMPARE(ended, 0); // Cancel returns to the preview
            QVERIFY(window->isVisible());
            end->click();
        });
        QVERIFY(!preview.showSheet(QImage(), PageLayout(), 1));
        QCOMPARE(ended, 1);
        QCOMPARE(prompts.shown.size(), 2);
        QCOMPARE(prompts.shown.at(0).text, u"ソフトを強制終了します。"_s);
        QCOMPARE(prompts.shown.at(0).buttons, Prompts::Buttons::OkCancel);
        QCOMPARE(prompts.shown.at(0).defaultAnswer, Prompts::Answer::Cancel);
    }
};

QTEST_MAIN(TestPrintWindows)
#include "tst_printwindows.moc"
