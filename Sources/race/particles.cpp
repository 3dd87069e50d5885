// Particles.  An effect slot owns the emitter of the same number; the
// spawners take slots from four fixed rings by kind, each with its own
// rolling counter, so an effect lives until its ring comes round again or a
// particle bounces past the emitter's limit.  No search, no allocation.

#include "race/particles.h"

#include <cmath>
#include <cstring>

#include "frame/utils.h"
#include "frontend/frontend_state.h"
#include "race/race_state.h"
#include "render/geometry.h"
#include "render/render_state.h"
#include "sound/effect_sounds.h"
#include "track/ground.h"

int EffectEmitter[EFFECT_SLOTS];
int EffectSprite[EFFECT_SLOTS];
float EffectGrowth[EFFECT_SLOTS];
int EffectFlags[EFFECT_SLOTS];
float ParticleStartX[PARTICLE_ELEMENTS], ParticleStartY[PARTICLE_ELEMENTS], ParticleStartZ[PARTICLE_ELEMENTS];
float ParticleX[PARTICLE_ELEMENTS], ParticleY[PARTICLE_ELEMENTS], ParticleZ[PARTICLE_ELEMENTS];
float ParticleVX[PARTICLE_ELEMENTS], ParticleVY[PARTICLE_ELEMENTS], ParticleVZ[PARTICLE_ELEMENTS];
int32_t ParticleDead[PARTICLE_ELEMENTS];
uint8_t ParticleBounces[PARTICLE_ELEMENTS];
uint8_t EmitterCount[EMITTER_SLOTS], EmitterBounceLimit[EMITTER_SLOTS];
float EmitterBounceFactor[EMITTER_SLOTS];
int EmitterOwner[EMITTER_SLOTS], EmitterAge[EMITTER_SLOTS];
int DustAirborne[MAX_CARS];
CarSprite CarSpritePool[CAR_SPRITES];
GroundSprite GroundSpritePool[GROUND_SPRITES];

