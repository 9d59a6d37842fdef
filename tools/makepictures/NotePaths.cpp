#include "NotePaths.h"

#include "PathOrientation.h"
#include "VariableWidthStroke.h"

#include <QTransform>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace {

// Black heads are ovals tilted about 20 degrees; the open ones keep thicker sides at the
// ends of the long axis.
struct Oval
{
    double a, b, tilt;
};
constexpr Oval BlackHead{0.66, 0.44, -20};
constexpr Oval HalfHole{0.40, 0.25, -22};
constexpr Oval WholeHead{0.86, 0.52, 0};
constexpr Oval WholeHole{0.40, 0.28, 52};

Oval outerOval(NoteValue v)
{
    return v == NoteValue::Whole ? WholeHead : BlackHead;
}

QPointF along(QPointF origin, double sp, bool up, double x, double y)
{
    return origin + QPointF(x * sp, (up ? y : -y) * sp);
}

} // namespace

int NotePaths::flagCount(NoteValue value)
{
    switch (value) {
    case NoteValue::Eighth: return 1;
    case NoteValue::Sixteenth: return 2;
    case NoteValue::ThirtySecond: return 3;
    case NoteValue::SixtyFourth: return 4;
    default: return 0;
    }
}

double NotePaths::stemLength(NoteValue value)
{
    // Three or four flags need a longer stem to stay clear of the head.
    switch (value) {
    case NoteValue::Whole: return 0;
    case NoteValue::ThirtySecond: return 4.0;
    case NoteValue::SixtyFourth: return 4.6;
    default: return 3.5;
    }
}

double NotePaths::headHalfWidth(NoteValue value)
{
    const Oval o = outerOval(value);
    const double t = qDegreesToRadians(o.tilt);
    return std::sqrt(o.a * o.a * std::cos(t) * std::cos(t) + o.b * o.b * std::sin(t) * std::sin(t));
}

QPainterPath NotePaths::ellipse(QPointF centre, double a, double b, double tiltDegrees, double sp)
{
    QPainterPath p;
    p.addEllipse(QPointF(0, 0), a * sp, b * sp);
    QTransform t;
    t.translate(centre.x(), centre.y());
    t.rotate(tiltDegrees);
    return t.map(p);
}

QPainterPath NotePaths::head(NoteValue value, QPointF centre, double sp)
{
    const Oval o = outerOval(value);
    QPainterPath path = PathOrientation::solid(ellipse(centre, o.a, o.b, o.tilt, sp));
    if (value == NoteValue::Whole || value == NoteValue::Half) {
        const Oval h = value == NoteValue::Whole ? WholeHole : HalfHole;
        path.addPath(PathOrientation::hole(ellipse(centre, h.a, h.b, h.tilt, sp)));
    }
    return path;
}

QPointF NotePaths::stemJoin(NoteValue value, QPointF centre, double sp, bool stemUp)
{
    const Oval o = outerOval(value);
    const double t = qDegreesToRadians(o.tilt);
    QPointF best = centre;
    double bestX = stemUp ? -1e9 : 1e9;
    for (int i = 0; i < 720; ++i) {
        const double phi = i * M_PI / 360;
        const double x = o.a * std::cos(phi), y = o.b * std::sin(phi);
        const QPointF p(x * std::cos(t) - y * std::sin(t), x * std::sin(t) + y * std::cos(t));
        if (stemUp ? p.x() > bestX : p.x() < bestX) {
            bestX = p.x();
            best = centre + p * sp;
        }
    }
    return best;
}

QPainterPath NotePaths::flags(QPointF stemEnd, double sp, bool stemUp, int count,
                              double stemSpaces)
{
    // One flag, drawn for a stem going up: it leaves the stem's end to the right, swells
    // outwards and ends in a point curling back towards the stem. `stemEnd` is the outer
    // corner on the stem's right edge.
    // A single flag is long and broad where it leaves the stem; stacked ones are slimmer so
    // that white shows between them.
    const double gap = count <= 2 ? 0.75 : (stemUp ? 0.7 : 0.62);
    QPainterPath all;
    all.setFillRule(Qt::WindingFill);
    for (int k = 0; k < count; ++k) {
        const bool last = k == count - 1;
        double length = count == 1 ? 3.1 : (last ? 2.7 : 2.2);
        // Below a stem going down the flags are on the head's side: keep them clear of it.
        if (!stemUp)
            length = std::min(length, stemSpaces - 0.9 - k * gap);
        const double root = count == 1 ? 1.0 : 0.5;
        const double s = length / 3.1;
        const QPointF o = along(stemEnd, sp, stemUp, 0, k * gap);
        auto p = [&](double x, double y) { return along(o, sp, stemUp, x, y); };
        QPainterPath f;
        f.moveTo(p(-0.1, 0));
        f.lineTo(p(0, 0));
        f.cubicTo(p(0.06, 0.72 * s), p(1.02, 1.0 * s), p(0.98, 2.0 * s));
        f.cubicTo(p(0.96, 2.45 * s), p(0.84, 2.82 * s), p(0.62, 3.1 * s));
        f.cubicTo(p(0.76, 2.72 * s), p(0.8, 2.42 * s), p(0.76, 2.14 * s));
        f.cubicTo(p(0.7, 1.6 * s), p(0.32, root + 0.28 * s), p(0, root));
        f.lineTo(p(-0.1, root));
        f.closeSubpath();
        all.addPath(PathOrientation::solid(f));
    }
    return all;
}

