#include "datafile/midi_track_check.h"

#include "datafile/byte_reader.h"

// The player reads a track with no bounds of its own: it follows the event
// bytes, skips whatever length a meta or system-exclusive event claims and
// stops only at an end-of-track event. Before it starts a song it scans every
// track once more, differently (from the first byte, without the leading
// delta time, to the track's end), to choose the instruments to load. Both
// readings are repeated here byte for byte.

namespace {

constexpr int STATUS_BIT = 0x80;
constexpr int SYSEX = 0xF0;
constexpr int SYSEX_CONTINUED = 0xF7;
constexpr int SONG_POSITION = 0xF2;
constexpr int SONG_SELECT = 0xF3;
constexpr int META = 0xFF;
constexpr int META_END_OF_TRACK = 0x2F;
constexpr int META_TEMPO = 0x51;
constexpr int TEMPO_BYTES = 3;
constexpr int DRUM_CHANNEL = 9;

// Channel-message data bytes: present, and each one below 128.
bool data_bytes_ok(ByteReader& t, int n) {
    if (!t.has(n)) return false;
    for (int i = 0; i < n; i++) {
        if (t.get8() & STATUS_BIT) return false;
    }
    return true;
}

bool is_channel_status(int event) { return event != SYSEX && event != SYSEX_CONTINUED && event != META; }

// The data bytes of a channel message, by its status.
int data_bytes(int status) {
    switch (status >> 4) {
    case 0x8:
    case 0x9:
    case 0xA:
    case 0xB:
    case 0xE: return 2;
    case 0xC:
    case 0xD: return 1;
    default: return 0;
    }
}

// One event as the player processes it; `ended` at the end-of-track event.
bool play_event(ByteReader& t, int& running_status, bool& ended) {
    if (t.at_end()) return false;
    int event = t.get8();
    if (event & STATUS_BIT) {
        if (is_channel_status(event)) running_status = event;
        if (!t.has(2)) return false;  // the player always looks at the next two bytes
    } else {
        if (!t.has(1)) return false;
        t.pass(-1);  // running status: this byte is the first data byte
        event = running_status;
    }
    if (event < 0xF0) return data_bytes_ok(t, data_bytes(event));

    int64_t length = 0;
    switch (event) {
    case SYSEX:
    case SYSEX_CONTINUED: return t.number(length) && t.skip(length);
    case SONG_POSITION: return t.skip(2);
    case SONG_SELECT: return t.skip(1);
    case META: {
        int type = t.get8();
        if (!t.number(length)) return false;
        if (type == META_END_OF_TRACK) {
            ended = true;
            return true;
        }
        // The player reads a tempo's three bytes whatever length it claims.
        if (type == META_TEMPO && !t.has(TEMPO_BYTES)) return false;
        return t.skip(length);
    }
    default: return true;  // no data bytes
    }
}

bool player_stays_inside(const unsigned char* bytes, int64_t length) {
    ByteReader t(bytes, length);
    int64_t delta = 0;
    int running_status = 0;
    if (!t.number(delta)) return false;
    for (;;) {
        bool ended = false;
        if (!play_event(t, running_status, ended)) return false;
        if (ended) return true;
        if (!t.number(delta)) return false;
    }
}

// The instrument scan: it indexes tables of 128 by program numbers and by
// drum notes, and it reads the time after an event only when a byte is left.
bool scan_event(ByteReader& t, int& running_status) {
    int event = t.peek();
    if (event & STATUS_BIT) {
        t.pass(1);
        if (is_channel_status(event)) running_status = event;
    } else {
        event = running_status;
    }
    int64_t length = 0;
    switch (event >> 4) {
    case 0xC: return data_bytes_ok(t, 1);
    case 0x9:
        if ((event & 0x0F) == DRUM_CHANNEL && (!t.has(1) || (t.peek() & STATUS_BIT))) return false;
        t.pass(2);
        return true;
    case 0x8:
    case 0xA:
    case 0xB:
    case 0xE: t.pass(2); return true;
    case 0xD: t.pass(1); return true;
    case 0xF:
        if (event == SYSEX || event == SYSEX_CONTINUED) return t.number(length) && t.skip(length);
        if (event == SONG_POSITION) t.pass(2);
        if (event == SONG_SELECT) t.pass(1);
        if (event == META) {
            t.pass(1);
            return t.number(length) && t.skip(length);
        }
        return true;
    default: return true;
    }
}

bool scan_stays_inside(const unsigned char* bytes, int64_t length) {
    ByteReader t(bytes, length);
    int running_status = 0;
    int64_t delta = 0;
    while (!t.at_end()) {
        if (!scan_event(t, running_status)) return false;
        if (!t.at_end() && !t.number(delta)) return false;
    }
    return true;
}

}  // namespace

bool midi_track_ok(const unsigned char* track, int64_t length) {
    return player_stays_inside(track, length) && scan_stays_inside(track, length);
}
