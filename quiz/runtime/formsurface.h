#pragma once

#include <QPixmap>
#include <QWidget>

namespace rt {

// The client area of a window: its picture drawn at its own size at the upper left and
// cut at the edges, and the window's mouse pointer.
class FormSurface : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QPixmap picture READ picture WRITE setPicture)
    Q_PROPERTY(QPixmap mouseIcon READ mouseIcon WRITE setMouseIcon)

public:
    explicit FormSurface(QWidget *parent = nullptr);

    QPixmap picture() const;
    void setPicture(const QPixmap &picture);

    QPixmap mouseIcon() const;
    void setMouseIcon(const QPixmap &picture);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
    QPixmap m_mouseIcon;
};

} // namespace rt
