// Runs the program with a template whose window is not the one asked for: loading it is a
// fatal error, which must tell the user and end the process with exit code -1.

#include "app/handler_table.h"
#include "app/start_up.h"
#include "ui/window_template.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // Plays the user: whatever box comes up is read and closed.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            std::printf("box shown: %s\n", qPrintable(box->windowTitle()));
            box->close();
        }
    });
    closer.start(50);
    constexpr tessvane::ui::WindowId kMissingWindow = 0x52019999;
    const int code = tessvane::app::startUp(tessvane::ui::mainWindowTemplate(), kMissingWindow,
                                            &tessvane::app::programHandler);
    std::printf("startUp returned %d instead of ending the process\n", code);
    return 0;
}
