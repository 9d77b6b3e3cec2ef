#pragma once
#include <string>
#include <vector>

// A mono sound being built, one double per sample in -1 .. 1.
struct Sound {
    int rate = 22050;
    std::vector<double> samples;
};

Sound silence(double seconds);
double seconds_at(const Sound& sound, size_t i);

// Gain applied so the loudest sample sits at `peak` (below full scale).
void normalise(Sound& sound, double peak);
// Short ramps at both ends so the sample neither starts nor stops with a click.
void fade_ends(Sound& sound, double fade_in_seconds, double fade_out_seconds);

// One-pole filter state, for the colour of noise and the body of booms.
class OnePole {
public:
    double low_pass(double in, double cutoff_hz, int rate);
    double high_pass(double in, double cutoff_hz, int rate) { return in - low_pass(in, cutoff_hz, rate); }

private:
    double state = 0.0;
};

// 16-bit PCM mono WAV through libsndfile; false when the file cannot be written.
bool write_wav(const Sound& sound, const std::string& path);
