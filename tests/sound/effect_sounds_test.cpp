// Race effect sounds on races set by hand: crashes, the terrain loops on
// their shared channel, the car step's loops, the horn, the ocean, the props
// and the countdown.

#include "sound/effect_sounds.h"

#include "race/arena_props.h"
#include "sound/car_sounds.h"
#include "sound_test_util.h"
#include "track/scene_points.h"

using namespace soundtest;

namespace {

class EffectSounds : public SoundTest {
protected:
    void SetUp() override {
        SoundTest::SetUp();
        LoadRace(1, 0, {0, 1, 2});
        SetCrowdPoints();
        TickParity = 1;
    }
};

}  // namespace

TEST_F(EffectSounds, WallCrashesTurnThroughTheirSlotsAndTheScrapeWaits) {
    CarSpeed[0] = 45.0f;
    WallImpactState[0] = 1;
    const int first = PlatMixerEventCount();
    for (int hit = 0; hit < 5; hit++) {
        PlayWallCrashSound(200, 0, 0);
        Mix(2000);
    }
    EXPECT_EQ(SlotsPlayedOn(16, first), (std::vector<int>{110, 111, 112, 113, 110}));
    EXPECT_EQ(PlatMixerGetVolume(16), (int)((45.0f * 100.0f - 2000.0f + 19000.0f) * 0.7f));
    PlayWallCrashSound(200, 0, 0);
    EXPECT_NEAR(ChannelHz(16, 4096), ToneOf("WAVE\\ICOLISION\\Choc14.wav"), 4.0) << "slot 111's crash";

    // The scrape plays only on a free channel.
    WallImpactState[0] = 3;
    const int scrape = PlatMixerEventCount();
    PlayWallCrashSound(200, 0, 0);
    EXPECT_TRUE(SlotsPlayedOn(16, scrape).empty()) << "the crash still sounds";
    Mix(22050);
    PlayWallCrashSound(200, 0, 0);
    EXPECT_EQ(SlotsPlayedOn(16, scrape), std::vector<int>{114});
    // Slow, far or with sound off: nothing.
    Mix(22050);
    const int later = PlatMixerEventCount();
    CarSpeed[0] = 20.0f;
    PlayWallCrashSound(200, 0, 0);
    CarSpeed[0] = 45.0f;
    PlayWallCrashSound(3000, 0, 0);
    WallImpactState[0] = 1;
    SoundOn = 0;
    PlayWallCrashSound(200, 0, 0);
    EXPECT_TRUE(PlaysSince(later).empty());
}

TEST_F(EffectSounds, CarCrashesWaitForTheChannelAndClampTheirVolume) {
    CarSpeed[1] = 300.0f;
    const int first = PlatMixerEventCount();
    PlayCarCrashSound(100, 1);
    PlayCarCrashSound(100, 1);    // the first still sounds
    EXPECT_EQ(SlotsPlayedOn(16, first), std::vector<int>{208});
    EXPECT_EQ(PlatMixerGetVolume(16), 31000);
    for (int i = 0; i < 6; i++) {
        Mix(22050);
        PlayCarCrashSound(100, 1);
    }
    EXPECT_EQ(SlotsPlayedOn(16, first), (std::vector<int>{208, 209, 210, 211, 212, 213, 208}));
}

