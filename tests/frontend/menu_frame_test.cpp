// The menu frame on the sample layout, headless: screen changes and their
// cross-fade, frames that show nothing of what the surface held before,
// slides that start over, value steps, the hover sound and the pending
// screen.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "frame/input.h"
#include "frontend/career.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_frame.h"
#include "frontend/menu_init.h"
#include "frontend/menu_items.h"
#include "frontend/text_slots.h"
#include "menulayout/menu_table.h"
#include "platform/plat_headless.h"
#include "platform/plat_surface.h"
#include "platform/plat_system.h"
#include "render/render_state.h"
#include "render/surfaces2d.h"
#include "sound/music.h"
#include "sound/sound_state.h"
#include "frontend_test_util.h"

namespace {

struct MenuFrameTest : FrontEndTest {
    static void SetUpTestSuite() { MakeTestGameFolder("frame"); }
    void SetUp() override {
        FrontEndTest::SetUp();
        ASSERT_TRUE(StartHeadlessMenus());
        MouseX = 600;
        MouseY = 300;
    }
    void TearDown() override {
        StopHeadlessMenus();
        MouseX = MouseY = 0;
        NewUnlockNotice = 0;   // the career screen's bookkeeping raises it for the races a test marks won
        FrontEndTest::TearDown();
    }
    static void Frames(int n) {
        for (int i = 0; i < n; i++)
            RunMenuFrame(nullptr, nullptr, 0, nullptr);
    }
    static int Highlights() { return MenuSoundRequests[MENU_SOUND_HIGHLIGHT]; }

