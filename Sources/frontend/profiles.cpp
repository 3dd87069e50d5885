#include "frontend/profiles.h"

#include <cstdio>
#include <cstring>

#include "frame/display.h"
#include "frame/fileio.h"
#include "frame/frame_state.h"
#include "frame/utils.h"
#include "frontend/career.h"
#include "frontend/career_file.h"
#include "frontend/championship.h"
#include "frontend/file_lists.h"
#include "frontend/file_names.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_init.h"
#include "frontend/menu_items.h"
#include "frontend/popups.h"
#include "frontend/progress.h"
#include "frontend/records.h"
#include "frontend/text_entry.h"
#include "frontend/text_slots.h"
#include "platform/plat_file.h"
#include "race/race_state.h"
#include "sound/music.h"

const char SpecialProfileNames[SPECIAL_PROFILE_NAMES][16] = {
    "-kiro", "-sarpo1", "-sarpo2", "-sarpo3", "-sarpo4", "-mundi", "-gavrel", "-plonka", "-tessolink", "--qzv",
};

enum { SLOT_EMPTY_SLOT = 613 };

int ProfileLoggedIn() {
    char path[64];
    return CurrentPlayerName[0] && ProfilePath(CurrentPlayerName, path, (int)sizeof path) && QueryFileSize(path);
}

// The profile's file is read and its last slot selected (1 when it has one).
static int SelectLastSlot(int* read) {
    *read = CurrentPlayerName[0] && ReadProfileFile(CurrentPlayerName);
    if (!*read || PlayerProfile[0] == 0xFF)
        return 0;
    ListSelection[1] = PlayerProfile[0] - 1;
    return 1;
}

// A new career for the current profile: it is the profile's own from the
// start, so the main menu keeps it until it is saved.
static void NewCareerOfPlayer(int profileRead) {
    ResetCareer();
    if (profileRead)
        std::snprintf(CareerOwner, sizeof CareerOwner, "%s", CurrentPlayerName);
}

void TakeProfileCareer() {
    if (CareerOfPlayer())
        return;
    int read = 0;
    if (SelectLastSlot(&read) && LoadCareerSlot())
        return;
    NewCareerOfPlayer(read);
}

int ProfileLogin() {
    PlayClickSound();
    int read = 0;
    const int slot = SelectLastSlot(&read);
    // The log-in loads the last slot saved; a slot that fails its checks
    // starts a new career, and so does a profile with no slot saved, unless
    // the career in memory is its own: another profile's never follows the
    // log-in.
    if (!ChampionshipChosen && !(slot && LoadCareerSlot()) && (slot || !CareerOfPlayer()))
        NewCareerOfPlayer(read);
    PendingScreen = ChampionshipChosen ? 22 : NetworkChosen ? 9 : SingleRaceMode ? 2 : 3;
    return read;
}

// Removes what a failed creation made.
static void RemoveProfile(const char* name) {
    char path[64];
    std::snprintf(path, sizeof path, "USERS\\%s", name);
    DeleteDirectoryTree(path);
    std::snprintf(path, sizeof path, "USERS\\%s.usr", name);
    PlatDeleteFile(path);
}

int CreateProfileFiles(const char* name) {
    char path[64];
    if (!FileNameSafe(name, PROFILE_NAME_TYPED))
        return 0;
    PlatMakeDir("USERS");
    std::snprintf(path, sizeof path, "USERS\\%s", name);
    char kept[24];
    memcpy(kept, CurrentPlayerName, sizeof kept);
    snprintf(CurrentPlayerName, sizeof CurrentPlayerName, "%s", name);
    int ok = PlatMakeDir(path);
    ResetCareer();
    GetText(SLOT_EMPTY_SLOT);
    memset(CareerRecord.description, 0, sizeof CareerRecord.description);
    snprintf(CareerRecord.description, sizeof CareerRecord.description, "%.31s", TextBufferB);
    memset(CareerRecord.playerName, 0, sizeof CareerRecord.playerName);
    CareerRecord.saveCount = 0;
    for (int slot = 1; ok && slot <= 12; slot++)
        ok = WriteCareerSlot(slot, CareerRecord);
    SaveChampionship();   // the championship file is written by its own code once it exists
    if (ok) {
        LoadDefaultRecords();
        ok = SaveRecords();
    }
    if (ok) {
        memset(PlayerProfile, 0xFF, sizeof PlayerProfile);
        std::snprintf(path, sizeof path, "USERS\\%s.usr", name);
        ok = WriteWholeFile(path, (int)sizeof PlayerProfile, PlayerProfile);
    }
    if (!ok) {
        RemoveProfile(name);
        memcpy(CurrentPlayerName, kept, sizeof kept);
    }
    return ok;
}

