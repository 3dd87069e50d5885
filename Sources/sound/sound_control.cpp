// Operations on every channel at once, and the reset of every per-car sound
// state between races.

#include "sound/sound_control.h"

#include <mutex>

#include "platform/plat_memory.h"
#include "race/race_state.h"
#include "sound/music.h"
#include "sound/sound_channels.h"
#include "sound/sound_mix.h"
#include "sound/sound_session.h"
#include "sound/sound_state.h"
#include "track/track_state.h"

static void ClearEngineState() {
    for (int car = 0; car < 8; car++) {
        EngineAzimuth[car] = 0.0f;
        ScaledRevs[car] = 0.0f;
        BasePitch[car] = 0;
        DopplerShift[car] = 0.0f;
        EnginePitch[car] = 0;
        EngineLoopOn[car] = 0;
        OtherEngineVolume[car] = 0;
        ShiftDownCount[car] = 0;
        ThrottleReleased[car] = 0;
        CoastPlaying[car] = 0;
        PlayerIdleVolume[car] = PlayerIdleOn[car] = PlayerEngineVolume[car] = PlayerSecondLayerVolume[car] = 0;
        SkidOn[car] = SkidPlaying[car] = 0;
        ThrottleReleaseLatch[car] = ThrottleSoundState[car] = 0;
        GearUpSignal[car] = GearUpHandled[car] = GearDownSignal[car] = 0;
        CrowdRate[car] = 0;
        HornDoppler[car] = 0.0f;
    }
    EngineVolume = IdleLayerVolume = SecondLayerVolumeNow = ContactLayerVolume = 0;
    IdleLayerOn = ContactLayerOn = CoastActive = GravelLoopOn = GravelVolume = 0;
    RoadNoiseOn = 0;
    const int m = CurrentCar >= 0 && CurrentCar < MAX_CARS ? CarModel[CurrentCar] : -1;
    if (m >= 0 && m < ENGINE_MODELS)
        VolumeTrim[m] = 0;
}

static void ClearEffectState() {
    for (int car = 0; car < 8; car++) {
        for (std::atomic<int>& flag : TerrainPlaying[car])
            flag = 0;
        for (std::atomic<int>& flag : CarLoopPlaying[car])
            flag = 0;
        HornFlags[car] = 0;
        WallImpactState[car] = 0;
    }
    HornPlaying = TurboPlaying = RainPlaying = OceanPlaying = 0;
}

static void ClearCrowdState() {
    CrowdAzimuth = 0.0f;
    CrowdLoopOn = 0;
    WinCheerPlayed = LoseCheerPlayed = 0;
    PenaltyCheerLatch = CheerLatch = LeadCheerCount = 0;
    CrushCheerRequest = 0;
}

void ResetRaceSounds() {
    PollChannelStatus();
    if (MixerOpen == 1) {
        for (int ch = 0; ch < STATUS_CHANNELS; ch++) {
            if (ch == CH_MUSIC)
                continue;
            if (ChannelStatus[ch] & CHANNEL_QUEUED)
                FlushChannel(ch);
            if (ChannelStatus[ch] & CHANNEL_PLAYING)
                FlushChannel(ch);
        }
    }
    ClearEngineState();
    ClearEffectState();
    ClearCrowdState();
    if (TrackGroup == 5 || TrackGroup == 6) {
        BusContact = 0;
        PenaltyCount = 0;
        ArenaCrowdVolume = 0;
        CrossCrowdVolume = 0;
    }
}

void PauseSounds() {
    if (SoundUnavailable)
        return;
    for (int ch = 0; ch < STATUS_CHANNELS; ch++) {
        if (ch != CH_FRONT_END)
            PlatMixerPause(ch);
    }
}

void ResumeSounds() {
    if (SoundUnavailable)
        return;
    PollChannelStatus();
    for (int ch = 0; ch < STATUS_CHANNELS; ch++) {
        if (ChannelStatus[ch] & CHANNEL_PAUSED)
            PlatMixerRestart(ch);
    }
}

void ResumeSoundsMuted() {
    if (SoundUnavailable)
        return;
    PollChannelStatus();
    for (int ch = 0; ch < STATUS_CHANNELS; ch++) {
        if (ch == CH_MUSIC)
            continue;
        SetChannelVolume(ch, 0);
        if (ChannelStatus[ch] & CHANNEL_PAUSED)
            PlatMixerRestart(ch);
    }
}

void FadeEffectsStep() {
    if (SoundUnavailable)
        return;
    PollChannelStatus();
    for (int ch = 0; ch <= 22; ch++) {
        if (!(ChannelStatus[ch] & CHANNEL_PLAYING))
            continue;
        const int volume = PlatMixerGetVolume(ch);
        if (volume > 10)
            SetChannelVolume(ch, volume - 1000);
    }
}

void ResetChannelFrequencies() {
    if (SoundOn == 1)
        PlatMixerSetFrequency(PLAT_MIXER_ALL_CHANNELS, PLAT_MIXER_RATE);
}

void StopMusicAndMute() {
    if (SoundUnavailable == 0 && MusicGate == 1 && MusicEnabled == 1) {
        std::lock_guard<std::mutex> hold(MusicLock());
        MusicFadeVolume = 0;
        const int status = ReadChannelStatus(CH_MUSIC);
        if (status & (CHANNEL_PLAYING | CHANNEL_PAUSED)) {
            FlushChannel(CH_MUSIC);
            FreeMusicWaves();
        }
        MusicFadeActive = 0;
    }
    if (SoundOn == 1) {
        for (int ch = 0; ch <= 22; ch++)
            SetChannelVolume(ch, 0);
    }
}

void StopSoundsWhenOff() {
    if (SoundOn != 0)
        return;
    PollChannelStatus();
    for (int ch = 0; ch < STATUS_CHANNELS; ch++) {
        if (ch != CH_MUSIC && (ChannelStatus[ch] & (CHANNEL_QUEUED | CHANNEL_PLAYING)))
            FlushChannel(ch);
    }
}

void RecordMemoryStatus() {
    uint64_t total = 0, available = 0;
    int load = 0;
    if (!PlatMemoryStatus(&total, &available, &load))
        return;
    // Kept in kilobytes: a machine's bytes overflow the 32-bit figures.
    MemoryTotal = (int)(total >> 10 > 0x7FFFFFFF ? 0x7FFFFFFF : total >> 10);
    MemoryAvailable = (int)(available >> 10 > 0x7FFFFFFF ? 0x7FFFFFFF : available >> 10);
    MemoryLoad = load;
}
