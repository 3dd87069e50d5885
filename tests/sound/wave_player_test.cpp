// The 3D wave player: a WAV file loaded into a buffer is heard, quieter
// with distance; its headers are checked; there is no reverb.

#include "wave/wave_player.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <string>
#include <vector>

#include "common/test_game.h"
#include "platform/plat_mixer.h"

namespace {

// A canonical 44-byte header and `frames` of a 16-bit tone.
std::vector<uint8_t> WaveFile(int channels, int rate, int bits, int frames, uint32_t claimedData = 0) {
    const int align = channels * bits / 8;
    const uint32_t data = (uint32_t)(frames * align);
    std::vector<uint8_t> b = {'R', 'I', 'F', 'F'};
    PutLe32(b, 36 + data);
    b.insert(b.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    PutLe32(b, 16);
    PutLe16(b, 1);
    PutLe16(b, (uint32_t)channels);
    PutLe32(b, (uint32_t)rate);
    PutLe32(b, (uint32_t)(rate * align));
    PutLe16(b, (uint32_t)align);
    PutLe16(b, (uint32_t)bits);
    b.insert(b.end(), {'d', 'a', 't', 'a'});
    PutLe32(b, claimedData ? claimedData : data);
    for (int i = 0; i < frames * channels; i++) {
        const double v = 9000.0 * std::sin(2.0 * std::numbers::pi * 440.0 * (i / channels) / rate);
        if (bits == 16)
            PutLe16(b, (uint16_t)(int16_t)std::lround(v));
        else
            b.push_back((uint8_t)(128 + std::lround(v / 256.0)));
    }
    return b;
}

std::string WriteFile(const std::string& dir, const char* name, const std::vector<uint8_t>& bytes) {
    const std::string path = dir + "/" + name;
    FILE* f = fopen(path.c_str(), "wb");
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
    return path;
}

double MixRms(int frames) {
    std::vector<int16_t> out((size_t)frames * 2);
    PlatMixerRender(out.data(), frames);
    double sum = 0.0;
    for (int16_t v : out)
        sum += (double)v * v;
    return std::sqrt(sum / (double)out.size());
}

class WavePlayer : public ::testing::Test {
protected:
    void SetUp() override {
        dir = MakeTestFolder("waves");
        PlatMixerSetBackend(PLAT_MIXER_MANUAL, nullptr);
        ASSERT_TRUE(PlatMixerOpen(PLAT_MIXER_RATE, 24));
        WaveBytesLoaded = 0;
    }
    void TearDown() override {
        ShutdownDirectSound();
        PlatMixerClose();
        PlatMixerSetBackend(-1, nullptr);
        WaveBytesLoaded = 0;
        VolumeRampDone = 0;
        WaveDebugLine[0] = 0;
        WaveDebugLineShown = 0;
    }
    std::string dir;
};

}  // namespace

TEST_F(WavePlayer, ALoadedWaveIsHeardQuieterWithDistance) {
    ASSERT_EQ(InitDirectSound3D(1), 1);
    EXPECT_EQ(DirectSoundReady, 1);
    EXPECT_EQ(SetUpEax(), 0);
    EXPECT_EQ(EaxAvailable, 0);
    PlatListener3D listener;
    PlatListener3DGet(&listener);
    EXPECT_EQ(listener.front[0], -1.0f);
    EXPECT_EQ(listener.doppler, 10.0f);

    const std::string path = WriteFile(dir, "tone.wav", WaveFile(1, 22050, 16, 22050));
    ASSERT_EQ(LoadWaveFile(path.c_str(), 7), 1);
    EXPECT_EQ(WaveBytesLoaded, 44100);
    ASSERT_NE(WaveBuffers[7], 0u);
    EXPECT_EQ(Wave3DBuffers[7], WaveBuffers[7]);
    ASSERT_TRUE(PlatBuffer3DPlay(WaveBuffers[7], 1));
    PlatBuffer3DSetPosition(WaveBuffers[7], -1.0f, 0.0f, 0.0f);    // straight ahead
    const double near = MixRms(4096);
    EXPECT_GT(near, 3000.0);
    PlatBuffer3DSetPosition(WaveBuffers[7], -20.0f, 0.0f, 0.0f);
    const double far = MixRms(4096);
    EXPECT_LT(far, near / 10.0);
    EXPECT_GT(far, 0.0);

    // The ramp steps while the buffer plays and says when it reached its limit.
    PlatBuffer3DSetVolume(WaveBuffers[7], -3000);
    RampWaveVolume(7, -2000, 500);
    EXPECT_EQ(PlatBuffer3DGetVolume(WaveBuffers[7]), -2500);
    EXPECT_EQ(VolumeRampDone, 0);
    RampWaveVolume(7, -2500, 500);
    EXPECT_EQ(VolumeRampDone, 1);
    ReleaseWaveBuffers();
    EXPECT_EQ(WaveBuffers[7], 0u);
    EXPECT_LT(MixRms(1024), 1.0);
}

TEST_F(WavePlayer, HeadersAreChecked) {
    ASSERT_EQ(InitDirectSound3D(1), 1);
    const std::vector<uint8_t> good = WaveFile(2, 11025, 8, 1000);
    EXPECT_EQ(LoadWaveFile(WriteFile(dir, "good.wav", good).c_str(), 1), 1);
    EXPECT_EQ(PlatBuffer3DBytes(WaveBuffers[1]), 2000);

    struct Bad {
        const char* name;
        int offset;
        uint16_t value;
    };
    const Bad bad[] = {
        {"tag.wav", 20, 3},          // not PCM
        {"channels.wav", 22, 3},
        {"bits.wav", 34, 24},
        {"align.wav", 32, 3},        // not channels x bits / 8
        {"rate.wav", 24, 0},
    };
    for (const Bad& b : bad) {
        std::vector<uint8_t> bytes = good;
        bytes[(size_t)b.offset] = (uint8_t)b.value;
        bytes[(size_t)b.offset + 1] = (uint8_t)(b.value >> 8);
        EXPECT_EQ(LoadWaveFile(WriteFile(dir, b.name, bytes).c_str(), 2), 0) << b.name;
    }
    // A data size beyond the file is cut to what the file holds.
    const std::vector<uint8_t> longer = WaveFile(1, 22050, 16, 300, 1000000);
    EXPECT_EQ(LoadWaveFile(WriteFile(dir, "long.wav", longer).c_str(), 3), 1);
    EXPECT_EQ(PlatBuffer3DBytes(WaveBuffers[3]), 600);
    EXPECT_EQ(LoadWaveFile(WriteFile(dir, "short.wav", std::vector<uint8_t>(good.begin(), good.begin() + 30)).c_str(), 4),
              0);
    EXPECT_EQ(LoadWaveFile((dir + "/none.wav").c_str(), 4), 0);
    EXPECT_EQ(LoadWaveFile(WriteFile(dir, "index.wav", good).c_str(), WAVE_PLAYER_SLOTS), 0);
}

TEST_F(WavePlayer, ErrorsAreNamedOnTheDebugLine) {
    DirectSoundError(WAVE_ERR_BUFFERLOST, ".\\Sources\\wave.cpp", 70);
    EXPECT_STREQ(WaveDebugLine, "DirectSound Error DSERR_BUFFERLOST\nin file .\\Sources\\wave.cpp at line 70\n");
    EXPECT_EQ(WaveDebugLineShown, 1);
    DirectSoundError(99, "f", 1);
    EXPECT_STREQ(WaveDebugLine, "DirectSound Error Unknown Error\nin file f at line 1\n");
    // Without a session nothing starts, and a buffer cannot be made.
    PlatMixerClose();
    EXPECT_EQ(InitDirectSound3D(1), 0);
    EXPECT_EQ(CreateWaveBuffer(0, 100, 22050, 16, 2, 0), 0);
    EXPECT_NE(strstr(WaveDebugLine, "line 70"), nullptr);
}
