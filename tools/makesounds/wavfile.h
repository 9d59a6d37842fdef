#pragma once

#include "synth.h"

#include <string>

// Writes samples in [-1, 1] as a PCM 16-bit mono wave file at rhythm::sampleRate.
// Returns false when the file cannot be written.
bool writeWaveFile(const std::string &path, const synth::Buffer &samples);
