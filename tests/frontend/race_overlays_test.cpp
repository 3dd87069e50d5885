// The in-race overlays on the sample quick race, ticked in lockstep: the
// pause menu's keys, rows and choices and that it freezes the race, the
// help, the end banner and the name tags.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>

#include "common/sample_race.h"
#include "common/test_game.h"
#include "frame/frame_state.h"
#include "frame/tick.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_items.h"
#include "frontend/race_overlays.h"
#include "frontend/race_results.h"
#include "frontend/text_entry.h"
#include "frontend/text_slots.h"
#include "frame/startup.h"
#include "net/net_state.h"
#include "platform/plat_system.h"
#include "race/messages.h"
#include "race/race_state.h"
#include "render/render_state.h"
#include "render/surface_test_util.h"
#include "render/surfaces2d.h"
#include "render/text_printer.h"
#include "sound/music.h"
#include "sound/sound_state.h"

namespace {

enum { ESC = 1, ENTER = 28, F1 = 59, UP = 200, DOWN = 208 };

struct Snapshot {
    int clock;
    int carClocks[MAX_CARS];
    float x[MAX_CARS], z[MAX_CARS], heading[MAX_CARS];
};

Snapshot Take() {
    Snapshot s = {};
    s.clock = RaceClock.minutes * 3600 + RaceClock.seconds * 60 + RaceClock.ticks;
    for (int c = 0; c < CarCount; c++) {
        s.carClocks[c] = CarRaceClock[c].minutes * 3600 + CarRaceClock[c].seconds * 60 + CarRaceClock[c].ticks;
        s.x[c] = SimPosX[c];
        s.z[c] = SimPosZ[c];
        s.heading[c] = SimHeading[c];
    }
    return s;
}

struct RaceOverlays : ::testing::Test {
    PlatSurface* surface = nullptr;
    std::string dir;

    void SetUp() override {
        ASSERT_TRUE(PlatInit(PLAT_BACKEND_HEADLESS));
        // A player's single race: an earlier whole run with --autopilot
        // leaves car 0 driving itself (and the banner placing it by its
        // rank), a championship chosen in the menus leaves its banner.
        AutopilotRun = 0;
        ChampionshipChosen = 0;
        dir = MakeTestGameFolder("overlays");
        LoadMessageFile();
        ASSERT_TRUE(LoadQuickRaceTables(0));
        LoadFontsSurface();
        LoadGlyphWidths();
        surface = MakeSurface565(640, 480);
        AppActive = 1;
        SceneReady = 1;
        // What an earlier whole run may have left: the race steps and its
        // clocks run.
        ExitRequested = 0;
        RaceOver = 0;
        RecordsChanged = 0;
        EditorOpen = 0;
        TickCarsHeld = 0;
        memset(KeyState, 0, sizeof KeyState);
        memset(OverlayKeyWasDown, 0, sizeof OverlayKeyWasDown);
        // The race under way: the countdown over, no fly-by.
        RacePhase = 0;
        StartStage = 3;
        PresentationRun = 0;
        PresentationCamera = 0;
        EnginesReleased = 1;
        RacePaused = 0;
        FrontEndActive = 0;
        TextureSortPairCount = 2;   // the frame drew a scene
        for (int* mode : {&ChampionshipRunning, &SplitScreen, &NetworkGame, &DemoReplay, &ReplayPlaying,
                          &ReplayPromptOpen, &HelpOverlayOpen, &PauseMenuOpen, &BackToMenusRequest,
                          &JumpToScreen9, &JumpToScreen17, &JumpToScreen22, &AttractIdleTimer})
            *mode = 0;
        NetSessionOpen = 0;
        ReplayPlayback = 0;
        ReplayFromFile = 0;
    }
    void TearDown() override {
        PlatSurfaceRelease(surface);
        FreeFontsSurface();
        RenderKind = 0;
        memset(KeyState, 0, sizeof KeyState);
        for (int* mode : {&ChampionshipRunning, &SplitScreen, &DemoReplay, &ReplayPlaying, &ReplayPromptOpen,
                          &HelpOverlayOpen, &PauseMenuOpen, &BackToMenusRequest, &JumpToScreen9,
                          &JumpToScreen17, &JumpToScreen22, &NameTagsVisible})
            *mode = 0;
        NetworkGame = 0;
        NetSessionOpen = 0;
        RacePaused = 0;
        TextureSortPairCount = 0;
        FrontEndActive = 1;
        PlatShutdown();
    }

