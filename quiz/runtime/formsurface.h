#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

namespace rt {

// The client area of a window: its picture drawn at its own size at the upper left and
// cut at the edges, and the window's mouse pointer with its hot spot. The picture is
// named by its file and kept as the file decodes it (a greyscale picture takes a quarter
// of the memory that a pixmap of the screen's depth would), and decoded when first
// needed, so that the window can be built before anything of it is seen without waiting
// for the decoding.
class FormSurface : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString pictureFile READ pictureFile WRITE setPictureFile)
    Q_PROPERTY(QPixmap mouseIcon READ mouseIcon WRITE setMouseIcon)
    Q_PROPERTY(QPoint mouseIconHotSpot READ mouseIconHotSpot WRITE setMouseIconHotSpot)

public:
    explicit FormSurface(QWidget *parent = nullptr);

    QString pictureFile() const;
    void setPictureFile(const QString &fileName);
    QImage picture() const;

    QPixmap mouseIcon() const;
    void setMouseIcon(const QPixmap &picture);
    QPoint mouseIconHotSpot() const;
    void setMouseIconHotSpot(QPoint hotSpot);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_pictureFile;
    mutable QImage m_picture;
    QPixmap m_mouseIcon;
    QPoint m_mouseIconHotSpot;
};

} // namespace rt
