#include "frontend/replay_header.h"

#include <cstring>

#include "frame/frame_state.h"
#include "frontend/file_lists.h"
#include "frontend/frontend_state.h"
#include "race/race_state.h"
#include "race/replay.h"
#include "track/track_state.h"

ReplayHeaderRecord ReplayHeader;
int RaceFromReplay;
int RaceResultValue;

// The replay-name prompt starts from an empty entry: nothing typed and no
// prefix, whatever the lobby's chat line left behind.
static void EmptyReplayNameEntry() {
    EntryCursor = 0;
    EntryPrefixLength = 0;
    TypedChar = 0;
    TypedCharCount = 0;
    std::memset(ReplayNameBuffer, 0, sizeof ReplayNameBuffer);
}

void FillReplayHeader(int keepRunning) {
    if (keepRunning == 0) {
        RacePaused = 1;
        ReplayPromptOpen = 1;
        EmptyReplayNameEntry();
    }
    StampCareerDate();
    std::memcpy(ReplayHeader.tag, "V1.0", 4);
    ReplayHeader.raceValue = RaceResultValue;
    ReplayHeader.trackCode = (int8_t)TrackCode;
    ReplayHeader.carCount = (int8_t)CarCount;
    ReplayHeader.laps = (int8_t)LapsToRun;
    for (int car = 0; car < 8; car++) {
        ReplayHeader.carModels[car] = (int8_t)CarModel[car];
        ReplayHeader.carColours[car] = (int8_t)CarColour[car];
        ReplayHeader.lapsDone[car] = 0;
    }
    ReplayHeader.mode = SingleRaceMode == 1 ? 0 : ChampionshipRunning == 1 ? 1 : 2;
    std::memcpy(ReplayHeader.replayName, CurrentPlayerName, sizeof ReplayHeader.replayName);
    std::memcpy(ReplayHeader.playerName, CurrentPlayerName, sizeof ReplayHeader.playerName);
    std::memcpy(ReplayHeader.date, CareerRecord.date, sizeof ReplayHeader.date);
}

int ReplayHeaderValid(const ReplayHeaderRecord& header) {
    return header.trackCode >= 10 && header.trackCode <= 79 && header.carCount >= 1 && header.carCount <= 8 &&
           header.laps >= 1 && header.laps <= LAP_TABLE_LAPS;
}

void ApplyReplayHeader() {
    // A header from a file that names no race a replay can play is left
    // alone: the race keeps the set-up it has.
    if (RaceFromReplay != 1 || !ReplayHeaderValid(ReplayHeader))
        return;
    RaceResultValue = ReplayHeader.raceValue;
    TrackCode = ReplayHeader.trackCode;
    CarCount = ReplayHeader.carCount;
    LapsToRun = ReplayHeader.laps;
    TrackGroup = TrackCode / 10;
    TrackVariant = TrackCode - 10 * TrackGroup;
    TrackArtSet = TrackVariant;
    CarRaceClock[0].minutes = 0;
    CarRaceClock[0].seconds = 0;
    CarRaceClock[0].ticks = 0;
    for (int car = 0; car < 8; car++) {
        // A model or paint the game has no files for would end the program
        // when its objects load.
        const int model = ReplayHeader.carModels[car], colour = ReplayHeader.carColours[car];
        CarModel[car] = model >= 0 && model < REPLAY_CAR_MODELS ? model : 0;
        CarColour[car] = colour >= 0 && colour < REPLAY_CAR_COLOURS ? colour : 0;
        const int done = ReplayHeader.lapsDone[car];
        LapsDone[car] = done < 0 ? 0 : done > LapsToRun ? LapsToRun : done;
    }
    ReplayRecording = 0;
    ReplayPlayback = 1;
    ReplayPlaying = 1;
    PresentationRun = 0;
    PresentationCamera = 0;
    HudVisible = 0;
    RacePhase = 0;
}
