// Crowd sound: the circuits' spectators are heard from the stand nearest the
// eye; the arena and cross crowds run for the whole event and swell and fall
// with the clocks; and the crowd reacts to the finish, the arena's penalties
// and crushes, the lead in the cross events and the arena's last seconds.

#include "sound/crowd_sound.h"

#include <cmath>

#include "race/race_state.h"
#include "render/geometry.h"
#include "sound/sound_channels.h"
#include "sound/sound_mix.h"
#include "sound/sound_state.h"
#include "track/track_state.h"

enum { CROWD_SLOT = 86, WIN_SLOT = 188, RACE_OVER_SLOT = 189 };
enum { PENALTY_CHEER_SLOT = 88, CHEER_SLOT = 87, FINAL_SECONDS_SLOT = 187, SECOND_CROWD_SLOT = 107 };

// The spectator points of each track group, in table order.
static const int CrowdPointCounts[8] = {0, 5, 5, 2, 6, 0, 0, 7};

// The channel of the finish cheer and the race-over sample.
static int ReactionChannel() {
    if (TrackGroup <= 4)
        return CH_REACTION_CIRCUIT;
    return TrackGroup == 5 ? CH_REACTION_ARENA : CH_REACTION_CROSS;
}

// Circuits: the loop plays from the spectator point nearest the eye, while
// it is within 20000 units (15000 in the buggy group).
static void UpdateCrowdFromPoints(int l, const CarBody* body) {
    const float ex = -EyeX[l], ez = -EyeZ[l];
    const int count = CrowdPointCounts[TrackGroup];
    float best = 5e9f;
    int nearest = -1;
    for (int k = 0; k < count && k < CROWD_POINTS; k++) {
        const float x = CrowdPoints[k][0] - ex, z = CrowdPoints[k][1] - ez;
        const float s = (x * x + z * z) * 0.01f;
        if (s < best) {
            best = s;
            nearest = k;
        }
    }
    if (nearest >= 0) {
        NearestCrowdPoint[0] = CrowdPoints[nearest][0];
        NearestCrowdPoint[1] = CrowdPoints[nearest][1];
    }
    CrowdDistance = FastSqrt(best);
    const float range = TrackGroup == 7 ? 1500.0f : 2000.0f;
    if (!(CrowdDistance <= range)) {
        if (CrowdLoopOn == 1) {
            FlushChannel(CH_CROWD_LOOP);
            CrowdLoopOn = 0;
        }
        return;
    }
    if (CrowdLoopOn == 0) {
        PlaySlot(CH_CROWD_LOOP, CROWD_SLOT, -1, TrackGroup == 1 ? LoopParams : SharedPlainParams);
        CrowdLoopOn = 1;
    }
    // The eye moving towards the stand raises the pitch; a stand at the eye
    // gives no shift.
    const float px = NearestCrowdPoint[0] - ex, pz = NearestCrowdPoint[1] - ez;
    float shift = 0.0f;
    if (CrowdDistance > 0.0f)
        shift = (px * -SoundVelocityX[l] + pz * -SoundVelocityZ[l]) * -2.5f / CrowdDistance;
    if (!std::isfinite(shift))
        shift = 0.0f;
    const int rate = NearestOf(shift + 22050.0f);
    CrowdRate[l] = rate < 6000 ? 6000 : rate;
    SetChannelRate(CH_CROWD_LOOP, CrowdRate[l]);

    if (TvCameraFlag == 1) {
        const float a = body ? body->side[0] : 0.0f, b = body ? body->side[1] : 0.0f;
        CrowdAzimuth = (px * a + pz * b) * 0.011111111f;
        PolarPositions[CH_CROWD_LOOP].azimuth = (float)-StereoSign * CrowdAzimuth;
    } else {
        PolarPositions[CH_CROWD_LOOP].azimuth = 0.0f;
    }
    SendPolarRecord(CH_CROWD_LOOP, CH_CROWD_LOOP);

    const float level = EffectLevel();
    CrowdVolume = NearestOf(CrowdDistance);
    int volume;
    if (TrackGroup == 7)
        volume = TruncOf((1500.0f - (float)CrowdVolume) * 18.0f * level);
    else
        volume = TruncOf(((TrackGroup == 4 ? 30000.0f : 31000.0f) - 16.0f * (float)CrowdVolume) * level);
    CrowdVolume = volume < 0 ? 0 : volume;
    SetChannelVolume(CH_CROWD_LOOP, CrowdVolume);
}

// Starts the event crowd's loop at its first volume.
static void StartEventCrowd(int& working, float base) {
    if (CrowdLoopOn != 0)
        return;
    working = TruncOf(base * EffectLevel());
    PlaySlot(CH_CROWD_LOOP, CROWD_SLOT, -1, SharedPlainParams);
    SetChannelVolume(CH_CROWD_LOOP, working);
    CrowdLoopOn = 1;
}

static void PlayCheer(int slot, const PlayParams& block) {
    SetChannelVolume(CH_CROWD_CHEER, TruncOf(26020.0f * EffectLevel()));
    PlaySlot(CH_CROWD_CHEER, slot, 0, block);
}

