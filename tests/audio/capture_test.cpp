// What the driver plays reaches the capture device's WAV file.
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

#include "audio/sound_bank.h"
#include "test_sounds.h"

namespace {

std::string capture_path() {
    const char* path = std::getenv("VEXO_CAPTURE_WAV");
    return path ? path : "";
}

// Reopens the sound device, which starts a new capture file, lets `play`
// run for a moment, then closes it so the file is complete.
CapturedSound capture(void (*play)(SoundBank&), SoundBank& bank) {
    remove_sound();
    if (install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr) != 0) return CapturedSound();
    play(bank);
    rest(300);
    remove_sound();
    CapturedSound sound = read_capture(capture_path());
    install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr);
    return sound;
}

TEST(SoundCapture, DriverIsTheCaptureDevice) {
    ASSERT_NE(digi_driver, nullptr);
    EXPECT_EQ(digi_driver->id, DIGI_ALSA);
    EXPECT_EQ(digi_driver->voices, 8);
}

TEST(SoundCapture, EffectsAreHeardAndSilenceIsNot) {
    ASSERT_FALSE(capture_path().empty()) << "VEXO_CAPTURE_WAV is not set";
    SoundBank bank;
    bank.samples[SOUND_HIT] = make_tone(22050, 0.5, 12000);
    bank.samples[SOUND_DEATH] = make_tone(11025, 0.5, 12000);

    CapturedSound quiet = capture([](SoundBank&) {}, bank);
    ASSERT_TRUE(quiet.readable);
    EXPECT_EQ(quiet.channels, 2);
    EXPECT_EQ(quiet.sample_rate, 44100);
    EXPECT_EQ(quiet.bits, 16);
    EXPECT_GT(quiet.frames, 0);
    EXPECT_EQ(quiet.peak, 0);

    CapturedSound loud = capture(
        [](SoundBank& b) {
            b.play_sound(SOUND_HIT);
            b.play_sound(SOUND_DEATH);
        },
        bank);
    ASSERT_TRUE(loud.readable);
    EXPECT_GT(loud.frames, 0);
    EXPECT_GT(loud.peak, 2000);
}

}  // namespace