namespace {

// Every effect slot starts free, before any race has reset them.
struct SlotsStartFree {
    SlotsStartFree() {
        for (int& emitter : EffectEmitter)
            emitter = -1;
    }
} slotsStartFree;

// A ring of effect slots and the slot its next effect takes.
struct Ring {
    int first, last, next;
};
Ring ImpactRing = {RING_IMPACT_FIRST, RING_IMPACT_LAST, RING_IMPACT_FIRST};
Ring SmokeRing = {RING_SMOKE_FIRST, RING_SMOKE_LAST, RING_SMOKE_FIRST};
Ring DustRing = {RING_DUST_FIRST, RING_DUST_LAST, RING_DUST_FIRST};
Ring RainRing = {RING_RAIN_FIRST, RING_RAIN_LAST, RING_RAIN_FIRST};
int EmitterCounter;   // the emitters that SpawnEmitter(-1) takes in turn

int TakeSlot(Ring& ring) {
    if (ring.next < ring.first || ring.next > ring.last)
        ring.next = ring.first;
    const int slot = ring.next;
    ring.next = slot == ring.last ? ring.first : slot + 1;
    return slot;
}

// rand() / 32768: 0 to just under 1.
float Random01() { return (float)GameRandom() / 32768.0f; }

int CarIndex(int car) { return car >= 0 && car < MAX_CARS ? car : 0; }

int Spawning() { return EffectsEnabled != 0 && ParticleHold != 1; }

// Truncation of a spread that a speed from the physics gives; a speed that
// is no number spreads nothing.
int TruncSpread(float value) {
    if (!(value > -1.0e6f && value < 1.0e6f))
        return 0;
    return (int)value;
}

// A point of the car's frame turned by its orientation and placed at its
// position (the tick's values: the car step calls this on the timer thread).
void SimCarPoint(int car, const float local[3], float out[3]) {
    LoadIdentityPhys();
    PhysMatrixRotateYZX(SimPitch[car], SimHeading[car], SimRoll[car]);
    const Matrix4& m = PhysMatrix;
    out[0] = local[0] * m[0][0] + local[1] * m[1][0] + local[2] * m[2][0] + SimPosX[car];
    out[1] = local[0] * m[0][1] + local[1] * m[1][1] + local[2] * m[2][1] + SimPosY[car];
    out[2] = local[0] * m[0][2] + local[1] * m[1][2] + local[2] * m[2][2] + SimPosZ[car];
}

// The same from the frame's copies (sparks and dust are the frame's).
void FrameCarPoint(int car, const float local[3], float out[3]) {
    LoadIdentityPhys();
    PhysMatrixRotateYZX(AnguloDeCaida[car], CarHeading[car], AnguloDeBalanza[car]);
    const Matrix4& m = PhysMatrix;
    out[0] = local[0] * m[0][0] + local[1] * m[1][0] + local[2] * m[2][0] + cocheX[car];
    out[1] = local[0] * m[0][1] + local[1] * m[1][1] + local[2] * m[2][1] + cocheY[car];
    out[2] = local[0] * m[0][2] + local[1] * m[1][2] + local[2] * m[2][2] + cocheZ[car];
}

void SetSlot(int slot, int sprite, float growth, int flags) {
    EffectEmitter[slot] = slot;
    EffectSprite[slot] = sprite;
    EffectGrowth[slot] = growth;
    EffectFlags[slot] = flags;
}

// Smoke and rain: one of seven sprites, a random growth.
void SetPuffSlot(int slot) {
    const int sprite = 1835 + (int)(7.0f * Random01());
    SetSlot(slot, sprite, 0.1f + 0.1616f * Random01(), 0);
}

void FreeSlot(int slot) {
    EffectEmitter[slot] = -1;
    EmitterAge[slot] = 0;
}

// The 25 points around a car's body where its smoke rises.
const float SmokePoints[25][3] = {
    {-160, 220, 138}, {-140, 196, 152}, {-74, 224, 148},   {-60, 172, 162},  {2, 200, 154},
    {114, 172, 170},  {96, 206, 156},   {38, 218, 148},    {-176, 190, -152}, {-136, 224, -138},
    {-104, 182, -158}, {-60, 214, -150}, {0, 198, -154},   {26, 218, -143},  {56, 182, -166},
    {92, 188, -164},  {74, 164, -176},  {130, 232, 8},     {150, 216, -56},  {218, 172, 100},
    {192, 188, -36},  {-252, 228, 16},  {-292, 198, 70},   {-272, 210, -76}, {-254, 220, -32},
};

// The JUMP cars' two exhausts in the car's frame, and the sprites' own
// tables: the first texture of each new sprite, a small jitter, an id.
const float ExhaustPoints[2][3] = {{-46, 70, -330}, {46, 70, -330}};
const int TurboSpriteTable[12] = {2028, 2031, 2029, 2034, 2030, 2037, 2032, 2040, 2033, 2036, 2035, 2038};
const float JitterTable[26] = {0,  3,  -4, 6,  -2, 5, -6, 1, 4, -3, 2, -5, 6,
                               -1, -6, 3,  -2, 5,  0, -4, 6, 1, -5, 2, -3, 4};
const int SpriteIds[8] = {3, 7, 1, 5, 0, 6, 2, 4};
int TurboSpriteNext, JitterNext, SpriteIdNext;

float NextJitter() {
    const float j = JitterTable[JitterNext];
    JitterNext = (JitterNext + 2) % 26;
    return j;
}

// The first record of a sprite pool not in use, or null when all are.
template <typename Record, int N>
Record* FirstFree(Record (&pool)[N]) {
    for (Record& record : pool) {
        if (!record.inUse)
            return &record;
    }
    return nullptr;
}

int NextSpriteId() {
    const int id = SpriteIds[SpriteIdNext];
    SpriteIdNext = (SpriteIdNext + 1) % 8;
    return id;
}

}  // namespace

int SpawnEmitter(int slot, int count, int bounceLimit, int spread, float x, float y, float z, float vx, float vy,
                 float vz) {
    if (slot == -1) {
        slot = EmitterCounter;
        EmitterCounter = (EmitterCounter + 1) % EMITTER_SLOTS;
    }
    if (slot < 0 || slot >= EMITTER_SLOTS)
        return -1;
    // An emitter holds 32 particles; a larger count (a hit from the network,
    // say) spawns what fits.
    count = count < 0 ? 0 : count > PARTICLES_PER_EMITTER ? PARTICLES_PER_EMITTER : count;
    const float s = (float)spread;
    for (int k = 0; k < count; k++) {
        const int i = k * EMITTER_SLOTS + slot;
        ParticleStartX[i] = ParticleX[i] = x;
        ParticleStartY[i] = ParticleY[i] = y;
        ParticleStartZ[i] = ParticleZ[i] = z;
        ParticleVX[i] = vx + s * (Random01() - 0.5f);
        ParticleVY[i] = vy + s * (Random01() - 0.5f);
        ParticleVZ[i] = vz + s * (Random01() - 0.5f);
        ParticleDead[i] = 0;
        ParticleBounces[i] = 0;
    }
    EmitterCount[slot] = (uint8_t)count;
    EmitterAge[slot] = 0;
    EmitterBounceLimit[slot] = (uint8_t)(bounceLimit < 0 ? 0 : bounceLimit > 255 ? 255 : bounceLimit);
    EmitterBounceFactor[slot] = 0.5f;
    EmitterOwner[slot] = CarIndex(CurrentCar);
    return slot;
}

