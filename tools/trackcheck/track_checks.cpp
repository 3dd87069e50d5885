#include "track_checks.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "frame/fileio.h"
#include "frame/frame_state.h"
#include "frame/vfs.h"
#include "platform/plat_file.h"
#include "race/arena_props.h"
#include "race/car_setup.h"
#include "race/race_setup.h"
#include "race/race_state.h"
#include "render/objects.h"
#include "render/render_state.h"
#include "track/asset_paths.h"
#include "track/ground.h"
#include "track/track_files.h"
#include "track/track_state.h"
#include "track/zones.h"

namespace {

// Problems of one kind beyond this many are counted, not listed.
const int ListedPerKind = 5;
// The centre line is sampled this often.
const float SampleStep = 250.0f;

void Add(std::vector<std::string>& list, const char* format, ...) {
    char line[512];
    va_list args;
    va_start(args, format);
    vsnprintf(line, sizeof line, format, args);
    va_end(args);
    list.push_back(line);
}

// Reads a track file as the game does; its size, or -1 when it cannot be
// read.
int TrackFileSize(const char* pattern, int number, std::vector<unsigned char>& buffer, std::string& path) {
    char name[256];
    TrackFilePath(name, sizeof name, pattern, number);
    path = name;
    buffer.resize(8u << 20);
    if (ReadWholeFile(name, buffer.data(), (int)buffer.size()) < 0)
        return -1;
    buffer.resize((size_t)LastFileSize);
    return LastFileSize;
}

void ExpectSize(TrackCheckReport& report, const char* pattern, int number, int expected, const char* what) {
    std::vector<unsigned char> buffer;
    std::string path;
    const int size = TrackFileSize(pattern, number, buffer, path);
    if (size < 0)
        Add(report.failures, "%s: missing or unreadable", path.c_str());
    else if (size != expected)
        Add(report.failures, "%s: %d bytes, expected %d (%s)", path.c_str(), size, expected, what);
}

// A lists file: whole ints, the last a -1.
void ExpectLists(TrackCheckReport& report, const char* pattern, int number) {
    std::vector<unsigned char> buffer;
    std::string path;
    const int size = TrackFileSize(pattern, number, buffer, path);
    if (size < 0) {
        Add(report.failures, "%s: missing or unreadable", path.c_str());
        return;
    }
    int32_t last = 0;
    if (size >= 4)
        memcpy(&last, buffer.data() + size - 4, 4);
    if (size < 4 || size % 4 != 0 || last != -1)
        Add(report.failures, "%s: %d bytes, not whole lists ending with -1", path.c_str(), size);
}

int Number() { return TrackGroup == 0 ? 1 : TrackGroup; }

struct LinePoint {
    float x, z;
};

// The guide line's points, in order; the last joins the first.
std::vector<LinePoint> GuideLine() {
    std::vector<LinePoint> points;
    for (int i = 0; i < CpuLinePointCounts[CPU_LINE_GUIDE]; i++)
        points.push_back({CpuLineTable[CPU_LINE_GUIDE][i].x, CpuLineTable[CPU_LINE_GUIDE][i].z});
    return points;
}

// Points every SampleStep along the closed guide line, from point 0.
std::vector<LinePoint> SampleGuideLine(const std::vector<LinePoint>& line) {
    std::vector<LinePoint> samples;
    for (size_t i = 0; i < line.size(); i++) {
        const LinePoint a = line[i], b = line[(i + 1) % line.size()];
        const float length = hypotf(b.x - a.x, b.z - a.z);
        const int steps = length > 0 ? (int)ceilf(length / SampleStep) : 1;
        for (int k = 0; k < steps; k++) {
            const float t = (float)k / (float)steps;
            samples.push_back({a.x + t * (b.x - a.x), a.z + t * (b.z - a.z)});
        }
    }
    return samples;
}

float DistanceToLine(const std::vector<LinePoint>& line, float x, float z) {
    float best = 1e30f;
    for (size_t i = 0; i < line.size(); i++) {
        const LinePoint a = line[i], b = line[(i + 1) % line.size()];
        const float ex = b.x - a.x, ez = b.z - a.z;
        const float length2 = ex * ex + ez * ez;
        float t = length2 > 0 ? ((x - a.x) * ex + (z - a.z) * ez) / length2 : 0.0f;
        t = t < 0 ? 0 : (t > 1 ? 1 : t);
        const float d = hypotf(x - (a.x + t * ex), z - (a.z + t * ez));
        if (d < best)
            best = d;
    }
    return best;
}

int IsCrossTrack() { return TrackCode == 62 || TrackCode == 65 || TrackCode == 68 || TrackCode == 69; }

// The checkpoint value the lap logic would see at a point: the type of the
// first of zones 140..142 holding it, or on the cross tracks the first of
// 140..145 itself; -1 in none.
int CheckpointAt(float x, float z) {
    const int last = IsCrossTrack() ? ZONE_LAST_CHECKPOINT : ZONE_FIRST_CHECKPOINT + 2;
    const int px = TrackRound(x), pz = TrackRound(z);
    for (int zone = ZONE_FIRST_CHECKPOINT; zone <= last; zone++) {
        const ZoneRecord& record = ZoneTable.records[zone];
        if (ZoneVertexCount(record) >= 3 && PointInZone(record, px, pz))
            return IsCrossTrack() ? zone : record.type;
    }
    return -1;
}

std::string Sequence(const std::vector<int>& values) {
    std::string text;
    for (int v : values)
        text += (text.empty() ? "" : " ") + std::to_string(v);
    return text.empty() ? "none" : text;
}

void CheckCheckpoints(TrackCheckReport& report, const std::vector<LinePoint>& samples) {
    std::vector<int> met;
    for (const LinePoint& p : samples) {
        const int value = CheckpointAt(p.x, p.z);
        if (value >= 0 && (met.empty() || met.back() != value))
            met.push_back(value);
    }
    // The loop closes: a zone met at the end and at the start is met once.
    if (met.size() > 1 && met.front() == met.back())
        met.pop_back();

    std::vector<int> expected;
    if (IsCrossTrack()) {
        for (int zone = ZONE_FIRST_CHECKPOINT; zone <= ZONE_LAST_CHECKPOINT; zone++)
            expected.push_back(zone);
    } else {
        expected = {0, 1, 2};
    }
    bool inOrder = met.size() == expected.size();
    if (inOrder) {
        size_t start = 0;
        while (start < met.size() && met[start] != expected[0])
            start++;
        for (size_t k = 0; k < expected.size() && inOrder; k++)
            inOrder = start < met.size() && met[(start + k) % met.size()] == expected[k];
    }
    if (!inOrder)
        Add(report.failures, "checkpoints met along the guide line: %s; a lap needs %s in this order%s",
            Sequence(met).c_str(), Sequence(expected).c_str(),
            IsCrossTrack() ? " (zones)" : " (types of zones 140..142)");
}

void CheckWalls(TrackCheckReport& report, const std::vector<LinePoint>& line) {
    int wrong = 0;
    const int lines = CollisionLineCount();
    for (int i = 0; i < lines; i++) {
        const CollisionLine& wall = CollisionLineTable[i];
        if (wall.normalDx == 0.0f && wall.normalDz == 0.0f) {
            if (wrong++ < ListedPerKind)
                Add(report.failures, "wall %d at (%.0f, %.0f) has no length", i, wall.x1, wall.z1);
            continue;
        }
        // The collision code pushes cars along (-dz, dx): that side must be
        // the road's, nearer the guide line.
        const float nx = -wall.normalDz, nz = wall.normalDx;
        const float mx = 0.5f * (wall.x1 + wall.x2), mz = 0.5f * (wall.z1 + wall.z2);
        const float front = DistanceToLine(line, mx + 300.0f * nx, mz + 300.0f * nz);
        const float back = DistanceToLine(line, mx - 300.0f * nx, mz - 300.0f * nz);
        if (!(front < back) && wrong++ < ListedPerKind)
            Add(report.failures, "wall %d from (%.0f, %.0f) to (%.0f, %.0f): its normal points away from the road", i,
                wall.x1, wall.z1, wall.x2, wall.z2);
    }
    if (wrong > ListedPerKind)
        Add(report.failures, "... %d walls wrong in all", wrong);
}

// Plan distance from a point to a wall segment.
float DistanceToWall(const CollisionLine& wall, float x, float z) {
    const float dx = wall.x2 - wall.x1, dz = wall.z2 - wall.z1;
    const float length2 = dx * dx + dz * dz;
    float t = length2 > 0.0f ? ((x - wall.x1) * dx + (z - wall.z1) * dz) / length2 : 0.0f;
    t = t < 0.0f ? 0.0f : t > 1.0f ? 1.0f : t;
    const float ex = wall.x1 + t * dx - x, ez = wall.z1 + t * dz - z;
    return std::sqrt(ex * ex + ez * ez);
}

// A car placed at (x, z) stands on the road (ground under it, no grass
// zone) and at least MinWallDistance from every wall.
const float MinWallDistance = 1000.0f;

void CheckStartPlace(TrackCheckReport& report, const char* what, float x, float z) {
    if (GroundTriangleAt(x, z) < 0) {
        Add(report.failures, "%s at (%.0f, %.0f): no ground", what, x, z);
        return;
    }
    const int mask = ZoneMaskAt(x, z);
    if (mask < 0 || (mask & ZoneTypeBit(4)))
        Add(report.failures, "%s at (%.0f, %.0f): not on the road (zone mask 0x%x)", what, x, z, mask);
    const int lines = CollisionLineCount();
    for (int i = 0; i < lines; i++) {
        const float d = DistanceToWall(CollisionLineTable[i], x, z);
        if (d < MinWallDistance) {
            Add(report.failures, "%s at (%.0f, %.0f): %.0f from wall %d, closer than %.0f", what, x, z, d, i,
                MinWallDistance);
            return;
        }
    }
}

// A place's facing against the guide line there: within 30 degrees.
void CheckFacing(TrackCheckReport& report, const char* what, float x, float z, float fx, float fz) {
    const int points = CpuLinePointCounts[CPU_LINE_GUIDE];
    int nearest = -1;
    float best = 0.0f;
    for (int i = 0; i < points; i++) {
        const CpuLinePoint& p = CpuLineTable[CPU_LINE_GUIDE][i];
        const float d = (p.x - x) * (p.x - x) + (p.z - z) * (p.z - z);
        if (nearest < 0 || d < best)
            nearest = i, best = d;
    }
    if (nearest < 0)
        return;
    const CpuLinePoint& p = CpuLineTable[CPU_LINE_GUIDE][nearest];
    const float length = std::sqrt(fx * fx + fz * fz);
    if (length <= 0.0f)
        return;
    const float cosine = (p.dirX * fx + p.dirZ * fz) / length;
    if (cosine < std::cos(30.0f * 3.14159265f / 180.0f))
        Add(report.failures, "%s at (%.0f, %.0f): faces %.0f degrees off line 3", what, x, z,
            std::acos(cosine < -1.0f ? -1.0f : cosine) * 180.0f / 3.14159265f);
}

// Car 0's pose on the JUMP events, by variant.
void JumpPose(int variant, float* x, float* z, float* heading) {
    if (variant == 0)
        *x = 47404.0f, *z = 85569.0f, *heading = -0.7f;
    else if (variant == 3 || variant == 4)
        *x = 78393.97f, *z = 41801.65f, *heading = -2.35249f;
    else
        *x = 50612.0f, *z = 57110.0f, *heading = 0.0f;
}

// The arena: props, their lights and the cars' poses on the floor.
void CheckArena(TrackCheckReport& report) {
    LoadObstacleLayout();
    int wrong = 0;
    auto onFloor = [&](const char* what, int i, float x, float y, float z) {
        const float ground = GroundTriangleAt(x, z) < 0 ? NAN : GroundHeight(x, z, -1, 0);
        if (!(std::fabs(ground - y) <= 20.0f) && wrong++ < ListedPerKind)
            Add(report.failures, "%s %d at (%.0f, %.0f, %.0f): no floor under it", what, i, x, y, z);
    };
    for (int i = 0; i < ArenaCounts[ARENA_SLALOM]; i++)
        onFloor("slalom prop", i, SlalomProps[i].x, SlalomProps[i].y, SlalomProps[i].z);
    for (int i = 0; i < ArenaCounts[ARENA_CONES]; i++)
        onFloor("cone", i, ConeProps[i].x, ConeProps[i].y, ConeProps[i].z);
    const int lights = ArenaCounts[ARENA_SLALOM] + ArenaCounts[ARENA_EXTRA_LIGHTS];
    for (int i = 0; i < lights && i < MARKER_LIGHTS; i++) {
        if (GroundTriangleAt(MarkerLightX[i], MarkerLightZ[i]) < 0 && wrong++ < ListedPerKind)
            Add(report.failures, "marker light %d at (%.0f, %.0f): no floor under it", i, MarkerLightX[i],
                MarkerLightZ[i]);
    }
    if (wrong > ListedPerKind)
        Add(report.failures, "... %d props and lights off the floor", wrong);
    // The opponents' poses: PlaceArenaCars moves the cars it has a pose for.
    for (int car = 0; car < MAX_CARS; car++)
        cocheX[car] = NAN;
    PlaceArenaCars();
    for (int car = 1; car < MAX_CARS; car++) {
        if (std::isnan(cocheX[car]))
            continue;
        char what[32];
        snprintf(what, sizeof what, "arena car %d", car);
        CheckStartPlace(report, what, cocheX[car], cocheZ[car]);
    }
}

// JUMP: a CAJA_SALTO zone on the centre line past the take-off line.
void CheckJumpZone(TrackCheckReport& report, const std::vector<LinePoint>& samples) {
    for (const LinePoint& p : samples) {
        if (p.z > 158812.0f && (ZoneMaskAt(p.x, p.z) & ZoneTypeBit(20)))
            return;
    }
    Add(report.failures, "no CAJA_SALTO zone on the centre line past the take-off line z 158812");
}

// The two-car sprint: both cars start at guide point 48 (they stand by its
// stretch), and the finish zone counts only while car 0 is at points 50-53,
// so those lie within its 1,440 of the finish point.
void CheckSprintPoints(TrackCheckReport& report) {
    const int points = CpuLinePointCounts[CPU_LINE_GUIDE];
    if (points < 55) {
        Add(report.failures, "line 3 has %d points: the sprint needs points 48 to 53 and more", points);
        return;
    }
    const CpuLinePoint& start = CpuLineTable[CPU_LINE_GUIDE][48];
    for (int car = 0; car < 2; car++) {
        const float x = car == 0 ? 23432.0f : 24999.0f, z = car == 0 ? 54383.0f : 54401.0f;
        const float along = (x - start.x) * start.dirX + (z - start.z) * start.dirZ;
        if (!(along >= 0.0f && along <= start.length && std::hypot(x - start.x, z - start.z) < 2000.0f))
            Add(report.failures, "sprint car %d at (%.0f, %.0f) does not start at line 3 point 48 (%.0f, %.0f)", car,
                x, z, start.x, start.z);
    }
    for (int i = 50; i <= 53; i++) {
        const CpuLinePoint& p = CpuLineTable[CPU_LINE_GUIDE][i];
        const float d = std::hypot(p.x - 25803.0f, p.z - 68000.0f);
        if (!(d < 1440.0f))
            Add(report.failures, "line 3 point %d at (%.0f, %.0f) lies %.0f from the finish point (25803, 68000)", i,
                p.x, p.z, d);
    }
}

// The places the code's race puts its cars on, each on the road and clear
// of the walls; the grid's facing (from a place to the one a row ahead)
// along line 3.
void CheckStartPlaces(TrackCheckReport& report) {
    float x, y, z, heading;
    if (TrackGroup == 4) {
        JumpPose(TrackVariant, &x, &z, &heading);
        CheckStartPlace(report, "car 0", x, z);
        CheckFacing(report, "car 0", x, z, std::sin(heading), std::cos(heading));
        return;
    }
    if (TrackCode == 67) {
        CheckStartPlace(report, "car 0", 31000.0f, 13000.0f);
        return;
    }
    if (TrackCode == 55) {
        CheckStartPlace(report, "car 0", 23432.0f, 54383.0f);
        CheckStartPlace(report, "car 1", 24999.0f, 54401.0f);
        CheckSprintPoints(report);
        return;
    }
    if (TrackGroup == 5) {
        CheckStartPlace(report, "car 0", 30904.0f, 37586.0f);
        CheckArena(report);
        return;
    }
    for (int place = 0; place < MAX_CARS; place++) {
        GridPlacePosition(TrackCode, place, &x, &y, &z);
        char what[32];
        snprintf(what, sizeof what, "grid place %d", place);
        CheckStartPlace(report, what, x, z);
        float bx, bz;
        if (GridPlacePosition(TrackCode, place + 2, &bx, &y, &bz))
            CheckFacing(report, what, x, z, x - bx, z - bz);
    }
    // The group's common start pose, on the tracks that start from the
    // group's own grid (the others' grids lie elsewhere).
    if (GridLayoutOf(TrackCode) != TrackGroup)
        return;
    StartPosePosition(TrackGroup, &x, &z);
    CheckStartPlace(report, "start pose", x, z);
}

}  // namespace

