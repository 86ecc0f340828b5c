#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRect>
#include <QString>

#include <string_view>

namespace tessvane::ui {

// How a label lays its text out, straight from its properties.
struct LabelTextLayout {
    int alignment = 0;          // 0 left, 1 centred, 2 right
    bool wordWrap = false;      // wrapped text starts at the top
    int verticalAlignment = 1;  // single line only: 0 top, 1 middle, 2 bottom
    int effect = 0;             // 0 plain, 1 raised, 2 sunken, 3 shadowed
};

// A template text as the toolkit shows it: "\r\n" becomes a line break.
[[nodiscard]] QString displayText(std::string_view text);

// Draws text in area with a transparent background, with the layout's alignment and effect.
void drawLabelText(QPainter& painter, const QRect& area, const QString& text, const QFont& font, const QColor& colour,
                   const LabelTextLayout& layout);

}  // namespace tessvane::ui
