#include "frontend/menu_actions.h"

#include "frame/frame_state.h"
#include "frontend/car_choice.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_items.h"
#include "frontend/menu_links.h"
#include "frontend/menu_panels.h"
#include "frontend/popups.h"
#include "frontend/profiles.h"
#include "frontend/progress.h"
#include "sound/music.h"
#include "sound/sound_state.h"

void GoToScreen(int* screen, int target) {
    *screen = target;
    ShowPageRoot(target);
}

int CareerTrackCode(int cup, int race) {
    if (cup < 0 || cup >= 7 || race < 0 || race >= 5)
        return 0;
    return CareerRecord.cups[cup].group[race] * 10 + CareerRecord.cups[cup].variant[race];
}

int PointerOnItem(int screen, int item) {
    const MenuItem& it = ItemAt(screen, item);
    const float parentX = ItemAt(screen, it.parent).screenX;
    return MouseX >= it.hitLeft && MouseX <= it.hitRight && MouseY >= it.hitTop && MouseY <= it.hitBottom &&
           parentX >= 0.0f && parentX <= 640.0f;
}

// The first visit of the career, single race and championship screens in
// a run opens their welcome pop-up.
static void FirstVisitPopup(int screen) {
    int* prepared = screen == 3 ? &CareerScreenPrepared : screen == 2 ? &SingleRaceScreenPrepared
                                : screen == 22                ? &ChampionshipScreenPrepared
                                                              : nullptr;
    if (prepared && !*prepared) {
        ShowPopup(screen, 0, 0, 0);
        *prepared = 1;
    }
}

// The career screen's cup buttons sound once as the pointer reaches each.
static void CareerHover(int item, int under) {
    if (item < 15 || item > 21)
        return;
    if (under) {
        if (item != CareerHoverItem) {
            PlayMenuSound();
            CareerHoverItem = item;
        }
        if (item == 21 && MenuStateWord) {
            NewBonusNotice = 0;
            NewBonusBlinkStarted = 0;
            ThawItem(3, 28);
        }
    } else if (item == CareerHoverItem) {
        CareerHoverItem = -1;
    }
}

// The six display options as the screen shows them.
static void ReadDisplayOptions() {
    unsigned char* v = VisualSettings;
    for (int k = 0; k < 3; k++) {
        if (ItemShown(6, 23 + k)) {
            v[VISUAL_DISPLAY_CHOICE] = (unsigned char)k;
            break;
        }
    }
    v[VISUAL_EFFECTS_ENABLED] = (unsigned char)ItemShown(6, 26);
    v[VISUAL_EFFECTS_OPTION] = (unsigned char)ItemShown(6, 29);
    v[VISUAL_SKY_OPTION] = (unsigned char)ItemShown(6, 35);
    v[VISUAL_OPTION_4] = (unsigned char)ItemShown(6, 37);
    v[VISUAL_TEXTURE_FILTER] = ItemShown(6, 39) ? 2 : 1;
}

// The sound options as the screen shows them; item 18 shown is reversed
// stereo.
static void ReadSoundOptions() {
    VisualSettings[VISUAL_EFFECTS_LEVEL] = (unsigned char)CareerRecord.effectsLevel;
    VisualSettings[VISUAL_MUSIC_LEVEL] = (unsigned char)CareerRecord.musicLevel;
    VisualSettings[VISUAL_MUSIC_NUMBER] = (unsigned char)(CareerRecord.musicNumber & 0xff);
    const int reversed = ItemShown(7, 18);
    StereoSign = reversed ? -1 : 1;
    VisualSettings[VISUAL_STEREO] = reversed ? 0 : 1;
}

