// The replay header: filled from the race that runs, applied to the race a
// replay plays.
#pragma once

#include "frontend/frontend_state.h"

// The race fields of ReplayHeader from the running race; 0 also pauses the
// race for the replay-name prompt.
void FillReplayHeader(int keepRunning);
// While RaceFromReplay: the header's track, cars and laps become the race's
// and the tick plays the recording.
void ApplyReplayHeader();
// 1 when the header's race fields lie within what a race can be: track
// code 10..79, 1..8 cars, 1..6 laps.
int ReplayHeaderValid(const ReplayHeaderRecord& header);

// Why a replay file image is refused, or null: a header whose track group
// is 1 to 7 and variant 0 to 7, 1 to 8 cars, 1 to 9 laps, models 0 to 19,
// colours 0 to 3 and mode 0 to 2, then a body of 20 to 49,999 ticks of the
// header's cars, the file exactly 132 + 12 x keyframes + ticks x cars bytes.
const char* ReplayFileProblem(const unsigned char* bytes, int size);

// Not built yet: the replay list, playback of a listed replay, deletion and
// the demos.  Each reports nothing done.
void ListReplays();
int LoadSelectedReplay();          // 1 when the selected replay was loaded
int DeleteSelectedReplay();        // 1 when a file was deleted
void UpdateAttractMode();
int PlayDemoReplay(int item);      // 1 when a demo replay starts
