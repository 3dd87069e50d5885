#include "frontend/text_slots.h"

#include <cstring>

#include "frame/fileio.h"
#include "frame/frame_state.h"
#include "frame/startup.h"

char TextSlotBlob[TEXT_SLOT_BLOB_SIZE];
TextSlot TextSlotTable[TEXT_SLOT_COUNT];
int TextFileSize;
char TextBufferA[TEXT_BUFFER_SIZE];
char TextBufferB[TEXT_BUFFER_SIZE];

// Slot n is line n of the file; lines end with CR LF.
static void IndexTextSlots() {
    unsigned int start = 0;
    int slot = 0;
    for (int j = 0; j + 1 < TextFileSize && slot < TEXT_SLOT_COUNT; j++) {
        if (TextSlotBlob[j] == '\r' && TextSlotBlob[j + 1] == '\n') {
            TextSlotTable[slot].offset = start;
            TextSlotTable[slot].length = (unsigned int)j - start;
            slot++;
            start = (unsigned int)j + 2;
            j++;
        }
    }
}

void LoadMessageFile() {
    const LanguageRecord* language = SelectLanguage();
    memset(TextSlotTable, 0, sizeof TextSlotTable);
    TextFileSize = 0;
    if (ReadWholeFile(language->messageFile, TextSlotBlob, sizeof TextSlotBlob) > 0)
        TextFileSize = LastFileSize;
    IndexTextSlots();
}

static int CopySlot(int slot, char* buffer) {
    if (slot < 0 || slot >= TEXT_SLOT_COUNT) {
        buffer[0] = 0;
        return 0;
    }
    unsigned int length = TextSlotTable[slot].length;
    if (length > TEXT_BUFFER_SIZE - 1)
        length = TEXT_BUFFER_SIZE - 1;
    if (TextSlotTable[slot].offset + length > TEXT_SLOT_BLOB_SIZE)
        length = 0;
    memcpy(buffer, TextSlotBlob + TextSlotTable[slot].offset, length);
    buffer[length] = 0;
    return (int)length;
}

int GetText(int slot) { return CopySlot(slot, TextBufferB); }
int GetTextToBufferA(int slot) { return CopySlot(slot, TextBufferA); }

void ScrollCredits(int) {}
