// The message file of the chosen language and its numbered text slots.
#pragma once

enum {
    TEXT_SLOT_BLOB_SIZE = 60000,
    TEXT_SLOT_COUNT = 3000,
    TEXT_BUFFER_SIZE = 1256,
};

struct TextSlot {
    unsigned int offset;
    unsigned int length;
};

extern char TextSlotBlob[TEXT_SLOT_BLOB_SIZE];
extern TextSlot TextSlotTable[TEXT_SLOT_COUNT];
extern int TextFileSize;
extern char TextBufferA[TEXT_BUFFER_SIZE];
extern char TextBufferB[TEXT_BUFFER_SIZE];

void LoadMessageFile();
int GetText(int slot);
int GetTextToBufferA(int slot);
void ScrollCredits(int mode);
