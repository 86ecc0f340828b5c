#pragma once

// The canvas's commands for the handlers, beside the shell's getProperty: pictures are decoded
// into the picture registry by handle, and a canvas is named by its window and control
// identifiers.

#include <QImage>
#include <cstdint>

#include "canvas/picture_registry.h"
#include "picture/decode/byte_buffer.h"
#include "ui/control_ids.h"

namespace tessvane::canvas {

// Decodes the bytes afresh and registers the picture; 0 for no bytes or no picture.
[[nodiscard]] PictureHandle loadPicture(ByteSpan bytes);

// Draws the registered picture into the rectangle x, y, width, height of the canvas; nothing
// when the registry does not hold it (0 included) or the control is no canvas.
void drawOnCanvas(ui::WindowId window, ui::ControlId canvas, PictureHandle picture, std::int32_t x, std::int32_t y,
                  std::int32_t width, std::int32_t height);

// Frees a registered picture; a handle the registry does not hold is ignored.
void releasePicture(PictureHandle picture);

// A copy of the canvas's shown pixels; a null image when the control is no canvas.
[[nodiscard]] QImage canvasPixels(ui::WindowId window, ui::ControlId canvas);

}  // namespace tessvane::canvas
