#pragma once

// The window runtime behind the shell's operations: loading templates and windows, finding
// controls, raising events, the message loop and the end of the run.

#include "ui/control_ids.h"
#include "ui/window_template.h"

#include <QWidget>

#include <cstdint>
#include <functional>

namespace tessvane::ui {

class Control;

// The arguments of a mouse event: the pointer in the receiving control's client coordinates
// and the modifier keys (bit 0 Ctrl, bit 1 Shift, bit 2 Alt).
struct EventArgs {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t modifiers = 0;
};

// What a handler of a common event says of the input: let the control see it, or drop it.
enum class EventResult { deliver, drop };

using EventHandler = std::function<EventResult(const EventArgs&)>;

// The routine behind each handler name a template may bind; an empty one leaves the
// binding unresolved, which makes the template unreadable.
using HandlerTable = std::function<EventHandler(HandlerName)>;

// Makes a control of one kind; the runtime makes windows, labels, buttons and common
// dialogs itself, the other kinds come from the folders that own them.
using ControlFactory = Control* (*)(const ControlRecord& record, WindowId window, QWidget* parent);
void registerControlKind(ControlKind kind, ControlFactory factory);

// Loads a template and binds every stored handler; false when it cannot be read (no
// records, a record that is not a window first, or a binding with no routine).
[[nodiscard]] bool loadTemplate(const WindowTemplate& windowTemplate, const HandlerTable& handlers);

// Builds and shows the window from the loaded template; false when the template has no such
// window or a control cannot be made.
[[nodiscard]] bool loadWindow(WindowId window);

// Runs until no window of the program is left; the quit request's exit code.
[[nodiscard]] int runMessageLoop();

// The control, or a fatal error when it is not loaded. control == window names the window.
[[nodiscard]] Control& findControl(WindowId window, ControlId control);

// The control or null, without the fatal error.
[[nodiscard]] Control* lookUpControl(WindowId window, ControlId control) noexcept;

// Calls the handler bound to event of control, if any. Running out of memory in a handler is
// a fatal error.
EventResult raiseEvent(const Control& control, int event, const EventArgs& args = {});

// Runs fn once when the run ends (the user-interface layer releasing what it holds).
void atEndOfRun(std::function<void()> fn);

// Ends the run: releases the loaded template and runs every routine given to atEndOfRun.
void endRun();

}  // namespace tessvane::ui
