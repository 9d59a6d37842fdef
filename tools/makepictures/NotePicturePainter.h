#pragma once

#include "NoteValue.h"

#include <QImage>
#include <QPainterPath>

// The pictures of single symbols: the strip of note values, the answer buttons, the
// figures of each value and the two small treble clefs.
class NotePicturePainter
{
public:
    static QImage strip();
    static QImage clef();
    static QImage blurredClef();
    // n = 1 (whole) … 7 (sixty-fourth)
    static QImage button(int n);
    // Only white, black and silver, with no antialiasing.
    static QImage figure(int n);

    static NoteValue valueOf(int n);

private:
    static QPainterPath fitted(const QPainterPath &path, const QRectF &box,
                               double maxScale = 1e9);
};
