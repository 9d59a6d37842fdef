#pragma once

#include "runtime/platform.h"

// Thrown where the program would end, so one input's run-time error does not stop the run.
struct ProgramEnd
{
    int status;
};

// Stands in for the desktop: no box is shown and the end of the program is thrown.
class ThrowingPlatform : public rt::Platform
{
public:
    void showMessage(const QString &, int, const QString &) override {}
    void showError(const QString &, const QString &) override {}
    QString askText(const QString &, const QString &) override { return {}; }
    void playSound(const QString &) override {}
    [[noreturn]] void endProgram(int status) override;
};
