// The crowd, the music and its fade, the front end's one-shots and hover
// loops, and the operations on every channel.

#include <cmath>

#include "frame/frame_state.h"
#include "frontend/frontend_state.h"
#include "menulayout/menulayout_state.h"
#include "sound/crowd_sound.h"
#include "sound/engine_sound.h"
#include "sound/music.h"
#include "sound/sound_control.h"
#include "sound/sound_mix.h"
#include "sound_test_util.h"
#include "track/scene_points.h"

using namespace soundtest;

namespace {

class CrowdSound : public SoundTest {};
class Music : public SoundTest {};
class SoundControl : public SoundTest {};
class HoverSound : public SoundTest {};

// The eye at (x, z): stored negated.
void EyeAt(float x, float z) {
    EyeX[0] = -x;
    EyeZ[0] = -z;
}

}  // namespace

TEST_F(CrowdSound, TheNearestStandSetsTheLoopsVolume) {
    LoadRace(1, 0, {0});
    SetCrowdPoints();
    // 5000 units from the first stand, far from the others.
    EyeAt(CrowdPoints[0][0] - 3000.0f, CrowdPoints[0][1] - 4000.0f);
    const int first = PlatMixerEventCount();
    UpdateCrowdSound(0, &CarBodies[0]);
    EXPECT_EQ(SlotsPlayedOn(12, first), std::vector<int>{86});
    EXPECT_EQ(CrowdVolume, (int)((31000.0f - 16.0f * 500.0f) * 0.7f));
    EXPECT_EQ(PlatMixerGetVolume(12), CrowdVolume);
    EXPECT_EQ(PlatMixerGetFrequency(12), 22050) << "a standing eye hears no shift";
    EXPECT_NEAR(ChannelHz(12, 8192), ToneOf("WAVE\\PUBLIC\\Publico7.wav"), 3.0);
    // The eye moving towards the stand raises the pitch.
    SoundVelocityX[0] = 30.0f;
    SoundVelocityZ[0] = 40.0f;
    UpdateCrowdSound(0, &CarBodies[0]);
    EXPECT_EQ(CrowdRate[0], (int)std::nearbyint((3000.0f * -30.0f + 4000.0f * -40.0f) * -2.5f / 500.0f + 22050.0f));
    // Beyond 20000 units (a tenth: 2000) it stops; within, it starts at
    // once at the volume of its distance.
    EyeAt(CrowdPoints[0][0] - 20001.0f, CrowdPoints[0][1] - 60000.0f);
    UpdateCrowdSound(0, &CarBodies[0]);
    EXPECT_FALSE(Queued(12));
    EyeAt(CrowdPoints[0][0] + 19500.0f, CrowdPoints[0][1]);
    UpdateCrowdSound(0, &CarBodies[0]);
    EXPECT_TRUE(Queued(12));
    EXPECT_EQ(PlatMixerGetVolume(12), 0) << "19500 units: past the point where the loop fades out";
    // The trackside camera pans it; reversed stereo mirrors that.
    EyeAt(CrowdPoints[0][0] - 1000.0f, CrowdPoints[0][1]);
    TvCameraFlag = 1;
    UpdateCrowdSound(0, &CarBodies[0]);
    const float azimuth = PolarPositions[12].azimuth;
    EXPECT_NE(azimuth, 0.0f);
    StereoSign = -1;
    UpdateCrowdSound(0, &CarBodies[0]);
    EXPECT_EQ(PolarPositions[12].azimuth, -azimuth);
    StereoSign = 1;
    TvCameraFlag = 0;
    UpdateCrowdSound(0, &CarBodies[0]);
    EXPECT_EQ(PolarPositions[12].azimuth, 0.0f);
}

