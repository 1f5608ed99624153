// Peak memory of a start-up: the program as its entry point starts it, over
// the recipe file of the program folder named by QVRECIPE_HOME, ended once
// the list is built and the events have run. Any box the start shows (the
// version box of a first start) is closed at once. Prints the list size and
// the maximum resident set size.
#include "app/appstate.h"
#include "app/ui/listwindowhooks.h"
#include "app/ui/mainwindow.h"
#include "editor/ui/recipelistwindow.h"
#include "platform/clock.h"

#include <QApplication>
#include <QListWidget>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, &app, [] {
        if (QWidget *box = QApplication::activeModalWidget())
            box->close();
    });
    closer.start(20);
    Clock clock;
    AppState state;
    state.clock = &clock;
    RecipeListWindow *list = nullptr;
    MainWindow::setListWindowFactory([&list](MainWindow &frame) -> QWidget * {
        list = new RecipeListWindow(frame.state(), frame.prompts(), *frame.state().clock,
                                    makeListWindowHooks());
        return list;
    });
    MainWindow window(state);
    if (!window.start(QString()))
        return window.exitCode();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    app.exec();
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    std::printf("start-up: %d entries listed, peak memory %.1f MB\n",
                list ? list->list()->count() : -1, u.ru_maxrss / 1024.0);
    return 0;
}
