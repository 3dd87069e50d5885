#include "race/race_switches.h"

#include <cstdio>

#include "frame/fileio.h"
#include "frame/frame_state.h"
#include "frame/sim_lock.h"
#include "frame/vfs.h"
#include "frontend/frontend_state.h"
#include "frontend/replay_header.h"
#include "race/race_state.h"
#include "race/replay.h"

// A grid of different cars.
static const int SwitchModels[MAX_CARS] = {0, 6, 1, 12, 2, 3, 5, 8};

int TrackFolderHolds(int trackCode) {
    if (trackCode < 10 || trackCode > 79)
        return 0;
    const int group = trackCode / 10, variant = trackCode % 10;
    char path[96];
    std::snprintf(path, sizeof path, "3d\\Tracks\\Track-%d%d\\MUNDO%d%d.ver", group, variant, group, variant);
    if (VfsHandle* handle = VfsOpen(path)) {
        VfsFree(handle);
        return 1;
    }
    return QueryFileSize(path);
}

// A replay the run cannot play ends it with exit status 1.
static void RefuseReplay() {
    ScriptExitStatus = 1;
    ExitRequested = 1;
}

static void StartReplayFromFile(const char* path) {
    static ReplayHeaderRecord header;
    if (LoadReplayData(path, &header) == 0) {
        std::fprintf(stderr, "quorvix: --play-replay: %s cannot be played\n", path);
        RefuseReplay();
        return;
    }
    if (!TrackFolderHolds(header.trackCode)) {
        std::fprintf(stderr, "quorvix: --play-replay: the game folder has no track %d\n", header.trackCode);
        RefuseReplay();
        return;
    }
    ReplayHeader = header;
    RaceFromReplay = 1;
    ReplayFromFile = 1;
    ApplyReplayHeader();
}

void ApplyRaceSwitches() {
    AutopilotRun = CommandLine.autopilot;
    if (CommandLine.cars > 0) {
        CarCount = CommandLine.cars > MAX_CARS ? MAX_CARS : CommandLine.cars;
        for (int car = 0; car < MAX_CARS; car++) {
            CarModel[car] = SwitchModels[car];
            CarColour[car] = car % 4;
        }
    }
    if (CommandLine.laps > 0)
        LapsToRun = CommandLine.laps > LAP_TABLE_LAPS ? LAP_TABLE_LAPS : CommandLine.laps;
    if (CommandLine.playReplay)
        StartReplayFromFile(CommandLine.playReplay);
}

// A race was written to the --save-replay file.
static int RaceReplayWritten;

// After the race's own replay the buffers still hold the race; after a
// file's playback (a demo, the replays screen) they hold the file.
static void WriteRecordedRace() {
    if (CommandLine.playReplay || !ReplayHoldsRace || ReplaySavedCount <= 0)
        return;
    FillReplayHeader(1);
    if (SaveReplayData(CommandLine.saveReplay, &ReplayHeader) == 0)
        std::fprintf(stderr, "quorvix: --save-replay: cannot write %s\n", CommandLine.saveReplay);
    else
        RaceReplayWritten = 1;
}

void SaveRaceLeft() {
    if (!CommandLine.saveReplay)
        return;
    SimLockGuard lock;
    WriteRecordedRace();
}

void SaveReplayAtExit() {
    if (!CommandLine.saveReplay)
        return;
    SimLockGuard lock;
    // Back in the menus the race was written as it was left.
    if (FrontEndActive == 0)
        WriteRecordedRace();
    if (!RaceReplayWritten)
        std::fprintf(stderr, "quorvix: --save-replay: no race was recorded\n");
}
