#include "analysis/pagetext.h"

#include "analysis/charset.h"
#include "analysis/classification.h"

#include <QStringList>

#include <algorithm>
#include <bitset>

using namespace Qt::StringLiterals;

namespace {

using Words = std::initializer_list<QStringView>;

// Blanks, decoration, bullets, brackets, colons and table bars: what frames
// the words of a heading or a name.
const CharSet &frame()
{
    static const CharSet set(
        u" \t\u3000∞∴。○●◎▼△▽▲Ψ◆◇■□┃★☆＊*〓『』【】「」・[]［］…━‥♪♡♥※〈〉<>＜＞《》≪≫()"
        u"（）〔〕{}｛｝:：|｜-_=~～#＃•◉◯♦→⇒✿❀✾❁✽✻❖♣♠◇▶►▷◀");
    return set;
}

// Symbols that frame a name without being part of it.
const CharSet &nameFrame()
{
    static const CharSet set(u"☆♪♡♥✿❀✾❁✽✻❖◆◇▶►▷*#＃");
    return set;
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == QChar(0x3000);
}

QStringView trimmed(QStringView s)
{
    return s.trimmed();
}

// The word lists are tested on every line: a comparison of one character
// first keeps that cheap.
bool startsWithAny(QStringView text, Words words)
{
    for (QStringView w : words) {
        if (text.size() >= w.size() && text.front() == w.front() && text.startsWith(w))
            return true;
    }
    return false;
}

bool endsWithAny(QStringView text, Words words)
{
    for (QStringView w : words) {
        if (text.size() >= w.size() && text.back() == w.back() && text.endsWith(w))
            return true;
    }
    return false;
}

bool equalsAny(QStringView text, Words words)
{
    for (QStringView w : words) {
        if (text.size() == w.size() && text.front() == w.front() && text == w)
            return true;
    }
    return false;
}

bool containsAny(QStringView text, Words words)
{
    for (QStringView w : words) {
        if (text.size() >= w.size() && text.contains(w.front()) && text.contains(w))
            return true;
    }
    return false;
}

// A word list with the first and the last characters of its words folded
// into a small bit set: most lines start and end with none of them, and
// then one test stands for a walk through the list. Made from a list that
// lives as long as the program.
class WordList
{
public:
    explicit WordList(Words words) : m_words(words)
    {
        for (QStringView w : words) {
            m_firsts.set(w.front().unicode() % bits);
            m_lasts.set(w.back().unicode() % bits);
        }
    }
    Words words() const { return m_words; }
    bool mayStart(QStringView text) const
    {
        return !text.isEmpty() && m_firsts.test(text.front().unicode() % bits);
    }
    bool mayEnd(QStringView text) const
    {
        return !text.isEmpty() && m_lasts.test(text.back().unicode() % bits);
    }

private:
    static constexpr std::size_t bits = 512;
    Words m_words;
    std::bitset<bits> m_firsts;
    std::bitset<bits> m_lasts;
};

bool startsWithAny(QStringView text, const WordList &list)
{
    return list.mayStart(text) && startsWithAny(text, list.words());
}

bool endsWithAny(QStringView text, const WordList &list)
{
    return list.mayEnd(text) && endsWithAny(text, list.words());
}

bool equalsAny(QStringView text, const WordList &list)
{
    return list.mayStart(text) && equalsAny(text, list.words());
}

// "kcal" in any case at i.
bool isKcalAt(QStringView s, qsizetype i)
{
    static const char16_t word[] = u"kcal";
    if (i + 4 > s.size())
        return false;
    for (int k = 0; k < 4; ++k) {
        // ASCII letters only: setting the 0x20 bit makes them lower case.
        if ((s.at(i + k).unicode() | 0x20) != word[k])
            return false;
    }
    return true;
}

// Length of a calorie unit at i, or 0.
qsizetype calorieUnitAt(QStringView s, qsizetype i)
{
    if (isKcalAt(s, i))
        return 4;
    if (s.at(i) == u'㌍')
        return 1;
    if (s.sliced(i).startsWith(u"キロカロリ"))
        return 5;
    return 0;
}

const QStringView numberSkip = u" :：()[]【】〔〕{}";

// Walks back from before `at`, skipping the number-scan skip characters,
// collecting `allowed`.
QString numberBefore(QStringView s, qsizetype at, QStringView allowed, qsizetype *from = nullptr)
{
    // Collected backwards and turned round once: long digit runs stay linear.
    QString number;
    qsizetype i = at - 1;
    for (; i >= 0; --i) {
        const QChar c = s.at(i);
        if (allowed.contains(c)) {
            number.append(c);
            continue;
        }
        if (!number.isEmpty() || !numberSkip.contains(c))
            break;
    }
    if (from)
        *from = i + 1;
    std::reverse(number.begin(), number.end());
    return number;
}

const Words nutrientLabels = {u"エネルギー", u"熱量",       u"カロリー", u"たんぱく質",
                              u"タンパク質", u"蛋白質",     u"脂質",     u"炭水化物",
                              u"糖質",       u"食物繊維",   u"塩分",     u"食塩相当量",
                              u"食塩",       u"カルシウム", u"鉄",       u"ビタミン",
                              u"ナトリウム", u"カリウム",   u"野菜量",   u"コレステロール"};

// The first characters of the nutrient labels: a line without any of them
// names none.
bool mayNameNutrient(QStringView text)
{
    static const CharSet first(u"エ熱カたタ蛋脂炭糖食塩鉄ビナ野コ栄キ㌍kK");
    for (QChar c : text) {
        if (first.contains(c))
            return true;
    }
    return false;
}

// Words that make the servings before or after them a nutrition basis.
bool mentionsNutrition(QStringView text)
{
    if (!mayNameNutrient(text))
        return false;
    if (containsAny(text,
                    {u"栄養", u"エネルギー", u"カロリー", u"熱量", u"塩分", u"食塩", u"たんぱく",
                     u"タンパク", u"蛋白", u"脂質", u"炭水化物", u"キロカロリ", u"㌍"}))
        return true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isKcalAt(text, i))
            return true;
    }
    return false;
}

