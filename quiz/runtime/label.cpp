#include "label.h"

#include <QEvent>

namespace rt {

Label::Label(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

QString Label::caption() const
{
    return m_captionSet ? m_caption : text();
}

void Label::setCaption(const QString &caption)
{
    m_caption = caption;
    m_captionSet = true;
    // CR LF, or a lone CR, breaks the line as it does in a file.
    QString shown = caption;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    setText(shown);
    fitCaption();
}

bool Label::autoSize() const
{
    return m_autoSize;
}

void Label::setAutoSize(bool on)
{
    m_autoSize = on;
}

bool Label::event(QEvent *event)
{
    const bool handled = QLabel::event(event);
    if (event->type() == QEvent::Polish)
        fitCaption();
    return handled;
}

void Label::fitCaption()
{
    if (m_autoSize)
        resize(sizeHint());
}

} // namespace rt
