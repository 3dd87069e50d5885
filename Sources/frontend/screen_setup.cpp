#include "frontend/screen_setup.h"

#include <cstdio>
#include <cstring>

#include "frame/display.h"
#include "frame/frame_state.h"
#include "frame/sim_lock.h"
#include "frontend/car_choice.h"
#include "frontend/car_shop.h"
#include "frontend/career.h"
#include "frontend/championship.h"
#include "frontend/controls.h"
#include "frontend/file_lists.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_actions.h"
#include "frontend/menu_init.h"
#include "frontend/menu_items.h"
#include "frontend/menu_panels.h"
#include "frontend/popups.h"
#include "frontend/profiles.h"
#include "frontend/progress.h"
#include "frontend/race_select.h"
#include "frontend/records.h"
#include "frontend/replay_header.h"
#include "frontend/settings.h"
#include "frontend/text_entry.h"
#include "frontend/text_slots.h"
#include "net/lobby.h"
#include "net/net_state.h"
#include "net/session.h"
#include "race/race_state.h"
#include "render/model_sets.h"
#include "render/render_state.h"
#include "render/text_printer.h"
#include "render/textures.h"
#include "sound/music.h"
#include "sound/sound_control.h"
#include "sound/sound_state.h"

static const signed char kClassToCategory[8] = {1, 2, 0, 4, 3, 5, 6, -1};

int ClassToCategory(int carClass) {
    return carClass >= 0 && carClass < 8 ? kClassToCategory[carClass] : -1;
}

const signed char CategoryTabTables[5][2][15] = {
    {{54, 59, 64, 30, 35, 10, 31, 36, 11, 32, 37, 12, 33, 38, 13},
     {29, 34, 55, 60, 65, 56, 61, 66, 57, 62, 67, 58, 63, 68, 68}},
    {{55, 60, 65, 29, 34, 9, 31, 36, 11, 32, 37, 12, 33, 38, 13},
     {30, 35, 54, 59, 64, 56, 61, 66, 57, 62, 67, 58, 63, 68, 68}},
    {{56, 61, 66, 29, 34, 9, 30, 35, 10, 32, 37, 12, 33, 38, 13},
     {31, 36, 54, 59, 64, 55, 60, 65, 57, 62, 67, 58, 63, 68, 68}},
    {{57, 62, 67, 29, 34, 9, 30, 35, 10, 31, 36, 11, 33, 38, 13},
     {32, 37, 54, 59, 64, 55, 60, 65, 56, 61, 66, 58, 63, 68, 68}},
    {{58, 63, 68, 29, 34, 9, 30, 35, 10, 31, 36, 11, 32, 37, 12},
     {33, 38, 54, 59, 64, 55, 60, 65, 56, 61, 66, 57, 62, 67, 67}},
};

void ShowCategoryTabs(int screen, int category) {
    if (Cup6Mode != 0 || (SplitScreen && PlayerBeingSet == 1))
        return;
    if (category < 0 || category >= 5)
        return;
    for (int i = 0; i < 15; i++) {
        ShowItem(screen, CategoryTabTables[category][0][i]);
        HideItem(screen, CategoryTabTables[category][1][i]);
    }
}

void BestTimeDebugLines(char lines[3][32]) {
    const RecordTime& best = BestRaceTimes[0];
    const int values[3] = {best.minutes, best.seconds, best.hundredths};
    for (int i = 0; i < 3; i++)
        std::snprintf(lines[i], 32, "mejor_tiempo[0]:%d", values[i]);
}

void PrintBestTimeDebug() {
    char lines[3][32];
    BestTimeDebugLines(lines);
    for (int i = 0; i < 3; i++)
        PrintOnBackBuffer(10, 30 + 10 * i, lines[i], 3, ALIGN_LEFT);
}

void ShowCarTexts() {
    static const int screens[3] = {4, 5, 19};
    const int base = 1040 + 28 * ShowroomModel + 7 * ShowroomColour;
    const int name = 1614 + 4 * ShowroomModel + ShowroomColour;
    for (int screen : screens) {
        for (int i = 0; i < 6; i++) {
            if (base + i >= 0 && base + i < TEXT_SLOT_COUNT)
                ItemAt(screen, 73 + i).textSlot = (int16_t)(base + i);
        }
        if (name >= 0 && name < TEXT_SLOT_COUNT)
            ItemAt(screen, 46).textSlot = (int16_t)name;
    }
}

