// The 2D pictures of the sample folder: the font strip of the text printer
// with its width file, the small developer font with its widths, the HUD
// boards at both sizes, the notice box, the logos and the loading and
// results backgrounds.
//
// Glyphs are the 5 x 11 designs of the menu fonts, scaled per font and
// centred in cells of the widths written to the width files, so a picture
// and its widths always agree.  Pictures are 8-bit bitmaps.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "mkdata.h"
#include "mkdata_frontend.h"
#include "mkdata_render_2d.h"
#include "mkdata_textures.h"
#include "render/text_printer.h"

namespace {

const uint32_t GREEN = 0x00FF00, WHITE = 0xFFFFFF, BLACK = 0x000000, BLUE = 0x0000FF, MAGENTA = 0xFF00FF;

uint32_t Rgb(int r, int g, int b) { return (uint32_t)r << 16 | (uint32_t)g << 8 | (uint32_t)b; }

struct Canvas {
    MkPicture picture;
    Canvas(int w, int h, uint32_t fill) {
        picture.width = w;
        picture.height = h;
        picture.rgb.assign((size_t)w * h, fill);
    }
    uint32_t& At(int x, int y) { return picture.rgb[(size_t)y * picture.width + x]; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < picture.width && y < picture.height; }
    void Put(int x, int y, uint32_t c) {
        if (Inside(x, y))
            At(x, y) = c;
    }
    void Fill(int x0, int y0, int w, int h, uint32_t c) {
        for (int y = y0; y < y0 + h; y++)
            for (int x = x0; x < x0 + w; x++)
                Put(x, y, c);
    }
    void Frame(int x0, int y0, int w, int h, uint32_t c) {
        Fill(x0, y0, w, 1, c);
        Fill(x0, y0 + h - 1, w, 1, c);
        Fill(x0, y0, 1, h, c);
        Fill(x0 + w - 1, y0, 1, h, c);
    }
    void Disc(int cx, int cy, int r, uint32_t c) {
        for (int y = cy - r; y <= cy + r; y++)
            for (int x = cx - r; x <= cx + r; x++)
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r)
                    Put(x, y, c);
    }
};

// ---------------------------------------------------------------------------
// Glyph designs.

// Codes without a menu-font design that the strip still holds, drawn from a
// near letter or sign, with a caron or diaeresis where the letter has one.
struct Borrowed {
    int code;
    int base;
    const char* accent;   // row 0 (capitals) or row 2 (small letters), or null
};
const Borrowed kBorrowed[] = {
    {138, 'S', ".#.#."}, {140, 'E', nullptr}, {145, '\'', nullptr}, {146, '\'', nullptr},
    {147, '"', nullptr}, {148, '"', nullptr}, {150, '-', nullptr}, {151, '-', nullptr}, {154, 's', ".#.#."},
    {156, 'e', nullptr}, {159, 'Y', ".#.#."}, {171, '<', nullptr}, {187, '>', nullptr},
};

// The codes that the strip does not hold, in every font.
bool MissingCode(int code) {
    static const int missing[] = {129, 130, 131, 135, 137, 139, 141, 142, 143, 144, 149, 153, 155, 157,
                                  158, 160, 166, 173, 176, 182, 208, 215, 222, 240, 247, 254};
    for (int m : missing)
        if (m == code)
            return true;
    return false;
}

// The design of a code: the menu fonts' own, a borrowed one, or a box.
MkGlyph DesignFor(int code) {
    MkGlyph glyph;
    if (MkGlyphDesign(code, &glyph))
        return glyph;
    for (const Borrowed& b : kBorrowed) {
        if (b.code != code)
            continue;
        MkGlyphDesign(b.base, &glyph);
        if (b.accent) {
            const int row = b.base >= 'a' && b.base <= 'z' ? 2 : 0;
            for (int c = 0; c < MK_GLYPH_COLS; c++)
                glyph.ink[row][c] = b.accent[c] == '#';
        }
        return glyph;
    }
    glyph = {};
    for (int r = 3; r <= 8; r++)
        for (int c = 0; c < 4; c++)
            glyph.ink[r][c] = r == 3 || r == 8 || c == 0 || c == 3;
    return glyph;
}

