// The driver dialog.  Three lists (driver, device, mode) and the OK and
// Cancel buttons, one of them in focus: Up and Down (or Tab) move the focus,
// Left and Right choose in the list in focus, Enter ends with OK (with
// Cancel when it has the focus), Escape ends with Cancel.  It runs as a
// modal dialog box does, taking the window's messages itself; the script of
// a scripted run goes on frame by frame, so a script can answer it.

#include "frame/driver_dialog.h"

#include <cstdio>

#include "frame/display.h"
#include "frame/frame_state.h"
#include "frame/framework.h"
#include "frame/script_checks.h"
#include "frame/startup.h"
#include "platform/plat_headless.h"
#include "platform/plat_keys.h"
#include "platform/plat_script.h"
#include "platform/plat_surface.h"
#include "platform/plat_system.h"
#include "platform/plat_window.h"
#include "render/render_state.h"
#include "render/text_printer.h"

enum { ROW_DRIVER, ROW_DEVICE, ROW_MODE, ROW_OK, ROW_CANCEL, ROW_COUNT };

// The dialog's box and rows in the 640 x 480 layout.
enum {
    BOX_LEFT = 150, BOX_TOP = 150, BOX_RIGHT = 490, BOX_BOTTOM = 315, BOX_EDGE = 2,
    TITLE_Y = 160, LABEL_X = 170, VALUE_X = 240, FIRST_ROW_Y = 195, ROW_STEP = 25,
    BUTTON_Y = 285, OK_X = 270, CANCEL_X = 370,
    DIALOG_FONT = 3,   // code 31 switches to its highlight font
};

static const DeviceNode* ChosenDevice(const DriverChoice& c) {
    const DriverNode* driver = FrameworkDriver(c.driver);
    if (!driver || c.device < 0 || c.device >= driver->deviceCount)
        return nullptr;
    return &driver->devices[c.device];
}

// "Windowed mode" heads the mode list when the driver can render in a
// window, is the primary driver and the device has the desktop's depth.
static int WindowedOffered(const DriverChoice& c) {
    const DriverNode* driver = FrameworkDriver(c.driver);
    const DeviceNode* device = ChosenDevice(c);
    return driver && device && driver->canRenderWindowed && driver->isPrimary && device->desktopCompatible;
}

// Choosing a device takes its mode and its windowed flag; choosing a driver
// takes its selected device with that device's mode and windowed flag.
static void TakeDevice(DriverChoice* c, int device) {
    const DriverNode* driver = FrameworkDriver(c->driver);
    if (!driver || device < 0 || device >= driver->deviceCount)
        return;
    c->device = device;
    c->mode = driver->devices[device].selectedMode;
    c->windowed = driver->devices[device].windowed;
}

static void TakeDriver(DriverChoice* c, int driver) {
    const DriverNode* node = FrameworkDriver(driver);
    if (!node || node->deviceCount <= 0)
        return;
    c->driver = driver;
    TakeDevice(c, node->selectedDevice >= 0 ? node->selectedDevice : 0);
}

static int Wrap(int value, int count) { return ((value % count) + count) % count; }

// The mode list's entries: -1 for "Windowed mode" when it is offered, then
// the device's modes.  Choosing a mode clears the windowed flag.
static void StepMode(DriverChoice* c, int step) {
    const DeviceNode* device = ChosenDevice(*c);
    if (!device || device->modeCount <= 0)
        return;
    const int first = WindowedOffered(*c) ? -1 : 0;
    const int current = c->windowed && first < 0 ? -1 : c->mode;
    const int entry = Wrap(current - first + step, device->modeCount - first) + first;
    if (entry < 0) {
        c->windowed = 1;
    } else {
        c->mode = entry;
        c->windowed = 0;
    }
}

static void StepList(DriverChoice* c, int row, int step) {
    const DriverNode* driver = FrameworkDriver(c->driver);
    if (!driver)
        return;
    if (row == ROW_DRIVER && FrameworkDriverCount() > 0)
        TakeDriver(c, Wrap(c->driver + step, FrameworkDriverCount()));
    else if (row == ROW_DEVICE && driver->deviceCount > 0)
        TakeDevice(c, Wrap(c->device + step, driver->deviceCount));
    else if (row == ROW_MODE)
        StepMode(c, step);
}

// A key pressed in the dialog: 1 OK, 0 Cancel, -1 the dialog goes on.
static int DialogKey(DriverChoice* c, int* focus, int key) {
    switch (key) {
    case VK_RETURN: return *focus == ROW_CANCEL ? 0 : 1;
    case VK_ESCAPE: return 0;
    case VK_UP: *focus = Wrap(*focus - 1, ROW_COUNT); break;
    case VK_DOWN:
    case VK_TAB: *focus = Wrap(*focus + 1, ROW_COUNT); break;
    case VK_LEFT:
    case VK_RIGHT:
        if (*focus == ROW_OK || *focus == ROW_CANCEL)
            *focus = *focus == ROW_OK ? ROW_CANCEL : ROW_OK;
        else
            StepList(c, *focus, key == VK_RIGHT ? 1 : -1);
        break;
    default: break;
    }
    return -1;
}

static void FillLayoutRect(PlatSurface* target, int left, int top, int right, int bottom, int r, int g, int b) {
    const PlatRect rect = {left * SurfaceWidth / 640, top * SurfaceHeight / 480, right * SurfaceWidth / 640,
                           bottom * SurfaceHeight / 480};
    const uint32_t pixel = PlatPixelFromRgb(PlatSurfaceFormat(target), r, g, b);
    for (int i = 0; i < PLAT_STILL_DRAWING_RETRIES; i++) {
        if (PlatSurfaceFill(target, &rect, pixel, 0) != DDERR_WASSTILLDRAWING)
            return;
    }
}

