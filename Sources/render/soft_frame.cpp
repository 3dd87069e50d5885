#include "render/soft_frame.h"

#include <cstring>

#include "frame/display.h"
#include "frame/frame_state.h"
#include "platform/plat_surface.h"
#include "race/race_state.h"
#include "render/d3d_scene.h"
#include "render/dial_map.h"
#include "render/rasteriser.h"
#include "render/render_state.h"
#include "render/scene_builder.h"

unsigned char* FrameBufferPixels;
int DepthStampCounter;
uint32_t DepthStamp;
std::atomic<int> DepthClearRequest;

enum { DEPTH_AREA_BLOCKS = SOFT_FRAME_HEIGHT * SOFT_DEPTH_ROW_BYTES / 256 };

// The work surface can hold the frame and its depth area only when it has
// the layout the rows are computed from.
static int WorkSurfaceUsable() {
    return WorkSurface && PlatSurfaceWidth(WorkSurface) == SOFT_FRAME_WIDTH &&
           PlatSurfaceHeight(WorkSurface) >= 3 * SOFT_FRAME_HEIGHT && PlatSurfacePitch(WorkSurface) == SOFT_ROW_BYTES;
}

// Locks the work surface and points FrameBufferPixels at it; 0 when it is
// unusable or will not lock.  The caller unlocks it.
static int LockWorkSurface() {
    if (!WorkSurfaceUsable())
        return 0;
    void* bits = nullptr;
    int pitch = 0;
    if (PlatSurfaceLock(WorkSurface, nullptr, PLAT_WAIT, &bits, &pitch) != DD_OK)
        return 0;
    FrameBufferPixels = (unsigned char*)bits;
    return 1;
}

void RefreshWorkSurfacePointer() {
    if (LockWorkSurface())
        PlatSurfaceUnlock(WorkSurface);
}

void BuildScanlineTables() {
    if (!ScanlineRows || !DepthRows || !FrameBufferPixels)
        return;
    for (int y = 0; y < SOFT_FRAME_HEIGHT; y++) {
        ScanlineRows[y] = FrameBufferPixels + y * SOFT_ROW_BYTES;
        DepthRows[y] = FrameBufferPixels + y * SOFT_DEPTH_ROW_BYTES;
    }
}

// The lower view's rows above the split all fall onto the split row (and
// depth row 0): it has no top clip of its own.
void BuildSplitScanlineTables() {
    if (!ScanlineRows || !DepthRows || !FrameBufferPixels)
        return;
    const int h = SurfaceHeight < SOFT_FRAME_HEIGHT ? SurfaceHeight : SOFT_FRAME_HEIGHT;
    const int split = (int)(ScreenBottom * 0.5f * (float)SOFT_ROW_BYTES);
    for (int y = 0; y < h / 2; y++) {
        ScanlineRows[y] = FrameBufferPixels + split;
        DepthRows[y] = FrameBufferPixels;
    }
    for (int k = 0; h / 2 + k < h; k++) {
        ScanlineRows[h / 2 + k] = FrameBufferPixels + split + k * SOFT_ROW_BYTES;
        DepthRows[h / 2 + k] = FrameBufferPixels + h * SOFT_ROW_BYTES + k * SOFT_DEPTH_ROW_BYTES;
    }
}

void ClearFrameBuffer(int blocks) {
    if (!FrameBufferPixels || blocks <= 0)
        return;
    if (blocks > DEPTH_AREA_BLOCKS)
        blocks = DEPTH_AREA_BLOCKS;
    memset(FrameBufferPixels + SOFT_DEPTH_OFFSET, 0, (size_t)blocks * 256);
}

void RequestDepthClear() { DepthClearRequest = 1; }

// Copies the sky backdrop (or its top rows) to a row of the work surface,
// repeated while the surface is busy; any other failure skips it.
static void CopyBackdrop(int y, int rows) {
    if (!SkyBackdropSurface || !WorkSurface)
        return;
    const PlatRect source = {0, 0, PlatSurfaceWidth(SkyBackdropSurface), rows};
    for (int i = 0; i < PLAT_STILL_DRAWING_RETRIES; i++) {
        if (PlatSurfaceBltFast(WorkSurface, 0, y, SkyBackdropSurface, &source, PLAT_WAIT) != DDERR_WASSTILLDRAWING)
            return;
    }
}

void DrawRaceFrame() {
    if (RenderKind != 0)
        return;
    AnimateSpecialPolygons();
    const int race = FrontEndActive == 0 && FrameTicks != 0;
    if (race) {
        UpdateScreenMetrics();
        CopyBackdrop(0, SkyBackdropSurface ? PlatSurfaceHeight(SkyBackdropSurface) : 0);
        if (SplitScreen == 1)
            CopyBackdrop(SurfaceHeight / 2, SurfaceHeight / 2);
    }

    if (!LockWorkSurface())
        return;
    BuildScanlineTables();

    const int rows = SurfaceHeight < SOFT_FRAME_HEIGHT ? SurfaceHeight : SOFT_FRAME_HEIGHT;
    // A replay camera asked for an empty depth area from the timer thread.
    if (DepthClearRequest.exchange(0))
        ClearFrameBuffer(rows * 10);
    if (++DepthStampCounter >= SOFT_DEPTH_STAMP_WRAP) {
        DepthStampCounter = 0;
        ClearFrameBuffer(rows * 10);
    }
    DepthStamp = (uint32_t)DepthStampCounter << 24;

    const float keptCentreX = ScreenCentreX, keptRight = ScreenRight;
    const float keptCentreY = ScreenCentreY, keptBottom = ScreenBottom;
    const int split = SplitScreen == 1 && TrackGroup != 4 && TrackGroup != 5 && FrontEndActive == 0;
    if (split) {
        ScreenCentreY *= 0.5f;
        SurfaceHeight /= 2;
        ScreenBottom *= 0.5f;
    }

    // The dial and the map go after the view's scene (from the list start
    // when no scene was built).
    int cursor = 0;
    if (race)
        cursor = BuildScene(0, ViewedCar[0]);
    cursor = DrawDashboardDial(0, cursor);
    if (SplitScreen == 0 && MapVisible == 1 && TrackMapLoaded == 1 && FrontEndActive == 0)
        DrawTrackMap(nullptr, cursor);
    RasterizePrimitives();
    ScreenBottom = keptBottom;

    if (split) {
        UpdateScreenMetrics();
        ScreenCentreY = keptCentreY * 1.5f;
        ScreenBottom = keptBottom;
        cursor = 0;
        if (race)
            cursor = BuildScene(0, 1);
        BuildSplitScanlineTables();
        DrawDashboardDial(1, cursor);
        RasterizePrimitives();
    }

    ScreenCentreX = keptCentreX;
    ScreenRight = keptRight;
    ScreenCentreY = keptCentreY;
    ScreenBottom = keptBottom;
    SurfaceHeight = (int)keptBottom;
    PlatSurfaceUnlock(WorkSurface);
}