TEST_F(EffectSounds, TerrainLoopsShareTheirChannel) {
    CarsByDistance[0].distance = 100;
    CarSpeed[0] = 30.0f;
    SurfaceWord[0] = 0x40;    // moss
    const int first = PlatMixerEventCount();
    UpdateTerrainSounds(0);
    EXPECT_EQ(SlotsPlayedOn(13, first), std::vector<int>{115});
    EXPECT_EQ(PlatMixerGetVolume(13), (int)((25000.0f - 800.0f) * 0.7f));
    // Grass takes the channel: the moss loop is forgotten, so leaving the
    // moss does not stop the grass.
    SurfaceWord[0] = 0x40 | 0x8;
    UpdateTerrainSounds(0);
    EXPECT_EQ(SlotsPlayedOn(13, first), (std::vector<int>{115, 116}));
    EXPECT_EQ(TerrainPlaying[0][TERRAIN_MOSS], 0);
    SurfaceWord[0] = 0x8;
    UpdateTerrainSounds(0);
    EXPECT_TRUE(Queued(13));
    EXPECT_NEAR(ChannelHz(13, 8192), ToneOf("WAVE\\ITERRAIN\\Grasskid01.wav"), 3.0);
    // Slow on the grass: speed x 1041 - 8d; too quiet to start below 2000.
    CarSpeed[0] = 5.0f;
    UpdateTerrainSounds(0);
    EXPECT_EQ(PlatMixerGetVolume(13), (int)std::nearbyint((5.0f * 1041.0f - 800.0f) * 0.7f));
    // Off the surface, or with three wheels in the air, it stops.
    WheelsInAir[0] = 3;
    UpdateTerrainSounds(0);
    EXPECT_FALSE(Queued(13));
    WheelsInAir[0] = 0;
    // Only on odd ticks, and the fly-by's car 0 makes none.
    TickParity = 0;
    CarSpeed[0] = 30.0f;
    UpdateTerrainSounds(0);
    EXPECT_FALSE(Queued(13));
    TickParity = 1;
    PresentationRun = 1;
    UpdateTerrainSounds(0);
    EXPECT_FALSE(Queued(13));
    PresentationRun = 0;
    // Beyond 3000 units no terrain sound.
    CarsByDistance[0].distance = 3000;
    UpdateTerrainSounds(0);
    EXPECT_FALSE(Queued(13));
    EXPECT_EQ(SurfaceFlags[0][SURFACE_GRASS], 1) << "the drive model still sees the grass";
}

TEST_F(EffectSounds, BuggyGroupSurfacesAndTheOcean) {
    LoadRace(7, 0, {0});
    TickParity = 1;
    FrameTicks = 2;
    CarSpeed[0] = 30.0f;
    SurfaceWord[0] = 0x20000;    // the swell: water on channel 18
    const int first = PlatMixerEventCount();
    UpdateTerrainSounds(0);
    EXPECT_EQ(SlotsPlayedOn(18, first), std::vector<int>{138});
    SurfaceWord[0] = 0x8000;     // cobbles
    UpdateTerrainSounds(0);
    EXPECT_EQ(SlotsPlayedOn(13, first), std::vector<int>{202});
    EXPECT_EQ(PlatMixerGetVolume(13), (int)((25000.0f) * 0.7f));

    // The ocean fades in by 58 x level a tick up to 17000 x level, and out
    // to 1000 before it stops.
    OceanVolume = 15000;
    SurfaceWord[0] = 0x400;
    UpdateTerrainSounds(0);
    EXPECT_EQ(SlotsPlayedOn(21, first), std::vector<int>{140});
    EXPECT_EQ(OceanVolume, 15000);    // 15000 is above 17000 x 0.7 already
    EffectsLevel = 5;
    UpdateOceanSound(0);
    EXPECT_EQ(OceanVolume, 15000 + (int)(2.0f * 58.0f * 0.9999f));
    SurfaceWord[0] = 0;
    UpdateTerrainSounds(0);
    const int step = (int)(2.0f * 58.0f * 0.9999f);
    EXPECT_EQ(OceanVolume, 15000 + step - step);
    EXPECT_TRUE(Queued(21));
    OceanVolume = 1000;
    UpdateOceanSound(0);
    EXPECT_FALSE(Queued(21));
    EXPECT_EQ(OceanVolume, 1000) << "kept for the next race";
}

