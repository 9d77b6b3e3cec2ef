#include "shell/startup.h"

#include <allegro.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "audio/sound_bank.h"
#include "shell/catalogue.h"
#include "shell/console.h"
#include "datafile/structure_check.h"
#include "shell/dialog_font.h"
#include "shell/display_failure.h"
#include "shell/display_loss.h"
#include "shell/game_clock.h"
#include "shell/resources.h"
#include "shell/stop_requests.h"
#include "shell/window_identity.h"

namespace {

const char* const DATA_FILE_NAME = "vexo.dat";
// How often the timer looks for a stop request while a dialog has the keyboard.
constexpr int STOP_CHECKS_PER_SECOND = 20;

// The library's reason for a failure, or the system's when it gave none
// (it says nothing when it runs out of memory).
const char* failure_reason() {
    if (allegro_error[0]) return allegro_error;
    if (errno != 0) return std::strerror(errno);
    return "no reason given";
}

// Nothing can be shown or asked without the library and a window: say why on
// stderr and stop, rather than wait for a key that can never come.
[[noreturn]] void fail_without_screen(const char* what, const char* reason = failure_reason()) {
    std::fprintf(stderr, "%s: %s\n", what, reason);
    std::fflush(stderr);
    std::exit(1);
}

// A driver the game cannot run without: without a keyboard no key is ever
// seen, without the timer no tick ever comes. The line goes to the log and,
// since the window closes with the process, to stderr as well.
void require(bool installed, const char* what) {
    if (installed) return;
    const char* line = console.format("Error installing the %s: %s", what, failure_reason());
    console.print(line);
    std::fprintf(stderr, "%s\n", line);
    std::fflush(stderr);
    std::exit(1);
}

// A key, or the close button as the key would (its Esc is pressed for it),
// then ends the wait; a stop signal ends the game.
void wait_for_key() {
    while (!keypressed() && !close_requested()) end_if_stop_signalled();
}

void install_drivers() {
    console.print("Installing keyboard...");
    errno = 0;
    require(install_keyboard() == 0, "keyboard");

    console.print("Installing timers...");
    errno = 0;
    require(install_timer() == 0, "timer");
    require(install_int_ex(tick_handler, BPS_TO_TIMER(TICKS_PER_SECOND)) == 0, "game clock");
    require(install_int_ex(close_dialogs_on_stop_request, BPS_TO_TIMER(STOP_CHECKS_PER_SECOND)) == 0,
            "signal watch");

    console.print("Installing mouse...");
    console.print(console.format("-> %d buttons.", install_mouse()));

    // The game uses no joystick; the lines only report what the library knows.
    console.print("Installing joystick...");
    console.print(console.format("-> %d joysticks detected.", num_joysticks));
    console.print(console.format("-> %d buttons on joystick 0.", joy[0].num_buttons));

    console.print("Loading Sound drivers...");
    if (install_sound(DIGI_AUTODETECT, MIDI_AUTODETECT, nullptr) != 0) {
        console.print(console.format("Error loading sound: %s", allegro_error));
        // A music driver that cannot start should not cost the effects too.
        install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr);
    }
}

// The Enter that accepted the dialog went down in the window that the mode
// switch just replaced; its release never reaches the new one, and a key left
// held would end player 1's choice on its first tick. The match starts with
// every key up; a key pressed from now on is seen as usual.
void forget_keys_of_the_old_window() {
    clear_keybuf();
    for (int k = 0; k < KEY_MAX; k++) key[k] = 0;
}

// The mode dialog takes its colours from the library's GUI globals. They are
// made here for the start-up window's own depth, so every list entry, the
// selected ones included, is dark text on a light ground or the reverse, in
// solid colours.
void set_dialog_colours() {
    gui_fg_color = makecol(0, 0, 0);
    gui_mg_color = makecol(128, 128, 128);
    gui_bg_color = makecol(255, 255, 255);
}

void choose_screen_mode(ModeRequest& mode) {
    set_dialog_colours();
    FONT* game_font = font;
    if (FONT* padded = make_padded_font(game_font)) font = padded;
    const int chosen = gfx_mode_select_ex(&mode.card, &mode.width, &mode.height, &mode.depth);
    font = game_font;
    if (!chosen) std::exit(0);

    set_color_depth(mode.depth);
    if (set_gfx_mode(mode.card, mode.width, mode.height, 0, 0) != 0) {
        console.print(console.format("Error setting screen mode:\n%s\n", allegro_error));
        std::exit(1);
    }
    forget_keys_of_the_old_window();
}

[[noreturn]] void data_file_unusable(const char* detail) {
    console.print("Error loading datafile! Perhaps it cannot be found?");
    if (detail) console.print(detail);
    console.print("Press a key to quit.");
    if (screen) wait_for_key();
    std::exit(1);
}

void load_data_file() {
    console.print("Loading datafile...");
    bool structure_ok = datafile_structure_ok(DATA_FILE_NAME);
    end_if_stop_requested();
    if (!structure_ok) data_file_unusable(nullptr);
    data_file = load_datafile(DATA_FILE_NAME);
    if (!data_file) data_file_unusable(nullptr);

    int bad = catalogue_first_bad_index(data_file);
    if (bad >= 0) {
        data_file_unusable(console.format("Object %d should be a %s.", bad,
                                          catalogue_type_name(catalogue_expected_type(bad))));
    }
}

}  // namespace

void start_up(ModeRequest& mode) {
    mode.card = GFX_AUTODETECT;
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    game_clock.ticks = 0;

    console.set_mode(Console::SILENT);
    console.print("Vexo v0.01 by Korvath\n");
    console.print("Initializing allegro...");
    remember_ignored_stop_signals();
    name_window();
    errno = 0;
    if (allegro_init() != 0) {
        const char* display = allegro_error[0] ? nullptr : display_failure();
        fail_without_screen("Cannot initialise Allegro", display ? display : failure_reason());
    }
    watch_stop_requests();
    end_at_once_on_display_loss();
    title_window();

    set_color_depth(16);
    // The start-up log's window: GDI on Windows; elsewhere, where there is no
    // GDI driver, the platform's own windowed one.
#ifdef ALLEGRO_WINDOWS
    const int log_window_card = GFX_GDI;
#else
    const int log_window_card = GFX_AUTODETECT_WINDOWED;
#endif
    errno = 0;
    if (set_gfx_mode(log_window_card, 320, 200, 0, 0) != 0)
        fail_without_screen("Cannot open the start-up window");
    console.set_mode(Console::ON_SCREEN);

    install_drivers();

    console.print("Press a key to continue...");
    wait_for_key();
    end_if_stop_requested();

    choose_screen_mode(mode);
    load_data_file();
    sound_bank.load();
}

BITMAP* create_back_buffer(const ModeRequest& mode) {
    BITMAP* buffer = create_bitmap(mode.width, mode.height);
    if (!buffer) {
        console.print("Error creating the back buffer: out of memory.");
        std::exit(1);
    }
    clear_bitmap(buffer);
    return buffer;
}
