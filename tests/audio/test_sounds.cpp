#include "test_sounds.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr int DIVISIONS = 96;

void put_variable_length(std::vector<unsigned char>& out, int value) {
    if (value >= 128) out.push_back(static_cast<unsigned char>(0x80 | (value >> 7)));
    out.push_back(static_cast<unsigned char>(value & 0x7F));
}

}  // namespace

MIDI* make_song(int beats) {
    std::vector<unsigned char> track = {
        0x00, 0xFF, 0x51, 0x03, 0x00, 0x61, 0xA8,  // 25000 us per beat
        0x00, 0x90, 60, 100,                       // note on
    };
    put_variable_length(track, beats * DIVISIONS);
    const unsigned char tail[] = {0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00};
    track.insert(track.end(), tail, tail + sizeof tail);

    MIDI* midi = static_cast<MIDI*>(std::calloc(1, sizeof(MIDI)));
    midi->divisions = DIVISIONS;
    midi->track[0].data = static_cast<unsigned char*>(std::malloc(track.size()));
    std::memcpy(midi->track[0].data, track.data(), track.size());
    midi->track[0].len = static_cast<int>(track.size());
    return midi;
}

long song_end_position(int beats) {
    return -(beats + 1);
}

bool wait_for_song_end() {
    for (int waited = 0; waited < 5000 && midi_pos >= 0; waited += 2) rest(2);
    return midi_pos < 0;
}

SAMPLE* make_tone(int sample_rate, double seconds, int amplitude) {
    int length = static_cast<int>(sample_rate * seconds);
    SAMPLE* tone = create_sample(16, 0, sample_rate, length);
    auto* data = static_cast<unsigned short*>(tone->data);
    int half_period = sample_rate / 880;  // about 440 Hz
    for (int i = 0; i < length; i++) {
        bool high = (i / half_period) % 2 == 0;
        data[i] = static_cast<unsigned short>(0x8000 + (high ? amplitude : -amplitude));
    }
    return tone;
}

int active_voice_count() {
    int active = 0;
    for (int v = 0; v < digi_driver->voices; v++)
        if (voice_check(v)) active++;
    return active;
}

int voices_playing(const SAMPLE* sample) {
    int count = 0;
    for (int v = 0; v < digi_driver->voices; v++)
        if (voice_check(v) == sample) count++;
    return count;
}

void stop_all_voices() {
    for (int v = 0; v < digi_driver->voices; v++)
        if (voice_check(v)) deallocate_voice(v);
}
