// The arena events' props once they stand: a car's footprint knocks a prop,
// the prop flies, bounces and comes to rest by its own small physics, and
// the hit moves the time limit (poles, cones and bars cost 5 s, targets give
// 10 s).  A prop goes standing -> moving -> done and is never hit again in
// that race.  The decorations of every group animate here too.

#include "race/arena_props.h"

#include <cmath>

#include "frame/utils.h"
#include "race/hud.h"
#include "race/particles.h"
#include "race/race_state.h"
#include "render/geometry.h"
#include "sound/effect_sounds.h"
#include "track/ground.h"
#include "track/track_state.h"
#include "track/zones.h"

namespace {

const float Pi = 3.14159265358979f;
const float Lying = 1.57f;

// Targets and the two marker lights each owns: targets first..last own the
// lights from firstLight on, two apiece.
struct TargetLightRow {
    int variant, first, last, firstLight;
};
const TargetLightRow TargetLightTable[] = {
    {1, 38, 41, 42},
    {2, 56, 58, 59},
    {3, 69, 71, 73},
    {4, 90, 94, 95},
};
static_assert(94 - 90 + 1 <= (MARKER_LIGHTS - 95) / 2);

int CarOf(int car) { return car >= 0 && car < MAX_CARS ? car : 0; }

// The yaw a knocked prop flies off with: the car's heading, turned round
// when the car backs into it.
float KnockYaw(int car) {
    const float h = CarHeading[car];
    const float along = VelocityX[car] * std::sin(h) + VelocityZ[car] * std::cos(h);
    return along < 0.0f ? h + Pi : h;
}

float SpeedSquared(float vx, float vy, float vz) { return vx * vx + vy * vy + vz * vz; }

void KnockOut(int light) {
    if (light >= 0 && light < MARKER_LIGHTS)
        KnockedFlags[light] = 1;
}

void KnockSlalom(int i, int car) {
    PropState& state = SlalomStates[i];
    PropPlacement& prop = SlalomProps[i];
    // A knocked prop leaves a dark mark on the floor where it stood.
    SpawnGroundSprite(prop.x, prop.y, prop.z);
    state.vx = 2.0f * VelocityX[car];
    state.vz = 2.0f * VelocityZ[car];
    state.vy = 0.85f * CarSpeed[car];
    prop.yaw = KnockYaw(car) + ((float)(int)(GameRandom() / 16384) - 0.5f) * 0.5f;
    state.moving = 1;
    prop.tilt = 0.0f;
    state.spin = 0.004f * CarSpeed[car];
    PlaySlalomHitSound(car);
    const int poles = ArenaCounts[ARENA_SLALOM] - ArenaCounts[ARENA_TARGETS];
    if (i < poles) {
        PlayPenaltySound(car);
        AdjustTimeLeft(-5);
    } else {
        PlayTargetHitSound(car);
        AdjustTimeLeft(10);
        int first;
        if (TargetLights(i, &first)) {
            KnockOut(first);
            KnockOut(first + 1);
        }
    }
    KnockOut(i);
}

void MoveSlalom(int i) {
    PropState& state = SlalomStates[i];
    PropPlacement& prop = SlalomProps[i];
    state.vy -= 3.5f;
    if (GroundHeight(prop.x, prop.z, -1, 0) > prop.y) {
        state.vy = std::fabs(state.vy) * 0.7f;
        state.third = 1;
    }
    prop.x += state.vx, prop.y += state.vy, prop.z += state.vz;
    if (state.third)
        prop.tilt += state.spin;
    const float keep = prop.tilt > Lying ? 0.95f : 0.98f;
    if (prop.tilt > Lying)
        prop.tilt = Lying;
    state.vx *= keep, state.vy *= keep, state.vz *= keep;
    state.spin *= 1.1f;
    if (SpeedSquared(state.vx, state.vy, state.vz) < 0.2f && prop.tilt == Lying) {
        state.moving = 0;
        state.done = 1;
    }
}

void KnockCone(int i, int car) {
    PropState& state = ConeStates[i];
    PropPlacement& prop = ConeProps[i];
    SpawnGroundSprite(prop.x, prop.y, prop.z);
    prop.yaw = KnockYaw(car);
    state.moving = 1;
    prop.tilt = 0.0f;
    const float speed = CarSpeed[car];
    if (speed > 60.0f) {
        state.vx = VelocityX[car], state.vz = VelocityZ[car];
        state.vy = 0.9f * speed;
        state.spin = -0.01f * speed;
    } else {
        state.vx = 2.0f * VelocityX[car], state.vz = 2.0f * VelocityZ[car];
        state.vy = 1.08f * speed;
        state.spin = 0.0045f * speed;
    }
    PlayConeHitSound(car);
    PlayPenaltySound(car);
    AdjustTimeLeft(-5);
}

void MoveCone(int i) {
    PropState& state = ConeStates[i];
    PropPlacement& prop = ConeProps[i];
    state.vy -= 2.0f;
    if (GroundHeight(prop.x, prop.z, -1, 0) > prop.y) {
        state.vx *= 0.97f, state.vy *= 0.97f, state.vz *= 0.97f;
        state.vy = std::fabs(state.vy) * 0.6f;
        state.third += 1;
        if (state.third == 1)
            state.spin *= 0.4f;
        if (state.third >= 3 && std::fabs(prop.tilt) > Lying) {
            state.spin = 0.0f;
            prop.tilt = Lying;
        }
    } else {
        state.vx *= 0.98f, state.vy *= 0.98f, state.vz *= 0.98f;
    }
    prop.x += state.vx, prop.y += state.vy, prop.z += state.vz;
    prop.tilt += state.spin;
    state.spin *= 0.998f;
    if (SpeedSquared(state.vx, state.vy, state.vz) < 0.2f && prop.tilt == Lying) {
        state.moving = 0;
        state.done = 1;
    }
}

// Where segments a-b and c-d meet, both taken whole; vertical segments by
// their x, parallel ones never.
int SegmentsMeet(float ax, float az, float bx, float bz, float cx, float cz, float dx, float dz, float* px) {
    const float ex = bx - ax, ez = bz - az, fx = dx - cx, fz = dz - cz;
    const float cross = ex * fz - ez * fx;
    if (cross == 0.0f)
        return 0;
    const float t = ((cx - ax) * fz - (cz - az) * fx) / cross;
    const float u = ((cx - ax) * ez - (cz - az) * ex) / cross;
    if (t < 0.0f || t > 1.0f || u < 0.0f || u > 1.0f)
        return 0;
    *px = ax + t * ex;
    return 1;
}

void HitPole(int i, int car) {
    const PoleBar& bar = PoleBars[i];
    float sumX = 0.0f;
    int hits = 0;
    for (int k = 0; k < 4; k++) {
        const float* f = CarFootprints[car];
        float px;
        if (SegmentsMeet(f[2 * k], f[2 * k + 1], f[2 * k + 2], f[2 * k + 3], bar.x1, bar.z1, bar.x2, bar.z2, &px)) {
            sumX += px;
            hits++;
        }
    }
    if (hits == 0 || !(cocheY[car] < bar.top))
        return;
    // The same exact carry as every other penalty.
    AdjustTimeLeft(-5);
    PlayPoleHitSound(car);
    PlayPenaltySound(car);
    PoleBarState& state = PoleStates[i];
    state.moving = 1;
    state.spin = (bar.cx - sumX / hits) * 0.00001f;
    state.vx = 0.15f * VelocityX[car];
    state.vz = 0.15f * VelocityZ[car];
    state.vy = 1.8f;
}

void MovePole(int i) {
    PoleBarState& state = PoleStates[i];
    PropPlacement& prop = PoleProps[i];
    prop.tilt += state.spin;
    state.spin *= 0.992f;
    state.vy -= 2.2f;
    if (GroundHeight(prop.x, prop.z, -1, 0) > prop.y) {
        state.vx *= 0.8f, state.vz *= 0.8f;
        state.vy = std::fabs(state.vy) * 0.672f;
    } else {
        state.vx *= 0.9998f, state.vy *= 0.9998f, state.vz *= 0.9998f;
    }
    prop.x += state.vx, prop.y += state.vy, prop.z += state.vz;
    if (SpeedSquared(state.vx, state.vy, state.vz) < 0.2f) {
        state.moving = 0;
        state.done = 1;
    }
}

struct ArenaCarPose {
    int variant, car;
    float x, y, z, heading;
};
const ArenaCarPose ArenaCarPoses[] = {
    {0, 1, 37444, 303, 35144, 7.8648f},  {0, 2, 34734, 302, 23658, 5.8258f},
    {1, 1, 33320, 303, 60167, 4.8858f},  {1, 2, 37858, 302, 31516, 6.3568f},
    {1, 3, 37077, 302, 31516, 6.2158f},  {1, 4, 24698, 302, 54552, 10.9208f},
    {1, 5, 24698, 302, 53423, 10.9208f}, {1, 6, 26261, 302, 31881, 14.4868f},
    {2, 1, 31445, 303, 84197, 4.6608f},  {2, 2, 32373, 302, 86255, 5.5828f},
    {2, 3, 34432, 302, 87241, 6.3318f},  {2, 4, 36838, 302, 84710, 4.6578f},
    {2, 5, 36814, 302, 83850, 4.6578f},  {2, 6, 38644, 302, 54475, 11.0108f},
    {2, 7, 38644, 302, 53000, 11.0108f}, {3, 1, 30074, 303, 56711, 4.6808f},
    {3, 2, 30074, 302, 57411, 4.6808f},  {3, 3, 30074, 302, 58111, 4.6808f},
    {3, 4, 30074, 302, 58811, 4.6808f},  {3, 5, 30074, 302, 59511, 4.6808f},
    {3, 6, 24244, 302, 30358, 4.6078f},  {3, 7, 24700, 302, 68037, 15.7128f},
    {4, 1, 30286, 303, 57939, 3.1522f},  {4, 2, 38000, 302, 49241, 6.251f},
    {4, 3, 38000, 302, 47896, 6.3074f},  {4, 4, 38000, 302, 46551, 6.3121f},
    {4, 5, 37504, 302, 28188, 4.6997f},  {4, 6, 34696, 302, 23853, 3.6333f},
    {4, 7, 30800, 302, 23030, 3.1459f},  {6, 1, 37562, 302, 76373, 1.5822f},
    {6, 2, 37512, 302, 35175, 4.681f},   {6, 3, 34703, 302, 23755, 2.5521f},
};

// The lights of group 5 that restart on blink phase p: the pairs
// {0, 2}, {1, 3}, {4, 6}, {5, 7} ... at 2p, 2p + 4, ..., then every light
// from 15 + 2p on.
void BlinkArenaLights(int phase) {
    static const int Pairs[8] = {0, 2, 1, 3, 4, 6, 5, 7};
    const int lights = ArenaCounts[ARENA_SLALOM] + ArenaCounts[ARENA_EXTRA_LIGHTS];
    const int limit = lights < MARKER_LIGHTS ? lights : MARKER_LIGHTS;
    for (int k = 2 * phase; k < limit; k += 4) {
        const int base = (k / 8) * 8;
        for (int j = 0; j < 2; j++) {
            const int light = base + Pairs[(k % 8) + j];
            if (light < limit)
                DecorFrames[light] = 0;
        }
    }
    for (int light = 15 + 2 * phase; light < limit; light++)
        DecorFrames[light] = 0;
}

void AdvanceFrames(int first, int last) {
    for (int k = first; k <= last && k < DECOR_FRAMES; k++)
        if (k >= 0 && DecorFrames[k] < 12)
            DecorFrames[k] += 1;
}

}  // namespace