bool LoadTrackForCheck(const char* gameDir, int code, std::string* error) {
    if (code < 10 || code > 79) {
        if (error)
            *error = "track codes run from 10 to 79 (group x 10 + variant)";
        return false;
    }
    if (!PlatSetCurrentDir(gameDir)) {
        if (error)
            *error = std::string("cannot use the game folder ") + gameDir;
        return false;
    }
    VfsScanArchives();
    TrackGroup = code / 10;
    TrackVariant = code % 10;
    TrackCode = code;
    FrontEndActive = 0;
    SetTrackFolder();
    LoadZones();
    LoadTrackData();
    LoadTrackLighting();
    return true;
}

void CheckTrackFiles(TrackCheckReport& report) {
    const int n = Number();
    ExpectSize(report, "%sBIN\\IACPU%d.dat", TrackGroup, (int)sizeof CpuLineTable, "5 lines of 200 records");
    {
        std::vector<unsigned char> buffer;
        std::string path;
        const int size = TrackFileSize("%sBIN\\NumCol%02d.dat", n, buffer, path);
        int32_t words = -1;
        if (size < 0) {
            Add(report.failures, "%s: missing or unreadable", path.c_str());
        } else if (size != 4) {
            Add(report.failures, "%s: %d bytes, expected 4", path.c_str(), size);
        } else {
            memcpy(&words, buffer.data(), 4);
            if (words < 0 || words % 16 != 0 || words / 16 > COLLISION_LINE_CAPACITY)
                Add(report.failures, "%s: %d is not lines x 16 within %d lines", path.c_str(), words,
                    (int)COLLISION_LINE_CAPACITY);
            else
                ExpectSize(report, "%sBIN\\coli%02d.ppp", n, words * 4, "the lines NumCol counts, 64 bytes each");
        }
    }
    ExpectSize(report, "%sBIN\\OffCua%02d.col", n, CollisionGridColumns(n) * COLLISION_GRID_ROWS * 4,
               "one int per collision cell");
    ExpectLists(report, "%sBIN\\TCuadr%02d.col", n);
    ExpectSize(report, "%sBIN\\OffCuadr%02d.Alt", n, HEIGHT_GRID_COLUMNS * HEIGHT_GRID_ROWS * 4,
               "one int per height cell");
    ExpectLists(report, "%sBIN\\TCuadran%02d.Alt", n);
    ExpectSize(report, "%sBIN\\OffCuadr%02d.Caj", n, ZONE_GRID_COLUMNS * ZONE_GRID_ROWS * 4, "one int per zone cell");
    ExpectLists(report, "%sBIN\\TCuadran%02d.Caj", n);
    ExpectSize(report, "%sBIN\\Cajas%02d.dat", n, (int)sizeof ZoneTable, "the zone table");
    ExpectSize(report, "%sBIN\\Ilumina%d.dat", n, (int)sizeof LightTable, "512 lights");

    // The section file as shipped: its own header counts its entries.
    {
        std::vector<unsigned char> buffer;
        std::string path;
        const int size = TrackFileSize("%sBIN\\Mundo%02d.TNT", n, buffer, path);
        int32_t total = -1;
        if (size >= 1600)
            memcpy(&total, buffer.data() + 4 * WORLD_SECTION_TOTAL_INT, 4);
        if (size < 0)
            Add(report.failures, "%s: missing or unreadable", path.c_str());
        else if (size < 1600 || total < 0 || size != 1600 + 48 * total)
            Add(report.failures, "%s: %d bytes, not 1,600 + 48 x its %d entries", path.c_str(), size, total);
        else if (total != WorldSectionTable.header[WORLD_SECTION_TOTAL_INT])
            Add(report.failures, "%s: %d entries, but the zones and world make %d", path.c_str(), total,
                WorldSectionTable.header[WORLD_SECTION_TOTAL_INT]);
    }
    const int sections = WorldSectionTable.header[WORLD_SECTION_TOTAL_INT];
    ExpectSize(report, "%sBIN\\GouMun%02d.dat", n, 400 + 12 * sections, "400 + 12 x the world-section entries");

    char name[32];
    snprintf(name, sizeof name, "MUNDO%02d", TrackGroup);
    const int first = ObjectEntries[FindObject(name)].triangleOffset / (int)sizeof(ObjectTriangle);
    int end = first + CAR_SHADE_TRIANGLES_BUILT;
    if (end > TRIANGLE_POOL_SIZE)
        end = TRIANGLE_POOL_SIZE;
    ExpectSize(report, "%sBIN\\GouCoh%02d.dat", n, 4 * end - 1, "17,000 triangles of 4 bytes, the last 3");
}

