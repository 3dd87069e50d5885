// The mixer on its manual backend: exact samples through loops, rates,
// volume, pan, pause, handles, and the WAV images it accepts or refuses.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <numbers>
#include <string>
#include <thread>
#include <vector>

#include "common/test_game.h"
#include "platform/plat_mixer.h"

namespace {

void Put16(std::vector<uint8_t>& b, uint16_t v) {
    b.push_back((uint8_t)v);
    b.push_back((uint8_t)(v >> 8));
}
void Put32(std::vector<uint8_t>& b, uint32_t v) {
    for (int i = 0; i < 4; i++)
        b.push_back((uint8_t)(v >> (8 * i)));
}
void PutChunk(std::vector<uint8_t>& b, const char* id, const std::vector<uint8_t>& body) {
    b.insert(b.end(), id, id + 4);
    Put32(b, (uint32_t)body.size());
    b.insert(b.end(), body.begin(), body.end());
    if (body.size() & 1)
        b.push_back(0);
}
std::vector<uint8_t> Format(int tag, int channels, int rate, int bits) {
    std::vector<uint8_t> f;
    Put16(f, (uint16_t)tag);
    Put16(f, (uint16_t)channels);
    Put32(f, (uint32_t)rate);
    Put32(f, (uint32_t)(rate * channels * bits / 8));
    Put16(f, (uint16_t)(channels * bits / 8));
    Put16(f, (uint16_t)bits);
    return f;
}
std::vector<uint8_t> Riff(const std::vector<uint8_t>& chunks) {
    std::vector<uint8_t> b = {'R', 'I', 'F', 'F'};
    Put32(b, (uint32_t)chunks.size() + 4);
    b.insert(b.end(), {'W', 'A', 'V', 'E'});
    b.insert(b.end(), chunks.begin(), chunks.end());
    return b;
}
// A 16-bit wave of the given interleaved samples.
std::vector<uint8_t> Wave16(const std::vector<int16_t>& samples, int channels = 1, int rate = 22050) {
    std::vector<uint8_t> data, chunks;
    for (int16_t s : samples)
        Put16(data, (uint16_t)s);
    PutChunk(chunks, "fmt ", Format(1, channels, rate, 16));
    PutChunk(chunks, "data", data);
    return Riff(chunks);
}
std::vector<int16_t> Ramp(int frames) {
    std::vector<int16_t> r;
    for (int i = 0; i < frames; i++)
        r.push_back((int16_t)(i * 100));
    return r;
}
std::vector<int16_t> Tone(double hz, int frames, int rate = 22050) {
    std::vector<int16_t> t;
    for (int i = 0; i < frames; i++)
        t.push_back((int16_t)std::lround(10000.0 * std::sin(2.0 * std::numbers::pi * hz * i / rate)));
    return t;
}

PlatWave Open(const std::vector<uint8_t>& image) { return PlatMixerOpenWaveMemory(image.data(), (int)image.size()); }

std::vector<int16_t> Render(int frames) {
    std::vector<int16_t> out((size_t)frames * 2);
    EXPECT_EQ(PlatMixerRender(out.data(), frames), frames);
    return out;
}
std::vector<int16_t> Side(const std::vector<int16_t>& stereo, int side) {
    std::vector<int16_t> s;
    for (size_t i = (size_t)side; i < stereo.size(); i += 2)
        s.push_back(stereo[i]);
    return s;
}
double Rms(const std::vector<int16_t>& s) {
    double sum = 0;
    for (int16_t v : s)
        sum += (double)v * v;
    return std::sqrt(sum / (double)s.size());
}
double MeasureHz(const std::vector<int16_t>& s) {
    int crossings = 0;
    for (size_t i = 1; i < s.size(); i++)
        crossings += s[i - 1] < 0 && s[i] >= 0;
    return crossings * 22050.0 / (double)s.size();
}

const PlatMixerPolar HardRight = {90.0f, 0.1f, 0, 0};
const PlatMixerPolar HardLeft = {-90.0f, 0.1f, 0, 0};

struct Done {
    int calls = 0;
    int channel = -1;
    PlatWave wave = 0;
};
void CountDone(int channel, PlatWave wave, void* user) {
    Done* d = (Done*)user;
    d->calls++;
    d->channel = channel;
    d->wave = wave;
}

class Mixer : public ::testing::Test {
protected:
    void SetUp() override {
        PlatMixerSetBackend(PLAT_MIXER_MANUAL, nullptr);
        ASSERT_TRUE(PlatMixerOpen(PLAT_MIXER_RATE, 24));
        for (int ch = 0; ch < 24; ch++) {
            if (ch != 22)
                PlatMixerOpenChannel(ch);
        }
    }
    void TearDown() override { PlatMixerClose(); }
};

}  // namespace

