// One whole menu frame on the headless backend and the sample folder:
// screens 0 (main menu), 3 (career) and 5 (car choice), settled and during
// the page cross-fade.  The goal is under 2 ms a frame on one core.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "frame/display.h"
#include "frame/startup.h"
#include "frame/frame_state.h"
#include "frame/utils.h"
#include "frame/vfs.h"
#include "frame/window_proc.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_frame.h"
#include "frontend/menu_init.h"
#include "frontend/menu_items.h"
#include "frontend/text_slots.h"
#include "mkdata.h"
#include "platform/plat_clock.h"
#include "platform/plat_file.h"
#include "platform/plat_headless.h"
#include "platform/plat_system.h"
#include "platform/plat_window.h"
#include "render/render_state.h"
#include "render/surfaces2d.h"
#include "sound/sound_state.h"

namespace {

// The menus as start-up leaves them, on a fresh sample folder; the first
// frame's set-up is run once (its wait on the manual clock).
bool MenusReady() {
    static int ready = -1;
    if (ready >= 0)
        return ready == 1;
    ready = 0;
    char folder[] = "/tmp/bench_menu_frame.XXXXXX";
    if (!mkdtemp(folder))
        return false;
    MkOptions options;
    options.outDir = folder;
    if (!MakeGameFolder(options) || !PlatInit(PLAT_BACKEND_HEADLESS) || !PlatSetCurrentDir(folder))
        return false;
    PlatClockSetManual(1);
    CommandLine = {};
    CommandLine.headless = 1;
    if (!ReadDisplayConfig() || VfsScanArchives() != 1)
        return false;
    LoadMessageFile();
    if (!PlatCreateWindow("Quorvix", MainWindowProc))
        return false;
    MainWindow = 1;
    WantedWidth = 640;
    WantedHeight = 480;
    WantedDepth = 16;
    if (!OpenFramework())
        return false;
    UpdateScreenMetrics();
    ShowLoadingScreen();
    RenderKind = DisplayConfig.displayKind;
    AppReady = 1;
    AllocWorkBuffers();
    SetStartDefaults();
    LoadHudSurfaces();
    LoadMenuGfxSet();
    PreloadMenuGfx();
    LoadMenuRawGraphics();
    ReadPixelFormat(GetRenderTarget());
    InitMenus();
    SaveWorkSurfaceCopy();
    SoundUnavailable = 1;
    RunMenuFrame(GetRenderTarget(), nullptr, 0, nullptr);
    if (!WorkSurface || !ScreenCopySurface)
        return false;
    ready = 1;
    return true;
}

// Shows `screen` and runs frames until its slides have settled (or, with
// `fading`, keeps the cross-fade going every frame).
void MenuFrame(benchmark::State& state, int screen, bool fading) {
    if (!MenusReady()) {
        state.SkipWithError("the menus could not be set up");
        return;
    }
    RequestedScreen = screen;
    ShowPageRoot(screen);
    for (int i = 0; i < 200; i++)
        RunMenuFrame(GetRenderTarget(), nullptr, 0, nullptr);
    for (auto _ : state) {
        if (fading && MenuFadeLevel < 10)
            MenuFadeLevel = MENU_FADE_START;
        RunMenuFrame(GetRenderTarget(), nullptr, 0, nullptr);
    }
    state.counters["screen"] = MenuScreen;
}

void BM_MenuFrameSettled(benchmark::State& state) { MenuFrame(state, (int)state.range(0), false); }
void BM_MenuFrameFading(benchmark::State& state) { MenuFrame(state, (int)state.range(0), true); }

}  // namespace

BENCHMARK(BM_MenuFrameSettled)->Arg(0)->Arg(3)->Arg(5)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MenuFrameFading)->Arg(0)->Arg(3)->Arg(5)->Unit(benchmark::kMicrosecond);
