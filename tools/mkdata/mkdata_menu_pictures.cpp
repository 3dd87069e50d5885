// The track preview pictures shown while a race loads: MENUS\MUNDOnn.bmp,
// 640 x 480, each showing its track code in big digits on its group's
// colour.  Codes that show another track's picture get none of their own.

#include <cstdio>
#include <set>
#include <string>

#include "frontend/race_select.h"
#include "mkdata.h"
#include "mkdata_frontend.h"
#include "mkdata_textures.h"
#include "track/asset_paths.h"

namespace {

const int PREVIEW_W = 640, PREVIEW_H = 480, DIGIT_SCALE = 26;

// A digit of the menu font, each ink cell a square block.
void DrawDigit(MkPicture& p, int digit, int left, int top, uint32_t colour) {
    MkGlyph glyph;
    if (!MkGlyphDesign('0' + digit, &glyph))
        return;
    for (int row = 0; row < MK_GLYPH_ROWS; row++) {
        for (int col = 0; col < MK_GLYPH_COLS; col++) {
            if (!glyph.ink[row][col])
                continue;
            for (int y = 0; y < DIGIT_SCALE; y++)
                for (int x = 0; x < DIGIT_SCALE; x++)
                    p.rgb[(size_t)(top + row * DIGIT_SCALE + y) * PREVIEW_W + left + col * DIGIT_SCALE + x] = colour;
        }
    }
}

MkPicture Preview(int code) {
    // One tint per track group, stripes a shade lighter.
    static const uint32_t tints[8] = {0x303030, 0x283C78, 0x785028, 0x3C6428,
                                      0x643C64, 0x786428, 0x286464, 0x643228};
    const uint32_t tint = tints[(code / 10) & 7];
    MkPicture p;
    p.width = PREVIEW_W;
    p.height = PREVIEW_H;
    p.rgb.resize((size_t)PREVIEW_W * PREVIEW_H);
    for (int y = 0; y < PREVIEW_H; y++)
        for (int x = 0; x < PREVIEW_W; x++)
            p.rgb[(size_t)y * PREVIEW_W + x] = ((x + y) / 40) % 2 ? tint + 0x101010 : tint;
    const int digitW = MK_GLYPH_COLS * DIGIT_SCALE, gap = DIGIT_SCALE;
    const int left = (PREVIEW_W - 2 * digitW - gap) / 2;
    const int top = (PREVIEW_H - MK_GLYPH_ROWS * DIGIT_SCALE) / 2;
    DrawDigit(p, code / 10 % 10, left, top, 0xF0F0F0);
    DrawDigit(p, code % 10, left + digitW + gap, top, 0xF0F0F0);
    return p;
}

}  // namespace

bool MkWriteTrackPreviews(const MkOptions& options) {
    std::vector<int> codes = options.trackCodes;
    if (codes.empty())
        codes.assign(RaceTrackCodes, RaceTrackCodes + RACE_TRACK_CODES);
    std::set<int> shown;
    for (int code : codes)
        shown.insert(PreviewCodeOf(code));
    for (int code : shown) {
        char path[40];
        snprintf(path, sizeof path, "MENUS\\MUNDO%02d.bmp", code);
        const std::vector<uint8_t> bytes = MkEncodeBmp8(Preview(code));
        if (!MkWriteArchived(path, bytes.data(), bytes.size())) {
            fprintf(stderr, "mkdata: cannot write %s\n", path);
            return false;
        }
    }
    return true;
}