int InkLeft(const MkGlyph& glyph) {
    for (int c = 0; c < MK_GLYPH_COLS; c++)
        for (int r = 0; r < MK_GLYPH_ROWS; r++)
            if (glyph.ink[r][c])
                return c;
    return 0;
}

// Draws a design scaled sx x sy with its ink's left column at x; rows from
// firstRow on, the top one at y.  Returns the ink's width in pixels.
int DrawDesign(Canvas& canvas, const MkGlyph& glyph, int x, int y, int sx, int sy, uint32_t colour, int firstRow = 0) {
    const int left = InkLeft(glyph);
    for (int r = firstRow; r < MK_GLYPH_ROWS; r++)
        for (int c = left; c < MK_GLYPH_COLS; c++)
            if (glyph.ink[r][c])
                canvas.Fill(x + (c - left) * sx, y + (r - firstRow) * sy, sx, sy, colour);
    return MkGlyphInkColumns(glyph) * sx;
}

// Outline: every pixel of the rectangle next to ink (4 ways) that is still
// the background becomes `outline`.
void Outline(Canvas& canvas, int x0, int y0, int w, int h, uint32_t ink, uint32_t background, uint32_t outline) {
    std::vector<uint8_t> isInk((size_t)w * h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            isInk[(size_t)y * w + x] = canvas.Inside(x0 + x, y0 + y) && canvas.At(x0 + x, y0 + y) == ink;
    auto inkAt = [&](int x, int y) { return x >= 0 && y >= 0 && x < w && y < h && isInk[(size_t)y * w + x]; };
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            if (!inkAt(x, y) && canvas.Inside(x0 + x, y0 + y) && canvas.At(x0 + x, y0 + y) == background &&
                (inkAt(x - 1, y) || inkAt(x + 1, y) || inkAt(x, y - 1) || inkAt(x, y + 1)))
                canvas.At(x0 + x, y0 + y) = outline;
}

// A line of ASCII text from the body rows (no accents), glyphs `advance`
// pixels apart (0: each glyph's ink width plus sx).
void DrawWord(Canvas& canvas, const char* text, int x, int y, int sx, int sy, uint32_t colour, int advance = 0) {
    for (const char* p = text; *p; p++) {
        if (*p == ' ') {
            x += advance ? advance : 3 * sx;
            continue;
        }
        const int ink = DrawDesign(canvas, DesignFor((unsigned char)*p), x, y, sx, sy, colour, 2);
        x += advance ? advance : ink + sx;
    }
}

int WordWidth(const char* text, int sx) {
    int w = 0;
    for (const char* p = text; *p; p++)
        w += *p == ' ' ? 3 * sx : MkGlyphInkColumns(DesignFor((unsigned char)*p)) * sx + sx;
    return w > 0 ? w - sx : 0;
}

bool WriteBitmap(const std::string& path, const Canvas& canvas) {
    const std::vector<uint8_t> bytes = MkEncodeBmp8(canvas.picture);
    if (!bytes.empty() && MkWriteArchived(path, bytes.data(), bytes.size()))
        return true;
    fprintf(stderr, "mkdata: cannot write %s\n", path.c_str());
    return false;
}

void PutLe32(std::vector<uint8_t>& out, int32_t value) {
    for (int i = 0; i < 4; i++)
        out.push_back((uint8_t)((uint32_t)value >> (8 * i)));
}

// ---------------------------------------------------------------------------
// The font strip.

struct FontStyle {
    int sx, sy, gap, topPad;
    uint32_t ink;
    bool outline;
};
const FontStyle kFontStyles[FONT_COUNT] = {
    {3, 4, 3, 2, Rgb(250, 250, 250), true},
    {2, 2, 2, 1, Rgb(250, 250, 250), true},
    {2, 2, 2, 1, Rgb(255, 200, 40), true},
    {1, 1, 1, 1, Rgb(250, 250, 250), false},
    {1, 1, 1, 1, Rgb(255, 200, 40), false},
};
const int kDigitWidths[FONT_COUNT][10] = {
    {27, 15, 24, 24, 26, 24, 24, 24, 24, 24},
    {13, 8, 13, 13, 14, 13, 13, 13, 13, 13},
    {13, 8, 13, 13, 14, 13, 13, 13, 13, 13},
    {7, 4, 7, 7, 8, 7, 7, 7, 7, 7},
    {7, 4, 7, 7, 8, 7, 7, 7, 7, 7},
};
// Frame ends and middle piece.
const int kFrameEnd[FONT_COUNT] = {13, 11, 11, 6, 6};
const int kFrameMiddle[FONT_COUNT] = {8, 4, 4, 4, 4};
const uint32_t OUTLINE = Rgb(20, 20, 30), PANEL = Rgb(30, 40, 110), BORDER = Rgb(190, 200, 240);

int GlyphWidth(int font, int code) {
    if (MissingCode(code))
        return 0;
    if (code >= '0' && code <= '9')
        return kDigitWidths[font][code - '0'];
    if (code == FRAME_LEFT || code == FRAME_RIGHT)
        return kFrameEnd[font];
    if (code == FRAME_MIDDLE)
        return kFrameMiddle[font];
    // The frame is placed left of a text by two thirds of this one's width.
    if (code == 165)
        return kFrameEnd[font];
    const FontStyle& style = kFontStyles[font];
    return MkGlyphInkColumns(DesignFor(code)) * style.sx + style.gap;
}

void DrawFramePiece(Canvas& canvas, int x, int top, int w, int h, int code) {
    canvas.Fill(x, top + 1, w, h - 2, PANEL);
    canvas.Fill(x, top + 1, w, 1, BORDER);
    canvas.Fill(x, top + h - 2, w, 1, BORDER);
    if (code == FRAME_LEFT)
        canvas.Fill(x, top + 1, 1, h - 2, BORDER);
    if (code == FRAME_RIGHT)
        canvas.Fill(x + w - 1, top + 1, 1, h - 2, BORDER);
}

bool WriteFontStrip() {
    Canvas canvas(FONT_STRIP_PIXELS_WIDE, FONT_STRIP_PIXELS_HIGH, GREEN);
    std::vector<uint8_t> widths;
    for (int font = 0; font < FONT_COUNT; font++) {
        const FontStyle& style = kFontStyles[font];
        const int top = FontTop[font], height = FontHeight[font];
        int x = 0;
        for (int c = 0; c < GLYPH_WIDTH_ENTRIES; c++) {
            const int code = c + 33;
            const int width = code <= 254 ? GlyphWidth(font, code) : 0;
            PutLe32(widths, width);
            if (width == 0)
                continue;
            if (x + width > FONT_STRIP_PIXELS_WIDE) {
                fprintf(stderr, "mkdata: font %d passes the strip's %d pixels at code %d\n", font,
                        FONT_STRIP_PIXELS_WIDE, code);
                return false;
            }
            if (code >= FRAME_LEFT && code <= FRAME_RIGHT) {
                DrawFramePiece(canvas, x, top, width, height, code);
            } else {
                const MkGlyph glyph = DesignFor(code);
                const int ink = MkGlyphInkColumns(glyph) * style.sx;
                // Drawn in a cell of its own, so a glyph wider than its cell
                // is cut rather than spilling into its neighbour.
                Canvas cell(width, height, GREEN);
                DrawDesign(cell, glyph, (width - ink) / 2, style.topPad, style.sx, style.sy, style.ink);
                if (style.outline)
                    Outline(cell, 0, 0, width, height, style.ink, GREEN, OUTLINE);
                for (int y = 0; y < height; y++)
                    for (int i = 0; i < width; i++)
                        canvas.At(x + i, top + y) = cell.At(i, y);
            }
            x += width;
        }
    }
    return WriteBitmap("MENUS\\Fonts1.bmp", canvas) &&
           MkWriteArchived("MENUS\\Fonts1.wid", widths.data(), widths.size());
}

// ---------------------------------------------------------------------------
// The small developer font: a shadow row and three colour rows, 10 pixels
// each, on white.

bool WriteSmallFont() {
    // Entry 0 is the first glyph's column, then the widths of '!'..'?' as
    // delivered; the rest are each glyph's ink and a pixel.
    const uint8_t head[32] = {4, 2, 4, 6, 6, 6, 6, 2, 4, 4, 6, 6, 2, 6, 2, 5,
                              6, 3, 6, 6, 6, 6, 6, 6, 6, 6, 2, 3, 4, 6, 4, 6};
    std::vector<uint8_t> widths(head, head + 32);
    for (int code = '@'; code <= 127; code++)
        widths.push_back(code == 127 ? 0 : (uint8_t)(MkGlyphInkColumns(DesignFor(code)) + 1));
    const int pictureWidth = 543;
    int total = 0;
    for (uint8_t w : widths)
        total += w;
    if (widths.size() != 96 || total > pictureWidth) {
        fprintf(stderr, "mkdata: the small font needs %d pixels of %d\n", total, pictureWidth);
        return false;
    }
    Canvas canvas(pictureWidth, 40, WHITE);
    const uint32_t rows[4] = {Rgb(10, 10, 10), Rgb(200, 200, 200), Rgb(255, 230, 0), Rgb(0, 230, 230)};
    int x = widths[0];
    for (int n = 0; n < 95; n++) {
        const int width = widths[n + 1];
        if (width > 0) {
            for (int row = 0; row < 4; row++) {
                Canvas cell(width, 10, WHITE);
                DrawDesign(cell, DesignFor(n + 33), 0, 1, 1, 1, rows[row], 2);
                for (int y = 0; y < 10; y++)
                    for (int i = 0; i < width; i++)
                        canvas.At(x + i, row * 10 + y) = cell.At(i, y);
            }
        }
        x += width;
    }
    return WriteBitmap("ArtWork\\Extras\\Bmp\\Font1.bmp", canvas) &&
           MkWriteArchived("ArtWork\\Extras\\Bmp\\Font1.wid", widths.data(), widths.size());
}

// ---------------------------------------------------------------------------
// HUD boards, at full size (s = 2) and half size (s = 1) where the cells
// halve.  Every cell lies where the HUD reads it, with the key colour on its
// edge, and has its own marker colour: its glyph's ink, exact in 5-6-5 and
// used by no other cell of the boards of that size, so a test finds each
// drawn cell on the screen by its colour.

// Marker colours near a base, each given out once per board size.
struct MarkerSet {
    std::vector<uint32_t> used;
    uint32_t Near(uint32_t base) {
        const int r = (int)(base >> 16 & 0xF8), g = (int)(base >> 8 & 0xFC), b = (int)(base & 0xF8);
        auto step = [](int c, int k, int unit) { return c - k * unit >= 0 ? c - k * unit : c + k * unit; };
        for (int n = 0;; n++) {
            const uint32_t c = Rgb(step(r, n % 4, 8), step(g, n / 4 % 8, 4), step(b, n / 32 % 4, 8));
            bool taken = false;
            for (uint32_t u : used)
                taken = taken || u == c;
            if (!taken) {
                used.push_back(c);
                return c;
            }
        }
    }
};
MarkerSet HudMarkers;

// A design drawn into the box (x, y, w, h), each box pixel taking the
// nearest design cell of the body rows; returns the width used.
int DrawDesignBox(Canvas& canvas, const MkGlyph& glyph, int x, int y, int w, int h, uint32_t colour) {
    const int left = InkLeft(glyph), columns = MkGlyphInkColumns(glyph) - left;
    if (columns <= 0)
        return 0;
    for (int j = 0; j < h; j++)
        for (int i = 0; i < w; i++)
            if (glyph.ink[2 + j * 7 / h][left + i * columns / w])
                canvas.Put(x + i, y + j, colour);
    return w;
}

// A character centred in a cell, ink sx wide per design column and at most
// the cell less its one-pixel edge high.
void CellGlyph(Canvas& canvas, int code, int x, int y, int w, int h, int sx, int sy, uint32_t colour) {
    const MkGlyph glyph = DesignFor(code);
    const int left = InkLeft(glyph);
    int iw = (MkGlyphInkColumns(glyph) - left) * sx, ih = 7 * sy;
    iw = iw < w - 2 ? iw : w - 2;
    ih = ih < h - 2 ? ih : h - 2;
    DrawDesignBox(canvas, glyph, x + (w - iw) / 2, y + (h - ih) / 2, iw, ih, colour);
}

// A word from (x, y), letters of sx per design column and ih high, a
// column apart; spaces 3 columns.
void CellWord(Canvas& canvas, const char* text, int x, int y, int sx, int ih, uint32_t colour) {
    for (const char* p = text; *p; p++) {
        if (*p == ' ') {
            x += 3 * sx;
            continue;
        }
        const MkGlyph glyph = DesignFor((unsigned char)*p);
        x += DrawDesignBox(canvas, glyph, x, y, (MkGlyphInkColumns(glyph) - InkLeft(glyph)) * sx, ih, colour) + sx;
    }
}

// A digit centred in a cell (the countdown's big ones).
void CellDigit(Canvas& canvas, int digit, int x, int y, int w, int h, int sx, int sy, uint32_t colour) {
    CellGlyph(canvas, '0' + digit, x, y, w, h, sx, sy, colour);
}

bool WriteCountdown(bool small) {
    const int cell = small ? 45 : 91, sx = small ? 5 : 10;
    Canvas canvas(small ? 135 : 273, small ? 45 : 91, GREEN);
    const uint32_t colours[3] = {Rgb(230, 40, 30), Rgb(250, 170, 20), Rgb(250, 240, 60)};
    for (int stage = 0; stage < 3; stage++) {
        const uint32_t marker = HudMarkers.Near(colours[stage]);
        CellDigit(canvas, 3 - stage, stage * cell, 0, cell, cell, sx, small ? 5 : 12, marker);
        Outline(canvas, stage * cell, 0, cell, cell, marker, GREEN, OUTLINE);
    }
    return WriteBitmap(small ? "MENUS\\Textos123b.bmp" : "MENUS\\Textos123.bmp", canvas);
}

bool WriteGo(bool small) {
    const int w = small ? 118 : 241, h = small ? 45 : 92, s = small ? 4 : 9;
    Canvas canvas(w, h, GREEN);
    // Warm white: in 5-6-5 the font strip's white would be the same colour.
    const uint32_t colour = HudMarkers.Near(Rgb(250, 250, 224));
    DrawWord(canvas, "GO!", (w - WordWidth("GO!", s)) / 2, (h - 7 * s) / 2, s, s, colour);
    Outline(canvas, 0, 0, w, h, colour, GREEN, Rgb(20, 120, 20));
    return WriteBitmap(small ? "MENUS\\TextosGob.bmp" : "MENUS\\TextosGo.bmp", canvas);
}

// Three lamps of w x h side by side, each its own colour in a grey rim.
bool WriteLamps(const char* path, int count, int w, int h, int picWidth, int picHeight, const uint32_t* colours) {
    Canvas canvas(picWidth, picHeight, BLACK);
    for (int i = 0; i < count; i++) {
        const int r = (w < h ? w : h) / 2 - 2;   // the cell's edge stays key
        canvas.Disc(i * w + w / 2, h / 2, r, Rgb(90, 90, 90));
        canvas.Disc(i * w + w / 2, h / 2, r - 1 > 0 ? r - 1 : r, HudMarkers.Near(colours[i]));
    }
    return WriteBitmap(path, canvas);
}

// The position board: the places 1st to 8th on top (cell n is place n + 1),
// then the big digits, the "of" mark and the point along the second row.
bool WritePositionBoard(bool small) {
    Canvas canvas(small ? 160 : 318, small ? 32 : 65, BLACK);
    const int pw = small ? 20 : 39, ph = small ? 19 : 40, dw = small ? 11 : 23;
    // Big digits are read 23 / 11 high, car counts 22 / 12, "of" 24 / 12.
    const int dh = small ? 11 : 22, row = small ? 20 : 41, s = small ? 1 : 2;
    for (int n = 0; n < 8; n++)
        CellGlyph(canvas, '1' + n, n * pw, 0, pw, ph, small ? 2 : 4, small ? 2 : 5,
                  HudMarkers.Near(Rgb(250, 220, 40)));
    for (int d = 0; d < 10; d++)
        CellGlyph(canvas, '0' + d, d * dw, row, dw, dh, s, s + (small ? 0 : 1), HudMarkers.Near(Rgb(240, 240, 240)));
    // The small "of" cell is 11 wide: its letters are a column narrower.
    const uint32_t of = HudMarkers.Near(Rgb(200, 200, 200));
    const int ofX = (small ? 110 : 230) + 1, ofY = row + (small ? 3 : 6), ofH = small ? 5 : 12;
    const int ow = small ? 4 : 10, fw = small ? 3 : 8;
    DrawDesignBox(canvas, DesignFor('o'), ofX, ofY, ow, ofH, of);
    DrawDesignBox(canvas, DesignFor('f'), ofX + ow + s, ofY, fw, ofH, of);
    canvas.Fill((small ? 132 : 276) + dw / 2 - s, row + dh - 1 - 2 * s, 2 * s, 2 * s,
                HudMarkers.Near(Rgb(240, 240, 240)));
    return WriteBitmap(small ? "ArtWork\\Extras\\S-Boards\\MarcaPosb.bmp" : "ArtWork\\Extras\\S-Boards\\MarcaPos.bmp",
                       canvas);
}

// The time board: clock digits plain and highlighted, separators and the
// penalty sign, lap numbers, and the labels of the HUD panels.
bool WriteTimeBoard(bool small) {
    Canvas canvas(small ? 91 : 182, small ? 90 : 140, BLACK);
    const int cw = small ? 7 : 15, ch = small ? 9 : 14, s = small ? 1 : 2, ih = small ? 7 : 12;
    // The lit cells keep clear of the font strip's yellow (255, 200, 40).
    const uint32_t plain = Rgb(235, 235, 235), lit = Rgb(255, 196, 48), dim = Rgb(120, 120, 140);
    for (int row = 0; row < 2; row++) {
        const int y = row * ch;
        for (int d = 0; d < 10; d++)
            CellGlyph(canvas, '0' + d, d * cw, y, cw, ch, s, s, HudMarkers.Near(row ? lit : plain));
        const int sep = small ? 70 : 150;
        const uint32_t marker = HudMarkers.Near(row ? lit : plain);
        canvas.Fill(sep + s, y + 2 * s, s, s, marker);
        // The lower dot clears the top two thirds, which the jump record's
        // point reads.
        canvas.Fill(sep + s, y + (small ? 6 : 10), s, s, marker);
    }
    canvas.Fill((small ? 84 : 170) + 1, small ? 4 : 6, 4, s, HudMarkers.Near(plain));   // the penalty sign
    const int lapRow = small ? 18 : 28;
    for (int l = 0; l < 3; l++)
        CellGlyph(canvas, '1' + l, l * cw, lapRow, cw, ch, s, s, HudMarkers.Near(lit));
    for (int l = 0; l < 3; l++)
        CellGlyph(canvas, '1' + l, (small ? 21 : 45) + l * cw, lapRow, cw, ch, s, s, HudMarkers.Near(dim));
    CellGlyph(canvas, 'T', small ? 42 : 90, lapRow, cw, ch, s, s, HudMarkers.Near(plain));
    CellGlyph(canvas, 'L', small ? 49 : 105, lapRow, cw, ch, s, s, HudMarkers.Near(plain));
    // The row at 70 / 45 is read 88 / 44 wide by the timed events and 152 /
    // 90 wide over the lap clocks: "TIME" alone, over the clocks' digits
    // (the lap numbers have "LAP" over them, and nothing else stands in
    // those rows).
    struct Label {
        int y, ySmall;
        const char* text;
    };
    const Label labels[] = {{42, 27, "POS"},    {56, 36, "LAP"},   {70, 45, "TIME"},
                            {98, 63, "RECORD"}, {112, 72, "JUMP"}, {126, 81, "TARGETS"}};
    for (const Label& label : labels)
        CellWord(canvas, label.text, 1, (small ? label.ySmall : label.y) + 1, s, ih, HudMarkers.Near(plain));
    return WriteBitmap(small ? "ArtWork\\Extras\\S-Boards\\MarcaTimeb.bmp" : "ArtWork\\Extras\\S-Boards\\MarcaTime.bmp",
                       canvas);
}

bool WriteJumpMeter(bool small) {
    const int h = small ? 100 : 200;
    Canvas canvas(6, h, MAGENTA);
    canvas.Fill(0, 0, 4, h, Rgb(60, 60, 70));
    canvas.Frame(0, 0, 4, h, Rgb(200, 200, 210));
    for (int y = 0; y < h - 1; y++)
        canvas.Fill(4, y, 2, 1, Rgb(40 + 200 * (h - y) / h, 220 - 150 * (h - y) / h, 40));
    canvas.Fill(4, h - 1, 2, 1, Rgb(255, 30, 30));   // the record mark
    return WriteBitmap(small ? "ArtWork\\Extras\\S-Boards\\Jumpb.bmp" : "ArtWork\\Extras\\S-Boards\\Jump.bmp", canvas);
}

bool WriteBalls(bool small) {
    const int s = small ? 3 : 6;
    Canvas canvas(2 * s, s, BLUE);
    canvas.Disc(s / 2, s / 2, s / 2, HudMarkers.Near(Rgb(240, 240, 240)));
    canvas.Disc(s + s / 2, s / 2, s / 2, HudMarkers.Near(Rgb(250, 40, 40)));   // car 0
    return WriteBitmap(small ? "ArtWork\\Extras\\S-Boards\\bolasb.bmp" : "ArtWork\\Extras\\S-Boards\\bolas.bmp", canvas);
}

bool WriteHudBoards(bool small) {
    const uint32_t nitro[3] = {Rgb(60, 250, 90), Rgb(40, 50, 40), Rgb(250, 150, 30)};
    const uint32_t penalty[3] = {Rgb(255, 40, 30), Rgb(140, 30, 25), Rgb(50, 20, 20)};
    const std::string boards = "ArtWork\\Extras\\S-Boards\\";
    // Both sizes give the same cell the same marker.
    HudMarkers.used.clear();
    return WriteCountdown(small) && WriteGo(small) &&
           WriteLamps((boards + (small ? "LuzNitrob.bmp" : "LuzNitro.bmp")).c_str(), 3, small ? 11 : 21,
                      small ? 12 : 23, small ? 33 : 63, small ? 12 : 23, nitro) &&
           WritePositionBoard(small) &&
           WriteLamps((boards + (small ? "penaltisluzb.bmp" : "penaltisluz.bmp")).c_str(), 3, small ? 20 : 41,
                      small ? 20 : 41, small ? 60 : 123, small ? 20 : 41, penalty) &&
           WriteTimeBoard(small) && WriteJumpMeter(small) && WriteBalls(small);
}

// ---------------------------------------------------------------------------
// Boxes and backgrounds.

bool WriteNoticeAndLogos() {
    Canvas notice(210, 42, PANEL);
    notice.Frame(0, 0, 210, 42, BORDER);
    notice.Frame(2, 2, 206, 38, BORDER);
    // What the menus' notice tells: the item clicked does nothing here.
    DrawWord(notice, "NOT AVAILABLE", (210 - WordWidth("NOT AVAILABLE", 2)) / 2, 7, 2, 4, Rgb(250, 250, 250));
    bool ok = WriteBitmap("MENUS\\Not.bmp", notice);
    // The picture shown when the program exits.
    Canvas exitPicture(640, 480, PANEL);
    exitPicture.Frame(8, 8, 624, 464, BORDER);
    DrawWord(exitPicture, "QUORVIX", (640 - WordWidth("QUORVIX", 6)) / 2, 180, 6, 9, Rgb(250, 220, 60));
    DrawWord(exitPicture, "THANKS FOR PLAYING", (640 - WordWidth("THANKS FOR PLAYING", 2)) / 2, 300, 2, 3,
             Rgb(230, 230, 230));
    ok = ok && WriteBitmap("MENUS\\ExitDemo.bmp", exitPicture);
    for (int german = 0; german < 2; german++) {
        Canvas logo(150, 68, GREEN);
        const uint32_t plate = german ? Rgb(150, 20, 20) : Rgb(20, 40, 140);
        for (int y = 6; y < 62; y++)
            logo.Fill(4 + (62 - y) / 8, y, 142 - (62 - y) / 8, 1, plate);
        DrawWord(logo, "QUORVIX", (150 - WordWidth("QUORVIX", 2)) / 2, 16, 2, 3, Rgb(250, 220, 60));
        DrawWord(logo, "REPLAY", (150 - WordWidth("REPLAY", 1)) / 2, 48, 1, 1, Rgb(230, 230, 230));
        ok = ok && WriteBitmap(german ? "MENUS\\logo2.bmp" : "MENUS\\logo1.bmp", logo);
    }
    return ok;
}

// A 640 x 480 screen: a gradient of 64 steps between two colours, diagonal
// stripes, and a title, or the table of a standings screen.  The standings
// print their own titles above the table and their rows in two columns,
// the names right-aligned 16 pixels left of the middle and the points
// 16 pixels right of it: the table is one dark panel between the titles
// and the line at the foot, split by a rule down the middle, so no line
// runs through a row whatever the number of rows.
bool WriteScreen(const char* path, uint32_t from, uint32_t to, const char* title, bool table) {
    Canvas canvas(640, 480, BLACK);
    auto mix = [](uint32_t a, uint32_t b, int t) {
        auto ch = [&](int shift) { return (int)((a >> shift & 255) * (63 - t) + (b >> shift & 255) * t) / 63; };
        return Rgb(ch(16), ch(8), ch(0));
    };
    for (int y = 0; y < 480; y++) {
        const uint32_t base = mix(from, to, y * 63 / 479);
        for (int x = 0; x < 640; x++)
            canvas.At(x, y) = ((x + y) / 32) % 2 ? base : mix(base, WHITE, 4);
    }
    if (table) {
        for (int y = 126; y < 418; y++)
            for (int x = 40; x < 600; x++)
                canvas.At(x, y) = mix(canvas.At(x, y), BLACK, 40);
        canvas.Frame(40, 126, 560, 292, Rgb(200, 200, 220));
        canvas.Fill(320, 132, 1, 280, Rgb(200, 200, 220));
        return WriteBitmap(path, canvas);
    }
    DrawWord(canvas, title, (640 - WordWidth(title, 6)) / 2, 150, 6, 8, Rgb(250, 250, 250));
    return WriteBitmap(path, canvas);
}

}  // namespace

