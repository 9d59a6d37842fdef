#pragma once

#include <QPainterPath>
#include <QPointF>
#include <QVector>

// A pen stroke whose width swells and thins along a chain of cubic Bézier curves, as a
// broad pen does. outline() gives the filled shape, itself made of Bézier pieces, so it can
// be filled, blurred or embossed like any other path.
class VariableWidthStroke
{
public:
    VariableWidthStroke(QPointF start, double startWidth);

    // The width runs from the previous end width through `midWidth` to `endWidth`.
    void cubicTo(QPointF c1, QPointF c2, QPointF end, double midWidth, double endWidth);

    QPainterPath outline() const;

private:
    struct Segment
    {
        QPointF p0, c1, c2, p3;
        double w0, wMid, w1;
    };

    static QPointF point(const Segment &s, double t);
    static QPointF tangent(const Segment &s, double t);
    static double width(const Segment &s, double t);
    static QPointF offsetPoint(const Segment &s, double t, double side);
    static void appendSide(QPainterPath &path, const Segment &s, double side, bool forward);

    QPointF m_end;
    double m_endWidth;
    QVector<Segment> m_segments;
};
