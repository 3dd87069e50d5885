// The engine sound on races set by hand: rates from revs and gear heard on
// the channel taps, the Doppler term of a passing car, the listener's layers
// and the differences of the replay and split-screen drivers.

#include "sound/engine_sound.h"

#include <cmath>

#include "sound/crowd_sound.h"
#include "sound/effect_sounds.h"
#include "sound_test_util.h"
#include "track/scene_points.h"

using namespace soundtest;

namespace {

const char* const Model0Engine = "WAVE\\IENGINES\\SPEED\\9GL05E22.wav";

class EngineSound : public SoundTest {};

int Nearest(double v) { return (int)std::nearbyint(v); }

}  // namespace

TEST_F(EngineSound, PitchFollowsRevs) {
    LoadRace(1, 0, {0});
    PlaceCar(0, 40);
    CarGear[0] = 1;
    const double tone = ToneOf(Model0Engine);
    for (float revs : {0.4f, 0.75f, 1.2f, 1.6f, 2.0f}) {
        SCOPED_TRACE(revs);
        EngineRevs[0] = revs;
        DriveEngineSoundsSolo();
        EXPECT_EQ(EnginePitch[0], Nearest(17200.0 * revs + 0.1));
        EXPECT_NEAR(ChannelHz(0), tone * EnginePitch[0] / 22050.0, tone * EnginePitch[0] / 22050.0 * 0.01);
        EXPECT_TRUE(Queued(17)) << "the second layer runs with the loop";
    }
    // Below a rate of 3000 the loop and its second layer go silent ...
    EngineRevs[0] = 0.15f;
    DriveEngineSoundsSolo();
    EXPECT_FALSE(Queued(0));
    EXPECT_FALSE(Queued(17));
    EXPECT_LT(ChannelRms(0), 1.0);
    // ... and the first frame above it starts them again.
    EngineRevs[0] = 0.5f;
    const int first = PlatMixerEventCount();
    DriveEngineSoundsSolo();
    Mix(64);
    EXPECT_EQ(SlotsPlayedOn(0, first), std::vector<int>{1});
    EXPECT_EQ(SlotsPlayedOn(17, first), std::vector<int>{164});
    EXPECT_GT(ChannelRms(0), 100.0);
}

TEST_F(EngineSound, GearPitchOfEveryModel) {
    // Model 12 runs its fourth gear at its usual 9000.
    LoadRace(1, 0, {12});
    PlaceCar(0, 40);
    EngineRevs[0] = 1.0f;
    for (int gear = 0; gear < 6; gear++) {
        CarGear[0] = gear;
        DriveEngineSoundsSolo();
        EXPECT_EQ(BasePitch[0], Nearest(9000.0 * 2.1f * 0.5f + 0.1)) << "gear " << gear;
    }
}

// Car 1 (revs 1.5, gear 2) passes the standing listener at 80 units a tick,
// 500 units aside.
TEST_F(EngineSound, DopplerPass) {
    LoadRace(1, 0, {0, 0});
    EngineRevs[1] = 1.5f;
    CarGear[1] = 2;
    cocheZ[1] = 500.0f;
    auto frameAt = [](float x, float speed) {
        cocheX[1] = x;
        SoundVelocityX[1] = speed;
        PlaceCar(1, (int)std::sqrt(x * x + 500.0f * 500.0f));
        DriveEngineSoundsSolo();
        return EnginePitch[1];
    };
    const int still = Nearest(8600.0 * (4.0f * 0.5f * 1.5f) + 0.1);
    const double tone = ToneOf(Model0Engine);

    const int before = frameAt(-3000.0f, 80.0f);
    EXPECT_GE(before, still * 1.12);
    EXPECT_LE(before, still * 1.19);
    EXPECT_NEAR(ChannelHz(1), tone * before / 22050.0, tone * before / 22050.0 * 0.01);
    int last = before;
    for (float x = -2920.0f; x < 3000.0f; x += 80.0f) {
        const int pitch = frameAt(x, 80.0f);
        EXPECT_LE(pitch, last) << "at x " << x;
        last = pitch;
    }
    const int after = frameAt(3000.0f, 80.0f);
    EXPECT_LE(after, still * 0.88);
    EXPECT_GE(after, still * 0.81);
    EXPECT_NEAR(ChannelHz(1), tone * after / 22050.0, tone * after / 22050.0 * 0.01);

    // A standing car has no shift, wherever it stands; at the eye itself
    // the term is 0.
    for (float x : {-3000.0f, 0.0f, 3000.0f})
        EXPECT_EQ(frameAt(x, 0.0f), still);
    cocheZ[1] = 0.0f;
    cocheX[1] = 0.0f;
    SoundVelocityX[1] = 80.0f;
    PlaceCar(1, 0);
    DriveEngineSoundsSolo();
    EXPECT_EQ(EnginePitch[1], still);
    // The listener's own car moves with the eye: no shift.
    SoundVelocityX[0] = 60.0f;
    cocheX[0] = 900.0f;
    DriveEngineSoundsSolo();
    EXPECT_EQ(DopplerShift[0], 0.0f);
}