// A ramp wave with start 10, loop 20..40 and end 60 gives exactly
// 10..39, then the loop `loops` more times, then 40..59, and one callback.
TEST_F(Mixer, LoopCountsGiveExactSamplesLengthStatusAndOneCallback) {
    const PlatWave ramp = Open(Wave16(Ramp(100)));
    ASSERT_NE(ramp, 0u);
    PlatMixerSetPolar(3, &HardRight);
    for (int loops : {0, 1, 15}) {
        SCOPED_TRACE(loops);
        Done done;
        const PlatMixerPlayParams p = {CountDone, &done, 10, 20, 40, 60};
        ASSERT_TRUE(PlatMixerPlay(3, ramp, loops, &p));
        EXPECT_EQ(PlatMixerStatus(3), PLAT_MIX_OPEN | PLAT_MIX_QUEUED | PLAT_MIX_PLAYING);

        std::vector<int16_t> expected;
        for (int i = 10; i < 40; i++)
            expected.push_back((int16_t)(i * 100));
        for (int n = 0; n < loops; n++) {
            for (int i = 20; i < 40; i++)
                expected.push_back((int16_t)(i * 100));
        }
        for (int i = 40; i < 60; i++)
            expected.push_back((int16_t)(i * 100));
        const std::vector<int16_t> out = Render((int)expected.size() + 50);
        const std::vector<int16_t> right = Side(out, 1), left = Side(out, 0);
        EXPECT_EQ(std::vector<int16_t>(right.begin(), right.begin() + (long)expected.size()), expected);
        for (size_t i = expected.size(); i < right.size(); i++)
            ASSERT_EQ(right[i], 0) << "sound past its end at " << i;
        EXPECT_EQ(Rms(left), 0.0);
        EXPECT_EQ(PlatMixerStatus(3), PLAT_MIX_OPEN);
        EXPECT_TRUE(PlatMixerIsDone(3));
        EXPECT_EQ(done.calls, 1);
        EXPECT_EQ(done.channel, 3);
        EXPECT_EQ(done.wave, ramp);
    }
}

TEST_F(Mixer, LoopForEverAndPlaysThatStartPastTheLoop) {
    const PlatWave ramp = Open(Wave16(Ramp(100)));
    PlatMixerSetPolar(0, &HardRight);
    // For ever: still playing after many passes, always inside the loop.
    const PlatMixerPlayParams p = {nullptr, nullptr, 0, 20, 40, 60};
    PlatMixerPlay(0, ramp, -1, &p);
    Render(5000);
    int pos = 0;
    EXPECT_TRUE(PlatMixerPlayPosition(0, nullptr, &pos));
    EXPECT_GE(pos, 20);
    EXPECT_LT(pos, 40);

    // All zero: the whole wave, looped whole.
    PlatMixerPlay(0, ramp, 1, nullptr);
    std::vector<int16_t> right = Side(Render(250), 1);
    EXPECT_EQ(right[99], 9900);
    EXPECT_EQ(right[100], 0);
    EXPECT_EQ(right[199], 9900);
    EXPECT_EQ(right[200], 0);
    EXPECT_TRUE(PlatMixerIsDone(0));

    // Starting at 50, past loop end 40: on to the end, then the loop once.
    const PlatMixerPlayParams late = {nullptr, nullptr, 50, 20, 40, 60};
    PlatMixerPlay(0, ramp, 1, &late);
    right = Side(Render(60), 1);
    EXPECT_EQ(right[0], 5000);
    EXPECT_EQ(right[9], 5900);
    EXPECT_EQ(right[10], 2000);
    EXPECT_EQ(right[29], 3900);
    EXPECT_EQ(right[30], 4000);    // the last pass runs on to the end
    EXPECT_EQ(right[49], 5900);
    EXPECT_EQ(right[50], 0);
}

