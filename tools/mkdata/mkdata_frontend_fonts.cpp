// The strip of the three menu fonts, MENUS\Fonts.raw.
//
// Each glyph is drawn from a 5 x 11 design (two rows for accents over
// capitals, seven body rows, two descender rows; the digits, the slash and
// the minus are 4 columns wide, so that numbers and dates stay narrow),
// scaled 4, 2 and 1 times for the large, medium and small font, into the
// cell that the game's own width table gives it.  Ink is level 0 (the full text colour), a soft rim
// around the large and medium glyphs a middle level, everything else 255.

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "frontend/frontend_state.h"
#include "mkdata.h"
#include "mkdata_frontend.h"

namespace {

struct GlyphDesign {
    int code;
    const char* rows;   // body rows (7, or 9 with descenders), '#' ink, '|' between rows
};

const GlyphDesign kAscii[] = {
    {'!', "..#..|..#..|..#..|..#..|..#..|.....|..#.."},
    {'"', ".#.#.|.#.#.|.#.#."},
    {'#', ".#.#.|.#.#.|#####|.#.#.|#####|.#.#.|.#.#."},
    {'$', "..#..|.####|#.#..|.###.|..#.#|####.|..#.."},
    {'%', "##...|##..#|...#.|..#..|.#...|#..##|...##"},
    {'&', ".##..|#..#.|#.#..|.#...|#.#.#|#..#.|.##.#"},
    {'\'', "..#..|..#..|.#..."},
    {'(', "...#.|..#..|.#...|.#...|.#...|..#..|...#."},
    {')', ".#...|..#..|...#.|...#.|...#.|..#..|.#..."},
    {'*', ".....|..#..|#.#.#|.###.|#.#.#|..#..|....."},
    {'+', ".....|..#..|..#..|#####|..#..|..#..|....."},
    {',', ".....|.....|.....|.....|.....|.##..|..#..|.#..."},
    {'-', "....|....|....|####|....|....|...."},
    {'.', ".....|.....|.....|.....|.....|.##..|.##.."},
    {'/', "...#|...#|..#.|..#.|.#..|.#..|#..."},
    {'0', ".##.|#..#|#..#|#..#|#..#|#..#|.##."},
    {'1', "..#..|.##..|..#..|..#..|..#..|..#..|.###."},
    {'2', ".##.|#..#|...#|..#.|.#..|#...|####"},
    {'3', "###.|...#|...#|.##.|...#|...#|###."},
    {'4', "..#.|.##.|#.#.|#.#.|####|..#.|..#."},
    {'5', "####|#...|###.|...#|...#|#..#|.##."},
    {'6', ".##.|#...|#...|###.|#..#|#..#|.##."},
    {'7', "####|...#|..#.|..#.|.#..|.#..|.#.."},
    {'8', ".##.|#..#|#..#|.##.|#..#|#..#|.##."},
    {'9', ".##.|#..#|#..#|.###|...#|...#|.##."},
    {':', ".....|.##..|.##..|.....|.##..|.##..|....."},
    {';', ".....|.##..|.##..|.....|.##..|..#..|.#..."},
    {'<', "...#.|..#..|.#...|#....|.#...|..#..|...#."},
    {'=', ".....|.....|#####|.....|#####|.....|....."},
    {'>', ".#...|..#..|...#.|....#|...#.|..#..|.#..."},
    {'?', ".###.|#...#|....#|...#.|..#..|.....|..#.."},
    {'@', ".###.|#...#|....#|.##.#|#.#.#|#.#.#|.###."},
    {'A', ".###.|#...#|#...#|#####|#...#|#...#|#...#"},
    {'B', "####.|#...#|#...#|####.|#...#|#...#|####."},
    {'C', ".###.|#...#|#....|#....|#....|#...#|.###."},
    {'D', "###..|#..#.|#...#|#...#|#...#|#..#.|###.."},
    {'E', "#####|#....|#....|####.|#....|#....|#####"},
    {'F', "#####|#....|#....|####.|#....|#....|#...."},
    {'G', ".###.|#...#|#....|#.###|#...#|#...#|.####"},
    {'H', "#...#|#...#|#...#|#####|#...#|#...#|#...#"},
    {'I', ".###.|..#..|..#..|..#..|..#..|..#..|.###."},
    {'J', "..###|...#.|...#.|...#.|...#.|#..#.|.##.."},
    {'K', "#...#|#..#.|#.#..|##...|#.#..|#..#.|#...#"},
    {'L', "#....|#....|#....|#....|#....|#....|#####"},
    {'M', "#...#|##.##|#.#.#|#.#.#|#...#|#...#|#...#"},
    {'N', "#...#|#...#|##..#|#.#.#|#..##|#...#|#...#"},
    {'O', ".###.|#...#|#...#|#...#|#...#|#...#|.###."},
    {'P', "####.|#...#|#...#|####.|#....|#....|#...."},
    {'Q', ".###.|#...#|#...#|#...#|#.#.#|#..#.|.##.#"},
    {'R', "####.|#...#|#...#|####.|#.#..|#..#.|#...#"},
    {'S', ".####|#....|#....|.###.|....#|....#|####."},
    {'T', "#####|..#..|..#..|..#..|..#..|..#..|..#.."},
    {'U', "#...#|#...#|#...#|#...#|#...#|#...#|.###."},
    {'V', "#...#|#...#|#...#|#...#|#...#|.#.#.|..#.."},
    {'W', "#...#|#...#|#...#|#.#.#|#.#.#|#.#.#|.#.#."},
    {'X', "#...#|#...#|.#.#.|..#..|.#.#.|#...#|#...#"},
    {'Y', "#...#|#...#|#...#|.#.#.|..#..|..#..|..#.."},
    {'Z', "#####|....#|...#.|..#..|.#...|#....|#####"},
    {'[', ".###.|.#...|.#...|.#...|.#...|.#...|.###."},
    {'\\', ".....|#....|.#...|..#..|...#.|....#|....."},
    {']', ".###.|...#.|...#.|...#.|...#.|...#.|.###."},
    {'^', "..#..|.#.#.|#...#"},
    {'_', ".....|.....|.....|.....|.....|.....|#####"},
    {'`', ".#...|..#..|...#."},
    {'a', ".....|.....|.###.|....#|.####|#...#|.####"},
    {'b', "#....|#....|#.##.|##..#|#...#|#...#|####."},
    {'c', ".....|.....|.###.|#....|#....|#...#|.###."},
    {'d', "....#|....#|.##.#|#..##|#...#|#...#|.####"},
    {'e', ".....|.....|.###.|#...#|#####|#....|.###."},
    {'f', "..##.|.#..#|.#...|###..|.#...|.#...|.#..."},
    {'g', ".....|.....|.####|#...#|#...#|.####|....#|#...#|.###."},
    {'h', "#....|#....|#.##.|##..#|#...#|#...#|#...#"},
    {'i', "..#..|.....|.##..|..#..|..#..|..#..|.###."},
    {'j', "...#.|.....|..##.|...#.|...#.|...#.|...#.|#..#.|.##.."},
    {'k', "#....|#....|#..#.|#.#..|##...|#.#..|#..#."},
    {'l', ".##..|..#..|..#..|..#..|..#..|..#..|.###."},
    {'m', ".....|.....|##.#.|#.#.#|#.#.#|#...#|#...#"},
    {'n', ".....|.....|#.##.|##..#|#...#|#...#|#...#"},
    {'o', ".....|.....|.###.|#...#|#...#|#...#|.###."},
    {'p', ".....|.....|####.|#...#|#...#|####.|#....|#....|#...."},
    {'q', ".....|.....|.####|#...#|#...#|.####|....#|....#|....#"},
    {'r', ".....|.....|#.##.|##..#|#....|#....|#...."},
    {'s', ".....|.....|.####|#....|.###.|....#|####."},
    {'t', ".#...|.#...|###..|.#...|.#...|.#..#|..##."},
    {'u', ".....|.....|#...#|#...#|#...#|#..##|.##.#"},
    {'v', ".....|.....|#...#|#...#|#...#|.#.#.|..#.."},
    {'w', ".....|.....|#...#|#...#|#.#.#|#.#.#|.#.#."},
    {'x', ".....|.....|#...#|.#.#.|..#..|.#.#.|#...#"},
    {'y', ".....|.....|#...#|#...#|#...#|.####|....#|#...#|.###."},
    {'z', ".....|.....|#####|...#.|..#..|.#...|#####"},
    {'{', "...#.|..#..|..#..|.#...|..#..|..#..|...#."},
    {'|', "..#..|..#..|..#..|..#..|..#..|..#..|..#.."},
    {'}', ".#...|..#..|..#..|...#.|..#..|..#..|.#..."},
    {'~', ".....|.....|.#...|#.#.#|...#.|.....|....."},
    // The arrowheads that frame a title in the race's printer fonts (the
    // banner at a race's end, a new lap record): 127 before it points
    // right, 128 after it points left.  The menu fonts hold neither.
    {127, "#....|##...|###..|####.|###..|##...|#...."},
    {128, "...#.|..##.|.###.|####.|.###.|..##.|...#."},
    // Windows-1252 letters and signs that the languages need and that are
    // not an accented letter.
    {0xA1, "..#..|.....|..#..|..#..|..#..|..#..|..#.."},
    {0xAA, ".###.|#..#.|.###.|.....|####."},
    {0xBA, ".###.|#...#|.###.|.....|#####"},
    {0xBF, "..#..|.....|..#..|.#...|#....|#...#|.###."},
    {0xC6, ".####|#.#..|#.#..|#####|#.#..|#.#..|#.###"},
    {0xD0, "###..|#..#.|#...#|###.#|#...#|#..#.|###.."},
    {0xD7, ".....|#...#|.#.#.|..#..|.#.#.|#...#|....."},
    {0xD8, ".###.|#..##|#.#.#|#.#.#|#.#.#|##..#|.###."},
    {0xDE, "#....|####.|#...#|#...#|####.|#....|#...."},
    {0xDF, ".##..|#..#.|#..#.|###..|#..#.|#..#.|#.##."},
    {0xE6, ".....|.....|##.#.|..#.#|.####|#.#..|.#.##"},
    {0xF0, "..#.#|...#.|.####|#...#|#...#|#...#|.###."},
    {0xF7, ".....|..#..|.....|#####|.....|..#..|....."},
    {0xF8, ".....|.....|.###.|#..##|#.#.#|##..#|.###."},
    {0xFE, ".....|#....|####.|#...#|#...#|####.|#....|#....|#...."},
};

// The dotless i that carries accents.
const char* const kDotlessI = ".....|.....|.##..|..#..|..#..|..#..|.###.";

// Accents: two rows, over a capital above the body, over a small letter on
// the body's first two rows.  The cedilla sits on the descender rows.
const char* Accent(char kind) {
    switch (kind) {
    case 'g': return ".#...|..#..";
    case 'a': return "...#.|..#..";
    case 'c': return "..#..|.#.#.";
    case 't': return ".#.#.|#.#..";
    case 'd': return ".#.#.|.....";
    case 'r': return "..#..|.#.#.";
    case 'z': return "..#..|.##..";
    }
    return ".....|.....";
}

struct Composite {
    int code;
    char base;
    char accent;
};

const Composite kComposites[] = {
    {0xC0, 'A', 'g'}, {0xC1, 'A', 'a'}, {0xC2, 'A', 'c'}, {0xC3, 'A', 't'}, {0xC4, 'A', 'd'}, {0xC5, 'A', 'r'},
    {0xC7, 'C', 'z'}, {0xC8, 'E', 'g'}, {0xC9, 'E', 'a'}, {0xCA, 'E', 'c'}, {0xCB, 'E', 'd'}, {0xCC, 'I', 'g'},
    {0xCD, 'I', 'a'}, {0xCE, 'I', 'c'}, {0xCF, 'I', 'd'}, {0xD1, 'N', 't'}, {0xD2, 'O', 'g'}, {0xD3, 'O', 'a'},
    {0xD4, 'O', 'c'}, {0xD5, 'O', 't'}, {0xD6, 'O', 'd'}, {0xD9, 'U', 'g'}, {0xDA, 'U', 'a'}, {0xDB, 'U', 'c'},
    {0xDC, 'U', 'd'}, {0xDD, 'Y', 'a'}, {0xE0, 'a', 'g'}, {0xE1, 'a', 'a'}, {0xE2, 'a', 'c'}, {0xE3, 'a', 't'},
    {0xE4, 'a', 'd'}, {0xE5, 'a', 'r'}, {0xE7, 'c', 'z'}, {0xE8, 'e', 'g'}, {0xE9, 'e', 'a'}, {0xEA, 'e', 'c'},
    {0xEB, 'e', 'd'}, {0xEC, 'i', 'g'}, {0xED, 'i', 'a'}, {0xEE, 'i', 'c'}, {0xEF, 'i', 'd'}, {0xF1, 'n', 't'},
    {0xF2, 'o', 'g'}, {0xF3, 'o', 'a'}, {0xF4, 'o', 'c'}, {0xF5, 'o', 't'}, {0xF6, 'o', 'd'}, {0xF9, 'u', 'g'},
    {0xFA, 'u', 'a'}, {0xFB, 'u', 'c'}, {0xFC, 'u', 'd'}, {0xFD, 'y', 'a'}, {0xFF, 'y', 'd'},
};

void PutRows(MkGlyph& glyph, const char* rows, int firstRow) {
    int row = firstRow, col = 0;
    for (const char* p = rows; *p; p++) {
        if (*p == '|') {
            row++;
            col = 0;
            continue;
        }
        if (row < MK_GLYPH_ROWS && col < MK_GLYPH_COLS && *p == '#')
            glyph.ink[row][col] = 1;
        col++;
    }
}

const char* AsciiRows(int code) {
    for (const GlyphDesign& design : kAscii) {
        if (design.code == code)
            return design.rows;
    }
    return nullptr;
}

}  // namespace

