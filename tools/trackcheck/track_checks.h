// The track validator: loads a track of a game folder as a race does and
// checks what a race needs of it.
#pragma once

#include <string>
#include <vector>

struct TrackCheckReport {
    std::vector<std::string> failures;
    std::vector<std::string> notes;
};

// Makes GAMEDIR the current folder and loads track CODE (group x 10 +
// variant) as the race start does; false with a message when it cannot.
bool LoadTrackForCheck(const char* gameDir, int code, std::string* error);

// Each file of the track's BIN folder read as the game reads it, with the
// size its format gives (after LoadTrackForCheck).
void CheckTrackFiles(TrackCheckReport& report);

// The loaded tables: grids without bad cells, ground and a visibility zone
// under the whole centre line, the checkpoints met in driving order along
// it, every wall facing the road, and the grid places and start pose on
// the road, 1,000 or more from any wall.
void CheckLoadedTrack(TrackCheckReport& report);

// Load and both checks; the number of failures, or -1 when the track could
// not be loaded (its reason in report.failures).
int RunTrackCheck(const char* gameDir, int code, TrackCheckReport& report);
