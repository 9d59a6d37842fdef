#include "optionbutton.h"

#include "colors.h"

#include <QFocusEvent>

namespace rt {

OptionButton::OptionButton(QWidget *parent) : QToolButton(parent)
{
    setCheckable(true);
    setAutoExclusive(false); // the group is ours: see setValue()
    setFocusPolicy(Qt::StrongFocus);
}

bool OptionButton::value() const
{
    return isChecked();
}

void OptionButton::setValue(bool selected)
{
    if (selected && parentWidget()) {
        const auto group = parentWidget()->findChildren<OptionButton *>(Qt::FindDirectChildrenOnly);
        for (OptionButton *other : group)
            if (other != this)
                other->setChecked(false);
    }
    setChecked(selected);
}

void OptionButton::setBackColor(quint32 color)
{
    QPalette p = palette();
    p.setColor(QPalette::Button, toColor(color));
    setPalette(p);
}

void OptionButton::setForeColor(quint32 color)
{
    QPalette p = palette();
    p.setColor(QPalette::ButtonText, toColor(color));
    setPalette(p);
}

void OptionButton::nextCheckState()
{
    // A click always selects, also on the button already selected.
    setValue(true);
}

void OptionButton::focusInEvent(QFocusEvent *event)
{
    QToolButton::focusInEvent(event);
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        emit gotFocus();
}

} // namespace rt
