#include "wavfile.h"

#include "rhythm.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

namespace {

void put16(std::ofstream &out, std::uint16_t v)
{
    const char bytes[2] = {char(v & 0xff), char(v >> 8)};
    out.write(bytes, 2);
}

void put32(std::ofstream &out, std::uint32_t v)
{
    const char bytes[4] = {char(v & 0xff), char((v >> 8) & 0xff), char((v >> 16) & 0xff),
                           char(v >> 24)};
    out.write(bytes, 4);
}

} // namespace

bool writeWaveFile(const std::string &path, const synth::Buffer &samples)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    out.write("RIFF", 4);
    put32(out, 36 + dataBytes);
    out.write("WAVE", 4);
    out.write("fmt ", 4);
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, rhythm::sampleRate);
    put32(out, rhythm::sampleRate * 2);
    put16(out, 2);
    put16(out, 16);
    out.write("data", 4);
    put32(out, dataBytes);
    for (double s : samples) {
        const long v = std::lround(std::clamp(s, -1.0, 1.0) * 32767.0);
        put16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(v)));
    }
    return static_cast<bool>(out.flush());
}
