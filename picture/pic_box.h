#pragma once

#include "picture/animation/gif_animation.h"
#include "picture/decode/decoded_picture.h"
#include "ui/control.h"

#include <QImage>
#include <QRect>

#include <cstdint>
#include <memory>
#include <optional>

namespace tessvane::picture {

// Where a picture of the given natural size lies in a client area of the given size, by
// display mode: 0 at the top-left corner in its natural size, 1 stretched over the whole area,
// 2 centred, shrunk proportionally when it is larger than the area. Other modes are taken
// as 0. Relative to the client area's top-left corner.
[[nodiscard]] QRect placementRectangle(int displayMode, QSize clientArea, QSize picture);

// A picture box: keeps the bytes of its picture exactly as they were given, and shows what
// they decode to, placed by its display mode over its background colour. An animated GIF plays
// on a thread of the box's own, started by the first paint after the picture was set.
class PicBox : public ui::Control {
    Q_OBJECT

public:
    PicBox(const ui::ControlRecord& record, ui::WindowId window, QWidget* parent);
    ~PicBox() override;

    static ui::Control* create(const ui::ControlRecord& record, ui::WindowId window, QWidget* parent);

    // What the box holds now, for tests and diagnostics.
    enum class Showing { nothing, picture, stillGif, animatedGif };
    [[nodiscard]] Showing showing() const noexcept;

    // The box's animation, or null when it shows no animated GIF.
    [[nodiscard]] const animation::GifAnimation* gifAnimation() const noexcept { return m_animation.get(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void propertyChanged(int number) override;

private:
    // Stops any animation, drops what was shown and prepares the stored bytes anew.
    void takePicture();
    void prepareGif();
    void forgetPlacedImage() noexcept;

    [[nodiscard]] QRect clientRectangle() const;

    // The placed image for a still picture or the current animation frame; null when nothing
    // can be shown. Kept until the picture, the frame, the mode or the box's size changes.
    void placeStillPicture(const QRect& client);
    void placeAnimationFrame(const QRect& client);

    // Still pictures, a still GIF among them (as its first image on the logical screen).
    std::optional<decode::DecodedPicture> m_picture;
    bool m_stillGif = false;
    std::unique_ptr<animation::GifAnimation> m_animation;

    // What was last placed, and for which client area and frame.
    QImage m_placed;
    QRect m_placedAt;
    QRect m_placedFor;
    std::uint64_t m_placedFrame = 0;
    bool m_placedValid = false;
    bool m_placedThroughMask = false;
};

}  // namespace tessvane::picture
