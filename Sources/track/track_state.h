// Shared state of the track and world data.
//
// Every table here is the in-memory image of one file of the track's BIN
// folder (or is built from them at load).  All are fixed and live for the
// whole run; each race start overwrites them.  They are loaded with the
// timer stopped and then read by the frame (main thread) and the tick.
#pragma once

#include <atomic>
#include <cstdint>

extern char AssetFolder[128];
extern char AssetFallbackFolder[128];   // the texture loader's second folder
extern int TrackArtSet;                  // artwork set of the chosen track (the front end sets it)

// ---------------------------------------------------------------------------
// Computer driving lines (BIN\IACPU%d.dat): five lines of 200 records.
enum {
    CPU_LINES = 5,
    CPU_LINE_RECORDS = 200,
    CPU_LINE_MAX_POINTS = 199,   // record 199 holds the line's count
    CPU_LINE_PACKAGE = 0,        // "Linea Paquete"
    CPU_LINE_NORMAL = 1,         // "Linea Normal"
    CPU_LINE_EXPERT = 2,         // "Linea Experto"
    CPU_LINE_GUIDE = 3,          // "Linea Guia": race order and trackside cameras
    CPU_LINE_CAMERAS = 4,        // "Cameras": trackside camera points
};

struct CpuLinePoint {
    float x, y, z;
    float x2, y2, z2;     // a second point kept with the point
    float length;         // plan length to the next point (the last point's next is point 0)
    float dirX, dirZ;     // unit plan direction to the next point
    float cameraKind;     // line 4: camera kind 0..6 or 9
    float spare[6];
};
static_assert(sizeof(CpuLinePoint) == 64, "CPU line records are 64 bytes");

extern CpuLinePoint CpuLineTable[CPU_LINES][CPU_LINE_RECORDS];
static_assert(sizeof(CpuLineTable) == 64000, "the IACPU file is 64,000 bytes");
extern int CpuLineFloatCounts[CPU_LINES];   // point count x 16, as stored in record 199
extern int CpuLinePointCounts[CPU_LINES];   // 0..CPU_LINE_MAX_POINTS

// ---------------------------------------------------------------------------
// Collision lines (BIN\NumCol%02d.dat, BIN\coli%02d.ppp).
enum { COLLISION_LINE_CAPACITY = 4096 };

struct CollisionLine {
    float x1, y1, z1;
    float x2, y2, z2;
    float normalDz;       // dz / length, set at load
    float normalDx;       // dx / length, set at load
    float spare[6];
    float material;       // 0..15, names in MaterialNames
    float heightLimit;    // 0: always acts; else acts on cars at or below this height
};
static_assert(sizeof(CollisionLine) == 64, "collision lines are 64 bytes");

extern CollisionLine CollisionLineTable[COLLISION_LINE_CAPACITY];
extern int CollisionLineWords;       // number of lines x 16, clamped to the table
extern int CollisionEditorWords[2];  // the collision-line editor's two copies

// ---------------------------------------------------------------------------
// The three cell-list grids.  Offsets: one int per cell, row-major (z row
// outer, x column inner), each the index of the cell's first entry in the
// lists; every list ends with -1.  After a load every offset lies in
// 0..listCount and every list ends inside the table: lists[listCount] is a
// -1 of our own, and cells whose data was bad point at it.
struct CellListGrid {
    int* offsets;
    int* lists;
    int offsetCapacity;   // ints
    int listCapacity;     // ints, not counting the closing -1
    int columns, rows, cellSize;
    int listCount;        // ints of lists in use
    int rejectedCells;    // cells found bad (and emptied) by the last check
};

enum {
    COLLISION_CELL_SIZE = 750,
    COLLISION_GRID_ROWS = 350,
    COLLISION_GRID_MAX_COLUMNS = 200,
    COLLISION_LIST_CAPACITY = 400000,
    HEIGHT_CELL_SIZE = 1000,
    HEIGHT_GRID_COLUMNS = 160,
    HEIGHT_GRID_ROWS = 208,
    HEIGHT_LIST_CAPACITY = 600000,
    ZONE_CELL_SIZE = 4000,
    ZONE_GRID_COLUMNS = 40,
    ZONE_GRID_ROWS = 60,
    ZONE_LIST_CAPACITY = 96 * ZONE_GRID_COLUMNS * ZONE_GRID_ROWS,
};

