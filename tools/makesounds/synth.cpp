#include "synth.h"

#include "rhythm.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace synth {
namespace {

constexpr double pi = 3.14159265358979323846;

std::size_t toIndex(double seconds)
{
    return static_cast<std::size_t>(std::lround(seconds * rhythm::sampleRate));
}

// Raised-cosine ramp from 0 to 1 over [0, length].
double ramp(double t, double length)
{
    if (t <= 0.0)
        return 0.0;
    if (t >= length)
        return 1.0;
    return 0.5 - 0.5 * std::cos(pi * t / length);
}

struct Partial
{
    double ratio;     // to the fundamental
    double amplitude;
    double decay;     // extra decay rate, 1/s
};

void addPartials(Buffer &out, double start, double length, double frequency, double level,
                 const Partial *partials, int count, double attack, double release,
                 double sustain, double decayTime)
{
    const std::size_t first = toIndex(start);
    const std::size_t samples = toIndex(length);
    if (out.size() < first + samples)
        out.resize(first + samples, 0.0);
    for (std::size_t i = 0; i < samples; ++i) {
        const double t = static_cast<double>(i) / rhythm::sampleRate;
        const double body = sustain + (1.0 - sustain) * std::exp(-t / decayTime);
        const double envelope = ramp(t, attack) * ramp(length - t, release) * body;
        double value = 0.0;
        for (int p = 0; p < count; ++p) {
            const Partial &k = partials[p];
            value += k.amplitude * std::exp(-t * k.decay)
                     * std::sin(2.0 * pi * frequency * k.ratio * t);
        }
        out[first + i] += level * envelope * value;
    }
}

} // namespace

void addNote(Buffer &out, double start, double length, double frequency, double level)
{
    static const Partial partials[] = {
        {1.0, 1.00, 0.0}, {2.0, 0.45, 1.5}, {3.0, 0.22, 3.0},
        {4.0, 0.12, 4.5}, {5.0, 0.05, 6.0}, {6.0, 0.03, 7.5},
    };
    const double attack = std::min(0.012, length * 0.2);
    const double release = std::min(0.03, length * 0.25);
    addPartials(out, start, length, frequency, level, partials, 6, attack, release, 0.55, 0.35);
}

void addClick(Buffer &out, double start, double frequency, double level)
{
    // Inharmonic partials and a fast decay: heard as a knock, not as a pitch.
    static const Partial partials[] = {
        {1.0, 1.0, 0.0}, {2.76, 0.35, 40.0}, {5.4, 0.12, 80.0},
    };
    addPartials(out, start, 0.06, frequency, level, partials, 3, 0.001, 0.01, 0.0, 0.022);
}

void addCueTone(Buffer &out, double start, double length, double frequency, double level)
{
    static const Partial partials[] = {{1.0, 1.0, 0.0}, {2.0, 0.18, 4.0}};
    addPartials(out, start, length, frequency, level, partials, 2, 0.02, 0.06, 0.45, 0.12);
}

double peak(const Buffer &in, double from, double to)
{
    const std::size_t begin = std::min(toIndex(from), in.size());
    const std::size_t end = std::min(toIndex(to), in.size());
    double result = 0.0;
    for (std::size_t i = begin; i < end; ++i)
        result = std::max(result, std::abs(in[i]));
    return result;
}

} // namespace synth
