#pragma once

#include <array>
#include <string_view>
#include <vector>

// Keyword rules guessing what a dish is from its name. Tests are plain
// substring tests on the text as given (no folding), so words appear in
// several scripts. A null output leaves the value as it was.
struct DishGenreRule
{
    // An extra test on the last two characters of the name.
    enum class Tail {
        None,
        Equals, // the tail equals tailText
        Within, // the tail occurs in tailText
    };
    std::vector<std::u16string_view> keywords;
    Tail tail = Tail::None;
    std::u16string_view tailText;
    const char16_t *purpose = nullptr;
    const char16_t *cuisine = nullptr;
    const char16_t *category = nullptr;
    const char16_t *word = nullptr;
};

// Keyword rules guessing the main ingredient of a text.
struct MainIngredientRule
{
    std::vector<std::u16string_view> keywords;
    bool stops = false; // ends the search without a result
    const char16_t *category = nullptr;
    const char16_t *word = nullptr;
};

// The first matching rule decides; the order carries meaning.
extern const std::array<DishGenreRule, 40> DishGenreRules;
extern const std::array<MainIngredientRule, 48> MainIngredientRules;
// Tried after MainIngredientRules.
extern const std::vector<MainIngredientRule> ExtraMainIngredientRules;