void StepParticles(int slot) {
    if (slot < 0 || slot >= EFFECT_SLOTS)
        return;
    const int owner = CarIndex(EmitterOwner[slot]);
    // Impacts and dust carry half the car's movement, smoke and sparks all of
    // it, rain none.
    float carried = 0.0f;
    if (slot <= RING_IMPACT_LAST || (slot >= RING_DUST_FIRST && slot <= RING_DUST_LAST))
        carried = 0.5f;
    else if (slot <= RING_SMOKE_LAST)
        carried = 1.0f;
    const float cx = SimDeltaX[owner] * carried, cy = SimDeltaY[owner] * carried, cz = SimDeltaZ[owner] * carried;
    EmitterAge[slot] += 2;

    const int count = EmitterCount[slot] < PARTICLES_PER_EMITTER ? (int)EmitterCount[slot] : (int)PARTICLES_PER_EMITTER;
    for (int k = 0; k < count; k++) {
        const int i = k * EMITTER_SLOTS + slot;
        if (ParticleDead[i])
            continue;
        ParticleX[i] += cx + ParticleVX[i];
        ParticleZ[i] += cz + ParticleVZ[i];
        if (slot >= RING_RAIN_FIRST) {
            ParticleY[i] += ParticleVY[i];
        } else if (slot <= RING_SMOKE_LAST) {
            ParticleVY[i] -= 1.0f;
            ParticleY[i] += cy + ParticleVY[i];
            if (GroundHeight(ParticleX[i], ParticleZ[i], -1, 0) > ParticleY[i]) {
                ParticleVY[i] = std::fabs(EmitterBounceFactor[slot] * ParticleVY[i]);
                if (ParticleBounces[i] < 255)
                    ParticleBounces[i]++;
                if (ParticleBounces[i] > EmitterBounceLimit[slot]) {
                    ParticleDead[i] = 1;
                    FreeSlot(slot);
                    return;
                }
            }
        }
    }
}

void UpdateParticles() {
    if (EffectsEnabled == 0 || RacePaused)
        return;
    for (int slot = 0; slot < EFFECT_SLOTS; slot++) {
        if (EffectEmitter[slot] != -1)
            StepParticles(slot);
    }
}

void ResetParticles() {
    for (int slot = 0; slot < EFFECT_SLOTS; slot++) {
        EffectEmitter[slot] = -1;
        EffectFlags[slot] = 0;
        EffectSprite[slot] = 0;
        EffectGrowth[slot] = 0.0f;
        EmitterAge[slot] = 0;
        EmitterCount[slot] = 0;
    }
    ImpactRing.next = ImpactRing.first;
    SmokeRing.next = SmokeRing.first;
    DustRing.next = DustRing.first;
    RainRing.next = RainRing.first;
    EmitterCounter = 0;
    for (int& flag : DustAirborne)
        flag = 0;
    ParticleHold = 1;
}

void FreeSpritePools() {
    for (CarSprite& sprite : CarSpritePool)
        sprite.inUse = 0;
    for (GroundSprite& sprite : GroundSpritePool)
        sprite.inUse = 0;
}

void ParticlePositionsAt(int slot, float t, float* xyz) {
    if (slot < 0 || slot >= EMITTER_SLOTS || !xyz)
        return;
    for (int k = 0; k < EmitterCount[slot] && k < PARTICLES_PER_EMITTER; k++) {
        const int i = k * EMITTER_SLOTS + slot;
        xyz[3 * k] = ParticleStartX[i] + t * ParticleVX[i];
        xyz[3 * k + 1] = ParticleStartY[i] + t * ParticleVY[i] - t * t * 0.5f;
        xyz[3 * k + 2] = ParticleStartZ[i] + t * ParticleVZ[i];
    }
}

// ---------------------------------------------------------------------------
// Spawners.

