#include "net/lobby.h"

#include <cstring>

#include "menulayout/menulayout_state.h"
#include "net/net_outside.h"
#include "net/net_state.h"

// At most ROW_TEXT_MAX characters of a name; a single blank for none.
static int RowText(const char* name, char* out) {
    int n = 0;
    while (n < ROW_TEXT_MAX && name[n])
        out[n] = name[n], n++;
    if (n == 0)
        out[n++] = ' ';
    out[n] = 0;
    return n;
}

void ShowSessionList() {
    const int count = NetSessionCount;
    const int changed = count != LastShownSessionCount;
    if (changed) {
        if (count == 0) {
            NetChangeItemFlags(SESSION_SCREEN, JOIN_ITEM, 0, MENU_HOVER_TEST);
            NetChangeItemFlags(SESSION_SCREEN, SESSION_INFO_ITEM, MENU_SLIDE_OUT, MENU_SLIDE_IN);
        } else {
            NetChangeItemFlags(SESSION_SCREEN, JOIN_ITEM, MENU_HOVER_TEST, 0);
            NetChangeItemFlags(SESSION_SCREEN, SESSION_INFO_ITEM, MENU_SLIDE_IN, 0);
        }
    }
    for (int i = 0; i < SESSION_ROWS; i++) {
        char row[ROW_TEXT_MAX + 1];
        int length;
        {
            std::lock_guard<std::mutex> lock(NetSessionListLock);
            length = RowText(i < count ? SessionList[i].hostName : "", row);
        }
        NetSetListRow(i, row);
        NetPutSlot(SESSION_ROW_SLOT + i, row, length);
    }
    if (changed) {
        LastShownSessionCount = count;
        NetListScrollBack();
    }
}

void ClearPlayerList() {
    for (int i = 0; i < NET_MAX_PLAYERS; i++)
        NetPutSlot(PLAYER_ROW_SLOT + i, "  ", 2);
}

void ShowPlayerList() {
    ClearPlayerList();
    std::lock_guard<std::mutex> lock(NetPlayerListLock);
    for (int i = 0; i < NetPlayerCount && i < NET_MAX_PLAYERS; i++) {
        char row[ROW_TEXT_MAX + 1];
        int n = 0;
        while (n < ROW_TEXT_MAX && NetPlayerNames[i][n])
            row[n] = NetPlayerNames[i][n], n++;
        row[n] = 0;
        NetPutSlot(PLAYER_ROW_SLOT + i, row, n);
    }
}

void OnNetListGrew() {
    const int count = NetSessionCount;
    if (count > LastSessionCount)
        NetPlayMessageSound();
    LastSessionCount = count;
}
