#include "soundplayer.h"

#include "wavefile.h"

#include <QFile>

#include <canberra.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <utility>

namespace rt {

namespace {

// Every sound is played under this one id, so that cancelling it stops whatever plays.
constexpr uint32_t soundId = 1;

// How long the destructor gives the sound thread to end before leaving it to end alone.
constexpr auto shutdownWait = std::chrono::milliseconds(250);

// Errors that concern the file, not the connection to the audio server.
bool isFileError(int error)
{
    return error == CA_ERROR_NOTFOUND || error == CA_ERROR_CORRUPT || error == CA_ERROR_IO
        || error == CA_ERROR_NOTSUPPORTED || error == CA_ERROR_ACCESS || error == CA_ERROR_TOOBIG;
}

} // namespace

// What the caller and the sound thread share. The caller only ever holds the mutex to
// leave a request; the sound thread never holds it while it talks to the server.
struct SoundPlayer::Shared
{
    enum class Ask { Nothing, Connect, Play, Stop };

    std::mutex mutex;
    std::condition_variable changed;
    Ask ask = Ask::Nothing;   // the newest request not yet taken; it replaces an older one
    std::string path;         // of a Play
    bool quit = false;
    bool finished = false;    // the sound thread has let go of the server

    void leave(Ask request, std::string file = {})
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            ask = request;
            path = std::move(file);
        }
        changed.notify_all();
    }

    bool superseded()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return ask != Ask::Nothing || quit;
    }

    void run();
};

namespace {

// The sound thread's connection to the audio server. libcanberra plays each file on a
// stream of its own and feeds it from the library's own thread. Qt's QSoundEffect was
// not used: in Qt 6.4 it drops the end of every sound and goes silent on some replays.
class Connection
{
public:
    ~Connection() { close(); }

    // Opened on warm-up or the first play, and tried again at the next play when it
    // fails: sound comes back when the server starts later. Against a hung server this
    // waits, up to the client library's 30 s, on this thread alone.
    bool open()
    {
        if (m_context)
            return true;
        if (ca_context_create(&m_context) != CA_SUCCESS) {
            m_context = nullptr;
            return false;
        }
        ca_context_change_props(m_context, CA_PROP_APPLICATION_NAME, "Velmora", nullptr);
        if (ca_context_open(m_context) != CA_SUCCESS) {
            close();
            return false;
        }
        return true;
    }

    void close()
    {
        if (m_context)
            ca_context_destroy(m_context);
        m_context = nullptr;
    }

    void cancel()
    {
        if (m_context)
            ca_context_cancel(m_context, soundId);
    }

    int play(const std::string &file)
    {
        // Without a role libcanberra marks the stream as an "event", which desktops route
        // through the alert volume that many people turn down; these sounds are the quiz.
        return ca_context_play(m_context, soundId, CA_PROP_MEDIA_FILENAME, file.c_str(),
                               CA_PROP_MEDIA_ROLE, "music", CA_PROP_CANBERRA_CACHE_CONTROL,
                               "never", nullptr);
    }

private:
    ca_context *m_context = nullptr;
};

} // namespace

void SoundPlayer::Shared::run()
{
    Connection connection;
    for (;;) {
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait(lock, [this] { return quit || ask != Ask::Nothing; });
        if (quit)
            break;
        const Ask taken = std::exchange(ask, Ask::Nothing);
        const std::string file = std::move(path);
        lock.unlock();

        if (taken == Ask::Connect) {
            connection.open();
            continue;
        }
        connection.cancel(); // a new sound, or silence, cuts short the one playing
        WaveLayout layout;
        if (taken == Ask::Stop || !readWaveLayout(file, layout) || !connection.open())
            continue;
        if (superseded()) // while the server was slow to answer: the newer one would cut it
            continue;
        const int result = connection.play(file);
        // A lost connection (the server restarted) is opened afresh on the next play.
        if (result != CA_SUCCESS && !isFileError(result))
            connection.close();
    }
    connection.close();
    {
        std::lock_guard<std::mutex> lock(mutex);
        finished = true;
    }
    changed.notify_all();
}

SoundPlayer::SoundPlayer()
    : d(std::make_shared<Shared>())
{
    // The thread holds its own share, so that it can outlive a player it was left by.
    m_thread = std::thread([shared = d] { shared->run(); });
}

SoundPlayer::~SoundPlayer()
{
    std::unique_lock<std::mutex> lock(d->mutex);
    d->quit = true;
    d->changed.notify_all();
    const bool ended = d->changed.wait_for(lock, shutdownWait, [this] { return d->finished; });
    lock.unlock();
    if (ended)
        m_thread.join();
    else
        m_thread.detach();
}

void SoundPlayer::play(const QString &localPath)
{
    d->leave(Shared::Ask::Play, QFile::encodeName(localPath).toStdString());
}

void SoundPlayer::stop()
{
    d->leave(Shared::Ask::Stop);
}

void SoundPlayer::warmUp()
{
    std::lock_guard<std::mutex> lock(d->mutex);
    if (d->ask == Shared::Ask::Nothing) { // a waiting sound connects anyway
        d->ask = Shared::Ask::Connect;
        d->changed.notify_all();
    }
}

} // namespace rt