TEST_F(EngineSound, TheListenersLayers) {
    LoadRace(5, 0, {0});
    PlaceCar(0, 100);
    CarGear[0] = 0;
    EngineRevs[0] = 0.6f;
    CarSpeed[0] = 0.0f;
    CarInputBits[0] = INPUT_ACCELERATE;
    ThrottleSoundState[0] = 3;
    SurfaceWord[0] = 0x2;
    UpdateTerrainSounds(0);
    ViewMode[0] = 1;
    const int first = PlatMixerEventCount();
    DriveEngineSoundsSolo();
    DriveEngineSoundsSolo();
    // Idle layer on 9 at (22000 - 2d) x level, the contact copy on 10.
    EXPECT_EQ(SlotsPlayedOn(9, first), std::vector<int>{21});
    EXPECT_EQ(PlatMixerGetVolume(9), Nearest((22000.0 - 200.0) * 0.7f));
    EXPECT_EQ(PlatMixerGetFrequency(9), EnginePitch[0] + 22050);
    EXPECT_EQ(SlotsPlayedOn(10, first), std::vector<int>{1});
    EXPECT_EQ(PlatMixerGetVolume(10), EngineVolume - 5000);
    // Low revs in first gear: the low-revs volume with the view's trim.
    EXPECT_EQ(EngineVolume, Nearest((13800.0f * ScaledRevs[0] - 200.0f - (float)VolumeTrim[0] - 3000.0f) * 0.7f));

    // Fast enough the idle layer stops; off the contact surface the copy
    // stops; revving with free wheels in the arena starts the gravel loop.
    CarSpeed[0] = 60.0f;
    SurfaceWord[0] = 0;
    UpdateTerrainSounds(0);
    EngineRevs[0] = 1.0f;
    WheelsInAir[0] = 0;
    DriveEngineSoundsSolo();
    EXPECT_FALSE(Queued(9));
    EXPECT_EQ(LastSlotOn(10, first), 132);
    EXPECT_EQ(PlatMixerGetVolume(10), std::min(30000, (int)((7300.0f + 150.0f * 60.0f) * 0.7f)));
    // Road noise in the close views above speed 10.
    EXPECT_EQ(SlotsPlayedOn(8, first), std::vector<int>{241});
    DriveEngineSoundsSolo();
    EXPECT_EQ(PlatMixerGetFrequency(8), (int)(300.0f * 60.0f + 1000.0f));
    // Out of range every listener loop stops but the road noise.
    PlaceCar(0, 12000);
    DriveEngineSoundsSolo();
    for (int ch : {0, 9, 17})
        EXPECT_FALSE(Queued(ch)) << ch;
    EXPECT_TRUE(Queued(8));
}

