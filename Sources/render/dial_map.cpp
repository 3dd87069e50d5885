// The dashboard dial and the track map.  Everything is written straight
// into the polygon list as screen triangles: no transform, no clipping, no
// light; the back ends draw them with the texture slots' own flags
// (darkening layers multiply, the map adds, faces and digits stand on top).

#include "render/dial_map.h"

#include <climits>
#include <cmath>
#include <cstdio>

#include "frame/frame_state.h"
#include "frame/framework.h"
#include "frame/utils.h"
#include "platform/plat_surface.h"
#include "race/race_state.h"
#include "render/geometry.h"
#include "render/polylist.h"
#include "render/render_state.h"
#include "render/textures.h"
#include "track/editors.h"

MapDot MapDotPositions[8];
int MapDotsReady;

const float SpeedoScale[8] = {0.0f, 1.3f, 1.3f, 1.3f, 1.46f, 1.3f, 1.2f, 1.3f};

namespace {

enum {
    TEX_DIAL_FACE = 1800,
    TEX_DIAL_SHADE = 1801,
    TEX_SPEED_SHADE = 1802,
    TEX_NEEDLE = 1805,
    TEX_TURBO_SHADE = 1806,
    TEX_TURBO_FACE = 1807,
    TEX_SPEED_DIGIT_BASE = 1812,   // + the character's code: 1860..1869
    TEX_GEAR_FIRST = 1870,
    MODE_SHADE = 6,
    MODE_FACE = 10,
};

// Float to int towards zero, saturating; no number gives 0.
int Trunc(float value) {
    if (!(value > -2147483648.0f))
        return value != value ? 0 : INT_MIN;
    if (!(value < 2147483648.0f))
        return INT_MAX;
    return (int)value;
}

struct Point {
    float x, y;
};

// A quad Q0..Q3 as two triangles: (Q0, Q1, Q2) then (Q0, Q2, Q3).
int EmitQuad(int cursor, int texture, int mode, Point q0, Point q1, Point q2, Point q3) {
    cursor = AddOverlayTriangle(cursor, texture, 0, q0.x, q0.y, q1.x, q1.y, q2.x, q2.y, mode);
    return AddOverlayTriangle(cursor, texture, 1, q0.x, q0.y, q2.x, q2.y, q3.x, q3.y, mode);
}

// The whole texture upright in the rectangle (x0, y0)-(x1, y1), y down.
int EmitRect(int cursor, int texture, int mode, float x0, float y0, float x1, float y1) {
    return EmitQuad(cursor, texture, mode, {x0, y1}, {x0, y0}, {x1, y0}, {x1, y1});
}

// A needle about pivot p at angle a (0 points left, growing clockwise),
// its tip `tip` x k from the pivot and its tail `tail` x k beyond; always 2
// pixels wide.
int EmitNeedle(int cursor, Point p, float a, float tip, float tail, float k) {
    const float dx = std::cos(a), dy = std::sin(a);
    const float ex = std::sin(a), ey = -std::cos(a);
    const Point t = {p.x - tip * k * dx, p.y - tip * k * dy};
    const Point b = {p.x + tail * k * dx, p.y + tail * k * dy};
    return EmitQuad(cursor, TEX_NEEDLE, MODE_FACE, {t.x + ex, t.y + ey}, {t.x - ex, t.y - ey}, {b.x - ex, b.y - ey},
                    {b.x + ex, b.y + ey});
}

}  // namespace

MapPlacement TrackMapPlacement(int code) {
    if (code >= 10 && code <= 15)
        return {6, -5, 677.41f};
    if (code >= 20 && code <= 24)
        return {0, -7, 1047.0f};
    if (code == 30 || code == 31)
        return {17, 0, 1056.0f};
    if (code == 55)
        return {9, 28, 572.0f};
    if (code == 62 || code == 68)
        return {-30, 56, 475.0f};
    if (code >= 60 && code <= 69 && code != 62 && code != 68)
        return {-24, 43, 502.0f};
    if (code >= 70 && code <= 77)
        return {-8, 5, 981.0f};
    if (code == 78 || code == 79)
        return {8, 25, 589.0f};
    // Tracks with a map but no row of their own.
    return {0, 0, 677.41f};
}

