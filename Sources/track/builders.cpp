#include "track/builders.h"

#include <cmath>
#include <cstdio>

#include "frame/fileio.h"
#include "race/race_state.h"
#include "render/objects.h"
#include "render/render_state.h"
#include "track/asset_paths.h"
#include "track/editors.h"
#include "track/ground.h"
#include "track/track_files.h"
#include "track/track_state.h"
#include "track/zones.h"

// Range multipliers by track group (index 0 unused).
const float LightRangeScale[8] = {1.0f, 1.0f, 0.889f, 0.88f, 1.4f, 2.0f, 1.0f, 1.0f};
const float CarShadeRangeScale[8] = {1.0f, 1.0f, 0.889f, 0.88f, 1.3f, 2.0f, 1.0f, 1.0f};

static int GroupIndex() { return TrackGroup >= 1 && TrackGroup <= 7 ? TrackGroup : 1; }

static const ObjectEntry& WorldObject() {
    char name[32];
    snprintf(name, sizeof name, "MUNDO%02d", TrackGroup);
    return ObjectEntries[FindObject(name)];
}

// ---------------------------------------------------------------------------
// Filling a cell-list grid: each cell's entries and a -1, cells in row-major
// order, then the offsets from one pass over the lists.

struct GridFill {
    CellListGrid* grid;
    int cells;
    int cell;
    int dropped;
};

static GridFill BeginGridFill(CellListGrid& grid, int columns, int rows) {
    grid.columns = columns;
    grid.rows = rows;
    grid.listCount = 0;
    grid.rejectedCells = 0;
    return {&grid, columns * rows, 0, 0};
}

// An entry that would leave no room for the -1 of this cell and of every
// cell after it is dropped (and counted).
static void AddEntry(GridFill& fill, int entry) {
    CellListGrid& grid = *fill.grid;
    if (grid.listCount + 1 + (fill.cells - fill.cell) > grid.listCapacity) {
        fill.dropped++;
        return;
    }
    grid.lists[grid.listCount++] = entry;
}

static void EndCell(GridFill& fill) {
    fill.grid->lists[fill.grid->listCount++] = -1;
    fill.cell++;
    BuilderProgress++;
}

static void FinishGridFill(GridFill& fill, const char* what) {
    CellListGrid& grid = *fill.grid;
    grid.lists[grid.listCount] = -1;
    int cell = 0, start = 0;
    for (int i = 0; i < grid.listCount; i++) {
        if (grid.lists[i] == -1) {
            grid.offsets[cell++] = start;
            start = i + 1;
        }
    }
    if (fill.dropped) {
        char line[160];
        snprintf(line, sizeof line, "%s: lists full, %d entries left out", what, fill.dropped);
        DebugLogText(line);
    }
}

static void WriteGrid(const CellListGrid& grid, const char* offsetsPattern, const char* listsPattern) {
    char path[256];
    TrackFilePath(path, sizeof path, offsetsPattern, TrackGroup);
    WriteWholeFile(path, grid.columns * grid.rows * (int)sizeof(int), grid.offsets);
    TrackFilePath(path, sizeof path, listsPattern, TrackGroup);
    WriteWholeFile(path, grid.listCount * (int)sizeof(int), grid.lists);
}

// Squared distance from a value to a closed range (0 inside it).
static double GapSquared(double v, double low, double high) {
    const double gap = v < low ? low - v : (v > high ? v - high : 0.0);
    return gap * gap;
}

// ---------------------------------------------------------------------------
// Collision grid.

