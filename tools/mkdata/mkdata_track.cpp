// The track part of the game folder: the sample circuit of track 10.
//
// The circuit is built straight into the game's own tables (zones, walls,
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

// Group 1's texture numbers (the track's colour-keyed set).
enum {
    TEX_ROAD = 70,
    TEX_VERGE = 71,
    TEX_WALL = 72,
    TEX_BEND_WALL = 74,
    TEX_FINISH = 75,
    TEX_FLAG_A = 20,    // animated: 20, 70, 71, 72
    TEX_FLAG_B = 21,    // 21, 74
    TEX_SIGN = 23,      // 23, 75
};
const uint32_t GroundFlags = 0x2000;   // texture word 0x20000000: listed in the height grid

const int SegmentLength = 2500;        // keeps ground triangles well inside one height cell's reach
const int SurfaceZoneSegments = 4;     // segments per surface zone
const int VisibilitySegments = 15;     // 2 x 16 vertices: a zone's most
const int VisibilityListMax = 10;      // ids the world drawing reads
const float ZoneMargin = 300.0f;       // visibility and checkpoint zones reach past the walls
const float CheckpointDepth = 3000.0f;

struct Ring {
    double x, z, y;
    double heading;
    double s;              // distance along the centre line
    double bendPhase;      // 0..pi through a bend, -1 on the straights
};

struct Circuit {
    std::vector<Ring> rings;   // segments + 1; the last closes onto the first
    int segments;
    double length;
    double offsets[6];         // lateral offsets of the ground points
    int sign;                  // +1 or -1: the side the bends turn to
};

double RightX(double heading) { return cos(heading); }
double RightZ(double heading) { return -sin(heading); }

void SampleCentreLine(const MkCircuitParams& p, Circuit& c) {
    const double h = p.heading;
    const int sign = p.turn >= 0 ? 1 : -1;
    const double dx = sin(h), dz = cos(h);
    const double rx = RightX(h), rz = RightZ(h);
    const double L = p.straightBehind + p.straightAhead;
    const double R = p.radius;
    const double x0 = p.gridX - p.straightBehind * dx;
    const double z0 = p.gridZ - p.straightBehind * dz;
    const int straightSegments = (int)ceil(L / SegmentLength);
    const int bendSegments = (int)ceil(Pi * (R + p.roadHalfWidth + p.vergeWidth) / SegmentLength);

    c.sign = sign;
    c.rings.clear();
    // Start straight.
    for (int i = 0; i < straightSegments; i++) {
        const double t = L * i / straightSegments;
        c.rings.push_back({x0 + t * dx, z0 + t * dz, p.groundY, h, t, -1.0});
    }
    // First bend, about a centre on the turning side.
    const double c1x = x0 + L * dx + sign * R * rx, c1z = z0 + L * dz + sign * R * rz;
    for (int i = 0; i < bendSegments; i++) {
        const double phi = Pi * i / bendSegments;
        const double heading = h + sign * phi;
        c.rings.push_back({c1x - sign * R * RightX(heading), c1z - sign * R * RightZ(heading), p.groundY, heading,
                           L + R * phi, phi});
    }
    // Back straight, over the hill.
    const double bx = x0 + L * dx + 2 * sign * R * rx, bz = z0 + L * dz + 2 * sign * R * rz;
    for (int i = 0; i < straightSegments; i++) {
        const double t = L * i / straightSegments;
        const double y = p.groundY + p.hill * 0.5 * (1.0 - cos(2.0 * Pi * t / L));
        c.rings.push_back({bx - t * dx, bz - t * dz, y, h + sign * Pi, L + Pi * R + t, -1.0});
    }
    // Second bend, back onto the start.
    const double c2x = x0 + sign * R * rx, c2z = z0 + sign * R * rz;
    for (int i = 0; i < bendSegments; i++) {
        const double phi = Pi * i / bendSegments;
        const double heading = h + sign * (Pi + phi);
        c.rings.push_back({c2x - sign * R * RightX(heading), c2z - sign * R * RightZ(heading), p.groundY, heading,
                           2 * L + Pi * R + R * phi, phi});
    }
    c.segments = (int)c.rings.size();
    c.length = 2 * L + 2 * Pi * R;
    Ring closing = c.rings[0];
    closing.s = c.length;
    closing.heading = h + sign * 2 * Pi;
    c.rings.push_back(closing);

    const double W = p.roadHalfWidth, V = p.vergeWidth;
    const double offsets[6] = {-(W + V), -W, -W / 3, W / 3, W, W + V};
    memcpy(c.offsets, offsets, sizeof offsets);
}

