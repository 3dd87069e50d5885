// Replay recording, playback and files: the body's size, the playback's
// keyframes and interpolation, its end, and crafted files.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/test_game.h"
#include "frontend/frontend_state.h"
#include "platform/plat_file.h"
#include "race/replay.h"
#include "race/race_state.h"

namespace {

struct Replay : ::testing::Test {
    std::string folder;
    ReplayHeaderRecord header = {};

    void SetUp() override {
        folder = MakeTestFolder("replay");
        PlatSetCurrentDir(folder.c_str());
        CarCount = 3;
        ReplayPlayback = 0;
        BackToMenusRequest = 0;
        RaceOver = 0;
        LapsToRun = 3;
        ResetReplay();
        header.trackCode = 10;
        header.carCount = 3;
        header.laps = 3;
    }
    void TearDown() override {
        ReplayPlayback = 0;
        BackToMenusRequest = 0;
        ReplaySavedCount = 0;
        for (int car = 0; car < MAX_CARS; car++)
            SimPosX[car] = SimPosZ[car] = SimHeading[car] = HeadingAccum[car] = 0.0f;
        (void)system(("rm -rf '" + folder + "'").c_str());
    }

    // The cars move on a pattern of the tick; their control words too.
    static void Record(int ticks) {
        for (int t = 0; t < ticks; t++) {
            for (int car = 0; car < CarCount; car++) {
                SimPosX[car] = 1000.0f * (float)car + 7.0f * (float)t;
                SimPosZ[car] = 50.0f * (float)t * (float)(car + 1);
                SimHeading[car] = 0.01f * (float)t - (float)car;
                CarInputBits[car] = (t + car) & 0x3F;
                RecordReplayTick(car);
            }
        }
    }

    int Save(const char* name) { return SaveReplayData(name, &header); }

    std::string Bytes(const char* name) { return ReadHostFile(folder + "/" + name); }

    void Write(const char* name, const std::string& bytes) {
        FILE* file = fopen((folder + "/" + name).c_str(), "wb");
        ASSERT_TRUE(file);
        fwrite(bytes.data(), 1, bytes.size(), file);
        fclose(file);
    }

