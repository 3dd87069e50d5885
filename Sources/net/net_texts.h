// Texts and menu changes that the receive thread and the tick form: they are
// queued here, under a lock, and carried out on the main thread, which alone
// touches the text buffers, the text slots and the menu table.
#pragma once

#include "net/net_state.h"

enum { NET_TEXT_CONSOLE = 0, NET_TEXT_CHAT = 1 };
enum { NET_TEXT_QUEUE = 32, NET_TEXT_MAX = 160 };

// A line: with a text slot, "%s %s" of the name and the slot's text ("* %s %s"
// when marked), or the slot's text alone when the name is empty; without
// (slot -1), the text as it stands.
void NetPostText(int kind, int slot, const char* nameOrText, int marked);

struct NetName {
    char text[NET_NAME_SIZE];
};
NetName NetPlayerNameOf(int index);

// Requests for the main thread.
void NetRequestPlayerRows();
void NetRequestLobbyItems(int itemA, int itemB);
void NetRequestCarChoiceScreen();

// The menu and race frames call this once a frame, on the main thread.
void NetFrameWork();
// The chat names (text slots 469 + i) of every player; main thread.
void WriteChatNames();
