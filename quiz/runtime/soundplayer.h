#pragma once

#include <QString>

#include <memory>
#include <thread>

namespace rt {

// Plays wave files on the desktop's audio server, one at a time, from a thread of its own.
//
// play() hands the path over and returns at once, whatever the server or the file does:
// the server may be missing, hung or slow, the file huge, damaged or a pipe. The sounds
// start in the order they were asked for; a new one cuts short the one playing, and one
// still waiting when a newer comes is dropped. A file that is missing or not a complete
// wave, or a machine without an audio server, gives silence: no message, no hang.
class SoundPlayer
{
public:
    SoundPlayer();
    // Never waits on the audio server: a sound thread that is stuck in a call to it is
    // left to finish alone.
    ~SoundPlayer();

    SoundPlayer(const SoundPlayer &) = delete;
    SoundPlayer &operator=(const SoundPlayer &) = delete;

    // localPath is a native path of this machine (already resolved).
    void play(const QString &localPath);
    void stop();

    // Connects to the audio server now, on the sound thread, rather than on the first
    // play(), which then starts without the 30-70 ms that loading the audio driver takes.
    void warmUp();

private:
    struct Shared;
    std::shared_ptr<Shared> d;
    std::thread m_thread;
};

} // namespace rt
