#pragma once

#include <QList>
#include <QString>

#include <vector>

// One stretch of sound between silences, in samples.
struct SoundEvent
{
    qint64 start = 0;
    qint64 end = 0; // one past the last sample above the threshold
};

// Splits samples into the sounds they hold: a sound lasts while the signal rises above
// threshold at least every minGap samples (a tone dips below it at each zero crossing).
QList<SoundEvent> findSoundEvents(const std::vector<qint16> &samples, int threshold = 200,
                                  qint64 minGap = 176);

// Empty when actual has the events of expected, each onset and offset within tolerance
// samples once both lists are shifted to start at their first onset; else what differs.
QString compareSoundEvents(const QList<SoundEvent> &actual, const QList<SoundEvent> &expected,
                           qint64 tolerance);
