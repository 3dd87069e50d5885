// The text printer on a 640 x 480 5-6-5 screen with the sample folder's
// font strip: a frame's worth of HUD texts and messages, 200 glyphs in the
// three sizes, on the software path (into the work surface) and on the
// Direct3D path (keyed onto the target), and the same glyphs in one font.
// Goal: 200 glyphs in under 0.2 ms on one core.
//
//   build/bin/bench_text

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "frame/frame_state.h"
#include "frame/vfs.h"
#include "mkdata.h"
#include "platform/plat_file.h"
#include "platform/plat_surface.h"
#include "render/render_state.h"
#include "render/surfaces2d.h"
#include "render/text_printer.h"

namespace {

struct Line {
    int x, y, font, align;
    const char* text;
};

// A race frame's texts: clocks and labels in the small font, lap and
// position lines in the medium one, a banner in the large one, and the
// console.  200 glyphs (spaces are not glyphs).
const Line kFrame[] = {
    {320, 70, 0, ALIGN_CENTRE, "NEW LAP RECORD"},
    {320, 330, 1, ALIGN_CENTRE, "\x1f" "LAP 3\x1f OF 5"},
    {24, 86, 3, ALIGN_LEFT, "00:41.27"},
    {24, 102, 3, ALIGN_LEFT, "00:40.93"},
    {24, 118, 3, ALIGN_LEFT, "00:39.88"},
    {24, 134, 3, ALIGN_LEFT, "02:02.08"},
    {542, 33, 3, ALIGN_LEFT, "00:38.12"},
    {542, 50, 3, ALIGN_LEFT, "01:58.40"},
    {620, 440, 1, ALIGN_RIGHT, "POSITION 2/4"},
    {320, 190, 1, ALIGN_CENTRE, "BEST RACE 01:58.40"},
    {10, 160, 3, ALIGN_LEFT, "Player two joined the race"},
    {10, 173, 3, ALIGN_LEFT, "ERROR!! File save failed"},
    {10, 186, 3, ALIGN_LEFT, "Replay saved: QUORVIX"},
    {320, 240, 1, ALIGN_CENTRE, "WRONG WAY"},
    {320, 150, 1, ALIGN_CENTRE, "SECOND PLACE"},
    {10, 199, 3, ALIGN_LEFT, "Host left: the new host is Ana"},
    {8, 4, 0, ALIGN_LEFT, "R"},
};

int GlyphsOf(const Line* lines, int count) {
    int glyphs = 0;
    for (int i = 0; i < count; i++)
        for (const char* p = lines[i].text; *p; p++)
            glyphs += (unsigned char)*p > 32;
    return glyphs;
}

PlatSurface* Target;

bool SetUp() {
    static bool ready;
    if (ready)
        return true;
    MkOptions options;
    const char* tmp = getenv("TMPDIR");
    options.outDir = std::string(tmp && *tmp ? tmp : "/tmp") + "/quorvix-bench-text";
    options.softwareKind = 1;
    if (!MakeGameFolder(options) || !PlatSetCurrentDir(options.outDir.c_str()) || !VfsScanArchives())
        return false;
    DisplayConfig.width = SurfaceWidth = 640;
    DisplayConfig.height = SurfaceHeight = 480;
    ScreenRight = 640.0f;
    ScreenBottom = 480.0f;
    LoadFontsSurface();
    if (!FontSurface || !LoadGlyphWidths())
        return false;
    PlatSurfaceCreate(640, 1440, PLAT_PF_RGB565, PLAT_SURF_SYSTEMMEMORY, &WorkSurface);
    PlatSurfaceCreate(640, 480, PLAT_PF_RGB565, PLAT_SURF_SYSTEMMEMORY, &Target);
    ready = WorkSurface && Target;
    return ready;
}

void PrintFrame(benchmark::State& state, int renderKind) {
    if (!SetUp()) {
        state.SkipWithError("the sample folder could not be made");
        return;
    }
    RenderKind = renderKind;
    const int count = (int)(sizeof kFrame / sizeof kFrame[0]);
    for (auto _ : state) {
        for (const Line& line : kFrame)
            PrintText(line.x, line.y, line.text, line.font, line.align, Target, 0);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * GlyphsOf(kFrame, count));
    state.counters["glyphs"] = GlyphsOf(kFrame, count);
}

void BM_PrintTextFrameSoftware(benchmark::State& state) { PrintFrame(state, 0); }
void BM_PrintTextFrameDirect3D(benchmark::State& state) { PrintFrame(state, 1); }

// 200 glyphs of one font, to tell the sizes apart.
void BM_PrintTextFont(benchmark::State& state) {
    if (!SetUp()) {
        state.SkipWithError("the sample folder could not be made");
        return;
    }
    RenderKind = 0;
    const int font = (int)state.range(0);
    const std::string text(40, 'M');
    for (auto _ : state) {
        for (int row = 0; row < 5; row++)
            PrintText(20, 20 + row * 60, text.c_str(), font, ALIGN_LEFT, Target, 0);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 200);
}

}  // namespace

BENCHMARK(BM_PrintTextFrameSoftware)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PrintTextFrameDirect3D)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PrintTextFont)->Arg(0)->Arg(1)->Arg(3)->Unit(benchmark::kMicrosecond);