int SegmentNearPoint(int x1, int z1, int x2, int z2, int px, int pz, int limit) {
    // Walk with z increasing.
    if ((x1 > x2 && z1 >= z2) || (x1 <= x2 && z1 > z2)) {
        const int tx = x1, tz = z1;
        x1 = x2;
        z1 = z2;
        x2 = tx;
        z2 = tz;
    }
    int64_t dx = (int64_t)x2 - x1;
    const int64_t dz = (int64_t)z2 - z1;
    int64_t stepX = 1;
    if (dx < 0) {
        dx = -dx;
        stepX = -1;
    }
    const int xMajor = dx >= dz;
    const int64_t major = xMajor ? dx : dz;
    const int64_t minor = xMajor ? dz : dx;
    int64_t error = 2 * minor - major;
    int64_t x = x1, z = z1;
    int counter = 99;
    for (int64_t step = 0; step < major; step++) {
        if (++counter == 100) {
            counter = 0;
            const double ex = (double)px - (double)x;
            const double ez = (double)pz - (double)z;
            // trunc(d) < limit is d < limit for a whole limit.
            if (ex * ex + ez * ez < (double)limit)
                return 1;
        }
        if (xMajor)
            x += stepX;
        else
            z += 1;
        if (error >= 0) {
            if (xMajor)
                z += 1;
            else
                x += stepX;
            error += 2 * (minor - major);
        } else {
            error += 2 * minor;
        }
    }
    return -1;
}

static int LineEnds[COLLISION_LINE_CAPACITY][4];
static_assert((int)TRIANGLE_POOL_SIZE >= (int)COLLISION_LINE_CAPACITY, "the row scratch serves both");
static int RowItems[TRIANGLE_POOL_SIZE];

void FillCollisionGrid() {
    const int columns = CollisionGridColumns(TrackGroup);
    const int lines = CollisionLineCount();
    const int limit = 562500;   // 750 squared
    for (int i = 0; i < lines; i++) {
        const CollisionLine& line = CollisionLineTable[i];
        LineEnds[i][0] = TrackRound(line.x1);
        LineEnds[i][1] = TrackRound(line.z1);
        LineEnds[i][2] = TrackRound(line.x2);
        LineEnds[i][3] = TrackRound(line.z2);
    }
    GridFill fill = BeginGridFill(CollisionGrid, columns, COLLISION_GRID_ROWS);
    for (int row = 0; row < COLLISION_GRID_ROWS; row++) {
        const double cz = row * COLLISION_CELL_SIZE + 375;
        // The walk only visits points inside a line's bounding box: a line
        // whose box lies 750 or more from every centre of the row is never
        // listed on it.
        int candidates = 0;
        for (int i = 0; i < lines; i++) {
            const int* e = LineEnds[i];
            if (GapSquared(cz, e[1] < e[3] ? e[1] : e[3], e[1] < e[3] ? e[3] : e[1]) < limit)
                RowItems[candidates++] = i;
        }
        for (int column = 0; column < columns; column++) {
            const int cx = column * COLLISION_CELL_SIZE + 375;
            for (int c = 0; c < candidates; c++) {
                const int* e = LineEnds[RowItems[c]];
                const double gap = GapSquared(cx, e[0] < e[2] ? e[0] : e[2], e[0] < e[2] ? e[2] : e[0]) +
                                   GapSquared(cz, e[1] < e[3] ? e[1] : e[3], e[1] < e[3] ? e[3] : e[1]);
                if (gap >= limit)
                    continue;
                if (SegmentNearPoint(e[0], e[1], e[2], e[3], cx, (int)cz, limit) == 1)
                    AddEntry(fill, RowItems[c]);
            }
            EndCell(fill);
        }
        EditorBeep();
    }
    FinishGridFill(fill, "Collision grid");
}

void BuildCollisionGrid() {
    FillCollisionGrid();
    WriteGrid(CollisionGrid, "%sBIN\\OffCua%02d.col", "%sBIN\\TCuadr%02d.col");
    char path[256];
    TrackFilePath(path, sizeof path, "%sBIN\\coli%02d.ppp", TrackGroup);
    WriteWholeFile(path, CollisionLineCount() * (int)sizeof(CollisionLine), CollisionLineTable);
}

// ---------------------------------------------------------------------------
// Height grid.

static float TrianglePlan[TRIANGLE_POOL_SIZE][6];   // x0, z0, x1, z1, x2, z2
static float TriangleBox[TRIANGLE_POOL_SIZE][4];    // min x, max x, min z, max z

