#include "render/text_printer.h"

#include <cstdio>
#include <cstring>

#include "frame/fileio.h"
#include "frame/frame_state.h"
#include "platform/plat_surface.h"
#include "platform/plat_system.h"
#include "render/render_state.h"

int32_t GlyphWidthTable[FONT_COUNT][GLYPH_WIDTH_ENTRIES];
int32_t GlyphOffsetTable[FONT_COUNT][GLYPH_OFFSET_ENTRIES];
int ScaleLayoutCoords = 1;

const int FontTop[FONT_COUNT] = {0, 50, 75, 100, 114};
const int FontHeight[FONT_COUNT] = {49, 25, 25, 14, 14};
// Advance of every code below '!': row 0 normal, row 1 narrow.
const int SpaceWidthTable[2][FONT_COUNT] = {{13, 12, 12, 5, 5}, {13, 9, 12, 5, 5}};
// The font printed instead on display modes below 640 x 480.
const int SmallScreenFontMap[FONT_COUNT] = {1, 3, 4, 3, 4};

static int ClampFont(int font) { return font < 0 ? 0 : font >= FONT_COUNT ? FONT_COUNT - 1 : font; }

static int SmallDisplayMode() { return DisplayConfig.width < 640 || DisplayConfig.height < 480; }

// ---------------------------------------------------------------------------
// Widths.

static void FillGlyphOffsets() {
    memset(GlyphOffsetTable, 0, sizeof GlyphOffsetTable);
    for (int font = 0; font < FONT_COUNT; font++) {
        int sum = 0;
        for (int c = 0; c < GLYPH_PRINTABLE; c++) {
            GlyphOffsetTable[font][c] = sum;
            sum += GlyphWidthTable[font][c];
        }
    }
}