int TrackMapTexture(int code, int group) {
    switch (code) {
    case 60: case 66: return 2045;
    case 61: return 2046;
    case 62: case 65: case 68: case 69: return 2047;
    case 63: return 2048;
    case 64: return 2049;
    case 20: case 22: case 23: case 24: return 2050;
    case 21: return 2051;
    case 70: case 71: case 75: case 76: case 77: return 2053;
    case 72: return 2054;
    case 73: return 2055;
    case 74: return 2056;
    case 55: return 2057;
    case 78: case 79: return 2058;
    default: return group == 1 ? 2044 : group == 3 ? 2052 : 0;
    }
}

int AddOverlayTriangle(int cursor, int slot, int second, float x0, float y0, float x1, float y1, float x2, float y2,
                       int mode) {
    if (PolygonListFull(cursor))
        return cursor;
    ScreenPolygon& polygon = PolygonAt(cursor);
    const float xs[3] = {x0, x1, x2}, ys[3] = {y0, y1, y2};
    // A quad's first triangle takes uv (0,1) (0,0) (1,0), its second
    // (0,1) (1,0) (1,1).
    static const float firstUv[3][2] = {{0, 1}, {0, 0}, {1, 0}};
    static const float secondUv[3][2] = {{0, 1}, {1, 0}, {1, 1}};
    const float(*uv)[2] = second == 0 ? firstUv : secondUv;
    for (int k = 0; k < 3; k++) {
        ScreenVertex& v = polygon.vertex[k];
        v.sx = xs[k];
        v.sy = ys[k];
        v.q = 2.0f;
        v.u = uv[k][0];
        v.v = uv[k][1];
        v.light = 0;
    }
    polygon.slot = slot;
    polygon.mode = mode;
    TextureSortPairs[TextureSortPairCount] = slot;
    TextureSortPairs[TextureSortPairCount + 1] = cursor;
    TextureSortPairCount += 2;
    return cursor + POLYGON_WORDS;
}

// The dial stands in the corner of the surface the frame draws on, the
// render target (the software path races at 640 x 480 whatever mode is
// configured); the surface's metrics stand in for it before there is one.
static void DrawnSurfaceSize(int* w, int* h) {
    PlatSurface* target = FrameworkRenderTarget();
    *w = target ? PlatSurfaceWidth(target) : SurfaceWidth;
    *h = target ? PlatSurfaceHeight(target) : SurfaceHeight;
}

