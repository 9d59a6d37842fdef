#pragma once

#include "runtime/platform.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The program's end, as a test sees it: thrown where the program would stop.
struct ProgramEnded
{
    int status;
};

struct ShownBox
{
    QString prompt;
    int buttons;
    QString title;
};

// Stands in for the desktop while installed: records every box and sound, answers
// the name prompt, and gives the random values a test asks for.
class FakePlatform : public rt::Platform
{
public:
    FakePlatform();
    ~FakePlatform() override;

    void showMessage(const QString &prompt, int buttons, const QString &title) override;
    void showError(const QString &text, const QString &title) override;
    QString askText(const QString &prompt, const QString &title) override;
    void playSound(const QString &localPath) override;
    [[noreturn]] void endProgram(int status) override;
    float nextRandom() override;

    QList<ShownBox> boxes;
    QList<ShownBox> errors;
    QList<ShownBox> prompts;
    QStringList sounds;
    QString typedName;
    QList<float> randomValues;       // used first to last; then the real generator
    std::function<void(const ShownBox &)> whileBoxIsOpen;
};
