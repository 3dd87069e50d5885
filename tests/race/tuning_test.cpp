// The tuning files (Config\Motion.dat, CONFIG\springs.cfg, ruedas.dat) and
// the developer panels that edit a car live.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "frontend/frontend_state.h"
#include "platform/plat_file.h"
#include "platform/plat_keys.h"
#include "platform/plat_surface.h"
#include "race/motion_table.h"
#include "race/physics.h"
#include "race/race_state.h"
#include "race/tuning.h"
#include "race_test_util.h"
#include "track/track_state.h"

namespace {

typedef float MotionImage[MOTION_MODELS][MOTION_COLUMNS];

std::string Folder;

void FreshFolder() {
    Folder = MakeTestFolder("tuning");
    ASSERT_TRUE(PlatSetCurrentDir(Folder.c_str()));
    PlatMakeDir("Config");
}

void BuiltInTable() {
    for (int model = 0; model < MOTION_MODELS; model++)
        memcpy(MotionTable[model], BuiltInMotionRow(model), sizeof MotionTable[model]);
}

void WriteImage(const char* name, const void* bytes, size_t size) {
    FILE* f = fopen((Folder + "/Config/" + name).c_str(), "wb");
    ASSERT_NE(f, nullptr);
    fwrite(bytes, 1, size, f);
    fclose(f);
}

// The built-in table with one value changed in every row.
void MarkedImage(MotionImage image, float mark) {
    for (int model = 0; model < MOTION_MODELS; model++) {
        memcpy(image[model], BuiltInMotionRow(model), sizeof image[model]);
        image[model][MOTION_MASS] = mark + (float)model;
    }
}

// The files' tests load tables over the live car table: each gives it back
// as it found it, so the body tests that follow drive the built-in cars.
struct TuningFiles : ::testing::Test {
    float keptTable[MOTION_MODELS][MOTION_COLUMNS];
    void SetUp() override { memcpy(keptTable, MotionTable, sizeof keptTable); }
    void TearDown() override { memcpy(MotionTable, keptTable, sizeof keptTable); }
};

TEST_F(TuningFiles, SavedAndLoadedTheTableComesBackWhole) {
    FreshFolder();
    BuiltInTable();
    MotionTable[4][MOTION_INERTIA1] = 123.5f;
    MotionTable[19][MOTION_SPRING_STOP] = -77.0f;
    MotionImage saved;
    memcpy(saved, MotionTable, sizeof saved);
    ASSERT_EQ(SaveMotionTable(), 1);
    EXPECT_EQ(ReadHostFile(Folder + "/Config/Motion.dat").size(), (size_t)MOTION_FILE_BYTES);
    BuiltInTable();
    ASSERT_EQ(LoadMotionTable(), 1);
    EXPECT_EQ(memcmp(saved, MotionTable, sizeof saved), 0);

    ASSERT_EQ(SaveSpringsTable(), 1);
    BuiltInTable();
    ASSERT_EQ(LoadSpringsTable(), 1);
    EXPECT_EQ(memcmp(saved, MotionTable, sizeof saved), 0);
}

// The race start reads springs.cfg first and Motion.dat after it.
TEST_F(TuningFiles, MotionDatWinsOverSpringsCfg) {
    FreshFolder();
    MotionImage springs, motion;
    MarkedImage(springs, 7.0f);
    MarkedImage(motion, 9.0f);
    WriteImage("springs.cfg", springs, sizeof springs);
    BuiltInTable();
    LoadSpringsTable();
    LoadMotionTable();
    EXPECT_EQ(MotionTable[3][MOTION_MASS], 10.0f) << "springs.cfg alone";
    WriteImage("Motion.dat", motion, sizeof motion);
    LoadSpringsTable();
    LoadMotionTable();
    EXPECT_EQ(MotionTable[3][MOTION_MASS], 12.0f);
    EXPECT_EQ(MotionTable[0][MOTION_MASS], 9.0f);
}

TEST_F(TuningFiles, BadFilesAndBadRowsLeaveTheBuiltInValues) {
    FreshFolder();
    MotionImage image;
    MarkedImage(image, 5.0f);
    // Any size but 1,120 bytes: ignored.
    for (size_t size : {(size_t)0, (size_t)1119, (size_t)1121, (size_t)560}) {
        BuiltInTable();
        unsigned char bytes[1121] = {};
        memcpy(bytes, image, size < sizeof image ? size : sizeof image);
        WriteImage("Motion.dat", bytes, size);
        EXPECT_EQ(LoadMotionTable(), 0) << size;
        EXPECT_EQ(MotionTable[2][MOTION_MASS], BuiltInMotionRow(2)[MOTION_MASS]) << size;
    }
    // Rows that cannot drive a body keep the built-in row; the others load.
    image[1][MOTION_REAR_DAMPING] = std::numeric_limits<float>::quiet_NaN();
    image[2][MOTION_MASS] = 0.0f;
    image[3][MOTION_INERTIA2] = -1.0f;
    image[4][MOTION_FRONT_RADIUS] = 0.0f;
    image[5][MOTION_REST] = 0.0f;
    image[6][MOTION_ROTATION_FRICTION] = std::numeric_limits<float>::infinity();
    WriteImage("Motion.dat", image, sizeof image);
    BuiltInTable();
    MotionTable[1][MOTION_MASS] = 42.0f;
    ASSERT_EQ(LoadMotionTable(), 1);
    for (int model = 1; model <= 6; model++)
        EXPECT_EQ(memcmp(MotionTable[model], BuiltInMotionRow(model), sizeof MotionTable[model]), 0) << model;
    EXPECT_EQ(MotionTable[0][MOTION_MASS], 5.0f);
    EXPECT_EQ(MotionTable[7][MOTION_MASS], 12.0f);
}

TEST_F(TuningFiles, WheelHeightsFileHoldsTheTableAndSixteenZeros) {
    FreshFolder();
    snprintf(AssetFolder, sizeof AssetFolder, "3d\\Tracks\\Track-10\\");
    PlatMakeDir("3d");
    PlatMakeDir("3d\\Tracks");
    PlatMakeDir("3d\\Tracks\\Track-10");
    PlatMakeDir("3d\\Tracks\\Track-10\\BIN");
    for (int car = 0; car < MAX_CARS; car++) {
        for (int k = 0; k < 4; k++)
            WheelHeights[car][k] = 100.0f * car + k;
    }
    ASSERT_EQ(SaveWheelHeights(), 1);
    const std::string bytes = ReadHostFile(Folder + "/3d/Tracks/Track-10/BIN/ruedas.dat");
    ASSERT_EQ(bytes.size(), (size_t)WHEEL_FILE_BYTES);
    float values[48];
    memcpy(values, bytes.data(), sizeof values);
    EXPECT_EQ(values[0], 0.0f);
    EXPECT_EQ(values[7 * 4 + 3], 703.0f);
    for (int i = 32; i < 48; i++)
        EXPECT_EQ(values[i], 0.0f);
}

// ---------------------------------------------------------------------------
// The panel.

class TuningPanel : public testing::Test {
protected:
    PlatSurface* surface = nullptr;
    // The car table as the test found it: the panel edits it live.
    float keptTable[MOTION_MODELS][MOTION_COLUMNS];