int TargetLights(int target, int* first) {
    for (const TargetLightRow& row : TargetLightTable) {
        if (row.variant != TrackVariant || target < row.first || target > row.last)
            continue;
        const int light = row.firstLight + 2 * (target - row.first);
        if (light + 1 >= MARKER_LIGHTS)
            return 0;
        *first = light;
        return 1;
    }
    return 0;
}

void ClearPropStates() {
    for (PropState& state : SlalomStates)
        state.moving = state.done = state.third = 0;
    for (int& flag : KnockedFlags)
        flag = 0;
}

void ClearConeStates() {
    for (PropState& state : ConeStates)
        state.moving = state.done = state.third = 0;
}

void ClearPoleStates() {
    for (int i = 0; i < PoleCount && i < POLE_BARS; i++)
        PoleStates[i].moving = PoleStates[i].done = 0;
}

void UpdateSlalomPoles() {
    const int car = CarOf(CurrentCar);
    const int count = ArenaCounts[ARENA_SLALOM] < PROP_SLOTS ? ArenaCounts[ARENA_SLALOM] : PROP_SLOTS;
    for (int i = 0; i < count && i < MARKER_LIGHTS; i++) {
        const PropState& state = SlalomStates[i];
        if (state.done)
            continue;
        if (!state.moving && PointInCarFootprint(SlalomProps[i].x, SlalomProps[i].z))
            KnockSlalom(i, car);
        else if (state.moving && car == 0)
            MoveSlalom(i);
    }
}

