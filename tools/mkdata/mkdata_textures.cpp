// The textures of the sample folder.  Every picture is drawn from a few
// flat colours and a little deterministic noise, so each stays well inside
// a 256-colour palette.
//
// Track textures lie in the group's common artwork folder, the sky picture
// in the art set 0 folder (the texture loader reads it from there), and the
// car textures in the day and menu car artwork folders.  Colour-keyed
// textures keep away from black: only palette index 0 is black, and it
// marks holes.

#include "mkdata_textures.h"

#include <cmath>
#include <cstdio>
#include <map>

#include "mkdata.h"
#include "mkdata_track_art.h"
#include "track/track_state.h"

namespace {

uint32_t Rgb(int r, int g, int b) {
    auto c = [](int v) { return (uint32_t)(v < 0 ? 0 : v > 255 ? 255 : v); };
    return c(r) << 16 | c(g) << 8 | c(b);
}

// A small deterministic noise source.
struct Noise {
    uint32_t seed;
    int Next(int span) {
        seed = seed * 214013u + 2531011u;
        return (int)((seed >> 16) & 0x7FFF) % span;
    }
};

MkPicture Blank(int w, int h, uint32_t colour) {
    MkPicture p;
    p.width = w;
    p.height = h;
    p.rgb.assign((size_t)w * h, colour);
    return p;
}

uint32_t& At(MkPicture& p, int x, int y) { return p.rgb[(size_t)y * p.width + x]; }

// A colour varied by up to +-amount in steps of 4 (few distinct colours).
// The large pictures vary by 4 at most: neighbouring texels then stay
// within about one step of a 16-bit frame's channels, so the two drawing
// paths, which pick texels a little differently, show the same picture.
uint32_t Speckle(Noise& n, int r, int g, int b, int amount) {
    const int d = (n.Next(2 * amount / 4 + 1) * 4) - amount;
    return Rgb(r + d, g + d, b + d);
}

void Put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; i++)
        out.push_back((uint8_t)(value >> (8 * i)));
}

// ---------------------------------------------------------------------------
// The tracks.  Each strip of a world carries one whole texture
// (coordinates 0..1), so the road and wall pictures are large.

const int FULL = 256;

// A group's colours: road, lane line, verge with its tufts, hills.
struct Palette {
    int road[3], line[3], verge[3], tuft[3], hills[3];
    int skyTop[3], skyHorizon[3];
};

MkPicture Road(const Palette& c) {
    MkPicture p = Blank(FULL, FULL, 0);
    Noise n{70};
    for (int y = 0; y < FULL; y++)
        for (int x = 0; x < FULL; x++)
            At(p, x, y) = Speckle(n, c.road[0], c.road[1], c.road[2], 4);
    // A dashed lane line along the strip's edge.
    for (int y = 0; y < FULL; y++)
        for (int x = 0; x < 8; x++)
            if (y % 128 < 72)
                At(p, x, y) = Rgb(c.line[0], c.line[1], c.line[2]);
    return p;
}

MkPicture Verge(const Palette& c) {
    MkPicture p = Blank(FULL, FULL, 0);
    Noise n{71};
    for (int y = 0; y < FULL; y++)
        for (int x = 0; x < FULL; x++)
            At(p, x, y) = n.Next(9) == 0 ? Rgb(c.tuft[0], c.tuft[1], c.tuft[2])
                                         : Speckle(n, c.verge[0], c.verge[1], c.verge[2], 4);
    return p;
}

// Barrier walls: blocks along the track, with a dark rail at the top.
MkPicture Wall(uint32_t a, uint32_t b) {
    MkPicture p = Blank(FULL, FULL, 0);
    for (int y = 0; y < FULL; y++)
        for (int x = 0; x < FULL; x++)
            At(p, x, y) = (y / 64) % 2 ? a : b;
    for (int y = 0; y < FULL; y++)
        for (int x = 224; x < FULL; x++)
            At(p, x, y) = Rgb(70, 70, 78);
    return p;
}

