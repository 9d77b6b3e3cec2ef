#include "shell/display_failure.h"

#include <allegro.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

const char* display_failure() {
#ifdef ALLEGRO_WITH_XWINDOWS
    // Read only to explain the failure: the X library opens what DISPLAY names.
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name) return "there is no display to open a window on (DISPLAY is not set)";
    static char text[512];
    // The X library leaves the system's reason in errno, as when no server listens.
    std::snprintf(text, sizeof text, "cannot open the display \"%s\" that DISPLAY names%s%s", name,
                  errno ? ": " : "", errno ? std::strerror(errno) : "");
    return text;
#else
    return nullptr;
#endif
}
