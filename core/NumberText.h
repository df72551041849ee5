#pragma once
// Numbers as the windows' captions and printed lines show them.
#include <QString>

// A number with exactly two decimals and the user's decimal separator
// ("%f" of the captions); a negative number keeps its minus sign.
QString formatFixed2(double value);