MkPicture Finish() {
    MkPicture p = Blank(FULL, FULL, 0);
    for (int y = 0; y < FULL; y++)
        for (int x = 0; x < FULL; x++)
            At(p, x, y) = ((x / 32) + (y / 32)) % 2 ? Rgb(240, 240, 240) : Rgb(36, 36, 40);
    return p;
}

// Far hills: slopes under a blue-grey haze at the top.
MkPicture Hills(const Palette& c) {
    MkPicture p = Blank(128, 64, 0);
    Noise n{76};
    for (int y = 0; y < 64; y++)
        for (int x = 0; x < 128; x++) {
            const int haze = y < 20 ? 20 - y : 0;
            At(p, x, y) = Speckle(n, c.hills[0] + haze * 3, c.hills[1] + haze * 2, c.hills[2] + haze * 5, 4);
        }
    return p;
}

MkPicture Crate() {
    MkPicture p = Blank(32, 32, Rgb(200, 150, 60));
    for (int k = 0; k < 32; k++) {
        At(p, k, 0) = At(p, k, 31) = At(p, 0, k) = At(p, 31, k) = Rgb(120, 80, 30);
        At(p, k, k) = Rgb(150, 100, 40);
    }
    return p;
}

MkPicture SkyBand(int top, int bottom) {
    MkPicture p = Blank(32, 64, 0);
    for (int y = 0; y < 64; y++)
        for (int x = 0; x < 32; x++) {
            const int t = top + (bottom - top) * y / 63;
            At(p, x, y) = Rgb(t / 2, t * 3 / 4, t);
        }
    return p;
}

// The sky picture: 320 x 128 (or as wide as asked), a gradient from the
// top's colour to a pale horizon with a few soft clouds.
MkPicture SkyPicture(const Palette& s, int clouds, int width = 320) {
    MkPicture p = Blank(width, 128, 0);
    Noise n{99};
    for (int y = 0; y < 128; y++) {
        for (int x = 0; x < width; x++) {
            int v[3];
            for (int k = 0; k < 3; k++)
                v[k] = s.skyTop[k] + y * (s.skyHorizon[k] - s.skyTop[k]) / 127;
            At(p, x, y) = Rgb(v[0] & ~3, v[1] & ~3, v[2] & ~3);
        }
    }
    for (int c = 0; c < clouds; c++) {
        const int cx = n.Next(width), cy = 16 + n.Next(70), rx = 20 + n.Next(30), ry = 5 + n.Next(6);
        for (int y = cy - ry; y <= cy + ry; y++)
            for (int x = cx - rx; x <= cx + rx; x++) {
                const double dx = (double)(x - cx) / rx, dy = (double)(y - cy) / ry;
                if (y >= 0 && y < 128 && dx * dx + dy * dy <= 1.0)
                    At(p, (x + width) % width, y) = Rgb(236, 240, 248);
            }
    }
    return p;
}

// The Direct3D path's sky dome, made to show what the software frame's
// backdrop shows.  The backdrop is the sky picture stretched twice across
// the screen and 2.5 times down its top two thirds, whatever the camera
// does: in the chase view, which looks down by about `ChasePitch`, screen
// row 2.5 p shows picture row p at the elevation e with tan(e + pitch) =
// (240 - 2.5 p) / 224.  The dome (apex 400,000 up, rim 60,000 down at
// 400,000 out) is seen a fraction t of the way from apex to rim at tan e =
// 1 / t - 1.15, so its row at t is the picture row of that elevation.  Round
// the dome the picture repeats as often as its double width fits the
// 360 degrees of which the screen shows about 104: its clouds as wide and
// as many as the backdrop's.
const double ChasePitch = 0.3;
const int SkyDomeWidth = 1152, SkyDomeClouds = 32;

MkPicture SkyDome(const Palette& s) {
    const MkPicture sky = SkyPicture(s, SkyDomeClouds, SkyDomeWidth);
    MkPicture p = Blank(sky.width, sky.height, 0);
    for (int y = 0; y < p.height; y++) {
        const double t = (y + 0.5) / p.height;
        int row = (int)std::floor((240.0 - 224.0 * std::tan(std::atan(1.0 / t - 1.15) + ChasePitch)) / 2.5);
        row = row < 0 ? 0 : row >= sky.height ? sky.height - 1 : row;
        for (int x = 0; x < p.width; x++)
            At(p, x, y) = sky.rgb[(size_t)row * sky.width + x];
    }
    return p;
}

