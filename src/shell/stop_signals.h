#pragma once

// SIGTERM, SIGINT and SIGQUIT end the game at once and cleanly: the library
// is shut down (the window closed, the screen mode restored) and the process
// then ends by the signal, with the status every shell expects.
//
// The library's own handlers shut it down from inside the signal, where the
// main thread may be half way through drawing (they abort then), and they
// take over a signal the game was started with ignored. Instead the handler
// here only notes the signal; the main thread ends the game the next time it
// looks, which it does in every loop that waits.

// Call before the library is brought up: which of the signals the game was
// started with ignored (as a script's background job is).
void remember_ignored_stop_signals();
// Call right after the library is up: replaces its handlers; a signal
// ignored at launch stays ignored.
void watch_stop_signals();
// On the library's timer: while the mode dialog runs its own loop, a noted
// signal presses Esc for it, so the dialog closes and the start-up goes on to
// end the game.
void close_dialogs_on_stop_signal();
// On the main thread: ends the game if a stop signal has come in.
void end_if_stop_signalled();
