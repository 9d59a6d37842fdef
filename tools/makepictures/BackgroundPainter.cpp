#include "BackgroundPainter.h"

#include "ImageEffects.h"
#include "NotePaths.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QTransform>

namespace {

constexpr double StaffTop = 150;
constexpr double Space = 44;

double lineY(int fromTop) // 0 = top line … 4 = bottom line; halves are spaces
{
    return StaffTop + fromTop * Space;
}

double stepY(double step) // positions counted in half spaces from the top line
{
    return StaffTop + step * Space / 2;
}

QPainterPath rotated(const QPainterPath &path, double degrees)
{
    const QPointF c = path.boundingRect().center();
    QTransform t;
    t.translate(c.x(), c.y());
    t.rotate(degrees);
    t.translate(-c.x(), -c.y());
    return t.map(path);
}

} // namespace

BackgroundPainter::Motif BackgroundPainter::motif(QPointF offset)
{
    Motif m;
    m.staff.setFillRule(Qt::WindingFill);
    for (int i = 0; i < 5; ++i)
        m.staff.addRect(QRectF(14, lineY(i) - 1.5, 906 - 28, 3));
    m.clef = NotePaths::trebleClef(QPointF(100, lineY(3)), Space);

    const double sp = Space;
    const double stem = 5.5;
    m.notes.append(NotePaths::beamed({QPointF(225, stepY(7)), QPointF(305, stepY(5))}, sp, 1, stem));
    m.notes.append(NotePaths::note(NoteValue::Quarter, QPointF(385, stepY(6)), sp, true, stem));
    m.notes.append(NotePaths::note(NoteValue::Eighth, QPointF(482, stepY(1)), sp, false, stem));
    m.notes.append(NotePaths::note(NoteValue::Quarter, QPointF(568, stepY(2)), sp, false, stem));
    m.notes.append(NotePaths::beamed({QPointF(642, stepY(8)), QPointF(706, stepY(7)),
                                      QPointF(770, stepY(5))}, sp, 2, stem));
    // A few larger ones lower down, tilted, as if strewn over the page.
    m.notes.append(rotated(NotePaths::note(NoteValue::Sixteenth, QPointF(300, 520), 1.3 * sp, true, 7), -12));
    m.notes.append(rotated(NotePaths::note(NoteValue::Quarter, QPointF(470, 560), 1.2 * sp, true, 7), 10));
    m.notes.append(rotated(NotePaths::beamed({QPointF(600, 555), QPointF(700, 530)}, 1.2 * sp, 1, 7), -6));

    QTransform t;
    t.translate(offset.x(), offset.y());
    m.staff = t.map(m.staff);
    m.clef = t.map(m.clef);
    for (QPainterPath &n : m.notes)
        n = t.map(n);
    return m;
}

void BackgroundPainter::drawFrame(QImage &image, int width)
{
    // A raised light band: lit on its outer top-left and inner bottom-right edges.
    const QRectF outer(0, 0, image.width(), image.height());
    const QRectF inner = outer.adjusted(width, width, -width, -width);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath band;
    band.addRect(outer);
    band.addRect(inner);
    p.fillPath(band, QColor(0xb4, 0xb4, 0xb4));
    auto edge = [&](const QRectF &r, int thickness, const QColor &lit, const QColor &dark) {
        const QRectF in = r.adjusted(thickness, thickness, -thickness, -thickness);
        QPolygonF topLeft{r.bottomLeft(), r.topLeft(), r.topRight(), in.topRight(), in.topLeft(), in.bottomLeft()};
        QPolygonF bottomRight{r.topRight(), r.bottomRight(), r.bottomLeft(), in.bottomLeft(), in.bottomRight(), in.topRight()};
        p.setPen(Qt::NoPen);
        p.setBrush(lit);
        p.drawPolygon(topLeft);
        p.setBrush(dark);
        p.drawPolygon(bottomRight);
    };
    edge(outer, 3, QColor(0xee, 0xee, 0xee), QColor(0x70, 0x70, 0x70));
    edge(inner.adjusted(-3, -3, 3, 3), 3, QColor(0x80, 0x80, 0x80), QColor(0xe4, 0xe4, 0xe4));
}

