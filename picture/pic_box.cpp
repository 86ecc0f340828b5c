#include "picture/pic_box.h"

#include "picture/decode/decode_picture.h"
#include "picture/decode/draw_picture.h"
#include "picture/decode/gif_frame_sequence.h"
#include "picture/decode/recognise_picture.h"
#include "platform/stretch.h"
#include "ui/border.h"
#include "ui/property_tables.h"

#include <QMetaObject>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

#include <new>
#include <utility>

namespace tessvane::picture {

namespace property = ui::picbox_property;

namespace {

// A two-colour picture is drawn as on a fresh drawing surface: black ink (0 bits) on white
// paper (1 bits).
const QColor kInk = Qt::black;
const QColor kPaper = Qt::white;

[[nodiscard]] bool drawnThroughMask(decode::PictureKind kind) noexcept {
    return kind == decode::PictureKind::icon || kind == decode::PictureKind::cursor;
}

// The image to keep for a picture placed at `at` in a client area of clientSize: only the part
// that shows, so a large picture at its natural size costs no more than the box. Sets `shownAt`
// to where that part goes. Never shares memory with `natural`.
[[nodiscard]] QImage placedCopy(const QImage& natural, const QRect& at, QSize clientSize, QRect& shownAt) {
    shownAt = at.intersected(QRect(QPoint(0, 0), clientSize));
    if (natural.isNull() || shownAt.isEmpty()) {
        return {};
    }
    if (at.size() == natural.size()) {
        return natural.copy(shownAt.translated(-at.topLeft()));
    }
    QImage stretched = platform::stretchedCopy(natural, at.size(), platform::screenStretchQuality());
    if (stretched.constBits() == natural.constBits()) {
        stretched = stretched.copy();
    }
    if (shownAt != at) {
        return stretched.copy(shownAt.translated(-at.topLeft()));
    }
    return stretched;
}

}  // namespace

QRect placementRectangle(int displayMode, QSize clientArea, QSize picture) {
    const std::int64_t areaWidth = clientArea.width();
    const std::int64_t areaHeight = clientArea.height();
    const std::int64_t width = picture.width();
    const std::int64_t height = picture.height();
    if (width <= 0 || height <= 0 || areaWidth <= 0 || areaHeight <= 0) {
        return {};
    }
    switch (displayMode) {
        case 1:
            return {0, 0, clientArea.width(), clientArea.height()};
        case 2: {
            std::int64_t placedWidth = width;
            std::int64_t placedHeight = height;
            if (width > areaWidth || height > areaHeight) {
                // Shrunk by min(W / w, H / h), sizes truncated; compared and computed in whole
                // numbers so the side that fits comes out exactly the box's.
                if (areaWidth * height <= areaHeight * width) {
                    placedWidth = areaWidth;
                    placedHeight = height * areaWidth / width;
                } else {
                    placedHeight = areaHeight;
                    placedWidth = width * areaHeight / height;
                }
            }
            return {static_cast<int>((areaWidth - placedWidth) / 2), static_cast<int>((areaHeight - placedHeight) / 2),
                    static_cast<int>(placedWidth), static_cast<int>(placedHeight)};
        }
        default:
            return {0, 0, picture.width(), picture.height()};
    }
}

PicBox::PicBox(const ui::ControlRecord& record, ui::WindowId window, QWidget* parent)
    : ui::Control(record, window, parent) {
    // Every paint fills the whole box first, so nothing needs erasing before it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    takePicture();  // the picture the template stores
}

PicBox::~PicBox() {
    // The thread goes before anything it reads or calls into is released.
    m_animation.reset();
}

ui::Control* PicBox::create(const ui::ControlRecord& record, ui::WindowId window, QWidget* parent) {
    return new PicBox(record, window, parent);  // the parent widget owns it
}

PicBox::Showing PicBox::showing() const noexcept {
    if (m_animation) {
        return Showing::animatedGif;
    }
    if (m_picture) {
        return m_stillGif ? Showing::stillGif : Showing::picture;
    }
    return Showing::nothing;
}

void PicBox::propertyChanged(int number) {
    switch (number) {
        case property::picture:
        case property::playAnimation:
            // The stored bytes are already the copy of what was given.
            takePicture();
            break;
        case property::displayMode:
        case property::border:
            forgetPlacedImage();
            if (m_picture) {
                placeStillPicture(clientRectangle());
            }
            break;
        default:
            break;
    }
    update();
}

void PicBox::takePicture() {
    // Stop request, then wait for the thread's acknowledgement, before its state goes.
    m_animation.reset();
    m_picture.reset();
    m_stillGif = false;
    forgetPlacedImage();

    const ByteBuffer& bytes = bytesProperty(property::picture);
    if (bytes.empty()) {
        return;
    }
    try {
        if (decode::recognisePicture(bytes) == decode::PictureKind::gif && booleanProperty(property::playAnimation)) {
            prepareGif();
        } else {
            m_picture = decode::decodePicture(bytes);
        }
        if (m_picture) {
            placeStillPicture(clientRectangle());
        }
    } catch (const std::bad_alloc&) {
        // No room for the animation or the placed image: the box shows no picture.
        m_animation.reset();
        m_picture.reset();
        m_stillGif = false;
        forgetPlacedImage();
    }
}

void PicBox::prepareGif() {
    auto sequence = decode::GifFrameSequence::open(bytesProperty(property::picture));
    if (!sequence) {
        return;  // the header or the global colour table cannot be read
    }
    auto first = sequence->nextImage();
    if (first) {
        if (sequence->atEndOfStream()) {
            // One image and nothing after it: a still picture of the logical-screen size,
            // the image at its top-left corner.
            m_picture = decode::DecodedPicture{.kind = decode::PictureKind::gif,
                                               .width = sequence->screenWidth(),
                                               .height = sequence->screenHeight(),
                                               .pixels = std::move(first.value().pixels)};
            m_stillGif = true;
            return;
        }
    } else if (sequence->restarts() > 0 || sequence->atEndOfStream()) {
        // No image in the stream, a stream that cannot be read on, or a lone image that does
        // not decode: nothing to show.
        return;
    }
    // More follows the first image (which may itself not have decoded): play from the start.
    sequence->restart();
    m_animation = std::make_unique<animation::GifAnimation>(std::move(sequence).value(), [this] {
        // On the animation thread: only ask the user-interface thread to repaint.
        QMetaObject::invokeMethod(this, [this] { update(); }, Qt::QueuedConnection);
    });
}

void PicBox::forgetPlacedImage() noexcept {
    m_placed = QImage();
    m_placedValid = false;
    m_placedFrame = 0;
}

QRect PicBox::clientRectangle() const { return ui::clientArea(rect(), integerProperty(property::border)); }

void PicBox::placeStillPicture(const QRect& client) {
    if (m_placedValid && m_placedFor == client) {
        return;
    }
    m_placedValid = true;
    m_placedFor = client;
    m_placedThroughMask = drawnThroughMask(m_picture->kind);
    const QRect at = placementRectangle(integerProperty(property::displayMode), client.size(),
                                        QSize(m_picture->width, m_picture->height));
    m_placed = at.isEmpty() ? QImage()
                            : placedCopy(decode::pictureImage(*m_picture, kInk, kPaper), at, client.size(), m_placedAt);
}

void PicBox::placeAnimationFrame(const QRect& client) {
    m_animation->readFrame([&](const animation::ComposedImage& composed, std::uint64_t frames) {
        if (frames == 0) {
            forgetPlacedImage();  // nothing composed yet: the background alone
            return;
        }
        if (m_placedValid && m_placedFrame == frames && m_placedFor == client) {
            return;
        }
        m_placedValid = true;
        m_placedFrame = frames;
        m_placedFor = client;
        m_placedThroughMask = false;
        const QRect at = placementRectangle(integerProperty(property::displayMode), client.size(),
                                            QSize(composed.width, composed.height));
        // A view of the composed pixels, valid only while the lock is held; placedCopy copies.
        const QImage view(reinterpret_cast<const uchar*>(composed.pixels.data()), composed.width, composed.height,
                          static_cast<qsizetype>(composed.width) * 4, QImage::Format_RGB32);
        m_placed = at.isEmpty() ? QImage() : placedCopy(view, at, client.size(), m_placedAt);
    });
}

void PicBox::resizeEvent(QResizeEvent* event) {
    ui::Control::resizeEvent(event);
    forgetPlacedImage();
    if (m_picture) {
        placeStillPicture(clientRectangle());
    }
}

void PicBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), resolvedColour(property::backColor));
    ui::drawBorder(painter, rect(), integerProperty(property::border));

    const QRect client = clientRectangle();
    try {
        if (m_animation) {
            if (!m_animation->started()) {
                // The first paint after the picture was set starts the thread; its first frame
                // asks for the next paint.
                m_animation->start();
                return;
            }
            placeAnimationFrame(client);
        } else if (m_picture) {
            placeStillPicture(client);
        } else {
            return;
        }
    } catch (const std::bad_alloc&) {
        forgetPlacedImage();
        return;
    }
    if (m_placed.isNull()) {
        return;
    }
    painter.setClipRect(client);
    painter.setCompositionMode(m_placedThroughMask ? QPainter::CompositionMode_SourceOver
                                                   : QPainter::CompositionMode_Source);
    painter.drawImage(client.topLeft() + m_placedAt.topLeft(), m_placed);
}

}  // namespace tessvane::picture
