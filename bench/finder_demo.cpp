// Drives the meal finder, the card viewer and the author list on a made-up
// recipe file with generated pictures.
//   finder_demo              interactive: search, then the cards of the result
//   finder_demo --shots DIR  offscreen: ticks the pork entry, searches, and
//                            saves finder.png, viewer.png, authors.png in DIR
#include "app/appstate.h"
#include "editor/recipelistfilter.h"
#include "platform/cp932.h"
#include "print/engine/fontsubstitutions.h"
#include "recipe/recipefileformat.h"
#include "recipe/recipefilereader.h"
#include "recipe/recordcodec.h"
#include "recipe/vocabularyfile.h"
#include "search/ui/authorlistwindow.h"
#include "search/ui/mealfinderwindow.h"
#include "viewer/ui/cardviewerwindow.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include <algorithm>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

struct DemoRecipe
{
    QString category;
    QString ingredient;
    QString name;
    QString ingredients;
    QSize picture; // empty: none
};

void savePicture(const QString &path, QSize size, int seed)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, size.width(), size.height());
    g.setColorAt(0, QColor::fromHsv((seed * 47) % 360, 120, 250));
    g.setColorAt(1, QColor::fromHsv((seed * 47 + 60) % 360, 200, 160));
    p.fillRect(image.rect(), g);
    p.setBrush(QColor(255, 255, 255, 180));
    p.drawEllipse(QPointF(size.width() / 2.0, size.height() / 2.0), size.width() / 3.0,
                  size.height() / 3.0);
    p.setFont(QFont(u"IPAGothic"_s, 28));
    p.drawText(image.rect(), Qt::AlignCenter, QString::number(seed));
    p.end();
    image.save(path, "BMP");
}

// A recipe file (rows in sort-key order) and its pictures in dir.
QString writeDemoFile(const QString &dir, const QString &vocabulary)
{
    const QStringList categories =
        VocabularyFile::readVocabularySection(vocabulary, VocabularyFile::materials);
    auto items = [&](int category) {
        return VocabularyFile::readVocabularySection(vocabulary, VocabularyFile::materials,
                                                     categories.at(category));
    };
    const QStringList meat = items(3);   // pork first
    const QStringList leaves = items(9); // cabbage among them
    const QStringList chicken = items(2);
    const QString cabbage = leaves.at(4).trimmed();
    const QList<DemoRecipe> recipes = {
        {categories.at(3),
         meat.at(0).trimmed(),
         u"Pork ginger"_s,
         u"pork 300g\nginger\nsoy sauce"_s,
         {320, 240}},
        {categories.at(3),
         meat.at(0).trimmed(),
         u"Pork and cabbage"_s,
         u"pork\n"_s + cabbage,
         {400, 200}},
        {categories.at(3),
         meat.at(1).trimmed(),
         u"Pork strips"_s,
         u"pork strips 200g\nonion 1\nsugar\nsoy sauce\nmirin"_s,
         {}},
        {categories.at(3),
         meat.at(0).trimmed(),
         u"Pork cutlet"_s,
         u"pork loin\nflour\negg\nbread crumbs"_s,
         {200, 400}},
        {categories.at(3),
         meat.at(0).trimmed(),
         u"Pork miso soup"_s,
         u"pork\nmiso\nradish\ncarrot"_s,
         {}},
        {categories.at(3), meat.at(3).trimmed(), u"Beef stew"_s, u"beef\npotato"_s, {300, 300}},
        {categories.at(9), cabbage, u"Cabbage rolls"_s, u"cabbage\nminced meat"_s, {360, 240}},
        {categories.at(2),
         chicken.at(0).trimmed(),
         u"Chicken with a very long list of ingredients"_s,
         u"chicken\nsalt\npepper\ngarlic\nginger\nsoy sauce\nsake\nmirin\nsugar\nsesame oil\n"
         u"green onion\nlemon\nstarch\noil\nwater\nrice\negg\nlettuce\ntomato\ncucumber"_s,
         {}},
    };
    QList<RecipeRecord> rows;
    int picture = 0;
    for (const DemoRecipe &d : recipes) {
        RecipeRecord r;
        r.setField(RecipeRecord::MainCategory, d.category);
        r.setField(RecipeRecord::MainIngredient, d.ingredient);
        r.setField(RecipeRecord::DishName, d.name);
        r.setField(RecipeRecord::Flags, u"0|0|0|0|0|0|0|"_s);
        r.setField(RecipeRecord::Ingredients, RecordCodec::encodeMultiline(d.ingredients));
        if (!d.picture.isEmpty()) {
            const QString name = u"%1.bmp"_s.arg(++picture, 4, 10, QChar(u'0'));
            savePicture(dir + name, d.picture, picture);
            r.setField(RecipeRecord::Picture, name);
        }
        rows.append(r);
    }
    // One picture named but missing: the card falls back to the ingredients.
    rows[4].setField(RecipeRecord::Picture, u"gone.bmp"_s);
    std::sort(rows.begin(), rows.end(), [](const RecipeRecord &a, const RecipeRecord &b) {
        return RecordCodec::sortKey(a) < RecordCodec::sortKey(b);
    });
    QStringList lines = {u"@TITLE=Demo recipes"_s, RecipeFileFormat::RecipeFileHeader};
    for (const RecipeRecord &r : rows)
        lines.append(RecordCodec::writeRecordLine(r));
    lines.append(RecipeFileFormat::newFileMetadata.at(1) + u"demo"_s);
    lines.append(u"@URL=https://qvrecipe.example.jp/"_s);
    const QString path = dir + u"demo.csv"_s;
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(Cp932::encodeLossy(lines.join(u"\r\n"_s)) + "\r\n");
    return path;
}

