// Menu actions of the records, replays, load-slot and save-slot screens.
#include <cstdio>
#include <cstring>

#include "frame/fileio.h"
#include "frame/frame_state.h"
#include "frontend/career.h"
#include "frontend/championship.h"
#include "frontend/file_lists.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_actions.h"
#include "frontend/menu_items.h"
#include "frontend/menu_panels.h"
#include "frontend/popups.h"
#include "frontend/profiles.h"
#include "frontend/replay_header.h"
#include "frontend/text_slots.h"
#include "race/race_state.h"
#include "sound/music.h"

// The record panel shows the track code last chosen; a page change or a
// tab refreshes it.
static int RecordCode;

// The tab chosen shows its record and stays marked in the selection colour.
static void ShowRecord(int screen, int item, int code) {
    RecordCode = code;
    ShowRecordPanel(screen, code);
    HighlightRecordChoice(screen, item, 0);
}

// Track codes of the championship pages of screen 14: rows 12, 13, 14 of
// the championship table, pair by pair.
static int ChampionshipPageCode(int row, int pair) { return ChampionshipTrackCode(row, pair); }

void ShowRecordsPage(int page) {
    HideItems(14, 22, 26);
    HideItems(14, 35, 41);
    const int first = page == 236 ? 35 : page == 237 ? 38 : 22;
    const int last = page == 236 ? 37 : page == 237 ? 41 : 26;
    ShowItems(14, first, last);
    ThawItems(14, first, last);
}

int RecordsAction(int*, int item) {
    const int s = MenuScreen == 1 || MenuScreen == 13 || MenuScreen == 14 ? MenuScreen : 14;
    const int detail = s == 13 ? 30 : 32;
    if (item == 19) {
        HideItems(s, detail, detail + 2);
        ShowRecordPanel(s, RecordCode);
    }
    if (s == 14 && item == 27) {
        HideItems(14, 32, 34);
        RecordsPage = RecordsPage >= 238 ? 236 : RecordsPage + 1;
        ItemAt(14, 28).textSlot = (int16_t)RecordsPage;
        PlayClickSound();
        ShowRecordsPage(RecordsPage);
        HighlightRecordChoice(14, 0, 1);   // the new page's tabs name other tracks
    }
    if (s == 14) {
        if (RecordsPage == 236 && item >= 35 && item <= 37)
            ShowRecord(14, item, ChampionshipPageCode(12, item - 35));
        else if (RecordsPage == 237 && item >= 38 && item <= 41)
            ShowRecord(14, item, ChampionshipPageCode(13, item - 38));
        else if (RecordsPage == 238 && item >= 22 && item <= 26)
            ShowRecord(14, item, ChampionshipPageCode(14, item - 22));
    }
    if (s == 13 && item >= 22 && item <= 26) {
        RecordsAltHeading = item == 26;
        ShowRecord(13, item, CareerTrackCode(item - 22, 4));
    }
    if (s == 1 && item == 27) {
        HideItems(1, 32, 34);
        LapRecordsPage = LapRecordsPage >= 290 ? 286 : LapRecordsPage + 1;
        ItemAt(1, 28).textSlot = (int16_t)LapRecordsPage;
        PlayClickSound();
        ShowRecordPanel(1, RecordCode);
        HighlightRecordChoice(1, 0, 1);
    }
    if (s == 1 && item >= 22 && item <= 26) {
        RecordsAltHeading = item == 26;
        if (LapRecordsPage < 290)
            ShowRecord(1, item, CareerTrackCode(item - 22, LapRecordsPage - 286));
        else
            ShowRecord(1, item, CareerTrackCode(5, item - 22));
    }
    return 0;
}

static void CloseReplayConfirmation() {
    GiveBackPopupFreeze(15);
    ThawItems(15, 12, 16);
    ThawItem(15, 18);
    ThawItems(15, 20, 25);
    ThawItem(15, 36);
    HideItems(15, 37, 41);
}

