#include "conversions.h"

#include "runtimeerror.h"

#include <QByteArray>

#include <cmath>
#include <cstdlib>

namespace rt {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// Length of the number at text[from...]: sign, digits, optional fraction, optional
// exponent. 0 when no digit is found.
qsizetype numberLength(const QString &text, qsizetype from)
{
    qsizetype i = from;
    const qsizetype n = text.size();
    auto isDigit = [&](qsizetype k) { return k < n && text[k] >= u'0' && text[k] <= u'9'; };

    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    while (isDigit(i)) { ++i; ++digits; }
    if (i < n && text[i] == u'.') {
        ++i;
        while (isDigit(i)) { ++i; ++digits; }
    }
    if (digits == 0)
        return 0;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == u'+' || text[j] == u'-'))
            ++j;
        if (isDigit(j)) {
            while (isDigit(j))
                ++j;
            i = j;
        }
    }
    return i - from;
}

double parse(const QString &text, qsizetype from, qsizetype length)
{
    // The matched text is plain ASCII, so the C library reads it the same in every locale
    // once the decimal point is the only separator it can meet.
    const QByteArray ascii = text.mid(from, length).toLatin1();
    return std::strtod(ascii.constData(), nullptr);
}

} // namespace

QString CStr(Integer value)
{
    return QString::number(int(value));
}

Integer CInt(double value)
{
    const double nearest = std::nearbyint(value);
    if (!(nearest >= -32768.0 && nearest <= 32767.0)) // also catches NaN
        raiseError(ErrorNumber::Overflow);
    return Integer(static_cast<int>(nearest));
}

float Int(float value)
{
    return std::floor(value);
}

QString Format(double value, const QString &pattern)
{
    const int width = int(pattern.count(u'0'));
    const double whole = std::nearbyint(value);
    QString digits = QString::number(std::fabs(whole), 'f', 0).rightJustified(width, u'0');
    return whole < 0 ? u'-' + digits : digits;
}

double Val(const QString &text)
{
    qsizetype from = 0;
    while (from < text.size() && isBlank(text[from]))
        ++from;
    const qsizetype length = numberLength(text, from);
    return length == 0 ? 0.0 : parse(text, from, length);
}

double CDbl(const QString &text)
{
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && isBlank(text[first]))
        ++first;
    while (end > first && isBlank(text[end - 1]))
        --end;
    const QString trimmed = text.mid(first, end - first);
    const qsizetype length = numberLength(trimmed, 0);
    if (length == 0 || length != trimmed.size())
        raiseError(ErrorNumber::TypeMismatch);
    return parse(trimmed, 0, length);
}

} // namespace rt
