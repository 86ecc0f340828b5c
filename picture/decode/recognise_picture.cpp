#include "picture/decode/recognise_picture.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace tessvane::decode {

namespace {

// Recognition looks at this many bytes and no more; shorter data is not a picture.
constexpr std::size_t kSignatureLength = 6;

[[nodiscard]] bool startsWith(ByteSpan bytes, std::span<const std::uint8_t> prefix) noexcept {
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (bytes[i] != prefix[i]) {
            return false;
        }
    }
    return true;
}

constexpr std::array<std::uint8_t, 2> kBmpSignature{'B', 'M'};
constexpr std::array<std::uint8_t, 2> kJpegSignature{0xFF, 0xD8};
// The icon directory header: a reserved word of 0 and the type, 1 for icons, 2 for cursors.
constexpr std::array<std::uint8_t, 4> kIconSignature{0x00, 0x00, 0x01, 0x00};
constexpr std::array<std::uint8_t, 4> kCursorSignature{0x00, 0x00, 0x02, 0x00};
constexpr std::array<std::uint8_t, 6> kGif87aSignature{'G', 'I', 'F', '8', '7', 'a'};
constexpr std::array<std::uint8_t, 6> kGif89aSignature{'G', 'I', 'F', '8', '9', 'a'};
// PCX: manufacturer 0x0A, version, encoding 1 (run-length), bits per pixel.
constexpr std::uint8_t kPcxManufacturer = 0x0A;
constexpr std::uint8_t kPcxLastVersion = 5;
constexpr std::array<std::uint8_t, 4> kPcx1Signature{0x0A, 0x03, 0x01, 0x01};

}  // namespace

std::optional<PictureKind> recognisePicture(ByteSpan bytes) noexcept {
    if (bytes.size() < kSignatureLength) {
        return std::nullopt;
    }
    if (startsWith(bytes, kBmpSignature)) {
        return PictureKind::bmp;
    }
    if (startsWith(bytes, kJpegSignature)) {
        return PictureKind::jpeg;
    }
    // An icon or cursor file names at least one image: the 16-bit little-endian count follows.
    const bool hasImages = bytes[4] != 0 || bytes[5] != 0;
    if (startsWith(bytes, kIconSignature) && hasImages) {
        return PictureKind::icon;
    }
    if (startsWith(bytes, kCursorSignature) && hasImages) {
        return PictureKind::cursor;
    }
    if (startsWith(bytes, kGif87aSignature) || startsWith(bytes, kGif89aSignature)) {
        return PictureKind::gif;
    }
    if (bytes[0] == kPcxManufacturer && bytes[1] <= kPcxLastVersion && bytes[2] == 0x01 && bytes[3] == 0x08) {
        return PictureKind::pcx8;
    }
    // Monochrome PCX is recognised only with version byte 3 (PC Paintbrush 2.8 without a palette).
    if (startsWith(bytes, kPcx1Signature)) {
        return PictureKind::pcx1;
    }
    return std::nullopt;
}

}  // namespace tessvane::decode
