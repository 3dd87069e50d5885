// Points after a championship, split screen or network race, the two
// standings screens (the race's points, then the totals) and the step to
// the next race or heat.

#include <cstdio>
#include <cstring>

#include "frame/display.h"
#include "frame/frame_state.h"
#include "frame/input.h"
#include "frame/script_checks.h"
#include "frame/startup.h"
#include "frontend/championship.h"
#include "frontend/frontend_state.h"
#include "frontend/popups.h"
#include "frontend/race_results.h"
#include "frontend/screen_setup.h"
#include "frontend/text_entry.h"
#include "frontend/text_slots.h"
#include "net/net_state.h"
#include "net/race_sync.h"
#include "net/session.h"
#include "platform/plat_keys.h"
#include "platform/plat_script.h"
#include "platform/plat_system.h"
#include "platform/plat_window.h"
#include "race/messages.h"
#include "race/race_state.h"
#include "render/surfaces2d.h"
#include "render/text_printer.h"
#include "sound/music.h"
#include "sound/sound_control.h"
#include "sound/sound_state.h"

enum { STANDINGS_CENTRE = 320, STANDINGS_TOP = 140, STANDINGS_BLINK_WRAP = 64 };

static const int kPlacePoints[16] = {50, 30, 20, 15, 10, 8, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0};

int PlacePoints(int place) { return place >= 0 && place < 16 ? kPlacePoints[place] : 0; }

// The last race index of the series being played (a row has eight races).
static int LastRaceIndex() { return ChampionshipLastIndex < 0 ? 0 : ChampionshipLastIndex > 7 ? 7 : ChampionshipLastIndex; }

static int EntryOfCar(int car) {
    const int entry = car == 0 ? HeatPlayerA : car == 1 ? HeatPlayerB : HumanPlayers - 2 + car;
    return entry >= 0 && entry < 8 ? entry : -1;
}

// Every car not yet scored gets the points of its place.
static void ScoreUnfinishedCars() {
    for (int car = 0; car < 8; car++) {
        if (FinishedFlags[car])
            continue;
        RacePoints[car] = PlacePoints(rank_pos[car]);
        ChampionshipTotals[car] += RacePoints[car];
    }
    memset(FinishedFlags, 0, 8 * sizeof FinishedFlags[0]);
}

void AddRacePoints() {
    if (!SplitScreen) {
        ScoreUnfinishedCars();
        return;
    }
    // A split screen heat adds to the race's points of its players.
    for (int car = 0; car < CarCount && car < 8; car++) {
        const int entry = EntryOfCar(car);
        if (entry < 0)
            continue;
        if (!FinishedFlags[entry]) {
            const int points = PlacePoints(rank_pos[car]);
            ChampionshipTotals[entry] += points;
            RacePoints[entry] += points;
        }
        FinishedFlags[entry] = 0;
    }
}

void AddRacePointsAll() {
    memset(FinishedFlags, 0, 8 * sizeof FinishedFlags[0]);
    ScoreUnfinishedCars();
}

void RankRacePoints() {
    const int players = HumanPlayers < 0 ? 0 : HumanPlayers > 8 ? 8 : HumanPlayers;
    int ranked[8];
    for (int i = 0; i < players; i++) {
        int place = 0;
        for (int j = 0; j < players; j++)
            place += RacePoints[j] > RacePoints[i];
        ranked[i] = PlacePoints(place);
    }
    memcpy(RacePoints, ranked, players * sizeof ranked[0]);
}

int PlayerWonChampionship() {
    for (int entry = 1; entry < 8; entry++) {
        if (ChampionshipTotals[entry] > ChampionshipTotals[0])
            return 0;
    }
    return 1;
}

static int StandingsRowCount;

static int SeriesRow() {
    if (ChampionshipRunning)
        return ChampionshipChoice;
    return ListSelection[NetworkGame ? 7 : 3] + ChampionshipGroupOffset;
}

static void ShowClassTabs() {
    ChampionshipClass = ChampionshipRaceClass(SeriesRow(), ChampionshipRace);
    ShowCategoryTabs(5, ClassToCategory(ChampionshipClass));
}

// The championship mode's step: the next race, or the end with the stage
// raised by a win of the next championship in order.
static void EndChampionshipRace() {
    MenuListId = 8;
    if (++ChampionshipRace <= LastRaceIndex()) {
        ChampionshipStartPending = 1;
        return;
    }
    ChampionshipRace = 0;
    ChampionshipUnderWay = 0;
    JumpToScreen22 = 1;
    if (!PlayerWonChampionship()) {
        ShowPopup(22, 7, 0, 0);
        return;
    }
    uint8_t& stage = CareerRecord.championshipStage;
    if (ChampionshipChoice - 12 == stage && stage < 3)
        stage++;
    VideoRequest = 1;
    ForceDisplayRecreate = 1;
    SaveChampionship();
    static const int kWonPopups[4] = {0, 3, 4, 6};
    if (stage >= 1 && stage <= 3)
        ShowPopup(22, kWonPopups[stage], 0, 0);
}

