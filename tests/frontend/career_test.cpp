// The career: a new career's record and texts, the money display.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "frame/startup.h"
#include "frontend/career.h"
#include "frontend/career_file.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_actions.h"
#include "frontend/menu_init.h"
#include "frontend/menu_items.h"
#include "frontend/popups.h"
#include "frontend/profiles.h"
#include "frontend/progress.h"
#include "frontend/race_select.h"
#include "frontend/screen_setup.h"
#include "frontend/text_entry.h"
#include "mkdata_frontend.h"
#include "render/bitmaps.h"
#include "menulayout/menulayout_state.h"
#include "frontend/text_slots.h"
#include "frontend_test_util.h"
#include "platform/plat_file.h"
#include "platform/plat_system.h"

namespace {

std::string Slot(int slot) {
    GetText(slot);
    return TextBufferB;
}

struct Career : FrontEndTest {
    static void SetUpTestSuite() { MakeTestGameFolder("career"); }
    void SetUp() override {
        FrontEndTest::SetUp();
        LoadMessageFile();
    }
    void TearDown() override {
        memset(&CareerRecord, 0, sizeof CareerRecord);
        TargetMoney = 0;
        SpecialRaceUnlocked = 0;
        LastFrameTicks = 1;
        FrontEndTest::TearDown();
    }
};

TEST_F(Career, NewCareerTakesBothTablesAndItsOwnValues) {
    memset(&CareerRecord, 0x5a, sizeof CareerRecord);
    ResetCareer();
    EXPECT_EQ(CareerRecord.money, 400.0f);
    EXPECT_EQ(TargetMoney, 400);
    EXPECT_EQ(CareerRecord.racesWon, 0);
    EXPECT_EQ(CareerRecord.unlockLevel, 0);
    EXPECT_EQ(CareerRecord.championshipStage, 0);
    EXPECT_EQ(CareerRecord.event31Seconds, 22);
    EXPECT_EQ(CareerRecord.specialRace, 0);
    EXPECT_EQ(CareerRecord.carAttributes[4], 126.0f);
    // Cup 2: tracks 20, 10, 30, 11, 10; the first race pays 500, costs 200.
    const CupRow& cup2 = CareerRecord.cups[2];
    EXPECT_EQ(cup2.group[2] * 10 + cup2.variant[2], 30);
    EXPECT_EQ(cup2.group[3] * 10 + cup2.variant[3], 11);
    EXPECT_EQ(cup2.prize[0], 500);
    EXPECT_EQ(cup2.fee[0], 200);
    EXPECT_EQ(cup2.laps[1], 3);
    EXPECT_EQ(cup2.cars[1], 6);
    EXPECT_EQ(cup2.won[0], 0);
    EXPECT_EQ(cup2.opponentModel[1][5], 6);
    EXPECT_EQ(cup2.opponentColour[1][4], 2);
    // Cup 6's last race and cup 5's grid.
    EXPECT_EQ(CareerRecord.cups[6].group[4] * 10 + CareerRecord.cups[6].variant[4], 45);
    EXPECT_EQ(CareerRecord.cups[5].opponentModel[4][0], 7);
    EXPECT_EQ(CareerRecord.cups[5].opponentColour[4][0], 2);
    // The prizes' texts start at slot 688, each with the race's entry fee.
    EXPECT_EQ(Slot(688), "500* / 200*");
    EXPECT_EQ(Slot(688 + 5 * 5 + 1), "50000* / 2000*");
    EXPECT_EQ(Slot(688 + 5 * 6 + 4), "10000* / 250*");
}

TEST_F(Career, CupTextsSwapCups5And6AndPicturesCountMainWins) {
    ResetCareer();
    CareerRecord.cups[5].won[0] = 1;
    CareerRecord.cups[2].won[0] = 1;
    CareerRecord.cups[2].won[4] = 1;   // race 4 is not a main race
    ShowCupProgress();
    const std::string won = Slot(160), notWon = Slot(161);
    ASSERT_NE(won, notWon);
    EXPECT_EQ(Slot(653 + 5 * 6), won);      // cup 5's first race: slots 683-687
    EXPECT_EQ(Slot(653 + 5 * 5), notWon);   // cup 6's: slots 678-682
    EXPECT_EQ(Slot(653 + 5 * 2), won);
    EXPECT_EQ(ItemAt(3, 39).levelMap, 40) << "cup 2's square shows one race won";
    EXPECT_EQ(ItemAt(3, 159).levelMap, 59) << "cup 5's glint marks one race";
}

TEST_F(Career, MoneyClosesByATenthPerTickAndSnapsWithinOne) {
    CareerRecord.money = 0.0f;
    TargetMoney = 1000;
    LastFrameTicks = 1;
    AnimateMoney();
    EXPECT_FLOAT_EQ(CareerRecord.money, 100.0f);
    EXPECT_EQ(Slot(651), "100");
    LastFrameTicks = 2;   // two ticks in one frame: two steps
    AnimateMoney();
    EXPECT_FLOAT_EQ(CareerRecord.money, 271.0f);
    CareerRecord.money = 999.2f;
    AnimateMoney();
    EXPECT_EQ(CareerRecord.money, 1000.0f);
    EXPECT_EQ(Slot(651), "1000");
    // The bonus saturates, and so does every sum of money.
    TargetMoney = 99999999 - 10;
    AddBonusMoney();
    EXPECT_EQ(TargetMoney, 99999999);
    EXPECT_EQ(AddMoney(99999000, 50000), 99999999);
    EXPECT_EQ(AddMoney(400, 500), 900);
    EXPECT_EQ(AddMoney(400, -500), 400) << "a negative prize takes nothing";
}

}  // namespace

