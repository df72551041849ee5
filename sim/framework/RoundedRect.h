#pragma once
// Rounded rectangles for paths (instrument cases, the counter box).
#include "sim/framework/DrawingContext.h"

// Appends one figure to `path`: the rectangle (x, y, w, h) with each corner
// a quarter circle of radius r, traced clockwise from the top edge. The
// figure is left open; its last arc ends where its first line starts.
void addRoundedRect(DrawPath &path, float x, float y, float w, float h, float r);
