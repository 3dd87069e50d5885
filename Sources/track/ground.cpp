#include "track/ground.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "frame/frame_state.h"
#include "race/race_state.h"
#include "render/objects.h"
#include "render/render_state.h"
#include "track/track_files.h"
#include "track/track_state.h"
#include "track/zones.h"

float FoundGroundCorners[3][3];

// Each thread keeps the corners of its own last ground query.
static thread_local float LastGroundCorners[3][3];

const float (*GroundTriangleCorners())[3] { return LastGroundCorners; }

// GroundHeight accepts 0..220,000; the other queries 1..1,000,000.
static const float GroundLimit = 220000.0f;
static const int QueryLimit = 1000000;

// The RAMPACOL object stands where the scene builder draws the ramp.
static const float RampX = 24049.0f, RampY = 0.0f, RampZ = 82136.0f;

// Roofs and ground memory belong to cars within this squared plan distance.
static const float RoofReach = 1620000.0f;

static inline float MinF(float a, float b) { return b < a ? b : a; }
static inline float MaxF(float a, float b) { return b > a ? b : a; }
static inline int Min3(int a, int b, int c) { return std::min(a, std::min(b, c)); }
static inline int Max3(int a, int b, int c) { return std::max(a, std::max(b, c)); }

// One edge of the crossing rule with integer corners and a real point: it
// counts when exactly one end lies at or below z.
static inline int EdgeToggles(double xi, double zi, double xj, double zj, double x, double z) {
    if ((zi <= z) == (zj <= z))
        return 0;
    return x < xi + (xj - xi) * (z - zi) / (zj - zi);
}

static int TriangleHolds(const int* xs, const int* zs, double x, double z) {
    return EdgeToggles(xs[0], zs[0], xs[2], zs[2], x, z) ^ EdgeToggles(xs[1], zs[1], xs[0], zs[0], x, z) ^
           EdgeToggles(xs[2], zs[2], xs[1], zs[1], x, z);
}

// Height at (x, z) of the plane through three corners, given the corners'
// doubled plan area `cross` (not 0).
static double PlaneHeight(const double* cx, const double* cy, const double* cz, double cross, double x, double z) {
    const double a = ((x - cx[0]) * (cz[2] - cz[0]) - (cx[2] - cx[0]) * (z - cz[0])) / cross;
    const double b = ((cx[1] - cx[0]) * (z - cz[0]) - (x - cx[0]) * (cz[1] - cz[0])) / cross;
    return cy[0] + a * (cy[1] - cy[0]) + b * (cy[2] - cy[0]);
}

// The first ground triangle of the height-grid cell of the rounded point
// (ix, iz) whose plan holds (x, z).  Zero-area triangles are passed over: a
// plane cannot be put through them.  Returns the entry, or -1.
static int WalkHeightCell(int ix, int iz, double x, double z, double* height, float corners[3][3]) {
    const int loaded = TriangleTotal;
    for (const int* entry = CellListAt(HeightGrid, ix, iz); *entry != -1; entry++) {
        if (*entry == -2)
            continue;
        const int t = *entry >> 2;
        if (t >= loaded)
            continue;   // the pools were replaced since the grid was loaded
        const ObjectTriangle& triangle = TrianglePool[t];
        const ObjectVertex* v[3];
        for (int k = 0; k < 3; k++)
            v[k] = &VertexPool[triangle.corner[k] & 0xFFFFu];
        // Rounding moves a corner by half a unit at most: a triangle this far
        // off the point is rejected below all the same, so it is passed over
        // before any corner is rounded.  Outside the corners' z range no
        // edge counts.
        const float fx = (float)ix;   // exact: ix is at most 1,000,000
        const float x0 = v[0]->x, x1 = v[1]->x, x2 = v[2]->x;
        if (fx + 0.5f < MinF(x0, MinF(x1, x2)) || fx - 0.5f > MaxF(x0, MaxF(x1, x2)))
            continue;
        const float z0 = v[0]->z, z1 = v[1]->z, z2 = v[2]->z;
        if (z + 0.5 < MinF(z0, MinF(z1, z2)) || z - 0.5 > MaxF(z0, MaxF(z1, z2)))
            continue;
        int xs[3], zs[3];
        for (int k = 0; k < 3; k++) {
            xs[k] = TrackRound(v[k]->x);
            zs[k] = TrackRound(v[k]->z);
        }
        if (ix < Min3(xs[0], xs[1], xs[2]) || ix > Max3(xs[0], xs[1], xs[2]))
            continue;
        if (z < Min3(zs[0], zs[1], zs[2]) || z >= Max3(zs[0], zs[1], zs[2]))
            continue;
        if (!TriangleHolds(xs, zs, x, z))
            continue;
        const int64_t cross = ((int64_t)xs[1] - xs[0]) * ((int64_t)zs[2] - zs[0]) -
                              ((int64_t)xs[2] - xs[0]) * ((int64_t)zs[1] - zs[0]);
        if (cross == 0)
            continue;
        if (height) {
            const double cx[3] = {(double)xs[0], (double)xs[1], (double)xs[2]};
            const double cy[3] = {v[0]->y, v[1]->y, v[2]->y};
            const double cz[3] = {(double)zs[0], (double)zs[1], (double)zs[2]};
            *height = PlaneHeight(cx, cy, cz, (double)cross, x, z);
            for (int k = 0; k < 3; k++) {
                corners[k][0] = (float)xs[k];
                corners[k][1] = v[k]->y;
                corners[k][2] = (float)zs[k];
            }
        }
        return *entry;
    }
    return -1;
}

