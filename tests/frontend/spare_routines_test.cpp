// The front end's routines that no menu asks for, and the lines of the race
// start and the HUD that feed others: what each computes from the tables.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/test_game.h"
#include "frontend/file_lists.h"
#include "frontend/frontend_state.h"
#include "frontend/progress.h"
#include "frontend/race_results.h"
#include "frontend/race_select.h"
#include "frontend/replay_header.h"
#include "frontend/screen_setup.h"
#include "frontend_test_util.h"
#include "frame/fileio.h"
#include "platform/plat_file.h"
#include "race/race_state.h"
#include "render/render_state.h"
#include "track/track_state.h"

namespace {

struct SpareRoutines : FrontEndTest {
    std::string dir;
    void SetUp() override {
        FrontEndTest::SetUp();
        dir = MakeTestGameFolder("spare", false, {10, 11});
        LoadMessageFile();
        RestoreProgressDefaults();
    }
    void TearDown() override {
        RestoreProgressDefaults();
        ClearRecordTables();
        memset(&ReplayHeader, 0, sizeof ReplayHeader);
        memset(&CareerRecord, 0, sizeof CareerRecord);
        memset(FileListCounts, 0, sizeof FileListCounts);
        memset(ListSelection, 0, sizeof ListSelection);
        memset(TextBufferA, 0, sizeof TextBufferA);
        GarageMode = GarageCategory = GaragePage = GaragePick = 0;
        MenuListId = 0;
        AltTextureSet = 0;
        RaceFromReplay = 0;
        LapsToRun = 3;
        ResetShowroomLoad();
        FrontEndTest::TearDown();
    }
};

TEST_F(SpareRoutines, WhatEachComputes) {
    // The records' developer lines: minutes, seconds and hundredths of the
    // first best race time.
    BestRaceTimes[0] = {2, 7, 45};
    BestRaceTimes[1] = {9, 9, 9};
    char lines[3][32];
    BestTimeDebugLines(lines);
    EXPECT_STREQ(lines[0], "mejor_tiempo[0]:2");
    EXPECT_STREQ(lines[1], "mejor_tiempo[0]:7");
    EXPECT_STREQ(lines[2], "mejor_tiempo[0]:45");

    // The HUD's lap times go into the replay header's own lap bytes, which
    // filling the header for a save keeps, and read back sign-extended.
    SetReplayTime(0, 1, 2, 3);
    SetReplayTime(2, 0, 59, -1);
    SetReplayTime(3, 7, 7, 7);   // a fourth lap has no slot
    FillReplayHeader(1);
    EXPECT_EQ(ReplayHeader.lapMinutes[0], 1);
    EXPECT_EQ(ReplayHeader.lapSeconds[0], 2);
    EXPECT_EQ(ReplayHeader.lapHundredths[0], 3);
    EXPECT_EQ(GetReplayMinutes(0), 1);
    EXPECT_EQ(GetReplaySeconds(2), 59);
    EXPECT_EQ(GetReplayHundredths(2), -1);
    EXPECT_EQ(GetReplayMinutes(1), 0);
    EXPECT_EQ(GetReplayMinutes(3), 0);
    EXPECT_EQ(GetReplaySeconds(-1), 0);

    // The shop's fixed lists into the showroom: row 0, pick 4 is model 6
    // paint 0; a list position below zero hides the showroom.
    FrontEndActive = 1;
    GarageCategory = 0;
    GaragePick = 4;
    SelectCatalogueCar(nullptr);
    EXPECT_EQ(ShowroomModel, 6);
    EXPECT_EQ(ShowroomColour, 0);
    EXPECT_EQ(CarModel[0], 6) << "the car on show is loaded";
    EXPECT_EQ(PopupOpenFlag, 0);
    GaragePick = 9;
    SelectCatalogueCar(nullptr);
    EXPECT_EQ(ShowroomModel, 0);
    EXPECT_EQ(ShowroomColour, 3);
    GarageCategory = -1;
    SelectCatalogueCar(nullptr);
    EXPECT_EQ(PopupOpenFlag, 1);
    EXPECT_EQ(ShowroomColour, 3) << "nothing loaded";
    FrontEndActive = 0;

    // One named file deleted, the profiles listed again with the selection a
    // row up; the profile's folder stays, and nothing outside USERS goes.
    unsigned char image[256];
    memset(image, 0xFF, sizeof image);
    for (const char* name : {"USERS\\Amy.usr", "USERS\\Bob.usr", "USERS\\Cy.usr"})
        ASSERT_EQ(WriteWholeFile(name, 256, image), 1);
    ASSERT_TRUE(PlatMakeDir("USERS\\Bob"));
    ASSERT_EQ(WriteWholeFile("keep.txt", 4, "keep"), 1);
    MenuListId = 0;
    ListSelection[0] = 2;
    strcpy(TextBufferA, "USERS\\Bob.usr");
    DeletePathAndRelist(0);
    EXPECT_FALSE(PlatFileExists("USERS\\Bob.usr"));
    EXPECT_TRUE(PlatIsDirectory("USERS\\Bob"));
    ASSERT_EQ(FileListCounts[0], 2);
    EXPECT_STREQ(FileListRow[0], "Amy");
    EXPECT_STREQ(FileListRow[1], "Cy");
    EXPECT_EQ(ListSelection[0], 1);
    EXPECT_EQ(FileListRow[1][25], 5);
    strcpy(TextBufferA, "keep.txt");
    DeletePathAndRelist(0);
    EXPECT_TRUE(PlatFileExists("keep.txt"));
    strcpy(TextBufferA, "USERS\\..\\keep.txt");
    DeletePathAndRelist(0);
    EXPECT_TRUE(PlatFileExists("keep.txt"));

    // The race start picks the second variant of texture 1 on track 11 and
    // leaves it off on track 10.
    for (int variant : {1, 0}) {
        NextRaceGroup() = 1;
        NextRaceVariant() = (int8_t)variant;
        AltTextureSet = 1 - variant;
        ASSERT_EQ(PrepareRace(), 1);
        EXPECT_EQ(AltTextureSet, variant) << "track 1" << variant;
    }
}

}  // namespace
