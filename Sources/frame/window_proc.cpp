#include "frame/window_proc.h"

#include <cstring>

#include "frame/frame_state.h"
#include "frame/framework.h"
#include "frame/input.h"
#include "frame/sim_lock.h"
#include "frame/startup.h"
#include "frame/tick.h"
#include "frontend/career.h"
#include "frontend/frontend_state.h"
#include "net/net_messages.h"
#include "net/net_state.h"
#include "platform/plat_keys.h"
#include "platform/plat_surface.h"
#include "platform/plat_system.h"
#include "platform/plat_timer.h"
#include "platform/plat_window.h"
#include "race/race_setup.h"
#include "race/race_state.h"
#include "sound/sound_session.h"
#include "track/editors.h"

enum { INPUT_TIMER_ID = 0, INPUT_TIMER_MS = 33 };

// The race restarts from the grid.  StartRace rewrites what the tick reads,
// so the timer stands still meanwhile.
static void RestartFromGrid() {
    const int wasRunning = PlatTimerRunning();
    const int period = PlatTimerPeriod();
    StopTickTimer();
    PlatSleepMs(10);
    StartRaceKeepingSounds();
    if (wasRunning)
        StartTickTimer(period, MainWindow);
}

// Space ends the presentation wait (not on a network client).
void EndPresentationWait() {
    if (NetSessionOpen && !NetIsHost)
        return;
    {
        // The tick steps the fly-by's camera while the wait lasts.
        SimLockGuard lock;
        if (RacePhase == 0)
            return;
        RacePhase = 0;
        FinishSequence = 0;
        PresentationCamera = 0;
        PresentationRun = 0;
    }
    if (NetSessionOpen)
        SendCommand(2, 1);
    else if (!NetworkGame && !SplitScreen)
        RestartFromGrid();
}

// Ctrl as the window's key messages tell it (the handbrake flag that Ctrl
// also sets is the computer drivers' as well).
static int controlHeld;

static void HandleKey(int key) {
    switch (key) {
    case VK_SHIFT: ShiftHeld = 1; break;
    case VK_CONTROL:
        ControlHandbrake = 1;
        controlHeld = 1;
        break;
    case VK_SPACE: EndPresentationWait(); break;
    case VK_F2: HudVisible = !HudVisible; break;
    case VK_F3:
        if (!FrontEndActive)
            MapVisible = !MapVisible;
        break;
    case VK_F4:
        if (!FrontEndActive)
            NameTagsVisible = !NameTagsVisible;
        break;
    case VK_F8:
        if (ScreenshotsEnabled)
            ScreenshotRequest = 1;
        break;
    case VK_F11: ToggleEditorMenu(); break;
    case VK_INSERT:
        // The developer's 5,000 into the career's money, in the menus only.
        if (FrontEndActive && DeveloperSwitch == 1)
            AddBonusMoney();
        break;
    case VK_F9:
        if (!FrontEndActive && WireframeKeyArmed)
            Wireframe = !Wireframe;
        break;
    default: break;
    }
}

// The developer's commands on keys, in the menus and in a race.  A key
// sends its command to the window, as the developer menu's shortcuts did.
struct DeveloperKey {
    int key;
    int modifier;   // VK_SHIFT or VK_CONTROL held with it, or 0 for neither
    int command;
};

static const DeveloperKey DeveloperKeys[] = {
    {'Q', VK_CONTROL, CMD_EXIT},
    {VK_F12, VK_SHIFT, CMD_DRIVER_DIALOG},
    {VK_F12, 0, CMD_TOGGLE_WINDOWED},
    {VK_PAUSE, 0, CMD_TOGGLE_GAME_LOGIC},
    {VK_F10, 0, CMD_SINGLE_STEP},
};

// The modifiers are taken from the key messages in their order, not from
// the keyboard's state now, which may already be past the key.
static int DeveloperCommandOf(int key) {
    if (DeveloperSwitch != 1)
        return 0;
    const int shift = ShiftHeld & 1, control = controlHeld;
    for (const DeveloperKey& k : DeveloperKeys) {
        if (k.key != key)
            continue;
        const int held = k.modifier == VK_SHIFT ? shift && !control
                         : k.modifier == VK_CONTROL ? control && !shift
                                                    : !shift && !control;
        if (held)
            return k.command;
    }
    return 0;
}

// Before the display changes, a window's place and size are kept, to be
// given back when the game returns to a window.
static void KeepWindowRect() {
    if (!WindowedMode)
        return;
    PlatRect rect;
    PlatWindowGetRect(&rect);
    WindowRect = {rect.left, rect.top, rect.right, rect.bottom};
}

// The driver dialog (the choice of display driver, device and mode).
static void RunDriverDialog() {
    if (!AppActive || !AppReady)
        return;
    PauseFramework(1);
    KeepWindowRect();
    if (DriverDialog(MainWindow, WindowedMode) == 1) {
        int driver = 0, device = 0;
        if (GetSelectedDriver(&driver, &device) == 0)
            WindowedMode = FrameworkDriver(driver)->devices[device].windowed;
        ChangeDevice(MainWindow);
    }
    PauseFramework(0);
}

static void ToggleWindowed() {
    if (!AppActive || !AppReady)
        return;
    AppReady = 0;
    KeepWindowRect();
    WindowedMode = !WindowedMode;
    ChangeDevice(MainWindow);
    AppReady = 1;
}

