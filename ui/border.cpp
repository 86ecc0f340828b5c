#include "ui/border.h"

#include <QPalette>
#include <QApplication>
#include <qdrawutil.h>


namespace tessvane::ui {

int borderWidth(int style) {
    switch (style) {
        case 1:
            return 2;
        case 2:
            return 3;
        case 3:
            return 1;
        case 4:
            return 5;
        case 5:
            return 1;
        default:
            return 0;
    }
}

QRect clientArea(const QRect& outer, int style) {
    const int width = borderWidth(style);
    return outer.adjusted(width, width, -width, -width);
}

void drawBorder(QPainter& painter, const QRect& outer, int style) {
    const QPalette palette = QApplication::palette();
    switch (style) {
        case 1:
            qDrawWinPanel(&painter, outer, palette, true);
            break;
        case 2:
            qDrawShadePanel(&painter, outer, palette, false, 3);
            break;
        case 3:
            qDrawShadePanel(&painter, outer, palette, true, 1);
            break;
        case 4:
            qDrawShadePanel(&painter, outer, palette, false, 3);
            qDrawWinPanel(&painter, outer.adjusted(3, 3, -3, -3), palette, true);
            break;
        case 5:
            painter.save();
            painter.setPen(Qt::black);
            painter.drawRect(outer.adjusted(0, 0, -1, -1));
            painter.restore();
            break;
        default:
            break;
    }
}

void drawGradientFrame(QPainter& painter, const QRect& outer, int width, const QColor& outerColour,
                       const QColor& middleColour, const QColor& innerColour) {
    const auto mix = [](const QColor& a, const QColor& b, double t) {
        return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                                static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                                static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t));
    };
    painter.save();
    painter.setBrush(Qt::NoBrush);
    for (int ring = 0; ring < width; ++ring) {
        const double t = width > 1 ? static_cast<double>(ring) / (width - 1) : 0.0;
        painter.setPen(t < 0.5 ? mix(outerColour, middleColour, t * 2) : mix(middleColour, innerColour, t * 2 - 1));
        const QRect ringRect = outer.adjusted(ring, ring, -ring - 1, -ring - 1);
        if (ringRect.width() < 0 || ringRect.height() < 0) {
            break;
        }
        painter.drawRect(ringRect);
    }
    painter.restore();
}

}  // namespace tessvane::ui
