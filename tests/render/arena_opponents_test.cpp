// The arena's other cars on screen: whole quick races of an arena event
// with opponents, run in this process with car 0 on the autopilot, on both
// drawing paths.  In every race frame each opponent in view is drawn where
// the car log puts it: on the Direct3D path the recording device is given
// a draw in the opponent's colour there, on the software path the list the
// rasteriser reads holds polygons of it there and the picture shows its
// colour there.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "common/test_game.h"
#include "frame/display.h"
#include "frame/frame_state.h"
#include "frame/framework.h"
#include "frame/handover_trace.h"
#include "frontend/frontend_state.h"
#include "platform/plat_device.h"
#include "platform/plat_headless_devices.h"
#include "platform/plat_surface.h"
#include "race/car_log.h"
#include "race/race_state.h"
#include "render/d3d_textures.h"
#include "render/geometry.h"
#include "render/render_state.h"

namespace {

// The sample folder's arena car pictures: odd opponents lime, even ones
// magenta.
enum { TEX_ARENA_CAR = 60, TEX_ARENA_CAR_ALT = 61 };

int TextureOfOpponent(int car) { return car % 2 == 1 ? TEX_ARENA_CAR : TEX_ARENA_CAR_ALT; }

struct Point {
    float x, y;
};

// Where a world point of view 0 lands on the screen, as the scene builder
// projects it; false behind the camera or too near for a whole body.
bool Project(float x, float y, float z, Point* screen, float* depth) {
    LoadIdentityRender();
    MatrixRotateXZY(CameraPitch[0], AnguloDeDeriva[0], CameraRoll[0]);
    const float p[3] = {x + EyeX[0], y + EyeY[0], z + EyeZ[0]};
    float q[3];
    for (int k = 0; k < 3; k++)
        q[k] = p[0] * RenderMatrix[0][k] + p[1] * RenderMatrix[1][k] + p[2] * RenderMatrix[2][k];
    if (!(q[2] > 1500.0f))
        return false;
    *depth = q[2];
    screen->x = ScreenCentreX + ViewFocalScale / q[2] * q[0];
    screen->y = ScreenCentreY - ViewFocalScale / q[2] * q[1];
    return true;
}

// What one opponent showed in the frames it was in full view.
struct Sighting {
    int framesInView = 0;
    int framesDrawn = 0;      // a draw (or polygons) of its colour at its place
    int framesColoured = 0;   // software: its colour on the picture at its place
};

struct FramePlace {
    int car;
    float x, y, z;
};

struct Watch {
    int software = 0;
    int raceFrames = 0;
    int lostEvents = 0;
    Sighting seen[MAX_CARS];
    std::vector<FramePlace> places;   // every opponent's frame position, to find in the car log
} watch;

float Distance(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

// The device's draws of this frame in the opponent's texture with a corner
// within `radius` of its place.
int DrawsNear(int car, Point at, float radius) {
    PlatDevice* device = FrameworkDevice();
    PlatSurface* texture = TextureOf(TextureOfOpponent(car));
    if (!device || !texture)
        return 0;
    int near = 0;
    PlatDeviceEvent event;
    for (int i = 0; i < PlatDeviceEventCount(device); i++) {
        if (!PlatDeviceEventAt(device, i, &event) || event.kind != PLAT_EV_DRAW || event.texture != texture)
            continue;
        for (const PlatTLVertex& v : event.vertex)
            near += Distance({v.sx, v.sy}, at) < radius;
    }
    return near;
}

// The polygons of the list the rasteriser draws from, in the opponent's
// texture, with a corner within `radius` of its place.
int PolygonsNear(int car, Point at, float radius) {
    int near = 0;
    for (int k = 0; k + 1 < TextureSortPairCount; k += 2) {
        const ScreenPolygon& polygon = PolygonList[TextureSortPairs[k + 1] / POLYGON_WORDS];
        if (polygon.slot != TextureOfOpponent(car))
            continue;
        for (const ScreenVertex& v : polygon.vertex)
            near += Distance({v.sx, v.sy}, at) < radius;
    }
    return near;
}

// Pixels of the opponent's colour (lime or magenta, however lit) on the
// presented picture within `radius` of its place.
int ColouredNear(int car, Point at, float radius) {
    PlatSurface* target = GetRenderTarget();
    void* bits = nullptr;
    int pitch = 0;
    if (!target || PlatSurfaceLock(target, nullptr, PLAT_WAIT | PLAT_LOCK_READONLY, &bits, &pitch) != DD_OK)
        return 0;
    const int format = PlatSurfaceFormat(target), bytes = PlatPixelFormatBytes(format);
    const int width = PlatSurfaceWidth(target), height = PlatSurfaceHeight(target);
    int n = 0;
    for (int y = (int)(at.y - radius); y <= (int)(at.y + radius); y++) {
        for (int x = (int)(at.x - radius); x <= (int)(at.x + radius); x++) {
            if (x < 0 || y < 0 || x >= width || y >= height)
                continue;
            uint32_t pixel = 0;
            std::memcpy(&pixel, (const uint8_t*)bits + (size_t)y * pitch + (size_t)x * bytes, (size_t)bytes);
            int r, g, b, a;
            PlatRgbFromPixel(format, pixel, &r, &g, &b, &a);
            const bool lime = g > 40 && g > 2 * r && g > 2 * b;
            const bool magenta = r > 40 && b > 40 && r > 2 * g && b > 2 * g;
            n += car % 2 == 1 ? lime : magenta;
        }
    }
    PlatSurfaceUnlock(target);
    return n;
}

// Every presented frame of the race from the start: each opponent whose
// body lies wholly in the view, not too far for its shape to show.
void CheckOpponents(const char* step) {
    if (std::strcmp(step, "frame presented") != 0)
        return;
    PlatDevice* device = FrameworkDevice();
    const int events = device ? PlatDeviceEventCount(device) : 0;
    const bool race = !FrontEndActive && RacePhase == 0 && TrackGroup == 5 && !RacePaused;
    if (race && watch.raceFrames++ > 0) {
        watch.lostEvents += events >= 4096;
        for (int car = 1; car <= ArenaOpponents && car < MAX_CARS; car++) {
            watch.places.push_back({car, cocheX[car], cocheY[car], cocheZ[car]});
            Point at;
            float depth;
            if (!Project(cocheX[car], cocheY[car] + 140.0f, cocheZ[car], &at, &depth) || depth > 12000.0f)
                continue;
            // The body's half length on the screen, and a margin.
            const float radius = 600.0f * ViewFocalScale / depth + 4.0f;
            if (at.x - radius < 0 || at.x + radius > SurfaceWidth || at.y - radius < 0 || at.y + radius > SurfaceHeight)
                continue;
            Sighting& seen = watch.seen[car];
            seen.framesInView++;
            if (watch.software) {
                seen.framesDrawn += PolygonsNear(car, at, radius) > 0;
                seen.framesColoured += ColouredNear(car, at, radius) >= 6;
            } else {
                seen.framesDrawn += DrawsNear(car, at, radius) > 0;
            }
        }
    }
    // Each frame's drawing on its own.
    if (device)
        PlatDeviceClearEvents(device);
}

using CarLogPlaces = std::map<std::tuple<int, float, float, float>, int>;

// Every (car, x, y, z) of the car log's lines.
CarLogPlaces ReadCarLog(const std::string& path) {
    CarLogPlaces places;
    std::istringstream in(ReadHostFile(path));
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string kind, x, y, z;
        int tick = 0, car = 0;
        if (words >> kind >> tick >> car >> x >> y >> z && kind == "car")
            places[{car, std::strtof(x.c_str(), nullptr), std::strtof(y.c_str(), nullptr),
                    std::strtof(z.c_str(), nullptr)}]++;
    }
    return places;
}

// The race of `code` for `frames` frames on the folder's drawing path.
void RaceAndWatch(const std::string& dir, int code, int frames, bool software) {
    watch = Watch{};
    watch.software = software;
    const std::string start = WriteStartScript(dir);
    const std::string log = dir + "/cars.log";
    CommandLineOptions options = {};
    options.frames = frames;
    options.autorace = 1;
    options.autopilot = 1;
    options.track = code;
    options.carlog = log.c_str();
    options.script = start.c_str();
    PlatHeadlessSetDeviceBackend(PLAT_DEVICE_RECORDING);
    ASSERT_EQ(OpenCarLog(log.c_str()), 1);
    HandoverTraceWatch(CheckOpponents);
    const int status = RunHeadlessGameWith(options);
    HandoverTraceWatch(nullptr);
    CloseCarLog();
    ASSERT_EQ(status, 0);
    ASSERT_EQ(RenderKind, software ? 0 : 1);
    EXPECT_EQ(watch.lostEvents, 0) << "the recording device kept every event of a frame";
    ASSERT_GT(watch.raceFrames, frames / 2);

    const CarLogPlaces logged = ReadCarLog(log);
    int found = 0;
    for (const FramePlace& p : watch.places)
        found += logged.count({p.car, p.x, p.y, p.z}) > 0;
    EXPECT_EQ(found, (int)watch.places.size()) << "each frame drew the opponents where the car log has them";

    for (int car = 1; car <= ArenaOpponents; car++) {
        const Sighting& seen = watch.seen[car];
        printf("track %d %s: opponent %d in view %d frames, drawn there in %d", code, software ? "software" : "Direct3D",
               car, seen.framesInView, seen.framesDrawn);
        printf(software ? ", its colour there in %d\n" : "\n", seen.framesColoured);
        EXPECT_GT(seen.framesInView, 0) << "opponent " << car << " came into view";
        EXPECT_EQ(seen.framesDrawn, seen.framesInView) << "opponent " << car;
        if (software) {
            EXPECT_GE(seen.framesColoured, seen.framesInView * 3 / 4) << "opponent " << car << " shows";
        }
    }
}

}  // namespace

TEST(ArenaOpponents, EachOpponentIsDrawnWhereTheCarLogPutsItOnTheDirect3DPath) {
    const std::string dir = MakeTestGameFolder("direct3d", false, {51});
    RaceAndWatch(dir, 51, 1500, false);
}

TEST(ArenaOpponents, EachOpponentIsDrawnAndShowsWhereTheCarLogPutsItOnTheSoftwarePath) {
    const std::string dir = MakeTestGameFolder("software", true, {51});
    RaceAndWatch(dir, 51, 1500, true);
}
