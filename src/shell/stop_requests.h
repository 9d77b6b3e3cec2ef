#pragma once

// Besides Esc, the desktop can ask the game to stop: SIGTERM, SIGINT and
// SIGQUIT (a logout or shutdown, Ctrl+C, kill), and the window's close
// button (its close box, Alt+F4, the taskbar's "Close window"). Either ends
// the game at once and cleanly: the library is shut down (the window closed,
// the screen mode restored); a signal then ends the process by that signal,
// with the status every shell expects, and the close button with the status
// the game's own way out gives where it waits.
//
// The library's own signal handlers shut it down from inside the signal,
// where the main thread may be half way through drawing (they abort then),
// and they take over a signal the game was started with ignored; its close
// button callback runs on its input thread. So both only note the request,
// and the main thread ends the game the next time it looks, which it does in
// every loop that waits.

// Call before the library is brought up: which of the signals the game was
// started with ignored (as a script's background job is).
void remember_ignored_stop_signals();
// Call right after the library is up: replaces its signal handlers (a signal
// ignored at launch stays ignored) and takes the window's close button.
void watch_stop_requests();
// On the library's timer: while the mode dialog runs its own loop, a noted
// request presses Esc for it, so the dialog closes and the start-up goes on
// to end the game.
void close_dialogs_on_stop_request();
// Whether the close button has been pressed.
bool close_requested();
// On the main thread: ends the game if a stop signal has come in.
void end_if_stop_signalled();
// On the main thread: ends the game if asked to, by the signal that came in,
// or after a close request with status 0, as Esc and the dialog's Cancel do.
void end_if_stop_requested();
// Ends the process this instant, from any thread, running none of the exit
// handlers: by the stop signal that came in, else with status. For when the
// library's own shutdown can no longer finish.
[[noreturn]] void end_at_once(int status);