// Boards behind the walls: two flags and a sign, the first pictures of the
// track's animated textures.  (The fonts' ink is 250, 250, 250: the race
// view's pictures keep off it, so that text on a screenshot can be told.)
MkPicture FlagBoard(uint32_t field, uint32_t cross) {
    MkPicture p = Blank(64, 32, field);
    for (int y = 0; y < 32; y++)
        for (int x = 0; x < 64; x++)
            if (std::abs(y - 16) < 4 || std::abs(x - 22) < 4)
                At(p, x, y) = cross;
    return p;
}

MkPicture SignBoard() {
    MkPicture p = Blank(64, 32, Rgb(240, 240, 232));
    for (int x = 0; x < 64; x++)
        At(p, x, 0) = At(p, x, 1) = At(p, x, 30) = At(p, x, 31) = Rgb(30, 60, 170);
    for (int k = 0; k < 3; k++)   // three chevrons
        for (int y = 6; y < 26; y++)
            for (int x = 0; x < 5; x++)
                At(p, 14 + k * 14 + x + std::abs(y - 16) / 2, y) = Rgb(200, 30, 30);
    return p;
}

// A round glow on black: the additive effects add nothing where it is
// black.
MkPicture Glow(int size, int r, int g, int b, double hardness) {
    MkPicture p = Blank(size, size, 0);
    const double c = (size - 1) * 0.5;
    for (int y = 0; y < size; y++)
        for (int x = 0; x < size; x++) {
            const double d = std::sqrt((x - c) * (x - c) + (y - c) * (y - c)) / c;
            const double f = d >= 1.0 ? 0.0 : std::pow(1.0 - d, hardness);
            // Steps of 8 keep the palette small.
            auto level = [&](int v) { return ((int)(v * f) / 8) * 8; };
            At(p, x, y) = Rgb(level(r), level(g), level(b));
        }
    return p;
}

// The reflection maps of the chrome and glass: sky above a bright horizon
// above the ground, as a round car body mirrors them.
MkPicture Reflection(uint32_t sky, uint32_t horizon, uint32_t ground) {
    MkPicture p = Blank(64, 64, sky);
    for (int y = 0; y < 64; y++)
        for (int x = 0; x < 64; x++) {
            const int band = y < 26 ? 0 : y < 34 ? 1 : 2;
            At(p, x, y) = band == 0 ? sky : band == 1 ? horizon : ground;
            if ((x + y) % 23 < 3 && band == 0)
                At(p, x, y) = horizon;   // a streak of light
        }
    return p;
}

// ---------------------------------------------------------------------------
// Car parts.  The painted parts come in four paints.

const uint32_t Paints[4][2] = {
    {Rgb(200, 36, 32), Rgb(150, 20, 20)},    // red
    {Rgb(40, 84, 200), Rgb(24, 52, 140)},    // blue
    {Rgb(236, 196, 40), Rgb(180, 140, 20)},  // yellow
    {Rgb(44, 168, 72), Rgb(24, 112, 44)},    // green
};

MkPicture BodyPaint(int paint) {
    MkPicture p = Blank(64, 64, Paints[paint][0]);
    for (int k = 0; k < 64; k++) {
        At(p, k, 30) = At(p, k, 31) = Paints[paint][1];   // a panel line
        At(p, k, 0) = At(p, k, 63) = Paints[paint][1];
    }
    return p;
}

MkPicture HoodPaint(int paint) {
    MkPicture p = Blank(64, 64, Paints[paint][0]);
    for (int y = 0; y < 64; y++)
        for (int x = 26; x < 38; x++)
            At(p, x, y) = Rgb(240, 240, 240);   // a racing stripe
    return p;
}

MkPicture CabinPaint(int paint) {
    MkPicture p = Blank(64, 64, Paints[paint][1]);
    for (int y = 12; y < 52; y++)
        for (int x = 8; x < 56; x++)
            At(p, x, y) = Rgb(70, 96, 130);   // window
    return p;
}

