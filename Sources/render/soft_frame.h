// The software frame: the race views drawn by the program itself into the
// work surface, which the frame then copies to the back buffer.
//
// The work surface is 640 x 1440 at 16 bits: rows 0..479 are the colour
// frame, rows 480..1439 the depth area (480 rows of 640 32-bit values).  The
// depth area is never cleared per frame: every frame's values carry a stamp
// in their top byte that outweighs the older frames', so one clear lasts
// 127 frames.
#pragma once

// The whole software frame of a race (or of a menu 3D scene, whose list
// the menu code built); nothing unless RenderKind is 0.
void DrawRaceFrame();

// Locks the work surface to learn its address, then unlocks it.
void RefreshWorkSurfacePointer();
// Row addresses of the colour and depth rows of the frame.
void BuildScanlineTables();
// The tables of the lower of two stacked views.
void BuildSplitScanlineTables();
// Writes blocks x 256 zero bytes into the depth area (10 blocks a row).
void ClearFrameBuffer(int blocks);
// Asks the next software frame for an empty depth area (any thread).
void RequestDepthClear();