QPainterPath NotePaths::note(NoteValue value, QPointF centre, double sp, bool stemUp,
                             double stemWidth)
{
    QPainterPath path = head(value, centre, sp);
    if (value == NoteValue::Whole)
        return path;
    const QPointF join = stemJoin(value, centre, sp, stemUp);
    const double inset = 0.02 * sp; // keep the stem's outer edge just inside the head
    const double length = stemLength(value) * sp;
    QRectF stem;
    if (stemUp) {
        const double right = join.x() - inset;
        stem = QRectF(QPointF(right - stemWidth, centre.y() - length), QPointF(right, join.y()));
    } else {
        const double left = join.x() + inset;
        stem = QRectF(QPointF(left, join.y()), QPointF(left + stemWidth, centre.y() + length));
    }
    QPainterPath stemPath;
    stemPath.addRect(stem);
    path.addPath(PathOrientation::solid(stemPath));
    const int n = flagCount(value);
    if (n > 0) {
        const QPointF end = stemUp ? stem.topRight() : stem.bottomRight();
        path.addPath(flags(end, sp, stemUp, n, stemLength(value)));
    }
    return path;
}

QPainterPath NotePaths::beamed(const QVector<QPointF> &heads, double sp, int beams,
                               double stemWidth)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    if (heads.size() < 2)
        return path;
    const double length = 3.5 * sp;
    const double thickness = 0.48 * sp;
    const double gap = 0.75 * sp;

    QVector<double> xs;
    for (const QPointF &h : heads) {
        path.addPath(head(NoteValue::Quarter, h, sp));
        xs.append(stemJoin(NoteValue::Quarter, h, sp, true).x() - 0.02 * sp);
    }
    // A gentle slope following the first and last notes, then raised so no stem is short.
    const double dx = xs.last() - xs.first();
    double slope = (heads.last().y() - heads.first().y()) / dx;
    slope = std::clamp(slope * 0.5, -0.22, 0.22);
    double y0 = heads.first().y() - length;
    for (int i = 0; i < heads.size(); ++i)
        y0 = std::min(y0, heads[i].y() - length - slope * (xs[i] - xs.first()));
    auto beamY = [&](double x) { return y0 + slope * (x - xs.first()); };

    for (int i = 0; i < heads.size(); ++i) {
        const QPointF join = stemJoin(NoteValue::Quarter, heads[i], sp, true);
        QPainterPath stem;
        stem.moveTo(xs[i] - stemWidth, join.y());
        stem.lineTo(xs[i], join.y());
        stem.lineTo(xs[i], beamY(xs[i]) + 1);
        stem.lineTo(xs[i] - stemWidth, beamY(xs[i] - stemWidth) + 1);
        stem.closeSubpath();
        path.addPath(PathOrientation::solid(stem));
    }
    const double left = xs.first() - stemWidth, right = xs.last();
    for (int b = 0; b < beams; ++b) {
        QPainterPath beam;
        const double off = b * gap;
        beam.moveTo(left, beamY(left) + off);
        beam.lineTo(right, beamY(right) + off);
        beam.lineTo(right, beamY(right) + off + thickness);
        beam.lineTo(left, beamY(left) + off + thickness);
        beam.closeSubpath();
        path.addPath(PathOrientation::solid(beam));
    }
    return path;
}

QPainterPath NotePaths::trebleClef(QPointF gLine, double sp)
{
    // Traced as one pen stroke: from the ball of the tail up the upright stroke to the top,
    // over the loop, down across the staff into the round body and the spiral that closes on
    // the G line. Units are staff spaces, the G line at y = 0, the staff from -3 to +1.
    auto p = [&](double x, double y) { return gLine + QPointF(x * sp, y * sp); };
    VariableWidthStroke s(p(-0.55, 2.12), 0.22 * sp);
    s.cubicTo(p(-0.55, 2.75), p(0.15, 2.85), p(0.2, 2.1), 0.17 * sp, 0.13 * sp);
    s.cubicTo(p(0.25, 1.35), p(0.38, -2.2), p(0.45, -3.4), 0.12 * sp, 0.13 * sp);
    s.cubicTo(p(0.5, -4.25), p(0.55, -4.9), p(0.85, -4.65), 0.16 * sp, 0.2 * sp);
    s.cubicTo(p(1.2, -4.35), p(1.35, -3.4), p(0.75, -2.7), 0.26 * sp, 0.32 * sp);
    s.cubicTo(p(0.21, -2.07), p(-1.25, -1.3), p(-1.25, 0.1), 0.42 * sp, 0.36 * sp);
    s.cubicTo(p(-1.25, 1.1), p(-0.5, 1.6), p(0.15, 1.6), 0.22 * sp, 0.1 * sp);
    s.cubicTo(p(0.85, 1.6), p(1.3, 1.0), p(1.28, 0.25), 0.3 * sp, 0.36 * sp);
    s.cubicTo(p(1.26, -0.5), p(0.75, -0.95), p(0.1, -0.92), 0.22 * sp, 0.1 * sp);
    s.cubicTo(p(-0.45, -0.9), p(-0.7, -0.05), p(-0.2, 0.2), 0.1 * sp, 0.14 * sp);
    QPainterPath clef = s.outline();
    QPainterPath ball;
    ball.addEllipse(p(-0.55, 2.12), 0.36 * sp, 0.36 * sp);
    clef.addPath(PathOrientation::solid(ball));
    return clef;
}