TEST_F(CrowdSound, EventCrowdsSwellAndCheer) {
    LoadRace(5, 0, {0});
    FrameTicks = 3;
    TimeLeft.minutes = 1;
    TimeLeft.seconds = 40;
    const int first = PlatMixerEventCount();
    UpdateCrowdSound(0, &CarBodies[0]);
    EXPECT_EQ(ArenaCrowdVolume, (int)(15000.0f * 0.7f) + 22 * 3);
    UpdateCrowdSound(0, &CarBodies[0]);
    EXPECT_EQ(PlatMixerGetVolume(12), (int)(15000.0f * 0.7f) + 2 * 22 * 3);
    TimeLeft.seconds = 10;
    ArenaCrowdVolume = 20000;
    UpdateCrowdSound(0, &CarBodies[0]);
    EXPECT_EQ(ArenaCrowdVolume, 20000 - 27 * 3);

    // The fourth penalty cheers once; a crush cheers once per request.
    PenaltyCount = 4;
    UpdateCrowdSound(0, &CarBodies[0]);
    EXPECT_EQ(PenaltyCount, 0);
    PenaltyCount = 4;
    UpdateCrowdSound(0, &CarBodies[0]);
    EXPECT_EQ(SlotsPlayedOn(13, first), std::vector<int>{88});
    CrushCheerRequest = 1;
    UpdateCrowdSound(0, &CarBodies[0]);
    UpdateCrowdSound(0, &CarBodies[0]);
    EXPECT_EQ(SlotsPlayedOn(13, first), (std::vector<int>{88, 87}));

    // The last ten seconds: the count-down pair, cut when the race ends.
    TimeLeft.minutes = 0;
    TimeLeft.seconds = 8;
    UpdateCrowdSound(0, &CarBodies[0]);
    EXPECT_EQ(SlotsPlayedOn(6, first), std::vector<int>{187});
    EXPECT_EQ(SlotsPlayedOn(4, first), std::vector<int>{107});
    RaceOver = 1;
    UpdateCrowdSound(0, &CarBodies[0]);
    EXPECT_FALSE(Queued(6));
    EXPECT_FALSE(Queued(4));
    // The race-over sample once, on channel 3 in the arena.
    UpdateCrowdSound(0, &CarBodies[0]);
    EXPECT_EQ(SlotsPlayedOn(3, first), std::vector<int>{189});
    RaceOver = 0;

    // Cross events: a cheer each time car 0 takes the lead.
    LoadRace(6, 0, {0, 1});
    FinishSequence = 0;
    const int cross = PlatMixerEventCount();
    rank_coche[0] = 0;
    UpdateCrowdSound(0, &CarBodies[0]);
    UpdateCrowdSound(0, &CarBodies[0]);
    rank_coche[0] = 1;
    UpdateCrowdSound(0, &CarBodies[0]);
    rank_coche[0] = 0;
    UpdateCrowdSound(0, &CarBodies[0]);
    EXPECT_EQ(SlotsPlayedOn(13, cross), (std::vector<int>{87, 87}));
    EXPECT_EQ(CrossCrowdVolume, (int)(26000.0f * 0.7f));
}

TEST_F(CrowdSound, TheWinCheerPlaysOnce) {
    LoadRace(1, 0, {0});
    SetCrowdPoints();
    EyeAt(CrowdPoints[0][0], CrowdPoints[0][1]);
    FinishSequence = 1;
    const int first = PlatMixerEventCount();
    for (int frame = 0; frame < 5; frame++)
        UpdateCrowdSound(0, &CarBodies[0]);
    EXPECT_EQ(SlotsPlayedOn(10, first), std::vector<int>{188});
    EXPECT_EQ(PlatMixerGetVolume(10), (int)(30000.0f * 0.7f));
    FinishSequence = 0;
}

TEST_F(Music, FadeStepsHalveTheLevelToSilence) {
    FrontEndActive = 1;
    LoadSoundBank();
    const int first = PlatMixerEventCount();
    PlayTrackMusic(0);
    SetMusicVolume(5);
    EXPECT_EQ(SlotsPlayedOn(23, first), std::vector<int>{190});
    EXPECT_EQ(PlatMixerGetVolume(23), (int)(0.9999f * 32700.0f + 1.0f));
    EXPECT_NEAR(ChannelHz(23, 8192), ToneOf("Music\\Menu22.wav"), 3.0);

    MusicFadeActive = 1;
    int v = PlatMixerGetVolume(23);
    for (int tick = 1; tick <= 14; tick++) {
        FadeMusicStep();
        v = v - v / 2 - 1;
        EXPECT_EQ(PlatMixerGetVolume(23), v < 0 ? 0 : v) << "tick " << tick;
        EXPECT_TRUE(Queued(23)) << "tick " << tick;
    }
    EXPECT_EQ(PlatMixerGetVolume(23), 0);
    FadeMusicStep();
    EXPECT_FALSE(Queued(23));
    EXPECT_EQ(MusicFadeActive, 0);
    EXPECT_EQ(WaveTable[190], 0u) << "the music's wave is freed";

    // Numbers 8 and 0 are the menu music; an unknown one stops it.
    PlayTrackMusic(8);
    EXPECT_EQ(LastSlotOn(23, first), 190);
    PlayTrackMusic(9);
    EXPECT_FALSE(Queued(23));
    PlayTrackMusic(6);
    EXPECT_NEAR(ChannelHz(23, 8192), ToneOf("Music\\Cross22.wav"), 3.0);
    // Level 0 stops it and turns the music off; a later level does not
    // bring it back.
    SetMusicVolume(0);
    EXPECT_FALSE(Queued(23));
    EXPECT_EQ(MusicEnabled, 0);
    SetMusicVolume(3);
    PlayTrackMusic(0);
    EXPECT_FALSE(Queued(23));
    EXPECT_EQ(MusicVolume, (int)(0.7f * 32700.0f + 1.0f));
}

