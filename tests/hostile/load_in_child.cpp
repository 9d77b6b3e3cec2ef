#include "load_in_child.h"

#include <allegro.h>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include "shell/catalogue.h"
#include "shell/datafile_check.h"

namespace {

// Exit statuses of the child; 1 is left to the sanitizers' reports.
constexpr int EXIT_LOADED = 0;
constexpr int EXIT_CHECK = 10;
constexpr int EXIT_LOADER = 11;
constexpr int EXIT_CATALOGUE = 12;
constexpr unsigned CHILD_SECONDS = 20;
// How far into each song the player is run: about eight minutes at the
// player's starting tempo, longer than any song the game ships.
constexpr int SONG_BEATS = 1000;

int accept_timer(void (*)(), long) { return 0; }
void drop_timer(void (*)()) {}
int accept_param_timer(void (*)(void*), void*, long) { return 0; }
void drop_param_timer(void (*)(void*), void*) {}

// The tests run the library without a system driver and so without its timer
// thread: a timer that takes every callback and never calls it. The player's
// ticks are then run one after another by the library's own seek.
void use_a_silent_timer() {
    static TIMER_DRIVER silent{};
    silent.install_int = accept_timer;
    silent.remove_int = drop_timer;
    silent.install_param_int = accept_param_timer;
    silent.remove_param_int = drop_param_timer;
    timer_driver = &silent;
}

// Every song through the library's MIDI player, the way the game starts it,
// then its ticks run at once rather than waited for.
void play_every_song(DATAFILE* file) {
    use_a_silent_timer();
    for (int slot = 0; slot < 6; slot++) {
        MIDI* song = static_cast<MIDI*>(file[CAT_SONG_0 + slot].dat);
        if (play_midi(song, FALSE) == 0) midi_seek(SONG_BEATS);
    }
    stop_midi();
}

[[noreturn]] void load_as_the_game_does(const char* path) {
    alarm(CHILD_SECONDS);
    if (!datafile_structure_ok(path)) _exit(EXIT_CHECK);
    DATAFILE* file = load_datafile(path);
    if (!file) _exit(EXIT_LOADER);
    if (catalogue_first_bad_index(file) >= 0) _exit(EXIT_CATALOGUE);
    play_every_song(file);
    _exit(EXIT_LOADED);
}

}  // namespace

const char* outcome_name(LoadOutcome outcome) {
    switch (outcome) {
    case LoadOutcome::LOADED: return "loaded";
    case LoadOutcome::REFUSED_BY_CHECK: return "refused by the structure check";
    case LoadOutcome::REFUSED_BY_LOADER: return "refused by the loader";
    case LoadOutcome::REFUSED_BY_CATALOGUE: return "refused by the catalogue";
    case LoadOutcome::CRASHED: return "CRASHED";
    case LoadOutcome::HUNG: return "HUNG";
    }
    return "?";
}

LoadOutcome load_in_child(const std::string& path) {
    pid_t child = fork();
    if (child < 0) return LoadOutcome::CRASHED;
    if (child == 0) load_as_the_game_does(path.c_str());

    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
    }
    if (WIFSIGNALED(status)) return WTERMSIG(status) == SIGALRM ? LoadOutcome::HUNG : LoadOutcome::CRASHED;
    switch (WEXITSTATUS(status)) {
    case EXIT_LOADED: return LoadOutcome::LOADED;
    case EXIT_CHECK: return LoadOutcome::REFUSED_BY_CHECK;
    case EXIT_LOADER: return LoadOutcome::REFUSED_BY_LOADER;
    case EXIT_CATALOGUE: return LoadOutcome::REFUSED_BY_CATALOGUE;
    default: return LoadOutcome::CRASHED;
    }
}
