#include "frontend/text_entry.h"

#include <cstdio>
#include <cstring>

#include "frame/fileio.h"
#include "frame/frame_state.h"
#include "frontend/file_names.h"
#include "frontend/frontend_state.h"
#include "frontend/replay_header.h"
#include "frontend/text_slots.h"
#include "menulayout/menulayout_state.h"
#include "net/net_messages.h"
#include "race/messages.h"
#include "race/replay.h"
#include "render/text_printer.h"
#include "sound/music.h"

char MessageLogTable[MESSAGE_LOG_LINES][MESSAGE_LOG_WIDTH];

enum { KEY_ESCAPE_SCAN = 1, CHAR_ENTER = 13, CHAR_BACKSPACE = 8, CARET = '_' };

int FileNameCharAllowed(int code, int position) {
    code &= 255;
    if (code < 32 || code == 127)
        return 0;
    if (position == 0 && code == '.')
        return 0;
    return strchr("\\/:*?\"<>|", code) == nullptr;
}

// Markup and control codes would change how the text is drawn or what the
// menu keyboard finds in it: no field takes them.
static int PlainChar(int code) {
    code &= 255;
    return code >= 32 && code != TEXT_MARK_ONE && code != TEXT_MARK_KEY;
}

// The bytes of a slot and the room its line had in the message file: an
// editor never writes past it.
static char* SlotBytes(int slot, int* room) {
    *room = 0;
    if (slot < 0 || slot >= TEXT_SLOT_COUNT)
        return nullptr;
    const uint32_t offset = TextSlotTable[slot].offset;
    uint32_t bytes = TextSlotRoom[slot];
    if (offset >= TEXT_SLOT_BLOB_SIZE)
        return nullptr;
    if (offset + bytes > TEXT_SLOT_BLOB_SIZE)
        bytes = TEXT_SLOT_BLOB_SIZE - offset;
    *room = (int)bytes;
    return TextSlotBlob + offset;
}

static char CaretChar() { return (TickPhase & 4) ? (char)CARET : ' '; }

static void FreezeProfileButtons() {
    for (int i = 13; i <= 16; i++) {
        MenuItem& it = MenuScreenTable[18][i];
        it.flags &= ~MENU_HOVER_TEST;
        it.colour = 3;
        it.hoverColour = 3;
    }
}

// The profile screen after a name entry: the list panel comes back and the
// name panel leaves.
static void CloseProfileNamePanel() {
    if (MenuScreen != 18)
        return;
    MenuItem* s = MenuScreenTable[18];
    s[18].flags = (s[18].flags & ~MENU_SLIDE_IN) | MENU_SLIDE_OUT;
    s[3].flags = (s[3].flags | MENU_SLIDE_IN) & ~MENU_SLIDE_OUT;
    s[37].flags &= ~MENU_SHOWN;
}

// Every byte before `count` is a blank (bytes compared as signed, so codes
// 128 and up count as blank too).
static int AllBlank(const char* text, int count) {
    for (int i = 0; i < count; i++) {
        if ((signed char)text[i] >= 33)
            return 0;
    }
    return 1;
}

// The caret step shared by the editors: Backspace, or a typed character at
// prefix + EntryCursor, then the caret; the slot is as long as the text and
// the caret.  `limit` is the most characters the field takes.
static void EditStep(char* text, int room, int prefix, int limit, int fileName, void (*sound)(int)) {
    if (limit > room - prefix - 1)
        limit = room - prefix - 1;   // the caret must fit too
    if (limit < 0)
        limit = 0;
    if (EntryCursor > limit)
        EntryCursor = limit;
    const int typed = TypedChar;
    if (typed == CHAR_BACKSPACE) {
        if (EntryCursor > 0) {
            EntryCursor--;
            sound(1);
        } else {
            PlayErrorSound();
        }
    } else if (typed != 0) {
        const int allowed = PlainChar(typed) && (!fileName || FileNameCharAllowed(typed, EntryCursor));
        if (EntryCursor < limit && allowed) {
            text[prefix + EntryCursor] = (char)typed;
            EntryCursor++;
            sound(0);
        } else {
            PlayErrorSound();
        }
    }
    if (prefix + EntryCursor < room)
        text[prefix + EntryCursor] = CaretChar();
    TypedChar = 0;
}

// The line's prefix and the cursor after it, held inside the room (the
// caret takes the last byte).
static int PrefixInRoom(int room) {
    int prefix = EntryPrefixLength;
    if (prefix < 0 || prefix > room - 1)
        prefix = prefix < 0 ? 0 : room - 1;
    if (prefix + EntryCursor > room - 1)
        EntryCursor = room - 1 - prefix;
    return prefix;
}

