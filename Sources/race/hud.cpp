// The race HUD panel and the start countdown.  Every picture is a cell of
// one of the HUD boards, copied with ImpGfx (colour-keyed, into the work
// surface on the software path); positions are pixels of the render
// surface, given for the normal and the small layout.

#include "race/hud.h"

#include <cstdio>
#include <cstring>

#include "frame/frame_state.h"
#include "frame/sim_lock.h"
#include "frontend/frontend_state.h"
#include "frontend/race_results.h"
#include "net/net_state.h"
#include "net/race_sync.h"
#include "platform/plat_surface.h"
#include "race/race_setup.h"
#include "race/race_state.h"
#include "render/debug_labels.h"
#include "render/render_state.h"
#include "render/text_printer.h"
#include "sound/effect_sounds.h"
#include "sound/sound_control.h"
#include "sound/sound_state.h"
#include "track/editors.h"

int HudPosition[HUD_PLAYERS];
LapClock LapClockTable[HUD_PLAYERS][HUD_LAP_ROWS];
int HudEndTimer;
int ReplayMarkTimer;
int TurboLightTimer;
float PenaltyAnimTime;
int PenaltyAnimActive, PenaltyShown;
int PenaltyDisplay;
int PenaltyCount;
int ForceRaceEnd;
int FpsDisplay;
int DebugMode;

