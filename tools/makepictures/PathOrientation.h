#pragma once

#include <QPainterPath>

// Shapes are combined in one path under the winding rule, so every solid part must run the
// same way round (and every hole the other way), or overlaps would cancel out.
class PathOrientation
{
public:
    static double signedArea(const QPainterPath &path);
    static QPainterPath solid(const QPainterPath &path);
    static QPainterPath hole(const QPainterPath &path);
};
