// The menu frame on the sample layout, headless: screen changes and their
// cross-fade, slides that start over, value steps, the hover sound and the
// pending screen.
#include <gtest/gtest.h>

#include <cstring>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "frontend/menu_frame.h"
#include "frontend/menu_init.h"
#include "frontend/menu_items.h"
#include "frontend/text_slots.h"
#include "menulayout/menu_table.h"
#include "platform/plat_headless.h"
#include "platform/plat_surface.h"
#include "platform/plat_system.h"
#include "render/render_state.h"
#include "sound/music.h"
#include "sound/sound_state.h"
#include "frontend_test_util.h"

namespace {

struct MenuFrameTest : FrontEndTest {
    static void SetUpTestSuite() { MakeTestGameFolder("frame"); }
    void SetUp() override {
        FrontEndTest::SetUp();
        OpenMenuSurfaces();
        LoadMessageFile();
        InitMenus();
        FillMenuColourTable();
        StartMenuMachine();
        FirstMenuFrame = 0;   // the start-up set-up is not what these tests run
        ExitRequested = 0;    // a whole game run before this one ends by asking to exit
        MenuFrameTicksAverage = 1.0f;
        memset(MenuSoundRequests, 0, sizeof MenuSoundRequests);
        SoundUnavailable = 1;
        MouseX = 600;
        MouseY = 300;
    }
    void TearDown() override {
        CloseMenuSurfaces();
        StartMenuMachine();
        SoundUnavailable = 0;
        MouseX = MouseY = 0;
        memset(MenuSoundRequests, 0, sizeof MenuSoundRequests);
        FrontEndTest::TearDown();
    }
    static void Frames(int n) {
        for (int i = 0; i < n; i++)
            RunMenuFrame(nullptr, nullptr, 0, nullptr);
    }
    static int Highlights() { return MenuSoundRequests[MENU_SOUND_HIGHLIGHT]; }
};

TEST_F(MenuFrameTest, AScreenChangeShowsFromTheNextFrameAndFadesInOver20Frames) {
    Frames(3);
    EXPECT_EQ(MenuScreenShown, 0);
    PendingScreen = 7;
    Frames(1);
    EXPECT_EQ(MenuScreenShown, 0) << "the frame of the change still shows the old screen";
    EXPECT_EQ(PendingScreen, 0);
    for (int frame = 1; frame <= 20; frame++) {
        Frames(1);
        EXPECT_EQ(MenuScreenShown, 7);
        if (frame < 20) {
            EXPECT_GT(MenuFadeLevel, 0) << "frame " << frame;
        }
    }
    EXPECT_EQ(MenuFadeLevel, 0);
}

TEST_F(MenuFrameTest, PendingScreensOutsideTheLayoutAreIgnored) {
    Frames(1);
    for (int pending : {23, 40, -3}) {
        PendingScreen = pending;
        Frames(2);
        EXPECT_EQ(MenuScreen, 0) << pending;
        EXPECT_EQ(PendingScreen, 0);
    }
}

TEST_F(MenuFrameTest, EveryScreenEnteredThroughPendingScreenRunsAndShows) {
    Frames(1);
    for (int screen = 1; screen < MENU_LAYOUT_SCREENS; screen++) {
        // The showroom screens load the race's objects, which start-up loads
        // and these tests do not.
        if (screen == 5 || screen == 19)
            continue;
        PendingScreen = screen;
        Frames(30);
        EXPECT_EQ(MenuScreenShown, screen);
        EXPECT_EQ(MenuFadeLevel, 0) << "screen " << screen << " faded in";
        EXPECT_EQ(ExitRequested, 0);
    }
}

TEST_F(MenuFrameTest, ReEnteringAScreenStartsItsSlidesOver) {
    const MenuItem& play = MenuScreenTable[0][7];   // PLAY's plate, from x -500 to 227
    const float start = play.x;
    Frames(150);
    EXPECT_NEAR(play.x, play.homeX, 2.0f);
    PendingScreen = 7;
    Frames(30);
    ASSERT_EQ(MenuScreen, 7);
    RequestedScreen = 0;
    ShowPageRoot(0);
    Frames(1);
    ASSERT_EQ(MenuScreenShown, 0);
    EXPECT_LT(play.x, start + 0.3f * (play.homeX - start)) << "the plate slides in again from its start";
}

TEST_F(MenuFrameTest, ValueStepsClampAtOnce) {
    Frames(1);
    MenuItem& it = MenuScreenTable[0][1];
    ASSERT_TRUE(it.flags & MENU_SHOWN);
    it.lowerBound = 1;
    it.upperBound = 3;
    it.value = 3;
    it.flags |= MENU_VALUE_UP;
    Frames(1);
    EXPECT_EQ(it.value, 3);
    EXPECT_FALSE(it.flags & (MENU_VALUE_UP | MENU_VALUE_DOWN)) << "a request is taken once";
    it.value = 1;
    it.flags |= MENU_VALUE_DOWN;
    Frames(1);
    EXPECT_EQ(it.value, 1);
    it.flags |= MENU_VALUE_UP;
    Frames(1);
    EXPECT_EQ(it.value, 2);
    it.value = 1;
    it.flags |= MENU_VALUE_UP | MENU_VALUE_DOWN;
    Frames(1);
    EXPECT_EQ(it.value, 1) << "both requests cancel";
}

TEST_F(MenuFrameTest, OneHoverSoundPerChangeOfTheHoveredItem) {
    Frames(150);   // the buttons settle at home
    const int before = Highlights();
    MouseX = 342;  // PLAY
    MouseY = 26;
    Frames(5);
    EXPECT_EQ(Highlights(), before + 1);
    MouseX = 186;  // RACE
    MouseY = 170;
    Frames(5);
    EXPECT_EQ(Highlights(), before + 2);
    MouseX = 600;  // nothing
    MouseY = 300;
    Frames(5);
    EXPECT_EQ(Highlights(), before + 2);
    MouseX = 342;
    MouseY = 26;
    Frames(5);
    EXPECT_EQ(Highlights(), before + 3);
}

}  // namespace
