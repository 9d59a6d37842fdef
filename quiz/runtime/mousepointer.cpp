#include "mousepointer.h"

#include <QCursor>
#include <QWidget>

namespace rt {

void setMouseIcon(QWidget *widget, const QPixmap &picture)
{
    if (picture.isNull())
        widget->unsetCursor();
    else
        widget->setCursor(QCursor(picture, 0, 0));
}

} // namespace rt
