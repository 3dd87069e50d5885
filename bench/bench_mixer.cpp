// The cost of mixing: one second of output with all 24 channels playing,
// resampled (each channel at its own rate), on the manual backend; and the
// same with the channel taps on, as the headless runs keep them.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "platform/plat_mixer.h"

static std::vector<uint8_t> ToneImage(int frames, int channels) {
    std::vector<uint8_t> b;
    auto put16 = [&b](uint32_t v) {
        b.push_back((uint8_t)v);
        b.push_back((uint8_t)(v >> 8));
    };
    auto put32 = [&](uint32_t v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    const uint32_t dataBytes = (uint32_t)(frames * channels * 2);
    b.insert(b.end(), {'R', 'I', 'F', 'F'});
    put32(36 + dataBytes);
    b.insert(b.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put32(16);
    put16(1);
    put16((uint32_t)channels);
    put32(22050);
    put32((uint32_t)(22050 * channels * 2));
    put16((uint32_t)channels * 2);
    put16(16);
    b.insert(b.end(), {'d', 'a', 't', 'a'});
    put32(dataBytes);
    for (int i = 0; i < frames * channels; i++)
        put16((uint16_t)(int16_t)std::lround(8000.0 * std::sin(2.0 * std::numbers::pi * 330.0 * i / 22050.0)));
    return b;
}

static void MixOneSecond(benchmark::State& state, int taps) {
    const int stereoWaves = (int)state.range(0);
    PlatMixerTapsOn(taps);
    PlatMixerSetBackend(PLAT_MIXER_MANUAL, nullptr);
    PlatMixerOpen(PLAT_MIXER_RATE, 24);
    const std::vector<uint8_t> mono = ToneImage(22050, 1), stereo = ToneImage(22050, 2);
    const PlatWave monoWave = PlatMixerOpenWaveMemory(mono.data(), (int)mono.size());
    const PlatWave stereoWave = PlatMixerOpenWaveMemory(stereo.data(), (int)stereo.size());
    for (int ch = 0; ch < 24; ch++) {
        PlatMixerOpenChannel(ch);
        PlatMixerSetVolume(ch, 1300);
        // Rates from 11025 up to 33000: every channel resamples.
        PlatMixerSetFrequency(ch, 11025 + ch * 957);
        const PlatMixerPolar polar = {(float)(ch * 15 - 180), 0.1f, 0, 0};
        PlatMixerSetPolar(ch, &polar);
        PlatMixerPlay(ch, ch < stereoWaves ? stereoWave : monoWave, -1, nullptr);
    }
    std::vector<int16_t> out(2 * PLAT_MIXER_RATE);
    for (auto _ : state) {
        PlatMixerRender(out.data(), PLAT_MIXER_RATE);
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["channel_frames/s"] =
        benchmark::Counter(24.0 * (double)PLAT_MIXER_RATE, benchmark::Counter::kIsIterationInvariantRate);
    PlatMixerClose();
    PlatMixerTapsOn(0);
}

static void BM_MixOneSecondAll24Channels(benchmark::State& state) { MixOneSecond(state, 0); }
static void BM_MixOneSecondAll24ChannelsTapped(benchmark::State& state) { MixOneSecond(state, 1); }
BENCHMARK(BM_MixOneSecondAll24Channels)->Arg(0)->Arg(24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MixOneSecondAll24ChannelsTapped)->Arg(0)->Arg(24)->Unit(benchmark::kMillisecond);
