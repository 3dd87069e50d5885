#include "frontend/file_lists.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "frame/fileio.h"
#include "frame/frame_state.h"
#include "frame/utils.h"
#include "frontend/file_names.h"
#include "frontend/frontend_state.h"
#include "frontend/records.h"
#include "frontend/replay_header.h"
#include "frontend/text_entry.h"
#include "frontend/text_slots.h"
#include "frontend/menu_items.h"
#include "platform/plat_file.h"

char ReplayFileNames[256][32];

enum { LIST_ROWS_MAX = 127, SLOT_EMPTY_SLOT = 613 };

static int CurrentList() { return MenuListId >= 0 && MenuListId < MENU_LISTS ? MenuListId : 0; }

int HasExtension(const char* name, const char* extension) {
    const char* dot = std::strrchr(name, '.');
    if (!dot || dot == name)
        return 0;
    return std::strcmp(dot, extension) == 0;
}

static void BlankRows() {
    for (auto& row : FileListRow) {
        std::memset(row, 0, sizeof row);
        row[0] = ' ';
    }
}

static void SetRowText(int row, const char* text, int length) {
    std::memset(FileListRow[row], 0, 25);
    std::memcpy(FileListRow[row], text, (size_t)std::min(length, 24));
    FileListRow[row][25] = 3;
    FileListRow[row][26] = 4;
}

void AddFileRow(const char* name, const char* pattern) {
    const int list = CurrentList();
    const int row = FileListCounts[list];
    if (row < 0 || row >= LIST_ROWS_MAX)
        return;
    int n = (int)std::strlen(name) - 4;
    if (n < 0)
        n = 0;
    if (list == 1 || list == 2 || list == 3 || list == 4 || list == 9) {
        if (list == 9)
            std::snprintf(ReplayFileNames[row], sizeof ReplayFileNames[row], "%.31s", name);
        std::string path(pattern);
        if (!path.empty() && path.back() == '*')
            path.pop_back();
        path += name;
        static char head[255];
        std::memset(head, 0, sizeof head);
        ReadFileBytes(path.c_str(), head, (int)sizeof head);
        head[sizeof head - 1] = 0;
        SetRowText(row, head + 4, (int)strnlen(head + 4, 24));
    } else {
        if (n >= 16 && !RecordsViaProfiles)
            return;
        SetRowText(row, name, std::min(n, 24));
    }
    FileListCounts[list] = (signed char)(row + 1);
}

// The slot lists: row i is the slot file numbered i + 1.
static void ListSlots(const char* extension) {
    const int list = CurrentList();
    GetText(SLOT_EMPTY_SLOT);
    char empty[32];
    std::snprintf(empty, sizeof empty, "%.24s", TextBufferB);
    for (int slot = 1; slot <= 12; slot++) {
        char name[32];
        std::snprintf(name, sizeof name, "SAVE %02d%s", slot, extension);
        char path[96];
        std::snprintf(path, sizeof path, "USERS\\%s\\%s", CurrentPlayerName, name);
        if (FileNameSafe(CurrentPlayerName, 24) && QueryFileSize(path)) {
            std::snprintf(path, sizeof path, "USERS\\%s\\*", CurrentPlayerName);
            AddFileRow(name, path);
        } else {
            SetRowText(FileListCounts[list], empty, (int)std::strlen(empty));
            FileListCounts[list]++;
        }
    }
}

int ListFiles(const char* pattern, const char* extension) {
    const int list = CurrentList();
    BlankRows();
    FileListCounts[list] = 0;
    if (list == 1 || list == 2) {
        ListSlots(extension);
        return 1;
    }
    std::vector<std::string> names;
    PlatFindData data;
    if (PlatFind* find = PlatFindFirst(pattern, &data)) {
        do {
            if (!data.isDirectory && HasExtension(data.name, extension) && FileNameSafe(data.name, 31))
                names.push_back(data.name);
        } while (PlatFindNext(find, &data));
        PlatFindClose(find);
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names)
        AddFileRow(name.c_str(), pattern);
    return 1;
}

