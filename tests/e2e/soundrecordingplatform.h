#pragma once

#include "fakeplatform.h"   // ProgramEnded

#include "runtime/desktopplatform.h"

#include <QStringList>

// The desktop as the program has it (real modal boxes on a real window manager), except
// that sounds are only written down and the end of the program is thrown.
class SoundRecordingPlatform : public rt::DesktopPlatform
{
public:
    void playSound(const QString &localPath) override;
    [[noreturn]] void endProgram(int status) override;

    QStringList sounds;
};