// Throttle released: the loop restarts at the mirrored position (coasting);
// held again: it goes back to its loop points.  Gear changes clunk in the
// in-car view; two gear-downs with the throttle held give one shift sample.
TEST_F(EngineSound, CoastingGearChangesAndShiftSamples) {
    LoadRace(1, 0, {0});
    PlaceCar(0, 100);
    CarGear[0] = 2;
    EngineRevs[0] = 1.5f;
    ViewMode[0] = 2;
    CarInputBits[0] = INPUT_ACCELERATE;
    ThrottleSoundState[0] = 3;
    DriveEngineSoundsSolo();
    int p = 0;
    PlatWave wave = 0;
    PlatMixerPlayPosition(0, &wave, &p);
    EXPECT_EQ(p, 2000) << "from gear 2 the loop starts with loop B's block";

    // Release: the coasting form starts at the mirrored play position.
    Mix(3000);
    PlatMixerPlayPosition(0, &wave, &p);
    CarInputBits[0] = 0;
    ThrottleSoundState[0] = 0;
    DriveEngineSoundsSolo();
    int mirrored = 0;
    PlatMixerPlayPosition(0, &wave, &mirrored);
    EXPECT_EQ(mirrored, 115630 - p);
    EXPECT_EQ(CoastPlaying[0], 1);
    EXPECT_EQ(VolumeTrim[0], (int)(2500 * 0.7f));

    // Held again: back on the loop (the gearbox sets the state to 3).
    CarInputBits[0] = INPUT_ACCELERATE;
    ThrottleSoundState[0] = 3;
    ThrottleReleaseLatch[0] = 0;
    DriveEngineSoundsSolo();
    EXPECT_EQ(CoastPlaying[0], 0);
    EXPECT_EQ(VolumeTrim[0], 0);

    const int first = PlatMixerEventCount();
    GearUpSignal[0] = 1;
    GearUpHandled[0] = 0;
    DriveEngineSoundsSolo();
    DriveEngineSoundsSolo();
    EXPECT_EQ(SlotsPlayedOn(15, first), std::vector<int>{220}) << "one clunk per change";
    EXPECT_EQ(GearUpHandled[0], 1);
    for (int i = 0; i < 2; i++) {
        GearDownSignal[0] = 1;
        DriveEngineSoundsSolo();
    }
    EXPECT_EQ(SlotsPlayedOn(15, first), (std::vector<int>{220, 220, 220, 161}));
    GearDownSignal[0] = 1;
    DriveEngineSoundsSolo();
    EXPECT_EQ(LastSlotOn(15, first), 220) << "from gear 2 the count stays until cleared";
    // Outside the in-car view (automatic box) no clunk.
    ViewMode[0] = 0;
    const int later = PlatMixerEventCount();
    GearUpSignal[0] = 1;
    GearUpHandled[0] = 0;
    DriveEngineSoundsSolo();
    EXPECT_TRUE(SlotsPlayedOn(15, later).empty());
}

TEST_F(EngineSound, SkidHysteresisAndRotation) {
    LoadRace(1, 0, {0, 3});
    SetCrowdPoints();
    PlaceCar(1, 500);
    SurfaceWord[1] = 1;
    const int first = PlatMixerEventCount();
    LateralSpeed[1] = 12.0f;
    DriveEngineSoundsSolo();
    DriveEngineSoundsSolo();
    EXPECT_EQ(SlotsPlayedOn(11, first), std::vector<int>{99});
    EXPECT_EQ(PlatMixerGetVolume(11), (int)((16400.0f - 2000.0f) * 0.7f));
    LateralSpeed[1] = 11.0f;    // between the thresholds: nothing changes
    DriveEngineSoundsSolo();
    EXPECT_TRUE(Queued(11));
    LateralSpeed[1] = 9.0f;
    DriveEngineSoundsSolo();
    EXPECT_FALSE(Queued(11));
    // Off tarmac the one-shot starts where the rotation says.
    SurfaceWord[1] = 0;
    LateralSpeed[1] = 13.0f;
    DriveEngineSoundsSolo();
    int p = 0;
    PlatMixerPlayPosition(11, nullptr, &p);
    EXPECT_EQ(LastSlotOn(11, first), 94);
    EXPECT_EQ(p, SkidRotation == 1 ? 17792 : SkidRotation == 2 ? 34304 : 0);
}