int SelectedSessionWord(int word) {
    if (word < 0 || word > 3)
        return 0;
    // The host's session is the one it hosts; its list holds other hosts'.
    if (Hosting)
        return SessionDesc.user[word];
    const int selected = ListSelection[6];
    std::lock_guard<std::mutex> lock(NetSessionListLock);
    if (selected < 0 || selected >= NetSessionCount || selected >= NET_MAX_SESSIONS)
        return 0;
    return SessionList[selected].user[word];
}

void TakeSessionChampionship() {
    ListSelection[7] = SelectedSessionWord(SESSION_WORD_ROW);
    ChampionshipGroupOffset = SelectedSessionWord(SESSION_WORD_GROUP);
}

// The selected session's name before its tab, the championship's; the
// hosted one's on the host.
static void SelectedSessionName(char* out, int size) {
    out[0] = 0;
    if (Hosting) {
        snprintf(out, (size_t)size, "%.*s", (int)strcspn(SessionDesc.name, "\t"), SessionDesc.name);
        return;
    }
    const int selected = ListSelection[6];
    std::lock_guard<std::mutex> lock(NetSessionListLock);
    if (selected >= 0 && selected < NetSessionCount && selected < NET_MAX_SESSIONS)
        snprintf(out, (size_t)size, "%s", SessionList[selected].gameName);
}

void RefreshChampionshipInfo() {
    char name[64];
    int value = 0;
    // The sessions screen and a network game show the selected session's.
    if (NetworkGame || MenuScreen == 9) {
        SelectedSessionName(name, sizeof name);
        value = SelectedSessionWord(SESSION_WORD_PLAYERS);
    } else {
        const int list = MenuListId >= 0 && MenuListId < MENU_LISTS ? MenuListId : 0;
        GetText(784 + ChampionshipGroupOffset + 2 * ListSelection[list]);
        snprintf(name, sizeof name, "%.63s", TextBufferB);
    }
    ShowChampionshipInfo(name, value);
}

// Every row of the shared table gets the normal colours, the selected one
// the selection colours.
static void ColourListRows(int selected) {
    for (int r = 0; r < FILE_LIST_ROWS; r++) {
        FileListRow[r][25] = 3;
        FileListRow[r][26] = 4;
    }
    if (selected >= 0 && selected < FILE_LIST_ROWS) {
        FileListRow[selected][25] = 5;
        FileListRow[selected][26] = 5;
    }
}

static void SetRow(int row, const char* text) {
    if (row < 0 || row >= FILE_LIST_ROWS)
        return;
    memset(FileListRow[row], 0, 25);
    memcpy(FileListRow[row], text, strnlen(text, 24));
}

// ---------------------------------------------------------------------------
// Entry actions.

static void ClearPoints() {
    memset(RacePoints, 0, sizeof RacePoints);
    memset(ChampionshipTotals, 0, sizeof ChampionshipTotals);
}

// The chat line starts with the player's name: "%s:  " with its last
// character the caret cell (code 11).
static void StartChatLine() {
    char prefix[64];
    snprintf(prefix, sizeof prefix, "%.24s:  ", CurrentPlayerName);
    const int length = (int)strlen(prefix);
    prefix[length - 1] = 11;
    SetSlotText(SLOT_CHAT_LINE, prefix);
    SetSlotText(SLOT_CHAT_PREFIX, prefix);
    EntryPrefixLength = length;
    EntryCursor = 0;
    KeyboardJumpGate = 1;
    TypedCharCount = 0;
    ChatActive = 1;
}

