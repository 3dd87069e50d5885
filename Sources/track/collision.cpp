// Wall and car collisions in the plan (x, z).  A car is its footprint, the
// four corners of its collision box turned by the car's angles; a wall is a
// collision line of the car's 750-unit cell.  The answer pushes the car out,
// bounces and slows it, spins and tilts its body, and asks for the crash
// sounds, sparks and, in network play, hit reports.  Timer thread, inside
// the tick.

#include "track/collision.h"

#include <cmath>

#include "frame/frame_state.h"
#include "net/net_state.h"
#include "net/race_sync.h"
#include "net/remote_cars.h"
#include "race/particles.h"
#include "race/race_state.h"
#include "render/geometry.h"
#include "render/objects.h"
#include "render/render_state.h"
#include "sound/car_sounds.h"
#include "track/track_files.h"
#include "track/track_state.h"
#include "track/zones.h"

namespace {

// The collision-box vertices of each car model (vertex 4m..4m+3 of the
// collision objects), in the order the footprint takes them.
const int CarBoxCorners[20][4] = {
    {1, 2, 3, 0},     {5, 6, 7, 4},     {10, 9, 8, 11},   {14, 13, 12, 15}, {17, 18, 19, 16},
    {22, 21, 20, 23}, {26, 25, 24, 27}, {30, 29, 28, 31}, {34, 33, 32, 35}, {38, 37, 36, 39},
    {42, 41, 40, 43}, {46, 45, 44, 47}, {50, 49, 48, 51}, {54, 53, 52, 55}, {57, 58, 59, 56},
    {62, 61, 60, 63}, {65, 66, 67, 64}, {70, 69, 68, 71}, {74, 73, 72, 75}, {78, 77, 76, 79},
};

const float FarSquared = 1620000.0f;       // cars farther apart than about 1,273 units do not meet
const float StartDepth = 5000000.0f;
const float ScrapeSpeed = 7.0f;
const float HardHit = 1200.0f;
const float MaxStrength = 31000.0f;
// Intersections at the very ends of two segments count: the crossing
// parameters may stray this far outside 0..1 by rounding.
const float EndTolerance = 1.0e-4f;

struct Vec2 {
    float x, z;
};

Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.z - b.z}; }
float Dot(Vec2 a, Vec2 b) { return a.x * b.x + a.z * b.z; }
float Cross(Vec2 a, Vec2 b) { return a.x * b.z - a.z * b.x; }
float Length(Vec2 a) { return std::sqrt(a.x * a.x + a.z * a.z); }

int CarsInRace() { return CarCount < MAX_CARS ? (int)CarCount : MAX_CARS; }

int ArenaRules() { return TrackGroup == 5 && TrackVariant != 5; }

Vec2 Corner(int car, int k) { return {CarFootprints[car][2 * k], CarFootprints[car][2 * k + 1]}; }

// +1 when the footprint's corners run one way round, -1 the other: the
// box-corner table takes some models' corners in the opposite order.
float Winding(int car) {
    float area = 0.0f;
    for (int k = 0; k < 4; k++)
        area += Cross(Corner(car, k), Corner(car, k + 1));
    return area > 0.0f ? -1.0f : 1.0f;
}

// The outward unit normal of footprint edge P -> Q; (0, 0) for a point.
Vec2 EdgeNormal(Vec2 p, Vec2 q, float winding) {
    const Vec2 d = q - p;
    const float length = Length(d);
    if (!(length > 0.0f))
        return {0.0f, 0.0f};
    return {-d.z / length * winding, d.x / length * winding};
}

// 1 when the point lies inside the car's footprint (on the inner side of
// all four edges).
bool InsideFootprint(int car, Vec2 point, float winding) {
    for (int k = 0; k < 4; k++) {
        const Vec2 p = Corner(car, k), q = Corner(car, k + 1);
        if (Dot(EdgeNormal(p, q, winding), point - p) >= 0.0f)
            return false;
    }
    return true;
}

