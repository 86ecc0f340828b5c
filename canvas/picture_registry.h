#pragma once

#include <cstddef>
#include <cstdint>
#include <map>

#include "picture/decode/decoded_picture.h"

namespace tessvane::canvas {

// Names one decoded picture held by the registry; 0 names none.
using PictureHandle = std::uint32_t;
inline constexpr PictureHandle kNoPicture = 0;

// The decoded pictures held for drawing on the canvas, owned here until released. Used on the
// user-interface thread only.
class PictureRegistry {
public:
    // Takes the picture over and gives its handle, never 0. Each picture is moved in, so the
    // same picture can never be present twice.
    [[nodiscard]] PictureHandle registerPicture(decode::DecodedPicture picture);

    // Whether handle names a picture held here; 0 never does.
    [[nodiscard]] bool contains(PictureHandle handle) const noexcept;

    // The picture handle names, or null.
    [[nodiscard]] const decode::DecodedPicture* find(PictureHandle handle) const noexcept;

    // Frees the picture with all its pixels; a handle not held here is ignored.
    void release(PictureHandle handle) noexcept;

    // Frees every picture still held.
    void releaseAll() noexcept;

    [[nodiscard]] std::size_t size() const noexcept { return m_pictures.size(); }

private:
    std::map<PictureHandle, decode::DecodedPicture> m_pictures;
    PictureHandle m_lastHandle = kNoPicture;
};

// The one registry of the process.
[[nodiscard]] PictureRegistry& pictureRegistry();

}  // namespace tessvane::canvas