TEST_F(EffectSounds, CarStepLoops) {
    CarsByDistance[1].distance = 500;
    CarSpeed[1] = 20.0f;
    BrakeLightOn[1] = 1;
    const int first = PlatMixerEventCount();
    UpdateBrakeSound(1);
    UpdateBrakeSound(1);
    EXPECT_EQ(SlotsPlayedOn(11, first), std::vector<int>{98});
    EXPECT_EQ(PlatMixerGetVolume(11), (int)std::nearbyint((20.0f * 100.0f + 7000.0f - 2000.0f) * 0.7f));
    BrakeLightOn[1] = 0;
    UpdateBrakeSound(1);
    EXPECT_FALSE(Queued(11));

    // Wheel spin on tarmac, but not while the handbrake slides.
    SurfaceWord[1] = 1;
    EngineRevs[1] = 2.0f;
    WheelSpin[1] = 1;
    HandbrakeSoundOn[1] = 1;
    UpdateWheelSpinSound(1);
    EXPECT_FALSE(Queued(14));
    HandbrakeSoundOn[1] = 0;
    UpdateWheelSpinSound(1);
    EXPECT_EQ(SlotsPlayedOn(14, first), std::vector<int>{91});
    EXPECT_EQ(PlatMixerGetVolume(14), std::min(25000, (int)std::nearbyint((2.0f * 13000.0f - 2000.0f) * 0.7f)));
    WheelSpin[1] = 0;
    UpdateWheelSpinSound(1);
    EXPECT_FALSE(Queued(14));

    // The handbrake starts above speed 30 only, off tarmac with slot 103.
    SurfaceWord[1] = 0;
    HandbrakeSoundOn[1] = 1;
    UpdateHandbrakeSound(1);
    EXPECT_FALSE(Queued(11));
    CarSpeed[1] = 35.0f;
    UpdateHandbrakeSound(1);
    EXPECT_EQ(LastSlotOn(11, first), 103);

    // The tyres squeal while the car slides.
    LateralSpeed[1] = 3.0f;
    UpdateTyreSquealSound(500, 1);
    EXPECT_EQ(LastSlotOn(14, first), 105);
    LateralSpeed[1] = 0.0f;
    UpdateTyreSquealSound(500, 1);
    EXPECT_FALSE(Queued(14));

    // Grip loss: once while it lasts, flushed when it ends.
    PlayGripLossSound(1, 1);
    PlayGripLossSound(1, 1);
    EXPECT_EQ(SlotsPlayedOn(8, first), std::vector<int>{106});
    PlayGripLossSound(1, 0);
    EXPECT_FALSE(Queued(8));

    // Landing: the volume is set even without a wheel in the air to play it.
    WheelsInAir[1] = 0;
    PlayLandingSound(100, 1);
    EXPECT_EQ(PlatMixerGetVolume(18), (int)((32000.0f - 1600.0f) * 0.7f));
    EXPECT_FALSE(Queued(18));
    WheelsInAir[1] = 2;
    PlayLandingSound(100, 1);
    EXPECT_EQ(SlotsPlayedOn(18, first), std::vector<int>{167});

    // A car beyond 3000 makes none of these.
    CarsByDistance[1].distance = 3000;
    const int far = PlatMixerEventCount();
    BrakeLightOn[1] = 1;
    UpdateBrakeSound(1);
    ReverseBeepOn[1] = 1;
    UpdateReverseSound(1);
    PlayGripLossSound(1, 1);
    EXPECT_TRUE(PlaysSince(far).empty());
}

// Car 0 driving north at 50 over (x, z), its footprint a 600-unit square.
static void CarOver(float x, float z) {
    const float corners[5][2] = {{x - 300, z - 300}, {x + 300, z - 300}, {x + 300, z + 300}, {x - 300, z + 300},
                                 {x - 300, z - 300}};
    for (int k = 0; k < 5; k++) {
        CarFootprints[0][2 * k] = corners[k][0];
        CarFootprints[0][2 * k + 1] = corners[k][1];
    }
    cocheX[0] = x, cocheY[0] = 300.0f, cocheZ[0] = z;
    VelocityZ[0] = CarSpeed[0] = 50.0f;
    CurrentCar = 0;
}

