// Particles: the four rings of effect slots, the emitters' limits and
// bounces, and the gates that stop spawning and stepping.

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "frame/frame_state.h"
#include "frame/utils.h"
#include "frontend/frontend_state.h"
#include "race/particles.h"
#include "race/race_state.h"
#include "sound/sound_state.h"

namespace {

struct Particles : ::testing::Test {
    void SetUp() override {
        FrontEndActive = 0;
        EffectsEnabled = 1;
        RacePaused = 0;
        TrackGroup = 1;
        TrackCode = 10;
        LocalCar = 0;
        CurrentCar = 0;
        for (int c = 0; c < MAX_CARS; c++) {
            CarSpeed[c] = 60.0f;
            // Outside the ground grid, where the ground is at height 0.
            SimPosX[c] = cocheX[c] = -5000.0f;
            SimPosY[c] = cocheY[c] = 300.0f;
            SimPosZ[c] = cocheZ[c] = -5000.0f;
            SimDeltaX[c] = SimDeltaY[c] = SimDeltaZ[c] = 0.0f;
            SimHeading[c] = CarHeading[c] = 0.0f;
        }
        ResetParticles();
        ParticleHold = 0;
    }
    void TearDown() override {
        ResetParticles();
        FreeSpritePools();
        for (int c = 0; c < MAX_CARS; c++)
            CarSpeed[c] = 0.0f;
        FrontEndActive = 1;
    }
};

const float Above[3] = {-5000.0f, 300.0f, -5000.0f};

TEST_F(Particles, RingsWrapInsideTheirSlotsWhateverIsSpawned) {
    srand(7);
    for (int i = 0; i < 100000; i++) {
        int slot = -1, first = 0, last = 0;
        CarSpeed[0] = (float)(rand() % 120);
        switch (rand() % 5) {
        case 0:
            slot = SpawnImpactParticle(-10.0f, -10.0f, rand() % 40, 0);
            first = RING_IMPACT_FIRST, last = RING_IMPACT_LAST;
            break;
        case 1:
            slot = EmitSmokeAt(Above, 0);
            first = RING_SMOKE_FIRST, last = RING_SMOKE_LAST;
            break;
        case 2:
            slot = SpawnSpark(10.0f, 0.0f, 10.0f, rand() % 2, 1 + rand() % 2);
            first = RING_SMOKE_FIRST, last = RING_SMOKE_LAST;
            break;
        case 3:
            slot = SpawnDustPuff(Above, 0, 1844);
            first = RING_DUST_FIRST, last = RING_DUST_LAST;
            break;
        default:
            slot = SpawnRainDrops(0.0f, 0.0f, 0.0f);
            first = RING_RAIN_FIRST, last = RING_RAIN_LAST;
        }
        if (slot != -1) {
            ASSERT_GE(slot, first) << "spawn " << i;
            ASSERT_LE(slot, last) << "spawn " << i;
            ASSERT_LE(EmitterCount[slot], PARTICLES_PER_EMITTER);
        }
        UpdateParticles();
        ASSERT_EQ(EffectEmitter[177], -1) << "slot 177 stays free";
    }
}

TEST_F(Particles, The57thSmokeReusesSlot8) {
    for (int i = 0; i < 56; i++)
        EXPECT_EQ(EmitSmokeAt(Above, 0), RING_SMOKE_FIRST + i);
    EXPECT_EQ(EmitSmokeAt(Above, 0), 8);
    // Sparks share the ring.
    EXPECT_EQ(SpawnSpark(0.0f, 0.0f, 0.0f, 1, 2), 9);
    EXPECT_EQ(EmitterCount[9], 3);
    EXPECT_EQ(EffectFlags[9], 2);
}

TEST_F(Particles, ImpactsNeedSpeed30AndKeepAt32Particles) {
    CarSpeed[1] = 29.9f;
    EXPECT_EQ(SpawnImpactParticle(-100.0f, -100.0f, 12, 1), -1);
    for (int slot = RING_IMPACT_FIRST; slot <= RING_IMPACT_LAST; slot++)
        EXPECT_EQ(EffectEmitter[slot], -1);
    CarSpeed[1] = 30.0f;
    const int slot = SpawnImpactParticle(-100.0f, -100.0f, 12, 1);
    ASSERT_EQ(slot, 0);
    EXPECT_EQ(EmitterCount[slot], 12);
    EXPECT_FLOAT_EQ(ParticleY[slot], 350.0f) << "50 above the car";
    // A network hit may claim more particles than an emitter holds.
    EXPECT_EQ(SpawnImpactParticle(-100.0f, -100.0f, 500, 1), 1);
    EXPECT_EQ(EmitterCount[1], PARTICLES_PER_EMITTER);
    EXPECT_EQ(SpawnEmitter(EMITTER_SLOTS, 1, 0, 0, 0, 0, 0, 0, 0, 0), -1);
}

TEST_F(Particles, SmokeFallsBouncesAndAThirdBounceFreesItsSlot) {
    const int slot = EmitSmokeAt(Above, 0);
    ASSERT_EQ(slot, 8);
    int ticks = 0;
    int highestBounce = 0;
    while (EffectEmitter[slot] != -1 && ticks < 2000) {
        UpdateParticles();
        for (int k = 0; k < EmitterCount[slot]; k++) {
            const int b = ParticleBounces[k * EMITTER_SLOTS + slot];
            highestBounce = b > highestBounce ? b : highestBounce;
        }
        ticks++;
    }
    EXPECT_EQ(EffectEmitter[slot], -1) << "freed";
    EXPECT_EQ(EmitterAge[slot], 0);
    EXPECT_EQ(highestBounce, 3);
    EXPECT_GT(ticks, 10) << "it fell from 300 first";
}

TEST_F(Particles, StepCarriesTheOwnersMovementByRing) {
    SimDeltaX[0] = 10.0f;
    const int impact = SpawnImpactParticle(-100.0f, -100.0f, 1, 0);
    const int smoke = EmitSmokeAt(Above, 0);
    const int rain = SpawnRainDrops(0.0f, 0.0f, 0.0f);
    const float x0[3] = {ParticleX[impact], ParticleX[smoke], ParticleX[rain]};
    const float v0[3] = {ParticleVX[impact], ParticleVX[smoke], ParticleVX[rain]};
    UpdateParticles();
    EXPECT_FLOAT_EQ(ParticleX[impact], x0[0] + 5.0f + v0[0]);
    EXPECT_FLOAT_EQ(ParticleX[smoke], x0[1] + 10.0f + v0[1]);
    EXPECT_FLOAT_EQ(ParticleX[rain], x0[2] + v0[2]);
    EXPECT_EQ(EmitterAge[smoke], 2);
}

TEST_F(Particles, NothingSpawnsOrStepsWithEffectsOffPausedOrHeld) {
    const int smoke = EmitSmokeAt(Above, 0);
    const float y = ParticleY[smoke];

    EffectsEnabled = 0;
    EXPECT_EQ(EmitSmokeAt(Above, 0), -1);
    EXPECT_EQ(SpawnImpactParticle(0, 0, 3, 0), -1);
    EXPECT_EQ(SpawnSpark(0, 0, 0, 0, 1), -1);
    UpdateParticles();
    EXPECT_EQ(ParticleY[smoke], y);
    EffectsEnabled = 1;

    RacePaused = 1;
    EXPECT_EQ(SpawnSpark(0, 0, 0, 0, 1), -1);
    UpdateParticles();
    EXPECT_EQ(ParticleY[smoke], y);
    RacePaused = 0;

    ParticleHold = 1;
    EXPECT_EQ(EmitSmokeAt(Above, 0), -1);
    EXPECT_EQ(SpawnDustPuff(Above, 0, 1844), -1);
    EXPECT_EQ(SpawnRainDrops(0, 0, 0), -1);
    EXPECT_NE(SpawnSpark(0, 0, 0, 0, 1), -1) << "sparks stop only when paused";
}

TEST_F(Particles, SpawnersKeepTheirSpeedThresholds) {
    CarSpeed[0] = 19.0f;
    EXPECT_EQ(SpawnSpark(0, 0, 0, 0, 1), -1);
    CarSpeed[0] = 14.0f;
    EXPECT_EQ(SpawnDustPuff(Above, 0, 1845), -1);
    CarSpeed[0] = 15.0f;
    const int dust = SpawnDustPuff(Above, 0, 1845);
    ASSERT_EQ(dust, RING_DUST_FIRST);
    EXPECT_EQ(EffectSprite[dust], 1845);
    UpdateParticles();
    EXPECT_FLOAT_EQ(ParticleY[dust], Above[1]) << "dust keeps its height";
}

TEST_F(Particles, PointSmokeFills25ConsecutiveSlots) {
    EmitPointSmoke(0);
    for (int slot = RING_SMOKE_FIRST; slot <= RING_SMOKE_LAST; slot++)
        EXPECT_EQ(EffectEmitter[slot] != -1, slot < RING_SMOKE_FIRST + 25) << slot;
    EXPECT_GE(EffectSprite[8], 1835);
    EXPECT_LE(EffectSprite[8], 1841);
}

TEST_F(Particles, PositionsAtFollowTheThrowUnderGravity) {
    const int slot = SpawnEmitter(20, 2, 0, 0, 1.0f, 2.0f, 3.0f, 4.0f, 5.0f, 6.0f);
    float xyz[6];
    ParticlePositionsAt(slot, 2.0f, xyz);
    EXPECT_FLOAT_EQ(xyz[0], 9.0f);
    EXPECT_FLOAT_EQ(xyz[1], 10.0f);
    EXPECT_FLOAT_EQ(xyz[2], 15.0f);
    EXPECT_FLOAT_EQ(xyz[3], 9.0f);
}

TEST_F(Particles, TurboAndGroundSpritesTakeFreeRecordsUntilThePoolsAreFull) {
    FreeSpritePools();
    for (int i = 0; i < CAR_SPRITES / 2 + 3; i++)
        SpawnTurboSprites(0, 0x808080);
    int used = 0;
    for (const CarSprite& s : CarSpritePool) {
        used += s.inUse;
        if (s.inUse) {
            EXPECT_EQ(s.life, 80);
            EXPECT_GE(s.texture, 2028);
            EXPECT_LE(s.texture, 2043);
        }
    }
    EXPECT_EQ(used, CAR_SPRITES);
    SpawnGroundSprite(100.0f, 5.0f, 200.0f);
    EXPECT_EQ(GroundSpritePool[0].inUse, 1);
    EXPECT_EQ(GroundSpritePool[0].kind, 2014);
    EXPECT_EQ(GroundSpritePool[0].life, 120);
    EXPECT_FLOAT_EQ(GroundSpritePool[0].scale, 0.22f);
    FreeSpritePools();
    EXPECT_EQ(CarSpritePool[0].inUse, 0);
}

}  // namespace

