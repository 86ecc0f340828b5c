#pragma once

namespace tessvane::app {

// The window's created handler: switches the blue visual style on.
void applyVisualStyle();

}  // namespace tessvane::app
