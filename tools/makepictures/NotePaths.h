#pragma once

#include "NoteValue.h"

#include <QPainterPath>
#include <QPointF>
#include <QVector>

// The shapes of music notation as paths. Lengths are given in staff spaces and scaled by
// `sp`, the staff space in pixels; stem widths are in pixels so that small pictures can keep
// them to whole pixels. Every path uses the winding rule.
class NotePaths
{
public:
    static int flagCount(NoteValue value);
    static double stemLength(NoteValue value); // staff spaces, from the head's centre

    static QPainterPath head(NoteValue value, QPointF centre, double sp);
    static QPainterPath note(NoteValue value, QPointF centre, double sp, bool stemUp,
                             double stemWidth);
    // Stem-up notes joined by `beams` beams.
    static QPainterPath beamed(const QVector<QPointF> &heads, double sp, int beams,
                               double stemWidth);
    // `gLine` is where the G line crosses the clef's upright stroke.
    static QPainterPath trebleClef(QPointF gLine, double sp);

    // Where a stem meets the head: the head's rightmost (stem up) or leftmost point.
    static QPointF stemJoin(NoteValue value, QPointF centre, double sp, bool stemUp);
    static double headHalfWidth(NoteValue value); // staff spaces

private:
    static QPainterPath ellipse(QPointF centre, double a, double b, double tiltDegrees, double sp);
    static QPainterPath flags(QPointF stemEnd, double sp, bool stemUp, int count,
                              double stemSpaces);
};
