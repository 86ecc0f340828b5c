#include "canvas/picture_registry.h"

#include <utility>

namespace tessvane::canvas {

PictureHandle PictureRegistry::registerPicture(decode::DecodedPicture picture) {
    // Handles count up and wrap past 0; one still in use is skipped, so a handle released long
    // ago may come back but a live one is never given twice. Fewer than 2^32 pictures fit in
    // memory, so a free handle is always found.
    PictureHandle handle = m_lastHandle;
    do {
        ++handle;
    } while (handle == kNoPicture || m_pictures.contains(handle));
    m_pictures.emplace(handle, std::move(picture));
    m_lastHandle = handle;
    return handle;
}

bool PictureRegistry::contains(PictureHandle handle) const noexcept {
    return handle != kNoPicture && m_pictures.contains(handle);
}

const decode::DecodedPicture* PictureRegistry::find(PictureHandle handle) const noexcept {
    const auto found = m_pictures.find(handle);
    return found != m_pictures.end() ? &found->second : nullptr;
}

void PictureRegistry::release(PictureHandle handle) noexcept { m_pictures.erase(handle); }

void PictureRegistry::releaseAll() noexcept { m_pictures.clear(); }

PictureRegistry& pictureRegistry() {
    static PictureRegistry registry;
    return registry;
}

}  // namespace tessvane::canvas
