#include "optionbutton.h"

#include "colors.h"

#include <QFocusEvent>
#include <QStyleOptionToolButton>
#include <QStylePainter>

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

void OptionButton::paintEvent(QPaintEvent *)
{
    // The caption sits at the bottom; the picture is centred in the room above it and
    // cut where it does not fit, rather than pushing the caption out of the button.
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawComplexControl(QStyle::CC_ToolButton, option);

    const int margin = style()->pixelMetric(QStyle::PM_ButtonMargin, &option, this) / 2 + 1;
    const QRect inside = rect().adjusted(margin, margin, -margin, -margin);
    const int captionHeight = fontMetrics().height();
    const QRect captionArea(inside.left(), inside.bottom() - captionHeight + 1, inside.width(), captionHeight);
    const QRect pictureArea(inside.left(), inside.top(), inside.width(), inside.height() - captionHeight);

    const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
    const QPixmap picture = icon().pixmap(iconSize(), devicePixelRatio(), mode);
    if (!picture.isNull()) {
        const QSize size = picture.deviceIndependentSize().toSize();
        QRect target(QPoint(), size);
        target.moveCenter(pictureArea.center());
        painter.save();
        painter.setClipRect(pictureArea);
        painter.drawPixmap(target, picture);
        painter.restore();
    }
    painter.drawItemText(captionArea, Qt::AlignCenter | Qt::TextSingleLine, palette(), isEnabled(), text(),
                         QPalette::ButtonText);
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