// The player set-up rows: humans, computers, then blanks.
static void BuildPlayerRows(int fromMainMenu) {
    for (int i = 0; i < 8; i++) {
        char row[40];
        if (fromMainMenu) {
            if (i < HumanPlayers) {
                GetText(865);
                snprintf(row, sizeof row, "%.20s %d", TextBufferB, i + 1);
            } else if (i >= HumanPlayers + ComputerPlayers) {
                snprintf(row, sizeof row, " ");
            } else {
                GetText(1036);
                snprintf(row, sizeof row, "%.20s %d", TextBufferB, i - HumanPlayers + 1);
            }
        } else {
            GetText(SLOT_PLAYER_NAMES + i);
            snprintf(row, sizeof row, "%.24s", TextBufferB);
        }
        SetRow(i, row);
        char cut[25];
        snprintf(cut, sizeof cut, "%.24s", row);
        SetSlotText(SLOT_PLAYER_NAMES + i, cut);
    }
}

// The car on show is loaded into the showroom scene with its graphics.
static void EnterCarChoice() {
    if (ChampionshipRunning || NetworkGame || SplitScreen)
        memset(GarageCurrent, 0, sizeof GarageCurrent);
    if (!SplitScreen)
        PlayerBeingSet = 0;
    const int manual = PlayerBeingSet >= 0 && PlayerBeingSet < MAX_CARS ? ManualGearbox[PlayerBeingSet] : 0;
    if (manual) {
        HideItem(5, 82);
        ShowItem(5, 83);
    } else {
        ShowItem(5, 82);
        HideItem(5, 83);
    }
    if (!(ChampionshipRunning && ChampionshipUnderWay))
        ChampionshipRace = 0;
    if (SplitScreen) {
        GetText(SLOT_PLAYER_NAMES + PlayerBeingSet);
        SetSlotText(253, TextBufferB);
    }
    if (ChampionshipRunning)
        ChampionshipClass = ChampionshipRaceClass(ListSelection[MenuListId] + ChampionshipGroupOffset, ChampionshipRace);
    else if (CareerChosen && !SingleRaceMode && !NetworkGame && !SplitScreen && CurrentCup >= 0 && CurrentCup < 5)
        ChampionshipClass = CurrentCup;   // a career cup is raced in its own class (cup n holds class n's cars)
    ShowCategoryTabs(5, ClassToCategory(ChampionshipClass));
    if (ShopFromCarChoice) {
        static const int away[7] = {84, 85, 86, 3, 19, 25, 43};
        for (int item : away)
            HideItem(5, item);
        ShowItem(5, 87);
        ShowItem(5, 88);
        SlideItemHome(5, 87);
    } else {
        HideItem(5, 87);
        HideItem(5, 88);
        SlideItemAway(5, 87);
    }
    ShowGearboxSwitch();
}

static void ShowGarageCar(void* device) {
    if (NetworkGame)
        ChampionshipClass = ChampionshipRaceClass(ListSelection[7] + ChampionshipGroupOffset, 0);
    GarageCategory = ClassToCategory(ChampionshipClass);
    GarageMode = SingleRaceMode + SplitModeOffset + Cup6Mode + 2 * NetworkGame + 4 * ChampionshipRunning;
    const int category = GarageCategory >= 0 && GarageCategory < 5 ? GarageCategory : 0;
    const int mode = GarageMode >= 0 && GarageMode < 7 ? GarageMode : 0;
    GaragePick = GarageCurrent[mode < 5 ? mode : 0][category];
    const int row = 5 * category + (mode < 5 ? mode : 0);
    const int entry = GaragePage + GaragePick;
    ShowroomModel = 0;
    ShowroomColour = 0;
    if (row >= 0 && row < 25 && entry >= 0 && entry < 15 && GarageLists[row][entry][0] >= 0) {
        ShowroomModel = GarageLists[row][entry][0];
        ShowroomColour = GarageLists[row][entry][1];
    }
    LoadShowroom(device, GarageCategory);
}

static void EnterCarShop(void* device) {
    // The shop always opens on a class tab, so its arrows have cars to
    // step through.
    if (GarageCategory < 0 || GarageCategory > 4)
        GarageCategory = 0;
    ShowCategoryTabs(19, GarageCategory);
    const int category = GarageCategory >= 0 && GarageCategory < 5 ? GarageCategory : 0;
    GaragePick = CategoryPick[category];
    CatalogueCar(GarageCategory, GaragePick, &ShowroomModel, &ShowroomColour);
    LoadShowroom(device, GarageCategory);
}

