#include "platform/colours.h"

#include <QApplication>
#include <QPalette>

namespace tessvane::platform {

QColor faceColour() { return QApplication::palette().color(QPalette::Active, QPalette::Button); }

QColor resolveColour(std::uint32_t value) {
    if (value == kFaceColourValue) {
        return faceColour();
    }
    return QColor(static_cast<int>(value & 0xFFu), static_cast<int>((value >> 8) & 0xFFu),
                  static_cast<int>((value >> 16) & 0xFFu));
}

}  // namespace tessvane::platform
