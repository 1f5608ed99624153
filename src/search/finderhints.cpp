#include "search/finderhints.h"

#include <QStringList>

using namespace Qt::StringLiterals;

QString FinderHints::initialHint()
{
    return u"冷蔵庫に余ってる材料を選択してみましょう"_s;
}

QString FinderHints::tick()
{
    static const QStringList hints = {
        u"料理に使う主材料を選択してみましょう"_s,
        u"「何食べたい？」ボタンでおかずを自動選択"_s,
        u"食べたい材料を選択してみましょう"_s,
        u"主材料だけでも検索できます"_s,
        u"カボチャなど材料名を選択しても検索できます"_s,
        u"キーワードでも検索できます"_s,
        u"検索したおかずは一覧に表示されます。"_s,
        initialHint(),
    };
    ++m_counter;
    m_text = hints.at(m_counter - 1);
    if (m_counter == int(hints.size()))
        m_counter = 0;
    return m_text;
}