static void EndNetworkRace() {
    MenuListId = 7;
    HeatRace = ChampionshipRace;
    if (TrackGroup == 4 || TrackGroup == 5) {
        if (++HeatSoloPlayer >= HumanPlayers)
            HeatIndex = 1000;
    }
    BackToMenusRequest = 1;
    PendingScreen = 5;
    if (++ChampionshipRace <= LastRaceIndex())
        return;
    ChampionshipRace = 0;
    if (++HeatRound < NetRoundLimit)
        return;
    NetRoundLimit = 0;
    JumpToScreen9 = 1;
    PendingScreen = 9;
    EntryCursor = 0;
    if (NetSessionOpen)
        CloseSession();
}

// 0 when another heat of the same race starts at once.
static int EndSplitScreenRace() {
    MenuListId = 3;
    HeatRace = ChampionshipRace;
    if (HumanPlayers >= 0 && HumanPlayers <= 8 && HeatIndex + 2 <= HeatLimit[HumanPlayers]) {
        ShowClassTabs();
        StartRaceRequest = 1;
        return 0;
    }
    if (++ChampionshipRace > LastRaceIndex()) {
        ChampionshipRace = 0;
        if (HeatRound + 1 > SplitRoundLimit) {
            NetRoundLimit = 0;
            JumpToScreen17 = 1;
        }
    }
    BackToMenusRequest = 1;
    return 1;
}

int ScoreStandings() {
    memset(GarageCurrent, 0, sizeof GarageCurrent);
    RacePaused = 1;
    if (!SoundUnavailable)
        ResetRaceSounds();
    if (ChampionshipRunning) {
        StandingsRowCount = 8;
    } else if (NetworkGame) {
        NetResetRaceSync();
        StandingsRowCount = CarCount;
    } else {
        StandingsRowCount = HumanPlayers + ComputerPlayers;
    }
    if (StandingsRowCount < 0 || StandingsRowCount > 8)
        StandingsRowCount = StandingsRowCount < 0 ? 0 : 8;
    AddRacePoints();
    if (ChampionshipRunning)
        EndChampionshipRace();
    else if (NetworkGame)
        EndNetworkRace();
    else if (SplitScreen && !EndSplitScreenRace())
        return 0;
    return 1;
}

// Entries in descending order of points, equal points in entry order.
void StandingsOrder(const int* points, int rows, int* order) {
    for (int i = 0; i < rows; i++)
        order[i] = i;
    for (int i = 1; i < rows; i++) {
        const int entry = order[i];
        int j = i;
        for (; j > 0 && points[order[j - 1]] < points[entry]; j--)
            order[j] = order[j - 1];
        order[j] = entry;
    }
}

static int HumanEntry(int entry) { return SplitScreen ? entry < HumanPlayers : entry == 0; }

// The name of an entry on the standings, into `name`.
static void EntryName(int entry, char* name, int size) {
    int slot = ChampionshipRunning ? 477 + 8 * (GaragePage / 2) + entry : 577 + entry;
    if (entry == 0 && !NetSessionOpen)
        slot = 754;
    if (SplitScreen)
        slot = entry < HumanPlayers ? 754 + entry : 579 + (entry - HumanPlayers);
    GetText(slot);
    snprintf(name, (size_t)size, "%.*s", size - 1, TextBufferB);
    // A player whom no profile names (no one logged in) keeps the menus'
    // default name of that player.
    const int player = slot - SLOT_PLAYER_NAMES;
    if (player >= 0 && player < 8 && name[strspn(name, " ")] == 0)
        snprintf(name, (size_t)size, "%.*s", size - 1, PlayerNameTable[player]);
    if (!NetSessionOpen)
        return;
    // The local car and the own player index swap names.
    const int own = NetOwnIndex, local = LocalCar;
    const int netPlayer = entry == local ? own : entry == own ? local : entry;
    std::lock_guard<std::mutex> lock(NetPlayerListLock);
    if (netPlayer >= 0 && netPlayer < NET_MAX_PLAYERS)
        snprintf(name, (size_t)size, "%.*s", size - 1, NetPlayerNames[netPlayer]);
}

// A close request ends the standings and is put back for the message loop.
static int PumpStandingsMessages() {
    PlatMsg msg;
    while (PlatPeekMessage(&msg)) {
        if (msg.message == WM_CLOSE || msg.message == WM_QUIT) {
            if (msg.message == WM_CLOSE)
                PlatPostMessage(WM_CLOSE, msg.wParam, msg.lParam);
            else
                PlatPostQuitMessage((int)msg.wParam);
            return 0;
        }
        PlatDispatchMessage(&msg);
    }
    return PlatWindowExists();
}

