#pragma once

#include <QFont>

namespace kvt {

// The pixel size of the console's window font (8 points at 96 dots per inch).
constexpr int kWindowFontPixels = 11;

// The fonts of the console's windows. Both come with the fonts the setup installs
// (fonts-urw-base35): Nimbus Sans, a Helvetica of Arial's widths, and its narrow cut for the
// narrow left panel of the main window; the usual metric twins stand in where they are missing.
QFont WindowFont(int pixelSize = kWindowFontPixels, bool bold = false);
QFont NarrowWindowFont(int pixelSize = kWindowFontPixels, bool bold = false);

// The largest pixel size, up to the font's own, at which a line of the font fits `height`.
int FittingPixelSize(QFont font, int height);

} // namespace kvt
