#pragma once

#include <QToolButton>

namespace rt {

// A command button in graphical style: its picture above its caption, on its own
// colour, with a mouse pointer of its own.
class CommandButton : public QToolButton
{
    Q_OBJECT
    Q_PROPERTY(QPixmap mouseIcon READ mouseIcon WRITE setMouseIcon)

public:
    explicit CommandButton(QWidget *parent = nullptr);

    QPixmap mouseIcon() const;
    void setMouseIcon(const QPixmap &picture);

private:
    QPixmap m_mouseIcon;
};

} // namespace rt