float GroundHeight(float x, float z, int car, int wheel) {
    // The menu scene's ground shimmers.  The C library's rand() may run past
    // 32767 here, so it is cut to 15 bits as the game expects.
    if (FrontEndActive == 1)
        return 30.0f * ((float)(rand() & 0x7FFF) / 32767.0f);
    if (!(x >= 0.0f && x <= GroundLimit && z >= 0.0f && z <= GroundLimit))
        return 0.0f;

    const int remembers = car >= 0 && car < MAX_CARS && wheel >= 0 && wheel < GROUND_WHEELS;
    double height;
    if (WalkHeightCell(TrackRound(x), TrackRound(z), x, z, &height, LastGroundCorners) >= 0) {
        if (remembers)
            GroundMemory[car][wheel].store((float)height, std::memory_order_relaxed);
        return (float)height;
    }
    if (remembers)
        return GroundMemory[car][wheel].load(std::memory_order_relaxed);
    if (car == -1 && ReplayPlaying) {
        const int viewed = ViewedCar[0] >= 0 && ViewedCar[0] < MAX_CARS ? ViewedCar[0] : 0;
        return GroundMemory[viewed][0].load(std::memory_order_relaxed);
    }
    return 0.0f;
}

int GroundTriangleAt(float x, float z) {
    const int ix = TrackRound(x);
    const int iz = TrackRound(z);
    if (ix < 0 || ix > QueryLimit || iz < 0 || iz > QueryLimit)
        return -1;
    return WalkHeightCell(ix, iz, x, z, nullptr, nullptr);
}

static int CurrentCarIndex() { return CurrentCar >= 0 && CurrentCar < MAX_CARS ? CurrentCar : 0; }

void GroundUnderCar(float x, float z) {
    const int ix = TrackRound(x);
    const int iz = TrackRound(z);
    if (ix < 1 || ix > QueryLimit || iz < 1 || iz > QueryLimit)
        return;
    const int entry = WalkHeightCell(ix, iz, x, z, nullptr, nullptr);
    if (entry >= 0)
        CarGroundTriangle[CurrentCarIndex()] = entry;
}

void CarShadeFromGround() {
    const int car = CurrentCarIndex();
    const int entry = CarGroundTriangle[car];
    if (entry < 0 || (entry >> 2) >= TriangleTotal)
        return;
    const ObjectTriangle& triangle = TrianglePool[entry >> 2];
    double cx[3], cs[3], cz[3];
    for (int k = 0; k < 3; k++) {
        const ObjectVertex& v = VertexPool[triangle.corner[k] & 0xFFFFu];
        cx[k] = v.x;
        cz[k] = v.z;
        cs[k] = CarShadeTable[(entry & ~3) + k];
    }
    const double cross = (cx[1] - cx[0]) * (cz[2] - cz[0]) - (cx[2] - cx[0]) * (cz[1] - cz[0]);
    if (cross == 0.0)
        return;
    const double shade = PlaneHeight(cx, cs, cz, cross, cocheX[car], cocheZ[car]);
    const int darkness = TrackRound(255.0 - shade);
    ViewDarkness[car] = darkness;
    ViewDarknessCurrent = darkness;
}

// ---------------------------------------------------------------------------
// Arena roofs and the ramp.

