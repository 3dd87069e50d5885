#include "frontend/popups.h"

#include <cstdio>
#include <cstring>

#include "frontend/frontend_state.h"
#include "menulayout/menulayout_state.h"
#include "platform/plat_system.h"
#include "sound/music.h"

// Which items each screen's pop-up froze, so that its close button can give
// every one of them its hover test back, and only those.
static uint8_t FrozenByPopup[MENU_LAYOUT_SCREENS][MENU_ITEMS];

static MenuItem* PopupItem(int screen, int item) {
    if (screen < 0 || screen >= MENU_LAYOUT_SCREENS || item < 0 || item >= MENU_ITEM_COUNT)
        return nullptr;
    return &MenuScreenTable[screen][item];
}

// An inert item no longer reacts to the pointer.
static void Inert(int screen, int first, int last) {
    for (int i = first; i <= last; i++) {
        MenuItem* it = PopupItem(screen, i);
        if (it && (it->flags & MENU_HOVER_TEST)) {
            it->flags &= ~MENU_HOVER_TEST;
            FrozenByPopup[screen][i] = 1;
        }
    }
}

// Each button a pop-up dimmed: 1 and its normal and hover colours, put back
// with its hover test.
static uint8_t DimmedByPopup[MENU_LAYOUT_SCREENS][MENU_ITEMS][3];

// Inert buttons that stay in sight beside the pop-up show that they wait
// for it: dim, and not lit under the pointer.
static void Dimmed(int screen, int first, int last) {
    for (int i = first; i <= last; i++) {
        MenuItem* it = PopupItem(screen, i);
        if (!it || !(it->flags & MENU_TEXT))
            continue;
        // Opened again before it was closed: the colours kept stay.
        uint8_t* kept = DimmedByPopup[screen][i];
        if (!kept[0] || it->colour != 1 || it->hoverColour != 1) {
            kept[0] = 1;
            kept[1] = it->colour;
            kept[2] = it->hoverColour;
        }
        it->colour = it->hoverColour = 1;
    }
}

static void Shown(int screen, int item) {
    if (MenuItem* it = PopupItem(screen, item))
        it->flags |= MENU_SHOWN;
}

static void Hidden(int screen, int first, int last) {
    for (int i = first; i <= last; i++) {
        if (MenuItem* it = PopupItem(screen, i))
            it->flags &= ~MENU_SHOWN;
    }
}

// A button is shown and reacts to the pointer.
static void Button(int screen, int item) {
    if (MenuItem* it = PopupItem(screen, item))
        it->flags |= MENU_SHOWN | MENU_HOVER_TEST;
}

static void Message(int screen, int item, int slot) {
    if (MenuItem* it = PopupItem(screen, item)) {
        it->textSlot = (int16_t)slot;
        it->flags |= MENU_SHOWN;
    }
}

// A panel that slides in glides to its home position.
static void SlideIn(int screen, int item) {
    if (MenuItem* it = PopupItem(screen, item))
        it->flags |= MENU_SHOWN | MENU_SLIDE_IN;
}

static void PanelPicture(int screen, int item, int picture) {
    if (MenuItem* it = PopupItem(screen, item)) {
        it->firstPicture = (int16_t)picture;
        it->currentPicture = (int16_t)picture;
    }
}

static void Disable(int screen, int item) {
    if (MenuItem* it = PopupItem(screen, item)) {
        it->flags &= ~MENU_SLIDE_IN;
        it->flags |= MENU_SLIDE_OUT;
    }
}

void GiveBackPopupFreeze(int screen) {
    if (screen < 0 || screen >= MENU_LAYOUT_SCREENS)
        return;
    for (int i = 0; i < MENU_ITEM_COUNT; i++) {
        MenuItem& it = MenuScreenTable[screen][i];
        if (FrozenByPopup[screen][i])
            it.flags |= MENU_HOVER_TEST;
        FrozenByPopup[screen][i] = 0;
        if (DimmedByPopup[screen][i][0]) {
            it.colour = DimmedByPopup[screen][i][1];
            it.hoverColour = DimmedByPopup[screen][i][2];
        }
        DimmedByPopup[screen][i][0] = 0;
    }
}

// The board of each screen's pop-up (the main menu has its quit question
// too): the board, what stands on it and its buttons are the pop-up's.
struct PopupBoardOf {
    int8_t screen;
    uint8_t board;
};
static const PopupBoardOf kPopupBoards[] = {
    {0, 51}, {0, 56}, {2, 46}, {3, 46}, {5, 69}, {7, 31}, {8, 50}, {9, 32}, {10, 50},
    {11, 43}, {15, 37}, {18, 32}, {19, 69}, {20, 33}, {21, 33}, {22, 15},
};

