// The loops and one-shots that follow one car's brakes, tyres, gearbox,
// turbo and the arena's bus and crushes.  The tick calls them from the car
// step, under the simulation lock.

#include "sound/car_sounds.h"

#include "race/race_state.h"
#include "sound/effect_sounds.h"
#include "sound/sound_channels.h"
#include "sound/sound_mix.h"
#include "sound/sound_state.h"

static int ValidCar(int car) { return car >= 0 && car < MAX_CARS; }

// Bit 0 of the surface word: tarmac.
static int OnTarmac(int car) { return (SurfaceWord[car] & 1) != 0; }

// Stops a car's loop on its channel when it plays.
static void StopLoop(int car, CarLoop loop, int channel) {
    if (CarLoopPlaying[car][loop]) {
        FlushChannel(channel);
        CarLoopPlaying[car][loop] = 0;
    }
}

static int NearestFloor0(double v) {
    const int n = NearestOf(v);
    return n < 0 ? 0 : n;
}

void UpdateBrakeSound(int car) {
    if (SoundOn != 1 || !ValidCar(car))
        return;
    const int d = CarSoundDistance(car);
    const float speed = CarSpeed[car];
    if (!(d < 3000 && BrakeLightOn[car] == 1 && WheelsInAir[car] < 3 && speed > 8.0f)) {
        if (CarLoopPlaying[car][LOOP_BRAKE]) {
            FlushChannel(CH_BRAKE);
            FlushChannel(CH_AIR_BRAKE);
            CarLoopPlaying[car][LOOP_BRAKE] = 0;
        }
        CarLoopPlaying[car][LOOP_AIR_BRAKE_PLAYED] = 0;
        return;
    }
    const float level = EffectLevel();
    if (!CarLoopPlaying[car][LOOP_BRAKE]) {
        PlaySlot(CH_BRAKE, 98, -1, EffectParams);
        CarLoopPlaying[car][LOOP_BRAKE] = 1;
    }
    SetChannelVolume(CH_BRAKE, NearestFloor0((speed * 100.0f + 7000.0f - 4.0f * (float)d) * level));
    // The arena's monster cars hiss once per braking.
    const int airBrakes = TrackGroup == 5 && TrackVariant != 5 && TrackVariant != 7;
    if (airBrakes && !CarLoopPlaying[car][LOOP_AIR_BRAKE_PLAYED]) {
        SetChannelVolume(CH_AIR_BRAKE, TruncOf((16000.0f - 4.0f * (float)d) * level));
        PlaySlot(CH_AIR_BRAKE, 136, 0, EffectParams);
        CarLoopPlaying[car][LOOP_AIR_BRAKE_PLAYED] = 1;
    }
}

// The tyre loop of a car while `on` holds near the eye with its wheels down.
static void RunTyreLoop(int d, int car, int on) {
    if (!(d < 3000 && on && WheelsInAir[car] < 3)) {
        StopLoop(car, LOOP_TYRE_SQUEAL, CH_TYRES);
        return;
    }
    if (!CarLoopPlaying[car][LOOP_TYRE_SQUEAL]) {
        PlaySlot(CH_TYRES, OnTarmac(car) ? 102 : 105, -1, EffectParams);
        CarLoopPlaying[car][LOOP_TYRE_SQUEAL] = 1;
    }
    SetChannelVolume(CH_TYRES, NearestFloor0((EngineRevs[car] * 10500.0f - 4.0f * (float)d) * EffectLevel()));
}

void UpdateTyreSquealSound(int d, int car) {
    if (SoundOn != 1 || !ValidCar(car))
        return;
    // The car slides beyond its tyres' grip.
    RunTyreLoop(d, car, LateralSpeed[car] > 0.0f);
}

