#include "canvas/canvas_commands.h"

#include <optional>
#include <utility>

#include "canvas/draw_panel.h"
#include "picture/decode/decode_picture.h"
#include "ui/runtime.h"

namespace tessvane::canvas {
namespace {

// The first picture of a run arranges for the end of that run to release whatever is still
// registered; the arrangement is made again in a later run.
void releaseRegistryAtEndOfRun() {
    static bool arranged = false;
    if (arranged) {
        return;
    }
    ui::atEndOfRun([] {
        pictureRegistry().releaseAll();
        arranged = false;
    });
    arranged = true;
}

DrawPanel* findCanvas(ui::WindowId window, ui::ControlId canvas) {
    return qobject_cast<DrawPanel*>(&ui::findControl(window, canvas));
}

}  // namespace

PictureHandle loadPicture(ByteSpan bytes) {
    if (bytes.empty()) {
        return kNoPicture;
    }
    std::optional<decode::DecodedPicture> picture = decode::decodePicture(bytes);
    if (!picture) {
        return kNoPicture;
    }
    releaseRegistryAtEndOfRun();
    return pictureRegistry().registerPicture(std::move(*picture));
}

void drawOnCanvas(ui::WindowId window, ui::ControlId canvas, PictureHandle picture, std::int32_t x, std::int32_t y,
                  std::int32_t width, std::int32_t height) {
    DrawPanel* panel = findCanvas(window, canvas);
    const decode::DecodedPicture* decoded = pictureRegistry().find(picture);
    if (panel == nullptr || decoded == nullptr) {
        return;
    }
    panel->drawPicture(*decoded, x, y, width, height);
}

void releasePicture(PictureHandle picture) { pictureRegistry().release(picture); }

QImage canvasPixels(ui::WindowId window, ui::ControlId canvas) {
    const DrawPanel* panel = findCanvas(window, canvas);
    return panel != nullptr ? panel->shownPixels().copy() : QImage();
}

}  // namespace tessvane::canvas