    static void PutInt(std::string& bytes, size_t at, int32_t v) { memcpy(&bytes[at], &v, 4); }
};

TEST_F(Replay, TRecordedTicksSaveTMinusOneWithTheirKeyframesAndBytes) {
    Record(101);
    EXPECT_EQ(ReplaySavedCount, 100);
    EXPECT_EQ(Save("a.rb"), 1 + 1 + (100 / 8) * 3 + 100 * 3);
    const std::string bytes = Bytes("a.rb");
    ASSERT_EQ(bytes.size(), 124u + 8u + 12u * (100 / 8) * 3 + 100u * 3);
    int32_t count, cars;
    memcpy(&count, &bytes[124], 4);
    memcpy(&cars, &bytes[128], 4);
    EXPECT_EQ(count, 100);
    EXPECT_EQ(cars, 3);
    // Keyframe 1 of car 2 (tick 8) and the input byte of car 1 at tick 5.
    float x;
    memcpy(&x, &bytes[132 + 12 * (1 * 3 + 2)], 4);
    EXPECT_EQ(x, 2000.0f + 56.0f);
    EXPECT_EQ(bytes[132 + 12 * (100 / 8) * 3 + 5 * 3 + 1], (char)6);
}

TEST_F(Replay, RecordingStopsAtFiftyThousandTicks) {
    CarCount = 1;
    header.carCount = 1;
    Record(50010);
    EXPECT_EQ(ReplaySavedCount, 49999);
    EXPECT_EQ(ReplayTickCounter, 50000);
    Save("long.rb");
    EXPECT_EQ(Bytes("long.rb").size(), (size_t)ReplayFileSize(49999, 1));
}

TEST_F(Replay, PlaybackHandsOverKeyframesExactlyAndInterpolatesBetween) {
    Record(201);
    ASSERT_GT(Save("p.rb"), 0);
    ReplaySavedCount = 0;
    memset(ReplayKeyframes, 0, sizeof(ReplayKeyframe) * 300);
    ReplayHeaderRecord read = {};
    ASSERT_EQ(LoadReplayData("p.rb", &read), 1 + 1 + 25 * 3 + 200 * 3);
    EXPECT_EQ(read.trackCode, 10);
    EXPECT_EQ(ReplaySavedCount, 200);
    ReplayPlayback = 1;
    ResetReplay();
    for (int t = 0; t < 180; t++) {
        for (int car = 0; car < 3; car++) {
            PlayReplayTick(car);
            const float key = 7.0f * (float)(t - t % 8);
            if (t % 8 == 0) {
                EXPECT_EQ(SimPosX[car], 1000.0f * (float)car + key) << t;
                EXPECT_EQ(SimHeading[car], 0.01f * (float)t - (float)car) << t;
            } else {
                EXPECT_NEAR(SimPosX[car], 1000.0f * (float)car + 7.0f * (float)t, 0.01f) << t;
            }
            EXPECT_EQ(HeadingAccum[car], SimHeading[car]);
            EXPECT_EQ(CarInputBits[car], (t + car) & 0x3F);
        }
        ASSERT_EQ(BackToMenusRequest, 0) << t;
    }
    PlayReplayTick(0);
    EXPECT_EQ(BackToMenusRequest, 1) << "20 ticks before the stored end";
    EXPECT_EQ(ReplayTickCounter, 180);
}

TEST_F(Replay, ShortRecordingsEndAtTheirFirstTickAndNothingPlaysPastTheData) {
    Record(21);
    Save("twenty.rb");
    ReplayHeaderRecord read;
    ASSERT_GT(LoadReplayData("twenty.rb", &read), 0);
    EXPECT_EQ(ReplaySavedCount, 20);
    ReplayPlayback = 1;
    ResetReplay();
    PlayReplayTick(0);
    EXPECT_EQ(BackToMenusRequest, 1);
    // Fewer than 20 stored ticks, and none, end there too: nothing plays
    // from the buffers beyond the stored data.
    for (int ticks : {19, 0}) {
        BackToMenusRequest = 0;
        ReplaySavedCount = ticks;
        ResetReplay();
        SimPosX[0] = -1.0f;
        PlayReplayTick(0);
        EXPECT_EQ(BackToMenusRequest, 1) << ticks;
        EXPECT_EQ(SimPosX[0], -1.0f) << ticks;
    }
}

TEST_F(Replay, ARoundTripKeepsTheHeaderAndTheBody) {
    header.carModels[2] = 12;
    strcpy(header.playerName, "ROUND TRIP");
    Record(64);
    Save("one.rb");
    ReplayHeaderRecord read = {};
    ASSERT_GT(LoadReplayData("one.rb", &read), 0);
    EXPECT_EQ(memcmp(&read, &header, sizeof header), 0);
    Save("two.rb");
    EXPECT_EQ(Bytes("one.rb"), Bytes("two.rb"));
}

TEST_F(Replay, CraftedFilesAreRefusedOrHeldToWhatTheyHold) {
    Record(81);
    Save("good.rb");
    const std::string good = Bytes("good.rb");
    ReplayHeaderRecord read;
    const auto load = [&](const std::string& bytes) {
        Write("bad.rb", bytes);
        ReplaySavedCount = -7;
        return LoadReplayData("bad.rb", &read);
    };
    EXPECT_EQ(load(good.substr(0, 100)), 0) << "shorter than a header";
    EXPECT_EQ(ReplaySavedCount, -7) << "a refused file changes nothing";
    for (int cars : {0, 9, 2}) {
        std::string bytes = good;
        PutInt(bytes, 128, cars);
        EXPECT_EQ(load(bytes), 0) << cars << " cars";
    }
    std::string bytes = good;
    bytes[26] = 90;   // track code
    EXPECT_EQ(load(bytes), 0);
    bytes = good;
    bytes[37] = 7;    // laps past the six-lap tables
    EXPECT_EQ(load(bytes), 0);
    bytes = good;
    const float nan = std::nanf("");
    memcpy(&bytes[132 + 12 * 4 + 4], &nan, 4);
    EXPECT_EQ(load(bytes), 0) << "a keyframe that is no number";
    // Two huge keyframes, each a number, would step the car to infinity.
    bytes = good;
    const float huge = 3.0e38f, minusHuge = -3.0e38f;
    memcpy(&bytes[132], &huge, 4);
    memcpy(&bytes[132 + 12 * 3], &minusHuge, 4);
    EXPECT_EQ(load(bytes), 0) << "a keyframe far outside any track";
    // Counts that are not the file's (a huge one, a negative one, a file cut
    // short or run long) refuse it whole: the loader takes whole files only.
    std::string hugeCount = good, negativeCount = good;
    PutInt(hugeCount, 124, 2000000000);
    PutInt(negativeCount, 124, -5);
    for (const std::string& b : {hugeCount, negativeCount, good.substr(0, good.size() - 30), good + "xx"}) {
        EXPECT_EQ(load(b), 0) << b.size() << " bytes";
        EXPECT_EQ(ReplaySavedCount, -7);
    }
    // Models 18 and 19 race; 20 does not exist, nor a fifth paint or a
    // fourth mode.
    bytes = good;
    bytes[84] = 19;
    bytes[91] = 18;
    bytes[92] = 3;
    EXPECT_GT(load(bytes), 0);
    for (const auto& [at, value] : std::vector<std::pair<int, char>>{{84, 20}, {92, 4}, {39, 3}}) {
        bytes = good;
        bytes[at] = value;
        EXPECT_EQ(load(bytes), 0) << "byte " << at << " = " << (int)value;
    }
}

}  // namespace
