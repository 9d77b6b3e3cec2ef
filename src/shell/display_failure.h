#pragma once

// Why the library could not start, in a player's words, when it gave no
// reason of its own: on X11 its one such failure is a display it cannot
// open, so this names the display that was tried, or says that none is set.
// Null where the library needs no display server (Windows).
const char* display_failure();
