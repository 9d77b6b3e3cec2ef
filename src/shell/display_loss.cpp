#include "shell/display_loss.h"

#include <allegro.h>

#include "shell/stop_requests.h"

#ifdef ALLEGRO_WITH_XWINDOWS
#include <xalleg.h>

namespace {

// Called by the X library on whichever thread met the lost connection, after
// it printed why; it would otherwise call exit().
void connection_lost(Display*, void*) { end_at_once(1); }

}  // namespace

void end_at_once_on_display_loss() {
    if (_xwin.display) XSetIOErrorExitHandler(_xwin.display, connection_lost, nullptr);
}
#else
void end_at_once_on_display_loss() {}
#endif
