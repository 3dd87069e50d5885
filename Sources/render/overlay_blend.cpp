#include "render/overlay_blend.h"

#include <cstdint>

#include "frame/utils.h"
#include "frontend/frontend_state.h"
#include "render/render_state.h"

uint16_t* BlendTarget;
const uint16_t* BlendSource;

enum { TARGET_PITCH = 640, LEVEL_UNTOUCHED = 100 };

namespace {

// Levels above 100 are not mixes of the two pictures; like 100 they leave
// the background, so no level reads past the 200 rows of the tables.
template <int GreenBits>
void BlendOverlay(int x, int y, int width, int height, int sourcePitch, int levelOffset, int sourceStart) {
    if (!BlendTarget || !BlendSource || width <= 0 || height <= 0)
        return;
    const int greenMask = GreenBits == 6 ? 63 : 31;
    const int redShift = GreenBits == 6 ? 11 : 10;
    uint16_t* out = BlendTarget + y * TARGET_PITCH + x;
    const uint16_t* in = BlendSource + sourceStart;
    const unsigned char* levels = MenuGfxBuffer + levelOffset + sourceStart - 1;
    for (int row = 0; row < height; row++) {
        for (int col = 0; col < width; col++) {
            const int level = levels[col];
            if (level >= LEVEL_UNTOUCHED)
                continue;
            const int back = out[col], pic = in[col];
            out[col] = (uint16_t)(BlendRed[level][(back >> redShift) & 31] +
                                  BlendRed[level + LEVEL_UNTOUCHED][(pic >> redShift) & 31] +
                                  BlendGreen[level][(back >> 5) & greenMask] +
                                  BlendGreen[level + LEVEL_UNTOUCHED][(pic >> 5) & greenMask] +
                                  BlendBlue[level][back & 31] + BlendBlue[level + LEVEL_UNTOUCHED][pic & 31]);
        }
        out += TARGET_PITCH;
        in += sourcePitch;
        levels += sourcePitch;
    }
}

}  // namespace

void BlendOverlay555(int x, int y, int width, int height, int sourcePitch, int levelOffset, int sourceStart) {
    BlendOverlay<5>(x, y, width, height, sourcePitch, levelOffset, sourceStart);
}

void BlendOverlay565(int x, int y, int width, int height, int sourcePitch, int levelOffset, int sourceStart) {
    BlendOverlay<6>(x, y, width, height, sourcePitch, levelOffset, sourceStart);
}

// ---------------------------------------------------------------------------
// Line clipping.  Both ends move along the line as it was given: the slope
// is taken once.  The visible box ends at 638 and 478.

namespace {

constexpr int CLIP_RIGHT = 638, CLIP_BOTTOM = 478;

struct IntLine {
    typedef int Value;
    static Value Step(Value a, Value b, Value c) { return MulDiv64(a, b, c); }
};
struct DoubleLine {
    typedef double Value;
    static Value Step(Value a, Value b, Value c) { return a * b / c; }
};

template <typename Line, typename T>
int ClipEnd(T& x, T& y, T dx, T dy) {
    if (x < 0) {
        y += Line::Step(-x, dy, dx);
        x = 0;
    } else if (x > CLIP_RIGHT) {
        y += Line::Step(CLIP_RIGHT - x, dy, dx);
        x = CLIP_RIGHT;
    }
    if (y < 0) {
        x += Line::Step(-y, dx, dy);
        y = 0;
    } else if (y > CLIP_BOTTOM) {
        x += Line::Step(CLIP_BOTTOM - y, dx, dy);
        y = CLIP_BOTTOM;
    }
    return x >= 0 && x <= CLIP_RIGHT;
}

template <typename Line, typename T>
int ClipLine(T& x0, T& y0, T& x1, T& y1) {
    if ((x0 < 0 && x1 < 0) || (x0 > CLIP_RIGHT && x1 > CLIP_RIGHT) || (y0 < 0 && y1 < 0) ||
        (y0 > CLIP_BOTTOM && y1 > CLIP_BOTTOM))
        return 0;
    const T dx = x1 - x0, dy = y1 - y0;
    if (!ClipEnd<Line>(x0, y0, dx, dy))
        return 0;
    return ClipEnd<Line>(x1, y1, dx, dy);
}

}  // namespace

int ClipScreenLine(int& x0, int& y0, int& x1, int& y1) {
    // Ends more than 2^31 apart are refused: the steps along the line would
    // not fit 32 bits.
    const int64_t dx = (int64_t)x1 - x0, dy = (int64_t)y1 - y0;
    if (dx > INT32_MAX || dx < INT32_MIN || dy > INT32_MAX || dy < INT32_MIN)
        return 0;
    return ClipLine<IntLine>(x0, y0, x1, y1);
}

int ClipScreenLineF(double& x0, double& y0, double& x1, double& y1) { return ClipLine<DoubleLine>(x0, y0, x1, y1); }
