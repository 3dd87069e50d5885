// The three threads that meet in the mixer: the audio thread mixing, the
// tick playing effects and the frame swapping the banks; and a whole race
// with the timer thread's tick on the real clock against the race frames'
// sounds.  Run under ThreadSanitizer by CI.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "platform/plat_mixer.h"
#include "platform/plat_script.h"
#include "race/race_state.h"
#include "sound/sound_session.h"
#include "sound/sound_state.h"
#include "track/track_state.h"

TEST(SoundThreads, TickPlaysWhileTheAudioMixesAndTheFrameSwapsBanks) {
    MakeTestGameFolder("threads");
    PlatMixerSetBackend(PLAT_MIXER_MANUAL, nullptr);
    InitSoundMixer();
    ASSERT_EQ(MixerOpen, 1);
    TrackGroup = 5;
    TrackVariant = 0;
    TrackCode = 50;
    ZoneTypeMask = 0xFFFF;
    CarCount = 2;
    CarModel[0] = 3;
    CarModel[1] = 7;
    LocalCar = 0;
    FrontEndActive = 0;
    LoadSoundBank();

    std::atomic<int> stop{0};
    std::atomic<long> mixed{0}, played{0};
    std::thread audio([&] {
        std::vector<int16_t> block(2 * 256);
        while (!stop) {
            PlatMixerRender(block.data(), 256);
            mixed++;
        }
    });
    // The effects of the race tick: crashes, hits and landings.
    std::thread tick([&] {
        const int slots[] = {110, 111, 112, 113, 144, 145, 167, 85, 198};
        while (!stop) {
            for (int slot : slots) {
                PlatMixerSetVolume(16, 20000);
                if (PlatMixerIsDone(1))
                    PlatMixerPlay(1, WaveTable[slot], 0, &SharedPlainParams);
                played += PlatMixerPlay(16, WaveTable[slot], 0, &EffectParams);
                PlatMixerSetFrequency(16, 22050 + slot);
            }
        }
    });
    // The frame: back to the menus and into a race, again and again, while
    // both threads run: each has gone round once before the swaps and again
    // after them, however the machine schedules them.
    auto bothWentRound = [&](long mixedBefore, long playedBefore) {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while ((mixed <= mixedBefore || played <= playedBefore) && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return mixed > mixedBefore && played > playedBefore;
    };
    EXPECT_TRUE(bothWentRound(0, 0));
    for (int round = 0; round < 12; round++) {
        FrontEndActive = round & 1;
        StopBusyChannels();
        FreeAllWaves();
        LoadSoundBank();
    }
    EXPECT_TRUE(bothWentRound(mixed, played));
    stop = 1;
    audio.join();
    tick.join();
    // A sound of the swapped bank's plain block ends and signals: channel 1
    // finishes what it plays, mixed here on this thread, so how far the
    // audio thread got on a busy machine does not matter.
    if (PlatMixerIsDone(1))
        PlatMixerPlay(1, WaveTable[110], 0, &SharedPlainParams);
    std::vector<int16_t> block(2 * 256);
    for (int i = 0; i < 40000 && !SoundDoneEvent.signalled; i++)
        PlatMixerRender(block.data(), 256);
    EXPECT_EQ(SoundDoneEvent.signalled, 1);
    ShutdownSound();
}

// The race's sounds from both sides: the car step's loops in the timer
// thread's tick, the engines, crowd and horn in the frame, the mixing in an
// audio thread of its own.  Accelerator held from the start.
TEST(SoundThreads, RaceFramesAgainstTheTimerThreadsTick) {
    MakeTestGameFolder("race");
    PlatMixerSetBackend(PLAT_MIXER_MANUAL, nullptr);
    char error[128];
    ASSERT_TRUE(PlatScriptParse("1 key down UP\n", error, sizeof error)) << error;
    std::atomic<int> stop{0};
    std::atomic<long> mixed{0};
    std::thread audio([&] {
        std::vector<int16_t> block(2 * 256);
        while (!stop)
            mixed += PlatMixerRender(block.data(), 256);
    });
    const int code = RunHeadlessGame(240, 1, 0);
    stop = 1;
    audio.join();
    PlatScriptClear();
    PlatMixerSetBackend(-1, nullptr);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(MixerFailed, 0);
    EXPECT_GT(mixed, 0);
    EXPECT_FALSE(PlatMixerIsOpen());
}
