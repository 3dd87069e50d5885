// The mixer on the manual clock: time renders as it passes, the play log,
// the channel taps, the 3D buffers and the sound capture's files.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "common/test_game.h"
#include "platform/plat_clock.h"
#include "platform/plat_mixer.h"
#include "platform/plat_sound_capture.h"
#include "platform/plat_timer.h"

namespace {

// A mono 16-bit wave of a tone.
std::vector<uint8_t> ToneWave(double hz, int frames, int rate = 22050) {
    std::vector<uint8_t> b = {'R', 'I', 'F', 'F'};
    PutLe32(b, 36 + (uint32_t)frames * 2);
    b.insert(b.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    PutLe32(b, 16);
    PutLe16(b, 1);
    PutLe16(b, 1);
    PutLe32(b, (uint32_t)rate);
    PutLe32(b, (uint32_t)rate * 2);
    PutLe16(b, 2);
    PutLe16(b, 16);
    b.insert(b.end(), {'d', 'a', 't', 'a'});
    PutLe32(b, (uint32_t)frames * 2);
    for (int i = 0; i < frames; i++)
        PutLe16(b, (uint16_t)(int16_t)std::lround(10000.0 * std::sin(2.0 * std::numbers::pi * hz * i / rate)));
    return b;
}

PlatWave Open(const std::vector<uint8_t>& image) { return PlatMixerOpenWaveMemory(image.data(), (int)image.size()); }

double Rms(const int16_t* stereo, int frames, int side) {
    double sum = 0.0;
    for (int i = 0; i < frames; i++)
        sum += (double)stereo[2 * i + side] * stereo[2 * i + side];
    return frames > 0 ? std::sqrt(sum / frames) : 0.0;
}

std::vector<int16_t> TapTail(int tap, int frames) {
    std::vector<int16_t> out((size_t)frames * 2);
    out.resize((size_t)PlatMixerTapRead(tap, out.data(), frames) * 2);
    return out;
}

int ticks;
void CountTick() { ticks++; }

class MixerClock : public ::testing::Test {
protected:
    void SetUp() override {
        PlatMixerSetBackend(PLAT_MIXER_MANUAL, nullptr);
        ASSERT_TRUE(PlatMixerOpen(PLAT_MIXER_RATE, 24));
        for (int ch = 0; ch < 24; ch++)
            PlatMixerOpenChannel(ch);
        PlatMixerTapsOn(1);
        PlatClockSetManual(1);
    }
    void TearDown() override {
        PlatTimerStop();
        PlatClockSetManual(0);
        PlatMixerTapsOn(0);
        PlatMixerClose();
        PlatMixerSetBackend(-1, nullptr);
    }
};

}  // namespace

// 22.05 frames a millisecond with the fraction carried: a thousand single
// milliseconds mix one second exactly, and a sound of 0.5 s is done in game
// time, before the tick that comes after it.
TEST_F(MixerClock, TheManualClockMixesItsTime) {
    const PlatWave tone = Open(ToneWave(440.0, 11025));
    PlatMixerPlay(2, tone, 0, nullptr);
    for (int i = 0; i < 499; i++)
        PlatClockAdvance(1);
    int position = 0;
    PlatMixerPlayPosition(2, nullptr, &position);
    EXPECT_EQ(position, (499 * 22050) / 1000);
    EXPECT_FALSE(PlatMixerIsDone(2));
    ticks = 0;
    PlatTimerStart(16, CountTick);
    PlatClockAdvance(16);
    EXPECT_EQ(ticks, 1);
    EXPECT_TRUE(PlatMixerIsDone(2)) << "the sound ended before the tick";
    for (int i = 0; i < 485; i++)
        PlatClockAdvance(1);
    EXPECT_EQ(TapTail(PLAT_MIXER_TAP_MIX, 30000).size() / 2, 22050u);
}

// A play is logged at once; it takes the volume and rate set after it
// before it sounds.
TEST_F(MixerClock, PlaysAreLoggedWithTheirStartingVolumeAndRate) {
    const PlatWave tone = Open(ToneWave(300.0, 22050));
    PlatMixerSetWaveTag(tone, 141);
    const int first = PlatMixerEventCount();
    PlatMixerPlay(10, tone, 2, nullptr);
    PlatMixerSetVolume(10, 31000);
    PlatMixerSetFrequency(10, 30000);
    ASSERT_EQ(PlatMixerEventCount(), first + 1);
    PlatClockAdvance(2);
    PlatMixerSetVolume(10, 100);    // later changes belong to the sound, not its start
    PlatMixerPlayEvent e;
    ASSERT_TRUE(PlatMixerEventAt(first, &e));
    EXPECT_EQ(e.channel, 10);
    EXPECT_EQ(e.tag, 141);
    EXPECT_EQ(e.loops, 2);
    EXPECT_EQ(e.volume, 31000);
    EXPECT_EQ(e.rate, 30000);
    // A play replaced before it sounds is logged all the same.
    PlatMixerPlay(10, tone, 0, nullptr);
    PlatMixerPlay(10, tone, -1, nullptr);
    EXPECT_EQ(PlatMixerEventCount(), first + 3);
    EXPECT_FALSE(PlatMixerEventAt(first + 3, &e));
    EXPECT_FALSE(PlatMixerEventAt(-1, &e));
}

// Each channel's tap holds what that channel alone added to the mix.
TEST_F(MixerClock, TapsKeepEachChannelApart) {
    const PlatWave low = Open(ToneWave(200.0, 22050)), high = Open(ToneWave(1200.0, 22050));
    const PlatMixerPolar right = {90.0f, 0.1f, 0, 0};
    PlatMixerSetPolar(4, &right);
    PlatMixerPlay(4, low, -1, nullptr);
    PlatMixerPlay(9, high, -1, nullptr);
    PlatMixerSetVolume(9, 16000);
    PlatClockAdvance(200);
    const std::vector<int16_t> four = TapTail(4, 2048), nine = TapTail(9, 2048), mix = TapTail(PLAT_MIXER_TAP_MIX, 2048);
    ASSERT_EQ(four.size(), 4096u);
    EXPECT_LT(Rms(four.data(), 2048, 0), 50.0) << "channel 4 sits on the right";
    EXPECT_GT(Rms(four.data(), 2048, 1), 5000.0);
    EXPECT_NEAR(Rms(nine.data(), 2048, 0), Rms(nine.data(), 2048, 1), 1.0);
    for (size_t i = 0; i < mix.size(); i++)
        ASSERT_NEAR(mix[i], four[i] + nine[i], 1) << i;
    EXPECT_LT(Rms(TapTail(5, 2048).data(), 2048, 0), 1.0);
    // Taps switched off keep nothing.
    PlatMixerTapsOn(0);
    int16_t out[2];
    EXPECT_EQ(PlatMixerTapRead(4, out, 1), 0);
}

// 3D buffers: quieter with distance, panned to the side they lie on,
// silent at -10000; a released buffer is gone.
TEST_F(MixerClock, BuffersInSpace) {
    const std::vector<uint8_t> image = ToneWave(500.0, 8000);
    const PlatBuffer3D b = PlatBuffer3DCreate(1, 22050, 16, 16000);
    ASSERT_NE(b, 0u);
    EXPECT_EQ(PlatBuffer3DWrite(b, 0, image.data() + 44, 16000), 16000);
    EXPECT_EQ(PlatBuffer3DWrite(b, 15990, image.data() + 44, 100), 10) << "clamped to the buffer";
    ASSERT_TRUE(PlatBuffer3DPlay(b, 1));
    PlatListener3D listener = {{0, 0, 0}, {0, 0, 1}, {0, 1, 0}, 1.0f, 1.0f};
    PlatListener3DSet(&listener);
    auto level = [&](float x, float z, int side) {
        PlatBuffer3DSetPosition(b, x, 0.0f, z);
        PlatClockAdvance(100);
        const std::vector<int16_t> mix = TapTail(PLAT_MIXER_TAP_MIX, 2048);
        return Rms(mix.data(), 2048, side);
    };
    const double near = level(0.0f, 1.0f, 0), far = level(0.0f, 10.0f, 0);
    EXPECT_NEAR(far / near, 0.1, 0.01) << "roll-off 1: one tenth at ten units";
    EXPECT_GT(level(5.0f, 0.0f, 1), 20.0 * level(5.0f, 0.0f, 0)) << "+x is the right of a listener facing +z";
    PlatBuffer3DSetVolume(b, -600);
    const double quieter = level(0.0f, 1.0f, 0);
    EXPECT_NEAR(quieter / near, std::pow(10.0, -0.3), 0.01);
    PlatBuffer3DSetVolume(b, -20000);
    EXPECT_EQ(PlatBuffer3DGetVolume(b), PLAT_VOLUME3D_MIN);
    PlatBuffer3DStop(b);
    EXPECT_FALSE(PlatBuffer3DIsPlaying(b));
    PlatBuffer3DRelease(b);
    EXPECT_EQ(PlatBuffer3DBytes(b), 0);
    EXPECT_FALSE(PlatBuffer3DPlay(b, 0));
    EXPECT_EQ(PlatBuffer3DCreate(3, 22050, 16, 100), 0u);
    EXPECT_EQ(PlatBuffer3DCreate(1, 22050, 24, 100), 0u);
}

// The capture writes the mix, each channel that played (lined up with the
// mix) and one line a play.
TEST_F(MixerClock, TheCaptureWritesChannelsMixAndPlays) {
    const std::string dir = MakeTestFolder("capture") + "/out";
    ASSERT_TRUE(PlatSoundCaptureOpen(dir.c_str()));
    PlatClockAdvance(100);
    const PlatWave tone = Open(ToneWave(700.0, 2205));
    PlatMixerSetWaveTag(tone, 82);
    PlatMixerPlay(16, tone, 0, nullptr);
    PlatMixerSetVolume(16, 31000);
    PlatClockAdvance(300);
    PlatSoundCaptureClose();
    EXPECT_FALSE(PlatSoundCaptureIsOpen());

    const std::string mix = ReadHostFile(dir + "/mix.wav"), ch16 = ReadHostFile(dir + "/ch16.wav");
    ASSERT_GT(mix.size(), 44u);
    EXPECT_EQ(mix.size(), ch16.size());
    uint32_t dataBytes;
    memcpy(&dataBytes, mix.data() + 40, 4);
    EXPECT_EQ(dataBytes, mix.size() - 44);
    EXPECT_EQ(dataBytes / 4, 400u * 22050 / 1000);
    EXPECT_TRUE(ReadHostFile(dir + "/ch15.wav").empty()) << "a silent channel has no file";
    // Silence before the sound's first frame, the tone after it.
    const int16_t* samples = (const int16_t*)(ch16.data() + 44);
    const int start = 100 * 22050 / 1000;
    EXPECT_EQ(Rms(samples, start, 0), 0.0);
    EXPECT_GT(Rms(samples + 2 * start, 2205, 0), 3000.0);

    std::istringstream events(ReadHostFile(dir + "/events.csv"));
    std::string header, line, extra;
    std::getline(events, header);
    std::getline(events, line);
    EXPECT_EQ(header, "tick,channel,slot,loops,volume,rate");
    // The tick is the timer's count; the rest is the play.
    ASSERT_NE(line.find(','), std::string::npos);
    EXPECT_EQ(line.substr(line.find(',')), ",16,82,0,31000,22050");
    EXPECT_FALSE(std::getline(events, extra));
}

// The capture keeps the clock's time while no session is open, and a session
// opened again does not start its files over: every file stays on one
// timeline.
TEST_F(MixerClock, TheCaptureKeepsTimeAcrossSessions) {
    const std::string dir = MakeTestFolder("capture") + "/out";
    PlatMixerClose();
    ASSERT_TRUE(PlatSoundCaptureOpen(dir.c_str()));
    PlatClockAdvance(200);
    for (int round = 0; round < 2; round++) {
        ASSERT_TRUE(PlatMixerOpen(PLAT_MIXER_RATE, 24));
        PlatMixerOpenChannel(16);
        const PlatWave tone = Open(ToneWave(700.0, 2205));
        PlatMixerPlay(16, tone, 0, nullptr);
        PlatMixerSetVolume(16, 31000);
        PlatClockAdvance(200);
        PlatMixerClose();
        PlatClockAdvance(100);
    }
    ASSERT_TRUE(PlatMixerOpen(PLAT_MIXER_RATE, 24));    // the fixture closes it
    PlatSoundCaptureClose();

    const std::string mix = ReadHostFile(dir + "/mix.wav"), ch16 = ReadHostFile(dir + "/ch16.wav");
    ASSERT_EQ(mix.size(), ch16.size());
    ASSERT_GT(ch16.size(), 44u);
    const int16_t* samples = (const int16_t*)(ch16.data() + 44);
    const int frames = (int)(ch16.size() - 44) / 4;
    // The tones sound from 200 ms and from 500 ms on, 100 ms each.
    const int first = 200 * 22050 / 1000, second = 500 * 22050 / 1000, length = 2205;
    EXPECT_GE(frames, second + length);
    EXPECT_EQ(Rms(samples, first, 0), 0.0);
    EXPECT_GT(Rms(samples + 2 * first, length, 0), 3000.0);
    EXPECT_EQ(Rms(samples + 2 * (first + length + 10), second - first - length - 20, 0), 0.0);
    EXPECT_GT(Rms(samples + 2 * second, length, 0), 3000.0);
}