static void EnterPlayerSetUp() {
    char count[16];
    if (ComputerPlayers > 0)
        snprintf(count, sizeof count, "%d  ", ComputerPlayers);
    else
        snprintf(count, sizeof count, "Off");
    SetSlotText(118, count);
    for (int i = 0; i < 3; i++) {
        if (ItemShown(17, 17 + i)) {
            SplitRoundLimit = i;
            if (ChampionshipListVisited) {
                for (int k = 0; k < 3; k++) {
                    if (k == i)
                        ShowItem(12, 40 + k);
                    else
                        HideItem(12, 40 + k);
                }
            }
            break;
        }
    }
}

static void EnterProfiles() {
    MenuListId = 0;
    ListFiles("USERS\\*", ".usr");
    const int count = FileListCounts[0];
    if (ListSelection[0] > count - 1)
        ListSelection[0] = count > 0 ? count - 1 : 0;
    if (count > 0) {
        ColourListRows(ListSelection[0]);
        snprintf(CurrentPlayerName, sizeof CurrentPlayerName, "%.23s", FileListRow[ListSelection[0]]);
        SetSlotText(SLOT_PLAYER_NAMES, CurrentPlayerName);
    }
}

static void EnterSessions() {
    for (int r = 0; r < FILE_LIST_ROWS; r++)
        SetRow(r, " ");
    ShowChampionshipInfo("", -1);
    FileListCounts[6] = 6;
    ColourListRows(ListSelection[6]);
    if (!NetSessionOpen)
        OpenDirectPlay();
}

// The career screen's car row names the car in use: the one the car choice
// of the cup chosen opens on, the cup's class's car in use.
void ShowCareerCar() {
    int category = CategoryOfCup(CurrentCup);
    if (category < 0 || category > 4)
        category = 0;
    const int current = GarageCurrent[0][category];
    const int* pair = current >= 0 && current < 15 ? GarageLists[5 * category][current] : nullptr;
    if (pair && pair[0] >= 0 && pair[0] < 20 && pair[1] >= 0 && pair[1] < 4)
        ItemAt(3, 32).textSlot = (int16_t)(1614 + 4 * pair[0] + pair[1]);
}

static void EnterMainMenu() {
    MenuScreenTable[3][164].flags &= ~MENU_SLIDE_IN;
    RewardNotice = 0;
    SaveSettings();
    // The career screen shows the logged-in profile's own career, its cars
    // and all: the one in memory when it is the profile's, else its last
    // save; with no profile logged in a new one.
    TakeProfileCareer();
    SetSlotText(776, " ");
    ChampionshipRunning = 0;
    // The other modes share the points and the race counter.
    EndChampionship();
    HumanPlayers = 2;
    ComputerPlayers = 4;
    OpponentsChoice = 6;
    HideItems(12, 26, 33);
    ShowItem(12, 27);
    GaragePage = 0;
    if (NetSessionOpen)
        ShutdownDirectPlay();
    SplitScreen = 0;
}