// Where segments P-Q and A-B cross, ends included.  Parallel and
// zero-length segments do not cross.
bool Intersect(Vec2 p, Vec2 q, Vec2 a, Vec2 b, Vec2* out) {
    const Vec2 r = q - p, s = b - a;
    const float denominator = Cross(r, s);
    if (!(std::fabs(denominator) > 1.0e-6f * (Length(r) * Length(s))) || denominator == 0.0f)
        return false;
    const Vec2 ap = a - p;
    const float t = Cross(ap, s) / denominator;
    const float u = Cross(ap, r) / denominator;
    if (!(t >= -EndTolerance && t <= 1.0f + EndTolerance && u >= -EndTolerance && u <= 1.0f + EndTolerance))
        return false;
    *out = {p.x + t * r.x, p.z + t * r.z};
    return true;
}

// How far corner C of a crossing edge lies behind a wall of unit normal N
// through I, less when C lies beyond the wall's end: a corner past the end
// of a wall is only as deep as the end allows.
float CornerDepth(Vec2 corner, Vec2 hit, Vec2 normal, Vec2 endA, Vec2 endB) {
    float depth = Dot(normal, hit - corner);
    const float offset = std::fabs(Cross(corner - hit, normal));
    const Vec2 nearer = Length(corner - endA) <= Length(corner - endB) ? endA : endB;
    const float reach = Length(hit - nearer);
    if (offset > reach)
        depth = depth * reach / offset;
    return depth;
}

void NormaliseIfLong(Vec2* s) {
    const float length = Length(*s);
    if (length > 0.0f) {
        s->x /= length;
        s->z /= length;
    }
}

// The car's yaw rate and tilt rates: the body's spin about the vertical
// and about the two plan axes.
float& YawRateOf(int car) { return CarBodies[car].angVel[2]; }

// A network client's wall push reaches the car's stored state too, so the
// next extrapolation starts outside the wall.
void RewriteClientSample(int car) {
    if (NetSessionOpen && !NetIsHost)
        WriteWallPushSample(car, SimPosX[car], SimPosZ[car], VelocityX[car], VelocityZ[car]);
}

}  // namespace

void BuildCarBoxes() {
    if (FrontEndActive == 1)
        return;
    const int cars = CarsInRace();
    if (CarBoxesDirty == 1) {
        CarBoxesDirty = 0;
        for (int car = 0; car < cars; car++) {
            int model = CarModel[car];
            if (TrackGroup == 5 && TrackVariant < 5 && car != 0)
                model = 19;
            if (model < 0 || model >= 20)
                model = 0;
            for (int k = 0; k < 4; k++) {
                const int vertex = CollisionBoxBase + CarBoxCorners[model][k];
                // Without the collision objects the box is a point: it
                // meets nothing.
                const int loaded = CollisionBoxBase >= 0 && vertex < VertexTotal && vertex < VERTEX_POOL_SIZE;
                CarBoxes[car][k][0] = loaded ? VertexPool[vertex].x : 0.0f;
                CarBoxes[car][k][1] = loaded ? VertexPool[vertex].y : 0.0f;
                CarBoxes[car][k][2] = loaded ? VertexPool[vertex].z : 0.0f;
            }
        }
    }
    for (int car = 0; car < cars; car++) {
        // The tick's own angles: the frame's copies may be several ticks old.
        LoadIdentityPhys();
        PhysMatrixRotateYZX(SimPitch[car], SimHeading[car], SimRoll[car]);
        const float(*m)[4] = PhysMatrix;
        for (int k = 0; k < 4; k++) {
            const float x = CarBoxes[car][k][0], y = CarBoxes[car][k][1], z = CarBoxes[car][k][2];
            CarFootprints[car][2 * k] = SimPosX[car] + m[0][0] * x + m[1][0] * y + m[2][0] * z;
            CarFootprints[car][2 * k + 1] = SimPosZ[car] + m[0][2] * x + m[1][2] * y + m[2][2] * z;
        }
        CarFootprints[car][8] = CarFootprints[car][0];
        CarFootprints[car][9] = CarFootprints[car][1];
    }
    CarBoxReady = 1;
}

