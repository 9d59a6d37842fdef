#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>

#include <vector>

// Records what a PulseAudio source delivers (the monitor of the test's null sink) as
// mono 16-bit samples at 44.1 kHz, for as long as the object lives. The data comes in
// through the event loop: wait with QTest::qWait().
class MonitorRecorder
{
public:
    explicit MonitorRecorder(const QString &source);
    ~MonitorRecorder();

    // Starts parec and waits for its first data (it begins delivering well over a
    // second after launch). False, with errorText(), when none came in time.
    bool start(int timeoutMs);
    QString errorText() const { return m_error; }

    // Number of samples received so far.
    qint64 position() const { return m_data.size() / 2; }
    std::vector<qint16> samplesFrom(qint64 position) const;

private:
    QString m_source;
    QProcess m_process;
    QByteArray m_data;
    QString m_error;
};