// Characters a nutrient figure may not run into: it would be an amount,
// a count or a time rather than grams.
bool endsFigure(QStringView rest)
{
    qsizetype i = 0;
    while (i < rest.size() && isBlank(rest.at(i)))
        ++i;
    if (i == rest.size())
        return true;
    const QChar c = rest.at(i);
    if (c == u'g')
        return true;
    return !QStringView(u"人個本枚切片杯袋缶束株房尾丁合玉%％倍mkcℓlL小大分度℃円回歳日時秒")
                .contains(c);
}

const Words durationTails = {u"以内", u"程度", u"前後", u"くらい", u"ぐらい", u"ほど", u"位"};

// A duration at i: "30分", "1時間", "1時間30分", "15～20分", "10分～15分".
// Gives the time text and sets end past it; empty when there is none.
QString durationAt(QStringView s, qsizetype i, qsizetype *end)
{
    const auto digits = [&](qsizetype &p) {
        const qsizetype from = p;
        while (p < s.size() && (isDigit(s.at(p)) || (p > from && s.at(p) == u'.')))
            ++p;
        return p > from;
    };
    qsizetype p = i;
    if (!digits(p))
        return {};
    QString text = s.sliced(i, p - i).toString();
    const auto range = [&](qsizetype &q) {
        if (q < s.size() && (s.at(q) == u'～' || s.at(q) == u'~' || s.at(q) == u'-')) {
            qsizetype r = q + 1;
            if (digits(r)) {
                text += u'～' + s.sliced(q + 1, r - q - 1).toString();
                q = r;
            }
        }
    };
    range(p);
    if (s.sliced(p).startsWith(u"時間")) {
        text += u"時間";
        p += 2;
        qsizetype q = p;
        while (q < s.size() && isBlank(s.at(q)))
            ++q;
        const qsizetype minutes = q;
        if (digits(q) && q < s.size() && s.at(q) == u'分') {
            text += s.sliced(minutes, q - minutes).toString() + u'分';
            p = q + 1;
        }
    } else if (p < s.size() && s.at(p) == u'分') {
        ++p;
        if (p < s.size() && s.at(p) == u'間')
            ++p;
        // "10分～15分"
        if (p + 1 < s.size() && (s.at(p) == u'～' || s.at(p) == u'~')) {
            qsizetype r = p + 1;
            const qsizetype from = r;
            if (digits(r) && r < s.size() && s.at(r) == u'分') {
                text += u"分～"_s + s.sliced(from, r - from).toString();
                p = r + 1;
            }
        }
        text += u'分';
    } else {
        return {};
    }
    // "4等分" and "分量" are no times; "10分の1" neither.
    if (p < s.size() && (s.at(p) == u'の' || s.at(p) == u'量'))
        return {};
    *end = p;
    return text;
}

// Labels a cooking time follows.
const Words timeLabels = {u"調理時間",   u"料理時間", u"所要時間", u"目安時間", u"作業時間",
                          u"調理の目安", u"時間:",    u"時間=",    u"Time"};

// What may stand between a time label and the time.
const Words timeFillers = {u"の目安", u"目安", u"およそ", u"約", u"は", u"ほど"};

QString timeAfterLabel(QStringView s, qsizetype from, qsizetype *end)
{
    qsizetype p = from;
    for (int guard = 0; guard < 8 && p < s.size(); ++guard) {
        const QChar c = s.at(p);
        if (isDigit(c))
            return durationAt(s, p, end);
        if (isBlank(c) || QStringView(u":：=＝()（）【】[]/…-").contains(c)) {
            ++p;
            continue;
        }
        bool filler = false;
        for (QStringView w : timeFillers) {
            if (s.sliced(p).startsWith(w)) {
                p += w.size();
                filler = true;
                break;
            }
        }
        if (!filler)
            return {};
    }
    return {};
}

// A time standing alone among servings and calories: "15分", "約20分 2人前".
QString standaloneTime(QStringView s, qsizetype *start, qsizetype *end)
{
    if (s.size() > 40 || s.contains(u'。') || s.contains(u'、'))
        return {};
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (!isDigit(s.at(i)) || (i > 0 && (isDigit(s.at(i - 1)) || s.at(i - 1) == u'.')))
            continue;
        // Delimited before: the line's start, a blank, a bar, a bracket or "約".
        if (i > 0 && !isBlank(s.at(i - 1)) && !QStringView(u"/|(（約:").contains(s.at(i - 1)))
            continue;
        qsizetype e = 0;
        const QString time = durationAt(s, i, &e);
        if (time.isEmpty())
            continue;
        qsizetype after = e;
        for (QStringView tail : durationTails) {
            if (s.sliced(after).startsWith(tail)) {
                after += tail.size();
                break;
            }
        }
        if (after < s.size() && !isBlank(s.at(after)) &&
            !QStringView(u"/|)）").contains(s.at(after)))
            continue;
        // Nothing else on the line but servings and calories.
        QString rest = s.toString();
        rest.replace(i, after - i, QString(after - i, u' '));
        qsizetype ss = 0;
        qsizetype se = 0;
        if (!PageText::servings(rest, &ss, &se).isEmpty())
            rest.replace(ss, se - ss, QString(se - ss, u' '));
        const QStringView left = PageText::core(rest);
        if (!left.isEmpty() && left != u"約"_s && !PageText::isNutritionLine(left))
            continue;
        if (start)
            *start = i;
        if (end)
            *end = after;
        return time;
    }
    return {};
}

// Heading words standing alone.
const Words methodWords = {u"作り方",   u"つくり方", u"作りかた",    u"つくりかた",
                           u"作 り 方", u"手順",     u"手 順",       u"調理手順",
                           u"調理方法", u"調理法",   u"料理手順",    u"下ごしらえ",
                           u"下準備",   u"作業手順", u"How to make", u"HOW TO MAKE"};
const Words pointEndings = {u"ポイント", u"コツ",          u"アドバイス", u"メモ",  u"ヒント",
                            u"ひとこと", u"一言",          u"POINT",      u"Point", u"point",
                            u"TIPS",     u"Tips",          u"tips",       u"MEMO",  u"Memo",
                            u"memo",     u"ポイント・コツ"};