    // The 640 x 480 picture of the work surface, as one hash.
    static uint64_t Picture() {
        void* bits = nullptr;
        int pitch = 0;
        if (PlatSurfaceLock(WorkSurface, nullptr, PLAT_WAIT | PLAT_LOCK_READONLY, &bits, &pitch) != 0)
            return 0;
        uint64_t hash = 1469598103934665603ull;
        for (int y = 0; y < 480; y++) {
            const uint16_t* row = (const uint16_t*)((const char*)bits + (long)y * pitch);
            for (int x = 0; x < 640; x++)
                hash = (hash ^ row[x]) * 1099511628211ull;
        }
        PlatSurfaceUnlock(WorkSurface);
        return hash;
    }
    // How many pixels of the work surface's box [x0, x1) x [y0, y1) the
    // test takes; -1 when the surface cannot be read.
    template <class Test>
    static int CountIn(int x0, int y0, int x1, int y1, Test test) {
        void* bits = nullptr;
        int pitch = 0;
        if (PlatSurfaceLock(WorkSurface, nullptr, PLAT_WAIT | PLAT_LOCK_READONLY, &bits, &pitch) != 0)
            return -1;
        int count = 0;
        for (int y = y0; y < y1; y++)
            for (int x = x0; x < x1; x++)
                count += test(((const uint16_t*)((const char*)bits + (long)y * pitch))[x]) ? 1 : 0;
        PlatSurfaceUnlock(WorkSurface);
        return count;
    }
    // Paints the work surface one colour: what a frame left there, or the
    // loading picture before the menus.
    static void Fill(uint16_t colour) {
        void* bits = nullptr;
        int pitch = 0;
        if (PlatSurfaceLock(WorkSurface, nullptr, PLAT_WAIT, &bits, &pitch) != 0)
            return;
        for (int y = 0; y < 480; y++) {
            uint16_t* row = (uint16_t*)((char*)bits + (long)y * pitch);
            for (int x = 0; x < 640; x++)
                row[x] = colour;
        }
        PlatSurfaceUnlock(WorkSurface);
    }
    // The pictures of `n` frames, the surface painted `colour` before each.
    static std::vector<uint64_t> PaintedFrames(int n, uint16_t colour) {
        std::vector<uint64_t> pictures;
        for (int i = 0; i < n; i++) {
            Fill(colour);
            Frames(1);
            pictures.push_back(Picture());
        }
        return pictures;
    }
    // The menus from the start again, as SetUp leaves them, with their
    // pictures and fonts this time.
    void RestartWithPictures() {
        TearDown();
        SetUp();
        LoadMenuGfxSet();
        PreloadMenuGfx();
        LoadMenuRawGraphics();
    }
};

// The first screen of a run draws its background whole from its first
// frame: nothing of the loading picture the surface held shows through, and
// nothing a frame drew is left for the next (no trails behind the sliding
// and spinning pictures, no darkening).
TEST_F(MenuFrameTest, TheFirstScreenShowsNothingOfWhatTheSurfaceHeld) {
    RestartWithPictures();
    const std::vector<uint64_t> overBlack = PaintedFrames(60, 0x0000);
    EXPECT_EQ(MenuFadeLevel, 0);
    RestartWithPictures();
    const std::vector<uint64_t> overWhite = PaintedFrames(60, 0xFFFF);
    ASSERT_EQ(overBlack.size(), overWhite.size());
    for (size_t i = 0; i < overBlack.size(); i++)
        EXPECT_EQ(overBlack[i], overWhite[i]) << "frame " << i + 1;
    EXPECT_NE(overBlack[0], overBlack[59]) << "the buttons slide in meanwhile";
}

// A screen change cross-fades from the screen left, kept as its last frame
// showed it: during the fade, too, a frame shows nothing that the frame
// before it drew.
TEST_F(MenuFrameTest, TheCrossFadeBlendsOverTheScreenLeftAlone) {
    std::vector<uint64_t> runs[2];
    for (int run = 0; run < 2; run++) {
        RestartWithPictures();
        Frames(30);
        PendingScreen = 7;
        Frames(2);   // the change is chosen, then the new background loads
        ASSERT_EQ(MenuScreenShown, 7);
        ASSERT_GT(MenuFadeLevel, 0);
        runs[run] = PaintedFrames(25, run == 0 ? 0x0000 : 0xFFFF);
        EXPECT_EQ(MenuFadeLevel, 0);
    }
    for (size_t i = 0; i < runs[0].size(); i++)
        EXPECT_EQ(runs[0][i], runs[1][i]) << "fade frame " << i + 1;
}

// At a few hundred frames a second a frame's drop of the level is a fraction
// of one; kept from frame to frame, the fade still ends in about a second
// (60 ticks: 20 steps of a factor of 1.0).
TEST_F(MenuFrameTest, TheCrossFadeEndsInAboutASecondAtAnyFrameRate) {
    Frames(3);
    PendingScreen = 7;
    Frames(2);
    ASSERT_EQ(MenuScreenShown, 7);
    int frames = 0;
    while (MenuFadeLevel > 0 && frames < 2000) {
        MenuFrameTicksAverage = 0.05f;   // 400 frames a second
        Frames(1);
        frames++;
    }
    // The loading frame fell by a whole step (its factor is 1.0), the rest
    // by a quarter of a level a frame.
    EXPECT_NEAR(frames, 92 * 4, 4);
}

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

// The career screen's cup rows: each row's square shows, through its level
// map, as many solid cells as the cup has races won.
TEST_F(MenuFrameTest, TheCareerScreensCupSquaresShowTheRacesWon) {
    RestartWithPictures();
    auto solidIn = [](int item) {
        const MenuItem& it = MenuScreenTable[3][item];
        return CountIn((int)it.x, (int)it.y, (int)it.x + 20, (int)it.y + 20,
                       [](uint16_t pixel) { return (pixel >> 11) >= 26; });
    };
    PendingScreen = 3;
    Frames(150);
    ASSERT_EQ(MenuScreenShown, 3);
    const int none = solidIn(36);
    EXPECT_EQ(solidIn(37), none) << "no cup has a race won";
    CareerRecord.cups[0].won[0] = CareerRecord.cups[0].won[2] = 1;
    CareerRecord.cups[1].won[0] = CareerRecord.cups[1].won[1] = CareerRecord.cups[1].won[2] =
        CareerRecord.cups[1].won[3] = 1;
    ShowCupProgress();
    Frames(2);
    const int two = solidIn(36), four = solidIn(37);
    EXPECT_GE(two - none, 2 * 60) << "two cells lit in the rookie cup's square";
    EXPECT_LE(two - none, 2 * 70);
    EXPECT_GT(four, two + 2 * 60) << "the bronze cup's square nearly whole";
    EXPECT_EQ(solidIn(38), none) << "the gold cup's row";
    ResetCareer();
}

// The career's BACK opens the leave pop-up; were its NO under BACK (its hit
// box is put there), the click that opened the pop-up would not reach it:
// the pop-up stays open for the next click instead of closing in the frame
// that opened it.
TEST_F(MenuFrameTest, APopUpWaitsForTheClickAfterTheOneThatOpenedIt) {
    const int prepared = CareerScreenPrepared;
    CareerScreenPrepared = 1;   // no greeting
    PendingScreen = 3;
    Frames(150);
    ASSERT_EQ(MenuScreenShown, 3);
    const MenuItem& back = MenuScreenTable[3][14];
    MenuItem& no = MenuScreenTable[3][158];
    no.hitLeft = 320;
    no.hitRight = 400;
    no.hitTop = 330;
    no.hitBottom = 340;
    MouseX = 330;
    MouseY = 335;
    ASSERT_TRUE(MouseX >= back.hitLeft && MouseX <= back.hitRight && MouseY >= back.hitTop && MouseY <= back.hitBottom);
    ASSERT_TRUE(MouseX >= no.hitLeft && MouseX <= no.hitRight && MouseY >= no.hitTop && MouseY <= no.hitBottom);
    MouseClick = 1;
    Frames(1);
    MouseClick = 0;
    Frames(5);
    EXPECT_TRUE(MenuScreenTable[3][46].flags & MENU_SHOWN) << "the pop-up's panel";
    EXPECT_TRUE(no.flags & MENU_SHOWN);
    EXPECT_TRUE(MenuScreenTable[3][157].flags & MENU_SHOWN);
    MouseClick = 1;   // NO: the career stays, the pop-up goes
    Frames(1);
    MouseClick = 0;
    Frames(5);
    EXPECT_FALSE(MenuScreenTable[3][46].flags & MENU_SHOWN);
    EXPECT_EQ(MenuScreenShown, 3);
    CareerScreenPrepared = prepared;
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

// Under the pointer a main-menu button's label turns from colour 3 (light
// grey) to colour 4 (white); only its hot-key letter is white otherwise.
TEST_F(MenuFrameTest, AHoveredButtonLightsItsLabel) {
    RestartWithPictures();
    auto whiteInPlay = [] {
        return CountIn(262, 14, 380, 40, [](uint16_t pixel) { return pixel == MenuColourTable[4]; });
    };
    Frames(150);   // the buttons settle at home
    const int resting = whiteInPlay();
    MouseX = 415;  // PLAY's hit box, the pointer right of its label
    MouseY = 30;
    Frames(2);
    const int hovered = whiteInPlay();
    EXPECT_GT(resting, 0) << "the hot-key letter";
    EXPECT_GT(hovered, 3 * resting) << "the whole label lit";
    MouseX = 600;
    MouseY = 300;
    Frames(2);
    EXPECT_EQ(whiteInPlay(), resting);
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
