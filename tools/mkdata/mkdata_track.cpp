// The circuits of the game folder.
//
// A circuit is built straight into the game's own tables (zones, walls,
// driving lines, lights, and the world object in the pools); then the
// game's builders make the world sections, the three grids and the two
// shading tables, and every table is written as the file the game reads.

#include "mkdata_track.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "mkdata.h"
#include "mkdata_objects.h"
#include "mkdata_track_art.h"
#include "race/race_state.h"
#include "render/objects.h"
#include "render/render_state.h"
#include "track/asset_paths.h"
#include "track/builders.h"
#include "track/track_files.h"
#include "track/track_state.h"
#include "track/zones.h"

void MkSetRoot(const std::string& root);

namespace {

const double Pi = 3.14159265358979323846;

// Group 1's animated board textures: 20 (20, 70, 71, 72), 21 (21, 74),
// 23 (23, 75).
enum {
    TEX_FLAG_A = 20,
    TEX_FLAG_B = 21,
    TEX_SIGN = 23,
};
const uint32_t GroundFlags = 0x2000;   // texture word 0x20000000: listed in the height grid

const int SegmentLength = 2500;        // keeps ground triangles well inside one height cell's reach
const int SurfaceZoneSegments = 4;     // segments per surface zone
const int VisibilitySegments = 15;     // 2 x 16 vertices: a zone's most
const int VisibilityListMax = 10;      // ids the world drawing reads
const float ZoneMargin = 300.0f;       // visibility and checkpoint zones reach past the walls
const float CheckpointDepth = 3000.0f;
const double LinePointSpacing = 2000.0;

double RightX(double heading) { return cos(heading); }
double RightZ(double heading) { return -sin(heading); }

double WrapAngle(double a) {
    while (a > Pi)
        a -= 2 * Pi;
    while (a <= -Pi)
        a += 2 * Pi;
    return a;
}

// The stadium of the older fields: two straights of straightBehind +
// straightAhead joined by half circles.
std::vector<MkCorner> StadiumCorners(const MkCircuitParams& p) {
    const double dx = sin(p.heading), dz = cos(p.heading);
    const double rx = RightX(p.heading), rz = RightZ(p.heading);
    const double sign = p.turn >= 0 ? 1.0 : -1.0, R = p.radius;
    const double sx = -(p.straightBehind + R) * dx, sz = -(p.straightBehind + R) * dz;
    const double ex = (p.straightAhead + R) * dx, ez = (p.straightAhead + R) * dz;
    const double ox = 2 * R * sign * rx, oz = 2 * R * sign * rz;
    const float r = p.radius;
    return {{(float)sx, (float)sz, r},
            {(float)ex, (float)ez, r},
            {(float)(ex + ox), (float)(ez + oz), r, p.hill},
            {(float)(sx + ox), (float)(sz + oz), r}};
}

// A point beside ring i, `offset` along its right vector, rounded to whole
// units (the queries round corners, so the data holds them whole).
void RingPoint(const MkRing& ring, double offset, double* x, double* z) {
    *x = nearbyint(ring.x + offset * RightX(ring.heading));
    *z = nearbyint(ring.z + offset * RightZ(ring.heading));
}

// The loop turns right (+1) or left (-1) as a whole.
int LoopSign(const MkPath& path) {
    const double turned = path.rings.back().heading - path.rings.front().heading;
    return turned >= 0 ? 1 : -1;
}

bool FitsGrids(const MkCircuitParams& p, const MkPath& path) {
    const double reach = p.roadHalfWidth + p.vergeWidth + ZoneMargin + 1000.0;
    const double maxX = CollisionGridColumns(p.group) * (double)(int)COLLISION_CELL_SIZE;
    const double maxZ = (double)HEIGHT_GRID_ROWS * (double)HEIGHT_CELL_SIZE;
    for (const MkRing& ring : path.rings) {
        for (double side : {-reach, reach}) {
            double x, z;
            RingPoint(ring, side, &x, &z);
            if (x < 1000.0 || x > maxX || z < 1000.0 || z > maxZ)
                return false;
        }
    }
    return true;
}

// ---------------------------------------------------------------------------
// The world object.

// A triangle wound so that it faces `view`: the drawing keeps a triangle
// whose corner normal (b - a) x (c - a) points away from the eye.  Each
// corner names its position vertex and its texture-coordinate vertex.
struct Corner {
    int position, uv;
};

int AddUvVertex(MkObject& world, double x, double y, double z, float u, float v) {
    world.vertices.push_back({(float)x, (float)y, (float)z, u, v});
    return (int)world.vertices.size() - 1;
}

void AddTriangle(MkObject& world, Corner a, Corner b, Corner c, const double view[3], uint32_t textureWord) {
    const ObjectVertex& A = world.vertices[a.position];
    const ObjectVertex& B = world.vertices[b.position];
    const ObjectVertex& C = world.vertices[c.position];
    const double ux = B.x - A.x, uy = B.y - A.y, uz = B.z - A.z;
    const double wx = C.x - A.x, wy = C.y - A.y, wz = C.z - A.z;
    const double nx = uy * wz - uz * wy, ny = uz * wx - ux * wz, nz = ux * wy - uy * wx;
    if (nx * view[0] + ny * view[1] + nz * view[2] > 0) {
        const Corner t = b;
        b = c;
        c = t;
    }
    world.triangles.push_back({{MakeCorner((uint32_t)a.position, (uint32_t)a.uv),
                                MakeCorner((uint32_t)b.position, (uint32_t)b.uv),
                                MakeCorner((uint32_t)c.position, (uint32_t)c.uv)},
                               textureWord});
}

// Each ring has six ground points (left verge edge, road edge, two lane
// lines, road edge, right verge edge) and the two wall tops.
enum { RING_POINTS = 8, LEFT_TOP = 6, RIGHT_TOP = 7 };

void LateralOffsets(const MkCircuitParams& p, double offsets[6]) {
    const double W = p.roadHalfWidth, V = p.vergeWidth;
    const double values[6] = {-(W + V), -W, -W / 3, W / 3, W, W + V};
    memcpy(offsets, values, sizeof values);
}

// Boards behind the walls of the start straight, ahead of the grid: their
// textures (flags and signs) are the animated ones of track group 1.
void AddBoards(const MkCircuitParams& p, const MkPath& path, MkObject& world) {
    struct Board {
        double ahead;   // from the grid point
        int side;
        uint32_t texture;
    };
    static const Board boards[] = {{3500, -1, TEX_FLAG_A},  {8500, -1, TEX_FLAG_B},  {13500, -1, TEX_SIGN},
                                   {6000, 1, TEX_SIGN},     {11000, 1, TEX_FLAG_A},  {16000, 1, TEX_FLAG_B}};
    const double offset = p.roadHalfWidth + p.vergeWidth + 150.0;
    for (const Board& board : boards) {
        const int i = MkRingAt(path, path.gridS + board.ahead);
        if (i + 1 >= path.segments || path.rings[i].bend >= 0 || path.rings[i + 1].bend >= 0)
            continue;
        const MkRing& near = path.rings[i];
        const MkRing& far = path.rings[i + 1];
        double x0, z0, x1, z1;
        RingPoint(near, board.side * offset, &x0, &z0);
        RingPoint(far, board.side * offset, &x1, &z1);
        const double bottom = nearbyint(near.y) + 400.0, top = bottom + 1500.0;
        const int corners[4] = {MkAddVertex(world, x0, top, z0), MkAddVertex(world, x1, top, z1),
                                MkAddVertex(world, x1, bottom, z1), MkAddVertex(world, x0, bottom, z0)};
        // The board faces the road.
        const double toRoad[3] = {-board.side * RightX(near.heading), 0.0, -board.side * RightZ(near.heading)};
        MkAddQuad(world, corners, toRoad, MakeTextureWord(board.texture, 0));
    }
}

int InStretch(const MkPath& path, const MkRing& ring, float from, float to) {
    if (from < 0.0f || to <= from)
        return 0;
    double s = ring.s - path.gridS;
    if (s < 0)
        s += path.length;
    return s >= from && s < to;
}

// The ceiling and upper walls of a covered stretch, seen from the road.
void AddTunnel(const MkCircuitParams& p, const MkPath& path, MkObject& world, uint32_t texture) {
    const double half = p.roadHalfWidth + p.vergeWidth;
    for (int i = 0; i < path.segments; i++) {
        const MkRing& a = path.rings[i];
        const MkRing& b = path.rings[i + 1];
        if (!InStretch(path, a, p.lightsFrom, p.lightsTo))
            continue;
        double ax0, az0, ax1, az1, bx0, bz0, bx1, bz1;
        RingPoint(a, -half, &ax0, &az0);
        RingPoint(a, half, &ax1, &az1);
        RingPoint(b, -half, &bx0, &bz0);
        RingPoint(b, half, &bx1, &bz1);
        const double wall = p.wallHeight, roof = 1800.0;
        const double ya = nearbyint(a.y), yb = nearbyint(b.y);
        const int ceiling[4] = {MkAddVertex(world, ax0, ya + roof, az0), MkAddVertex(world, ax1, ya + roof, az1),
                                MkAddVertex(world, bx1, yb + roof, bz1), MkAddVertex(world, bx0, yb + roof, bz0)};
        const double down[3] = {0.0, -1.0, 0.0};
        MkAddQuad(world, ceiling, down, MakeTextureWord(texture, 0));
        const double toRight[3] = {RightX(a.heading), 0.0, RightZ(a.heading)};
        const double toLeft[3] = {-toRight[0], 0.0, -toRight[2]};
        const int left[4] = {MkAddVertex(world, ax0, ya + wall, az0), MkAddVertex(world, ax0, ya + roof, az0),
                             MkAddVertex(world, bx0, yb + roof, bz0), MkAddVertex(world, bx0, yb + wall, bz0)};
        const int right[4] = {MkAddVertex(world, ax1, ya + wall, az1), MkAddVertex(world, ax1, ya + roof, az1),
                              MkAddVertex(world, bx1, yb + roof, bz1), MkAddVertex(world, bx1, yb + wall, bz1)};
        MkAddQuad(world, left, toRight, MakeTextureWord(texture, 0));
        MkAddQuad(world, right, toLeft, MakeTextureWord(texture, 0));
    }
}

// An arena's floor: tiles no larger than a road segment (so the height grid
// finds each under its cells) and a wall round it, facing in.
void AddFloor(const MkCircuitParams& p, MkObject& world, uint32_t texture) {
    const int columns = (int)ceil((p.floorX1 - p.floorX0) / SegmentLength);
    const int rows = (int)ceil((p.floorZ1 - p.floorZ0) / SegmentLength);
    const double y = nearbyint(p.groundY), up[3] = {0.0, 1.0, 0.0};
    auto X = [&](int c) { return nearbyint(p.floorX0 + (p.floorX1 - p.floorX0) * c / columns); };
    auto Z = [&](int r) { return nearbyint(p.floorZ0 + (p.floorZ1 - p.floorZ0) * r / rows); };
    for (int r = 0; r < rows; r++)
        for (int c = 0; c < columns; c++) {
            const int q[4] = {MkAddVertex(world, X(c), y, Z(r)), MkAddVertex(world, X(c + 1), y, Z(r)),
                              MkAddVertex(world, X(c + 1), y, Z(r + 1)), MkAddVertex(world, X(c), y, Z(r + 1))};
            MkAddQuad(world, q, up, MakeTextureWord(texture, GroundFlags));
        }
    const double cx = (p.floorX0 + p.floorX1) * 0.5, cz = (p.floorZ0 + p.floorZ1) * 0.5;
    const double corners[5][2] = {{p.floorX0, p.floorZ0}, {p.floorX1, p.floorZ0}, {p.floorX1, p.floorZ1},
                                  {p.floorX0, p.floorZ1}, {p.floorX0, p.floorZ0}};
    const uint32_t wall = MakeTextureWord((uint32_t)MkTexturesOf(p.group).wall, 0);
    for (int k = 0; k < 4; k++) {
        const double in[3] = {cx - (corners[k][0] + corners[k + 1][0]) * 0.5, 0.0,
                              cz - (corners[k][1] + corners[k + 1][1]) * 0.5};
        const int q[4] = {MkAddVertex(world, corners[k][0], y, corners[k][1]),
                          MkAddVertex(world, corners[k + 1][0], y, corners[k + 1][1]),
                          MkAddVertex(world, corners[k + 1][0], y + 1500.0, corners[k + 1][1]),
                          MkAddVertex(world, corners[k][0], y + 1500.0, corners[k][1])};
        MkAddQuad(world, q, in, wall);
    }
}

void BuildWorld(const MkCircuitParams& p, const MkPath& path, double finishStart, double finishEnd,
                MkObject& world) {
    const MkGroupTextures& tex = MkTexturesOf(p.group);
    world.vertices.clear();
    world.triangles.clear();
    world.normals.clear();
    double offsets[6];
    LateralOffsets(p, offsets);
    for (const MkRing& ring : path.rings) {
        for (int k = 0; k < 6; k++) {
            double x, z;
            RingPoint(ring, offsets[k], &x, &z);
            MkAddVertex(world, x, nearbyint(ring.y), z);
        }
        for (int k : {0, 5}) {
            double x, z;
            RingPoint(ring, offsets[k], &x, &z);
            MkAddVertex(world, x, nearbyint(ring.y) + p.wallHeight, z);
        }
    }
    const double up[3] = {0.0, 1.0, 0.0};
    for (int i = 0; i < path.segments; i++) {
        const MkRing& ring = path.rings[i];
        const int a = i * RING_POINTS, b = (i + 1) * RING_POINTS;
        const int finish = ring.s >= finishStart && ring.s < finishEnd;
        // Each strip of the segment carries its texture once: u across the
        // strip, v along the segment.
        for (int j = 0; j < 5; j++) {
            const int verge = j == 0 || j == 4;
            const int texture = verge ? tex.verge : (finish ? tex.finish : tex.road);
            const int strip[4] = {a + j, a + j + 1, b + j + 1, b + j};
            MkAddQuad(world, strip, up, MakeTextureWord((uint32_t)texture, GroundFlags));
        }
        // Walls face the road: the left one looks along the right vector.
        // Their texture runs from the foot (u 0) to the rail at the top.
        const double toRight[3] = {RightX(ring.heading), 0.0, RightZ(ring.heading)};
        const double toLeft[3] = {-toRight[0], 0.0, -toRight[2]};
        const uint32_t wall = MakeTextureWord((uint32_t)(ring.bend >= 0 ? tex.bendWall : tex.wall), 0);
        const int left[4] = {a + 0, a + LEFT_TOP, b + LEFT_TOP, b + 0};
        const int right[4] = {a + 5, a + RIGHT_TOP, b + RIGHT_TOP, b + 5};
        MkAddQuad(world, left, toRight, wall);
        MkAddQuad(world, right, toLeft, wall);
    }
    if (p.floorX1 > p.floorX0)
        AddFloor(p, world, (uint32_t)tex.road);
    if (p.group == 1)
        AddBoards(p, path, world);
    AddTunnel(p, path, world, (uint32_t)tex.roof);
}

// ---------------------------------------------------------------------------
// Walls, zones, lines and lights.

// The arena's walls: the floor's edge in pieces of a segment's length,
// each facing the floor (its normal (-dz, dx) points inside).
int FloorWalls(const MkCircuitParams& p) {
    const double corners[5][2] = {{p.floorX0, p.floorZ0}, {p.floorX1, p.floorZ0}, {p.floorX1, p.floorZ1},
                                  {p.floorX0, p.floorZ1}, {p.floorX0, p.floorZ0}};
    int count = 0;
    for (int k = 0; k < 4; k++) {
        const double dx = corners[k + 1][0] - corners[k][0], dz = corners[k + 1][1] - corners[k][1];
        const int pieces = (int)ceil(hypot(dx, dz) / SegmentLength);
        for (int i = 0; i < pieces && count < COLLISION_LINE_CAPACITY; i++) {
            CollisionLine line = {};
            line.x1 = (float)nearbyint(corners[k][0] + dx * i / pieces);
            line.z1 = (float)nearbyint(corners[k][1] + dz * i / pieces);
            line.x2 = (float)nearbyint(corners[k][0] + dx * (i + 1) / pieces);
            line.z2 = (float)nearbyint(corners[k][1] + dz * (i + 1) / pieces);
            line.y1 = line.y2 = (float)nearbyint(p.groundY);
            CollisionLineTable[count++] = line;
        }
    }
    return count;
}

void BuildWalls(const MkCircuitParams& p, const MkPath& path, const MkObject& world) {
    int count = 0;
    if (p.floorX1 > p.floorX0)
        count = FloorWalls(p);
    for (int i = 0; i < path.segments && count + 2 <= COLLISION_LINE_CAPACITY && !(p.floorX1 > p.floorX0); i++) {
        const ObjectVertex* now = &world.vertices[i * RING_POINTS];
        const ObjectVertex* next = &world.vertices[(i + 1) * RING_POINTS];
        // Right wall along the driving direction, left wall against it: the
        // normal (-dz, dx) of each then points at the road.
        CollisionLine right = {};
        right.x1 = now[5].x, right.y1 = now[5].y, right.z1 = now[5].z;
        right.x2 = next[5].x, right.y2 = next[5].y, right.z2 = next[5].z;
        CollisionLine left = {};
        left.x1 = next[0].x, left.y1 = next[0].y, left.z1 = next[0].z;
        left.x2 = now[0].x, left.y2 = now[0].y, left.z2 = now[0].z;
        // A jump's take-off edge is two rings at one place: no wall there.
        if (right.x1 == right.x2 && right.z1 == right.z2)
            continue;
        CollisionLineTable[count++] = right;
        CollisionLineTable[count++] = left;
    }
    if (p.reverseWall >= 0 && p.reverseWall < count) {
        CollisionLine& line = CollisionLineTable[p.reverseWall];
        CollisionLine reversed = line;
        reversed.x1 = line.x2, reversed.y1 = line.y2, reversed.z1 = line.z2;
        reversed.x2 = line.x1, reversed.y2 = line.y1, reversed.z2 = line.z1;
        line = reversed;
    }
    CollisionLineWords = count * 16;
    CollisionEditorWords[0] = CollisionEditorWords[1] = CollisionLineWords;
    ComputeWallNormals();
}

// Surface zones along the loop, `chunk` segments each; `zone` counts up.
// Each kind is a lateral band {inner, outer, type}.
struct Band {
    double inner, outer;
    int type;
};

bool SurfaceZones(const MkPath& path, const std::vector<Band>& bands, int& zone) {
    if (bands.empty())
        return true;
    int chunk = SurfaceZoneSegments;
    while ((int)bands.size() * ((path.segments + chunk - 1) / chunk) > ZONE_LAST_SURFACE + 1 - zone)
        chunk++;
    if (chunk > ZONE_MAX_VERTICES / 2 - 1)
        return false;
    for (int first = 0; first < path.segments; first += chunk) {
        const int last = first + chunk < path.segments ? first + chunk : path.segments;
        for (const Band& band : bands)
            MkStripZone(ZoneTable.records[zone++], path, first, last, band.inner, band.outer, band.type);
    }
    return true;
}

// Zones over the rings of a stretch (first to last distance from the
// grid), broken into pieces of at most 15 segments.
bool StretchZones(const MkPath& path, float from, float to, double inner, double outer, int type, int& zone) {
    if (from < 0.0f || to <= from)
        return true;
    int first = -1;
    for (int i = 0; i <= path.segments; i++) {
        const int inside = i < path.segments && InStretch(path, path.rings[i], from, to);
        if (inside && first < 0)
            first = i;
        const int end = first >= 0 && (!inside || i - first == ZONE_MAX_VERTICES / 2 - 1);
        if (end) {
            if (zone > ZONE_LAST_SURFACE)
                return false;
            MkStripZone(ZoneTable.records[zone++], path, first, i, inner, outer, type);
            first = inside ? i : -1;
        }
    }
    return true;
}

bool BuildZones(const MkCircuitParams& p, const MkPath& path, double finishS) {
    memset(&ZoneTable, 0, sizeof ZoneTable);
    for (ZoneRecord& zone : ZoneTable.records)
        zone.type = -1;   // untyped: left out of the zone grid and the sound bank's mask

    const double W = p.roadHalfWidth, V = p.vergeWidth;
    const double across = W + V + ZoneMargin;

    // The covered stretch and the water first, so the surface chunks take
    // what remains of the 95 surface zones.
    int zone = 0;
    const int outside = -LoopSign(path);
    if (!StretchZones(path, p.lightsFrom, p.lightsTo, -(W + V), W + V, 22, zone) ||   // CAJA_FAROS
        !StretchZones(path, p.waterFrom, p.waterTo, outside < 0 ? -(W + V) : W, outside < 0 ? -W : W + V, 6,
                      zone))   // CAJA_AGUA
        return false;
    // The jump: the ramp and the landing beyond its edge (CAJA_SALTO).
    if (path.lipS >= 0) {
        double from = path.lipS - p.rampLength - path.gridS, to = path.landingEnd - path.gridS;
        if (from < 0)
            from += path.length, to += path.length;
        if (!StretchZones(path, (float)from, (float)to, -(W + V), W + V, 20, zone))
            return false;
    }
    // The verges, and the road when it is not asphalt.  A point in no zone
    // reads as asphalt.
    std::vector<Band> bands;
    if (!(p.floorX1 > p.floorX0))
        bands = {{-(W + V), -W, p.vergeType}, {W, W + V, p.vergeType}};
    if (p.roadType)
        bands.push_back({-W, W, p.roadType});
    if (!SurfaceZones(path, bands, zone))
        return false;

    // Visibility zones: consecutive stretches; each lists itself first, then
    // the others nearest along the loop.
    const int sections = (path.segments + VisibilitySegments - 1) / VisibilitySegments;
    if (ZONE_FIRST_VISIBILITY + sections > ZONE_FIRST_CHECKPOINT)
        return false;
    for (int v = 0; v < sections; v++) {
        const int first = v * path.segments / sections;
        const int last = (v + 1) * path.segments / sections;
        ZoneRecord& record = ZoneTable.records[ZONE_FIRST_VISIBILITY + v];
        MkStripZone(record, path, first, last, -across, across, 0);
        int listed = 0;
        record.visibility[listed++] = ZONE_FIRST_VISIBILITY + v;
        for (int step = 1; listed < VisibilityListMax && step <= sections / 2; step++) {
            const int ahead = (v + step) % sections;
            const int behind = (v - step + sections) % sections;
            record.visibility[listed++] = ZONE_FIRST_VISIBILITY + ahead;
            if (behind != ahead && listed < VisibilityListMax)
                record.visibility[listed++] = ZONE_FIRST_VISIBILITY + behind;
        }
    }

    // Checkpoints in driving order from the finish line: three on a circuit
    // (the lap logic reads their types 0, 1, 2), six on the cross tracks.
    const int code = p.group * 10 + p.variant;
    const int checkpoints = (code == 62 || code == 65 || code == 68 || code == 69) ? 6 : 3;
    for (int k = 0; k < checkpoints; k++) {
        const double s = finishS + k * path.length / checkpoints;
        const int first = MkRingAt(path, s);
        int last = MkRingAt(path, s + CheckpointDepth);
        if (last <= first)
            last = first + 1;
        if (last - first > ZONE_MAX_VERTICES / 2 - 1)
            last = first + ZONE_MAX_VERTICES / 2 - 1;
        MkStripZone(ZoneTable.records[ZONE_FIRST_CHECKPOINT + k], path, first, last, -across, across, k);
    }
    ScanZoneTypes();
    return true;
}

void ClearLines() {
    for (auto& line : CpuLineTable) {
        for (CpuLinePoint& point : line) {
            float* f = &point.x;
            for (int k = 0; k < 16; k++)
                f[k] = -1.0f;
        }
    }
}

void SetLinePoint(CpuLinePoint& point, double x, double y, double z) {
    point.x = point.x2 = (float)x;
    point.y = point.y2 = (float)y;
    point.z = point.z2 = (float)z;
}

void CloseLine(int line, int count) {
    for (int i = 0; i < count; i++) {
        CpuLinePoint& a = CpuLineTable[line][i];
        const CpuLinePoint& b = CpuLineTable[line][(i + 1) % count];
        const float dx = b.x - a.x, dz = b.z - a.z;
        const float length = sqrtf(dx * dx + dz * dz);
        a.length = length;
        a.dirX = length > 0 ? dx / length : 0.0f;
        a.dirZ = length > 0 ? dz / length : 0.0f;
    }
    CpuLineTable[line][CPU_LINE_RECORDS - 1].x = (float)(count * 16);
    CpuLineFloatCounts[line] = count * 16;
    CpuLinePointCounts[line] = count;
}

// The centre line at distance s (wrapping), between its rings.
MkRing RingBetween(const MkPath& path, double s) {
    s = fmod(s, path.length);
    if (s < 0)
        s += path.length;
    int i = MkRingAt(path, s);
    if (s >= path.rings[path.segments - 1].s)
        i = path.segments - 1;   // between the last ring and the closing one
    else if (i > 0 && path.rings[i].s > s)
        i--;
    const MkRing& a = path.rings[i];
    const MkRing& b = path.rings[i + 1 <= path.segments ? i + 1 : i];
    const double span = b.s - a.s;
    const double t = span > 0 ? (s - a.s) / span : 0.0;
    MkRing ring = a;
    ring.x = a.x + t * (b.x - a.x);
    ring.z = a.z + t * (b.z - a.z);
    ring.y = a.y + t * (b.y - a.y);
    ring.s = s;
    if (a.bend >= 0)
        ring.bend = a.bend + t * ((b.bend >= 0 ? b.bend : 1.0) - a.bend);
    return ring;
}

void BuildLights(const MkCircuitParams& p, const MkPath& path) {
    MkBuildLights(path, 8, p.roadHalfWidth + p.vergeWidth + 3000.0);
}

// Group 1 runs through the starting grid of its layout (front row at
// z 61,484..63,465, rows 3,415 apart, cars facing +z around x 59,312; the
// reversed variants' grid from z 65,933 to 75,356 facing -z) and the start
// pose (58,920, 1,547, 58,610).  Its loop keeps inside the track map's
// window (x -5,400..81,200, z -4,700..81,900): past the grid the top bend
// opens gently and tightens.
const MkCircuitParams Circuits[7] = {
    {1, 0, 59312.0f, 58610.0f, 1540.0f, 0.0f, 18610.0f, 31390.0f, 16000.0f, -1, 1200.0f, 7390.0f, 3500.0f, 2000.0f,
     700.0f, -1,
     // From the foot of the start straight, turning left all the way.
     {{0.0f, -22610.0f, 8000.0f},
      {0.0f, 16390.0f, 14000.0f},
      {-2331.0f, 22796.0f, 6200.0f},
      {-39312.0f, 22796.0f, 9000.0f, 1200.0f},
      {-39312.0f, -38610.0f, 9000.0f},
      {-14312.0f, -38610.0f, 8000.0f}}},
    {2, 0, 66726.0f, 107005.0f, 8.0f, -1.0f, 20000.0f, 25000.0f, 16000.0f, -1, 800.0f, 6000.0f},
    {3, 0, 55875.0f, 100246.0f, 6.0f, -0.1316f, 22000.0f, 25000.0f, 15000.0f, -1, 800.0f, 7000.0f},
    {4, 0, 78394.0f, 41802.0f, 60.0f, -0.7f, 2000.0f, 16000.0f, 8500.0f, -1, 0.0f, 4000.0f},
    {5, 0, 30675.0f, 30339.0f, 100.0f, 0.0f, 8000.0f, 20000.0f, 12000.0f, 1, 0.0f, 4000.0f},
    {6, 0, 21955.0f, 58751.0f, 84.0f, 0.0f, 16000.0f, 25000.0f, 14000.0f, 1, 600.0f, 6000.0f},
    {7, 0, 23397.0f, 68535.0f, 70.0f, -0.1506f, 18000.0f, 25000.0f, 15000.0f, 1, 600.0f, 6000.0f},
};

}  // namespace

