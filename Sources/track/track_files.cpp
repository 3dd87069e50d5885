#include "track/track_files.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "frame/fileio.h"
#include "frame/frame_state.h"
#include "frame/utils.h"
#include "race/cameras.h"
#include "race/race_state.h"
#include "render/lookup_tables.h"
#include "render/model_sets.h"
#include "render/objects.h"
#include "render/render_state.h"
#include "sound/sound_state.h"
#include "track/asset_paths.h"
#include "track/track_state.h"
#include "track/zones.h"

const char* const MaterialNames[16] = {
    "Cemento",  "Ruedas",   "Metalica", "PajaCross", "Arbol",    "Sin usar", "Sin usar", "Sin usar",
    "Sin usar", "Sin usar", "Sin usar", "Sin usar",  "Sin usar", "Sin usar", "Sin usar", "Sin usar",
};

void TrackFilePath(char* out, int size, const char* pattern, int number) {
    snprintf(out, (size_t)size, pattern, AssetFolder, number);
}

int CollisionLineCount() {
    const int lines = CollisionLineWords >> 4;
    if (lines < 0)
        return 0;
    return lines > COLLISION_LINE_CAPACITY ? COLLISION_LINE_CAPACITY : lines;
}

int CollisionGridColumns(int group) {
    if (group == 2 || group == 7)
        return 200;
    return group == 3 ? 130 : 120;
}

// ---------------------------------------------------------------------------
// Cell-list grids.

static_assert(HEIGHT_LIST_CAPACITY >= COLLISION_LIST_CAPACITY && HEIGHT_LIST_CAPACITY >= ZONE_LIST_CAPACITY,
              "the check's scratch serves the largest grid");
// ListEndsWell[i]: the list starting at i reaches a -1 through valid entries.
static uint8_t ListEndsWell[HEIGHT_LIST_CAPACITY + 1];

int CheckCellGrid(CellListGrid& grid, int (*valid)(int entry)) {
    int limit = grid.listCapacity < HEIGHT_LIST_CAPACITY ? grid.listCapacity : (int)HEIGHT_LIST_CAPACITY;
    if (grid.listCount > limit)
        grid.listCount = limit;
    if (grid.listCount < 0)
        grid.listCount = 0;
    const size_t count = (size_t)grid.listCount;
    grid.lists[count] = -1;

    uint8_t* endsWell = ListEndsWell;
    endsWell[count] = 1;
    for (size_t i = count; i-- > 0;) {
        const int entry = grid.lists[i];
        endsWell[i] = entry == -1 ? 1 : (uint8_t)(valid(entry) && endsWell[i + 1]);
    }

    int cells = grid.columns * grid.rows;
    if (cells > grid.offsetCapacity)
        cells = grid.offsetCapacity;
    int rejected = 0;
    for (int cell = 0; cell < cells; cell++) {
        const int offset = grid.offsets[cell];
        if (offset < 0 || offset > grid.listCount || !endsWell[offset]) {
            grid.offsets[cell] = grid.listCount;
            rejected++;
        }
    }
    grid.rejectedCells = rejected;
    return rejected;
}

int ValidCollisionEntry(int entry) { return entry >= 0 && entry < CollisionLineCount(); }

int ValidHeightEntry(int entry) {
    return entry == -2 || (entry >= 0 && (entry & 3) == 0 && (entry >> 2) < TriangleTotal);
}

int ValidZoneEntry(int entry) { return entry >= 0 && entry < ZONE_RECORDS; }

const int* CellListAt(const CellListGrid& grid, int x, int z) {
    static const int EmptyList[1] = {-1};
    if (x < 0 || z < 0)
        return EmptyList;
    const int column = x / grid.cellSize;
    const int row = z / grid.cellSize;
    if (column >= grid.columns || row >= grid.rows)
        return EmptyList;
    return grid.lists + grid.offsets[row * grid.columns + column];
}

static void LoadCellGrid(CellListGrid& grid, const char* listsPattern, const char* offsetsPattern, int number) {
    char path[256];
    TrackFilePath(path, sizeof path, listsPattern, number);
    if (ReadWholeFile(path, grid.lists, grid.listCapacity * (int)sizeof(int)) > 0)
        grid.listCount = LastFileSize / (int)sizeof(int);
    TrackFilePath(path, sizeof path, offsetsPattern, number);
    ReadWholeFile(path, grid.offsets, grid.offsetCapacity * (int)sizeof(int));
}

// ---------------------------------------------------------------------------
// Zones.

