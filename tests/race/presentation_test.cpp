// The fly-by: CONFIG\Present.cfg read from a test's own folder, the camera
// flying its keyframes tick by tick with car 0 under it, and a file that
// cannot be flown put right.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <sys/stat.h>
#include <vector>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "frontend/frontend_state.h"
#include "platform/plat_file.h"
#include "race/presentation.h"
#include "race/race_state.h"
#include "race_track_util.h"
#include "render/render_state.h"

namespace {

PresentationKeyframe Flight(float x0, float z0, float x1, float z1, float steps, float duration) {
    PresentationKeyframe f = {};
    f.startX = x0;
    f.startY = -800.0f;
    f.startZ = z0;
    f.endX = x1;
    f.endY = -800.0f;
    f.endZ = z1;
    f.angleA = 0.25f;
    f.angleB = 1.0f;
    f.angleC = -0.1f;
    f.swayAmplitude = 0.5f;
    f.swayStep = 0.01f;
    f.steps = steps;
    f.focalFactor = 400.0f;
    f.duration = duration;
    return f;
}

struct FlyBy : ::testing::Test {
    std::vector<PresentationSet> image = std::vector<PresentationSet>(PRESENTATION_SETS);

    void SetUp() override {
        memset(image.data(), 0, image.size() * sizeof(PresentationSet));
        FrontEndActive = 0;
        SceneReady = 1;
        RacePaused = 0;
        PresentationCamera = 1;
        PresentationRun = 1;
        ScreenRight = 640.0f;
        TrackCode = 10;
    }
    void TearDown() override {
        PresentationCamera = 0;
        PresentationRun = 0;
        FrontEndActive = 1;
        SceneReady = 0;
        OwnCarVisible[0] = 1;
        // As the process starts: nothing loaded.
        memset((void*)PresentationSets, 0, sizeof PresentationSets);
        PresentationLoaded = 0;
    }

