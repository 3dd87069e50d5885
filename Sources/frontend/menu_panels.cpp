// Menu panels: each brings one panel of a menu screen up to date from the
// game's state through item flags and text slots.

#include "frontend/menu_panels.h"

#include <cstdio>
#include <cstring>

#include "frame/frame_state.h"
#include "frontend/championship.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_actions.h"
#include "frontend/menu_items.h"
#include "frontend/race_select.h"
#include "frontend/screen_setup.h"
#include "frontend/text_slots.h"
#include "net/net_state.h"
#include "race/race_state.h"
#include "platform/plat_system.h"
#include "render/render_state.h"
#include "sound/music.h"
#include "sound/sound_session.h"
#include "sound/sound_state.h"

int RecordPanelCode;
int RecordPanelShown;
int NoticeTicks;
int VerdictKind, BuyAllowed, CarOwned, NeededWins, SceneOptionFlag;

const int CupOfCategory[5] = {2, 0, 1, 4, 3};
const int CarWinsTable[20][4] = {
    {1, 1, 3, 5}, {2, 2, 4, 5}, {2, 3, 4, 5}, {3, 5, 1, 1}, {2, 5, 1, 1}, {3, 3, 4, 5}, {2, 3, 4, 5},
    {1, 4, 1, 1}, {1, 1, 3, 4}, {3, 3, 3, 3}, {2, 5, 1, 1}, {2, 3, 4, 5}, {1, 1, 2, 3}, {3, 5, 1, 1},
    {2, 2, 4, 5}, {1, 4, 1, 1}, {5, 5, 5, 5}, {5, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1},
};

namespace {

enum { COLOUR_PLAIN = 3, COLOUR_PLAIN_HOVER = 4, COLOUR_CHOSEN = 5 };

// Shows the first list and hides the second when `first`, else the other
// way round (lists end with 0).
void ShowForm(int screen, int first, const int* formA, const int* formB) {
    for (const int* p = formA; *p; p++)
        first ? ShowItem(screen, *p) : HideItem(screen, *p);
    for (const int* p = formB; *p; p++)
        first ? HideItem(screen, *p) : ShowItem(screen, *p);
}

void SetNumberSlot(int slot, const char* format, int value) {
    char text[16];
    snprintf(text, sizeof text, format, value);
    SetSlotText(slot, text);
}

// A text into a slot with the length 1 the number texts keep.
void SetShortSlot(int slot, const char* text) {
    PutText(slot, text);
    SetTextLength(slot, 1);
}

void SoundOptionMarks(int effects, int music, int number, int stereo, int atStart) {
    (void)effects;
    (void)music;
    SetNumberSlot(650, "%02d", number);
    if (stereo == 0) {
        StereoSign = -1;
        ShowItem(7, 18);
        HideItem(7, 19);
    } else {
        StereoSign = 1;
        ShowItem(7, 19);
        HideItem(7, 18);
    }
    const int musicLevel = VisualSettings[VISUAL_MUSIC_LEVEL];
    const int effectsLevel = VisualSettings[VISUAL_EFFECTS_LEVEL];
    ItemAt(7, 27).value = (int8_t)musicLevel;
    CareerRecord.musicLevel = musicLevel;
    ItemAt(7, 23).value = (int8_t)effectsLevel;
    CareerRecord.effectsLevel = effectsLevel;
    EffectsLevel = effectsLevel;
    if (atStart)
        InitSoundMixer();
    if (!SoundUnavailable)
        SoundOn = EffectsLevel != 0 ? 1 : 0;
    if (musicLevel != 0) {
        if (atStart && MixerOpen == 1)
            PlayTrackMusic(0);
        MusicEnabled = 1;
    } else {
        MusicEnabled = 0;
    }
    SetMusicVolume(musicLevel);
    if (atStart)
        HeatLimit[0] = VisualSettings[VISUAL_HEAT_LIMIT];
    if (atStart && VisualSettings[VISUAL_HEAT_LIMIT] == 0) {
        // The two heat texts change places.
        char first[TEXT_BUFFER_SIZE];
        GetText(328);
        memcpy(first, TextBufferB, sizeof first);
        GetText(329);
        PutText(328, TextBufferB);
        PutText(329, first);
    }
}

// A record time as the panel shows it: seconds and hundredths for the
// jump events (codes 40..49), else minutes, seconds and hundredths.
void RecordTimeText(int code, const RecordTime& t, char* out, int size) {
    if (code / 10 == 4)
        snprintf(out, (size_t)size, "%02d.%02d", t.seconds, t.hundredths);
    else
        snprintf(out, (size_t)size, "%02d:%02d:%02d", t.minutes, t.seconds, t.hundredths);
}

// A holder's name or date field (ended by NUL or not), or the blank mark.
void RecordFieldText(int slot, const char* field, int most, const char* blank) {
    char text[32];
    const int length = (int)strnlen(field, (size_t)most);
    memcpy(text, field, (size_t)length);
    text[length] = 0;
    SetSlotText(slot, length ? text : blank);
}

void FillRecordPanel(int code, const RecordTime* times, char (*names)[RECORD_NAME_BYTES],
                     char (*dates)[RECORD_DATE_BYTES]) {
    RecordPanelShown = 1;
    if (code < 0 || code >= RECORD_TRACK_CODES) {
        SetSlotText(782, " ");
        SetSlotText(780, "---");
        SetSlotText(783, "?");
        return;
    }
    char text[32];
    RecordTimeText(code, times[code], text, sizeof text);
    SetSlotText(782, text);
    RecordFieldText(780, names[code], 19, "---");
    RecordFieldText(783, dates[code], RECORD_DATE_BYTES - 1, "?");
}

void SetFlagsOf(int screen, int item, uint32_t on, uint32_t off) {
    MenuItem& it = ItemAt(screen, item);
    it.flags = (it.flags | on) & ~off;
}

// A shop button: enabled (refreshed, its hot spot tested) or disabled.
void ShopButton(int button, int hotSpot, int enabled) {
    if (enabled) {
        SetFlagsOf(19, button, MENU_SLIDE_IN, MENU_SLIDE_OUT);
        SetFlagsOf(19, hotSpot, MENU_HOVER_TEST, 0);
    } else {
        SetFlagsOf(19, hotSpot, 0, MENU_HOVER_TEST);
        SetFlagsOf(19, button, MENU_SLIDE_OUT, MENU_SLIDE_IN);
    }
}

int ShowroomCarOwned() {
    for (int category = 0; category < 5; category++) {
        const int row = category * 5 + GarageMode;
        if (row < 0 || row >= 25)
            continue;
        for (int j = 0; j < 15; j++) {
            const int entry = GaragePage + j;
            if (entry < 0 || entry >= 15)
                break;
            if (GarageLists[row][entry][0] == ShowroomModel && GarageLists[row][entry][1] == ShowroomColour)
                return 1;
        }
    }
    return 0;
}

int CupWins() {
    if (GarageCategory < 0 || GarageCategory > 4)
        return 0;
    const CupRow& cup = CareerRecord.cups[CupOfCategory[GarageCategory]];
    int sum = 0;
    for (int race = 0; race < 5; race++)
        sum += cup.won[race];
    return sum;
}

}  // namespace