TEST_F(Mixer, PositionsBeyondTheWaveAreClamped) {
    const PlatWave ramp = Open(Wave16(Ramp(100)));
    PlatMixerSetPolar(0, &HardRight);
    const PlatMixerPlayParams wild = {nullptr, nullptr, -50, 500, 900, 100000};
    ASSERT_TRUE(PlatMixerPlay(0, ramp, 0, &wild));
    const std::vector<int16_t> right = Side(Render(150), 1);
    EXPECT_EQ(right[0], 0);
    EXPECT_EQ(right[99], 9900);
    EXPECT_EQ(right[100], 0);
}

// A 200 Hz tone played at rate 44100 sounds an octave up; a 44100 Hz wave
// at rate 22050 plays at its own speed.
TEST_F(Mixer, FrequencyScalesThePitch) {
    const PlatWave tone = Open(Wave16(Tone(200, 22050)));
    PlatMixerSetVolume(0, 32767);
    PlatMixerPlay(0, tone, -1, nullptr);
    EXPECT_NEAR(MeasureHz(Side(Render(22050), 0)), 200.0, 2.0);
    PlatMixerSetFrequency(0, 44100);
    EXPECT_NEAR(MeasureHz(Side(Render(22050), 0)), 400.0, 2.0);
    PlatMixerSetFrequency(0, 11025);
    EXPECT_NEAR(MeasureHz(Side(Render(22050), 0)), 100.0, 2.0);

    const PlatWave fast = Open(Wave16(Tone(300, 44100, 44100), 1, 44100));
    EXPECT_EQ(PlatMixerWaveRate(fast), 44100);
    PlatMixerSetFrequency(1, 22050);
    PlatMixerPlay(1, fast, -1, nullptr);
    PlatMixerFlush(0);
    EXPECT_NEAR(MeasureHz(Side(Render(22050), 0)), 300.0, 2.0);
}

TEST_F(Mixer, LoudnessFollowsVolumeLinearlyAndZeroIsSilence) {
    const PlatWave tone = Open(Wave16(Tone(440, 22050)));
    double level[4];
    const int volumes[4] = {0, 8000, 16000, 32000};
    for (int i = 0; i < 4; i++) {
        PlatMixerSetVolume(5, volumes[i]);
        PlatMixerPlay(5, tone, 0, nullptr);
        level[i] = Rms(Render(11025));
    }
    EXPECT_EQ(level[0], 0.0);
    EXPECT_GT(level[1], 100.0);
    EXPECT_NEAR(level[2] / level[1], 2.0, 0.01);
    EXPECT_NEAR(level[3] / level[1], 4.0, 0.01);

    PlatMixerSetVolume(5, 99999);
    EXPECT_EQ(PlatMixerGetVolume(5), 32767);
    PlatMixerSetVolume(5, -4);
    EXPECT_EQ(PlatMixerGetVolume(5), 0);
}

