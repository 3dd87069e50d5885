// The dashboard dial and the track map as screen triangles on the polygon
// list: their count, corners, uv and textures, and where the map puts the
// cars.

#include <gtest/gtest.h>

#include <vector>

#include "frame/frame_state.h"
#include "frontend/frontend_state.h"
#include "race/race_state.h"
#include "render/dial_map.h"
#include "render/polylist.h"
#include "render/render_state.h"

namespace {

struct Dial : ::testing::Test {
    void SetUp() override {
        DisplayConfig.width = 640;
        DisplayConfig.height = 480;
        SurfaceWidth = 640;
        SurfaceHeight = 480;
        ScreenBottom = 480.0f;
        ScreenRight = 640.0f;
        SmallScreen = 0;
        SplitScreen = 0;
        RacePaused = 0;
        EditorOpen = 0;
        FrontEndActive = 0;
        PresentationRun = 0;
        HudVisible = 1;
        PauseMenuOpen = 0;
        TrackGroup = 1;
        TrackCode = 10;
        CarCount = 1;
        for (int v = 0; v < 2; v++) {
            CarSpeed[v] = 0.0f;
            CarGear[v] = 1;
            ManualGearbox[v] = 0;
            DriveDirection[v] = 1;
            EngineRevs[v] = 0.0f;
        }
        EnginesReleased = 0;
        TextureSortPairCount = 0;
    }
    void TearDown() override {
        SurfaceWidth = 640;
        SurfaceHeight = 480;
        FrontEndActive = 1;
        CarCount = 0;
        TrackGroup = 1;
        TextureSortPairCount = 0;
    }