MkPicture Flat(int w, int h, uint32_t colour, uint32_t edge) {
    MkPicture p = Blank(w, h, colour);
    for (int k = 0; k < w; k++)
        At(p, k, 0) = At(p, k, h - 1) = edge;
    for (int k = 0; k < h; k++)
        At(p, 0, k) = At(p, w - 1, k) = edge;
    return p;
}

// A darkening mask: the first pixel (the corner) is index 0 and darkens
// nothing; the rest darkens what lies beneath.
MkPicture Shadow() {
    MkPicture p = Blank(32, 32, Rgb(40, 40, 40));
    for (int k = 0; k < 32; k++)
        At(p, k, 0) = At(p, k, 31) = At(p, 0, k) = At(p, 31, k) = Rgb(255, 255, 255);
    return p;
}

MkPicture Tyre() {
    MkPicture p = Blank(32, 32, Rgb(44, 44, 48));
    for (int y = 0; y < 32; y += 4)
        for (int x = 0; x < 32; x++)
            At(p, x, y) = Rgb(28, 28, 30);   // tread
    return p;
}

MkPicture Rim() {
    MkPicture p = Blank(32, 32, Rgb(196, 196, 204));
    for (int k = 0; k < 32; k++)
        At(p, k, 16) = At(p, 16, k) = Rgb(120, 120, 130);
    return p;
}

bool WritePicture(const std::string& path, const MkPicture& picture) {
    const std::vector<uint8_t> bytes = MkEncodeBmp8(picture);
    if (MkWriteArchived(path, bytes.data(), bytes.size()))
        return true;
    fprintf(stderr, "mkdata: cannot write %s\n", path.c_str());
    return false;
}

std::string Numbered(const char* folder, int number) {
    char name[32];
    snprintf(name, sizeof name, "%04d.bmp", number);
    return std::string(folder) + name;
}

}  // namespace

std::vector<uint8_t> MkEncodeBmp8(const MkPicture& picture) {
    // Palette: black first, then each colour in order of appearance; more
    // than 256 colours drop low bits until they fit.
    std::map<uint32_t, int> index;
    std::vector<uint32_t> palette;
    for (int mask : {0xFFFFFF, 0xFCFCFC, 0xF8F8F8, 0xF0F0F0, 0xE0E0E0}) {
        index.clear();
        palette.assign(1, 0);
        index[0] = 0;
        for (uint32_t c : picture.rgb) {
            const uint32_t q = c & (uint32_t)mask;
            if (!index.count(q)) {
                index[q] = (int)palette.size();
                palette.push_back(q);
            }
        }
        if (palette.size() <= 256) {
            std::vector<uint8_t> out;
            const int w = picture.width, h = picture.height;
            const int stride = (w + 3) & ~3;
            const uint32_t bitsOffset = 14 + 40 + 4 * (uint32_t)palette.size();
            const uint32_t size = bitsOffset + (uint32_t)(stride * h);
            out.push_back('B');
            out.push_back('M');
            Put(out, size, 4);
            Put(out, 0, 4);
            Put(out, bitsOffset, 4);
            Put(out, 40, 4);
            Put(out, (uint32_t)w, 4);
            Put(out, (uint32_t)h, 4);
            Put(out, 1, 2);
            Put(out, 8, 2);
            Put(out, 0, 4);
            Put(out, (uint32_t)(stride * h), 4);
            Put(out, 2835, 4);
            Put(out, 2835, 4);
            Put(out, (uint32_t)palette.size(), 4);
            Put(out, 0, 4);
            for (uint32_t c : palette) {
                out.push_back((uint8_t)(c & 255));
                out.push_back((uint8_t)(c >> 8 & 255));
                out.push_back((uint8_t)(c >> 16 & 255));
                out.push_back(0);
            }
            // Rows bottom-up.
            for (int y = h - 1; y >= 0; y--) {
                for (int x = 0; x < w; x++)
                    out.push_back((uint8_t)index[picture.rgb[(size_t)y * w + x] & (uint32_t)mask]);
                for (int x = w; x < stride; x++)
                    out.push_back(0);
            }
            return out;
        }
    }
    return {};
}

