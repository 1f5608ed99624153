#include "recipe/recipeexport.h"

#include "recipe/recordcodec.h"
#include "recipe/texthelpers.h"

using namespace Qt::StringLiterals;

namespace RecipeExport {

QString exportText(const RecipeRecord &r)
{
    using F = RecipeRecord;
    const QString crlf = u"\r\n"_s;
    const auto field = [&r](int n) { return r.field(n); };
    const auto decoded = [&r](int n) { return RecordCodec::decodeMultiline(r.field(n)); };

    // Appended piece by piece: the text fields of an analysed long text are
    // long, and every "+" of them would copy the whole so far.
    const QString ingredients = decoded(F::Ingredients);
    const QString method = decoded(F::Method);
    QString t;
    t.reserve(ingredients.size() + method.size() + field(F::Remarks).size() +
              field(F::Tips).size() + 1024);
    t += u"■"_s;
    t += field(F::DishName);
    t += crlf;
    t += crlf;
    t += u"【材料】    "_s;
    if (!field(F::Servings).isEmpty()) {
        t += TextHelpers::isNumber(field(F::Servings)) ? u"("_s + field(F::Servings) + u"人分)"_s
                                                       : u"("_s + field(F::Servings) + u")"_s;
    }
    t += crlf;
    for (const QString &piece : {ingredients, crlf, crlf, u"【作り方】"_s, crlf, method, crlf})
        t += piece;
    if (!field(F::Remarks).isEmpty()) {
        for (const QString &piece : {crlf, u"【備考】"_s, crlf, decoded(F::Remarks), crlf})
            t += piece;
    }
    if (!field(F::Tips).isEmpty()) {
        for (const QString &piece : {crlf, u"【ポイント】"_s, crlf, decoded(F::Tips), crlf})
            t += piece;
    }
    t += crlf + u"【その他設定項目】"_s + crlf;

    const std::pair<const char16_t *, int> always[] = {
        {u"　主材料:", F::MainCategory}, {u"　副材料:", F::MainIngredient},
        {u"　フラグ:", F::Flags},        {u"　重要:", F::Rating},
        {u"　人気:", F::Popularity},
    };
    for (const auto &[label, n] : always)
        t += QString::fromUtf16(label) + field(n) + crlf;

    const std::pair<const char16_t *, int> optional[] = {
        {u"　画像ファイル:", F::Picture},
        {u"　目的:", F::Purpose},
        {u"　国籍:", F::Cuisine},
        {u"　手間:", F::Effort},
        {u"　費用:", F::Cost},
        {u"　特殊:", F::Keyword},
        {u"　作者:", F::Author},
        {u"　時間:", F::Time},
        {u"　登録日:", F::RegisteredOn},
        {u"　塩分:", F::Salt},
        {u"　ｶﾛﾘｰ:", F::Calories},
        {u"　ビタミン:", F::Vitamins},
        {u"　タンパク質:", F::Protein},
        {u"　炭水化物:", F::Carbohydrate},
        {u"　野菜:", F::Vegetables},
        {u"　脂質:", F::Fat},
        {u"　果物:", F::Fruit},
    };
    for (const auto &[label, n] : optional) {
        if (field(n).isEmpty())
            continue;
        t += QString::fromUtf16(label) + field(n);
        if (n == F::Salt)
            t += u"g"_s;
        t += crlf;
    }
    return t;
}

} // namespace RecipeExport
