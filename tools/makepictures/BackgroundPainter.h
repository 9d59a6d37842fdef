#pragma once

#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QVector>

// The window's background (dark, greyscale, embossed) and its pastel counterpart. Both show
// the same staff, clef and notes, laid out for the 823 × 602 part of the window that shows.
class BackgroundPainter
{
public:
    static QImage background(); // 906 × 711, greyscale
    static QImage pastel();     // 886 × 691

private:
    struct Motif
    {
        QPainterPath staff;
        QPainterPath clef;
        QVector<QPainterPath> notes;
    };
    static Motif motif(QPointF offset);
    static void drawFrame(QImage &image, int width);
};
