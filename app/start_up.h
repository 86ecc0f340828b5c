#pragma once

#include "ui/runtime.h"
#include "ui/window_template.h"

namespace tessvane::app {

// The program's hooks around the run; the program has no globals, so both are empty.
void initGlobals();
void onEndOfRun();

// Registers the control kinds of the picture and canvas folders with the window runtime.
void registerControlKinds();

// The whole run: the program's folder becomes the current directory, the template is loaded
// and its handlers bound, the window is loaded, the message loop runs, and the run ends.
// Returns the exit code: 0 after the window is closed. A fatal error never returns.
[[nodiscard]] int startUp(const ui::WindowTemplate& windowTemplate, ui::WindowId window,
                          const ui::HandlerTable& handlers);

}  // namespace tessvane::app
