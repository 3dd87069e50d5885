#include "frontend/controls.h"

#include <cstring>

#include "frame/frame_state.h"
#include "frame/joystick.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_items.h"
#include "frontend/text_slots.h"
#include "platform/plat_keys.h"
#include "sound/music.h"

int BindingCapture;
int BindingAction;
static unsigned char KeyReleased[KEY_NAME_ROWS];
static unsigned char ButtonReleased[JOYSTICK_NAME_ROWS] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
static int LastButton = 15;

enum { SLOT_BINDING_NAMES = 762, SLOT_FORCE_NAME = 395, SLOT_FORCE_LEVELS = 392 };

// The screen's line of action k: items 40 to 49, then 56; its name stands
// in items 15 and 16, then 29 to 37.
static int BindingLine(int action) { return action < 10 ? 40 + action : 56; }
static int ActionNameLine(int action) { return action == 0 ? 15 : action == 1 ? 16 : 27 + action; }

static int CurrentSet() {
    const int player = SettingsInts[8] == 1 ? 1 : 0;
    return player * 2 + (SettingsInts[player] == 1 ? 1 : 0);
}

// The name of a key row or a joystick input, as the screen shows it.
static void BindingName(int isJoystick, int index, char* out, int size) {
    out[0] = 0;
    if (isJoystick) {
        if (index >= 0 && index < JOYSTICK_NAME_ROWS)
            snprintf(out, (size_t)size, "%.20s", JoystickNameTable[index]);
    } else if (index >= 0 && index < KEY_NAME_ROWS) {
        // Within its 16-byte row: 15 bytes of name.  A letter key is named
        // by the letter the keyboard's layout prints on it.
        const int letter = PlatVirtualKeyOfScan(KeyNameTable[index][0]);
        if (letter >= 'A' && letter <= 'Z')
            snprintf(out, (size_t)size, "%c", letter);
        else
            snprintf(out, (size_t)size, "%.15s", (const char*)&KeyNameTable[index][1]);
    }
}

void ClearBindings() {
    for (int k = 0; k < 11; k++) {
        const TextSlot& slot = TextSlotTable[SLOT_BINDING_NAMES + k];
        char blanks[64];
        const int n = slot.length < sizeof blanks - 1 ? (int)slot.length : (int)sizeof blanks - 1;
        memset(blanks, ' ', (size_t)n);
        blanks[n] = 0;
        SetSlotText(SLOT_BINDING_NAMES + k, blanks);
        ControlBindings[CurrentSet()][k] = {0, 0, -1};
    }
}

int ScanBindingInput(int* isJoystick) {
    const int set = CurrentSet();
    if ((set == 1 || set == 3) && JoystickActive == 1) {
        const int mask = JoystickPoll() & 0xFFFF;
        if (mask != 0 && (mask & (mask - 1)) == 0) {
            const int n = __builtin_ctz((unsigned)mask);
            LastButton = n;
            const int counts = ButtonReleased[n];
            ButtonReleased[n] = 0;
            if (counts) {
                *isJoystick = 1;
                return mask;
            }
            return -1;
        }
        ButtonReleased[LastButton] = mask == 0 ? 1 : 0;
    }
    *isJoystick = 0;
    for (int row = 0; row < KEY_NAME_ROWS; row++) {
        const unsigned char state = KeyState[KeyNameTable[row][0]];
        const int counts = state == 0x80 && KeyReleased[row] == 1;
        KeyReleased[row] = state == 0 ? 1 : 0;
        if (counts)
            return row;
    }
    return -1;
}

// While a capture runs, the action it waits for is named in yellow with a
// "?" for its key, and the prompt under the joystick's line asks for it;
// once the eleventh is taken every name is plain again and the prompt goes.
void ShowWaitingAction() {
    const int waiting = BindingCapture == 1 && BindingAction >= 0 && BindingAction < 11 ? BindingAction : -1;
    for (int k = 0; k < 11; k++)
        SetItemColours(8, ActionNameLine(k), k == waiting ? 5 : 3, 0);
    if (waiting == -1) {
        HideItem(8, 55);
        return;
    }
    SetSlotText(SLOT_BINDING_NAMES + waiting, "?");
    ShowItem(8, 55);
}

