#pragma once

// Playing an animated GIF: frames composed one after another on an image of the logical-screen
// size, by a thread of the picture box's own. Plain C++ with no toolkit in it: the thread never
// meets a widget and tells its owner of each finished frame through a callback.

#include "picture/decode/gif_frame_sequence.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <stop_token>
#include <thread>
#include <vector>

namespace tessvane::animation {

// The colour the composed image starts with: opaque white, 0xAARRGGBB.
inline constexpr std::uint32_t kStartColour = 0xFFFFFFFF;

// A frame's delay when its graphic control extension gives 0 (or there is none).
inline constexpr std::chrono::milliseconds kZeroDelayStandIn{50};

// How often the thread looks for a stop request while it waits for the next frame.
inline constexpr std::chrono::milliseconds kStopCheckInterval{10};

// The least rest between two frames, so that a stream whose images take longer to decode than
// their delay still leaves the core idle now and then.
inline constexpr std::chrono::milliseconds kMinimumRest{10};

// How long an image stays before the next one: its delay in hundredths of a second, or
// kZeroDelayStandIn for 0.
[[nodiscard]] std::chrono::milliseconds frameDelay(std::uint16_t centiseconds) noexcept;

// The logical screen as composed so far: width × height pixels 0xFFRRGGBB, top row first.
struct ComposedImage {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint32_t> pixels;
};

// Draws the images of a stream one after another on the composed image, honouring the
// disposal method of the image before and the transparent index. Single-threaded.
class FrameComposer {
public:
    // The composed image starts white. Sizes come from a sequence that has checked them
    // against the pixel limit; negative ones count as 0.
    FrameComposer(std::int32_t width, std::int32_t height);

    // First puts back what the image drawn before covered, if its disposal method asks for
    // that (2 or 3: the area as it was before that image was drawn); then draws this one at
    // its left and top, where its transparent index (when the flag is set) leaves the
    // composed image as it is. Parts outside the logical screen are cut off.
    void draw(const decode::GifImage& image);

    [[nodiscard]] const ComposedImage& image() const noexcept { return m_image; }

private:
    // An area of the composed image and what it held before an image was drawn over it.
    struct SavedArea {
        std::int32_t left = 0;
        std::int32_t top = 0;
        std::int32_t width = 0;
        std::int32_t height = 0;
        std::vector<std::uint32_t> pixels;
    };

    void save(SavedArea& area) const;
    void putBack(const SavedArea& area);

    ComposedImage m_image;
    SavedArea m_saved;
    bool m_putBackPending = false;
};

// Tells when a whole pass through the stream has gone by without an image, from how often the
// sequence has gone back to its first block. Starts at the first block.
class PassWatch {
public:
    explicit PassWatch(std::uint64_t restarts) noexcept : m_giveUpAt(restarts + 1) {}

    // An image came of the stream: a pass now counts from the next start at the first block.
    void imageShown(std::uint64_t restarts) noexcept { m_giveUpAt = restarts + 2; }

    [[nodiscard]] bool wholePassWithoutImage(std::uint64_t restarts) const noexcept {
        return restarts >= m_giveUpAt;
    }

private:
    std::uint64_t m_giveUpAt;
};

// One box's animation: the sequence, the composed image and the thread that composes it.
// Every call is made from the owner's thread; only the frame-ready callback runs on the
// animation thread.
class GifAnimation {
public:
    enum class State { notStarted, running, stopRequested, stopped };

    // Called on the animation thread after each frame is composed, outside the lock.
    using FrameReady = std::function<void()>;

    // Takes the sequence and goes back to its first block; the thread is not started yet.
    GifAnimation(decode::GifFrameSequence sequence, FrameReady frameReady);

    // Stops the thread and waits for it before anything is released.
    ~GifAnimation();

    GifAnimation(const GifAnimation&) = delete;
    GifAnimation& operator=(const GifAnimation&) = delete;

    // Starts the thread once; later calls do nothing. False when no thread can be had, and
    // the animation is then stopped.
    bool start();

    // Whether start() has been called.
    [[nodiscard]] bool started() const noexcept { return m_state.load() != State::notStarted; }

    [[nodiscard]] State state() const noexcept { return m_state.load(); }

    // Asks the thread to stop and waits until it has stopped. Does nothing when it never ran.
    void stop();

    // Whether the thread stopped composing on its own: a whole pass through the stream gave
    // no image.
    [[nodiscard]] bool gaveUp() const noexcept { return m_gaveUp.load(); }

    [[nodiscard]] std::int32_t width() const noexcept { return m_width; }
    [[nodiscard]] std::int32_t height() const noexcept { return m_height; }

    // Lets read look at the composed image and the number of frames composed so far (0:
    // nothing composed yet), while the thread is kept from composing.
    void readFrame(const std::function<void(const ComposedImage& image, std::uint64_t frames)>& read) const;

private:
    void run(std::stop_token stop);

    // Waits until deadline or a stop request, looking for the request at least every
    // kStopCheckInterval; false when a stop was requested.
    bool waitUntil(const std::stop_token& stop, std::chrono::steady_clock::time_point deadline);

    decode::GifFrameSequence m_sequence;  // only the animation thread reads it once started
    FrameReady m_frameReady;
    std::int32_t m_width;
    std::int32_t m_height;

    mutable std::mutex m_frameMutex;  // composing and reading the frame exclude each other
    FrameComposer m_composer;         // guarded by m_frameMutex
    std::uint64_t m_frames = 0;       // guarded by m_frameMutex

    std::mutex m_waitMutex;
    std::condition_variable_any m_wake;
    std::atomic<State> m_state{State::notStarted};
    std::atomic<bool> m_gaveUp{false};
    std::jthread m_thread;
};

}  // namespace tessvane::animation
