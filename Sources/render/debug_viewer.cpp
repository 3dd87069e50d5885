// The overview viewer: a free camera high over the loaded scene that a
// developer pans with the player's direction controls, drawn straight into a
// 16-bit surface by its own fixed-point transform and its own span, line and
// triangle drawers.  Nothing in the game opens it.

#include "render/debug_viewer.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "frame/frame_state.h"
#include "platform/plat_surface.h"
#include "platform/plat_system.h"
#include "race/race_state.h"
#include "render/objects.h"
#include "render/render_state.h"
#include "track/editors.h"

int DebugViewerX, DebugViewerZ;
int DebugViewerFast;

namespace {

enum {
    VIEWER_STEP = 80,
    VIEWER_FAST_STEP = 1000,
    VIEWER_MODE_PAUSE_MS = 200,
};
// The camera's height over the ground: a circuit fills the screen.
const double ViewerHeight = 200000.0;

struct Target {
    uint16_t* pixels;
    int pitch;   // in pixels
    int width, height;
};

void FillSpan(const Target& t, int y, int x0, int x1, uint16_t colour) {
    if (y < 0 || y >= t.height)
        return;
    if (x0 > x1) {
        const int swap = x0;
        x0 = x1;
        x1 = swap;
    }
    if (x0 < 0)
        x0 = 0;
    if (x1 >= t.width)
        x1 = t.width - 1;
    uint16_t* row = t.pixels + (long)y * t.pitch;
    for (int x = x0; x <= x1; x++)
        row[x] = colour;
}

void DrawLine(const Target& t, int x0, int y0, int x1, int y1, uint16_t colour) {
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (int guard = 0; guard <= dx - dy; guard++) {
        if (x0 >= 0 && x0 < t.width && y0 >= 0 && y0 < t.height)
            t.pixels[(long)y0 * t.pitch + x0] = colour;
        if (x0 == x1 && y0 == y1)
            break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y0 += sy;
        }
    }
}

struct ScreenPoint {
    int x, y;
};

// A filled triangle: rows from the top corner to the bottom one, each span
// between the long edge and the short edge, edges stepped in 16.16.
void FillTriangle(const Target& t, ScreenPoint a, ScreenPoint b, ScreenPoint c, uint16_t colour) {
    if (a.y > b.y) std::swap(a, b);
    if (b.y > c.y) std::swap(b, c);
    if (a.y > b.y) std::swap(a, b);
    if (a.y == c.y)
        return;
    const int top = a.y < 0 ? 0 : a.y, bottom = c.y >= t.height ? t.height - 1 : c.y;
    for (int y = top; y <= bottom; y++) {
        const int64_t longX = ((int64_t)a.x << 16) + ((int64_t)(c.x - a.x) << 16) * (y - a.y) / (c.y - a.y);
        int64_t shortX;
        if (y < b.y)
            shortX = ((int64_t)a.x << 16) + ((int64_t)(b.x - a.x) << 16) * (y - a.y) / (b.y - a.y);
        else if (c.y != b.y)
            shortX = ((int64_t)b.x << 16) + ((int64_t)(c.x - b.x) << 16) * (y - b.y) / (c.y - b.y);
        else
            shortX = (int64_t)b.x << 16;
        FillSpan(t, y, (int)(longX >> 16), (int)(shortX >> 16), colour);
    }
}

// A world plan point on the screen: turned about the camera by the 16.16
// matrix of the camera's heading (cosine and sine scaled by 512), then
// projected from the camera's height about the screen centre.
struct ViewerMatrix {
    int64_t m[2][2];
};

ViewerMatrix MatrixOfHeading(float heading) {
    const int64_t c = (int64_t)std::lround(std::cos(heading) * 512.0), s = (int64_t)std::lround(std::sin(heading) * 512.0);
    return {{{c << 7, -s << 7}, {s << 7, c << 7}}};
}

