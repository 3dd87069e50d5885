// Per-frame costs of the menus' 2D work: the page cross-fade over the whole
// screen, a line of menu text, and building the layout at start-up.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "frame/frame_state.h"
#include "frontend/menu_graphics.h"
#include "frontend/menu_init.h"
#include "frontend/text_slots.h"
#include "menulayout/layout_builder.h"

static void BM_CrossFade565(benchmark::State& state) {
    GreenMaskBits = 6;
    BuildBlendTables();
    std::vector<uint16_t> work(640 * 480, 0x1234), picture(640 * 480, 0xf81f);
    MenuTarget = {work.data(), 640, 640, 480};
    MenuOverlay = {picture.data(), 640, 640, 480};
    int level = 97;
    for (auto _ : state) {
        BlendPictureOverWorkSurface565(level);
        level = level > 5 ? level - 5 : 97;
        benchmark::DoNotOptimize(work.data());
    }
    state.SetItemsProcessed(state.iterations() * 640 * 480);
}
BENCHMARK(BM_CrossFade565);

static void BM_DrawTextLine(benchmark::State& state) {
    GreenMaskBits = 6;
    InitFrontEndTables();
    const int size = FONT_STRIP_WIDTH * FONT_STRIP_ROWS;
    for (int i = 0; i < size; i++)
        MenuGfxBuffer[i] = (unsigned char)(i % 3 == 0 ? 0 : i % 3 == 1 ? 50 : 255);
    MenuGfxCount = 1;
    MenuGfxOffsets[0] = 0;
    MenuGfxSizes[0] = size;
    const std::string image = "CHOOSE A TRACK GROUP AND A TRACK\r\n";
    memcpy(TextSlotBlob, image.data(), image.size());
    IndexTextSlots((int)image.size());
    std::vector<uint16_t> work(640 * 480, 0x1234);
    MenuTarget = {work.data(), 640, 640, 480};
    const int font = (int)state.range(0);
    for (auto _ : state) {
        KeyboardCellCount = 0;
        DrawTextSlot565(320, 200, font, 0, TEXT_MODE_CENTRE, 31, 63, 31, 31, 0, 0, 0);
        benchmark::DoNotOptimize(work.data());
    }
}
BENCHMARK(BM_DrawTextLine)->Arg(0)->Arg(1)->Arg(2);

static void BM_BuildMenuLayout(benchmark::State& state) {
    for (auto _ : state) {
        memset(MenuScreenTable, 0, sizeof MenuScreenTable);
        benchmark::DoNotOptimize(BuildMenuLayout());
    }
}
BENCHMARK(BM_BuildMenuLayout);