namespace {

// The award after a race, on the built-in layout: the pop-ups are the
// career screen's and the single race screen's panels (item 46).
struct CareerAward : FrontEndTest {
    static void SetUpTestSuite() { MakeTestGameFolder("award"); }
    void SetUp() override {
        FrontEndTest::SetUp();
        LoadMessageFile();
        InitMenus();
        ResetCareer();
        PendingPrize = 0;
        CurrentCup = 2;
        CurrentCupRace = 0;
        CareerWinMarker = 1;
    }
    void TearDown() override {
        for (int s = 0; s < MENU_LAYOUT_SCREENS; s++)
            GiveBackPopupFreeze(s);
        memset(&CareerRecord, 0, sizeof CareerRecord);
        RestoreProgressDefaults();
        PendingPrize = TargetMoney = 0;
        CurrentCup = CurrentCupRace = 0;
        CareerWinMarker = ReplayWatched = 0;
        Cup5Mode = Cup6Mode = SingleRaceMode = SpecialRaceMode = SpecialRaceUnlocked = 0;
        PendingScreen = 0;
        VideoRequest = 0;
        ForceDisplayRecreate = 0;
        // A loaded slot takes the profile's records: the tables start empty.
        ListSelection[1] = 0;
        memset(CurrentPlayerName, 0, sizeof CurrentPlayerName);
        ClearRecordTables();
        FrontEndTest::TearDown();
    }
    static bool PanelShown(int screen) { return (ItemAt(screen, 46).flags & MENU_SHOWN) != 0; }
    static void ClosePanels() {
        HideItem(2, 46);
        HideItem(3, 46);
    }
};

TEST_F(CareerAward, FirstWinPaysAndCountsASecondPaysNothing) {
    PendingPrize = 99999999 - 100;
    AwardRaceWin();
    EXPECT_EQ(PendingPrize, 99999999) << "the prizes waiting saturate";
    PendingPrize = 0;
    CareerRecord.cups[2].won[0] = 0;
    CareerRecord.racesWon = 0;
    CareerWinMarker = 1;
    ClosePanels();
    AwardRaceWin();
    EXPECT_EQ(PendingPrize, 500);
    EXPECT_EQ(CareerRecord.racesWon, 1);
    EXPECT_EQ(CareerRecord.cups[2].won[0], 1);
    EXPECT_TRUE(PanelShown(3));
    EXPECT_EQ(CareerWinMarker, 0);
    EXPECT_EQ(ItemAt(3, 39).levelMap, 40) << "cup 2's square shows one race won";
    ClosePanels();
    CareerWinMarker = 1;
    AwardRaceWin();
    EXPECT_EQ(PendingPrize, 500);
    EXPECT_EQ(CareerRecord.racesWon, 1);
    EXPECT_FALSE(PanelShown(3));
}

TEST_F(CareerAward, ReplaySingleAndSpecialRacesPayNothing) {
    ReplayWatched = 1;
    AwardRaceWin();
    EXPECT_EQ(CareerRecord.cups[2].won[0], 0);
    EXPECT_FALSE(PanelShown(3));
    ReplayWatched = 0;
    CareerWinMarker = 1;
    SingleRaceMode = 1;
    AwardRaceWin();
    EXPECT_TRUE(PanelShown(2));
    EXPECT_FALSE(PanelShown(3));
    EXPECT_EQ(CareerRecord.cups[2].won[0], 0);
    SingleRaceMode = 0;
    CareerWinMarker = 1;
    SpecialRaceMode = 1;
    AwardRaceWin();
    EXPECT_EQ(PendingScreen, 4);
    EXPECT_EQ(PendingPrize, 0);
}

TEST_F(CareerAward, EndingOnlyOnTheTwentiethMainWinAndCups5And6PayTheirRows) {
    for (int cup = 0; cup < 5; cup++)
        for (int race = 0; race < 4; race++)
            CareerRecord.cups[cup].won[race] = !(cup == 2 && race == 3);
    CurrentCupRace = 4;   // race 4 is not a main race
    AwardRaceWin();
    EXPECT_EQ(ForceDisplayRecreate, 0);
    CareerWinMarker = 1;
    CurrentCupRace = 3;
    AwardRaceWin();
    EXPECT_EQ(ForceDisplayRecreate, 1);
    EXPECT_EQ(VideoRequest, 2);
    ForceDisplayRecreate = 0;
    PendingPrize = 0;

    CareerWinMarker = 1;
    Cup5Mode = 1;
    CurrentCupRace = 1;
    AwardRaceWin();
    EXPECT_EQ(CurrentCup, 5);
    EXPECT_EQ(CareerRecord.cups[5].won[1], 1);
    EXPECT_EQ(PendingPrize, 50000);
    Cup5Mode = 0;
    CareerWinMarker = 1;
    Cup6Mode = 3;
    AwardRaceWin();
    EXPECT_EQ(CurrentCup, 6);
    EXPECT_EQ(CareerRecord.cups[6].won[1], 1);
    EXPECT_EQ(PendingPrize, 60000);
    EXPECT_EQ(VideoRequest, 3);
    EXPECT_EQ(ForceDisplayRecreate, 1);
}

}  // namespace

