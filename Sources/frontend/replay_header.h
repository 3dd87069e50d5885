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

// Not built yet: the replay list, playback of a listed replay, deletion and
// the demos.  Each reports nothing done.
void ListReplays();
int LoadSelectedReplay();          // 1 when the selected replay was loaded
int DeleteSelectedReplay();        // 1 when a file was deleted
void UpdateAttractMode();
int PlayDemoReplay(int item);      // 1 when a demo replay starts
