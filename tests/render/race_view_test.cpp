// The race set from the sample folder: model sets, the scene builder's
// lists, the software frame's stamps, and a whole race view on screen.

#include <gtest/gtest.h>

#include <bit>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "frame/display.h"
#include "frame/utils.h"
#include "frontend/frontend_state.h"
#include "platform/plat_surface.h"
#include "race/car_pose.h"
#include "race/race_frame.h"
#include "race/race_setup.h"
#include "race/race_state.h"
#include "render/geometry.h"
#include "render/lookup_tables.h"
#include "render/model_sets.h"
#include "render/objects.h"
#include "render/polylist.h"
#include "render/rasteriser.h"
#include "render/render_state.h"
#include "render/scene_builder.h"
#include "render/soft_frame.h"
#include "render/textures.h"
#include "track/asset_paths.h"
#include "track/track_files.h"
#include "track/track_state.h"

namespace {

// A race on track 10 loaded as the race start loads it, without the frame.
void LoadSampleRace(std::vector<int> models) {
    MakeTestGameFolder("raceview", true);
    RenderKind = 0;
    GreenMaskBits = 6;
    DisplayConfig.width = 640;
    DisplayConfig.height = 480;
    AllocWorkBuffers();
    BuildReciprocalTable();
    BuildSqrtTable();
    BuildLightClampTable();
    SetupLightDirection();
    FrontEndActive = 0;
    TrackGroup = 1;
    TrackVariant = 0;
    CarCount = (int)models.size();
    for (size_t c = 0; c < models.size(); c++) {
        CarModel[c] = models[c];
        CarColour[c] = (int)c % 4;
    }
    SetTrackFolder();
    LoadZones();   // as the race start loads them
    LoadCameraTable();
    StartRace();
    LoadTrackData();
    PrepareTrackGraphics(nullptr);
    SurfaceWidth = 640;
    SurfaceHeight = 480;
    ScreenRight = 640.0f;
    ScreenBottom = 480.0f;
    ScreenCentreX = 320.0f;
    ScreenCentreY = 240.0f;
    ViewFocalScale = 224.0f;
    LastFrameTicks = 1;
    UpdateRaceFrame();
}

TEST(RaceModels, EveryCarsPartsAreBoundToTheirOwnSlots) {
    LoadSampleRace({0, 6, 16, 5});
    EXPECT_GT(SceneryTriangleEnd, 0);
    EXPECT_GT(CarsTriangleEnd, SceneryTriangleEnd);
    for (int car = 0; car < 4; car++) {
        char name[16];
        for (int j = 0; j < 4; j++) {
            snprintf(name, sizeof name, "RUEDA%d%d", car, j + 1);
            EXPECT_STREQ(ObjectNameTable[CarWheelObjects[car][j]], name);
        }
        snprintf(name, sizeof name, "1_CARRO%d", car + 1);
        EXPECT_STREQ(ObjectNameTable[FirstCarObject + car], name) << "the bodies follow one another";
        snprintf(name, sizeof name, "INTER%02d%d", CarModel[car], CarColour[car]);
        EXPECT_STREQ(ObjectNameTable[CarBodyObject[car]], name);
    }
    EXPECT_STREQ(ObjectNameTable[CarArmObjects[1][0]], "BRAZOIZ1") << "model 6 has arms";
    EXPECT_STREQ(ObjectNameTable[CarLampSingleObject[3]], "FAROA05");
    EXPECT_STREQ(ObjectNameTable[DustObject], "POLVO");
    // Model 16 has no pipes: its slot was never bound.
    for (int slot = 0; slot < OBJECT_SLOTS; slot++)
        EXPECT_STRNE(ObjectNameTable[slot], "TUBOS16");
    // A wheel is the wheel and its tyre merged into one object.
    EXPECT_EQ(ObjectEntries[CarWheelObjects[0][0]].triangleCount, 16 + 48);
    // The painted shell of car 1 (paint 1) moved its textures by 100.
    const ObjectEntry& shell = ObjectEntries[FirstCarObject + 1];
    EXPECT_EQ(TrianglePool[shell.triangleOffset / 16].texture & 0xFFFF, 1100u);
    // The per-model rows: model 6's rear wheels and model 5's head.
    EXPECT_FLOAT_EQ(WheelOffsetX[1][3], 133.5f);
    EXPECT_FLOAT_EQ(WheelOffsetZ[1][2], -223.0f);
    EXPECT_FLOAT_EQ(HeadOffset[3][1], 180.0f);
    EXPECT_EQ(RaceCarCount, 4);
}

TEST(RaceModels, EightCarsOfOneModelLoadTheirPartsEightTimes) {
    LoadSampleRace({0, 0, 0, 0, 0, 0, 0, 0});
    int shells = 0, bodies = 0;
    for (int slot = 0; slot < OBJECT_SLOTS; slot++) {
        shells += strncmp(ObjectNameTable[slot], "1_CARRO", 7) == 0;
        bodies += strcmp(ObjectNameTable[slot], "INTER000") == 0 || strcmp(ObjectNameTable[slot], "INTER001") == 0 ||
                  strcmp(ObjectNameTable[slot], "INTER002") == 0 || strcmp(ObjectNameTable[slot], "INTER003") == 0;
    }
    EXPECT_EQ(shells, 8);
    EXPECT_EQ(bodies, 8);
    // Layout 1: car 7 at the left start point, car 0 in the fourth row.
    EXPECT_FLOAT_EQ(SimPosX[7], 59971.0f);
    EXPECT_FLOAT_EQ(SimPosZ[7], 63465.0f);
    EXPECT_FLOAT_EQ(SimPosX[0], 58653.0f);
    EXPECT_FLOAT_EQ(SimPosZ[0], 51239.0f);
}

TEST(SceneBuilder, ARaceViewHasTheWorldTheCarsAndSortedCarPass) {
    LoadSampleRace({0, 6, 1, 12});
    const int cursor = BuildScene(0, 0);
    ASSERT_GT(cursor, 0);
    EXPECT_EQ(cursor % POLYGON_WORDS, 0);
    EXPECT_EQ(TextureSortPairCount, 2 * cursor / POLYGON_WORDS) << "one pair per polygon on this path";
    int world = 0, hills = 0, shadows = 0;
    std::vector<int> cars;
    for (int i = 0; i < TextureSortPairCount; i += 2) {
        const ScreenPolygon& p = PolygonList[TextureSortPairs[i + 1] / POLYGON_WORDS];
        world += p.mode == 2;
        hills += p.slot == 76;
        shadows += p.mode == 6;
        if (p.mode == 3 || p.mode == 5)
            cars.push_back(TextureSortPairs[i]);
    }
    EXPECT_GT(world, 50);
    EXPECT_GT(hills, 0);
    EXPECT_GT(shadows, 0);
    ASSERT_GT(cars.size(), 20u);
    // The car pass (everything after the wheels) runs in texture order.
    int descents = 0;
    for (size_t i = 1; i < cars.size(); i++)
        descents += cars[i] < cars[i - 1];
    EXPECT_LE(descents, 1) << "the wheels' run, then the car pass, each sorted";
    // Far cars get a coarser detail class; the viewed car the finest.
    EXPECT_EQ(CarDetailLevel[0], 0);
    EXPECT_GE(CarDetailLevel[3], 1);

    // Nothing loaded: an empty list and the cursor back.
    TriangleTotal = 0;
    EXPECT_EQ(BuildScene(40, 0), 40);
    EXPECT_EQ(TextureSortPairCount, 0);
}

// Car 1's polygons of the given modes in view 0, with car 1 `distance`
// straight ahead of the camera and car 0 far behind it.  The camera looks
// along world x, so the drawers' range gates (world z only) let car 1
// through at any distance: only the scene builder's own gates hold it back.
int FarCarPolygons(float distance, std::initializer_list<int> modes) {
    const float eye[3] = {50000.0f, 3000.0f, 50000.0f};
    EyeX[0] = -eye[0];
    EyeY[0] = -eye[1];
    EyeZ[0] = -eye[2];
    CameraPitch[0] = 0.0f;
    AnguloDeDeriva[0] = -1.5707964f;
    CameraRoll[0] = 0.0f;
    cocheX[0] = eye[0];
    cocheZ[0] = eye[2] + 300000.0f;
    cocheX[1] = eye[0] + distance;
    cocheZ[1] = eye[2];
    for (int car = 0; car < 2; car++) {
        cocheY[car] = eye[1] - 250.0f;
        CarGroundHeight[car] = cocheY[car] - 68.0f;
        VelocityX[car] = VelocityZ[car] = 0.0f;
    }
    BuildScene(0, 0);
    int count = 0;
    for (int i = 0; i < TextureSortPairCount; i += 2) {
        const int mode = PolygonList[TextureSortPairs[i + 1] / POLYGON_WORDS].mode;
        for (int m : modes)
            count += mode == m;
    }
    return count;
}

// A car 35,001 or more from the camera has only its interior (and head and
// arms) drawn; beyond 26,200 it also loses its shadow.  Between the two
// gates the body is drawn without a shadow.
TEST(SceneBuilder, FarCarsLoseTheirBodyAndShadow) {
    LoadSampleRace({0, 0});
    // The distances are the table square root's, a little short of the true
    // ones.
    const int nearShadow = FarCarPolygons(20000.0f, {6});
    EXPECT_LT(CarViewDistance[1], 26200);
    EXPECT_GT(nearShadow, 0) << "car 1's shadow, within 26,200";
    EXPECT_EQ(CarDetailLevel[1], 3);

    const int betweenShadow = FarCarPolygons(30000.0f, {6});
    const int betweenCar = FarCarPolygons(30000.0f, {3, 5});
    EXPECT_GT(CarViewDistance[1], 26200);
    EXPECT_EQ(betweenShadow, 0) << "no shadow beyond 26,200";
    EXPECT_GT(betweenCar, 0);

    const int justInside = FarCarPolygons(34900.0f, {3, 5});
    EXPECT_LT(CarViewDistance[1], 35001);
    EXPECT_EQ(justInside, betweenCar) << "the body is still drawn";
    const int farCar = FarCarPolygons(35300.0f, {3, 5});
    EXPECT_GE(CarViewDistance[1], 35001);
    EXPECT_GT(farCar, 0) << "the interior is still drawn";
    EXPECT_LT(farCar, betweenCar) << "no body, frame or bonnet from 35,001 on";
}

// The showroom's focal scale is the design's own bit pattern, a hair
// below 249.6.
TEST(SceneBuilder, TheShowroomSetsItsCameraAndFocalScale) {
    LoadSampleRace({0});
    FrontEndActive = 1;
    BuildScene(0, 0);
    EXPECT_EQ(std::bit_cast<uint32_t>(ViewFocalScale), 0x43799993u);
    EXPECT_EQ(cocheZ[0], 950.0f);
    EXPECT_EQ(EyeX[0], 20.0f);
    EXPECT_EQ(CameraPitch[0], -0.5f);
    FrontEndActive = 0;
}

// The water rises by the frame's ticks on the buggy tracks, on the Direct3D
// path whatever the effects switch says; not in split screen, not on the
// two arena codes, not on the software path.
TEST(SceneBuilder, TheWaterNeedsNoEffectsSwitch) {
    LoadSampleRace({0});
    // The sample circuit's world and a water surface stand in for a buggy
    // track's (and a can for the arena codes).
    snprintf(ObjectNameTable[FindObject("MUNDO01")], OBJECT_NAME_LENGTH, "MUNDO07");
    int water = 0;
    while (ObjectNameTable[water][0] != 0)
        water++;
    const int can = water + 1;
    snprintf(ObjectNameTable[water], OBJECT_NAME_LENGTH, "AGUA");
    snprintf(ObjectNameTable[can], OBJECT_NAME_LENGTH, "LATA");
    ObjectEntries[water] = ObjectEntries[can] = ObjectEntries[FindObject("POLVO")];
    RenderKind = 1;
    EffectsOption = 0;
    TrackGroup = 7;
    TrackCode = 70;
    FrameTicks = 2;
    WaterLevel = 0.0f;
    WaterFalling = 0;
    BuildScene(0, 0);
    EXPECT_EQ(WaterLevel, 2.0f);
    for (int setting = 0; setting < 3; setting++) {
        SplitScreen = setting == 0;
        TrackCode = setting == 1 ? 78 : 70;
        RenderKind = setting == 2 ? 0 : 1;
        BuildScene(0, 0);
        EXPECT_EQ(WaterLevel, 2.0f) << setting;
    }
    SplitScreen = 0;
    RenderKind = 0;
    TrackGroup = 1;
    TrackCode = 10;
    memset(ObjectNameTable[water], 0, OBJECT_NAME_LENGTH);
    memset(ObjectNameTable[can], 0, OBJECT_NAME_LENGTH);
    snprintf(ObjectNameTable[FindObject("MUNDO07")], OBJECT_NAME_LENGTH, "MUNDO01");
}

// The view's zone is searched from 96 up to, not including, 147 (120 on
// the jump tracks): a zone at the range's end is not found, and the zone
// found last stays.
TEST(SceneBuilder, TheViewsZoneIsSearchedUpToTheRangesEnd) {
    cocheX[0] = cocheZ[0] = 5000.0f;
    memset(&WorldSectionTable, 0, sizeof WorldSectionTable);
    auto zoneFound = [](int group, int index) {
        memset(&ZoneTable, 0, sizeof ZoneTable);
        ZoneRecord& zone = ZoneTable.records[index];
        zone.vertexWords = 16;
        const int corners[4][2] = {{0, 0}, {10000, 0}, {10000, 10000}, {0, 10000}};
        for (int k = 0; k < 4; k++)
            zone.vertices[k] = {corners[k][0], 0, corners[k][1], 0};
        zone.visibility[0] = index;
        CurrentViewZone = 0;
        TrackGroup = group;
        EXPECT_EQ(DrawWorldSections(40, 0, 0.0f, 0.0f, 0.0f, 0), 40) << "no sections exist";
        return (int)CurrentViewZone;
    };
    EXPECT_EQ(zoneFound(1, 96), 96);
    EXPECT_EQ(zoneFound(1, 146), 146);
    EXPECT_EQ(zoneFound(1, 147), 0);
    EXPECT_EQ(zoneFound(4, 119), 119);
    EXPECT_EQ(zoneFound(4, 120), 0);
    memset(&ZoneTable, 0, sizeof ZoneTable);
    TrackGroup = 1;
}

// The software frame ages the depth buffer by stamps: 126 frames with
// stamps 1..126, then a clear and stamp 0, then 1 again.
TEST(SoftFrame, DepthStampsRunAndTheWrapClearsTheDepthArea) {
    AllocWorkBuffers();
    BuildReciprocalTable();
    GreenMaskBits = 6;
    RenderKind = 0;
    FrontEndActive = 1;   // the menu scene: no sky, no scene of its own
    SurfaceWidth = 640;
    SurfaceHeight = 480;
    ScreenBottom = 480.0f;
    ASSERT_EQ(PlatSurfaceCreate(640, 1440, PLAT_PF_RGB565, PLAT_SURF_SYSTEMMEMORY, &WorkSurface), DD_OK);
    TextureSortPairCount = 0;
    DepthStampCounter = 0;
    for (int frame = 1; frame <= 126; frame++) {
        DrawRaceFrame();
        ASSERT_EQ(DepthStamp, (uint32_t)frame << 24);
    }
    // Something left in the depth area is gone after the wrap.
    RefreshWorkSurfacePointer();
    ASSERT_NE(FrameBufferPixels, nullptr);
    int32_t* depth = (int32_t*)(FrameBufferPixels + SOFT_DEPTH_OFFSET);
    depth[0] = 0x7E123456;
    depth[640 * 479 + 639] = 0x7E123456;
    DrawRaceFrame();
    EXPECT_EQ(DepthStamp, 0u);
    EXPECT_EQ(depth[0], 0);
    EXPECT_EQ(depth[640 * 479 + 639], 0);
    DrawRaceFrame();
    EXPECT_EQ(DepthStamp, 1u << 24);

    // A clear asked for from another thread happens at the next frame.
    depth[100] = 0x01020304;
    RequestDepthClear();
    DrawRaceFrame();
    EXPECT_EQ(depth[100], 0);
    EXPECT_EQ(DepthClearRequest.load(), 0);
    PlatSurfaceRelease(WorkSurface);
    WorkSurface = nullptr;
}

// Two players share the screen: the upper view is drawn in the top half,
// the lower one below it, and every metric the frame changed for them is
// back at its value when the frame returns.
TEST(SoftFrame, ASplitFrameDrawsBothHalvesAndRestoresTheMetrics) {
    LoadSampleRace({0, 0});
    ASSERT_EQ(PlatSurfaceCreate(640, 1440, PLAT_PF_RGB565, PLAT_SURF_SYSTEMMEMORY, &WorkSurface), DD_OK);
    RefreshWorkSurfacePointer();
    const uint16_t marker = 0x0821;
    for (int y = 0; y < 480; y++)
        for (int x = 0; x < 640; x++)
            ((uint16_t*)(FrameBufferPixels + y * SOFT_ROW_BYTES))[x] = marker;
    // The second player looks through the first one's camera.
    EyeX[1] = EyeX[0];
    EyeY[1] = EyeY[0];
    EyeZ[1] = EyeZ[0];
    CameraPitch[1] = CameraPitch[0];
    AnguloDeDeriva[1] = AnguloDeDeriva[0];
    CameraRoll[1] = CameraRoll[0];
    SplitScreen = 1;
    FrameTicks = 1;
    ViewedCar[0] = 0;
    UpdateScreenMetrics();
    const float centreX = ScreenCentreX, centreY = ScreenCentreY, right = ScreenRight, bottom = ScreenBottom;
    const int height = SurfaceHeight, width = SurfaceWidth;
    const float focal = ViewFocalScale;

    DrawRaceFrame();
    EXPECT_EQ(ScreenCentreX, centreX);
    EXPECT_EQ(ScreenCentreY, centreY);
    EXPECT_EQ(ScreenRight, right);
    EXPECT_EQ(ScreenBottom, bottom);
    EXPECT_EQ(SurfaceHeight, height);
    EXPECT_EQ(SurfaceWidth, width);
    EXPECT_EQ(ViewFocalScale, focal);

    auto drawnRows = [&](int first, int last) {
        int rows = 0;
        for (int y = first; y < last; y++) {
            const uint16_t* row = (const uint16_t*)(FrameBufferPixels + y * SOFT_ROW_BYTES);
            int drawn = 0;
            for (int x = 0; x < 640; x++)
                drawn += row[x] != marker;
            rows += drawn > 320;
        }
        return rows;
    };
    EXPECT_GT(drawnRows(120, 240), 60) << "the upper view";
    EXPECT_GT(drawnRows(360, 480), 60) << "the lower view";
    SplitScreen = 0;
    PlatSurfaceRelease(WorkSurface);
    WorkSurface = nullptr;
}

// The whole game, software kind: the race view's screenshot shows sky at
// the top, the road at the bottom and the red car in the middle.
TEST(SoftFrame, TheAutoraceScreenshotShowsTheCircuitAndTheCars) {
    const std::string dir = MakeTestGameFolder("screenshot", true);
    WriteStartScript(dir);
    ASSERT_EQ(RunBuiltProgram("quorvix", {"--headless", "--autorace", "--script", "start.txt", "--frames", "60",
                                          "--screenshot"},
                              dir),
              0);
    const std::string tga = ReadHostFile(dir + "/0000.TGA");
    ASSERT_EQ(tga.size(), 18u + 640 * 480 * 3);
    auto rgb = [&](int x, int y) {
        const size_t i = 18 + ((size_t)y * 640 + x) * 3;
        return std::vector<int>{(uint8_t)tga[i + 2], (uint8_t)tga[i + 1], (uint8_t)tga[i]};
    };
    int sky = 0, road = 0, red = 0, black = 0;
    for (int y = 0; y < 480; y += 4) {
        for (int x = 0; x < 640; x += 4) {
            const std::vector<int> c = rgb(x, y);
            sky += y < 120 && c[2] > 150 && c[2] > c[0] + 40;
            road += y > 400 && std::abs(c[0] - c[1]) < 16 && c[0] > 60 && c[0] < 140;
            red += c[0] > 150 && c[1] < 80 && c[2] < 80;
            black += c[0] == 0 && c[1] == 0 && c[2] == 0;
        }
    }
    EXPECT_GT(sky, 3000) << "the sky fills the top";
    EXPECT_GT(road, 1500) << "the road fills the bottom";
    EXPECT_GT(red, 300) << "car 0 and the wall blocks";
    EXPECT_LT(black, 100) << "nothing left undrawn";
}

}  // namespace
