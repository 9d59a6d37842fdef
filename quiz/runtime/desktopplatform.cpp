#include "desktopplatform.h"

#include "desktopboxes.h"
#include "soundplayer.h"

#include <cstdio>
#include <cstdlib>

namespace rt {

namespace {

// Long enough for the first box to be on screen, far shorter than anyone types a name.
constexpr int warmUpDelayMs = 150;

} // namespace

DesktopPlatform::DesktopPlatform()
{
    // Loading the audio driver takes tens of milliseconds. The sound thread does it while
    // the first box waits for the player, after the box has come up, so that it slows
    // neither the box nor the first note.
    m_warmUp.setSingleShot(true);
    m_warmUp.callOnTimeout([this] { sound().warmUp(); });
    m_warmUp.start(warmUpDelayMs);
}

DesktopPlatform::~DesktopPlatform() = default;

void DesktopPlatform::showMessage(const QString &prompt, int buttons, const QString &title)
{
    showDesktopMessage(prompt, buttons, title);
}

void DesktopPlatform::showError(const QString &text, const QString &title)
{
    showDesktopMessage(text, 16, title);
}

QString DesktopPlatform::askText(const QString &prompt, const QString &title)
{
    return askDesktopText(prompt, title);
}

void DesktopPlatform::playSound(const QString &localPath)
{
    sound().play(localPath);
}

SoundPlayer &DesktopPlatform::sound()
{
    if (!m_sound)
        m_sound = std::make_unique<SoundPlayer>();
    return *m_sound;
}

void DesktopPlatform::endProgram(int status)
{
    // At once, from however deep in nested dialogs: no destructor and no event runs, and
    // nothing waits for the sound thread.
    std::fflush(nullptr);
    std::_Exit(status);
}

} // namespace rt
