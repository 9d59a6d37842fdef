#pragma once

#include <QString>

namespace rt {

// The desktop's modal boxes, over the active window.

// A box with one OK button; its icon from the buttons value: 0 none, 16 critical,
// 32 question, 48 exclamation, 64 information.
void showDesktopMessage(const QString &prompt, int buttons, const QString &title);
// A box with a text field: the typed text, or an empty text on cancel.
QString askDesktopText(const QString &prompt, const QString &title);

} // namespace rt
