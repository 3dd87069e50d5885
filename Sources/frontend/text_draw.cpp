// Measuring and drawing text slots in the menu fonts, the hot-key cells of
// the menu keyboard, and the credits.
#include <cstring>

#include "frame/frame_state.h"
#include "frame/input.h"
#include "frontend/text_slots.h"
#include "menulayout/menulayout_state.h"

KeyboardCell KeyboardCellTable[KEYBOARD_CELL_MAX + 1];
signed char KeyboardCellCount;
int KeyboardClick;
int KeyboardCellStamp;
std::atomic<float> CreditsScrollY{490.0f};

enum { SCREEN_WIDTH = 640, SCREEN_HEIGHT = 480 };

// Windows-1252 upper case: ASCII letters, the accented letters and the
// three letters of 0x9A..0xFF whose capitals live at 0x8A..0x9F.
int UpperCaseCode(int code) {
    code &= 255;
    if (code >= 'a' && code <= 'z')
        return code - 32;
    if (code >= 0xE0 && code <= 0xFE && code != 0xF7)
        return code - 32;
    switch (code) {
    case 0x9A: return 0x8A;
    case 0x9C: return 0x8C;
    case 0x9E: return 0x8E;
    case 0xFF: return 0x9F;
    }
    return code;
}

static bool IsKeyMark(int c) {
    return c == TEXT_MARK_HIGHLIGHT || c == TEXT_MARK_ONE || c == TEXT_MARK_KEY || c == TEXT_MARK_KEY2;
}

// A mark registers a cell for the byte after it, at the line's unaligned
// start, while that lies on the screen.
static void RegisterKeyboardCell(int next, int slot, int x, int y) {
    if (x < 0 || x >= SCREEN_WIDTH || KeyboardCellCount >= KEYBOARD_CELL_MAX)
        return;
    KeyboardCell& cell = KeyboardCellTable[KeyboardCellCount];
    cell.code = (float)(next == TEXT_MARK_KEY ? 13 : UpperCaseCode(next));
    cell.cellX = (float)x;
    cell.cellY = (float)(y + 11);
    cell.slot = (float)slot;
    if (KeyboardCellStamp) {
        cell.pointerX = (float)MouseX;
        cell.pointerY = (float)MouseY;
    }
    KeyboardCellTable[KeyboardCellCount + 1].code = 0.0f;
    KeyboardCellCount++;
}

int MeasureTextLine(int pos, int mode, const char* text, int count, int font, int slot, int* x, int* y) {
    if (mode == TEXT_MODE_PLAIN || font < 0 || font >= MENU_FONT_COUNT)
        return pos + 1;
    const MenuFont& metrics = MenuFontMetrics[font];
    int width = 0;
    while (pos < count) {
        const int c = (unsigned char)text[pos++];
        if (c == '\n')
            break;
        if (IsKeyMark(c)) {
            if (pos < count)
                RegisterKeyboardCell((unsigned char)text[pos], slot, *x, *y);
        } else if (c <= ' ') {
            width += metrics.spaceAdvance;
        } else {
            width += metrics.widths[c - 33];
        }
    }
    if (mode == TEXT_MODE_RIGHT)
        *x -= width;
    else if (mode == TEXT_MODE_CENTRE)
        *x -= width >> 1;
    return pos;
}

