// The replay header: filled from the race that runs, applied to the race a
// replay plays.
#pragma once

#include "frontend/frontend_state.h"

// The race fields of ReplayHeader from the running race; 0 also pauses the
// race and opens the replay-name prompt on an empty entry.
void FillReplayHeader(int keepRunning);
// While RaceFromReplay: the header's track, cars and laps become the race's
// and the tick plays the recording.
void ApplyReplayHeader();
// 1 when the header's race fields lie within what a race can be: track
// code 10..79, 1..8 cars, 1..6 laps.
int ReplayHeaderValid(const ReplayHeaderRecord& header);

// The replays screen (list 9): the rows of the replay folder, the first one
// selected and shown in the info panel.
void ListReplays();
// The selected row's file into the header and the replay buffers; 1 when it
// loaded.
int LoadSelectedReplay();
// Deletes the replay the info panel's header names and relists; 1 when a
// file was deleted.
int DeleteSelectedReplay();
// The info panel of the row under the pointer: player, race type, mode and
// date from the file's header, which becomes ReplayHeader.
void ShowReplayInfo();
// "SPEED", "JUMP", "MONSTER", "CROSS" or "BUGGY" for track codes 10..79.
const char* RaceTypeName(int trackCode);
// Once per menu frame: counts idle ticks on the main screen and starts the
// next demo after 4800 of them.
void UpdateAttractMode();
// Items 17, 18 and 19 of the single-race screen play a demo; 1 when it
// loaded and the race was asked for.
int PlayDemoReplay(int item);
// The title page's items as the main screen first shows them.
void ResetMainMenuItems();
void SetCarChoice(int car, int model, int colour);
// Plays the next of five named replays from the replays screen.
void PlayReplayCarousel();
// Saves the race just run on track 14 as Replay\Internet\Record.rb when its
// best race time beats the one stored there.
void SaveRecordReplay();
