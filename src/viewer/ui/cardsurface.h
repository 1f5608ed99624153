#pragma once

#include <QImage>
#include <QWidget>

// The picture box the cards are drawn on ("Pic1"): shows a rendered image,
// reports presses and size changes.
class CardSurface : public QWidget
{
    Q_OBJECT
public:
    explicit CardSurface(QWidget *parent = nullptr);

    void setImage(const QImage &image);
    const QImage &image() const { return m_image; }

Q_SIGNALS:
    void pressed(const QPointF &at);
    void resized();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QImage m_image;
};
