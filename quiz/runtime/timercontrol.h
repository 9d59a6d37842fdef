#pragma once

#include <QObject>
#include <QTimer>

namespace rt {

// A timer as the window has it: while Enabled it gives timer() every Interval ms.
class TimerControl : public QObject
{
    Q_OBJECT

public:
    explicit TimerControl(int interval, bool enabled, QObject *parent = nullptr);

    bool isEnabled() const;
    void setEnabled(bool enabled);
    int interval() const;

signals:
    void timer();

private:
    QTimer m_timer;
};

} // namespace rt