// Wheel spin and over-rev share the tyre channel and its two samples.
static void UpdateSpinLoop(int car, CarLoop loop, int condition) {
    if (SoundOn != 1 || !ValidCar(car))
        return;
    const int d = CarSoundDistance(car);
    if (!(d < 3000 && condition && WheelsInAir[car] < 3)) {
        StopLoop(car, loop, CH_TYRES);
        return;
    }
    if (!CarLoopPlaying[car][loop]) {
        if (HandbrakeSoundOn[car] == 1)
            return;
        PlaySlot(CH_TYRES, OnTarmac(car) ? 91 : 92, -1, EffectParams);
        CarLoopPlaying[car][loop] = 1;
    }
    int volume = NearestFloor0((EngineRevs[car] * 13000.0f - 4.0f * (float)d) * EffectLevel());
    SetChannelVolume(CH_TYRES, volume > 25000 ? 25000 : volume);
}

void UpdateWheelSpinSound(int car) {
    if (ValidCar(car))
        UpdateSpinLoop(car, LOOP_WHEEL_SPIN, WheelSpin[car] == 1);
}

void UpdateOverRevSound(int car) {
    if (ValidCar(car))
        UpdateSpinLoop(car, LOOP_OVER_REV, OverRevSoundOn[car] == 1);
}

void UpdateHandbrakeSound(int car) {
    if (SoundOn != 1 || !ValidCar(car))
        return;
    const int d = CarSoundDistance(car);
    if (!(d < 3000 && HandbrakeSoundOn[car] == 1 && WheelsInAir[car] < 3)) {
        StopLoop(car, LOOP_HANDBRAKE, CH_HANDBRAKE);
        return;
    }
    if (CarLoopPlaying[car][LOOP_HANDBRAKE] || CarSpeed[car] <= 30.0f)
        return;
    const float level = EffectLevel();
    if (OnTarmac(car)) {
        SetChannelVolume(CH_HANDBRAKE, NearestFloor0((28000.0f - 4.0f * (float)d) * level));
        PlaySlot(CH_HANDBRAKE, 104, -1, EffectParams);
    } else {
        SetChannelVolume(CH_HANDBRAKE, NearestFloor0((32000.0f - 4.0f * (float)d) * level));
        PlaySlot(CH_HANDBRAKE, 103, -1, EffectParams);
    }
    CarLoopPlaying[car][LOOP_HANDBRAKE] = 1;
}

void PlayGripLossSound(int car, int on) {
    if (SoundOn != 1 || !ValidCar(car))
        return;
    const int d = CarSoundDistance(car);
    if (!(d < 3000 && on == 1)) {
        StopLoop(car, LOOP_GRIP_LOSS, CH_GRIP_LOSS);
        return;
    }
    if (!CarLoopPlaying[car][LOOP_GRIP_LOSS]) {
        PlaySlot(CH_GRIP_LOSS, 106, 0, EffectParams);
        CarLoopPlaying[car][LOOP_GRIP_LOSS] = 1;
    }
    const int volume = TruncOf((25000.0f - 4.0f * (float)d) * EffectLevel());
    SetChannelVolume(CH_GRIP_LOSS, volume < 0 ? 0 : volume);
}

void UpdateReverseSound(int car) {
    if (SoundOn != 1 || !ValidCar(car))
        return;
    const int d = CarSoundDistance(car);
    if (!(d < 3000 && ReverseBeepOn[car] == 1)) {
        StopLoop(car, LOOP_REVERSE, CH_REVERSE_BEEP);
        return;
    }
    if (!CarLoopPlaying[car][LOOP_REVERSE]) {
        SetChannelVolume(CH_REVERSE_BEEP, TruncOf((30000.0f - 10.0f * (float)d) * EffectLevel()));
        PlaySlot(CH_REVERSE_BEEP, 90, -1, EffectParams);
        CarLoopPlaying[car][LOOP_REVERSE] = 1;
    }
}

void UpdateReverseCue(int car) {
    if (SoundOn != 1 || !ValidCar(car))
        return;
    const int backwards = DriveDirection[car] == -1;
    const int model = CarModel[car];
    ReverseBeepOn[car] = backwards && (model == 3 || model == 10 || model == 15);
    UpdateReverseSound(car);
    RunTyreLoop(CarSoundDistance(car), car, backwards);
}

