#include "VariableWidthStroke.h"

#include "PathOrientation.h"

#include <QtMath>

#include <algorithm>

namespace {
constexpr int PiecesPerSegment = 10;
}

VariableWidthStroke::VariableWidthStroke(QPointF start, double startWidth)
    : m_end(start), m_endWidth(startWidth)
{
}

void VariableWidthStroke::cubicTo(QPointF c1, QPointF c2, QPointF end, double midWidth,
                                  double endWidth)
{
    m_segments.append({m_end, c1, c2, end, m_endWidth, midWidth, endWidth});
    m_end = end;
    m_endWidth = endWidth;
}

QPointF VariableWidthStroke::point(const Segment &s, double t)
{
    const double u = 1 - t;
    return u * u * u * s.p0 + 3 * u * u * t * s.c1 + 3 * u * t * t * s.c2 + t * t * t * s.p3;
}

QPointF VariableWidthStroke::tangent(const Segment &s, double t)
{
    const double u = 1 - t;
    return 3 * u * u * (s.c1 - s.p0) + 6 * u * t * (s.c2 - s.c1) + 3 * t * t * (s.p3 - s.c2);
}

double VariableWidthStroke::width(const Segment &s, double t)
{
    // A quadratic through w0, wMid (at the middle) and w1.
    const double control = 2 * s.wMid - (s.w0 + s.w1) / 2;
    const double u = 1 - t;
    return std::max(0.01, u * u * s.w0 + 2 * u * t * control + t * t * s.w1);
}

QPointF VariableWidthStroke::offsetPoint(const Segment &s, double t, double side)
{
    const QPointF d = tangent(s, t);
    const double len = std::max(1e-9, std::hypot(d.x(), d.y()));
    const QPointF normal(-d.y() / len, d.x() / len);
    return point(s, t) + normal * (side * width(s, t) / 2);
}

void VariableWidthStroke::appendSide(QPainterPath &path, const Segment &s, double side,
                                     bool forward)
{
    // Each piece is a cubic matching the offset curve's ends and end directions.
    const double h = 1e-4;
    auto derivative = [&](double t) {
        const double a = std::max(0.0, t - h);
        const double b = std::min(1.0, t + h);
        return (offsetPoint(s, b, side) - offsetPoint(s, a, side)) / (b - a);
    };
    for (int i = 0; i < PiecesPerSegment; ++i) {
        const int k = forward ? i : PiecesPerSegment - 1 - i;
        double ta = double(k) / PiecesPerSegment;
        double tb = double(k + 1) / PiecesPerSegment;
        if (!forward)
            std::swap(ta, tb);
        const double dt = tb - ta;
        const QPointF a = offsetPoint(s, ta, side);
        const QPointF b = offsetPoint(s, tb, side);
        path.cubicTo(a + derivative(ta) * (dt / 3), b - derivative(tb) * (dt / 3), b);
    }
}

QPainterPath VariableWidthStroke::outline() const
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    if (m_segments.isEmpty())
        return path;
    path.moveTo(offsetPoint(m_segments.first(), 0, 1));
    for (const Segment &s : m_segments)
        appendSide(path, s, 1, true);
    path.lineTo(offsetPoint(m_segments.last(), 1, -1));
    for (int i = m_segments.size() - 1; i >= 0; --i)
        appendSide(path, m_segments.at(i), -1, false);
    path.closeSubpath();

    // Round ends, as a pen leaves them.
    const Segment &first = m_segments.first();
    const Segment &last = m_segments.last();
    QPainterPath start, end;
    start.addEllipse(first.p0, first.w0 / 2, first.w0 / 2);
    end.addEllipse(last.p3, last.w1 / 2, last.w1 / 2);
    QPainterPath shape = PathOrientation::solid(path);
    shape.addPath(PathOrientation::solid(start));
    shape.addPath(PathOrientation::solid(end));
    return shape;
}