const Words notesWords = {u"備考", u"このレシピの生い立ち", u"生い立ち", u"保存方法",
                          u"保存の目安"};

bool isPointCore(QStringView c)
{
    // "ここがポイント" and "焼くのがコツ" end sentences, not headings.
    return !c.isEmpty() && c.size() <= 16 && endsWithAny(c, pointEndings) &&
           !containsAny(c, {u"、", u"。", u"が", u"を", u"は"});
}

// "<dish>の<word>": the dish, when the line is that and no more.
QString dishBefore(QStringView c, Words words)
{
    if (!c.contains(u'の'))
        return {};
    for (QStringView w : words) {
        const qsizetype at = c.lastIndexOf(u"の"_s + w.toString());
        if (at <= 0)
            continue;
        QStringView rest = c.sliced(at + 1 + w.size());
        // Only a servings note may follow: "…の材料(2人分)".
        rest = PageText::core(rest);
        if (!rest.isEmpty() && PageText::servings(rest).isEmpty() &&
            !(rest.startsWith(u"分量") || rest.startsWith(u"・")))
            continue;
        QString dish = PageText::core(c.first(at)).toString();
        if (dish.isEmpty() || dish.size() > 40 || dish.contains(u':') || dish.contains(u'。') ||
            PageText::isMetaLine(dish))
            continue;
        return dish;
    }
    return {};
}

const Words amountWords = {u"大さじ",     u"小さじ",     u"少々",     u"適量",   u"適宜", u"少量",
                           u"ひとつまみ", u"ひとつかみ", u"お好みで", u"好みで", u"各",   u"カップ",
                           u"大匙",       u"小匙",       u"ひとかけ", u"1つまみ"};
const Words units = {u"g",    u"kg",     u"ml",   u"mL", u"cc",   u"l",    u"L",    u"個",
                     u"本",   u"枚",     u"切れ", u"切", u"かけ", u"片",   u"束",   u"袋",
                     u"缶",   u"カップ", u"丁",   u"合", u"玉",   u"株",   u"房",   u"尾",
                     u"杯",   u"パック", u"cm",   u"粒", u"把",   u"節",   u"匹",   u"羽",
                     u"皿分", u"膳",     u"滴",   u"つ", u"さじ", u"ふさ", u"尾分", u"人分"};

const Words orgEndings = {
    u"市",         u"町",         u"村",           u"県",         u"区",         u"課",
    u"係",         u"センター",   u"病院",         u"クリニック", u"協会",       u"組合",
    u"委員会",     u"株式会社",   u"大学",         u"学校",       u"保健所",     u"役場",
    u"役所",       u"公式サイト", u"ホームページ", u"サイト",     u"ブログ",     u"日記",
    u"ダイアリー", u"だより",     u"通信",         u"新聞",       u"レシピ集",   u"レシピ帳",
    u"ラボ",       u"ノート",     u"キッチン",     u"食堂",       u"クッキング", u"料理教室",
    u"栄養科",     u"栄養課",     u"の会",         u"レシピ",     u"メニュー",   u"献立",
    u"おすすめ",   u"特集",       u"一覧",         u"コーナー",   u"献立から"};

const Words navWords = {
    u"ホーム",       u"HOME",       u"Home",     u"TOP",          u"トップ",
    u"トップページ", u"メニュー",   u"MENU",     u"ログイン",     u"ログアウト",
    u"新規登録",     u"会員登録",   u"検索",     u"サイト内検索", u"本文へ",
    u"サイトマップ", u"印刷",       u"印刷する", u"保存",         u"保存する",
    u"シェア",       u"シェアする", u"ツイート", u"いいね",       u"LINE",
    u"閉じる",       u"戻る",       u"前へ",     u"次へ",         u"もっと見る",
    u"続きを読む",   u"English",    u"目次",     u"お気に入り",   u"ブックマーク",
    u"Facebook",     u"Twitter",    u"X",        u"Instagram",    u"Pinterest"};

const Words navStarts = {u"文字サイズ",   u"背景色",       u"本文へ",           u"レシピを検索",
                         u"サイト内検索", u"お気に入りに", u"このページを",     u"このレシピを",
                         u"印刷用",       u"LINEで",       u"メインコンテンツ", u"ナビゲーション",
                         u"ログイン",     u"会員登録",     u"新規登録",         u"検索:"};

const Words headerStarts = {u"件名",  u"Subject", u"差出人",   u"From:",  u"宛先",  u"To:",
                            u"Cc:",   u"CC:",     u"送信日時", u"送信者", u"Date:", u"日付:",
                            u"Sent:", u"Re:",     u"RE:",      u"Fwd:",   u"FW:"};

const Words bylineStarts = {u"by ",        u"By ",  u"BY ", u"投稿者", u"作者:",     u"著者",
                            u"レシピ作成", u"考案", u"文:", u"文/",    u"written by"};

const Words labelStarts = {u"カテゴリ", u"タグ",     u"キーワード", u"人気のキーワード",
                           u"ジャンル", u"関連タグ", u"分類"};

const Words dateStarts = {u"投稿日",    u"更新日",    u"公開日",  u"掲載日",
                          u"作成日",    u"最終更新",  u"配信日",  u"登録日:",
                          u"Posted on", u"Posted by", u"Updated", u"Published"};

const Words counterLabels = {u"コメント", u"つくれぽ",   u"いいね",       u"レビュー",
                             u"保存",     u"お気に入り", u"シェア",       u"ツイート",
                             u"閲覧",     u"PV",         u"ブックマーク", u"クリップ"};

const Words pageEnds = {u"関連レシピ",
                        u"関連記事",
                        u"関連する",
                        u"おすすめレシピ",
                        u"おすすめ記事",
                        u"人気レシピ",
                        u"人気記事",
                        u"新着レシピ",
                        u"この記事を書いた人",
                        u"このページに関する",
                        u"お問い合わせ",
                        u"お問合せ",
                        u"問い合わせ",
                        u"問合せ",
                        u"ページの先頭",
                        u"ページトップ",
                        u"PAGE TOP",
                        u"Copyright",
                        u"COPYRIGHT",
                        u"©",
                        u"(C)",
                        u"(c)",
                        u"ランキングに参加",
                        u"にほんブログ村",
                        u"ブログ村",
                        u"人気ブログランキング",
                        u"前の記事",
                        u"次の記事",
                        u"カテゴリー一覧",
                        u"このレシピを見た人",
                        u"みんなのつくれぽ",
                        u"コメントを書く",
                        u"コメントする",
                        u"この記事をシェア",
                        u"SNSでシェア",
                        u"この記事が気に入ったら",
                        u"このレシピを書いた人",
                        u"このレシピの作者",
                        u"レシピ作成者"};