int SpawnImpactParticle(float x, float z, int count, int car) {
    if (!Spawning())
        return -1;
    car = CarIndex(car);
    const float speed = CarSpeed[car];
    if (!(speed >= 30.0f))
        return -1;
    const float h = SimHeading[car];
    const int slot = TakeSlot(ImpactRing);
    SpawnEmitter(slot, count, 1, TruncSpread(speed * 0.041666668f + 10.0f), x, SimPosY[car] + 50.0f, z,
                 -std::sin(h), speed * 0.0625f + 8.0f, -std::cos(h));
    SetSlot(slot, 1820, 0.0f, 0);
    return slot;
}

int EmitSmokeAt(const float point[3], int car) {
    if (!Spawning())
        return -1;
    car = CarIndex(car);
    const float h = SimHeading[car];
    float rise = 15.0f * Random01() + CarSpeed[car] / 6.0f + 3.0f;
    if (!(rise < 20.0f))
        rise = 20.0f;
    const int slot = TakeSlot(SmokeRing);
    SpawnEmitter(slot, 5, 2, 15, point[0], point[1], point[2], -4.0f * std::sin(h), rise, -4.0f * std::cos(h));
    SetPuffSlot(slot);
    return slot;
}

int SpawnSpark(float px, float py, float pz, int kind, int flag) {
    if (EffectsEnabled == 0 || RacePaused)
        return -1;
    const int car = CarIndex(LocalCar);
    const float speed = CarSpeed[car];
    if (!(speed >= 20.0f))
        return -1;
    const float local[3] = {px, py, pz};
    float p[3];
    FrameCarPoint(car, local, p);
    const float h = CarHeading[car];
    float rise;
    if (kind == 0) {
        rise = speed * 0.1f;
        if (!(rise < 9.0f))
            rise = 9.0f;
    } else {
        rise = speed / 6.0f + 1.0f;
        if (!(rise < 14.0f))
            rise = 14.0f;
    }
    const int spread = TruncSpread(speed * 0.025f + (kind == 0 ? 8.0f : 6.0f)) + 4;
    const int slot = TakeSlot(SmokeRing);
    SpawnEmitter(slot, kind == 0 ? 1 : 3, 0, spread, p[0], p[1], p[2], -std::sin(h), rise, -std::cos(h));
    SetSlot(slot, 1835, 0.1f, flag);
    return slot;
}

int SpawnDustPuff(const float point[3], int car, int sprite) {
    if (!Spawning())
        return -1;
    car = CarIndex(car);
    const float speed = CarSpeed[car];
    if (!(speed >= 15.0f))
        return -1;
    const float h = CarHeading[car];
    const int slot = TakeSlot(DustRing);
    SpawnEmitter(slot, 1, 0, TruncSpread(speed * 0.025f + 6.0f), point[0], point[1], point[2], -std::sin(h), 0.0f,
                 -std::cos(h));
    SetSlot(slot, sprite, 0.0833f * Random01() + speed * 0.0025f, 0);
    return slot;
}

int SpawnRainDrops(float x, float y, float z) {
    if (!Spawning())
        return -1;
    const int slot = TakeSlot(RainRing);
    SpawnEmitter(slot, 3, 0, 40, x, y + 2100.0f, z, 0.0f, 20.0f * Random01() - 60.0f, 0.0f);
    SetPuffSlot(slot);
    return slot;
}

// ---------------------------------------------------------------------------
// Emitters.

void EmitPointSmoke(int car) {
    car = CarIndex(car);
    for (const float* local : SmokePoints) {
        float p[3];
        SimCarPoint(car, local, p);
        EmitSmokeAt(p, car);
    }
}

// The wheels' surface bits, as the wheel dust reads them too: grass (0x8)
// flings small bits off the front wheels every other frame and off the rear
// ones every frame, earth (0x4) flings clods off the rear wheels.
enum { SCRAPE_GRASS = 0x8, SCRAPE_EARTH = 0x4 };

void EmitSparks() {
    static int call;
    call ^= 1;
    // A wheel off the zone grid (mask -1) stands on nothing.
    int wheel[4];
    for (int k = 0; k < 4; k++)
        wheel[k] = WheelZoneMask[k] > 0 ? WheelZoneMask[k] : 0;
    if (call) {
        if (wheel[0] & SCRAPE_GRASS)
            SpawnSpark(-135.0f, -46.0f, 229.0f, 0, 1);
        else if (wheel[1] & SCRAPE_GRASS)
            SpawnSpark(135.0f, -46.0f, 229.0f, 0, 1);
    }
    if (wheel[2] & SCRAPE_GRASS)
        SpawnSpark(-140.0f, -46.0f, -310.0f, 0, 1);
    if (wheel[3] & SCRAPE_GRASS)
        SpawnSpark(140.0f, -46.0f, -310.0f, 0, 1);
    if (wheel[2] & SCRAPE_EARTH)
        SpawnSpark(-140.0f, -46.0f, -310.0f, 1, 2);
    if (wheel[3] & SCRAPE_EARTH)
        SpawnSpark(140.0f, -46.0f, -310.0f, 1, 2);
}

