// The tests that play through a real sound driver. The library finds its
// ALSA driver only through the X system driver, so this program runs under
// a virtual X server, with ALSA_CONFIG_PATH pointing at the capture
// configuration in tests/support.
#include <allegro.h>
#include <cstdio>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (allegro_init() != 0) {
        std::fprintf(stderr, "cannot start Allegro: is DISPLAY set?\n");
        return 1;
    }
    set_color_depth(16);
    install_timer();
    // No patch set here, so the music runs on the silent MIDI driver, whose
    // player still moves midi_pos through the song.
    if (install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr) != 0) {
        std::fprintf(stderr, "cannot install sound: %s\n", allegro_error);
        return 1;
    }
    return RUN_ALL_TESTS();
}
