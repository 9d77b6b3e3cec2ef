// Effects started through the bank land on the driver's voices.
#include <gtest/gtest.h>

#include "audio/sound_bank.h"
#include "combat/ship.h"
#include "powerups/powerup_field.h"
#include "fakes/fake_datafile.h"
#include "test_sounds.h"

namespace {

// Each filled slot holds a one-second tone at its own sample rate, long
// enough to be still playing when the test looks at the voices.
SAMPLE* slot_tone(int slot) {
    return make_tone(22050 + slot * 1000, 1.0, 8000);
}

void fill_effects(SoundBank& bank) {
    for (int slot = 0; slot < 6; slot++) bank.samples[slot] = slot_tone(slot);
}

class EffectTest : public testing::Test {
protected:
    SoundBank bank;
    EffectTest() {
        stop_all_voices();
        fill_effects(bank);
    }
    ~EffectTest() override { stop_all_voices(); }
};

TEST_F(EffectTest, EachSlotStartsItsOwnSampleAtFullVolumeCentredAtItsOwnPitch) {
    for (int slot = 0; slot < 6; slot++) {
        SCOPED_TRACE(slot);
        stop_all_voices();
        bank.play_sound(slot);
        EXPECT_EQ(active_voice_count(), 1);
        int voice = voice_of(bank.samples[slot]);
        ASSERT_GE(voice, 0);
        EXPECT_EQ(voice_get_volume(voice), 255);
        EXPECT_EQ(voice_get_pan(voice), 128);
        EXPECT_EQ(voice_get_frequency(voice), bank.samples[slot]->freq);
    }
}

TEST_F(EffectTest, SlotsSixToNineteenPlayNothing) {
    for (int slot = 6; slot < SAMPLE_SLOTS; slot++) bank.play_sound(slot);
    EXPECT_EQ(active_voice_count(), 0);
}

TEST_F(EffectTest, AnEffectOverlapsItself) {
    bank.play_sound(SOUND_HIT);
    bank.play_sound(SOUND_HIT);
    EXPECT_EQ(voices_playing(bank.samples[SOUND_HIT]), 2);
}

TEST(EmptyBankEffects, PlayNothing) {
    stop_all_voices();
    SoundBank bank;
    for (int slot = 0; slot < SAMPLE_SLOTS; slot++) bank.play_sound(slot);
    EXPECT_EQ(active_voice_count(), 0);
}

// Firing, hits, repairs and deaths reach the game's own bank.
class GameSoundTest : public testing::Test {
protected:
    FakeDataFile data;
    Ship shooter;
    Ship target;

    GameSoundTest() {
        data.install();
        if (!sound_bank.samples[0]) fill_effects(sound_bank);
        stop_all_voices();
    }
    ~GameSoundTest() override { stop_all_voices(); }

    bool only_playing(int slot) {
        return active_voice_count() == 1 && voices_playing(sound_bank.samples[slot]) == 1;
    }
};

TEST_F(GameSoundTest, FiringPlaysTheSlotOfTheWeapon) {
    for (int weapon = 0; weapon < 3; weapon++) {
        SCOPED_TRACE(weapon);
        stop_all_voices();
        shooter.select_weapon(weapon);
        shooter.fire_cooldown = 0;
        shooter.fire(target);
        EXPECT_TRUE(only_playing(weapon));
    }
}

TEST_F(GameSoundTest, SurvivedHitPlaysTheHitSound) {
    target.take_damage(5, Vec2(1, 2));
    EXPECT_TRUE(only_playing(SOUND_HIT));
}

TEST_F(GameSoundTest, DeathPlaysTheDeathSound) {
    target.take_damage(500, Vec2(1, 2));
    EXPECT_TRUE(only_playing(SOUND_DEATH));
}

TEST_F(GameSoundTest, RepairItemPlaysTheHitSound) {
    {
        PowerUpField field;
        field.spawn();
        PowerUp& item = field.powerups.at(0);
        item.type = PU_REPAIR;
        item.set_position(Vec2(target.pos.x + 11, target.pos.y + 11));
        field.collect(target);
        EXPECT_EQ(target.health, 125);
        EXPECT_TRUE(only_playing(SOUND_HIT));
    }
    data.forget_item_sprites();
}

}  // namespace
