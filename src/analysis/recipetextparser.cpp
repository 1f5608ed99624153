#include "analysis/recipetextparser.h"

#include "analysis/charset.h"
#include "analysis/classification.h"
#include "analysis/pagetext.h"
#include "analysis/textscan.h"
#include "recipe/texthelpers.h"

#include <QList>
#include <QStringList>

#include <array>
#include <initializer_list>

using namespace Qt::StringLiterals;
using PageText::Heading;
using TextHelpers::replaceAll;

namespace {

using State = RecipeTextParser::State;

const QString crlf = u"\r\n"_s;

// Full-width digits, letters, brackets, colon, slash, comma, period,
// exclamation mark and the ideographic space read as ASCII. Other blanks
// (TAB, no-break and typographic spaces) read as the blank, control
// characters too; the wave dash reads as the full-width tilde CP932 holds.
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
        for (char16_t c = 0; c < 0x20; ++c)
            t[c] = u' ';
        for (char16_t c :
             {u'\x7F', u'\u00A0', u'\u2002', u'\u2003', u'\u2009', u'\u200B', u'\uFEFF'})
            t[c] = u' ';
        t[u'\u301C'] = u'～';
        t[u'｜'] = u'|';
        return t;
    }();
    return table;
}

QString foldWidth(QStringView line)
{
    const auto &table = widthTable();
    QString result(line.size(), Qt::Uninitialized);
    QChar *out = result.data();
    for (QChar c : line)
        *out++ = QChar(table[c.unicode()]);
    return result;
}