const WordList orgEndingList(orgEndings);
const WordList navWordList(navWords);
const WordList navStartList(navStarts);
const WordList headerStartList(headerStarts);
const WordList bylineStartList(bylineStarts);
const WordList labelStartList(labelStarts);
const WordList dateStartList(dateStarts);
const WordList counterLabelList(counterLabels);
const WordList pageEndList(pageEnds);

bool isDateOnly(QStringView c)
{
    if (c.isEmpty())
        return false;
    int digits = 0;
    for (QChar ch : c) {
        if (isDigit(ch))
            ++digits;
        else if (!QStringView(u"年月日/-. :()曜月火水木金土日（）時分").contains(ch) &&
                 !isBlank(ch))
            return false;
    }
    return digits >= 4;
}

bool isCounter(QStringView c)
{
    if (!counterLabelList.mayStart(c))
        return false;
    for (QStringView label : counterLabels) {
        if (!c.startsWith(label))
            continue;
        QStringView rest = c.sliced(label.size());
        bool digits = false;
        for (QChar ch : rest) {
            if (isDigit(ch))
                digits = true;
            else if (!isBlank(ch) && !QStringView(u"()（）件人回数:").contains(ch))
                return false;
        }
        return digits || rest.isEmpty();
    }
    return false;
}

bool isHashtags(QStringView t)
{
    if (!t.startsWith(u'#') && !t.startsWith(u'＃'))
        return false;
    for (QStringView token : t.split(u' ', Qt::SkipEmptyParts)) {
        if (!token.startsWith(u'#') && !token.startsWith(u'＃'))
            return false;
    }
    return true;
}

// "副菜／和風／作り置き": short words between slashes.
bool isTagLine(QStringView c)
{
    if (!c.contains(u'/'))
        return false;
    const QList<QStringView> parts = c.split(u'/');
    if (parts.size() < 3)
        return false;
    for (QStringView p : parts) {
        p = p.trimmed();
        if (p.isEmpty() || p.size() > 10)
            return false;
        for (QChar ch : p) {
            if (isDigit(ch))
                return false;
        }
    }
    return true;
}

// "★★★★☆ 4.2(38件)": a rating.
bool isRating(QStringView c)
{
    if (c.isEmpty() || (!isDigit(c.back()) && c.back() != u')' && c.back() != u'）' &&
                        c.back() != u'★' && c.back() != u'☆'))
        return false;
    if (!c.contains(u'★') && !c.contains(u'☆') && !c.contains(u"評価"))
        return false;
    for (QChar ch : c) {
        if (!isDigit(ch) && !isBlank(ch) && !QStringView(u"★☆.()（）件評価点/:").contains(ch))
            return false;
    }
    return true;
}

// A mail's "みかさん", "田中様": the person it is written to.
bool isSalutation(QStringView c)
{
    return c.size() <= 12 &&
           endsWithAny(c, {u"さん", u"様", u"さま", u"ちゃん", u"くん", u"各位"}) &&
           !c.contains(u' ');
}

bool isOrganisation(QStringView c)
{
    if (startsWithAny(c, {u"広報", u"季刊", u"月刊", u"週刊", u"隔月刊"}))
        return true;
    // A character test first: this runs on nearly every short line.
    if (c.contains(u'.') && (c.contains(u"vol.", Qt::CaseInsensitive) || c.contains(u"No.")))
        return true;
    if (c.contains(u'号') && (c.contains(u"月号") || c.endsWith(u"号")))
        return true;
    return endsWithAny(c, orgEndingList);
}

// Series labels that stand before a name: "今月の一品", "一品料理", "第5回".
bool isSeriesLabel(QStringView w)
{
    if (w.isEmpty())
        return false;
    if (endsWithAny(w, {u"一品", u"料理", u"レシピ", u"献立", u"メニュー", u"おかず", u"おすすめ",
                        u"の味"}))
        return true;
    if (equalsAny(w, {u"主菜", u"副菜", u"主食", u"汁物", u"副々菜", u"デザート", u"おやつ",
                      u"小鉢", u"NEW", u"New", u"新着", u"人気"}))
        return true;
    // "第5回", "No.12", "vol.3", "#12"
    if ((w.startsWith(u'第') && (w.endsWith(u'回') || w.endsWith(u'弾'))) || w.startsWith(u"No.") ||
        w.startsWith(u"vol.", Qt::CaseInsensitive) || w.startsWith(u'#'))
        return true;
    return false;
}

// Common words of dish names the classification rules do not list.
const Words dishWords = {
    u"カレー",     u"煮物",   u"炒め",   u"焼き",   u"和え",     u"揚げ",     u"漬け",   u"汁",
    u"丼",         u"煮",     u"ナムル", u"チヂミ", u"餅",       u"もち",     u"パン",   u"ピラフ",
    u"オムライス", u"卵",     u"たまご", u"玉子",   u"ご飯",     u"寿司",     u"すし",   u"ずし",
    u"団子",       u"だんご", u"餡",     u"白和え", u"グラタン", u"ムニエル", u"マリネ", u"ポトフ"};

} // namespace

