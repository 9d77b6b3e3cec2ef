#include <algorithm>
#include <map>

#include "rng.h"
#include "songs.h"

namespace {

constexpr uint32_t STEP = TICKS_PER_BEAT / 4;  // a sixteenth
constexpr uint32_t BAR = 16 * STEP;
enum Channel { LEAD = 0, BASS = 1, PAD = 2, ARP = 3 };
enum Drum { KICK = 36, SNARE = 38, CLOSED_HAT = 42, OPEN_HAT = 46, CRASH = 49, LOW_TOM = 45, HIGH_TOM = 48 };

int section_bars(char kind) { return (kind == 'I' || kind == 'O') ? 4 : 8; }

// Scale degree (any integer, 0 = tonic) to a MIDI key.
int key_of(const SongStyle& style, int degree) {
    int octave = degree >= 0 ? degree / 7 : -((-degree + 6) / 7);
    int index = degree - 7 * octave;
    return style.tonic + 12 * octave + style.mode[index];
}

bool is_chord_tone(int degree, int chord) { int d = ((degree - chord) % 7 + 7) % 7; return d == 0 || d == 2 || d == 4; }

int nearest_chord_tone(int degree, int chord) {
    for (int distance = 0; distance < 4; ++distance) {
        if (is_chord_tone(degree - distance, chord)) return degree - distance;
        if (is_chord_tone(degree + distance, chord)) return degree + distance;
    }
    return degree;
}

struct Note {
    int step;     // sixteenths from the start of the phrase
    int length;   // in sixteenths
    int degree;   // melody scale degree; ignored for rests
    bool rest;
};

// Rhythm cells filling half a bar (eight sixteenths).
const std::vector<std::vector<int>> CELLS = {
    {4, 4}, {2, 2, 4}, {4, 2, 2}, {2, 2, 2, 2}, {6, 2}, {3, 3, 2}, {8}, {2, 4, 2}, {3, 1, 4},
};
const int STEPS[] = {-2, -1, -1, -1, 1, 1, 1, 2, 0, 3, -3};

// A two-bar motif as a melodic contour over a rhythm.
std::vector<Note> make_motif(Rng& rng, int halves) {
    std::vector<Note> motif;
    int degree = 2 * rng.below(3);
    for (int half = 0; half < halves; ++half) {
        const std::vector<int>& cell = CELLS[rng.below(static_cast<int>(CELLS.size()))];
        int step = half * 8;
        for (int length : cell) {
            bool rest = !motif.empty() && rng.chance(12);
            motif.push_back({step, length, degree, rest});
            degree += STEPS[rng.below(11)];
            degree = std::clamp(degree, -3, 9);
            step += length;
        }
    }
    return motif;
}

// Eight bars: motif, motif varied, motif, and a cadence that comes home
// to the tonic. Strong beats are pulled onto the bar's chord.
std::vector<Note> make_phrase(Rng& rng, const std::array<int, 4>& chords, int lift) {
    std::vector<Note> motif = make_motif(rng, 4);
    std::vector<Note> answer = make_motif(rng, 2);
    std::vector<Note> cadence = make_motif(rng, 3);
    std::vector<Note> phrase;
    auto place = [&](const std::vector<Note>& notes, int offset, int shift) {
        for (Note n : notes) {
            n.step += offset;
            n.degree += shift + lift;
            phrase.push_back(n);
        }
    };
    place(motif, 0, 0);
    std::vector<Note> first_bar;
    for (const Note& n : motif)
        if (n.step < 16) first_bar.push_back(n);
    place(first_bar, 32, 1);
    place(answer, 48, 0);
    place(motif, 64, 0);
    place(cadence, 96, 0);
    // Home: the tonic nearest the last sounding note, held to the bar's end.
    int last = phrase.back().degree;
    int home = (last >= 0 ? (last + 3) / 7 : -((-last + 3) / 7)) * 7;
    phrase.push_back({120, 8, home, false});
    for (Note& n : phrase) {
        int chord = chords[(n.step / 16) % 4];
        if (n.step % 4 == 0) n.degree = nearest_chord_tone(n.degree + 7, chord) - 7;
    }
    return phrase;
}

struct Composer {
    const SongStyle& style;
    Rng rng;
    MidiTrack lead, bass, pad, arp, drums;
    std::map<char, std::vector<Note>> phrases;
    std::map<char, int> times_played;

