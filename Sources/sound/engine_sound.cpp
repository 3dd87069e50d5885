// Engine sound: one looping engine wave per car on the car's own channel,
// its rate following revs, gear and a Doppler term, its volume and direction
// the distance and the side it lies on.  The listener's car has more: an idle
// layer, a second layer, the coasting form of its loop, the gear clunk and
// shift-down samples, a contact copy of its loop, the gravel loop and the
// road noise.  The race frame calls one of the three drivers per frame,
// after the cars have been sorted by their distance from the eye.

#include "sound/engine_sound.h"

#include <cmath>

#include "race/race_state.h"
#include "sound/effect_sounds.h"
#include "sound/sound_channels.h"
#include "sound/sound_mix.h"
#include "sound/sound_session.h"
#include "sound/sound_state.h"
#include "track/track_state.h"

enum { IDLE_SLOT = 21, SECOND_LAYER_SLOT = 164, GRAVEL_SLOT = 132, ROAD_NOISE_SLOT = 241 };
enum { SHIFT_LOW_SLOT = 81, SHIFT_HIGH_SLOT = 161, SKID_TARMAC_SLOT = 99, SKID_OTHER_SLOT = 94 };
enum { NO_CAR = MAX_CARS };

// Models 3, 10 and 15 are kind 2.  Model 12 runs every gear at 9000 (the
// 90000 once written for its fourth gear was a slip).
const EngineSoundModel EngineSoundModels[ENGINE_MODELS] = {
    {1, 4.0f, {8600, 8600, 8600, 8600, 8600, 8600}, 22000, 13800, 22000, 3000, 2500, 115630},
    {1, 3.1f, {8600, 8600, 8600, 8600, 8600, 8600}, 27000, 11200, 16000, 4500, 2800, 123142},
    {1, 3.1f, {8600, 8600, 8600, 8600, 8600, 8600}, 20000, 13800, 30000, 5000, 4200, 204886},
    {2, 2.1f, {12000, 12000, 12000, 12000, 12000, 12000}, 18000, 13000, 27000, 4000, 4000, 26672},
    {1, 2.1f, {8500, 8500, 8500, 8500, 8500, 8500}, 22000, 14000, 29000, 5000, 4000, 147706},
    {1, 3.1f, {7000, 7000, 7000, 7000, 7000, 7000}, 25000, 12200, 26000, 5000, 4000, 136111},
    {1, 2.1f, {12000, 12000, 12000, 12000, 12000, 12000}, 28000, 13800, 18000, 4000, 3500, 217087},
    {1, 3.1f, {8600, 8600, 8600, 8600, 8600, 8600}, 30000, 13000, 30000, 5500, 4000, 151038},
    {1, 2.1f, {11000, 11000, 11000, 11000, 11000, 11000}, 25000, 13000, 30000, 5500, 4500, 173626},
    {1, 0.9f, {20000, 20000, 20000, 20000, 20000, 20000}, 18000, 22000, 30000, 30000, 4500, 135988},
    {2, 3.1f, {9500, 9500, 9500, 9500, 9500, 9500}, 30000, 17000, 30000, 8000, 4000, 18512},
    {1, 2.1f, {12000, 12000, 12000, 12000, 12000, 12000}, 25000, 13800, 25000, 5000, 4500, 215068},
    {1, 2.1f, {9000, 9000, 9000, 9000, 9000, 9000}, 21000, 12800, 31200, 5000, 4000, 285696},
    {1, 2.1f, {11000, 11000, 11000, 11000, 11000, 11000}, 20000, 12800, 18000, 4000, 4100, 309834},
    {1, 2.1f, {12000, 12000, 12000, 12000, 12000, 12000}, 24000, 11000, 20000, 5000, 4000, 217087},
    {2, 3.1f, {20500, 20500, 20500, 20500, 20500, 20500}, 26000, 13800, 20000, 5000, 5500, 156554},
    {1, 3.1f, {8600, 8600, 8600, 8600, 8600, 8600}, 27000, 13800, 20000, 5100, 3500, 245906},
    {1, 3.1f, {8600, 8600, 8600, 8600, 8600, 8600}, 30000, 13800, 22000, 4500, 2500, 123142},
    {},
    {},
};