// The track editors' 11 x 19 arrow: white, outlined dark, on black (the
// transparent colour).
bool WriteEditorCursor() {
    Canvas canvas(11, 19, Rgb(0, 0, 0));
    for (int y = 0; y < 16; y++)
        for (int x = 0; x <= y * 10 / 15; x++)
            canvas.At(x, y) = Rgb(255, 255, 255);
    for (int y = 12; y < 19; y++)
        canvas.Fill(3 + (y - 12) / 2, y, 3, 1, Rgb(255, 255, 255));
    Outline(canvas, 0, 0, 11, 19, Rgb(255, 255, 255), Rgb(0, 0, 0), Rgb(40, 40, 40));
    return WriteBitmap("ArtWork\\Extras\\Bmp\\Cursor.bmp", canvas);
}

bool MkWrite2dGraphics() {
    return WriteFontStrip() && WriteSmallFont() && WriteEditorCursor() && WriteHudBoards(false) && WriteHudBoards(true) &&
           WriteNoticeAndLogos() &&
           WriteScreen("MENUS\\cargando.bmp", Rgb(10, 20, 70), Rgb(40, 90, 170), "QUORVIX", false) &&
           WriteScreen("MENUS\\cargandoAleman.bmp", Rgb(60, 10, 10), Rgb(170, 60, 30), "QUORVIX", false) &&
           WriteScreen("MENUS\\Results.bmp", Rgb(10, 40, 30), Rgb(30, 110, 70), nullptr, true) &&
           WriteScreen("MENUS\\FResults.bmp", Rgb(50, 30, 10), Rgb(140, 100, 30), nullptr, true);
}
