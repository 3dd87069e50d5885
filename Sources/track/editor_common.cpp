// What the track editors share: the key snapshot, the file writes, the
// sounds, and the one screen-to-world mapping of the mouse tools with the
// outlines they draw.

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "frame/fileio.h"
#include "frame/frame_state.h"
#include "frame/input.h"
#include "frame/vfs.h"
#include "platform/plat_mixer.h"
#include "platform/plat_system.h"
#include "platform/plat_surface.h"
#include "race/messages.h"
#include "race/race_state.h"
#include "render/bitmaps.h"
#include "render/debug_labels.h"
#include "render/geometry.h"
#include "render/render_state.h"
#include "sound/sound_state.h"
#include "track/editors.h"
#include "track/ground.h"
#include "track/track_files.h"
#include "track/track_state.h"

// ---------------------------------------------------------------------------
// Keys.  The editors test their keys every frame; the snapshot of the
// previous frame makes each act once per press (a held 8 would otherwise
// rerun a build of seconds every frame).

static unsigned char KeysNow[256], KeysBefore[256];

void BeginEditorFrame() {
    memcpy(KeysBefore, KeysNow, sizeof KeysNow);
    for (int vk = 1; vk < 256; vk++)
        KeysNow[vk] = (unsigned char)IsKeyDown(vk);
}

int EditorKeyPressed(int virtualKey) {
    if (virtualKey <= 0 || virtualKey > 255)
        return 0;
    return KeysNow[virtualKey] && !KeysBefore[virtualKey];
}

int EditorKeyHeld(int virtualKey) { return virtualKey > 0 && virtualKey < 256 && KeysNow[virtualKey]; }

// ---------------------------------------------------------------------------
// Files and sounds.

int WriteTrackBinFile(const char* pattern, int number, const void* data, int bytes) {
    char path[256];
    TrackFilePath(path, sizeof path, pattern, number);
    const int written = WriteWholeFile(path, bytes, data) == 1;
    if (VfsHandle* archived = VfsOpen(path)) {
        VfsFree(archived);
        char line[320];
        snprintf(line, sizeof line, "%s: the archived copy is read first", path);
        ConsoleAddLine(line);
    }
    return written;
}

enum { EDITOR_CLICK_CHANNEL = 10, EDITOR_CLICK_WAVE = 141, EDITOR_CLICK_VOLUME = 31000 };

void EditorClickSound() {
    if (SoundUnavailable || !MixerSession)
        return;
    const PlatWave wave = WaveTable[EDITOR_CLICK_WAVE].load();
    PlatMixerSetVolume(EDITOR_CLICK_CHANNEL, EDITOR_CLICK_VOLUME);
    if (wave)
        PlatMixerPlay(EDITOR_CLICK_CHANNEL, wave, 0, nullptr);
}

// The collision-grid build beeps once a row: on the main thread for a long
// while, it has no other sign of life.
void EditorBeep() { PlatMessageBeep(); }

// ---------------------------------------------------------------------------
// The view: the camera of view 0 as the scene builder sets it up (pitch,
// heading and roll; the eye arrays hold the negated camera position).

static void ViewRotation(Matrix4 view) {
    Matrix4 saved;
    CopyMatrix(saved, RenderMatrix);
    LoadIdentityRender();
    MatrixRotateXZY(CameraPitch[0], AnguloDeDeriva[0], CameraRoll[0]);
    CopyMatrix(view, RenderMatrix);
    CopyMatrix(RenderMatrix, saved);
}

static void ToCamera(const Matrix4 view, const float p[3], float out[3]) {
    const float rel[3] = {p[0] + EyeX[0], p[1] + EyeY[0], p[2] + EyeZ[0]};
    for (int c = 0; c < 3; c++)
        out[c] = rel[0] * view[0][c] + rel[1] * view[1][c] + rel[2] * view[2][c];
}

static const float NearZ = 10.0f;

static void CameraToScreen(const float c[3], float* sx, float* sy) {
    const float q = ViewFocalScale / c[2];
    *sx = c[0] * q + ScreenCentreX;
    *sy = ScreenCentreY - c[1] * q;
}

