#include "midi_file.h"

#include <algorithm>
#include <cstdio>

namespace {

void put_variable_length(std::vector<uint8_t>& out, uint32_t value) {
    uint8_t groups[5];
    int n = 0;
    do {
        groups[n++] = value & 0x7F;
        value >>= 7;
    } while (value);
    while (n--) out.push_back(groups[n] | (n ? 0x80 : 0));
}

void put_big_endian(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out.push_back((value >> (8 * i)) & 0xFF);
}

}  // namespace

void MidiTrack::add(uint32_t tick, int order, std::vector<uint8_t> bytes) {
    events.push_back({tick, order, static_cast<uint32_t>(events.size()), std::move(bytes)});
}

void MidiTrack::note(int channel, uint32_t tick, uint32_t length, int key, int velocity) {
    const uint8_t ch = channel & 0x0F;
    add(tick, 3, {static_cast<uint8_t>(0x90 | ch), static_cast<uint8_t>(key), static_cast<uint8_t>(velocity)});
    add(tick + length, 1, {static_cast<uint8_t>(0x80 | ch), static_cast<uint8_t>(key), 0});
}

void MidiTrack::program(int channel, uint32_t tick, int program) {
    add(tick, 2, {static_cast<uint8_t>(0xC0 | (channel & 0x0F)), static_cast<uint8_t>(program)});
}

void MidiTrack::control(int channel, uint32_t tick, int controller, int value) {
    add(tick, 2, {static_cast<uint8_t>(0xB0 | (channel & 0x0F)), static_cast<uint8_t>(controller),
                  static_cast<uint8_t>(value)});
}

void MidiTrack::tempo(uint32_t tick, int beats_per_minute) {
    const uint32_t micros = 60000000u / static_cast<uint32_t>(beats_per_minute);
    std::vector<uint8_t> bytes = {0xFF, 0x51, 0x03};
    put_big_endian(bytes, micros, 3);
    add(tick, 0, bytes);
}

void MidiTrack::name(const std::string& text) {
    std::vector<uint8_t> bytes = {0xFF, 0x03};
    put_variable_length(bytes, static_cast<uint32_t>(text.size()));
    bytes.insert(bytes.end(), text.begin(), text.end());
    add(0, 0, bytes);
}

uint32_t MidiTrack::last_tick() const {
    uint32_t last = 0;
    for (const Event& e : events) last = std::max(last, e.tick);
    return last;
}

std::vector<uint8_t> MidiTrack::encode() const {
    std::vector<Event> sorted = events;
    std::sort(sorted.begin(), sorted.end(), [](const Event& a, const Event& b) {
        if (a.tick != b.tick) return a.tick < b.tick;
        if (a.order != b.order) return a.order < b.order;
        return a.seq < b.seq;
    });
    std::vector<uint8_t> out;
    uint32_t now = 0;
    for (const Event& e : sorted) {
        put_variable_length(out, e.tick - now);
        now = e.tick;
        out.insert(out.end(), e.bytes.begin(), e.bytes.end());
    }
    out.insert(out.end(), {0x00, 0xFF, 0x2F, 0x00});
    return out;
}

bool write_midi_file(const std::string& path, int ticks_per_beat, const std::vector<MidiTrack>& tracks) {
    std::vector<uint8_t> file = {'M', 'T', 'h', 'd'};
    put_big_endian(file, 6, 4);
    put_big_endian(file, 1, 2);
    put_big_endian(file, static_cast<uint32_t>(tracks.size()), 2);
    put_big_endian(file, static_cast<uint32_t>(ticks_per_beat), 2);
    for (const MidiTrack& track : tracks) {
        std::vector<uint8_t> body = track.encode();
        file.insert(file.end(), {'M', 'T', 'r', 'k'});
        put_big_endian(file, static_cast<uint32_t>(body.size()), 4);
        file.insert(file.end(), body.begin(), body.end());
    }
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && written;
}