void SetOptionToggles(int a, int b, int c, int d, int e, int kind) {
    static const int a1[] = {26, 46, 0}, a2[] = {28, 0};
    static const int b1[] = {29, 0}, b2[] = {30, 43, 0};
    static const int c1[] = {35, 0}, c2[] = {36, 45, 0};
    static const int d1[] = {39, 0}, d2[] = {40, 49, 0};
    static const int e1[] = {37, 48, 0}, e2[] = {38, 0};
    ShowForm(6, a == 1, a1, a2);
    ShowForm(6, b == 1, b1, b2);
    ShowForm(6, c == 1, c1, c2);
    ShowForm(6, d == 2, d1, d2);
    ShowForm(6, e == 1, e1, e2);
    if (kind >= 0 && kind <= 2) {
        for (int k = 0; k < 3; k++)
            k == kind ? ShowItem(6, 23 + k) : HideItem(6, 23 + k);
    }
}

void ApplySoundOptionsAtStart(int effects, int music, int number, int stereo) {
    SoundOptionMarks(effects, music, number, stereo, 1);
}

void ApplySoundOptions(int effects, int music, int number, int stereo) {
    SoundOptionMarks(effects, music, number, stereo, 0);
}

void ShowRecordPanel(int screen, int code) {
    RecordPanelCode = code;
    RecordPanelShown = 0;
    PlayClickSound();
    const int heading = RecordsAltHeading == 1 ? 451 : 954;
    if (screen == 1)
        ItemAt(1, 30).textSlot = (int16_t)heading;
    else if (screen == 13)
        ItemAt(13, 28).textSlot = (int16_t)heading;
    if (ItemShown(screen, 20))
        FillRecordPanel(code, BestLapTimes, LapRecordNames, LapRecordDates);
    if (ItemShown(screen, 21))
        FillRecordPanel(code, BestRaceTimes, RaceRecordNames, RaceRecordDates);
    if (screen == 1 || screen == 14)
        ShowItems(screen, 32, 34);
    else if (screen == 13)
        ShowItems(screen, 30, 32);
}

