// The software rasteriser: draws one view's polygon list into the software
// frame that DrawRaceFrame has locked and prepared (ScanlineRows, DepthRows,
// DepthStamp).
//
// Polygons are drawn in the order of the texture sort list; the depth
// buffer alone decides what is seen.  Texels come from 8-bit pages through
// each texture's 16-bit palette, perspective-correct every 32 pixels.  Two
// kinds of texture darken what lies beneath them instead of drawing texels.
#pragma once

#include <cstdint>

void RasterizePrimitives();

// The depth value a span starts from: the inverse depth w' in 24 bits (it
// saturates there, so it never reaches the frame stamp above them).
inline constexpr int64_t DEPTH_VALUE_MAX = 0xFFFFFF;
inline constexpr float DEPTH_SCALE = 1677696000.0f;
inline constexpr float INVERSE_DEPTH_SCALE = 0.001953f;
