#include "net/net_texts.h"

#include <cstdio>
#include <cstring>

#include "net/lobby.h"
#include "net/net_outside.h"

enum { CHAT_NAME_SLOT = 469 };

struct PendingText {
    int kind;
    int slot;
    int marked;
    char text[NET_TEXT_MAX];
};

static std::mutex pendingLock;
static PendingText pending[NET_TEXT_QUEUE];
static int pendingCount;
static std::atomic<int> playerRowsWanted, lobbyItemA, lobbyItemB, carChoiceWanted;

void NetPostText(int kind, int slot, const char* nameOrText, int marked) {
    std::lock_guard<std::mutex> lock(pendingLock);
    if (pendingCount == NET_TEXT_QUEUE)
        return;   // a flood of lines: the oldest unread ones are enough
    PendingText& p = pending[pendingCount++];
    p.kind = kind;
    p.slot = slot;
    p.marked = marked;
    snprintf(p.text, sizeof p.text, "%s", nameOrText);
}

NetName NetPlayerNameOf(int index) {
    NetName n{};
    std::lock_guard<std::mutex> lock(NetPlayerListLock);
    if (index >= 0 && index < NetPlayerCount && index < NET_MAX_PLAYERS)
        memcpy(n.text, NetPlayerNames[index], sizeof n.text);
    n.text[NET_NAME_SIZE - 1] = 0;
    return n;
}

void NetRequestPlayerRows() { playerRowsWanted = 1; }

void NetRequestLobbyItems(int itemA, int itemB) {
    if (itemA)
        lobbyItemA = 1;
    if (itemB)
        lobbyItemB = 1;
}

void NetRequestCarChoiceScreen() { carChoiceWanted = 1; }

void WriteChatNames() {
    for (int i = 0; i < NetPlayerCount && i < NET_MAX_PLAYERS; i++) {
        const NetName n = NetPlayerNameOf(i);
        NetPutSlot(CHAT_NAME_SLOT + i, n.text, (int)strlen(n.text));
    }
}

void NetFrameWork() {
    PendingText lines[NET_TEXT_QUEUE];
    int count;
    {
        std::lock_guard<std::mutex> lock(pendingLock);
        count = pendingCount;
        memcpy(lines, pending, sizeof(PendingText) * (size_t)count);
        pendingCount = 0;
    }
    for (int i = 0; i < count; i++) {
        char line[NET_TEXT_MAX + 256];
        if (lines[i].slot >= 0) {
            char text[256];
            NetGetText(lines[i].slot, text, sizeof text);
            if (lines[i].text[0])
                snprintf(line, sizeof line, lines[i].marked ? "* %s %s" : "%s %s", lines[i].text, text);
            else   // a line of the slot's text alone
                snprintf(line, sizeof line, "%s", text);
        } else {
            snprintf(line, sizeof line, "%s", lines[i].text);
        }
        if (lines[i].kind == NET_TEXT_CHAT)
            NetChatLine(line);
        else
            NetConsoleLine(line);
    }
    if (playerRowsWanted.exchange(0)) {
        ShowPlayerList();
        WriteChatNames();
    }
    if (lobbyItemA.exchange(0))
        NetDisableLobbyItemA();
    if (lobbyItemB.exchange(0))
        NetDisableLobbyItemB();
    if (carChoiceWanted.exchange(0))
        NetJumpToCarChoice();
}
