#include "shell/stop_requests.h"

#include <allegro.h>
#ifdef ALLEGRO_WINDOWS
#include <winalleg.h>
#endif
#include <atomic>
#include <csignal>
#include <cstdlib>
#include <iterator>

namespace {

volatile std::sig_atomic_t stop_signal = 0;
std::atomic<bool> close_request{false};
std::atomic<bool> esc_pressed{false};
// Set once the library's shutdown has begun on the way out by a signal.
std::atomic<bool> shutting_down{false};

const int STOP_SIGNALS[] = {
    SIGTERM, SIGINT,
#ifdef SIGQUIT
    SIGQUIT,
#endif
};

bool ignored_at_launch[std::size(STOP_SIGNALS)];

void note_stop_signal(int signal) { stop_signal = signal; }

// Runs on the library's input thread (X11) or window thread (Windows).
void note_close_request() { close_request = true; }

#ifdef _WIN32
void hold_stop_signals(bool) {}
void let_signal_through(int) {}
int pending_stop_signal() { return 0; }
#else
void change_mask(int how, const int* signals, int count) {
    sigset_t set;
    sigemptyset(&set);
    for (int i = 0; i < count; i++) sigaddset(&set, signals[i]);
    pthread_sigmask(how, &set, nullptr);
}

void hold_stop_signals(bool held) {
    change_mask(held ? SIG_BLOCK : SIG_UNBLOCK, STOP_SIGNALS, std::size(STOP_SIGNALS));
}

// The library's threads run with every signal blocked; this may be one.
void let_signal_through(int signal) { change_mask(SIG_UNBLOCK, &signal, 1); }

// A stop signal sent but not yet handled, as when this thread blocks it and
// the one that would note it has not run since: a logout's SIGTERM just before
// its display went away.
int pending_stop_signal() {
    sigset_t pending;
    sigpending(&pending);
    int i = 0;
    for (int s : STOP_SIGNALS)
        if (!ignored_at_launch[i++] && sigismember(&pending, s)) return s;
    return 0;
}
#endif

[[noreturn]] void end_by_signal(int signal) {
    std::signal(signal, SIG_DFL);
    let_signal_through(signal);
    std::raise(signal);
    std::_Exit(128 + signal);
}

#ifdef ALLEGRO_WINDOWS
// Windows ends a program as soon as its window has answered WM_ENDSESSION;
// the library's shutdown could not finish in that time and has nothing left
// to restore, so the game ends there, as a logout asks, with status 0. The
// library then answers every message as it does without this.
int end_with_session(HWND, UINT message, WPARAM session_ends, LPARAM, int*) {
    if (message == WM_ENDSESSION && session_ends) end_at_once(0);
    return 1;
}
#endif

// Every exit (the dialog cancelled by the pressed Esc, an error after it)
// ends by the signal instead once one has come in.
void end_by_signal_at_exit() { end_if_stop_signalled(); }

}  // namespace

void remember_ignored_stop_signals() {
    int i = 0;
    for (int s : STOP_SIGNALS) {
        auto launch = std::signal(s, SIG_IGN);
        std::signal(s, launch);
        ignored_at_launch[i++] = launch == SIG_IGN;
    }
    // Held back while the library comes up: its own handlers, in place until
    // watch_stop_requests, would shut it down from inside the signal.
    hold_stop_signals(true);
}

void watch_stop_requests() {
    int i = 0;
    for (int s : STOP_SIGNALS) std::signal(s, ignored_at_launch[i++] ? SIG_IGN : note_stop_signal);
    hold_stop_signals(false);
    std::atexit(end_by_signal_at_exit);
    set_close_button_callback(note_close_request);
#ifdef ALLEGRO_WINDOWS
    win_set_msg_pre_proc(end_with_session);
#endif
}

void close_dialogs_on_stop_request() {
    if ((stop_signal || close_request) && !esc_pressed.exchange(true))
        simulate_keypress((KEY_ESC << 8) | 27);
}

bool close_requested() { return close_request; }

void end_if_stop_signalled() {
    int signal = stop_signal;
    if (!signal) return;
    // Entered again from the exit handlers while the shutdown below is still
    // under way (something in it ended the process), a second shutdown would
    // wait for ever on locks the first one holds.
    if (!shutting_down.exchange(true)) allegro_exit();
    end_by_signal(signal);
}

void end_if_stop_requested() {
    end_if_stop_signalled();
    if (close_request) std::exit(0);
}

void end_at_once(int status) {
    if (int signal = stop_signal ? stop_signal : pending_stop_signal()) end_by_signal(signal);
    std::_Exit(status);
}
