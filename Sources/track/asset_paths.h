// Asset folder paths of cars, tracks, artwork and scoreboards.  Each only
// formats AssetFolder (and the texture fallback folder); the caller then
// loads or saves.
#pragma once

// The folder of a car model ("3d\Cars\Vondel\" ...), null outside 0..17.
const char* CarModelFolder(int model);
// The folder of the car's model; a model outside 0..17 leaves it unchanged.
void SetCarFolder(int car);
// "3d\Tracks\Track-<group><variant>\"
void SetTrackFolder();
// The track's artwork set, with the group's common artwork as the fallback.
void SetTrackArtFolders();
// Day or menu car artwork; the night tracks always take the night artwork.
void SetCarArtFolder();
void SetScoreboardFolder();

// Every track code a race can start on: the career's, the championships'
// and the special and hidden races'.
enum { RACE_TRACK_CODES = 43 };
extern const int RaceTrackCodes[RACE_TRACK_CODES];
