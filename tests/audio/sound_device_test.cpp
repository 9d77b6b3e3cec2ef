// The effects through the library's real ALSA driver, which it finds only
// through its X system driver: this program runs under a virtual X server,
// with ALSA_CONFIG_PATH pointing at the capture configuration in
// tests/support.
#include <allegro.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>

#include "audio/sound_bank.h"
#include "combat/ship.h"
#include "fakes/fake_datafile.h"

// The game's bank loaded from a stand-in data file whose effects last a
// second, so that they still play when the test looks at the voices.
class Sound : public testing::Test {
protected:
    FakeDataFile data;
    Sound() {
        for (int index : {26, 28, 27, 4, 16}) {
            auto* effect = static_cast<SAMPLE*>(data.objects()[index].dat);
            effect->len = effect->freq;
            effect->data = std::memset(std::realloc(effect->data, effect->len * 2), 0x80, effect->len * 2);
        }
        data.install();
        sound_bank.load();
    }
    ~Sound() override {  // the file releases its objects itself
        for (SAMPLE*& effect : sound_bank.samples) effect = nullptr;
        for (MIDI*& song : sound_bank.songs) song = nullptr;
    }
    // True if exactly `count` voices were playing, each catalogue object
    // `index` at full volume, centred and at its own rate; stops them.
    bool played(int index, int count = 1) {
        int playing = 0, right = 0;
        for (int v = 0; v < digi_driver->voices; v++) {
            SAMPLE* s = voice_check(v);
            playing += s != nullptr;
            right += s == data.objects()[index].dat && voice_get_volume(v) == 255 &&
                     voice_get_pan(v) == 128 && voice_get_frequency(v) == 22050;
            if (s) deallocate_voice(v);
        }
        return playing == count && right == count;
    }
};

TEST_F(Sound, FiringHitsAndDeathsPlayTheirCatalogueEffects) {
    Ship shooter, target;
    shooter.add_flags(TRIPLE_SHOT);
    const int fire_objects[3] = {26, 28, 27};
    for (int weapon : {0, 1, 2}) {
        shooter.select_weapon(weapon);
        shooter.fire_cooldown = 0;
        shooter.fire(target);
        EXPECT_TRUE(played(fire_objects[weapon])) << "one effect for three bullets of weapon " << weapon;
    }
    target.take_damage(5, Vec2(1, 2));
    target.take_damage(5, Vec2(1, 2));
    EXPECT_TRUE(played(4, 2)) << "hits overlap";
    target.take_damage(500, Vec2(1, 2));
    EXPECT_TRUE(played(16));
}


int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (allegro_init() != 0 || install_timer() != 0 || install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr) != 0) {
        std::fprintf(stderr, "cannot start the sound drivers: %s\n", allegro_error);
        return 1;
    }
    return RUN_ALL_TESTS();
}