    explicit Composer(const SongStyle& s) : style(s), rng(s.seed) {}

    int humanise(int velocity) { return std::clamp(velocity + rng.below(9) - 4, 1, 127); }

    const std::array<int, 4>& chords_for(char kind) const { return kind == 'B' ? style.chorus : style.verse; }

    void melody(char kind, uint32_t start) {
        if (!phrases.count(kind)) phrases[kind] = make_phrase(rng, chords_for(kind), kind == 'B' ? 2 : 0);
        for (const Note& n : phrases[kind]) {
            if (n.rest) continue;
            int key = key_of(style, n.degree + 7);
            int accent = n.step % 16 == 0 ? 104 : n.step % 4 == 0 ? 94 : 82;
            uint32_t length = n.length * STEP - (n.length >= 4 ? 30 : 20);
            lead.note(LEAD, start + n.step * STEP, length, key, humanise(accent));
        }
    }

    void bass_bar(int chord, uint32_t at, bool soft) {
        int root = key_of(style, chord) - 24;
        while (root < 28) root += 12;
        int fifth = key_of(style, chord + 4) - 24;
        while (fifth < root) fifth += 12;
        int v = soft ? 70 : 100;
        auto hit = [&](int step, int length, int key, int velocity) {
            bass.note(BASS, at + step * STEP, length * STEP - 15, key, humanise(velocity));
        };
        if (soft || style.bass_line == BassLine::LONG) {
            hit(0, 10, root, v);
            hit(10, 6, soft ? root : fifth, v - 10);
            return;
        }
        switch (style.bass_line) {
        case BassLine::EIGHTHS:
            for (int s = 0; s < 16; s += 2) hit(s, 2, s == 14 ? fifth : root, s % 4 ? v - 15 : v);
            break;
        case BassLine::GALLOP:
            for (int s : {0, 3, 6, 8, 11, 14}) hit(s, s == 6 || s == 14 ? 2 : 3, s == 11 ? fifth : root, v);
            break;
        case BassLine::OCTAVES:
            for (int s = 0; s < 16; s += 2) hit(s, 2, (s / 2) % 2 ? root + 12 : root, v);
            break;
        case BassLine::LONG:
            break;
        }
    }

    void pad_bar(int chord, uint32_t at, uint32_t length, int velocity) {
        for (int t = 0; t < 3; ++t) {
            int key = key_of(style, chord + 2 * t);
            while (key > style.tonic + 9) key -= 12;
            while (key < style.tonic - 4) key += 12;
            pad.note(PAD, at, length - 10, key, velocity);
        }
    }

    void arp_bar(int chord, uint32_t at, int softer) {
        const int order[8] = {0, 2, 4, 7, 9, 7, 4, 2};
        for (int s = 0; s < 16; ++s)
            arp.note(ARP, at + s * STEP, STEP - 10, key_of(style, chord + order[s % 8] + 7),
                     humanise((s % 4 ? 50 : 64) + softer));
    }

    void drum(int step, int key, int velocity, uint32_t at) {
        drums.note(MIDI_DRUM_CHANNEL, at + step * STEP, STEP, key, humanise(velocity));
    }

