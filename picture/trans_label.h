#pragma once

#include "ui/control.h"

namespace tessvane::picture {

// A text over a picture box: it paints no background of its own, so the box shows through,
// and it catches the double-clicks on the box it covers.
class TransLabel : public ui::Control {
    Q_OBJECT

public:
    TransLabel(const ui::ControlRecord& record, ui::WindowId window, QWidget* parent);

    static ui::Control* create(const ui::ControlRecord& record, ui::WindowId window, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void propertyChanged(int number) override;
};

}  // namespace tessvane::picture
