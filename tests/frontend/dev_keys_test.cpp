// The developer's key counter: presses counted on their edges, the set-up
// of screen 3 on H, the counts cleared while O is held.
#include <gtest/gtest.h>

#include <cstring>

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

}  // namespace