void RunScreenEntry(void* device) {
    const int screen = MenuScreen;
    const int from = PreviousScreen;
    RememberedIsHost = -1;
    NetRefreshTicks = 100;
    TypedCharCount = 0;
    SpecialRaceMode = 0;
    MenuRefreshFlag = 0;
    JumpToScreen5Local = 0;
    EntryDone = 0;
    PlayerBeingSet = 0;

    switch (screen) {
    case 1: case 14: HideItems(screen, 32, 34); break;
    case 13: HideItems(13, 30, 32); break;
    case 18:
        SaveSettings();
        ShowBlankInfo();
        break;
    case 0: EnterMainMenu(); break;
    case 12:
        SplitScreen = 1;
        ClearPoints();
        ResetHeats();   // a series set up again starts from its first heat
        break;
    }
    SplitModeOffset = 2 * SplitScreen;
    switch (screen) {
    case 2: SingleRaceMode = 1; break;
    case 3:
        SingleRaceMode = 0;
        Cup6Mode = 0;
        Cup5Mode = 0;
        ShowMoney();
        ShowCareerCar();
        break;
    case 8:
        // The heading names the player whose keys the panel shows.
        ItemAt(8, 54).textSlot = (int16_t)(SettingsInts[8] == 1 ? 252 : 251);
        ShowItem(8, 54);
        RefreshControls();
        break;
    case 22: {
        ChampionshipRunning = 1;
        MenuListId = 8;
        ListSelection[8] = ChampionshipChoice;
        ChampionshipGroupOffset = 0;
        // A championship under way keeps its next race and its points for
        // CONTINUE.
        if (!ChampionshipUnderWay) {
            ChampionshipRace = 0;
            ClearPoints();
        }
        char name[32];
        for (int i = 1; i <= 7; i++) {
            snprintf(name, sizeof name, "Player %d", i);
            SetSlotText(SLOT_PLAYER_NAMES + i, name);
        }
        break;
    }
    case 11: {
        ThawItem(11, 6);
        NetworkGame = 1;
        ClearPlayerList();
        StartChatLine();
        char count[16];
        snprintf(count, sizeof count, "%d", SelectedSessionWord(1));
        SetSlotText(313, count);
        ClearPoints();
        break;
    }
    }
    if (screen != 11 && screen != 5) {
        NetworkGame = 0;
        ChatActive = 0;
    }
    MenuScreenShown = screen;
    ShowGarageCounters();
    ShowSelectionPrice();
    switch (screen) {
    case 4: ScrollCredits(2); break;
    case 5: EnterCarChoice(); break;
    case 12: EnterPlayerSetUp(); break;
    }
    TypedChar = 0;
    switch (screen) {
    case 18: EnterProfiles(); break;
    case 20:
        MenuListId = 1;
        ListFiles("USERS\\*", ".rb");
        ShowSlotRows();
        break;
    case 15: ListReplays(); break;
    case 21:
        MenuListId = 2;
        ListFiles("USERS\\*", ".rb");
        ShowSlotRows();
        ShowSaveRows();
        StampCareerDate();   // the save made on this screen carries this date
        FreezeItem(21, 12);
        SetItemColours(21, 12, 3, 3);
        break;
    case 12: BuildPlayerRows(from == 0); break;
    case 5: ShowGarageCar(device); break;
    case 19: EnterCarShop(device); break;
    case 10: case 17:
        FillChampionshipList();
        RefreshChampionshipInfo();
        ChampionshipLastIndex = ChampionshipLastRace(ListSelection[MenuListId] + ChampionshipGroupOffset);
        ShowChampionshipRaceList();
        break;
    case 9: EnterSessions(); break;
    }
    StopMenuHoverSounds();
    KeyboardCellStamp = 1;
    if (screen == 18) {
        if (FileListCounts[0] <= 0 && !RecordsViaProfiles) {
            ResetProfileScreen();
            SlideItemHome(18, 18);
            SlideItemAway(18, 3);
        } else {
            SlideItemHome(18, 3);
            SlideItemAway(18, 18);
            for (int i = 13; i <= 16; i++) {
                ThawItem(18, i);
                SetItemColours(18, i, 3, 4);
            }
        }
    }
    PlayScreenChangeSound();
    if (screen == 13 || screen == 14 || screen == 1) {
        // The panel's details are hidden above; no tab is marked chosen
        // until one is.
        HighlightRecordChoice(screen, 0, 1);
        ItemAt(screen, 6).flags &= ~MENU_SLIDE_IN;
        if (screen == 14)
            ShowRecordsPage(RecordsPage);   // the page's own tabs, no other page's
    }
}

// ---------------------------------------------------------------------------
// Lists, every frame.

// The row under the pointer picks its row when the click falls on a row the
// list holds: the row counts from the first row shown.
static int PickedRow(int list, int firstRowItem, int rows) {
    if (list < 0 || list >= MENU_LISTS || !MouseClick)
        return -1;
    const int hovered = ListHoverItem[list];
    if (hovered < firstRowItem || hovered >= firstRowItem + rows)
        return -1;
    const int row = ListTop[list] + hovered - firstRowItem;
    if (row < 0 || row >= FileListCounts[list])
        return -1;
    ColourListRows(row);
    ListSelection[list] = row;
    return row;
}

static void ListBox(int screen, int thumb, int firstRow, int list, int rows, int firstSlot) {
    UpdateListWidget(screen, thumb, firstRow, list, rows, firstSlot, &FileListRow[0][0], 32);
}

