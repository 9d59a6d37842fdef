#pragma once

#include "integer.h"

#include <QString>

namespace rt {

// Decimal digits, "-" before a negative value, no blank and no grouping.
QString CStr(Integer value);

// The nearest 16-bit integer (halves go to the even neighbour); out of range: overflow.
Integer CInt(double value);

// The largest whole number not greater than the value.
float Int(float value);

// A whole number with at least as many digits as the pattern has zeros: Format(5, "00") is "05".
QString Format(double value, const QString &pattern);

// The number a text begins with, after leading blanks; 0 when it begins with none.
// What follows the number is ignored, so a record line "12\r\n" reads as 12.
double Val(const QString &text);

// The number a text spells, blanks around it allowed; any other text raises the
// type-mismatch run-time error.
double CDbl(const QString &text);

} // namespace rt
