// The menu panels: the display option marks, the record panel, the shop's
// verdict, the championship information, the lobby's host items and the
// timed notice.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/test_game.h"
#include "frame/startup.h"
#include "frontend/frontend_state.h"
#include "frontend/progress.h"
#include "frontend/menu_items.h"
#include "frontend/menu_panels.h"
#include "frontend/text_slots.h"
#include "frontend_test_util.h"
#include "net/net_state.h"
#include "platform/plat_system.h"

namespace {

std::string Slot(int slot) {
    GetText(slot);
    return TextBufferB;
}

struct MenuPanels : FrontEndTest {
    void SetUp() override {
        FrontEndTest::SetUp();
        ASSERT_TRUE(PlatInit(PLAT_BACKEND_HEADLESS));
        MakeTestGameFolder("panels");
        LoadMessageFile();
    }
    void TearDown() override {
        memset(BestLapTimes, 0, sizeof BestLapTimes);
        memset(LapRecordNames, 0, sizeof LapRecordNames);
        memset(LapRecordDates, 0, sizeof LapRecordDates);
        RestoreProgressDefaults();
        GarageMode = 0;
        memset(&CareerRecord, 0, sizeof CareerRecord);
        DeveloperSwitch = 0;
        GarageCategory = 0;
        ShowroomModel = ShowroomColour = 0;
        NoticeTicks = 0;
        FrontEndActive = 0;
        MenuScreen = 0;
        RequestedScreen = -1;
        LastFrameTicks = 0;
        PlatShutdown();
        FrontEndTest::TearDown();
    }
};

TEST_F(MenuPanels, OptionTogglesShowEitherFormOfEachArgument) {
    struct Form {
        int value, other;
        std::initializer_list<int> first, second;
    };
    const Form forms[5] = {{1, 0, {26, 46}, {28}}, {1, 0, {29}, {30, 43}}, {1, 0, {35}, {36, 45}},
                           {2, 1, {39}, {40, 49}}, {1, 0, {37, 48}, {38}}};
    for (int arg = 0; arg < 5; arg++) {
        for (int pick = 0; pick < 2; pick++) {
            int v[5] = {0, 0, 0, 1, 0};
            v[arg] = pick == 0 ? forms[arg].value : forms[arg].other;
            SetOptionToggles(v[0], v[1], v[2], v[3], v[4], 1);
            for (int item : forms[arg].first)
                EXPECT_EQ(ItemShown(6, item), pick == 0) << "argument " << arg << " item " << item;
            for (int item : forms[arg].second)
                EXPECT_EQ(ItemShown(6, item), pick == 1) << "argument " << arg << " item " << item;
        }
    }
    EXPECT_FALSE(ItemShown(6, 23));
    EXPECT_TRUE(ItemShown(6, 24));
    EXPECT_FALSE(ItemShown(6, 25));
    // Kind 3 leaves the three marks as they were.
    SetOptionToggles(1, 1, 1, 2, 1, 3);
    EXPECT_TRUE(ItemShown(6, 24));
    EXPECT_FALSE(ItemShown(6, 23));
}

TEST_F(MenuPanels, RecordPanelShowsJumpsAsSecondsAndEmptyCodesAsBlanks) {
    ShowItem(1, 20);
    BestLapTimes[42] = {0, 37, 5};
    memcpy(LapRecordNames[42], "ABCDEFGHIJKLMNOPQRST", 20);   // 20 bytes, no NUL
    memcpy(LapRecordDates[42], "01/02/2026", 11);
    ShowRecordPanel(1, 42);
    EXPECT_EQ(RecordPanelShown, 1);
    EXPECT_EQ(Slot(782), "37.05");
    EXPECT_EQ(Slot(780), "ABCDEFGHIJKLMNOPQRS") << "19 characters at most";
    EXPECT_EQ(Slot(783), "01/02/2026");
    EXPECT_TRUE(ItemShown(1, 32) && ItemShown(1, 34));

    // A row with a time but no holder or date (the built-in records, which
    // another test may have loaded, name one).
    BestLapTimes[12] = {1, 2, 3};
    memset(LapRecordNames[12], 0, sizeof LapRecordNames[12]);
    memset(LapRecordDates[12], 0, sizeof LapRecordDates[12]);
    ShowRecordPanel(1, 12);
    EXPECT_EQ(Slot(782), "01:02:03");
    EXPECT_EQ(Slot(780), "---");
    EXPECT_EQ(Slot(783), "?");

    // A code outside the tables blanks the panel.
    ShowRecordPanel(1, 99);
    EXPECT_EQ(Slot(780), "---");
    // Without the lap panel shown nothing is filled.
    HideItem(1, 20);
    ShowRecordPanel(1, 42);
    EXPECT_EQ(RecordPanelShown, 0);
}

TEST_F(MenuPanels, ShopVerdictCountsTheCategorysCupWins) {
    ShowroomModel = 0;
    ShowroomColour = 3;   // needs 5 wins
    GarageCategory = 1;   // counts cup 0
    ShowShopVerdict();
    EXPECT_EQ(NeededWins, 5);
    EXPECT_EQ(VerdictKind, 2) << "no wins: locked";
    EXPECT_EQ(BuyAllowed, 0);
    EXPECT_TRUE(ItemShown(19, 84));
    EXPECT_EQ(ItemAt(19, 81).firstPicture, 532);
    EXPECT_EQ(Slot(409), Slot(408));

    DeveloperSwitch = 1;
    ShowShopVerdict();
    EXPECT_EQ(VerdictKind, 1) << "never locked with the developer switch";
    DeveloperSwitch = 0;

    CareerRecord.cups[0].won[0] = 2;
    CareerRecord.cups[0].won[3] = 1;
    ShowShopVerdict();
    EXPECT_EQ(VerdictKind, 1) << "3 cup wins: for sale";
    EXPECT_EQ(BuyAllowed, 1);
    EXPECT_TRUE(ItemAt(19, 39).flags & MENU_HOVER_TEST);
    EXPECT_FALSE(ItemAt(19, 14).flags & MENU_SLIDE_OUT);
    EXPECT_TRUE(ItemShown(19, 73) && !ItemShown(19, 84));
    EXPECT_EQ(Slot(409), Slot(407));

    GarageMode = 0;
    GaragePage = 0;
    GarageLists[2 * 5][4][0] = 0;
    GarageLists[2 * 5][4][1] = 3;
    ShowShopVerdict();
    EXPECT_EQ(VerdictKind, 0) << "owned";
    EXPECT_EQ(CarOwned, 1);
    EXPECT_EQ(BuyAllowed, 0);
    EXPECT_TRUE(ItemAt(19, 14).flags & MENU_SLIDE_OUT);
    EXPECT_FALSE(ItemAt(19, 39).flags & MENU_HOVER_TEST);
    EXPECT_EQ(ItemAt(19, 81).firstPicture, 530);
}

TEST_F(MenuPanels, ChampionshipInfoBlanksItsNumbersForMinusOne) {
    ShowChampionshipInfo("", -1);
    EXPECT_EQ(Slot(297), " ");
    for (int slot : {313, 298, 776, 299})
        EXPECT_EQ(Slot(slot), " ") << slot;
    NetPlayerCount = 3;
    ShowChampionshipInfo("Rally", 4);
    EXPECT_EQ(Slot(297), "Rally");
    EXPECT_EQ(Slot(298), "4");
    EXPECT_EQ(Slot(299), "3");
    EXPECT_EQ(Slot(776), "3");   // the first championship has three races
    NetPlayerCount = 0;
}

TEST_F(MenuPanels, LobbyItemsAndTheSpecialRaceButtonTakeTheirFlags) {
    ItemAt(11, 5).flags = MENU_SHOWN | MENU_SLIDE_IN | MENU_HOVER_TEST;
    DisableLobbyItemA();
    EXPECT_EQ(ItemAt(11, 5).flags, (uint32_t)(MENU_SHOWN | MENU_SLIDE_OUT));
    EnableLobbyItemA();
    EXPECT_EQ(ItemAt(11, 5).flags, (uint32_t)(MENU_SHOWN | MENU_SLIDE_IN | MENU_HOVER_TEST));
    ItemAt(11, 6).flags = MENU_SLIDE_IN | MENU_HOVER_TEST;
    DisableLobbyItemB();
    EXPECT_EQ(ItemAt(11, 6).flags, (uint32_t)MENU_SLIDE_OUT);

    ShowSpecialRaceButton();
    EXPECT_FALSE(ItemShown(3, 164)) << "locked special race";
    CareerRecord.specialRace = 1;
    ShowSpecialRaceButton();
    EXPECT_EQ(ItemAt(3, 164).flags & 0x2030u, 0x2030u);
    EXPECT_EQ(ItemAt(3, 165).flags & 0x30u, 0x30u);
}

// The notice lasts 90 ticks of game time, whatever the frame rate: frames
// that took no tick do not age it.  Arming it again starts it over; leaving
// the screen it was asked on, or the menus, takes it away.
TEST_F(MenuPanels, TimedNoticeLastsItsTicksOnItsOwnScreen) {
    FrontEndActive = 1;
    MenuScreen = 3;
    RequestedScreen = -1;
    ShowTimedNotice(1);
    EXPECT_EQ(NoticeTicks, 90);
    LastFrameTicks = 0;
    for (int f = 0; f < 50; f++)
        ShowTimedNotice(0);
    EXPECT_EQ(NoticeTicks, 90) << "fast frames do not age it";
    LastFrameTicks = 2;
    for (int f = 0; f < 5; f++)
        ShowTimedNotice(0);
    EXPECT_EQ(NoticeTicks, 80);
    ShowTimedNotice(1);
    EXPECT_EQ(NoticeTicks, 90);
    for (int f = 0; f < 60; f++)
        ShowTimedNotice(0);
    EXPECT_LE(NoticeTicks, 0);

    ShowTimedNotice(1);
    ShowTimedNotice(0);
    EXPECT_GT(NoticeTicks, 0);
    RequestedScreen = 18;   // the click also leaves the screen
    ShowTimedNotice(0);
    EXPECT_EQ(NoticeTicks, 0);
    RequestedScreen = -1;
    ShowTimedNotice(1);
    MenuScreen = 0;
    ShowTimedNotice(0);
    EXPECT_EQ(NoticeTicks, 0);
    MenuScreen = 3;
    ShowTimedNotice(1);
    FrontEndActive = 0;   // a race started
    ShowTimedNotice(0);
    EXPECT_EQ(NoticeTicks, 0);
}

}  // namespace

namespace {

// The whole program: EXIT, then YES, ends the message loop; the exit
// picture stays until the next scripted key.
TEST(ExitScreen, StaysUntilTheNextScriptedKey) {
    const std::string dir = MakeTestGameFolder("exit");
    const std::string script = dir + "/exit.txt";
    FILE* file = fopen(script.c_str(), "w");
    ASSERT_TRUE(file);
    fputs("300 point 463 433\n301 click\n340 point 420 400\n341 click\n600 key down SPACE\n606 key up SPACE\n", file);
    fclose(file);
    ExitScreenShown = 0;
    ASSERT_EQ(RunHeadlessGame(0, 0, 1, script.c_str()), 0);
    EXPECT_EQ(ExitScreenShown, 1);
    EXPECT_GE(FramesRun, 600) << "the picture waited for the key";
    EXPECT_LT(FramesRun, 620) << "and ended at it";
    ExitScreenShown = 0;
}

}  // namespace
