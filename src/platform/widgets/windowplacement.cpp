#include "platform/widgets/windowplacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace WindowPlacement {

void centreOn(QWidget *window, const QWidget *on)
{
    if (!window)
        return;
    const QSize own = window->frameGeometry().size();
    QPoint topLeft = window->pos();
    if (on) {
        const QRect main = on->window()->frameGeometry();
        topLeft = QPoint(main.left() + (main.width() - own.width()) / 2,
                         main.top() + (main.height() - own.height()) / 2);
    }
    const QScreen *screen = on ? on->screen() : window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->geometry();
        if (topLeft.y() < area.top())
            topLeft.setY(area.top());
        if (topLeft.y() + own.height() > area.bottom() + 1)
            topLeft.setY(area.bottom() + 1 - own.height());
    }
    window->move(topLeft);
}

double twipsPerPixel(const QWidget *widget)
{
    const QScreen *screen =
        widget && widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

int twipsToPixels(const QWidget *widget, int twips)
{
    return int(twips / twipsPerPixel(widget) + 0.5);
}

} // namespace WindowPlacement