static int PlanHolds(const float* plan, double x, double z) {
    int inside = 0;
    for (int i = 0, j = 2; i < 3; j = i++) {
        const double xi = plan[2 * i], zi = plan[2 * i + 1], xj = plan[2 * j], zj = plan[2 * j + 1];
        if ((zi <= z && z < zj) || (zj <= z && z < zi)) {
            if (x < xi + (xj - xi) * (z - zi) / (zj - zi))
                inside ^= 1;
        }
    }
    return inside;
}

void FillHeightGrid() {
    // The world is the first object loaded: its triangles start the pool.
    int count = WorldObject().triangleCount;
    if (count > TriangleTotal)
        count = TriangleTotal;
    int ground = 0;
    for (int t = 0; t < count; t++) {
        if (!(TrianglePool[t].texture & 0x20000000u))
            continue;
        float* plan = TrianglePlan[t];
        for (int k = 0; k < 3; k++) {
            const ObjectVertex& v = VertexPool[TrianglePool[t].corner[k] & 0xFFFFu];
            plan[2 * k] = v.x;
            plan[2 * k + 1] = v.z;
        }
        float* box = TriangleBox[t];
        box[0] = fminf(plan[0], fminf(plan[2], plan[4]));
        box[1] = fmaxf(plan[0], fmaxf(plan[2], plan[4]));
        box[2] = fminf(plan[1], fminf(plan[3], plan[5]));
        box[3] = fmaxf(plan[1], fmaxf(plan[3], plan[5]));
        RowItems[ground++] = t;
    }
    // The distance to a triangle's edges is never below the distance to its
    // box; the one-unit margin covers the float rounding of the distance.
    const double reach = 1001.0 * 1001.0;

    static int rowTriangles[TRIANGLE_POOL_SIZE];
    GridFill fill = BeginGridFill(HeightGrid, HEIGHT_GRID_COLUMNS, HEIGHT_GRID_ROWS);
    for (int row = 0; row < HEIGHT_GRID_ROWS; row++) {
        const float cz = 500.0f + HEIGHT_CELL_SIZE * row;
        int candidates = 0;
        for (int g = 0; g < ground; g++) {
            const float* box = TriangleBox[RowItems[g]];
            if (GapSquared(cz, box[2], box[3]) <= reach)
                rowTriangles[candidates++] = RowItems[g];
        }
        for (int column = 0; column < HEIGHT_GRID_COLUMNS; column++) {
            const float cx = 500.0f + HEIGHT_CELL_SIZE * column;
            for (int c = 0; c < candidates; c++) {
                const int t = rowTriangles[c];
                const float* box = TriangleBox[t];
                if (GapSquared(cx, box[0], box[1]) + GapSquared(cz, box[2], box[3]) > reach)
                    continue;
                const float* plan = TrianglePlan[t];
                const float xs[3] = {plan[0], plan[2], plan[4]};
                const float zs[3] = {plan[1], plan[3], plan[5]};
                // A large triangle that covers the centre with every edge
                // far away is listed too, so it leaves no hole in the ground.
                if (PolygonPointDistance(xs, zs, cx, cz, 3) <= 1000.0f || PlanHolds(plan, cx, cz))
                    AddEntry(fill, t * 4);
            }
            EndCell(fill);
        }
        EditorClickSound();
    }
    FinishGridFill(fill, "Height grid");
}

void BuildHeightGrid() {
    FillHeightGrid();
    WriteGrid(HeightGrid, "%sBIN\\OffCuadr%02d.Alt", "%sBIN\\TCuadran%02d.Alt");
}

// ---------------------------------------------------------------------------
// Zone grid.

// Samples per axis at 1/8 scale: from 375 below the cell's centre in steps
// of 5.  126 samples reach 250 above it, the cell's far edge: with 120 the
// last 240 units of the cell were never sampled and zones there went
// missing from the cell.
static const int ZoneSamples = 126;

static int ZoneXs[ZONE_LAST_SURFACE + 1][ZONE_MAX_VERTICES + 1];
static int ZoneZs[ZONE_LAST_SURFACE + 1][ZONE_MAX_VERTICES + 1];
static int ZoneBox[ZONE_LAST_SURFACE + 1][4];