// One line of the dialog; the line in focus is highlighted, a list's entry
// between arrows (Left and Right change it).
static void PrintLine(PlatSurface* target, int x, int y, const char* text, int align, int focused, int list) {
    char line[128];
    if (focused && list)
        snprintf(line, sizeof line, "%c< %s >%c", HIGHLIGHT_TOGGLE, text, HIGHLIGHT_TOGGLE);
    else if (focused)
        snprintf(line, sizeof line, "%c%s%c", HIGHLIGHT_TOGGLE, text, HIGHLIGHT_TOGGLE);
    else
        snprintf(line, sizeof line, "%s", text);
    PrintText(x, y, line, DIALOG_FONT, align, target, 0);
}

static void DrawDialog(const DriverChoice& c, int focus) {
    PlatSurface* target = GetRenderTarget();
    const DriverNode* driver = FrameworkDriver(c.driver);
    const DeviceNode* device = ChosenDevice(c);
    if (!target || !driver || !device)
        return;
    FillLayoutRect(target, BOX_LEFT, BOX_TOP, BOX_RIGHT, BOX_BOTTOM, 200, 200, 200);
    FillLayoutRect(target, BOX_LEFT + BOX_EDGE, BOX_TOP + BOX_EDGE, BOX_RIGHT - BOX_EDGE, BOX_BOTTOM - BOX_EDGE, 16,
                   24, 56);
    const char* mode = c.windowed && WindowedOffered(c) ? "Windowed mode"
                       : c.mode >= 0 && c.mode < device->modeCount ? device->modes[c.mode].label
                                                                    : "";
    const char* const labels[3] = {"Driver:", "Device:", "Mode:"};
    const char* const values[3] = {driver->description, device->name, mode};
    // The printer draws into the work surface on the software path; the
    // dialog belongs on the picture shown.
    const int kept = ForceTargetBlit;
    ForceTargetBlit = 1;
    PrintText(320, TITLE_Y, "Select New Direct3D Driver", DIALOG_FONT, ALIGN_CENTRE, target, 0);
    for (int row = 0; row < 3; row++) {
        const int y = FIRST_ROW_Y + row * ROW_STEP;
        PrintText(LABEL_X, y, labels[row], DIALOG_FONT, ALIGN_LEFT, target, 0);
        PrintLine(target, VALUE_X, y, values[row], ALIGN_LEFT, focus == row, 1);
    }
    PrintLine(target, OK_X, BUTTON_Y, "OK", ALIGN_CENTRE, focus == ROW_OK, 0);
    PrintLine(target, CANCEL_X, BUTTON_Y, "Cancel", ALIGN_CENTRE, focus == ROW_CANCEL, 0);
    ForceTargetBlit = kept;
}

// A run whose input is spent has nobody to answer: a headless run past its
// script with no timed event waiting, or a run whose frames are all used.
static int NobodyToAnswer() {
    if (CommandLine.frames > 0 && FramesRun + 1 >= CommandLine.frames)
        return 1;
    return PlatIsHeadless() && FramesRun > PlatScriptLastFrame() && !PlatHeadlessEventsWaiting();
}

// The dialog's state: the choice, the line in focus, and once a key ended
// it, that key and the answer it gave.
struct DialogState {
    DriverChoice* choice;
    int focus;
    int endKey;
    int answer;
};

// The window's messages while the dialog runs: key presses go to the
// dialog, typed characters to nobody, the rest (input timer, activation,
// key releases) to the window.  The dialog ends when the key that ended it
// is let go, so neither its character nor its press reaches the game
// behind.  A close or quit request ends it at once and is put back for the
// message loop.  1 OK, 0 Cancel, -1 the dialog goes on.
static int TakeMessages(DialogState* d) {
    PlatMsg msg;
    while (PlatPeekMessage(&msg)) {
        const int key = (int)(msg.wParam & 0xFFFF);
        switch (msg.message) {
        case WM_QUIT: PlatPostQuitMessage((int)msg.wParam); return 0;
        case WM_CLOSE: PlatPostMessage(WM_CLOSE, 0, 0); return 0;
        case WM_KEYDOWN:
            if (!d->endKey) {
                d->answer = DialogKey(d->choice, &d->focus, key);
                if (d->answer >= 0)
                    d->endKey = key;
            }
            break;
        case WM_KEYUP:
            PlatDispatchMessage(&msg);
            if (d->endKey && key == d->endKey)
                return d->answer;
            break;
        case WM_CHAR: break;
        default: PlatDispatchMessage(&msg); break;
        }
    }
    return -1;
}

int RunDriverChooser(DriverChoice* choice) {
    DialogState d = {choice, ROW_OK, 0, -1};
    for (;;) {
        PlatScriptFrame(FramesRun);
        int answer = TakeMessages(&d);
        if (answer < 0) {
            DrawDialog(*choice, d.focus);
            PresentFrame();
            RunScriptChecks(FramesRun);
        }
        FramesRun++;
        if (answer < 0 && (ExitRequested || NobodyToAnswer()))
            answer = d.endKey ? d.answer : 0;
        if (answer >= 0) {
            PlatDebugOut(answer ? "Driver dialog: OK" : "Driver dialog: Cancel");
            return answer;
        }
        PlatFrameIdle();
        if (!PlatIsHeadless())
            PlatSleepMs(10);
    }
}
