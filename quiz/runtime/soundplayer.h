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

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace rt
