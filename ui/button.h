#pragma once

#include "ui/control.h"

namespace tessvane::ui {

// A push button: painted by the application's style as a push button, clicked by the left
// mouse button released over it or by the space bar, which raises its clicked event.
class Button : public Control {
    Q_OBJECT

public:
    Button(const ControlRecord& record, WindowId window, QWidget* parent);

    [[nodiscard]] bool isDown() const noexcept { return m_down; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void setDown(bool down);
    void click();

    bool m_down = false;
    bool m_pressedByMouse = false;
};

}  // namespace tessvane::ui
