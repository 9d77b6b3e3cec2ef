#pragma once

struct SAMPLE;
struct MIDI;

// Sample slots played by the game.
enum SoundSlot {
    SOUND_FIRE_0 = 0,
    SOUND_FIRE_1 = 1,
    SOUND_FIRE_2 = 2,
    SOUND_HIT = 3,
    SOUND_DEATH = 4,
};

constexpr int SONG_SLOTS = 7;
constexpr int SAMPLE_SLOTS = 20;

// The game's sound effects and songs, borrowed from the data file. Plays an
// effect on request and keeps the music going, a different song each time.
class SoundBank {
public:
    bool music_on = false;
    int current_song = 0;
    MIDI* songs[SONG_SLOTS] = {};
    SAMPLE* samples[SAMPLE_SLOTS] = {};

    SoundBank() = default;
    virtual ~SoundBank();
    SoundBank(const SoundBank&) = delete;
    SoundBank& operator=(const SoundBank&) = delete;

    void load();
    void play_sound(int slot);
    void play_song(int slot);
    void update_music();
};

// Built during static initialisation, so its destructor runs after the
// library's own shutdown at exit. Filled by the start-up; played by firing,
// hits and the battle's music step.
extern SoundBank sound_bank;