void ScanZoneTypes() {
    ZoneTypeMask = 0;
    LastTypedZone = 0;
    for (int zone = 0; zone <= ZONE_LAST_SURFACE; zone++) {
        const int type = ZoneTable.records[zone].type;
        if (type >= 0 && type < 32) {
            LastTypedZone = zone;
            ZoneTypeMask |= ZoneTypeBit(type);
        }
    }
}

// Vertex counts beyond the record are cut to 32 vertices; visibility ids
// outside 96..149 would address sections that do not exist, so they are
// dropped from the list (the ids after them move up).
static void CheckZoneRecords() {
    for (ZoneRecord& zone : ZoneTable.records) {
        if (zone.vertexWords < 0)
            zone.vertexWords = 0;
        if (zone.vertexWords > 4 * ZONE_MAX_VERTICES)
            zone.vertexWords = 4 * ZONE_MAX_VERTICES;

        int kept[ZONE_VISIBILITY_IDS];
        int count = 0, dropped = 0;
        for (int id : zone.visibility) {
            if (id < ZONE_FIRST_VISIBILITY)
                break;
            if (id <= ZONE_LAST_VISIBILITY)
                kept[count++] = id;
            else
                dropped++;
        }
        if (dropped) {
            for (int k = 0; k < ZONE_VISIBILITY_IDS; k++)
                zone.visibility[k] = k < count ? kept[k] : 0;
        }
    }
}

void LoadZones() {
    ZoneTypeMask = 0;
    LastTypedZone = 0;
    if (TrackGroup <= 0)
        return;
    char path[256];
    TrackFilePath(path, sizeof path, "%sBIN\\Cajas%02d.dat", TrackGroup);
    ReadWholeFile(path, &ZoneTable, sizeof ZoneTable);
    CheckZoneRecords();
    ScanZoneTypes();
}

// ---------------------------------------------------------------------------
// Computer driving lines.

static int TruncateCount(float value) {
    if (!(value > -1.0e9f && value < 1.0e9f))
        return 0;
    return (int)value;
}

static void LoadCpuLines() {
    for (auto& line : CpuLineTable) {
        for (CpuLinePoint& point : line) {
            float* f = &point.x;
            for (int k = 0; k < 16; k++)
                f[k] = -1.0f;
        }
    }
    char path[256];
    TrackFilePath(path, sizeof path, "%sBIN\\IACPU%d.dat", TrackGroup);
    CpuLineCountsFromRecords(ReadWholeFile(path, CpuLineTable, sizeof CpuLineTable) > 0);
    // The replay takes a trackside camera's height as a whole number.
    for (CpuLinePoint& point : CpuLineTable[CPU_LINE_CAMERAS]) {
        point.x = ClampFileFloat(point.x, -FILE_COORDINATE_LIMIT, FILE_COORDINATE_LIMIT, 0.0f);
        point.y = ClampFileFloat(point.y, -FILE_COORDINATE_LIMIT, FILE_COORDINATE_LIMIT, 0.0f);
        point.z = ClampFileFloat(point.z, -FILE_COORDINATE_LIMIT, FILE_COORDINATE_LIMIT, 0.0f);
    }
}

void CpuLineCountsFromRecords(int read) {
    for (int k = 0; k < CPU_LINES; k++) {
        const float stored = CpuLineTable[k][CPU_LINE_RECORDS - 1].x;
        int count = read ? TruncateCount(stored) : 0;
        if (k == CPU_LINE_CAMERAS && stored == -1.0f)
            count = 0;
        // Record 199 holds the count itself, so a line has at most 199 points.
        if (count < 0)
            count = 0;
        if (count > CPU_LINE_MAX_POINTS * 16)
            count = CPU_LINE_MAX_POINTS * 16;
        CpuLineFloatCounts[k] = count;
        CpuLinePointCounts[k] = count >> 4;
    }
}

// ---------------------------------------------------------------------------
// Collision lines.

static void LoadCollisionLines(int number) {
    char path[256];
    int32_t words = 0;
    TrackFilePath(path, sizeof path, "%sBIN\\NumCol%02d.dat", number);
    if (ReadWholeFile(path, &words, sizeof words) > 0 && LastFileSize == (int)sizeof words) {
        if (words < 0)
            words = 0;
        if (words > COLLISION_LINE_CAPACITY * 16)
            words = COLLISION_LINE_CAPACITY * 16;
        CollisionLineWords = words;
        CollisionEditorWords[0] = words;
        CollisionEditorWords[1] = words;
    }
    TrackFilePath(path, sizeof path, "%sBIN\\coli%02d.ppp", number);
    ReadWholeFile(path, CollisionLineTable, sizeof CollisionLineTable);
    // The collisions take the material as a whole number: one the file holds
    // outside the 16 materials (or no number at all) is held to them.
    for (CollisionLine& line : CollisionLineTable)
        line.material = ClampFileFloat(line.material, 0.0f, 15.0f, 0.0f);
}