// The wheels' and the car's surface bits are zone-type bits (grass 0x8,
// earth 0x4, tarmac 0x1, water 0x20...): the sparks and the wheel dust
// both read "bit 8" as grass and "bit 4" as earth, never sand (0x100) or a
// banking (0x10).
TEST_F(Particles, SparksAndWheelDustReadTheSurfaceBitsAsZoneTypes) {
    auto sparks = [](int front, int rear) {
        ResetParticles();
        ParticleHold = 0;
        WheelZoneMask[0] = WheelZoneMask[1] = front;
        WheelZoneMask[2] = WheelZoneMask[3] = rear;
        EmitSparks();
        EmitSparks();   // the front wheels fling every other call
        std::vector<int> flags;
        for (int slot = RING_SMOKE_FIRST; slot <= RING_SMOKE_LAST; slot++)
            if (EffectEmitter[slot] != -1)
                flags.push_back(EffectFlags[slot] * 100 + EmitterCount[EffectEmitter[slot]]);
        return flags;
    };
    // Grass: the front wheel once in two calls, both rear wheels each call,
    // one small particle each (flag 1).
    EXPECT_EQ(sparks(0x8, 0x8), std::vector<int>(5, 101));
    // Earth under the rear wheels: three particles of flag 2 from each.
    EXPECT_EQ(sparks(0x4 | 0x1, 0x4 | 0x1), std::vector<int>(4, 203));
    EXPECT_TRUE(sparks(0x100 | 0x10, 0x100 | 0x10).empty()) << "sand and bankings fling nothing";
    EXPECT_TRUE(sparks(-1, -1).empty()) << "off the zone grid";

    auto dust = [](int bits, int group) {
        ResetParticles();
        ParticleHold = 0;
        TrackGroup = group;
        CarZoneMask[0] = bits;
        OwnCarVisible[0] = 1;
        AirborneTicks[0] = 0;
        DustTickAccumulator[0] = 12;
        CarModel[0] = 0;
        EmitWheelDust(0);
        int puffs = 0, sprite = 0;
        for (int slot = RING_DUST_FIRST; slot <= RING_DUST_LAST; slot++)
            if (EffectEmitter[slot] != -1) {
                puffs++;
                sprite = EffectSprite[slot];
            }
        return puffs ? puffs * 10000 + sprite : 0;
    };
    EXPECT_EQ(dust(0x4, 1), 21844) << "earth";
    EXPECT_EQ(dust(0x8, 1), 21845) << "grass";
    EXPECT_EQ(dust(0x1, 1), 21846) << "tarmac";
    EXPECT_EQ(dust(0x20000, 1), 21848) << "water";
    EXPECT_EQ(dust(0x100, 1), 21844) << "sand puffs as earth does";
    EXPECT_EQ(dust(0x10, 1), 0) << "a banking alone raises no dust on a speed circuit";
    EXPECT_EQ(dust(0x10, 5), 21844) << "the arena raises dust anywhere";
    TrackGroup = 1;
    CarZoneMask[0] = 0;
    for (int& mask : WheelZoneMask)
        mask = 0;
}