// A point beside ring i, `offset` along its right vector, rounded to whole
// units (the queries round corners, so the data holds them whole).
void RingPoint(const Ring& ring, double offset, double* x, double* z) {
    *x = nearbyint(ring.x + offset * RightX(ring.heading));
    *z = nearbyint(ring.z + offset * RightZ(ring.heading));
}

bool FitsGrids(const MkCircuitParams& p, const Circuit& c) {
    const double reach = p.roadHalfWidth + p.vergeWidth + ZoneMargin + 1000.0;
    const double maxX = CollisionGridColumns(p.group) * (double)(int)COLLISION_CELL_SIZE;
    const double maxZ = (double)HEIGHT_GRID_ROWS * (double)HEIGHT_CELL_SIZE;
    for (const Ring& ring : c.rings) {
        for (double side : {-reach, reach}) {
            double x, z;
            RingPoint(ring, side, &x, &z);
            if (x < 1000.0 || x > maxX || z < 1000.0 || z > maxZ)
                return false;
        }
    }
    return p.radius > p.roadHalfWidth + p.vergeWidth + ZoneMargin + 1000.0;
}

// ---------------------------------------------------------------------------
// The world object.

int AddVertex(MkObject& world, double x, double y, double z, float u, float v) {
    world.vertices.push_back({(float)x, (float)y, (float)z, u, v});
    return (int)world.vertices.size() - 1;
}

// A triangle wound so that it faces `view`: the drawing keeps a triangle
// whose corner normal (b - a) x (c - a) points away from the eye.  Each
// corner names its position vertex and its texture-coordinate vertex.
struct Corner {
    int position, uv;
};

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