int PopupItemOf(int screen, int item) {
    if (screen < 0 || screen >= MENU_LAYOUT_SCREENS || item <= 0 || item >= MENU_ITEM_COUNT)
        return 0;
    const int parent = MenuScreenTable[screen][item].parent;
    for (const PopupBoardOf& b : kPopupBoards) {
        if (b.screen == screen && (item == b.board || parent == b.board))
            return b.board;
    }
    return 0;
}

int PopupFroze(int screen, int item) {
    if (screen < 0 || screen >= MENU_LAYOUT_SCREENS || item < 0 || item >= MENU_ITEMS)
        return 0;
    return FrozenByPopup[screen][item];
}

// Career messages of type 1, by kind (rows) and sub-kind (columns); 0 keeps
// the text of type 1.
static const short kCareerMessages[7][5] = {
    {1819, 1820, 1821, 1822, 0}, {1827, 1828, 1829, 1830, 0}, {1815, 1816, 1817, 1818, 0},
    {1831, 1832, 1833, 1834, 0}, {1823, 1824, 1825, 1826, 0}, {1795, 1796, 1797, 1798, 1799},
    {1787, 1788, 1789, 1790, 0},
};

int PopupMessageSlot(int screen, int type, int kind, int subKind) {
    switch (screen) {
    case 0:
        switch (type) {
        case 0: return 316;
        case 1: return 317;
        case 2: return 318;
        case 5: return 323;
        case 10: return 1864;
        }
        return -1;
    case 9:
        switch (type) {
        case 0: case 1: return 320;
        case 2: return 321;
        case 3: return 322;
        case 5: return 323;
        }
        return -1;
    case 10:
        return type == 0 ? 319 : type == 1 ? 320 : type == 5 ? 323 : -1;
    case 11: return type == 5 ? 323 : -1;
    case 2: return type == 0 ? 978 : type == 1 ? 1805 : -1;
    case 4: return type == 0 ? 1005 : type == 1 ? 1021 : -1;
    case 19: {
        static const short slots[5] = {1006, 1004, 1019, 1005, 1021};
        return type >= 0 && type < 5 ? slots[type] : -1;
    }
    case 8: return type == 0 ? 1022 : -1;
    case 7: return type == 0 ? 458 : -1;
    case 15: return type == 0 ? 389 : -1;   // the layout's own text
    case 18: {
        static const short slots[4] = {387, 447, 448, 457};
        return type >= 0 && type < 4 ? slots[type] : -1;
    }
    case 20: return type == 0 ? 388 : type == 1 ? 1031 : type == 2 ? 1854 : -1;
    case 21: return type == 0 ? 1030 : -1;
    case 22: {
        static const short slots[8] = {1800, 1023, 1024, 1801, 1802, -1, 1803, 1804};
        return type >= 0 && type < 8 ? slots[type] : -1;
    }
    case 5:
        if (type == 2)
            return kind == 0 ? SLOT_NO_TRACK_CHOSEN : SLOT_RACE_NOT_IN_FOLDER;
        return type == 0 ? 315 : type == 6 ? 1009 : -1;
    case 3: {
        static const short slots[11] = {1786, 612, 1008, 1009, 1003, 1007, 1002, 1003, 1007, 1028, SLOT_LOG_IN_FIRST};
        if (type < 0 || type > 10)
            return -1;
        if (type == 1 && kind >= 0 && kind < 7 && subKind >= 0 && subKind < 5 && kCareerMessages[kind][subKind])
            return kCareerMessages[kind][subKind];
        return slots[type];
    }
    }
    return -1;
}

// The showroom's own types: 0 opens, 1 closes, 2 tells why the race cannot
// start (kind 0: no track chosen, 1: the race is not in the game folder), 5
// the network message, 6 opens with the leave question.
static void ShowroomPopup(int type, int slot) {
    const int s = 5;
    static const int items[5] = {27, 28, 41, 42, 81};
    switch (type) {
    case 0:
        PopupOpenFlag = 1;
        Shown(s, 69);
        Message(s, 71, 315);
        for (int item : items)
            Inert(s, item, item);
        break;
    case 1:
        GiveBackPopupFreeze(s);
        for (int item : items)
            MenuScreenTable[s][item].flags |= MENU_HOVER_TEST;
        PopupOpenFlag = 0;
        Hidden(s, 69, 69);
        Hidden(s, 71, 71);
        break;
    case 2:
        // The reason, and under it item 72, the panel's OK, as the button
        // that closes it (the car choice's actions close it as item 89 does).
        PopupOpenFlag = 1;
        for (int item : items)
            Inert(s, item, item);
        Shown(s, 69);
        Message(s, 71, slot);
        Button(s, 72);
        Shown(s, 92);
        break;
    case 5:
        for (int item : items)
            Inert(s, item, item);
        PopupOpenFlag = 0;
        Shown(s, 69);
        Shown(s, 71);
        Button(s, 89);
        Shown(s, 92);
        break;
    case 6:
        PopupOpenFlag = 1;
        for (int i = 0; i < 4; i++)
            Inert(s, items[i], items[i]);
        Shown(s, 69);
        Message(s, 71, 1009);
        break;
    }
}

