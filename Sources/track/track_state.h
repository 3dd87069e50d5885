// Shared state of the track and world data.
#pragma once

extern char AssetFolder[128];
extern int ZoneTypeMask;