// A quad p0 p1 p2 p3 (around its edge) as two triangles sharing p0-p2, the
// texture laid once over it: u 0 to 1 from p0 to p1, v 0 to 1 from p0 to p3.
// The Direct3D path clamps texture coordinates, so each quad has texture
// vertices of its own (at the same places as its corners).
void AddQuad(MkObject& world, const int p[4], const double view[3], uint32_t textureWord) {
    static const float uv[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    Corner c[4];
    for (int k = 0; k < 4; k++) {
        const ObjectVertex& v = world.vertices[p[k]];
        c[k] = {p[k], AddVertex(world, v.x, v.y, v.z, uv[k][0], uv[k][1])};
    }
    AddTriangle(world, c[0], c[1], c[2], view, textureWord);
    AddTriangle(world, c[0], c[2], c[3], view, textureWord);
}

// Each ring has six ground points (left verge edge, road edge, two lane
// lines, road edge, right verge edge) and the two wall tops.
enum { RING_POINTS = 8, LEFT_TOP = 6, RIGHT_TOP = 7 };

// Boards behind the walls of the start straight, ahead of the grid: their
// textures (flags and signs) are the animated ones of track group 1.
void AddBoards(const MkCircuitParams& p, const Circuit& c, MkObject& world) {
    struct Board {
        int ring, side;
        uint32_t texture;
    };
    static const Board boards[] = {{9, -1, TEX_FLAG_A}, {11, -1, TEX_FLAG_B}, {13, -1, TEX_SIGN},
                                   {10, 1, TEX_SIGN},   {12, 1, TEX_FLAG_A},  {14, 1, TEX_FLAG_B}};
    const double offset = p.roadHalfWidth + p.vergeWidth + 150.0;
    for (const Board& board : boards) {
        if (board.ring + 1 >= c.segments)
            continue;
        const Ring& near = c.rings[board.ring];
        const Ring& far = c.rings[board.ring + 1];
        double x0, z0, x1, z1;
        RingPoint(near, board.side * offset, &x0, &z0);
        RingPoint(far, board.side * offset, &x1, &z1);
        const double bottom = nearbyint(near.y) + 400.0, top = bottom + 1500.0;
        const int corners[4] = {AddVertex(world, x0, top, z0, 0, 0), AddVertex(world, x1, top, z1, 0, 0),
                                AddVertex(world, x1, bottom, z1, 0, 0), AddVertex(world, x0, bottom, z0, 0, 0)};
        // The board faces the road.
        const double toRoad[3] = {-board.side * RightX(near.heading), 0.0, -board.side * RightZ(near.heading)};
        AddQuad(world, corners, toRoad, MakeTextureWord(board.texture, 0));
    }
}

void BuildWorld(const MkCircuitParams& p, const Circuit& c, double finishStart, double finishEnd,
                MkObject& world) {
    world.vertices.clear();
    world.triangles.clear();
    world.normals.clear();
    for (const Ring& ring : c.rings) {
        for (int k = 0; k < 6; k++) {
            double x, z;
            RingPoint(ring, c.offsets[k], &x, &z);
            AddVertex(world, x, nearbyint(ring.y), z, 0, 0);
        }
        for (int k : {0, 5}) {
            double x, z;
            RingPoint(ring, c.offsets[k], &x, &z);
            AddVertex(world, x, nearbyint(ring.y) + p.wallHeight, z, 0, 0);
        }
    }
    const double up[3] = {0.0, 1.0, 0.0};
    for (int i = 0; i < c.segments; i++) {
        const Ring& ring = c.rings[i];
        const int a = i * RING_POINTS, b = (i + 1) * RING_POINTS;
        const int finish = ring.s >= finishStart && ring.s < finishEnd;
        // Each strip of the segment carries its texture once: u across the
        // strip, v along the segment.
        for (int j = 0; j < 5; j++) {
            const int verge = j == 0 || j == 4;
            const uint32_t texture = verge ? TEX_VERGE : (finish ? TEX_FINISH : TEX_ROAD);
            const int strip[4] = {a + j, a + j + 1, b + j + 1, b + j};
            AddQuad(world, strip, up, MakeTextureWord(texture, GroundFlags));
        }
        // Walls face the road: the left one looks along the right vector.
        // Their texture runs from the foot (u 0) to the rail at the top.
        const double toRight[3] = {RightX(ring.heading), 0.0, RightZ(ring.heading)};
        const double toLeft[3] = {-toRight[0], 0.0, -toRight[2]};
        const uint32_t wall = MakeTextureWord(ring.bendPhase >= 0 ? TEX_BEND_WALL : TEX_WALL, 0);
        const int left[4] = {a + 0, a + LEFT_TOP, b + LEFT_TOP, b + 0};
        const int right[4] = {a + 5, a + RIGHT_TOP, b + RIGHT_TOP, b + 5};
        AddQuad(world, left, toRight, wall);
        AddQuad(world, right, toLeft, wall);
    }
    AddBoards(p, c, world);
}

// The world is the first and only object in the pools, as the race loads it.
void PlaceWorldInPools(const MkCircuitParams& p, const MkObject& world) {
    BeginObjectLoad(1);
    FirstObjectPending = 0;
    NormalsTotal = 0;
    memcpy(VertexPool, world.vertices.data(), world.vertices.size() * sizeof(ObjectVertex));
    memcpy(TrianglePool, world.triangles.data(), world.triangles.size() * sizeof(ObjectTriangle));
    VertexTotal = (int)world.vertices.size();
    TriangleTotal = (int)world.triangles.size();
    snprintf(ObjectNameTable[0], OBJECT_NAME_LENGTH, "MUNDO%02d", p.group);
    ObjectEntries[0] = {0, 0, VertexTotal, TriangleTotal, 0, 0, 0, 0};
}

// ---------------------------------------------------------------------------
// Walls, zones, lines and lights.

void BuildWalls(const MkCircuitParams& p, const Circuit& c, const MkObject& world) {
    int count = 0;
    for (int i = 0; i < c.segments && count + 2 <= COLLISION_LINE_CAPACITY; i++) {
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

// A zone over rings first..last between two lateral offsets.
void StripZone(ZoneRecord& zone, const Circuit& c, int first, int last, double inner, double outer, int type) {
    int n = 0;
    for (int i = first; i <= last; i++) {
        double x, z;
        RingPoint(c.rings[i], inner, &x, &z);
        zone.vertices[n++] = {(int32_t)x, (int32_t)nearbyint(c.rings[i].y), (int32_t)z, 0};
    }
    for (int i = last; i >= first; i--) {
        double x, z;
        RingPoint(c.rings[i], outer, &x, &z);
        zone.vertices[n++] = {(int32_t)x, (int32_t)nearbyint(c.rings[i].y), (int32_t)z, 0};
    }
    zone.vertexWords = 4 * n;
    zone.type = type;
}

int RingAtDistance(const Circuit& c, double s) {
    s = fmod(s, c.length);
    if (s < 0)
        s += c.length;
    for (int i = 0; i < c.segments; i++) {
        if (c.rings[i].s >= s)
            return i;
    }
    return 0;
}

bool BuildZones(const MkCircuitParams& p, const Circuit& c, double finishS) {
    memset(&ZoneTable, 0, sizeof ZoneTable);
    for (ZoneRecord& zone : ZoneTable.records)
        zone.type = -1;   // untyped: left out of the zone grid and the sound bank's mask

    const double W = p.roadHalfWidth, V = p.vergeWidth;
    const double across = W + V + ZoneMargin;

    // Surface zones: grass on the verges.  The road needs none: a point in
    // no zone reads as asphalt.
    int chunk = SurfaceZoneSegments;
    while (2 * ((c.segments + chunk - 1) / chunk) > ZONE_LAST_SURFACE + 1)
        chunk++;
    if (chunk > ZONE_MAX_VERTICES / 2 - 1)
        return false;
    int zone = 0;
    for (int first = 0; first < c.segments; first += chunk) {
        const int last = first + chunk < c.segments ? first + chunk : c.segments;
        StripZone(ZoneTable.records[zone++], c, first, last, -(W + V), -W, 4);    // CAJA_HIERBA
        StripZone(ZoneTable.records[zone++], c, first, last, W, W + V, 4);
    }

    // Visibility zones: consecutive stretches; each lists itself first, then
    // the others nearest along the loop.
    const int sections = (c.segments + VisibilitySegments - 1) / VisibilitySegments;
    if (ZONE_FIRST_VISIBILITY + sections > ZONE_FIRST_CHECKPOINT)
        return false;
    for (int v = 0; v < sections; v++) {
        const int first = v * c.segments / sections;
        const int last = (v + 1) * c.segments / sections;
        ZoneRecord& record = ZoneTable.records[ZONE_FIRST_VISIBILITY + v];
        StripZone(record, c, first, last, -across, across, 0);
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
        const double s = finishS + k * c.length / checkpoints;
        const int first = RingAtDistance(c, s);
        int last = RingAtDistance(c, s + CheckpointDepth);
        if (last <= first)
            last = first + 1;
        if (last - first > ZONE_MAX_VERTICES / 2 - 1)
            last = first + ZONE_MAX_VERTICES / 2 - 1;
        StripZone(ZoneTable.records[ZONE_FIRST_CHECKPOINT + k], c, first, last, -across, across, k);
    }
    ScanZoneTypes();
    return true;
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

void BuildLines(const MkCircuitParams& p, const Circuit& c) {
    for (auto& line : CpuLineTable) {
        for (CpuLinePoint& point : line) {
            float* f = &point.x;
            for (int k = 0; k < 16; k++)
                f[k] = -1.0f;
        }
    }
    // Lines 0 to 3 share their points' indices: 3 is the centre line, the
    // driving lines cut toward the inside of the bends by their skill.
    const double apex[3] = {0.0, 1200.0, 2200.0};
    const int step = (c.segments + CPU_LINE_MAX_POINTS - 1) / CPU_LINE_MAX_POINTS;
    int count = 0;
    for (int i = 0; i < c.segments; i += step, count++) {
        const Ring& ring = c.rings[i];
        SetLinePoint(CpuLineTable[CPU_LINE_GUIDE][count], ring.x, ring.y, ring.z);
        for (int line = 0; line < 3; line++) {
            const double offset = ring.bendPhase >= 0 ? c.sign * apex[line] * sin(ring.bendPhase) : 0.0;
            double x, z;
            RingPoint(ring, offset, &x, &z);
            SetLinePoint(CpuLineTable[line][count], x, ring.y, z);
        }
    }
    for (int line = 0; line <= CPU_LINE_GUIDE; line++)
        CloseLine(line, count);

    // Trackside cameras outside the walls, on the outer side of the bends.
    const int cameras = 10;
    const double outside = -c.sign * (p.roadHalfWidth + p.vergeWidth + 1500.0);
    for (int k = 0; k < cameras; k++) {
        const Ring& ring = c.rings[k * c.segments / cameras];
        double x, z;
        RingPoint(ring, outside, &x, &z);
        CpuLinePoint& point = CpuLineTable[CPU_LINE_CAMERAS][k];
        SetLinePoint(point, x, ring.y + 1500.0, z);
        // Kinds 0..6 in turn, and one camera of kind 9 (a mode the cut picks).
        point.cameraKind = k == 7 ? 9.0f : (float)(k % 7);
    }
    CloseLine(CPU_LINE_CAMERAS, cameras);
}

void BuildLights(const MkCircuitParams& p, const Circuit& c) {
    for (Light& light : LightTable)
        light = {-1.0f, 0.0f, 0.0f, 0.1f};
    memset(LightColourTable, 0, sizeof LightColourTable);
    // High above the outside of the track: the shading varies gently.
    const int lights = 8;
    const double outside = -c.sign * (p.roadHalfWidth + p.vergeWidth + 3000.0);
    for (int k = 0; k < lights; k++) {
        const Ring& ring = c.rings[k * c.segments / lights];
        double x, z;
        RingPoint(ring, outside, &x, &z);
        LightTable[k] = {(float)x, (float)(ring.y + 14000.0), (float)z, 0.013f};
    }
    LightCount = lights;
}

// ---------------------------------------------------------------------------
// Writing.

// Plain files for a folder the track editors write into.
bool LooseTrackFiles;

bool WriteTrackFile(const char* pattern, int number, const void* data, int bytes) {
    char path[256];
    TrackFilePath(path, sizeof path, pattern, number);
    if (bytes < 0)
        return false;
    return LooseTrackFiles ? MkWriteFile(path, data, (size_t)bytes) : MkWriteArchived(path, data, (size_t)bytes);
}

bool WriteCircuitFiles(const MkCircuitParams& p, const MkObject& world) {
    char name[32];
    snprintf(name, sizeof name, "MUNDO%d%d", p.group, p.variant);
    if (!MkWriteObject(AssetFolder, name, world))
        return false;

    BuildDrawTrace();
    FillCollisionGrid();
    FillHeightGrid();
    FillZoneGrid();
    const int worldShadeBytes = FillWorldShadeTable();
    const int carShadeBytes = FillCarShadeTable();

    const int n = p.group;
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

// Group 1 runs through the starting grid of its layout (front row at
// z 61,484..63,465, rows 3,415 apart, cars facing +z around x 59,312) and
// the start pose (58,920, 1,547, 58,610); the other groups' circuits pass
// through their own grids' middles.
const MkCircuitParams Circuits[7] = {
    {1, 0, 59312.0f, 58610.0f, 1540.0f, 0.0f, 18610.0f, 31390.0f, 16000.0f, -1, 1200.0f, 7390.0f},
    {2, 0, 66726.0f, 107005.0f, 8.0f, -1.0f, 20000.0f, 25000.0f, 16000.0f, -1, 800.0f, 6000.0f},
    {3, 0, 55875.0f, 100246.0f, 6.0f, -0.1316f, 22000.0f, 25000.0f, 15000.0f, -1, 800.0f, 7000.0f},
    {4, 0, 78394.0f, 41802.0f, 60.0f, -0.7f, 2000.0f, 16000.0f, 8500.0f, -1, 0.0f, 4000.0f},
    {5, 0, 30675.0f, 30339.0f, 100.0f, 0.0f, 8000.0f, 20000.0f, 12000.0f, 1, 0.0f, 4000.0f},
    {6, 0, 21955.0f, 58751.0f, 84.0f, 0.0f, 16000.0f, 25000.0f, 14000.0f, 1, 600.0f, 6000.0f},
    {7, 0, 23397.0f, 68535.0f, 70.0f, -0.1506f, 18000.0f, 25000.0f, 15000.0f, 1, 600.0f, 6000.0f},
};

}  // namespace

const MkCircuitParams& MkCircuitForGroup(int group) {
    return Circuits[group >= 1 && group <= 7 ? group - 1 : 0];
}

bool MkBuildCircuit(const MkCircuitParams& p, MkObject& world) {
    Circuit c;
    SampleCentreLine(p, c);
    if (!FitsGrids(p, c)) {
        fprintf(stderr, "mkdata: the circuit of track %d%d leaves the grids\n", p.group, p.variant);
        return false;
    }
    TrackGroup = p.group;
    TrackVariant = p.variant;
    TrackCode = p.group * 10 + p.variant;
    SetTrackFolder();

    const double finishS = p.straightBehind + p.finishAhead;
    BuildWorld(p, c, finishS, finishS + CheckpointDepth, world);
    if (world.vertices.size() > (size_t)VERTEX_POOL_SIZE || world.triangles.size() > (size_t)TRIANGLE_POOL_SIZE) {
        fprintf(stderr, "mkdata: the circuit of track %d%d does not fit the pools\n", p.group, p.variant);
        return false;
    }
    PlaceWorldInPools(p, world);
    BuildWalls(p, c, world);
    BuildLines(p, c);
    BuildLights(p, c);
    if (!BuildZones(p, c, finishS)) {
        fprintf(stderr, "mkdata: the circuit of track %d%d needs more zones than a track has\n", p.group,
                p.variant);
        return false;
    }
    return true;
}

bool MkMakeCircuit(const MkCircuitParams& params) {
    const int group = TrackGroup, variant = TrackVariant, code = TrackCode;
    char folder[sizeof AssetFolder];
    memcpy(folder, AssetFolder, sizeof folder);

    MkObject world;
    const bool ok = MkBuildCircuit(params, world) && WriteCircuitFiles(params, world);

    BeginObjectLoad(1);
    TrackGroup = group;
    TrackVariant = variant;
    TrackCode = code;
    memcpy(AssetFolder, folder, sizeof folder);
    return ok;
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

bool MakeTrackData(const MkOptions& options) {
    LooseTrackFiles = options.looseTracks != 0;
    const bool ok = MkMakeCircuit(MkCircuitForGroup(1));
    LooseTrackFiles = false;
    return ok;
}