void CollideCarWalls(int car) {
    if (car < 0 || car >= MAX_CARS)
        return;
    CarBody& body = CarBodies[car];
    float& yaw = YawRateOf(car);
    if (yaw != 0.0f) {
        SimHeading[car] += yaw * 0.05f;
        HeadingAccum[car] = SimHeading[car];
        yaw *= 0.98f;
        if (std::fabs(yaw) < 0.1f)
            yaw = 0.0f;
    }
    WallContactA[car] = WallContactB[car] = 0;
    const int cx = TrackRound(SimPosX[car]), cz = TrackRound(SimPosZ[car]);
    if (cx < 1 || cx > 1000000 || cz < 1 || cz > 1000000)
        return;
    if (CarBoxReady == 0)
        BuildCarBoxes();

    const float winding = Winding(car);
    const Vec2 v = {VelocityX[car], VelocityZ[car]};
    const Vec2 position = {SimPosX[car], SimPosZ[car]};
    Vec2 sum = {0.0f, 0.0f}, s = {0.0f, 0.0f};
    Vec2 wallNormal = {0.0f, 0.0f}, edgeNormal = {0.0f, 0.0f};
    float deepest = 0.0f, deepestEnd = 0.0f;
    int endsInside = 0;
    int contacts = 0, hitLine = -1;
    const int lines = CollisionLineCount();
    for (const int* entry = CellListAt(CollisionGrid, cx, cz); *entry >= 0; entry++) {
        if (*entry >= lines)
            continue;
        const CollisionLine& line = CollisionLineTable[*entry];
        if (line.heightLimit != 0.0f && SimPosY[car] > line.heightLimit)
            continue;
        const Vec2 a = {line.x1, line.z1}, b = {line.x2, line.z2};
        const float length = Length(b - a);
        if (!(length > 0.0f))
            continue;
        const Vec2 n = {-(b.z - a.z) / length, (b.x - a.x) / length};
        for (int i = 0; i < 4; i++) {
            const Vec2 p = Corner(car, i), q = Corner(car, i + 1);
            Vec2 hit;
            if (!Intersect(p, q, a, b, &hit))
                continue;
            contacts++;
            hitLine = *entry;
            sum.x += hit.x;
            sum.z += hit.z;

            // The corner of the edge behind the wall, and its depth.
            const Vec2 behind = Dot(q - p, n) > 0.0f ? p : q;
            const float depth = CornerDepth(behind, hit, n, a, b);
            if (depth > deepest) {
                deepest = depth;
                wallNormal = n;
            }
            // Which side of the car: the running sums about the car.
            if (Cross(sum - position, n) < 0.0f)
                WallContactA[car] = 1;
            else
                WallContactB[car] = 1;
            s.x -= n.x * Dot(n, v);
            s.z -= n.z * Dot(n, v);

            // The wall's end inside the footprint, and its depth.  An end
            // outside the footprint offers no way out: a long wall crossing
            // a corner would otherwise be answered by a push along the car's
            // own edge that leaves the corner behind the wall.
            const Vec2 m = EdgeNormal(p, q, winding);
            const Vec2 end = Dot(b - a, m) > 0.0f ? a : b;
            if (!InsideFootprint(car, end, winding))
                continue;
            const float endDepth = CornerDepth(end, hit, m, p, q);
            endsInside++;
            if (endDepth > deepestEnd) {
                deepestEnd = endDepth;
                edgeNormal = m;
            }
            s.x -= m.x * Dot(m, v);
            s.z -= m.z * Dot(m, v);
        }
    }
    if (contacts == 0) {
        WallImpactState[car] = 0;
        return;
    }

    const Vec2 contact = {sum.x / (float)contacts, sum.z / (float)contacts};
    float depth = deepest;
    Vec2 push = wallNormal;
    if (endsInside > 0 && deepestEnd < deepest) {
        depth = deepestEnd;
        push = {-edgeNormal.x, -edgeNormal.z};
    }
    NormaliseIfLong(&s);

    SimPosX[car] += (depth + 1.0f) * push.x;
    SimPosZ[car] += (depth + 1.0f) * push.z;
    const Vec2 arm = {contact.x - SimPosX[car], contact.z - SimPosZ[car]};
    const float torque = arm.z * push.x - arm.x * push.z;
    const float normalSpeed = std::fabs(push.z * v.z + push.x * v.x);
    const float tangentSpeed = push.z * v.x - push.x * v.z;
    const float impact = std::fabs(Dot(s, v));
    const int distance = CarsByDistance[car].distance;

    const int scrape = impact < ScrapeSpeed;
    if (scrape) {
        EngineRevs[car] *= 0.99f;
        WallImpactState[car] = 3;
        yaw = 0.3f * normalSpeed * torque * 0.0002f;
        PlayWallCrashSound(distance, car, 0);
    } else {
        WallImpactState[car] = 1;
        PlayWallCrashSound(distance, car, 0);
        body.angVel[0] += -(arm.z * body.forward[1] + arm.x * body.forward[0]) * normalSpeed * 0.00045f;
        body.angVel[1] += -(arm.z * body.side[1] + arm.x * body.side[0]) * normalSpeed * 0.002f;
        if (std::fabs(tangentSpeed) > 15.0f) {
            WallImpactState[car] = 2;
            PlayWallCrashSound(distance, car, 0);
        }
        yaw = 0.3f * normalSpeed * torque * 0.0001f;
        VelocityX[car] = 0.72f * normalSpeed * push.x + 0.46f * tangentSpeed * push.z;
        VelocityZ[car] = 0.72f * normalSpeed * push.z - 0.46f * tangentSpeed * push.x;
        CollisionImpulseX[car] = 0.1f * VelocityX[car];
        CollisionImpulseZ[car] = 0.1f * VelocityZ[car];
        // A blow ends a spin-out.
        body.impactMark = 1;
        RewriteClientSample(car);
    }

    // Sparks where concrete or metal was hit.
    const int material = (int)CollisionLineTable[hitLine].material;
    if (material == 0 || material == 2)
        SpawnImpactParticle(contact.x, contact.z, scrape ? 3 : 12, car);
    WallImpactState[car] = 0;
}

