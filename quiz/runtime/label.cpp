#include "label.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace rt {

namespace {

// Calls visit(line) for each line of text, in order, while visit returns true. CR LF, a
// lone CR and a lone LF each end a line, as they do in a file; the text after the last
// line end is a line too, empty or not.
template <typename Visit>
void forEachLine(QStringView text, Visit visit)
{
    const char16_t *const end = text.utf16() + text.size();
    const char16_t *start = text.utf16();
    for (const char16_t *p = start; p != end; ++p) {
        if (*p != u'\r' && *p != u'\n')
            continue;
        if (!visit(QStringView(start, p)))
            return;
        if (*p == u'\r' && p + 1 != end && p[1] == u'\n')
            ++p;
        start = p + 1;
    }
    visit(QStringView(start, end));
}

} // namespace

Label::Label(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

QString Label::caption() const
{
    return text();
}

void Label::setCaption(const QString &caption)
{
    setText(caption);
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
    if (event->type() == QEvent::Polish || event->type() == QEvent::FontChange)
        fitCaption();
    return handled;
}

void Label::fitCaption()
{
    if (m_autoSize)
        resize(sizeHint());
}

QSize Label::sizeHint() const
{
    const QFontMetricsF metrics(font());
    qint64 lines = 0;
    qreal width = 0;
    forEachLine(caption(), [&](QStringView line) {
        ++lines;
        if (!line.isEmpty())
            width = std::max(width, metrics.horizontalAdvance(line.toString()));
        return true;
    });
    const QFontMetrics whole(font());
    const qint64 height = lines * whole.lineSpacing() - whole.leading();
    const int border = 2 * frameWidth();
    return {int(std::ceil(width)) + border, int(std::min<qint64>(height + border, QWIDGETSIZE_MAX))};
}

QSize Label::minimumSizeHint() const
{
    return sizeHint();
}

void Label::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    drawFrame(&painter);

    const QRect area = contentsRect();
    const int flags = Qt::AlignTop | Qt::TextSingleLine | int(alignment() & Qt::AlignHorizontal_Mask);
    const int step = fontMetrics().lineSpacing();
    const int lastRow = std::min(area.bottom(), event->rect().bottom());
    int top = area.top();
    forEachLine(caption(), [&](QStringView line) {
        if (top > lastRow)
            return false;
        if (!line.isEmpty()) {
            const QRect rest(area.left(), top, area.width(), area.bottom() + 1 - top);
            style()->drawItemText(&painter, rest, flags, palette(), isEnabled(), line.toString(), foregroundRole());
        }
        top += step;
        return true;
    });
}

} // namespace rt
