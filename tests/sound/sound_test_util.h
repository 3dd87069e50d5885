// Helpers of the sound tests: a race set by hand on the sample folder's
// banks, the manual mixer with its taps, spectral peaks, the play log.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "frontend/frontend_state.h"
#include "mkdata_sound.h"
#include "platform/plat_mixer.h"
#include "race/race_state.h"
#include "sound/music.h"
#include "sound/sound_control.h"
#include "sound/sound_session.h"
#include "sound/sound_state.h"
#include "track/track_state.h"

namespace soundtest {

// The strongest frequency of a stereo tap (left and right summed), between
// 20 Hz and 4 kHz: a Hann-windowed FFT with the peak's bin refined by a
// parabola through its neighbours.
inline double PeakHz(const std::vector<int16_t>& stereo) {
    size_t n = 1;
    while (n * 2 <= stereo.size() / 2)
        n *= 2;
    std::vector<std::complex<double>> a(n);
    for (size_t i = 0; i < n; i++) {
        const double w = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * (double)i / (double)(n - 1));
        a[i] = w * ((double)stereo[2 * i] + (double)stereo[2 * i + 1]);
    }
    for (size_t i = 1, j = 0; i < n; i++) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(a[i], a[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1) {
        const std::complex<double> step = std::polar(1.0, -2.0 * std::numbers::pi / (double)len);
        for (size_t i = 0; i < n; i += len) {
            std::complex<double> w = 1.0;
            for (size_t k = 0; k < len / 2; k++) {
                const std::complex<double> u = a[i + k], v = a[i + k + len / 2] * w;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
                w *= step;
            }
        }
    }
    const double binHz = 22050.0 / (double)n;
    const size_t lo = (size_t)(20.0 / binHz) + 1, hi = (size_t)(4000.0 / binHz);
    size_t best = lo;
    for (size_t k = lo; k <= hi && k + 1 < n / 2; k++) {
        if (std::abs(a[k]) > std::abs(a[best]))
            best = k;
    }
    const double y0 = std::abs(a[best - 1]), y1 = std::abs(a[best]), y2 = std::abs(a[best + 1]);
    const double denominator = y0 - 2.0 * y1 + y2;
    const double shift = denominator != 0.0 ? 0.5 * (y0 - y2) / denominator : 0.0;
    return ((double)best + shift) * binHz;
}

inline double Rms(const std::vector<int16_t>& stereo) {
    double sum = 0.0;
    for (int16_t v : stereo)
        sum += (double)v * v;
    return stereo.empty() ? 0.0 : std::sqrt(sum / (double)stereo.size());
}

// The last `frames` frames of a tap.
inline std::vector<int16_t> Tap(int tap, int frames) {
    std::vector<int16_t> out((size_t)frames * 2);
    const int got = PlatMixerTapRead(tap, out.data(), frames);
    out.resize((size_t)got * 2);
    return out;
}

// Mixes `frames` more frames on the manual backend.
inline void Mix(int frames) {
    std::vector<int16_t> out(2 * 4096);
    while (frames > 0) {
        const int n = frames < 4096 ? frames : 4096;
        PlatMixerRender(out.data(), n);
        frames -= n;
    }
}

// Mixes a fresh stretch and gives the strongest frequency of a channel.
inline double ChannelHz(int channel, int frames = PLAT_MIXER_TAP_FRAMES) {
    Mix(frames);
    return PeakHz(Tap(channel, frames));
}

inline double ChannelRms(int channel, int frames = 4096) {
    Mix(frames);
    return Rms(Tap(channel, frames));
}

// The plays logged from `first` on.
inline std::vector<PlatMixerPlayEvent> PlaysSince(int first) {
    std::vector<PlatMixerPlayEvent> plays;
    for (int i = first; i < PlatMixerEventCount(); i++) {
        PlatMixerPlayEvent e;
        if (PlatMixerEventAt(i, &e))
            plays.push_back(e);
    }
    return plays;
}

inline std::vector<int> SlotsPlayedOn(int channel, int first) {
    std::vector<int> slots;
    for (const PlatMixerPlayEvent& e : PlaysSince(first)) {
        if (e.channel == channel)
            slots.push_back(e.tag);
    }
    return slots;
}

// The last slot played on a channel since `first`; -1 when none was.
inline int LastSlotOn(int channel, int first) {
    const std::vector<int> slots = SlotsPlayedOn(channel, first);
    return slots.empty() ? -1 : slots.back();
}

inline int Queued(int channel) { return (PlatMixerStatus(channel) & PLAT_MIX_QUEUED) != 0; }

inline double ToneOf(const char* path) { return MkSoundToneHz(path); }

// A race set by hand: track group and variant, the car models, every car on
// its own spot with the eye over the listener's car.
inline void SetRace(int group, int variant, const std::vector<int>& models, int local = 0, int zones = 0xFFFF) {
    FrontEndActive = 0;
    TrackGroup = group;
    TrackVariant = variant;
    TrackCode = group * 10 + variant;
    ZoneTypeMask = zones;
    CarCount = (int)models.size();
    RaceCarCount = (int)models.size();
    LocalCar = local;
    SplitScreen = 0;
    StartStage = 3;
    for (int car = 0; car < MAX_CARS; car++) {
        CarModel[car] = car < (int)models.size() ? models[(size_t)car] : 0;
        CarGear[car] = 1;
        EngineRevs[car] = 1.0f;
        CarSpeed[car] = 0.0f;
        cocheX[car] = cocheZ[car] = 0.0f;
        SoundVelocityX[car] = SoundVelocityZ[car] = 0.0f;
        EyeX[car] = EyeZ[car] = 0.0f;
        CarsByDistance[car] = {car < (int)models.size() ? car : MAX_CARS, 0, 0};
        CarBodies[car] = {};
        CarBodies[car].side[0] = 1.0f;
    }
    ViewMode[0] = ViewMode[1] = 0;
}

// Car `car` at `d` units from the eye, the records sorted by distance.
inline void PlaceCar(int car, int d) {
    for (int i = 0; i < CarCount; i++) {
        if (CarsByDistance[i].car == car)
            CarsByDistance[i].distance = d;
    }
    for (int i = 1; i < CarCount; i++) {
        for (int j = i; j > 0 && CarsByDistance[j].distance < CarsByDistance[j - 1].distance; j--)
            std::swap(CarsByDistance[j], CarsByDistance[j - 1]);
    }
}

// The switches and working values the sound tests change, as the program
// starts with them: tests that share a process leave each other nothing.
inline void ResetSoundSwitches() {
    MusicEnabled = 1;
    MusicFadeActive = 0;
    MusicVolume = 0;
    MusicFadeVolume = 0;
    MenuMusicChoice = 1;
    EffectsLevel = 3;
    SoundOn = 1;
    StereoSign = 1;
    OceanVolume = 15000;
    HoverTimer = 0;
    MenuSoundGuard = 0;
    PointsLoopPlaying = JinglePlaying = 0;
    for (int& playing : HoverPlaying)
        playing = 0;
    for (int m = 0; m < ENGINE_MODELS; m++)
        VolumeTrim[m] = EngineSoundModels[m].volumeTrimDefault;
    EngineCarParams = {};    // filled only by the engine sound
    TvCameraFlag = 0;
    PresentationRun = 0;
    RaceOver = 0;
    FinishSequence = 0;
    SplitScreen = 0;
    TickParity = 0;
    SceneReady = 0;
    NewBonusSoundPending = 0;
    PenaltyCount = 0;
    BusContact = 0;
    TurboValue = 0.0f;
    for (int car = 0; car < MAX_CARS; car++) {
        CarInputBits[car] = 0;
        SurfaceWord[car] = 0;
        WheelsInAir[car] = 0;
        LateralSpeed[car] = 0.0f;
        BrakeLightOn[car] = WheelSpin[car] = 0;
        HandbrakeSoundOn[car] = OverRevSoundOn[car] = ReverseBeepOn[car] = 0;
        ManualGearbox[car] = 0;
    }
}

// The sample folder and an open manual session with taps.
class SoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSoundSwitches();
        MakeTestGameFolder("sound");
        PlatMixerSetBackend(PLAT_MIXER_MANUAL, nullptr);
        InitSoundMixer();
        ASSERT_EQ(MixerOpen, 1);
        PlatMixerTapsOn(1);
        EffectsLevel = 3;
        SoundOn = 1;
    }
    void TearDown() override {
        PlatMixerTapsOn(0);
        ResetRaceSounds();
        ShutdownSound();
        ResetSoundSwitches();
        // The race words, the session's switches and the mixer choice, back
        // as the program starts.
        SetRace(1, 0, {});
        CarCount = 1;
        RaceCarCount = 0;
        StartStage = 0;
        FrontEndActive = 0;
        ZoneTypeMask = 0;
        MenuScreenShown = 0;
        SoundUnavailable = 0;
        MusicGate = 0;
        PlatMixerSetBackend(-1, nullptr);
    }
    // Loads the bank of a race set by hand.
    void LoadRace(int group, int variant, const std::vector<int>& models, int local = 0, int zones = 0xFFFF) {
        SetRace(group, variant, models, local, zones);
        LoadSoundBank();
        ResetRaceSounds();
    }
};

}  // namespace soundtest
