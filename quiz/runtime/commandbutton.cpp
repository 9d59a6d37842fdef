#include "commandbutton.h"

#include "mousepointer.h"

namespace rt {

CommandButton::CommandButton(QWidget *parent) : QToolButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
}

QPixmap CommandButton::mouseIcon() const
{
    return m_mouseIcon;
}

void CommandButton::setMouseIcon(const QPixmap &picture)
{
    m_mouseIcon = picture;
    rt::setMouseIcon(this, picture);
}

} // namespace rt
