#pragma once

#include "ui/runtime.h"

namespace tessvane::app {

// The program's five handlers, by the names the template binds.
[[nodiscard]] ui::EventHandler programHandler(ui::HandlerName name);

}  // namespace tessvane::app