namespace {

const int PenaltyLightCells[8] = {2, 1, 0, 0, 0, 1, 2, 1};

// The replay option byte of CONFIG\visual.cfg.
enum { VISUAL_REPLAY_OPTION = 10 };

int Small() { return SmallScreen == 1; }
// The normal or the small layout's value.
int L(int normal, int small) { return Small() ? small : normal; }

// Ticks of a 60-tick second as hundredths.
int Hundredths(int ticks) { return (int)((float)ticks * 1.6779661f); }

void Cell(PlatSurface* surface, PlatSurface* board, int x, int y, int srcX, int srcY, int w, int h) {
    if (board)
        ImpGfx(x, y, w, h, srcX, srcY, surface, board, 0);
}

// A time-board label of the given normal / small rectangles.
void Label(PlatSurface* surface, int x, int y, int srcY, int w, int smallSrcY, int smallW) {
    Cell(surface, TimeBoardSurface, x, y, 0, L(srcY, smallSrcY), L(w, smallW), L(14, 9));
}

// A big digit of the position board (cell 12 is the point).
void BigDigit(PlatSurface* surface, int d, int x, int y) {
    Cell(surface, PositionBoardSurface, x, y, L(23, 11) * d, L(41, 20), L(23, 11), L(23, 11));
}

// A lap number cell: the highlighted ones first, the others 45 / 21 on.
void LapNumber(PlatSurface* surface, int lap, int current, int x, int y) {
    const int w = L(15, 7);
    Cell(surface, TimeBoardSurface, x, y, w * lap + (current ? 0 : L(45, 21)), L(28, 18), w, L(14, 9));
}

// ---------------------------------------------------------------------------
// Steps of the panel.

void TakeLapClocks() {
    for (int j = 0; j <= SplitScreen && j < HUD_PLAYERS; j++) {
        if (LapsDone[j] == LapsToRun)
            continue;
        HudPosition[j] = rank_pos[j];
        // A lap beyond the table (a replay header may claim more laps) has
        // no row.
        const int lap = LapsDone[j];
        const LapClock clock = {CarRaceClock[j].minutes, CarRaceClock[j].seconds, Hundredths(CarRaceClock[j].ticks)};
        if (lap >= 0 && lap < HUD_LAP_ROWS)
            LapClockTable[j][lap] = clock;
        if (!ReplayPlaying)
            SetReplayTime(lap, clock.minutes, clock.seconds, clock.hundredths);
    }
}

// The race is over and its recording done: the standings come next.
void LeaveRaceForStandings() {
    StandingsState = 12;
    RaceOver = 0;
    ReplayRecording = 0;
    ReplayPlayback = 0;
}

// The end of a race: the banner, then after 450 frame ticks (or at once
// when forced) one of the hand-overs.  1 when nothing more is drawn.
int RaceOverHandover(PlatSurface* surface) {
    if (!RaceOver) {
        HudEndTimer = 0;
        // The next race's end shows its own banner.
        BannerShown = 0;
        return 0;
    }
    ShowRaceResultBanner(surface);
    HudEndTimer += FrameTicks;
    if (!(HudEndTimer > 450 || ForceRaceEnd == 1))
        return 0;
    HudEndTimer = 0;
    ForceRaceEnd = 0;
    if (ChampionshipRunning) {
        LeaveRaceForStandings();
        ShowStandings(surface);
        BackToMenusRequest = 1;
    } else if (SplitScreen) {
        LeaveRaceForStandings();
        ShowStandings(surface);
        ResetRaceSounds();
        SplitScreenRaceRunning = 0;
    } else if (NetworkGame) {
        LeaveRaceForStandings();
        FinishSequence = 0;
        WaitForStandings();
        ShowStandings(surface);
    } else if (ReplayRecording && VisualSettings[VISUAL_REPLAY_OPTION]) {
        // The race is shown again as its own replay, the HUD hidden.  The
        // tick reads what the race start rewrites.
        SimLockGuard lock;
        ReplayPlayback = 1;
        ReplayRecording = 0;
        StartRace();
        ReplayPlaying = 1;
        PresentationRun = 0;
        PresentationCamera = 0;
        HudVisible = 0;
    } else {
        if (RaceWon < FinishSequence)
            RaceWon = FinishSequence;
        ReplayPlayback = 0;
        ReplayRecording = 0;
        BackToMenusRequest = 1;
    }
    ResetRaceSounds();
    return 1;
}

void DrawJumpMeter(PlatSurface* surface) {
    const int H = SurfaceHeight;
    Cell(surface, JumpMeterSurface, L(16, 8), H - L(216, 108), 0, 0, 4, L(200, 100));
    if (JumpDistance > 0.0f) {
        float p = JumpDistance * 1.1f;
        p = p < 1.0f ? 1.0f : p > 198.0f ? 198.0f : p;
        const int P = (int)p;
        Cell(surface, JumpMeterSurface, L(17, 9), H - L(17 + P, 9 + P / 2), 4, 0, 2, L(P, P / 2));
    }
    const int variant = TrackVariant >= 0 && TrackVariant < 8 ? TrackVariant : 0;
    const float record = JumpRecordTable[variant] * 1.1f;
    const int R = record > -1.0e6f && record < 1.0e6f ? (int)record : 0;
    Cell(surface, JumpMeterSurface, L(17, 9), H - L(17 + R, 9 + R / 2), 4, L(199, 99), 2, 1);
    char text[32];
    snprintf(text, sizeof text, "%3.2f", JumpRecordTable[variant]);
    ScaleLayoutCoords = 0;
    PrintText(L(24, 16), H - L(27 + R, 15 + R / 2), text, 1, ALIGN_LEFT, surface, 0);
}

void DrawReplayMark(PlatSurface* surface) {
    if (!ReplayPlaying || HudVisible)
        return;
    ReplayMarkTimer += FrameTicks;
    if (ReplayMarkTimer <= 30)
        PrintText(8, 4, "R", 0, ALIGN_LEFT, surface, 0);
    if (ReplayMarkTimer > 60)
        ReplayMarkTimer = 0;
}

// The start countdown: 3, 2, 1 and GO centred on the view, a stage every 61
// frame ticks; the clocks and the engines start at stage 3.
void RunCountdown(PlatSurface* surface) {
    if (StartStage >= 4 || BackToMenusRequest != 0 || EditorActive || TexturesReloading)
        return;
    PenaltyDisplay = 0;
    PenaltyShown = 0;
    PenaltyAnimTime = 0.0f;
    CountdownTimer += FrameTicks;
    if (CountdownTimer > 60) {
        CountdownTimer = 0;
        StartStage += 1;
        const int stage = StartStage;
        if (stage >= 0 && stage <= 3 && SoundOn && !ReplayPlaying)
            PlayCountdownVoice(stage);
        if (stage == 4)
            return;
    }
    const int stage = StartStage;
    if (ReplayPlaying)
        return;
    if (stage >= 0 && stage <= 2 && CountdownDigitsSurface) {
        const int side = L(91, 45);
        ImpGfx(320, 216, side, side, side * stage, 0, surface, CountdownDigitsSurface, 1);
    } else if (stage == 3 && GoSurface) {
        ImpGfx(320, 216, L(241, 118), L(92, 45), 0, 0, surface, GoSurface, 1);
    }
}

void DrawPositionBoard(PlatSurface* surface, int j, int y0) {
    const int place = HudPosition[j] >= 0 && HudPosition[j] < MAX_CARS ? HudPosition[j] : 0;
    Cell(surface, PositionBoardSurface, 4, y0 + 6, L(39, 20) * place, 0, L(39, 20), L(40, 19));
    Cell(surface, PositionBoardSurface, L(34, 22), y0 + L(24, 15), L(230, 110), L(41, 20), L(26, 11), L(24, 12));
    const int cars = CarCount >= 0 && CarCount <= 9 ? (int)CarCount : 0;
    Cell(surface, PositionBoardSurface, L(56, 35), y0 + L(26, 15), L(23, 11) * cars, L(41, 20), L(23, 11), L(22, 12));
    Label(surface, L(48, 28), y0 + 4, 42, 40, 27, 20);
}

void DrawLapClocks(PlatSurface* surface, int j, int y0) {
    const int n = LapsToRun < 3 ? LapsToRun : 3;
    int k = 0;
    for (; k < n; k++) {
        const int y = y0 + L(86 + 16 * k, 54 + 10 * k);
        const int current = k == LapsDone[j];
        const LapClock& c = LapClockTable[j][k];
        DrawClockDigits(surface, c.minutes, c.seconds, c.hundredths, L(24, 14), y, current ? L(14, 9) : 0);
        LapNumber(surface, k, current, L(4, 1), y);
    }
    if (TrackGroup != 4) {
        const int y = y0 + L(86 + 16 * k, 54 + 10 * k);
        const PlayerTime& t = PlayerRaceTime[j];
        DrawClockDigits(surface, t.minutes, t.seconds, Hundredths(t.ticks), L(24, 14), y, L(14, 9));
        Cell(surface, TimeBoardSurface, L(4, 1), y, L(90, 42), L(28, 18), L(15, 7), L(14, 9));
    }
    Label(surface, 2, y0 + L(65, 39), 56, 36, 36, 20);
    Label(surface, L(48, 26), y0 + L(65, 39), 70, 152, 45, 90);
}

// "%03.2f" of the jump distance, at most five characters, blinking while
// the banner counts down.
void DrawJumpDistance(PlatSurface* surface) {
    const int H = SurfaceHeight;
    Label(surface, L(24, 16), H - L(62, 32), 112, 152, 72, 90);
    if (JumpBannerTicks > 0) {
        JumpBannerTicks -= 1;
        if ((TimerTicks & 8) == 0)
            return;
    }
    char text[48];
    const float distance = JumpDistance > -1.0e6f && JumpDistance < 1.0e6f ? JumpDistance : 0.0f;
    snprintf(text, sizeof text, "%03.2f", distance);
    int x = L(30, 16);
    const int y = H - L(38, 19);
    for (int i = 0; i < 5 && text[i]; i++) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            BigDigit(surface, c - '0', x, y);
            x += L(20, 12);
        } else if (c == '.') {
            BigDigit(surface, 12, Small() ? x - 4 : x, y);
            x += L(5, 6);
        }
    }
}

