#pragma once

class QWidget;

namespace rt {

// Designer stores whole point sizes and bold or not; the layout also asks for sizes such
// as 9.75 points and the black weight. Widgets carry those as the properties
// "pointSizeF" and "fontWeight" (100..900), applied here once after the layout is built.
void applyLayoutFonts(QWidget *root);

} // namespace rt
