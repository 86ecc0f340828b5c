#include "canvas/merge_pictures.h"

#include <cstdint>
#include <utility>
#include <variant>

#include "canvas/canvas_commands.h"
#include "picture/decode/byte_buffer.h"
#include "ui/property_tables.h"
#include "ui/shell.h"

namespace tessvane::canvas {
namespace {

// The small picture's fixed place on the canvas: columns 68 to 97, rows 55 to 99.
constexpr std::int32_t kSmallLeft = 68;
constexpr std::int32_t kSmallTop = 55;
constexpr std::int32_t kSmallWidth = 30;
constexpr std::int32_t kSmallHeight = 45;

// A picture box's stored bytes; no bytes when it holds none.
ByteBuffer pictureBytes(ui::ControlId box) {
    ui::PropertyValue value = ui::getProperty(ui::kMainWindow, box, ui::picbox_property::picture);
    if (auto* bytes = std::get_if<ByteBuffer>(&value)) {
        return std::move(*bytes);
    }
    return {};
}

std::int32_t integerOf(const ui::PropertyValue& value) {
    const auto* number = std::get_if<std::int32_t>(&value);
    return number != nullptr ? *number : 0;
}

// Decodes a box's picture afresh; its copy of the bytes is gone when this returns.
PictureHandle loadBoxPicture(ui::ControlId box) { return loadPicture(pictureBytes(box)); }

}  // namespace

void mergePictures() {
    const PictureHandle large = loadBoxPicture(ui::kLargePictureBox);
    // The large box's size is read after its picture has been decoded, as the box is now.
    const std::int32_t width =
        integerOf(ui::getProperty(ui::kMainWindow, ui::kLargePictureBox, ui::common_property::width));
    const std::int32_t height =
        integerOf(ui::getProperty(ui::kMainWindow, ui::kLargePictureBox, ui::common_property::height));
    drawOnCanvas(ui::kMainWindow, ui::kCanvas, large, 0, 0, width, height);

    const PictureHandle small = loadBoxPicture(ui::kSmallPictureBox);
    drawOnCanvas(ui::kMainWindow, ui::kCanvas, small, kSmallLeft, kSmallTop, kSmallWidth, kSmallHeight);

    // Each merge uses its pictures for its own two draws only; releasing them now keeps the
    // memory flat however often the user merges.
    releasePicture(large);
    releasePicture(small);
}

}  // namespace tessvane::canvas
