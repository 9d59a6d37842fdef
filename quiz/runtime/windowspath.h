#pragma once

#include <QString>
#include <QStringList>

namespace rt {

// Turns a path the program built the Windows way into a path of this machine.
//
// The program builds its paths from a folder the system gave it (its own folder, the
// data folder) followed by names of its own (".\suoni\no.wav", "\figX.txt"). The
// folder is a path of this machine and is kept exactly as given: a folder named
// "anna." or "a\b" is that folder. Windows rules apply only to what follows it:
// backslash and slash both separate, repeated separators count as one, "." and ".."
// are worked out, a single dot ending a folder's name is dropped (so the program
// folder followed by ".\suoni\no.wav" is suoni/no.wav beside the program), and so are
// dots and blanks ending the last name. A closing separator is kept. A path that
// begins with none of the folders follows the Windows rules throughout.
QString resolvePath(const QString &windowsPath, const QStringList &systemFolders);

// The same, with the folders the runtime has handed out so far (see
// registerSystemFolder).
QString resolvePath(const QString &windowsPath);

// Remembers a folder the system gave the program, so that its name is taken as it is
// in the paths built on it.
void registerSystemFolder(const QString &folder);

} // namespace rt