static void CareerPopup(int type, int kind, int subKind) {
    const int s = 3;
    Inert(s, 15, 21);
    Inert(s, 24, 30);
    Inert(s, 11, 14);
    Inert(s, 156, 156);
    Inert(s, 164, 165);
    Shown(s, 163);
    const int slot = PopupMessageSlot(s, type, kind, subKind);
    switch (type) {
    case 0: case 7: case 8: case CAREER_NO_PROFILE:
        PanelPicture(s, 46, 11);
        SlideIn(s, 46);
        break;
    case 1:
        PanelPicture(s, 46, 534);
        SlideIn(s, 46);
        PlayNewBonusSound();
        if (kind == 5 && subKind == 4) {
            RewardNotice = 1;
            CareerRecord.specialRace = 1;
        }
        break;
    case 2: case 3: case 9:
        Hidden(s, 54, 68);
        Disable(s, 52);
        PanelPicture(s, 46, 11);
        Shown(s, 46);
        if (type == 3) {
            Inert(s, 11, 14);
            Inert(s, 156, 156);
        }
        break;
    case 4: case 5:
        Hidden(s, 54, 68);
        Inert(s, 11, 14);
        Inert(s, 156, 156);
        PanelPicture(s, 46, 11);
        Shown(s, 46);
        break;
    case 6:
        Shown(s, 163);
        PanelPicture(s, 46, 11);
        SlideIn(s, 46);
        PlayNewBonusSound();
        NewBonusNotice = 1;
        NewBonusBlinkStarted = 0;
        NewUnlockNotice = 0;   // its OK leads on instead of opening it again
        break;
    default: return;
    }
    if (type == 3) {
        Button(s, 157);
        Button(s, 158);
    } else {
        Button(s, 47);
    }
    Message(s, 48, slot);
}

// One button, a panel and a message: the common shape.
struct PopupParts {
    int panel, button, text, overlay;
};

static void OpenPanel(int screen, const PopupParts& parts, int slot) {
    if (parts.overlay > 0)
        Shown(screen, parts.overlay);
    if (slot < 0)
        return;
    Shown(screen, parts.panel);
    Button(screen, parts.button);
    Message(screen, parts.text, slot);
}

// The profile and save-slot panels: type 0 asks (two buttons), the other
// types tell (one button).
struct QuestionParts {
    int panel, text, overlay, yes, no, ok;
};

static void QuestionPanel(int screen, const QuestionParts& parts, int type, int slot) {
    Shown(screen, parts.overlay);
    if (slot < 0)
        return;
    Shown(screen, parts.panel);
    Message(screen, parts.text, slot);
    if (type == 0) {
        Button(screen, parts.yes);
        Button(screen, parts.no);
    } else {
        Button(screen, parts.ok);
    }
}

