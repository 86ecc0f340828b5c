#pragma once

#include "ui/control.h"

namespace tessvane::picture {

// A picture box: keeps the bytes of its picture as they were given, shows the decoded picture
// placed by its display mode over its background colour.
class PicBox : public ui::Control {
    Q_OBJECT

public:
    PicBox(const ui::ControlRecord& record, ui::WindowId window, QWidget* parent);
    ~PicBox() override;

    static ui::Control* create(const ui::ControlRecord& record, ui::WindowId window, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void propertyChanged(int number) override;
};

}  // namespace tessvane::picture