bool MkWriteTextures() {
    bool ok = true;
    for (const char* folder : {"ArtWork\\Cars\\DIA\\", "ArtWork\\Cars\\Menu\\", "ArtWork\\Cars\\NOCHE\\"}) {
        for (int paint = 0; paint < 4 && ok; paint++) {
            ok = WritePicture(Numbered(folder, 1000 + paint * 100), BodyPaint(paint)) &&
                 WritePicture(Numbered(folder, 1001 + paint * 100), HoodPaint(paint)) &&
                 WritePicture(Numbered(folder, 1002 + paint * 100), CabinPaint(paint)) &&
                 WritePicture(Numbered(folder, 1004 + paint * 100), Flat(32, 32, Rgb(56, 56, 60), Rgb(40, 40, 44)));
        }
        ok = ok && WritePicture(Numbered(folder, 1011), Flat(32, 32, Rgb(90, 120, 150), Rgb(255, 255, 255))) &&
             WritePicture(Numbered(folder, 1019), Flat(32, 32, Rgb(232, 188, 150), Rgb(60, 40, 30))) &&
             WritePicture(Numbered(folder, 1021), Rim()) && WritePicture(Numbered(folder, 1022), Tyre()) &&
             WritePicture(Numbered(folder, 1023), Flat(32, 32, Rgb(150, 150, 156), Rgb(100, 100, 104))) &&
             WritePicture(Numbered(folder, 1030), Flat(32, 32, Rgb(255, 250, 200), Rgb(0, 0, 0))) &&
             WritePicture(Numbered(folder, 1034), Flat(32, 32, Rgb(170, 170, 176), Rgb(110, 110, 116))) &&
             WritePicture(Numbered(folder, 1040), Shadow()) &&
             WritePicture(Numbered(folder, 1074), Flat(32, 32, Rgb(255, 240, 160), Rgb(0, 0, 0))) &&
             WritePicture(Numbered(folder, 1086), Flat(32, 32, Rgb(255, 60, 40), Rgb(0, 0, 0))) &&
             WritePicture(Numbered(folder, 1997), Reflection(Rgb(200, 210, 230), Rgb(255, 255, 255), Rgb(90, 90, 96))) &&
             WritePicture(Numbered(folder, 1998), Reflection(Rgb(120, 160, 210), Rgb(220, 230, 240), Rgb(40, 50, 60))) &&
             WritePicture(Numbered(folder, 1999), Reflection(Rgb(150, 180, 230), Rgb(255, 255, 255), Rgb(70, 80, 70)));
    }
    return ok;
}

// ---------------------------------------------------------------------------
// The track groups' art.

