#include "samplerecipes.h"

#include "app/settingsfile.h"
#include "platform/cp932.h"
#include "platform/textfile.h"
#include "recipe/recipefileformat.h"
#include "recipe/reciperecord.h"
#include "recipe/recordcodec.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>

using namespace Qt::StringLiterals;
using F = RecipeRecord;

namespace {

QList<QByteArray> fileStart()
{
    QList<QByteArray> lines;
    for (const QString &m : RecipeFileFormat::newFileMetadata)
        lines.append(Cp932::encodeLossy(m));
    lines.append(Cp932::encodeLossy(RecipeFileFormat::RecipeFileHeader));
    return lines;
}

RecipeRecord recipe(const QString &category, const QString &main, const QString &name,
                    const QString &ingredients, const QString &method)
{
    RecipeRecord r;
    r.setField(F::MainCategory, category);
    r.setField(F::MainIngredient, main);
    r.setField(F::DishName, name);
    r.setField(F::Flags, u"0|1|0|0|0|0|0|"_s);
    r.setField(F::Rating, u"3"_s);
    r.setField(F::Ingredients, ingredients);
    r.setField(F::Method, method);
    return r;
}

void savePicture(const QString &path, int w, int h, QColor colour)
{
    QImage picture(w, h, QImage::Format_RGB32);
    picture.fill(QColor(250, 245, 235));
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(colour);
    p.setPen(QPen(Qt::black, 2));
    p.drawEllipse(QRectF(w * 0.1, h * 0.1, w * 0.8, h * 0.8));
    p.end();
    picture.save(path, "BMP");
}

bool write(const QString &path, const QList<QByteArray> &lines)
{
    return TextFile::writeAtomically(path, TextFile::joinLines(lines)).saved();
}

} // namespace

