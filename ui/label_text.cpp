#include "ui/label_text.h"

#include <QFontMetrics>
#include <QTextLayout>

#include <memory>
#include <vector>

namespace tessvane::ui {
namespace {

// Lines are set at the font's size plus a small gap, as desktop dialogs set their text; the
// CJK face's own line spacing is much looser and would push the instructions out of their label.
int lineHeightFor(const QFont& font) {
    const QFontMetrics metrics(font);
    return font.pixelSize() > 0 ? font.pixelSize() + 2 : metrics.height();
}

// Lays the text out in lines no wider than width (any width when not wrapping).
void layOut(const QString& text, const QFont& font, int width, bool wrap, std::vector<std::unique_ptr<QTextLayout>>& layouts) {
    const QStringList paragraphs =
        wrap ? text.split(QLatin1Char('\n')) : QStringList{QString(text).replace(QLatin1Char('\n'), QLatin1Char(' '))};
    layouts.reserve(static_cast<std::size_t>(paragraphs.size()));
    for (const QString& paragraph : paragraphs) {
        QTextLayout& layout = *layouts.emplace_back(std::make_unique<QTextLayout>(paragraph, font));
        QTextOption option;
        option.setWrapMode(wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(wrap ? width : 1e6);
        }
        layout.endLayout();
    }
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
    std::vector<std::unique_ptr<QTextLayout>> layouts;
    layOut(text, font, area.width(), layout.wordWrap, layouts);
    std::vector<QTextLine> lines;
    for (const auto& paragraph : layouts) {
        if (paragraph->lineCount() == 0) {
            lines.emplace_back();  // an empty paragraph still takes a line
        }
        for (int index = 0; index < paragraph->lineCount(); ++index) {
            lines.push_back(paragraph->lineAt(index));
        }
    }
    const int lineHeight = lineHeightFor(font);
    const int blockHeight = lineHeight * static_cast<int>(lines.size());
    int top = area.top();
    if (!layout.wordWrap) {
        // Wrapped text runs from the top; a single line follows the vertical alignment.
        if (layout.verticalAlignment == 1) {
            top += (area.height() - blockHeight) / 2;
        } else if (layout.verticalAlignment == 2) {
            top += area.height() - blockHeight;
        }
    }
    const QFontMetrics metrics(font);
    // The glyphs sit centred in their line box.
    const int baselineOffset = (lineHeight + metrics.ascent() - metrics.descent()) / 2;

    const auto drawAt = [&](const QPoint& offset, const QColor& pen) {
        painter.setPen(pen);
        int y = top;
        for (const QTextLine& line : lines) {
            if (line.isValid()) {
                const double lineWidth = line.naturalTextWidth();
                double x = area.left();
                if (layout.alignment == 1) {
                    x += (area.width() - lineWidth) / 2;
                } else if (layout.alignment == 2) {
                    x += area.width() - lineWidth;
                }
                line.draw(&painter, QPointF(x + offset.x(), y + baselineOffset - line.ascent() + offset.y()));
            }
            y += lineHeight;
        }
    };

    painter.save();
    painter.setFont(font);
    painter.setBackgroundMode(Qt::TransparentMode);
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
