#include "frontend/text_slots.h"

#include <cstring>

#include "frame/fileio.h"
#include "frame/frame_state.h"
#include "frame/startup.h"

char TextSlotBlob[TEXT_SLOT_BLOB_SIZE];
TextSlot TextSlotTable[TEXT_SLOT_COUNT];
uint32_t TextSlotRoom[TEXT_SLOT_COUNT];
int TextFileSize;
char TextBufferA[TEXT_BUFFER_SIZE];
char TextBufferB[TEXT_BUFFER_SIZE];

// Slot n is line n of the file, counted from 0; a line ends with CR LF and
// its length is the bytes before them.  The first byte of every line after
// the first is never tested for CR, so an empty line is not a slot of its
// own: its CR LF become the first two bytes of the next slot.  A last line
// without CR LF makes no slot.  Lines past the table's 3,000 rows are not
// indexed.
void IndexTextSlots(int fileSize) {
    memset(TextSlotTable, 0, sizeof TextSlotTable);
    memset(TextSlotRoom, 0, sizeof TextSlotRoom);
    if (fileSize < 0)
        fileSize = 0;
    if (fileSize > TEXT_SLOT_BLOB_SIZE)
        fileSize = TEXT_SLOT_BLOB_SIZE;
    int slot = 0;
    uint32_t start = 0, length = 0;
    for (int j = 0; j < fileSize && slot < TEXT_SLOT_COUNT; j++, length++) {
        if (j + 1 < fileSize && TextSlotBlob[j] == '\r' && TextSlotBlob[j + 1] == '\n') {
            TextSlotTable[slot].offset = start;
            TextSlotTable[slot].length = length;
            TextSlotRoom[slot] = length;
            slot++;
            start = (uint32_t)j + 2;
            j = (int)start;
            length = 0;
        }
    }
}

// Once at start-up, before the window exists.  A file that cannot be read,
// or does not fit the blob, leaves every slot empty.
void LoadMessageFile() {
    const LanguageRecord* language = SelectLanguage();
    TextFileSize = 0;
    if (ReadWholeFile(language->messageFile, TextSlotBlob, sizeof TextSlotBlob) > 0)
        TextFileSize = LastFileSize;
    IndexTextSlots(TextFileSize);
}

// At least one byte is copied (a slot of length 0 yields its first byte);
// the copy is bounded by the buffer and by the blob.
static int CopySlot(int slot, char* buffer) {
    if (slot < 0 || slot >= TEXT_SLOT_COUNT) {
        buffer[0] = 0;
        return 0;
    }
    const uint32_t offset = TextSlotTable[slot].offset;
    uint32_t length = TextSlotTable[slot].length;
    if (length == 0)
        length = 1;
    if (length > TEXT_BUFFER_SIZE - 1)
        length = TEXT_BUFFER_SIZE - 1;
    if (offset >= TEXT_SLOT_BLOB_SIZE) {
        buffer[0] = 0;
        return 0;
    }
    if (offset + length > TEXT_SLOT_BLOB_SIZE)
        length = TEXT_SLOT_BLOB_SIZE - offset;
    memcpy(buffer, TextSlotBlob + offset, length);
    buffer[length] = 0;
    return (int)length;
}

int GetText(int slot) { return CopySlot(slot, TextBufferB); }
int GetTextToBufferA(int slot) { return CopySlot(slot, TextBufferA); }
void CopyTextToBufferA(int slot) { CopySlot(slot, TextBufferA); }

static uint32_t SlotRoom(int slot) {
    if (slot < 0 || slot >= TEXT_SLOT_COUNT)
        return 0;
    // A slot of the file may always take the one byte that PutText writes
    // even for an empty string: it lands on the line's own CR.
    if (TextSlotRoom[slot] == 0 && (slot == 0 || TextSlotTable[slot].offset != 0))
        return 1;
    return TextSlotRoom[slot];
}

// strlen(text) bytes, but at least one (an empty string writes its NUL).
void PutText(int slot, const char* text) {
    uint32_t count = (uint32_t)strlen(text);
    if (count == 0)
        count = 1;
    const uint32_t room = SlotRoom(slot);
    if (count > room)
        count = room;
    if (count > 0)
        memcpy(TextSlotBlob + TextSlotTable[slot].offset, text, count);
}

// Exactly the slot's current length of bytes (at least one); a string
// shorter than that is padded with blanks rather than read past its end.
void PutTextFixed(int slot, const char* text) {
    const uint32_t room = SlotRoom(slot);
    uint32_t count = slot >= 0 && slot < TEXT_SLOT_COUNT ? TextSlotTable[slot].length : 0;
    if (count == 0)
        count = 1;
    if (count > room)
        count = room;
    char* out = TextSlotBlob + (room > 0 ? TextSlotTable[slot].offset : 0);
    const size_t given = strnlen(text, count);
    for (uint32_t i = 0; i < count; i++)
        out[i] = i < given ? text[i] : ' ';
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