TEST_F(Mixer, PanIsEqualPowerAndLouderOnItsSide) {
    const PlatWave tone = Open(Wave16(Tone(440, 22050)));
    PlatMixerPlay(2, tone, -1, nullptr);
    PlatMixerSetPolar(2, &HardLeft);
    std::vector<int16_t> out = Render(4410);
    EXPECT_GT(Rms(Side(out, 0)), 5000.0);
    EXPECT_LT(Rms(Side(out, 1)), 1.0);

    const PlatMixerPolar slightlyRight = {30.0f, 0.1f, 0, 0};
    PlatMixerSetPolar(2, &slightlyRight);
    out = Render(4410);
    const double l = Rms(Side(out, 0)), r = Rms(Side(out, 1));
    EXPECT_GT(r, l * 1.5);

    // The centre keeps the power of one side: each side at 1/sqrt(2).
    const PlatMixerPolar centre = {0, 0.1f, 0, 0};
    PlatMixerSetPolar(2, &centre);
    out = Render(4410);
    const double cl = Rms(Side(out, 0)), cr = Rms(Side(out, 1));
    EXPECT_NEAR(cl, cr, 1.0);
    PlatMixerSetPolar(2, &HardLeft);
    const double full = Rms(Side(Render(4410), 0));
    EXPECT_NEAR(cl * cl + cr * cr, full * full, full * full * 0.01);
}

TEST_F(Mixer, PauseAndRestartResumeAtTheSamePosition) {
    const PlatWave ramp = Open(Wave16(Ramp(300)));
    PlatMixerSetPolar(4, &HardRight);
    PlatMixerPlay(4, ramp, 0, nullptr);
    Render(100);
    PlatMixerPause(4);
    EXPECT_EQ(PlatMixerStatus(4), PLAT_MIX_OPEN | PLAT_MIX_QUEUED | PLAT_MIX_PAUSED);
    EXPECT_FALSE(PlatMixerIsDone(4));
    EXPECT_EQ(Rms(Render(500)), 0.0);
    int pos = -1;
    PlatWave wave = 0;
    ASSERT_TRUE(PlatMixerPlayPosition(4, &wave, &pos));
    EXPECT_EQ(pos, 100);
    EXPECT_EQ(wave, ramp);

    PlatMixerRestart(4);
    EXPECT_EQ(PlatMixerStatus(4), PLAT_MIX_OPEN | PLAT_MIX_QUEUED | PLAT_MIX_PLAYING);
    EXPECT_EQ(Side(Render(1), 1)[0], 100 * 100);

    // A flushed paused channel forgets the pause: the next play is heard.
    PlatMixerPause(4);
    PlatMixerFlush(4);
    EXPECT_EQ(PlatMixerStatus(4), PLAT_MIX_OPEN);
    EXPECT_FALSE(PlatMixerPlayPosition(4, &wave, &pos));
    ASSERT_TRUE(PlatMixerPlay(4, ramp, 0, nullptr));
    const std::vector<int16_t> right = Side(Render(10), 1);
    EXPECT_EQ(right[5], 500);
}

TEST_F(Mixer, InactiveSessionIsSilentAndStandsStill) {
    const PlatWave ramp = Open(Wave16(Ramp(300)));
    PlatMixerPlay(6, ramp, 0, nullptr);
    Render(50);
    PlatMixerActivate(0);
    EXPECT_EQ(Rms(Render(400)), 0.0);
    int pos = 0;
    PlatMixerPlayPosition(6, nullptr, &pos);
    EXPECT_EQ(pos, 50);
    PlatMixerActivate(1);
    Render(10);
    PlatMixerPlayPosition(6, nullptr, &pos);
    EXPECT_EQ(pos, 60);
}