static const int ViewVolumeTrim[VIEW_TRIMS] = {0, 3000, 5000, 1000};
static const int GravelViewVolume[3] = {5300, 7300, 10000};
static const int RoadNoiseViewTrim[3] = {8000, 5000, 0};
static const int SkidStartA[3] = {0, 20353, 35353};   // the looping skid on tarmac
static const int SkidStartB[3] = {0, 17792, 34304};   // the one-shot skid elsewhere

// The three drivers' differences.
struct EngineVariant {
    int range[3];            // listener range by kind (index 1, 2)
    int distanceFactor[3];   // D = factor x d, by kind
    int idleCutoff;
    int loopBGear;           // loop A below this gear, else loop B
    int otherRange;
    int otherNeedsCountdown;
    int otherBase;           // other cars: (base - otherFactor x d) x level
    int otherFactor;
    const PlayParams* otherBlock;
};
static const EngineVariant SoloVariant = {{0, 12000, 12000}, {0, 2, 4}, 8000, 2, 5000, 1, 20000, 4, &EffectParams};
static const EngineVariant ReplayVariant = {{0, 14000, 18000}, {0, 1, 1}, 14000, 4, 14000, 0, 14000, 1,
                                            &EnginePlainParams};
static const EngineVariant SplitVariant = {{0, 12000, 12000}, {0, 2, 4}, 8000, 2, 5000, 1, 18000, 4, &EffectParams};

// The channels and stores of one listener car: the local car in a solo race
// or a replay, each player's car in split screen.
struct ListenerSet {
    int car;
    int idleChannel;
    int secondChannel;
    int* idleOn;
    int* idleVolume;
    int* engineVolume;
    int* secondVolume;
    int split;
};

static int ModelOf(int car) {
    const int m = car >= 0 && car < MAX_CARS ? CarModel[car] : 0;
    return m >= 0 && m < ENGINE_MODELS ? m : 0;
}

static int GearOf(int car) {
    const int g = CarGear[car];
    return g < 0 ? 0 : g > 5 ? 5 : g;
}

static int ViewOf(int car) {
    const int v = car >= 0 && car < 2 ? ViewMode[car] : 0;
    return v < 0 ? 0 : v > 2 ? 2 : v;
}

static int ListenerOf() { return LocalCar >= 0 && LocalCar < MAX_CARS ? LocalCar : 0; }

// The accelerate bit of the car's own control word.
static int Accelerating(int car) { return (CarInputBits[car] & INPUT_ACCELERATE) != 0; }

// The listener point: the eye of the listener's view (stored negated).
static float ListenerX(int listener) { return -EyeX[listener]; }
static float ListenerZ(int listener) { return -EyeZ[listener]; }

// ---------------------------------------------------------------------------
// Terms shared by every car

static void ComputeScaledRevs(int c) {
    const EngineSoundModel& e = EngineSoundModels[ModelOf(c)];
    ScaledRevs[c] = e.revFactor * 0.5f * EngineRevs[c];
    if (!std::isfinite(ScaledRevs[c]))
        ScaledRevs[c] = 0.0f;
    BasePitch[c] = NearestOf((float)e.gearPitch[GearOf(c)] * ScaledRevs[c] + 0.1f);
}

// The Doppler term of car c heard from the listener's eye.  The listener's
// own car moves with the eye, so it has none; a distance of 0 gives none.
static float DopplerTerm(int c, int listener, int d) {
    if (c == listener || d == 0)
        return 0.0f;
    const float dx = cocheX[c] - ListenerX(listener);
    const float dz = cocheZ[c] - ListenerZ(listener);
    const float closing = dx * (SoundVelocityX[c] - SoundVelocityX[listener]) +
                          dz * (SoundVelocityZ[c] - SoundVelocityZ[listener]);
    const float shift = -51.3f * closing / (float)d;
    return std::isfinite(shift) ? shift : 0.0f;
}

