#include "formsurface.h"

#include "mousepointer.h"

#include <QPaintEvent>
#include <QPainter>

namespace rt {

FormSurface::FormSurface(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent); // the picture covers the whole area
}

QString FormSurface::pictureFile() const
{
    return m_pictureFile;
}

void FormSurface::setPictureFile(const QString &fileName)
{
    m_pictureFile = fileName;
    m_picture = QImage();
    update();
}

QImage FormSurface::picture() const
{
    if (m_picture.isNull() && !m_pictureFile.isEmpty())
        m_picture.load(m_pictureFile);
    return m_picture;
}

QPixmap FormSurface::mouseIcon() const
{
    return m_mouseIcon;
}

void FormSurface::setMouseIcon(const QPixmap &picture)
{
    m_mouseIcon = picture;
    rt::setMouseIcon(this, m_mouseIcon, m_mouseIconHotSpot);
}

QPoint FormSurface::mouseIconHotSpot() const
{
    return m_mouseIconHotSpot;
}

void FormSurface::setMouseIconHotSpot(QPoint hotSpot)
{
    m_mouseIconHotSpot = hotSpot;
    rt::setMouseIcon(this, m_mouseIcon, m_mouseIconHotSpot);
}

void FormSurface::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.fillRect(dirty, palette().color(backgroundRole()));
    painter.drawImage(dirty, picture(), dirty);
}

} // namespace rt
