#pragma once
// The colour of light of one wavelength, for drawing beams and lines.
#include <QRgb>

// Opaque; a linear blend through violet, blue, cyan, green, yellow and red
// from 380 to 645 nm, red up to 780 nm, black outside 380 to 780 nm. Each
// channel is its fraction of 255, truncated.
QRgb wavelengthColour(float nanometres);