void FillZoneGrid() {
    int last = LastTypedZone;
    if (last > ZONE_LAST_SURFACE)
        last = ZONE_LAST_SURFACE;
    for (int zone = 0; zone <= last; zone++) {
        const ZoneRecord& record = ZoneTable.records[zone];
        const int n = ZoneVertexCount(record);
        for (int k = 0; k <= n; k++) {
            const ZoneVertex& v = record.vertices[k == n ? 0 : k];
            ZoneXs[zone][k] = v.x >> 3;
            ZoneZs[zone][k] = v.z >> 3;
        }
        int* box = ZoneBox[zone];
        box[0] = box[2] = INT32_MAX;
        box[1] = box[3] = INT32_MIN;
        for (int k = 0; k < n; k++) {
            box[0] = ZoneXs[zone][k] < box[0] ? ZoneXs[zone][k] : box[0];
            box[1] = ZoneXs[zone][k] > box[1] ? ZoneXs[zone][k] : box[1];
            box[2] = ZoneZs[zone][k] < box[2] ? ZoneZs[zone][k] : box[2];
            box[3] = ZoneZs[zone][k] > box[3] ? ZoneZs[zone][k] : box[3];
        }
    }

    GridFill fill = BeginGridFill(ZoneGrid, ZONE_GRID_COLUMNS, ZONE_GRID_ROWS);
    for (int row = 0; row < ZONE_GRID_ROWS; row++) {
        const int z0 = (2000 + ZONE_CELL_SIZE * row) / 8 - 375;
        for (int column = 0; column < ZONE_GRID_COLUMNS; column++) {
            const int x0 = (2000 + ZONE_CELL_SIZE * column) / 8 - 375;
            for (int zone = 0; zone <= last; zone++) {
                const int n = ZoneVertexCount(ZoneTable.records[zone]);
                if (n < 3)
                    continue;
                // No point outside a zone's box is inside it: only the
                // samples within the box are tried.
                const int* box = ZoneBox[zone];
                int iFirst = box[0] > x0 ? (box[0] - x0 + 4) / 5 : 0;
                int iLast = box[1] >= x0 ? (box[1] - x0) / 5 : -1;
                int jFirst = box[2] > z0 ? (box[2] - z0 + 4) / 5 : 0;
                int jLast = box[3] >= z0 ? (box[3] - z0) / 5 : -1;
                if (iLast > ZoneSamples - 1)
                    iLast = ZoneSamples - 1;
                if (jLast > ZoneSamples - 1)
                    jLast = ZoneSamples - 1;
                int found = 0;
                for (int j = jFirst; j <= jLast && !found; j++) {
                    for (int i = iFirst; i <= iLast; i++) {
                        if (PointInPolygon(n + 1, ZoneXs[zone], ZoneZs[zone], x0 + 5 * i, z0 + 5 * j)) {
                            found = 1;
                            break;
                        }
                    }
                }
                if (found)
                    AddEntry(fill, zone);
            }
            EndCell(fill);
        }
    }
    FinishGridFill(fill, "Zone grid");
}

void BuildZoneGrid() {
    FillZoneGrid();
    WriteGrid(ZoneGrid, "%sBIN\\OffCuadr%02d.Caj", "%sBIN\\TCuadran%02d.Caj");
}

// ---------------------------------------------------------------------------
// Shading.

static int LightsUsed() {
    if (LightCount < 1)
        return 1;   // the first light record serves even when none is listed
    return LightCount > LIGHT_CAPACITY ? LIGHT_CAPACITY : LightCount;
}

// Shading is single-precision like the rest of the geometry.
static float LightDistance(const Light& light, float x, float y, float z) {
    const float dx = x - light.x, dy = y - light.y, dz = z - light.z;
    return sqrtf(dx * dx + dy * dy + dz * dz);
}

static uint8_t ClampByte(int v) { return (uint8_t)(v < 0 ? 0 : (v > 255 ? 255 : v)); }