// The profile list again after a deletion, the selection a row up.
static void RelistProfiles() {
    ListFiles("USERS\\*", ".usr");
    const int l = CurrentList();
    if (ListSelection[l] > 0)
        ListSelection[l]--;
    if (ListSelection[l] >= 0 && ListSelection[l] < FILE_LIST_ROWS)
        FileListRow[ListSelection[l]][25] = FileListRow[ListSelection[l]][26] = 5;
}

// Only a name directly under USERS that could be typed is deleted.
static int UnderUsers(const char* path, int longest) {
    return std::strncmp(path, "USERS\\", 6) == 0 && FileNameSafe(path + 6, longest);
}

void DeleteProfileFiles(int list) {
    BlankRows();
    if (list >= 0 && list < MENU_LISTS)
        FileListCounts[list] = 0;
    if (UnderUsers(TextBufferA, 24)) {
        DeleteDirectoryTree(TextBufferA);
        std::strncat(TextBufferA, ".usr", sizeof TextBufferA - std::strlen(TextBufferA) - 1);
        PlatDeleteFile(TextBufferA);
    }
    RelistProfiles();
}

void DeletePathAndRelist(int list) {
    BlankRows();
    if (list >= 0 && list < MENU_LISTS)
        FileListCounts[list] = 0;
    if (UnderUsers(TextBufferA, 31))
        PlatDeleteFile(TextBufferA);
    RelistProfiles();
}

void ShowBlankInfo() {
    InfoPanelValid = 0;
    for (int slot = 780; slot <= 783; slot++)
        SetSlotText(slot, "?");
}

void StampCareerDate() {
    char text[20];
    FormatDateTime(text);
    SetSlotText(783, text);
    std::memset(CareerRecord.date, 0, sizeof CareerRecord.date);
    std::memcpy(CareerRecord.date, text, 19);
}

void ShowNameInfo() { SetSlotText(780, CurrentPlayerName); }

void ShowWinsInfo() {
    char text[16];
    std::snprintf(text, sizeof text, "%d", CareerRecord.racesWon);
    SetSlotText(782, text);
}

static void ShowSlotInfo(int row) {
    char path[96];
    static char head[255];
    std::memset(head, 0, sizeof head);
    // An unreadable head shows an empty panel, never the last file's.
    if (row < 0 || row >= 12 || !FileNameSafe(CurrentPlayerName, PROFILE_NAME_LISTED) ||
        std::snprintf(path, sizeof path, "USERS\\%s\\SAVE %02d.rb", CurrentPlayerName, row + 1) >= (int)sizeof path ||
        ReadFileBytes(path, head, (int)sizeof head) != 1) {
        ShowBlankInfo();
        return;
    }
    char text[40];
    std::snprintf(text, sizeof text, "%.23s", head + 36);
    SetSlotText(780, text);
    InfoPanelValid = 1;
    if (!text[0]) {
        ShowBlankInfo();
        return;
    }
    float money;
    std::memcpy(&money, head + 100, 4);
    if (std::isfinite(money) && money > -1e9f && money < 1e9f)
        std::snprintf(text, sizeof text, "%d", (int)money);
    else
        std::snprintf(text, sizeof text, "?");
    SetSlotText(781, text);
    std::snprintf(text, sizeof text, "%d", (int)(signed char)head[104]);
    SetSlotText(782, text);
    std::snprintf(text, sizeof text, "%.19s", head + 68);
    SetSlotText(783, text);
}

void ShowFileInfo(int row) {
    if (CurrentList() == 9)
        ShowReplayInfo();
    else
        ShowSlotInfo(row);
}

int ListThumbDrag;

// The thumb's track: its top and bottom y and its length, the chat box's
// shorter than the file lists'.
constexpr int THUMB_TOP = 23, THUMB_BOTTOM = 139, THUMB_LENGTH = 116, CHAT_THUMB_BOTTOM = 51, CHAT_THUMB_LENGTH = 28;

static float ThumbY(float y, int bottom) { return y < THUMB_TOP ? (float)THUMB_TOP : y > (float)bottom ? (float)bottom : y; }