void ComputeDopplerShift() {
    const int c = CurrentCar;
    if (c < 0 || c >= MAX_CARS)
        return;
    int d = 0;
    for (int i = 0; i < CarCount && i < MAX_CARS; i++) {
        if (CarsByDistance[i].car == c)
            d = CarsByDistance[i].distance;
    }
    DopplerShift[c] = DopplerTerm(c, ListenerOf(), d);
}

// Terms 1 to 4: scaled revs, base pitch, Doppler and the rate, held above
// the floor.
static void ComputeEnginePitch(int c, int d, int floor) {
    ComputeScaledRevs(c);
    DopplerShift[c] = DopplerTerm(c, ListenerOf(), d);
    const int pitch = NearestOf((float)BasePitch[c] + DopplerShift[c]);
    EnginePitch[c] = pitch < floor ? floor : pitch;
}

// Term 5: the car's azimuth from the listener's eye, against two components
// of its body's side axis.
static void ComputeEngineAzimuth(int c, const CarBody* body) {
    const int listener = ListenerOf();
    const float dx = cocheX[c] - ListenerX(listener);
    const float dz = cocheZ[c] - ListenerZ(listener);
    const float a = body ? body->side[0] : 0.0f, b = body ? body->side[1] : 0.0f;
    const float azimuth = (dx * a + dz * b) * 0.025f;
    EngineAzimuth[c] = std::isfinite(azimuth) ? azimuth : 0.0f;
}

static void SendEngineAzimuth(int c, int channel, int record) {
    SetChannelAzimuth(channel, record, (float)-StereoSign * EngineAzimuth[c]);
}

// ---------------------------------------------------------------------------
// Gear clunk and skid

void PlayGearClunk(int player) {
    if (player < 0 || player > SplitScreen || player >= MAX_CARS)
        return;
    if (ViewOf(player) != 2 && ManualGearbox[player] != 1)
        return;
    SetChannelVolume(CH_GEAR, TruncOf(20000.0f * EffectLevel()));
    PlaySlot(CH_GEAR, GearClunkWaveSlot[player], 0, EffectParams);
}

void UpdateSkidSound(int d, int car) {
    if (car < 0 || car >= MAX_CARS)
        return;
    if (d >= 2000) {
        if (SkidPlaying[car] == 1) {
            FlushChannel(CH_SKID);
            SkidPlaying[car] = 0;
        }
        return;
    }
    if (SkidOn[car] == 1 && SkidPlaying[car] == 0) {
        SkidRotation = SkidRotation >= 2 ? 0 : SkidRotation + 1;
        const float level = EffectLevel();
        SkidParams.loopEnd = 0;
        SkidParams.end = 0;
        if (TrackGroup == 6 || (SurfaceWord[car] & 1) == 0) {
            SkidParams.start = SkidStartB[SkidRotation];
            SkidParams.loopStart = SkidStartB[SkidRotation];
            SetChannelVolume(CH_SKID, TruncOf((24400.0f - 4.0f * (float)d) * level));
            PlaySlot(CH_SKID, SKID_OTHER_SLOT, 0, SkidParams);
        } else {
            SkidParams.start = SkidStartA[SkidRotation];
            SkidParams.loopStart = 0;
            SetChannelVolume(CH_SKID, TruncOf((16400.0f - 4.0f * (float)d) * level));
            PlaySlot(CH_SKID, SKID_TARMAC_SLOT, -1, SkidParams);
        }
        SkidPlaying[car] = 1;
    } else if (SkidOn[car] == 0 && SkidPlaying[car] == 1) {
        FlushChannel(CH_SKID);
        SkidPlaying[car] = 0;
    }
}

// The skid hysteresis of one car: on at or above the track's threshold, off
// below the lower one.
static void SkidHysteresis(int d, int car) {
    const float slip = LateralSpeed[car];
    if (slip >= SkidOnThreshold) {
        SkidOn[car] = 1;
        UpdateSkidSound(d, car);
    } else if (slip < SkidOffThreshold) {
        SkidOn[car] = 0;
        UpdateSkidSound(d, car);
    }
}

// ---------------------------------------------------------------------------
// The listener's car