    // One frame: the key states, the lockstep tick, the overlays.
    void Frame(std::initializer_list<int> held = {}) {
        memset(KeyState, 0, sizeof KeyState);
        for (int scan : held)
            KeyState[scan] = 0x80;
        GameTickCallback();
        RunHelpOverlay(surface);
        RunPauseMenu(surface);
    }
    void Press(int scan) {
        Frame({scan});
        Frame();
    }
};

TEST_F(RaceOverlays, EscapeHeldOpensOnceAndASecondPressCloses) {
    for (int f = 0; f < 10; f++) {
        Frame({ESC});
        ASSERT_EQ(PauseMenuOpen, 1) << "frame " << f;
    }
    EXPECT_EQ(RacePaused, 1);
    Frame();
    EXPECT_EQ(PauseMenuOpen, 1);
    Press(ESC);
    EXPECT_EQ(PauseMenuOpen, 0);
    EXPECT_EQ(RacePaused, 0);
}

TEST_F(RaceOverlays, UpAndDownWrapAndSkipRestartWhereItHasNoRow) {
    Press(ESC);
    ASSERT_EQ(PauseChoice, 0);
    Press(UP);
    EXPECT_EQ(PauseChoice, 2);
    Press(DOWN);
    EXPECT_EQ(PauseChoice, 0);
    Frame({DOWN});
    EXPECT_EQ(PauseChoice, 1);
    EXPECT_EQ(AnimTicks, 8) << "a move restarts the blink";
    Frame();

    ChampionshipRunning = 1;
    Press(UP);
    EXPECT_EQ(PauseChoice, 0);
    Press(DOWN);
    EXPECT_EQ(PauseChoice, 2) << "a championship has no restart";
    Press(UP);
    EXPECT_EQ(PauseChoice, 0);
    SplitScreen = 1;
    Press(DOWN);
    EXPECT_EQ(PauseChoice, 1) << "a championship in split screen keeps restart";
}

// Near-white pixels of a row of the pause menu (its letters; the frame
// behind them is dark).
int RowLetters(PlatSurface* surface, int row) {
    void* bits = nullptr;
    int pitch = 0;
    if (PlatSurfaceLock(surface, nullptr, PLAT_WAIT | PLAT_LOCK_READONLY, &bits, &pitch) != DD_OK)
        return -1;
    int count = 0;
    for (int y = 170 + 30 * row; y < 170 + 30 * row + 25; y++) {
        const uint16_t* line = (const uint16_t*)((const uint8_t*)bits + (long)y * pitch);
        for (int x = 200; x < 440; x++)
            count += (line[x] >> 11) > 24 && ((line[x] >> 5) & 63) > 48 && (line[x] & 31) > 24;
    }
    PlatSurfaceUnlock(surface);
    return count;
}

// The chosen row is the one that blinks: its letters go for a few ticks in
// every dozen and come back, while the other rows stay lit; a move takes the
// blink to the row chosen.
TEST_F(RaceOverlays, TheChosenRowBlinksAndTheOthersStayLit) {
    RenderKind = 1;   // the text lands on the surface given
    Press(ESC);
    ASSERT_EQ(PauseMenuOpen, 1);
    for (int chosen : {0, 1, 2}) {
        ASSERT_EQ(PauseChoice, chosen);
        int litFrames[3] = {};
        const int frames = 39;   // three blinks at a tick a frame
        for (int f = 0; f < frames; f++) {
            PlatSurfaceFill(surface, nullptr, 0, PLAT_WAIT);
            Frame();
            for (int row = 0; row < 3; row++)
                litFrames[row] += RowLetters(surface, row) > 30;
        }
        for (int row = 0; row < 3; row++) {
            if (row == chosen) {
                EXPECT_GE(litFrames[row], frames / 2) << "row " << row << " is lit most of the time";
                EXPECT_LE(litFrames[row], frames - 9) << "row " << row << " blinks off three times";
            } else {
                EXPECT_EQ(litFrames[row], frames) << "row " << row << " with row " << chosen << " chosen";
            }
        }
        Press(DOWN);
    }
}

TEST_F(RaceOverlays, EscapeDoesNothingOnAClientOrWithTheHelpOpen) {
    NetSessionOpen = 1;
    NetIsHost = 0;
    Press(ESC);
    EXPECT_EQ(PauseMenuOpen, 0);
    NetSessionOpen = 0;
    Press(F1);
    ASSERT_EQ(HelpOverlayOpen, 1);
    EXPECT_EQ(RacePaused, 1) << "the help pauses outside a network game";
    Press(ESC);
    EXPECT_EQ(PauseMenuOpen, 0);
    Press(F1);
    EXPECT_EQ(HelpOverlayOpen, 0);
    EXPECT_EQ(RacePaused, 0);
    NetworkGame = 1;
    Press(F1);
    EXPECT_EQ(HelpOverlayOpen, 1);
    EXPECT_EQ(RacePaused, 0) << "a network race goes on under the help";
}

TEST_F(RaceOverlays, TheOpenMenuFreezesTheRaceWhichMovesAgainAfterResume) {
    const Snapshot start = Take();
    for (int t = 0; t < 120; t++)
        Frame();
    const Snapshot ran = Take();
    ASSERT_GT(ran.clock, start.clock) << "the control run's clock moved";
    int moved = 0;
    for (int c = 1; c < CarCount; c++)
        moved += std::fabs(ran.x[c] - start.x[c]) + std::fabs(ran.z[c] - start.z[c]) > 10.0f;
    ASSERT_GT(moved, 0) << "the computer cars drove in the control run";

    Frame({ESC});
    const Snapshot paused = Take();
    for (int t = 0; t < 120; t++)
        Frame();
    const Snapshot after = Take();
    EXPECT_EQ(after.clock, paused.clock);
    for (int c = 0; c < CarCount; c++) {
        SCOPED_TRACE(c);
        EXPECT_EQ(after.carClocks[c], paused.carClocks[c]);
        EXPECT_EQ(after.x[c], paused.x[c]);
        EXPECT_EQ(after.z[c], paused.z[c]);
        EXPECT_EQ(after.heading[c], paused.heading[c]);
    }
    Press(ENTER);   // resume
    EXPECT_EQ(PauseMenuOpen, 0);
    for (int t = 0; t < 60; t++)
        Frame();
    EXPECT_GT(Take().clock, after.clock);
}

TEST_F(RaceOverlays, QuitAsksForTheMenusAndTheModesScreen) {
    const struct {
        int* mode;
        int* jump;
    } cases[] = {{nullptr, nullptr}, {&NetworkGame, &JumpToScreen9}, {&SplitScreen, &JumpToScreen17},
                 {&ChampionshipRunning, &JumpToScreen22}};
    for (const auto& c : cases) {
        if (c.mode)
            *c.mode = 1;
        BackToMenusRequest = 0;
        RacePaused = 0;
        Press(ESC);
        Press(UP);
        ASSERT_EQ(PauseChoice, 2);
        Press(ENTER);
        EXPECT_EQ(BackToMenusRequest, 1);
        EXPECT_EQ(RacePaused, 1);
        EXPECT_EQ(PauseMenuOpen, 0);
        const int jumps = JumpToScreen9 + JumpToScreen17 + JumpToScreen22;
        EXPECT_EQ(jumps, c.jump ? 1 : 0);
        if (c.jump) {
            EXPECT_EQ(*c.jump, 1);
            *c.jump = 0;
        }
        if (c.mode)
            *c.mode = 0;
    }
}

TEST_F(RaceOverlays, RestartPutsTheCarsOnTheGridWithTheClockAt0) {
    float gridX[MAX_CARS], gridZ[MAX_CARS];
    for (int c = 0; c < CarCount; c++) {
        gridX[c] = SimPosX[c];
        gridZ[c] = SimPosZ[c];
    }
    for (int t = 0; t < 120; t++)
        Frame();
    ASSERT_GT(Take().clock, 0);
    Press(ESC);
    Press(DOWN);
    ASSERT_EQ(PauseChoice, 1);
    Frame({ENTER});
    EXPECT_EQ(PauseMenuOpen, 0);
    EXPECT_EQ(Take().clock, 0);
    for (int c = 0; c < CarCount; c++) {
        SCOPED_TRACE(c);
        EXPECT_EQ(SimPosX[c], gridX[c]);
        EXPECT_EQ(SimPosZ[c], gridZ[c]);
    }
    EXPECT_EQ(ReplayRecording, 1);
}

TEST_F(RaceOverlays, AReplayJustWatchedIsOfferedForSaving) {
    ReplayPlayback = 1;
    ReplayPlaying = 1;
    Frame({0x1E});   // any key opens the menu while a replay plays
    ASSERT_EQ(PauseMenuOpen, 1);
    Frame();
    Press(ENTER);
    EXPECT_EQ(ReplayPromptOpen, 1) << "row 0 is the replay's save";
    ReplayPromptOpen = 0;
    // A demo replay offers none: row 0 resumes.
    DemoReplay = 1;
    Press(0x1E);
    ASSERT_EQ(PauseMenuOpen, 1);
    Press(ENTER);
    EXPECT_EQ(ReplayPromptOpen, 0);
    ReplayPlayback = 0;
}

// The replay-name prompt, opened from the pause menu of the replay just
// watched after the lobby's chat line has left its prefix and a line typed
// behind it.
struct ReplayPrompt : RaceOverlays {
    void SetUp() override {
        RaceOverlays::SetUp();
        memset(MenuSoundRequests, 0, sizeof MenuSoundRequests);
        EntryPrefixLength = 8;   // "Racer:  "
        EntryCursor = 3;
        memset(ReplayNameBuffer, 0, sizeof ReplayNameBuffer);
        ReplayPlayback = 1;
        ReplayPlaying = 1;
        Frame({0x1E});
        ASSERT_EQ(PauseMenuOpen, 1);
        Frame();
        Press(ENTER);
        ASSERT_EQ(ReplayPromptOpen, 1);
    }
    void TearDown() override {
        ReplayPlayback = 0;
        EntryPrefixLength = EntryCursor = 0;
        RaceOverlays::TearDown();
    }
    // Characters one a frame, as the window's queue hands them over.
    void Type(const std::string& text) {
        for (char c : text) {
            TypedChar = (unsigned char)c;
            SaveReplayPrompt(surface);
        }
    }
    std::set<std::string> Replays() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir + "/Replay/Users"))
            names.insert(entry.path().filename().string());
        return names;
    }
    static std::string LastConsoleLine() {
        char lines[CONSOLE_LIVE_LINES][CONSOLE_LINE_BYTES];
        const int n = ConsoleCopyLines(lines);
        return n > 0 ? lines[n - 1] : "";
    }
};