namespace {

TEST_F(CareerAward, LoadedSlotSetsTheMoneyAndCupsAndABadOneLeavesThem) {
    strcpy(CurrentPlayerName, "Lea");
    ASSERT_TRUE(PlatMakeDir("USERS\\Lea"));
    CareerRecordImage saved = CareerRecord;
    saved.money = 19300.0f;
    saved.cups[2].won[0] = saved.cups[2].won[1] = 1;
    ASSERT_EQ(WriteCareerSlot(3, saved), 1);
    ListSelection[1] = 2;
    ASSERT_EQ(LoadCareerSlot(), 1);
    EXPECT_EQ(TargetMoney, 19300);
    GetText(651);
    EXPECT_STREQ(TextBufferB, "19300");
    EXPECT_EQ(ItemAt(3, 39).levelMap, 41) << "cup 2's square shows two races won";
    ListSelection[1] = 6;   // no such slot
    EXPECT_EQ(LoadCareerSlot(), 0);
    EXPECT_EQ(TargetMoney, 19300);
}

}  // namespace

namespace {

// A save on screen 21 stamps the record and packs the garage; loading the
// slot brings the garage back.
TEST_F(CareerAward, SaveStampsAndPacksTheGarageAndLoadingUnpacksIt) {
    RestoreProgressDefaults();   // the built-in garage, whatever a shop test bought before
    strcpy(CurrentPlayerName, "Ned");
    ASSERT_TRUE(PlatMakeDir("USERS\\Ned"));
    GarageLists[0][1][0] = 1;   // a second speed car bought in the career
    GarageLists[0][1][1] = 2;
    GarageLast[0][0] = 1;
    GarageCurrent[0][0] = 1;
    CareerRecord.saveCount = 4;
    CareerRecord.money = 100.0f;   // the display is still counting
    TargetMoney = 4321;
    // The save screen's entry dates the save.
    memset(CareerRecord.date, 0, sizeof CareerRecord.date);
    MenuScreen = 21;
    RunScreenEntry(nullptr);
    MenuScreen = MenuScreenShown = 0;
    NetRefreshTicks = 0;
    EditedRow = 1;
    ListTop[2] = 0;
    SetSlotText(SLOT_SAVE_ROWS + 1, "Cup two");
    EXPECT_EQ(CommitSaveSlot(), 1);
    CareerRecordImage slot = {};
    ASSERT_EQ(ReadCareerSlot(2, &slot), 1);
    EXPECT_EQ(memcmp(slot.tag, "V1.0", 4), 0);
    EXPECT_EQ(slot.saveCount, 5u);
    EXPECT_STREQ(slot.playerName, "Ned");
    EXPECT_EQ(slot.money, 4321.0f);
    EXPECT_EQ(strlen(slot.date), 19u);
    EXPECT_EQ(std::string(slot.date + 8, 3), " - ") << slot.date;
    const signed char* bytes = (const signed char*)&slot;
    EXPECT_EQ(bytes[0x661 + 2], 1);
    EXPECT_EQ(bytes[0x661 + 3], 2);
    EXPECT_EQ(bytes[0x661 + 4], -1) << "the list ends after the bought car";
    EXPECT_EQ(bytes[0x61e], 1);
    EXPECT_EQ(bytes[0x637], 1);

    RestoreProgressDefaults();
    ListSelection[1] = 1;
    ASSERT_EQ(LoadCareerSlot(), 1);
    EXPECT_EQ(GarageLists[0][1][0], 1);
    EXPECT_EQ(GarageLists[0][1][1], 2);
    EXPECT_EQ(GarageLast[0][0], 1);
    EXPECT_EQ(GarageCurrent[0][0], 1);
    EXPECT_EQ(GarageLists[0][2][0], -1);

    RestoreProgressDefaults();
    memset(FileListRow, 0, sizeof FileListRow);
    memset(FileListCounts, 0, sizeof FileListCounts);
    memset(ListTop, 0, sizeof ListTop);
    memset(PlayerProfile, 0, sizeof PlayerProfile);
    EditedRow = 0;
    MenuListId = 0;
}

TEST_F(CareerAward, CupRaceButtonsMarkWinsAndCompareTheMoneyWithEachFee) {
    CareerRecord.cups[1].won[2] = 1;
    CareerRecord.money = 5000.0f;   // shown, not yet what the player has
    TargetMoney = 800;
    ShowItem(3, 149);
    ThawItem(3, 74);
    ShowCupRaceButtons(1);
    EXPECT_FALSE(ItemShown(3, 149));
    EXPECT_TRUE(ItemShown(3, 151));
    EXPECT_EQ(ItemAt(3, 151).y, 69.0f + 48.0f);
    // Fees 200, 400, 800, 1500, 250.
    const bool affordable[5] = {true, true, true, false, true};
    for (int race = 0; race < 5; race++)
        EXPECT_EQ((ItemAt(3, 71 + race).flags & MENU_HOVER_TEST) != 0, affordable[race]) << race;
    // Cup 5: every fee is 2000; its markers stand higher.
    ShowCupRaceButtons(5);
    EXPECT_FALSE(ItemShown(3, 151));
    EXPECT_EQ(ItemAt(3, 149).y, 58.0f);
    for (int race = 0; race < 5; race++)
        EXPECT_FALSE(ItemAt(3, 71 + race).flags & MENU_HOVER_TEST) << race;
    TargetMoney = 2000;
    ShowCupRaceButtons(5);
    EXPECT_TRUE(ItemAt(3, 75).flags & MENU_HOVER_TEST) << "a fee of exactly the money";
}

}  // namespace