// The car rotation of the drawing code: identity, then Ry(heading), Rz(roll),
// Rx(pitch) each multiplied in front, so a row vector turns by Rx first.
static void CarRotation(float pitch, float heading, float roll, float m[3][3]) {
    float r[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    auto multiplyInFront = [&r](const float op[3][3]) {
        float out[3][3];
        for (int i = 0; i < 3; i++)
            for (int j = 0; j < 3; j++)
                out[i][j] = op[i][0] * r[0][j] + op[i][1] * r[1][j] + op[i][2] * r[2][j];
        for (int i = 0; i < 3; i++)
            for (int j = 0; j < 3; j++)
                r[i][j] = out[i][j];
    };
    if (heading != 0.0f) {
        const float c = cosf(heading), s = sinf(heading);
        const float ry[3][3] = {{c, 0, -s}, {0, 1, 0}, {s, 0, c}};
        multiplyInFront(ry);
    }
    if (roll != 0.0f) {
        const float c = cosf(roll), s = sinf(roll);
        const float rz[3][3] = {{c, s, 0}, {-s, c, 0}, {0, 0, 1}};
        multiplyInFront(rz);
    }
    if (pitch != 0.0f) {
        const float c = cosf(pitch), s = sinf(pitch);
        const float rx[3][3] = {{1, 0, 0}, {0, c, s}, {0, -s, c}};
        multiplyInFront(rx);
    }
    for (int i = 0; i < 3; i++)
        for (int j = 0; j < 3; j++)
            m[i][j] = r[i][j];
}

static int TruncateToInt(double v) {
    if (!(v > -2.0e9 && v < 2.0e9))
        return v > 0 ? INT32_MAX : INT32_MIN;
    return (int)v;
}

static int OpponentInReach(int car) {
    const float dx = cocheX[car] - cocheX[0];
    const float dz = cocheZ[car] - cocheZ[0];
    return dx * dx + dz * dz <= RoofReach;
}

static int ArenaOpponentCount() {
    if (ArenaOpponents < 0)
        return 0;
    return ArenaOpponents >= MAX_CARS ? MAX_CARS - 1 : ArenaOpponents;
}

static int64_t DoubledArea(int64_t ax, int64_t az, int64_t bx, int64_t bz, int64_t cx, int64_t cz) {
    const int64_t area = (bx - ax) * (cz - az) - (cx - ax) * (bz - az);
    return area < 0 ? -area : area;
}

void BuildCarRoofTriangles() {
    WheelsOnCars = 0;
    const int savedCar = CurrentCar;
    const int opponents = ArenaOpponentCount();
    for (CurrentCar = 1; CurrentCar <= opponents; CurrentCar++) {
        const int car = CurrentCar;
        CarRoofTriangleCount[car] = 0;
        if (!OpponentInReach(car))
            continue;
        float m[3][3];
        CarRotation(AnguloDeCaida[car], CarHeading[car], AnguloDeBalanza[car], m);

        char name[32];
        const int model = CarModel[car] >= 0 && CarModel[car] < 20 ? CarModel[car] : 0;
        snprintf(name, sizeof name, "COLI%02d", model);
        const ObjectEntry& mesh = ObjectEntries[FindObject(name)];
        const int first = mesh.triangleOffset / (int)sizeof(ObjectTriangle);
        int count = mesh.triangleCount;
        if (count > ROOF_TRIANGLE_CAPACITY)
            count = ROOF_TRIANGLE_CAPACITY;   // a larger mesh keeps its first triangles
        for (int t = 0; t < count && first + t < TriangleTotal; t++) {
            const ObjectTriangle& triangle = TrianglePool[first + t];
            RoofTriangle& roof = CarRoofTriangles[car][CarRoofTriangleCount[car]++];
            for (int k = 0; k < 3; k++) {
                const ObjectVertex& v = VertexPool[triangle.corner[k] & 0xFFFFu];
                const float p[3] = {v.x, v.y, v.z};
                float w[3];
                for (int c = 0; c < 3; c++)
                    w[c] = p[0] * m[0][c] + p[1] * m[1][c] + p[2] * m[2][c];
                roof.x[k] = TruncateToInt((double)w[0] + cocheX[car]);
                roof.y[k] = TruncateToInt((double)w[1] + cocheY[car]);
                roof.z[k] = TruncateToInt((double)w[2] + cocheZ[car]);
            }
            roof.area2 = DoubledArea(roof.x[0], roof.z[0], roof.x[1], roof.z[1], roof.x[2], roof.z[2]);
        }
    }
    CurrentCar = savedCar;
}

float HeightOnCars(float x, float z, int* carFound, int, int c) {
    if (c >= 1 || TrackVariant == 7)
        return -1.0f;
    const int px = TrackRound(x);
    const int pz = TrackRound(z);
    int best = -10000;
    const int opponents = ArenaOpponentCount();
    for (int car = 1; car <= opponents; car++) {
        if (!OpponentInReach(car))
            continue;
        for (int t = 0; t < CarRoofTriangleCount[car]; t++) {
            const RoofTriangle& roof = CarRoofTriangles[car][t];
            if (px < Min3(roof.x[0], roof.x[1], roof.x[2]) || px > Max3(roof.x[0], roof.x[1], roof.x[2]))
                continue;
            const int64_t sum = DoubledArea(px, pz, roof.x[0], roof.z[0], roof.x[1], roof.z[1]) +
                                DoubledArea(px, pz, roof.x[1], roof.z[1], roof.x[2], roof.z[2]) +
                                DoubledArea(px, pz, roof.x[2], roof.z[2], roof.x[0], roof.z[0]);
            if (sum != roof.area2 || roof.area2 == 0)
                continue;   // outside, or a flat roof triangle with no plane
            const double cx[3] = {(double)roof.x[0], (double)roof.x[1], (double)roof.x[2]};
            const double cy[3] = {(double)roof.y[0], (double)roof.y[1], (double)roof.y[2]};
            const double cz[3] = {(double)roof.z[0], (double)roof.z[1], (double)roof.z[2]};
            const double cross = (cx[1] - cx[0]) * (cz[2] - cz[0]) - (cx[2] - cx[0]) * (cz[1] - cz[0]);
            const int height = TruncateToInt(PlaneHeight(cx, cy, cz, cross, x, z));
            if (height > best) {
                best = height;
                if (carFound)
                    *carFound = car;
            }
        }
    }
    return best > -10000 ? (float)best : -1.0f;
}

float RampHeight(float x, float z, int* found, int, int c) {
    if (c >= 1)
        return -1.0f;
    const ObjectEntry& ramp = ObjectEntries[FindObject("RAMPACOL")];
    const int first = ramp.triangleOffset / (int)sizeof(ObjectTriangle);
    const int px = TrackRound(x);
    for (int t = first; t < first + ramp.triangleCount && t < TriangleTotal; t++) {
        const ObjectTriangle& triangle = TrianglePool[t];
        int xs[3], zs[3];
        double cy[3];
        for (int k = 0; k < 3; k++) {
            const ObjectVertex& v = VertexPool[triangle.corner[k] & 0xFFFFu];
            xs[k] = TrackRound(v.x + RampX);
            cy[k] = TrackRound(v.y + RampY);
            zs[k] = TrackRound(v.z + RampZ);
        }
        if (px < Min3(xs[0], xs[1], xs[2]) || px > Max3(xs[0], xs[1], xs[2]))
            continue;
        if (!TriangleHolds(xs, zs, px, z))
            continue;
        const double cx[3] = {(double)xs[0], (double)xs[1], (double)xs[2]};
        const double cz[3] = {(double)zs[0], (double)zs[1], (double)zs[2]};
        double cross = (cx[1] - cx[0]) * (cz[2] - cz[0]) - (cx[2] - cx[0]) * (cz[1] - cz[0]);
        if (cross == 0.0)
            cross = 1.0;
        const int height = TruncateToInt(PlaneHeight(cx, cy, cz, cross, x, z));
        if (height > -10000) {
            if (found)
                *found = 1;
            return (float)height;
        }
        return -1.0f;
    }
    return -1.0f;
}

// ---------------------------------------------------------------------------

float PolygonPointDistance(const float* xs, const float* zs, float px, float pz, int n) {
    float best = 1e10f;
    for (int i = 0; i < n; i++) {
        const int j = i + 1 == n ? 0 : i + 1;
        const float ex = xs[j] - xs[i];
        const float ez = zs[j] - zs[i];
        const float length = sqrtf(ex * ex + ez * ez);
        const float ax = px - xs[i], az = pz - zs[i];
        float d;
        const float t = length > 0.0f ? (ax * ex + az * ez) / length : -1.0f;
        if (t >= 0.0f && t <= length) {
            d = fabsf(ax * ez - az * ex) / length;
        } else {
            // Off the edge (or an edge of no length): the nearer end.
            const float bx = px - xs[j], bz = pz - zs[j];
            const float da = sqrtf(ax * ax + az * az);
            const float db = sqrtf(bx * bx + bz * bz);
            d = da < db ? da : db;
        }
        if (d < best)
            best = d;
    }
    return best;
}

void FindGroundTriangle(float x, float z) {
    if (!(x >= 0.0f && x <= GroundLimit && z >= 0.0f && z <= GroundLimit))
        return;
    for (const int* entry = CellListAt(HeightGrid, TrackRound(x), TrackRound(z)); *entry != -1; entry++) {
        if (*entry == -2 || (*entry >> 2) >= TriangleTotal)
            continue;
        const ObjectTriangle& triangle = TrianglePool[*entry >> 2];
        for (int k = 0; k < 3; k++) {
            const ObjectVertex& v = VertexPool[triangle.corner[k] & 0xFFFFu];
            FoundGroundCorners[k][0] = v.x;
            FoundGroundCorners[k][1] = v.y;
            FoundGroundCorners[k][2] = v.z;
        }
    }
}
