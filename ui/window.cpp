#include "ui/window.h"

#include "platform/screen.h"
#include "ui/label_text.h"
#include "ui/property_tables.h"

#include <QKeyEvent>
#include <QPainter>
#include <QTimer>

namespace tessvane::ui {

namespace property = window_property;

Window::Window(const ControlRecord& record, WindowId window)
    : Control(record, window, nullptr), m_outerSize(record.width, record.height) {
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_OpaquePaintEvent);

    // A fixed frame with caption and system menu; the boxes follow the properties.
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (booleanProperty(property::controlBox)) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    }
    if (booleanProperty(property::minimizeBox)) {
        flags |= Qt::WindowMinimizeButtonHint;
    }
    if (booleanProperty(property::maximizeBox)) {
        flags |= Qt::WindowMaximizeButtonHint;
    }
    if (booleanProperty(property::alwaysOnTop)) {
        flags |= Qt::WindowStaysOnTopHint;
    }
    setWindowFlags(flags);
    setWindowTitle(displayText(textProperty(property::caption)));

    // Until the window manager reports the frame, the client area takes the whole outer size.
    setFixedSize(m_outerSize);
    if (integerProperty(property::startPosition) == 1) {
        move(placementFor(platform::primaryScreenSize()));
    } else {
        move(record.left, record.top);
    }
}

QPoint Window::placementFor(const QSize& screen) const {
    return {(screen.width() - m_outerSize.width()) / 2, (screen.height() - m_outerSize.height()) / 2};
}

void Window::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), resolvedColour(property::backColor));
}

void Window::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && booleanProperty(property::escCloses)) {
        close();
        return;
    }
    Control::keyPressEvent(event);
}

void Window::showEvent(QShowEvent* event) {
    Control::showEvent(event);
    // The frame is known only once the window manager has framed the window.
    QTimer::singleShot(0, this, [this] { correctOuterSize(); });
}

void Window::correctOuterSize() {
    const QRect frame = frameGeometry();
    const QSize frameExtra = frame.size() - size();
    if (frame.size() != m_outerSize && frameExtra != QSize(0, 0)) {
        const QPoint place = frame.topLeft();
        setFixedSize(m_outerSize - frameExtra);
        move(place);
    }
}

void Window::propertyChanged(int number) {
    if (number == property::caption) {
        setWindowTitle(displayText(textProperty(property::caption)));
    }
    update();
}

}  // namespace tessvane::ui