// Arena events: the crowd swells in the second half of each minute of the
// count-down and falls in the first, cheers penalties and crushes, and counts
// the last ten seconds down.
static void UpdateArenaCrowd() {
    const float level = EffectLevel();
    StartEventCrowd(ArenaCrowdVolume, 15000.0f);
    const int seconds = TimeLeft.seconds;
    if (seconds >= 31 && seconds <= 59 && (float)ArenaCrowdVolume < 30000.0f * level) {
        ArenaCrowdVolume += 22 * FrameTicks;
        SetChannelVolume(CH_CROWD_LOOP, ArenaCrowdVolume);
    } else if (seconds >= 2 && seconds <= 28 && (float)ArenaCrowdVolume > 23500.0f * level) {
        ArenaCrowdVolume -= 27 * FrameTicks;
        SetChannelVolume(CH_CROWD_LOOP, ArenaCrowdVolume);
    }

    if (PenaltyCount == 4) {
        if (PenaltyCheerLatch == 0) {
            PlayCheer(PENALTY_CHEER_SLOT, SharedPlainParams);
            PenaltyCheerLatch = 1;
        }
        PenaltyCount = 0;
    }
    if (PenaltyCheerLatch) {
        const int status = ReadChannelStatus(CH_CROWD_CHEER);
        if ((status & (CHANNEL_QUEUED | CHANNEL_PLAYING)) != (CHANNEL_QUEUED | CHANNEL_PLAYING))
            PenaltyCheerLatch = 0;
    }

    if (CrushCheerRequest == 1 && CheerLatch == 0) {
        PlayCheer(CHEER_SLOT, SharedPlainParams);
        CheerLatch = 1;
        CrushCheerRequest = 0;
    } else if (CrushCheerRequest == 0) {
        CheerLatch = 0;
    }

    if (TrackVariant != 5 && TimeLeft.minutes == 0 && seconds >= 1 && seconds <= 10) {
        if (RaceOver == 0) {
            if (ChannelIsDone(CH_FINAL_SECONDS)) {
                const int volume = TruncOf(30000.0f * level);
                SetChannelVolume(CH_FINAL_SECONDS, volume);
                PlaySlot(CH_FINAL_SECONDS, FINAL_SECONDS_SLOT, 0, EffectParams);
                SetChannelVolume(CH_SECOND_CROWD, volume);
                PlaySlot(CH_SECOND_CROWD, SECOND_CROWD_SLOT, 0, EffectParams);
            }
        } else {
            FlushChannel(CH_FINAL_SECONDS);
            FlushChannel(CH_SECOND_CROWD);
        }
    }
}

// Cross events: a cheer each time car 0 takes the lead, and a crowd that
// swells and falls with the race clock.
static void UpdateCrossCrowd() {
    const float level = EffectLevel();
    StartEventCrowd(CrossCrowdVolume, 26000.0f);
    if (rank_coche[0] == 0) {
        if (CheerLatch == 0 && LeadCheerCount < 5) {
            PlayCheer(CHEER_SLOT, EffectParams);
            CheerLatch = 1;
            LeadCheerCount += 1;
        }
    } else {
        CheerLatch = 0;
        LeadCheerCount = 0;
    }
    const int seconds = RaceClock.seconds;
    if (seconds >= 27 && seconds <= 38 && (float)CrossCrowdVolume < 26000.0f * level) {
        CrossCrowdVolume += 37 * FrameTicks;
        SetChannelVolume(CH_CROWD_LOOP, CrossCrowdVolume);
    } else if (seconds >= 49 && seconds <= 57 && (float)CrossCrowdVolume > 20000.0f * level) {
        CrossCrowdVolume -= 38 * FrameTicks;
        SetChannelVolume(CH_CROWD_LOOP, CrossCrowdVolume);
    }
}

// The finish cheer and the race-over sample, once each a race.
static void UpdateCrowdReactions() {
    const int channel = ReactionChannel();
    const int volume = TruncOf(30000.0f * EffectLevel());
    int slot = -1;
    if (WinCheerPlayed == 0 && FinishSequence == 1) {
        slot = WIN_SLOT;
        WinCheerPlayed = 1;
    } else if (LoseCheerPlayed == 0 && FinishSequence == 0 && RaceOver == 1) {
        slot = RACE_OVER_SLOT;
        LoseCheerPlayed = 1;
    }
    if (slot < 0)
        return;
    if (TrackGroup != 7)
        SetChannelRate(channel, 22050);
    PlaySlot(channel, slot, 0, EffectParams);
    SetChannelVolume(channel, volume);
}

void UpdateCrowdSound(int car, const CarBody* body) {
    if (TrackGroup < 1 || TrackGroup > 7 || car < 0 || car >= MAX_CARS)
        return;
    if (TrackGroup == 5)
        UpdateArenaCrowd();
    else if (TrackGroup == 6)
        UpdateCrossCrowd();
    else
        UpdateCrowdFromPoints(car, body);
    UpdateCrowdReactions();
}