bool MkGlyphDesign(int code, MkGlyph* glyph) {
    memset(glyph, 0, sizeof *glyph);
    if (const char* rows = AsciiRows(code)) {
        PutRows(*glyph, rows, 2);
        return true;
    }
    for (const Composite& c : kComposites) {
        if (c.code != code)
            continue;
        const bool capital = c.base >= 'A' && c.base <= 'Z';
        PutRows(*glyph, c.base == 'i' ? kDotlessI : AsciiRows(c.base), 2);
        if (c.accent == 'z')
            PutRows(*glyph, Accent('z'), 9);
        else
            PutRows(*glyph, Accent(c.accent), capital ? 0 : 2);
        return true;
    }
    return false;
}

static int InkLeft(const MkGlyph& glyph) {
    int left = MK_GLYPH_COLS;
    for (int r = 0; r < MK_GLYPH_ROWS; r++) {
        for (int c = 0; c < MK_GLYPH_COLS; c++) {
            if (glyph.ink[r][c] && c < left)
                left = c;
        }
    }
    return left;
}

int MkGlyphInkColumns(const MkGlyph& glyph) {
    int right = -1;
    for (int r = 0; r < MK_GLYPH_ROWS; r++) {
        for (int c = 0; c < MK_GLYPH_COLS; c++) {
            if (glyph.ink[r][c] && c > right)
                right = c;
        }
    }
    return right < 0 ? 0 : right - InkLeft(glyph) + 1;
}