void ComputeWallNormals() {
    const int lines = CollisionLineCount();
    for (int i = 0; i < lines; i++) {
        CollisionLine& line = CollisionLineTable[i];
        const float dx = line.x2 - line.x1;
        const float dz = line.z2 - line.z1;
        const float length = sqrtf(dz * dz + dx * dx);
        // A zero-length wall has no direction: it gets no normal.
        if (!(length > 0.0f)) {
            line.normalDz = 0.0f;
            line.normalDx = 0.0f;
            continue;
        }
        line.normalDz = dz / length;
        line.normalDx = dx / length;
    }
}

// ---------------------------------------------------------------------------
// World sections.

struct SpecialTexture {
    int group, texture, kind;
};
static const SpecialTexture SpecialTextures[] = {
    {1, 20, 0},   {1, 21, 1},   {1, 23, 2},   {2, 30, 3},   {2, 31, 4},   {2, 32, 5},   {2, 33, 6},
    {3, 30, 7},   {3, 31, 8},   {3, 32, 9},   {3, 33, 10},  {3, 34, 11},  {4, 900, 12}, {4, 902, 13},
    {4, 903, 14}, {7, 170, 15}, {7, 171, 16}, {7, 172, 17},
};

static void NoteSpecialPolygon(int entryIntIndex, int texture) {
    for (const SpecialTexture& special : SpecialTextures) {
        if (special.group == TrackGroup && special.texture == texture) {
            SpecialPolygonTable[SpecialPolygonCount++] = {entryIntIndex + 3, special.kind, 0, 0};
            return;
        }
    }
}

static void FillSectionEntry(WorldSection& entry, const ObjectTriangle& triangle) {
    float p[3][3];
    for (int k = 0; k < 3; k++) {
        const uint32_t position = triangle.corner[k] & 0xFFFFu;
        const ObjectVertex& v = VertexPool[position];
        p[k][0] = v.x;
        p[k][1] = v.y;
        p[k][2] = v.z;
        entry.vertex[k] = (int32_t)position * 5;
        entry.uvVertex[k] = (int32_t)(triangle.corner[k] >> 16) * 5;
    }
    entry.texture = (int32_t)(triangle.texture & 0xFFFFu);
    entry.alwaysDraw = (int32_t)(triangle.texture & 0x10000000u);

    const float x0 = p[0][0], y0 = p[0][1], z0 = p[0][2];
    const float x1 = p[1][0], y1 = p[1][1], z1 = p[1][2];
    const float x2 = p[2][0], y2 = p[2][1], z2 = p[2][2];
    float nx = (y0 - y1) * (z0 - z2) - (z0 - z1) * (y0 - y2);
    float ny = (x0 - x2) * (z0 - z1) - (x0 - x1) * (z0 - z2);
    float nz = (x0 - x1) * (y0 - y2) - (x0 - x2) * (y0 - y1);
    float length = sqrtf(nx * nx + ny * ny + nz * nz);
    if (length == 0.0f)
        length = 1.0f;
    nx /= length;
    ny /= length;
    nz /= length;
    entry.nx = nx;
    entry.ny = ny;
    entry.nz = nz;
    entry.distance = nx * x0 + ny * y0 + nz * z0;
}

