#pragma once

#include <QPointF>
#include <QString>

#include <functional>
#include <optional>

// Writes a card's text character by character from the current position,
// wrapping at a right bound and ending with "･･･････" when the text would
// run past the bottom. Measuring and drawing are passed in, so the layout
// is the same on screen and in tests.
class CardTextWriter
{
public:
    using Measure = std::function<qreal(const QString &)>;
    using Draw = std::function<void(const QPointF &topLeft, const QString &text)>;

    static const QString ellipsis; // "･･･････"

    // lineHeight is the font size in pixels.
    CardTextWriter(qreal lineHeight, Measure measure, Draw draw);

    QPointF position() const { return m_pos; }
    void setPosition(const QPointF &pos) { m_pos = pos; }
    void setX(qreal x) { m_pos.setX(x); }
    void moveDown(qreal dy) { m_pos.ry() += dy; }
    // Next line at x = 0, as a plain line break on the surface does.
    void newLine();

    // Writes text starting at the current position; new lines start at the
    // current X of the call. The encoded line break ("\" "n") and CR break
    // lines; LF is skipped. Returns false when the text was cut short.
    bool write(const QString &text, qreal right, std::optional<qreal> bottom);

    void setLineHeight(qreal h) { m_lineHeight = h; }
    qreal lineHeight() const { return m_lineHeight; }

private:
    qreal m_lineHeight;
    Measure m_measure;
    Draw m_draw;
    QPointF m_pos;
};
