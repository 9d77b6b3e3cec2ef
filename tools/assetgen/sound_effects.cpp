#include "sound_effects.h"

#include <cmath>

#include "rng.h"

namespace {

// Headroom for a busy fight. The library's mixer adds the voices up and
// clips the sum: in one tick a triple shot's three hits (one sample started
// three times, so their waves add up exactly), both ships' shots, a death
// and the music can sound together. At -7 dBFS a death over triple-shot hits
// and the music reached full scale now and then; at -9.4 dBFS, with the songs
// played at half their old loudness, each effect stands out over the music
// more than before and the loudest fight stays a few dB under. The hit, which
// lands three at a time, sits 2.7 dB lower.
const double PEAK = 0.34;
const double HIT_PEAK = 0.25;

Sound finish(Sound sound, double fade_out, double peak = PEAK) {
    normalise(sound, peak);
    fade_ends(sound, 0.004, fade_out);
    return sound;
}

// Weapon 0: a slow heavy cannon, a falling low sine under a puff of
// muffled noise.
Sound heavy_thump() {
    Sound s = silence(0.5);
    Rng rng(101);
    OnePole puff;
    double phase = 0.0;
    for (size_t i = 0; i < s.samples.size(); ++i) {
        double t = seconds_at(s, i);
        double freq = 45.0 + 170.0 * std::exp(-t * 14.0);
        phase += 2.0 * M_PI * freq / s.rate;
        double body = std::sin(phase) * std::exp(-t * 7.0);
        double noise = puff.low_pass(rng.signed_unit(), 900.0 * std::exp(-t * 6.0) + 120.0, s.rate);
        s.samples[i] = std::tanh(1.6 * body + 2.2 * noise * std::exp(-t * 10.0));
    }
    return finish(s, 0.06);
}

// Weapon 1: a fast needle, a bright square chirp dropping an octave.
Sound needle_pew() {
    Sound s = silence(0.17);
    double phase = 0.0;
    for (size_t i = 0; i < s.samples.size(); ++i) {
        double t = seconds_at(s, i);
        double freq = 900.0 + 1900.0 * std::exp(-t * 28.0);
        phase += 2.0 * M_PI * freq / s.rate;
        double square = std::sin(phase) + std::sin(3 * phase) / 3 + std::sin(5 * phase) / 5;
        s.samples[i] = square * std::exp(-t * 22.0);
    }
    return finish(s, 0.03);
}

// Weapon 2: a middle plasma bolt, a wobbling saw falling from the
// upper middle.
Sound bolt_zap() {
    Sound s = silence(0.3);
    OnePole tone;
    double phase = 0.0;
    for (size_t i = 0; i < s.samples.size(); ++i) {
        double t = seconds_at(s, i);
        double freq = (280.0 + 700.0 * std::exp(-t * 12.0)) * (1.0 + 0.06 * std::sin(2 * M_PI * 38.0 * t));
        phase += freq / s.rate;
        double saw = 2.0 * (phase - std::floor(phase)) - 1.0;
        s.samples[i] = tone.low_pass(saw, 3200.0, s.rate) * std::exp(-t * 11.0);
    }
    return finish(s, 0.04);
}

}  // namespace

Sound fire_sound(int weapon) {
    if (weapon == 0) return heavy_thump();
    if (weapon == 1) return needle_pew();
    return bolt_zap();
}

// A short bright clang: metal partials over a hiss.
Sound hit_sound() {
    Sound s = silence(0.14);
    Rng rng(202);
    OnePole hiss;
    const double partials[4] = {1320.0, 2190.0, 3070.0, 4410.0};
    for (size_t i = 0; i < s.samples.size(); ++i) {
        double t = seconds_at(s, i);
        double ring = 0.0;
        for (int p = 0; p < 4; ++p) ring += std::sin(2 * M_PI * partials[p] * t) / (p + 1);
        double noise = hiss.high_pass(rng.signed_unit(), 2500.0, s.rate);
        s.samples[i] = ring * std::exp(-t * 30.0) + 0.8 * noise * std::exp(-t * 45.0);
    }
    return finish(s, 0.03, HIT_PEAK);
}

// A ship coming apart: a low boom, rumbling noise that darkens as it
// dies away, and crackles of debris.
Sound death_sound() {
    Sound s = silence(1.6);
    Rng rng(303);
    OnePole rumble, rumble2;
    double phase = 0.0;
    for (size_t i = 0; i < s.samples.size(); ++i) {
        double t = seconds_at(s, i);
        phase += 2.0 * M_PI * (28.0 + 80.0 * std::exp(-t * 5.0)) / s.rate;
        double boom = std::sin(phase) * std::exp(-t * 3.5);
        double cutoff = 150.0 + 2500.0 * std::exp(-t * 3.0);
        double noise = rumble2.low_pass(rumble.low_pass(rng.signed_unit(), cutoff, s.rate), cutoff, s.rate);
        double crackle = (rng.below(1000) < 6 ? rng.signed_unit() : 0.0) * std::exp(-t * 2.0);
        s.samples[i] = std::tanh(1.4 * boom + 3.0 * noise * std::exp(-t * 1.8) + 0.5 * crackle);
    }
    return finish(s, 0.4);
}

// Three rising bell notes.
Sound pickup_chime() {
    Sound s = silence(0.45);
    const double notes[3] = {880.0, 1108.7, 1318.5};
    for (size_t i = 0; i < s.samples.size(); ++i) {
        double t = seconds_at(s, i);
        double v = 0.0;
        for (int n = 0; n < 3; ++n) {
            double start = n * 0.08;
            if (t < start) continue;
            double u = t - start;
            v += (std::sin(2 * M_PI * notes[n] * u) + 0.3 * std::sin(4 * M_PI * notes[n] * u)) * std::exp(-u * 9.0);
        }
        s.samples[i] = v;
    }
    return finish(s, 0.1);
}