static const PlayParams& DrivingLoopBlock(int c, int loopBGear) {
    return GearOf(c) < loopBGear ? EngineLoopParamsA : EngineLoopParamsB;
}

// Stops every loop of an out-of-range listener car.
static void SilenceListener(const ListenerSet& ls, int contactLayer) {
    const int l = ls.car;
    if (*ls.idleOn) {
        FlushChannel(ls.idleChannel);
        *ls.idleOn = 0;
        EnginePitch[l] = 0;
    }
    if (EngineLoopOn[l]) {
        FlushChannel(EngineChannel(l));
        FlushChannel(ls.secondChannel);
        EngineLoopOn[l] = 0;
        *ls.engineVolume = 0;
        EnginePitch[l] = 0;
    }
    if (contactLayer && ContactLayerOn) {
        FlushChannel(CH_CONTACT_LAYER);
        ContactLayerOn = 0;
    }
}

static void DetectThrottleRelease(int l) {
    if (!Accelerating(l) && ThrottleReleaseLatch[l] == 0 && EngineLoopOn[l] == 1) {
        ThrottleReleaseLatch[l] = 1;
        ThrottleReleased[l] = 1;
        ThrottleSoundState[l] = 0;
    } else {
        ThrottleReleased[l] = 0;
    }
}

static void UpdateIdleLayer(const ListenerSet& ls, const EngineVariant& v, int D, const PlayParams& block) {
    const int l = ls.car;
    const float level = EffectLevel();
    const EngineSoundModel& e = EngineSoundModels[ModelOf(l)];
    int volume = NearestOf(((float)e.idleVolume - 319.0f * CarSpeed[l] - (float)D) * level);
    *ls.idleVolume = volume < 0 ? 0 : volume;
    if (!((float)*ls.idleVolume > (float)v.idleCutoff * level)) {
        if (*ls.idleOn) {
            FlushChannel(ls.idleChannel);
            *ls.idleOn = 0;
        }
        return;
    }
    if (*ls.idleOn) {
        SetChannelRate(ls.idleChannel, (double)EnginePitch[l] + 22050.0);
        SetChannelVolume(ls.idleChannel, *ls.idleVolume);
        if (!ls.split)
            SendPolarRecord(ls.idleChannel, 0);
    } else {
        PlaySlot(ls.idleChannel, IDLE_SLOT, -1, block);
        *ls.idleOn = 1;
    }
}

// The main loop's volume: kind 1 with the view trim where the driver wants
// it, kind 2 without.
static int MainLoopVolume(const ListenerSet& ls, int kind, const EngineVariant& v, int D) {
    const int l = ls.car;
    const int m = ModelOf(l);
    const EngineSoundModel& e = EngineSoundModels[m];
    const float level = EffectLevel();
    const int replay = &v == &ReplayVariant;
    const int trimFull = kind == 1 && !replay && !ls.split;
    const int trimLow = kind == 1 && !replay;
    const float view = (float)ViewVolumeTrim[ViewOf(l)];
    int volume;
    if (ScaledRevs[l] >= 1.4f || GearOf(l) != 0) {
        volume = TruncOf(((float)e.fullVolume - (trimFull ? view : 0.0f) - (float)VolumeTrim[m] - (float)D) * level);
    } else {
        volume = NearestOf(((float)e.lowRevVolume * ScaledRevs[l] - (float)D - (float)VolumeTrim[m] -
                            (trimLow ? view : 0.0f)) *
                           level);
    }
    if (volume < 0)
        volume = 0;
    if (kind == 1 && !replay && volume > 31000)
        volume = 31000;
    return volume;
}

static void ShiftDownSample(int l, int d, int D, const PlayParams& block) {
    const float level = EffectLevel();
    ShiftDownCount[l] += 1;
    if (ShiftDownCount[l] != 2)
        return;
    if (GearOf(l) < 2) {
        SetChannelVolume(CH_GEAR, TruncOf((25000.0f - (float)D) * level));
        PlaySlot(CH_GEAR, SHIFT_LOW_SLOT, 0, block);
        ShiftDownCount[l] = 0;
    } else {
        // The count stays at 2: no further sample until it is cleared.
        SetChannelVolume(CH_GEAR, TruncOf((31000.0f - 4.0f * (float)d) * level));
        PlaySlot(CH_GEAR, SHIFT_HIGH_SLOT, 0, block);
    }
}

