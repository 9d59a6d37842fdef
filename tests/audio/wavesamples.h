#pragma once

#include <QString>

#include <vector>

// The samples of a PCM 16-bit mono wave file at rhythm::sampleRate; empty when it is
// not one.
std::vector<qint16> readWaveSamples(const QString &path);
