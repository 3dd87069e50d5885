// Replay files: the replays screen's list, info panel, playback and
// deletion, and the demos that play when the main menu is left idle.

#include <cstdio>
#include <cstring>

#include "frame/fileio.h"
#include "frame/frame_state.h"
#include "frontend/file_lists.h"
#include "frontend/file_names.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_items.h"
#include "frontend/replay_header.h"
#include "frontend/text_slots.h"
#include "platform/plat_file.h"
#include "race/race_state.h"
#include "race/race_switches.h"
#include "race/replay.h"

int InternetReplays;
int DemoCycle;

enum {
    REPLAY_LIST = 9,
    REPLAY_FIRST_ROW_ITEM = 20,
    REPLAY_VISIBLE_ROWS = 6,
    DEMO_IDLE_TICKS = 4800,
    IDLE_RESTART = -3000,
};

static const char* const DemoFiles[3] = {"Replay\\Users\\Buggy.rb", "Replay\\Users\\jump.rb", "Replay\\Users\\NewVondel.rb"};

static const char* ReplayFolder() { return InternetReplays ? "Replay\\Internet\\" : "Replay\\Users\\"; }

const char* RaceTypeName(int trackCode) {
    if (trackCode < 10 || trackCode > 79)
        return "";
    if (trackCode < 40)
        return "SPEED";
    if (trackCode < 50)
        return "JUMP";
    if (trackCode < 60)
        return "MONSTER";
    return trackCode < 70 ? "CROSS" : "BUGGY";
}

void SetCarChoice(int car, int model, int colour) {
    if (car < 0 || car >= MAX_CARS)
        return;
    CarModel[car] = model;
    CarColour[car] = colour;
}

// The row the info panel shows: the one under the pointer while a row item
// is hovered, else the selected one.
static int InfoRow() {
    const int hovered = ListHoverItem[REPLAY_LIST] - REPLAY_FIRST_ROW_ITEM;
    if (hovered >= 0 && hovered < REPLAY_VISIBLE_ROWS)
        return ListTop[REPLAY_LIST] + hovered;
    return ListSelection[REPLAY_LIST];
}

// The file of a listed row, or null for a row the list does not hold.
static const char* ListedReplay(int row) {
    if (row < 0 || row >= FileListCounts[REPLAY_LIST] || row >= FILE_LIST_ROWS || !ReplayFileNames[row][0])
        return nullptr;
    return ReplayFileNames[row];
}

// A playback starts only on a track the game folder holds: the head is
// looked at before the load, so a replay that could not play leaves the
// recorded race's buffers alone.  The load itself takes only a whole file
// that passes the replay check.
static int ReplayTrackHeld(const char* path) {
    unsigned char head[REPLAY_HEADER_BYTES] = {};
    return ReadFileBytes(path, head, (int)sizeof head) == 1 && TrackFolderHolds((int8_t)head[26]);
}

static int LoadPlayableReplay(const char* path) {
    return ReplayTrackHeld(path) && LoadReplayData(path, &ReplayHeader) != 0;
}

void ShowReplayInfo() {
    const char* listed = ListedReplay(InfoRow());
    if (!listed)
        return;
    // The listed name up to its first ".", with the extension written "RB".
    char name[32];
    std::snprintf(name, sizeof name, "%.18s", listed);
    char* dot = std::strchr(name, '.');
    if (!dot) {
        ShowBlankInfo();
        return;
    }
    dot[1] = 0;
    char path[64];
    std::snprintf(path, sizeof path, "%s%sRB", InternetReplays ? "REPLAY\\Internet\\" : "REPLAY\\USERS\\", name);
    // A head that cannot be read shows an empty panel, never the last one.
    ReplayHeaderRecord head{};
    if (ReadFileBytes(path, &head, (int)sizeof head) != 1) {
        ShowBlankInfo();
        return;
    }
    ReplayHeader = head;
    char text[40];
    std::snprintf(text, sizeof text, "%.21s", head.playerName);
    SetSlotText(780, text);
    InfoPanelValid = 1;
    if (!text[0]) {
        ShowBlankInfo();
        return;
    }
    const char* type = RaceTypeName(head.trackCode);
    SetSlotText(781, type[0] ? type : "?");
    if (head.mode >= 0 && head.mode <= 2) {
        GetText(head.mode == 0 ? 51 : head.mode == 1 ? 52 : 860);
        SetSlotText(782, TextBufferB);
    } else {
        SetSlotText(782, "?");
    }
    std::snprintf(text, sizeof text, "%.21s", head.date);
    SetSlotText(783, text);
}

