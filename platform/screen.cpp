#include "platform/screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace tessvane::platform {

QSize primaryScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->size() : QSize(1024, 768);
}

int screenDepth() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->depth() : 24;
}

}  // namespace tessvane::platform
