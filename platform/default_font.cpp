#include "platform/default_font.h"

namespace tessvane::platform {

QFont defaultGuiFont() {
    // Noto Sans CJK covers both the Latin and the Chinese texts, so every glyph of a line
    // comes from one face and lines keep one height.
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(12);
    return font;
}

}  // namespace tessvane::platform
