#include "soundevents.h"

#include "rhythm.h"

#include <cstdlib>

QList<SoundEvent> findSoundEvents(const std::vector<qint16> &samples, int threshold,
                                  qint64 minGap)
{
    QList<SoundEvent> events;
    qint64 start = -1;
    qint64 last = -1;
    for (qint64 i = 0; i < qint64(samples.size()); ++i) {
        if (std::abs(int(samples[std::size_t(i)])) > threshold) {
            if (start < 0)
                start = i;
            last = i;
        } else if (start >= 0 && i - last >= minGap) {
            events.append({start, last + 1});
            start = -1;
        }
    }
    if (start >= 0)
        events.append({start, last + 1});
    return events;
}

namespace {

QString ms(qint64 samples)
{
    return QString::number(samples * 1000.0 / rhythm::sampleRate, 'f', 1) + QStringLiteral(" ms");
}

} // namespace

QString compareSoundEvents(const QList<SoundEvent> &actual, const QList<SoundEvent> &expected,
                           qint64 tolerance)
{
    if (actual.size() != expected.size())
        return QStringLiteral("%1 sounds instead of %2").arg(actual.size()).arg(expected.size());
    if (actual.isEmpty())
        return {};
    const qint64 a0 = actual.first().start;
    const qint64 e0 = expected.first().start;
    for (int i = 0; i < actual.size(); ++i) {
        const qint64 startError = (actual[i].start - a0) - (expected[i].start - e0);
        const qint64 endError = (actual[i].end - a0) - (expected[i].end - e0);
        if (std::abs(startError) > tolerance || std::abs(endError) > tolerance)
            return QStringLiteral("sound %1 of %2 spans %3 to %4, expected %5 to %6")
                .arg(i + 1)
                .arg(actual.size())
                .arg(ms(actual[i].start - a0), ms(actual[i].end - a0),
                     ms(expected[i].start - e0), ms(expected[i].end - e0));
    }
    return {};
}