void CaptureBinding() {
    TypedChar = 0;
    if (BindingAction < 0 || BindingAction > 10) {
        BindingCapture = 0;
        MenuPointerShown = 1;
        return;
    }
    int isJoystick = 0;
    const int r = ScanBindingInput(&isJoystick);
    if (r == -1)
        return;
    KeyBinding binding;
    char name[24];
    if (isJoystick) {
        if (r <= 0 || r > 0x8000 || (r & (r - 1)) != 0)
            return;
        const int n = __builtin_ctz((unsigned)r);
        binding = {r, 1, n};
        BindingName(1, n, name, (int)sizeof name);
    } else {
        binding = {KeyNameTable[r][0], 0, r};
        BindingName(0, r, name, (int)sizeof name);
    }
    SetSlotText(SLOT_BINDING_NAMES + BindingAction, name);
    for (int k = 0; k < 11; k++)
        SetItemColours(8, BindingLine(k), 4, 4);
    KeyBinding* set = ControlBindings[CurrentSet()];
    for (int k = 0; k < 11; k++) {
        // A key and a joystick input may share a code: both are compared.
        if (set[k].nameIndex != -1 && set[k].code == binding.code && set[k].isJoystick == binding.isJoystick) {
            PlayErrorSound();
            SetItemColours(8, BindingLine(BindingAction), 9, 9);
            SetItemColours(8, BindingLine(k), 9, 9);
            return;
        }
    }
    PlayKeySound(1);
    set[BindingAction] = binding;
    if (++BindingAction == 11) {
        BindingCapture = 0;
        MenuPointerShown = 1;
    }
    ShowWaitingAction();
}

void RefreshControls() {
    const int s = CurrentSet();
    for (int k = 0; k < 11; k++) {
        const KeyBinding& b = ControlBindings[s][k];
        char name[24] = "-";
        if (b.nameIndex != -1)
            BindingName(b.isJoystick == 1, b.nameIndex, name, (int)sizeof name);
        SetSlotText(SLOT_BINDING_NAMES + k, name);
    }
    if (s == 1 || s == 3) {
        JoystickDeadzone = 2500;
        if (JoystickActive == 1)
            JoystickRelease();
        JoystickActive = JoystickInit(AppInstance, MainWindow) ? 1 : 0;
    }
    const int level = SettingsImage.forceFeedbackLevel;
    ForceFeedbackLevel = level >= 0 && level <= 2 ? level : 0;
    for (int player = 0; player < 2; player++) {
        const int mark = player == 0 ? 21 : 25;
        if (SettingsInts[player] == 1) {
            HideItem(8, mark);
            ShowItem(8, mark + 1);
            JoystickChosen = 1;
        } else {
            ShowItem(8, mark);
            HideItem(8, mark + 1);
            JoystickChosen = 0;
        }
    }
    GetText(SLOT_FORCE_LEVELS + ForceFeedbackLevel);
    SetSlotText(SLOT_FORCE_NAME, TextBufferB);
}

void ApplyDeviceChoice(int player) {
    player = player == 1 ? 1 : 0;
    SettingsInts[8] = player;
    SettingsInts[player] = ItemShown(8, player == 0 ? 22 : 26) ? 1 : 0;
    // One joystick: the other player goes back to the keyboard.
    if (SettingsInts[player] == 1 && SettingsInts[1 - player] == 1)
        SettingsInts[1 - player] = 0;
    RefreshControls();
    JoystickChosen = SettingsInts[player];
    ShowItem(8, 57);
    if (JoystickChosen == 1 && ForceFeedbackPresent) {
        ItemAt(8, 57).flags |= MENU_SLIDE_IN;
        ItemAt(8, 57).flags &= ~MENU_SLIDE_OUT;
    } else {
        ItemAt(8, 57).flags &= ~MENU_SLIDE_IN;
        ItemAt(8, 57).flags |= MENU_SLIDE_OUT;
    }
}

void SelectConfiguredPlayer(int player) {
    player = player == 1 ? 1 : 0;
    SettingsInts[8] = player;
    const int joystick = ItemShown(8, player == 0 ? 22 : 26) && JoystickActive == 1;
    JoystickChosen = joystick;
    SettingsInts[player] = joystick;
    RefreshControls();
}
