// The text printer and the bitmap fonts.
//
// Five fonts lie as horizontal bands of one strip, FontSurface (4118 x 128,
// "Menus\Fonts1.bmp").  Glyph widths come with the strip in
// "Menus\Fonts1.wid"; start-up turns them into each glyph's column.  Every
// glyph is one ImpGfx copy straight from the strip.
#pragma once

#include <cstdint>

struct PlatSurface;

enum { ALIGN_LEFT = 0, ALIGN_CENTRE = 1, ALIGN_RIGHT = 2 };

enum {
    FONT_COUNT = 5,
    FONT_STRIP_PIXELS_WIDE = 4118,
    FONT_STRIP_PIXELS_HIGH = 128,
    GLYPH_WIDTH_ENTRIES = 224,           // per font, by character code - 33
    GLYPH_OFFSET_ENTRIES = 255,
    GLYPH_PRINTABLE = 222,               // codes 33..254 have a column
    GLYPH_MAX_WIDTH = 64,
    GLYPH_WIDTH_FILE_BYTES = FONT_COUNT * GLYPH_WIDTH_ENTRIES * 4,
    HIGHLIGHT_TOGGLE = 31,               // the byte that switches the highlight font
    FRAME_LEFT = 132, FRAME_MIDDLE = 133, FRAME_RIGHT = 134,
};

extern int32_t GlyphWidthTable[FONT_COUNT][GLYPH_WIDTH_ENTRIES];
extern int32_t GlyphOffsetTable[FONT_COUNT][GLYPH_OFFSET_ENTRIES];
extern const int FontTop[FONT_COUNT];
extern const int FontHeight[FONT_COUNT];
extern const int SpaceWidthTable[2][FONT_COUNT];
extern const int SmallScreenFontMap[FONT_COUNT];
// 1: PrintText scales its coordinates from the 640 x 480 layout.  A caller
// that gives pixels clears it just before the call; every call sets it back.
extern int ScaleLayoutCoords;

// Takes the widths from the bytes of a width file: 1 when they are a whole
// table.  Any other size empties the table (every width 0, so nothing is
// drawn).  Widths are held to 0..64, and a glyph that would reach past the
// strip counts as missing.  Fills GlyphOffsetTable either way.
int ParseGlyphWidths(const uint8_t* data, int size);
// Reads "Menus\Fonts1.wid" and parses it (start-up).
int LoadGlyphWidths();

// Prints `text` at (x, y) in font 0..4, aligned left, centred on x or
// right-aligned at x; frameMode 1 draws only the frame behind the text.
// Code 31 switches to the highlight font and back.
void PrintText(int x, int y, const char* text, int font, int align, PlatSurface* surface, int frameMode);

// Copies the rectangle (srcLeft, srcTop, width, height) of source to (x, y)
// of destination, clipped to the render surface; centre != 0 centres it on
// the layout point (x, y) of the 3D view.  While loading screens are drawn
// the copy is plain; on the software path it always lands in WorkSurface.
void ImpGfx(int x, int y, int width, int height, int srcLeft, int srcTop, PlatSurface* destination,
            PlatSurface* source, int centre);

float LayoutXToView(int x);
