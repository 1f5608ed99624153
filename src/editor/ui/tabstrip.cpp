#include "editor/ui/tabstrip.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

using namespace Qt::StringLiterals;

TabStrip::TabStrip(QWidget *parent) : QWidget(parent)
{
    setAutoFillBackground(false);
    setMinimumHeight(22);
    // Reached with Tab like any control; the arrow keys then change pages.
    setFocusPolicy(Qt::StrongFocus);
}

void TabStrip::setTag(const QString &tag)
{
    setProperty("tag", tag);
    update();
}

QString TabStrip::tag() const
{
    return property("tag").toString();
}

QStringList TabStrip::captions() const
{
    return tag().isEmpty() ? QStringList() : tag().split(u',');
}

int TabStrip::tabAt(int x) const
{
    const int n = int(captions().size());
    if (n == 0)
        return 0;
    const int tabWidth = width() / n;
    if (tabWidth <= 0)
        return 1;
    return qBound(1, x / tabWidth + 1, n);
}

void TabStrip::selectTab(int k)
{
    m_selected = qBound(1, k, qMax(1, int(captions().size())));
    update();
}

QSize TabStrip::sizeHint() const
{
    return {160, 24};
}

void TabStrip::paintEvent(QPaintEvent *)
{
    const QStringList names = captions();
    if (names.isEmpty())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int tabWidth = width() / int(names.size());
    const int h = height() - 1;
    for (int i = 0; i < names.size(); ++i) {
        const bool selected = i + 1 == m_selected;
        const int x = i * tabWidth;
        // Slanted sides, the selected tab raised and in the window colour.
        QPainterPath outline;
        const int top = selected ? 0 : 3;
        outline.moveTo(x, h);
        outline.lineTo(x + 6, top);
        outline.lineTo(x + tabWidth - 6, top);
        outline.lineTo(x + tabWidth, h);
        p.fillPath(outline, selected ? palette().window() : palette().mid());
        p.setPen(palette().color(QPalette::Dark));
        p.drawPath(outline);
        p.setPen(palette().color(QPalette::WindowText));
        QFont f = font();
        f.setBold(selected);
        p.setFont(f);
        const QRect captionRect(x, top, tabWidth, h - top);
        p.drawText(captionRect, Qt::AlignCenter, names.at(i));
        if (selected && hasFocus()) {
            QRect focus = p.boundingRect(captionRect, Qt::AlignCenter, names.at(i));
            p.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
            p.setRenderHint(QPainter::Antialiasing, false);
            p.drawRect(focus.adjusted(-3, -1, 2, 0));
            p.setRenderHint(QPainter::Antialiasing);
        }
    }
}

void TabStrip::keyPressEvent(QKeyEvent *event)
{
    const int n = int(captions().size());
    int k = m_selected;
    switch (event->key()) {
    case Qt::Key_Left:
        k = m_selected > 1 ? m_selected - 1 : n;
        break;
    case Qt::Key_Right:
        k = m_selected < n ? m_selected + 1 : 1;
        break;
    case Qt::Key_Home:
        k = 1;
        break;
    case Qt::Key_End:
        k = n;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    if (n == 0)
        return;
    selectTab(k);
    Q_EMIT tabPressed(k);
}

void TabStrip::mousePressEvent(QMouseEvent *event)
{
    const int k = tabAt(int(event->position().x()));
    if (k < 1)
        return;
    selectTab(k);
    Q_EMIT tabPressed(k);
}
