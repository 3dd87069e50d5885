// The front end's part of the sample game folder: shared between its files.
#pragma once

#include <string>
#include <vector>

// A glyph design: 11 rows of 5 columns (two accent rows over capitals, seven
// body rows, two descender rows).
enum { MK_GLYPH_ROWS = 11, MK_GLYPH_COLS = 5 };
struct MkGlyph {
    unsigned char ink[MK_GLYPH_ROWS][MK_GLYPH_COLS];
};

// The design of a character code; false when the fonts have no glyph for it.
bool MkGlyphDesign(int code, MkGlyph* glyph);
// Columns up to the rightmost ink (0 for an empty design).
int MkGlyphInkColumns(const MkGlyph& glyph);
// MENUS\Fonts.raw, drawn into the cells of the game's width tables.
bool MkBuildFontStrip(std::vector<unsigned char>& strip);