    // Writes the image as the folder's CONFIG\Present.cfg (size bytes) and
    // loads it.
    void LoadImage(size_t size = PRESENT_CFG_BYTES) {
        const std::string dir = MakeTestFolder("present");
        mkdir((dir + "/Config").c_str(), 0755);
        FILE* file = fopen((dir + "/Config/Present.cfg").c_str(), "wb");
        ASSERT_TRUE(file);
        std::vector<uint8_t> bytes(size, 0x7F);
        memcpy(bytes.data(), image.data(), size < (size_t)PRESENT_CFG_BYTES ? size : (size_t)PRESENT_CFG_BYTES);
        fwrite(bytes.data(), 1, bytes.size(), file);
        fclose(file);
        ASSERT_TRUE(PlatSetCurrentDir(dir.c_str()));
        LoadPresentationSets();
    }
};

TEST_F(FlyBy, CarZeroFollowsTheKeyframeTickByTickAndAdvancesAtTheDuration) {
    image[10].frames[0] = Flight(1000.0f, 2000.0f, 2000.0f, 6000.0f, 100.0f, 100.0f);
    image[10].frames[1] = Flight(5000.0f, 5000.0f, 5000.0f, 7000.0f, 50.0f, 20.0f);
    LoadImage();
    EXPECT_EQ(PresentationLoaded, 1);
    for (int tick = 1; tick <= 100; tick++) {
        UpdatePresentationCamera();
        ASSERT_NEAR(SimPosX[0], -(1000.0f + 10.0f * tick), 0.05f) << tick;
        ASSERT_NEAR(SimPosZ[0], -(2000.0f + 40.0f * tick), 0.2f) << tick;
        ASSERT_FLOAT_EQ(SimPosY[0], 800.0f);
    }
    EXPECT_EQ(OwnCarVisible[0], 0) << "the player's car is not drawn";
    EXPECT_FLOAT_EQ(ViewFocalScale, 400.0f);
    EXPECT_FLOAT_EQ(CameraPitch[0], 0.25f);
    EXPECT_FLOAT_EQ(CameraRoll[0], -0.1f);
    EXPECT_NEAR(AnguloDeDeriva[0], 1.0f + 0.5f * std::sin(1.0f), 1e-4f) << "the yaw sways";
    EXPECT_EQ(PresentationSets[10].keyframe, 0);

    UpdatePresentationCamera();   // tick 101 passes the duration
    EXPECT_EQ(PresentationSets[10].keyframe, 1);
    EXPECT_FLOAT_EQ(PresentationSets[10].x, 5000.0f);

    // Keyframe 2 starts at x 0.0: after keyframe 1 the flight wraps to 0.
    for (int tick = 0; tick < 21; tick++)
        UpdatePresentationCamera();
    EXPECT_EQ(PresentationSets[10].keyframe, 0);
    EXPECT_FLOAT_EQ(PresentationSets[10].x, 1000.0f);
}

TEST_F(FlyBy, WithoutTheRunTheSameKeyframeRepeats) {
    image[10].frames[0] = Flight(1000.0f, 0.0f, 2000.0f, 0.0f, 10.0f, 10.0f);
    image[10].frames[1] = Flight(5000.0f, 0.0f, 6000.0f, 0.0f, 10.0f, 10.0f);
    LoadImage();
    PresentationRun = 0;
    for (int tick = 0; tick < 11; tick++)
        UpdatePresentationCamera();
    EXPECT_EQ(PresentationSets[10].keyframe, 0);
    EXPECT_FLOAT_EQ(PresentationSets[10].x, 1000.0f);
}

TEST_F(FlyBy, Code41FliesSet42) {
    image[42].frames[0] = Flight(3000.0f, 0.0f, 4000.0f, 0.0f, 100.0f, 200.0f);
    image[41].frames[0] = Flight(9000.0f, 0.0f, 9900.0f, 0.0f, 100.0f, 200.0f);
    LoadImage();
    TrackCode = 41;
    UpdatePresentationCamera();
    EXPECT_FLOAT_EQ(SimPosX[0], -3010.0f);
    EXPECT_FLOAT_EQ(PresentationSets[41].x, 9000.0f) << "set 41 does not move";
    EXPECT_EQ(PresentationSetFor(57), 50);
    EXPECT_EQ(PresentationSetFor(79), 51);
    EXPECT_EQ(PresentationSetFor(33), 30);
    EXPECT_EQ(PresentationSetFor(78), 51);
    EXPECT_EQ(PresentationSetFor(12345), 0);
}

TEST_F(FlyBy, NothingMovesWithoutTheCameraOrWhilePaused) {
    image[10].frames[0] = Flight(1000.0f, 0.0f, 2000.0f, 0.0f, 10.0f, 10.0f);
    LoadImage();
    SimPosX[0] = 7.0f;
    RacePaused = 1;
    UpdatePresentationCamera();
    RacePaused = 0;
    PresentationCamera = 0;
    UpdatePresentationCamera();
    EXPECT_FLOAT_EQ(SimPosX[0], 7.0f);
}

TEST_F(FlyBy, AMissingFileLeavesTheDefaults) {
    const std::string dir = MakeTestFolder("nofile");
    ASSERT_TRUE(PlatSetCurrentDir(dir.c_str()));
    LoadPresentationSets();
    const PresentationKeyframe& f = PresentationSets[30].frames[5];
    EXPECT_EQ(f.startX, 0.0f);
    EXPECT_EQ(f.steps, 100.0f);
    EXPECT_EQ(f.focalFactor, 400.0f);
    EXPECT_EQ(f.duration, 200.0f);
    EXPECT_EQ(f.swayAmplitude, 1.0f);
}

TEST_F(FlyBy, AnUnflyableFileTakesDefaultsAndEndsAtABadPosition) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    image[10].frames[0] = Flight(1000.0f, 0.0f, 2000.0f, 0.0f, 0.0f, -4.0f);
    image[10].frames[0].focalFactor = nan;
    image[10].frames[1] = Flight(inf, 0.0f, 2000.0f, 0.0f, 10.0f, 10.0f);
    image[10].frames[2] = Flight(3000.0f, nan, 2000.0f, 0.0f, inf, 10.0f);
    // Steps so small that 1 / steps overflows, and a flight from beyond any
    // track.
    image[20].frames[0] = Flight(1000.0f, 0.0f, 1000.0f, 0.0f, 1.0e-41f, 10.0f);
    image[20].frames[1] = Flight(2.0e9f, 0.0f, 0.0f, 0.0f, 10.0f, 10.0f);
    // A longer file is read only as far as the table goes.
    LoadImage(PRESENT_CFG_BYTES + 4096);
    const PresentationKeyframe* f = PresentationSets[10].frames;
    EXPECT_EQ(f[0].steps, 100.0f);
    EXPECT_EQ(f[0].duration, 200.0f);
    EXPECT_EQ(f[0].focalFactor, 400.0f);
    EXPECT_EQ(f[1].startX, 0.0f) << "the sequence ends at keyframe 1";
    EXPECT_EQ(f[2].startX, 0.0f);
    EXPECT_EQ(f[2].steps, 100.0f);
    for (int tick = 0; tick < 300; tick++) {
        UpdatePresentationCamera();
        ASSERT_TRUE(std::isfinite(SimPosX[0]) && std::isfinite(SimPosY[0]) && std::isfinite(SimPosZ[0]));
        ASSERT_TRUE(std::isfinite(ViewFocalScale));
    }
    EXPECT_EQ(PresentationSets[10].keyframe, 0);
    EXPECT_EQ(PresentationSets[20].frames[0].steps, 100.0f);
    EXPECT_EQ(PresentationSets[20].frames[1].startX, 0.0f);
    TrackCode = 20;
    for (int tick = 0; tick < 30; tick++) {
        UpdatePresentationCamera();
        ASSERT_TRUE(std::isfinite(SimPosX[0]));
    }

