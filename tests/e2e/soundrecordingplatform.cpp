#include "soundrecordingplatform.h"

void SoundRecordingPlatform::playSound(const QString &localPath)
{
    sounds.append(localPath);
}

void SoundRecordingPlatform::endProgram(int status)
{
    throw ProgramEnded{status};
}
