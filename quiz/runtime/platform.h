#pragma once

#include <QString>

#include <random>

namespace rt {

// The services of the desktop that the program reaches through the runtime: boxes,
// sound, random numbers and the end of the program. main() installs the desktop's; a
// test installs its own to answer boxes and watch sounds.
class Platform
{
public:
    virtual ~Platform();

    // The installed platform; using the runtime without one is a fault of the program.
    static Platform &current();
    // Installs the platform the runtime uses from now on (not owned); nullptr removes it.
    static void install(Platform *platform);

    // A modal box with one OK button; icon: 0 none, 48 exclamation, 64 information.
    virtual void showMessage(const QString &prompt, int buttons, const QString &title) = 0;
    // The run-time error box.
    virtual void showError(const QString &text, const QString &title) = 0;
    // A modal box with a text field; the typed text, or an empty text on cancel.
    virtual QString askText(const QString &prompt, const QString &title) = 0;
    // Starts a wave file (a native path) and returns at once.
    virtual void playSound(const QString &localPath) = 0;
    // Stops the program at once with the given exit status; it must not return.
    [[noreturn]] virtual void endProgram(int status) = 0;
    [[noreturn]] void end(int status);

    // Random numbers: the next value r, 0 <= r < 1, in single precision.
    virtual void reseed();
    virtual void reseed(float seed);
    virtual float nextRandom();

private:
    std::mt19937 m_generator;
};

// The program's title, shown by boxes that are given none.
QString applicationTitle();

} // namespace rt