    // Short images leave the rest of the table at its defaults.
    ParsePresentationSets((const uint8_t*)image.data(), 100);
    EXPECT_EQ(PresentationSets[78].frames[7].duration, 200.0f);
}

// The sample folder flies each set along the guide line of its own code, or
// of the first code built that shares it: set 10 along track 10 although
// track 12 (sharing set 10, its loop reversed) is built after it, set 42
// along track 42 although 41 (flying set 42) comes first; set 41, flown by
// no code, keeps the defaults.
TEST(SampleFlyBys, EachSetFliesAlongItsOwnCodesGuideLine) {
    const std::string folder = MakeTestGameFolder("flybys", false, {41, 10, 12, 42});
    const std::string bytes = ReadHostFile(folder + "/Config/Present.cfg");
    ASSERT_EQ(bytes.size(), (size_t)PRESENT_CFG_BYTES);
    std::vector<PresentationSet> sets(PRESENTATION_SETS);
    memcpy((void*)sets.data(), bytes.data(), bytes.size());
    EXPECT_EQ(sets[41].frames[0].startX, 0.0f);
    EXPECT_EQ(sets[41].frames[0].steps, 100.0f);
    for (int code : {10, 42}) {
        SCOPED_TRACE(code);
        const std::string dir = race_track::LoadTrack(code, 1);
        const int count = CpuLinePointCounts[CPU_LINE_GUIDE];
        ASSERT_GE(count, 8);
        for (int k = 0; k < 4; k++) {
            const CpuLinePoint& a = CpuLineTable[CPU_LINE_GUIDE][k * count / 4];
            const CpuLinePoint& b = CpuLineTable[CPU_LINE_GUIDE][(k * count / 4 + count / 16 + 1) % count];
            const PresentationKeyframe& f = sets[(size_t)code].frames[k];
            EXPECT_EQ(f.startX, -a.x) << k;
            EXPECT_EQ(f.startZ, -a.z) << k;
            EXPECT_EQ(f.endX, -b.x) << k;
            EXPECT_EQ(f.endZ, -b.z) << k;
        }
        race_track::Remove(dir);
    }
    SceneReady = 0;
    FrontEndActive = 1;
    TrackGroup = 1;
    TrackVariant = 0;
    TrackCode = 10;
}

}  // namespace
