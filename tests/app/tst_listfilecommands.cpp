#include "app/appstate.h"
#include "app/ui/listfilecommands.h"
#include "editor/ui/recipelistwindow.h"
#include "recipe/recipeexport.h"
#include "recipe/recipefileformat.h"
#include "recipe/recordcodec.h"
#include "search/qvprints.h"
#include "testsupport.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

// The file commands running against the real list window, offscreen.
class TestListFileCommands : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void loadChoosesFileAndBacksItUp();
    void findSelectsAndShowsThenExports();
};

namespace {

struct Fixture
{
    TempProgramFolder folder;
    FixedClock clock; // Tuesday
    AppState state;
    ScriptedPrompts prompts;

    Fixture()
    {
        QDir(folder.path()).mkdir(u"bak"_s);
        state.programName = u"QVRECIPE"_s;
        state.programDir = folder.path();
        state.backupDir = folder.path() + u"bak/"_s;
        state.settings = std::make_unique<SettingsFile>(state.settingsPath(), u"QVRECIPE"_s);
        state.clock = &clock;
    }
};

// Answers the quick search boxes that open, in order, as they appear.
void answerBoxes(QObject *context, QList<std::pair<QString, QString>> script)
{
    QTimer::singleShot(10, context, [context, script]() mutable {
        auto *box = qobject_cast<QvprintS *>(QApplication::activeModalWidget());
        if (!box) {
            answerBoxes(context, script);
            return;
        }
        const auto [text, button] = script.takeFirst();
        if (!text.isNull())
            box->text()->setText(text);
        box->findChild<QPushButton *>(button)->click();
        if (!script.isEmpty())
            answerBoxes(context, script);
    });
}

} // namespace

void TestListFileCommands::loadChoosesFileAndBacksItUp()
{
    Fixture f;
    RecipeListWindow window(f.state, f.prompts, f.clock);
    QCOMPARE(f.state.currentRecipeFileName, u"QVRECIPE.csv"_s);
    QCOMPARE(window.list()->count(), RecipeFileFormat::sampleRows.size());
    QCOMPARE(f.folder.read(u"bak/QVRECIPE3.csv"_s), f.folder.read(u"QVRECIPE.csv"_s));
}

void TestListFileCommands::findSelectsAndShowsThenExports()
{
    Fixture f;
    RecipeListWindow window(f.state, f.prompts, f.clock);
    window.show();
    ListFileCommands files(window);
    QGuiApplication::clipboard()->clear();

    // The third sample row (record 4) holds the word; then the box is cancelled.
    answerBoxes(this, {{u"ｱｲｽﾃｨｰ"_s, u"Command1_0"_s}, {QString(), u"Cmd_cancel"_s}});
    files.commands().search();
    QCOMPARE(window.selectedRecordNo(), 4);
    QCOMPARE(window.form().shownRecordNo, 4);
    QVERIFY(window.isEnabled());

    files.commands().exportShown();
    const RecipeRecord third = RecordCodec::splitRecordLine(RecipeFileFormat::sampleRows.at(2));
    QCOMPARE(QGuiApplication::clipboard()->text(), RecipeExport::exportText(third));
}

QTEST_MAIN(TestListFileCommands)
#include "tst_listfilecommands.moc"