void CheckLoadedTrack(TrackCheckReport& report) {
    if (CollisionGrid.rejectedCells)
        Add(report.failures, "collision grid: %d cells with bad offsets or entries", CollisionGrid.rejectedCells);
    if (HeightGrid.rejectedCells)
        Add(report.failures, "height grid: %d cells with bad offsets or entries", HeightGrid.rejectedCells);
    if (ZoneGrid.rejectedCells)
        Add(report.failures, "zone grid: %d cells with bad offsets or entries", ZoneGrid.rejectedCells);

    const int points = CpuLinePointCounts[CPU_LINE_GUIDE];
    if (points < 3) {
        Add(report.failures, "guide line (line 3): %d points, a loop needs 3 or more", points);
        return;
    }
    for (int line = 0; line < CPU_LINE_GUIDE; line++) {
        if (CpuLinePointCounts[line] != points)
            Add(report.failures, "line %d: %d points, the guide line %d (the driving lines follow its indices)", line,
                CpuLinePointCounts[line], points);
    }

    const std::vector<LinePoint> line = GuideLine();
    const std::vector<LinePoint> samples = SampleGuideLine(line);
    int noGround = 0, noView = 0;
    for (const LinePoint& p : samples) {
        if (GroundTriangleAt(p.x, p.z) < 0 && noGround++ < ListedPerKind)
            Add(report.failures, "centre line: no ground at (%.0f, %.0f)", p.x, p.z);
        int visible = 0;
        for (int zone = ZONE_FIRST_VISIBILITY; zone < ZONE_LAST_VISIBILITY - 2 && !visible; zone++) {
            const ZoneRecord& record = ZoneTable.records[zone];
            visible = ZoneVertexCount(record) >= 3 && record.visibility[0] != 0 && PointInZoneExact(record, p.x, p.z);
        }
        if (!visible && noView++ < ListedPerKind)
            Add(report.failures, "centre line: (%.0f, %.0f) lies in no visibility zone", p.x, p.z);
    }
    if (noGround > ListedPerKind)
        Add(report.failures, "... %d centre-line points without ground", noGround);
    if (noView > ListedPerKind)
        Add(report.failures, "... %d centre-line points outside the visibility zones", noView);

    CheckCheckpoints(report, samples);
    CheckWalls(report, line);
    CheckStartPlaces(report);
    if (TrackGroup == 4)
        CheckJumpZone(report, samples);

    Add(report.notes, "%d guide-line points, %d walls, %d world triangles, %d world-section entries, %d lights",
        points, CollisionLineCount(), TriangleTotal, WorldSectionTable.header[WORLD_SECTION_TOTAL_INT], LightCount);
}

int RunTrackCheck(const char* gameDir, int code, TrackCheckReport& report) {
    std::string error;
    if (!LoadTrackForCheck(gameDir, code, &error)) {
        report.failures.push_back(error);
        return -1;
    }
    CheckTrackFiles(report);
    CheckLoadedTrack(report);
    return (int)report.failures.size();
}