namespace {

// One footprint edge of `car` crossing an edge of `other` (which plays the
// wall): the depth of the car's corner behind it, kept when smallest.
struct PairSide {
    float depth = StartDepth;
    Vec2 push = {0.0f, 0.0f};
    Vec2 s = {0.0f, 0.0f};
};

void AnswerEdge(PairSide& side, Vec2 p, Vec2 q, Vec2 a, Vec2 b, Vec2 hit, float otherWinding, Vec2 dv) {
    const Vec2 n = EdgeNormal(a, b, otherWinding);
    const Vec2 behind = Dot(q - p, n) > 0.0f ? p : q;
    const float depth = CornerDepth(behind, hit, n, a, b);
    if (depth < side.depth) {
        side.depth = depth;
        side.push = n;
    }
    side.s.x -= n.x * Dot(n, dv);
    side.s.z -= n.z * Dot(n, dv);
}

// The spin and tilt of one car of a pair from the contact point.
float SpinFromContact(int car, Vec2 contact, Vec2 dv, Vec2 s, int netClient) {
    Vec2 toContact = {contact.x - SimPosX[car], contact.z - SimPosZ[car]};
    NormaliseIfLong(&toContact);
    const float cross = Cross(toContact, dv);
    CarBody& body = CarBodies[car];
    YawRateOf(car) = cross * -0.0105f;
    if (!netClient) {
        const float strength = std::fabs(Dot(s, dv)) * -0.15f;
        body.angVel[0] = (body.forward[0] * toContact.x + body.forward[1] * toContact.z) * strength;
        body.angVel[1] = (body.side[0] * toContact.x + body.side[1] * toContact.z) * strength;
    }
    return cross;
}

int LocalPlayerCar(int car) { return car <= SplitScreen && !NetSessionOpen; }

}  // namespace

