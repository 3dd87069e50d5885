// Ground height and the terrain queries.
//
// The ground is the world object's triangles flagged 0x20000000, listed per
// 1,000-unit cell in the height grid.  The queries run on the tick (wheel
// contacts) and on the frame (cameras, props, particles).
#pragma once

// Ground height under (x, z).  car = -1 uses no per-wheel memory.  Over a
// hole the car keeps the height last found for that wheel.
float GroundHeight(float x, float z, int car, int wheel);

// The corners (x, y, z; x and z rounded) of the triangle that the last
// GroundHeight of the calling thread found.  The wheel contacts on the tick
// and the cameras on the frame each see their own.
const float (*GroundTriangleCorners())[3];

// The world-triangle entry (pool index x 4) of the ground triangle under
// (x, z), or -1: the height-grid walk of GroundHeight without its memory.
int GroundTriangleAt(float x, float z);

// The ground triangle under (x, z) becomes the current car's
// CarGroundTriangle; unchanged when none is found.
void GroundUnderCar(float x, float z);

// ViewDarkness of the current car from the corner shades of its ground
// triangle (CarShadeTable).
void CarShadeFromGround();

// The arena opponents' roofs in world space.  The tick reads them through
// HeightOnCars, so the frame calls this under the simulation lock.
void BuildCarRoofTriangles();

// The highest roof under (x, z) among the arena opponents (its car in
// *carFound), or -1.  `unused` is not read.
float HeightOnCars(float x, float z, int* carFound, int unused, int c);

// The surface of the ramp "RAMPACOL" under (x, z), *found = 1; or -1.
float RampHeight(float x, float z, int* found, int unused, int c);

// Smallest distance from the point to the polygon's edges (the last vertex
// joined to the first).
float PolygonPointDistance(const float* xs, const float* zs, float px, float pz, int n);

// Walks the cell of (x, z) and leaves the corners of each listed triangle
// in FoundGroundCorners, without testing containment.
void FindGroundTriangle(float x, float z);
extern float FoundGroundCorners[3][3];
