#include "canvas/draw_panel.h"

#include <QBackingStore>
#include <QPaintEvent>
#include <QPainter>
#include <cstdint>

#include "picture/decode/draw_picture.h"
#include "platform/colours.h"
#include "platform/screen.h"
#include "platform/stretch.h"
#include "ui/border.h"
#include "ui/property_tables.h"
#include "ui/runtime.h"

namespace tessvane::canvas {
namespace {

namespace property = ui::drawpanel_property;

// A draw whose rectangle reaches further than this from the canvas is refused: nothing of it
// could be seen on a canvas of any sensible size, and the painter's fixed-point coordinates
// stay exact well inside it.
constexpr std::int64_t kMaxCoordinate = std::int64_t{1} << 24;

// The canvas holds its pixels as the screen shows them: 16 bits a pixel on a screen of 16 or
// fewer, 32 (xRGB) otherwise.
QImage::Format shownFormat() { return platform::screenDepth() > 16 ? QImage::Format_RGB32 : QImage::Format_RGB16; }

bool withinReach(std::int64_t value) { return value >= -kMaxCoordinate && value <= kMaxCoordinate; }

}  // namespace

DrawPanel::DrawPanel(const ui::ControlRecord& record, ui::WindowId window, QWidget* parent)
    : ui::Control(record, window, parent) {
    // Every paint covers the whole area it is given, so Qt need not clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Until it is first shown, the canvas shows its background.
    m_shown = QImage(clientRect().size().expandedTo(QSize(1, 1)), shownFormat());
    m_shown.fill(resolvedColour(property::backColor));
}

ui::Control* DrawPanel::create(const ui::ControlRecord& record, ui::WindowId window, QWidget* parent) {
    return new DrawPanel(record, window, parent);  // the parent widget owns it
}

QRect DrawPanel::clientRect() const { return ui::clientArea(rect(), integerProperty(property::border)); }

QColor DrawPanel::surfaceBackground() const {
    // A text background colour of 0xFF000000 means none: the surface then takes the canvas's
    // background colour.
    if (colourProperty(property::textBackgroundColour) == platform::kFaceColourValue) {
        return resolvedColour(property::backColor);
    }
    return resolvedColour(property::textBackgroundColour);
}

void DrawPanel::resizeEvent(QResizeEvent*) {
    // The whole canvas repaints after a resize, so the new pixels start as the background.
    QImage shown(clientRect().size().expandedTo(QSize(1, 1)), shownFormat());
    shown.fill(resolvedColour(property::backColor));
    m_shown = std::move(shown);
}

bool DrawPanel::paintsOntoTheScreen() {
    // Qt paints widgets into the window's backing store; a paint redirected anywhere else is a
    // rendering of the canvas (grab()), which shows the held pixels and changes nothing.
    QBackingStore* store = backingStore();
    const QPaintDevice* target = redirected(nullptr);
    return store == nullptr || target == nullptr || target == store->paintDevice();
}

// FIXME: a background picture and autoRedraw are not honoured: a repaint always fills with the
// plain background colour, as it does with those properties at their defaults.
void DrawPanel::fillWithBackground(const QRegion& area) {
    QPainter painter(&m_shown);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const QColor background = resolvedColour(property::backColor);
    for (const QRect& part : area) {
        painter.fillRect(part, background);
    }
}

void DrawPanel::paintEvent(QPaintEvent* event) {
    const QRect client = clientRect();
    if (!m_inRepaint && paintsOntoTheScreen()) {
        // Whatever this paint covers beyond the area a draw is showing is a repaint the
        // platform asked for: it returns to the background. Only the painted region is filled,
        // since only that reaches the screen; the event reports the rectangle around it.
        QRegion repainted = event->region().intersected(client).translated(-client.topLeft());
        if (m_presenting) {
            repainted -= m_presentArea;
        }
        if (!repainted.isEmpty()) {
            fillWithBackground(repainted);
            // The repaint event carries the area's left and top in x and y; EventArgs has no
            // room for its right and bottom, and nothing in the program is bound to it.
            const QRect bounds = repainted.boundingRect();
            m_inRepaint = true;
            m_repaintRegion = repainted;
            ui::raiseEvent(*this, ui::kCanvasRepaint, {.x = bounds.left(), .y = bounds.top()});
            m_inRepaint = false;
            m_repaintRegion = QRegion();
        }
    }
    QPainter painter(this);
    ui::drawBorder(painter, rect(), integerProperty(property::border));
    painter.drawImage(client.topLeft(), m_shown);
}

void DrawPanel::present(const QRect& area) {
    const QRect shown = area.intersected(m_shown.rect());
    if (shown.isEmpty() || m_inRepaint) {
        // During a repaint, the paint under way shows what was drawn.
        return;
    }
    m_presenting = true;
    m_presentArea = shown;
    repaint(shown.translated(clientRect().topLeft()));
    m_presenting = false;
    m_presentArea = QRect();
}

void DrawPanel::drawPicture(const decode::DecodedPicture& picture, std::int32_t x, std::int32_t y, std::int32_t width,
                            std::int32_t height) {
    // Pixels (unit 0) are the only coordinate unit this canvas knows, so positions and sizes
    // are used as they come whatever the unit property says.
    const std::int64_t w = width == -1 ? std::int64_t{picture.width} : std::int64_t{width};
    const std::int64_t h = height == -1 ? std::int64_t{picture.height} : std::int64_t{height};
    if (w <= 0 || h <= 0 || !withinReach(x) || !withinReach(y) || !withinReach(x + w) || !withinReach(y + h)) {
        return;
    }
    const QRect target(x, y, static_cast<int>(w), static_cast<int>(h));
    if (!target.intersects(m_shown.rect())) {
        return;  // all of it would be cut off
    }
    {
        QPainter painter(&m_shown);
        if (!painter.isActive()) {
            return;
        }
        if (m_inRepaint) {
            painter.setClipRegion(m_repaintRegion);
        }
        decode::DrawSurface surface{.painter = painter,
                                    .foreground = resolvedColour(property::brushColour),
                                    .background = surfaceBackground(),
                                    .quality = platform::screenStretchQuality()};
        decode::drawPicture(picture, surface, target);
    }
    present(target);
}

}  // namespace tessvane::canvas