namespace {

// Per group: road, lane line, verge, its tufts, hills; the sky's top and
// horizon.
const Palette Palettes[8] = {
    {},
    {{96, 96, 100}, {236, 236, 228}, {60, 132, 48}, {68, 144, 52}, {70, 112, 64}, {60, 110, 200}, {170, 210, 240}},
    {{84, 82, 90}, {240, 200, 60}, {70, 120, 40}, {90, 140, 50}, {90, 100, 70}, {80, 120, 190}, {200, 210, 230}},
    {{110, 104, 100}, {240, 240, 240}, {96, 150, 60}, {120, 170, 70}, {100, 120, 90}, {40, 90, 180}, {180, 200, 230}},
    {{124, 118, 108}, {250, 180, 40}, {150, 140, 100}, {170, 160, 110}, {150, 120, 90}, {70, 130, 210}, {230, 220, 200}},
    {{150, 140, 120}, {230, 230, 230}, {120, 110, 90}, {130, 120, 100}, {60, 60, 80}, {20, 30, 70}, {90, 90, 140}},
    {{140, 100, 60}, {150, 110, 70}, {90, 130, 50}, {100, 140, 60}, {110, 120, 80}, {90, 130, 200}, {210, 220, 230}},
    {{210, 190, 130}, {200, 180, 120}, {230, 210, 150}, {220, 200, 140}, {120, 140, 100}, {60, 140, 220}, {200, 230, 250}},
};

// Wall pictures per group: the straights' two colours, the bends' two.
const uint32_t WallColours[8][4] = {
    {},
    {0xDC2824, 0xECECEC, 0x283CC8, 0xF0D228},
    {0xC8C8C8, 0xC82828, 0xF0F0F0, 0x2828C8},
    {0x28A03C, 0xF0F0F0, 0xF07814, 0xF0F0F0},
    {0xAAAAAA, 0x969696, 0xAAAAAA, 0x969696},
    {0xC83C28, 0xE6E6E6, 0xC83C28, 0xE6E6E6},
    {0xC8AA50, 0xB4963C, 0xC8AA50, 0xB4963C},
    {0x2878C8, 0xF0F0F0, 0xF07828, 0xF0F0F0},
};

const MkGroupTextures GroupTextures[8] = {
    {},
    {70, 71, 72, 74, 75, 76, 0, 77, 78, 73, 0, 0},
    {91, 92, 93, 94, 95, 97, 98, 88, 89, 90, 96, 0},
    {5, 6, 7, 8, 15, 16, 17, 26, 27, 25, 18, 0},
    {620, 621, 623, 623, 624, 625, 0, 626, 627, 0, 0, 622},
    {47, 65, 48, 48, 50, 0, 0, 67, 68, 0, 0, TEX_ARENA_RAMP},
    {120, 121, 122, 123, 124, 125, 0, 126, 127, 0, 0, 0},
    {161, 162, 163, 164, 165, 0, 0, 167, 168, 0, 0, 0},
};

std::string Comunes(int group) {
    char folder[64];
    snprintf(folder, sizeof folder, "ArtWork\\Tracks\\Track-%02d\\Comunes\\", group);
    return folder;
}

bool WriteNumbered(int group, int number, const MkPicture& picture) {
    return number <= 0 || WritePicture(Numbered(Comunes(group).c_str(), number), picture);
}

uint32_t Hex(int r, int g, int b) { return Rgb(r, g, b); }

// A stripe across a plain field (trees, marks, bales).
MkPicture Striped(int w, int h, uint32_t field, uint32_t stripe, int period) {
    MkPicture p = Blank(w, h, field);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            if ((x + y) % period < period / 3)
                At(p, x, y) = stripe;
    return p;
}

// The forest band: dark tree tops over trunks.
MkPicture ForestBand() {
    MkPicture p = Blank(128, 64, Hex(30, 70, 30));
    Noise n{77};
    for (int x = 0; x < 128; x++) {
        const int top = 8 + n.Next(20);
        for (int y = 0; y < top; y++)
            At(p, x, y) = Hex(150, 180, 220);
        for (int y = 48; y < 64; y++)
            if (x % 9 < 2)
                At(p, x, y) = Hex(80, 50, 30);
    }
    return p;
}

// Water: blue ripples.
MkPicture Water() {
    MkPicture p = Blank(64, 64, Hex(40, 90, 150));
    for (int y = 0; y < 64; y++)
        for (int x = 0; x < 64; x++)
            if ((x / 4 + y) % 16 == 0)
                At(p, x, y) = Hex(150, 200, 240);
    return p;
}

// The event props' pictures (groups 5 and 7).
bool WriteEventArt(int group) {
    bool ok = WriteNumbered(group, TEX_POLE_RED, Flat(16, 64, Hex(220, 30, 30), Hex(250, 240, 240))) &&
              WriteNumbered(group, TEX_POLE_BLUE, Flat(16, 64, Hex(30, 60, 220), Hex(240, 240, 250))) &&
              WriteNumbered(group, TEX_CONE_BLUE, Striped(32, 32, Hex(30, 80, 220), Hex(240, 240, 240), 16)) &&
              WriteNumbered(group, TEX_CONE_RED, Striped(32, 32, Hex(240, 110, 20), Hex(240, 240, 240), 16)) &&
              WriteNumbered(group, TEX_TARGET, Glow(64, 240, 60, 40, 0.2)) &&
              WriteNumbered(group, TEX_BAR_RED, Striped(64, 16, Hex(220, 30, 30), Hex(240, 240, 240), 12)) &&
              WriteNumbered(group, TEX_BAR_YELLOW, Striped(64, 16, Hex(240, 210, 30), Hex(30, 30, 30), 12)) &&
              // The arena's other cars in colours nothing else of the arena has.
              WriteNumbered(group, TEX_ARENA_CAR, Flat(64, 64, Hex(120, 240, 30), Hex(40, 90, 10))) &&
              WriteNumbered(group, TEX_ARENA_CAR_ALT, Flat(64, 64, Hex(240, 40, 220), Hex(90, 15, 80))) &&
              WriteNumbered(group, TEX_LIGHT_TOWER, Flat(32, 32, Hex(120, 120, 130), Hex(240, 240, 200))) &&
              WriteNumbered(group, TEX_CAN, Striped(64, 64, Hex(200, 20, 30), Hex(240, 240, 240), 32)) &&
              WriteNumbered(group, TEX_ARENA_RAMP, Striped(64, 64, Hex(90, 90, 96), Hex(240, 200, 40), 24)) &&
              WriteNumbered(group, TEX_ZEPPELIN, Flat(64, 32, Hex(200, 200, 210), Hex(200, 40, 40))) &&
              WriteNumbered(group, TEX_CONFETTI, Glow(16, 255, 255, 255, 0.8)) &&
              WriteNumbered(group, 2014, Glow(32, 120, 120, 120, 0.6));
    // The arena sky's sprite (80; 79 on codes 78 and 79): a pale moon.
    ok = ok && WriteNumbered(group, group == 5 ? 80 : 79, Glow(64, 230, 230, 200, 0.3));
    return ok;
}

}  // namespace

