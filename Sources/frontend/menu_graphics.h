// Menu graphics: the raw graphics buffer, the blend tables, the page
// cross-fade and the pulsing pointer.  The cross-fade draws into locked
// 16-bit pixel buffers (MenuTarget, MenuOverlay) that the caller has locked;
// the pointer locks the work surface and its picture itself.
#pragma once

#include "frontend/frontend_state.h"

struct PlatSurface;

// Locks a whole surface, waiting while it is busy: its pixels, or null when
// the lock fails.  The caller unlocks it (PlatSurfaceUnlock).
void* LockSurface(PlatSurface* surface);
// The same, as a 16-bit pixel buffer for MenuTarget or MenuOverlay; 0 when
// the lock fails or the surface is not 16-bit.
int LockMenuPixels(PlatSurface* surface, MenuPixels* out);

// Builds the blend tables for the display's pixel format (GreenMaskBits).
void BuildBlendTables();

// Appends a raw menu graphic to MenuGfxBuffer (first = 1 empties it first)
// and returns the new fill offset.  A missing file adds nothing but still
// takes its number.
int LoadMenuGraphic(const char* path, int first);

// The page cross-fade: every pixel of MenuTarget (640 x 480) becomes the
// blend of itself with the same pixel of MenuOverlay at the level (0 gives
// the picture, 98 the work surface).
void BlendPictureOverWorkSurface555(int level);
void BlendPictureOverWorkSurface565(int level);
void BlendPictureOverWorkSurface(int level);
// One pixel of the work surface blended with white at level 50.
void BlendPixelWithWhite(int x, int y);

// The pointer: PulseMenuPointer advances the pulse and returns the number of
// the pointer picture (64..72), or 0 while the pointer is not shown.
// DrawMenuCursor pulses, then blends that 40 x 40 picture of MenuGfxCache
// at the mouse position onto the work surface through the level map of raw
// graphic 57, cut off at the screen's edges.  It locks both surfaces itself.
int PulseMenuPointer();
void DrawMenuCursor();

// Where the 40 x 40 pointer picture lands for a pointer at (mouseX, mouseY):
// 0 when nothing is drawn.
struct MenuPointerBox {
    int x, y;              // on the screen
    int width, height;
    int sourceX, sourceY;  // first column and row of the picture
};
int PlaceMenuPointer(int mouseX, int mouseY, MenuPointerBox* box);
