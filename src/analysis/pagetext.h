#pragma once

#include "analysis/charset.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <initializer_list>

// Recognisers for the lines of recipe text as people copy it from web pages,
// mails and magazines: page furniture, nutrition and time lines, amounts,
// step numbers and the headings real pages use. Lines come width-folded (see
// RecipeTextParser). Every function is linear in the length of the line.
namespace PageText {

// The decoration characters of headings and names ("■", "【】", "・", …).
const CharSet &decoration();

// Longest line still taken for a heading, a name or a piece of furniture;
// longer lines are text.
constexpr qsizetype shortLine = 120;

// The line without the frame around its words: blanks, decoration, bullets,
// brackets, colons and table bars at both ends.
QStringView core(QStringView line);

// Prose: ends like a sentence, or holds one.
bool isSentence(QStringView line);
// Ends as a sentence does ("。", "です", "ます", "!").
bool endsLikeSentence(QStringView line);

// Navigation, site and issue names, dates, bylines, mail headers, tags,
// credits, counters, ads and hashtags: text of the page, not of the recipe.
bool isFurniture(QStringView line);
// An advertisement marker ("PR", "広告", "スポンサーリンク").
bool isAdMarker(QStringView line);
// The start of what follows a recipe on a page: related posts, contact
// details, copyright, ranking banners.
bool isPageEnd(QStringView line);
// "ホーム > 肉料理 > 豚の生姜焼き": the last item, or empty when the line
// is no breadcrumb.
QString breadcrumbTail(QStringView line);

// The kinds of heading beyond the basic keyword tests.
enum class Heading { None, Method, Point, Notes, Nutrition };
// A heading that stands alone on its line (its core is the heading word, or
// "<dish>の<word>"). Point headings may carry their text after a colon:
// textAt then gives where it starts (else -1).
Heading bareHeading(QStringView line, qsizetype *textAt = nullptr);
// The dish a heading such as "肉じゃがの材料(2人分)" or "肉じゃがの作り方"
// names, or empty.
QString dishOfHeading(QStringView line);

// A nutrition figure or a nutrient label alone.
bool isNutritionLine(QStringView line);
// A row of nutrient labels and nothing else ("エネルギー 食塩相当量"), the
// head of a table whose figures follow on the next line; empty otherwise.
QList<QStringView> nutrientLabelsOnly(QStringView line);
// The figures of a row of them ("52kcal 0.7g"); empty when the line holds
// anything else.
QList<QString> figures(QStringView line);

// The first calorie figure before "kcal" (any case), "キロカロリー" or "㌍".
QString calories(QStringView line);
// The figure after a nutrient keyword ("塩分 1.2g", "食塩相当量:1.2"); a
// keyword with a word after it ("塩分が気になる…") gives none. labelOnly is
// set when the line is the keyword alone, the figure following on the next
// line.
QString nutrient(QStringView line, std::initializer_list<QStringView> keywords,
                 bool *labelOnly = nullptr);
// A figure at the start of a line ("/0.5 g", "1.2g"), for a label on the
// line before.
QString leadingFigure(QStringView line);

// A servings figure before "人分" or "人前", skipping the basis of
// nutrition figures ("1人分あたり", "栄養価(1人分)"). start and end give the
// span of the figure and its unit.
QString servings(QStringView line, qsizetype *start = nullptr, qsizetype *end = nullptr);

// A cooking time after a time label ("調理時間=約50分", "調理時間の目安:約30分",
// "所要時間 1時間"), or standing on a short line of its own or among the
// servings ("15分 2人前"). span gives where the label or time starts and ends.
QString cookingTime(QStringView line, qsizetype *start = nullptr, qsizetype *end = nullptr);
// The line says nothing but servings, a time or nutrition figures.
bool isMetaLine(QStringView line);

// An amount alone ("200g", "大さじ2", "1/2個", "少々"), the second half of an
// ingredient row split over two lines.
bool isAmountOnly(QStringView line);
// The line holds a figure or an amount word.
bool hasAmount(QStringView line);
// The line holds an amount with its unit ("1/4個", "200g", "大さじ2").
bool hasAmountToken(QStringView line);

// A step number alone on its line, as it is to be glued to the step that
// follows: "1", "1)", "STEP1", "手順3" give "1." and "3."; "(2)", "②" and
// "【2】" stay as they are. Empty when the line is no step number alone.
QString stepNumberAlone(QStringView line);
// The line starts with a step number ("1.", "2 ", "(3)", "④", "【5】").
bool startsWithStepNumber(QStringView line);

// A line naming the dish as pages write it: without table bars, title-bar
// site names, series prefixes, bracketed labels, "～…～" taglines and
// "のレシピ" endings; decoration becomes blanks (the "・" inside a name
// stays). Empty when nothing is left.
QString dishName(QStringView line);
// The text holds a word of dish names or of main ingredients.
bool namesDish(const QString &text);

// The cleaned name could be a dish name (not furniture, prose or an amount).
bool couldBeDishName(const QString &name);

} // namespace PageText