TEST_F(Mixer, SettingsSurviveANewPlayAndFlushRunsNoCallback) {
    const PlatWave ramp = Open(Wave16(Ramp(100)));
    PlatMixerSetVolume(7, 1234);
    PlatMixerSetFrequency(7, 30000);
    Done done;
    const PlatMixerPlayParams p = {CountDone, &done, 0, 0, 0, 0};
    PlatMixerPlay(7, ramp, 0, &p);
    PlatMixerPlay(7, ramp, 0, &p);    // replaces: the first never ends
    EXPECT_EQ(PlatMixerGetVolume(7), 1234);
    PlatMixerFlush(7);
    Render(500);
    EXPECT_EQ(done.calls, 0);
    // Rate 30000 plays 100 frames in about 73 output frames.
    PlatMixerPlay(7, ramp, 0, &p);
    Render(70);
    EXPECT_FALSE(PlatMixerIsDone(7));
    Render(5);
    EXPECT_TRUE(PlatMixerIsDone(7));
    EXPECT_EQ(done.calls, 1);

    // One call for every open channel.
    PlatMixerSetFrequency(PLAT_MIXER_ALL_CHANNELS, 22050);
    PlatMixerSetVolume(PLAT_MIXER_ALL_CHANNELS, 77);
    EXPECT_EQ(PlatMixerGetVolume(0), 77);
    EXPECT_EQ(PlatMixerGetVolume(23), 77);
}

TEST_F(Mixer, StaleHandlesAndMissingChannelsAreHarmless) {
    const PlatWave ramp = Open(Wave16(Ramp(1000)));
    ASSERT_TRUE(PlatMixerPlay(1, ramp, -1, nullptr));
    Render(10);
    // Freeing a playing wave stops its channel first.
    PlatMixerFreeWave(ramp);
    EXPECT_EQ(PlatMixerStatus(1), PLAT_MIX_OPEN);
    EXPECT_EQ(PlatMixerWaveFrames(ramp), 0);
    EXPECT_EQ(Rms(Render(100)), 0.0);
    EXPECT_FALSE(PlatMixerPlay(1, ramp, 0, nullptr));
    PlatMixerFreeWave(ramp);
    PlatMixerFreeWave(0);
    PlatMixerFreeWave(0xFFFFFFFFu);

    // The entry is reused under a new handle; the old one stays dead.
    const PlatWave again = Open(Wave16(Ramp(1000)));
    ASSERT_NE(again, 0u);
    EXPECT_NE(again, ramp);
    PlatMixerFreeWave(ramp);
    EXPECT_EQ(PlatMixerWaveFrames(again), 1000);

    for (int ch : {22, 24, 25, -2, 1000}) {
        SCOPED_TRACE(ch);
        EXPECT_FALSE(PlatMixerPlay(ch, again, 0, nullptr));
        PlatMixerSetVolume(ch, 100);
        PlatMixerSetFrequency(ch, 100);
        PlatMixerPause(ch);
        PlatMixerFlush(ch);
        EXPECT_EQ(PlatMixerStatus(ch), 0);
        EXPECT_FALSE(PlatMixerPlayPosition(ch, nullptr, nullptr));
    }
    EXPECT_EQ(PlatMixerGetVolume(24), -1);
}

TEST_F(Mixer, ClosingFreesEverything) {
    const PlatWave ramp = Open(Wave16(Ramp(100)));
    PlatMixerPlay(0, ramp, -1, nullptr);
    PlatMixerClose();
    EXPECT_FALSE(PlatMixerIsOpen());
    EXPECT_EQ(PlatMixerWaveFrames(ramp), 0);
    EXPECT_EQ(Open(Wave16(Ramp(10))), 0u);
    int16_t out[4];
    EXPECT_EQ(PlatMixerRender(out, 2), 0);
    ASSERT_TRUE(PlatMixerOpen(PLAT_MIXER_RATE, 24));
    EXPECT_EQ(PlatMixerStatus(0), 0);    // channels start closed
    EXPECT_FALSE(PlatMixerOpen(44100, 24));
}

