// The message file of the chosen language and its numbered text slots: load,
// copy, overwrite, measure and draw in the three menu fonts, the hot-key
// cells of the menu keyboard, and the credits.
#pragma once

#include "frontend/frontend_state.h"

void LoadMessageFile();
// Slot indexing of a message file image already in TextSlotBlob.
void IndexTextSlots(int fileSize);

// Copy slot n into TextBufferB / TextBufferA, NUL-terminated; the result is
// the number of bytes copied (at least one for a slot of the file).
int GetText(int slot);
int GetTextToBufferA(int slot);
void CopyTextToBufferA(int slot);

// Overwrite the start of slot n.  The slot's length is not changed: a writer
// that changes it stores it with SetTextLength.  Writes never go past the
// room of the slot's line as loaded.
void PutText(int slot, const char* text);
void PutTextFixed(int slot, const char* text);
void SetTextLength(int slot, int length);

// The championship race list of screens 10 and 17: eight rows the game
// writes (the message files hold them blank, RACE_LIST_ROOM bytes each).
enum { SLOT_RACE_LIST = 2040, RACE_LIST_ROOM = 28 };

// Text modes of MeasureTextLine and DrawTextSlot.
enum {
    TEXT_MODE_PLAIN = 0,     // left, not measured
    TEXT_MODE_LEFT = 1,      // left, measured (registers keyboard cells)
    TEXT_MODE_RIGHT = 2,
    TEXT_MODE_CENTRE = 4,
};

// Markup bytes inside texts.
enum {
    TEXT_MARK_HIGHLIGHT = 11,    // the rest of the text in the highlight colour
    TEXT_MARK_ONE = 126,         // the next glyph in the highlight colour
    TEXT_MARK_KEY = 127,         // a keyboard cell, not drawn
    TEXT_MARK_KEY2 = 27,
};

int MeasureTextLine(int pos, int mode, const char* text, int count, int font, int slot, int* x, int* y);

// Draw a slot on MenuTarget; colours are channel values of the surface
// format.  The 5-6-5 and 5-5-5 members differ only in the pixel split.
void DrawTextSlot565(int x, int y, int font, int slot, int mode, int red, int green, int blue, int hiRed,
                     int hiGreen, int hiBlue, int spacing);
void DrawTextSlot555(int x, int y, int font, int slot, int mode, int red, int green, int blue, int hiRed,
                     int hiGreen, int hiBlue, int spacing);
// The member of the display's format (GreenMaskBits).
void DrawTextSlot(int x, int y, int font, int slot, int mode, int red, int green, int blue, int hiRed,
                  int hiGreen, int hiBlue, int spacing);

// Upper case of a Windows-1252 character code.
int UpperCaseCode(int code);

void KeyboardCellJump();

// 2 resets, 1 scrolls (the tick), 0 draws (the credits screen).
void ScrollCredits(int mode);
