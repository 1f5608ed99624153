#include "platform/widgets/desktopdocumentstarter.h"

#include <QDesktopServices>
#include <QProcess>

void DesktopDocumentStarter::startProgram(const QString &program, const QStringList &args)
{
    QProcess::startDetached(program, args);
}

void DesktopDocumentStarter::openUrl(const QUrl &url)
{
    QDesktopServices::openUrl(url);
}
