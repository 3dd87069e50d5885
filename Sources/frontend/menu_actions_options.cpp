// Menu actions of the display, sound and controls screens.
#include "frame/frame_state.h"
#include "frontend/controls.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_actions.h"
#include "frontend/menu_items.h"
#include "frontend/menu_panels.h"
#include "frontend/popups.h"
#include "frontend/settings.h"
#include "frontend/text_slots.h"
#include "frontend/visual_settings.h"
#include "sound/music.h"
#include "sound/sound_state.h"

int DisplayOptionsAction(int*, int item) {
    unsigned char* v = VisualSettings;
    switch (item) {
    case 14:
        // The defaults; the item's links show the matching marks.
        v[VISUAL_EFFECTS_ENABLED] = 1;
        v[VISUAL_EFFECTS_OPTION] = 1;
        v[VISUAL_SKY_OPTION] = 1;
        v[VISUAL_TEXTURE_FILTER] = 2;
        v[VISUAL_OPTION_4] = 1;
        v[VISUAL_DISPLAY_CHOICE] = 0;
        ApplyDisplayVariables();
        break;
    case 12: WriteVisualSettings(); break;
    case 13:
        ReadVisualSettings();
        ApplyDisplayVariables();
        SetOptionToggles(v[1], v[2], v[3], v[5], v[4], v[0]);
        break;
    }
    return 0;
}

int SoundOptionsAction(int*, int item) {
    if (MixerFailed) {
        if (item == 32) {
            GiveBackPopupFreeze(7);
            ThawItem(7, 4);
            ThawItems(7, 12, 13);
            ThawItem(7, 15);
            ThawItem(7, 17);
            HideItems(7, 31, 34);
        }
        return 0;
    }
    switch (item) {
    case 14:
        ItemAt(7, 23).value = 3;
        ItemAt(7, 27).value = 5;
        break;
    case 12:
        PlayClickSound();
        WriteVisualSettings();
        break;
    case 13: {
        ReadVisualSettings();
        const unsigned char* v = VisualSettings;
        ApplySoundOptions(v[VISUAL_EFFECTS_LEVEL], v[VISUAL_MUSIC_LEVEL], CareerRecord.musicNumber, v[VISUAL_STEREO]);
        break;
    }
    }
    return 0;
}

// A player's device switches between keyboard and joystick: its two marks
// (21/22 for player 1, 25/26 for player 2) swap and the note says which.
static void SwapPlayerDevice(int player) {
    const int mark = player == 0 ? 21 : 25;
    ItemAt(8, 54).textSlot = (int16_t)(251 + player);
    ShowItem(8, 54);
    ItemAt(8, mark).flags ^= MENU_SHOWN;
    ItemAt(8, mark + 1).flags ^= MENU_SHOWN;
    PlayClickSound();
    ApplyDeviceChoice(player);
}

// Player 1's joystick mark is item 22, player 2's item 26.
static int JoystickMarkShown() { return ItemShown(8, 22) || ItemShown(8, 26); }

static void CloseControlsPanel() {
    HideItems(8, 50, 52);
    ItemAt(8, 52).textSlot = 1022;
    GiveBackPopupFreeze(8);
    ThawItems(8, 12, 14);
    ThawItems(8, 17, 22);
    ThawItems(8, 25, 26);
}

// Redefining a player's keys: refused with the pop-up while the player has
// the joystick chosen and no joystick is there.
static int StartRedefinition(int player, int* activated) {
    ItemAt(8, 54).textSlot = (int16_t)(player == 0 ? 251 : 252);
    if (!JoystickActive && ItemShown(8, player == 0 ? 22 : 26)) {
        ShowPopup(8, 0, 0, 0);
        return 0;
    }
    SelectConfiguredPlayer(player);
    PlayClickSound();
    ClearBindings();
    BindingCapture = 1;
    BindingAction = 0;
    ShowWaitingAction();
    MenuPointerShown = 0;
    MouseClick = 0;
    *activated = 0;
    return 1;
}

int ControlsAction(int* screen, int item, int* activated) {
    switch (item) {
    case 18: return StartRedefinition(0, activated);
    case 20: return StartRedefinition(1, activated);
    case 13:
        PlayClickSound();
        LoadSettings(0);
        RefreshControls();
        break;
    case 14:
        PlayClickSound();
        LoadSettings(1);
        RefreshControls();
        HideItem(8, 22);
        HideItem(8, 26);
        ShowItem(8, 21);
        ShowItem(8, 25);
        break;
    case 17: SwapPlayerDevice(0); break;
    case 19: SwapPlayerDevice(1); break;
    case 12:
        PlayClickSound();
        ShowItem(8, 53);
        ShowItem(8, 54);
        if (JoystickMarkShown()) {
            if (JoystickActive) {
                JoystickChosen = 1;
                GoToScreen(screen, 0);
                return 1;
            }
            ShowPopup(8, 0, 0, 0);
            return 0;
        }
        JoystickChosen = 0;
        GoToScreen(screen, 0);
        return 1;
    case 51:
        PlayClickSound();
        CloseControlsPanel();
        HideItem(8, 60);
        break;
    case 59: {
        PlayClickSound();
        ForceFeedbackLevel = (ForceFeedbackLevel + 1) % 3;
        if (ForceFeedbackLevel < 0)
            ForceFeedbackLevel = 0;
        GetText(392 + ForceFeedbackLevel);
        SetSlotText(395, TextBufferB);
        break;
    }
    }
    if (item == 13) {
        // Back: leaves only with the joystick question settled.
        ShowItem(8, 53);
        ShowItem(8, 54);
        if (JoystickMarkShown() && !JoystickActive) {
            ShowPopup(8, 0, 0, 0);
            return 0;
        }
        CloseControlsPanel();
        GoToScreen(screen, 0);
        return 1;
    }
    return 0;
}