// Throttle held, kind 1: re-engage from coasting, gear up, gear down.
static void ThrottleHeldKind1(const ListenerSet& ls, const EngineVariant& v, int d, int D) {
    const int l = ls.car;
    const int m = ModelOf(l);
    const int ch = EngineChannel(l);
    if (CoastPlaying[l]) {
        CoastPlaying[l] = 0;
        CoastActive = 0;
        VolumeTrim[m] = 0;
        const int p = ChannelPlayPosition(ch);
        const int b = GearOf(l) < v.loopBGear ? 0 : 2;
        EngineMainParams.start = EngineSoundModels[m].waveLength - p;
        EngineMainParams.loopStart = EngineLoopPoints[b][m];
        EngineMainParams.loopEnd = EngineLoopPoints[b + 1][m];
        EngineMainParams.end = EngineMainParams.loopEnd;
        FlushChannel(ch);
        PlaySlot(ch, EngineWaveSlot[l], -1, EngineMainParams);
    }
    if (GearUpSignal[l] == 1 && GearUpHandled[l] == 0) {
        PlayGearClunk(l);
        GearUpSignal[l] = 0;
        GearUpHandled[l] = 1;
        ShiftDownCount[l] = 0;
        FlushChannel(ch);
        PlaySlot(ch, EngineWaveSlot[l], -1, DrivingLoopBlock(l, v.loopBGear));
    }
    if (GearDownSignal[l] == 1) {
        PlayGearClunk(l);
        GearDownSignal[l] = 0;
        ShiftDownSample(l, d, D, SharedPlainParams);
    }
}

// Throttle released, kind 1: the coasting form of the loop, started at the
// mirrored position of what plays.
static void CoastKind1(int l, int gearDown) {
    const int m = ModelOf(l);
    const int ch = EngineChannel(l);
    ShiftDownCount[l] = 0;
    if (ThrottleReleased[l] == 1 && CoastActive == 0) {
        CoastActive = 1;
        VolumeTrim[m] = TruncOf((float)EngineSoundModels[m].volumeTrimDefault * EffectLevel());
        const int p = ChannelPlayPosition(ch);
        EngineCarParams = {};
        EngineCarParams.callback = SoundDoneCallback;
        EngineCarParams.user = &SoundDoneEvent;
        EngineCarParams.start = EngineSoundModels[m].waveLength - p;
        FlushChannel(ch);
        PlaySlot(ch, EngineWaveSlot[l], -1, EngineCarParams);
        CoastPlaying[l] = 1;
        ThrottleSoundState[l] = 0;
    }
    if (gearDown && GearDownSignal[l] == 1) {
        PlayGearClunk(l);
        GearDownSignal[l] = 0;
    }
}

static void ThrottleKind2(int l, const EngineVariant& v, int d, int D) {
    const int m = ModelOf(l);
    if (ThrottleSoundState[l] == 3) {
        VolumeTrim[m] = 0;
        if (GearUpSignal[l] == 1) {
            PlayGearClunk(l);
            GearUpSignal[l] = 0;
            ShiftDownCount[l] = 0;
        }
        if (GearDownSignal[l] == 1) {
            PlayGearClunk(l);
            GearDownSignal[l] = 0;
            ShiftDownSample(l, d, D, EngineLayerParams);
        }
        return;
    }
    ShiftDownCount[l] = 0;
    const int trim = EngineSoundModels[m].volumeTrimDefault;
    VolumeTrim[m] = &v == &ReplayVariant ? trim : TruncOf((float)trim * EffectLevel());
    ThrottleSoundState[l] = 0;
    if (GearDownSignal[l] == 1) {
        PlayGearClunk(l);
        GearDownSignal[l] = 0;
    }
}