namespace {

int Ink(int code) {
    MkGlyph glyph;
    if (!MkGlyphDesign(code, &glyph))
        return -1;
    int n = 0;
    for (const auto& row : glyph.ink)
        for (unsigned char cell : row)
            n += cell != 0;
    return n;
}

// The loading screen's track pictures: 640 x 480, the code in the menu
// font's digits (26 pixels a cell), one picture for codes that share it.
TEST(TrackPreviews, EachShowsItsCodeAndAliasesShare) {
    MakeTestGameFolder("previews", false, {10, 24});
    BmpImage picture;
    EXPECT_EQ(LoadBitmapFromVfs("MENUS\\MUNDO24.bmp", &picture), 0) << "24 shows 20's picture";
    ASSERT_EQ(PreviewCodeOf(24), 20);
    for (int code : {10, 20}) {
        char path[32];
        snprintf(path, sizeof path, "MENUS\\MUNDO%02d.bmp", code);
        ASSERT_EQ(LoadBitmapFromVfs(path, &picture), 1) << path;
        ASSERT_EQ(picture.width, 640);
        ASSERT_EQ(picture.height, 480);
        int ink[2] = {0, 0};
        for (int y = 0; y < 480; y++)
            for (int x = 0; x < 640; x++)
                ink[x >= 320] += BmpPixelRgb(picture, x, y) == 0xF0F0F0;
        EXPECT_EQ(ink[0], Ink('0' + code / 10) * 26 * 26) << code;
        EXPECT_EQ(ink[1], Ink('0' + code % 10) * 26 * 26) << code;
    }
}

}  // namespace

