#pragma once

#include <QColor>
#include <QtGlobal>

namespace rt {

// A colour as the layout writes it: 0x00BBGGRR, or bit 31 set and a system colour's
// index in the low byte.
QColor toColor(quint32 value);

} // namespace rt
