// The menu pictures (MENUS\GFX\%04d.bmp), their raw level maps
// (MENUS\GFX\%04d.raw) and the page backgrounds.
//
// Sizes follow the built-in layout: every hit box lies on its picture, the
// button frames are as tall as their hit boxes (the main menu's lowest ones
// end at the screen's bottom edge; they and the bars share one level map),
// the PLAY board ends before the OPTIONS
// frame beside it (the main menu's right-aligned frames show over their hit
// boxes only), the main menu's corner wheel stays above the HELP frame,
// a list's thumb slides down its scroll bar to the arrow below it, and a
// level map has one byte per pixel of the pictures
// that name it.  Pictures
// are 24-bit BMP files; black is the transparent colour of the pictures
// drawn without a level map.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "mkdata.h"
#include "mkdata_frontend.h"

namespace {

// Columns of the main menu's right-aligned frames that are not shown.
const int MAIN_FRAME_CUT = 42;

struct PictureSize {
    int first, last;   // picture numbers
    int width, height;
    MkPictureStyle style;
};

// Every picture the menus load: the set loaded at start-up and the
// animation frames 284..510.
const PictureSize kPictures[] = {
    {1, 1, 200, 26, MK_BAR},         {2, 2, 200, 60, MK_PANEL},       {3, 3, 64, 32, MK_BAR},
    {4, 4, 200, 26, MK_FRAME_LIT},   {5, 5, 200, 26, MK_FRAME},       {6, 6, 260, 100, MK_PANEL},
    {7, 7, 200, 26, MK_FRAME_LIT},   {8, 9, 160, 48, MK_BOARD},       {10, 10, 160, 68, MK_BOARD},
    {11, 11, 400, 200, MK_PANEL},    {12, 12, 200, 240, MK_PANEL},    {13, 13, 240, 140, MK_PANEL},
    {15, 15, 160, 28, MK_FRAME},     {16, 16, 400, 120, MK_PANEL},    {20, 20, 120, 28, MK_FRAME},
    {21, 21, 160, 32, MK_FRAME},     {30, 30, 400, 260, MK_PANEL},    {31, 31, 320, 52, MK_TITLE},
    {34, 43, 64, 48, MK_TILE},
    {44, 44, 24, 120, MK_BAR},       {45, 45, 24, 122, MK_BAR},       {46, 47, 24, 24, MK_SLIDER},
    {48, 49, 24, 24, MK_ARROW},      {53, 53, 220, 24, MK_BAR},       {54, 55, 20, 20, MK_THUMB},
    {59, 59, 240, 160, MK_PANEL},    {60, 60, 80, 36, MK_FRAME},      {61, 61, 80, 36, MK_FRAME_LIT},
    {62, 62, 80, 36, MK_FRAME},      {63, 63, 80, 36, MK_FRAME_LIT},  {64, 72, 40, 40, MK_POINTER},
    {73, 73, 300, 200, MK_PANEL},
    {74, 74, 440, 280, MK_PANEL},    {75, 75, 40, 40, MK_ICON},       {284, 299, 80, 52, MK_SPINNER},
    {300, 510, 80, 80, MK_SPINNER},  {516, 517, 300, 180, MK_PANEL},  {518, 518, 200, 60, MK_SHEEN},
    {525, 525, 155, 68, MK_BOARD},   {526, 526, 200, 80, MK_PANEL},   {527, 528, 240, 36, MK_FRAME},
    {530, 530, 200, 80, MK_PANEL},   {531, 532, 64, 32, MK_ICON},     {533, 533, 32, 32, MK_GLINT},
    {534, 534, 400, 200, MK_PANEL},
};

// The raw files that the start-up loads after the fonts (raw graphic 1 on).
const int kRawFiles[] = {304, 1,   5,   31,  8,   9,   11,  10,  12,  20,  21,  22,  23,  24,  25,  26,  27,  28,
                         29,  32,  33,  14,  36,  38,  39,  40,  41,  42,  15,  34,  17,  18,  19,  30,  16,  2,
                         13,  59,  512, 513, 514, 515, 516, 53,  54,  48,  50,  51,  52,  44,  45,  46,  73,  74,
                         75,  2,   64,  518, 519, 520, 521, 522, 523, 525, 526, 43,  530, 533, 284};

const PictureSize* FindPicture(int number) {
    for (const PictureSize& p : kPictures) {
        if (number >= p.first && number <= p.last)
            return &p;
    }
    return nullptr;
}

struct Rgb {
    int r, g, b;
};

// Accent colours of the styles, and a hue that moves along the frames of the
// animations.
Rgb StyleColour(MkPictureStyle style, int number) {
    switch (style) {
    case MK_FRAME: return {40, 90, 170};
    case MK_FRAME_LIT: return {230, 170, 40};
    case MK_BAR: return {60, 70, 90};
    case MK_PANEL: case MK_BOARD: return {20, 30, 60};
    case MK_TITLE: return {150, 30, 30};
    case MK_ICON: return {50 + (number * 37) % 150, 80 + (number * 53) % 120, 120 + (number * 71) % 100};
    case MK_TILE: return {20 + (number * 37) % 40, 30 + (number * 53) % 40, 60 + (number * 71) % 40};
    case MK_ARROW: return {number % 2 ? 250 : 200, number % 2 ? 250 : 200, 90};
    case MK_THUMB: case MK_SLIDER: return {number % 2 ? 240 : 180, 120, 40};
    case MK_POINTER: return {255, 200 + (number - 64) * 6, 60};
    case MK_SPINNER: return {200, 60 + (number * 29) % 160, 40};
    case MK_SHEEN: case MK_GLINT: return {230, 235, 250};
    }
    return {128, 128, 128};
}

bool Inside(MkPictureStyle style, int x, int y, int w, int h) {
    if (style == MK_SLIDER) {
        // a slim bar along the top of its picture, which is as tall as the
        // thumb's hit box: at the end of its track it stops at the arrow
        return y < 8;
    }
    if (style == MK_POINTER) {
        // an arrow pointing up-left, its tip 11 columns and 8 rows in
        const int dx = x - 11, dy = y - 8;
        return dx >= 0 && dy >= 0 && dx + dy / 2 < 20 && dy < 26 && dx <= dy + 2;
    }
    if (style == MK_SPINNER || style == MK_GLINT) {
        const float cx = (w - 1) / 2.0f, cy = (h - 1) / 2.0f;
        const float rx = w / 2.0f - 2, ry = h / 2.0f - 2;
        const float u = (x - cx) / rx, v = (y - cy) / ry;
        return u * u + v * v <= 1.0f;
    }
    // rectangles with cut corners
    const int cut = w >= 40 && h >= 20 ? 4 : 0;
    const int cx = x < cut ? cut - x : x >= w - cut ? x - (w - cut - 1) : 0;
    const int cy = y < cut ? cut - y : y >= h - cut ? y - (h - cut - 1) : 0;
    return cx + cy <= cut;
}

bool OnEdge(MkPictureStyle style, int x, int y, int w, int h) {
    return Inside(style, x, y, w, h) &&
           (!Inside(style, x - 2, y, w, h) || !Inside(style, x + 2, y, w, h) || !Inside(style, x, y - 2, w, h) ||
            !Inside(style, x, y + 2, w, h) || x < 2 || y < 2 || x >= w - 2 || y >= h - 2);
}

Rgb PicturePixel(int number, const PictureSize& p, int x, int y) {
    const int w = p.width, h = p.height;
    if (!Inside(p.style, x, y, w, h))
        return {0, 0, 0};
    const Rgb c = StyleColour(p.style, number);
    if (p.style == MK_GLINT)
        return c;
    if (OnEdge(p.style, x, y, w, h))
        return {c.r / 2 + 110, c.g / 2 + 110, c.b / 2 + 110};
    switch (p.style) {
    case MK_ARROW: {
        // A list's up and down arrows both show the first picture of the
        // pair and, under the pointer, the second: a point up and a point
        // down, the second brighter.
        const int dy = std::min(y, h - 1 - y);
        return std::abs(x - w / 2) * 2 <= dy * 2 ? c : Rgb{30, 30, 50};
    }
    case MK_SPINNER: {
        // a wheel whose spoke turns with the frame number
        const float angle = (float)(number % 50) * 0.12566f;
        const float cx = (w - 1) / 2.0f, cy = (h - 1) / 2.0f;
        const float px = x - cx, py = y - cy;
        const float along = px * std::cos(angle) + py * std::sin(angle);
        const float across = -px * std::sin(angle) + py * std::cos(angle);
        if (along > 0 && std::fabs(across) < 4.0f)
            return {250, 250, 250};
        return c;
    }
    default: {
        // a soft vertical gradient
        const int shade = 30 + 50 * y / (h > 1 ? h - 1 : 1);
        return {std::min(255, c.r + shade), std::min(255, c.g + shade), std::min(255, c.b + shade)};
    }
    }
}

std::vector<unsigned char> Bmp24(int w, int h, const std::vector<Rgb>& pixels) {
    const int rowBytes = (w * 3 + 3) & ~3;
    const uint32_t imageSize = (uint32_t)rowBytes * (uint32_t)h;
    std::vector<unsigned char> file(54 + imageSize, 0);
    auto put16 = [&](size_t at, uint32_t v) {
        file[at] = (unsigned char)v;
        file[at + 1] = (unsigned char)(v >> 8);
    };
    auto put32 = [&](size_t at, uint32_t v) {
        put16(at, v & 0xffff);
        put16(at + 2, v >> 16);
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, (uint32_t)file.size());
    put32(10, 54);
    put32(14, 40);
    put32(18, (uint32_t)w);
    put32(22, (uint32_t)h);
    put16(26, 1);
    put16(28, 24);
    put32(34, imageSize);
    put32(38, 2835);
    put32(42, 2835);
    for (int y = 0; y < h; y++) {
        unsigned char* row = &file[54 + (size_t)(h - 1 - y) * rowBytes];   // bottom-up
        for (int x = 0; x < w; x++) {
            const Rgb& c = pixels[(size_t)y * w + x];
            row[3 * x] = (unsigned char)c.b;
            row[3 * x + 1] = (unsigned char)c.g;
            row[3 * x + 2] = (unsigned char)c.r;
        }
    }
    return file;
}

bool WritePicture(int number, const PictureSize& p) {
    std::vector<Rgb> pixels((size_t)p.width * p.height);
    for (int y = 0; y < p.height; y++) {
        for (int x = 0; x < p.width; x++)
            pixels[(size_t)y * p.width + x] = PicturePixel(number, p, x, y);
    }
    char path[40];
    snprintf(path, sizeof path, "MENUS\\GFX\\%04d.bmp", number);
    const std::vector<unsigned char> file = Bmp24(p.width, p.height, pixels);
    return MkWriteArchived(path, file.data(), file.size());
}

// Blend levels: 0 shows the picture, 100 leaves the background.  Edges are
// solid, the inside lets some background through (a board almost none, a
// glint nearly all of it), the outside all of it.
unsigned char Level(const PictureSize& size, int x, int y) {
    if (!Inside(size.style, x, y, size.width, size.height))
        return 100;
    if (size.style == MK_GLINT) {
        // brightest in the middle, fading out to nothing at its rim
        const float u = (x - (size.width - 1) / 2.0f) / (size.width / 2.0f);
        const float v = (y - (size.height - 1) / 2.0f) / (size.height / 2.0f);
        return (unsigned char)(70 + 30 * std::min(1.0f, std::sqrt(u * u + v * v)));
    }
    // The career's cup panels slide in over the cup list and the buttons
    // beside it: nothing of what they cover shows through them.
    if (size.first == 30 || size.first == 73 || size.first == 74)
        return 0;
    const bool edge = OnEdge(size.style, x, y, size.width, size.height);
    switch (size.style) {
    case MK_SHEEN: return edge ? 80 : 92;
    case MK_PANEL: return edge ? 0 : 45;
    case MK_BOARD: return edge ? 0 : 8;
    default: return edge ? 0 : 20;
    }
}

// The career screen shows a cup's progress through the level map its
// picture is seen through, which the career sets to raw graphic 39 + the
// races won.  Files 512-515 (raw graphics 39-42) are the 20 x 20 maps of the
// cup rows' square: four cells, as many solid as races won, the rest faint
// (raw graphic 43, all four won, is the side panel's map, whose solid top
// rows show the square nearly whole).  Files 519-523 (raw graphics 59-63)
// are the cup-5 glint's map, file 518's, with one to five of its five races
// marked along its foot.
unsigned char CupProgressLevel(int number, int x, int y, unsigned char glint) {
    if (number >= 512 && number <= 515) {
        const int won = number - 512;
        const int cx = x >= 10, cy = y >= 10, inX = x % 10, inY = y % 10;
        if (inX < 1 || inX > 8 || inY < 1 || inY > 8)
            return 100;
        return cy * 2 + cx < won ? 0 : 75;
    }
    const int won = number - 518, mark = (x - 20) / 36, inX = (x - 20) % 36;
    if (x >= 20 && mark < won && inX < 16 && y >= 34 && y < 50)
        return 0;
    return glint;
}

bool WriteLevelMap(int number) {
    const PictureSize* p = FindPicture(number);
    const bool cupCells = number >= 512 && number <= 515, cupFive = number >= 519 && number <= 523;
    PictureSize size = p ? *p : PictureSize{number, number, 64, 32, MK_BAR};
    if (cupCells)
        size = *FindPicture(55);
    if (cupFive)
        size = *FindPicture(518);
    // The main menu's right-aligned button frames are seen through picture
    // 5's own map, which leaves their first columns out: each frame shows
    // over its hit box only, clear of the board that opens beside it.  The
    // blend reads a pixel's level one byte before it (a row's first pixel
    // the row above's last byte), so this map is written one pixel ahead.
    const int cut = number == 5 ? MAIN_FRAME_CUT : 0;
    PictureSize shown = size;
    shown.width -= cut;
    std::vector<unsigned char> levels((size_t)size.width * size.height);
    for (int y = 0; y < size.height; y++) {
        for (int x = 0; x < size.width; x++) {
            const int px = cut ? x + 1 : x;
            const unsigned char level = !cut ? Level(size, x, y)
                                        : px < cut || px >= size.width ? 100 : Level(shown, px - cut, y);
            levels[(size_t)y * size.width + x] =
                cupCells || cupFive ? CupProgressLevel(number, x, y, level) : level;
        }
    }
    char path[40];
    snprintf(path, sizeof path, "MENUS\\GFX\\%04d.raw", number);
    return MkWriteArchived(path, levels.data(), levels.size());
}

// The page backgrounds: a dark gradient with a pattern of diagonal stripes,
// a different tint for each.
bool WriteBackground(int number) {
    const int w = 640, h = 480;
    std::vector<Rgb> pixels((size_t)w * h);
    const Rgb tints[3] = {{30, 40, 90}, {70, 40, 30}, {30, 70, 50}};
    const Rgb t = tints[number % 3];
    for (int y = 0; y < h; y++) {
        for (int x = 0; x < w; x++) {
            const int stripe = ((x + y) / 24) % 2 ? 12 : 0;
            pixels[(size_t)y * w + x] = {t.r + stripe + y / 8, t.g + stripe + y / 10, t.b + stripe + y / 12};
        }
    }
    char path[40];
    snprintf(path, sizeof path, "MENUS\\Fondo%d.bmp", number);
    const std::vector<unsigned char> file = Bmp24(w, h, pixels);
    return MkWriteArchived(path, file.data(), file.size());
}

}  // namespace

bool MkPictureSize(int number, int* width, int* height) {
    const PictureSize* p = FindPicture(number);
    if (!p)
        return false;
    *width = p->width;
    *height = p->height;
    return true;
}

bool MkWriteMenuGraphics() {
    for (const PictureSize& p : kPictures) {
        for (int n = p.first; n <= p.last; n++) {
            if (!WritePicture(n, p))
                return false;
        }
    }
    for (int number : kRawFiles) {
        if (!WriteLevelMap(number))
            return false;
    }
    for (int n = 0; n < 3; n++) {
        if (!WriteBackground(n))
            return false;
    }
    std::vector<unsigned char> strip;
    return MkBuildFontStrip(strip) && MkWriteArchived("MENUS\\Fonts.raw", strip.data(), strip.size());
}
