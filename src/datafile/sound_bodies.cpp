#include "datafile/object_bodies.h"

#include "datafile/midi_track_check.h"

namespace {
constexpr int MIDI_TRACK_COUNT = 32;
}  // namespace

bool sample_body_ok(ByteReader body) {
    int bits = body.sget16();
    int64_t freq = body.get16();
    int64_t length = body.get32();
    int64_t channels = bits < 0 ? 2 : 1;
    if (bits < 0) bits = -bits;
    if (!body.good() || (bits != 8 && bits != 16) || freq <= 0 || length < 0) return false;
    return body.remaining() == length * channels * (bits / 8);
}

bool midi_body_ok(ByteReader body) {
    int divisions = body.get16();
    // The player divides by the beat divisions; SMPTE timing is not supported.
    if (divisions <= 0 || divisions > 0x7FFF) return false;
    for (int t = 0; t < MIDI_TRACK_COUNT; t++) {
        int64_t length = body.get32();
        const unsigned char* track = body.position();
        if (length < 0 || !body.skip(length)) return false;
        if (length > 0 && !midi_track_ok(track, length)) return false;
    }
    return body.good() && body.remaining() == 0;
}
