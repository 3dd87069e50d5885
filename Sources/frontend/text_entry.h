// Text entry in place: the menu fields (profile name, save description,
// player names), the lobby's chat line, the replay name typed after a race,
// and the three-line message area and the lobby's message log.
#pragma once

struct PlatSurface;

// Slots the editors write.
enum {
    SLOT_REPLAY_PROMPT = 28,
    SLOT_REPLAY_NAME = 29,
    SLOT_CHAT_LINE = 307,
    SLOT_CHAT_AREA = 309,     // 309..311, oldest first
    SLOT_CHAT_PREFIX = 468,
    SLOT_MESSAGE_LOG = 459,   // 459..467, newest at 467
    SLOT_NEW_PROFILE = 621,
    SLOT_SAVE_ROWS = 640,
    SLOT_PLAYER_NAMES = 754,
};

// One frame of a menu field: the typed character (TypedChar) edits the
// slot; Enter, an OK button (EntryConfirm) or Escape ends the entry.
void TypedNameEntry(int slot, int maxChars);
// One frame of the lobby's chat line (prefix EntryPrefixLength long).
void ChatLineEntry(int slot, int maxChars);
// One frame of the replay name; the typed length once Enter accepted a
// name, else 0.
int ReplayNameEntry(int slot, int maxChars);
// The replay-name prompt after a race, while ReplayPromptOpen.
void SaveReplayPrompt(PlatSurface* surface);

void PostChatLine(const char* text);
void ScrollChatLines();
void ScrollMessageLog();

// The lobby's message log as its list shows it: nine lines of 160 bytes.
enum { MESSAGE_LOG_LINES = 9, MESSAGE_LOG_WIDTH = 160 };
extern char MessageLogTable[MESSAGE_LOG_LINES][MESSAGE_LOG_WIDTH];

// A character a name that becomes a file name may hold at `position`:
// none of \ / : * ? " < > |, no control character, no "." first.
int FileNameCharAllowed(int code, int position);