static void SpecialNameEffect(int word) {
    switch (word) {
    case 0:
        HiddenRaceRequest = 1;
        StartRaceRequest = 1;
        PendingScreen = 18;
        RacePhase = 0;
        break;
    case 1: case 2: case 3: case 4: {
        static const int videos[4] = {0, 1, 3, 2};
        VideoRequest = videos[word - 1];
        PendingScreen = 18;
        ReinitDisplayAndMenus();
        break;
    }
    case 5:
        TargetMoney = 999999;
        PlayPointsSound(0);
        break;
    case 6:
        DeveloperSwitch = 1;
        PlayBonusSound();
        break;
    case 7:
        ScreenshotsEnabled ^= 1;
        PlayBonusSound();
        break;
    case 8:
        Wireframe ^= 1;
        WireframeKeyArmed = 1;
        PlayBonusSound();
        break;
    case 9:
        FpsDisplay ^= 1;
        PlayBonusSound();
        break;
    }
}

static void AddProfileRow(const char* name) {
    char listed[40];
    std::snprintf(listed, sizeof listed, "%.30s.SOS", name);
    const int old = ListSelection[0];
    AddFileRow(listed, "USERS\\*");
    if (old >= 0 && old < FILE_LIST_ROWS) {
        FileListRow[old][25] = 3;
        FileListRow[old][26] = 4;
    }
    const int row = FileListCounts[0] - 1;
    if (row >= 0) {
        ListSelection[0] = row;
        FileListRow[row][25] = FileListRow[row][26] = 5;
    }
}

int CommitProfileName() {
    char name[64];
    GetText(SLOT_NEW_PROFILE);
    std::snprintf(name, sizeof name, "%.40s", TextBufferB);
    for (int word = 0; word < SPECIAL_PROFILE_NAMES; word++) {
        if (strcmp(name, SpecialProfileNames[word]) == 0) {
            SpecialNameEffect(word);
            return 1;
        }
    }
    char path[64];
    if (!FileNameSafe(name, PROFILE_NAME_TYPED)) {
        PlayErrorSound();
        return 1;
    }
    std::snprintf(path, sizeof path, "USERS\\%.40s.usr", name);
    if (QueryFileSize(path)) {
        ShowPopup(18, 2, 0, 0);
        PlayErrorSound();
        return 1;
    }
    if (!CreateProfileFiles(name)) {
        PlayErrorSound();
        return 1;
    }
    memset(CareerRecord.playerName, 0, sizeof CareerRecord.playerName);
    memcpy(CareerRecord.playerName, CurrentPlayerName, sizeof CurrentPlayerName);
    SetSlotText(SLOT_PLAYER_NAMES, CurrentPlayerName);
    MenuListId = 0;
    AddProfileRow(name);
    ListSelection[1] = 0;
    LoadCareerSlot();
    return 0;
}

int CommitSaveSlot() {
    // The typed row on screen, and the list row (slot - 1) it shows.
    const int row = EditedRow >= 0 && EditedRow < 6 ? EditedRow : -1;
    const int listRow = row + ListTop[2];
    if (row < 0 || listRow < 0 || listRow >= 12 || !CurrentPlayerName[0])
        return 0;
    GetText(SLOT_SAVE_ROWS + row);
    if (!TextBufferB[0])
        return 0;
    static CareerRecordImage saved;
    saved = CareerRecord;
    memset(saved.description, 0, sizeof saved.description);
    std::snprintf(saved.description, sizeof saved.description, "%.15s", TextBufferB);
    memcpy(saved.tag, "V1.0", 4);
    saved.saveCount++;
    memset(saved.playerName, 0, sizeof saved.playerName);
    memcpy(saved.playerName, CurrentPlayerName, sizeof CurrentPlayerName);
    PackProgressInto(&saved);
    saved.money = (float)TargetMoney;
    if (!WriteCareerSlot(listRow + 1, saved)) {
        PlayErrorSound();
        return 0;
    }
    CareerRecord = saved;
    std::snprintf(CareerOwner, sizeof CareerOwner, "%s", CurrentPlayerName);
    std::snprintf(FileListRow[listRow], 25, "%.24s", saved.description);
    PlayerProfile[0] = (unsigned char)(listRow + 1);
    char path[64];
    if (ProfilePath(CurrentPlayerName, path, (int)sizeof path))
        WriteWholeFile(path, (int)sizeof PlayerProfile, PlayerProfile);
    PlayClickSound();
    ShowPopup(21, 0, 0, 0);
    return 1;
}

