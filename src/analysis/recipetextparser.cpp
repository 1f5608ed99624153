#include "analysis/recipetextparser.h"

#include "analysis/charset.h"
#include "analysis/classification.h"
#include "analysis/textscan.h"
#include "recipe/texthelpers.h"

#include <QStringList>

#include <array>
#include <initializer_list>

using namespace Qt::StringLiterals;
using TextHelpers::replaceAll;
using TextScan::extractNumberNear;

namespace {

using State = RecipeTextParser::State;

const QString crlf = u"\r\n"_s;

// Full-width digits, letters, brackets, colon, slash, comma, period,
// exclamation mark and the ideographic space read as ASCII.
const std::array<char16_t, 0x10000> &widthTable()
{
    static const std::array<char16_t, 0x10000> table = [] {
        const QString from =
            u"\u3000０１２３４５６７８９（）．，：／！ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ"_s;
        const QString to =
            u" 0123456789().,:/!ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"_s;
        std::array<char16_t, 0x10000> t{};
        for (std::size_t c = 0; c < t.size(); ++c)
            t[c] = char16_t(c);
        for (qsizetype i = 0; i < from.size(); ++i)
            t[from.at(i).unicode()] = to.at(i).unicode();
        return t;
    }();
    return table;
}

QString foldWidth(const QString &line)
{
    const auto &table = widthTable();
    QString result = line;
    for (QChar &c : result)
        c = QChar(table[c.unicode()]);
    return result;
}

const CharSet &decoration()
{
    static const CharSet set(u"\u3000∞∴。Ｏ○●◎▼△Ψ◆◇■□┃★＊〓『』【】「」・[]［］…━‥");
    return set;
}

const CharSet &titleDecoration()
{
    static const CharSet set(u"\u3000∞∴。Ｏ○●◎▼△Ψ◆◇■□┃★＊〓『』【】「」・[]［］…━‥～");
    return set;
}

// Decoration, brackets and colons around a heading word.
const CharSet &headingDecoration()
{
    static const CharSet set(u"\u3000∞∴。Ｏ○●◎▼△Ψ◆◇■□┃★＊〓『』【】「」・[]［］…━‥<>＜＞:");
    return set;
}

bool equalsAny(const QString &text, std::initializer_list<QStringView> words)
{
    for (QStringView w : words) {
        if (text == w)
            return true;
    }
    return false;
}

QString trimEnd(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    return text.left(end);
}

bool isRuleLine(const QString &trimmed)
{
    if (trimmed.size() < 2)
        return false;
    const QChar first = trimmed.front();
    for (QChar c : trimmed) {
        if (c != first)
            return false;
    }
    return true;
}

// A heading line that holds nothing but the heading word (and decoration).
bool isBareHeading(const QString &line, std::initializer_list<QStringView> words)
{
    return equalsAny(headingDecoration().replaced(line, u' ').trimmed(), words);
}

// Collects the characters of `allowed` from `from` on, skipping those of
// `skip`, up to the first other character.
QString scanTime(const QString &line, qsizetype from, QStringView allowed, QStringView skip)
{
    QString time;
    for (qsizetype i = from; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (allowed.contains(c))
            time += c;
        else if (!skip.contains(c))
            break;
    }
    return time;
}

bool containsAny(const QString &text, std::initializer_list<QStringView> words)
{
    for (QStringView w : words) {
        if (text.contains(w))
            return true;
    }
    return false;
}

class Parser
{
public:
    explicit Parser(const QString &author) { r.author = author; }
    RecipeTextAnalysis run(const QString &text);

private:
    void processLine(QString line);
    void forgetGuessesOfSettings();
    void readSetting(const QString &line);
    void findTime(QString &line);
    void findDate(QString &line);
    void collect(const QString &line);
    void produceOutput();

    // Substring tests on the current line, filtered by its characters.
    bool has(const QString &line, QStringView keyword) const
    {
        return present.mayContain(keyword) && line.contains(keyword);
    }
    bool hasAny(const QString &line, std::initializer_list<QStringView> keywords) const
    {
        for (QStringView k : keywords) {
            if (has(line, k))
                return true;
        }
        return false;
    }

