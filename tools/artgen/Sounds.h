#pragma once
// The event sounds: short chimes synthesized from a few bell-like notes.
#include <QString>
#include <QtGlobal>
#include <vector>

constexpr int SoundSampleRate = 22050;

// The sound files and their samples (mono, 16 bit).
struct TSound {
    QString FileName;
    std::vector<qint16> Samples;
};
std::vector<TSound> SynthesizeSounds();
