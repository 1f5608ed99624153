#include "print/ui/runpointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace RunPointer {

namespace {
bool shown = false;
}

void busy()
{
    if (!shown)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    shown = true;
}

void normal()
{
    if (shown)
        QGuiApplication::restoreOverrideCursor();
    shown = false;
}

} // namespace RunPointer