// What may stand before an ingredient as a bullet.
const CharSet &bullets()
{
    static const CharSet set(u" ∞∴。○●◎▼△Ψ◆◇■□┃★☆＊*〓…━‥・•-◉♦");
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

QStringView trimEnd(QStringView text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    return text.first(end);
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

// "+------+------+": a table border.
bool isBorderLine(const QString &trimmed)
{
    if (trimmed.size() < 3)
        return false;
    for (QChar c : trimmed) {
        if (!QStringView(u"-=+|_─━│┃┼╋┿ ").contains(c))
            return false;
    }
    return true;
}

// "| 鶏もも肉 | 150g |": the cells of a table row, the bars between them
// blanks. A bar before a step number stays ("| 2 煮る").
QString unframed(const QString &line)
{
    const QString t = line.trimmed();
    if (t.size() < 3 || !t.startsWith(u'|') || !t.endsWith(u'|'))
        return line;
    QString inner = t.sliced(1, t.size() - 2);
    for (qsizetype i = 0; i < inner.size(); ++i) {
        if (inner.at(i) != u'|')
            continue;
        const bool step = i + 2 < inner.size() && inner.at(i + 1) == u' ' &&
                          inner.at(i + 2) >= u'1' && inner.at(i + 2) <= u'9';
        if (!step)
            inner[i] = u' ';
    }
    return inner.trimmed();
}

// A heading line on its own that holds nothing but the heading word.
bool isBareHeading(const QString &line, std::initializer_list<QStringView> words)
{
    // Decoration, angle brackets and colons around the word.
    QString word = line;
    for (QChar &c : word) {
        if (PageText::decoration().contains(c) || QStringView(u"<>＜＞:").contains(c))
            c = u' ';
    }
    return equalsAny(word.trimmed(), words);
}

// A line that reads as a sentence is no heading unless it starts with the
// heading and a colon ("作り方:鍋に…").
bool isProse(const QString &line, std::initializer_list<QStringView> headings)
{
    if (!PageText::endsLikeSentence(line) || line.contains(u':'))
        return false;
    const QStringView c = PageText::core(line);
    for (QStringView h : headings) {
        if (c.startsWith(h))
            return false;
    }
    return true;
}

// What is left of a heading line once the heading is taken: nothing when
// only servings, brackets or more heading words remain.
QString headingRest(const QString &rest)
{
    QString r = PageText::core(rest).toString();
    if (r.isEmpty() || PageText::isMetaLine(r) || PageText::servings(rest) == r)
        return {};
    static const QStringView words[] = {u"材料",   u"調味料",   u"分量",        u"下準備",
                                        u"作り方", u"つくり方", u"人数",        u"下ごしらえ",
                                        u"具材",   u"食材",     u"Ingredients", u"INGREDIENTS"};
    QString left = r;
    for (QStringView w : words)
        left.replace(w.toString(), QString());
    if (PageText::core(left).isEmpty())
        return {};
    // One bracketed note ("(作りやすい分量・カップ4個分)") is no ingredient.
    const QString t = rest.trimmed();
    if (t.size() >= 2 && QStringView(u"(（〈<＜【[").contains(t.front()) &&
        QStringView(u")）〉>＞】]").contains(t.back()) && !t.sliced(1).contains(t.front()))
        return {};
    return rest;
}

// The lines of a text at CR LF, LF or CR alone, one at a time, as views
// into it (replacing the line ends first would move the rest of a long text
// once per line; a list of the lines would be as long as the text). A
// byte-order mark at the start is dropped. A line end at the very end is
// followed by an empty line.
class LineReader
{
public:
    explicit LineReader(QStringView text)
        : m_text(text), m_from(text.startsWith(QChar(0xFEFF)) ? 1 : 0)
    {}
    bool next(QStringView &line)
    {
        if (m_from > m_text.size())
            return false;
        qsizetype i = m_from;
        while (i < m_text.size() && m_text.at(i) != u'\r' && m_text.at(i) != u'\n')
            ++i;
        line = m_text.sliced(m_from, i - m_from);
        if (i == m_text.size())
            m_from = i + 1; // the last line
        else
            m_from = m_text.at(i) == u'\r' && i + 1 < m_text.size() && m_text.at(i + 1) == u'\n'
                         ? i + 2
                         : i + 1;
        return true;
    }

private:
    QStringView m_text;
    qsizetype m_from;
};

// Every CR LF that follows one of the characters removed, in one pass: a
// removal leaves such a character before the next CR LF at most, so doing
// the characters one by one would remove no more.
QString withoutBreaksAfter(const QString &text, QStringView chars)
{
    QString result;
    qsizetype from = 0;
    for (qsizetype at = text.indexOf(u'\r'); at >= 0 && at + 1 < text.size();
         at = text.indexOf(u'\r', at + 1)) {
        if (text.at(at + 1) != u'\n' || at == 0 || !chars.contains(text.at(at - 1)))
            continue;
        if (result.isNull())
            result.reserve(text.size());
        result += QStringView(text).sliced(from, at - from);
        from = at + 2;
    }
    if (from == 0)
        return text;
    result += QStringView(text).sliced(from);
    return result;
}

class Parser
{
public:
    explicit Parser(const QString &author) { r.author = author; }
    RecipeTextAnalysis run(const QString &text);

private:
    struct Candidate
    {
        QString name;
        int line = 0;
        bool namesDish = false;
    };

    void processLine(QStringView raw);
    void forgetGuessesOfSettings();
    void readSetting(const QString &line);
    void findNutrients(const QString &line);
    void findTableFigures(const QString &line);
    void findTime(QString &line);
    void findDate(QString &line);
    void collect(const QString &line);
    void collectIngredient(const QString &line);
    void collectStep(const QString &line);
    void noteCandidate(const QString &line);
    void startSection();
    QString chooseDishName() const;
    void produceOutput();

    bool ingredientsHeading(const QString &line) const;
    bool methodHeading(const QString &line, Heading bare) const;

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
    bool titleLine = false; // the current line gave the title
    int lineNo = 0;
    bool afterBlank = false;

    // Lines that may name the dish, before the first section.
    QList<Candidate> candidates;
    int sectionAt = -1;    // candidates before the first section heading
    QStringList repeated;  // names that headings repeat ("…の材料")
    QStringList mentioned; // the last items of breadcrumbs
    int titleLineNo = -1;

    QList<std::pair<int, QString>> notes;
    QStringList ingredients;
    QString pendingStep; // a step number alone, for the next line
    bool numberedSteps = false;
    bool inAd = false;         // after an advertisement marker
    bool methodPaused = false; // nutrition or a time after the steps
    QStringList labelRow;      // nutrient labels whose figures follow
    QList<std::pair<int, QString>> pointLines;
    bool pageEnded = false;
    State beforeNutrition = State::Preamble;
    std::array<bool, 4> labelPending{}; // protein, carbohydrate, fat, salt
};

bool Parser::ingredientsHeading(const QString &line) const
{
    // Other words pages head their ingredients with, alone or with the servings.
    if (line.size() <= PageText::shortLine &&
        hasAny(line, {u"具材", u"食材", u"Ingredients", u"INGREDIENTS"})) {
        const QStringView c = PageText::core(line);
        for (QStringView word : {u"具材", u"食材", u"Ingredients", u"INGREDIENTS"}) {
            if (c.startsWith(word) && !isProse(line, {word}) &&
                headingRest(c.sliced(word.size()).toString()).isEmpty())
                return true;
        }
    }
    if (!hasAny(line, {u"材 量", u"ざいりょう", u"材料", u"材 料", u"用意するもの"}))
        return false;
    if (isProse(line, {u"材料", u"材 料", u"材 量", u"ざいりょう", u"用意するもの"}) ||
        (line.size() <= PageText::shortLine && PageText::isFurniture(line)))
        return false;
    if (!(hasAny(line, {u"の", u"費", u"に", u"を", u"は", u"が", u"全"}) && !line.contains(u':')))
        return true;
    // "肉じゃがの材料(2人分)"
    return !PageText::dishOfHeading(line).isEmpty() &&
           (line.contains(u"の材料") || line.contains(u"の材 料"));
}

bool Parser::methodHeading(const QString &line, Heading bare) const
{
    const bool keyword =
        line.startsWith(u"調理法:"_s) || line == u"下ごしらえ:"_s ||
        line == u"さあ、つくりますぞ:"_s || line.startsWith(u"作り方"_s) ||
        hasAny(line, {u"下ごしらえ1", u"作 り 方", u"手順1", u"下準備", u"作り方", u"つくりかた",
                      u"手\u3000順", u"手 順", u"【 COOKING!", u"調理手順"});
    if (keyword) {
        if (has(line, u"下準備が") && !line.contains(u':'))
            return false;
        return !isProse(line, {u"作り方", u"つくりかた", u"下準備", u"手順", u"調理手順"});
    }
    return bare == Heading::Method;
}

RecipeTextAnalysis Parser::run(const QString &text)
{
    // A reply mail quotes the recipe with "> " before every line.
    qsizetype nonEmpty = 0;
    qsizetype quotedLines = 0;
    QStringView line;
    for (LineReader lines(text); lines.next(line);) {
        if (line.trimmed().isEmpty())
            continue;
        ++nonEmpty;
        if (line.startsWith(u'>'))
            ++quotedLines;
    }
    const bool quoted = quotedLines >= 3 && quotedLines * 10 >= nonEmpty * 3;
    const auto unquoted = [quoted](QStringView line) {
        while (quoted && line.startsWith(u'>'))
            line = line.sliced(line.startsWith(u"> ") ? 2 : 1);
        return line;
    };

    // A method heading anywhere means numbered lines need not start the
    // method; a heading sharing its line with the ingredients heading (a
    // flattened two-column page) or a sentence that mentions one does not.
    for (LineReader lines(text); lines.next(line);) {
        const QStringView raw = unquoted(line);
        if (raw.size() > PageText::shortLine * 4)
            continue;
        const QString folded = foldWidth(raw);
        present.index(folded);
        const Heading bare =
            folded.size() <= PageText::shortLine ? PageText::bareHeading(folded) : Heading::None;
        if (methodHeading(folded, bare) && !ingredientsHeading(folded) &&
            !PageText::isFurniture(folded)) {
            methodHeadingKnown = true;
            break;
        }
    }

    for (LineReader lines(text); lines.next(line);) {
        ++lineNo;
        processLine(unquoted(line));
    }
    produceOutput();
    return r;
}

void Parser::processLine(QStringView raw)
{
    titleLine = false;
    raw = trimEnd(raw);
    if (raw.isEmpty()) {
        afterBlank = true;
        inAd = false;
        return;
    }
    const bool blankBefore = afterBlank;
    afterBlank = false;
    QString line = foldWidth(raw);
    if (isRuleLine(line.trimmed()) || isBorderLine(line.trimmed()))
        line.clear();
    line = unframed(line);
    present.index(line);
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
    const QString original = line;
    const bool shortLine = line.size() <= PageText::shortLine;

    if (r.calories.isEmpty() &&
        (has(line, u"㌍") || has(line, u"キロカロリ") || has(line, u"k") || has(line, u"K")))
        r.calories = PageText::calories(line);
    if (line.startsWith(u" 作者:"_s)) {
        r.author = line.mid(4);
        line.clear();
    }
    if (r.effort.isEmpty() && line.startsWith(u" 手間:"_s)) {
        r.effort = line.mid(4);
        line.clear();
    }
    findNutrients(line);
    findTableFigures(line);

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
    if (r.time.isEmpty() && (has(line, u"分") || has(line, u"時間")))
        findTime(line);

    if (state == State::Start && !line.isEmpty())
        state = State::Title;
    if (state == State::Title) {
        titleLineNo = lineNo;
        state = State::Preamble;
        titleLine = true;
    }

    if (r.servings.isEmpty() && (has(line, u"人分") || has(line, u"人前"))) {
        qsizetype from = 0;
        qsizetype to = 0;
        r.servings = PageText::servings(line, &from, &to);
        if (!r.servings.isEmpty()) {
            const QString written = line.sliced(from, to - from - 2);
            line = replaceAll(line, u"("_s + written + u"人前)"_s, {});
            line = replaceAll(line, u"("_s + written + u"人分)"_s, {});
        }
    }
    if (r.registeredOn.isEmpty())
        findDate(line);

    qsizetype pointText = -1;
    const Heading bare = shortLine ? PageText::bareHeading(line, &pointText) : Heading::None;

    // Page furniture: what follows the recipe on the page, and ads.
    if (shortLine && PageText::isFurniture(line)) {
        if (PageText::isPageEnd(line)) {
            pageEnded = true;
            return;
        }
        if (PageText::isAdMarker(line)) {
            inAd = true;
            return;
        }
        const QString tail = sectionAt < 0 ? PageText::breadcrumbTail(line) : QString();
        if (!tail.isEmpty() && mentioned.size() < 20)
            mentioned.append(PageText::dishName(tail));
        return;
    }

    // A short line holding both headings is the head of a flattened table
    // or two-column page, the ingredients following; in running text the
    // later heading wins.
    const bool ingredientsLine =
        ingredientsHeading(line) && (shortLine || !methodHeading(line, Heading::None));
    // After an ad the page goes on at a blank line or a heading; after the
    // end of the recipe only a heading of its own starts a section again
    // (the titles of related recipes do not).
    if (inAd || pageEnded) {
        const bool resumes = (inAd && blankBefore) ||
                             (ingredientsLine && PageText::core(line).startsWith(u"材料")) ||
                             (bare != Heading::None && PageText::dishOfHeading(line).isEmpty());
        if (!resumes)
            return;
        inAd = false;
        pageEnded = false;
    }

    bool heading = false;
    if (ingredientsLine) {
        if (shortLine && repeated.size() < 20) {
            const QString dish = PageText::dishOfHeading(line);
            if (!dish.isEmpty())
                repeated.append(PageText::dishName(dish));
        }
        line = replaceAll(line, u"材 量"_s, u"材 料"_s);
        const qsizetype at = line.indexOf(u'料');
        if (at >= 0)
            line = line.mid(at + 1);
        for (QChar &c : line) {
            if (c != u'・' && PageText::decoration().contains(c))
                c = u' ';
        }
        qsizetype start = 0;
        while (start < line.size() && line.at(start) == u' ')
            ++start;
        if (start < line.size() && line.at(start) == u':')
            line = line.mid(start + 1);
        line = headingRest(line);
        present.index(line);
        state = State::Ingredients;
        heading = true;
    }

    bool numberedFirst = false;
    if (!methodHeadingKnown) {
        const QString t = line.trimmed();
        const bool numbered = t.size() >= 2 && t.front() == u'1' &&
                              QStringView(u" \u3000.．)）】〉]〕}〕］｝＞≫").contains(t.at(1));
        if (numbered || t.startsWith(u"①"_s) || t.startsWith(u"【1】"_s) ||
            t.startsWith(u"(1)"_s) || PageText::stepNumberAlone(t) == u"1."_s) {
            state = State::Method;
            methodHeadingKnown = true;
            numberedFirst = true;
        }
    }

    // Keywords with full-width characters are also tested in their folded
    // form: the line has been through the width folding above.
    if (!ingredientsLine && methodHeading(line, bare)) {
        if (shortLine && repeated.size() < 20) {
            const QString dish = PageText::dishOfHeading(line);
            if (!dish.isEmpty())
                repeated.append(PageText::dishName(dish));
        }
        if (has(line, u"作り方") && line.trimmed().size() > 5)
            line = line.mid(line.indexOf(u"作り方") + 3);
        // A heading line on its own ("【作り方】") is no step of the method.
        if (line == u"<作り方>"_s ||
            isBareHeading(line, {u"作り方", u"作 り 方", u"つくりかた", u"手順", u"手 順",
                                 u"調理手順", u"下ごしらえ", u"調理法"}) ||
            (shortLine && PageText::bareHeading(line) == Heading::Method) ||
            PageText::core(line).isEmpty())
            line.clear();
        else if (line.trimmed().startsWith(u':'))
            line = line.trimmed().mid(1);
        else if (line.startsWith(u'】') || line.startsWith(u'>') || line.startsWith(u'〉'))
            line = line.mid(1).trimmed(); // "【作り方】(1)切る。"
        state = State::Method;
        heading = true;
    }
    if (line.startsWith(u"| 1"_s))
        state = State::Method;

    if (equalsAny(line, {u"ちょっと一言", u"ポイントはここ", u"アドバイス",
                         u"おいしくつくるヒント:", u"★ポイント"}) ||
        line.trimmed() == u"ポイント"_s || (bare == Heading::Point && !heading) ||
        hasAny(line,
               {u"コメント", u"**Point", u"＜感想＞", u"＜アドバイス!＞", u"一言メモ", u"＜一言＞",
                u"☆point☆", u"♪Tip", u"【ポイント】", u"ワンポイント:", u"注意点:",
                u"◆今日のコツ！", u"◆今日のコツ!", u"◎アドバイス", u"メモ", u"MEMO", u"Memo"})) {
        if (has(line, u"ワンポイント:"))
            line = line.mid(line.indexOf(u"ワンポイント:") + 7);
        else if (has(line, u"コメント:"))
            line = line.mid(line.indexOf(u"コメント:") + 5);
        else if (pointText >= 0)
            line = line.mid(pointText);
        state = State::Point;
        heading = true;
        if (isBareHeading(line, {u"ポイント"}) ||
            (shortLine && PageText::bareHeading(line) == Heading::Point && pointText < 0))
            line.clear();
    }
    if (line.trimmed() == u"【備考】"_s || (bare == Heading::Notes && !heading)) {
        line.clear();
        state = State::Notes;
        heading = true;
    }
    // The nutrition figures of a recipe are no part of its text.
    if (!heading && (bare == Heading::Nutrition || line.trimmed() == u"1人分の栄養価"_s)) {
        if (state != State::Nutrition)
            beforeNutrition = state;
        state = State::Nutrition;
        line.clear();
    } else if (state == State::Nutrition && !heading && !PageText::isNutritionLine(line) &&
               PageText::leadingFigure(line).isEmpty()) {
        state = beforeNutrition;
    }

    // The method ends where, after numbered steps and a blank line, text
    // without a number follows (a closing remark, a signature).
    if (!heading && state == State::Method && numberedSteps && (blankBefore || methodPaused) &&
        !line.trimmed().isEmpty() && !PageText::startsWithStepNumber(line) &&
        PageText::stepNumberAlone(line).isEmpty() && pendingStep.isEmpty() &&
        !(shortLine && PageText::isMetaLine(line)))
        state = State::Notes;
    if (state != State::Method)
        methodPaused = false;
    // Sentences after the ingredients and a blank line are the method.
    if (!heading && state == State::Ingredients && blankBefore && line.endsWith(u'。') &&
        line.size() > 15 && !line.trimmed().startsWith(u'※') && !ingredients.isEmpty())
        state = State::Method;

    if (heading || numberedFirst)
        startSection();
    if (sectionAt < 0 && !heading && !numberedFirst && shortLine)
        noteCandidate(original);
    collect(line);
}

void Parser::startSection()
{
    // A tip or a notes heading may stand above the name (a banner such as
    // "今日の献立メモ"); the recipe starts with its ingredients or method.
    if (sectionAt < 0 && (state == State::Ingredients || state == State::Method))
        sectionAt = int(candidates.size());
}

void Parser::noteCandidate(const QString &line)
{
    if (candidates.size() >= 200 || PageText::isSentence(line))
        return;
    const QString name = PageText::dishName(line);
    if (!PageText::couldBeDishName(name))
        return;
    candidates.append({name, lineNo, PageText::namesDish(name)});
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

void Parser::findNutrients(const QString &line)
{
    struct Nutrient
    {
        QString *value;
        std::initializer_list<QStringView> keywords;
    };
    const Nutrient nutrients[] = {
        {&r.protein, {u"蛋白質", u"たんぱく質", u"タンパク質"}},
        {&r.carbohydrate, {u"炭水化物"}},
        {&r.fat, {u"脂質"}},
        {&r.salt, {u"塩分", u"食塩相当量", u"食塩量"}},
    };
    for (std::size_t i = 0; i < std::size(nutrients); ++i) {
        QString &value = *nutrients[i].value;
        if (!value.isEmpty())
            continue;
        // A label on the line before: "食塩相当量" / "/0.5 g".
        if (labelPending[i]) {
            labelPending[i] = false;
            value = PageText::leadingFigure(line);
            if (!value.isEmpty())
                continue;
        }
        bool mentioned = false;
        for (QStringView k : nutrients[i].keywords)
            mentioned = mentioned || has(line, k);
        if (!mentioned)
            continue;
        bool labelOnly = false;
        value = PageText::nutrient(line, nutrients[i].keywords, &labelOnly);
        labelPending[i] = labelOnly;
    }
}

// A table of nutrients copied as a row of labels and a row of figures:
// "エネルギー 食塩相当量" / "52kcal 0.7g".
void Parser::findTableFigures(const QString &line)
{
    if (!labelRow.isEmpty()) {
        const QList<QString> figures = PageText::figures(line);
        if (figures.size() == labelRow.size()) {
            for (qsizetype i = 0; i < figures.size(); ++i) {
                const QString &label = labelRow.at(i);
                QString *value = nullptr;
                if (equalsAny(label, {u"エネルギー", u"熱量", u"カロリー"}))
                    value = &r.calories;
                else if (equalsAny(label, {u"たんぱく質", u"タンパク質", u"蛋白質"}))
                    value = &r.protein;
                else if (label == u"脂質"_s)
                    value = &r.fat;
                else if (label == u"炭水化物"_s)
                    value = &r.carbohydrate;
                else if (equalsAny(label, {u"塩分", u"食塩相当量", u"食塩"}))
                    value = &r.salt;
                if (value && value->isEmpty())
                    *value = figures.at(i);
            }
        }
        labelRow.clear();
    }
    const QList<QStringView> labels = PageText::nutrientLabelsOnly(line);
    if (labels.size() >= 2) {
        for (QStringView label : labels)
            labelRow.append(label.toString());
    }
}

void Parser::findTime(QString &line)
{
    qsizetype from = 0;
    qsizetype to = 0;
    QString time = PageText::cookingTime(line, &from, &to);
    // A time standing alone is the recipe's only before its text starts;
    // later it is a step's ("10分").
    if (!time.isEmpty() && sectionAt >= 0 && !line.sliced(from, to - from).contains(u"時間") &&
        !line.sliced(from, to - from).contains(u"目安"))
        time.clear();
    if (time.isEmpty())
        return;
    r.time = time;
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
    const bool shortLine = line.size() <= PageText::shortLine;
    switch (state) {
    case State::Preamble:
    case State::Notes:
        // The title line is no note, also when its brackets or its "投票"
        // were cut off the dish name.
        if (!titleLine)
            notes.append({lineNo, trimmed});
        break;
    case State::Ingredients:
        if (!line.isEmpty() && !(shortLine && PageText::isMetaLine(line)))
            collectIngredient(line);
        break;
    case State::Method:
        if (shortLine && PageText::isMetaLine(line))
            methodPaused = !r.method.isEmpty();
        else if (!trimmed.isEmpty())
            collectStep(trimmed);
        break;
    case State::Point:
        if (!(shortLine && PageText::isMetaLine(line)))
            pointLines.append({lineNo, line});
        break;
    case State::Start:
    case State::Title:
    case State::Nutrition:
    case State::SettingsBlock:
        break;
    }
}

void Parser::collectIngredient(const QString &line)
{
    // Bullets go; other decoration, leaders and table bars become blanks;
    // "・" between words ("塩・こしょう") stays.
    qsizetype from = 0;
    while (from < line.size() && bullets().contains(line.at(from)))
        ++from;
    const QString written = line.mid(from);
    QString item = written;
    for (qsizetype i = 0; i < item.size(); ++i) {
        const QChar c = written.at(i);
        const bool leader =
            (c == u'・' || c == u'.') && ((i + 1 < written.size() && written.at(i + 1) == c) ||
                                          (i > 0 && written.at(i - 1) == c));
        // "なす:3本": a colon between the name and its amount.
        const bool colon =
            c == u':' && i > 0 && PageText::isAmountOnly(QStringView(written).sliced(i + 1));
        if (leader || colon || c == u'|' || (c != u'・' && PageText::decoration().contains(c)))
            item[i] = u' ';
    }
    item = item.trimmed();
    if (item.isEmpty())
        return;
    // A table copied with the amount on the line below the name.
    if (!ingredients.isEmpty() && item.size() <= 25 && PageText::isAmountOnly(item) &&
        !PageText::hasAmount(ingredients.back())) {
        ingredients.back() += u' ' + item;
        return;
    }
    ingredients.append(item);
}

void Parser::collectStep(const QString &trimmed)
{
    const QString alone = PageText::stepNumberAlone(trimmed);
    if (!alone.isEmpty()) {
        pendingStep += alone;
        numberedSteps = true;
        return;
    }
    QString step = pendingStep + trimmed;
    pendingStep.clear();
    if (PageText::startsWithStepNumber(step)) {
        numberedSteps = true;
        // A method printed as one paragraph: "(1)切る。(2)煮る。"
        QString split;
        qsizetype from = 0;
        for (qsizetype at = step.indexOf(u'。'); at >= 0 && at + 1 < step.size();
             at = step.indexOf(u'。', at + 1)) {
            if (PageText::startsWithStepNumber(QStringView(step).sliced(at + 1))) {
                split += QStringView(step).sliced(from, at + 1 - from);
                split += crlf;
                from = at + 1;
            }
        }
        if (from > 0) {
            split += QStringView(step).sliced(from);
            step = split;
        }
    }
    for (char16_t k = u'1'; k <= u'9' && step.contains(u'|'); ++k) {
        const qsizetype at = step.indexOf(u"| "_s + QChar(k));
        if (at >= 0)
            step.replace(at, 3, crlf + QChar(k) + u'.');
    }
    // "…。2." carries the next step's number: the step text follows.
    const bool numberGlued = step.size() >= 2 && step.endsWith(u'.') &&
                             step.at(step.size() - 2) >= u'1' && step.at(step.size() - 2) <= u'9';
    r.method += numberGlued ? step : step + crlf;
}

QString Parser::chooseDishName() const
{
    // The line just before the first section, one that a later heading or
    // the breadcrumb repeats, one that names a dish; the first line breaks
    // ties as it did when it alone named the dish.
    const int closest = sectionAt < 0 ? -1 : sectionAt - 1;
    int best = -1;
    int bestScore = -1;
    for (int i = 0; i < candidates.size(); ++i) {
        const Candidate &c = candidates.at(i);
        int score = 0;
        if (repeated.contains(c.name) || mentioned.contains(c.name))
            score += 4;
        if (c.namesDish)
            score += 2;
        if (i == closest)
            score += 2;
        if (c.line == titleLineNo || i == 0)
            score += sectionAt < 0 ? 3 : 1;
        if (score > bestScore || (score == bestScore && sectionAt >= 0)) {
            best = i;
            bestScore = score;
        }
    }
    if (best >= 0 && (bestScore >= 4 || repeated.isEmpty()))
        return candidates.at(best).name;
    for (const QString &name : repeated) {
        if (PageText::couldBeDishName(name))
            return name;
    }
    return best >= 0 ? candidates.at(best).name : QString();
}

void Parser::produceOutput()
{
    using TextScan::normalizeIndentation;
    using TextScan::trimLineBreaks;
    r.fromSettingsBlock = state == State::SettingsBlock;

    r.dishName = chooseDishName();
    int nameLine = -1;
    for (const Candidate &c : std::as_const(candidates)) {
        if (c.name == r.dishName) {
            nameLine = c.line;
            break;
        }
    }
    QStringList noteLines;
    for (const auto &[line, text] : std::as_const(notes)) {
        if (line != nameLine && text != r.dishName)
            noteLines.append(text);
    }
    r.notes = noteLines.isEmpty() ? QString() : noteLines.join(crlf) + crlf;
    for (const auto &[line, text] : std::as_const(pointLines)) {
        if (line != nameLine)
            r.point += text + crlf;
    }
    r.ingredients = ingredients.isEmpty() ? QString() : ingredients.join(crlf) + crlf;
    if (!pendingStep.isEmpty())
        r.method += pendingStep + crlf;

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

    // A sentence broken after a particle or a linking form goes on on the
    // next line, unless that line starts the next step. The steps are built
    // in one string: the method of a long text has as many lines.
    QString steps;
    steps.reserve(r.method.size());
    bool lastStepEmpty = true; // no step yet, or the last one is empty
    TextScan::forEachCrLfLine(r.method, [&](QStringView line, bool first) {
        if (!lastStepEmpty && !line.isEmpty() && !PageText::startsWithStepNumber(line)) {
            const QChar end = steps.back();
            // Numbered steps go on until the next number; a line there that
            // does not end a sentence was broken by the page's width.
            const bool open = numberedSteps && !QStringView(u"。!?！？)）」♪").contains(end);
            if (open || QStringView(u"てらばがと").contains(end)) {
                steps += line;
                return;
            }
        }
        if (!first)
            steps += crlf;
        steps += line;
        lastStepEmpty = line.isEmpty();
    });
    r.method = steps.isEmpty() ? QString() : steps;
    r.method = withoutBreaksAfter(r.method, u"、をにのはで");
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

    // An ingredient list written on one line becomes one ingredient a line.
    if (r.ingredients.size() < 100 && r.ingredients.indexOf(crlf) == r.ingredients.size() - 2)
        r.ingredients = replaceAll(r.ingredients, u"、"_s, crlf);
    r.ingredients = replaceAll(r.ingredients, u"＜＞"_s, {});
    r.ingredients = replaceAll(r.ingredients, u"グラム"_s, u"g"_s);
    r.ingredients = TextHelpers::squeezeChar(r.ingredients, u' ');
    r.ingredients = trimLineBreaks(r.ingredients);

    classifyMainIngredientOfName(r.fromSettingsBlock ? QString() : r.dishName, r.category, r.word);
    if (r.category.isEmpty() && r.word.isEmpty())
        classifyMainIngredientByLine(r.ingredients, r.category, r.word);
}

} // namespace

namespace RecipeTextParser {

RecipeTextAnalysis parse(const QString &text, const QString &currentAuthor)
{
    return Parser(currentAuthor).run(text);
}

} // namespace RecipeTextParser