int ReplaysAction(int*, int item) {
    if (item == 36 || item == 44)
        ShowTimedNotice(1);
    if (FileListCounts[9] <= 0) {
        if (item != 13 && item != 36)
            PlayErrorSound();
        return 0;
    }
    if (item == 12) {
        // A playback starts only once its replay has loaded; one the game
        // refuses brings up the screen's notice (with its error sound).
        if (!LoadSelectedReplay()) {
            ShowTimedNotice(1);
            return 0;
        }
        PlayClickSound();
        RaceFromReplay = 1;
        ApplyReplayHeader();
        StartRaceRequest = 1;
        PendingScreen = 15;
        ReplayWatched = 1;
    }
    if (item == 14) {
        // DELETE asks first: the confirmation's YES (38) deletes the
        // selected row's file, NO (40) keeps it.
        PlayClickSound();
        ShowPopup(15, 0, 0, 0);
    }
    if (item == 38 || item == 40) {
        CloseReplayConfirmation();
        if (item == 38 && !DeleteSelectedReplay())
            PlayErrorSound();
    }
    return 0;
}

static void CloseSlotConfirmation() {
    GiveBackPopupFreeze(20);
    ThawItems(20, 11, 13);
    ThawItems(20, 27, 32);
    HideItems(20, 33, 37);
}

static void SlotPath(char* path, int size, int row) {
    snprintf(path, (size_t)size, "USERS\\%s\\SAVE %02d.rb", CurrentPlayerName, row + 1);
}

static void WriteProfileFile() {
    char path[64];
    snprintf(path, sizeof path, "USERS\\%s.usr", CurrentPlayerName);
    WriteWholeFile(path, (int)sizeof PlayerProfile, PlayerProfile);
}

// Clearing a saved career: its description becomes the empty-slot text and
// its player name is blanked.  A file that is not a whole career record is
// left alone.
static void ClearSlotFile(int row) {
    char path[64];
    SlotPath(path, sizeof path, row);
    static CareerRecordImage slot;
    if (ReadWholeFile(path, &slot, (int)sizeof slot) <= 0 || LastFileSize != (int)sizeof slot) {
        PlayErrorSound();
        return;
    }
    GetText(613);
    const size_t length = strnlen(TextBufferB, sizeof slot.description - 1);
    memset(slot.description, 0, sizeof slot.description);
    memcpy(slot.description, TextBufferB, length);
    const size_t cleared = length < 24 ? length : 24;
    memset(slot.playerName, 0, cleared);
    WriteWholeFile(path, (int)sizeof slot, &slot);
    if (PlayerProfile[0] == row + 1) {
        PlayerProfile[0] = 0xFF;
        WriteProfileFile();
    }
    char pattern[64];
    snprintf(pattern, sizeof pattern, "USERS\\%s\\*", CurrentPlayerName);
    ListFiles(pattern, ".rb");
    ShowBlankInfo();
}

int LoadSlotAction(int* screen, int item, int* activated) {
    const int row = ListSelection[1];
    switch (item) {
    case 11:
        if (!InfoPanelValid) {
            ShowPopup(20, 2, 0, 0);
            PlayErrorSound();
            *activated = 0;
            return 1;
        }
        PlayClickSound();
        if (!LoadCareerSlot()) {
            PlayErrorSound();   // nothing was loaded: the profile keeps its slot
            return 0;
        }
        PlayerProfile[0] = (unsigned char)(row + 1);
        WriteProfileFile();
        ShowPopup(20, 1, 0, 0);
        break;
    case 13:
        PlayClickSound();
        ShowPopup(20, 0, 0, 0);
        break;
    case 34:
        CloseSlotConfirmation();
        ClearSlotFile(row);
        break;
    case 36: CloseSlotConfirmation(); break;
    case 38:
        PlayClickSound();
        HideItem(20, 33);
        HideItem(20, 35);
        HideItem(20, 37);
        HideItem(20, 38);
        GiveBackPopupFreeze(20);
        ThawItems(20, 11, 13);
        ThawItems(20, 27, 32);
        if (!LoadConfirmPending) {
            GoToScreen(screen, 3);
            return 1;
        }
        break;
    }
    return 0;
}

int SaveSlotAction(int* screen, int item) {
    switch (item) {
    case 13: KeyboardJumpGate = 0; break;
    case 12: EntryConfirm = 1; break;
    case 34:
        HideItems(21, 33, 36);
        GiveBackPopupFreeze(21);
        ThawItem(21, 13);
        ThawItems(21, 27, 32);
        FreezeItem(21, 12);
        SetItemColours(21, 12, 3, 3);
        GoToScreen(screen, 3);
        return 1;
    }
    return 0;
}
