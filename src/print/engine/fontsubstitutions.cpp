#include "print/engine/fontsubstitutions.h"

#include <QFont>
#include <QStringList>

using namespace Qt::StringLiterals;

void installFontSubstitutions()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    const QStringList gothic = {u"IPAGothic"_s, u"IPAexGothic"_s, u"Noto Sans CJK JP"_s};
    const QStringList mincho = {u"IPAMincho"_s, u"IPAexMincho"_s, u"Noto Serif CJK JP"_s};
    const QStringList pgothic = {u"IPAPGothic"_s, u"IPAGothic"_s, u"Noto Sans CJK JP"_s};
    const QStringList pmincho = {u"IPAPMincho"_s, u"IPAMincho"_s, u"Noto Serif CJK JP"_s};
    QFont::insertSubstitutions(u"ＭＳ ゴシック"_s, gothic);
    QFont::insertSubstitutions(u"ＭＳ 明朝"_s, mincho);
    QFont::insertSubstitutions(u"ＭＳ Ｐゴシック"_s, pgothic);
    QFont::insertSubstitutions(u"ＭＳ Ｐ明朝"_s, pmincho);
    QFont::insertSubstitutions(u"MS Gothic"_s, gothic);
    QFont::insertSubstitutions(u"MS Mincho"_s, mincho);
}