int DrawDashboardDial(int view, int cursor) {
    if (RacePaused == 1)
        return cursor;
    view = view == 1 ? 1 : 0;
    // The caller halved ScreenBottom for the upper of two views: the dial
    // lifts to the bottom of that half.
    const int v = SplitScreen == 1 && view == 0 ? -Trunc(ScreenBottom) : 0;
    int W, H;
    DrawnSurfaceSize(&W, &H);
    const int small = W < 640 || H < 480;
    const float k = small ? 0.5f : 1.0f;
    MapDotsReady = 0;
    if (EditorActive != 0 || FrontEndActive != 0 || PresentationRun != 0 || HudVisible != 1 || PauseMenuOpen != 0)
        return cursor;

    // The rev counter: its darkening layer, then its face.
    const int S = small ? 64 : 128;
    const int X0 = W - ScaleLayoutX(3) - S;
    const int Y0 = H - S + v - ScaleLayoutY(2);
    const int X1 = X0 + S, Y1 = Y0 + S;
    cursor = EmitRect(cursor, TEX_DIAL_SHADE, MODE_SHADE, (float)X0, (float)Y0, (float)X1, (float)Y1);
    cursor = EmitRect(cursor, TEX_DIAL_FACE, MODE_FACE, (float)X0, (float)Y0, (float)X1, (float)Y1);

    // The needle trembles only when its jitter passes 0.15 radians.
    const Point pivot = {(float)X0 + 0.453125f * (float)S, (float)Y0 + 0.4609375f * (float)S};
    const float base = 1.6f * EngineRevs[view] - 1.2336966801380957f;
    const float jitter = ((float)GameRandom() / 32767.0f - 0.5f) * base / 15.0f;
    const float angle = std::fabs(jitter) > 0.15f ? base + jitter : base;
    cursor = EmitNeedle(cursor, pivot, angle, 40.0f, 6.0f, k);

    // The speed panel left of the dial and its three digits.
    const float w = small ? 32.0f : 64.0f, h = small ? 16.0f : 32.0f;
    const float yb = small ? (float)(H - Trunc((float)ScaleLayoutY(2) + 5.5f) + v)
                           : (float)(H - (ScaleLayoutY(2) + 11) + v);
    cursor = EmitRect(cursor, TEX_SPEED_SHADE, MODE_SHADE, (float)X0 - w, yb - h, (float)X0, yb);
    char speed[16];
    snprintf(speed, sizeof speed, "%03d", Trunc(SpeedoScale[TrackGroup >= 0 && TrackGroup < 8 ? TrackGroup : 0] *
                                                 CarSpeed[view]));
    const float cell = small ? 8.0f : 16.0f;
    for (int i = 0; i < 3; i++) {
        const int c = (unsigned char)speed[i];
        const float x = (float)X0 - (small ? 28.0f : 56.0f) + cell * (float)i;
        // Only digits have a cell; a sign draws nothing but keeps its place.
        if (c >= '0' && c <= '9')
            cursor = EmitRect(cursor, TEX_SPEED_DIGIT_BASE + c, MODE_FACE, x, yb - h, x + cell, yb);
    }

    // The gear cell: the gear minus one standing, the gear itself once it
    // moves (manual: once the engines are released); 6 neutral, 7 reverse.
    int g = CarGear[view] - 1;
    if ((ManualGearbox[view] == 1 && EnginesReleased > 0) || (ManualGearbox[view] != 1 && CarSpeed[view] > 3.0f))
        g = CarGear[view];
    if (g == -1)
        g = 6;
    if (DriveDirection[view] == -1 && CarSpeed[view] > 5.0f)
        g = 7;
    const float gx = (float)X1 - (small ? 28.0f : 56.0f);
    const float gb = (float)(H - ScaleLayoutY(2) - (small ? 8 : 16) + v);
    if (g >= 0 && g <= 7)
        cursor = EmitRect(cursor, TEX_GEAR_FIRST + g, MODE_FACE, gx, gb - h, gx + cell, gb);

    // The jump events' turbo gauge beside the dial.
    if (TrackGroup == 4) {
        const int jw = small ? 32 : 64, jh = small ? 64 : 128;
        const int G = Y0 - jh + jh / 3;
        cursor = EmitRect(cursor, TEX_TURBO_SHADE, MODE_SHADE, (float)(W - jw), (float)G, (float)W, (float)(G + jh));
        cursor = EmitRect(cursor, TEX_TURBO_FACE, MODE_FACE, (float)(W - jw), (float)G, (float)W, (float)(G + jh));
        const Point turboPivot = {(float)(W - jw) + 0.953125f * (float)jw, (float)G + 0.421875f * (float)jh};
        const float pi = 3.14159265358979f;
        cursor = EmitNeedle(cursor, turboPivot, pi * TurboCharge - pi / 2.0f, 28.0f, 3.0f, k);
    }
    return cursor;
}

int DrawTrackMap(PlatDevice*, int cursor) {
    if (PresentationRun == 1 || RacePaused == 1)
        return cursor;
    const MapPlacement placement = TrackMapPlacement(TrackCode);
    const int texture = TrackMapTexture(TrackCode, TrackGroup);
    if (texture == 0)
        return cursor;

    float cx = 84.0f, cy = ScreenBottom - 84.0f, R = 64.0f, f = 1.0f;
    int ox = placement.offsetX, oy = placement.offsetY;
    if (SmallScreen == 1) {
        cx = 42.0f;
        cy = ScreenBottom - 42.0f;
        R = 32.0f;
        f = 0.5f;
        ox /= 2;   // towards zero: -5 gives -2
        oy /= 2;
    }
    // The offsets move the cars against the picture, not the picture.
    cursor = EmitRect(cursor, texture, MODE_SHADE, cx - R, cy - R, cx + R, cy + R);

    LoadIdentityRender();
    MatrixSetTranslation(cx + (float)ox, cy + (float)oy, 0.0f);
    const float D = placement.divisor;
    const int cars = CarCount < MAX_CARS ? (int)CarCount : MAX_CARS;
    for (int i = 0; i < cars; i++) {
        // World x grows to the right and world z upwards.
        const float a = f * (cocheX[i] / D - 62.0f);
        const float b = f * (62.0f - cocheZ[i] / D);
        MapDotPositions[i].x = Trunc(a + RenderMatrix[3][0]);
        MapDotPositions[i].y = Trunc(b + RenderMatrix[3][1]);
    }
    MapDotsReady = 1;
    return cursor;
}