int ProjectToScreen(float x, float y, float z, float* sx, float* sy, float* depth) {
    Matrix4 view;
    ViewRotation(view);
    const float p[3] = {x, y, z};
    float c[3];
    ToCamera(view, p, c);
    *depth = c[2];
    if (!(c[2] > NearZ) || !(ViewFocalScale > 0.0f))
        return 0;
    CameraToScreen(c, sx, sy);
    // The tools take screen points as whole pixels: a point far off the
    // screen is not on it.
    return std::fabs(*sx) < 1.0e6f && std::fabs(*sy) < 1.0e6f;
}

// The pointer in surface pixels.
static void PointerPixels(float* px, float* py) {
    *px = (float)MouseX * (float)SurfaceWidth / 640.0f;
    *py = (float)MouseY * (float)SurfaceHeight / 480.0f;
}

int PointerOnPlane(float y, float* x, float* z) {
    if (!(ViewFocalScale > 0.0f))
        return 0;
    Matrix4 view;
    ViewRotation(view);
    float px, py;
    PointerPixels(&px, &py);
    const float d[3] = {(px - ScreenCentreX) / ViewFocalScale, (ScreenCentreY - py) / ViewFocalScale, 1.0f};
    // The rotation is orthonormal: camera to world is its transpose.
    float w[3];
    for (int r = 0; r < 3; r++)
        w[r] = view[r][0] * d[0] + view[r][1] * d[1] + view[r][2] * d[2];
    const float origin[3] = {-EyeX[0], -EyeY[0], -EyeZ[0]};
    if (!(std::fabs(w[1]) > 1.0e-6f))
        return 0;
    const float t = (y - origin[1]) / w[1];
    if (!(t > 0.0f) || !std::isfinite(t))
        return 0;
    *x = origin[0] + t * w[0];
    *z = origin[2] + t * w[2];
    return std::isfinite(*x) && std::isfinite(*z);
}

int PointerOnGround(float* x, float* y, float* z) {
    // The ray meets the plane at the ground's height, and that height is
    // taken again where it met: a few rounds settle on sloped ground.
    float height = GroundHeight(-EyeX[0], -EyeZ[0], -1, 0);
    float px = 0.0f, pz = 0.0f;
    int found = 0;
    for (int round = 0; round < 6; round++) {
        if (!PointerOnPlane(height, &px, &pz))
            break;
        found = 1;
        height = GroundHeight(px, pz, -1, 0);
    }
    if (!found)
        return 0;
    *x = px;
    *y = height;
    *z = pz;
    return 1;
}

int PointerNear(float x, float y, float z, int* distance) {
    float sx, sy, depth;
    if (!ProjectToScreen(x, y, z, &sx, &sy, &depth))
        return 0;
    float px, py;
    PointerPixels(&px, &py);
    const float gapX = std::fabs(sx - px), gapY = std::fabs(sy - py);
    // Within 10 pixels in both axes: strictly less than 11.
    if (!(gapX < EDITOR_PICK_PIXELS + 1) || !(gapY < EDITOR_PICK_PIXELS + 1))
        return 0;
    *distance = (int)(gapX > gapY ? gapX : gapY);
    return 1;
}

// ---------------------------------------------------------------------------
// Drawing.

static uint32_t PixelOf(PlatSurface* surface, uint32_t colour) {
    // A new surface may take a released one's address in another format.
    static PlatSurface* cachedSurface;
    static int cachedFormat;
    static uint32_t cachedColour[4], cachedPixel[4];
    static int cachedCount;
    if (surface != cachedSurface || PlatSurfaceFormat(surface) != cachedFormat) {
        cachedSurface = surface;
        cachedFormat = PlatSurfaceFormat(surface);
        cachedCount = 0;
    }
    for (int i = 0; i < cachedCount; i++)
        if (cachedColour[i] == colour)
            return cachedPixel[i];
    const uint32_t pixel = ColourMatch(surface, colour);
    const int slot = cachedCount < 4 ? cachedCount++ : 3;
    cachedColour[slot] = colour;
    cachedPixel[slot] = pixel;
    return pixel;
}

