#pragma once

#include "ui/control.h"

namespace tessvane::ui {

// A static text on its own background: the colour (or a gradient), an optional border or
// gradient frame, and the text laid out by its alignment, wrapping and effect.
class Label : public Control {
    Q_OBJECT

public:
    Label(const ControlRecord& record, WindowId window, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace tessvane::ui