void StartProfileCreation() {
    ResetCareer();
    KeyboardJumpGate = 1;
    TypedCharCount = 0;
    TypedChar = 0;
    for (int item = 13; item <= 16; item++) {
        FreezeItem(18, item);
        SetItemColours(18, item, 3, 3);
    }
    ItemAt(18, 3).flags ^= MENU_SLIDE_IN | MENU_SLIDE_OUT;
    ItemAt(18, 18).flags ^= MENU_SLIDE_IN | MENU_SLIDE_OUT;
    ShowItem(18, 37);
}

static void CloseConfirmPanel() {
    HideItems(18, 32, 36);
    ThawItems(18, 13, 15);
    ThawItems(18, 21, 28);
}

// After a deletion the game is logged in to the profile now selected, with
// its own career (the deleted profile's career goes with it); with no
// profile left it is logged in to none, and the profile screen asks for a
// new one as it does when it opens on an empty list.
static void LogInAfterDeletion() {
    if (FileListCounts[0] <= 0) {
        CurrentPlayerName[0] = 0;
        SetSlotText(SLOT_PLAYER_NAMES, " ");
        ResetProfileScreen();
        SlideItemHome(18, 18);
        SlideItemAway(18, 3);
        return;
    }
    if (ChampionshipChosen)
        LoadChampionship();
    else
        TakeProfileCareer();
}

static void SelectedProfileName() {
    const int row = ListSelection[0];
    if (row >= 0 && row < FileListCounts[0])
        std::snprintf(CurrentPlayerName, sizeof CurrentPlayerName, "%.23s", FileListRow[row]);
    SetSlotText(SLOT_PLAYER_NAMES, CurrentPlayerName);
}

int ProfileScreenAction(int* screen, int item) {
    if (item != 15) {
        for (int i = 13; i <= 16; i++) {
            ThawItem(18, i);
            SetItemColours(18, i, 3, 4);
        }
    }
    const int profiles = FileListCounts[0];
    switch (item) {
    case 13:
        PlayClickSound();
        if (RecordsViaProfiles) {
            // The records shown are the selected profile's own.
            if (profiles > 0) {
                SelectedProfileName();
                LoadRecords();
            }
            *screen = RecordsScreenAfterLogin;
            return 1;
        }
        if (profiles <= 0) {
            ShowPopup(18, 3, 0, 0);
            return 1;
        }
        SelectedProfileName();
        if (ChampionshipChosen)
            LoadChampionship();
        LoadRecords();
        ProfileLogin();
        return 1;
    case 15:
        StartProfileCreation();
        PlayClickSound();
        return 1;
    case 16:
        if (profiles <= 0) {
            ShowPopup(18, 1, 0, 0);
            PlayErrorSound();
            return 1;
        }
        PlayClickSound();
        ShowPopup(18, 0, 0, 0);
        HideItem(18, 3);
        return 1;
    case 33:
        PlayClickSound();
        ShowItem(18, 3);
        SelectedProfileName();
        if (FileNameSafe(CurrentPlayerName, PROFILE_NAME_LISTED)) {
            std::snprintf(TextBufferA, sizeof TextBufferA, "USERS\\%s", CurrentPlayerName);
            DeleteProfileFiles(0);
        }
        CurrentPlayerName[0] = 0;
        SelectedProfileName();
        CloseConfirmPanel();
        LogInAfterDeletion();
        return 1;
    case 35:
        ShowItem(18, 3);
        CloseConfirmPanel();
        return 1;
    case 20:
        EntryConfirm = 1;
        return 1;
    case 38:
        PlayClickSound();
        HideItems(18, 32, 36);
        HideItem(18, 38);
        ThawItems(18, 13, 15);
        ThawItems(18, 21, 28);
        return 1;
    }
    return 0;
}
