#pragma once

#include <QString>

#include <memory>

namespace rt {

// Plays wave files on the desktop's audio server, one at a time.
//
// play() starts a file and returns at once while it plays on; a sound that is still
// playing is cut short by the next one. A file that is missing, a folder that is
// missing, a file that is not a wave file, or a machine without an audio server all
// give silence: no message, no hang, no crash.
class SoundPlayer
{
public:
    SoundPlayer();
    ~SoundPlayer();

    SoundPlayer(const SoundPlayer &) = delete;
    SoundPlayer &operator=(const SoundPlayer &) = delete;

    // localPath is a native path of this machine (already resolved).
    void play(const QString &localPath);
    void stop();

    // Connects to the audio server now rather than on the first play(), which then
    // starts without the 30-70 ms that loading the audio driver takes. Call it once the
    // window is up (for example from a zero-time QTimer); it is optional.
    void warmUp();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace rt