QImage BackgroundPainter::background()
{
    const QSize size(906, 711);
    const Motif m = motif(QPointF(0, 0));
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    {
        QPainter p(&image);
        QRadialGradient ground(QPointF(300, 250), 750);
        ground.setColorAt(0, QColor(0x4a, 0x4a, 0x4a));
        ground.setColorAt(1, QColor(0x26, 0x26, 0x26));
        p.fillRect(image.rect(), ground);
    }
    ImageEffects::addGrain(image, 28, 20240601);
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // The glow sits behind the clef's upper part.
    QRadialGradient glow(QPointF(112, 190), 240);
    glow.setColorAt(0, QColor(255, 255, 255, 210));
    glow.setColorAt(0.3, QColor(255, 255, 255, 110));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(image.rect(), glow);

    const QImage staff = ImageEffects::mask(size, m.staff);
    p.drawImage(0, 0, ImageEffects::tinted(staff, QColor(0xc8, 0xc8, 0xc8)));

    QPainterPath notes;
    notes.setFillRule(Qt::WindingFill);
    for (const QPainterPath &n : m.notes)
        notes.addPath(n);
    const QImage noteMask = ImageEffects::mask(size, notes);
    p.drawImage(QPointF(5, 6), ImageEffects::tinted(ImageEffects::blurred(noteMask, 8), QColor(0, 0, 0, 150)));
    p.drawImage(0, 0, ImageEffects::tinted(noteMask, QColor(0xb0, 0xb0, 0xb0)));
    p.drawImage(0, 0, ImageEffects::relief(noteMask, 6, 0.8));

    const QImage clefMask = ImageEffects::mask(size, m.clef);
    p.drawImage(QPointF(4, 5), ImageEffects::tinted(ImageEffects::blurred(clefMask, 8), QColor(0, 0, 0, 110)));
    p.drawImage(0, 0, ImageEffects::tinted(clefMask, QColor(0xf2, 0xf2, 0xf2)));
    p.drawImage(0, 0, ImageEffects::relief(clefMask, 5, 0.5));
    p.end();

    drawFrame(image, 10);
    return image.convertToFormat(QImage::Format_Grayscale8);
}

QImage BackgroundPainter::pastel()
{
    const QSize size(886, 691);
    const Motif m = motif(QPointF(-10, -10));
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    ImageEffects::addGrain(image, 10, 20240602);
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(m.staff, QColor(0xc4, 0xcc, 0xe0));

    const QColor pastels[] = {QColor(0xf4, 0xb4, 0xc6), QColor(0xa8, 0xc8, 0xf0),
                              QColor(0xa8, 0xe0, 0xbc), QColor(0xcc, 0xb4, 0xec),
                              QColor(0xf8, 0xcc, 0xa0)};
    for (int i = 0; i < m.notes.size(); ++i) {
        const QImage mask = ImageEffects::mask(size, m.notes.at(i));
        p.drawImage(QPointF(3, 4), ImageEffects::tinted(ImageEffects::blurred(mask, 6), QColor(0x60, 0x60, 0x80, 50)));
        p.drawImage(0, 0, ImageEffects::tinted(mask, pastels[i % 5]));
        p.drawImage(0, 0, ImageEffects::relief(mask, 5, 0.35));
    }
    const QImage clefMask = ImageEffects::mask(size, m.clef);
    p.drawImage(QPointF(3, 4), ImageEffects::tinted(ImageEffects::blurred(clefMask, 6), QColor(0x80, 0x70, 0x20, 50)));
    p.drawImage(0, 0, ImageEffects::tinted(clefMask, QColor(0xfb, 0xe8, 0x88)));
    p.drawImage(0, 0, ImageEffects::relief(clefMask, 4, 0.3));
    return image;
}