// Records through the profile screen: the screen loses its ordinary
// buttons and shows the records' picture.
static void RecordsViaProfileScreen(int item) {
    static const int buttons[6] = {7, 8, 11, 12, 15, 16};
    if (item == 47 || item == 48 || item == 50) {
        RecordsViaProfiles = 1;
        RecordsScreenAfterLogin = item == 47 ? 13 : item == 48 ? 14 : 1;
        for (int b : buttons)
            HideItem(18, b);
        MenuItem& picture = ItemAt(18, 4);
        picture.firstPicture = 451;
        picture.currentPicture = 451;
        picture.extraFrames = 19;
    } else {
        RecordsViaProfiles = 0;
        for (int b : buttons)
            ShowItem(18, b);
        ThawItem(18, 15);
        ThawItem(18, 16);
    }
}

// What every processed item of a screen keeps up to date, clicked or not.
static void ScreenBookkeeping(int screen, int item) {
    switch (screen) {
    case 3: {
        const int level = CountUnlockLevels();
        if (level != CareerRecord.unlockLevel) {
            CareerRecord.unlockLevel = (uint8_t)level;
            NewUnlockNotice = 1;
        }
        break;
    }
    case 0: RecordsViaProfileScreen(item); break;
    case 6: ReadDisplayOptions(); break;
    case 7:
        if (!MixerFailed)
            ReadSoundOptions();
        break;
    case 19: ShowShopVerdict(); break;
    case 9: MenuScreenTable[11][5].flags |= MENU_SLIDE_IN; break;
    default: break;
    }
}

static int ScreenAction(int* screen, int item, int* activated, void* device) {
    switch (*screen) {
    case 0: return MainMenuAction(screen, item);
    case 2: return SingleRaceAction(screen, item);
    case 3: return CareerAction(screen, item);
    case 5: return CarChoiceAction(screen, item, device);
    case 19: return CarShopAction(screen, item, device);
    case 6: return DisplayOptionsAction(screen, item);
    case 7: return SoundOptionsAction(screen, item);
    case 8: return ControlsAction(screen, item, activated);
    case 9: return SessionsAction(screen, item);
    case 10: case 17: return ChampionshipListAction(screen, item);
    case 11: return LobbyAction(screen, item);
    case 12: return PlayerSetUpAction(screen, item);
    case 1: case 13: case 14: return RecordsAction(screen, item);
    case 15: return ReplaysAction(screen, item);
    case 18: return ProfileScreenAction(screen, item);
    case 20: return LoadSlotAction(screen, item, activated);
    case 21: return SaveSlotAction(screen, item);
    case 22: return ChampionshipAction(screen, item);
    default: return 0;
    }
}

void OnMenuItem(int* screen, int item, int, int* activated, int* scrollDown, int* scrollUp, void* device) {
    *activated = 0;
    ItemHovered = 0;
    if (PendingScreen != 0) {
        const int pending = PendingScreen;
        PendingScreen = 0;
        // A screen outside the built-in layout is never taken.
        if (pending >= 1 && pending < MENU_LAYOUT_SCREENS) {
            GoToScreen(screen, pending);
            return;
        }
    }
    const int s = *screen;
    if (s < 0 || s >= MENU_SCREENS || item < 0 || item >= MENU_ITEM_COUNT)
        return;
    FirstVisitPopup(s);
    const MenuItem& it = MenuScreenTable[s][item];
    if (!(it.flags & MENU_HOVER_TEST))
        return;
    ParentItem = it.parent;
    const int under = PointerOnItem(s, item);
    if (under) {
        *activated = MenuStateWord;
        if (it.flags & MENU_HOVER_SOUND)
            ItemHovered = 1;
    }
    if (s == 3)
        CareerHover(item, under);
    ScreenBookkeeping(s, item);
    if (*activated != 1)
        return;
    if (ScreenAction(screen, item, activated, device))
        return;
    const uint32_t flags = MenuScreenTable[s][item].flags;
    *scrollDown = (flags & MENU_SCROLL_DOWN) ? 1 : 0;
    *scrollUp = (flags & MENU_SCROLL_UP) ? 1 : 0;
    if (*scrollDown || *scrollUp) {
        PlayClickSound();
        if (s == 7 && (item == 28 || item == 29) && !MixerFailed)
            ShowTimedNotice(1);
    }
    RunItemLinks(screen, s, item, activated);
}
