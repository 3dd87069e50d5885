// The replay header and the replay files.
#pragma once

#include <cstddef>
#include <cstdint>

// The first 124 bytes of every replay file.
struct ReplayHeaderRecord {
    char tag[4];
    char replayName[22];
    int8_t trackCode;
    int8_t carCount;
    int8_t lapMinutes[3];
    int8_t lapSeconds[3];
    int8_t lapHundredths[3];
    int8_t laps;
    int8_t reserved;
    int8_t mode;
    char playerName[22];
    char date[22];
    int8_t carModels[8];
    int8_t carColours[8];
    int32_t raceValue;
    int8_t lapsDone[8];
    uint8_t reserved2[12];
};
static_assert(sizeof(ReplayHeaderRecord) == 124, "replay headers are 124 bytes");
static_assert(offsetof(ReplayHeaderRecord, playerName) == 40 && offsetof(ReplayHeaderRecord, raceValue) == 100,
              "replay header layout");
extern ReplayHeaderRecord ReplayHeader;

void ApplyReplayHeader();

// Not built yet: the replay list, playback, deletion, demos and the header's
// filling.  Each reports nothing done.
void ListReplays();
int LoadSelectedReplay();          // 1 when the selected replay was loaded
int DeleteSelectedReplay();        // 1 when a file was deleted
void UpdateAttractMode();
int PlayDemoReplay(int item);      // 1 when a demo replay starts
void FillReplayHeader(int prompt);
