#pragma once

#include <QImage>
#include <QString>

// Writes a Windows icon holding one palette image with its AND mask: ICONDIR, one
// ICONDIRENTRY, a BITMAPINFOHEADER of double height, the colour table, the XOR pixels and
// the mask, all bottom-up.
class IcoWriter
{
public:
    // `indexed` is Format_Indexed8 whose table has 16 (for 4 bits) or 256 (for 8 bits)
    // entries; `transparent` says per pixel whether the mask hides it.
    static bool write(const QString &path, const QImage &indexed,
                      const QImage &transparent, int bitsPerPixel);
};
