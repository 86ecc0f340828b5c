#pragma once

#include <string_view>

namespace tessvane::ui {

// Fatal errors of the user-interface layer (a window that cannot be built, memory running
// out, a control that is not loaded) all end here. The application installs the routine that
// tells the user and ends the process; it does not return.
using FatalErrorHandler = void (*)(std::string_view reason);
void setFatalErrorHandler(FatalErrorHandler handler) noexcept;

[[noreturn]] void fatalError(std::string_view reason);

}  // namespace tessvane::ui
