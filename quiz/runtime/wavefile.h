#pragma once

// RIFF wave files as the program plays them, its tests read them and its sound tool
// writes them. Plain C++ and POSIX, so that the sound tool builds without Qt.

#include <cstdint>
#include <string>
#include <vector>

namespace rt {

struct WaveFormat
{
    std::uint16_t encoding = 0; // 1: PCM
    std::uint16_t channels = 0;
    std::uint32_t sampleRate = 0;
    std::uint16_t bitsPerSample = 0;
};

// Where the samples of a wave file lie.
struct WaveLayout
{
    WaveFormat format;
    std::uint64_t dataOffset = 0;
    std::uint32_t dataBytes = 0;
};

// Reads the chunk list of a wave file. Only a regular file is opened, and never in a way
// that blocks: a pipe or a device is refused. False when the file is no RIFF wave with a
// format chunk and a data chunk that is all there.
bool readWaveLayout(const std::string &path, WaveLayout &layout);

// The samples of a 16-bit PCM wave file, channels interleaved; empty when the file is
// not one. format, when given, receives the file's format.
std::vector<std::int16_t> readWaveSamples16(const std::string &path, WaveFormat *format = nullptr);

// Writes 16-bit PCM samples (channels interleaved) as a wave file of the format's rate
// and channels; false when it cannot be written.
bool writeWave16(const std::string &path, const WaveFormat &format,
                 const std::vector<std::int16_t> &samples);

} // namespace rt
