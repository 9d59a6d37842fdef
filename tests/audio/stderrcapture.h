#pragma once

#include <QByteArray>
#include <QTemporaryFile>

// While it lives, everything written to file descriptor 2 (by this process and the
// libraries it uses, from any thread) goes into a temporary file instead of the terminal.
class StderrCapture
{
public:
    StderrCapture();
    ~StderrCapture();

    StderrCapture(const StderrCapture &) = delete;
    StderrCapture &operator=(const StderrCapture &) = delete;

    // Restores file descriptor 2 and returns what was written meanwhile.
    QByteArray finish();

private:
    QTemporaryFile m_file;
    int m_saved = -1;
};
