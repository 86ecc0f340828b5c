#include "app/apply_visual_style.h"

#include "app/visual_style.h"

namespace tessvane::app {

void applyVisualStyle() {
    // A style that cannot be switched on leaves the system look; nothing is reported.
    (void)setVisualStyle(1);
}

}  // namespace tessvane::app