void EmitWheelDust(int car) {
    car = CarIndex(car);
    // Cars 2..7 have no player view and are always seen.
    if (car < 2 && OwnCarVisible[car] != 1)
        return;
    if (AirborneTicks[car] >= 3) {
        DustAirborne[car] = 1;
        return;
    }
    DustAirborne[car] = 0;
    if (DustTickAccumulator[car] < 12)
        return;
    DustTickAccumulator[car] -= 10;

    const int bits = CarZoneMask[car] > 0 ? CarZoneMask[car] : 0;
    int sprite = 1844;
    int known = 1;
    if (bits & 0x4)
        sprite = 1844;
    else if (bits & 0x8)
        sprite = 1845;
    else if (bits & 0x1)
        sprite = 1846;
    else if (bits & (0x20 | 0x20000 | 0x40000))
        sprite = 1848;
    else
        known = 0;
    if (!known && !(TrackGroup == 5 || TrackGroup == 6 || TrackCode == 79 || (bits & (0x300 | 0x40))))
        return;

    const int model = CarModel[car];
    const float f = model == 3 || model == 5 || model == 9 || model == 15 ? 2.0f / 3.0f : 1.0f / 3.0f;
    for (int side = 0; side < 2; side++) {
        // From the front wheel of a side towards its rear wheel.
        const int front = side, rear = side + 2;
        const float p[3] = {
            WheelPosX[car][front] + f * (WheelPosX[car][rear] - WheelPosX[car][front]),
            WheelPosY[car][front] + f * (WheelPosY[car][rear] - WheelPosY[car][front]),
            WheelPosZ[car][front] + f * (WheelPosZ[car][rear] - WheelPosZ[car][front]),
        };
        SpawnDustPuff(p, car, sprite);
    }
}

void EmitRain() {
    const int car = CarIndex(LocalCar);
    // Rain lives around the eye: its points are relative to it already.
    SpawnRainDrops(273.0f * Random01(), EyeY[car], 327.0f * Random01());
    SpawnRainDrops(546.0f * Random01(), EyeY[car], 546.0f * Random01());
    PlayRainSound();
}

void SpawnTurboSprites(int car, int) {
    if (!Spawning())
        return;
    car = CarIndex(car);
    const float h = CarHeading[car];
    const float c = std::cos(h), s = std::sin(h);
    for (int exhaust = 0; exhaust < 2; exhaust++) {
        CarSprite* sprite = FirstFree(CarSpritePool);
        if (!sprite)
            return;
        const float* p = ExhaustPoints[exhaust];
        // The exhaust turned by the heading; the sprite stays relative to its car.
        sprite->texture = TurboSpriteTable[TurboSpriteNext];
        TurboSpriteNext = (TurboSpriteNext + 1) % 12;
        sprite->inUse = 1;
        sprite->exhaust = exhaust;
        sprite->life = 80;
        sprite->x = p[0] * c + p[2] * s + NextJitter();
        sprite->y = p[1] + NextJitter();
        sprite->z = -p[0] * s + p[2] * c + NextJitter();
        sprite->dirX = -s;
        sprite->dirZ = -c;
        sprite->rise = 1.5f;
        sprite->scale = 1.0f;
        sprite->counter = 0;
        sprite->id = NextSpriteId();
    }
}

void SpawnGroundSprite(float x, float y, float z) {
    if (!Spawning())
        return;
    GroundSprite* sprite = FirstFree(GroundSpritePool);
    if (!sprite)
        return;
    const float h = CarHeading[CarIndex(CurrentCar)];
    memset(sprite, 0, sizeof *sprite);
    sprite->kind = 2014;
    sprite->inUse = 1;
    sprite->life = 120;
    sprite->x = x + NextJitter() * 0.5f;
    sprite->y = y;
    sprite->z = z + NextJitter() * 0.5f;
    sprite->dirX = -std::sin(h);
    sprite->dirZ = -std::cos(h);
    sprite->scale = 0.22f;
    sprite->damping = 1.0f;
    sprite->sizeClass = 2;
    sprite->id = NextSpriteId();
}
