#include "canvas/draw_panel.h"

#include "ui/border.h"
#include "ui/property_tables.h"

#include <QPainter>
#include <QPaintEvent>

namespace tessvane::canvas {

namespace property = ui::drawpanel_property;

DrawPanel::DrawPanel(const ui::ControlRecord& record, ui::WindowId window, QWidget* parent)
    : ui::Control(record, window, parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

ui::Control* DrawPanel::create(const ui::ControlRecord& record, ui::WindowId window, QWidget* parent) {
    return new DrawPanel(record, window, parent);  // the parent widget owns it
}

void DrawPanel::resizeEvent(QResizeEvent*) {
    const QRect client = ui::clientArea(rect(), integerProperty(property::border));
    QImage shown(client.size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    shown.fill(resolvedColour(property::backColor));
    m_shown = shown;
}

void DrawPanel::paintEvent(QPaintEvent* event) {
    // FIXME: draws without telling platform repaints from presenting a drawing yet.
    QPainter painter(this);
    const QRect client = ui::clientArea(rect(), integerProperty(property::border));
    ui::drawBorder(painter, rect(), integerProperty(property::border));
    painter.drawImage(client.topLeft(), m_shown);
    (void)event;
}

}  // namespace tessvane::canvas
