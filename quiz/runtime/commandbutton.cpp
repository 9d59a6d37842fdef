#include "commandbutton.h"

#include "mousepointer.h"

#include <QShortcut>

namespace rt {

CommandButton::CommandButton(QWidget *parent)
    : QToolButton(parent), m_cancelKey(new QShortcut(QKeySequence(Qt::Key_Escape), this))
{
    setFocusPolicy(Qt::StrongFocus);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    // A shortcut of its own, not the button's, which every new caption would reset. It
    // works across the button's window, only while the button is visible and enabled,
    // and pressing the button this way does not move the focus.
    m_cancelKey->setEnabled(false);
    connect(m_cancelKey, &QShortcut::activated, this, [this] { animateClick(); });
}

QPixmap CommandButton::mouseIcon() const
{
    return m_mouseIcon;
}

void CommandButton::setMouseIcon(const QPixmap &picture)
{
    m_mouseIcon = picture;
    rt::setMouseIcon(this, m_mouseIcon, m_mouseIconHotSpot);
}

QPoint CommandButton::mouseIconHotSpot() const
{
    return m_mouseIconHotSpot;
}

void CommandButton::setMouseIconHotSpot(QPoint hotSpot)
{
    m_mouseIconHotSpot = hotSpot;
    rt::setMouseIcon(this, m_mouseIcon, m_mouseIconHotSpot);
}

bool CommandButton::isCancel() const
{
    return m_cancelKey->isEnabled();
}

void CommandButton::setCancel(bool on)
{
    m_cancelKey->setEnabled(on);
}

} // namespace rt