TEST_F(Mixer, WaveImagesOfEveryPcmKindAreRead) {
    // 8-bit stereo at 11025, an odd-sized chunk first (with its pad byte),
    // and a RIFF size larger than the image.
    std::vector<uint8_t> chunks;
    PutChunk(chunks, "LIST", {1, 2, 3});
    PutChunk(chunks, "fmt ", Format(1, 2, 11025, 8));
    PutChunk(chunks, "data", {255, 128, 128, 0, 192, 64});
    std::vector<uint8_t> image = Riff(chunks);
    image[4] = 0xFF;
    const PlatWave w8 = Open(image);
    ASSERT_NE(w8, 0u);
    EXPECT_EQ(PlatMixerWaveFrames(w8), 3);
    EXPECT_EQ(PlatMixerWaveRate(w8), 11025);
    // A stereo wave in the centre keeps its level on both sides; at 11025
    // Hz each frame lasts two output frames.
    PlatMixerPlay(0, w8, 0, nullptr);
    const std::vector<int16_t> out = Render(8);
    EXPECT_EQ(out[0], 127 * 256);
    EXPECT_EQ(out[1], 0);
    EXPECT_EQ(out[4], 0);
    EXPECT_EQ(out[5], -128 * 256);

    // The caller's buffer may go at once: the samples were copied.
    std::vector<uint8_t>* gone = new std::vector<uint8_t>(Wave16(Ramp(50)));
    const PlatWave copied = Open(*gone);
    delete gone;
    PlatMixerSetPolar(1, &HardRight);
    PlatMixerPlay(1, copied, 0, nullptr);
    PlatMixerFlush(0);
    EXPECT_EQ(Side(Render(50), 1)[49], 4900);
}

TEST_F(Mixer, MalformedWaveImagesAreRefused) {
    std::vector<std::vector<uint8_t>> bad;
    const std::vector<uint8_t> good = Wave16(Ramp(20));
    bad.push_back(std::vector<uint8_t>(good.begin(), good.begin() + 11));      // no WAVE tag
    bad.push_back(std::vector<uint8_t>(good.begin(), good.end() - 1));         // data chunk cut short
    std::vector<uint8_t> notRiff = good;
    notRiff[0] = 'X';
    bad.push_back(notRiff);
    std::vector<uint8_t> huge = good;
    huge[40] = 0xFF, huge[41] = 0xFF, huge[42] = 0xFF, huge[43] = 0x7F;        // data size past the end
    bad.push_back(huge);
    auto only = [](const std::vector<uint8_t>& fmt, const std::vector<uint8_t>& data) {
        std::vector<uint8_t> c;
        if (!fmt.empty())
            PutChunk(c, "fmt ", fmt);
        if (!data.empty())
            PutChunk(c, "data", data);
        return Riff(c);
    };
    const std::vector<uint8_t> samples(40, 1);
    bad.push_back(only(Format(3, 1, 22050, 32), samples));   // float
    bad.push_back(only(Format(1, 1, 22050, 24), samples));   // 24-bit
    bad.push_back(only(Format(1, 3, 22050, 16), samples));   // three channels
    bad.push_back(only(Format(1, 1, 0, 16), samples));       // no rate
    bad.push_back(only(Format(1, 2, 22050, 16), {1, 2}));    // less than one frame
    bad.push_back(only({}, samples));                        // no format
    bad.push_back(only(Format(1, 1, 22050, 16), {}));        // no data
    std::vector<uint8_t> shortFmt = Format(1, 1, 22050, 16);
    shortFmt.resize(14);
    bad.push_back(only(shortFmt, samples));
    std::vector<uint8_t> badAlign = Format(1, 1, 22050, 16);
    badAlign[12] = 7;
    bad.push_back(only(badAlign, samples));
    for (size_t i = 0; i < bad.size(); i++)
        EXPECT_EQ(Open(bad[i]), 0u) << "image " << i;
    EXPECT_EQ(PlatMixerOpenWaveMemory(nullptr, 100), 0u);
    EXPECT_EQ(PlatMixerOpenWaveMemory(good.data(), 0), 0u);
    EXPECT_NE(Open(good), 0u);
}

