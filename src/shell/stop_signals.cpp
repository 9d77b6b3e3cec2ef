#include "shell/stop_signals.h"

#include <allegro.h>
#include <csignal>
#include <cstdlib>

namespace {

volatile std::sig_atomic_t stop_signal = 0;
volatile std::sig_atomic_t esc_pressed = 0;

const int STOP_SIGNALS[] = {
    SIGTERM, SIGINT,
#ifdef SIGQUIT
    SIGQUIT,
#endif
};

bool ignored_at_launch[sizeof STOP_SIGNALS / sizeof STOP_SIGNALS[0]];

void note_stop_signal(int signal) { stop_signal = signal; }

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
}

void watch_stop_signals() {
    int i = 0;
    for (int s : STOP_SIGNALS) std::signal(s, ignored_at_launch[i++] ? SIG_IGN : note_stop_signal);
    std::atexit(end_by_signal_at_exit);
}

void close_dialogs_on_stop_signal() {
    if (stop_signal && !esc_pressed) {
        esc_pressed = 1;
        simulate_keypress((KEY_ESC << 8) | 27);
    }
}

void end_if_stop_signalled() {
    int signal = stop_signal;
    if (!signal) return;
    allegro_exit();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    std::_Exit(128 + signal);
}
