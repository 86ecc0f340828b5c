#pragma once

#include "ui/control.h"

namespace tessvane::ui {

// A top-level window: its caption, frame and boxes, its place on the screen, its white (or
// other) client area, and Esc closing it when its property says so.
class Window : public Control {
    Q_OBJECT

public:
    Window(const ControlRecord& record, WindowId window);

    // Where the window's outer frame goes for a screen of this size.
    [[nodiscard]] QPoint placementFor(const QSize& screen) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void propertyChanged(int number) override;

private:
    void correctOuterSize();

    QSize m_outerSize;
};

}  // namespace tessvane::ui