// Each knocked prop sounds as it falls: a slalom pole its hit and the
// penalty, a target its hit and its call, a cone and a bar theirs and the
// penalty.  A prop already down sounds no more.
TEST_F(EffectSounds, KnockedArenaPropsSoundTheirHits) {
    LoadRace(5, 1, {3});
    LoadObstacleLayout();
    TimeLeft.minutes = 2;
    TimeLeft.seconds = 0;
    const int first = PlatMixerEventCount();
    CarOver(SlalomProps[5].x, SlalomProps[5].z);
    UpdateSlalomPoles();
    EXPECT_EQ(SlotsPlayedOn(1, first), std::vector<int>{146});
    EXPECT_EQ(SlotsPlayedOn(8, first), std::vector<int>{89});
    EXPECT_TRUE(SlotsPlayedOn(6, first).empty());
    UpdateSlalomPoles();   // it flies now: no second hit
    EXPECT_EQ(SlotsPlayedOn(1, first).size(), 1u);

    const int target = PlatMixerEventCount();
    CarOver(SlalomProps[39].x, SlalomProps[39].z);
    UpdateSlalomPoles();
    EXPECT_EQ(SlotsPlayedOn(1, target), std::vector<int>{146});
    EXPECT_EQ(SlotsPlayedOn(6, target), std::vector<int>{147});
    EXPECT_TRUE(SlotsPlayedOn(8, target).empty()) << "a target is no penalty";

    const int cone = PlatMixerEventCount();
    CarOver(ConeProps[3].x, ConeProps[3].z);
    UpdateCones();
    EXPECT_EQ(SlotsPlayedOn(1, cone), std::vector<int>{144});
    EXPECT_EQ(SlotsPlayedOn(8, cone), std::vector<int>{89});

    const int bar = PlatMixerEventCount();
    CarOver(22000.0f, 40650.0f);
    UpdatePoles();
    EXPECT_EQ(PoleStates[0].moving, 1);
    EXPECT_EQ(SlotsPlayedOn(1, bar), std::vector<int>{145});
    EXPECT_EQ(SlotsPlayedOn(8, bar), std::vector<int>{89});

    ClearPropStates();
    ClearConeStates();
    ClearPoleStates();
    for (int& count : ArenaCounts)
        count = 0;
    for (float& f : CarFootprints[0])
        f = 0.0f;
    TimeLeft.minutes = 0;
    TimeLeft.seconds = 0;
    PenaltyDisplay = 0;
    cocheY[0] = VelocityZ[0] = 0.0f;
}

TEST_F(EffectSounds, ArenaPropsBusCrushAndAirBrake) {
    LoadRace(5, 0, {3, 10});
    CarsByDistance[0].distance = 2999;
    CarSpeed[0] = 20.0f;
    SoundOn = 0;    // the props play regardless
    const int first = PlatMixerEventCount();
    PlayConeHitSound(0);
    EXPECT_EQ(SlotsPlayedOn(1, first), std::vector<int>{144});
    CarsByDistance[0].distance = 3000;
    PlayConeHitSound(0);
    CarsByDistance[0].distance = 3874;
    PlayPoleHitSound(0);
    PlayPenaltySound(0);
    PlayTargetHitSound(0);
    EXPECT_EQ(SlotsPlayedOn(1, first), (std::vector<int>{144, 145}));
    EXPECT_EQ(SlotsPlayedOn(8, first), std::vector<int>{89});
    EXPECT_EQ(SlotsPlayedOn(6, first), std::vector<int>{147});
    CarsByDistance[0].distance = 3875;
    PlaySlalomHitSound(0);
    EXPECT_EQ(SlotsPlayedOn(1, first).size(), 2u);
    SoundOn = 1;

    // The crush: at full volume near the car (clamped), once until channel 3
    // is done, and it asks the crowd for a cheer.
    CarsByDistance[0].distance = 10;
    PlayCrushSound(0, 0);
    PlayCrushSound(0, 0);
    EXPECT_EQ(SlotsPlayedOn(3, first), std::vector<int>{171});
    EXPECT_EQ(PlatMixerGetVolume(3), 32767);
    EXPECT_EQ(CrushCheerRequest, 1);
    Mix(22050);
    PlayCrushSound(0, 0);
    PlayCrushSound(0, 2);
    EXPECT_EQ(SlotsPlayedOn(3, first), (std::vector<int>{171, 172}));

    // The bus loop on its ramp starts above speed 23.
    Mix(22050);
    SurfaceWord[0] = 0x1000;
    BusContact = 1;
    UpdateBusSound(0, 0);
    EXPECT_FALSE(Queued(3));
    CarSpeed[0] = 25.0f;
    UpdateBusSound(0, 0);
    EXPECT_EQ(LastSlotOn(3, first), 174);
    EXPECT_EQ(PlatMixerGetVolume(3), 30000);

    // The reverse beep while backing.
    ReverseBeepOn[0] = 1;
    UpdateReverseSound(0);
    EXPECT_EQ(LastSlotOn(13, first), 90);
    EXPECT_EQ(PlatMixerGetVolume(13), (int)((30000.0f - 100.0f) * 0.7f));
    ReverseBeepOn[0] = 0;
    UpdateReverseSound(0);
    EXPECT_FALSE(Queued(13));

    // The monster cars hiss once per braking.
    BrakeLightOn[0] = 1;
    UpdateBrakeSound(0);
    UpdateBrakeSound(0);
    EXPECT_EQ(SlotsPlayedOn(5, first), std::vector<int>{136});
    BrakeLightOn[0] = 0;
    UpdateBrakeSound(0);
    BrakeLightOn[0] = 1;
    UpdateBrakeSound(0);
    EXPECT_EQ(SlotsPlayedOn(5, first), (std::vector<int>{136, 136}));
}

