// The developer's keys: the key counter's presses counted on their edges,
// the set-up of screen 3 on H, the counts cleared while O is held; and the
// bonus money of Insert in the menus of a developer run.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_items.h"
#include "frontend/menu_panels.h"
#include "frontend/text_slots.h"
#include "frontend_test_util.h"
#include "platform/plat_system.h"

namespace {

enum { SCAN_H = 0x23, SCAN_J = 0x24, SCAN_K = 0x25, SCAN_O = 0x18 };

struct DevKeys : FrontEndTest {
    void SetUp() override {
        FrontEndTest::SetUp();
        ASSERT_TRUE(PlatInit(PLAT_BACKEND_HEADLESS));
        MakeTestGameFolder("keys");
        LoadMessageFile();
        memset(KeyState, 0, sizeof KeyState);
        CountKeysFirst = CountKeysSecond = 0;
        MenuScreen = PreviousScreen = 6;
        // Forget keys a previous test left down.
        CountKeysToScreen();
    }
    void TearDown() override {
        memset(KeyState, 0, sizeof KeyState);
        CountKeysToScreen();
        CountKeysFirst = CountKeysSecond = 0;
        MenuScreen = PreviousScreen = MenuScreenShown = 0;
        SingleRaceMode = Cup6Mode = Cup5Mode = 0;
        PlatShutdown();
        FrontEndTest::TearDown();
    }
    // One call with exactly these keys down.
    void Frame(std::initializer_list<int> held = {}) {
        memset(KeyState, 0, sizeof KeyState);
        for (int scan : held)
            KeyState[scan] = 0x80;
        CountKeysToScreen();
    }
};

TEST_F(DevKeys, PressesCountOnTheirEdgesAndOHeldClearsBoth) {
    for (int f = 0; f < 5; f++)
        Frame({SCAN_J});
    EXPECT_EQ(CountKeysFirst, 1) << "a key held counts once";
    Frame();
    Frame({SCAN_J, SCAN_K});
    Frame({SCAN_K});
    Frame();
    Frame({SCAN_K});
    EXPECT_EQ(CountKeysFirst, 2);
    EXPECT_EQ(CountKeysSecond, 2);
    Frame({SCAN_O});
    EXPECT_EQ(CountKeysFirst, 0);
    EXPECT_EQ(CountKeysSecond, 0);
    // O held keeps them at 0 while J is pressed; after it is let go they count.
    Frame({SCAN_O, SCAN_J});
    EXPECT_EQ(CountKeysFirst, 0);
    Frame();
    Frame({SCAN_J});
    EXPECT_EQ(CountKeysFirst, 1);
    EXPECT_EQ(MenuScreen, 6) << "no screen set up without H";
}

TEST_F(DevKeys, HSetsUpScreen3OnceWithItsEntryActions) {
    // What screen 3's entry changes, set otherwise first.
    SingleRaceMode = 1;
    Cup6Mode = 1;
    Cup5Mode = 1;
    MenuScreenShown = 6;
    ItemAt(3, 0).flags &= ~MENU_SHOWN;
    Frame({SCAN_H});
    EXPECT_EQ(MenuScreen, 3);
    EXPECT_EQ(PreviousScreen, 3) << "the next menu frame does not enter it again";
    EXPECT_EQ(MenuScreenShown, 3);
    EXPECT_TRUE(ItemAt(3, 0).flags & MENU_SHOWN) << "its page is drawn anew";
    EXPECT_EQ(SingleRaceMode, 0);
    EXPECT_EQ(Cup6Mode, 0);
    EXPECT_EQ(Cup5Mode, 0);
    // H held does not set it up again.
    SingleRaceMode = 1;
    Frame({SCAN_H});
    EXPECT_EQ(SingleRaceMode, 1);
    Frame();
    Frame({SCAN_H});
    EXPECT_EQ(SingleRaceMode, 0) << "a new press sets it up again";
}

// A whole run: PLAY, PROFILES, NEW, a name and OK, then Insert.  The
// developer profile name turns developer mode on, and Insert then adds
// 5,000 to the money the career counts toward; under any other name it
// adds nothing.
int MoneyAfterInsert(const std::string& name) {
    const std::string dir = MakeTestGameFolder("bonus");
    const std::string script = dir + "/bonus.txt";
    FILE* file = fopen(script.c_str(), "w");
    if (!file)
        return -1;
    fprintf(file,
            "200 point 342 26\n201 click\n260 point 300 50\n261 click\n330 expect-screen 18\n"
            "340 point 420 416\n341 click\n400 type %s\n430 point 215 238\n431 click\n"
            "500 key down INSERT\n504 key up INSERT\n",
            name.c_str());
    fclose(file);
    TargetMoney = 0;
    DeveloperSwitch = 0;
    if (RunHeadlessGame(560, 0, 1, script.c_str()) != 0)
        return -1;
    return TargetMoney;
}

TEST(DevKeysRun, InsertAddsTheBonusMoneyInTheMenusOfADeveloperRunOnly) {
    EXPECT_EQ(MoneyAfterInsert("-gavrel"), 400 + 5000);
    EXPECT_EQ(DeveloperSwitch, 1);
    EXPECT_EQ(MoneyAfterInsert("PLAIN"), 400);
    EXPECT_EQ(DeveloperSwitch, 0);
    // What the route through PLAY and the profile screen leaves.
    DeveloperSwitch = 0;
    TargetMoney = 0;
    SingleRaceMode = CareerChosen = ChampionshipChosen = NetworkChosen = 0;
    PendingScreen = 0;
    memset(CurrentPlayerName, 0, sizeof CurrentPlayerName);
}

}  // namespace