TEST_F(Mixer, WavesAreOpenedFromFiles) {
    const std::string dir = MakeTestFolder("wavefile");
    const std::vector<uint8_t> image = Wave16(Ramp(64));
    FILE* f = fopen((dir + "/Tune.wav").c_str(), "wb");
    ASSERT_TRUE(f);
    fwrite(image.data(), 1, image.size(), f);
    fclose(f);
    const PlatWave wave = PlatMixerOpenWaveFile((dir + "/TUNE.WAV").c_str());
    EXPECT_EQ(PlatMixerWaveFrames(wave), 64);
    EXPECT_EQ(PlatMixerOpenWaveFile((dir + "/none.wav").c_str()), 0u);
}

// The left channel of a recorded WAV file from its first sound on: the sink
// writes blocks on the real clock from the moment the session opens, so how
// much silence comes first depends on how busy the machine is.
static std::vector<int16_t> RecordedLeftFromFirstSound(const std::string& file) {
    std::vector<int16_t> left;
    for (size_t i = 44; i + 4 <= file.size(); i += 4) {
        int16_t s;
        memcpy(&s, file.data() + i, 2);
        if (s != 0 || !left.empty())
            left.push_back(s);
    }
    return left;
}

TEST(MixerOutputs, TheWavSinkRecordsWhatPlays) {
    const std::string path = MakeTestFolder("sink") + "/out.wav";
    PlatMixerSetBackend(PLAT_MIXER_WAVFILE, path.c_str());
    ASSERT_TRUE(PlatMixerOpen(PLAT_MIXER_RATE, 24));
    EXPECT_EQ(PlatMixerBackendInUse(), PLAT_MIXER_WAVFILE);
    PlatMixerOpenChannel(0);
    const PlatWave tone = Open(Wave16(Tone(500, 22050)));
    PlatMixerPlay(0, tone, -1, nullptr);
    int16_t out[2];
    EXPECT_EQ(PlatMixerRender(out, 1), 0);    // only the manual backend renders on request
    // Wait for a fifth of a second of the tone; the bound is only there to
    // end a sink that records nothing.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (RecordedLeftFromFirstSound(ReadHostFile(path)).size() < 4410 && std::chrono::steady_clock::now() < giveUp)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    PlatMixerClose();

    const std::string file = ReadHostFile(path);
    ASSERT_GT(file.size(), 44u);
    uint32_t dataBytes;
    memcpy(&dataBytes, file.data() + 40, 4);
    EXPECT_EQ(dataBytes, file.size() - 44);
    PlatMixerSetBackend(PLAT_MIXER_MANUAL, nullptr);
    ASSERT_TRUE(PlatMixerOpen(PLAT_MIXER_RATE, 24));
    const PlatWave recorded = PlatMixerOpenWaveMemory(file.data(), (int)file.size());
    EXPECT_EQ(PlatMixerWaveFrames(recorded), (int)(dataBytes / 4));
    PlatMixerClose();
    // From its first sound on the recording is the tone.
    const std::vector<int16_t> left = RecordedLeftFromFirstSound(file);
    ASSERT_GE(left.size(), 4410u);
    EXPECT_NEAR(MeasureHz(left), 500.0, 10.0);
    EXPECT_GT(Rms(left), 3000.0);
}

TEST(MixerOutputs, NoOutputMeansNoSession) {
    PlatMixerSetBackend(PLAT_MIXER_NONE, nullptr);
    EXPECT_FALSE(PlatMixerOpen(PLAT_MIXER_RATE, 24));
    EXPECT_FALSE(PlatMixerIsOpen());
    EXPECT_EQ(PlatMixerBackendInUse(), -1);
    PlatMixerOpenChannel(0);
    EXPECT_EQ(PlatMixerStatus(0), 0);

    // The device backend on SDL's dummy driver: a session that plays nowhere.
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    PlatMixerSetBackend(PLAT_MIXER_DEVICE, nullptr);
    ASSERT_TRUE(PlatMixerOpen(PLAT_MIXER_RATE, 24));
    EXPECT_EQ(PlatMixerBackendInUse(), PLAT_MIXER_DEVICE);
    PlatMixerClose();
}
