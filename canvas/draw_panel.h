#pragma once

#include <QImage>
#include <QRect>
#include <QRegion>
#include <cstdint>

#include "picture/decode/decoded_picture.h"
#include "ui/control.h"

namespace tessvane::canvas {

// The drawing canvas. It keeps no copy of what is drawn beyond what it shows: the image held
// here is its shown pixels, one for each pixel of the client area. A draw goes onto them and
// onto the screen at once; a repaint the platform asks for (the first showing, a show after a
// hide, a resize, an update from anywhere) fills the repainted area with the background colour
// again and raises the repaint event. Covering and uncovering the window is no repaint: the
// window keeps its contents.
class DrawPanel : public ui::Control {
    Q_OBJECT

public:
    DrawPanel(const ui::ControlRecord& record, ui::WindowId window, QWidget* parent);

    static ui::Control* create(const ui::ControlRecord& record, ui::WindowId window, QWidget* parent);

    // The client area's pixels as shown now, in the screen's own format.
    [[nodiscard]] const QImage& shownPixels() const noexcept { return m_shown; }

    // Draws the picture into the rectangle x, y, width, height, given in the canvas's
    // coordinate unit (a width or height of -1 is the picture's natural one), through a surface
    // set up from the canvas's properties: the brush colour as foreground, the background
    // colour as background, stretching as the screen's depth asks. What falls outside the
    // client area is cut off. The drawn pixels are shown at once; nothing else repaints.
    void drawPicture(const decode::DecodedPicture& picture, std::int32_t x, std::int32_t y, std::int32_t width,
                     std::int32_t height);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    [[nodiscard]] QRect clientRect() const;
    [[nodiscard]] QColor surfaceBackground() const;
    [[nodiscard]] bool paintsOntoTheScreen();
    void fillWithBackground(const QRegion& area);
    void present(const QRect& area);

    QImage m_shown;
    // While a draw shows its pixels, the part of a paint inside this area (client
    // coordinates) copies them instead of clearing.
    bool m_presenting = false;
    QRect m_presentArea;
    // While the repaint event is raised, draws go onto the pixels being repainted, only inside
    // the repainted region, and are shown by that paint.
    bool m_inRepaint = false;
    QRegion m_repaintRegion;
};

}  // namespace tessvane::canvas
