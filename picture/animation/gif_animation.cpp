#include "picture/animation/gif_animation.h"

#include <algorithm>
#include <new>
#include <system_error>
#include <utility>

// The animation loops for as long as it lives: the sequence starts again at the end of the
// stream, and loop counts in the file play no part. Choices where the format leaves things
// open:
// - Disposal methods 2 (restore to background) and 3 (restore to previous) both put back the
//   area the image covered as it was before that image was drawn; the background colour
//   index of the stream is not used.
// - Transparency follows the transparent index, as GIF89a defines it: a pixel of another index
//   that happens to have the same colour in the table is drawn.
// - An image that does not decode leaves the composed image unchanged; the next image still
//   finds the area of the last drawn one to put back if its disposal asked for that.
// - An attempt that gives no image waits kZeroDelayStandIn before the next, so a stream whose
//   images all fail never spins; a whole pass through the stream without an image ends the
//   thread, leaving the last composed image as it is.

namespace tessvane::animation {
namespace {

using Clock = std::chrono::steady_clock;

[[nodiscard]] std::uint32_t opaque(const decode::Rgb& colour) noexcept {
    return 0xFF000000U | (std::uint32_t{colour.red} << 16) | (std::uint32_t{colour.green} << 8) |
           std::uint32_t{colour.blue};
}

[[nodiscard]] bool asksForPutBack(decode::GifDisposal disposal) noexcept {
    return disposal == decode::GifDisposal::restoreBackground || disposal == decode::GifDisposal::restorePrevious;
}

}  // namespace

std::chrono::milliseconds frameDelay(std::uint16_t centiseconds) noexcept {
    if (centiseconds == 0) {
        return kZeroDelayStandIn;
    }
    return std::chrono::milliseconds{std::int64_t{centiseconds} * 10};
}

FrameComposer::FrameComposer(std::int32_t width, std::int32_t height) {
    m_image.width = std::max(width, 0);
    m_image.height = std::max(height, 0);
    m_image.pixels.assign(static_cast<std::size_t>(m_image.width) * static_cast<std::size_t>(m_image.height),
                          kStartColour);
}

void FrameComposer::draw(const decode::GifImage& image) {
    if (m_putBackPending) {
        putBack(m_saved);
        m_putBackPending = false;
    }

    // The part of the image that lies on the logical screen. The sequence clips already; the
    // composer does not rely on it, since it writes into its own buffer.
    const decode::IndexedPixels& pixels = image.pixels;
    const std::int64_t left = std::max<std::int64_t>(image.left, 0);
    const std::int64_t top = std::max<std::int64_t>(image.top, 0);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t{image.left} + pixels.width, m_image.width);
    const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{image.top} + pixels.height, m_image.height);
    const bool indicesComplete = pixels.width > 0 && pixels.height > 0 &&
                                 pixels.indices.size() >= static_cast<std::size_t>(pixels.width) *
                                                              static_cast<std::size_t>(pixels.height);
    if (left >= right || top >= bottom || !indicesComplete) {
        return;
    }

    if (asksForPutBack(image.disposal)) {
        m_saved.left = static_cast<std::int32_t>(left);
        m_saved.top = static_cast<std::int32_t>(top);
        m_saved.width = static_cast<std::int32_t>(right - left);
        m_saved.height = static_cast<std::int32_t>(bottom - top);
        save(m_saved);
        m_putBackPending = true;
    }

    const auto imageWidth = static_cast<std::size_t>(pixels.width);
    const auto screenWidth = static_cast<std::size_t>(m_image.width);
    for (std::int64_t y = top; y < bottom; ++y) {
        const std::size_t sourceRow = static_cast<std::size_t>(y - image.top) * imageWidth;
        const std::size_t targetRow = static_cast<std::size_t>(y) * screenWidth;
        for (std::int64_t x = left; x < right; ++x) {
            const std::uint8_t index = pixels.indices[sourceRow + static_cast<std::size_t>(x - image.left)];
            if (image.transparent && index == image.transparentIndex) {
                continue;
            }
            m_image.pixels[targetRow + static_cast<std::size_t>(x)] = opaque(pixels.colours[index]);
        }
    }
}

