#include "picture/pic_box.h"

#include "ui/border.h"
#include "ui/property_tables.h"

#include <QPainter>
#include <QPaintEvent>

namespace tessvane::picture {

namespace property = ui::picbox_property;

PicBox::PicBox(const ui::ControlRecord& record, ui::WindowId window, QWidget* parent)
    : ui::Control(record, window, parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

PicBox::~PicBox() = default;

ui::Control* PicBox::create(const ui::ControlRecord& record, ui::WindowId window, QWidget* parent) {
    return new PicBox(record, window, parent);  // the parent widget owns it
}

void PicBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), resolvedColour(property::backColor));
    ui::drawBorder(painter, rect(), integerProperty(property::border));
    // FIXME: the picture itself is not drawn yet.
}

void PicBox::propertyChanged(int) { update(); }

}  // namespace tessvane::picture
