#pragma once

#include <string_view>

namespace tessvane::app {

// Tells the user that the program failed and why, runs the end of the run without the
// program's own end-of-run routine, and ends the process with exit code -1.
[[noreturn]] void failFatally(std::string_view reason);

}  // namespace tessvane::app
