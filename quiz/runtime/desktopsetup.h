#pragma once

class QApplication;

namespace rt {

// The program's identity, its Italian dialogs and the fonts of its layout, set up once
// before any window is made.
void setUpDesktop(QApplication &app);

// The layout names fonts this desktop lacks; each is drawn with its nearest equivalent.
void installFontSubstitutes();

} // namespace rt
