#include "timercontrol.h"

#include <QList>

namespace rt {

namespace {
// Every timer that exists; they live on the window's thread alone.
QList<TimerControl *> &timers()
{
    static QList<TimerControl *> all;
    return all;
}
} // namespace

TimerControl::TimerControl(int interval, bool enabled, QObject *parent) : QObject(parent)
{
    // A coarse timer drifts by some percent; the countdown should keep to the second.
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(interval);
    connect(&m_timer, &QTimer::timeout, this, &TimerControl::timer);
    setEnabled(enabled);
    timers().append(this);
}

TimerControl::~TimerControl()
{
    timers().removeOne(this);
}

void TimerControl::disableAll()
{
    for (TimerControl *timer : timers())
        timer->setEnabled(false);
}

bool TimerControl::isEnabled() const
{
    return m_timer.isActive();
}

void TimerControl::setEnabled(bool enabled)
{
    if (!enabled)
        m_timer.stop();
    else if (!m_timer.isActive())
        m_timer.start();
}

int TimerControl::interval() const
{
    return m_timer.interval();
}

} // namespace rt