// The copy of the listener's loop on contact surfaces (channel 10).
static void UpdateContactLayer(int l, int kind, const EngineVariant& v) {
    const int contact = SurfaceFlags[l][SURFACE_CONTACT_KIND];
    const int answers = kind == 1 || &v == &ReplayVariant ? (contact == 1 || contact == 2) : contact == 1;
    if (!answers) {
        if (ContactLayerOn) {
            FlushChannel(CH_CONTACT_LAYER);
            ContactLayerOn = 0;
        }
        return;
    }
    SetChannelRate(CH_CONTACT_LAYER, EnginePitch[l]);
    const int scaled = kind == 2 || &v == &ReplayVariant;
    const int volume = scaled ? TruncOf((float)(EngineVolume - 5000) * EffectLevel()) : EngineVolume - 5000;
    ContactLayerVolume = volume < 0 ? 0 : volume;
    SetChannelVolume(CH_CONTACT_LAYER, ContactLayerVolume);
    if (!ContactLayerOn) {
        PlaySlot(CH_CONTACT_LAYER, EngineWaveSlot[l], -1, kind == 2 ? EngineLayerParams : EngineLoopParamsA);
        SetChannelAzimuth(CH_CONTACT_LAYER, CH_CONTACT_LAYER, EngineAzimuth[l]);
        ContactLayerOn = 1;
    }
}

// The gravel loop of car l: started when `on` rises, flushed when it falls;
// above speed 25 its volume follows the view and the speed.  1 while it
// sounds louder than its start.
static int RunGravelLoop(int l, int on) {
    if (!on) {
        if (GravelLoopOn) {
            FlushChannel(CH_GRAVEL_LOOP);
            GravelLoopOn = 0;
        }
        return 0;
    }
    if (!GravelLoopOn) {
        PlaySlot(CH_GRAVEL_LOOP, GRAVEL_SLOT, -1, SharedPlainParams);
        GravelLoopOn = 1;
    }
    if (!(CarSpeed[l] > 25.0f))
        return 0;
    const int volume = TruncOf(((float)GravelViewVolume[ViewOf(l)] + 150.0f * CarSpeed[l]) * EffectLevel());
    GravelVolume = volume > 30000 ? 30000 : volume;
    SetChannelVolume(CH_GRAVEL_LOOP, GravelVolume);
    return 1;
}

// The gravel loop of the arena, cross and track 79 cars while they rev with
// the wheels free.
static void UpdateGravelLoop(int l, int d) {
    if (!(TrackGroup == 5 || TrackGroup == 6 || TrackCode == 79) || SoundOn != 1)
        return;
    if (RunGravelLoop(l, d < 3000 && ScaledRevs[l] > 1.3f && WheelsInAir[l] <= 1))
        SetChannelAzimuth(CH_GRAVEL_LOOP, CH_GRAVEL_LOOP, (float)-StereoSign * EngineAzimuth[l]);
}

void UpdateGravelSound() {
    if (SoundOn != 1)
        return;
    const int l = ListenerOf();
    RunGravelLoop(l, CarSpeed[l] > 1.3f && WheelsInAir[l] < 2);
    if (GravelLoopOn)
        SendPolarRecord(CH_GRAVEL_LOOP, l);
}

// Road noise in the close views.
static void UpdateRoadNoise(int c) {
    const float speed = CarSpeed[c];
    const int view = ViewOf(c);
    if (view != 0 && speed > 10.0f) {
        if (!RoadNoiseOn) {
            PlaySlot(CH_ROAD_NOISE, ROAD_NOISE_SLOT, -1, SharedPlainParams);
            RoadNoiseOn = 1;
            return;
        }
        RoadNoiseVolume = TruncOf(150.0f * speed - (float)RoadNoiseViewTrim[view] + 1000.0f);
        RoadNoiseRate = TruncOf(300.0f * speed + 1000.0f);
        if (RoadNoiseVolume > 22000)
            RoadNoiseVolume = 22000;
        else
            SetChannelVolume(CH_ROAD_NOISE, TruncOf((float)RoadNoiseVolume * EffectLevel()));
        if (RoadNoiseRate > 24000)
            RoadNoiseRate = 24000;
        else
            SetChannelRate(CH_ROAD_NOISE, RoadNoiseRate);
    } else if (RoadNoiseOn == 1) {
        RoadNoiseVolume = 1000;
        RoadNoiseRate = 1000;
        FlushChannel(CH_ROAD_NOISE);
        RoadNoiseOn = 0;
    }
}