void ShowPopup(int screen, int type, int kind, int subKind) {
    char line[32];
    snprintf(line, sizeof line, "popup %d %d", screen, type);
    PlatDebugOut(line);
    PlayMessageSound();
    // The pop-up takes the click that opened it: its buttons may lie under
    // the pointer (the career's YES and NO under its BACK), and the items
    // after the clicked one in this frame's walk would take it too.
    MenuStateWord = 0;
    NetworkLostPopup = type == 5;
    const int slot = PopupMessageSlot(screen, type, kind, subKind);
    switch (screen) {
    case 0:
        Inert(0, 13, 18);
        Inert(0, 40, 41);
        if (type == 10)
            Inert(0, 3, 18);
        OpenPanel(0, {51, 52, 53, 60}, slot);
        break;
    case 9:
        Inert(9, 12, 14);
        Inert(9, 16, 23);
        Inert(9, 25, 25);
        OpenPanel(9, {32, 33, 34, 35}, slot);
        break;
    case 10:
        Inert(10, 12, 13);
        Inert(10, 17, 19);
        Inert(10, 41, 46);
        Inert(10, 21, 22);
        OpenPanel(10, {50, 51, 52, 53}, slot);
        break;
    case 11:
        Inert(11, 10, 11);
        OpenPanel(11, {43, 44, 45, 46}, slot);
        break;
    case 2:
        Inert(2, 14, 19);
        Inert(2, 24, 30);
        OpenPanel(2, {46, 47, 48, 0}, slot);
        if (type == 1) {
            PlayNewBonusSound();
            Shown(2, 52);
        }
        break;
    case 4:
        if (type == 0 || type == 1) {
            Inert(4, 27, 33);
            Inert(4, 39, 42);
        }
        Shown(4, 81);
        if (slot >= 0) {
            Shown(4, 69);
            Message(4, 71, slot);
            if (type == 0) {
                Button(4, 70);
                MenuScreenTable[4][70].textSlot = 728;
                Button(4, 72);
                MenuScreenTable[4][72].textSlot = 729;
            } else {
                Button(4, 80);
                MenuScreenTable[4][80].textSlot = 48;
            }
        }
        break;
    case 19:
        Inert(19, 27, 33);
        if (type >= 0 && type <= 2) {
            Inert(19, 39, 39);
            Inert(19, 42, 42);
        } else if (type == 3 || type == 4) {
            Inert(19, 39, 42);
        }
        Shown(19, 83);
        if (slot < 0)
            break;
        if (type == 0)
            PlayNewBonusSound();
        Shown(19, 69);
        Message(19, 71, slot);
        if (type <= 2) {
            Button(19, 80);
            MenuScreenTable[19][80].textSlot = 979;
            PopupOpenFlag = 1;
        } else if (type == 3) {
            Button(19, 70);
            MenuScreenTable[19][70].textSlot = 728;
            Button(19, 72);
            MenuScreenTable[19][72].textSlot = 729;
            Shown(19, 85);
        } else {
            Button(19, 80);
            MenuScreenTable[19][80].textSlot = 48;
        }
        break;
    case 8:
        if (type == 0) {
            Inert(8, 12, 14);
            Inert(8, 17, 22);
            Inert(8, 25, 26);
            PlayErrorSound();
        }
        OpenPanel(8, {50, 51, 52, 60}, slot);
        break;
    case 7:
        if (type == 0) {
            Inert(7, 12, 13);
            Inert(7, 15, 15);
            Inert(7, 4, 4);
            Inert(7, 17, 17);
            PlayErrorSound();
        }
        OpenPanel(7, {31, 32, 33, 34}, slot);
        break;
    case 15:
        Inert(15, 12, 16);
        Inert(15, 20, 25);
        Inert(15, 18, 18);
        Inert(15, 36, 36);
        Shown(15, 41);
        if (type == 0) {
            Shown(15, 37);
            Shown(15, 39);
            Button(15, 38);
            Button(15, 40);
        }
        break;
    case 18:
        Inert(18, 13, 16);
        Inert(18, 21, 28);
        QuestionPanel(18, {32, 34, 36, 33, 35, 38}, type, slot);
        break;
    case 20:
        Inert(20, 11, 13);
        Inert(20, 27, 32);
        if (type == 2)
            LoadConfirmPending = 1;
        else if (type == 0 || type == 1)
            LoadConfirmPending = 0;
        QuestionPanel(20, {33, 35, 37, 34, 36, 38}, type, slot);
        break;
    case 21:
        Inert(21, 27, 32);
        Inert(21, 12, 13);
        OpenPanel(21, {33, 34, 35, 36}, slot);
        break;
    case 22: {
        const int listed = slot >= 0;
        Inert(22, 7, 9);
        if (type == 0) {
            Inert(22, 12, 14);
            Dimmed(22, 12, 14);
        }
        else if (listed)
            Inert(22, 11, 14);
        Shown(22, 18);
        if (!listed)
            break;
        if (type == 1 || type == 2)
            PlayErrorSound();
        // The first question stands below the three buttons it asks about, on
        // a board low enough to leave them in sight.
        PanelPicture(22, 15, type == 3 || type == 4 || type == 6 ? 534 : type == 0 ? 16 : 11);
        OpenPanel(22, {15, 16, 17, 18}, slot);
        break;
    }
    case 5: ShowroomPopup(type, slot); break;
    case 3: CareerPopup(type, kind, subKind); break;
    default: break;
    }
}

void RefreshPopups(int type) {
    const int screen = MenuScreenShown;
    if (screen == 0 || screen == 9 || screen == 10 || screen == 11) {
        ShowPopup(screen, type, 0, 0);
    } else if (screen == 5) {
        for (int i = 0; i < 3; i++)
            ShowPopup(5, type, 0, 0);
    }
}
