#pragma once

// The shell's operations for the handlers: controls are addressed by window and control
// identifier and properties by number; every value handed out is a fresh copy.

#include "ui/control_ids.h"
#include "ui/property_value.h"

#include <optional>
#include <string_view>

namespace tessvane::ui {

// A copy of the property's value. Addressing a window or control that is not loaded is a
// fatal error.
[[nodiscard]] PropertyValue getProperty(WindowId window, ControlId control, int number);

// Stores a copy of value and lets the control react (repaint, reload its picture).
void setProperty(WindowId window, ControlId control, int number, PropertyValue value);

// Runs the dialog of a common-dialog control as its properties say; true when the user
// confirmed a file.
bool openDialog(WindowId window, ControlId control);

// A message box with no owner that keeps every window of the program disabled until closed.
// Button set 0 is a single OK button without an icon; no caption gives "信息：".
int showMessageBox(std::string_view text, int buttons, std::optional<std::string_view> caption = std::nullopt);

}  // namespace tessvane::ui
