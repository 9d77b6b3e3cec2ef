#pragma once

// When the display server goes away (the session ends, the server is
// killed), the X library reports the lost connection on standard error and
// the game ends with status 1, or by the stop signal that came in first, as
// a logout sends one. It ends at once: the library's shutdown would only
// make calls on the dead connection, and run from the exit handlers while
// another of its threads is stuck on one, it would never finish.
//
// Call right after the library is up. Does nothing where there is no X11.
void end_at_once_on_display_loss();