    RecipeTextAnalysis r;
    CharPresence present;
    State state = State::Start;
    bool methodHeadingKnown = false;
    bool titleLine = false; // the current line gave the dish name
};

RecipeTextAnalysis Parser::run(const QString &text)
{
    methodHeadingKnown =
        containsAny(text, {u"下準備", u"作り方", u"つくりかた", u"手\u3000順", u"【 COOKING!"});
    // Text from other systems may start with a byte-order mark and end its
    // lines in LF or CR alone.
    QString normalized = text.startsWith(QChar(0xFEFF)) ? text.mid(1) : text;
    normalized.replace(crlf, u"\n"_s);
    normalized.replace(u'\r', u'\n');
    const QStringList lines = normalized.split(u'\n');
    for (const QString &line : lines)
        processLine(line);
    produceOutput();
    return r;
}

void Parser::processLine(QString line)
{
    titleLine = false;
    line = trimEnd(line);
    if (line.isEmpty())
        return;
    line = foldWidth(line);
    present.index(line);
    if (isRuleLine(line.trimmed()))
        line.clear();
    if (line.trimmed() == u"【その他設定項目】"_s) {
        line.clear();
        if (state != State::SettingsBlock)
            forgetGuessesOfSettings();
        state = State::SettingsBlock;
    }
    if (state == State::SettingsBlock) {
        readSetting(line);
        return;
    }

    if (r.calories.isEmpty() &&
        (has(line, u"㌍") || has(line, u"KCAL") || has(line, u"キロカロリ")))
        r.calories = extractNumberNear(line, {}, u".0123456789～"_s, u"㌍,KCAL,キロカロリ"_s);
    if (line.startsWith(u" 作者:"_s)) {
        r.author = line.mid(4);
        line.clear();
    }
    if (r.effort.isEmpty() && line.startsWith(u" 手間:"_s)) {
        r.effort = line.mid(4);
        line.clear();
    }
    const std::pair<QString *, const char16_t *> nutrients[] = {
        {&r.protein, u"蛋白質"},
        {&r.carbohydrate, u"炭水化物"},
        {&r.fat, u"脂質"},
        {&r.salt, u"塩分"},
    };
    for (const auto &[value, keyword] : nutrients) {
        if (value->isEmpty() && has(line, keyword))
            *value = extractNumberNear(line, QString::fromUtf16(keyword), {}, u"g,グラム"_s);
    }

    if (hasAny(line, {u"和食", u"和風"}))
        r.cuisine = u"和風"_s;
    else if (hasAny(line, {u"洋食", u"洋風"}))
        r.cuisine = u"洋風"_s;
    else if (has(line, u"中華"))
        r.cuisine = u"中華"_s;
    else if (has(line, u"韓国"))
        r.cuisine = u"韓国"_s;
    else if (has(line, u"フレンチ"))
        r.cuisine = u"フレンチ"_s;
    else if (has(line, u"イタリア"))
        r.cuisine = u"イタリアン"_s;
    else if (has(line, u"アジア"))
        r.cuisine = u"アジアン"_s;
    if (r.cuisine.isEmpty()) {
        if (has(line, u"寿司"))
            r.cuisine = u"和風"_s;
        else if (hasAny(line, {u"ハンバーグ", u"シチュー"}))
            r.cuisine = u"洋風"_s;
        else if (has(line, u"チャーハン"))
            r.cuisine = u"中華"_s;
        else if (hasAny(line, {u"ピザ", u"パエリア"}))
            r.cuisine = u"イタリアン"_s;
    }
    if (has(line, u"離乳食"))
        r.special = u"離乳食"_s;
    else if (has(line, u"減塩食"))
        r.special = u"減塩食"_s;
    if (hasAny(line, {u"格安", u"安い", u"タダ同然"}))
        r.cost = u"格安"_s;
    else if (has(line, u"普通"))
        r.cost = u"普通"_s;
    else if (hasAny(line, {u"豪華", u"リッチ"}))
        r.cost = u"リッチ"_s;
    if (r.time.isEmpty() && has(line, u"分"))
        findTime(line);

    if (state == State::Start && !line.isEmpty())
        state = State::Title;
    if (state == State::Title) {
        line = titleDecoration().replaced(line, u' ');
        r.dishName = line.trimmed();
        if (r.dishName.endsWith(u"投票"_s)) {
            r.dishName.chop(2);
            r.dishName = r.dishName.trimmed();
        }
        if (r.dishName.size() >= 2 && r.dishName.startsWith(u'＜') && r.dishName.endsWith(u'＞'))
            r.dishName = r.dishName.sliced(1, r.dishName.size() - 2).trimmed();
        state = State::Preamble;
        titleLine = true;
    }

    if (r.servings.isEmpty() && (has(line, u"人分") || has(line, u"人前"))) {
        r.servings =
            extractNumberNear(line, {}, u"一二三四五六七八九0123456789～"_s, u"人分,人前"_s);
        if (!r.servings.isEmpty()) {
            line = replaceAll(line, u"("_s + r.servings + u"人前)"_s, {});
            line = replaceAll(line, u"("_s + r.servings + u"人分)"_s, {});
        }
    }
    if (r.registeredOn.isEmpty())
        findDate(line);

    if (hasAny(line, {u"材 量", u"ざいりょう", u"材料", u"材 料", u"用意するもの"}) &&
        !(hasAny(line, {u"の", u"費", u"に", u"を", u"は", u"が", u"全"}) &&
          !line.contains(u':'))) {
        line = replaceAll(line, u"材 量"_s, u"材 料"_s);
        const qsizetype at = line.indexOf(u'料');
        if (at >= 0)
            line = line.mid(at + 1);
        line = decoration().replaced(line, u' ');
        qsizetype start = 0;
        while (start < line.size() && line.at(start) == u' ')
            ++start;
        if (start < line.size() && line.at(start) == u':')
            line = line.mid(start + 1);
        present.index(line);
        state = State::Ingredients;
    }

    if (!methodHeadingKnown) {
        const QString t = line.trimmed();
        const bool numbered = t.size() >= 2 && t.front() == u'1' &&
                              QStringView(u" \u3000.．)）】〉]〕}〕］｝＞≫").contains(t.at(1));
        if (numbered || t.startsWith(u"①"_s) || t.startsWith(u"【1】"_s) ||
            t.startsWith(u"(1)"_s)) {
            state = State::Method;
            methodHeadingKnown = true;
        }
    }

    // Keywords with full-width characters are also tested in their folded
    // form: the line has been through the width folding above.
    const bool methodHeading =
        line.startsWith(u"調理法:"_s) || line == u"下ごしらえ:"_s ||
        line == u"さあ、つくりますぞ:"_s || line.startsWith(u"作り方"_s) ||
        hasAny(line, {u"下ごしらえ1", u"作 り 方", u"手順1", u"下準備", u"作り方", u"つくりかた",
                      u"手\u3000順", u"手 順", u"【 COOKING!", u"調理手順"});
    if (methodHeading && !(has(line, u"下準備が") && !line.contains(u':'))) {
        if (has(line, u"作り方") && line.trimmed().size() > 5)
            line = line.mid(line.indexOf(u"作り方") + 3);
        // A heading line on its own ("【作り方】") is no step of the method.
        if (line == u"<作り方>"_s ||
            isBareHeading(line, {u"作り方", u"作 り 方", u"つくりかた", u"手順", u"手 順",
                                 u"調理手順", u"下ごしらえ", u"調理法"}))
            line.clear();
        state = State::Method;
    }
    if (line.startsWith(u"| 1"_s))
        state = State::Method;

    if (equalsAny(line, {u"1人分の栄養価", u"ちょっと一言", u"ポイントはここ", u"アドバイス",
                         u"おいしくつくるヒント:", u"★ポイント"}) ||
        line.trimmed() == u"ポイント"_s ||
        hasAny(line,
               {u"コメント", u"**Point", u"＜感想＞", u"＜アドバイス!＞", u"一言メモ", u"＜一言＞",
                u"☆point☆", u"♪Tip", u"【ポイント】", u"ワンポイント:", u"注意点:",
                u"◆今日のコツ！", u"◆今日のコツ!", u"◎アドバイス", u"メモ", u"MEMO", u"Memo"})) {
        if (has(line, u"ワンポイント:"))
            line = line.mid(line.indexOf(u"ワンポイント:") + 7);
        else if (has(line, u"コメント:"))
            line = line.mid(line.indexOf(u"コメント:") + 5);
        state = State::Point;
        if (isBareHeading(line, {u"ポイント"}))
            line.clear();
    }
    if (line.trimmed() == u"【備考】"_s) {
        line.clear();
        state = State::Notes;
    }
    collect(line);
}

using SettingKey = std::pair<const char16_t *, QString RecipeTextAnalysis::*>;

const SettingKey settingKeys[] = {
    {u" 目的:", &RecipeTextAnalysis::purpose},
    {u" 主材料:", &RecipeTextAnalysis::category},
    {u" 副材料:", &RecipeTextAnalysis::word},
    {u" 費用:", &RecipeTextAnalysis::cost},
    {u" 手間:", &RecipeTextAnalysis::effort},
    {u" 時間:", &RecipeTextAnalysis::time},
    {u" ｶﾛﾘｰ:", &RecipeTextAnalysis::calories},
    {u" 塩分:", &RecipeTextAnalysis::salt},
    {u" 特殊:", &RecipeTextAnalysis::special},
    {u" 作者:", &RecipeTextAnalysis::author},
    {u" 国籍:", &RecipeTextAnalysis::cuisine},
    {u" タンパク質:", &RecipeTextAnalysis::protein},
    {u" 炭水化物:", &RecipeTextAnalysis::carbohydrate},
    {u" 脂質:", &RecipeTextAnalysis::fat},
    {u" フラグ:", &RecipeTextAnalysis::flags},
    {u" 重要:", &RecipeTextAnalysis::importance},
    {u" 人気:", &RecipeTextAnalysis::popularity},
    {u" 画像ファイル:", &RecipeTextAnalysis::imageFile},
    {u" ビタミン:", &RecipeTextAnalysis::vitamin},
    {u" 野菜:", &RecipeTextAnalysis::vegetables},
    {u" 果物:", &RecipeTextAnalysis::fruit},
    {u" 登録日:", &RecipeTextAnalysis::registeredOn},
};

// The export writes every non-empty value into its settings block, so the
// block alone decides them: words in the recipe text above it (a method
// saying "普通の…" or naming a date) must not add a cost or a date the
// stored recipe did not have. The author is kept as before the block.
void Parser::forgetGuessesOfSettings()
{
    for (const auto &[key, member] : settingKeys) {
        if (member != &RecipeTextAnalysis::author)
            r.*member = QString();
    }
}

void Parser::readSetting(const QString &line)
{
    for (const auto &[key, member] : settingKeys) {
        const QStringView k(key);
        if (!line.startsWith(k))
            continue;
        QString value = line.mid(k.size());
        // The export writes the salt with its unit; without this every
        // round trip would add another "g".
        if (member == &RecipeTextAnalysis::salt && value.endsWith(u'g'))
            value.chop(1);
        r.*member = value;
        return;
    }
}

void Parser::findTime(QString &line)
{
    const QStringView skip = u" 約:】]";
    const qsizetype at = line.indexOf(u"時間:");
    if (at >= 0 && line.contains(u'分')) {
        r.time = scanTime(line, at + 3, u"0123456789.分～", skip);
        line = replaceAll(line, u"調理時間"_s + r.time, {});
        return;
    }
    if (!line.contains(u'分'))
        return;
    qsizetype keyword = line.indexOf(u"料理時間");
    if (keyword < 0)
        keyword = line.indexOf(u"調理時間");
    if (keyword < 0)
        return;
    r.time = scanTime(line, keyword + 4, u"0123456789 .分～", skip);
    line = replaceAll(line, u"料理時間"_s + r.time, {});
    line = replaceAll(line, u"調理時間"_s + r.time, {});
}

void Parser::findDate(QString &line)
{
    if (line.startsWith(u" 登録日:"_s)) {
        r.registeredOn = line.mid(5);
        line.clear();
        return;
    }
    const qsizetype marker = line.indexOf(u"今日の夕食<200");
    if (marker >= 0) {
        r.registeredOn = line.mid(marker + 6);
        line.clear();
        return;
    }
    if (!line.contains(u'月') || !line.contains(u'日'))
        return;
    const QStringView dateChars = u"0123456789０１２３４５６７８９年月日/／.．-";
    for (QChar c : line) {
        if (dateChars.contains(c))
            r.registeredOn += c;
    }
}

void Parser::collect(const QString &line)
{
    const QString trimmed = line.trimmed();
    switch (state) {
    case State::Preamble:
    case State::Notes:
        // The title line is no note, also when its brackets or its "投票"
        // were cut off the dish name.
        if (trimmed != r.dishName && !titleLine)
            r.notes += trimmed + crlf;
        break;
    case State::Ingredients:
        if (!line.isEmpty())
            r.ingredients += decoration().replaced(line, u' ').trimmed() + crlf;
        break;
    case State::Method: {
        if (trimmed.isEmpty())
            break;
        QString step = trimmed;
        for (char16_t k = u'1'; k <= u'9'; ++k) {
            const qsizetype at = step.indexOf(u"| "_s + QChar(k));
            if (at >= 0)
                step.replace(at, 3, crlf + QChar(k) + u'.');
        }
        // "…。2." carries the next step's number: the step text follows.
        const bool numberGlued = step.size() >= 2 && step.endsWith(u'.') &&
                                 step.at(step.size() - 2) >= u'1' &&
                                 step.at(step.size() - 2) <= u'9';
        r.method += numberGlued ? step : step + crlf;
        break;
    }
    case State::Point:
        r.point += line + crlf;
        break;
    case State::Start:
    case State::Title:
    case State::SettingsBlock:
        break;
    }
}

void Parser::produceOutput()
{
    using TextScan::normalizeIndentation;
    using TextScan::trimLineBreaks;
    r.fromSettingsBlock = state == State::SettingsBlock;

    DishClassification guess{r.purpose, r.cuisine, r.category, r.word};
    if (!r.fromSettingsBlock)
        classifyDish(r.dishName, guess);
    r.purpose = guess.purpose;
    r.cuisine = guess.cuisine;
    r.category = guess.category;
    r.word = guess.word;

    if (r.ingredients.isEmpty() && !r.notes.isEmpty()) {
        r.ingredients = r.notes;
        r.notes.clear();
    }

    for (const char16_t *joined : {u"、", u"を", u"に", u"の", u"は", u"で"}) {
        const QString c = QString::fromUtf16(joined);
        r.method = replaceAll(r.method, c + crlf, c);
    }
    r.method = replaceAll(r.method, crlf + crlf, crlf);
    r.method = trimLineBreaks(normalizeIndentation(r.method, false));

    const QString kanji = u"一二三四五六七八九十"_s;
    const QString digits = u"1234567891"_s;
    for (QChar &c : r.servings) {
        const qsizetype at = kanji.indexOf(c);
        if (at >= 0)
            c = digits.at(at);
    }
    r.point = trimLineBreaks(normalizeIndentation(r.point, false));
    r.time = r.time.trimmed();
    r.notes = trimLineBreaks(r.notes);

    if (r.ingredients.size() < 100)
        r.ingredients = replaceAll(r.ingredients, u"、"_s, crlf);
    r.ingredients = replaceAll(r.ingredients, u"＜＞"_s, {});
    r.ingredients = replaceAll(r.ingredients, u"グラム"_s, u"g"_s);
    r.ingredients = TextHelpers::squeezeChar(r.ingredients, u' ');
    r.ingredients = trimLineBreaks(r.ingredients);

    classifyMainIngredient(r.fromSettingsBlock ? QString() : r.dishName, r.category, r.word);
    if (r.category.isEmpty() && r.word.isEmpty())
        classifyMainIngredient(r.ingredients, r.category, r.word);
}

} // namespace

namespace RecipeTextParser {

RecipeTextAnalysis parse(const QString &text, const QString &currentAuthor)
{
    return Parser(currentAuthor).run(text);
}

} // namespace RecipeTextParser
