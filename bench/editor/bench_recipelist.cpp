// Rebuilding the recipe list from a file of 20,000 recipes: the time of a
// whole rebuild, the longest stretch without letting window events run, and
// an add that rewrites the file. Usage: bench_recipelist [recipes] [runs]
#include "app/appstate.h"
#include "editor/recipeeditor.h"
#include "editor/recipelistbuilder.h"
#include "editor/ui/recipelistwindow.h"
#include "platform/clock.h"
#include "platform/cp932.h"
#include "platform/prompts.h"
#include "platform/textfile.h"
#include "recipe/recipefileformat.h"
#include "recipe/vocabularyfile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

class SilentPrompts : public Prompts
{
public:
    Answer message(const QString &, Icon, Buttons, Answer defaultAnswer, const QString &) override
    {
        return defaultAnswer == Answer::Cancel ? Answer::Ok : defaultAnswer;
    }
    std::optional<QString> input(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
};

QByteArray makeFile(int recipes)
{
    const QStringList categories = {u"飯/麺"_s, u"肉"_s,      u"魚貝類"_s,
                                    u"野菜"_s,  u"豆/豆腐"_s, u"菓子"_s};
    QList<QByteArray> lines;
    for (const QString &m : RecipeFileFormat::newFileMetadata)
        lines.append(Cp932::encodeLossy(m));
    lines.append(Cp932::encodeLossy(RecipeFileFormat::RecipeFileHeader));
    for (int i = 0; i < recipes; ++i) {
        const QString category = categories.at(i * categories.size() / recipes);
        QStringList f(29);
        f[0] = category;
        f[1] = u"材料%1"_s.arg(i / 500, 3, 10, QChar(u'0'));
        f[2] = u"料理%1 のおいしい作り方"_s.arg(i, 5, 10, QChar(u'0'));
        f[3] = i % 7 == 0 ? u"0|1|0|0|0|0|0|"_s : u"0|0|1|0|0|0|0|"_s;
        f[4] = u"3"_s;
        f[6] = u"豚肉 200g\\nキャベツ 1/4個\\n醤油 大さじ2\\nみりん 大さじ1\\n生姜 1かけ"_s;
        f[7] = u"１．材料を切る。\\n２．フライパンで肉を炒める。\\n３．野菜を加えてさらに炒め、"
               u"調味料で味を調える。\\n４．器に盛り付けて出来上がり。"_s;
        f[9] = u"2"_s;
        f[12] = u"主菜"_s;
        f[13] = u"和風"_s;
        f[17] = u"qv"_s;
        f[19] = u"2026/12/08"_s;
        lines.append(Cp932::encodeLossy(u"\""_s + f.join(u"\",\""_s) + u"\""_s));
    }
    return TextFile::joinLines(lines);
}

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.at(v.size() / 2);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int recipes = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 20000;
    const int runs = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 5;

    QTemporaryDir dir;
    qputenv("QVRECIPE_HOME", dir.path().toLocal8Bit());
    const QString home = dir.path() + u"/"_s;
    const QByteArray content = makeFile(recipes);
    TextFile::writeAtomically(home + u"QVRECIPE.csv"_s, content);
    VocabularyFile::writeVocabularyFile(home + u"qvrecipe.txt"_s);
    std::printf("file: %d recipes, %.1f MB\n", recipes, content.size() / 1e6);

    // The list logic alone, every row listed.
    RecipeListFilter all;
    all.view = u"全て"_s;
    QList<double> buildMs;
    double longestSlice = 0;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        QElapsedTimer slice;
        slice.start();
        const auto result = RecipeListBuilder::build(home + u"QVRECIPE.csv"_s, all, {}, [&] {
            const double ms = slice.nsecsElapsed() / 1e6;
            if (getenv("SLICES"))
                std::printf("  slice %.1f ms at %.1f ms\n", ms, t.nsecsElapsed() / 1e6);
            longestSlice = std::max(longestSlice, ms);
            slice.restart();
            return true;
        });
        buildMs.append(t.nsecsElapsed() / 1e6);
        if (result.entries.size() != recipes)
            std::printf("unexpected entry count %lld\n", qlonglong(result.entries.size()));
    }
    std::printf("list logic, all rows:   median %.0f ms, longest slice %.0f ms\n", median(buildMs),
                longestSlice);

    // The whole window rebuild (reading, category normalising, filling List1).
    AppState state;
    state.programDir = home;
    state.programName = u"QVRECIPE"_s;
    SilentPrompts prompts;
    Clock clock;
    RecipeListWindow window(state, prompts, clock);
    window.resize(1200, 800);
    window.show();
    QList<double> windowMs;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        window.rebuildList();
        windowMs.append(t.nsecsElapsed() / 1e6);
    }
    std::printf("window rebuild, all rows: median %.0f ms (%d entries)\n", median(windowMs),
                window.list()->count());
    window.setView(2 + 2); // the first category view lists a sixth of the rows
    QList<double> viewMs;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        window.rebuildList();
        viewMs.append(t.nsecsElapsed() / 1e6);
    }
    std::printf("window rebuild, one category: median %.0f ms (%d entries)\n", median(viewMs),
                window.list()->count());

    // Adding a recipe: the sorted rewrite plus the rebuild that follows.
    QList<double> addMs;
    for (int i = 0; i < runs; ++i) {
        window.form().Txt_key1 = u"追加%1"_s.arg(i);
        RecipeForm::selectByText(window.form().Cmb_bunrui11, u"肉"_s);
        QElapsedTimer t;
        t.start();
        window.runCommand(1);
        addMs.append(t.nsecsElapsed() / 1e6);
    }
    std::printf("add (rewrite + rebuild): median %.0f ms\n", median(addMs));
    return 0;
}