void UpdateCones() {
    const int car = CarOf(CurrentCar);
    const int count = ArenaCounts[ARENA_CONES] < PROP_SLOTS ? ArenaCounts[ARENA_CONES] : PROP_SLOTS;
    for (int i = 0; i < count; i++) {
        const PropState& state = ConeStates[i];
        if (state.done)
            continue;
        if (!state.moving && PointInCarFootprint(ConeProps[i].x, ConeProps[i].z))
            KnockCone(i, car);
        else if (state.moving && car == 0)
            MoveCone(i);
    }
}

void UpdatePoles() {
    const int car = CarOf(CurrentCar);
    for (int i = 0; i < PoleCount && i < POLE_BARS; i++) {
        const PoleBarState& state = PoleStates[i];
        if (state.done)
            continue;
        if (!state.moving)
            HitPole(i, car);
        else if (car == 0)
            MovePole(i);
    }
}

void PlaceArenaCars() {
    if (TrackGroup != 5)
        return;
    for (const ArenaCarPose& pose : ArenaCarPoses) {
        if (pose.variant != TrackVariant || pose.car >= MAX_CARS)
            continue;
        cocheX[pose.car] = pose.x;
        cocheY[pose.car] = pose.y;
        cocheZ[pose.car] = pose.z;
        CarHeading[pose.car] = pose.heading;
        HeadingAccum[pose.car] = pose.heading;
    }
    for (int car = 0; car < MAX_CARS; car++) {
        SimPosX[car] = cocheX[car];
        SimPosY[car] = cocheY[car];
        SimPosZ[car] = cocheZ[car];
    }
}