TEST_F(ReplayPrompt, TheEntryStartsEmptyAndTheTypedNameNamesTheFile) {
    EXPECT_EQ(EntryPrefixLength, 0) << "the lobby's prefix is not the replay name's";
    EXPECT_EQ(EntryCursor, 0);
    EXPECT_EQ(RacePaused, 1);
    const std::set<std::string> before = Replays();
    Type("LAP1\r");
    EXPECT_EQ(ReplayPromptOpen, 0) << "saved";
    EXPECT_STREQ(ReplayHeader.replayName, "LAP1");
    std::set<std::string> after = Replays();
    ASSERT_EQ(after.size(), before.size() + 1);
    EXPECT_EQ(after.count("LAP1.rb"), 1u);
    EXPECT_EQ(MenuSoundRequests[MENU_SOUND_ERROR], 0);
    std::filesystem::remove(dir + "/Replay/Users/LAP1.rb");
}

TEST_F(ReplayPrompt, AnEmptyOrBlankNameIsRefusedWithAMessageAndNothingIsWritten) {
    const std::set<std::string> before = Replays();
    Type("\r");
    EXPECT_EQ(MenuSoundRequests[MENU_SOUND_ERROR], 1);
    EXPECT_EQ(LastConsoleLine(), "Replay not saved: type a name for it");
    EXPECT_EQ(ReplayPromptOpen, 1) << "the prompt waits for a name";
    Type("  \r");
    EXPECT_EQ(MenuSoundRequests[MENU_SOUND_ERROR], 2) << "blanks name nothing";
    EXPECT_EQ(ReplayPromptOpen, 1);
    EXPECT_EQ(Replays(), before) << "nothing was written";
    // The blanks rubbed out, a name saves.
    Type("\b\bGO\r");
    EXPECT_EQ(ReplayPromptOpen, 0);
    EXPECT_EQ(Replays().count("GO.rb"), 1u);
    std::filesystem::remove(dir + "/Replay/Users/GO.rb");
}