namespace {

struct Rgb {
    int r, g, b;
};

// One pixel of a 16-bit surface split into its channels, and the blend of a
// destination pixel with a colour at a level of the blend tables.
template <int GreenBits>
inline uint16_t BlendPixel(uint16_t pixel, const Rgb& colour, int level) {
    int r, g, b;
    if (GreenBits == 6) {
        r = pixel >> 11;
        g = (pixel >> 5) & 63;
    } else {
        r = (pixel >> 10) & 31;   // the top bit of a 5-5-5 pixel is ignored
        g = (pixel >> 5) & 31;
    }
    b = pixel & 31;
    return (uint16_t)(BlendRed[level][r] + BlendRed[level + BLEND_LEVELS][colour.r] + BlendGreen[level][g] +
                      BlendGreen[level + BLEND_LEVELS][colour.g] + BlendBlue[level][b] +
                      BlendBlue[level + BLEND_LEVELS][colour.b]);
}

template <int GreenBits>
void DrawGlyph(int font, int glyph, int x, int y, const Rgb& colour) {
    const MenuFont& metrics = MenuFontMetrics[font];
    const int width = metrics.widths[glyph];
    if (!MenuTarget.pixels || MenuGfxCount < 1)
        return;
    const unsigned char* strip = MenuGfxBuffer + MenuGfxOffsets[0];
    const long stripSize = MenuGfxSizes[0];
    const int right = MenuTarget.width < SCREEN_WIDTH ? MenuTarget.width : SCREEN_WIDTH;
    const int bottom = MenuTarget.height < SCREEN_HEIGHT ? MenuTarget.height : SCREEN_HEIGHT;
    for (int row = 0; row < metrics.height; row++) {
        const int py = y + row;
        if (py < 0 || py >= bottom)
            continue;
        uint16_t* line = MenuTarget.pixels + (long)py * MenuTarget.pitch;
        const long source = metrics.stripOffset + (long)row * FONT_STRIP_WIDTH + GlyphStartTable[font][glyph];
        for (int col = 0; col < width; col++) {
            const int px = x + col;
            if (px < 0 || px >= right || source + col >= stripSize)
                continue;
            const int level = strip[source + col];
            if (level >= BLEND_LEVELS)   // 255 is transparent; nothing else lies above 99
                continue;
            line[px] = BlendPixel<GreenBits>(line[px], colour, level);
        }
    }
}

template <int GreenBits>
void DrawSlot(int x, int y, int font, int slot, int mode, Rgb normal, Rgb highlight, int spacing) {
    if (font < 0 || font >= MENU_FONT_COUNT || slot < 0 || slot >= TEXT_SLOT_COUNT)
        return;
    const int greenMask = GreenBits == 6 ? 63 : 31;
    normal = {normal.r & 31, normal.g & greenMask, normal.b & 31};
    highlight = {highlight.r & 31, highlight.g & greenMask, highlight.b & 31};
    const MenuFont& metrics = MenuFontMetrics[font];
    const uint32_t offset = TextSlotTable[slot].offset;
    if (offset >= TEXT_SLOT_BLOB_SIZE)
        return;
    int count = (int)TextSlotTable[slot].length;
    if (offset + (uint32_t)count > TEXT_SLOT_BLOB_SIZE)
        count = (int)(TEXT_SLOT_BLOB_SIZE - offset);
    const char* text = TextSlotBlob + offset;

    const int lineX = x;
    MeasureTextLine(0, mode, text, count, font, slot, &x, &y);
    bool highlightRest = false, highlightOne = false;
    for (int i = 0; i < count; i++) {
        const int c = (unsigned char)text[i];
        if (c == TEXT_MARK_HIGHLIGHT) {
            highlightRest = true;
        } else if (c == TEXT_MARK_ONE) {
            highlightOne = true;
        } else if (c == TEXT_MARK_KEY || c == TEXT_MARK_KEY2) {
            // a keyboard cell: nothing drawn, no advance
        } else if (c == '\n') {
            x = lineX;
            y += metrics.height;
            MeasureTextLine(i + 1, mode, text, count, font, slot, &x, &y);
        } else if (c <= ' ') {
            // Codes without a glyph advance like a blank, as they measure.
            x += metrics.spaceAdvance;
        } else {
            if (y + metrics.height <= 0 || y >= SCREEN_HEIGHT)
                return;
            const int glyph = c - 33;
            const int width = metrics.widths[glyph];
            if (width == 0)
                continue;
            if (x + width > 0 && x < SCREEN_WIDTH)
                DrawGlyph<GreenBits>(font, glyph, x, y, highlightRest || highlightOne ? highlight : normal);
            highlightOne = false;
            x += width + (signed char)spacing;
        }
    }
}

}  // namespace

void DrawTextSlot565(int x, int y, int font, int slot, int mode, int red, int green, int blue, int hiRed,
                     int hiGreen, int hiBlue, int spacing) {
    DrawSlot<6>(x, y, font, slot, mode, {red, green, blue}, {hiRed, hiGreen, hiBlue}, spacing);
}

void DrawTextSlot555(int x, int y, int font, int slot, int mode, int red, int green, int blue, int hiRed,
                     int hiGreen, int hiBlue, int spacing) {
    DrawSlot<5>(x, y, font, slot, mode, {red, green, blue}, {hiRed, hiGreen, hiBlue}, spacing);
}

