#include "PathOrientation.h"

#include <QPolygonF>

double PathOrientation::signedArea(const QPainterPath &path)
{
    double area = 0;
    for (const QPolygonF &polygon : path.toSubpathPolygons()) {
        for (int i = 0; i < polygon.size(); ++i) {
            const QPointF &a = polygon.at(i);
            const QPointF &b = polygon.at((i + 1) % polygon.size());
            area += a.x() * b.y() - b.x() * a.y();
        }
    }
    return area / 2;
}

QPainterPath PathOrientation::solid(const QPainterPath &path)
{
    QPainterPath p = signedArea(path) >= 0 ? path : path.toReversed();
    p.setFillRule(Qt::WindingFill);
    return p;
}

QPainterPath PathOrientation::hole(const QPainterPath &path)
{
    QPainterPath p = signedArea(path) < 0 ? path : path.toReversed();
    p.setFillRule(Qt::WindingFill);
    return p;
}
