#include "picture/trans_label.h"

#include "ui/label_text.h"
#include "ui/property_tables.h"

#include <QPainter>

namespace tessvane::picture {

namespace property = ui::translabel_property;

TransLabel::TransLabel(const ui::ControlRecord& record, ui::WindowId window, QWidget* parent)
    : ui::Control(record, window, parent) {
    // Erase nothing: whatever the parent painted stays under the text.
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
}

ui::Control* TransLabel::create(const ui::ControlRecord& record, ui::WindowId window, QWidget* parent) {
    return new TransLabel(record, window, parent);  // the parent widget owns it
}

void TransLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const ui::LabelTextLayout layout{.alignment = integerProperty(property::alignment),
                                     .wordWrap = booleanProperty(property::wordWrap),
                                     .verticalAlignment = integerProperty(property::verticalAlignment),
                                     .effect = integerProperty(property::effect)};
    ui::drawLabelText(painter, rect(), ui::displayText(textProperty(property::text)), fontProperty(property::font),
                      resolvedColour(property::textColor), layout);
}

void TransLabel::propertyChanged(int) {
    // The area under the label is repainted first (the parent), then the label on top of it.
    if (parentWidget() != nullptr) {
        parentWidget()->update(geometry());
    }
    update();
}

}  // namespace tessvane::picture
