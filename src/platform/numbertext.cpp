#include "platform/numbertext.h"

#include <cmath>
#include <limits>

namespace NumberText {

double parseNumber(const QString &text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text.at(i) == u' ' || text.at(i) == u'\t'))
        ++i;
    if (i + 1 < n && text.at(i) == u'&' && (text.at(i + 1) == u'H' || text.at(i + 1) == u'h')) {
        i += 2;
        double value = 0;
        for (; i < n; ++i) {
            const int digit = QChar(text.at(i)).isDigit() ? text.at(i).unicode() - u'0'
                              : (text.at(i).toUpper() >= u'A' && text.at(i).toUpper() <= u'F')
                                  ? text.at(i).toUpper().unicode() - u'A' + 10
                                  : -1;
            if (digit < 0 || text.at(i).unicode() > 0x7F)
                break;
            value = value * 16 + digit;
        }
        return value;
    }
    const qsizetype start = i;
    if (i < n && (text.at(i) == u'-' || text.at(i) == u'+'))
        ++i;
    bool digits = false;
    while (i < n && text.at(i) >= u'0' && text.at(i) <= u'9') {
        ++i;
        digits = true;
    }
    if (i < n && text.at(i) == u'.') {
        ++i;
        while (i < n && text.at(i) >= u'0' && text.at(i) <= u'9') {
            ++i;
            digits = true;
        }
    }
    if (!digits)
        return 0;
    // An exponent only counts when digits follow it.
    if (i < n && (text.at(i) == u'E' || text.at(i) == u'e')) {
        qsizetype j = i + 1;
        if (j < n && (text.at(j) == u'-' || text.at(j) == u'+'))
            ++j;
        if (j < n && text.at(j) >= u'0' && text.at(j) <= u'9') {
            while (j < n && text.at(j) >= u'0' && text.at(j) <= u'9')
                ++j;
            i = j;
        }
    }
    bool ok = false;
    const double value = text.mid(start, i - start).toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0;
}

template <typename T> static T roundTo(double value)
{
    const double r = std::nearbyint(value); // default rounding: halves to even
    if (r < double(std::numeric_limits<T>::min()))
        return std::numeric_limits<T>::min();
    if (r > double(std::numeric_limits<T>::max()))
        return std::numeric_limits<T>::max();
    return T(r);
}

int16_t toInt16(double value)
{
    return roundTo<int16_t>(value);
}

int32_t toInt32(double value)
{
    return roundTo<int32_t>(value);
}

} // namespace NumberText