static void SoundOptionsFrame() {
    if (MixerFailed) {
        CareerRecord.musicLevel = 0;
        CareerRecord.effectsLevel = 0;
        MusicEnabled = 0;
        EffectsLevel = 0;
        SoundOn = 0;
        SoundUnavailable = 1;
        static const int items[9] = {14, 18, 19, 20, 22, 24, 26, 28, 29};
        for (int item : items)
            FreezeItem(7, item);
        if (!SoundFailurePopupShown) {
            SoundFailurePopupShown = 1;
            ShowPopup(7, 0, 0, 0);
        }
        return;
    }
    // The levels live in the career record; a level that changed is applied.
    const int music = ItemAt(7, 27).value;
    const int effects = ItemAt(7, 23).value;
    const int musicChanged = music != CareerRecord.musicLevel;
    const int effectsChanged = effects != CareerRecord.effectsLevel;
    CareerRecord.musicLevel = music;
    CareerRecord.effectsLevel = effects;
    MusicEnabled = music != 0;
    if (musicChanged)
        SetMusicVolume(music);
    if (effectsChanged) {
        EffectsLevel = effects >= 0 && effects <= 5 ? effects : 0;
        if (effects == 0) {
            SoundOn = 0;
            StopSoundsWhenOff();
        } else if (!SoundUnavailable) {
            SoundOn = 1;
        }
    }
    char number[16];
    snprintf(number, sizeof number, "%02d", CareerRecord.musicNumber & 0xff);
    SetSlotText(650, number);
}

static void PlayerSetUpFrame() {
    static int lastHumans = -1;
    const int humans = HumanPlayers >= 0 && HumanPlayers <= 8 ? HumanPlayers : 0;
    if (KeyboardJumpGate && EditedRow >= 0 && EditedRow < 8) {
        GetText(SLOT_PLAYER_NAMES + EditedRow);
        const int length = (int)strlen(TextBufferB);
        if (length > 0)
            TextBufferB[length - 1] = 0;   // the caret
        SetRow(EditedRow, TextBufferB);
        snprintf(PlayerNameTable[EditedRow], sizeof PlayerNameTable[EditedRow], "%.24s", TextBufferB);
        snprintf(CareerRecord.description, sizeof CareerRecord.description, "%.24s", TextBufferB);
    } else if (ListHoverItem[4] >= 18 && ListHoverItem[4] < 18 + humans && MouseClick) {
        const int row = ListHoverItem[4] - 18;
        if (row < FileListCounts[4]) {
            ListSelection[4] = row;
            PlayClickSound();
        }
        EditedRow = row;
        GetText(SLOT_PLAYER_NAMES + row);
        EntryCursor = (int)strnlen(TextBufferB, ENTRY_NAME_MAX);
        KeyboardJumpGate = 1;
        TypedCharCount = 0;
    }
    if (lastHumans >= 0 && lastHumans != humans && lastHumans < 8)
        SetRow(lastHumans, PlayerNameTable[lastHumans]);
    lastHumans = humans;
    for (int i = 0; i < 8; i++) {
        if (KeyboardJumpGate && i == EditedRow)
            continue;
        char row[32];
        if (i < humans) {
            snprintf(row, sizeof row, "%.24s", PlayerNameTable[i]);
            SetItemColours(12, 46 + i, 4, 4);
        } else if (i >= humans + ComputerPlayers) {
            snprintf(row, sizeof row, " ");
        } else {
            GetText(579 + i - humans);
            snprintf(row, sizeof row, "%.24s", TextBufferB);
            SetItemColours(12, 46 + i, 3, 3);
        }
        SetSlotText(SLOT_PLAYER_NAMES + i, row);
    }
}