TEST_F(EffectSounds, HornNearestCarZeroFirst) {
    HornFlags[2] = 1;
    CarsByDistance[2].distance = 1000;
    const int first = PlatMixerEventCount();
    UpdateHornSound(0);
    UpdateHornSound(0);    // holding does not restart it
    EXPECT_EQ(SlotsPlayedOn(19, first), std::vector<int>{63}) << "car 2's horn (model 2)";
    EXPECT_EQ(PlatMixerGetVolume(19), (int)((30000.0f - 8000.0f) * 0.7f));
    EXPECT_EQ(PlatMixerGetFrequency(19), 22050) << "a standing car's horn at its own pitch";
    // Car 0 honking too wins over the nearer car.
    HornFlags[0] = 1;
    CarsByDistance[0].distance = 2000;
    HornPlaying = 0;
    UpdateHornSound(0);
    EXPECT_EQ(LastSlotOn(19, first), 61) << "car 0's horn";
    EXPECT_EQ(PlatMixerGetVolume(19), (int)((30000.0f - 16000.0f) * 0.7f));
    // A moving horn: the chosen car's own offset, clamped to 20000..26000.
    HornFlags[0] = 0;
    cocheX[2] = -1000.0f;
    SoundVelocityX[2] = 80.0f;
    UpdateHornSound(0);
    EXPECT_EQ(PlatMixerGetFrequency(19), (int)std::nearbyint(-5.5f * (-1000.0f * 80.0f) / 1000.0f + 22050.0f));
    SoundVelocityX[2] = 800.0f;
    UpdateHornSound(0);
    EXPECT_EQ(PlatMixerGetFrequency(19), 26000);
    // Beyond 3750 only the chosen car's flag is cleared, and the horn stops.
    CarsByDistance[2].distance = 3751;
    HornFlags[1] = 0;
    UpdateHornSound(0);
    EXPECT_EQ(HornFlags[2], 0);
    EXPECT_FALSE(Queued(19));
}