void DrawTextSlot(int x, int y, int font, int slot, int mode, int red, int green, int blue, int hiRed, int hiGreen,
                  int hiBlue, int spacing) {
    if (GreenMaskBits == 5)
        DrawTextSlot555(x, y, font, slot, mode, red, green, blue, hiRed, hiGreen, hiBlue, spacing);
    else
        DrawTextSlot565(x, y, font, slot, mode, red, green, blue, hiRed, hiGreen, hiBlue, spacing);
}

// A typed key that matches a cell puts the pointer on the cell and clicks
// it; the pointer arrives in the same call.
void KeyboardCellJump() {
    static int moving = -1;
    if (KeyboardCellCount < 1)
        return;
    const int typed = UpperCaseCode(TypedChar);
    for (int i = 0; i < KeyboardCellCount && typed != 0; i++) {
        KeyboardCell& cell = KeyboardCellTable[i];
        if ((int)cell.code == typed) {
            cell.pointerX = (float)MouseX;
            cell.pointerY = (float)MouseY;
            TypedChar = 0;
            moving = i;
        }
    }
    if (moving < 0 || moving >= KeyboardCellCount)
        return;
    KeyboardCell& cell = KeyboardCellTable[moving];
    cell.pointerX = cell.cellX;
    cell.pointerY = cell.cellY;
    MouseFloatX = cell.cellX;
    MouseFloatY = cell.cellY;
    MouseX = (int)(cell.cellX + 0.5f);
    MouseY = (int)(cell.cellY + 0.5f);
    KeyboardClick = 0;
    const float dx = (float)MouseX - cell.cellX, dy = (float)MouseY - cell.cellY;
    if (dx >= -1.0f && dx <= 1.0f && dy >= -1.0f && dy <= 1.0f) {
        moving = -1;
        TypedChar = 0;
        KeyboardClick = 1;
    }
}

// ---------------------------------------------------------------------------
// Credits: 142 lines from slot 1865, centred, 24 pixels apart, moving up
// about 20 pixels a second; they never stop.

enum { CREDITS_FIRST = 1865, CREDITS_LINES = 142, CREDITS_SPACING = 24 };

static const short kCreditsHeadings[] = {
    1866, 1867, 1870, 1871, 1881, 1890, 1892, 1895, 1898, 1901, 1904, 1907, 1910, 1913, 1916, 1919, 1922,
    1925, 1929, 1948, 1954, 1957, 1960, 1964, 1967, 1971, 1975, 1978, 1981, 1986, 1993, 2005, 2006,
};

static bool IsCreditsHeading(int slot) {
    for (short heading : kCreditsHeadings) {
        if (heading == slot)
            return true;
    }
    return false;
}

static Rgb ColourChannels(int index) {
    const int colour = MenuColourTable[index];
    if (GreenMaskBits == 5)
        return {(colour >> 10) & 31, (colour >> 5) & 31, colour & 31};
    return {colour >> 11, (colour >> 5) & 63, colour & 31};
}

static void DrawCreditsLine(int x, int y, int slot, int colourIndex) {
    const Rgb c = ColourChannels(colourIndex);
    DrawTextSlot(x, y, 1, slot, TEXT_MODE_CENTRE, c.r, c.g, c.b, c.r, c.g, c.b, 0);
}

void ScrollCredits(int mode) {
    if (mode == 2) {
        CreditsScrollY.store(490.0f);
    } else if (mode == 1) {
        CreditsScrollY.store(CreditsScrollY.load() - 0.35f);
    } else if (mode == 0) {
        const float top = CreditsScrollY.load();
        if (top < -(float)(CREDITS_LINES * CREDITS_SPACING))
            return;   // the whole list has passed
        int y = (int)top;
        for (int line = 0; line < CREDITS_LINES; line++, y += CREDITS_SPACING) {
            if (y <= -32 || y >= SCREEN_HEIGHT)
                continue;
            const int slot = CREDITS_FIRST + line;
            DrawCreditsLine(322, y + 2, slot, 1);
            DrawCreditsLine(320, y, slot, IsCreditsHeading(slot) ? 5 : 4);
        }
    }
}