namespace PageText {

const CharSet &decoration()
{
    static const CharSet set(u"\u3000∞∴。Ｏ○●◎▼△Ψ◆◇■□┃★＊〓『』【】「」・[]［］…━‥");
    return set;
}

bool namesDish(const QString &text)
{
    return mentionsDishOrIngredient(text) || containsAny(text, dishWords);
}

QStringView core(QStringView line)
{
    qsizetype from = 0;
    qsizetype to = line.size();
    while (from < to && frame().contains(line.at(from)))
        ++from;
    while (to > from && frame().contains(line.at(to - 1)))
        --to;
    return line.sliced(from, to - from);
}

bool endsLikeSentence(QStringView line)
{
    const QStringView t = trimmed(line);
    return t.endsWith(u'。') ||
           endsWithAny(t, {u"です", u"ます", u"でした", u"ました", u"ません", u"ね", u"よ", u"!",
                           u"！", u"?", u"？", u"♪", u"ね♪", u"ください", u"でしょう", u"だ"});
}

bool isSentence(QStringView line)
{
    const QStringView t = trimmed(line);
    if (t.contains(u'。') || endsLikeSentence(t))
        return true;
    if (startsWithAny(t, {u"こんにちは", u"こんばんは", u"おはよう", u"いつも", u"はじめまして"}))
        return true;
    return t.size() > 25 && t.contains(u'、');
}

bool isAdCore(QStringView c)
{
    return equalsAny(c, {u"PR", u"広告", u"スポンサーリンク", u"スポンサードリンク", u"Sponsored",
                         u"SPONSORED", u"AD", u"Ad", u"Advertisement", u"広告を非表示にする",
                         u"提供"});
}

bool isPageEndCore(QStringView c, QStringView t)
{
    return startsWithAny(c, pageEndList) || startsWithAny(t, {u"©", u"(C)", u"(c)"});
}

bool isAdMarker(QStringView line)
{
    return line.size() <= shortLine && isAdCore(core(line));
}

bool isPageEnd(QStringView line)
{
    return line.size() <= shortLine && isPageEndCore(core(line), trimmed(line));
}

QString breadcrumbTail(QStringView line)
{
    if (line.size() > shortLine)
        return {};
    static const CharSet separators(u"»›>＞→≫");
    bool any = false;
    for (QChar c : line)
        any = any || separators.contains(c);
    if (!any)
        return {};
    for (QChar separator : QStringView(u"»›>＞→≫")) {
        if (!line.contains(separator))
            continue;
        QStringList parts;
        for (QStringView p : line.split(separator)) {
            const QString c = core(p).toString();
            if (!c.isEmpty())
                parts.append(c);
        }
        const QStringView t = trimmed(line);
        const bool fromHome =
            !parts.isEmpty() && (t.startsWith(separator) ||
                                 equalsAny(parts.front(), {u"ホーム", u"HOME", u"Home", u"TOP",
                                                           u"トップ", u"トップページ"}));
        if (parts.size() >= 3 || (parts.size() >= 2 && fromHome))
            return parts.back();
    }
    return {};
}

bool isFurniture(QStringView line)
{
    if (line.size() > shortLine)
        return false;
    const QStringView t = trimmed(line);
    const QStringView c = core(line);
    if (c.isEmpty())
        return false;
    if (isAdCore(c) || isPageEndCore(c, t) || !breadcrumbTail(line).isEmpty())
        return true;
    if (equalsAny(c, navWordList) || startsWithAny(c, navStartList))
        return true;
    if (startsWithAny(t, headerStartList) || startsWithAny(t, bylineStartList) ||
        startsWithAny(c, bylineStartList))
        return true;
    if (startsWithAny(c, labelStartList) && (c.contains(u':') || c.contains(u'：')))
        return true;
    if (startsWithAny(c, dateStartList) || isDateOnly(c))
        return true;
    // Credits: "(料理・村田さちこ)", "撮影/森".
    if (c.size() <= 20 && (c.startsWith(u"料理・") || c.startsWith(u"料理/") ||
                           c.startsWith(u"料理:") || c.startsWith(u"文・")))
        return true;
    const bool slash = c.contains(u'/');
    if ((slash || c.contains(u':')) &&
        containsAny(c, {u"撮影", u"スタイリング", u"監修", u"料理制作", u"レシピ制作", u"取材"}))
        return true;
    if (isCounter(c) || isHashtags(t) || isTagLine(c) || isRating(c) || isSalutation(c))
        return true;
    // Where a photograph or a video was: "(写真)", "動画を見る".
    if (equalsAny(c, {u"写真", u"画像", u"動画", u"Photo", u"photo", u"PHOTO", u"写真を拡大",
                      u"拡大", u"動画を見る", u"動画で見る"}))
        return true;
    // A web address or a site named by its domain.
    if ((slash && containsAny(c, {u"http://", u"https://"})) || c.startsWith(u"www.") ||
        endsWithAny(c, {u".com", u".jp", u".net", u".org", u".info"}))
        return true;
    if (startsWithAny(c, {u"特集", u"連載"}))
        return true;
    // Links to more pages: "他のレシピを見る", "レシピ一覧へ".
    if (c.size() <= 20 && endsWithAny(c, {u"を見る", u"を見てみる", u"一覧へ", u"へ戻る",
                                          u"をもっと見る", u"はこちら"}))
        return true;
    // Names of sites, groups and issues are short and no sentences (the
    // cheaper test first).
    return c.size() <= 30 && !isSentence(line) && isOrganisation(c);
}

Heading bareHeading(QStringView line, qsizetype *textAt)
{
    if (textAt)
        *textAt = -1;
    if (line.size() > shortLine)
        return Heading::None;
    const QStringView c = core(line);
    if (c.isEmpty())
        return Heading::None;
    if (equalsAny(c, methodWords) || !dishBefore(c, methodWords).isEmpty())
        return isSentence(line) ? Heading::None : Heading::Method;
    if (isPointCore(c))
        return Heading::Point;
    if (equalsAny(c, notesWords))
        return Heading::Notes;
    if (c.size() <= 20 && c.contains(u"栄養") && !isSentence(line) && calories(line).isEmpty())
        return Heading::Nutrition;
    // "減塩ポイント:みその量を…": the heading and its text on one line.
    const QStringView t = trimmed(line);
    qsizetype colon = t.indexOf(u':');
    if (colon < 0)
        colon = t.indexOf(u'：');
    if (colon > 0 && colon <= 18 && isPointCore(core(t.first(colon)))) {
        if (textAt)
            *textAt = line.indexOf(t) + colon + 1;
        return Heading::Point;
    }
    return Heading::None;
}

QString dishOfHeading(QStringView line)
{
    if (line.size() > shortLine || isSentence(line))
        return {};
    const QStringView c = core(line);
    return dishBefore(c, {u"材料", u"材 料", u"作り方", u"つくり方", u"作りかた", u"レシピ"});
}

bool isNutritionLine(QStringView line)
{
    if (line.size() > 200 || line.contains(u'。'))
        return false;
    if (!mayNameNutrient(line))
        return false;
    if (!calories(line).isEmpty())
        return true;
    const QStringView c = core(line);
    if (c.isEmpty())
        return false;
    if (!nutrientLabelsOnly(c).isEmpty())
        return true;
    // A label with a figure after it, at the start of the line or as one of
    // several: "食塩相当量 1.3g", "…たんぱく質 6g 脂質 3g".
    int figures = 0;
    for (QStringView label : nutrientLabels) {
        // A label alone, perhaps with its basis: "エネルギー", "栄養価(1人分".
        if (c == label ||
            (c.startsWith(label) && c.size() <= label.size() + 8 && !servings(c).isEmpty()))
            return true;
        if (label == u"鉄")
            continue;
        const qsizetype at = c.indexOf(label);
        if (at < 0)
            continue;
        for (qsizetype i = at + label.size(); i < c.size() && i < at + label.size() + 10; ++i) {
            if (isDigit(c.at(i))) {
                if (at == 0)
                    return true;
                ++figures;
                break;
            }
        }
    }
    return figures >= 2 || (figures == 1 && startsWithAny(c, {u"1人分", u"1人あたり", u"栄養"}));
}

QList<QStringView> nutrientLabelsOnly(QStringView line)
{
    QList<QStringView> labels;
    if (line.size() > 80 || !mayNameNutrient(line))
        return labels;
    for (QStringView word : line.split(u' ', Qt::SkipEmptyParts)) {
        const QStringView w = core(word);
        if (w.isEmpty())
            continue;
        if (!equalsAny(w, nutrientLabels))
            return {};
        labels.append(w);
    }
    return labels;
}

QList<QString> figures(QStringView line)
{
    QList<QString> found;
    if (line.size() > 80)
        return found;
    for (QStringView word : line.split(u' ', Qt::SkipEmptyParts)) {
        const QString figure = leadingFigure(word);
        if (figure.isEmpty())
            return {};
        found.append(figure);
    }
    return found;
}

QString calories(QStringView line)
{
    for (qsizetype i = 0; i < line.size(); ++i) {
        const qsizetype unit = calorieUnitAt(line, i);
        if (unit == 0)
            continue;
        const QString number = numberBefore(line, i, u".0123456789～");
        if (!number.isEmpty() && number != u"."_s)
            return number;
        i += unit - 1;
    }
    return {};
}

QString nutrient(QStringView line, std::initializer_list<QStringView> keywords, bool *labelOnly)
{
    if (labelOnly)
        *labelOnly = false;
    // The next place of each keyword, searched again only once passed, so
    // that a long line is read once per keyword.
    QList<qsizetype> next;
    for (QStringView k : keywords)
        next.append(line.indexOf(k));
    qsizetype searchFrom = 0;
    while (searchFrom < line.size()) {
        // The earliest keyword from here on.
        qsizetype at = -1;
        qsizetype length = 0;
        qsizetype n = 0;
        for (QStringView k : keywords) {
            if (next[n] >= 0 && next[n] < searchFrom)
                next[n] = line.indexOf(k, searchFrom);
            if (next[n] >= 0 && (at < 0 || next[n] < at)) {
                at = next[n];
                length = k.size();
            }
            ++n;
        }
        if (at < 0)
            return {};
        qsizetype p = at + length;
        while (p < line.size()) {
            const QChar c = line.at(p);
            if (isBlank(c) || QStringView(u":：=＝[]【】〔〕{}約相当量/").contains(c)) {
                ++p;
            } else if (c == u'(' || c == u'（') {
                // A basis or a unit in brackets: "(1人分)", "(g)".
                qsizetype close = p + 1;
                while (close < line.size() && close < p + 10 && line.at(close) != u')' &&
                       line.at(close) != u'）')
                    ++close;
                if (close >= line.size() || close >= p + 10)
                    break;
                const QStringView inside = line.sliced(p + 1, close - p - 1);
                if (!inside.contains(u'人') && !inside.contains(u'g') && !inside.isEmpty())
                    break;
                p = close + 1;
            } else {
                break;
            }
        }
        qsizetype e = p;
        while (e < line.size() && (isDigit(line.at(e)) || (e > p && line.at(e) == u'.')))
            ++e;
        if (e > p && endsFigure(line.sliced(e)))
            return line.sliced(p, e - p).toString();
        if (e == p && p >= line.size() && labelOnly && line.size() <= 30)
            *labelOnly = true;
        searchFrom = at + length;
    }
    return {};
}

QString leadingFigure(QStringView line)
{
    qsizetype p = 0;
    while (p < line.size() && (isBlank(line.at(p)) || QStringView(u"/:：").contains(line.at(p))))
        ++p;
    qsizetype e = p;
    while (e < line.size() && (isDigit(line.at(e)) || (e > p && line.at(e) == u'.')))
        ++e;
    if (e == p)
        return {};
    QStringView rest = line.sliced(e).trimmed();
    for (QStringView unit :
         {u"kcal", u"Kcal", u"KCAL", u"キロカロリー", u"mg", u"g", u"グラム", u"μg", u"%"}) {
        if (rest.startsWith(unit)) {
            rest = rest.sliced(unit.size()).trimmed();
            break;
        }
    }
    if (!core(rest).isEmpty())
        return {};
    return line.sliced(p, e - p).toString();
}

QString servings(QStringView line, qsizetype *start, qsizetype *end)
{
    const QStringView allowed = u"一二三四五六七八九0123456789～~";
    for (qsizetype i = 0; i + 1 < line.size(); ++i) {
        if (line.at(i) != u'人' || (line.at(i + 1) != u'分' && line.at(i + 1) != u'前'))
            continue;
        qsizetype from = 0;
        QString number = numberBefore(line, i, allowed, &from);
        qsizetype tilde = 0;
        while (tilde < number.size() && (number.at(tilde) == u'～' || number.at(tilde) == u'~'))
            ++tilde;
        number.remove(0, tilde);
        from += tilde;
        if (number.isEmpty())
            continue;
        // The basis of nutrition figures is no number of servings; the
        // nutrients stand close before it ("栄養価(1人分)").
        const qsizetype window = qMax<qsizetype>(0, from - 30);
        if (mentionsNutrition(line.sliced(window, from - window)))
            continue;
        QStringView after = line.sliced(i + 2);
        qsizetype skip = 0;
        while (skip < after.size() &&
               (isBlank(after.at(skip)) || QStringView(u")）】]:：>").contains(after.at(skip))))
            ++skip;
        after = after.sliced(skip);
        if (startsWithAny(after, {u"あたり", u"当たり", u"当り", u"の栄養", u"の"}) ||
            startsWithAny(after, nutrientLabels))
            continue;
        qsizetype digits = 0;
        while (digits < after.size() && (isDigit(after.at(digits)) || after.at(digits) == u'.'))
            ++digits;
        if (digits > 0 && !calories(after.first(qMin(after.size(), digits + 8))).isEmpty())
            continue;
        if (start)
            *start = from;
        if (end)
            *end = i + 2;
        return number.replace(u'~', u'～');
    }
    return {};
}

QString cookingTime(QStringView line, qsizetype *start, qsizetype *end)
{
    const bool labelled = line.contains(u'時') || line.contains(u"目安") || line.contains(u"Time");
    for (QStringView label : timeLabels) {
        if (!labelled)
            break;
        qsizetype at = line.indexOf(label);
        while (at >= 0) {
            qsizetype e = 0;
            const QString time = timeAfterLabel(line, at + label.size(), &e);
            if (!time.isEmpty()) {
                if (start)
                    *start = at;
                if (end)
                    *end = e;
                return time;
            }
            at = line.indexOf(label, at + label.size());
        }
    }
    return standaloneTime(line, start, end);
}

bool isMetaLine(QStringView line)
{
    if (line.size() > 80 || line.contains(u'。'))
        return false;
    bool digit = false;
    for (QChar c : line)
        digit = digit || isDigit(c) || QStringView(u"一二三四五六七八九").contains(c);
    if (!digit)
        return isNutritionLine(line);
    if (isNutritionLine(line))
        return true;
    QString rest = line.toString();
    qsizetype s = 0;
    qsizetype e = 0;
    bool found = false;
    if (!servings(rest, &s, &e).isEmpty()) {
        rest.replace(s, e - s, QString(e - s, u' '));
        found = true;
    }
    if (!cookingTime(rest, &s, &e).isEmpty()) {
        rest.replace(s, e - s, QString(e - s, u' '));
        found = true;
    }
    if (!found)
        return false;
    const QStringView c = core(rest);
    return c.isEmpty() || equalsAny(c, {u"人数", u"分量", u"時間", u"調理時間", u"目安", u"約",
                                        u"材料", u"1人分"});
}

bool hasAmountToken(QStringView line)
{
    if (containsAny(line, amountWords))
        return true;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (!isDigit(line.at(i)))
            continue;
        qsizetype p = i;
        while (p < line.size() &&
               (isDigit(line.at(p)) || QStringView(u"./～~").contains(line.at(p))))
            ++p;
        while (p < line.size() && isBlank(line.at(p)))
            ++p;
        if (startsWithAny(line.sliced(p), units))
            return true;
        i = p;
    }
    return false;
}

