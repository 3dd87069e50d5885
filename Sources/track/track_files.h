// The track's BIN data files and their loader.
#pragma once

void LoadZones();
void LoadTrackData();
