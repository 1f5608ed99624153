#include "analysis/textfold.h"

#include <array>
#include <string_view>

namespace {

// FROM and TO, block by block.
constexpr std::u16string_view foldFrom[] = {
    u"。「」、・",
    u"ｦｧｨｩｪｫｬｭｮｯｰｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝﾞﾟ",
    u"をぁぃぅぇぉゃゅょっーあいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめも"
    u"やゆよらりるれろわん゛゜",
    u"がぎぐげござじずぜぞだづでどばびぶべぼぱぴぷぺぽ",
    u"ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔ"
    u"ｕｖｗｘｙｚ",
    u"０１２３４５６７８９",
    u"！”＃＄％＆’（）＊＋,－．／：；＜＝＞？＠［￥］＾＿｀｛｜｝￣",
};
constexpr std::u16string_view foldTo[] = {
    u"｡｢｣､･",
    u"ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモ"
    u"ヤユヨラリルレロワン゛゜",
    u"ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモ"
    u"ヤユヨラリルレロワン゛゜",
    u"ガギグゲゴザジズゼゾダヅデドバビブベボパピプペポ",
    u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz",
    u"0123456789",
    u"!\"#$%&'()*+，-./:;<=>?@[\\]^_`{|}~",
};

// Every character of the table lies in the BMP, so one lookup per UTF-16 unit
// keeps the text's length and leaves surrogates alone.
const std::array<char16_t, 0x10000> &foldTable()
{
    static const std::array<char16_t, 0x10000> table = [] {
        std::array<char16_t, 0x10000> t{};
        for (std::size_t c = 0; c < t.size(); ++c)
            t[c] = char16_t(c);
        std::array<bool, 0x10000> seen{};
        for (std::size_t block = 0; block < std::size(foldFrom); ++block) {
            for (std::size_t i = 0; i < foldFrom[block].size(); ++i) {
                const char16_t from = foldFrom[block][i];
                if (seen[from])
                    continue; // the first occurrence counts
                seen[from] = true;
                t[from] = foldTo[block][i];
            }
        }
        return t;
    }();
    return table;
}

} // namespace

QString foldText(const QString &text)
{
    const auto &table = foldTable();
    QString result = text;
    for (QChar &c : result)
        c = QChar(table[c.unicode()]);
    return result;
}
