// Shared state of the track and world data.
#pragma once

extern char AssetFolder[128];
extern char AssetFallbackFolder[128];   // the texture loader's second folder
extern int TrackArtSet;                  // artwork set of the chosen track (the front end sets it)
extern int ZoneTypeMask;