const MkGroupTextures& MkTexturesOf(int group) { return GroupTextures[group >= 1 && group <= 7 ? group : 1]; }

bool MkWriteGroupArt(int group) {
    if (group < 1 || group > 7)
        return false;
    const Palette& c = Palettes[group];
    const MkGroupTextures& t = GroupTextures[group];
    const uint32_t* walls = WallColours[group];
    bool ok = WriteNumbered(group, t.road, Road(c)) && WriteNumbered(group, t.verge, Verge(c)) &&
              WriteNumbered(group, t.wall, Wall(walls[0], walls[1])) &&
              (t.bendWall == t.wall || WriteNumbered(group, t.bendWall, Wall(walls[2], walls[3]))) &&
              WriteNumbered(group, t.finish, Finish()) && WriteNumbered(group, t.hills, Hills(c)) &&
              WriteNumbered(group, t.forest, ForestBand()) &&
              WriteNumbered(group, t.skyDome, SkyDome(c)) && WriteNumbered(group, t.skyHaze, SkyBand(180, 250)) &&
              WriteNumbered(group, t.crate, Crate()) &&
              WriteNumbered(group, t.roof, Flat(32, 32, Hex(70, 66, 60), Hex(250, 200, 60))) &&
              WriteNumbered(group, t.ramp, Striped(64, 64, Hex(110, 110, 116), Hex(250, 180, 40), 32));
    // The race's effect sprites: glows 2001-2003, sparks and dust
    // 2004-2011, the lamp flares 2012.
    for (int n = 2001; n <= 2012 && ok; n++) {
        const MkPicture sprite = n <= 2003   ? Glow(32, 255, 240, 200, 1.5)
                                 : n <= 2007 ? Glow(16, 255, 200, 80, 2.0)
                                 : n <= 2011 ? Glow(32, 150, 130, 100, 1.0)
                                             : Glow(32, 255, 230, 170, 1.2);
        ok = WriteNumbered(group, n, sprite);
    }
    // The particles' and lamps' sprites: smoke and sparks 1814-1819, impacts
    // 1820-1822, rear lamps 1823, headlamps 1831, puffs 1835-1843, dust
    // 1844-1848 (1847 rain), and the rest of their families.
    for (int n = 1810; n <= 1859 && ok; n++) {
        if (n == 1811 || (n > 1823 && n < 1831) || (n > 1831 && n < 1835) || n == 1849 || n == 1850)
            continue;
        const MkPicture sprite = n == 1823                ? Glow(16, 255, 40, 30, 1.2)
                                 : n == 1831              ? Glow(32, 255, 250, 220, 1.4)
                                 : n >= 1817 && n <= 1822 ? Glow(16, 255, 210, 90, 2.0)
                                 : n == 1847              ? Glow(8, 190, 200, 230, 1.0)
                                                          : Glow(32, 170, 165, 160, 1.0);
        ok = WriteNumbered(group, n, sprite);
    }
    switch (group) {
    case 1:
        ok = ok && WriteNumbered(1, 20, FlagBoard(Rgb(30, 70, 190), Rgb(255, 255, 255))) &&
             WriteNumbered(1, 21, FlagBoard(Rgb(220, 30, 30), Rgb(250, 220, 40))) && WriteNumbered(1, 23, SignBoard());
        break;
    case 2:
        // The keyed textures the loader asks for on group 2 (91-98).
        break;
    case 3:
        // Keyed numbers not worn by the world, and the decoration
        // texture's eight frames 2020-2027.
        for (int n : {15, 18})
            ok = ok && WriteNumbered(3, n, Flat(32, 32, Hex(240, 200, 220), Hex(200, 120, 160)));
        for (int n = 2020; n <= 2027 && ok; n++)
            ok = WriteNumbered(3, n, Glow(32, 255, 120 + 16 * (n - 2020), 60, 1.0));
        break;
    case 4:
        // The jump sparks 2028-2042.
        for (int n = 2028; n <= 2042 && ok; n++)
            ok = WriteNumbered(4, n, Glow(16, 255, 255 - 8 * (n - 2028), 80, 1.5));
        break;
    case 5:
        ok = ok && WriteNumbered(5, 49, Striped(32, 32, Hex(230, 230, 230), Hex(150, 140, 120), 8)) &&
             WriteEventArt(5);
        break;
    case 6: ok = ok && WriteNumbered(6, 2013, Glow(32, 200, 170, 120, 0.8)); break;
    case 7: ok = ok && WriteNumbered(7, TEX_WATER, Water()) && WriteEventArt(7); break;
    default: break;
    }
    return ok;
}

