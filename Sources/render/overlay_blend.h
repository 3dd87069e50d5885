// Translucent overlay blits and screen line clipping.
//
// The menus blend some pictures, and the pointer, onto the work surface
// through a level map: one byte per picture pixel, 0 showing the picture
// alone, 100 leaving the background, the levels between mixing the two
// through the blend tables (BlendRed, BlendGreen, BlendBlue).
#pragma once

// Blends a width x height rectangle of BlendSource, from pixel index
// sourceStart (rows sourcePitch pixels apart), onto BlendTarget (640 pixels
// a row) with its corner at (x, y).  The level of source pixel s is
// MenuGfxBuffer[levelOffset + s - 1].  The caller has locked both, clipped
// the rectangle to 640 x 480 and folded what was cut off into sourceStart.
void BlendOverlay555(int x, int y, int width, int height, int sourcePitch, int levelOffset, int sourceStart);
void BlendOverlay565(int x, int y, int width, int height, int sourcePitch, int levelOffset, int sourceStart);

// Clip a line in place to x 0..638, y 0..478: 1 when part of it is on the
// screen, 0 otherwise.
int ClipScreenLine(int& x0, int& y0, int& x1, int& y1);
int ClipScreenLineF(double& x0, double& y0, double& x1, double& y1);
