#include "wavesamples.h"

#include "rhythm.h"

#include "runtime/wavefile.h"

#include <QFile>

std::vector<qint16> readWaveSamples(const QString &path)
{
    rt::WaveFormat format;
    std::vector<qint16> samples = rt::readWaveSamples16(QFile::encodeName(path).toStdString(), &format);
    if (format.channels != 1 || format.sampleRate != quint32(rhythm::sampleRate))
        return {};
    return samples;
}