void HighlightRecordChoice(int screen, int item, int clearOnly) {
    const int wide = screen == 1 || screen == 14;
    if (clearOnly) {
        for (int i = 22; i <= 26; i++)
            SetItemColours(screen, i, COLOUR_PLAIN, COLOUR_PLAIN_HOVER);
        if (wide) {
            for (int i = 35; i <= 41; i++)
                SetItemColours(screen, i, COLOUR_PLAIN, COLOUR_PLAIN_HOVER);
        }
        return;
    }
    if (screen != 1 && screen != 13 && screen != 14)
        return;
    for (int i = 22; i <= 26; i++)
        SetItemColours(screen, i, COLOUR_PLAIN, COLOUR_PLAIN_HOVER);
    if (screen == 14) {
        for (int i = 35; i <= 41; i++)
            SetItemColours(screen, i, COLOUR_PLAIN, COLOUR_PLAIN_HOVER);
    }
    SetItemColours(screen, item, COLOUR_CHOSEN, COLOUR_CHOSEN);
}

// A list row's normal and hover colour, bytes 25 and 26 after its name.
static void SetRowColours(int row, int normal, int hover) {
    FileListRow[row][25] = (char)normal;
    FileListRow[row][26] = (char)hover;
}

void FillChampionshipList() {
    for (auto& row : FileListRow)
        memset(row, 0, sizeof row);
    const int list = MenuListId >= 0 && MenuListId < MENU_LISTS ? MenuListId : 0;
    FileListCounts[list] = 0;
    for (int i = 0; i < 12 && i < FILE_LIST_ROWS; i++) {
        GetText(784 + ChampionshipGroupOffset + 2 * i);
        snprintf(FileListRow[i], sizeof FileListRow[i], "%.24s", TextBufferB);
        SetRowColours(i, COLOUR_PLAIN, COLOUR_PLAIN_HOVER);
        FileListCounts[list]++;
        ShowChampionshipRaceList();
    }
    const int row = ListSelection[list] + ChampionshipGroupOffset;
    ChampionshipClass = ChampionshipRaceClass(row, 0);
    if (ListSelection[list] >= 0 && ListSelection[list] < 12)
        SetRowColours(ListSelection[list], COLOUR_CHOSEN, COLOUR_CHOSEN);
}

void ShowChampionshipInfo(const char* name, int value) {
    SetSlotText(297, name && name[0] ? name : " ");
    const int chosen = ListSelection[7];
    const int description = 785 + ChampionshipGroupOffset + 2 * chosen;
    if (chosen >= 0 && chosen < 12 && description >= 0 && description < TEXT_SLOT_COUNT) {
        GetText(description);
        PutText(777, TextBufferB);
        SetTextLength(777, (int)TextSlotTable[description].length);
    } else {
        SetSlotText(777, " ");
    }
    char number[16];
    if (NetworkGame == 1) {
        snprintf(number, sizeof number, "%d", value);
        SetShortSlot(313, number);
    }
    if (value == -1) {
        for (int slot : {313, 298, 776, 299})
            SetShortSlot(slot, " ");
        return;
    }
    snprintf(number, sizeof number, "%d", value);
    SetShortSlot(313, number);
    SetShortSlot(298, number);
    ChampionshipLastIndex = ChampionshipLastRace(chosen + ChampionshipGroupOffset);
    snprintf(number, sizeof number, "%d", ChampionshipLastIndex + 1);
    SetShortSlot(776, number);
    snprintf(number, sizeof number, "%d", (int)NetPlayerCount);
    SetShortSlot(299, number);
}