int ParseGlyphWidths(const uint8_t* data, int size) {
    memset(GlyphWidthTable, 0, sizeof GlyphWidthTable);
    if (!data || size != GLYPH_WIDTH_FILE_BYTES) {
        char line[96];
        snprintf(line, sizeof line, "Fonts1.wid: %d bytes, not %d: no text is drawn", size, GLYPH_WIDTH_FILE_BYTES);
        PlatDebugOut(line);
        FillGlyphOffsets();
        return 0;
    }
    for (int font = 0; font < FONT_COUNT; font++) {
        int sum = 0;
        // Codes 255 and above have no column in the strip.
        for (int c = 0; c < GLYPH_PRINTABLE; c++) {
            const uint8_t* p = data + (font * GLYPH_WIDTH_ENTRIES + c) * 4;
            int32_t width = (int32_t)((uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24);
            if (width < 0)
                width = 0;
            if (width > GLYPH_MAX_WIDTH)
                width = GLYPH_MAX_WIDTH;
            if (sum + width > FONT_STRIP_PIXELS_WIDE)
                width = 0;
            GlyphWidthTable[font][c] = width;
            sum += width;
        }
    }
    FillGlyphOffsets();
    return 1;
}

int LoadGlyphWidths() {
    // One byte more than a whole table, so a longer file is seen as such.
    static uint8_t file[GLYPH_WIDTH_FILE_BYTES + 1];
    int size = 0;
    if (ReadWholeFile("Menus\\Fonts1.wid", file, sizeof file) > 0)
        size = LastFileSize;
    return ParseGlyphWidths(file, size);
}

// ---------------------------------------------------------------------------
// The rectangle copy.

float LayoutXToView(int x) { return (float)x * 0.0015625f * ScreenRight; }

static int CopyRetrying(PlatSurface* destination, int x, int y, PlatSurface* source, const PlatRect* rect, int flags) {
    int result = DDERR_WASSTILLDRAWING;
    for (int i = 0; i < PLAT_STILL_DRAWING_RETRIES && result == DDERR_WASSTILLDRAWING; i++)
        result = PlatSurfaceBltFast(destination, x, y, source, rect, flags);
    return result;
}

void ImpGfx(int x, int y, int width, int height, int srcLeft, int srcTop, PlatSurface* destination,
            PlatSurface* source, int centre) {
    if (centre) {
        x = (int)((float)x * 0.0015625f * ScreenRight) - (width >> 1);
        y = (int)((float)y * 0.0020833334f * ScreenBottom) - (height >> 1);
    }
    if (width <= 0 || height <= 0)
        return;
    PlatRect rect = {srcLeft, srcTop, srcLeft + width, srcTop + height};
    if (x + width >= SurfaceWidth)
        rect.right -= x + width - SurfaceWidth;
    if (y + height >= SurfaceHeight)
        rect.bottom -= y + height - SurfaceHeight;
    if (x <= -width || y <= -height)
        return;
    if (x < 0) {
        rect.left -= x;
        x = 0;
    }
    if (y < 0) {
        rect.top -= y;
        y = 0;
    }
    if (rect.bottom == 0 || rect.bottom > rect.top + height || rect.right == 0 || rect.right > rect.left + width ||
        x >= SurfaceWidth || y >= SurfaceHeight)
        return;
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return;

    // A copy that fails for any reason but a busy surface is skipped.
    if (RenderKind == 2)
        CopyRetrying(destination, x, y, source, &rect, PLAT_WAIT);
    else if (RenderKind == 1 || ForceTargetBlit == 1)
        CopyRetrying(destination, x, y, source, &rect, PLAT_WAIT | PLAT_BLT_KEYSRC);
    else
        CopyRetrying(WorkSurface, x, y, source, &rect, PLAT_WAIT | PLAT_BLT_KEYSRC);
}

// ---------------------------------------------------------------------------
// The printer.

// Width of the text as it will be printed: the starting font throughout,
// code 31 skipped; an empty text measures as one space.  Rounded up to even.
static int MeasureText(const unsigned char* text, int font, int narrow) {
    int total = 0;
    const unsigned char* p = text;
    do {
        const int code = *p;
        if (code == HIGHLIGHT_TOGGLE)
            continue;
        if (code < 33)
            total += SpaceWidthTable[narrow][font];
        else
            total += GlyphWidthTable[font][code - 33] - narrow;
    } while (*p && *++p);
    return total + (total & 1);
}

static void DrawGlyph(int x, int y, int font, int code, PlatSurface* surface) {
    const int c = code - 33;
    ImpGfx(x, y, GlyphWidthTable[font][c], FontHeight[font], GlyphOffsetTable[font][c], FontTop[font], surface,
           FontSurface, 0);
}

// The frame behind a text of `total` pixels: a left end, total / 4 middle
// pieces (at least one) and a right end, of which the first total / 4 + 2
// are drawn.  It starts left of x by two thirds of the width at entry 132
// of the row, which is character 165's (the fonts give it the frame end's).
static void DrawTextFrame(int x, int y, int font, int total, PlatSurface* surface) {
    const int n = total / 4;
    const int pieces = (n > 1 ? n : 1) + 2;
    x = (int)((float)x - (float)GlyphWidthTable[font][FRAME_LEFT] / 1.5f);
    for (int i = 0; i < pieces && i < n + 2; i++) {
        const int code = i == 0 ? FRAME_LEFT : i == pieces - 1 ? FRAME_RIGHT : FRAME_MIDDLE;
        DrawGlyph(x, y, font, code, surface);
        x += GlyphWidthTable[font][code - 33];
    }
}

void PrintText(int x, int y, const char* text, int font, int align, PlatSurface* surface, int frameMode) {
    font = ClampFont(font);
    int narrow = 0;
    const int small = SmallDisplayMode();
    if (small && !FullSizeFonts) {
        font = SmallScreenFontMap[font];
        narrow = font == 1;
    }
    if (ScaleLayoutCoords == 1) {
        x = (int)((float)SurfaceWidth * ((float)x * 0.0015625f));
        y = (int)((float)SurfaceHeight * ((float)y * 0.0020833334f));
    }
    ScaleLayoutCoords = 1;
    if (!text)
        return;
    const unsigned char* bytes = (const unsigned char*)text;

    const int total = MeasureText(bytes, font, narrow);
    if (align == ALIGN_CENTRE)
        x -= total / 2;
    else if (align == ALIGN_RIGHT)
        x -= total;

    if (frameMode == 1) {
        DrawTextFrame(x, y, font, total, surface);
        return;
    }

    int highlight = 0;
    for (const unsigned char* p = bytes; *p; p++) {
        const int code = *p;
        if (code == HIGHLIGHT_TOGGLE) {
            font += highlight ? -1 : 1;
            highlight = !highlight;
            font = ClampFont(font);
            if (small)
                font = SmallScreenFontMap[font];
        } else if (code < 33) {
            x += SpaceWidthTable[narrow][font];
        } else {
            DrawGlyph(x, y, font, code, surface);
            x += GlyphWidthTable[font][code - 33] - narrow;
        }
    }
}
