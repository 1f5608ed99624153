#pragma once

#include <QString>

#include <array>

// One recipe: fields 1 to 200 of a data row. Fields 1 to 29 have a meaning;
// 30 to 200 are carried unchanged.
class RecipeRecord
{
public:
    static constexpr int fieldCount = 200;
    static constexpr int definedFields = 29;

    // Field numbers of the defined fields.
    enum Field {
        MainCategory = 1, // 主材料
        MainIngredient,   // 副材料
        DishName,         // 料理名
        Flags,            // フラグ
        Rating,           // お気入り
        Popularity,       // 習熟度
        Ingredients,      // 材料 (multi-line)
        Method,           // 作り方 (multi-line)
        Picture,          // 添付
        Servings,         // 人数
        Remarks,          // 備考 (multi-line)
        Tips,             // POINT (multi-line)
        Purpose,          // テーマ
        Cuisine,          // 国籍
        Effort,           // 手間
        Cost,             // 費用
        Keyword,          // 特殊
        Author,           // 作者
        Time,             // 時間
        RegisteredOn,     // 登録日
        Salt,             // 塩分
        Calories,         // カロリー
        Vitamins,         // ビタミン
        Protein,          // 蛋白質
        Carbohydrate,     // 糖質
        Vegetables,       // 野菜
        Fat,              // 果物 in the header, shown as 脂質
        Fruit,            // no header name
        Taste,            // no header name
    };

    // n is 1-based; out-of-range numbers read as empty and are not stored.
    const QString &field(int n) const;
    void setField(int n, const QString &value);
    void clear();

    static bool isMultiline(int n);

    // The field's name as the entry window labels it ("材料/分量", "脂質"),
    // for messages about a field.
    static QString fieldLabel(int n);

    // The highest field number that is not empty (0 when all are).
    int lastNonEmptyField() const;

    // Flag digit i (1 to 7) of field 4; a missing digit reads as false.
    bool flag(int i) const;

    bool operator==(const RecipeRecord &other) const = default;

private:
    std::array<QString, fieldCount> m_fields;
};