static void SaveSlotPick() {
    const int row = PickedRow(2, 27, 6);
    if (row < 0 || !MenuPointerShown)
        return;
    PlayClickSound();
    ShowFileInfo(row);
    ShowSaveRows();   // the panel goes on showing the career about to be saved
    EditedRow = row;
    GetText(SLOT_SAVE_ROWS + row);
    EntryCursor = InfoPanelValid ? (int)strnlen(TextBufferB, ENTRY_NAME_MAX) : 0;
    KeyboardJumpGate = 1;
    TypedCharCount = 0;
    for (int i = 27; i <= 32; i++)
        SetItemColours(21, i, 3, 4);
    SetItemColours(21, 27 + row - ListTop[2], 5, 5);
    ThawItem(21, 12);
    SetItemColours(21, 12, 3, 4);
}

// The description of a picked championship goes into slot 1033, cut to
// that slot's room.
static void CopyChampionshipDescription(int row) {
    const int from = 784 + row + ChampionshipGroupOffset;
    if (from < 0 || from >= TEXT_SLOT_COUNT)
        return;
    GetText(from);
    char cut[TEXT_BUFFER_SIZE];
    snprintf(cut, sizeof cut, "%.*s", (int)TextSlotRoom[1033], TextBufferB);
    SetSlotText(1033, cut);
}

void RunScreenLists(int screen) {
    int row = -1;
    switch (screen) {
    case 2: ShowChosenTrackGroup(); break;
    case 3: CoverCareerButtons(); break;
    case 7: SoundOptionsFrame(); break;
    case 11:
        UpdateListWidget(11, 25, 39, 11, 3, SLOT_MESSAGE_LOG + 6, &MessageLogTable[0][0], MESSAGE_LOG_WIDTH);
        break;
    case 18:
        // The list's arrows and thumb go with the list: while the name panel
        // stands in its place they are not shown.
        for (int item = 27; item <= 30; item++) {
            if (ItemAt(18, 3).flags & MENU_SLIDE_OUT)
                HideItem(18, item);
            else
                ShowItem(18, item);
        }
        ListBox(18, 30, 21, 0, 6, 615);
        if ((row = PickedRow(0, 21, 6)) >= 0) {
            snprintf(CurrentPlayerName, sizeof CurrentPlayerName, "%.23s", FileListRow[row]);
            snprintf(CareerRecord.playerName, sizeof CareerRecord.playerName, "%.24s", FileListRow[row]);
            SetSlotText(SLOT_PLAYER_NAMES, CurrentPlayerName);
            PlayClickSound();
            // Only the championship takes its file into the record: in the
            // other modes the logged-in career stays in it.
            if (ChampionshipChosen)
                LoadChampionship();
            LoadRecords();
        }
        break;
    case 20:
        ListBox(20, 17, 27, 1, 6, 640);
        if ((row = PickedRow(1, 27, 6)) >= 0) {
            ShowFileInfo(row);
            PlayClickSound();
        }
        break;
    case 21:
        if (!KeyboardJumpGate) {
            ShowSaveRows();
            ListBox(21, 17, 27, 2, 6, 640);
            SaveSlotPick();
        }
        break;
    case 10: case 17:
        ListBox(screen, 39, 41, MenuListId, 6, 634);
        if ((row = PickedRow(MenuListId, 41, 6)) >= 0) {
            PlayClickSound();
            CopyChampionshipDescription(row);
            ChampionshipClass = ChampionshipRaceClass(row + ChampionshipGroupOffset, 0);
            ChampionshipLastIndex = ChampionshipLastRace(row + ChampionshipGroupOffset);
            ShowChampionshipRaceList();
        }
        break;
    case 12: PlayerSetUpFrame(); break;
    case 9:
        ListBox(9, 25, 16, 6, 6, 615);
        if ((row = PickedRow(6, 16, 6)) >= 0) {
            PlayClickSound();
            if (NetSessionCount > 0) {
                TakeSessionChampionship();
                EnumPlayersOfSession(row);
                ChampionshipClass = ChampionshipRaceClass(ListSelection[7] + ChampionshipGroupOffset, 0);
                ChampionshipLastIndex = ChampionshipLastRace(ListSelection[7] + ChampionshipGroupOffset);
                ChampionshipRace = 0;
                RefreshChampionshipInfo();
            }
        }
        break;
    case 15:
        ListBox(15, 18, 20, 9, 6, 640);
        if ((row = PickedRow(9, 20, 6)) >= 0) {
            ShowFileInfo(row);
            PlayClickSound();
        }
        break;
    default: break;
    }
}
