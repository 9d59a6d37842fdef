#include "wavesamples.h"

#include "rhythm.h"

#include <QFile>
#include <QtEndian>

std::vector<qint16> readWaveSamples(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return {};
    bool pcm16Mono = false;
    for (qsizetype pos = 12; pos + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(pos, 4);
        const qsizetype length = qFromLittleEndian<quint32>(bytes.constData() + pos + 4);
        const char *body = bytes.constData() + pos + 8;
        if (pos + 8 + length > bytes.size())
            return {};
        if (id == "fmt " && length >= 16)
            pcm16Mono = qFromLittleEndian<quint16>(body) == 1
                        && qFromLittleEndian<quint16>(body + 2) == 1
                        && qFromLittleEndian<quint32>(body + 4) == quint32(rhythm::sampleRate)
                        && qFromLittleEndian<quint16>(body + 14) == 16;
        if (id == "data") {
            if (!pcm16Mono)
                return {};
            std::vector<qint16> samples(std::size_t(length / 2));
            for (std::size_t i = 0; i < samples.size(); ++i)
                samples[i] = qFromLittleEndian<qint16>(body + 2 * i);
            return samples;
        }
        pos += 8 + length + (length & 1);
    }
    return {};
}
