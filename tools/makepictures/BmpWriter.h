#pragma once

#include <QImage>
#include <QString>

// Writes an 8-bit Windows bitmap with a 256-entry colour table and a plain
// BITMAPINFOHEADER, bottom-up rows padded to four bytes. Qt's BMP writer gives the same
// bytes for 24-bit pictures (main.cpp uses it), but for a colour table it records every
// entry as "important" (biClrImportant = 256) where this file has always said 0 (all).
class BmpWriter
{
public:
    // From a Format_Indexed8 image.
    static bool write8(const QString &path, const QImage &indexed);
};