void DrawRecords(PlatSurface* surface) {
    const int W = SurfaceWidth;
    const int code = TrackCode >= 0 && TrackCode < RECORD_TRACK_CODES ? TrackCode : 0;
    Label(surface, W - L(98, 60), 4, 98, 88, 63, 47);
    const RecordTime& lap = BestLapTimes[code];
    if (TrackGroup == 4) {
        DrawJumpRecordDigits(surface, lap.minutes, lap.seconds, lap.hundredths, W - L(104, 68), L(33, 21), 0);
        return;
    }
    const RecordTime& race = BestRaceTimes[code];
    DrawClockDigits(surface, lap.minutes, lap.seconds, lap.hundredths, W - L(98, 60), L(33, 21), 0);
    DrawClockDigits(surface, race.minutes, race.seconds, race.hundredths, W - L(98, 60), L(50, 32), 0);
    Cell(surface, TimeBoardSurface, W - L(114, 71), L(33, 21), L(105, 49), L(28, 18), L(15, 7), L(14, 9));
    Cell(surface, TimeBoardSurface, W - L(114, 71), L(50, 32), L(90, 42), L(28, 18), L(15, 7), L(14, 9));
}

void DrawTurboLight(PlatSurface* surface) {
    int cell;
    if (TurboValue != 1.0f) {
        cell = 1;
        TurboLightTimer = 0;
    } else {
        TurboLightTimer += FrameTicks;
        cell = TurboLightTimer < 15 ? 0 : 2;
    }
    Cell(surface, NitroLightSurface, SurfaceWidth - L(59, 30), SurfaceHeight - L(212, 106), L(21, 11) * cell, 0,
         L(21, 11), L(23, 12));
}

