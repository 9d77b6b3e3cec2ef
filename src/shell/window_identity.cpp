#include "shell/window_identity.h"

#include <allegro.h>

#ifdef ALLEGRO_WITH_XWINDOWS
#include <xalleg.h>

// The icon art as X11 pixmap data, drawn by the asset generator at build time.
extern const char* const vexo_icon_xpm[];
// The library's own icon, which it gives every program that sets none.
extern "C" void* allegro_icon;
#endif

void name_window() {
#ifdef ALLEGRO_WITH_XWINDOWS
    // A desktop shell matches a running window to its menu entry by the
    // window's class (the entry's StartupWMClass): without one of its own the
    // game would show in the taskbar as a nameless Allegro program.
    xwin_set_window_name("vexo", "vexo");
    // The library only reads the data, through a pointer that lost its const.
    allegro_icon = const_cast<char**>(vexo_icon_xpm);
#endif
}

void title_window() { set_window_title("Vexo"); }
