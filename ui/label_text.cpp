#include "ui/label_text.h"

namespace tessvane::ui {
namespace {

int textFlags(const LabelTextLayout& layout) {
    int flags = 0;
    switch (layout.alignment) {
        case 1:
            flags |= Qt::AlignHCenter;
            break;
        case 2:
            flags |= Qt::AlignRight;
            break;
        default:
            flags |= Qt::AlignLeft;
            break;
    }
    if (layout.wordWrap) {
        // Wrapped text runs from the top; the vertical alignment plays no part.
        return flags | Qt::AlignTop | Qt::TextWordWrap;
    }
    switch (layout.verticalAlignment) {
        case 0:
            flags |= Qt::AlignTop;
            break;
        case 2:
            flags |= Qt::AlignBottom;
            break;
        default:
            flags |= Qt::AlignVCenter;
            break;
    }
    return flags | Qt::TextSingleLine;
}

}  // namespace

QString displayText(std::string_view text) {
    QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

void drawLabelText(QPainter& painter, const QRect& area, const QString& text, const QFont& font, const QColor& colour,
                   const LabelTextLayout& layout) {
    if (text.isEmpty()) {
        return;
    }
    painter.save();
    painter.setFont(font);
    painter.setBackgroundMode(Qt::TransparentMode);
    const int flags = textFlags(layout);
    const auto drawAt = [&](const QPoint& offset, const QColor& pen) {
        painter.setPen(pen);
        painter.drawText(area.translated(offset), flags, text);
    };
    switch (layout.effect) {
        case 1:  // raised: white one pixel right and down, then the text colour in place
            drawAt({1, 1}, Qt::white);
            drawAt({0, 0}, colour);
            break;
        case 2:  // sunken: white in place, then the text colour one pixel right and down
            drawAt({0, 0}, Qt::white);
            drawAt({1, 1}, colour);
            break;
        case 3:  // shadowed: black two pixels right and down, then the text colour in place
            drawAt({2, 2}, Qt::black);
            drawAt({0, 0}, colour);
            break;
        default:
            drawAt({0, 0}, colour);
            break;
    }
    painter.restore();
}

}  // namespace tessvane::ui