void UpdateBusSound(int car, int) {
    if (SoundOn != 1 || !ValidCar(car))
        return;
    const int d = CarSoundDistance(car);
    const float speed = CarSpeed[car];
    if (!(d < 3000 && (SurfaceWord[car] & 0x1000) && BusContact == 1 && speed > 10.0f)) {
        StopLoop(car, LOOP_BUS, CH_BUS_LOOP);
        return;
    }
    if (!CarLoopPlaying[car][LOOP_BUS] && speed > 23.0f) {
        SetChannelVolume(CH_BUS_LOOP, 30000);
        PlaySlot(CH_BUS_LOOP, 174, -1, EffectParams);
        CarLoopPlaying[car][LOOP_BUS] = 1;
    }
}

void PlayCrushSound(int car, int mode) {
    if (SoundOn != 1 || !ValidCar(car) || (mode != 0 && mode != 1))
        return;
    const int listener = LocalCar >= 0 && LocalCar < MAX_CARS ? LocalCar : 0;
    if (CarLoopPlaying[listener][LOOP_CRUSH] && ChannelIsDone(CH_CRUSH))
        CarLoopPlaying[listener][LOOP_CRUSH] = 0;
    const int d = CarSoundDistance(car);
    if (d >= 3875 || (SurfaceWord[listener] & 0x10000) || CarLoopPlaying[listener][LOOP_CRUSH])
        return;
    if (mode == 1 && !(WheelsInAir[listener] >= 1 && CarSpeed[car] > 6.0f))
        return;
    // Above the mixer's top volume near the car: it plays at the top.
    SetChannelVolume(CH_CRUSH, TruncOf((20000.0f - (float)d) * 8.0f * EffectLevel()));
    const int slot = CrushSlot < 171 || CrushSlot > 173 ? 171 : (int)CrushSlot;
    CrushSlot = slot >= 173 ? 171 : slot + 1;
    PlaySlot(CH_CRUSH, slot, 0, EffectParams);
    CarLoopPlaying[listener][LOOP_CRUSH] = 1;
    CarLoopPlaying[listener][LOOP_CRUSH_SECOND] = 1;
    CrushCheerRequest = 1;
}

// ---------------------------------------------------------------------------
// The JUMP turbo

void PlayTurboFireSounds(int car) {
    if (SoundOn != 1 || !ValidCar(car))
        return;
    const int d = CarSoundDistance(car);
    if (d >= 3000)
        return;
    const int volume = TruncOf((26660.0f - 4.0f * (float)d) * EffectLevel());
    for (int channel : {CH_NEW_TURBO_A, CH_NEW_TURBO_B, CH_NITRO_READY})
        SetChannelVolume(channel, volume);
    PlaySlot(CH_NEW_TURBO_A, 135, 0, EffectParams);
    PlaySlot(CH_NEW_TURBO_B, 135, 0, EffectParams);
    PlaySlot(CH_NITRO_READY, 125, 0, EffectParams);
}

void PlayTurboSound(int stop, int car) {
    if (SoundOn != 1 || !ValidCar(car))
        return;
    const int d = CarSoundDistance(car);
    if (d >= 3000 || (stop == 1 && TurboPlaying)) {
        if (TurboPlaying) {
            FlushChannel(CH_TURBO_LOOP);
            TurboPlaying = 0;
        }
        return;
    }
    if (stop == 0 && !TurboPlaying) {
        PlaySlot(CH_TURBO_LOOP, 134, -1, SharedPlainParams);
        TurboPlaying = 1;
    }
    if (TurboPlaying)
        SetChannelVolume(CH_TURBO_LOOP, TruncOf((30000.0f - 8.0f * (float)d) * EffectLevel()));
}

// Called every tick on the JUMP tracks: the new-turbo and nitro-ready
// samples once when the turbo charges full, and the burning loop while it
// burns.
void UpdateTurboReadySounds(int car) {
    if (!ValidCar(car))
        return;
    const int ready = TurboValue == 1.0f;
    if (ready && !CarLoopPlaying[car][LOOP_TURBO_READY])
        PlayTurboFireSounds(car);
    CarLoopPlaying[car][LOOP_TURBO_READY] = ready;
    if (TurboValue > 1.0f)
        PlayTurboSound(0, car);
    else if (TurboPlaying)
        PlayTurboSound(1, car);
}
