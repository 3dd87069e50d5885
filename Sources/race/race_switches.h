// Developer switches of whole-program runs that shape the race: the number
// of cars and laps, the autopilot, and replays saved to or played from a
// file.
#pragma once

// The race start, after the race preparation: the switches' cars, laps and
// autopilot; with --play-replay the file's race (a file that cannot be
// played is refused here, and the prepared race runs instead).
void ApplyRaceSwitches();
// The way back to the menus: the race being left into the --save-replay
// file, before a demo or a replay file can take the buffers.
void SaveRaceLeft();
// The end of the run: the race still on into the --save-replay file.
void SaveReplayAtExit();
// 1 when the game folder holds the world object of a track code.
int TrackFolderHolds(int trackCode);
