// rt::Val reads numbers from the records file and from captions: whatever the text, it
// must come back with a number, skip the blanks before it and ignore what follows.
#include "fuzzcheck.h"
#include "runtime/conversions.h"

#include <cmath>

namespace {

bool same(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

bool canStartNumber(QChar c)
{
    return (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.'
           || c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = textFromBytes(data, size);
    const double value = rt::Val(text);

    if (std::isnan(value))
        propertyFailed("Val never gives NaN", text);
    if (!text.isEmpty() && !canStartNumber(text.front()) && value != 0.0)
        propertyFailed("a text that begins with no number reads as 0", text, QString::number(value));
    const double afterBlanks = rt::Val(QStringLiteral(" \t\r\n") + text);
    if (!same(afterBlanks, value))
        propertyFailed("blanks before the number are skipped", text,
                       QString::number(value) + QStringLiteral(" vs ") + QString::number(afterBlanks));
    // A record line is the number and its line end.
    const double asLine = rt::Val(text + QStringLiteral("\r\n"));
    if (!same(asLine, value))
        propertyFailed("the line end after the number is ignored", text,
                       QString::number(value) + QStringLiteral(" vs ") + QString::number(asLine));
    return 0;
}