void CollideCars(int c) {
    if (c < 0 || c >= MAX_CARS)
        return;
    const int arena = ArenaRules();
    const int local = LocalCar >= 0 && LocalCar < MAX_CARS ? LocalCar : 0;
    if (arena && CarSpeed[local] > 35.0f) {
        for (int car = 1; car < CarsInRace(); car++) {
            if (CarSpeed[car] < 0.01f)
                PassThroughFlags[car] = 0;
        }
    }
    if (CarBoxReady == 0)
        BuildCarBoxes();
    const int netClient = NetSessionOpen && !NetIsHost;
    const float windingC = Winding(c);

    for (int o = PresentationRun ? 1 : 0; o < c; o++) {
        const float dx = SimPosX[c] - SimPosX[o], dz = SimPosZ[c] - SimPosZ[o];
        if (dx * dx + dz * dz > FarSquared)
            continue;
        const Vec2 dv = {VelocityX[c] - VelocityX[o], VelocityZ[c] - VelocityZ[o]};
        const Vec2 dvOther = {-dv.x, -dv.z};
        const float windingO = Winding(o);
        PairSide sideC, sideO;
        Vec2 sum = {0.0f, 0.0f};
        int contacts = 0;
        for (int i = 0; i < 4; i++) {
            const Vec2 pc = Corner(c, i), qc = Corner(c, i + 1);
            for (int j = 0; j < 4; j++) {
                const Vec2 po = Corner(o, j), qo = Corner(o, j + 1);
                Vec2 hit;
                if (!Intersect(pc, qc, po, qo, &hit))
                    continue;
                contacts++;
                sum.x += hit.x;
                sum.z += hit.z;
                AnswerEdge(sideC, pc, qc, po, qo, hit, windingO, dv);
                AnswerEdge(sideO, po, qo, pc, qc, hit, windingC, dvOther);
            }
        }
        if (contacts == 0)
            continue;
        const int withLocal = c == local || o == local;
        if (arena) {
            if (std::fabs(SimPosY[c] - SimPosY[o]) > 500.0f) {
                PassThroughFlags[c == local ? o : c] = 1;
                continue;
            }
            if ((c == local && PassThroughFlags[o]) || (o == local && PassThroughFlags[c]))
                continue;
        }

        const Vec2 contact = {sum.x / (float)contacts, sum.z / (float)contacts};
        NormaliseIfLong(&sideC.s);
        NormaliseIfLong(&sideO.s);

        if (!(arena && withLocal) && !netClient) {
            const int pushed = sideC.depth <= sideO.depth ? c : o;
            const PairSide& side = pushed == c ? sideC : sideO;
            SimPosX[pushed] += (side.depth + 1.0f) * side.push.x;
            SimPosZ[pushed] += (side.depth + 1.0f) * side.push.z;
        }

        const float speed = Length(dv);
        float strength = std::nearbyint(speed * 200.0f);
        if (strength > MaxStrength)
            strength = MaxStrength;
        if (strength >= HardHit) {
            SpawnImpactParticle(contact.x, contact.z, 3, c);
            CarCrashKind[o] = 2;
            CarBodies[c].impactMark = 1;
            CarBodies[o].impactMark = 1;
        } else {
            SpawnImpactParticle(contact.x, contact.z, 6, c);
            CarCrashKind[o] = 1;
        }
        PlayCarCrashSound(CarsByDistance[o].distance, o);

        const float crossC = SpinFromContact(c, contact, dv, sideC.s, netClient);
        const float crossO = SpinFromContact(o, contact, dv, sideO.s, netClient);

        if (arena && withLocal) {
            VelocityX[c] -= 0.58f * dv.x;
            VelocityZ[c] -= 0.58f * dv.z;
            VelocityX[o] += 0.58f * dv.x;
            VelocityZ[o] += 0.58f * dv.z;
            PassThroughFlags[c] = PassThroughFlags[o] = 1;
        } else {
            const int circuit = TrackGroup == 1 || TrackGroup == 2 || TrackGroup == 3 || TrackGroup == 7;
            const int cars[2] = {c, o};
            const PairSide* sides[2] = {&sideC, &sideO};
            const float crosses[2] = {crossC, crossO};
            for (int k = 0; k < 2; k++) {
                const float spin = speed * speed < 0.5f ? 0.0f : crosses[k] / speed;
                const Vec2 s = sides[k]->s;
                const float amount = std::fabs(Dot(s, dv)) * (1.0f - 0.0025f * spin) * 0.58f;
                const Vec2 impulse = {s.x * amount, s.z * amount};
                const int car = cars[k];
                if (circuit) {
                    const float share = LocalPlayerCar(car) ? 0.2f : 0.6f;
                    CollisionImpulseX[car] = impulse.x * share;
                    CollisionImpulseZ[car] = impulse.z * share;
                }
                if (!netClient) {
                    VelocityX[car] += impulse.x;
                    VelocityZ[car] += impulse.z;
                }
            }
        }

        if (NetSessionOpen && NetIsHost && strength > HardHit) {
            QueueHitReport(o, (int)strength, contact.x, contact.z, CarBodies[o].angVel[0], CarBodies[o].angVel[1]);
            QueueHitReport(c, (int)strength, contact.x, contact.z, CarBodies[c].angVel[0], CarBodies[c].angVel[1]);
        }
    }
}
