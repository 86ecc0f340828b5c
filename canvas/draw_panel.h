#pragma once

#include "ui/control.h"

#include <QImage>

namespace tessvane::canvas {

// The drawing canvas. It keeps no copy of what is drawn beyond what it shows: the image here
// is its shown pixels. Drawing goes onto them at once; a repaint the platform asks for fills
// the repainted area with the background colour again.
class DrawPanel : public ui::Control {
    Q_OBJECT

public:
    DrawPanel(const ui::ControlRecord& record, ui::WindowId window, QWidget* parent);

    static ui::Control* create(const ui::ControlRecord& record, ui::WindowId window, QWidget* parent);

    // The client area's pixels as shown now.
    [[nodiscard]] const QImage& shownPixels() const noexcept { return m_shown; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage m_shown;
};

}  // namespace tessvane::canvas
