// The race HUD on the software path: every board is a coded surface whose
// pixel says which cell of which board it came from, so a test reads back
// the work surface and finds each cell where the panel put it.

#include <gtest/gtest.h>

#include <cmath>

#include "frame/frame_state.h"
#include "frontend/frontend_state.h"
#include "net/net_state.h"
#include "platform/plat_system.h"
#include "race/car_pose.h"
#include "race/hud.h"
#include "race/race_state.h"
#include "render/render_state.h"
#include "render/surface_test_util.h"
#include "sound/sound_state.h"

namespace {

// Each board's pixel (x, y) holds a code of its own range: the time board
// 1 + 180 y + x, the position board 30,000 + 320 y + x; the countdown's
// boards, read only at their cells' top rows, 51,000 + x and 52,000 + x.
enum { BOARD_TIME, BOARD_POSITION, BOARD_DIGITS, BOARD_GO };
const int BoardWidth[4] = {180, 320, 273, 241}, BoardHeight[4] = {150, 65, 91, 92};
uint16_t Code(int board, int x, int y) {
    switch (board) {
    case BOARD_TIME: return (uint16_t)(1 + 180 * y + x);
    case BOARD_POSITION: return (uint16_t)(30000 + 320 * y + x);
    case BOARD_DIGITS: return (uint16_t)(51000 + x);
    default: return (uint16_t)(52000 + x);
    }
}

struct Cell {
    int board, x, y;
};
Cell Decode(uint16_t v) {
    if (v < 30000)
        return {BOARD_TIME, (v - 1) % 180, (v - 1) / 180};
    if (v < 51000)
        return {BOARD_POSITION, (v - 30000) % 320, (v - 30000) / 320};
    if (v < 52000)
        return {BOARD_DIGITS, v - 51000, 0};
    return {BOARD_GO, v - 52000, 0};
}

struct Hud : ::testing::Test {
    PlatSurface* boards[4] = {};
    PlatSurface* work = nullptr;

    void Layout(int width, int height) {
        DisplayConfig.width = width;
        DisplayConfig.height = height;
        SurfaceWidth = width;
        SurfaceHeight = height;
        ScreenRight = (float)width;
        ScreenBottom = (float)height;
        if (work)
            PlatSurfaceRelease(work);
        work = MakeSurface565(width, height, 0);
        WorkSurface = work;
    }

    void SetUp() override {
        ASSERT_TRUE(PlatInit(PLAT_BACKEND_HEADLESS));
        for (int b = 0; b < 4; b++) {
            boards[b] = MakeSurface565(BoardWidth[b], BoardHeight[b]);
            CodeSurface(boards[b], [b](int x, int y) { return Code(b, x, y); });
        }
        TimeBoardSurface = boards[BOARD_TIME];
        PositionBoardSurface = boards[BOARD_POSITION];
        CountdownDigitsSurface = boards[BOARD_DIGITS];
        GoSurface = boards[BOARD_GO];
        Layout(640, 480);
        RenderKind = 0;
        FrontEndActive = 0;
        PauseMenuOpen = 0;
        RacePaused = 0;
        PresentationRun = 0;
        PresentationCamera = 0;
        BackToMenusRequest = 0;
        RaceOver = 0;
        EditorOpen = 0;
        TexturesReloading = 0;
        RacePhase = 0;
        HudVisible = 1;
        MenuReplayActive = 0;
        ReplayPlaying = 0;
        ReplayRecording = 0;
        StartStage = 4;
        TrackGroup = 1;
        TrackVariant = 0;
        TrackCode = 10;
        SplitScreen = 0;
        NetworkGame = 0;
        ChampionshipRunning = 0;
        CarCount = 8;
        LapsToRun = 5;
        FrameTicks = 1;
        SoundOn = 0;
        PenaltyDisplay = 0;
        HudEndTimer = 0;
        ForceRaceEnd = 0;
        for (int c = 0; c < MAX_CARS; c++) {
            LapsDone[c] = 0;
            rank_pos[c] = c;
        }
    }
    void TearDown() override {
        for (PlatSurface*& board : boards)
            PlatSurfaceRelease(board);
        PlatSurfaceRelease(work);
        TimeBoardSurface = PositionBoardSurface = CountdownDigitsSurface = GoSurface = nullptr;
        WorkSurface = nullptr;
        StartStage = 4;
        TrackGroup = 1;
        TrackCode = 10;
        RaceOver = 0;
        BackToMenusRequest = 0;
        CarCount = 0;
        FrontEndActive = 1;
        PlatShutdown();
    }