bool hasAmount(QStringView line)
{
    for (QChar c : line) {
        if (isDigit(c) || QStringView(u"½¼¾⅓⅔一二三").contains(c))
            return true;
    }
    return containsAny(line, amountWords);
}

bool isAmountOnly(QStringView line)
{
    const QStringView t = core(line);
    if (t.isEmpty() || t.size() > 25 || t.contains(u'。') || t.contains(u'、'))
        return false;
    if (startsWithAny(t, amountWords))
        return true;
    qsizetype p = 0;
    if (t.startsWith(u'約'))
        ++p;
    const qsizetype from = p;
    while (p < t.size() && (isDigit(t.at(p)) || QStringView(u"./～~½¼¾⅓⅔と").contains(t.at(p))))
        ++p;
    if (p == from)
        return false;
    while (p < t.size() && isBlank(t.at(p)))
        ++p;
    return startsWithAny(QStringView(t).sliced(p), units);
}

QString stepNumberAlone(QStringView line)
{
    QStringView t = trimmed(line);
    if (t.isEmpty() || t.size() > 12)
        return {};
    for (QStringView label : {u"STEP", u"Step", u"step", u"ステップ", u"手順", u"工程"}) {
        if (t.startsWith(label)) {
            t = t.sliced(label.size()).trimmed();
            if (t.startsWith(u'.') || t.startsWith(u':'))
                t = t.sliced(1).trimmed();
            break;
        }
    }
    qsizetype n = 0;
    while (n < t.size() && n < 2 && isDigit(t.at(n)))
        ++n;
    if (n > 0 && (n == t.size() || (n + 1 == t.size() && QStringView(u".)）:").contains(t.at(n)))))
        return t.first(n).toString() + u'.';
    if (t.size() == 1 && t.at(0) >= u'①' && t.at(0) <= u'⑳')
        return t.toString();
    if (t.size() >= 3 && t.size() <= 4 && QStringView(u"(（【[").contains(t.front()) &&
        QStringView(u")）】]").contains(t.back())) {
        for (QChar c : t.sliced(1, t.size() - 2)) {
            if (!isDigit(c))
                return {};
        }
        return t.toString();
    }
    return {};
}

