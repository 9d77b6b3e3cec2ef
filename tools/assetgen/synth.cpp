#include "synth.h"

#include <algorithm>
#include <cmath>
#include <sndfile.h>

Sound silence(double seconds) {
    Sound sound;
    sound.samples.assign(static_cast<size_t>(seconds * sound.rate), 0.0);
    return sound;
}

double seconds_at(const Sound& sound, size_t i) { return static_cast<double>(i) / sound.rate; }

void normalise(Sound& sound, double peak) {
    double loudest = 0.0;
    for (double s : sound.samples) loudest = std::max(loudest, std::fabs(s));
    if (loudest <= 0.0) return;
    for (double& s : sound.samples) s *= peak / loudest;
}

void fade_ends(Sound& sound, double fade_in_seconds, double fade_out_seconds) {
    const size_t n = sound.samples.size();
    const size_t in = std::min(n, static_cast<size_t>(fade_in_seconds * sound.rate));
    const size_t out = std::min(n, static_cast<size_t>(fade_out_seconds * sound.rate));
    // Raised-cosine ramps: they leave the edge at zero slope, so even the
    // first few samples stay quiet.
    auto ramp = [](size_t i, size_t length) { return 0.5 - 0.5 * std::cos(M_PI * static_cast<double>(i) / length); };
    for (size_t i = 0; i < in; ++i) sound.samples[i] *= ramp(i, in);
    for (size_t i = 0; i < out; ++i) sound.samples[n - 1 - i] *= ramp(i, out);
}

double OnePole::low_pass(double in, double cutoff_hz, int rate) {
    const double a = 1.0 - std::exp(-2.0 * M_PI * cutoff_hz / rate);
    state += a * (in - state);
    return state;
}

bool write_wav(const Sound& sound, const std::string& path) {
    SF_INFO info{};
    info.samplerate = sound.rate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) return false;
    const sf_count_t count = static_cast<sf_count_t>(sound.samples.size());
    const bool written = sf_write_double(file, sound.samples.data(), count) == count;
    return sf_close(file) == 0 && written;
}