// Scale and first strip row (within the font's band) of each font's glyphs.
static const int kScale[MENU_FONT_COUNT] = {4, 2, 1};
static const int kTopRow[MENU_FONT_COUNT] = {1, 1, 1};

bool MkBuildFontStrip(std::vector<unsigned char>& strip) {
    // The next raw file is placed on a 4-byte boundary: pad the strip so its
    // size is a multiple of 4.
    size_t size = (size_t)FONT_STRIP_WIDTH * FONT_STRIP_ROWS;
    size = (size + 3) & ~(size_t)3;
    strip.assign(size, 255);
    for (int font = 0; font < MENU_FONT_COUNT; font++) {
        const MenuFont& metrics = MenuFontMetrics[font];
        const int scale = kScale[font];
        int column = 0;
        for (int g = 0; g < MENU_FONT_GLYPHS; g++) {
            const int width = metrics.widths[g];
            MkGlyph glyph;
            const bool designed = MkGlyphDesign(g + 33, &glyph);
            if (width == 0)
                continue;
            if (!designed || MkGlyphInkColumns(glyph) * scale > width || column + width > FONT_STRIP_WIDTH) {
                fprintf(stderr, "mkdata: glyph %d of font %d does not fit its width %d\n", g + 33, font, width);
                return false;
            }
            std::vector<unsigned char> cell((size_t)width * metrics.height, 255);
            const int left = InkLeft(glyph);
            for (int r = 0; r < MK_GLYPH_ROWS; r++) {
                for (int c = left; c < MK_GLYPH_COLS; c++) {
                    if (!glyph.ink[r][c])
                        continue;
                    for (int dy = 0; dy < scale; dy++) {
                        for (int dx = 0; dx < scale; dx++) {
                            const int y = kTopRow[font] + r * scale + dy, x = (c - left) * scale + dx;
                            if (y < metrics.height && x < width)
                                cell[(size_t)y * width + x] = 0;
                        }
                    }
                }
            }
            // A soft rim on the scaled fonts: blank pixels next to ink.
            if (scale > 1) {
                std::vector<unsigned char> rim = cell;
                for (int y = 1; y < metrics.height - 2; y++) {
                    for (int x = 0; x < width; x++) {
                        if (cell[(size_t)y * width + x] != 255)
                            continue;
                        const bool left = x > 0 && cell[(size_t)y * width + x - 1] == 0;
                        const bool right = x + 1 < width && cell[(size_t)y * width + x + 1] == 0;
                        const bool up = cell[(size_t)(y - 1) * width + x] == 0;
                        const bool down = cell[(size_t)(y + 1) * width + x] == 0;
                        if (left || right || up || down)
                            rim[(size_t)y * width + x] = 70;
                    }
                }
                cell = rim;
            }
            for (int y = 0; y < metrics.height; y++) {
                const size_t row = (size_t)(metrics.stripOffset / FONT_STRIP_WIDTH + y) * FONT_STRIP_WIDTH;
                for (int x = 0; x < width; x++) {
                    if (cell[(size_t)y * width + x] != 255)
                        strip[row + column + x] = cell[(size_t)y * width + x];
                }
            }
            column += width;
        }
    }
    return true;
}
