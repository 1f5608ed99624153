#include "viewer/ui/cardsurface.h"

#include <QMouseEvent>
#include <QPainter>

using namespace Qt::StringLiterals;

CardSurface::CardSurface(QWidget *parent) : QWidget(parent)
{
    setObjectName(u"Pic1"_s);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void CardSurface::setImage(const QImage &image)
{
    m_image = image;
    update();
}

void CardSurface::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.drawImage(QPoint(0, 0), m_image);
}

void CardSurface::mousePressEvent(QMouseEvent *event)
{
    Q_EMIT pressed(event->position());
    QWidget::mousePressEvent(event);
}

void CardSurface::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Q_EMIT resized();
}
