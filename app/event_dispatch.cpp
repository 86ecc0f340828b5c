#include "app/event_dispatch.h"

#include "ui/control.h"
#include "ui/runtime.h"

#include <QMouseEvent>

#include <optional>

namespace tessvane::app {
namespace {

std::optional<int> commonEventFor(const QMouseEvent& event) {
    const bool left = event.button() == Qt::LeftButton;
    const bool right = event.button() == Qt::RightButton;
    switch (event.type()) {
        case QEvent::MouseButtonPress:
            return left ? std::optional(ui::common_event::leftButtonDown)
                        : right ? std::optional(ui::common_event::rightButtonDown) : std::nullopt;
        case QEvent::MouseButtonRelease:
            return left ? std::optional(ui::common_event::leftButtonUp)
                        : right ? std::optional(ui::common_event::rightButtonUp) : std::nullopt;
        case QEvent::MouseButtonDblClick:
            return left ? std::optional(ui::common_event::doubleClicked) : std::nullopt;
        case QEvent::MouseMove:
            return ui::common_event::mouseMoved;
        default:
            return std::nullopt;
    }
}

std::int32_t modifierBits(Qt::KeyboardModifiers modifiers) {
    std::int32_t bits = 0;
    if (modifiers & Qt::ControlModifier) {
        bits |= 1;
    }
    if (modifiers & Qt::ShiftModifier) {
        bits |= 2;
    }
    if (modifiers & Qt::AltModifier) {
        bits |= 4;
    }
    return bits;
}

}  // namespace

bool EventDispatch::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            break;
        default:
            return false;
    }
    auto* control = qobject_cast<ui::Control*>(watched);
    if (control == nullptr) {
        return false;
    }
    const auto& mouse = static_cast<const QMouseEvent&>(*event);
    const std::optional<int> number = commonEventFor(mouse);
    if (!number) {
        return false;
    }
    const QPoint at = mouse.position().toPoint();
    const ui::EventArgs args{.x = at.x(), .y = at.y(), .modifiers = modifierBits(mouse.modifiers())};
    return ui::raiseEvent(*control, *number, args) == ui::EventResult::drop;
}

}  // namespace tessvane::app
