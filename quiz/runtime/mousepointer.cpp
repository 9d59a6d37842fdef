#include "mousepointer.h"

#include <QCursor>
#include <QWidget>

namespace rt {

void setMouseIcon(QWidget *widget, const QPixmap &picture, QPoint hotSpot)
{
    if (picture.isNull())
        widget->unsetCursor();
    else
        widget->setCursor(QCursor(picture, hotSpot.x(), hotSpot.y()));
}

} // namespace rt
