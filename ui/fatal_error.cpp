#include "ui/fatal_error.h"

#include <cstdio>
#include <cstdlib>

namespace tessvane::ui {
namespace {
FatalErrorHandler g_handler = nullptr;
}

void setFatalErrorHandler(FatalErrorHandler handler) noexcept { g_handler = handler; }

void fatalError(std::string_view reason) {
    if (g_handler != nullptr) {
        g_handler(reason);
    }
    // Without an installed routine, or should it return, the process still ends with -1.
    std::fprintf(stderr, "tessvane: %.*s\n", static_cast<int>(reason.size()), reason.data());
    std::exit(-1);
}

}  // namespace tessvane::ui
