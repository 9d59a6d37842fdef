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
    ~TimerControl() override;

    bool isEnabled() const;
    void setEnabled(bool enabled);
    int interval() const;

    // Disables every timer of the program: a run-time error does it before its box shows,
    // so that no tick runs a handler behind the box.
    static void disableAll();

signals:
    void timer();

private:
    QTimer m_timer;
};

} // namespace rt