TEST_F(Music, TheSoundScreensChoicePlaysInTheMenus) {
    FrontEndActive = 1;
    LoadSoundBank();
    MenuMusicChoice = 4;
    SetMusicVolume(2);
    EXPECT_EQ(LastSlotOn(23, 0), 194);
    EXPECT_NEAR(ChannelHz(23, 8192), ToneOf("Music\\Mo22_3.wav"), 3.0);
    SetMusicVolume(4);
    EXPECT_EQ(PlatMixerGetVolume(23), (int)(0.8f * 32700.0f + 1.0f)) << "a playing music only changes volume";
    // Without a session's gate no music starts.
    FlushChannel(23);
    MusicGate = 0;
    PlayTrackMusic(0);
    EXPECT_FALSE(Queued(23));
    MusicGate = 1;
}

TEST_F(SoundControl, PauseResumeResetAndFade) {
    LoadRace(1, 0, {0, 1});
    PlaceCar(1, 500);
    EngineRevs[0] = EngineRevs[1] = 1.5f;
    DriveEngineSoundsSolo();
    PlatMixerSetVolume(18, 20000);
    PlaySlot(18, 198, -1, EffectParams);
    PlaySlot(23, 86, -1, LoopParams);
    PlatMixerSetVolume(23, 20000);
    PlatMixerPause(5);
    PlaySlot(5, 82, -1, EffectParams);    // plays again: not paused
    FlushChannel(5);

    PauseSounds();
    int before[24], after[24];
    for (int ch = 0; ch < 24; ch++)
        PlatMixerPlayPosition(ch, nullptr, &before[ch]);
    Mix(2000);
    for (int ch = 0; ch < 24; ch++) {
        PlatMixerPlayPosition(ch, nullptr, &after[ch]);
        if (ch == 18)
            EXPECT_GT(after[ch], before[ch]) << "the pause menu's own channel moves";
        else
            EXPECT_EQ(after[ch], before[ch]) << "channel " << ch;
    }
    EXPECT_LT(ChannelRms(0), 1.0);
    ResumeSounds();
    for (int ch : {0, 1, 17, 23})
        EXPECT_EQ(PlatMixerStatus(ch) & (PLAT_MIX_PLAYING | PLAT_MIX_PAUSED), PLAT_MIX_PLAYING) << ch;
    EXPECT_FALSE(Queued(5)) << "an empty channel stays empty";
    EXPECT_GT(ChannelRms(0), 100.0);

    // The reset flushes every channel but the music's; the loops come back
    // on their next rising edge.
    ResetRaceSounds();
    for (int ch = 0; ch < 23; ch++)
        EXPECT_FALSE(Queued(ch)) << ch;
    EXPECT_TRUE(Queued(23));
    EXPECT_EQ(EngineLoopOn[0], 0);
    const int first = PlatMixerEventCount();
    DriveEngineSoundsSolo();
    EXPECT_EQ(SlotsPlayedOn(0, first), std::vector<int>{1});
    EXPECT_EQ(SlotsPlayedOn(1, first), std::vector<int>{2});

    // The effects' fade: playing channels above 10 lose 1000; the music
    // keeps its level.
    PlatMixerSetVolume(0, 10);
    PlatMixerSetVolume(1, 5000);
    FadeEffectsStep();
    EXPECT_EQ(PlatMixerGetVolume(0), 10);
    EXPECT_EQ(PlatMixerGetVolume(1), 4000);
    EXPECT_EQ(PlatMixerGetVolume(23), 20000);

    // With sound off the effects stop and the music plays on.
    StopSoundsWhenOff();
    EXPECT_TRUE(Queued(1));
    SoundOn = 0;
    StopSoundsWhenOff();
    EXPECT_FALSE(Queued(1));
    EXPECT_TRUE(Queued(23));
    SoundOn = 1;
    // Muting stops the music (through its slot) and silences 0..22.
    PlatMixerSetFrequency(4, 30000);
    ResetChannelFrequencies();
    EXPECT_EQ(PlatMixerGetFrequency(4), 22050);
    PlaySlot(23, 86, -1, LoopParams);
    StopMusicAndMute();
    EXPECT_FALSE(Queued(23));
    for (int ch = 0; ch < 22; ch++)
        EXPECT_EQ(PlatMixerGetVolume(ch), 0) << ch;
}