bool startsWithStepNumber(QStringView line)
{
    const QStringView t = trimmed(line);
    if (t.isEmpty())
        return false;
    if (t.at(0) >= u'①' && t.at(0) <= u'⑳')
        return true;
    if (startsWithAny(t, {u"STEP", u"Step", u"ステップ"}))
        return true;
    qsizetype p = 0;
    if (QStringView(u"(（【[").contains(t.at(0)))
        p = 1;
    const qsizetype from = p;
    while (p < t.size() && p < from + 2 && isDigit(t.at(p)))
        ++p;
    if (p == from || p >= t.size())
        return false;
    return QStringView(u" \u3000.．)）】〉]〕}］｝＞≫、:").contains(t.at(p));
}

QString dishName(QStringView line)
{
    QString name = line.trimmed().toString();
    // Table bars around a cell.
    while (name.startsWith(u'|') || name.endsWith(u'|')) {
        if (name.startsWith(u'|'))
            name.remove(0, 1);
        if (name.endsWith(u'|'))
            name.chop(1);
        name = name.trimmed();
    }
    // A browser title: "豚の生姜焼き | サイト名".
    for (QStringView bar : {u" | ", u"｜", u" - ", u" – ", u" — ", u" / "}) {
        const qsizetype at = name.indexOf(bar);
        if (at > 0)
            name.truncate(at);
    }
    // Symbols around the name: "☆☆☆ 豚こま炒め ☆☆☆".
    {
        qsizetype from = 0;
        qsizetype to = name.size();
        while (from < to && (nameFrame().contains(name.at(from)) || name.at(from) == u' '))
            ++from;
        while (to > from && (nameFrame().contains(name.at(to - 1)) || name.at(to - 1) == u' '))
            --to;
        name = name.sliced(from, to - from);
    }
    // A name in quotes with a description after it: "「冷や汁」 宮崎の郷土料理".
    for (const auto &[open, close] : {std::pair{u'「', u'」'}, std::pair{u'『', u'』'}}) {
        const qsizetype end = name.indexOf(close);
        if (name.startsWith(open) && end > 1 && end + 1 < name.size()) {
            name = name.sliced(1, end - 1);
            break;
        }
    }
    // A catch before the name: "簡単！さつまいものレモン煮".
    {
        const qsizetype mark = name.indexOf(u'!');
        if (mark > 0 && mark <= 12 && mark + 1 < name.size() &&
            !core(QStringView(name).sliced(mark + 1)).isEmpty())
            name = name.mid(mark + 1).trimmed();
    }
    // Taglines between wave dashes: "鶏の唐揚げ ～にんにく醤油味～".
    for (;;) {
        const qsizetype open = name.indexOf(u'～');
        const qsizetype close = open < 0 ? -1 : name.indexOf(u'～', open + 1);
        if (close < 0)
            break;
        name.remove(open, close - open + 1);
    }
    name = name.trimmed();
    // A bracketed label before the name: "【減塩レシピ】さばのみそ煮".
    static const QStringView opens = u"【[［〔《≪<＜(（";
    static const QStringView closes = u"】]］〕》≫>＞)）";
    for (int round = 0; round < 2 && !name.isEmpty(); ++round) {
        const qsizetype kind = opens.indexOf(name.front());
        if (kind < 0)
            break;
        const qsizetype close = name.indexOf(closes.at(kind), 1);
        if (close < 0 || close + 1 >= name.size())
            break;
        const QString rest = name.mid(close + 1).trimmed();
        if (core(rest).isEmpty())
            break;
        name = rest;
    }
    // A bracket after the name holding servings or a time.
    if (!name.isEmpty()) {
        const qsizetype kind = closes.indexOf(name.back());
        const qsizetype open = kind < 0 ? -1 : name.lastIndexOf(opens.at(kind));
        if (open > 0) {
            const QStringView inside = QStringView(name).sliced(open);
            if (!servings(inside).isEmpty() || !cookingTime(inside).isEmpty())
                name = name.left(open).trimmed();
        }
    }
    // A series label before the name: "今月の一品 かぼちゃの…", "一品料理:…".
    for (int round = 0; round < 2; ++round) {
        qsizetype gap = name.indexOf(u' ');
        const qsizetype colon = name.indexOf(u':');
        if (colon > 0 && (gap < 0 || colon < gap))
            gap = colon;
        if (gap <= 0 || !isSeriesLabel(QStringView(name).first(gap)))
            break;
        name = name.mid(gap + 1).trimmed();
    }
    for (QStringView ending : {u"の作り方・レシピ", u"のレシピ・作り方", u"レシピ・作り方",
                               u"の作り方", u"のつくり方", u"のレシピ"}) {
        if (name.endsWith(ending) && name.size() > ending.size()) {
            name.chop(ending.size());
            break;
        }
    }
    if (name.endsWith(u"レシピ") && name.size() > 3 && namesDish(name.left(name.size() - 3))) {
        name.chop(3);
    }
    // Decoration at the ends goes, inside it becomes blanks; "・" joins words.
    name = name.trimmed();
    qsizetype from = 0;
    qsizetype to = name.size();
    const auto edge = [](QChar c) {
        return PageText::decoration().contains(c) || c == u'～' || nameFrame().contains(c) ||
               c == u' ';
    };
    while (from < to && edge(name.at(from)))
        ++from;
    while (to > from && edge(name.at(to - 1)))
        --to;
    name = name.sliced(from, to - from);
    for (QChar &c : name) {
        if (c != u'・' && (PageText::decoration().contains(c) || c == u'～'))
            c = u' ';
    }
    name = name.trimmed();
    while (name.contains(u"  "))
        name.replace(u"  "_s, u" "_s);
    if (name.endsWith(u"投票")) {
        name.chop(2);
        name = name.trimmed();
    }
    if (name.size() >= 2 && name.startsWith(u'＜') && name.endsWith(u'＞'))
        name = name.sliced(1, name.size() - 2).trimmed();
    return name;
}

bool couldBeDishName(const QString &name)
{
    if (name.isEmpty() || name.size() > 40 || name.contains(u':'))
        return false;
    int letters = 0;
    for (QChar c : name)
        letters += c.isLetter() ? 1 : 0;
    if (letters < qMin<qsizetype>(2, name.size()))
        return false;
    if (isFurniture(name) || isSentence(name) || isMetaLine(name) || isNutritionLine(name) ||
        !servings(name).isEmpty() || !cookingTime(name).isEmpty())
        return false;
    if (bareHeading(name) != Heading::None)
        return false;
    // An ingredient row ("キャベツ 1/4個"); "3色丼" is a name.
    return !isAmountOnly(name) && !hasAmountToken(name);
}

} // namespace PageText
