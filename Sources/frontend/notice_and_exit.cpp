// The timed "not available" notice over the menus and the picture shown
// when the program exits.

#include "frame/display.h"
#include "frame/frame_state.h"
#include "frame/input.h"
#include "frame/startup.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_panels.h"
#include "platform/plat_clock.h"
#include "platform/plat_input.h"
#include "platform/plat_script.h"
#include "platform/plat_surface.h"
#include "platform/plat_system.h"
#include "platform/plat_window.h"
#include "render/bitmaps.h"
#include "render/render_state.h"
#include "sound/music.h"

// The notice stays a second and a half of game time, long enough to read,
// however fast the menus draw.
enum { NOTICE_TICKS = 90, NOTICE_X = 215, NOTICE_Y = 190, NOTICE_BLIT_TRIES = 8 };
enum { EXIT_WAIT_MS = 10000, EXIT_FIRST_WAIT_MS = 500 };

int NoticeBlitsDropped;
static int NoticeScreen;

void ShowTimedNotice(int arm) {
    if (arm == 1) {
        NoticeTicks = NOTICE_TICKS;
        NoticeScreen = MenuScreen;
        PlayErrorSound();
    }
    if (NoticeTicks <= 0)
        return;
    // It tells about the screen it was asked on: an item that also leaves
    // the screen (or starts a race) takes it away with the screen.
    if (!FrontEndActive || MenuScreen != NoticeScreen || RequestedScreen != -1) {
        NoticeTicks = 0;
        return;
    }
    if (arm != 1)
        NoticeTicks -= LastFrameTicks.load();
    PlatSurface* target = GetRenderTarget();
    if (!target || !NotSurface)
        return;
    // A blit that keeps failing drops this frame's notice.
    for (int tries = 0; tries < NOTICE_BLIT_TRIES; tries++) {
        if (PlatSurfaceBltFast(target, NOTICE_X, NOTICE_Y, NotSurface, nullptr, PLAT_WAIT) == DD_OK)
            return;
    }
    NoticeBlitsDropped++;
}

namespace {

// A scripted headless run has nobody to press a key once its script is done.
int NobodyLeftToPress() {
    if (CommandLine.frames > 0)
        return 1;
    return PlatIsHeadless() && FramesRun > PlatScriptLastFrame();
}

int AnyKeyDown() {
    for (int key = 0; key < 128; key++) {
        if (PlatKeyDown(key))
            return 1;
    }
    return 0;
}

// The window's messages while the picture waits: the devices see the keys
// and clicks they bring.  1 when the window is closing (a second close
// request, or a quit, which is put back for the message loop): the picture
// then ends at once.  Nothing else is acted on during the shutdown.
int WindowClosing() {
    PlatMsg msg;
    while (PlatPeekMessage(&msg)) {
        if (msg.message == WM_QUIT) {
            PlatPostQuitMessage((int)msg.wParam);
            return 1;
        }
        if (msg.message == WM_CLOSE || msg.message == WM_DESTROY)
            return 1;
    }
    return !PlatWindowExists();
}

// One wait step: the next frame of the script reaches the devices.
void WaitStep() {
    PlatScriptFrame(FramesRun);
    FramesRun++;
    PlatSleepMs(PlatIsHeadless() ? 0 : 10);
}

}  // namespace

int ExitScreenShown;

void ShowExitScreen() {
    MouseClick = 0;
    BmpImage picture;
    if (!LoadBitmapFromVfs("MENUS\\ExitDemo.bmp", &picture))
        return;
    if (ScreenCopySurface)
        CopyBitmapToSurface(ScreenCopySurface, &picture);
    BlitLoadingScreen();
    PresentFrame();
    ExitScreenShown = 1;
    if (NobodyLeftToPress())
        return;
    const uint32_t start = PlatTimeMs();
    auto waited = [start] { return PlatTimeMs() - start; };
    if (!PlatIsHeadless()) {
        while (waited() < EXIT_FIRST_WAIT_MS)
            PlatSleepMs(10);
    }
    // Keys still held from the way out ("C", "S", "B") are let go first.
    while ((PlatKeyDown('C') || PlatKeyDown('S') || PlatKeyDown('B')) && waited() < EXIT_WAIT_MS &&
           !NobodyLeftToPress()) {
        if (WindowClosing())
            return;
        WaitStep();
    }
    while (waited() < EXIT_WAIT_MS && !NobodyLeftToPress()) {
        if (WindowClosing())
            return;
        PollMouse(MainWindow, 1);
        if (MouseClick || AnyKeyDown())
            break;
        WaitStep();
    }
    PlayClickSound();
}
