#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A Standard MIDI File of type 1, written by hand: one conductor track
// for the tempo, then one track per part.
class MidiTrack {
public:
    void note(int channel, uint32_t tick, uint32_t length, int key, int velocity);
    void program(int channel, uint32_t tick, int program);
    void control(int channel, uint32_t tick, int controller, int value);
    void tempo(uint32_t tick, int beats_per_minute);
    void name(const std::string& text);

    // The track chunk's body: events in time order, note-offs ahead of
    // note-ons on the same tick, closed by the end-of-track event.
    std::vector<uint8_t> encode() const;
    uint32_t last_tick() const;

private:
    struct Event {
        uint32_t tick;
        int order;      // 0 meta, 1 note-off, 2 set-up, 3 note-on
        uint32_t seq;   // insertion order breaks the remaining ties
        std::vector<uint8_t> bytes;
    };
    void add(uint32_t tick, int order, std::vector<uint8_t> bytes);
    std::vector<Event> events;
};

bool write_midi_file(const std::string& path, int ticks_per_beat, const std::vector<MidiTrack>& tracks);