// The rows the list window would show in view "検索結果".
QList<CardEntry> searchResult(const AppState &state, const QString &recipeFile)
{
    RecipeListFilter filter;
    filter.view = RecipeListFilter::searchView;
    filter.mainCategory = state.searchMainCategory;
    filter.ingredientList = state.searchIngredientList;
    filter.conditions = state.searchConditions;
    filter.eatenFilter = state.searchEatenFilter;
    const RecipeFileReader reader(recipeFile);
    QList<CardEntry> entries;
    for (const RecipeFileReader::Row &row : reader.rows()) {
        const QString raw = RecipeFileReader::decodeLine(reader.lines().at(row.lineIndex));
        const RecipeRecord record = RecordCodec::splitRecordLine(raw);
        if (filter.listed(record, raw))
            entries.append({row.recordNo, RecipeListFilter::entryText(record)});
    }
    return entries;
}

void settle()
{
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(20);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    installFontSubstitutions();
    const QStringList args = QApplication::arguments();
    const qsizetype shotsAt = args.indexOf(u"--shots"_s);
    const QString shots =
        shotsAt > 0 && shotsAt + 1 < args.size() ? args.at(shotsAt + 1) : QString();

    QTemporaryDir home;
    qputenv("QVRECIPE_HOME", QFile::encodeName(home.path()));
    QDir::setCurrent(home.path());
    AppState state;
    state.programDir = home.path() + u'/';
    VocabularyFile::writeVocabularyFile(state.vocabularyPath());
    QDir(home.path()).mkpath(u"dat"_s);
    const QString recipeFile = writeDemoFile(state.programDir + u"dat/"_s, state.vocabularyPath());
    state.currentRecipeFileName = u"dat/demo.csv"_s;
    QTextStream out(stdout);

    CardViewerSession session;
    session.recipeFile = recipeFile;
    session.openRecipe = [&](int recordNo) {
        const RecipeRecord r = RecipeFileReader(recipeFile).record(recordNo);
        out << "opened record " << recordNo << ": " << r.field(RecipeRecord::DishName) << Qt::endl;
    };

    if (shots.isEmpty()) {
        if (!runMealFinder(state, nullptr))
            return 0;
        session.entries = searchResult(state, recipeFile);
        out << session.entries.size() << " recipes found" << Qt::endl;
        if (!session.entries.isEmpty())
            showCardViewer(session, nullptr);
        openAuthorList(state, nullptr);
        return app.exec();
    }

    QDir().mkpath(shots);
    {
        MealFinderWindow finder(state);
        finder.show();
        auto *combo = finder.findChild<QComboBox *>(u"cmb_zairyo"_s);
        Q_EMIT combo->activated(0);
        auto *list = finder.findChild<QListWidget *>(u"lst_zairyo"_s);
        const QStringList meat = VocabularyFile::readVocabularySection(
            state.vocabularyPath(), VocabularyFile::materials,
            VocabularyFile::readVocabularySection(state.vocabularyPath(), VocabularyFile::materials)
                .at(3));
        const QList<QListWidgetItem *> pork = list->findItems(meat.at(0), Qt::MatchExactly);
        pork.first()->setSelected(true);
        list->scrollToItem(pork.first());
        settle();
        finder.grab().save(shots + u"/finder.png"_s);
        finder.findChild<QPushButton *>(u"cmd_serch"_s)->click();
    }
    out << "ingredient list: " << state.searchIngredientList << Qt::endl;
    session.entries = searchResult(state, recipeFile);
    out << session.entries.size() << " recipes found" << Qt::endl;
    session.selected = 0;
    CardViewerWindow viewer(session);
    viewer.show();
    settle();
    viewer.grab().save(shots + u"/viewer.png"_s);
    AuthorListWindow *authors = openAuthorList(state, nullptr);
    settle();
    authors->grab().save(shots + u"/authors.png"_s);
    authors->close();
    return 0;
}
