#include "test_sounds.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr int DIVISIONS = 96;

void put_variable_length(std::vector<unsigned char>& out, int value) {
    if (value >= 128) out.push_back(static_cast<unsigned char>(0x80 | (value >> 7)));
    out.push_back(static_cast<unsigned char>(value & 0x7F));
}

unsigned read_le(const unsigned char* p, int bytes) {
    unsigned value = 0;
    for (int i = bytes - 1; i >= 0; i--) value = (value << 8) | p[i];
    return value;
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

int voice_of(const SAMPLE* sample) {
    for (int v = 0; v < digi_driver->voices; v++)
        if (voice_check(v) == sample) return v;
    return -1;
}

void stop_all_voices() {
    for (int v = 0; v < digi_driver->voices; v++)
        if (voice_check(v)) deallocate_voice(v);
}

CapturedSound read_capture(const std::string& path) {
    CapturedSound sound;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return sound;
    std::vector<unsigned char> bytes;
    unsigned char buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.insert(bytes.end(), buffer, buffer + got);
    std::fclose(file);

    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
        return sound;

    // Walk the chunks; the data chunk runs to the end of what was written.
    size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const unsigned char* chunk = bytes.data() + at;
        unsigned size = read_le(chunk + 4, 4);
        if (std::memcmp(chunk, "fmt ", 4) == 0 && at + 8 + 16 <= bytes.size()) {
            sound.channels = static_cast<int>(read_le(chunk + 10, 2));
            sound.sample_rate = static_cast<int>(read_le(chunk + 12, 4));
            sound.bits = static_cast<int>(read_le(chunk + 22, 2));
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (sound.bits != 16 || sound.channels <= 0) return sound;
            size_t end = bytes.size();
            if (at + 8 + size < end) end = at + 8 + size;
            for (size_t i = at + 8; i + 1 < end; i += 2) {
                int value = static_cast<short>(read_le(bytes.data() + i, 2));
                if (std::abs(value) > sound.peak) sound.peak = std::abs(value);
            }
            sound.frames = static_cast<long>((end - at - 8) / (2 * sound.channels));
            sound.readable = true;
            return sound;
        }
        at += 8 + size + (size & 1);
    }
    return sound;
}
