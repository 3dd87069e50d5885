// The race files of the sample game folder: the car table and the camera
// table, as the generator writes them and the game reads them, and a camera
// table holding values no camera can have.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "common/test_game.h"
#include "mkdata.h"
#include "platform/plat_file.h"
#include "race/cameras.h"
#include "race/car_pose.h"
#include "race/motion_table.h"
#include "race/race_state.h"
#include "race/tuning.h"

void MkSetRoot(const std::string& root);

namespace {

TEST(SampleData, TheCarTableMeetsItsTargetsAndLoadsAsWritten) {
    const std::string dir = MakeTestFolder("race-data");
    MkSetRoot(dir);
    MkOptions options;
    options.outDir = dir;
    ASSERT_TRUE(MakeRaceData(options));
    const std::string motion = ReadHostFile(dir + "/Config/Motion.dat");
    ASSERT_EQ(motion.size(), (size_t)MOTION_FILE_BYTES);
    EXPECT_EQ(ReadHostFile(dir + "/Config/springs.cfg"), motion) << "the same image";

    float table[MOTION_MODELS][MOTION_COLUMNS];
    memcpy(table, motion.data(), sizeof table);
    for (int model = 0; model < MOTION_MODELS; model++) {
        SCOPED_TRACE(model);
        const float* row = table[model];
        EXPECT_EQ(memcmp(row, BuiltInMotionRow(model), sizeof table[model]), 0) << "the game's built-in row";
        EXPECT_EQ(row[MOTION_FRONT_RADIUS], 68.0f);
        EXPECT_EQ(row[MOTION_REAR_RADIUS], 68.0f);
        // Sag under the weight at gravity 3, and the body's height above the
        // wheel centres once it has sagged.
        const float springs = 2.0f * (row[MOTION_FRONT_DAMPING] + row[MOTION_REAR_DAMPING]);
        const float sag = row[MOTION_MASS] * 3.0f / springs;
        EXPECT_GE(sag, 40.0f);
        EXPECT_LE(sag, 70.0f);
        EXPECT_GE(row[MOTION_FRONT_SEPARATION] - sag, 5.0f);
        EXPECT_LE(row[MOTION_FRONT_SEPARATION] - sag, 20.0f);
        EXPECT_LT(row[MOTION_SPRING_STOP], row[MOTION_FRONT_SEPARATION] - sag) << "the stop lies below rest";
        EXPECT_TRUE(MotionRowUsable(row));
    }

    // The game reads them back: springs first, Motion.dat over it.
    ASSERT_TRUE(PlatSetCurrentDir(dir.c_str()));
    memset(MotionTable, 0, sizeof MotionTable);
    EXPECT_EQ(LoadSpringsTable(), 1);
    EXPECT_EQ(LoadMotionTable(), 1);
    EXPECT_EQ(memcmp(MotionTable, table, sizeof table), 0);

    // The camera table is the built-in one.
    const std::string cameras = ReadHostFile(dir + "/Config/cameras.cfg");
    ASSERT_EQ(cameras.size(), 760u);
    memset(CameraTable, 0, sizeof CameraTable);
    LoadCameraTable();
    EXPECT_EQ(memcmp(cameras.data(), CameraTable, sizeof CameraTable), 0);
    EXPECT_EQ(CameraTable[1][1][0], 300.0f);
    EXPECT_EQ(CameraTable[13][1][1], 168.0f);
    EXPECT_EQ(CameraTable[0][0][1], -679.0f);
}

// The chase eye's distance is taken as a whole number: a value of the file
// that is no number keeps the built-in one, one far too big is held, and a
// view changed to either gives an eye within reach.
TEST(SampleData, CameraValuesThatCannotBeTheirsAreHeld) {
    const std::string dir = MakeTestFolder("race-cameras");
    ASSERT_TRUE(PlatSetCurrentDir(dir.c_str()));
    ASSERT_EQ(system(("mkdir -p '" + dir + "/Config'").c_str()), 0);
    float table[CAMERA_TABLE_MODELS][CAMERA_TABLE_PAIRS][2];
    for (auto& model : table) {
        for (auto& pair : model) {
            pair[0] = 200.0f;
            pair[1] = -500.0f;
        }
    }
    table[0][1][0] = NAN;
    table[0][1][1] = 1.0e20f;
    table[3][2][0] = -INFINITY;
    table[3][2][1] = NAN;
    std::ofstream(dir + "/Config/cameras.cfg", std::ios::binary).write((const char*)table, sizeof table);
    LoadCameraTable();
    EXPECT_EQ(CameraTable[0][1][0], 260.0f) << "the built-in height";
    EXPECT_EQ(CameraTable[0][1][1], 1.0e6f);
    EXPECT_EQ(CameraTable[3][2][0], -1.0e6f);
    EXPECT_EQ(CameraTable[3][2][1], 238.0f) << "the built-in distance";
    EXPECT_EQ(CameraTable[5][0][1], -500.0f) << "the file's own values stay";

    ReplayPlaying = 0;
    RacePaused = 0;
    CarModel[0] = 0;
    ViewMode[0] = 0;
    CycleCameraMode(0);
    EXPECT_EQ(ViewMode[0], 1);
    EXPECT_EQ(ChaseEyeOffset[0], 1000000);
    EXPECT_EQ(ChaseEyeHeight[0], 260.0f);
}

}  // namespace