TEST_F(SoundControl, FrontEndOneShots) {
    FrontEndActive = 1;
    LoadSoundBank();
    const int first = PlatMixerEventCount();
    MenuSoundGuard = 0;
    PlayMenuSound();
    PlayMenuSound();
    EXPECT_EQ(SlotsPlayedOn(2, first), std::vector<int>{177}) << "the highlight once a menu frame";
    PlayClickSound();
    PlayClickSound();    // channel 15 still busy
    EXPECT_EQ(SlotsPlayedOn(15, first), std::vector<int>{175});
    PlayKeySound(1);
    PlayKeySound(0);     // waits for channel 18
    EXPECT_EQ(SlotsPlayedOn(18, first), std::vector<int>{198});
    PlayErrorSound();    // cuts what plays there
    EXPECT_EQ(LastSlotOn(18, first), 200);
    // The new bonus waits for the scene; once it plays it clears its own
    // channel, 18.
    SceneReady = 0;
    PlayNewBonusSound();
    EXPECT_EQ(NewBonusSoundPending, 1);
    EXPECT_EQ(LastSlotOn(18, first), 200);
    SceneReady = 1;
    PlaySlot(14, 109, -1, EffectParams);
    PlayNewBonusSound();
    EXPECT_EQ(NewBonusSoundPending, 0);
    EXPECT_EQ(LastSlotOn(18, first), 108);
    EXPECT_TRUE(Queued(14)) << "channel 14 is not the bonus's to clear";
    // The points loop ends with the buy sample.
    PlayPointsSound(0);
    PlayPointsSound(0);
    PollChannelStatus();
    PlayPointsSound(1);
    EXPECT_EQ(SlotsPlayedOn(14, first), (std::vector<int>{109, 109, 205}));
    PlayBonusSound();
    EXPECT_EQ(LastSlotOn(17, first), 143);
    PlayTypingSound(2);
    EXPECT_EQ(LastSlotOn(18, first), 206);
    SoundOn = 0;
    const int off = PlatMixerEventCount();
    PlayClickSound();
    PlayTypingSound(0);
    PlayScrollSound(1, 0);
    EXPECT_TRUE(PlaysSince(off).empty());
}

// Within 100 pixels a hover loop starts after more than 14 ticks, at the
// item's animation frame; leaving stops it.
TEST_F(HoverSound, LoopsFollowThePointer) {
    FrontEndActive = 1;
    LoadSoundBank();
    MenuScreenShown = 0;
    MenuItem& podium = MenuScreenTable[0][3];
    podium.firstPicture = 40;
    podium.currentPicture = 46;
    LastFrameTicks = 5;
    HoverTimer = 0;
    MouseX = 453;
    MouseY = 269 + 100;    // 100 pixels away, and farther from every other spot
    for (int frame = 0; frame < 3; frame++) {
        UpdateMenuHoverSounds();
        EXPECT_FALSE(Queued(7)) << "frame " << frame;
    }
    EXPECT_EQ(HoverTimer, 15);
    UpdateMenuHoverSounds();
    ASSERT_TRUE(Queued(7));
    int position = 0;
    PlatMixerPlayPosition(7, nullptr, &position);
    EXPECT_EQ(position, (int)(6 * 0.07f * 22050.0f));
    EXPECT_EQ(PlatMixerGetVolume(7), (int)((20000.0f - 200.0f * 100.0f) * 0.7f));
    MouseX = 453;
    MouseY = 269;
    UpdateMenuHoverSounds();
    EXPECT_EQ(PlatMixerGetVolume(7), (int)(20000.0f * 0.7f));
    EXPECT_NEAR(ChannelHz(7, 8192), ToneOf("WAVE\\MENU\\podio3.wav"), 3.0);
    // Out of reach: stopped, and the wait starts again.
    MouseX = 453 + 101;
    UpdateMenuHoverSounds();
    EXPECT_FALSE(Queued(7));
    EXPECT_EQ(HoverTimer, 0);
    // Two spots share channel 5: the far one leaves the near one's loop.
    MouseX = 204;
    MouseY = 62;
    HoverTimer = 20;
    UpdateMenuHoverSounds();
    UpdateMenuHoverSounds();
    EXPECT_TRUE(Queued(5));
    EXPECT_EQ(LastSlotOn(5, 0), 182);
    StopMenuHoverSounds();
    for (int ch = 3; ch <= 9; ch++)
        EXPECT_FALSE(Queued(ch)) << ch;
}
