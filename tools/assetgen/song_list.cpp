#include <algorithm>

#include "songs.h"

namespace {

const std::array<int, 7> AEOLIAN = {0, 2, 3, 5, 7, 8, 10};
const std::array<int, 7> DORIAN = {0, 2, 3, 5, 7, 9, 10};
const std::array<int, 7> PHRYGIAN = {0, 1, 3, 5, 7, 8, 10};
const std::array<int, 7> HARMONIC_MINOR = {0, 2, 3, 5, 7, 8, 11};

// Programs kept to a handful so the patch set stays small.
const int SQUARE_LEAD = 80, SAW_LEAD = 81, SYNTH_BASS = 38, WARM_PAD = 89, SYNTH_STRINGS = 51, DRIVE_GUITAR = 29;

}  // namespace

const std::vector<SongStyle>& game_songs() {
    static const std::vector<SongStyle> songs = {
        // Slot 0 opens every battle: bright and driving.
        {"Launch Window", 138, 57, AEOLIAN, {{0, 5, 2, 6}}, {{3, 4, 0, 0}}, "IAABACBBO",
         SAW_LEAD, SYNTH_BASS, WARM_PAD, SQUARE_LEAD, BassLine::EIGHTHS, Beat::ROCK, 0x5EED0001},
        {"Nebula Drift", 104, 62, DORIAN, {{0, 3, 0, 6}}, {{5, 6, 3, 4}}, "IAABCABO",
         SQUARE_LEAD, SYNTH_BASS, SYNTH_STRINGS, SQUARE_LEAD, BassLine::LONG, Beat::HALF_TIME, 0x5EED0002},
        {"Pursuit", 150, 52, PHRYGIAN, {{0, 1, 0, 6}}, {{5, 1, 6, 0}}, "IAABCABBO",
         DRIVE_GUITAR, SYNTH_BASS, WARM_PAD, SAW_LEAD, BassLine::GALLOP, Beat::DRIVE, 0x5EED0003},
        {"Dogfight", 144, 48, HARMONIC_MINOR, {{0, 3, 4, 0}}, {{5, 3, 4, 4}}, "IAABACBO",
         SAW_LEAD, SYNTH_BASS, SYNTH_STRINGS, SQUARE_LEAD, BassLine::OCTAVES, Beat::ROCK, 0x5EED0004},
        {"Low Orbit", 120, 54, AEOLIAN, {{0, 5, 3, 4}}, {{2, 6, 0, 4}}, "IACABCBO",
         SQUARE_LEAD, SYNTH_BASS, WARM_PAD, SAW_LEAD, BassLine::EIGHTHS, Beat::BREAKBEAT, 0x5EED0005},
        {"Last Stand", 128, 59, AEOLIAN, {{0, 6, 5, 4}}, {{3, 0, 6, 4}}, "IAABCBBO",
         DRIVE_GUITAR, SYNTH_BASS, SYNTH_STRINGS, SQUARE_LEAD, BassLine::GALLOP, Beat::DRIVE, 0x5EED0006},
    };
    return songs;
}

std::vector<int> programs_used() {
    std::vector<int> programs;
    for (const SongStyle& s : game_songs())
        for (int p : {s.lead, s.bass, s.pad, s.arp})
            if (std::find(programs.begin(), programs.end(), p) == programs.end()) programs.push_back(p);
    std::sort(programs.begin(), programs.end());
    return programs;
}
