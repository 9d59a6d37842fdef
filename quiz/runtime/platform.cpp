#include "platform.h"

#include <chrono>
#include <cstdlib>
#include <cstring>

namespace rt {

namespace {
Platform *installed = nullptr;
} // namespace

Platform::~Platform() = default;

Platform &Platform::current()
{
    if (!installed)
        qFatal("No platform installed: main() or the test installs one");
    return *installed;
}

void Platform::install(Platform *platform)
{
    installed = platform;
}

void Platform::end(int status)
{
    endProgram(status);
    std::abort(); // endProgram() does not come back
}

void Platform::reseed()
{
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    m_generator.seed(static_cast<std::mt19937::result_type>(ticks ^ (ticks >> 32)));
}

void Platform::reseed(float seed)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &seed, sizeof bits);
    m_generator.seed(bits);
}

float Platform::nextRandom()
{
    // 24 random bits scaled by 2^-24 are exact in single precision and stop at the
    // largest single below 1; a float distribution could round up to 1.0.
    return float(m_generator() >> 8) * (1.0f / 16777216.0f);
}

QString applicationTitle()
{
    return QStringLiteral("Velmora");
}

} // namespace rt
