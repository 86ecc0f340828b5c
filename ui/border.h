#pragma once

#include <QColor>
#include <QPainter>
#include <QRect>

namespace tessvane::ui {

// The border styles of picture boxes, canvases and labels: 0 none, 1 sunken client edge,
// 2 raised double frame, 3 thin sunken edge, 4 sunken edge with double frame, 5 single line.
// Labels also have 6, a gradient frame they paint themselves.
[[nodiscard]] int borderWidth(int style);

// The client area of a control of this outer rectangle and border style.
[[nodiscard]] QRect clientArea(const QRect& outer, int style);

void drawBorder(QPainter& painter, const QRect& outer, int style);

// A frame of the given width whose colour runs from outer through middle to inner.
void drawGradientFrame(QPainter& painter, const QRect& outer, int width, const QColor& outerColour,
                       const QColor& middleColour, const QColor& innerColour);

}  // namespace tessvane::ui