    // The board cell whose top-left pixel landed at (x, y).
    void ExpectCell(int x, int y, int board, int cx, int cy) {
        const uint16_t v = PixelAt(work, x, y);
        ASSERT_NE(v, 0) << "nothing drawn at " << x << ", " << y;
        const Cell c = Decode(v);
        EXPECT_EQ(c.board, board) << "at " << x << ", " << y;
        EXPECT_EQ(c.x, cx) << "at " << x << ", " << y;
        EXPECT_EQ(c.y, cy) << "at " << x << ", " << y;
    }
};

TEST_F(Hud, PositionBoardShowsPlaceAndFieldInBothLayouts) {
    rank_pos[0] = 2;   // third of eight
    DrawRaceHudPanel(work);
    ExpectCell(4, 6, BOARD_POSITION, 39 * 2, 0);
    ExpectCell(56, 26, BOARD_POSITION, 23 * 8, 41);

    Layout(512, 384);
    DrawRaceHudPanel(work);
    ExpectCell(4, 6, BOARD_POSITION, 20 * 2, 0);
    ExpectCell(35, 15, BOARD_POSITION, 11 * 8, 20);
}

TEST_F(Hud, FiveLapsShowThreeLapRowsAndTheRaceClock) {
    LapsDone[0] = 1;
    PlayerRaceTime[0] = {1, 2, 30};
    DrawRaceHudPanel(work);
    // Lap numbers: the current lap highlighted, the others 45 further on.
    ExpectCell(4, 86, BOARD_TIME, 45, 28);
    ExpectCell(4, 102, BOARD_TIME, 15, 28);
    ExpectCell(4, 118, BOARD_TIME, 15 * 2 + 45, 28);
    // The fourth row is the race clock with its own label, "01:02:50".
    ExpectCell(4, 134, BOARD_TIME, 90, 28);
    ExpectCell(24, 134, BOARD_TIME, 0, 14);
    ExpectCell(37, 134, BOARD_TIME, 15, 14);
    ExpectCell(58, 134, BOARD_TIME, 0, 14);
    ExpectCell(71, 134, BOARD_TIME, 15 * 2, 14);
    ExpectCell(92, 134, BOARD_TIME, 15 * 5, 14);   // 30 ticks are 50 hundredths
    EXPECT_EQ(PixelAt(work, 4, 150), 0) << "no fifth row";
}

TEST_F(Hud, JumpDistanceDrawsItsDigitsAndPoint) {
    TrackGroup = 4;
    TrackCode = 40;
    JumpDistance = 123.45f;
    JumpBannerTicks = 0;
    DrawRaceHudPanel(work);
    const int y = 480 - 38;
    ExpectCell(30, y, BOARD_POSITION, 23 * 1, 41);
    ExpectCell(50, y, BOARD_POSITION, 23 * 2, 41);
    ExpectCell(70, y, BOARD_POSITION, 23 * 3, 41);
    ExpectCell(90, y, BOARD_POSITION, 23 * 12, 41);
    ExpectCell(95, y, BOARD_POSITION, 23 * 4, 41);
}

TEST_F(Hud, TimedEventClockShowsMinutesColonSecondsAndSignedPenalty) {
    TrackGroup = 5;
    TrackVariant = 1;
    TrackCode = 51;
    TimeLeft.minutes = 1;
    TimeLeft.seconds = 3;
    PenaltyDisplay = -10;
    DrawRaceHudPanel(work);
    ExpectCell(236, 30, BOARD_POSITION, 23 * 1, 41);
    ExpectCell(256, 30, BOARD_TIME, 150, 0);   // the colon
    ExpectCell(262, 30, BOARD_POSITION, 0, 41);
    ExpectCell(282, 30, BOARD_POSITION, 23 * 3, 41);
    ExpectCell(336, 30, BOARD_POSITION, 0, 41);
    ExpectCell(356, 30, BOARD_POSITION, 23 * 1, 41);
    ExpectCell(376, 30, BOARD_POSITION, 0, 41);
    ExpectCell(328, 32, BOARD_TIME, 170, 0);   // the sign
    EXPECT_EQ(PixelAt(work, 4, 6), 0) << "no position board on code 51";
}

TEST_F(Hud, AdjustTimeLeftCarriesAcrossMinutesAndStopsAtZero) {
    struct Case {
        int minutes, seconds, change, wantMinutes, wantSeconds;
    };
    const Case cases[] = {
        {1, 3, -5, 0, 58}, {0, 58, 5, 1, 3}, {0, 3, -5, 0, 0}, {0, 0, 5, 0, 0}, {0, 0, -5, 0, 0}, {2, 30, -90, 1, 0},
    };
    for (const Case& c : cases) {
        TimeLeft.minutes = c.minutes;
        TimeLeft.seconds = c.seconds;
        PenaltyDisplay = 0;
        PenaltyCount = 0;
        AdjustTimeLeft(c.change);
        EXPECT_EQ(TimeLeft.minutes, c.wantMinutes) << c.minutes << ":" << c.seconds << " " << c.change;
        EXPECT_EQ(TimeLeft.seconds, c.wantSeconds) << c.minutes << ":" << c.seconds << " " << c.change;
        const int penalised = c.change < 0 && (c.minutes || c.seconds);
        EXPECT_EQ(PenaltyDisplay, penalised ? -5 : 0);
        EXPECT_EQ(PenaltyCount, penalised);
    }
    PenaltyDisplay = 0;
}

TEST_F(Hud, CountdownDrawsEachStageCentredAndStopsAtFour) {
    StartStage = -1;
    CountdownTimer = 0;
    int frames = 0;
    auto runTo = [&](int stage) {
        while (StartStage < stage && frames < 1000) {
            PlatSurfaceFill(work, nullptr, 0, PLAT_WAIT);
            DrawRaceHudPanel(work);
            frames++;
        }
    };
    runTo(0);
    EXPECT_EQ(frames, 61);
    ExpectCell(320 - 45, 216 - 45, BOARD_DIGITS, 0, 0);   // "3"
    runTo(1);
    ExpectCell(320 - 45, 216 - 45, BOARD_DIGITS, 91, 0);
    runTo(3);
    EXPECT_EQ(frames, 4 * 61);
    ExpectCell(320 - 120, 216 - 46, BOARD_GO, 0, 0);
    runTo(4);
    EXPECT_EQ(StartStage, 4);
    EXPECT_EQ(PixelAt(work, 320, 216), 0) << "the frame reaching stage 4 draws no countdown";
    DrawRaceHudPanel(work);
    EXPECT_EQ(StartStage, 4);
}

TEST_F(Hud, FinishedRaceHandsOverAfter450TicksOrAtOnceWhenForced) {
    RaceOver = 1;
    for (int frame = 0; frame < 450; frame++)
        DrawRaceHudPanel(work);
    EXPECT_EQ(BackToMenusRequest, 0) << "still showing the result";
    DrawRaceHudPanel(work);
    EXPECT_EQ(BackToMenusRequest, 1);
    EXPECT_EQ(HudEndTimer, 0);
    EXPECT_EQ(BannerShown, 1);
    BackToMenusRequest = 0;
    RaceOver = 0;
    DrawRaceHudPanel(work);
    EXPECT_EQ(BannerShown, 0) << "the next race's end shows its own banner";

    BackToMenusRequest = 0;
    RaceOver = 1;
    ForceRaceEnd = 1;
    DrawRaceHudPanel(work);
    EXPECT_EQ(BackToMenusRequest, 1);
    EXPECT_EQ(ForceRaceEnd, 0);
}

// A recorded one-player race with the replay option on is shown again as its
// own replay after the 450 ticks, its HUD hidden under the blinking mark,
// instead of going back to the menus.
TEST_F(Hud, RecordedRaceWithTheReplayOptionRestartsAsItsOwnReplay) {
    const unsigned char option = VisualSettings[10];
    VisualSettings[10] = 1;
    const int sceneReady = SceneReady;
    SceneReady = 0;
    FillBuiltInCameraTable();
    CarCount = 4;
    ReplayRecording = 1;
    ReplayPlayback = 0;
    RaceOver = 1;
    for (int frame = 0; frame < 450; frame++)
        DrawRaceHudPanel(work);
    EXPECT_EQ(ReplayPlaying, 0) << "still showing the result";
    EXPECT_EQ(ReplayRecording, 1);
    DrawRaceHudPanel(work);
    EXPECT_EQ(BackToMenusRequest, 0) << "no way back to the menus";
    EXPECT_EQ(ReplayPlayback, 1);
    EXPECT_EQ(ReplayRecording, 0);
    EXPECT_EQ(ReplayPlaying, 1);
    EXPECT_EQ(PresentationRun, 0);
    EXPECT_EQ(PresentationCamera, 0);
    EXPECT_EQ(HudVisible, 0);
    EXPECT_EQ(RaceOver, 0) << "the race started again";
    EXPECT_EQ(StartStage, -1);
    EXPECT_EQ(HudEndTimer, 0);

    // The replay runs (the frame lifts the start's pause): no panel, no
    // countdown picture, and the mark's timer blinks with a 61-tick period.
    RacePaused = 0;
    ReplayMarkTimer = 0;
    PlatSurfaceFill(work, nullptr, 0, PLAT_WAIT);
    int wrapped = 0;
    for (int frame = 0; frame < 200; frame++) {
        const int before = ReplayMarkTimer;
        DrawRaceHudPanel(work);
        wrapped += ReplayMarkTimer < before;
    }
    EXPECT_EQ(wrapped, 3);
    EXPECT_EQ(PixelAt(work, 4, 6), 0) << "no position board";
    EXPECT_EQ(PixelAt(work, 320 - 45, 216 - 45), 0) << "no countdown over the replay";

    VisualSettings[10] = option;
    SceneReady = sceneReady;
    ReplayPlayback = 0;
    ReplayPlaying = 0;
    ReplayMarkTimer = 0;
    HudVisible = 1;
    PresentationRun = 0;
    PresentationCamera = 0;
    RacePaused = 0;
}

}  // namespace
