#pragma once

#include <QByteArray>
#include <QString>

namespace rt {

// Text as files and file names hold it: 8-bit Windows-1252. Text is composed (Unicode
// NFC) before it is written; a character the code page cannot hold is written as "?".
QByteArray toAnsi(const QString &text);
QString fromAnsi(const QByteArray &bytes);

} // namespace rt