static void MenuKeySound(int deleting) { PlayKeySound(deleting ? 0 : 1); }
static void ReplayKeySound(int deleting) { PlayTypingSound(deleting ? 1 : 0); }

void TypedNameEntry(int slot, int maxChars) {
    int room = 0;
    char* text = SlotBytes(slot, &room);
    if (!text || room < 1)
        return;
    if (KeyState[KEY_ESCAPE_SCAN]) {
        PlayErrorSound();
        EntryDone = 1;
        EntryEndKey = 27;
        EntryCursor = TypedChar = KeyboardJumpGate = EntryConfirm = TypedCharCount = 0;
        text[0] = 0;
        SetTextLength(slot, 0);
        CloseProfileNamePanel();
        return;
    }
    if (EntryCursor > room - 1)
        EntryCursor = room - 1;
    if (TypedChar == CHAR_ENTER || EntryConfirm) {
        PlayClickSound();
        if (EntryCursor < 1 || AllBlank(text, EntryCursor)) {
            PlayErrorSound();
            EntryConfirm = TypedCharCount = TypedChar = 0;
            FreezeProfileButtons();
            return;
        }
        PlayClickSound();
        SetTextLength(slot, EntryCursor);
        if (MenuScreen == 12)
            TypedChar = 0;
        EntryCursor = KeyboardJumpGate = TypedCharCount = EntryConfirm = 0;
        EntryDone = 1;
        EntryEndKey = CHAR_ENTER;
        CloseProfileNamePanel();
        return;
    }
    EditStep(text, room, 0, maxChars, slot == SLOT_NEW_PROFILE, MenuKeySound);
    SetTextLength(slot, EntryCursor + 1);
}

// The width of a line in a menu font: glyphs from code `firstGlyph`, a
// blank's advance below it.
static int LineWidth(const char* text, int count, int font, int firstGlyph) {
    const MenuFont& metrics = MenuFontMetrics[font];
    int width = 0;
    for (int i = 0; i < count; i++) {
        const int c = (unsigned char)text[i];
        width += c >= firstGlyph ? metrics.widths[c - 33] : metrics.spaceAdvance;
    }
    return width;
}

void ChatLineEntry(int slot, int maxChars) {
    int room = 0;
    char* text = SlotBytes(slot, &room);
    if (!text || room < 1)
        return;
    const int prefix = PrefixInRoom(room);
    if (TypedChar == CHAR_ENTER) {
        PlayMenuSound();
        const int length = prefix + EntryCursor;
        SetTextLength(slot, length);
        EntryCursor = 0;
        MenuPointerShown = 1;
        MouseClick = 0;
        TypedChar = 0;
        char line[256];
        const int n = length < (int)sizeof line - 1 ? length : (int)sizeof line - 1;
        memcpy(line, text, (size_t)n);
        line[n] = 0;
        SendChatText(line);
        PostChatLine(line);
        return;
    }
    if (TypedChar != 0 && TypedChar != CHAR_BACKSPACE &&
        LineWidth(text, prefix + EntryCursor, 1, 33) > ENTRY_CHAT_WIDTH) {
        PlayErrorSound();
        TypedChar = 0;
        return;
    }
    EditStep(text, room, prefix, maxChars, 0, MenuKeySound);
    SetTextLength(slot, prefix + EntryCursor + 1);
}

int ReplayNameEntry(int slot, int maxChars) {
    int room = 0;
    char* text = SlotBytes(slot, &room);
    if (!text || room < 1)
        return 0;
    // The buffer holds the line between frames; the slot shows it.
    if (room > REPLAY_NAME_BUFFER)
        room = REPLAY_NAME_BUFFER;
    const int prefix = PrefixInRoom(room);
    if (TypedChar == CHAR_ENTER) {
        TypedChar = 0;
        if (EntryCursor <= 0)
            return 0;
        const int length = prefix + EntryCursor;
        ReplayNameBuffer[length] = 0;
        memcpy(text, ReplayNameBuffer, (size_t)length);
        SetTextLength(slot, length);
        MenuPointerShown = 1;
        MouseClick = 0;
        return EntryCursor;
    }
    if (TypedChar != 0 && TypedChar != CHAR_BACKSPACE &&
        LineWidth(ReplayNameBuffer, prefix + EntryCursor, 1, 34) > ENTRY_CHAT_WIDTH) {
        PlayErrorSound();
        TypedChar = 0;
        return 0;
    }
    EditStep(ReplayNameBuffer, room, prefix, maxChars, 1, ReplayKeySound);
    memcpy(text, ReplayNameBuffer, (size_t)(prefix + EntryCursor + 1));
    SetTextLength(slot, prefix + EntryCursor + 1);
    return 0;
}