    void SetUp() override {
        memcpy(keptTable, MotionTable, sizeof keptTable);
        FreshFolder();
        BuiltInTable();
        memset(KeyState, 0, sizeof KeyState);
        TuningPanelOn = 1;
        TuningPanelSelector = 1;
        TunedCar = 0;
        CarCount = 4;
        for (int car = 0; car < 4; car++)
            race_test::PlaceCar(car, car, race_test::Centre + 1000.0f * car, race_test::Centre, 100.0f);
        ASSERT_EQ(PlatSurfaceCreate(640, 480, PLAT_PF_RGB565, PLAT_SURF_SYSTEMMEMORY, &surface), DD_OK);
        // Row 0 selected, whatever an earlier test left.
        for (int i = 0; i < TUNING_ROWS; i++)
            Frame(SCAN_UP);
    }
    void TearDown() override {
        PlatSurfaceRelease(surface);
        TuningPanelOn = 0;
        memcpy(MotionTable, keptTable, sizeof keptTable);
    }
    // One frame with this key down, then one with it released.
    void Frame(int scan) { Hold(scan, 1); }
    void Hold(int scan, int frames) {
        memset(KeyState, 0, sizeof KeyState);
        for (int i = 0; i < frames; i++) {
            KeyState[scan] = 0x80;
            DrawTuningPanel(surface);
        }
        memset(KeyState, 0, sizeof KeyState);
        DrawTuningPanel(surface);   // released
    }
    static float Step(int row) { return PanelStep(PhysicsRowRange(row)); }
};

TEST_F(TuningPanel, ATapMovesOneStepAndAHeldKeyRepeatsAfterTenFrames) {
    const float start = CarBodies[0].wheel[0].stiffness;
    Hold(SCAN_RIGHT, 1);
    EXPECT_NEAR(CarBodies[0].wheel[0].stiffness, start + Step(0), 1e-7f);
    EXPECT_EQ(CarBodies[0].wheel[1].stiffness, CarBodies[0].wheel[0].stiffness) << "both front wheels";
    EXPECT_EQ(CarBodies[0].wheel[2].stiffness, BuiltInMotionRow(0)[MOTION_REAR_DAMPING]);
    Hold(SCAN_RIGHT, 10);
    EXPECT_NEAR(CarBodies[0].wheel[0].stiffness, start + 2 * Step(0), 1e-7f) << "ten frames held: still one step";
    Hold(SCAN_RIGHT, 15);
    EXPECT_NEAR(CarBodies[0].wheel[0].stiffness, start + 8 * Step(0), 1e-6f) << "the press and frames 11..15";
    EXPECT_EQ(MotionTable[0][MOTION_FRONT_DAMPING], CarBodies[0].wheel[0].stiffness) << "and the model's row";
    EXPECT_EQ(PanelStep(87.0f), 87.0f * 0.011494253f);
}

TEST_F(TuningPanel, ValuesStayWithinTheirRange) {
    Hold(SCAN_LEFT, 300);
    EXPECT_EQ(CarBodies[0].wheel[0].stiffness, 0.0f) << "row 0 stops at 0";
    Hold(SCAN_RIGHT, 300);
    EXPECT_NEAR(CarBodies[0].wheel[0].stiffness, PhysicsRowRange(0), 1e-6f);
    // Row 6, the spring stop, may go negative.
    Hold(SCAN_DOWN, 1);
    for (int i = 0; i < 5; i++)
        Hold(SCAN_DOWN, 1);
    Hold(SCAN_LEFT, 400);
    EXPECT_NEAR(CarBodies[0].wheel[3].springStop, -PhysicsRowRange(6), 1e-4f);
    EXPECT_LT(CarBodies[0].wheel[3].springStop, 0.0f);
    // The ranges are twice the largest built-in values.
    float largest = 0.0f;
    for (int model = 0; model < MOTION_MODELS; model++)
        largest = std::max(largest, BuiltInMotionRow(model)[MOTION_MASS]);
    EXPECT_EQ(PhysicsRowRange(9), 2.0f * largest);
    EXPECT_EQ(PhysicsRowRange(10), 0.3f);
}

// The frictions show less 0.7 and go back with it.
TEST_F(TuningPanel, FrictionsAreWrittenBackWithThe07) {
    for (int i = 0; i < 10; i++)
        Hold(SCAN_DOWN, 1);
    const float before = CarBodies[0].rotationFriction;
    Hold(SCAN_RIGHT, 1);
    EXPECT_NEAR(CarBodies[0].rotationFriction, before + Step(10), 1e-6f);
    EXPECT_EQ(MotionTable[0][MOTION_ROTATION_FRICTION], CarBodies[0].rotationFriction);
    Hold(SCAN_LEFT, 300);
    EXPECT_NEAR(CarBodies[0].rotationFriction, 0.7f, 1e-6f) << "the shown 0 is 0.7";
    Hold(SCAN_DOWN, 1);
    Hold(SCAN_RIGHT, 300);
    EXPECT_NEAR(CarBodies[0].movementFriction, 1.0f, 1e-6f) << "the shown 0.3 is 1.0";
}

TEST_F(TuningPanel, DigitKeysChooseTheCarAndGSavesTheTable) {
    Hold(PlatKeyScanOfVirtual('3'), 1);
    EXPECT_EQ(TunedCar, 3);
    const float start = CarBodies[3].wheel[0].stiffness;
    Hold(SCAN_RIGHT, 1);
    EXPECT_NEAR(CarBodies[3].wheel[0].stiffness, start + Step(0), 1e-7f);
    EXPECT_EQ(MotionTable[3][MOTION_FRONT_DAMPING], CarBodies[3].wheel[0].stiffness) << "car 3 drives model 3";
    EXPECT_EQ(CarBodies[0].wheel[0].stiffness, BuiltInMotionRow(0)[MOTION_FRONT_DAMPING]);

    EXPECT_TRUE(ReadHostFile(Folder + "/Config/Motion.dat").empty());
    Hold(PlatKeyScanOfVirtual('G'), 1);
    const std::string bytes = ReadHostFile(Folder + "/Config/Motion.dat");
    ASSERT_EQ(bytes.size(), (size_t)MOTION_FILE_BYTES);
    EXPECT_EQ(memcmp(bytes.data(), MotionTable, MOTION_FILE_BYTES), 0);
}

TEST_F(TuningPanel, TheComputerDriverPanelEditsTheTolerances) {
    TuningPanelSelector = 0;
    CpuSteerTolerance[1] = 0.1f;
    Frame(SCAN_UP);
    Hold(SCAN_RIGHT, 1);
    EXPECT_NEAR(CpuSteerTolerance[1], 0.1f + PanelStep(0.5f), 1e-6f);
    Hold(SCAN_DOWN, 1);
    Hold(SCAN_LEFT, 300);
    EXPECT_EQ(CpuSteerTolerance[2], 0.0f);
}

TEST_F(TuningPanel, NothingMovesWhileThePanelIsOff) {
    TuningPanelOn = 0;
    const float start = CarBodies[0].wheel[0].stiffness;
    Hold(SCAN_RIGHT, 5);
    EXPECT_EQ(CarBodies[0].wheel[0].stiffness, start);
}

TEST_F(TuningPanel, TheFunctionKeysToggleTheOverlaysInDeveloperMode) {
    TuningPanelOn = 0;
    TuningPanelSelector = 0;
    PhysicsValuesOn = 0;
    const int f5 = PlatKeyScanOfVirtual(VK_F5), f6 = PlatKeyScanOfVirtual(VK_F6), f7 = PlatKeyScanOfVirtual(VK_F7);
    auto press = [](int scan) {
        memset(KeyState, 0, sizeof KeyState);
        KeyState[scan] = 0x80;
        TuningKeys();
        TuningKeys();   // held: no second toggle
        memset(KeyState, 0, sizeof KeyState);
        TuningKeys();
    };
    DeveloperSwitch = 0;
    press(f6);
    EXPECT_EQ(TuningPanelOn, 0);
    DeveloperSwitch = 1;
    press(f6);
    EXPECT_EQ(TuningPanelOn, 1);
    press(f7);
    EXPECT_EQ(TuningPanelSelector, 1);
    press(f5);
    EXPECT_EQ(PhysicsValuesOn, 1);
    press(f6);
    EXPECT_EQ(TuningPanelOn, 0);
    DrawPhysicsValues(surface);
    DeveloperSwitch = 0;
    PhysicsValuesOn = 0;
}

}  // namespace