// A career race costs its fee: with less money it is refused with the
// career's "cannot afford" message, and nothing is set up; with the fee in
// hand (exactly) it is taken.  The bonus and unlock races pay their rows'.
TEST_F(Career, ARaceTheMoneyCannotPayIsRefused) {
    ResetCareer();
    CurrentCup = 0;
    TargetMoney = 199;
    int screen = 3;
    EXPECT_EQ(CareerAction(&screen, 71), 1) << "refused: no links to the car choice";
    EXPECT_EQ(MenuScreenTable[3][48].textSlot, 1003);
    EXPECT_TRUE(MenuScreenTable[3][46].flags & MENU_SHOWN);
    EXPECT_FALSE(MenuScreenTable[5][79].flags & MENU_SHOWN);
    GiveBackPopupFreeze(3);
    MenuScreenTable[3][48].textSlot = 0;
    TargetMoney = 200;
    EXPECT_EQ(CareerAction(&screen, 71), 0);
    EXPECT_NE(MenuScreenTable[3][48].textSlot, 1003);
    EXPECT_TRUE(MenuScreenTable[5][79].flags & MENU_SHOWN);

    // Cup 5's races cost 2,000 once their cup's four races are won.
    for (int race = 0; race < 4; race++)
        CareerRecord.cups[2].won[race] = 1;
    TargetMoney = 1999;
    EXPECT_EQ(CareerAction(&screen, 105 + 2), 1);
    EXPECT_EQ(MenuScreenTable[3][48].textSlot, 1003);
    EXPECT_EQ(Cup5Mode, 0);
    TargetMoney = 2000;
    EXPECT_EQ(CareerAction(&screen, 105 + 2), 0);
    EXPECT_EQ(Cup5Mode, 1);
    Cup5Mode = 0;
    CurrentCup = CurrentCupRace = 0;
    GiveBackPopupFreeze(3);
}
