// Firing, hits and deaths start their own effects on the driver's voices.
#include <gtest/gtest.h>

#include "audio/sound_bank.h"
#include "combat/ship.h"
#include "fakes/fake_datafile.h"
#include "test_sounds.h"

namespace {

// Each filled slot holds a one-second tone at its own sample rate, long
// enough to be still playing when the test looks at the voices.
class GameSoundTest : public testing::Test {
protected:
    FakeDataFile data;
    Ship shooter;
    Ship target;

    GameSoundTest() {
        data.install();
        if (!sound_bank.samples[0])
            for (int slot = 0; slot < 6; slot++) sound_bank.samples[slot] = make_tone(22050 + slot * 1000, 1.0, 8000);
        stop_all_voices();
    }
    ~GameSoundTest() override { stop_all_voices(); }

    bool only_playing(int slot, int voices = 1) {
        return active_voice_count() == voices && voices_playing(sound_bank.samples[slot]) == voices;
    }
};

TEST_F(GameSoundTest, FiringPlaysTheSlotOfTheWeaponOnceEvenForThreeBullets) {
    shooter.add_flags(TRIPLE_SHOT);
    for (int weapon = 0; weapon < 3; weapon++) {
        SCOPED_TRACE(weapon);
        stop_all_voices();
        shooter.select_weapon(weapon);
        shooter.fire_cooldown = 0;
        shooter.fire(target);
        EXPECT_TRUE(only_playing(weapon));
    }
}

TEST_F(GameSoundTest, HitsPlayTheHitSoundOverlappingAndADeathTheDeathSound) {
    target.take_damage(5, Vec2(1, 2));
    target.take_damage(5, Vec2(1, 2));
    EXPECT_TRUE(only_playing(SOUND_HIT, 2));
    stop_all_voices();
    target.take_damage(500, Vec2(1, 2));
    EXPECT_TRUE(only_playing(SOUND_DEATH));
}

TEST(EmptyBankEffects, PlayNothing) {
    stop_all_voices();
    SoundBank bank;
    for (int slot = 0; slot < SAMPLE_SLOTS; slot++) bank.play_sound(slot);
    EXPECT_EQ(active_voice_count(), 0);
}

}  // namespace
