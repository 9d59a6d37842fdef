#pragma once

#include "platform.h"

#include <QTimer>

#include <memory>

namespace rt {

class SoundPlayer;

// The platform of the running program: Qt's modal dialogs, the audio server, exit.
// main() installs it.
class DesktopPlatform : public Platform
{
public:
    DesktopPlatform();
    ~DesktopPlatform() override;

    void showMessage(const QString &prompt, int buttons, const QString &title) override;
    void showError(const QString &text, const QString &title) override;
    QString askText(const QString &prompt, const QString &title) override;
    void playSound(const QString &localPath) override;
    [[noreturn]] void endProgram(int status) override;

private:
    SoundPlayer &sound();

    std::unique_ptr<SoundPlayer> m_sound;
    QTimer m_warmUp; // goes with the platform, and its call with it
};

} // namespace rt