extern CellListGrid CollisionGrid;   // entries: collision line indices
extern CellListGrid HeightGrid;      // entries: pool triangle index x 4, -2 skipped
extern CellListGrid ZoneGrid;        // entries: zone record indices

// ---------------------------------------------------------------------------
// Zones (BIN\Cajas%02d.dat).
enum {
    ZONE_RECORDS = 232,              // whole records in the file
    ZONE_MAX_VERTICES = 32,
    ZONE_VISIBILITY_IDS = 13,
    ZONE_LAST_SURFACE = 94,          // 0..94: surface and event types
    ZONE_FIRST_VISIBILITY = 96,      // 96..149: visibility zones
    ZONE_LAST_VISIBILITY = 149,
    VISIBILITY_ZONES = 54,
    ZONE_FIRST_CHECKPOINT = 140,     // 140..145: the lap logic's checkpoints
    ZONE_LAST_CHECKPOINT = 145,
};

struct ZoneVertex {
    int32_t x;
    int32_t y;        // height, for drawing the zone
    int32_t z;
    int32_t spare;
};

struct ZoneRecord {
    int32_t vertexWords;   // 4 x vertex count; a polygon needs at least 12
    int32_t type;          // index into ZoneTypeNames, 0..31
    ZoneVertex vertices[ZONE_MAX_VERTICES];
    int32_t visibility[ZONE_VISIBILITY_IDS];   // ids 96..149; a value below 96 ends the list
};
static_assert(sizeof(ZoneRecord) == 572, "zone records are 572 bytes");

struct ZoneFile {
    int32_t header[3];     // written, never read
    ZoneRecord records[ZONE_RECORDS];
    uint8_t tail[404];
};
static_assert(sizeof(ZoneFile) == 133120, "the zone file is 133,120 bytes");

extern ZoneFile ZoneTable;
extern int ZoneTypeMask;         // OR of the type bits of zones 0..94
extern int LastTypedZone;        // last zone 0..94 with a type 0..31
extern int CurrentViewZone;      // visibility zone found last by FindZoneContaining
// Set by ZoneMaskAt on the frame, read by the car body step on the tick.
extern std::atomic<int> InJumpZone;

// ---------------------------------------------------------------------------
// World sections (BIN\Mundo%02d.TNT), rebuilt at every load.
enum {
    WORLD_SECTION_HEADER_INTS = 400,
    WORLD_SECTION_TOTAL_INT = 399,   // header int holding the number of entries
    WORLD_SECTION_ENTRY_INTS = 12,
    WORLD_SECTION_CAPACITY = 50000,
};

struct WorldSection {
    int32_t vertex[3];      // position vertices, as vertex index x 5
    int32_t texture;        // low 16 bits of the texture word
    int32_t uvVertex[3];    // texture-coordinate vertices, vertex index x 5
    int32_t alwaysDraw;     // texture word & 0x10000000
    float nx, ny, nz;       // unit plane normal
    float distance;         // n . first corner
};
static_assert(sizeof(WorldSection) == 48, "world-section entries are 48 bytes");

// Header pair k (ints 2k, 2k + 1) belongs to visibility zone 96 + k: the
// int index of its first entry and its number of entries.
struct WorldSectionFile {
    int32_t header[WORLD_SECTION_HEADER_INTS];
    WorldSection entries[WORLD_SECTION_CAPACITY];
};
static_assert(sizeof(WorldSectionFile) == 1600 + 48 * WORLD_SECTION_CAPACITY, "no padding in the section table");

extern WorldSectionFile WorldSectionTable;

struct SpecialPolygon {
    int32_t entryIndex;     // int index of the entry's texture field
    int32_t kind;
    int32_t zero;
    int32_t unused;
};
static_assert(sizeof(SpecialPolygon) == 16, "special polygons are 16 bytes");
extern SpecialPolygon SpecialPolygonTable[WORLD_SECTION_CAPACITY];
extern int SpecialPolygonCount;

