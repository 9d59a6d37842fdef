#include "fakeplatform.h"

FakePlatform::FakePlatform()
{
    rt::Platform::install(this);
}

FakePlatform::~FakePlatform()
{
    rt::Platform::install(nullptr);
}

void FakePlatform::showMessage(const QString &prompt, int buttons, const QString &title)
{
    const ShownBox box{prompt, buttons, title};
    boxes.append(box);
    if (whileBoxIsOpen)
        whileBoxIsOpen(box);
}

void FakePlatform::showError(const QString &text, const QString &title)
{
    errors.append({text, 16, title});
}

QString FakePlatform::askText(const QString &prompt, const QString &title)
{
    prompts.append({prompt, 0, title});
    return typedName;
}

void FakePlatform::playSound(const QString &localPath)
{
    sounds.append(localPath);
}

void FakePlatform::endProgram(int status)
{
    throw ProgramEnded{status};
}

float FakePlatform::nextRandom()
{
    if (!randomValues.isEmpty())
        return randomValues.takeFirst();
    return rt::Platform::nextRandom();
}
