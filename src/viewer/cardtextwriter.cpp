#include "viewer/cardtextwriter.h"

using namespace Qt::StringLiterals;

const QString CardTextWriter::ellipsis = u"･･･････"_s;

CardTextWriter::CardTextWriter(qreal lineHeight, Measure measure, Draw draw)
    : m_lineHeight(lineHeight), m_measure(std::move(measure)), m_draw(std::move(draw))
{}

void CardTextWriter::newLine()
{
    m_pos = QPointF(0, m_pos.y() + m_lineHeight);
}

bool CardTextWriter::write(const QString &text, qreal right, std::optional<qreal> bottom)
{
    const qreal startX = m_pos.x();
    auto breakLine = [&] { m_pos = QPointF(startX, m_pos.y() + m_lineHeight); };
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (bottom && m_pos.y() + 2 * m_lineHeight > *bottom) {
            m_draw(m_pos, ellipsis);
            m_pos.rx() += m_measure(ellipsis);
            return false;
        }
        const QChar c = text.at(i);
        if (c == u'\\' && i + 1 < text.size() && text.at(i + 1) == u'n') {
            ++i;
            breakLine();
            continue;
        }
        if (c == u'\n')
            continue;
        if (c == u'\r') {
            breakLine();
            continue;
        }
        // A surrogate pair is one character on the card.
        const qsizetype len = c.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString piece = text.mid(i, len);
        i += len - 1;
        const qreal w = m_measure(piece);
        if (m_pos.x() + w > right)
            breakLine();
        m_draw(m_pos, piece);
        m_pos.rx() += w;
    }
    return true;
}
