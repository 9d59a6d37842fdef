#pragma once

#include <QPixmap>
#include <QPoint>

class QWidget;

namespace rt {

// Gives a widget a custom mouse pointer drawn from a picture, with its hot spot, the
// point that acts, at hotSpot in the picture's pixels. A null picture gives the widget
// back the pointer of its surroundings.
void setMouseIcon(QWidget *widget, const QPixmap &picture, QPoint hotSpot);

} // namespace rt
