#pragma once

// Loads the program's window in-process, as start-up does, so GUI tests can drive it.

#include "ui/control.h"
#include "ui/runtime.h"
#include "ui/window_template.h"

#include <QImage>
#include <QPoint>
#include <QWidget>

namespace tessvane::testing {

// Registers the control kinds, installs the event dispatch and loads the window from the
// template with the given handlers (the program's own by default); waits until it is exposed.
ui::Control& loadProgramWindow(const ui::HandlerTable& handlers = {},
                               const ui::WindowTemplate& windowTemplate = ui::mainWindowTemplate());

// Closes the window, lets it be destroyed and ends the run.
void closeProgramWindow();

[[nodiscard]] ui::Control& control(ui::ControlId id);

// What the window shows now, in client coordinates.
[[nodiscard]] QImage grabProgramWindow();

// A point of a control in the window's client coordinates.
[[nodiscard]] QPoint inWindow(ui::ControlId id, QPoint local);

// Processes events for a while so paints and queued work happen.
void settle(int milliseconds = 50);

}  // namespace tessvane::testing
