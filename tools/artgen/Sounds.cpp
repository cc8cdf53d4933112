#include "Sounds.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

struct TNote {
    double Frequency; // Hz
    double Start;     // seconds
    double Decay;     // seconds for the note to fall to about a third
};

// A soft bell: the fundamental with two quieter overtones, a 5 ms attack and an exponential fall.
std::vector<qint16> Chime(const std::vector<TNote> &notes, double length, double brightness)
{
    const int count = int(length * SoundSampleRate);
    std::vector<double> mix(size_t(count), 0.0);
    for (const TNote &note : notes)
        for (int i = int(note.Start * SoundSampleRate); i < count; ++i) {
            const double t = double(i) / SoundSampleRate - note.Start;
            const double envelope = std::min(1.0, t / 0.005) * std::exp(-t / note.Decay);
            const double phase = 2 * std::numbers::pi * note.Frequency * t;
            mix[size_t(i)] += envelope * (std::sin(phase) + brightness * 0.35 * std::sin(2 * phase) +
                                          brightness * 0.12 * std::sin(3 * phase));
        }
    double peak = 1e-9;
    for (double v : mix)
        peak = std::max(peak, std::abs(v));
    std::vector<qint16> samples;
    samples.reserve(mix.size());
    for (size_t i = 0; i < mix.size(); ++i) {
        // A short fade at the very end so no sound stops with a click.
        const double tail = std::min(1.0, double(mix.size() - i) / (0.01 * SoundSampleRate));
        samples.push_back(qint16(std::lround(mix[i] / peak * tail * 0.6 * 32767)));
    }
    return samples;
}

constexpr double C5 = 523.25, D5 = 587.33, E5 = 659.25, G5 = 783.99, A5 = 880.0, C6 = 1046.5, E6 = 1318.5;

} // namespace

std::vector<TSound> SynthesizeSounds()
{
    return {
        {"BuddyOnLine.wav", Chime({{C5, 0, 0.15}, {G5, 0.12, 0.2}}, 0.5, 0.6)},
        {"BuddyOffLine.wav", Chime({{G5, 0, 0.15}, {C5, 0.12, 0.2}}, 0.5, 0.6)},
        {"MessageFrom.wav", Chime({{A5, 0, 0.08}, {E6, 0.05, 0.1}}, 0.3, 1.0)},
        {"MessageTo.wav", Chime({{D5, 0, 0.05}}, 0.15, 0.3)},
        {"EnterRoom.wav", Chime({{C5, 0, 0.2}, {E5, 0.08, 0.2}, {G5, 0.16, 0.2}, {C6, 0.24, 0.3}}, 0.75, 0.5)},
        {"ExitRoom.wav", Chime({{C6, 0, 0.2}, {G5, 0.08, 0.2}, {E5, 0.16, 0.2}, {C5, 0.24, 0.3}}, 0.75, 0.5)},
    };
}