// The banner of a finished race, from the timed messages it leaves.
struct Banner : RaceOverlays {
    // The live messages in slot order.
    static std::string Texts() {
        std::string all;
        for (const TimedMessage& m : TimedMessages) {
            if (m.timeLeft > 0)
                all += std::string(m.text) + "|";
        }
        return all;
    }
    static std::string Slot(int slot) {
        GetText(slot);
        return TextBufferB;
    }
};

TEST_F(Banner, ShownOncePerRaceWithItsPlaceAndEventFailedCleared) {
    DrawTimedMessages(1);
    TrackCode = 10;
    FinishCount = 2;
    RaceOver = 1;
    for (int f = 0; f < 100; f++)
        ShowRaceResultBanner(surface);
    EXPECT_EQ(Texts(), "\x7f" + Slot(1715) + "\x80|" + Slot(1701) + "|");
    const TimedMessage& title = TimedMessages[0];
    const TimedMessage& detail = TimedMessages[1];
    EXPECT_EQ(title.x, 320);
    EXPECT_EQ(title.y, 70);
    EXPECT_EQ(title.timeLeft, 3000);
    EXPECT_EQ(title.style, 1);
    EXPECT_EQ(detail.y, 150);
    EXPECT_EQ(detail.timeLeft, 480);
    EXPECT_EQ(detail.style, 0);

    DrawTimedMessages(1);
    BannerShown = 0;
    TrackCode = 41;
    FinishSequence = 0;
    EventFailed = 1;
    ShowRaceResultBanner(surface);
    EXPECT_EQ(Texts(), "\x7f" + Slot(1862) + "\x80|" + Slot(1855) + "|");
    EXPECT_EQ(EventFailed, 0);
    RaceOver = 0;
    FinishCount = 0;
    DrawTimedMessages(1);
}