// A scripted headless run whose script is over has nobody to press Space.
static int NobodyLeftToPress() { return PlatIsHeadless() && FramesRun > PlatScriptLastFrame(); }

static StandingsLine* SlotLine(StandingsLine* line, int slot, int y, int font) {
    GetText(slot);
    *line = {STANDINGS_CENTRE, y, font, ALIGN_CENTRE, {}};
    snprintf(line->text, sizeof line->text, "%.95s", TextBufferB);
    return line + 1;
}

int StandingsLines(int kind, const float* left, const float* right, int blink, StandingsLine* lines) {
    const int* points = kind == 0 ? RacePoints : ChampionshipTotals;
    const int rows = StandingsRowCount;
    int order[8];
    StandingsOrder(points, rows, order);
    StandingsLine* line = lines;
    for (int row = 0; row < rows; row++) {
        const int entry = order[row], y = STANDINGS_TOP + row * (42 - rows);
        if (!(HumanEntry(entry) && (blink & 0x10))) {
            *line = {(int)left[row], y, 1, ALIGN_RIGHT, {}};
            EntryName(entry, line->text, (int)sizeof line->text);
            line++;
        }
        GetText(867);
        *line = {(int)right[row], y, 1, ALIGN_LEFT, {}};
        snprintf(line->text, sizeof line->text, "%d %.80s", points[entry], TextBufferB);
        line++;
    }
    line = SlotLine(line, kind == 0 ? 452 : 456, 28, 0);
    line = SlotLine(line, SplitScreen ? 453 : NetworkGame ? 454 : 455, 70, 2);
    if (blink <= 40)
        line = SlotLine(line, 24, 450, 2);
    return (int)(line - lines);
}

// One standings screen (kind 0 the race's points, 1 the totals) until
// Space is pressed after having been up; 0 when the window closes.
static int RunStandingsScreen(int kind, PlatSurface* surface) {
    LoadResultsBackground(kind);
    PlayChampionshipJingle();
    float left[8], right[8];
    for (int row = 0; row < 8; row++)
        left[row] = right[row] = -250.0f - 1500.0f * row;
    int spaceWasUp = 0, blink = 0, lastTicks = TimerTicks;
    for (;;) {
        if (!PumpStandingsMessages())
            return 0;
        if (PlatIsHeadless())
            PlatScriptFrame(FramesRun);
        FramesRun++;
        // KeyState, not the key's state of this instant: a tap between two
        // frames counts, as it does in the menus.
        KeyboardRead(MainWindow);
        const int spaceDown = KeyState[SCAN_SPACE] & 0x80;
        KeyboardFrameDone();
        if (spaceDown) {
            if (spaceWasUp)
                return 1;
        } else {
            spaceWasUp = 1;
        }
        const int ticks = TimerTicks;
        float factor = (float)(ticks - lastTicks) / 3.0f;
        factor = factor < 1.0f ? 1.0f : factor > 12.0f ? 12.0f : factor;
        lastTicks = ticks;
        if ((blink += 1) > STANDINGS_BLINK_WRAP)
            blink = 0;
        for (int row = 0; row < StandingsRowCount; row++) {
            left[row] += (STANDINGS_CENTRE - 16 - left[row]) / 12.0f * factor;
            right[row] += (STANDINGS_CENTRE + 16 - right[row]) / 12.0f * factor;
        }

        BlitMenuBackground();
        StandingsLine lines[STANDINGS_LINES];
        const int count = StandingsLines(kind, left, right, blink, lines);
        for (int i = 0; i < count; i++)
            PrintText(lines[i].x, lines[i].y, lines[i].text, lines[i].font, lines[i].align, surface, 0);
        PresentFrame();
        // A script's shots and checks see the standings as they see the menus.
        RunScriptChecks(FramesRun - 1);
        if (NobodyLeftToPress() || ExitRequested)
            return 1;
        PlatSleepMs(PlatIsHeadless() ? 0 : 10);
    }
}

void ShowStandings(PlatSurface* surface) {
    StandingsState = 0;
    DrawTimedMessages(0);
    if (MainWindow) {
        WantedWidth = 640;
        WantedHeight = 480;
        WantedDepth = 16;
        FreeFontsSurface();
        RecreateDisplay(1);
        LoadFontsSurface();
        surface = GetRenderTarget();
    }
    if (!ScoreStandings()) {
        // The next heat starts from here: the race start does not unpause.
        RacePaused = 0;
        return;
    }
    if (MainWindow && RunStandingsScreen(0, surface))
        RunStandingsScreen(1, surface);
    RacePhase = 0;
    ShowClassTabs();
    RacePaused = 0;
    memset(RacePoints, 0, sizeof RacePoints);
}
