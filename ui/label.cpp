#include "ui/label.h"

#include "ui/border.h"
#include "ui/label_text.h"
#include "ui/property_tables.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>

namespace tessvane::ui {

namespace property = label_property;

namespace {
constexpr int kGradientFrameStyle = 6;
constexpr int kMinimumGradientFrameWidth = 5;
}  // namespace

Label::Label(const ControlRecord& record, WindowId window, QWidget* parent) : Control(record, window, parent) {
    // The label paints every pixel of itself.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Label::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int border = integerProperty(property::border);
    const int frameWidth =
        border == kGradientFrameStyle ? std::max(integerProperty(property::gradientFrameWidth), kMinimumGradientFrameWidth)
                                      : borderWidth(border);
    const QRect client = rect().adjusted(frameWidth, frameWidth, -frameWidth, -frameWidth);

    const int gradientMode = integerProperty(property::backgroundGradientMode);
    if (gradientMode == 1 || gradientMode == 2) {
        // 1 runs left to right, 2 top to bottom, through the three gradient colours.
        QLinearGradient gradient(rect().topLeft(), gradientMode == 1 ? rect().topRight() : rect().bottomLeft());
        gradient.setColorAt(0.0, resolvedColour(property::backgroundGradientColour1));
        gradient.setColorAt(0.5, resolvedColour(property::backgroundGradientColour2));
        gradient.setColorAt(1.0, resolvedColour(property::backgroundGradientColour3));
        painter.fillRect(rect(), gradient);
    } else {
        painter.fillRect(rect(), resolvedColour(property::backColor));
    }

    if (border == kGradientFrameStyle) {
        drawGradientFrame(painter, rect(), frameWidth, resolvedColour(property::gradientFrameColour1),
                          resolvedColour(property::gradientFrameColour2), resolvedColour(property::gradientFrameColour3));
    } else {
        drawBorder(painter, rect(), border);
    }

    const LabelTextLayout layout{.alignment = integerProperty(property::alignment),
                                 .wordWrap = booleanProperty(property::wordWrap),
                                 .verticalAlignment = integerProperty(property::verticalAlignment),
                                 .effect = integerProperty(property::effect)};
    painter.setClipRect(client);
    drawLabelText(painter, client, displayText(textProperty(property::text)), fontProperty(property::font),
                  resolvedColour(property::textColor), layout);
}

}  // namespace tessvane::ui