// The track is measured from the thumb's parent.  A thumb placed on its own
// (as the built-in layout places them, on the top of their scroll bars)
// measures it from where it rests, so the track runs down its bar instead
// of across the top of the screen.
static float TrackOrigin(int screen, const MenuItem& thumb) {
    if (thumb.parent)
        return ItemAt(screen, thumb.parent).y;
    return (float)(thumb.homeY - THUMB_TOP);
}

void UpdateListWidget(int screen, int thumbItem, int firstRowItem, int list, int visibleRows, int firstTextSlot,
                      const char* rows, int rowBytes) {
    if (list < 0 || list >= MENU_LISTS || !rows || visibleRows <= 0)
        return;
    const int count = FileListCounts[list];
    const int chat = screen == 11;
    int& top = ListTop[list];
    if (count <= visibleRows && top > 0)
        top = 0;
    if (ListScrollUp && --top < 0)
        top = 0;
    if (ListScrollDown && count > visibleRows && ++top > count - visibleRows)
        top = count - visibleRows;
    if (top < 0)
        top = 0;

    // The rows shown into their text slots; rows past the table show empty.
    const int tableRows = chat ? (int)MESSAGE_LOG_LINES : (int)FILE_LIST_ROWS;
    const int textBytes = chat ? 144 : 24;
    for (int r = 0; r < visibleRows; r++) {
        const int i = top + r;
        char text[145] = "";
        if (i < tableRows) {
            const char* row = rows + (size_t)i * (size_t)rowBytes;
            std::memcpy(text, row, (size_t)std::min(textBytes, rowBytes));
            text[textBytes] = 0;
            if (!chat)
                SetItemColours(screen, firstRowItem + r, (uint8_t)row[25], (uint8_t)row[26]);
        }
        SetSlotText(firstTextSlot + r, text);
    }

    const int length = chat ? CHAT_THUMB_LENGTH : THUMB_LENGTH;
    const int bottom = chat ? CHAT_THUMB_BOTTOM : THUMB_BOTTOM;
    MenuItem& thumb = ItemAt(screen, thumbItem);
    if (MouseX >= thumb.hitLeft && MouseX <= thumb.hitRight && MouseY >= thumb.hitTop && MouseY <= thumb.hitBottom &&
        MouseClick == 1) {
        ListThumbDrag = 1;
    } else {
        const float step = count == visibleRows ? 0.0f : (float)length / (float)(count - visibleRows);
        thumb.y = ThumbY((float)top * step + THUMB_TOP, bottom) + TrackOrigin(screen, thumb);
    }
    if (!ListThumbDrag)
        return;
    if (MouseButtons == 0 && MouseClick != 1) {
        ListThumbDrag = 0;
        return;
    }
    const float y = ThumbY((float)MouseY - TrackOrigin(screen, thumb), bottom);
    thumb.y = y + TrackOrigin(screen, thumb);
    if (count > visibleRows) {
        // A fraction of a pixel per row on a long list: the step stays a
        // fraction so every row can be reached.
        const float step = (float)length / (float)(count - visibleRows);
        top = (int)((y - THUMB_TOP) / step);
        if (top > count - visibleRows)
            top = count - visibleRows;
    }
}
// A slot list just made.  The load list marks its selected slot (held to
// the twelve rows) and shows it in the panel, so LOAD takes the slot the
// player sees marked and the panel is no other screen's; on the save list
// no slot is chosen until one is picked, so the panel starts blank.
void ShowSlotRows() {
    const int list = CurrentList();
    if (list != 1) {
        ShowBlankInfo();
        return;
    }
    int& selected = ListSelection[list];
    const int count = FileListCounts[list];
    if (selected < 0 || count <= 0)
        selected = 0;
    else if (selected >= count)
        selected = count - 1;
    FileListRow[selected][25] = FileListRow[selected][26] = 5;
    ShowFileInfo(selected);
}

// The save screen's panel: the career about to be saved, its player, its
// wins and the date it will be saved with.
void ShowSaveRows() {
    ShowNameInfo();
    ShowWinsInfo();
    char date[20];
    std::snprintf(date, sizeof date, "%.19s", CareerRecord.date);
    SetSlotText(783, date[0] ? date : "?");
}
