// Developer text labels and the debug viewer.
#pragma once

#include <cstdint>

struct PlatSurface;

enum {
    SMALL_FONT_WIDTH_BYTES = 96,     // x of the first glyph, then the widths of '!'..DEL
    SMALL_FONT_MAX_WIDTH = 16,
    SMALL_FONT_ROW_HEIGHT = 10,      // row 0 the shadow, rows 1..3 the colours
    TEXT_LABEL_MAX = 64,
    TEXT_LABEL_CHARS = 10,
};

extern uint8_t SmallFontWidths[SMALL_FONT_WIDTH_BYTES];
extern int DebugTextColour;          // the colour row of the letters, 0..3

struct TextLabel {
    char text[TEXT_LABEL_CHARS];     // not NUL-terminated when all ten are used
    int x, y;
};
extern TextLabel TextLabels[TEXT_LABEL_MAX];
extern int TextLabelCount;

// Takes the small font's table from the bytes of its width file: 1 when it
// is whole.  Any other size empties it (nothing is drawn).  Widths are held
// to 0..16, and a glyph that would reach past the font picture counts as
// missing.
int ParseSmallFontWidths(const uint8_t* data, int size);
// Reads "ArtWork\Extras\Bmp\Font1.wid" and parses it.
int LoadSmallFontWidths();

// Shadowed small-font text at pixel coordinates (no layout scaling); 0, or
// the copy error.  Developer overlays (frame rate, tuning panels, editors,
// race-order overlay) write with it.
int DrawDebugText(int x, int y, const char* text, PlatSurface* surface);
// Stores a label of up to 10 characters; ignored off the screen or when the
// list is full.
void AddTextLabel(const char* text, int x, int y);
void DrawTextLabels(PlatSurface* surface);
