#include "fakeplatform.h"

#include "runtime/desktopboxes.h"

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
    if (realBoxes)
        rt::showDesktopMessage(prompt, buttons, title);
    else if (whileBoxIsOpen)
        whileBoxIsOpen(box);
}

void FakePlatform::showError(const QString &text, const QString &title)
{
    const ShownBox box{text, 16, title};
    errors.append(box);
    if (realBoxes)
        rt::showDesktopMessage(text, 16, title);
    else if (whileErrorIsOpen)
        whileErrorIsOpen(box);
}

QString FakePlatform::askText(const QString &prompt, const QString &title)
{
    prompts.append({prompt, 0, title});
    return realBoxes ? rt::askDesktopText(prompt, title) : typedName;
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
