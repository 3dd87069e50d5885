// The track's BIN data files and their loader.
//
// Every file is named AssetFolder + "BIN\" + a base name + the track group
// number.  The files are raw images of the fixed tables of track_state.h;
// whatever they hold is checked at load so that no query reads past a table.
#pragma once

struct CellListGrid;

extern const char* const MaterialNames[16];

// The race-start loaders: LoadZones before the sound bank, LoadTrackData
// after the race set-up.
void LoadZones();
void LoadTrackData();

// Lights and the two shading tables (the race set-up's lighting step): the
// light table is prefilled with x = -1.0 and range 0.1 before it is read;
// the shading tables are read only during a race.
void LoadTrackLighting();

// Rebuilds WorldSectionTable and SpecialPolygonTable from the zones and the
// loaded world object "MUNDO%02d".
void BuildDrawTrace();

// The five line counts (CpuLineFloatCounts, CpuLinePointCounts) from record
// 199 of each line, truncated and held to 0..199 points (a non-finite count
// is 0); all 0 when `read` is 0.
void CpuLineCountsFromRecords(int read);

// Sets the normal terms of every loaded collision line.
void ComputeWallNormals();

// ZoneTypeMask and LastTypedZone from zones 0..94.
void ScanZoneTypes();

// Forms AssetFolder + pattern with the number ("%sBIN\\Cajas%02d.dat").
void TrackFilePath(char* out, int size, const char* pattern, int number);

// The loaded collision lines (CollisionLineWords >> 4, within the table).
int CollisionLineCount();

// Collision grid columns of a track group: 200 on groups 2 and 7, 130 on 3.
int CollisionGridColumns(int group);

// Checks every cell of a grid against its lists: offsets outside the lists,
// entries `valid` refuses and lists that do not end inside the table make
// the cell empty.  Keeps lists[listCount] = -1.  Returns the cells emptied.
int CheckCellGrid(CellListGrid& grid, int (*valid)(int entry));
int ValidCollisionEntry(int entry);
int ValidHeightEntry(int entry);
int ValidZoneEntry(int entry);

// The list of the cell holding (x, z); an empty list outside the grid.
const int* CellListAt(const CellListGrid& grid, int x, int z);