// One listener car, either kind, for one driver.
static void UpdateListenerEngine(const ListenerSet& ls, const EngineVariant& v, int d, const CarBody* body) {
    const int l = ls.car;
    const int m = ModelOf(l);
    const int kind = EngineSoundModels[m].kind == 2 ? 2 : 1;
    const int solo = &v == &SoloVariant;
    const int replay = &v == &ReplayVariant;
    const int ch = EngineChannel(l);
    const PlayParams& layerBlock = kind == 2 ? EngineLayerParams : SharedPlainParams;

    if (d >= v.range[kind]) {
        SilenceListener(ls, !ls.split);
        if (solo)
            UpdateRoadNoise(l);
        return;
    }
    const int D = v.distanceFactor[kind] * d;

    // Terms 1 to 4; split screen gives its player cars no Doppler term.
    if (ls.split) {
        ComputeScaledRevs(l);
        DopplerShift[l] = 1.0f;
        EnginePitch[l] = BasePitch[l] + 1 < 1000 ? 1000 : BasePitch[l] + 1;
    } else {
        ComputeEnginePitch(l, d, 1000);
    }
    DetectThrottleRelease(l);
    UpdateIdleLayer(ls, v, D, layerBlock);

    // The loop starts on the rising edge of a rate above 3000 and stops on
    // the falling edge below it.
    if (EngineLoopOn[l] == 0 && EnginePitch[l] > 3000) {
        PlaySlot(ch, EngineWaveSlot[l], -1, kind == 2 ? EngineLayerParams : DrivingLoopBlock(l, v.loopBGear));
        EngineLoopOn[l] = 1;
        PlaySlot(ls.secondChannel, SECOND_LAYER_SLOT, -1, layerBlock);
    }
    if (EngineLoopOn[l] && EnginePitch[l] < 3000) {
        FlushChannel(ch);
        if (kind == 1)
            FlushChannel(ls.secondChannel);
        CoastActive = 0;
        EngineLoopOn[l] = 0;
        CoastPlaying[l] = 0;
        VolumeTrim[m] = 0;
    }

    *ls.engineVolume = MainLoopVolume(ls, kind, v, D);
    SetChannelVolume(ch, *ls.engineVolume);

    const int second =
        NearestOf(((float)EngineSoundModels[m].secondLayerVolume * ScaledRevs[l] - (float)D) * EffectLevel());
    *ls.secondVolume = second < 0 ? 0 : second;
    SetChannelVolume(ls.secondChannel, *ls.secondVolume);

    if (kind == 1) {
        if (ThrottleSoundState[l] == 3)
            ThrottleHeldKind1(ls, v, d, D);
        else
            CoastKind1(l, !replay);
    } else {
        ThrottleKind2(l, v, d, D);
    }

    SetChannelRate(ch, EnginePitch[l]);
    SetChannelRate(ls.secondChannel, EnginePitch[l]);

    ComputeEngineAzimuth(l, body);
    if (!ls.split || kind == 2)
        SendEngineAzimuth(l, ch, ls.split ? l : 0);

    if (!ls.split)
        UpdateContactLayer(l, kind, v);
    if (!replay)
        UpdateGravelLoop(l, d);
    if (solo)
        UpdateRoadNoise(l);
}

// ---------------------------------------------------------------------------
// Other cars

