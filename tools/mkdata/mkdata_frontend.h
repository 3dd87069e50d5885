// The front end's part of the sample game folder: shared between its files.
#pragma once

#include <map>
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

// Drawing styles of the sample menu pictures.
enum MkPictureStyle {
    MK_FRAME, MK_FRAME_LIT, MK_BAR, MK_PANEL, MK_TITLE, MK_ICON, MK_ARROW, MK_THUMB, MK_POINTER, MK_SPINNER,
    MK_SHEEN,   // a faint glint laid over a panel: what lies under it stays legible
    MK_BOARD,   // the main menu's drop-down boards: solid, over the buttons beside them
    MK_SLIDER,  // a list's thumb: a slim bar at the top of its picture
    MK_GLINT,   // a soft round glint in a board's corner, no edge of its own
    MK_TILE,    // a display option's tile: dark under its white word
};

// The size of a sample MENUS\GFX picture; false for a number without one.
bool MkPictureSize(int number, int* width, int* height);
// The pictures, their level maps, the page backgrounds and the font strip.
bool MkWriteMenuGraphics();

// Texts by slot of the English message file, and of the other languages
// (file number 0 spanish, 2 french, 3 deutsch).
std::map<int, std::string> MkEnglishTexts();
std::map<int, std::string> MkLanguageTexts(int language);
// Puts a hot-key mark (code 126) before one letter of every button label,
// unique among the labels of each screen; false when no such choice exists.
bool MkMarkHotKeys(std::map<int, std::string>& texts);

// A message file of `lines` slots: slot n on line n, CR LF after every line.
// Empty when a text would break the file's rules (empty, CR or LF at its
// ends, or control codes other than a line break and the markup).
std::string MkMessageFile(const std::map<int, std::string>& texts, int lines);

struct MkOptions;
// MENUS\MUNDOnn.bmp, the loading screen's track pictures, for the codes the
// folder's tracks show (aliased codes share their picture).
bool MkWriteTrackPreviews(const MkOptions& options);