// ---------------------------------------------------------------------------
// Shared pieces.

int MkAddVertex(MkObject& world, double x, double y, double z) { return AddUvVertex(world, x, y, z, 0, 0); }

// A quad p0 p1 p2 p3 (around its edge) as two triangles sharing p0-p2, the
// texture laid once over it: u 0 to 1 from p0 to p1, v 0 to 1 from p0 to p3.
// The Direct3D path clamps texture coordinates, so each quad has texture
// vertices of its own (at the same places as its corners).
void MkAddQuad(MkObject& world, const int p[4], const double view[3], unsigned textureWord) {
    static const float uv[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    Corner c[4];
    for (int k = 0; k < 4; k++) {
        const ObjectVertex v = world.vertices[p[k]];
        c[k] = {p[k], AddUvVertex(world, v.x, v.y, v.z, uv[k][0], uv[k][1])};
    }
    AddTriangle(world, c[0], c[1], c[2], view, textureWord);
    AddTriangle(world, c[0], c[2], c[3], view, textureWord);
}

void MkPlaceWorldInPools(int group, const MkObject& world) {
    BeginObjectLoad(1);
    FirstObjectPending = 0;
    NormalsTotal = 0;
    memcpy(VertexPool, world.vertices.data(), world.vertices.size() * sizeof(ObjectVertex));
    memcpy(TrianglePool, world.triangles.data(), world.triangles.size() * sizeof(ObjectTriangle));
    // The car shading file covers pool entries past the world: they are
    // blank, whatever an earlier track left there.
    memset(TrianglePool + world.triangles.size(), 0,
           (TRIANGLE_POOL_SIZE - world.triangles.size()) * sizeof(ObjectTriangle));
    memset(VertexPool + world.vertices.size(), 0, (VERTEX_POOL_SIZE - world.vertices.size()) * sizeof(ObjectVertex));
    VertexTotal = (int)world.vertices.size();
    TriangleTotal = (int)world.triangles.size();
    snprintf(ObjectNameTable[0], OBJECT_NAME_LENGTH, "MUNDO%02d", group);
    ObjectEntries[0] = {0, 0, VertexTotal, TriangleTotal, 0, 0, 0, 0};
}

void MkStripZone(ZoneRecord& zone, const MkPath& path, int first, int last, double inner, double outer, int type) {
    int n = 0;
    for (int i = first; i <= last; i++) {
        double x, z;
        RingPoint(path.rings[i], inner, &x, &z);
        zone.vertices[n++] = {(int32_t)x, (int32_t)nearbyint(path.rings[i].y), (int32_t)z, 0};
    }
    for (int i = last; i >= first; i--) {
        double x, z;
        RingPoint(path.rings[i], outer, &x, &z);
        zone.vertices[n++] = {(int32_t)x, (int32_t)nearbyint(path.rings[i].y), (int32_t)z, 0};
    }
    zone.vertexWords = 4 * n;
    zone.type = type;
}

int MkRingAt(const MkPath& path, double s) {
    if (path.length > 0) {
        s = fmod(s, path.length);
        if (s < 0)
            s += path.length;
    }
    for (int i = 0; i < path.segments; i++) {
        if (path.rings[i].s >= s)
            return i;
    }
    return 0;
}

void MkBuildLinesAt(const MkPath& path, const std::vector<double>& distances, double outside) {
    ClearLines();
    // Lines 0 to 3 share their points' indices: 3 is the centre line, the
    // driving lines cut toward the inside of the bends by their skill.
    const double apex[3] = {0.0, 1200.0, 2200.0};
    const int count = (int)distances.size() < CPU_LINE_MAX_POINTS ? (int)distances.size() : CPU_LINE_MAX_POINTS;
    for (int k = 0; k < count; k++) {
        const MkRing ring = RingBetween(path, distances[k]);
        SetLinePoint(CpuLineTable[CPU_LINE_GUIDE][k], ring.x, ring.y, ring.z);
        for (int line = 0; line < 3; line++) {
            const double offset = ring.bend >= 0 ? ring.bendSign * apex[line] * sin(Pi * ring.bend) : 0.0;
            double x, z;
            RingPoint(ring, offset, &x, &z);
            SetLinePoint(CpuLineTable[line][k], x, ring.y, z);
        }
    }
    for (int line = 0; line <= CPU_LINE_GUIDE; line++)
        CloseLine(line, count);

    // Trackside cameras outside the loop.
    const int cameras = 10;
    const double side = -LoopSign(path) * outside;
    for (int k = 0; k < cameras; k++) {
        const MkRing& ring = path.rings[k * path.segments / cameras];
        double x, z;
        RingPoint(ring, side, &x, &z);
        CpuLinePoint& point = CpuLineTable[CPU_LINE_CAMERAS][k];
        SetLinePoint(point, x, ring.y + 1500.0, z);
        // Kinds 0..6 in turn, and one camera of kind 9 (a mode the cut picks).
        point.cameraKind = k == 7 ? 9.0f : (float)(k % 7);
    }
    CloseLine(CPU_LINE_CAMERAS, cameras);
}

void MkBuildLines(const MkPath& path, double firstS, int count, double outside) {
    std::vector<double> distances;
    for (int k = 0; k < count; k++)
        distances.push_back(firstS + k * path.length / count);
    MkBuildLinesAt(path, distances, outside);
}

std::vector<double> MkFixedLineDistances(const MkPath& path, const std::vector<float>& fixed, int fixedFrom,
                                         int count) {
    const int m = (int)fixed.size();
    std::vector<double> distances(count);
    for (int k = 0; k < m; k++)
        distances[(fixedFrom + k) % count] = path.gridS + fixed[k];
    const double last = path.gridS + fixed[m - 1];
    const double gap = (path.length - (fixed[m - 1] - fixed[0])) / (count - m + 1);
    for (int j = 1; j <= count - m; j++)
        distances[(fixedFrom + m - 1 + j) % count] = last + j * gap;
    return distances;
}

void MkBuildLights(const MkPath& path, int count, double outside) {
    for (Light& light : LightTable)
        light = {-1.0f, 0.0f, 0.0f, 0.1f};
    memset(LightColourTable, 0, sizeof LightColourTable);
    // High above the outside of the track: the shading varies gently.
    const double side = -LoopSign(path) * outside;
    for (int k = 0; k < count; k++) {
        const MkRing& ring = path.rings[k * path.segments / count];
        double x, z;
        RingPoint(ring, side, &x, &z);
        LightTable[k] = {(float)x, (float)(ring.y + 14000.0), (float)z, 0.013f};
    }
    LightCount = count;
}

// ---------------------------------------------------------------------------
// Writing.

// Plain files for a folder the track editors write into.
bool LooseTrackFiles;

namespace {

bool WriteTrackFile(const char* pattern, int number, const void* data, int bytes) {
    char path[256];
    TrackFilePath(path, sizeof path, pattern, number);
    if (bytes < 0)
        return false;
    return LooseTrackFiles ? MkWriteFile(path, data, (size_t)bytes) : MkWriteArchived(path, data, (size_t)bytes);
}

}  // namespace

bool MkWriteTrackFiles(int group, int variant, const MkObject& world) {
    char name[32];
    snprintf(name, sizeof name, "MUNDO%d%d", group, variant);
    if (!MkWriteObject(AssetFolder, name, world))
        return false;

    BuildDrawTrace();
    FillCollisionGrid();
    FillHeightGrid();
    FillZoneGrid();
    const int worldShadeBytes = FillWorldShadeTable();
    const int carShadeBytes = FillCarShadeTable();

    const int n = group;
    const int sections = WorldSectionTable.header[WORLD_SECTION_TOTAL_INT];
    const int32_t words = CollisionLineWords;
    return WriteTrackFile("%sBIN\\IACPU%d.dat", n, CpuLineTable, sizeof CpuLineTable) &&
           WriteTrackFile("%sBIN\\NumCol%02d.dat", n, &words, sizeof words) &&
           WriteTrackFile("%sBIN\\coli%02d.ppp", n, CollisionLineTable,
                          CollisionLineCount() * (int)sizeof(CollisionLine)) &&
           WriteTrackFile("%sBIN\\OffCua%02d.col", n, CollisionGrid.offsets,
                          CollisionGrid.columns * CollisionGrid.rows * (int)sizeof(int)) &&
           WriteTrackFile("%sBIN\\TCuadr%02d.col", n, CollisionGrid.lists,
                          CollisionGrid.listCount * (int)sizeof(int)) &&
           WriteTrackFile("%sBIN\\OffCuadr%02d.Alt", n, HeightGrid.offsets,
                          HeightGrid.columns * HeightGrid.rows * (int)sizeof(int)) &&
           WriteTrackFile("%sBIN\\TCuadran%02d.Alt", n, HeightGrid.lists, HeightGrid.listCount * (int)sizeof(int)) &&
           WriteTrackFile("%sBIN\\OffCuadr%02d.Caj", n, ZoneGrid.offsets,
                          ZoneGrid.columns * ZoneGrid.rows * (int)sizeof(int)) &&
           WriteTrackFile("%sBIN\\TCuadran%02d.Caj", n, ZoneGrid.lists, ZoneGrid.listCount * (int)sizeof(int)) &&
           WriteTrackFile("%sBIN\\Cajas%02d.dat", n, &ZoneTable, sizeof ZoneTable) &&
           WriteTrackFile("%sBIN\\Mundo%02d.TNT", n, &WorldSectionTable,
                          WORLD_SECTION_HEADER_INTS * 4 + sections * (int)sizeof(WorldSection)) &&
           WriteTrackFile("%sBIN\\Ilumina%d.dat", n, LightTable, sizeof LightTable) &&
           WriteTrackFile("%sBIN\\GouMun%02d.dat", n, WorldShadeTable, worldShadeBytes) &&
           WriteTrackFile("%sBIN\\GouCoh%02d.dat", n, CarShadeTable, carShadeBytes);
}

const MkCircuitParams& MkCircuitForGroup(int group) {
    return Circuits[group >= 1 && group <= 7 ? group - 1 : 0];
}

MkCircuitParams MkReversed(const MkCircuitParams& params, int variant, float gridX, float gridZ,
                           float finishAhead) {
    MkCircuitParams reversed = params;
    std::vector<MkCorner> corners = params.corners.empty() ? StadiumCorners(params) : params.corners;
    // Corner k's hill belongs to the edge k -> k + 1; driven the other way
    // that edge leaves corner k + 1.
    const int n = (int)corners.size();
    std::vector<MkCorner> out;
    for (int k = 0; k < n; k++) {
        MkCorner corner = corners[(1 - k + n) % n];
        corner.hill = corners[(1 - k - 1 + 2 * n) % n].hill;
        corner.x += params.gridX - gridX;
        corner.z += params.gridZ - gridZ;
        out.push_back(corner);
    }
    reversed.corners = out;
    reversed.variant = variant;
    reversed.gridX = gridX;
    reversed.gridZ = gridZ;
    reversed.heading = params.heading + (float)Pi;
    reversed.finishAhead = finishAhead;
    reversed.turn = -params.turn;
    return reversed;
}

namespace {

// The road's height at distance s: the ground, the straight's hill, and on
// a jump the ramp up to the take-off edge.
double HeightAt(const MkCircuitParams& p, const MkPath& path, double s, double straightStart, double straight,
                double hill) {
    double y = p.groundY;
    if (straight > 0)
        y += hill * 0.5 * (1.0 - cos(2.0 * Pi * (s - straightStart) / straight));
    if (path.lipS >= 0 && s >= path.lipS - p.rampLength && s <= path.lipS)
        y += p.rampHeight * (s - (path.lipS - p.rampLength)) / p.rampLength;
    return y;
}

// One pass of the sampler; with path.lipS set, rings fall on the ramp's
// foot and twice on its edge.
bool SampleOnce(const MkCircuitParams& p, const std::vector<MkCorner>& corners, MkPath& path) {
    const int n = (int)corners.size();
    path.rings.clear();
    std::vector<double> px(n), pz(n), heading(n), turn(n), tangent(n), edge(n);
    for (int i = 0; i < n; i++) {
        px[i] = p.gridX + corners[i].x;
        pz[i] = p.gridZ + corners[i].z;
    }
    // Edge i runs from corner i to corner i + 1; corner i turns from edge
    // i - 1 onto edge i.
    for (int i = 0; i < n; i++) {
        const int j = (i + 1) % n;
        heading[i] = atan2(px[j] - px[i], pz[j] - pz[i]);
        edge[i] = hypot(px[j] - px[i], pz[j] - pz[i]);
    }
    const double W = p.roadHalfWidth + p.vergeWidth;
    for (int i = 0; i < n; i++) {
        turn[i] = WrapAngle(heading[i] - heading[(i - 1 + n) % n]);
        tangent[i] = corners[i].radius * tan(fabs(turn[i]) * 0.5);
        if (fabs(turn[i]) > 1e-6 && corners[i].radius < W + ZoneMargin + 200.0) {
            fprintf(stderr, "mkdata: corner %d of track %d%d: radius %.0f folds the road\n", i, p.group, p.variant,
                    corners[i].radius);
            return false;
        }
    }
    for (int i = 0; i < n; i++) {
        if (tangent[i] + tangent[(i + 1) % n] > edge[i] + 0.5) {
            fprintf(stderr, "mkdata: edge %d of track %d%d is too short for its bends\n", i, p.group, p.variant);
            return false;
        }
    }
    // Headings accumulate through the loop, as the cars' do; the first is
    // the one nearest the circuit's own.
    double h = p.heading + WrapAngle(heading[0] - p.heading);
    const double firstHeading = h;
    double s = 0.0;
    for (int e = 0; e < n; e++) {
        const double dx = sin(h), dz = cos(h);
        const double ax = px[e] + tangent[e] * dx, az = pz[e] + tangent[e] * dz;
        const double straight = edge[e] - tangent[e] - tangent[(e + 1) % n];
        const int pieces = straight > 1.0 ? (int)ceil(straight / SegmentLength) : 0;
        std::vector<double> ts;
        for (int k = 0; k < pieces; k++)
            ts.push_back(straight * k / pieces);
        // The ramp's foot and edge, when they fall on this straight.
        std::vector<double> edgeTop;
        if (path.lipS >= 0) {
            for (double at : {path.lipS - p.rampLength, path.lipS}) {
                if (at > s && at < s + straight) {
                    for (size_t k = 0; k < ts.size(); k++) {
                        if (ts[k] > at - s) {
                            ts.insert(ts.begin() + (long)k, at - s);
                            break;
                        }
                        if (k + 1 == ts.size())
                            ts.push_back(at - s);
                    }
                }
            }
        }
        for (double t : ts) {
            const double y = HeightAt(p, path, s + t, s, straight, corners[e].hill);
            path.rings.push_back({ax + t * dx, az + t * dz, y, h, s + t, -1.0, 0});
            if (path.lipS >= 0 && fabs(s + t - path.lipS) < 1e-6) {
                // The take-off edge: the ramp's top, then the ground under it.
                path.rings.push_back({ax + t * dx, az + t * dz, p.groundY, h, s + t, -1.0, 0});
                path.landingEnd = s + straight;
            }
        }
        s += straight;
        // The bend at the next corner.
        const int c = (e + 1) % n;
        const double angle = turn[c];
        if (fabs(angle) > 1e-6) {
            const int sign = angle > 0 ? 1 : -1;
            const double R = corners[c].radius;
            const double bx = ax + straight * dx, bz = az + straight * dz;
            const double cx = bx + sign * R * RightX(h), cz = bz + sign * R * RightZ(h);
            int pieces2 = (int)ceil(fabs(angle) * (R + W) / SegmentLength);
            const int fine = (int)ceil(fabs(angle) / (Pi / 12.0));
            pieces2 = pieces2 > fine ? pieces2 : fine;
            for (int k = 0; k < pieces2; k++) {
                const double phi = fabs(angle) * k / pieces2;
                const double hk = h + sign * phi;
                path.rings.push_back({cx - sign * R * RightX(hk), cz - sign * R * RightZ(hk), p.groundY, hk,
                                      s + R * phi, (double)k / pieces2, sign});
            }
            s += R * fabs(angle);
            h += angle;
        }
    }
    path.segments = (int)path.rings.size();
    path.length = s;
    if (path.segments < 3)
        return false;
    MkRing closing = path.rings[0];
    closing.s = s;
    closing.heading = h;
    path.rings.push_back(closing);
    // The grid point's distance along the first straight.
    const double sx = px[0] + tangent[0] * sin(firstHeading), sz = pz[0] + tangent[0] * cos(firstHeading);
    path.gridS = (p.gridX - sx) * sin(firstHeading) + (p.gridZ - sz) * cos(firstHeading);
    return true;
}

}  // namespace

bool MkSampleLoop(const MkCircuitParams& p, MkPath& path) {
    const std::vector<MkCorner> corners = p.corners.empty() ? StadiumCorners(p) : p.corners;
    path.lipS = -1.0;
    path.landingEnd = -1.0;
    if ((int)corners.size() < 3 || !SampleOnce(p, corners, path))
        return false;
    if (p.lipZ <= 0.0f)
        return true;
    // The take-off edge lies where the centre line first crosses lipZ
    // driving north.
    for (int i = 0; i < path.segments; i++) {
        const MkRing& a = path.rings[i];
        const MkRing& b = path.rings[i + 1];
        if (a.z < p.lipZ && b.z >= p.lipZ && cos(a.heading) > 0.9) {
            path.lipS = a.s + (p.lipZ - a.z) / (b.z - a.z) * (b.s - a.s);
            break;
        }
    }
    if (path.lipS < p.rampLength) {
        fprintf(stderr, "mkdata: track %d%d never drives north across z %.0f\n", p.group, p.variant, p.lipZ);
        return false;
    }
    return SampleOnce(p, corners, path) && path.landingEnd > path.lipS;
}

bool MkBuildCircuit(const MkCircuitParams& p, MkObject& world) {
    MkPath path;
    if (!MkSampleLoop(p, path))
        return false;
    if (!FitsGrids(p, path)) {
        fprintf(stderr, "mkdata: the circuit of track %d%d leaves the grids\n", p.group, p.variant);
        return false;
    }
    TrackGroup = p.group;
    TrackVariant = p.variant;
    TrackCode = p.group * 10 + p.variant;
    SetTrackFolder();

    const double finishS = path.gridS + p.finishAhead;
    BuildWorld(p, path, finishS, finishS + CheckpointDepth, world);
    if (world.vertices.size() > (size_t)VERTEX_POOL_SIZE || world.triangles.size() > (size_t)TRIANGLE_POOL_SIZE) {
        fprintf(stderr, "mkdata: the circuit of track %d%d does not fit the pools\n", p.group, p.variant);
        return false;
    }
    MkPlaceWorldInPools(p.group, world);
    BuildWalls(p, path, world);
    int points = (int)ceil(path.length / LinePointSpacing);
    points = points < 40 ? 40 : (points > CPU_LINE_MAX_POINTS ? CPU_LINE_MAX_POINTS : points);
    const double outside = p.roadHalfWidth + p.vergeWidth + 1500.0;
    const int fixed = (int)p.fixedPoints.size();
    if (fixed > 0) {
        if (points < p.fixedFrom + fixed + 8)
            points = p.fixedFrom + fixed + 8;
        MkBuildLinesAt(path, MkFixedLineDistances(path, p.fixedPoints, p.fixedFrom, points), outside);
    } else {
        MkBuildLines(path, p.guideAhead > 0.0f ? path.gridS + p.guideAhead : 0.0, points, outside);
    }
    BuildLights(p, path);
    if (!BuildZones(p, path, finishS)) {
        fprintf(stderr, "mkdata: the circuit of track %d%d needs more zones than a track has\n", p.group,
                p.variant);
        return false;
    }
    return true;
}

bool MkKeepingTrackState(const std::function<bool()>& build) {
    const int group = TrackGroup, variant = TrackVariant, code = TrackCode;
    char folder[sizeof AssetFolder];
    memcpy(folder, AssetFolder, sizeof folder);

    const bool ok = build();

    BeginObjectLoad(1);
    TrackGroup = group;
    TrackVariant = variant;
    TrackCode = code;
    memcpy(AssetFolder, folder, sizeof folder);
    return ok;
}

bool MkMakeCircuit(const MkCircuitParams& params) {
    return MkKeepingTrackState([&] {
        MkObject world;
        return MkBuildCircuit(params, world) && MkWriteTrackFiles(params.group, params.variant, world);
    });
}

bool MkMakeCircuitFolder(const std::string& outDir, const MkCircuitParams& params, bool looseTracks) {
    MkOptions options;
    options.outDir = outDir;
    MkSetRoot(outDir);
    LooseTrackFiles = looseTracks;
    const bool ok = MkMakeDirs("") && MkMakeCircuit(params) && FinishArchives(options);
    LooseTrackFiles = false;
    return ok;
}
