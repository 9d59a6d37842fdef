#pragma once

#include <QString>

namespace rt {

// Turns a path written the Windows way into a path of this machine. Backslash and
// slash both separate, repeated separators count as one, "." and ".." are worked
// out, and a single dot ending a folder's name is dropped (so the program folder
// followed by ".\suoni\no.wav" is suoni/no.wav beside the program), as are dots and
// blanks ending the last name. A closing separator is kept.
QString resolvePath(const QString &windowsPath);

} // namespace rt