// ---------------------------------------------------------------------------
// Lights (BIN\Ilumina%d.dat) and the two shading tables.
enum {
    LIGHT_CAPACITY = 512,
    WORLD_SHADE_BYTES = WORLD_SECTION_HEADER_INTS + 12 * WORLD_SECTION_CAPACITY,
    CAR_SHADE_TRIANGLES = 25000,     // the triangle pool
    CAR_SHADE_TRIANGLES_BUILT = 17000,
};

struct Light {
    float x, y, z;          // y: "Altura"
    float range;            // "Alcance"
};
static_assert(sizeof(Light) == 16, "light records are 16 bytes");

struct LightColour {
    float alcanceRGB;
    uint8_t r, g, b, unused;
};
static_assert(sizeof(LightColour) == 8, "light colour records are 8 bytes");

extern Light LightTable[LIGHT_CAPACITY];
extern int LightCount;
extern LightColour LightColourTable[LIGHT_CAPACITY];

// Per world-section entry n, at byte 400 + 12 n: {shade, colour x 3} per corner.
extern uint8_t WorldShadeTable[WORLD_SHADE_BYTES];
// Per pool triangle, at byte triangle x 4: the three corner shades.
extern uint8_t CarShadeTable[CAR_SHADE_TRIANGLES * 4];

// ---------------------------------------------------------------------------
// Ground.
enum { GROUND_WHEELS = 4 };
// Last height found per car and wheel: written by the wheel contacts on the
// tick, read by the frame's cameras in replays.
extern std::atomic<float> GroundMemory[8][GROUND_WHEELS];
// GroundTriangleCorners (ground.h) gives the corners of the triangle the
// last GroundHeight of the calling thread found.
extern int CarGroundTriangle[8];   // world-triangle entry under each car

// Each car's plan quadrilateral: four (x, z) corners and corner 0 again.
extern float CarFootprints[8][10];

// Wall and car collisions (collision.cpp, timer thread).  CarBoxes holds
// the four corners of each car's collision box in car space, copied from
// the vertex pool (CollisionBoxBase, the first vertex of COLI00, which the
// model-set loader records) whenever CarBoxesDirty is 1.
extern float CarBoxes[8][4][3];
extern int CarBoxesDirty;
extern int CollisionBoxBase;       // -1 until the race's models are loaded
extern int WallImpactState[8];     // 0..3 while the wall crash sound is asked for
extern int CarCrashKind[8];        // 1 light, 2 hard car hit
extern int PassThroughFlags[8];    // arena events: the car passes through the local car

// The roofs of the arena opponents, rebuilt every frame.
enum { ROOF_TRIANGLE_CAPACITY = 512 };
struct RoofTriangle {
    int32_t x[3], y[3], z[3];
    int64_t area2;          // |doubled plan area|
};
extern RoofTriangle CarRoofTriangles[8][ROOF_TRIANGLE_CAPACITY];
extern int CarRoofTriangleCount[8];

// The builders' progress counter (cells done).
extern int BuilderProgress;

// ---------------------------------------------------------------------------
// Built-in scene points (scene_points.cpp): where the scene builder draws
// dust, lamps and the can, and where the crowd sound is played from.
enum {
    DUST_POINTS_A = 29,
    DUST_POINTS_B = 23,
    BACKDROP_PLACEMENTS = 13,
    CROWD_POINTS = 7,
};
extern int32_t DustPointsA[DUST_POINTS_A][3];       // x, y, z: lamps and glows
extern float DustPointsB[DUST_POINTS_B][3];         // x, z, y: dust clouds
extern float DustPointYaws[DUST_POINTS_B];
extern float BackdropPlacements[BACKDROP_PLACEMENTS][2];   // x, z
extern float BackdropPlacementAngles[BACKDROP_PLACEMENTS];
extern float CanPosition[3];
extern float CrowdPoints[CROWD_POINTS][2];          // x, z
extern float SkidOnThreshold, SkidOffThreshold;
extern int LandingVolumeBase;
