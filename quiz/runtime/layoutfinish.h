#pragma once

class QWidget;

namespace rt {

// Finishes a window built from its Designer layout, once, before it is used. Designer
// stores whole point sizes and bold or not, while the layout also asks for sizes such
// as 9.75 points and the black weight; widgets carry those as the properties
// "pointSizeF" and "fontWeight" (100..900), applied here.
void finishLayout(QWidget *root);

} // namespace rt
