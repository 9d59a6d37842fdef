#pragma once

class QWidget;

namespace rt {

// Finishes a window built from its Designer layout, once, before it is shown. Designer
// stores whole point sizes and bold or not, while the layout also asks for sizes such
// as 9.75 points and the black weight; widgets carry those as the properties
// "pointSizeF" and "fontWeight" (100..900), applied here. The window itself may carry
// the frame and placement it opens with:
// - "borderStyle" 3, a fixed dialog frame: the window keeps the size of its layout, and
//   its title bar offers neither minimise nor maximise;
// - "startUpPosition" 1: it opens centred on its screen (kept on the screen if larger).
void finishLayout(QWidget *root);

} // namespace rt
