#include "monitorrecorder.h"

#include "rhythm.h"

#include <QDeadlineTimer>
#include <QTest>

#include <cstring>

MonitorRecorder::MonitorRecorder(const QString &source)
    : m_source(source)
{
    QObject::connect(&m_process, &QProcess::readyReadStandardOutput, &m_process,
                     [this] { m_data += m_process.readAllStandardOutput(); });
}

MonitorRecorder::~MonitorRecorder()
{
    m_process.kill();
    m_process.waitForFinished(2000);
}

bool MonitorRecorder::start(int timeoutMs)
{
    // A short latency keeps the null sink rendering in small blocks, so that a sound
    // starts and stops on the monitor within a few milliseconds of the call.
    m_process.start(QStringLiteral("parec"),
                    {QStringLiteral("--device=") + m_source, QStringLiteral("--latency-msec=10"),
                     QStringLiteral("--raw"), QStringLiteral("--format=s16le"),
                     QStringLiteral("--rate=%1").arg(rhythm::sampleRate),
                     QStringLiteral("--channels=1")});
    if (!m_process.waitForStarted(5000)) {
        m_error = QStringLiteral("parec did not start: ") + m_process.errorString();
        return false;
    }
    const QDeadlineTimer deadline(timeoutMs);
    while (m_data.isEmpty() && !deadline.hasExpired()
           && m_process.state() == QProcess::Running)
        QTest::qWait(20);
    if (m_data.isEmpty()) {
        m_error = QStringLiteral("no data from %1: %2")
                      .arg(m_source, QString::fromLocal8Bit(m_process.readAllStandardError()));
        return false;
    }
    return true;
}

std::vector<qint16> MonitorRecorder::samplesFrom(qint64 position) const
{
    const qint64 count = qMax<qint64>(0, this->position() - position);
    std::vector<qint16> samples(static_cast<std::size_t>(count));
    if (count > 0)
        std::memcpy(samples.data(), m_data.constData() + position * 2, count * 2);
    return samples;
}
