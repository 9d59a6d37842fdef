#include "fuzzcheck.h"

#include <cstdio>
#include <cstdlib>

namespace {

// Code units outside printable ASCII as \uXXXX, so blanks and controls show in the report.
QByteArray escaped(const QString &text)
{
    QByteArray out;
    for (QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7f && c != u'\\')
            out += char(c.unicode());
        else
            out += QByteArray("\\u") + QByteArray::number(c.unicode(), 16).rightJustified(4, '0');
    }
    return out;
}

} // namespace

void propertyFailed(const char *property, const QString &input, const QString &detail)
{
    std::fprintf(stderr, "PROPERTY FAILED: %s\n  input:  \"%s\"\n", property, escaped(input).constData());
    if (!detail.isEmpty())
        std::fprintf(stderr, "  detail: %s\n", escaped(detail).constData());
    std::fflush(stderr);
    std::abort();
}

QString textFromBytes(const uint8_t *data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
}
