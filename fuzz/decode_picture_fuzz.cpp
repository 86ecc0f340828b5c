// Feeds arbitrary bytes to decodePicture. Besides the sanitizers' own checks, every picture
// that comes back must be whole: a natural size above 0 and pixel buffers exactly as large
// as that size says, in the layout its kind promises.

#include "picture/decode/decode_picture.h"

#include <cstddef>
#include <cstdint>
#include <variant>

namespace {

using namespace tessvane::decode;

[[nodiscard]] bool holdsWholePixels(const DecodedPicture& picture) {
    if (picture.width <= 0 || picture.height <= 0) {
        return false;
    }
    const auto width = static_cast<std::size_t>(picture.width);
    const auto height = static_cast<std::size_t>(picture.height);
    switch (picture.kind) {
        case PictureKind::jpeg:
        case PictureKind::bmp: {
            const auto* pixels = std::get_if<RgbPixels>(&picture.pixels);
            return pixels != nullptr && pixels->rgb.size() == width * height * 3;
        }
        case PictureKind::icon:
        case PictureKind::cursor: {
            const auto* pixels = std::get_if<IconPixels>(&picture.pixels);
            return pixels != nullptr && pixels->argb.size() == width * height;
        }
        case PictureKind::gif:
        case PictureKind::pcx8: {
            const auto* pixels = std::get_if<IndexedPixels>(&picture.pixels);
            return pixels != nullptr && pixels->width > 0 && pixels->height > 0 && pixels->width <= picture.width &&
                   pixels->height <= picture.height &&
                   pixels->indices.size() ==
                       static_cast<std::size_t>(pixels->width) * static_cast<std::size_t>(pixels->height);
        }
        case PictureKind::pcx1: {
            const auto* pixels = std::get_if<BitPixels>(&picture.pixels);
            return pixels != nullptr && pixels->bytesPerRow % 2 == 0 &&
                   static_cast<std::size_t>(pixels->bytesPerRow) * 8 >= width &&
                   pixels->bits.size() == static_cast<std::size_t>(pixels->bytesPerRow) * height;
        }
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto picture = decodePicture(tessvane::ByteSpan(data, size));
    if (picture && !holdsWholePixels(*picture)) {
        __builtin_trap();
    }
    return 0;
}