    void beat_bar(uint32_t at, bool fill, bool sparse) {
        struct Pattern { const char* kick; const char* snare; const char* hat; const char* open; };
        static const Pattern patterns[] = {
            {"x.......x.x.....", "....x.......x...", "x.x.x.x.x.x.x.x.", "................"},
            {"x...x...x...x...", "....x.......x...", "..x...x...x...x.", "..x...x...x...x."},
            {"x.........x.....", "........x.......", "x.x.x.x.x.x.x.x.", "..............x."},
            {"x.....x...x.....", "....x..x.x..x...", "xxxxxxxxxxxxxxxx", "................"},
        };
        const Pattern& p = patterns[static_cast<int>(style.beat)];
        const int last = fill ? 8 : 16;
        for (int s = 0; s < last; ++s) {
            if (p.kick[s] == 'x' && (!sparse || s == 0)) drum(s, KICK, 110, at);
            if (sparse) {
                if (s % 4 == 2) drum(s, CLOSED_HAT, 55, at);
                continue;
            }
            if (p.snare[s] == 'x') drum(s, SNARE, 100, at);
            if (p.open[s] == 'x') drum(s, OPEN_HAT, 70, at);
            else if (p.hat[s] == 'x') drum(s, CLOSED_HAT, s % 4 ? 60 : 80, at);
        }
        if (!fill) return;
        const int fill_keys[8] = {SNARE, SNARE, HIGH_TOM, HIGH_TOM, LOW_TOM, LOW_TOM, SNARE, SNARE};
        for (int s = 8; s < 16; ++s) {
            if (s == 13) continue;
            drum(s, fill_keys[s - 8], 80 + (s - 8) * 5, at);
        }
        drum(8, KICK, 100, at);
    }

    void section(char kind, uint32_t start, bool song_end) {
        const std::array<int, 4>& chords = chords_for(kind);
        const int bars = section_bars(kind);
        const int repeat = times_played[kind]++;
        // Later verses and choruses lift: the arpeggio joins the band.
        const bool with_arp = kind == 'C' || (kind == 'B' && repeat >= 1) || (kind == 'A' && repeat >= 2);
        drum(0, CRASH, kind == 'I' ? 70 : 105, start);
        if (kind == 'A' || kind == 'B') melody(kind, start);
        for (int bar = 0; bar < bars; ++bar) {
            uint32_t at = start + bar * BAR;
            int chord = chords[bar % 4];
            bool last_bar = bar == bars - 1;
            if (kind == 'O' && last_bar && song_end) {
                chord = 0;
                pad_bar(chord, at, BAR * 2, 80);
                bass.note(BASS, at, BAR * 2 - 20, key_of(style, 0) - 24, 100);
                lead.note(LEAD, at, BAR * 2 - 20, key_of(style, 7), 96);
                drum(0, KICK, 120, at);
                drum(0, CRASH, 115, at);
                continue;
            }
            pad_bar(chord, at, BAR, kind == 'C' ? 72 : 62);
            bass_bar(chord, at, kind == 'I' || kind == 'O' || (kind == 'C' && bar < 4));
            if (with_arp) arp_bar(chord, at, kind == 'C' ? 0 : -8);
            // Intro and breakdown start thin and build to the full beat.
            bool sparse = (kind == 'I' && bar < 2) || (kind == 'C' && bar < 4);
            beat_bar(at, last_bar && kind != 'O', sparse);
        }
    }
};

}  // namespace

int song_bars(const SongStyle& style) {
    int bars = 0;
    for (char kind : style.form) bars += section_bars(kind);
    return bars;
}

std::vector<MidiTrack> compose(const SongStyle& style) {
    Composer c(style);
    MidiTrack conductor;
    conductor.name(style.title);
    conductor.tempo(0, style.beats_per_minute);
    c.lead.program(LEAD, 0, style.lead);
    c.bass.program(BASS, 0, style.bass);
    c.pad.program(PAD, 0, style.pad);
    c.arp.program(ARP, 0, style.arp);
    // Channel volumes leave the effects room above the music: the mixer adds
    // both up, and a fight must not reach full scale.
    c.lead.control(LEAD, 0, 7, 50);
    c.bass.control(BASS, 0, 7, 55);
    c.pad.control(PAD, 0, 7, 36);
    c.arp.control(ARP, 0, 7, 40);
    c.drums.control(MIDI_DRUM_CHANNEL, 0, 7, 55);
    c.pad.control(PAD, 0, 10, 44);
    c.arp.control(ARP, 0, 10, 84);
    uint32_t at = 0;
    for (size_t i = 0; i < style.form.size(); ++i) {
        c.section(style.form[i], at, i + 1 == style.form.size());
        at += section_bars(style.form[i]) * BAR;
    }
    return {conductor, c.lead, c.bass, c.pad, c.arp, c.drums};
}
