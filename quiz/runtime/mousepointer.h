#pragma once

#include <QPixmap>

class QWidget;

namespace rt {

// Gives a widget a custom mouse pointer drawn from a picture (hot spot at its tip,
// the upper left corner).
void setMouseIcon(QWidget *widget, const QPixmap &picture);

} // namespace rt
