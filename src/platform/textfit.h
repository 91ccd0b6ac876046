#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace app {

// Shows stored text, always as plain text, in a label of fixed size: the font shrinks a pixel at a
// time from the label's own size down to minPixelSize until the text fits (wrapped for a
// word-wrapping label, on one line otherwise); what still does not fit is elided and the whole
// text becomes the tooltip, so nothing is cut silently.
void fitText(QLabel* label, const QString& text, int minPixelSize = 12);

// Once after setupUi: fonts in the .ui files are given in pixels through the dynamic property
// "pixelSize" (a .ui font has only a point size), and a design text that would not fit its label
// in the face that stands in for the Windows font is fitted when the window is first shown.
void fitWindowTexts(QWidget* window);

} // namespace app