static void CloseReplayPrompt() { ReplayPromptOpen = 0; }

// Enter on a name of nothing or of blanks: such a file (Replay\Users\.rb)
// would never be listed and would refuse every later save.
static void RefuseReplayName() {
    PlayErrorSound();
    ConsoleAddLine("Replay not saved: type a name for it");
}

void SaveReplayPrompt(PlatSurface* surface) {
    if (!ReplayPromptOpen)
        return;
    if (KeyState[KEY_ESCAPE_SCAN]) {
        CloseReplayPrompt();
        return;
    }
    const int enter = TypedChar == CHAR_ENTER;
    const int accepted = ReplayNameEntry(SLOT_REPLAY_NAME, ENTRY_REPLAY_MAX);
    for (int mode = 1; mode >= 0; mode--) {
        GetText(SLOT_REPLAY_PROMPT);
        PrintText(320, 200, TextBufferB, 2, ALIGN_CENTRE, surface, mode);
        GetText(SLOT_REPLAY_NAME);
        PrintText(320, 240, TextBufferB, 1, ALIGN_CENTRE, surface, mode);
    }
    if (accepted <= 0) {
        if (enter)
            RefuseReplayName();
        return;
    }
    GetText(SLOT_REPLAY_NAME);
    char name[sizeof ReplayHeader.replayName];
    const size_t length = strnlen(TextBufferB, sizeof name - 1);
    memcpy(name, TextBufferB, length);
    name[length] = 0;
    if (AllBlank(name, (int)length) || !FileNameSafe(name, (int)sizeof name - 1)) {
        RefuseReplayName();
        return;
    }
    memcpy(ReplayHeader.replayName, name, length + 1);
    char path[64];
    snprintf(path, sizeof path, "Replay\\Users\\%s.rb", ReplayHeader.replayName);
    if (QueryFileSize(path)) {
        PlayErrorSound();
        return;
    }
    EntryCursor = 0;
    if (SaveReplayData(path, &ReplayHeader) <= 0) {
        PlayErrorSound();   // nothing was written: the prompt stays
        return;
    }
    CloseReplayPrompt();
}

// A slot takes another slot's text and length, within its own room.
static void CopySlotText(int to, int from) {
    int room = 0;
    char* out = SlotBytes(to, &room);
    int fromRoom = 0;
    const char* in = SlotBytes(from, &fromRoom);
    if (!out || !in)
        return;
    int length = (int)TextSlotTable[from].length;
    if (length > fromRoom)
        length = fromRoom;
    if (length > room)
        length = room;
    memmove(out, in, (size_t)length);
    SetTextLength(to, length);
}

static void SetSlotText(int slot, const char* text, int length) {
    int room = 0;
    char* out = SlotBytes(slot, &room);
    if (!out)
        return;
    if (length > room)
        length = room;
    memcpy(out, text, (size_t)length);
    SetTextLength(slot, length);
}

void ScrollChatLines() {
    CopySlotText(SLOT_CHAT_AREA, SLOT_CHAT_AREA + 1);
    CopySlotText(SLOT_CHAT_AREA + 1, SLOT_CHAT_AREA + 2);
    SetSlotText(SLOT_CHAT_AREA + 2, "  ", 2);
    SetTextLength(SLOT_CHAT_AREA + 2, 1);
}

void PostChatLine(const char* text) {
    PlayTypingSound(2);
    ScrollChatLines();
    SetSlotText(SLOT_CHAT_AREA + 2, text, (int)strlen(text));
}

void ScrollMessageLog() {
    FileListCounts[11] = MESSAGE_LOG_LINES;
    for (int i = 0; i < MESSAGE_LOG_LINES - 1; i++)
        CopySlotText(SLOT_MESSAGE_LOG + i, SLOT_MESSAGE_LOG + i + 1);
    SetSlotText(SLOT_MESSAGE_LOG + 8, " ", 1);
    for (int i = 0; i < MESSAGE_LOG_LINES; i++) {
        int room = 0;
        const char* line = SlotBytes(SLOT_MESSAGE_LOG + i, &room);
        int length = (int)TextSlotTable[SLOT_MESSAGE_LOG + i].length;
        if (!line)
            continue;
        if (length > room)
            length = room;
        if (length > ENTRY_CHAT_MAX)
            length = ENTRY_CHAT_MAX;
        memset(MessageLogTable[i], 0, MESSAGE_LOG_WIDTH);
        memcpy(MessageLogTable[i], line, (size_t)length);
        SetTextLength(SLOT_MESSAGE_LOG + i, length);
    }
}