namespace SampleRecipes {

PageLayout defaultLayout(const QString &folder, int paperNumber)
{
    SettingsFile settings(folder + u"/QVRECIPE.ini"_s, u"QVRECIPE"_s);
    LayoutSettings::writeLayoutDefaults(settings, paperNumber);
    PageLayout layout;
    LayoutSettings::loadPageLayout(settings, paperNumber, layout);
    return layout;
}

bool writeShowcase(const QString &path, int extra)
{
    const QString folder = QFileInfo(path).absolutePath() + u'/';
    savePicture(folder + u"wide.bmp"_s, 160, 100, QColor(230, 140, 60));
    savePicture(folder + u"tall.bmp"_s, 90, 140, QColor(120, 180, 90));
    QFile::remove(folder + u"broken.bmp"_s);
    QFile broken(folder + u"broken.bmp"_s);
    if (broken.open(QIODevice::WriteOnly))
        broken.write("BM not a picture");
    broken.close();

    QList<RecipeRecord> recipes;
    RecipeRecord r =
        recipe(u"肉"_s, u"鶏もも肉"_s, u"鶏肉と大根の煮物"_s,
               u"鶏もも肉 300g\\n大根 1/3本\\nしょうが 1片\\n醤油 大さじ3\\nみりん 大さじ2"_s,
               u"@##大根は厚めのいちょう切りにして下ゆでする。"
               u"\\n@##鶏肉は一口大に切り、酒と醤油で下味をつける。"
               u"\\n@##全部を鍋に入れ、落とし蓋をして弱火で二十分煮る。"_s);
    r.setField(F::Picture, u"wide.bmp"_s);
    r.setField(F::Servings, u"4"_s);
    r.setField(F::Tips, u"一晩おくと味がしみて美味しい。"_s);
    r.setField(F::Purpose, u"主菜"_s);
    r.setField(F::Cuisine, u"和風"_s);
    r.setField(F::Effort, u"普通"_s);
    r.setField(F::Cost, u"安い"_s);
    r.setField(F::Keyword, u"作り置き"_s);
    r.setField(F::Author, u"qv"_s);
    r.setField(F::Time, u"40分"_s);
    r.setField(F::Salt, u"2.1g"_s);
    r.setField(F::Calories, u"380kcal"_s);
    recipes.append(r);

    r = recipe(u"野菜"_s, u"じゃがいも"_s, u"肉じゃが"_s,
               u"じゃがいも 3個\\n牛肉 150g\\n玉ねぎ 1個\\nにんじん 1/2本\\nだし 300cc"_s,
               u"１．野菜を切る。\\n２．肉を炒めて野菜を加える。\\n３．だしと調味料で煮る。"_s);
    r.setField(F::Servings, u"2～3"_s);
    r.setField(F::Purpose, u"主菜"_s);
    r.setField(F::Cuisine, u"和風"_s);
    r.setField(F::Time, u"30分"_s);
    r.setField(F::Author, u"ぽこちゃん"_s);
    recipes.append(r);

    QString longMethod;
    for (int i = 1; i <= 24; ++i)
        longMethod +=
            u"手順%1：鍋の様子を見ながら、焦がさないようにゆっくりと混ぜ続ける。\\n"_s.arg(i);
    r = recipe(
        u"肉"_s, u"豚バラ"_s, u"じっくり煮込む豚の角煮"_s,
        u"豚バラ塊 600g\\n長ねぎの青い部分 1本分\\nしょうが 1片\\n砂糖 大さじ3\\n醤油 大さじ4"_s,
        longMethod);
    r.setField(F::Picture, u"tall.bmp"_s);
    r.setField(F::Servings, u"4"_s);
    r.setField(F::Tips, u"下ゆでの湯は捨てずにスープに使える。"_s);
    r.setField(F::Effort, u"手間かかる"_s);
    r.setField(F::Time, u"3時間"_s);
    recipes.append(r);

    r = recipe(u"魚貝類"_s, u"鮭"_s, u"印刷しない鮭のムニエル"_s, u"鮭 2切れ"_s, u"焼く。"_s);
    r.setField(F::Flags, u"1|1|0|0|0|0|0|"_s);
    recipes.append(r);

    r = recipe(u"豆/豆腐"_s, u"豆腐"_s, u"麻婆豆腐"_s,
               u"豆腐 1丁\\n豚ひき肉 100g\\n豆板醤 小さじ1"_s,
               u"豆腐を切って下ゆでし、ひき肉を炒めて合わせる。"_s);
    r.setField(F::Picture, u"broken.bmp"_s);
    r.setField(F::Servings, u"2"_s);
    r.setField(F::Cuisine, u"中華"_s);
    r.setField(F::Remarks, u"辛さは豆板醤で調節する。"_s);
    recipes.append(r);

    QList<QByteArray> lines = fileStart();
    for (const RecipeRecord &rec : std::as_const(recipes))
        lines.append(Cp932::encodeLossy(RecordCodec::writeRecordLine(rec)));
    for (const QString &row : RecipeFileFormat::sampleRows)
        lines.append(Cp932::encodeLossy(row));
    for (int i = 0; i < extra; ++i) {
        const RecipeRecord plain =
            recipe(u"野菜"_s, u"季節の野菜"_s, u"季節の野菜の一品 その%1"_s.arg(i + 1),
                   u"季節の野菜 適量\\n塩 少々"_s, u"さっと茹でる。"_s);
        lines.append(Cp932::encodeLossy(RecordCodec::writeRecordLine(plain)));
    }
    return write(path, lines);
}

bool writeGenerated(const QString &path, int count)
{
    const QStringList categories = {u"飯/麺"_s, u"肉"_s, u"魚貝類"_s, u"野菜"_s, u"豆/豆腐"_s};
    QList<QByteArray> lines = fileStart();
    for (int i = 0; i < count; ++i) {
        const bool steps = i % 3 == 0;
        RecipeRecord r = recipe(
            categories.at(i % categories.size()), u"材料%1"_s.arg(i % 50),
            u"料理%1 のおいしい作り方"_s.arg(i, 5, 10, QChar(u'0')),
            u"豚肉 200g\\nキャベツ 1/4個\\n醤油 大さじ2\\nみりん 大さじ1\\n生姜 1かけ"_s,
            steps
                ? u"@##材料を切る。\\n@##フライパンで肉を炒める。\\n@##野菜を加えてさらに炒め、"
                  u"調味料で味を調える。\\n@##器に盛り付けて出来上がり。"_s
                : u"１．材料を切る。\\n２．フライパンで肉を炒める。\\n３．野菜を加えてさらに炒め、"
                  u"調味料で味を調える。\\n４．器に盛り付けて出来上がり。"_s);
        r.setField(F::Servings, u"2"_s);
        r.setField(F::Tips, u"火を通しすぎないこと。"_s);
        r.setField(F::Purpose, u"主菜"_s);
        r.setField(F::Cuisine, u"和風"_s);
        r.setField(F::Time, u"20分"_s);
        r.setField(F::Author, u"bench"_s);
        lines.append(Cp932::encodeLossy(RecordCodec::writeRecordLine(r)));
    }
    return write(path, lines);
}

} // namespace SampleRecipes
