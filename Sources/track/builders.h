// The builders of the track's derived data: the collision, height and zone
// grids and the two shading files.
//
// The editors run them on the current track; each fills its table in memory
// (the Fill* half, which the sample-data generator also uses) and writes the
// files into the track's BIN folder.  They are exhaustive, but every cell
// first passes over what cannot reach it, which gives the same lists.
#pragma once

#include <cstdint>

void BuildCollisionGrid();
void BuildHeightGrid();
void BuildZoneGrid();
void BuildWorldShadeFile();
void BuildCarShadeFile();

void FillCollisionGrid();
void FillHeightGrid();
void FillZoneGrid();
// Return the number of bytes of the file image.
int FillWorldShadeTable();
int FillCarShadeTable();

// 1 when one of the points the Bresenham walk from one end tests (the start
// and every 100th step) lies within sqrt(limit) of (px, pz), else -1.
int SegmentNearPoint(int x1, int z1, int x2, int z2, int px, int pz, int limit);

// The corner shades of pool triangle `triangle` from the lights (as the car
// shading file holds them): 255 where no light reaches.
void ShadeProbe(int triangle, uint8_t shades[3]);

extern const float LightRangeScale[8];
extern const float CarShadeRangeScale[8];
