// The race dressing's pictures in the scoreboard folder: the dial (1800
// face, 1801 shade, 1805 needle), the speed panel (1802), the jump events'
// turbo gauge (1806, 1807), the speed digits 1860-1869 and gear cells
// 1870-1877 (1..6, N, R).  The track maps are drawn as each track is built.

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

// A ring (inner..outer radius) or a disc about the picture's centre.
MkPicture Disc(int size, double inner, double outer, uint32_t colour) {
    MkPicture p = Picture(size, size, 0);
    const double c = (size - 1) * 0.5;
    for (int y = 0; y < size; y++)
        for (int x = 0; x < size; x++) {
            const double d = std::hypot(x - c, y - c);
            if (d >= inner && d <= outer)
                Dot(p, x, y, colour);
        }
    return p;
}

// The dial face: a white rim and tick marks round the lower three quarters.
MkPicture DialFace() {
    MkPicture p = Disc(128, 58.0, 61.0, 0xF0F0F0);
    const double c = 63.5;
    for (int k = 0; k <= 10; k++) {
        const double a = 2.356 + k * 0.4712;
        for (double r = 48.0; r <= 57.0; r += 0.5)
            Dot(p, (int)(c + r * std::cos(a)), (int)(c + r * std::sin(a)), k > 7 ? 0xF03020 : 0xF0F0F0);
    }
    return p;
}

// Seven-segment cells on black: which segments (a..g) each glyph lights.
const int Segments[12] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F, 0x37, 0x31};

MkPicture Glyph(int glyph, int w, int h, uint32_t colour) {
    MkPicture p = Picture(w, h, 0);
    const int l = 3, r = w - 4, t = 3, m = h / 2, b = h - 4;
    auto line = [&](int x0, int y0, int x1, int y1) {
        for (int y = y0; y <= y1; y++)
            for (int x = x0; x <= x1; x++)
                Dot(p, x, y, colour);
    };
    const int s = Segments[glyph];
    if (s & 0x01) line(l, t, r, t + 1);
    if (s & 0x02) line(r - 1, t, r, m);
    if (s & 0x04) line(r - 1, m, r, b);
    if (s & 0x08) line(l, b - 1, r, b);
    if (s & 0x10) line(l, m, l + 1, b);
    if (s & 0x20) line(l, t, l + 1, m);
    if (s & 0x40) line(l, m - 1, r, m);
    return p;
}

bool Write(int number, const MkPicture& picture) {
    char name[16];
    snprintf(name, sizeof name, "%04d.bmp", number);
    const std::vector<uint8_t> bytes = MkEncodeBmp8(picture);
    return MkWriteArchived(std::string(Boards) + name, bytes.data(), bytes.size());
}

}  // namespace

bool MkWriteDialAndMap() {
    bool ok = Write(1800, DialFace()) && Write(1801, Disc(128, 0.0, 62.0, 0x707070)) &&
              Write(1802, Picture(64, 32, 0x707070)) && Write(1805, Picture(8, 8, 0xF04020)) &&
              Write(1806, Picture(64, 128, 0x707070)) && Write(1807, Disc(128, 40.0, 43.0, 0xF0F0F0));
    for (int n = 0; n < 10 && ok; n++)
        ok = Write(1860 + n, Glyph(n, 16, 32, 0xF0F0F0));
    for (int g = 0; g < 8 && ok; g++)
        ok = Write(1870 + g, Glyph(g < 6 ? g + 1 : g == 6 ? 10 : 11, 16, 32, 0xF0C020));
    return ok;
}