static void ListReplayFolder() {
    MenuListId = REPLAY_LIST;
    ListFiles(InternetReplays ? "Replay\\Internet\\*" : "Replay\\Users\\*", ".rb");
    ShowBlankInfo();
}

static void SelectFirstReplay() {
    ListSelection[REPLAY_LIST] = 0;
    ListHoverItem[REPLAY_LIST] = REPLAY_FIRST_ROW_ITEM;
    FileListRow[0][25] = FileListRow[0][26] = 5;
}

void ListReplays() {
    ListReplayFolder();
    if (FileListCounts[REPLAY_LIST] <= 0)
        return;
    SelectFirstReplay();
    ShowReplayInfo();
}

int LoadSelectedReplay() {
    const char* listed = ListedReplay(ListSelection[REPLAY_LIST]);
    if (!listed)
        return 0;
    char path[64];
    std::snprintf(path, sizeof path, "%s%.18s", ReplayFolder(), listed);
    if (!LoadPlayableReplay(path))
        return 0;
    ReplayFromFile = 1;
    return 1;
}

int DeleteSelectedReplay() {
    // The listed file of the selected row goes: the header's name could
    // name another file, or none.
    char name[32] = "";
    if (const char* listed = ListedReplay(ListSelection[REPLAY_LIST]))
        std::snprintf(name, sizeof name, "%s", listed);
    for (auto& row : FileListRow) {
        row[0] = ' ';
        row[1] = 0;
    }
    FileListCounts[REPLAY_LIST] = 0;
    int deleted = 0;
    if (name[0] && FileNameSafe(name, 31)) {
        char path[64];
        std::snprintf(path, sizeof path, "%s%s", ReplayFolder(), name);
        deleted = PlatDeleteFile(path);
    }
    ListReplayFolder();
    if (FileListCounts[REPLAY_LIST] > 0) {
        SelectFirstReplay();
        ListScrollDown = 1;
        UpdateListWidget(15, 18, REPLAY_FIRST_ROW_ITEM, REPLAY_LIST, REPLAY_VISIBLE_ROWS, 640, &FileListRow[0][0], 32);
        ListScrollDown = 0;
        const int selected = ListSelection[REPLAY_LIST];
        FileListRow[selected][25] = FileListRow[selected][26] = 5;
        ShowReplayInfo();
    }
    return deleted;
}

void ResetMainMenuItems() {
    for (int item = 7; item <= 18; item++)
        ShowItem(0, item);
    for (int item : {20, 21, 22, 23, 24, 56})
        ItemAt(0, item).flags &= ~MENU_SLIDE_IN;
    for (int item = 26; item <= 37; item++)
        HideItem(0, item);
    for (int item : {13, 14, 15, 16, 17, 18, 40, 41, 62, 65})
        ThawItem(0, item);
}

// A demo plays only a replay that loaded: an unreadable file would start a
// race that nobody drives.
static int StartDemo(const char* path, int screenShown) {
    if (!path || !LoadPlayableReplay(path))
        return 0;
    char line[80];
    std::snprintf(line, sizeof line, "demo replay %s", path);
    DebugLogText(line);
    ReplayFromFile = 1;
    PendingScreen = 0;
    StartRaceRequest = 1;
    RaceFromReplay = 1;
    ReplayWatched = 1;
    ApplyReplayHeader();
    ShowItem(screenShown, 0);
    ResetMainMenuItems();
    return 1;
}

