// libFuzzer target: random keys into the text editors.
//
// The input's first byte sets how much room the edited slots have (their
// lines as loaded); the rest is a stream of (editor, key) pairs fed to the
// menu field, the profile name, the chat line and the replay name one frame
// at a time, with Escape now and then.  Every slot sits between guard bytes:
// an editor that writes past its slot's room, or a slot length beyond it,
// stops the run.  Built and run by scripts/fuzz.sh (clang, ASan + UBSan).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "frame/fileio.h"
#include "frame/frame_state.h"
#include "frontend/frontend_state.h"
#include "frontend/replay_header.h"
#include "frontend/text_entry.h"
#include "frontend/text_slots.h"
#include "menulayout/menulayout_state.h"
#include "net/net_messages.h"
#include "race/replay.h"
#include "render/text_printer.h"
#include "sound/music.h"

// What the editors call outside their file: nothing is drawn, sent, played
// or saved.
int LastFileSize;
unsigned char KeyState[256];
int MouseClick;
int MenuPointerShown = 1;
int KeyboardJumpGate;
int RaceWon;   // the race's win latch, which the career reads
char TextSlotBlob[TEXT_SLOT_BLOB_SIZE];
TextSlot TextSlotTable[TEXT_SLOT_COUNT];
uint32_t TextSlotRoom[TEXT_SLOT_COUNT];
MenuItem MenuScreenTable[MENU_SCREENS][MENU_ITEMS];
char TextBufferB[TEXT_BUFFER_SIZE];
int GetText(int slot) {
    TextBufferB[0] = 0;
    if (slot < 0 || slot >= TEXT_SLOT_COUNT)
        return 0;
    uint32_t n = TextSlotTable[slot].length;
    if (n >= TEXT_BUFFER_SIZE)
        n = TEXT_BUFFER_SIZE - 1;
    memcpy(TextBufferB, TextSlotBlob + TextSlotTable[slot].offset, n);
    TextBufferB[n] = 0;
    return (int)n;
}
void SetTextLength(int slot, int length) {
    if (slot < 0 || slot >= TEXT_SLOT_COUNT)
        return;
    if (length < 0)
        length = 0;
    if ((uint32_t)length > TextSlotRoom[slot])
        length = (int)TextSlotRoom[slot];
    TextSlotTable[slot].length = (uint32_t)length;
}
int QueryFileSize(const char*) { return 0; }
ReplayHeaderRecord ReplayHeader;
int SaveReplayData(const char*, const ReplayHeaderRecord*) { return 1; }
void SendChatText(const char*) {}
void ConsoleAddLine(const char*) {}
void PrintText(int, int, const char*, int, int, PlatSurface*, int) {}
void PlayClickSound() {}
void PlayMenuSound() {}
void PlayErrorSound() {}
void PlayKeySound(int) {}
void PlayTypingSound(int) {}

namespace {

enum { GUARD = 0xA5, SLOTS = 6 };
const int kSlots[SLOTS] = {SLOT_NEW_PROFILE, SLOT_SAVE_ROWS, SLOT_CHAT_LINE,
                           SLOT_REPLAY_NAME, SLOT_CHAT_AREA + 2, SLOT_MESSAGE_LOG + 8};

// Each slot gets `room` bytes with 16 guard bytes after it.
void LayOut(int room) {
    memset(TextSlotBlob, GUARD, sizeof TextSlotBlob);
    memset(TextSlotTable, 0, sizeof TextSlotTable);
    memset(TextSlotRoom, 0, sizeof TextSlotRoom);
    uint32_t at = 16;
    for (int slot : kSlots) {
        TextSlotTable[slot].offset = at;
        TextSlotTable[slot].length = 0;
        TextSlotRoom[slot] = (uint32_t)room;
        memset(TextSlotBlob + at, ' ', (size_t)room);
        at += (uint32_t)room + 16;
    }
}

void CheckGuards(int room) {
    for (int slot : kSlots) {
        const uint32_t end = TextSlotTable[slot].offset + (uint32_t)room;
        for (uint32_t i = 0; i < 16; i++) {
            if ((unsigned char)TextSlotBlob[end + i] != GUARD)
                abort();   // written past the slot's room
        }
        if (TextSlotTable[slot].length > (uint32_t)room)
            abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const int room = 1 + data[0] % 200;
    LayOut(room);
    EntryCursor = EntryDone = EntryConfirm = 0;
    EntryPrefixLength = data[1] % 40;
    ReplayPromptOpen = 0;
    memset(ReplayNameBuffer, 0, sizeof ReplayNameBuffer);
    memset(KeyState, 0, sizeof KeyState);
    for (size_t i = 2; i + 1 < size; i += 2) {
        const int editor = data[i] & 7;
        TypedChar = data[i + 1];
        KeyState[1] = (data[i] & 0xf8) == 0xf8 ? 0x80 : 0;   // Escape now and then
        EntryConfirm = (data[i] & 0x30) == 0x30;
        TickPhase = (int)i;
        switch (editor) {
        case 0: TypedNameEntry(SLOT_NEW_PROFILE, ENTRY_NAME_MAX); break;
        case 1: TypedNameEntry(SLOT_SAVE_ROWS, ENTRY_NAME_MAX); break;
        case 2: ChatLineEntry(SLOT_CHAT_LINE, ENTRY_CHAT_MAX); break;
        case 3: ReplayNameEntry(SLOT_REPLAY_NAME, ENTRY_REPLAY_MAX); break;
        case 4: ScrollChatLines(); break;
        case 5: ScrollMessageLog(); break;
        case 6: EntryCursor = data[i + 1]; break;   // a cursor left by another field
        default: TypedNameEntry(SLOT_SAVE_ROWS, data[i + 1]); break;
        }
        CheckGuards(room);
    }
    return 0;
}