void ResetDecorations() {
    DecorTicks = 0;
    DecorBlink[0] = DecorBlink[1] = 0;
    DecorTexture = 2020;
    TurboLightTimer = 0;
    for (int& frame : DecorFrames)
        frame = 0;
}

void AnimateDecorations() {
    SkyDrift += DecorRate;
    DecorTicks += 1;
    switch (TrackGroup) {
    case 1:
        DecorSpin += 0.012f;
        AdvanceFrames(11, 28);
        if (DecorTicks % 6 == 0) {
            DecorFrames[11 + DecorBlink[0]] = 0;
            DecorFrames[21 + DecorBlink[1]] = 0;
            DecorBlink[0] = (DecorBlink[0] + 1) % 10;
            DecorBlink[1] = (DecorBlink[1] + 1) % 8;
        }
        break;
    case 2:
        DecorSpin += 0.017f;
        AdvanceFrames(8, 10);
        if (DecorTicks % 11 == 0) {
            DecorFrames[8 + DecorBlink[0]] = 0;
            DecorBlink[0] = (DecorBlink[0] + 1) % 3;
        }
        break;
    case 3:
        for (int k = 0; k < 4; k++)
            DecorSway[k] += 0.06f + 0.003f * k;
        DecorSpin += 0.03f;
        AdvanceFrames(0, 7);
        if (DecorTicks % 10 == 0) {
            DecorFrames[DecorBlink[0]] = DecorFrames[DecorBlink[0] + 4] = 0;
            DecorBlink[0] = (DecorBlink[0] + 1) % 4;
        }
        if (DecorTicks % 4 == 0)
            DecorTexture = DecorTexture >= 2027 ? 2020 : DecorTexture + 1;
        break;
    case 4:
        if (TurboValue == 1.0f) {
            TurboLightTimer += 1;
            if (TurboLightTimer > 28)
                TurboLightTimer = 0;
        }
        break;
    case 5: {
        DecorSpin += 0.019f;
        const int lights = ArenaCounts[ARENA_SLALOM] + ArenaCounts[ARENA_EXTRA_LIGHTS];
        AdvanceFrames(0, (lights < MARKER_LIGHTS ? lights : MARKER_LIGHTS) - 1);
        if (DecorTicks % 20 == 0) {
            DecorBlink[0] ^= 1;
            BlinkArenaLights(DecorBlink[0]);
        }
        // The arena's animation leaves the render matrix at car 0's pose
        // (its angles, placed from view 0's eye); the scene builder sets the
        // matrix afresh at each of its steps, so no drawing leans on it.
        LoadIdentityRender();
        MatrixRotateYZX(AnguloDeCaida[0], CarHeading[0], AnguloDeBalanza[0]);
        MatrixSetTranslation(cocheX[0] + EyeX[0], cocheY[0] + EyeY[0], cocheZ[0] + EyeZ[0]);
        break;
    }
    case 7: DecorSpin += 0.019f; break;
    default: break;
    }
}
