#include "app/appstate.h"
#include "app/ui/mainwindow.h"
#include "platform/clock.h"
#include "platform/widgets/printersetup.h"
#include "print/engine/fontsubstitutions.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QVRECIPE"));
    installFontSubstitutions();

    Clock clock;
    AppState state;
    state.clock = &clock;
    // The printer chosen here is the default of the following print runs.
    MainWindow::setPrinterSetupRunner([](MainWindow &frame) { printerSetupDialog(&frame); });
    MainWindow window(state);
    const QString commandLine = QApplication::arguments().mid(1).join(u' ');
    if (!window.start(commandLine))
        return 0;
    return app.exec();
}