// Returns 1 when the command is fully handled and gets no default processing.
static int HandleCommand(int command, intptr_t* result) {
    switch (command) {
    case CMD_EXIT: PlatSendMessage(WM_CLOSE, 0, 0); break;
    case CMD_DRIVER_DIALOG:
        RunDriverDialog();
        *result = 0;
        return 1;
    case CMD_TOGGLE_WINDOWED:
        ToggleWindowed();
        *result = 0;
        return 1;
    case CMD_TOGGLE_GAME_LOGIC: GameLogicRunning = !GameLogicRunning; break;
    case CMD_SINGLE_STEP: SingleStepRequest = 1; break;
    case CMD_NO_DEFAULT: *result = 1; return 1;
    default: break;
    }
    return 0;
}

// Characters that never reach a text field.
static int IsIgnoredChar(int c) {
    static const int ignored[] = {9,   10,  123, 124, 125, 127, 128, 129, 130, 131, 132, 133, 134, 135,
                                  137, 139, 141, 142, 143, 144, 149, 153, 155, 157, 158, 166, 173, 176,
                                  208, 215, 222, 240, 247, 254};
    for (int code : ignored) {
        if (c == code)
            return 1;
    }
    return 0;
}

static void HandleChar(int c) {
    if (IsIgnoredChar(c))
        return;
    if (c == 13) {
        if (!TextEditActive || TextEditHasText)
            PushTypedChar(c);
        return;
    }
    if (c == 27) {
        if (TextEditActive)
            return;
        PushTypedChar(c);
        if (!MouseKeptOff)
            MousePolling = 1;
        return;
    }
    PushTypedChar(c);
}

void PushTypedChar(int c) {
    if (ControlHandbrake)
        return;
    // These cannot appear in file names, so only the chat screen takes them.
    if (strchr("\"*./:?\\", c) && c != 0 && MenuScreenShown != 11)
        return;
    if (TypedCharCount < TYPED_CHAR_QUEUE_SIZE)
        TypedCharQueue[TypedCharCount++] = c;
    else
        TypedCharQueue[TYPED_CHAR_QUEUE_SIZE - 1] = c;
}

void PopTypedChar() {
    if (TypedCharCount <= 0) {
        TypedCharCount = 0;
        TypedChar = 0;
        return;
    }
    TypedChar = TypedCharQueue[0];
    memmove(TypedCharQueue, TypedCharQueue + 1, sizeof(int) * (TypedCharCount - 1));
    TypedCharCount--;
}

static void SetActive(int active) {
    AppActive = active;
    ActivateSoundSession(active);
    KeyboardAcquire(MainWindow);
}

intptr_t MainWindowProc(int message, uintptr_t wParam, intptr_t lParam) {
    switch (message) {
    case WM_CREATE:
        if (KeyboardInit(MainWindow) != 0)
            PlatMessageBox("DirectX", "Error Initializing DirectInput", PLAT_MB_ICONERROR);
        PlatSetTimer(INPUT_TIMER_ID, INPUT_TIMER_MS);
        return 1;
    case WM_DESTROY:
        ReleaseFramework();
        PlatPostQuitMessage(0);
        return 0;
    case WM_ACTIVATE:
        // Any non-zero low word is an activation: a click activation counts.
        SetActive((wParam & 0xFFFF) != 0);
        return 0;
    case WM_CLOSE:
        PlatKillTimer(INPUT_TIMER_ID);
        ShutdownApp();
        PlatDestroyWindow();
        return 0;
    case WM_SETCURSOR:
        // The game draws its own pointer, in a window where the system
        // pointer is, so the system cursor never shows over the window.
        if (AppActive && AppReady) {
            PlatShowCursor(0);
            return 1;
        }
        break;
    case WM_KEYDOWN: {
        const int command = DeveloperCommandOf((int)(wParam & 0xFFFF));
        if (command)
            return MainWindowProc(WM_COMMAND, (uintptr_t)command, 0);
        HandleKey((int)(wParam & 0xFFFF));
        break;
    }
    case WM_COMMAND: {
        intptr_t result = 0;
        if (HandleCommand((int)(wParam & 0xFFFF), &result))
            return result;
        HandleKey((int)(wParam & 0xFFFF));
        break;
    }
    case WM_KEYUP:
        if ((wParam & 0xFFFF) == VK_SHIFT)
            ShiftHeld &= ~1;
        if ((wParam & 0xFFFF) == VK_CONTROL) {
            ControlHandbrake &= ~1;
            controlHeld = 0;
        }
        break;
    case WM_CHAR:
        HandleChar((int)(wParam & 0xFF));
        return 0;
    case WM_TIMER:
        if (AppActive) {
            if (MousePolling)
                PollMouse(MainWindow, 0);
            if (KeyboardRead(MainWindow) != 0) {
                PlatKillTimer(INPUT_TIMER_ID);
                PlatMessageBox("DirectInput", "Error Reading Input State", PLAT_MB_ICONERROR);
            }
        }
        return 0;
    case WM_ENTERMENULOOP:
    case WM_ENTERSIZEMOVE:
        AppActive = 0;
        KeyboardAcquire(MainWindow);
        return 0;
    case WM_EXITMENULOOP:
    case WM_EXITSIZEMOVE:
        AppActive = PlatWindowIsActive() || !PlatWindowIsMinimised();
        KeyboardAcquire(MainWindow);
        return 0;
    default: break;
    }
    return PlatDefWindowProc(message, wParam, lParam);
}