void UpdateAttractMode() {
    static int started, lastX, lastY;
    if (!started) {
        started = 1;
        lastX = MouseX;
        lastY = MouseY;
    }
    if (MenuScreenShown.load() != 0 || MouseX != lastX || MouseY != lastY)
        AttractIdleTimer = IDLE_RESTART;
    AttractIdleTimer += LastFrameTicks.load();
    // Once a demo is asked for, the frames until the race starts ask for
    // no other.
    if (AttractIdleTimer > DEMO_IDLE_TICKS && !StartRaceRequest) {
        const int demo = DemoCycle >= 0 && DemoCycle <= 2 ? DemoCycle : 0;
        DemoCycle = demo == 2 ? 0 : demo + 1;
        // A demo that will not load waits its turn again; the next one
        // follows.
        if (!StartDemo(DemoFiles[demo], 0))
            AttractIdleTimer = 0;
    }
    lastX = MouseX;
    lastY = MouseY;
}

int PlayDemoReplay(int item) {
    const char* path = item == 17 ? DemoFiles[2] : item == 18 ? DemoFiles[0] : item == 19 ? DemoFiles[1] : nullptr;
    return StartDemo(path, 2);
}

void PlayReplayCarousel() {
    static const char* const names[5] = {"cross2", "speed2", "monster1", "buggy1", "salto7"};
    static int n;
    ListReplayFolder();
    if (n < FileListCounts[REPLAY_LIST]) {
        ListSelection[REPLAY_LIST] = n;
        ListHoverItem[REPLAY_LIST] = n + REPLAY_FIRST_ROW_ITEM;
        ShowReplayInfo();
    }
    char path[64];
    std::snprintf(path, sizeof path, "REPLAY\\USERS\\%s.rb", names[n]);
    ReplayHeaderRecord head{};
    if (ReadFileBytes(path, &head, (int)sizeof head) == 1)
        ReplayHeader = head;
    n = n == 4 ? 0 : n + 1;
    // As everywhere, only a replay that loaded whole is played.
    if (!LoadSelectedReplay())
        return;
    StartRaceRequest = 1;
    RaceFromReplay = 1;
    ApplyReplayHeader();
    SetCarChoice(0, CarModel[0], CarColour[0]);
    PendingScreen = 2;
}

static int PackedTime(int minutes, int seconds, int hundredths) { return minutes * (1 << 18) + seconds * (1 << 9) + hundredths; }

void SaveRecordReplay() {
    if (TrackCode != 14)
        return;
    const char* path = "Replay\\Internet\\Record.rb";
    const RecordTime best = BestRaceTimes[14];
    const int bestPacked = PackedTime(best.minutes, best.seconds, best.hundredths);
    ReplayHeaderRecord head{};
    if (QueryFileSize(path) && ReadFileBytes(path, &head, (int)sizeof head) == 1 &&
        PackedTime(head.lapMinutes[0], head.lapSeconds[0], head.lapHundredths[0]) <= bestPacked)
        return;
    FillReplayHeader(1);
    std::memset(ReplayHeader.replayName, 0, sizeof ReplayHeader.replayName);
    std::memcpy(ReplayHeader.replayName, "Record", 6);
    ReplayHeader.lapMinutes[0] = (int8_t)best.minutes;
    ReplayHeader.lapSeconds[0] = (int8_t)best.seconds;
    ReplayHeader.lapHundredths[0] = (int8_t)best.hundredths;
    for (int k = 1; k < 3; k++)
        ReplayHeader.lapMinutes[k] = ReplayHeader.lapSeconds[k] = ReplayHeader.lapHundredths[k] = 0;
    SaveReplayData(path, &ReplayHeader);
}
