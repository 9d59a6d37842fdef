#pragma once

#include <QImage>
#include <QString>

// Writes uncompressed Windows bitmaps with a plain BITMAPINFOHEADER, bottom-up rows padded
// to four bytes. Qt's own writer adds nothing wrong, but we want exactly this layout.
class BmpWriter
{
public:
    // 24 bits per pixel, from any image (converted to RGB first).
    static bool write24(const QString &path, const QImage &image);
    // 8 bits per pixel with a 256-entry colour table, from a Format_Indexed8 image.
    static bool write8(const QString &path, const QImage &indexed);
};
