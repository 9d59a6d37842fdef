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

// Stands in for the desktop while it lives (it installs itself): records every box and
// sound, answers the name prompt, gives the random values a test asks for, and throws
// where the program would end.
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
    // Run while a message box, or the error box, is "open".
    std::function<void(const ShownBox &)> whileBoxIsOpen;
    std::function<void(const ShownBox &)> whileErrorIsOpen;
    // The boxes open for real on the desktop, for a test to answer (they are still
    // written down; the typed name is then what the test types).
    bool realBoxes = false;
};