bool MkWriteArtSet(int group, int variant) {
    char path[80];
    snprintf(path, sizeof path, "ArtWork\\Tracks\\Track-%02d\\%d\\cielo.bmp", group, variant);
    return WritePicture(path, SkyPicture(Palettes[group >= 1 && group <= 7 ? group : 1], 9 - variant));
}

bool MkWriteTrackMap(int number, float divisor, int offsetX, int offsetY) {
    MkPicture p = Blank(128, 128, 0);
    const int points = CpuLinePointCounts[CPU_LINE_GUIDE];
    // The road as a band three pixels wide, drawn along each segment.
    for (int i = 0; i < points; i++) {
        const CpuLinePoint& a = CpuLineTable[CPU_LINE_GUIDE][i];
        const CpuLinePoint& b = CpuLineTable[CPU_LINE_GUIDE][(i + 1) % points];
        const double ax = a.x / divisor + 2 + offsetX, ay = 126 - a.z / divisor + offsetY;
        const double bx = b.x / divisor + 2 + offsetX, by = 126 - b.z / divisor + offsetY;
        const int steps = 1 + (int)(std::fabs(bx - ax) + std::fabs(by - ay));
        for (int k = 0; k <= steps; k++) {
            const double t = (double)k / steps;
            const int px = (int)std::floor(ax + t * (bx - ax)), py = (int)std::floor(ay + t * (by - ay));
            for (int dy = -1; dy <= 1; dy++)
                for (int dx = -1; dx <= 1; dx++)
                    if (px + dx >= 0 && px + dx < 128 && py + dy >= 0 && py + dy < 128)
                        At(p, px + dx, py + dy) = Rgb(120, 200, 120);
        }
    }
    return WritePicture(Numbered("ArtWork\\Extras\\S-Boards\\", number), p);
}