TEST_F(RaceOverlays, NameTagsStandOverTheCarsAheadAndNearerThan9500) {
    // Car 1 straight ahead of view 0 at depth 1000 (the camera looks down +z).
    CameraPitch[0] = AnguloDeDeriva[0] = CameraRoll[0] = 0.0f;
    EyeX[0] = -cocheX[0];
    EyeY[0] = -(cocheY[0] + 450.0f);
    EyeZ[0] = -cocheZ[0];
    CarCount = 2;
    NameTagsVisible = 1;
    RenderKind = 1;   // the text lands on the surface given
    auto tagAt = [&](float depth) {
        cocheX[1] = cocheX[0];
        cocheY[1] = cocheY[0];
        cocheZ[1] = cocheZ[0] + depth;
        PlatSurfaceFill(surface, nullptr, 0, PLAT_WAIT);
        DrawCarNameTags(surface);
        int lit = 0, sum = 0;
        for (int y = 0; y < 480; y++) {
            for (int x = 0; x < 640; x++) {
                if (PixelAt(surface, x, y)) {
                    lit++;
                    sum += x;
                }
            }
        }
        return lit ? sum / lit : -1;
    };
    const int centre = (int)ScreenCentreX;
    const int x = tagAt(1000.0f);
    ASSERT_GE(x, 0) << "a tag was drawn";
    EXPECT_NEAR(x, centre, 12);
    EXPECT_EQ(tagAt(9500.0f), -1);
    EXPECT_EQ(tagAt(0.0f), -1);
    EXPECT_EQ(tagAt(-1000.0f), -1);
    RacePaused = 1;
    EXPECT_EQ(tagAt(1000.0f), -1) << "none while paused";
}

