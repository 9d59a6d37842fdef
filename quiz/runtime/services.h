#pragma once

// The runtime's services as the window's code calls them.

#include "filetable.h"
#include "integer.h"

#include <QString>

namespace rt {

// Modal boxes. Buttons: 0 OK, 48 OK with exclamation, 64 OK with information.
void MsgBox(const QString &prompt, int buttons);  // titled with the program's title
void MsgBox(const QString &prompt, int buttons, const QString &title);
QString InputBox(const QString &prompt, const QString &title);

// Random numbers.
void Randomize();              // from the clock
void Randomize(float seed);
float Rnd();                   // 0 <= r < 1

// Seconds since midnight, with their fraction.
float Clock();
// Today's date in the system's short date form.
QString Date();

// The folder that holds the program, with no closing separator but at the root.
QString AppPath();

// Files by number (see FileTable).
Integer FreeFile();
void Open(const QString &path, OpenMode mode, Integer number);
void Close(Integer number);
qint64 LOF(Integer number);
QString Input(qint64 count, Integer number);
void PrintLine(Integer number, const QString &text);

// Plays a wave file. Only the asynchronous, no-default-sound way is offered: the call
// returns at once, a new sound cuts short the one playing, a sound that cannot be
// played is silence.
constexpr int SND_ASYNC = 0x0001;
constexpr int SND_NODEFAULT = 0x0002;
int sndPlaySound(const QString &path, int flags);

// The desktop's folder for the program's lasting files, created when missing.
QString GetWindowsDirectory();

// Ends the program at once with status 0; nothing after it runs.
[[noreturn]] void End();

} // namespace rt
