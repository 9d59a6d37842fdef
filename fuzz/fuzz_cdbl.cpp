// rt::CDbl turns a caption into a number and stops the program on any other text; a
// text it takes must read as the same number through rt::Val.
#include "fakeplatform.h"
#include "fuzzcheck.h"
#include "runtime/conversions.h"

#include <cmath>

namespace {

bool same(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FakePlatform platform;

    const QString text = textFromBytes(data, size);
    double value = 0;
    try {
        value = rt::CDbl(text);
    } catch (const ProgramEnded &end) {
        if (end.status != 1)
            propertyFailed("a rejected text ends the program with status 1", text,
                           QString::number(end.status));
        return 0;
    }

    if (std::isnan(value))
        propertyFailed("CDbl never gives NaN", text);
    const double read = rt::Val(text);
    if (!same(read, value))
        propertyFailed("Val reads the same number as CDbl", text,
                       QStringLiteral("CDbl ") + QString::number(value) + QStringLiteral(", Val ")
                           + QString::number(read));
    return 0;
}