// The timed events' clock: its label, "m:ss" in big digits, and (but on
// code 31) the penalty seconds with their sign.
void DrawTimeLeft(PlatSurface* surface) {
    const int half = SurfaceWidth / 2;
    const int code31 = TrackCode == 31;
    Label(surface, half - (code31 ? L(22, 13) : L(72, 43)), 4, 70, 88, 45, 44);
    char minutes[16], seconds[16];
    snprintf(minutes, sizeof minutes, "%01d", (int)TimeLeft.minutes);
    snprintf(seconds, sizeof seconds, "%02d", (int)TimeLeft.seconds);
    int x = half - (code31 ? L(34, 18) : L(84, 48));
    const int y = L(30, 18);
    const int length = (int)strlen(minutes);
    for (int i = 0; i < length; i++) {
        if (minutes[i] >= '0' && minutes[i] <= '9')
            BigDigit(surface, minutes[i] - '0', x, y);
        if (i < length - 1) {
            x += L(20, 10);
            continue;
        }
        Cell(surface, TimeBoardSurface, x + L(20, 9), L(30, 19), L(150, 70), 0, L(8, 6), L(14, 9));
        x += L(26, 15);
    }
    for (int i = 0; seconds[i]; i++) {
        if (seconds[i] >= '0' && seconds[i] <= '9')
            BigDigit(surface, seconds[i] - '0', x, y);
        x += L(20, 10);
    }
    if (code31)
        return;
    char penalty[16];
    const int shown = PenaltyDisplay < 0 ? -PenaltyDisplay : PenaltyDisplay;
    snprintf(penalty, sizeof penalty, "%03d", shown < 1000 ? shown : 999);
    x = half + L(16, 14);
    for (int i = 0; penalty[i]; i++) {
        BigDigit(surface, penalty[i] - '0', x, y);
        x += L(20, 10);
    }
    if (PenaltyDisplay != 0)
        Cell(surface, TimeBoardSurface, half + 8, L(32, 18), L(170, 84), 0, 6, L(14, 9));
}

void DrawPenaltyLight(PlatSurface* surface) {
    if (PenaltyDisplay != PenaltyShown || PenaltyAnimActive) {
        PenaltyAnimActive = 1;
        int index = PenaltyAnimTime >= 0.0f && PenaltyAnimTime < 8.0f ? (int)PenaltyAnimTime : 0;
        const int side = L(41, 20);
        Cell(surface, PenaltyLightSurface, SurfaceWidth / 2 + L(120, 70), L(10, 8), side * PenaltyLightCells[index], 0,
             side, side);
        PenaltyAnimTime += (float)FrameTicks * 0.4f;
        if (PenaltyAnimTime > 6.0f) {
            PenaltyAnimTime = 0.0f;
            PenaltyAnimActive = 0;
        }
    }
    PenaltyShown = PenaltyDisplay;
}

void DrawPanels(PlatSurface* surface) {
    const int code = TrackCode;
    const int timed = code == 31 || (code >= 50 && code <= 54) || code == 56 || code == 57;
    for (int j = 0; j <= SplitScreen && j < HUD_PLAYERS; j++) {
        const int y0 = j == 0 ? 0 : SurfaceHeight / 2;
        if (!((code >= 50 && code <= 54) || code == 56))
            DrawPositionBoard(surface, j, y0);
        DrawLapClocks(surface, j, y0);
    }
    if (TrackGroup == 4)
        DrawJumpDistance(surface);
    if (TrackGroup == 5 && TrackVariant != 5)
        Label(surface, SurfaceWidth / 2 + L(1, 4), 4, 126, 152, 81, 90);
    if (!SplitScreen && !NetworkGame)
        DrawRecords(surface);
    if (TrackGroup == 4)
        DrawTurboLight(surface);
    if (timed)
        DrawTimeLeft(surface);
    DrawPenaltyLight(surface);
}

}  // namespace