void ShowShopVerdict() {
    const int owned = ShowroomCarOwned();
    const int model = ShowroomModel, colour = ShowroomColour;
    NeededWins = model >= 0 && model < 20 && colour >= 0 && colour < 4 ? CarWinsTable[model][colour] : 0;
    const int locked = !owned && CupWins() + 2 < NeededWins && DeveloperSwitch != 1;
    DayCarArt = 1;
    SceneOptionFlag = VisualSettings[2];
    int picture, raceItems = 1;
    if (owned) {
        VerdictKind = 0;
        BuyAllowed = 0;
        CarOwned = 1;
        picture = 530;
    } else if (locked) {
        VerdictKind = 2;
        BuyAllowed = 0;
        CarOwned = 0;
        DayCarArt = 0;
        SceneOptionFlag = 0;
        raceItems = 0;
        picture = 532;
    } else {
        VerdictKind = 1;
        BuyAllowed = 1;
        CarOwned = 0;
        picture = 531;
    }
    GetText(406 + VerdictKind);
    PutText(409, TextBufferB);
    SetTextLength(409, (int)TextSlotTable[406 + VerdictKind].length);
    ShopButton(14, 39, BuyAllowed);
    ShopButton(15, 40, CarOwned);
    if (raceItems) {
        ShowItems(19, 73, 77);
        HideItem(19, 84);
    } else {
        HideItems(19, 73, 77);
        ShowItem(19, 84);
    }
    HideItem(19, 81);
    ItemAt(19, 81).firstPicture = (int16_t)picture;
    ShowItem(19, 81);
}

void ShowSpecialRaceButton() {
    if (CareerRecord.specialRace == 0)
        return;
    ItemAt(3, 164).flags |= MENU_SLIDE_IN | MENU_SHOWN | MENU_HOVER_SOUND;
    ItemAt(3, 165).flags |= MENU_SHOWN | MENU_HOVER_SOUND;
}

// The single race screen's track-group buttons: the group whose race is
// the one set up stands on the lit frame with its name in dark print, and
// lights no further under the pointer.  The buttons that play a demo
// (17 to 19) set no race up to go back to, so none of them is chosen.
void ShowChosenTrackGroup() {
    static const int labels[5] = {41, 42, 44, 43, 45};   // the name on each button
    for (int k = 0; k < 5; k++) {
        MenuItem& button = ItemAt(2, 15 + k);
        const int chosen = 15 + k < 17 && TrackCode == CareerTrackCode(k, 4);
        button.firstPicture = button.currentPicture = (int16_t)(chosen ? 61 : 60);
        if (chosen)
            button.flags &= ~MENU_HOVER_SOUND;
        else
            button.flags |= MENU_HOVER_SOUND;
        ItemAt(2, labels[k]).colour = (uint8_t)(chosen ? 0 : 4);
    }
}

void DisableLobbyItemA() { SetFlagsOf(11, 5, MENU_SLIDE_OUT, MENU_SLIDE_IN | MENU_HOVER_TEST); }
void DisableLobbyItemB() { SetFlagsOf(11, 6, MENU_SLIDE_OUT, MENU_SLIDE_IN | MENU_HOVER_TEST); }
void EnableLobbyItemA() { SetFlagsOf(11, 5, MENU_SLIDE_IN | MENU_HOVER_TEST, MENU_SLIDE_OUT); }

// The developer's key counter: J and K count two numbers on their presses
// (a key seen down after being up), H sets up screen 3 with them, O held
// clears both.  Nothing in the game calls it.
int CountKeysFirst, CountKeysSecond;
static unsigned char countKeysWasDown[3];

// The set-up of `screen` as entering it runs it (kind 1: its entry actions),
// at once; the two numbers go to the debug output for the developer.
static void SetUpScreenFromKeys(int screen, int kind, int first, int second) {
    ShowPageRoot(screen);
    MenuScreen = screen;
    RunScreenEntry(nullptr);
    // Entered now: the next menu frame does not enter it a second time.
    PreviousScreen = screen;
    char line[64];
    std::snprintf(line, sizeof line, "screen %d set up, kind %d: %d %d", screen, kind, first, second);
    PlatDebugOut(line);
}

void CountKeysToScreen() {
    enum { SCAN_H = 0x23, SCAN_J = 0x24, SCAN_K = 0x25, SCAN_O = 0x18 };
    static const int keys[3] = {SCAN_J, SCAN_K, SCAN_H};
    int pressed[3];
    for (int k = 0; k < 3; k++) {
        const int down = (KeyState[keys[k]] & 0x80) != 0;
        pressed[k] = down && !countKeysWasDown[k];
        countKeysWasDown[k] = (unsigned char)down;
    }
    CountKeysFirst += pressed[0];
    CountKeysSecond += pressed[1];
    if (pressed[2])
        SetUpScreenFromKeys(3, 1, CountKeysFirst, CountKeysSecond);
    if (KeyState[SCAN_O] & 0x80)
        CountKeysFirst = CountKeysSecond = 0;
}