ScreenPoint Project(const ViewerMatrix& m, float x, float z) {
    const int64_t dx = (int64_t)std::lround(x) - DebugViewerX, dz = (int64_t)std::lround(z) - DebugViewerZ;
    const int64_t rx = (dx * m.m[0][0] + dz * m.m[0][1]) >> 16;
    const int64_t rz = (dx * m.m[1][0] + dz * m.m[1][1]) >> 16;
    const double scale = (double)ViewFocalScale / ViewerHeight;
    double sx = ScreenCentreX + (double)rx * scale, sy = ScreenCentreY - (double)rz * scale;
    // Far points stay far without overflowing the drawers' integers.
    sx = sx < -1.0e6 ? -1.0e6 : sx > 1.0e6 ? 1.0e6 : sx;
    sy = sy < -1.0e6 ? -1.0e6 : sy > 1.0e6 ? 1.0e6 : sy;
    return {(int)std::lround(sx), (int)std::lround(sy)};
}

// Each texture number its own colour, so neighbouring surfaces part.
uint16_t ColourOf(uint32_t texture) {
    const uint32_t n = (texture & 0xFFFF) * 2654435761u;
    return (uint16_t)((n >> 16) | 0x4208);
}

void Pan() {
    const int bits = CarInputBits[0];
    const int step = DebugViewerFast ? VIEWER_FAST_STEP : VIEWER_STEP;
    if (bits & INPUT_LEFT)
        DebugViewerX -= step;
    if (bits & INPUT_RIGHT)
        DebugViewerX += step;
    if (bits & INPUT_ACCELERATE)
        DebugViewerZ += step;
    if (bits & INPUT_BRAKE)
        DebugViewerZ -= step;
    // The mode key acts once: the pause lets it be let go.
    if (bits & INPUT_TURBO) {
        DebugViewerFast ^= 1;
        PlatSleepMs(VIEWER_MODE_PAUSE_MS);
    }
}

}  // namespace

void DebugOverviewViewer(PlatSurface* surface) {
    Pan();
    void* bits = nullptr;
    int pitch = 0;
    if (!surface || PlatSurfaceLock(surface, nullptr, PLAT_WAIT, &bits, &pitch) != DD_OK)
        return;
    const Target target = {(uint16_t*)bits, pitch / 2, PlatSurfaceWidth(surface), PlatSurfaceHeight(surface)};
    const ViewerMatrix m = MatrixOfHeading(AnguloDeDeriva[0]);
    const int last = TriangleTotal < TRIANGLE_POOL_SIZE ? TriangleTotal : TRIANGLE_POOL_SIZE;
    for (int i = 0; i < last; i++) {
        const ObjectTriangle& triangle = TrianglePool[i];
        ScreenPoint p[3];
        int valid = 1;
        for (int k = 0; k < 3; k++) {
            const uint32_t vertex = triangle.corner[k] & 0xFFFF;
            valid = valid && vertex < VERTEX_POOL_SIZE;
            if (valid)
                p[k] = Project(m, VertexPool[vertex].x, VertexPool[vertex].z);
        }
        if (!valid)
            continue;
        // Seen from above, a triangle winding the other way faces down.
        const int64_t area = (int64_t)(p[1].x - p[0].x) * (p[2].y - p[0].y) - (int64_t)(p[2].x - p[0].x) * (p[1].y - p[0].y);
        if (HiddenFacesOn && area > 0)
            continue;
        const uint16_t colour = ColourOf(triangle.texture);
        if (Wireframe == 0) {
            DrawLine(target, p[0].x, p[0].y, p[1].x, p[1].y, colour);
            DrawLine(target, p[1].x, p[1].y, p[2].x, p[2].y, colour);
            DrawLine(target, p[2].x, p[2].y, p[0].x, p[0].y, colour);
        } else {
            FillTriangle(target, p[0], p[1], p[2], colour);
        }
    }
    PlatSurfaceUnlock(surface);
}
