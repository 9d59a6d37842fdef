#include "formsurface.h"

#include "mousepointer.h"

#include <QPaintEvent>
#include <QPainter>

namespace rt {

FormSurface::FormSurface(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent); // the picture covers the whole area
}

QPixmap FormSurface::picture() const
{
    return m_picture;
}

void FormSurface::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

QPixmap FormSurface::mouseIcon() const
{
    return m_mouseIcon;
}

void FormSurface::setMouseIcon(const QPixmap &picture)
{
    m_mouseIcon = picture;
    rt::setMouseIcon(this, picture);
}

void FormSurface::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(backgroundRole()));
    painter.drawPixmap(0, 0, m_picture);
}

} // namespace rt
