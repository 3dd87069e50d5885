// The car effects on the Direct3D list: lamp glows by car model, rear lamp
// colours, the particle sprites' triangles and the ageing of wheel dust.

#include <gtest/gtest.h>

#include <cstring>

#include "frontend/frontend_state.h"
#include "race/particles.h"
#include "race/race_state.h"
#include "render/car_effects.h"
#include "render_test_util.h"

namespace {

struct CarEffects : ::testing::Test {
    void SetUp() override {
        ResetScene();
        // The sprite object: one triangle facing the camera either way.
        const int dust = AddFacingTriangle(-1.0f, -1.0f, 0.0f, 2.0f, 1831);
        strcpy(ObjectNameTable[dust], "POLVO");
        ResetParticles();
        FrontEndActive = 0;
        RacePhase = 0;
        PauseMenuOpen = 0;
        PresentationRun = 0;
        TrackGroup = 1;
        TrackCode = 10;
        CarCount = 2;
        for (int i = 0; i < MAX_CARS; i++) {
            cocheX[i] = 300.0f * (float)i;
            cocheY[i] = 0.0f;
            cocheZ[i] = 3000.0f;
            CarHeading[i] = 0.0f;
            AnguloDeCaida[i] = AnguloDeBalanza[i] = 0.0f;
            EyeX[i] = EyeY[i] = EyeZ[i] = 0.0f;
            CameraPitch[i] = AnguloDeDeriva[i] = CameraRoll[i] = 0.0f;
            CarInputBits[i] = 0;
            CarLightsOn[i] = 0;
            CarFastFlags[i] = 0;
            DriveDirection[i] = 1;
            PipeMount[i][0] = -60.0f;
            PipeMount[i][1] = 40.0f;
            PipeMount[i][2] = -200.0f;
            PipeMount[i][3] = 0.1f;
        }
        for (int p = 0; p < 2; p++) {
            ViewMode[p] = 0;
            OwnCarVisible[p] = 1;
            LookBack[p] = 0;
        }
    }
    void TearDown() override {
        ResetParticles();
        BeginObjectLoad(1);
        FrontEndActive = 1;
        CarCount = 0;
    }

    // Triangles of one texture between two cursors.
    static int Count(int from, int to, int texture) {
        int n = 0;
        for (int c = from; c < to; c += POLYGON_WORDS)
            n += PolygonAt(c).slot == texture;
        return n;
    }
};

TEST_F(CarEffects, HeadlampGlowsOnlyForModelsWithLamps) {
    CarModel[0] = 0;   // lamps
    CarModel[1] = 3;   // none
    int end = DrawHeadlampGlows(0, nullptr, 0);
    EXPECT_EQ(Count(0, end, 1831), 2) << "two lamps of car 0, none of car 1";
    CarModel[1] = 2;
    end = DrawHeadlampGlows(0, nullptr, 0);
    EXPECT_EQ(Count(0, end, 1831), 4);
    // The presentation run hides car 0's.
    PresentationRun = 1;
    end = DrawHeadlampGlows(0, nullptr, 0);
    EXPECT_EQ(Count(0, end, 1831), 2);
}

TEST_F(CarEffects, RearLampsRedWhenBrakingGreyReversingAndOneFlatLampOnModelOne) {
    CarModel[0] = 0;
    CarModel[1] = 1;
    int end = DrawRearLampGlows(0, nullptr, 0);
    EXPECT_EQ(end, 0) << "unlit, not braking: no lamps";

    CarInputBits[0] = INPUT_BRAKE;
    CarInputBits[1] = INPUT_BRAKE;
    end = DrawRearLampGlows(0, nullptr, 0);
    ASSERT_EQ(Count(0, end, 1823), 3) << "two lamps of car 0, one of model 1";
    EXPECT_EQ(PolygonAt(0).vertex[0].light & 0xFFFFFF, 0xFF0000u);

    CarInputBits[0] = 0;
    CarInputBits[1] = 0;
    CarLightsOn[0] = 1;
    DriveDirection[1] = -1;
    CarFastFlags[1] = 1;
    end = DrawRearLampGlows(0, nullptr, 0);
    ASSERT_EQ(Count(0, end, 1823), 3);
    EXPECT_EQ(PolygonAt(0).vertex[0].light & 0xFFFFFF, 0x8C0000u);
    EXPECT_EQ(PolygonAt(2 * POLYGON_WORDS).vertex[0].light & 0xFFFFFF, 0xA0A0A0u);

    PipeMount[0][3] = 0.0f;   // no lamp mount on this model
    end = DrawRearLampGlows(0, nullptr, 0);
    EXPECT_EQ(Count(0, end, 1823), 1);
}

TEST_F(CarEffects, SmokeSpritesDropNearCornersAndUnspawnedParticles) {
    const int slot = SpawnEmitter(8, 2, 0, 0, 0.0f, 0.0f, 2000.0f, 0.0f, 0.0f, 0.0f);
    EffectEmitter[slot] = slot;
    EffectFlags[slot] = 1;
    // Particle 2 lies in view but was never spawned by this emitter.
    ParticleX[2 * EMITTER_SLOTS + slot] = 0.0f;
    ParticleZ[2 * EMITTER_SLOTS + slot] = 2000.0f;
    SpriteCycle = 0;
    int end = DrawParticleSprites(0, nullptr, 0);
    EXPECT_EQ(Count(0, end, 1814), 2);
    EXPECT_EQ(SpriteCycle, 1);

    // A sprite with a corner at depth 1.0 is dropped whole; just beyond it
    // is drawn.
    ParticleZ[EMITTER_SLOTS + slot] = 1.0f;
    end = DrawParticleSprites(0, nullptr, 0);
    EXPECT_EQ(Count(0, end, 1815), 1);
    ParticleZ[EMITTER_SLOTS + slot] = 1.01f;
    end = DrawParticleSprites(0, nullptr, 0);
    EXPECT_EQ(Count(0, end, 1816), 2);
    ParticleZ[EMITTER_SLOTS + slot] = 1.0f;

    EffectFlags[slot] = 2;
    end = DrawParticleSprites(0, nullptr, 0);
    EXPECT_EQ(Count(0, end, 1817), 1) << "flag 2 takes the larger sprites, the cycle back at 0";
}

TEST_F(CarEffects, WheelDustIsFreedAboveAge80ForCarZeroAnd70ForOthers) {
    const struct {
        int owner, age;
        bool kept;
    } cases[] = {{0, 80, true}, {0, 81, false}, {1, 70, true}, {1, 71, false}};
    for (int i = 0; i < 4; i++) {
        const int slot = RING_DUST_FIRST + i;
        CurrentCar = cases[i].owner;
        SpawnEmitter(slot, 1, 0, 0, 0.0f, 0.0f, 2000.0f, 0.0f, 0.0f, 0.0f);
        EffectEmitter[slot] = slot;
        EmitterAge[slot] = cases[i].age;
    }
    CurrentCar = 0;
    int translucent = 0;
    DrawParticleSprites(0, &translucent, 0);
    for (int i = 0; i < 4; i++) {
        const int slot = RING_DUST_FIRST + i;
        EXPECT_EQ(EffectEmitter[slot] != -1, cases[i].kept) << "owner " << cases[i].owner << " age " << cases[i].age;
        if (!cases[i].kept) {
            EXPECT_EQ(EmitterAge[slot], cases[i].owner == 0 ? 80 : 70);
        }
    }
}

}  // namespace