static void UpdateOtherEngine(int c, const EngineVariant& v, int d, const CarBody* body) {
    if (TrackGroup == 5)
        return;
    const int ch = EngineChannel(c);
    // The countdown holds back a loop's start, not a loop the fly-by started:
    // that one plays on into the race.
    const int started = !v.otherNeedsCountdown || StartStage >= 1 || EngineLoopOn[c];
    if (d < v.otherRange && started) {
        ComputeEnginePitch(c, d, 8000);
        if (!EngineLoopOn[c]) {
            PlaySlot(ch, EngineWaveSlot[c], -1, *v.otherBlock);
            EngineLoopOn[c] = 1;
        }
        const int volume = TruncOf(((float)v.otherBase - (float)v.otherFactor * (float)d) * EffectLevel());
        OtherEngineVolume[c] = volume < 0 ? 0 : volume;
        ComputeEngineAzimuth(c, body);
        SetChannelRate(ch, EnginePitch[c]);
        SetChannelVolume(ch, OtherEngineVolume[c]);
        SendEngineAzimuth(c, ch, c);
    } else if (EngineLoopOn[c]) {
        FlushChannel(ch);
        EngineLoopOn[c] = 0;
        OtherEngineVolume[c] = 0;
    }
}

// ---------------------------------------------------------------------------
// The per-car models and the drivers

static ListenerSet SoloListener(int l) {
    return {l, CH_IDLE_LAYER, CH_SECOND_LAYER, &IdleLayerOn, &IdleLayerVolume, &EngineVolume, &SecondLayerVolumeNow, 0};
}

void UpdateEngineSoundSolo(int d, const CarBody* body) {
    const int c = CurrentCar;
    if (c < 0 || c >= MAX_CARS)
        return;
    if (c == ListenerOf())
        UpdateListenerEngine(SoloListener(c), SoloVariant, d, body);
    else
        UpdateOtherEngine(c, SoloVariant, d, body);
}

void UpdateEngineSoundReplay(int d, const CarBody* body) {
    const int c = CurrentCar;
    if (c < 0 || c >= MAX_CARS)
        return;
    if (c != ListenerOf()) {
        UpdateOtherEngine(c, ReplayVariant, d, body);
        return;
    }
    // The presentation fly-by: the listener's car keeps only its contact
    // layer stopped.
    if (PresentationRun) {
        if (ContactLayerOn) {
            FlushChannel(CH_CONTACT_LAYER);
            ContactLayerOn = 0;
        }
        return;
    }
    UpdateListenerEngine(SoloListener(c), ReplayVariant, d, body);
}

void UpdateEngineSoundSplit(int d, const CarBody* body) {
    const int c = CurrentCar;
    if (c < 0 || c >= MAX_CARS)
        return;
    if (c > SplitScreen) {
        UpdateOtherEngine(c, SplitVariant, d, body);
        return;
    }
    // Each player's car on its own channels, whatever its kind.
    const ListenerSet ls = {c,
                            SplitIdleChannel(c),
                            c == 0 ? CH_SECOND_LAYER : CH_SECOND_PLAYER_LAYER,
                            &PlayerIdleOn[c],
                            &PlayerIdleVolume[c],
                            &PlayerEngineVolume[c],
                            &PlayerSecondLayerVolume[c],
                            1};
    UpdateListenerEngine(ls, SplitVariant, d, body);
}

typedef void (*EngineModelFn)(int d, const CarBody* body);

// Walks the cars nearest first (at most the race's cars; empty records
// name car 8) with the model and then the skid of each.
static void DriveEngineSounds(EngineModelFn model) {
    if (SoundOn != 1)
        return;
    const int kept = CurrentCar;
    int n = RaceCarCount;
    if (n > CarCount)
        n = CarCount;
    if (n > MAX_CARS)
        n = MAX_CARS;
    for (int i = 0; i < n; i++) {
        const int car = CarsByDistance[i].car;
        if (car < 0 || car >= MAX_CARS || car == NO_CAR)
            continue;
        const int d = CarsByDistance[i].distance;
        CurrentCar = car;
        model(d, &CarBodies[car]);
        SkidHysteresis(d, car);
    }
    CurrentCar = kept;
}

void DriveEngineSoundsSolo() {
    // Only the first two records count in the arena events.
    RaceCarCount = TrackGroup == 5 && TrackVariant != 5 && TrackVariant != 7 ? 2 : (int)CarCount;
    DriveEngineSounds(UpdateEngineSoundSolo);
}

void DriveEngineSoundsReplay() { DriveEngineSounds(UpdateEngineSoundReplay); }
void DriveEngineSoundsSplit() { DriveEngineSounds(UpdateEngineSoundSplit); }
