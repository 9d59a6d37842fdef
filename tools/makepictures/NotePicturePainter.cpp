#include "NotePicturePainter.h"

#include "ImageEffects.h"
#include "NotePaths.h"

#include <QLinearGradient>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace {

const QSize ButtonSizes[] = {{84, 66}, {73, 62}, {86, 61}, {54, 54}, {72, 62}, {60, 51}, {51, 50}};
const QSize FigureSizes[] = {{103, 197}, {102, 197}, {95, 197}, {96, 201},
                             {90, 199},  {106, 236}, {90, 201}};

QImage canvas(QSize size, const QColor &ground)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(ground);
    return image;
}

} // namespace

NoteValue NotePicturePainter::valueOf(int n)
{
    return NoteValue(std::clamp(n, 1, 7) - 1);
}

QPainterPath NotePicturePainter::fitted(const QPainterPath &path, const QRectF &box,
                                        double maxScale)
{
    // Scales uniformly and centres the shape in the box.
    const QRectF r = path.boundingRect();
    const double s = std::min({box.width() / r.width(), box.height() / r.height(), maxScale});
    QTransform t;
    t.translate(box.center().x(), box.center().y());
    t.scale(s, s);
    t.translate(-r.center().x(), -r.center().y());
    return t.map(path);
}

QImage NotePicturePainter::strip()
{
    // Seven slots, stems up, all heads on one line.
    const QSize size(300, 100);
    const NoteValue order[] = {NoteValue::ThirtySecond, NoteValue::Quarter, NoteValue::Eighth,
                               NoteValue::Half, NoteValue::Sixteenth, NoteValue::Whole,
                               NoteValue::SixtyFourth};
    const double sp = 15;
    const double slot = size.width() / 7.0;
    const double headY = 80;
    QPainterPath notes;
    notes.setFillRule(Qt::WindingFill);
    for (int i = 0; i < 7; ++i) {
        const NoteValue v = order[i];
        // Centre head plus flags within the slot.
        const double half = NotePaths::headHalfWidth(v) * sp;
        const double extent = 2 * half + (NotePaths::flagCount(v) ? 0.95 * sp : 0);
        const double left = i * slot + (slot - extent) / 2;
        notes.addPath(NotePaths::note(v, QPointF(left + half, headY), sp, true, 2.0));
    }

    QImage image = canvas(size, QColor(0xee, 0xef, 0xf2));
    const QImage m = ImageEffects::mask(size, notes);
    QPainter p(&image);
    p.drawImage(QPointF(1.5, 1.5), ImageEffects::tinted(ImageEffects::blurred(m, 3), QColor(0, 0, 40, 70)));
    // Navy, with a lighter blue band running across as a sheen.
    QLinearGradient sheen(0, 0, 0, size.height());
    sheen.setColorAt(0.0, QColor(0x10, 0x1c, 0x4a));
    sheen.setColorAt(0.35, QColor(0x2f, 0x52, 0xa8));
    sheen.setColorAt(0.5, QColor(0x16, 0x27, 0x62));
    sheen.setColorAt(1.0, QColor(0x0a, 0x14, 0x3c));
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(notes, sheen);
    p.drawImage(0, 0, ImageEffects::relief(m, 2, 0.45));
    return image;
}

QImage NotePicturePainter::clef()
{
    const QSize size(50, 80);
    const QPainterPath clef = fitted(NotePaths::trebleClef(QPointF(0, 0), 10), QRectF(4, 2.5, 42, 75));
    QImage image = canvas(size, QColor(0x00, 0xe0, 0xf0));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x8a, 0x6a, 0x00), 1.0));
    p.setBrush(QColor(0xff, 0xe0, 0x10));
    p.drawPath(clef);
    return image;
}

QImage NotePicturePainter::blurredClef()
{
    const QSize size(50, 80);
    const double unitSp = 10;
    const QPainterPath unit = NotePaths::trebleClef(QPointF(0, 0), unitSp);
    const QPainterPath clef = fitted(unit, QRectF(5, 4, 40, 72));
    // The staff that goes with the clef: its G line (y = 0 in `unit`) through the spiral.
    const double scale = clef.boundingRect().height() / unit.boundingRect().height();
    const double gY = clef.boundingRect().top() - unit.boundingRect().top() * scale;
    QImage image = canvas(size, Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0xd4, 0xd4, 0xd4), 1.0));
    for (int line = -3; line <= 1; ++line) {
        const double y = std::floor(gY + line * unitSp * scale) + 0.5;
        p.drawLine(QPointF(0, y), QPointF(size.width(), y));
    }
    const QImage m = ImageEffects::mask(size, clef);
    p.drawImage(0, 0, ImageEffects::tinted(ImageEffects::blurred(m, 4), QColor(0x60, 0x60, 0x60)));
    return image;
}

QImage NotePicturePainter::button(int n)
{
    const QSize size = ButtonSizes[std::clamp(n, 1, 7) - 1];
    const NoteValue v = valueOf(n);
    // Drawn large at one scale, so head shape and stroke proportions match across the set.
    const QPainterPath unit = NotePaths::note(v, QPointF(0, 0), 100, false, 13);
    const double shadow = 3;
    const QRectF box(4, 4, size.width() - 8 - shadow, size.height() - 8 - shadow);
    // Fitted to the box, but the stemless whole note is kept from growing far beyond the
    // others.
    const QPainterPath note = fitted(unit, box, 0.22);
    QImage image = canvas(size, Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QImage m = ImageEffects::mask(size, note);
    p.drawImage(QPointF(shadow, shadow), ImageEffects::tinted(ImageEffects::blurred(m, 2), QColor(0xb8, 0xb8, 0xb8)));
    p.fillPath(note, Qt::black);
    return image;
}

QImage NotePicturePainter::figure(int n)
{
    const QSize size = FigureSizes[std::clamp(n, 1, 7) - 1];
    const NoteValue v = valueOf(n);
    // One staff space for the whole set, heads at the same place near the top.
    const double sp = 34;
    const double shadow = 4;
    const double headTop = 6;
    const QPointF centre(size.width() / 2.0 - shadow / 2, headTop + 0.5 * sp);
    QPainterPath note = NotePaths::note(v, centre, sp, false, 5);
    // Centre the whole symbol (head and flags) across the field.
    const QRectF r = note.boundingRect();
    note.translate(std::round((size.width() - shadow - r.width()) / 2 - r.left()), 0);
    QImage image = canvas(size, Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillPath(note.translated(shadow, shadow), QColor(0xc0, 0xc0, 0xc0));
    p.fillPath(note, Qt::black);
    return image;
}
