#include "ImageEffects.h"

#include <QPainter>

#include <algorithm>
#include <random>
#include <vector>

namespace {

void boxPass(std::vector<float> &plane, int w, int h, int r, bool horizontal)
{
    std::vector<float> out(plane.size());
    const int n = horizontal ? w : h;
    const int lines = horizontal ? h : w;
    std::vector<float> line(static_cast<size_t>(n), 0.0f);
    for (int l = 0; l < lines; ++l) {
        for (int i = 0; i < n; ++i)
            line[size_t(i)] = plane[horizontal ? size_t(l * w + i) : size_t(i * w + l)];
        // Edges are extended, so a blurred border keeps its colour.
        double sum = 0;
        for (int i = -r; i <= r; ++i)
            sum += line[size_t(std::clamp(i, 0, n - 1))];
        for (int i = 0; i < n; ++i) {
            const float v = float(sum / (2 * r + 1));
            out[horizontal ? size_t(l * w + i) : size_t(i * w + l)] = v;
            sum += line[size_t(std::min(i + r + 1, n - 1))] - line[size_t(std::max(i - r, 0))];
        }
    }
    plane.swap(out);
}

} // namespace

QImage ImageEffects::mask(QSize size, const QPainterPath &path, bool antialias)
{
    QImage m(size, QImage::Format_ARGB32_Premultiplied);
    m.fill(Qt::transparent);
    QPainter p(&m);
    p.setRenderHint(QPainter::Antialiasing, antialias);
    p.fillPath(path, Qt::white);
    return m;
}

QImage ImageEffects::blurred(const QImage &image, int radius)
{
    const QImage src = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = src.width(), h = src.height();
    if (radius <= 0 || w == 0 || h == 0)
        return src;
    std::vector<float> planes[4];
    for (auto &p : planes)
        p.resize(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(src.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const size_t i = size_t(y * w + x);
            planes[0][i] = float(qAlpha(line[x]));
            planes[1][i] = float(qRed(line[x]));
            planes[2][i] = float(qGreen(line[x]));
            planes[3][i] = float(qBlue(line[x]));
        }
    }
    // Three passes of a box reaching radius/2 each way.
    const int r = std::max(1, radius / 2);
    for (auto &p : planes)
        for (int pass = 0; pass < 3; ++pass) {
            boxPass(p, w, h, r, true);
            boxPass(p, w, h, r, false);
        }
    QImage out(w, h, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < h; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const size_t i = size_t(y * w + x);
            auto c = [&](int k) { return std::clamp(int(planes[k][i] + 0.5f), 0, 255); };
            const int a = c(0);
            line[x] = qRgba(std::min(c(1), a), std::min(c(2), a), std::min(c(3), a), a);
        }
    }
    return out;
}

QImage ImageEffects::tinted(const QImage &mask, const QColor &colour)
{
    QImage out = mask.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < out.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const int a = qAlpha(line[x]) * colour.alpha() / 255;
            line[x] = qRgba(colour.red() * a / 255, colour.green() * a / 255,
                            colour.blue() * a / 255, a);
        }
    }
    return out;
}

QImage ImageEffects::relief(const QImage &mask, int radius, double strength)
{
    const QImage height = blurred(mask, radius);
    const int w = mask.width(), h = mask.height();
    QImage out(w, h, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    const int d = std::max(1, radius / 3);
    auto at = [&](int x, int y) {
        return qAlpha(height.pixel(std::clamp(x, 0, w - 1), std::clamp(y, 0, h - 1))) / 255.0;
    };
    for (int y = 0; y < h; ++y) {
        const QRgb *m = reinterpret_cast<const QRgb *>(mask.constScanLine(y));
        QRgb *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int coverage = qAlpha(m[x]);
            if (!coverage)
                continue;
            const double slope = (at(x + d, y + d) - at(x - d, y - d)) * 2.5;
            const double v = std::clamp(slope, -1.0, 1.0) * strength * coverage / 255.0;
            const int a = int(std::abs(v) * 255 + 0.5);
            line[x] = v > 0 ? qRgba(a, a, a, a) : qRgba(0, 0, 0, a);
        }
    }
    return out;
}

void ImageEffects::addGrain(QImage &image, int amplitude, quint32 seed)
{
    // std::mt19937's sequence is fixed by the standard; the mapping below is our own, so the
    // grain is the same with every library.
    std::mt19937 random(seed);
    image = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const quint32 bits = quint32(random());
            const int n = int(bits & 0xffff) + int(bits >> 16) - 0xffff; // triangular
            const int delta = n * amplitude / 0xffff;
            line[x] = qRgb(std::clamp(qRed(line[x]) + delta, 0, 255),
                           std::clamp(qGreen(line[x]) + delta, 0, 255),
                           std::clamp(qBlue(line[x]) + delta, 0, 255));
        }
    }
}
