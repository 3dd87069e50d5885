#include "track/track_state.h"

#include "render/objects.h"

static_assert((int)CAR_SHADE_TRIANGLES == (int)TRIANGLE_POOL_SIZE, "one car shade record per pool triangle");

char AssetFolder[128];

CpuLinePoint CpuLineTable[CPU_LINES][CPU_LINE_RECORDS];
int CpuLineFloatCounts[CPU_LINES];
int CpuLinePointCounts[CPU_LINES];

CollisionLine CollisionLineTable[COLLISION_LINE_CAPACITY];
int CollisionLineWords;
int CollisionEditorWords[2];

// Each lists table has one int more than its capacity for the closing -1.
static int CollisionOffsets[COLLISION_GRID_MAX_COLUMNS * COLLISION_GRID_ROWS];
static int CollisionLists[COLLISION_LIST_CAPACITY + 1] = {-1};
static int HeightOffsets[HEIGHT_GRID_COLUMNS * HEIGHT_GRID_ROWS];
static int HeightLists[HEIGHT_LIST_CAPACITY + 1] = {-1};
static int ZoneOffsets[ZONE_GRID_COLUMNS * ZONE_GRID_ROWS];
static int ZoneLists[ZONE_LIST_CAPACITY + 1] = {-1};

CellListGrid CollisionGrid = {CollisionOffsets,     CollisionLists,      COLLISION_GRID_MAX_COLUMNS * COLLISION_GRID_ROWS,
                              COLLISION_LIST_CAPACITY, 120,               COLLISION_GRID_ROWS,
                              COLLISION_CELL_SIZE,  0,                   0};
CellListGrid HeightGrid = {HeightOffsets,        HeightLists,      HEIGHT_GRID_COLUMNS * HEIGHT_GRID_ROWS,
                           HEIGHT_LIST_CAPACITY, HEIGHT_GRID_COLUMNS, HEIGHT_GRID_ROWS,
                           HEIGHT_CELL_SIZE,     0,                0};
CellListGrid ZoneGrid = {ZoneOffsets,        ZoneLists,      ZONE_GRID_COLUMNS * ZONE_GRID_ROWS,
                         ZONE_LIST_CAPACITY, ZONE_GRID_COLUMNS, ZONE_GRID_ROWS,
                         ZONE_CELL_SIZE,     0,              0};

ZoneFile ZoneTable;
int ZoneTypeMask;
int LastTypedZone;
int CurrentViewZone;
std::atomic<int> InJumpZone;

WorldSectionFile WorldSectionTable;
SpecialPolygon SpecialPolygonTable[WORLD_SECTION_CAPACITY];
int SpecialPolygonCount;

Light LightTable[LIGHT_CAPACITY];
int LightCount;
LightColour LightColourTable[LIGHT_CAPACITY];
uint8_t WorldShadeTable[WORLD_SHADE_BYTES];
uint8_t CarShadeTable[CAR_SHADE_TRIANGLES * 4];

std::atomic<float> GroundMemory[8][GROUND_WHEELS];
int CarGroundTriangle[8];
float CarFootprints[8][10];
float CarBoxes[8][4][3];
int CarBoxesDirty = 1;
int CollisionBoxBase = -1;
int WallImpactState[8];
int CarCrashKind[8];
int PassThroughFlags[8];

RoofTriangle CarRoofTriangles[8][ROOF_TRIANGLE_CAPACITY];
int CarRoofTriangleCount[8];

int BuilderProgress;