// One check for each point where the replay and split-screen drivers differ
// from the solo one.
TEST_F(EngineSound, Variants) {
    const float level = 0.7f;
    // Listener range, kind 1 and 2, by driver.
    struct Range {
        void (*driver)();
        int model, inRange, outOfRange;
    };
    const Range ranges[] = {
        {DriveEngineSoundsSolo, 0, 11999, 12000},   {DriveEngineSoundsSolo, 3, 11999, 12000},
        {DriveEngineSoundsReplay, 0, 13999, 14000}, {DriveEngineSoundsReplay, 3, 17999, 18000},
        {DriveEngineSoundsSplit, 0, 11999, 12000},  {DriveEngineSoundsSplit, 3, 11999, 12000},
    };
    for (const Range& r : ranges) {
        SCOPED_TRACE(testing::Message() << "model " << r.model << " range " << r.outOfRange);
        LoadRace(1, 0, {r.model});
        EngineRevs[0] = 1.5f;
        PlaceCar(0, r.inRange);
        r.driver();
        EXPECT_TRUE(Queued(0));
        PlaceCar(0, r.outOfRange);
        r.driver();
        EXPECT_FALSE(Queued(0));
        ResetRaceSounds();
    }

    // Distance term and main volume: solo kind 1 trims by the view in both
    // forms, clamps at 31000; replay uses d, no trim; split trims only the
    // low-revs form.
    LoadRace(1, 0, {7});
    ViewMode[0] = 1;
    EngineRevs[0] = 1.0f;
    CarGear[0] = 1;
    CarInputBits[0] = INPUT_ACCELERATE;    // held: no coasting trim
    ThrottleSoundState[0] = 3;
    PlaceCar(0, 1000);
    DriveEngineSoundsSolo();
    const float trim = (float)VolumeTrim[7];
    EXPECT_EQ(EngineVolume, (int)((30000.0f - 3000.0f - trim - 2000.0f) * level));
    DriveEngineSoundsReplay();
    EXPECT_EQ(EngineVolume, (int)((30000.0f - trim - 1000.0f) * level));
    DriveEngineSoundsSplit();
    EXPECT_EQ(PlayerEngineVolume[0], (int)((30000.0f - trim - 2000.0f) * level)) << "split: no trim at speed";
    CarGear[0] = 0;
    EngineRevs[0] = 0.8f;
    DriveEngineSoundsSplit();
    EXPECT_EQ(PlayerEngineVolume[0], Nearest((13000.0f * ScaledRevs[0] - 2000.0f - trim - 3000.0f) * level));
    // Near the eye at the top level: solo clamps at 31000, replays do not.
    LoadRace(1, 0, {12});
    CarInputBits[0] = INPUT_ACCELERATE;
    ThrottleSoundState[0] = 3;
    VolumeTrim[12] = 0;
    EffectsLevel = 5;
    PlaceCar(0, 10);
    DriveEngineSoundsSolo();
    EXPECT_EQ(EngineVolume, 31000);
    DriveEngineSoundsReplay();
    EXPECT_EQ(EngineVolume, (int)((31200.0f - 10.0f) * 0.9999f)) << "replay: no 31000 clamp";
    EffectsLevel = 3;

    // Idle cut-off: 8000 x level solo, 14000 x level in replays.
    LoadRace(1, 0, {0});
    CarSpeed[0] = 0.0f;
    PlaceCar(0, 3000);    // idle (22000 - 6000) x 0.7 = 11200: above 5600, below 9800
    DriveEngineSoundsSolo();
    DriveEngineSoundsSolo();
    EXPECT_TRUE(Queued(9));
    PlaceCar(0, 8500);    // replay idle (22000 - 8500) x 0.7: below 14000 x 0.7
    DriveEngineSoundsReplay();
    EXPECT_FALSE(Queued(9));

    // Loop block by gear: B from gear 2 solo and split, from gear 4 in replays.
    for (int gear : {2, 3, 4}) {
        for (int replay : {0, 1}) {
            LoadRace(1, 0, {0});
            CarGear[0] = gear;
            EngineRevs[0] = 1.5f;
            PlaceCar(0, 100);
            (replay ? DriveEngineSoundsReplay : DriveEngineSoundsSolo)();
            int p = 0;
            PlatMixerPlayPosition(0, nullptr, &p);
            const int loopB = replay ? gear >= 4 : gear >= 2;
            EXPECT_EQ(p, loopB ? 2000 : 0) << "gear " << gear << " replay " << replay;
            ResetRaceSounds();
        }
    }

    // Coasting in replays handles no gear-down; solo plays its clunk.
    for (int replay : {0, 1}) {
        LoadRace(1, 0, {0});
        ViewMode[0] = 2;
        EngineRevs[0] = 1.5f;
        CarInputBits[0] = 0;
        PlaceCar(0, 100);
        (replay ? DriveEngineSoundsReplay : DriveEngineSoundsSolo)();
        GearDownSignal[0] = 1;
        const int first = PlatMixerEventCount();
        (replay ? DriveEngineSoundsReplay : DriveEngineSoundsSolo)();
        EXPECT_EQ(SlotsPlayedOn(15, first).size(), replay ? 0u : 1u) << "replay " << replay;
        EXPECT_EQ(GearDownSignal[0], replay ? 1 : 0);
        ResetRaceSounds();
    }

    // Kind 2, throttle not held: the trim is the default x level, or the
    // default itself in replays.
    LoadRace(1, 0, {3});
    PlaceCar(0, 100);
    DriveEngineSoundsSolo();
    EXPECT_EQ(VolumeTrim[3], (int)(4000 * level));
    DriveEngineSoundsReplay();
    EXPECT_EQ(VolumeTrim[3], 4000);

    // Split: no Doppler (BasePitch + 1), idle on 8 + car, second layer on 17
    // and 10, own volumes, each player's own clunk; other cars at
    // (18000 - 4d) x level.
    LoadRace(1, 0, {0, 1, 2});
    SplitScreen = 1;
    SoundVelocityX[1] = 80.0f;
    cocheX[1] = -3000.0f;
    PlaceCar(0, 100);
    PlaceCar(1, 200);
    PlaceCar(2, 1000);
    ViewMode[1] = 2;
    const int first = PlatMixerEventCount();
    DriveEngineSoundsSplit();
    DriveEngineSoundsSplit();
    EXPECT_EQ(EnginePitch[1], BasePitch[1] + 1);
    EXPECT_EQ(DopplerShift[1], 1.0f);
    EXPECT_EQ(SlotsPlayedOn(8, first), std::vector<int>{21});
    EXPECT_EQ(SlotsPlayedOn(9, first), std::vector<int>{21});
    EXPECT_EQ(SlotsPlayedOn(17, first), std::vector<int>{164});
    EXPECT_EQ(SlotsPlayedOn(10, first), std::vector<int>{164});
    EXPECT_EQ(PlatMixerGetFrequency(10), EnginePitch[1]);
    EXPECT_EQ(PlatMixerGetVolume(9), PlayerIdleVolume[1]);
    EXPECT_EQ(OtherEngineVolume[2], (int)((18000.0f - 4000.0f) * level));
    EXPECT_EQ(EngineVolume, 0) << "split keeps its own stores";
    // The bank loads the listener's clunk only: give player 2 one to hear.
    GearClunkWaveSlot[1] = 220;
    GearUpSignal[1] = 1;
    ThrottleSoundState[1] = 3;
    CarInputBits[1] = INPUT_ACCELERATE;
    const int beforeClunk = PlatMixerEventCount();
    DriveEngineSoundsSplit();
    Mix(16);
    EXPECT_EQ(SlotsPlayedOn(15, beforeClunk), std::vector<int>{220}) << "player 2's own clunk in the in-car view";
    EXPECT_EQ(GearUpSignal[1], 0);

    // Other cars: solo within 5000 once the countdown began, replay within
    // 14000 at (14000 - d) x level before it.
    LoadRace(1, 0, {0, 1});
    StartStage = 0;
    PlaceCar(1, 4000);
    DriveEngineSoundsSolo();
    EXPECT_FALSE(Queued(1));
    StartStage = 1;
    DriveEngineSoundsSolo();
    EXPECT_EQ(OtherEngineVolume[1], (int)((20000.0f - 16000.0f) * level));
    StartStage = 0;
    PlaceCar(1, 13000);
    DriveEngineSoundsReplay();
    EXPECT_EQ(OtherEngineVolume[1], (int)((14000.0f - 13000.0f) * level));
    // The arena hears no engine but the listener's, and walks two records.
    LoadRace(5, 0, {0, 1, 2});
    PlaceCar(1, 100);
    DriveEngineSoundsSolo();
    EXPECT_EQ(RaceCarCount, 2);
    EXPECT_FALSE(Queued(1));
    // The presentation run: the replay listener only loses its contact copy.
    LoadRace(1, 0, {0});
    PresentationRun = 1;
    DriveEngineSoundsReplay();
    EXPECT_FALSE(Queued(0));
    PresentationRun = 0;
}

TEST_F(EngineSound, StereoAndWalks) {
    LoadRace(1, 0, {0, 1});
    cocheX[1] = 400.0f;
    PlaceCar(1, 400);
    DriveEngineSoundsSolo();
    const float azimuth = PolarPositions[1].azimuth;
    EXPECT_EQ(azimuth, -400.0f * 0.025f);
    StereoSign = -1;
    DriveEngineSoundsSolo();
    EXPECT_EQ(PolarPositions[1].azimuth, -azimuth);
    StereoSign = 1;
    // A record naming no car (8) is skipped, and at most CarCount records
    // are walked.
    CarsByDistance[1].car = MAX_CARS;
    RaceCarCount = 8;
    EngineRevs[0] = 1.8f;
    DriveEngineSoundsReplay();
    EXPECT_EQ(EnginePitch[0], Nearest(8600.0f * (4.0f * 0.5f * 1.8f) + 0.1f));
    EXPECT_TRUE(Queued(1)) << "car 1's record is empty: its loop is left alone";
    SoundOn = 0;
    const int first = PlatMixerEventCount();
    ResetRaceSounds();
    DriveEngineSoundsSolo();
    EXPECT_TRUE(PlaysSince(first).empty()) << "silent with the effects off";
}
