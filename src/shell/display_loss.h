#pragma once

// When the display server goes away (the session ends, the server is
// killed), the X library says so on standard error and ends the process with
// exit(); the game then ends at once with that status 1, or by a stop signal
// that came in first, as a logout sends one, without the library's shutdown:
// that would only make calls on the dead connection, and run from the exit
// handlers while another of its threads is stuck on one, it never finishes.
//
// Call right after the library is up. Does nothing where there is no X11.
void end_at_once_on_display_loss();
