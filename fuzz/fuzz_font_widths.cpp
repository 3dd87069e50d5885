// libFuzzer target: the two font width files and the printers that read them.
//
// The input is a few settings, the bytes of "Menus\Fonts1.wid", those of
// "ArtWork\Extras\Bmp\Font1.wid" and a text.  Whatever the width files hold,
// every glyph copy must come from inside its font picture and, for the text
// printer, land inside the render surface.  Built and run by scripts/fuzz.sh
// (clang, ASan + UBSan); the surfaces are stand-ins that check each copy.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "frame/fileio.h"
#include "frame/frame_state.h"
#include "platform/plat_surface.h"
#include "platform/plat_system.h"
#include "render/debug_labels.h"
#include "render/render_state.h"
#include "render/text_printer.h"

// The state the printers read.
DisplayConfigRecord DisplayConfig;
int SurfaceWidth, SurfaceHeight;
float ScreenRight, ScreenBottom;
int RenderKind;
int ForceTargetBlit, FullSizeFonts;
PlatSurface* WorkSurface;
PlatSurface* FontSurface;
PlatSurface* SmallFontSurface;
int LastFileSize;

struct PlatSurface {
    int width, height;
    int mustHoldDestination;   // copies onto it must lie inside it
};

static PlatSurface fontStrip = {FONT_STRIP_PIXELS_WIDE, FONT_STRIP_PIXELS_HIGH, 0};
static PlatSurface smallFont = {543, 40, 0};
static PlatSurface screen = {640, 480, 1};
static PlatSurface work = {640, 1440, 1};
static PlatSurface overlay = {640, 480, 0};   // the developer text's target: no clipping is promised

static bool Inside(const PlatSurface* s, int left, int top, int right, int bottom) {
    return left >= 0 && top >= 0 && right <= s->width && bottom <= s->height && left < right && top < bottom;
}

int PlatSurfaceBltFast(PlatSurface* dst, int x, int y, PlatSurface* src, const PlatRect* rect, int) {
    if (!dst || !src || !rect)
        return DDERR_INVALIDPARAMS;
    if (!Inside(src, rect->left, rect->top, rect->right, rect->bottom))
        abort();   // a glyph from outside its font picture
    const int right = x + rect->right - rect->left, bottom = y + rect->bottom - rect->top;
    if (!Inside(dst, x, y, right, bottom)) {
        if (dst->mustHoldDestination)
            abort();   // the printer's clipping let a glyph off the surface
        return DDERR_INVALIDRECT;
    }
    return DD_OK;
}

void PlatDebugOut(const char*) {}
int ReadWholeFile(const char*, void*, int) {
    LastFileSize = 0;
    return -1;
}

static int Take(const uint8_t*& data, size_t& size, size_t want, const uint8_t** out) {
    const size_t n = size < want ? size : want;
    *out = data;
    data += n;
    size -= n;
    return (int)n;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 6 || size > 8192)
        return 0;
    const int flags = data[0];
    const int x = (int16_t)(data[1] | data[2] << 8), y = (int16_t)(data[3] | data[4] << 8);
    const int surfaceChoice = data[5] % 3;
    data += 6;
    size -= 6;

    const uint8_t* glyphWidths;
    const uint8_t* smallWidths;
    const uint8_t* textBytes;
    const int glyphSize = Take(data, size, GLYPH_WIDTH_FILE_BYTES, &glyphWidths);
    const int smallSize = Take(data, size, SMALL_FONT_WIDTH_BYTES, &smallWidths);
    const int textSize = Take(data, size, 1024, &textBytes);
    // Copies of exactly their sizes, so a read past either is caught.
    std::vector<uint8_t> glyphFile(glyphWidths, glyphWidths + glyphSize), smallFile(smallWidths, smallWidths + smallSize);
    ParseGlyphWidths(glyphFile.data(), glyphSize);
    ParseSmallFontWidths(smallFile.data(), smallSize);
    std::vector<char> text(textBytes, textBytes + textSize);
    text.push_back(0);

    // Display modes up to 640 x 480, as on the software path, whose copies
    // land in the 640-wide work surface.
    static const int sizes[3][2] = {{640, 480}, {512, 384}, {320, 240}};
    DisplayConfig.width = SurfaceWidth = screen.width = sizes[surfaceChoice][0];
    DisplayConfig.height = SurfaceHeight = screen.height = sizes[surfaceChoice][1];
    ScreenRight = (float)SurfaceWidth;
    ScreenBottom = (float)SurfaceHeight;
    RenderKind = flags & 3;
    ForceTargetBlit = (flags >> 2) & 1;
    FullSizeFonts = (flags >> 3) & 1;
    FontSurface = &fontStrip;
    SmallFontSurface = &smallFont;
    WorkSurface = &work;

    for (int font = -1; font <= FONT_COUNT; font++) {
        for (int align = 0; align < 3; align++) {
            for (int frame = 0; frame < 2; frame++) {
                ScaleLayoutCoords = (flags >> 4) & 1;
                PrintText(x, y, text.data(), font, align, &screen, frame);
            }
        }
    }
    DebugTextColour = (flags >> 5) - 2;
    DrawDebugText(x, y, text.data(), &overlay);
    TextLabelCount = 0;
    AddTextLabel(text.data(), x, y);
    DrawTextLabels(&overlay);
    return 0;
}
