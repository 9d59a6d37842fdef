#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QtGlobal>

// The few raster effects the pictures need, done by simple filtering so that the result is
// the same on every run. Masks are Format_ARGB32_Premultiplied images whose alpha is the
// coverage.
class ImageEffects
{
public:
    static QImage mask(QSize size, const QPainterPath &path, bool antialias = true);
    // Three box passes: close to a Gaussian of about `radius`.
    static QImage blurred(const QImage &image, int radius);
    static QImage tinted(const QImage &mask, const QColor &colour);
    // Light from the upper left on a shape raised by its blurred mask: white where it faces
    // the light, black where it faces away, each with alpha up to `strength` (0..1).
    static QImage relief(const QImage &mask, int radius, double strength);
    // Monochrome noise of up to ±amplitude, from a fixed seed.
    static void addGrain(QImage &image, int amplitude, quint32 seed);
};
