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

QPoint visiblePosition(const QRect &window, const QList<QRect> &screens)
{
    if (screens.isEmpty())
        return window.topLeft();
    // The title band must lie on a screen from top to bottom and show enough
    // of its width to be grabbed.
    const QRect band(window.topLeft(), QSize(window.width(), qMin(window.height(), 32)));
    const int grabWidth = qMin(window.width(), 100);
    for (const QRect &screen : screens) {
        const QRect shown = band.intersected(screen);
        if (shown.height() == band.height() && shown.width() >= grabWidth)
            return window.topLeft();
    }
    const auto distance = [&window](const QRect &screen) {
        const QPoint c = window.center();
        const int dx = qMax(0, qMax(screen.left() - c.x(), c.x() - screen.right()));
        const int dy = qMax(0, qMax(screen.top() - c.y(), c.y() - screen.bottom()));
        return qint64(dx) * dx + qint64(dy) * dy;
    };
    const QRect *nearest = &screens.front();
    for (const QRect &screen : screens) {
        if (distance(screen) < distance(*nearest))
            nearest = &screen;
    }
    // Inside the screen; a window larger than it keeps its top-left corner on it.
    const auto fit = [](int at, int size, int low, int high) {
        return qMax(low, qMin(at, high - size + 1));
    };
    return {fit(window.left(), window.width(), nearest->left(), nearest->right()),
            fit(window.top(), window.height(), nearest->top(), nearest->bottom())};
}

void moveOntoScreen(QWidget *window, const QPoint &position)
{
    if (!window)
        return;
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    window->move(visiblePosition(QRect(position, window->frameGeometry().size()), screens));
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