void BuildDrawTrace() {
    SpecialPolygonCount = 0;
    int total = 0;
    int full = 0;

    char name[OBJECT_NAME_LENGTH + 8];
    snprintf(name, sizeof name, "MUNDO%02d", TrackGroup);
    const ObjectEntry& world = ObjectEntries[FindObject(name)];
    const int first = world.triangleOffset / (int)sizeof(ObjectTriangle);
    const int last = first + world.triangleCount;

    for (int zone = ZONE_FIRST_VISIBILITY; zone <= ZONE_LAST_VISIBILITY; zone++) {
        const int pair = 2 * (zone - ZONE_FIRST_VISIBILITY);
        int count = 0;
        WorldSectionTable.header[pair] = WORLD_SECTION_HEADER_INTS + WORLD_SECTION_ENTRY_INTS * total;
        const ZoneRecord& record = ZoneTable.records[zone];
        if (ZoneVertexCount(record) >= 3) {
            for (int t = first; t < last && t < TRIANGLE_POOL_SIZE; t++) {
                const ObjectTriangle& triangle = TrianglePool[t];
                const ObjectVertex& a = VertexPool[triangle.corner[0] & 0xFFFFu];
                const ObjectVertex& b = VertexPool[triangle.corner[1] & 0xFFFFu];
                const ObjectVertex& c = VertexPool[triangle.corner[2] & 0xFFFFu];
                const float cx = (a.x + b.x + c.x) * 0.33333334f;
                const float cz = (a.z + b.z + c.z) * 0.33333334f;
                if (!PointInZoneExact(record, cx, cz))
                    continue;
                // The table is full: the triangle is left out of the section.
                if (total >= WORLD_SECTION_CAPACITY) {
                    full++;
                    continue;
                }
                FillSectionEntry(WorldSectionTable.entries[total], triangle);
                NoteSpecialPolygon(WORLD_SECTION_HEADER_INTS + WORLD_SECTION_ENTRY_INTS * total,
                                   WorldSectionTable.entries[total].texture);
                total++;
                count++;
            }
        }
        WorldSectionTable.header[pair + 1] = count;
    }
    WorldSectionTable.header[WORLD_SECTION_TOTAL_INT] = total;
    if (full) {
        char line[128];
        snprintf(line, sizeof line, "World sections full: %d triangles left out", full);
        DebugLogText(line);
    }
    SetTrackFolder();
}

// ---------------------------------------------------------------------------
// The loaders.

void LoadTrackData() {
    const int number = TrackGroup == 0 ? 1 : TrackGroup;
    SetTrackFolder();

    BeginObjectLoad(1);
    ClearTargetFrames = 1;

    LoadCpuLines();
    ResetTvCameras();
    MapTvCamerasToPath();

    // The software path's texel pages start at a 64 KB boundary.
    if (RenderKind == 0)
        SoftTexelBase = AlignBufferTo64K(SoftTexels);
    LoadRaceModels();

    SetTrackFolder();
    if (FrontEndActive == 0) {
        LoadCollisionLines(number);
        CollisionGrid.columns = CollisionGridColumns(number);
        LoadCellGrid(CollisionGrid, "%sBIN\\TCuadr%02d.col", "%sBIN\\OffCua%02d.col", number);
        LoadCellGrid(HeightGrid, "%sBIN\\TCuadran%02d.Alt", "%sBIN\\OffCuadr%02d.Alt", number);
        LoadCellGrid(ZoneGrid, "%sBIN\\TCuadran%02d.Caj", "%sBIN\\OffCuadr%02d.Caj", number);
        CheckCellGrid(CollisionGrid, ValidCollisionEntry);
        CheckCellGrid(HeightGrid, ValidHeightEntry);
        CheckCellGrid(ZoneGrid, ValidZoneEntry);

        // The section file is read as the tracks ship it, then rebuilt from
        // the zones and the world object.
        char path[256];
        TrackFilePath(path, sizeof path, "%sBIN\\Mundo%02d.TNT", number);
        ReadWholeFile(path, &WorldSectionTable, sizeof WorldSectionTable);
        BuildDrawTrace();
    }
    // The current car's engine sound starts the new track with its throttle
    // state cleared, as if the pedal had never been touched.
    ThrottleReleaseLatch[LocalCar] = ThrottleSoundState[LocalCar] = 0;
    ComputeWallNormals();
}

void LoadTrackLighting() {
    for (Light& light : LightTable)
        light = {-1.0f, 0.0f, 0.0f, 0.1f};
    const int number = TrackGroup < 1 ? 1 : TrackGroup;
    char path[256];
    TrackFilePath(path, sizeof path, "%sBIN\\Ilumina%d.dat", number);
    ReadWholeFile(path, LightTable, sizeof LightTable);
    LightCount = LIGHT_CAPACITY;
    for (int i = 0; i < LIGHT_CAPACITY; i++) {
        if (LightTable[i].x == -1.0f) {
            LightCount = i;
            break;
        }
    }
    if (FrontEndActive == 0) {
        TrackFilePath(path, sizeof path, "%sBIN\\GouMun%02d.dat", number);
        ReadWholeFile(path, WorldShadeTable, sizeof WorldShadeTable);
        TrackFilePath(path, sizeof path, "%sBIN\\GouCoh%02d.dat", number);
        ReadWholeFile(path, CarShadeTable, sizeof CarShadeTable);
    }
}
