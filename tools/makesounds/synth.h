#pragma once

#include <vector>

// Additive synthesis into a mono buffer of samples in the range [-1, 1] at
// rhythm::sampleRate. Every sound starts and ends at zero amplitude, so nothing clicks
// at its edges.
namespace synth {

using Buffer = std::vector<double>;

// A soft, mallet-like tone: a few harmonics, a short rounded attack, a decay that
// settles into a sustain, upper harmonics dying away faster, and a rounded release that
// ends exactly at start + length. level is the peak of the envelope.
void addNote(Buffer &out, double start, double length, double frequency, double level);

// A short, dry wood-block click for the metronome.
void addClick(Buffer &out, double start, double frequency, double level);

// A plain, dark tone (almost a sine) for the "wrong answer" cue.
void addCueTone(Buffer &out, double start, double length, double frequency, double level);

// Largest absolute sample in [from, to) seconds.
double peak(const Buffer &in, double from, double to);

} // namespace synth
