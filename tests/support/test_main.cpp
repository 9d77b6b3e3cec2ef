// Every unit test runs with Allegro up but no display: bitmaps live in
// memory, keys are written straight into key[] and key_shifts.
#include <allegro.h>
#include <cerrno>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        std::fprintf(stderr, "cannot start Allegro without a display\n");
        return 1;
    }
    // The pixel layout an X11 screen uses, so colours read back the same
    // way as in the real game.
    _rgb_r_shift_15 = 10; _rgb_g_shift_15 = 5; _rgb_b_shift_15 = 0;
    _rgb_r_shift_16 = 11; _rgb_g_shift_16 = 5; _rgb_b_shift_16 = 0;
    set_color_depth(16);
    // No timer thread runs without a system driver: this one takes the MIDI
    // player's callback and never calls it, so songs can be started and
    // walked (midi_seek) at once.
    static TIMER_DRIVER silent = {0, "", "", "", nullptr, nullptr, [](void (*)(), long) { return 0; },
                                  [](void (*)()) {}, nullptr, nullptr, nullptr, nullptr, nullptr};
    timer_driver = &silent;
    return RUN_ALL_TESTS();
}
