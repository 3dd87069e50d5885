#include "render/debug_labels.h"

#include <cstdio>
#include <cstring>

#include "frame/fileio.h"
#include "platform/plat_surface.h"
#include "platform/plat_system.h"
#include "render/render_state.h"

uint8_t SmallFontWidths[SMALL_FONT_WIDTH_BYTES];
int DebugTextColour;
TextLabel TextLabels[TEXT_LABEL_MAX];
int TextLabelCount;

enum { SMALL_FONT_PICTURE_WIDTH = 543, SMALL_FONT_GLYPHS = SMALL_FONT_WIDTH_BYTES - 1 };

// Column of glyph n in the small font: entry 0 plus the widths before it.
static int SmallGlyphStart[SMALL_FONT_GLYPHS];

int ParseSmallFontWidths(const uint8_t* data, int size) {
    memset(SmallFontWidths, 0, sizeof SmallFontWidths);
    memset(SmallGlyphStart, 0, sizeof SmallGlyphStart);
    if (!data || size != SMALL_FONT_WIDTH_BYTES) {
        char line[96];
        snprintf(line, sizeof line, "Font1.wid: %d bytes, not %d: no debug text is drawn", size,
                 SMALL_FONT_WIDTH_BYTES);
        PlatDebugOut(line);
        return 0;
    }
    for (int i = 0; i < SMALL_FONT_WIDTH_BYTES; i++)
        SmallFontWidths[i] = data[i] > SMALL_FONT_MAX_WIDTH ? (uint8_t)SMALL_FONT_MAX_WIDTH : data[i];
    int start = SmallFontWidths[0];
    for (int n = 0; n < SMALL_FONT_GLYPHS; n++) {
        if (start + SmallFontWidths[n + 1] > SMALL_FONT_PICTURE_WIDTH)
            SmallFontWidths[n + 1] = 0;
        SmallGlyphStart[n] = start;
        start += SmallFontWidths[n + 1];
    }
    return 1;
}

int LoadSmallFontWidths() {
    static uint8_t file[SMALL_FONT_WIDTH_BYTES + 1];
    int size = 0;
    if (ReadWholeFile("ArtWork\\Extras\\Bmp\\Font1.wid", file, sizeof file) > 0)
        size = LastFileSize;
    return ParseSmallFontWidths(file, size);
}

static int CopyGlyph(PlatSurface* surface, int x, int y, const PlatRect& rect) {
    int result = DDERR_WASSTILLDRAWING;
    for (int i = 0; i < PLAT_STILL_DRAWING_RETRIES && result == DDERR_WASSTILLDRAWING; i++)
        result = PlatSurfaceBltFast(surface, x, y, SmallFontSurface, &rect, PLAT_WAIT | PLAT_BLT_KEYSRC);
    return result;
}

int DrawDebugText(int x, int y, const char* text, PlatSurface* surface) {
    if (!text)
        return 0;
    const int colour = DebugTextColour < 0 ? 0 : DebugTextColour > 3 ? 3 : DebugTextColour;
    for (const unsigned char* p = (const unsigned char*)text; *p; p++) {
        const int code = *p;
        const int n = code - 33;
        // Spaces, control codes and codes past the table advance alike.
        if (code <= 32 || n >= SMALL_FONT_GLYPHS) {
            x += 5;
            continue;
        }
        const int width = SmallFontWidths[n + 1];
        if (width > 0) {
            const int left = SmallGlyphStart[n];
            const PlatRect shadow = {left, 0, left + width, SMALL_FONT_ROW_HEIGHT};
            int result = CopyGlyph(surface, x + 1, y + 1, shadow);
            if (result != DD_OK)
                return result;
            const int top = colour * SMALL_FONT_ROW_HEIGHT;
            const PlatRect letter = {left, top, left + width, top + SMALL_FONT_ROW_HEIGHT};
            result = CopyGlyph(surface, x, y, letter);
            if (result != DD_OK)
                return result;
        }
        x += code >= '0' && code <= '9' ? 6 : width;
    }
    return 0;
}

void AddTextLabel(const char* text, int x, int y) {
    if (!text || x < 0 || x > 590 || y < 0 || y > 471 || TextLabelCount >= TEXT_LABEL_MAX)
        return;
    TextLabel& label = TextLabels[TextLabelCount++];
    memset(label.text, 0, sizeof label.text);
    memcpy(label.text, text, strnlen(text, sizeof label.text));
    label.x = x;
    label.y = y;
}

void DrawTextLabels(PlatSurface* surface) {
    for (int i = 0; i < TextLabelCount; i++) {
        char text[TEXT_LABEL_CHARS + 1];
        memcpy(text, TextLabels[i].text, TEXT_LABEL_CHARS);
        text[TEXT_LABEL_CHARS] = 0;
        DrawDebugText(TextLabels[i].x, TextLabels[i].y, text, surface);
    }
}
