#pragma once

#include <array>
#include <cstdint>
#include <variant>
#include <vector>

namespace tessvane::decode {

enum class PictureKind { jpeg, bmp, icon, cursor, gif, pcx8, pcx1 };

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Colour tables always hold 256 entries, zero-filled past what the file defines, so any
// 8-bit index names some colour and never reads outside the table.
using ColourTable = std::array<Rgb, 256>;

// jpeg, bmp: width × height pixels as red, green, blue bytes, top row first, no row padding.
struct RgbPixels {
    std::vector<std::uint8_t> rgb;
};

// gif, pcx8: 8-bit indices into a colour table, top row first, no row padding. The indexed
// image may be smaller than the picture (a GIF's first image on its larger logical screen);
// it then sits at the picture's top-left corner.
struct IndexedPixels {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> indices;
    ColourTable colours{};
};

// pcx1: one bit per pixel, most significant bit leftmost, top row first, each row
// bytesPerRow bytes (an even number).
struct BitPixels {
    std::int32_t bytesPerRow = 0;
    std::vector<std::uint8_t> bits;
};

// icon, cursor: the chosen image as width × height pixels 0xAARRGGBB (not premultiplied),
// top row first; the AND mask (or the image's own alpha) is folded into the alpha byte.
struct IconPixels {
    std::vector<std::uint32_t> argb;
};

using PicturePixels = std::variant<RgbPixels, IndexedPixels, BitPixels, IconPixels>;

// A picture decoded from a ByteBuffer: its kind, its natural size and its pixels.
struct DecodedPicture {
    PictureKind kind = PictureKind::bmp;
    std::int32_t width = 0;
    std::int32_t height = 0;
    PicturePixels pixels;
};

}  // namespace tessvane::decode