static int TruncateShade(double v) {
    if (!(v > -1.0e9 && v < 1.0e9))
        return v > 0 ? 255 : 0;
    return (int)v;
}

int FillWorldShadeTable() {
    int entries = WorldSectionTable.header[WORLD_SECTION_TOTAL_INT];
    if (entries < 0)
        entries = 0;
    if (entries > WORLD_SECTION_CAPACITY)
        entries = WORLD_SECTION_CAPACITY;
    const float scale = LightRangeScale[GroupIndex()];
    const int lights = LightsUsed();
    for (int n = 0; n < entries; n++) {
        const WorldSection& entry = WorldSectionTable.entries[n];
        uint8_t* out = &WorldShadeTable[WORLD_SECTION_HEADER_INTS + WORLD_SECTION_ENTRY_INTS * n];
        for (int k = 0; k < 3; k++) {
            int vertex = entry.vertex[k] / 5;
            if (vertex < 0 || vertex >= VERTEX_POOL_SIZE)
                vertex = 0;
            const ObjectVertex& v = VertexPool[vertex];
            int shade = 255;
            int colour = 0;
            for (int i = 0; i < lights; i++) {
                const Light& light = LightTable[i];
                const float d = LightDistance(light, v.x, v.y, v.z);
                const int candidate = TruncateShade(light.range * scale * d);
                if (candidate < shade)
                    shade = candidate;
                const int c = TruncateShade(d * LightColourTable[i].alcanceRGB);
                colour = TruncateShade(colour + 0.5f * (float)(c < 0 ? -c : 0));
            }
            out[4 * k] = ClampByte(shade);
            out[4 * k + 1] = ClampByte(colour);
            out[4 * k + 2] = ClampByte(colour);
            out[4 * k + 3] = ClampByte(colour);
        }
    }
    return WORLD_SECTION_HEADER_INTS + WORLD_SECTION_ENTRY_INTS * entries;
}

void BuildWorldShadeFile() {
    const int bytes = FillWorldShadeTable();
    char path[256];
    TrackFilePath(path, sizeof path, "%sBIN\\GouMun%02d.dat", TrackGroup);
    WriteWholeFile(path, bytes, WorldShadeTable);
}

void ShadeProbe(int triangle, uint8_t shades[3]) {
    const float scale = CarShadeRangeScale[GroupIndex()];
    const int lights = LightsUsed();
    for (int k = 0; k < 3; k++) {
        shades[k] = 255;
        if (triangle < 0 || triangle >= TRIANGLE_POOL_SIZE)
            continue;
        const uint32_t vertex = TrianglePool[triangle].corner[k] & 0xFFFFu;
        // A record past the loaded triangles may name a vertex beyond the
        // pool: it is left unlit.
        if (vertex >= (uint32_t)VERTEX_POOL_SIZE)
            continue;
        const ObjectVertex& v = VertexPool[vertex];
        int shade = 255;
        for (int i = 0; i < lights; i++) {
            const float d = LightDistance(LightTable[i], v.x, v.y, v.z);
            const int candidate = TruncateShade(LightTable[i].range * scale * d);
            if (candidate < shade)
                shade = candidate;
        }
        shades[k] = ClampByte(shade);
    }
}

int FillCarShadeTable() {
    const int first = WorldObject().triangleOffset / (int)sizeof(ObjectTriangle);
    int end = first + CAR_SHADE_TRIANGLES_BUILT;
    if (end > TRIANGLE_POOL_SIZE)
        end = TRIANGLE_POOL_SIZE;
    for (int t = first; t < end; t++)
        ShadeProbe(t, &CarShadeTable[4 * t]);
    // Through the third corner byte of the last triangle.
    return end > first ? 4 * end - 1 : 0;
}

void BuildCarShadeFile() {
    const int bytes = FillCarShadeTable();
    char path[256];
    TrackFilePath(path, sizeof path, "%sBIN\\GouCoh%02d.dat", TrackGroup);
    WriteWholeFile(path, bytes, CarShadeTable);
}
