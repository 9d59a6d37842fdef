#pragma once

#include <QImage>

// Reduces a true-colour picture to a 256-colour table by median cut. Qt's own reduction
// uses a fixed 6×6×6 cube, which turns pale pastel tones into coarse dither.
class ColourQuantiser
{
public:
    static QImage toIndexed8(const QImage &image);
};