    // The textures of the triangles between two cursors, in list order.
    static std::vector<int> Slots(int from, int to) {
        std::vector<int> slots;
        for (int c = from; c < to; c += POLYGON_WORDS)
            slots.push_back(PolygonAt(c).slot);
        return slots;
    }
    static int Count(const std::vector<int>& slots, int slot) {
        int n = 0;
        for (int s : slots)
            n += s == slot;
        return n;
    }
};

TEST_F(Dial, SixteenTrianglesAndTwentyTwoOnTheJumpEvents) {
    const int start = 5 * POLYGON_WORDS;
    int end = DrawDashboardDial(0, start);
    EXPECT_EQ((end - start) / POLYGON_WORDS, 16);
    EXPECT_EQ(TextureSortPairCount, 2 * 16);
    EXPECT_EQ(TextureSortPairs[1], start) << "pairs name the cursor";
    TrackGroup = 4;
    end = DrawDashboardDial(0, 0);
    EXPECT_EQ(end / POLYGON_WORDS, 22);
    const std::vector<int> slots = Slots(0, end);
    EXPECT_EQ(Count(slots, 1806), 2);
    EXPECT_EQ(Count(slots, 1807), 2);
}

TEST_F(Dial, TheRevCounterQuadHasItsCornersAndUv) {
    DrawDashboardDial(0, 0);
    // The darkening layer first: 128 x 128 in the bottom-right corner.
    const ScreenPolygon& first = PolygonAt(0);
    EXPECT_EQ(first.slot, 1801);
    const float x0 = 640 - 3 - 128, y1 = 480 - 2;
    EXPECT_FLOAT_EQ(first.vertex[0].sx, x0);
    EXPECT_FLOAT_EQ(first.vertex[0].sy, y1);
    EXPECT_FLOAT_EQ(first.vertex[1].sy, y1 - 128);
    EXPECT_FLOAT_EQ(first.vertex[2].sx, x0 + 128);
    const float uv[2][3][2] = {{{0, 1}, {0, 0}, {1, 0}}, {{0, 1}, {1, 0}, {1, 1}}};
    for (int t = 0; t < 2; t++) {
        const ScreenPolygon& p = PolygonAt(t * POLYGON_WORDS);
        for (int k = 0; k < 3; k++) {
            EXPECT_FLOAT_EQ(p.vertex[k].u, uv[t][k][0]);
            EXPECT_FLOAT_EQ(p.vertex[k].v, uv[t][k][1]);
            EXPECT_FLOAT_EQ(p.vertex[k].q, 2.0f);
        }
    }
    EXPECT_FLOAT_EQ(PolygonAt(POLYGON_WORDS).vertex[2].sy, y1) << "the second triangle closes the quad";
    EXPECT_EQ(PolygonAt(2 * POLYGON_WORDS).slot, 1800);
}

TEST_F(Dial, SpeedDigitsFollowTheGroupScale) {
    // Each digit is a quad: two triangles of its cell.
    auto digits = [](int end, float* firstX) {
        std::vector<int> found;
        for (int c = 0; c < end; c += POLYGON_WORDS) {
            const int s = PolygonAt(c).slot;
            if (s >= 1860 && s <= 1869 && (c / POLYGON_WORDS) % 2 == 0) {
                if (found.empty())
                    *firstX = PolygonAt(c).vertex[0].sx;
                found.push_back(s);
            }
        }
        return found;
    };
    const float left = 640 - 3 - 128 - 56;
    float x = 0.0f;
    CarSpeed[0] = 100.0f;
    EXPECT_EQ(digits(DrawDashboardDial(0, 0), &x), (std::vector<int>{1861, 1863, 1860}));
    EXPECT_FLOAT_EQ(x, left);

    // Reversing fast enough to read -6: the sign draws nothing but keeps
    // its place.
    CarSpeed[0] = -5.0f;
    EXPECT_EQ(digits(DrawDashboardDial(0, 0), &x), (std::vector<int>{1860, 1866}));
    EXPECT_FLOAT_EQ(x, left + 16);
}

TEST_F(Dial, GearCellStandingMovingNeutralReverseAndManual) {
    struct Case {
        int gear, manual, released, direction;
        float speed;
        int want;
    };
    const Case cases[] = {
        {1, 0, 0, 1, 0.0f, 1870},   // standing in first: one below
        {1, 0, 0, 1, 10.0f, 1871},  // moving: the gear itself
        {0, 0, 0, 1, 0.0f, 1876},   // neutral
        {1, 0, 0, -1, 10.0f, 1877}, // reversing
        {3, 1, 1, 1, 0.0f, 1873},   // manual once released
        {3, 1, 0, 1, 0.0f, 1872},
    };
    for (const Case& c : cases) {
        CarGear[0] = c.gear;
        ManualGearbox[0] = c.manual;
        EnginesReleased = c.released;
        DriveDirection[0] = c.direction;
        CarSpeed[0] = c.speed;
        const int end = DrawDashboardDial(0, 0);
        int gear = 0;
        for (int s : Slots(0, end))
            if (s >= 1870 && s <= 1877)
                gear = s;
        EXPECT_EQ(gear, c.want) << "gear " << c.gear << " speed " << c.speed;
    }
    CarGear[0] = 9;   // no cell beyond 7
    CarSpeed[0] = 10.0f;
    EXPECT_EQ(DrawDashboardDial(0, 0) / POLYGON_WORDS, 14);
}

TEST_F(Dial, SplitScreenLiftsTheUpperDialAndHidesItWhenAsked) {
    SplitScreen = 1;
    ScreenBottom = 240.0f;
    DrawDashboardDial(0, 0);
    EXPECT_FLOAT_EQ(PolygonAt(0).vertex[0].sy, 480 - 240 - 2);
    ScreenBottom = 480.0f;
    DrawDashboardDial(1, 0);
    EXPECT_FLOAT_EQ(PolygonAt(0).vertex[0].sy, 480 - 2);
    HudVisible = 0;
    EXPECT_EQ(DrawDashboardDial(0, 0), 0);
    HudVisible = 1;
    PresentationRun = 1;
    EXPECT_EQ(DrawDashboardDial(0, 0), 0);
    PresentationRun = 0;
}

TEST_F(Dial, SmallModesHalveTheDial) {
    SurfaceWidth = 512;
    SurfaceHeight = 384;
    DrawDashboardDial(0, 0);
    const ScreenPolygon& first = PolygonAt(0);
    EXPECT_FLOAT_EQ(first.vertex[2].sx - first.vertex[0].sx, 64.0f);
}

TEST_F(Dial, MapPlacesACarTwoPixelsInsideItsLowerRightCorner) {
    TrackGroup = 3;
    TrackCode = 32;   // a map but no placement row: divisor 677.41, offsets 0
    const MapPlacement placement = TrackMapPlacement(32);
    EXPECT_EQ(placement.offsetX, 0);
    EXPECT_EQ(placement.offsetY, 0);
    const float D = placement.divisor;
    EXPECT_FLOAT_EQ(D, 677.41f);
    cocheX[0] = 124.0f * D;
    cocheZ[0] = 0.0f;
    const int end = DrawTrackMap(nullptr, 0);
    ASSERT_EQ(end / POLYGON_WORDS, 2);
    EXPECT_EQ(PolygonAt(0).slot, 2052);
    const float right = 84 + 64, bottom = 480 - 84 + 64;
    EXPECT_FLOAT_EQ(PolygonAt(POLYGON_WORDS).vertex[2].sx, right);
    EXPECT_FLOAT_EQ(PolygonAt(POLYGON_WORDS).vertex[2].sy, bottom);
    EXPECT_EQ(MapDotsReady, 1);
    EXPECT_EQ(MapDotPositions[0].x, (int)right - 2);
    EXPECT_EQ(MapDotPositions[0].y, (int)bottom - 2);
    EXPECT_EQ(TrackMapTexture(10, 1), 2044);
    EXPECT_EQ(TrackMapTexture(40, 4), 0) << "the jump events have no map";
    TrackGroup = 4;
    TrackCode = 40;
    EXPECT_EQ(DrawTrackMap(nullptr, 0), 0);
}

}  // namespace