void DrawClockDigits(PlatSurface* surface, int minutes, int seconds, int hundredths, int x, int y, int row) {
    const int values[3] = {minutes, seconds, hundredths};
    const int w = L(15, 7), h = L(14, 9);
    for (int part = 0; part < 3; part++) {
        char text[16];
        snprintf(text, sizeof text, "%02d", values[part]);
        for (int i = 0; text[i]; i++) {
            if (text[i] >= '0' && text[i] <= '9')
                Cell(surface, TimeBoardSurface, x, y, w * (text[i] - '0'), row, w, h);
            x += L(13, 8);
        }
        if (part < 2) {
            Cell(surface, TimeBoardSurface, x + L(1, -2), y, L(150, 70), row, 6, h);
            x += L(8, 4);
        }
    }
}

void DrawJumpRecordDigits(PlatSurface* surface, int, int metres, int hundredths, int x, int y, int row) {
    const int w = L(15, 7), h = L(14, 9);
    x += L(21, 12);
    char text[16];
    snprintf(text, sizeof text, "%03d", metres);
    for (int i = 0; i < 3 && text[i]; i++) {
        if (text[i] >= '0' && text[i] <= '9')
            Cell(surface, TimeBoardSurface, x, y, w * (text[i] - '0'), row, w, h);
        x += L(13, 8);
    }
    Cell(surface, TimeBoardSurface, x + L(1, -2), y + L(6, 4), L(150, 70), row, 6, (int)((float)h * 0.6666667f));
    x += L(8, 4);
    snprintf(text, sizeof text, "%02d", hundredths);
    for (int i = 0; text[i]; i++) {
        if (text[i] >= '0' && text[i] <= '9')
            Cell(surface, TimeBoardSurface, x, y, w * (text[i] - '0'), row, w, h);
        x += L(13, 8);
    }
}

void AdjustTimeLeft(int seconds) {
    const int minutesNow = TimeLeft.minutes, secondsNow = TimeLeft.seconds;
    if (minutesNow == 0 && secondsNow == 0)
        return;
    // Carried exactly across the minutes; never below 0:00.
    long total = (long)minutesNow * 60 + secondsNow + seconds;
    if (total < 0)
        total = 0;
    TimeLeft.minutes = (int)(total / 60);
    TimeLeft.seconds = (int)(total % 60);
    if (seconds < 0) {
        PenaltyDisplay -= 5;
        PenaltyCount += 1;
    }
}

void DrawFrameRate(PlatSurface* surface, float framesPerSecond) {
    if (FpsDisplay != 1)
        return;
    char text[32];
    snprintf(text, sizeof text, "%4.02f", framesPerSecond);
    DrawDebugText(2, 2, text, surface);
}

void DrawMapDots(PlatSurface* surface) {
    if (RacePaused || MapVisible == 0 || FrontEndActive || MapDotsReady == 0 || !surface || !BallSurface)
        return;
    const int s = Small() ? 3 : 6;
    const int cars = CarCount < MAX_CARS ? (int)CarCount : MAX_CARS;
    for (int car = cars - 1; car >= 0; car--) {
        int x = MapDotPositions[car].x, y = MapDotPositions[car].y + 3;
        x = x < 0 ? 0 : x > SurfaceWidth - s ? SurfaceWidth - s : x;
        y = y < 0 ? 0 : y > SurfaceHeight - s ? SurfaceHeight - s : y;
        // Car 0 has its own colour.
        const PlatRect source = {car == 0 ? s : 0, 0, (car == 0 ? s : 0) + s, s};
        for (int i = 0; i < PLAT_STILL_DRAWING_RETRIES; i++) {
            if (PlatSurfaceBltFast(surface, x, y, BallSurface, &source, PLAT_WAIT | PLAT_BLT_KEYSRC) !=
                DDERR_WASSTILLDRAWING)
                break;
        }
    }
}

void DrawRaceHudPanel(PlatSurface* surface) {
    SmallScreen = DisplayConfig.width < 640 || DisplayConfig.height < 480;
    if (!FrontEndActive) {
        // The tick runs the lap clocks, and a network race's results come
        // from the receive thread with the ranks.
        SimLockGuard lock;
        TakeLapClocks();
    }
    if (PauseMenuOpen || RacePaused || PresentationRun || PresentationCamera || FrontEndActive ||
        BackToMenusRequest)
        return;
    if (RaceOverHandover(surface))
        return;
    if (EditorActive || TexturesReloading)
        return;
    if (TrackGroup == 4 && HudVisible && !ReplayPlaying)
        DrawJumpMeter(surface);
    if (RacePhase > 0)
        return;
    DrawReplayMark(surface);
    RunCountdown(surface);
    if (HudVisible && MenuReplayActive == 0)
        DrawPanels(surface);
}
