#include "midi_summary.h"

#include <algorithm>
#include <map>

namespace {

unsigned long read_variable(const unsigned char*& p, const unsigned char* end) {
    unsigned long value = 0;
    while (p < end) {
        unsigned char b = *p++;
        value = (value << 7) | (b & 0x7F);
        if (!(b & 0x80)) break;
    }
    return value;
}

}  // namespace

MidiSummary summarise_midi(const MIDI* midi) {
    MidiSummary summary;
    std::map<unsigned long, long> tempo_at;  // tick -> microseconds per beat
    unsigned long last_tick = 0;
    for (int t = 0; t < MIDI_TRACKS; ++t) {
        const unsigned char* p = midi->track[t].data;
        if (!p) continue;
        const unsigned char* end = p + midi->track[t].len;
        unsigned long tick = 0;
        unsigned char status = 0;
        bool ended = false;
        while (p < end && !ended) {
            tick += read_variable(p, end);
            if (*p & 0x80) status = *p++;
            const int type = status & 0xF0, channel = status & 0x0F;
            if (status == 0xFF) {
                unsigned char meta = *p++;
                unsigned long length = read_variable(p, end);
                if (meta == 0x51 && length == 3) tempo_at[tick] = (p[0] << 16) | (p[1] << 8) | p[2];
                if (meta == 0x2F) ended = true;
                p += length;
            } else if (status == 0xF0 || status == 0xF7) {
                p += read_variable(p, end);
            } else if (type == 0xC0 || type == 0xD0) {
                if (type == 0xC0 && channel != 9) summary.programs.insert(*p);
                p += 1;
            } else {
                if (type == 0x90 && p[1] > 0 && channel == 9) summary.drum_keys.insert(p[0]);
                p += 2;
            }
            last_tick = std::max(last_tick, tick);
        }
        if (!ended) summary.well_formed = false;
    }
    // Walk the tempo map up to the last tick; 120 beats a minute until told.
    double micros = 0.0;
    unsigned long from = 0;
    long tempo = 500000;
    for (const auto& [tick, value] : tempo_at) {
        if (tick > last_tick) break;
        micros += static_cast<double>(tick - from) * tempo / midi->divisions;
        from = tick;
        tempo = value;
    }
    micros += static_cast<double>(last_tick - from) * tempo / midi->divisions;
    summary.seconds = micros / 1e6;
    return summary;
}