void FillBox(PlatSurface* surface, int x, int y, int w, int h, uint32_t colour) {
    if (!surface)
        return;
    const int width = SurfaceWidth, height = SurfaceHeight;
    int x1 = x + w, y1 = y + h;
    x = x < 0 ? 0 : x;
    y = y < 0 ? 0 : y;
    x1 = x1 > width ? width : x1;
    y1 = y1 > height ? height : y1;
    if (x1 <= x || y1 <= y)
        return;
    const PlatRect rect = {x, y, x1, y1};
    for (int i = 0; i < PLAT_STILL_DRAWING_RETRIES; i++)
        if (PlatSurfaceFill(surface, &rect, PixelOf(surface, colour), 0) != DDERR_WASSTILLDRAWING)
            break;
}

// Clips the segment to the surface (Liang-Barsky): 0 when nothing is left.
static int ClipToSurface(float& x0, float& y0, float& x1, float& y1) {
    const float dx = x1 - x0, dy = y1 - y0;
    const float p[4] = {-dx, dx, -dy, dy};
    const float q[4] = {x0, (float)SurfaceWidth - 1 - x0, y0, (float)SurfaceHeight - 1 - y0};
    float t0 = 0.0f, t1 = 1.0f;
    for (int i = 0; i < 4; i++) {
        if (p[i] == 0.0f) {
            if (q[i] < 0.0f)
                return 0;
            continue;
        }
        const float t = q[i] / p[i];
        if (p[i] < 0.0f)
            t0 = t > t0 ? t : t0;
        else
            t1 = t < t1 ? t : t1;
    }
    if (t0 > t1)
        return 0;
    const float ox = x0, oy = y0;
    x0 = ox + t0 * dx;
    y0 = oy + t0 * dy;
    x1 = ox + t1 * dx;
    y1 = oy + t1 * dy;
    return 1;
}

void DrawWorldLine(PlatSurface* surface, const float a[3], const float b[3], uint32_t colour) {
    if (!surface || !(ViewFocalScale > 0.0f))
        return;
    Matrix4 view;
    ViewRotation(view);
    float ca[3], cb[3];
    ToCamera(view, a, ca);
    ToCamera(view, b, cb);
    // Cut the part behind the near plane.
    if (!(ca[2] > NearZ) && !(cb[2] > NearZ))
        return;
    if (!(ca[2] > NearZ) || !(cb[2] > NearZ)) {
        float* behind = ca[2] > NearZ ? cb : ca;
        const float* front = ca[2] > NearZ ? ca : cb;
        const float t = (NearZ - front[2]) / (behind[2] - front[2]);
        for (int k = 0; k < 3; k++)
            behind[k] = front[k] + t * (behind[k] - front[k]);
        behind[2] = NearZ;
    }
    float x0, y0, x1, y1;
    CameraToScreen(ca, &x0, &y0);
    CameraToScreen(cb, &x1, &y1);
    if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1))
        return;
    if (!ClipToSurface(x0, y0, x1, y1))
        return;
    const float span = std::fmax(std::fabs(x1 - x0), std::fabs(y1 - y0));
    const int steps = (int)span + 1;
    for (int i = 0; i <= steps; i++) {
        const float t = (float)i / (float)steps;
        FillBox(surface, (int)(x0 + t * (x1 - x0)), (int)(y0 + t * (y1 - y0)), 1, 1, colour);
    }
}

void DrawWorldMark(PlatSurface* surface, float x, float y, float z, int half, uint32_t colour) {
    float sx, sy, depth;
    if (surface && ProjectToScreen(x, y, z, &sx, &sy, &depth))
        FillBox(surface, (int)sx - half, (int)sy - half, 2 * half + 1, 2 * half + 1, colour);
}

void EditorText(PlatSurface* surface, int x, int y, int colour, const char* format, ...) {
    if (!surface)
        return;
    char text[160];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    const int saved = DebugTextColour;
    DebugTextColour = colour;
    DrawDebugText(x, y, text, surface);
    DebugTextColour = saved;
}
