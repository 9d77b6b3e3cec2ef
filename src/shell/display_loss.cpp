#include "shell/display_loss.h"

#include <allegro.h>
#include <atomic>
#include <cstdlib>

#include "shell/stop_requests.h"

#ifdef ALLEGRO_WITH_XWINDOWS
#include <xalleg.h>

namespace {

// The X library's own handler: it prints why the connection broke, then
// calls exit().
XIOErrorHandler report_lost_connection = nullptr;
std::atomic<bool> connection_broken{false};

// Runs on whichever thread met the broken connection.
int connection_lost(Display* display) {
    connection_broken = true;
    if (!report_lost_connection) end_at_once(1);
    return report_lost_connection(display);
}

// First of the exit handlers, ahead of the library's shutdown.
void end_at_once_if_connection_lost() {
    if (connection_broken) end_at_once(1);
}

}  // namespace

void end_at_once_on_display_loss() {
    report_lost_connection = XSetIOErrorHandler(connection_lost);
    std::atexit(end_at_once_if_connection_lost);
}
#else
void end_at_once_on_display_loss() {}
#endif
