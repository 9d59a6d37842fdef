#pragma once

#include <QImage>

// The 32 × 32 icons. Each comes as a palette image plus a mask of hidden pixels, ready for
// IcoWriter.
class IconPainter
{
public:
    struct Icon
    {
        QImage indexed;     // Format_Indexed8
        QImage transparent; // white where the mask hides the pixel
    };

    static Icon windowIcon();  // 256 greys, nothing hidden
    static Icon pointer();     // 16 colours
    static Icon notePointer(); // 16 colours

private:
    static Icon fromPainted(const QImage &argb, const QList<QRgb> &palette);
};