TEST_F(EffectSounds, CountdownWeatherAndTurbo) {
    const int first = PlatMixerEventCount();
    SoundOn = 0;    // the voices play regardless
    for (int stage = 0; stage < 4; stage++)
        PlayCountdownVoice(stage);
    PlayCountdownVoice(4);
    EXPECT_EQ(SlotsPlayedOn(16, first), (std::vector<int>{82, 83, 84, 85}));
    EXPECT_NEAR(ChannelHz(16, 4096), ToneOf("WAVE\\START\\GO.wav"), 4.0);
    SoundOn = 1;

    PlayRainSound();
    PlayRainSound();
    EXPECT_TRUE(SlotsPlayedOn(20, first).empty()) << "no rain wave on this track";
    LoadRace(3, 0, {0});    // track 30, a storm
    PlayRainSound();
    PlayRainSound();
    PlayThunderSound();
    EXPECT_EQ(SlotsPlayedOn(20, first), std::vector<int>{204});
    EXPECT_EQ(SlotsPlayedOn(8, first), std::vector<int>{203});

    // The JUMP turbo: the ready cue once, the burning loop while it burns.
    LoadRace(4, 0, {0});
    CarsByDistance[0].distance = 100;
    TurboValue = 1.0f;
    UpdateTurboReadySounds(0);
    UpdateTurboReadySounds(0);
    EXPECT_EQ(SlotsPlayedOn(4, first), std::vector<int>{135});
    EXPECT_EQ(SlotsPlayedOn(5, first), std::vector<int>{125});
    TurboValue = 8.5f;
    UpdateTurboReadySounds(0);
    EXPECT_EQ(SlotsPlayedOn(2, first), std::vector<int>{134});
    EXPECT_EQ(PlatMixerGetVolume(2), (int)((30000.0f - 800.0f) * 0.7f));
    TurboValue = 0.5f;
    UpdateTurboReadySounds(0);
    EXPECT_FALSE(Queued(2));
}

// Two cues nothing in the race asks for: the reverse cue of a car backing
// (the beep of models 3, 10 and 15, the tyre loop of any car) and the gravel
// loop of the listener's car, heard from the car's direction.
TEST_F(EffectSounds, TheReverseCueAndTheGravelLoop) {
    LoadRace(5, 0, {3, 0});   // the arena bank holds the beep and the gravel
    PlaceCar(0, 100);
    PlaceCar(1, 200);
    const int first = PlatMixerEventCount();
    EngineRevs[1] = 1.0f;
    SurfaceWord[1] = 1;
    DriveDirection[1] = -1;
    UpdateReverseCue(1);
    EXPECT_EQ(ReverseBeepOn[1], 0) << "model 0 has no beep";
    EXPECT_FALSE(Queued(13));
    EXPECT_EQ(LastSlotOn(14, first), 102) << "its tyres on tarmac";
    EXPECT_EQ(PlatMixerGetVolume(14), (int)std::lround((10500.0f - 800.0f) * 0.7f));
    DriveDirection[1] = 1;
    UpdateReverseCue(1);
    EXPECT_FALSE(Queued(14)) << "driving forward again";
    DriveDirection[0] = -1;
    SurfaceWord[0] = 0;
    UpdateReverseCue(0);
    EXPECT_EQ(ReverseBeepOn[0], 1);
    EXPECT_EQ(LastSlotOn(13, first), 90);
    EXPECT_EQ(LastSlotOn(14, first), 105) << "off tarmac";

    // The gravel loop: above speed 1.3 with fewer than two wheels off the
    // ground; its volume follows the view and the speed above speed 25.
    LocalCar = 0;
    ViewMode[0] = 1;
    CarSpeed[0] = 1.0f;
    UpdateGravelSound();
    EXPECT_FALSE(Queued(10));
    CarSpeed[0] = 40.0f;
    WheelsInAir[0] = 1;
    PolarPositions[0].azimuth = 90.0f;
    UpdateGravelSound();
    EXPECT_EQ(SlotsPlayedOn(10, first), std::vector<int>{132});
    EXPECT_EQ(PlatMixerGetVolume(10), (int)((7300.0f + 6000.0f) * 0.7f));
    CarSpeed[0] = 300.0f;
    UpdateGravelSound();
    EXPECT_EQ(PlatMixerGetVolume(10), 30000);
    EXPECT_EQ(SlotsPlayedOn(10, first), std::vector<int>{132}) << "started once";
    const std::vector<int16_t> heard = (Mix(4096), Tap(10, 4096));
    double left = 0, right = 0;
    for (size_t i = 0; i + 1 < heard.size(); i += 2) {
        left += std::abs(heard[i]);
        right += std::abs(heard[i + 1]);
    }
    EXPECT_GT(right, 10.0 * (left + 1.0)) << "heard from the car's side";
    WheelsInAir[0] = 2;
    UpdateGravelSound();
    EXPECT_FALSE(Queued(10)) << "two wheels off the ground";
    EXPECT_EQ(GravelLoopOn, 0);
    PolarPositions[0].azimuth = 0.0f;
}
