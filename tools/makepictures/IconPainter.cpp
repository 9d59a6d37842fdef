#include "IconPainter.h"

#include "NotePaths.h"

#include <QPainter>

#include <cmath>

namespace {

const QList<QRgb> &windowsColours()
{
    // The sixteen colours of the standard Windows icon palette; black first, as the hidden
    // pixels need it.
    static const QList<QRgb> colours{
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    return colours;
}

QImage blank()
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

// Moves a head sideways so its stem falls on whole pixels.
QPointF snapped(QPointF centre, double sp, bool stemUp, double stemWidth)
{
    const double edge = NotePaths::stemJoin(NoteValue::Quarter, centre, sp, stemUp).x()
        + (stemUp ? -0.02 * sp : 0.02 * sp + stemWidth);
    return centre + QPointF(std::round(edge) - edge, 0);
}

} // namespace

IconPainter::Icon IconPainter::fromPainted(const QImage &argb, const QList<QRgb> &palette)
{
    Icon icon;
    icon.transparent = QImage(argb.size(), QImage::Format_RGB32);
    QImage opaque(argb.size(), QImage::Format_RGB32);
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb c = argb.pixel(x, y);
            const bool hidden = qAlpha(c) < 128;
            icon.transparent.setPixel(x, y, hidden ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
            opaque.setPixel(x, y, hidden ? qRgb(0, 0, 0) : (c | 0xff000000));
        }
    icon.indexed = opaque.convertToFormat(QImage::Format_Indexed8, palette,
                                          Qt::ThresholdDither | Qt::AvoidDither);
    icon.indexed.setColorTable(palette);
    return icon;
}

IconPainter::Icon IconPainter::windowIcon()
{
    QImage image = blank();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(image.rect(), QColor(0x80, 0x80, 0x80));
    p.fillRect(QRect(1, 1, 30, 30), QColor(0xc0, 0xc0, 0xc0));
    p.fillRect(QRect(2, 2, 28, 28), Qt::white);
    const double sp = 4.2;
    const double stem = 1.0;
    p.fillPath(NotePaths::note(NoteValue::Eighth, snapped(QPointF(6.2, 21.5), sp, true, stem), sp, true, stem), Qt::black);
    p.fillPath(NotePaths::note(NoteValue::Whole, QPointF(15.5, 25.5), sp, true, stem), Qt::black);
    p.fillPath(NotePaths::note(NoteValue::ThirtySecond, snapped(QPointF(22.3, 23.5), sp, true, stem), sp, true, stem), Qt::black);
    p.end();

    QList<QRgb> greys;
    for (int i = 0; i < 256; ++i)
        greys.append(qRgb(i, i, i));
    return fromPainted(image, greys);
}

IconPainter::Icon IconPainter::pointer()
{
    QImage image = blank();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    // Staff lines rising to the right, and three beamed notes sitting on them.
    p.setPen(QPen(QColor(128, 128, 128), 1));
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(1, 28 - 4 * i), QPointF(30, 20 - 4 * i));
    const double sp = 4.0;
    QVector<QPointF> heads;
    for (QPointF h : {QPointF(6, 26), QPointF(15, 23.5), QPointF(24, 21)})
        heads.append(snapped(h, sp, true, 1.6));
    p.fillPath(NotePaths::beamed(heads, sp, 1, 1.6), Qt::black);
    p.end();
    return fromPainted(image, windowsColours());
}

IconPainter::Icon IconPainter::notePointer()
{
    QImage image = blank();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    // An ear facing right, towards the notes.
    QPainterPath ear;
    ear.moveTo(11, 30);
    ear.cubicTo(6, 30, 5, 26, 4, 22);
    ear.cubicTo(2, 15, 3, 9, 9, 9);
    ear.cubicTo(14, 9, 15, 14, 13, 18);
    ear.cubicTo(11, 21, 12, 24, 13, 27);
    ear.cubicTo(13.5, 29, 12.5, 30, 11, 30);
    ear.closeSubpath();
    p.setPen(QPen(QColor(128, 128, 128), 1));
    p.setBrush(QColor(192, 192, 192));
    p.drawPath(ear);
    QPainterPath fold;
    fold.moveTo(6, 21);
    fold.cubicTo(5, 15, 7, 12, 9, 12);
    fold.cubicTo(11, 12, 11, 15, 9, 17);
    p.setBrush(Qt::NoBrush);
    p.drawPath(fold);

    // Sound reaching the ear.
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(QPointF(16, 13), QPointF(18, 11));
    p.drawLine(QPointF(16, 17), QPointF(19, 16));

    const double sp = 3.6;
    const QPointF a = snapped(QPointF(21, 23), sp, true, 1.4);
    const QPointF b = snapped(QPointF(27.5, 20), sp, true, 1.4);
    p.fillPath(NotePaths::beamed({a, b}, sp, 1, 1.4), Qt::black);
    p.fillPath(NotePaths::head(NoteValue::Quarter, a, sp), QColor(0, 0, 255));
    p.fillPath(NotePaths::head(NoteValue::Quarter, b, sp), QColor(0, 0, 255));
    p.end();
    return fromPainted(image, windowsColours());
}
