#include "soundplayer.h"

#include <QFile>
#include <QtEndian>

#include <canberra.h>

namespace rt {

namespace {

// Every sound is played under this one id, so that cancelling it stops whatever plays.
constexpr uint32_t soundId = 1;

// True when the file is a RIFF wave whose sample data is all there. A damaged file is
// kept silent rather than played in part: a note cut short would sound like another
// note value and mislead the pupil.
bool isCompleteWave(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = file.size();
    const QByteArray riff = file.read(12);
    if (riff.size() != 12 || !riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE")
        return false;
    bool format = false;
    for (qint64 pos = 12; pos + 8 <= size;) {
        if (!file.seek(pos))
            return false;
        const QByteArray header = file.read(8);
        if (header.size() != 8)
            return false;
        const qint64 length = qFromLittleEndian<quint32>(header.constData() + 4);
        if (header.startsWith("fmt "))
            format = true;
        else if (header.startsWith("data"))
            return format && length > 0 && pos + 8 + length <= size;
        pos += 8 + length + (length & 1);
    }
    return false;
}

// Errors that concern the file, not the connection to the audio server.
bool isFileError(int error)
{
    return error == CA_ERROR_NOTFOUND || error == CA_ERROR_CORRUPT || error == CA_ERROR_IO
        || error == CA_ERROR_NOTSUPPORTED || error == CA_ERROR_ACCESS || error == CA_ERROR_TOOBIG;
}

} // namespace

// libcanberra plays each file on a stream of its own and feeds it from the library's own
// thread, so play() returns as soon as the stream exists. Qt's QSoundEffect was not used:
// in Qt 6.4 it drops the end of every sound and goes silent on some replays.
struct SoundPlayer::Private
{
    ca_context *context = nullptr;

    // Connects to the audio server on warmUp() or the first play, not at construction,
    // so that the window never waits for the server. Without a server this fails in
    // well under a millisecond (a few the very first time), so it is simply tried again
    // on the next play: sound comes back if the server starts later.
    bool open()
    {
        if (context)
            return true;
        if (ca_context_create(&context) != CA_SUCCESS) {
            context = nullptr;
            return false;
        }
        ca_context_change_props(context, CA_PROP_APPLICATION_NAME, "Velmora", nullptr);
        if (ca_context_open(context) != CA_SUCCESS) {
            close();
            return false;
        }
        return true;
    }

    void close()
    {
        if (context)
            ca_context_destroy(context);
        context = nullptr;
    }
};

SoundPlayer::SoundPlayer()
    : d(std::make_unique<Private>())
{
}

SoundPlayer::~SoundPlayer()
{
    d->close();
}

void SoundPlayer::play(const QString &localPath)
{
    stop();
    if (!isCompleteWave(localPath) || !d->open())
        return;
    const QByteArray file = QFile::encodeName(localPath);
    // Without a role libcanberra marks the stream as an "event", which desktops route
    // through the alert volume that many people turn down; these sounds are the quiz.
    const int result = ca_context_play(d->context, soundId, CA_PROP_MEDIA_FILENAME,
                                       file.constData(), CA_PROP_MEDIA_ROLE, "music",
                                       CA_PROP_CANBERRA_CACHE_CONTROL, "never", nullptr);
    // A lost connection (the server restarted) is opened afresh on the next play.
    if (result != CA_SUCCESS && !isFileError(result))
        d->close();
}

void SoundPlayer::warmUp()
{
    d->open();
}

void SoundPlayer::stop()
{
    if (d->context)
        ca_context_cancel(d->context, soundId);
}

} // namespace rt
