#pragma once

#include <QToolButton>

class QShortcut;

namespace rt {

// A command button in graphical style: its picture above its caption, on its own
// colour, with a mouse pointer of its own. As the window's cancel button, the Escape
// key presses it wherever the focus lies in its window, while it is visible and enabled.
class CommandButton : public QToolButton
{
    Q_OBJECT
    Q_PROPERTY(QPixmap mouseIcon READ mouseIcon WRITE setMouseIcon)
    Q_PROPERTY(QPoint mouseIconHotSpot READ mouseIconHotSpot WRITE setMouseIconHotSpot)
    Q_PROPERTY(bool cancel READ isCancel WRITE setCancel)

public:
    explicit CommandButton(QWidget *parent = nullptr);

    QPixmap mouseIcon() const;
    void setMouseIcon(const QPixmap &picture);
    QPoint mouseIconHotSpot() const;
    void setMouseIconHotSpot(QPoint hotSpot);

    bool isCancel() const;
    void setCancel(bool on);

private:
    QPixmap m_mouseIcon;
    QPoint m_mouseIconHotSpot;
    QShortcut *m_cancelKey;
};

} // namespace rt
