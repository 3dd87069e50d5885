// The cost of playing an intro video: decoding the sample video's pictures
// and converting each over a 16-bit back buffer (the 320 x 240 mode, and the
// 640 x 480 fallback that scales), and decoding its sound.  `x_real_time`
// is seconds of video per second of work on one core; it must stay above 10.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "mkdata_video.h"
#include "platform/plat_surface.h"
#include "platform/plat_video.h"

static const std::vector<uint8_t>& SampleVideo() {
    static std::vector<uint8_t> bytes;
    if (bytes.empty() && !MkEncodeSampleVideo(MkSampleVideos[2], &bytes))
        abort();
    return bytes;
}

static constexpr double VideoSeconds = (double)MK_VIDEO_FRAMES / (double)MK_VIDEO_FPS;

static void BM_DecodeAndConvert(benchmark::State& state) {
    const int width = (int)state.range(0), height = (int)state.range(1);
    const std::vector<uint8_t>& bytes = SampleVideo();
    std::vector<uint8_t> target((size_t)width * height * 2);
    int pictures = 0;
    for (auto _ : state) {
        PlatVideo* video = nullptr;
        if (PlatVideoOpenMemory(bytes.data(), bytes.size(), &video) != PLAT_VIDEO_OK)
            abort();
        while (PlatVideoNextPicture(video) == 1) {
            PlatVideoConvert(video, target.data(), width * 2, width, height, PLAT_PF_RGB565);
            pictures++;
        }
        PlatVideoClose(video);
        benchmark::DoNotOptimize(target.data());
    }
    if (pictures != MK_VIDEO_FRAMES * (int)state.iterations())
        state.SkipWithError("the sample video did not decode whole");
    state.counters["x_real_time"] = benchmark::Counter(VideoSeconds * (double)state.iterations(),
                                                       benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DecodeAndConvert)->Args({320, 240})->Args({640, 480})->Unit(benchmark::kMillisecond);

static void BM_DecodeSound(benchmark::State& state) {
    const std::vector<uint8_t>& bytes = SampleVideo();
    for (auto _ : state) {
        PlatVideo* video = nullptr;
        if (PlatVideoOpenMemory(bytes.data(), bytes.size(), &video) != PLAT_VIDEO_OK)
            abort();
        void* wav = nullptr;
        int wavBytes = 0;
        benchmark::DoNotOptimize(PlatVideoDecodeSound(video, &wav, &wavBytes));
        free(wav);
        PlatVideoClose(video);
    }
    state.counters["x_real_time"] = benchmark::Counter(VideoSeconds * (double)state.iterations(),
                                                       benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DecodeSound)->Unit(benchmark::kMillisecond);
