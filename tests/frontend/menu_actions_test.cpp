// Menu actions by screen on the sample layout: the quit confirmation, the
// career's race order, the opponents' count and the records pages.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "frontend/menu_actions.h"
#include "frontend/menu_init.h"
#include "frontend/menu_items.h"
#include "frontend/popups.h"
#include "frontend/text_slots.h"
#include "race/race_state.h"
#include "sound/music.h"
#include "frontend_test_util.h"

namespace {

struct MenuActions : FrontEndTest {
    static void SetUpTestSuite() { MakeTestGameFolder("actions"); }
    void SetUp() override {
        FrontEndTest::SetUp();
        LoadMessageFile();
        InitMenus();
        memset(MenuSoundRequests, 0, sizeof MenuSoundRequests);
        memset(&CareerRecord, 0, sizeof CareerRecord);
        DeveloperSwitch = 0;
        CurrentCup = 0;
    }
    void TearDown() override {
        for (int s = 0; s < MENU_LAYOUT_SCREENS; s++)
            GiveBackPopupFreeze(s);
        memset(MenuSoundRequests, 0, sizeof MenuSoundRequests);
        memset(&CareerRecord, 0, sizeof CareerRecord);
        ExitRequested = 0;
        DeveloperSwitch = 0;
        ComputerPlayers = 4;
        OpponentsChoice = 6;
        HumanPlayers = 2;
        RecordsPage = 236;
        MenuScreen = 0;
        MouseX = MouseY = 0;
        FrontEndTest::TearDown();
    }
    // A click on an item of `screen` through OnMenuItem (its actions, then
    // its links), with the pointer in its hit box; the screen it leads to.
    static int Click(int screen, int item) {
        const MenuItem& it = MenuScreenTable[screen][item];
        MenuScreenTable[screen][it.parent].screenX = 100.0f;
        MouseX = (it.hitLeft + it.hitRight) / 2;
        MouseY = (it.hitTop + it.hitBottom) / 2;
        MenuStateWord = 1;
        MenuScreen = screen;
        int s = screen, activated = 0, down = 0, up = 0;
        OnMenuItem(&s, item, 0, &activated, &down, &up, nullptr);
        return s;
    }
    static bool HoverTested(int screen, int item) { return MenuScreenTable[screen][item].flags & MENU_HOVER_TEST; }
    static std::string Text(int slot) {
        return std::string(TextSlotBlob + TextSlotTable[slot].offset, TextSlotTable[slot].length);
    }
};

TEST_F(MenuActions, ExitAsksFirstNoGivesTheButtonsBackYesQuits) {
    EXPECT_EQ(Click(0, 18), 0);
    EXPECT_TRUE(ItemShown(0, 36));
    EXPECT_TRUE(ItemShown(0, 37));
    EXPECT_TRUE(MenuScreenTable[0][56].flags & MENU_SLIDE_IN) << "the question slides in";
    for (int item = 13; item <= 18; item++)
        EXPECT_FALSE(HoverTested(0, item)) << item;
    EXPECT_EQ(ExitRequested, 0);

    Click(0, 59);   // NO
    for (int item = 13; item <= 18; item++)
        EXPECT_TRUE(HoverTested(0, item)) << item;
    EXPECT_FALSE(ItemShown(0, 36));
    EXPECT_FALSE(MenuScreenTable[0][56].flags & MENU_SLIDE_IN);
    EXPECT_EQ(ExitRequested, 0);

    Click(0, 18);
    Click(0, 58);   // YES
    EXPECT_EQ(ExitRequested, 1);
}

TEST_F(MenuActions, ACareerRaceWaitsForTheOneBeforeItUnlessTheDeveloperSwitch) {
    int screen = 3;
    EXPECT_EQ(CareerAction(&screen, 71), 0) << "the first race is always open";
    EXPECT_EQ(CareerAction(&screen, 72), 1);
    EXPECT_EQ(MenuScreenTable[3][48].textSlot, PopupMessageSlot(3, 2, 0, 0));
    EXPECT_TRUE(ItemShown(3, 46));
    EXPECT_EQ(MenuSoundRequests[MENU_SOUND_ERROR], 1);
    GiveBackPopupFreeze(3);

    CareerRecord.cups[0].won[0] = 1;
    EXPECT_EQ(CareerAction(&screen, 72), 0);
    EXPECT_EQ(CurrentCupRace, 1);
    EXPECT_EQ(CareerAction(&screen, 73), 1) << "race 3 still waits for race 2";

    DeveloperSwitch = 1;
    EXPECT_EQ(CareerAction(&screen, 74), 0);
    EXPECT_EQ(screen, 3);
}

// The career screen's way to a race: a cup row opens that cup's panel, a
// race of the panel opens the car choice, a refused one stays and closes
// the panel, the panel's BACK lets the rows choose again, and the bonus row
// opens the bonus races.
TEST_F(MenuActions, ACupRowOpensItsPanelAndItsRaceTheCarChoice) {
    const int prepared = CareerScreenPrepared, hover = CareerHoverItem, track = TrackCode;
    const int cupRace = CurrentCupRace, cup5 = Cup5Mode, shop = ShopFromCareer;
    CareerScreenPrepared = 1;   // the greeting was shown
    CareerRecord.cups[2].group[0] = 2;
    CareerRecord.cups[5].group[2] = 2;
    CareerRecord.cups[5].variant[2] = 1;
    auto slidIn = [] { return (MenuScreenTable[3][52].flags & MENU_SLIDE_IN) != 0; };

    EXPECT_EQ(Click(3, 26), 3);
    EXPECT_EQ(CurrentCup, 2);
    EXPECT_TRUE(slidIn()) << "the panel's frame slides in";
    for (int item : {53, 56, 63, 71, 72, 73, 74, 86})
        EXPECT_TRUE(ItemShown(3, item)) << item;
    EXPECT_FALSE(ItemShown(3, 54)) << "not the first cup's title";

    EXPECT_EQ(Click(3, 24), 3);
    EXPECT_EQ(CurrentCup, 2) << "the rows under an open panel take no click";
    EXPECT_FALSE(ItemShown(3, 54));

    CurrentCup = 5;   // as the single race screen's groups leave it
    EXPECT_EQ(Click(3, 71), 5) << "an open race leads to the car choice";
    EXPECT_EQ(CurrentCup, 2) << "the race is of the cup whose panel is up";
    EXPECT_EQ(TrackCode, 20);
    EXPECT_EQ(CurrentCupRace, 0);
    EXPECT_TRUE(ItemShown(5, 0));
    EXPECT_TRUE(ItemShown(5, 79));
    MenuScreenTable[5][0].flags &= ~MENU_SHOWN;

    EXPECT_EQ(Click(3, 72), 3) << "race 1 waits for race 0";
    EXPECT_FALSE(ItemShown(5, 0));
    EXPECT_FALSE(slidIn()) << "the refusal sends the panel away";
    GiveBackPopupFreeze(3);

    EXPECT_EQ(Click(3, 26), 3);
    EXPECT_TRUE(slidIn());
    EXPECT_EQ(Click(3, 63), 3);
    EXPECT_FALSE(slidIn()) << "BACK sends the panel away";
    EXPECT_EQ(Click(3, 24), 3);
    EXPECT_EQ(CurrentCup, 0);
    EXPECT_TRUE(ItemShown(3, 54));
    EXPECT_FALSE(ItemShown(3, 56)) << "the panel shown before goes";
    EXPECT_FALSE(ItemShown(3, 86));

    MenuScreenTable[3][52].flags &= ~MENU_SLIDE_IN;
    EXPECT_EQ(Click(3, 30), 3);
    for (int item = 105; item <= 109; item++)
        EXPECT_TRUE(ItemShown(3, item)) << item;
    EXPECT_FALSE(ItemShown(3, 71));
    EXPECT_EQ(Click(3, 107), 3) << "the bonus waits for cup 2's four races";
    for (int r = 0; r < 4; r++)
        CareerRecord.cups[2].won[r] = 1;
    EXPECT_EQ(Click(3, 107), 5);
    EXPECT_EQ(Cup5Mode, 1);
    EXPECT_EQ(CurrentCup, 2);
    EXPECT_EQ(TrackCode, 21) << "the bonus track comes from cup row 5";

    CareerScreenPrepared = prepared;
    CareerHoverItem = hover;
    TrackCode = track;
    CurrentCupRace = cupRace;
    Cup5Mode = cup5;
    ShopFromCareer = shop;
}

TEST_F(MenuActions, OpponentsCountDownToOffAndBackToSix) {
    int screen = 12;
    std::string shown;
    for (int i = 0; i < 7; i++) {
        PlayerSetUpAction(&screen, 15);
        shown += Text(118) + "|";
    }
    EXPECT_EQ(shown, "5  |4  |3  |2  |1  |Off|6  |");
    EXPECT_EQ(HumanPlayers, 2);
    // Item 16 counts down without changing the choice, and Off returns to it.
    ComputerPlayers = OpponentsChoice = 2;
    PlayerSetUpAction(&screen, 16);
    PlayerSetUpAction(&screen, 16);
    EXPECT_EQ(Text(118), "Off");
    PlayerSetUpAction(&screen, 16);
    EXPECT_EQ(Text(118), "2  ");
    EXPECT_EQ(screen, 12);
}

TEST_F(MenuActions, TheChampionshipRecordsPagesWrap) {
    MenuScreen = 14;
    int screen = 14;
    int pages[4];
    for (int& page : pages) {
        RecordsAction(&screen, 27);
        page = MenuScreenTable[14][28].textSlot;
    }
    EXPECT_EQ(pages[0], 237);
    EXPECT_EQ(pages[1], 238);
    EXPECT_EQ(pages[2], 236);
    EXPECT_EQ(pages[3], 237);
    // Page 237 shows its own rows only.
    EXPECT_TRUE(ItemShown(14, 38));
    EXPECT_TRUE(ItemShown(14, 41));
    EXPECT_FALSE(ItemShown(14, 35));
    EXPECT_FALSE(ItemShown(14, 22));
}

}  // namespace