TEST_F(RaceOverlays, SplitScreenTagsEachViewInItsOwnHalfWithThePlayersNames) {
    // Two players, car 0 at z -1000 and car 1 at 0; each view's camera looks
    // down +z: view 0 from car 0 (car 1 is 1000 ahead), view 1 from z -2000
    // (car 0 is 1000 ahead).  A view never tags its own car.
    CarCount = 2;
    SplitScreen = 1;
    NameTagsVisible = 1;
    RenderKind = 1;
    for (int v = 0; v < 2; v++) {
        CameraPitch[v] = AnguloDeDeriva[v] = CameraRoll[v] = 0.0f;
        cocheX[v] = cocheY[v] = 0.0f;
        EyeX[v] = 0.0f;
        EyeY[v] = -450.0f;
    }
    cocheZ[0] = -1000.0f;
    cocheZ[1] = 0.0f;
    EyeZ[0] = 1000.0f;
    EyeZ[1] = 2000.0f;
    SetSlotText(754, "I");
    SetSlotText(755, "WWWWWWWW");
    const float centreY = ScreenCentreY, bottom = ScreenBottom;
    PlatSurfaceFill(surface, nullptr, 0, PLAT_WAIT);
    DrawCarNameTags(surface);
    EXPECT_EQ(ScreenCentreY, centreY) << "the view's centre is put back";
    EXPECT_EQ(ScreenBottom, bottom);
    // Each half's lit columns: the top half shows car 1 (the second player's
    // long name), the bottom half car 0 (the first player's short one).
    int left[2] = {640, 640}, right[2] = {-1, -1};
    for (int y = 0; y < 480; y++) {
        for (int x = 0; x < 640; x++) {
            if (!PixelAt(surface, x, y))
                continue;
            const int half = y < (int)(centreY) ? 0 : 1;
            left[half] = std::min(left[half], x);
            right[half] = std::max(right[half], x);
        }
    }
    ASSERT_GE(right[0], 0) << "a tag in the first player's half";
    ASSERT_GE(right[1], 0) << "a tag in the second player's half";
    EXPECT_GT(right[0] - left[0], 3 * (right[1] - left[1])) << "the second player's name over car 1";
    EXPECT_NEAR((left[0] + right[0]) / 2, (int)ScreenCentreX, 12);
    EXPECT_NEAR((left[1] + right[1]) / 2, (int)ScreenCentreX, 12);
}

}  // namespace