void FrameComposer::save(SavedArea& area) const {
    area.pixels.resize(static_cast<std::size_t>(area.width) * static_cast<std::size_t>(area.height));
    const auto screenWidth = static_cast<std::size_t>(m_image.width);
    for (std::int32_t row = 0; row < area.height; ++row) {
        const auto from = m_image.pixels.begin() +
                          static_cast<std::ptrdiff_t>(static_cast<std::size_t>(area.top + row) * screenWidth +
                                                      static_cast<std::size_t>(area.left));
        std::copy_n(from, area.width,
                    area.pixels.begin() + static_cast<std::ptrdiff_t>(row) * static_cast<std::ptrdiff_t>(area.width));
    }
}

void FrameComposer::putBack(const SavedArea& area) {
    const auto screenWidth = static_cast<std::size_t>(m_image.width);
    for (std::int32_t row = 0; row < area.height; ++row) {
        const auto from =
            area.pixels.begin() + static_cast<std::ptrdiff_t>(row) * static_cast<std::ptrdiff_t>(area.width);
        std::copy_n(from, area.width,
                    m_image.pixels.begin() +
                        static_cast<std::ptrdiff_t>(static_cast<std::size_t>(area.top + row) * screenWidth +
                                                    static_cast<std::size_t>(area.left)));
    }
}

GifAnimation::GifAnimation(decode::GifFrameSequence sequence, FrameReady frameReady)
    : m_sequence(std::move(sequence)),
      m_frameReady(std::move(frameReady)),
      m_width(m_sequence.screenWidth()),
      m_height(m_sequence.screenHeight()),
      m_composer(m_width, m_height) {
    m_sequence.restart();
}

GifAnimation::~GifAnimation() { stop(); }

bool GifAnimation::start() {
    State expected = State::notStarted;
    if (!m_state.compare_exchange_strong(expected, State::running)) {
        return false;
    }
    try {
        m_thread = std::jthread([this](std::stop_token stop) { run(std::move(stop)); });
    } catch (const std::system_error&) {
        m_state = State::stopped;
        return false;
    }
    return true;
}

void GifAnimation::stop() {
    if (!m_thread.joinable()) {
        return;
    }
    State expected = State::running;
    m_state.compare_exchange_strong(expected, State::stopRequested);
    m_thread.request_stop();
    m_thread.join();
    m_state = State::stopped;
}

void GifAnimation::readFrame(const std::function<void(const ComposedImage&, std::uint64_t)>& read) const {
    const std::lock_guard lock(m_frameMutex);
    read(m_composer.image(), m_frames);
}

bool GifAnimation::waitUntil(const std::stop_token& stop, Clock::time_point deadline) {
    std::unique_lock lock(m_waitMutex);
    for (;;) {
        if (stop.stop_requested()) {
            return false;
        }
        const Clock::time_point now = Clock::now();
        if (now >= deadline) {
            return true;
        }
        // The wait ends early on a stop request; the slice bounds it should a wake-up be missed.
        m_wake.wait_until(lock, stop, std::min(deadline, now + kStopCheckInterval), [] { return false; });
    }
}

void GifAnimation::run(std::stop_token stop) {
    PassWatch watch(m_sequence.restarts());
    try {
        while (!stop.stop_requested()) {
            const Clock::time_point started = Clock::now();
            auto image = m_sequence.nextImage();  // decoded outside the lock: painting goes on meanwhile
            Clock::time_point deadline;
            if (image) {
                {
                    const std::lock_guard lock(m_frameMutex);
                    m_composer.draw(image.value());
                    ++m_frames;
                }
                watch.imageShown(m_sequence.restarts());
                if (m_frameReady) {
                    m_frameReady();
                }
                deadline = std::max(started + frameDelay(image->delayCentiseconds), Clock::now() + kMinimumRest);
            } else {
                if (watch.wholePassWithoutImage(m_sequence.restarts())) {
                    m_gaveUp = true;
                    break;
                }
                deadline = Clock::now() + kZeroDelayStandIn;
            }
            if (!waitUntil(stop, deadline)) {
                break;
            }
        }
    } catch (const std::bad_alloc&) {
        // No room to keep what an image covered: composing ends, the last frame stays shown.
        m_gaveUp = true;
    }
    State expected = State::running;
    m_state.compare_exchange_strong(expected, State::stopped);
}

}  // namespace tessvane::animation
