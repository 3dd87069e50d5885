// The race dressing's pictures in the scoreboard folder: the dial (1800
// face, 1801 shade, 1805 needle), the speed panel (1802), the jump events'
// turbo gauge (1806, 1807), the speed digits 1860-1869 and gear cells
// 1870-1877 (1..6, N, R).  The track maps are drawn as each track is built.
// The pictures that small display modes load at half size have "b" files.

#include <cmath>
#include <string>

#include "mkdata.h"
#include "mkdata_textures.h"

namespace {

const char* const Boards = "ArtWork\\Extras\\S-Boards\\";

MkPicture Picture(int w, int h, uint32_t colour) {
    MkPicture p;
    p.width = w;
    p.height = h;
    p.rgb.assign((size_t)w * h, colour);
    return p;
}

void Dot(MkPicture& p, int x, int y, uint32_t colour) {
    if (x >= 0 && y >= 0 && x < p.width && y < p.height)
        p.rgb[(size_t)y * p.width + x] = colour;
}

// A ring (inner..outer radius) or a disc about the picture's centre, on
// `ground`.
MkPicture Disc(int size, double inner, double outer, uint32_t colour, uint32_t ground = 0) {
    MkPicture p = Picture(size, size, ground);
    const double c = (size - 1) * 0.5;
    for (int y = 0; y < size; y++)
        for (int x = 0; x < size; x++) {
            const double d = std::hypot(x - c, y - c);
            if (d >= inner && d <= outer)
                Dot(p, x, y, colour);
        }
    return p;
}

// A picture at twice its size, every pixel a 2 x 2 block.
MkPicture Double(const MkPicture& p) {
    MkPicture d = Picture(p.width * 2, p.height * 2, 0);
    for (int y = 0; y < d.height; y++)
        for (int x = 0; x < d.width; x++)
            d.rgb[(size_t)y * d.width + x] = p.rgb[(size_t)(y / 2) * p.width + x / 2];
    return d;
}

// The dial face: a white rim and tick marks round the lower three quarters.
// The Direct3D path makes a texture of half the picture's size, so the face
// is drawn at 64 x 64 and doubled: both paths show the same ticks.
MkPicture DialFace() {
    MkPicture p = Disc(64, 29.0, 30.6, 0xF0F0F0);
    const double c = 31.5;
    for (int k = 0; k <= 10; k++) {
        const double a = 2.356 + k * 0.4712;
        for (double r = 24.0; r <= 28.5; r += 0.25)
            Dot(p, (int)std::lround(c + r * std::cos(a)), (int)std::lround(c + r * std::sin(a)),
                k > 7 ? 0xF03020 : 0xF0F0F0);
    }
    return Double(p);
}

// The darkening layers under the dial, the speed panel and the turbo gauge.
// The Direct3D path multiplies the screen by them, white leaving it be; the
// software path takes a layer's first colour (its corner) for "leave be" and
// darkens under every other colour by a fixed step, about what this grey's
// multiply takes off the road's grey.
const uint32_t ShadeClear = 0xFFFFFF, ShadeGrey = 0xA8A8A8;

MkPicture ShadePanel(int w, int h) {
    MkPicture p = Picture(w, h, ShadeClear);
    for (int y = 1; y < h - 1; y++)
        for (int x = 1; x < w - 1; x++)
            Dot(p, x, y, ShadeGrey);
    return p;
}

// Seven-segment cells on black: which segments (a..g) each glyph lights.
const int Segments[12] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F, 0x37, 0x31};

MkPicture Glyph(int glyph, int w, int h, uint32_t colour) {
    MkPicture p = Picture(w, h, 0);
    const int e = w >= 16 ? 3 : 1, th = w >= 16 ? 2 : 1;   // edge and stroke
    const int l = e, r = w - 1 - e, t = e, m = h / 2, b = h - 1 - e;
    auto line = [&](int x0, int y0, int x1, int y1) {
        for (int y = y0; y <= y1; y++)
            for (int x = x0; x <= x1; x++)
                Dot(p, x, y, colour);
    };
    const int s = Segments[glyph];
    if (s & 0x01) line(l, t, r, t + th - 1);
    if (s & 0x02) line(r - th + 1, t, r, m);
    if (s & 0x04) line(r - th + 1, m, r, b);
    if (s & 0x08) line(l, b - th + 1, r, b);
    if (s & 0x10) line(l, m, l + th - 1, b);
    if (s & 0x20) line(l, t, l + th - 1, m);
    if (s & 0x40) line(l, m - th + 1, r, m);
    return p;
}

// Each speed digit and gear cell has a marker colour of its own, exact in
// 5-6-5 and apart from the HUD boards' markers, so a test reads the dial's
// cells off the screen.
uint32_t SpeedDigitMarker(int n) { return 0x98F8F8 - (uint32_t)(8 * n); }
uint32_t GearMarker(int g) { return 0xF8A060 + ((uint32_t)(4 * g) << 8); }

bool Write(int number, const MkPicture& picture, bool small = false) {
    char name[16];
    snprintf(name, sizeof name, small ? "%04db.bmp" : "%04d.bmp", number);
    const std::vector<uint8_t> bytes = MkEncodeBmp8(picture);
    return MkWriteArchived(std::string(Boards) + name, bytes.data(), bytes.size());
}

// A picture at half size (every other pixel), for the "b" files that small
// display modes load.
MkPicture Half(const MkPicture& p) {
    MkPicture h = Picture(p.width / 2, p.height / 2, 0);
    for (int y = 0; y < h.height; y++)
        for (int x = 0; x < h.width; x++)
            h.rgb[(size_t)y * h.width + x] = p.rgb[(size_t)(2 * y) * p.width + 2 * x];
    return h;
}

}  // namespace

bool MkWriteDialAndMap() {
    bool ok = Write(1800, DialFace()) && Write(1800, Half(DialFace()), true) &&
              Write(1801, Disc(128, 0.0, 62.0, ShadeGrey, ShadeClear)) && Write(1802, ShadePanel(64, 32)) &&
              Write(1805, Picture(8, 8, 0xF04020)) && Write(1806, ShadePanel(64, 128)) &&
              Write(1807, Disc(128, 40.0, 43.0, 0xF0F0F0)) && Write(1807, Disc(64, 20.0, 22.0, 0xF0F0F0), true);
    for (int n = 0; n < 10 && ok; n++)
        ok = Write(1860 + n, Glyph(n, 16, 32, SpeedDigitMarker(n))) &&
             Write(1860 + n, Glyph(n, 8, 16, SpeedDigitMarker(n)), true);
    for (int g = 0; g < 8 && ok; g++) {
        const int glyph = g < 6 ? g + 1 : g == 6 ? 10 : 11;
        ok = Write(1870 + g, Glyph(glyph, 16, 32, GearMarker(g))) && Write(1870 + g, Glyph(glyph, 8, 16, GearMarker(g)), true);
    }
    return ok;
}
