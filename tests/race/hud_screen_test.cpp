// The HUD of the sample folder: every board cell where the panel reads it,
// keyed round its glyph, with a marker colour of its own; and a whole race of
// the program on the software path, whose screenshots show the fly-by's
// titles without the panel, then the board, the dial's speed and gear cells
// and car 0's dot on the map's road, each found by its marker colour.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "platform/plat_file.h"
#include "render/bitmaps.h"

namespace {

const char* const Boards = "ArtWork\\Extras\\S-Boards\\";

struct Picture {
    int width = 0, height = 0;
    std::vector<uint32_t> rgb;
    uint32_t At(int x, int y) const { return rgb[(size_t)y * width + x]; }
};

Picture LoadPicture(const std::string& path) {
    Picture p;
    BmpImage image;
    if (!LoadBitmapFromVfs(path.c_str(), &image)) {
        ADD_FAILURE() << "no picture " << path;
        return p;
    }
    p.width = image.width;
    p.height = image.height;
    for (int y = 0; y < p.height; y++)
        for (int x = 0; x < p.width; x++)
            p.rgb.push_back(BmpPixelRgb(image, x, y));
    return p;
}

uint16_t To565(uint32_t rgb) {
    return (uint16_t)(((rgb >> 19) & 31) << 11 | ((rgb >> 10) & 63) << 5 | ((rgb >> 3) & 31));
}
bool Exact565(uint32_t rgb) { return (rgb & 0x070307) == 0; }

// A rectangle the panel reads, normal or small.
struct Read {
    int x, y, w, h;
};
// A board and every rectangle the panel reads of it, grouped by cell: the
// rectangles of one cell start at one point.
struct Board {
    const char* file;
    uint32_t key;
    std::vector<uint32_t> allowed;   // outlines and rims shared by the cells
    bool keyedEdge;
    std::vector<std::vector<Read>> cells;
};

std::vector<Board> HudBoards(bool small) {
    const uint32_t black = 0, green = 0x00FF00, blue = 0x0000FF;
    std::vector<Board> boards;
    auto n = [small](int normal, int half) { return small ? half : normal; };
    // Position board: places, big digits (car counts are read a row less
    // high), the point (cell 12) and "of".
    Board position = {small ? "MarcaPosb.bmp" : "MarcaPos.bmp", black, {}, true, {}};
    for (int p = 0; p < 8; p++)
        position.cells.push_back({{n(39, 20) * p, 0, n(39, 20), n(40, 19)}});
    for (int d : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 12}) {
        std::vector<Read> cell = {{n(23, 11) * d, n(41, 20), n(23, 11), n(23, 11)}};
        if (d <= 9)
            cell.push_back({n(23, 11) * d, n(41, 20), n(23, 11), n(22, 12)});
        position.cells.push_back(cell);
    }
    position.cells.push_back({{n(230, 110), n(41, 20), n(26, 11), n(24, 12)}});
    boards.push_back(position);
    // Time board.
    Board time = {small ? "MarcaTimeb.bmp" : "MarcaTime.bmp", black, {}, true, {}};
    const int cw = n(15, 7), ch = n(14, 9);
    for (int row = 0; row < 2; row++) {
        for (int d = 0; d < 10; d++)
            time.cells.push_back({{cw * d, ch * row, cw, ch}});
        std::vector<Read> separator = {{n(150, 70), ch * row, 6, ch}};
        separator.push_back({n(150, 70), ch * row, 6, ch * 2 / 3});   // the jump record's point
        if (row == 0)
            separator.push_back({n(150, 70), 0, n(8, 6), ch});   // the timed events' colon
        time.cells.push_back(separator);
    }
    time.cells.push_back({{n(170, 84), 0, 6, ch}});   // the penalty sign
    for (int l = 0; l < 3; l++) {
        time.cells.push_back({{cw * l, n(28, 18), cw, ch}});
        time.cells.push_back({{cw * l + n(45, 21), n(28, 18), cw, ch}});
    }
    time.cells.push_back({{n(90, 42), n(28, 18), cw, ch}});
    time.cells.push_back({{n(105, 49), n(28, 18), cw, ch}});
    time.cells.push_back({{0, n(42, 27), n(40, 20), ch}});
    time.cells.push_back({{0, n(56, 36), n(36, 20), ch}});
    time.cells.push_back({{0, n(70, 45), n(152, 90), ch}, {0, n(70, 45), n(88, 44), ch}});
    time.cells.push_back({{0, n(98, 63), n(88, 47), ch}});
    time.cells.push_back({{0, n(112, 72), n(152, 90), ch}});
    time.cells.push_back({{0, n(126, 81), n(152, 90), ch}});
    boards.push_back(time);
    // The countdown's digits and GO, outlined.
    Board digits = {small ? "Textos123b.bmp" : "Textos123.bmp", green, {0x14141E}, true, {}};
    for (int k = 0; k < 3; k++)
        digits.cells.push_back({{n(91, 45) * k, 0, n(91, 45), n(91, 45)}});
    boards.push_back(digits);
    boards.push_back({small ? "TextosGob.bmp" : "TextosGo.bmp", green, {0x147814}, true,
                      {{{0, 0, n(241, 118), n(92, 45)}}}});
    // Lamps in a grey rim; the map's balls fill their cells.
    Board nitro = {small ? "LuzNitrob.bmp" : "LuzNitro.bmp", black, {0x5A5A5A}, true, {}};
    Board penalty = {small ? "penaltisluzb.bmp" : "penaltisluz.bmp", black, {0x5A5A5A}, true, {}};
    for (int k = 0; k < 3; k++) {
        nitro.cells.push_back({{n(21, 11) * k, 0, n(21, 11), n(23, 12)}});
        penalty.cells.push_back({{n(41, 20) * k, 0, n(41, 20), n(41, 20)}});
    }
    boards.push_back(nitro);
    boards.push_back(penalty);
    const int s = n(6, 3);
    boards.push_back({small ? "bolasb.bmp" : "bolas.bmp", blue, {}, false, {{{0, 0, s, s}}, {{s, 0, s, s}}}});
    return boards;
}

std::string BoardPath(const char* file) {
    const bool menus = file[0] == 'T';   // the countdown pictures
    return std::string(menus ? "MENUS\\" : Boards) + file;
}

// The marker of every cell, in the order of HudBoards, and its pixels in
// the cell's first rectangle (`inks`); failures name the board and the cell.
std::vector<std::vector<uint32_t>> CheckBoards(bool small, std::vector<std::vector<int>>* inks = nullptr) {
    std::vector<std::vector<uint32_t>> markers;
    std::map<uint32_t, std::string> owner;
    for (const Board& board : HudBoards(small)) {
        const Picture p = LoadPicture(BoardPath(board.file));
        markers.emplace_back();
        if (inks)
            inks->emplace_back();
        for (size_t c = 0; c < board.cells.size(); c++) {
            const std::string where = std::string(board.file) + " cell " + std::to_string(c);
            uint32_t marker = 0;
            bool found = false;
            for (const Read& r : board.cells[c]) {
                if (r.x + r.w > p.width || r.y + r.h > p.height) {
                    ADD_FAILURE() << where << " lies outside its " << p.width << " x " << p.height << " board";
                    continue;
                }
                for (int y = r.y; y < r.y + r.h; y++) {
                    for (int x = r.x; x < r.x + r.w; x++) {
                        const uint32_t colour = p.At(x, y);
                        const bool edge = x == r.x || y == r.y || x == r.x + r.w - 1 || y == r.y + r.h - 1;
                        if (board.keyedEdge && edge) {
                            EXPECT_EQ(colour, board.key) << where << " edge at " << x << ", " << y;
                        }
                        if (colour == board.key ||
                            std::count(board.allowed.begin(), board.allowed.end(), colour))
                            continue;
                        if (!found)
                            marker = colour;
                        found = true;
                        EXPECT_EQ(colour, marker) << where << ": one marker at " << x << ", " << y;
                    }
                }
            }
            EXPECT_TRUE(found) << where << " is empty";
            EXPECT_TRUE(Exact565(marker)) << where << std::hex << " marker " << marker;
            EXPECT_FALSE(owner.count(marker)) << where << " shares its marker with " << owner[marker];
            owner[marker] = where;
            markers.back().push_back(marker);
            if (inks) {
                const Read& r = board.cells[c][0];
                int ink = 0;
                for (int y = r.y; y < r.y + r.h && y < p.height; y++)
                    for (int x = r.x; x < r.x + r.w && x < p.width; x++)
                        ink += p.At(x, y) == marker;
                inks->back().push_back(ink);
            }
        }
    }
    return markers;
}

TEST(HudSample, EveryBoardCellIsKeyedRoundItsGlyphWithAMarkerOfItsOwn) {
    MakeTestGameFolder("boards");
    const auto normal = CheckBoards(false);
    const auto small = CheckBoards(true);
    EXPECT_EQ(normal, small) << "a cell has the same marker at both sizes";
    // The places read as 1st to 8th: the first place's cell holds a "1"
    // (one column of ink wider than a pixel, narrower than an "8").
    auto inkColumns = [](const Picture& p, int x0, int w, int h) {
        int columns = 0;
        for (int x = x0; x < x0 + w; x++) {
            bool ink = false;
            for (int y = 0; y < h; y++)
                ink = ink || p.At(x, y) != 0;
            columns += ink;
        }
        return columns;
    };
    const Picture places = LoadPicture(BoardPath("MarcaPos.bmp"));
    EXPECT_LT(inkColumns(places, 0, 39, 40), inkColumns(places, 39 * 7, 39, 40));
}

// The labels over the lap clocks ("LAP" over the lap numbers, the wide one
// over the times) name only what the lap rows draw under them: every inked
// column of theirs lies over the lap numbers or the clock digits.
TEST(HudSample, TheLapClocksLabelsStandOverWhatTheRowsDraw) {
    MakeTestGameFolder("boards");
    for (bool small : {false, true}) {
        auto n = [small](int normal, int half) { return small ? half : normal; };
        const Picture board = LoadPicture(BoardPath(small ? "MarcaTimeb.bmp" : "MarcaTime.bmp"));
        ASSERT_GT(board.width, 0);
        // The rows: from the "LAP" label's edge over the lap number cells to
        // the end of six digits and two separators.
        const int left = 2, right = n(24, 14) + 6 * n(13, 8) + 2 * n(8, 4);
        struct Label {
            int y, w, screenX;
        };
        for (const Label& label : {Label{n(56, 36), n(36, 20), 2}, Label{n(70, 45), n(152, 90), n(48, 26)}}) {
            int inked = 0;
            for (int x = 0; x < label.w; x++) {
                bool ink = false;
                for (int y = label.y; y < label.y + n(14, 9); y++)
                    ink = ink || board.At(x, y) != 0;
                if (!ink)
                    continue;
                inked++;
                const int column = label.screenX + x;
                EXPECT_TRUE(column >= left && column < right)
                    << (small ? "small " : "") << "label row " << label.y << " inks screen column " << column
                    << ", beside the lap rows' " << left << ".." << right - 1;
            }
            EXPECT_GT(inked, 0) << "label row " << label.y;
        }
    }
}

// ---------------------------------------------------------------------------
// The whole program.

struct Screen {
    int width = 0, height = 0;
    std::vector<uint16_t> pixels;   // 5-6-5
    uint16_t At(int x, int y) const { return pixels[(size_t)y * width + x]; }
};

Screen ReadTga(const std::string& path) {
    Screen s;
    const std::string tga = ReadHostFile(path);
    if (tga.size() < 18)
        return s;
    s.width = (uint8_t)tga[12] | (uint8_t)tga[13] << 8;
    s.height = (uint8_t)tga[14] | (uint8_t)tga[15] << 8;
    if (tga.size() != 18 + (size_t)s.width * s.height * 3) {
        s.width = s.height = 0;
        return s;
    }
    for (size_t i = 18; i < tga.size(); i += 3)
        s.pixels.push_back(To565((uint32_t)(uint8_t)tga[i + 2] << 16 | (uint32_t)(uint8_t)tga[i + 1] << 8 |
                                 (uint8_t)tga[i]));
    return s;
}

// Where a marker shows inside a region: its pixel count and bounding box.
struct Found {
    int count = 0, minX = 1 << 20, minY = 1 << 20, maxX = -1, maxY = -1;
    // A drawn cell: enough pixels, all within a box of the cell's size (the
    // scene's lit colours pass through a marker's value here and there).
    bool Cell(int w, int h, int least = 8) const {
        return count >= least && maxX - minX < w && maxY - minY < h;
    }
};
Found Find(const Screen& s, uint32_t marker, int x0, int y0, int x1, int y1) {
    Found f;
    const uint16_t want = To565(marker);
    for (int y = y0; y < y1 && y < s.height; y++)
        for (int x = x0; x < x1 && x < s.width; x++)
            if (s.At(x, y) == want) {
                f.count++;
                f.minX = std::min(f.minX, x);
                f.minY = std::min(f.minY, y);
                f.maxX = std::max(f.maxX, x);
                f.maxY = std::max(f.maxY, y);
            }
    return f;
}

// The marker of a dial texture: its one colour on black.
uint32_t TextureMarker(int number) {
    char name[16];
    snprintf(name, sizeof name, "%04d.bmp", number);
    const Picture p = LoadPicture(std::string(Boards) + name);
    for (uint32_t c : p.rgb)
        if (c != 0)
            return c;
    return 0;
}

struct HudScreen : ::testing::Test {
    static std::string dir;
    static int status;
    static std::vector<std::vector<uint32_t>> markers;   // of HudBoards(false)
    static std::vector<std::vector<int>> inks;
    static uint32_t speed[10], gear[8];
    static Picture map;

    enum { FLYBY_SHOT = 60, SPACE = 80, COUNTDOWN_SHOT = SPACE + 100, RACE_SHOT = SPACE + 244 + 900 };

    static void SetUpTestSuite() {
        dir = MakeTestGameFolder("hud_screen", true);
        markers = CheckBoards(false, &inks);
        for (int n = 0; n < 10; n++)
            speed[n] = TextureMarker(1860 + n);
        for (int g = 0; g < 8; g++)
            gear[g] = TextureMarker(1870 + g);
        map = LoadPicture(std::string(Boards) + "2044.bmp");
        FILE* script = fopen((dir + "/shots.txt").c_str(), "w");
        ASSERT_NE(script, nullptr);
        fprintf(script, "%d shot flyby.tga\n%d key down SPACE\n%d key up SPACE\n%d shot countdown.tga\n%d shot race.tga\n",
                FLYBY_SHOT, SPACE, SPACE + 1, COUNTDOWN_SHOT, RACE_SHOT);
        fclose(script);
        status = RunBuiltProgram("quorvix",
                                 {"--headless", "--autorace", "--autopilot", "--cars", "4", "--script", "shots.txt",
                                  "--frames", std::to_string(RACE_SHOT + 2), "--sound-capture", "sound"},
                                 dir);
    }
    static void TearDownTestSuite() {
        if (!getenv("QUORVIX_KEEP_TEST_FOLDERS"))
            (void)system(("rm -rf '" + dir + "'").c_str());
    }

    // Board markers: 0 position board, 1 time board, 2 countdown digits,
    // 3 GO, 6 the balls.
    static const std::vector<uint32_t>& Of(int board) { return markers[board]; }

    // The board cells drawn anywhere on the screen (a cell's whole ink in a
    // box of its size), as "board.cell" names.
    static std::string BoardCellsShown(const Screen& s) {
        std::string shown;
        const std::vector<Board> boards = HudBoards(false);
        for (size_t b = 0; b < markers.size(); b++)
            for (size_t c = 0; c < markers[b].size(); c++) {
                const Read& r = boards[b].cells[c][0];
                const Found f = Find(s, markers[b][c], 0, 0, s.width, s.height);
                if (f.Cell(r.w, r.h, inks[b][c]))
                    shown += std::to_string(b) + "." + std::to_string(c) + " (" + std::to_string(f.count) + " at " +
                             std::to_string(f.minX) + ", " + std::to_string(f.minY) + ") ";
            }
        return shown;
    }

    // The digits a region shows, left to right: each column holds one
    // digit's marker or none, and a cell is a run of columns of one digit.
    static std::string DigitsShown(const Screen& s, const uint32_t* digits, int x0, int y0, int x1, int y1) {
        std::string text;
        int last = -1, lastX = -10;
        for (int x = x0; x < x1; x++) {
            int digit = -1;
            for (int y = y0; y < y1 && digit < 0; y++)
                for (int n = 0; n < 10 && digit < 0; n++)
                    if (s.At(x, y) == To565(digits[n]))
                        digit = n;
            if (digit < 0)
                continue;
            if (digit != last || x > lastX + 1)
                text += (char)('0' + digit);
            last = digit;
            lastX = x;
        }
        return text;
    }
    // The speed the dial reads, in the lower right quarter.
    static std::string SpeedShown(const Screen& s) {
        return DigitsShown(s, speed, s.width / 2, s.height / 2, s.width, s.height);
    }

    static int GearsShown(const Screen& s) {
        int shown = 0;
        for (uint32_t g : gear)
            shown += Find(s, g, s.width / 2, s.height / 2, s.width, s.height).Cell(16, 32);
        return shown;
    }

    // Exactly one place cell, at (4, 6), and the field of four.
    static void ExpectBoard(const Screen& s, const char* when) {
        int places = 0;
        for (uint32_t m : std::vector<uint32_t>(Of(0).begin(), Of(0).begin() + 8)) {
            const Found f = Find(s, m, 0, 0, 200, 100);
            if (!f.Cell(39, 40))
                continue;
            places++;
            EXPECT_GE(f.minX, 4) << when;
            EXPECT_LT(f.maxX, 4 + 39) << when;
            EXPECT_GE(f.minY, 6) << when;
            EXPECT_LT(f.maxY, 6 + 40) << when;
        }
        EXPECT_EQ(places, 1) << when;
        const Found four = Find(s, Of(0)[8 + 4], 0, 0, 200, 100);
        EXPECT_TRUE(four.Cell(23, 22)) << when << ": the field of four";
        EXPECT_GE(four.minX, 56) << when;
        EXPECT_GE(four.minY, 26) << when;
    }

    // Car 0's dot lies on the road of the map (pixel (x, y - 3) of the map
    // drawn 128 x 128 from (20, 332)).
    static void ExpectDotOnRoad(const Screen& s, const char* when) {
        const Found dot = Find(s, Of(6)[1], 0, 300, 200, 480);
        ASSERT_TRUE(dot.Cell(6, 6, 4)) << when << ": car 0's dot";
        ASSERT_EQ(map.width, 128);
        const int mx = dot.minX - 20, my = dot.minY - 3 - 332;
        ASSERT_TRUE(mx >= 0 && my >= 0 && mx < 128 && my < 128) << when << " " << mx << ", " << my;
        EXPECT_NE(map.At(mx, my), 0u) << when << ": the dot's corner at map pixel " << mx << ", " << my;
    }
};

std::string HudScreen::dir;
int HudScreen::status;
std::vector<std::vector<uint32_t>> HudScreen::markers;
std::vector<std::vector<int>> HudScreen::inks;
uint32_t HudScreen::speed[10], HudScreen::gear[8];
Picture HudScreen::map;

TEST_F(HudScreen, TheFlyByShowsItsTitlesButNoBoardDialOrMap) {
    ASSERT_EQ(status, 0);
    const Screen s = ReadTga(dir + "/flyby.tga");
    ASSERT_EQ(s.width, 640);
    EXPECT_EQ(BoardCellsShown(s), "");
    EXPECT_EQ(SpeedShown(s), "");
    EXPECT_EQ(GearsShown(s), 0);
    // The titles: the font strip's white ink in the rows at 28 and 68.
    const Found title = Find(s, 0xFAFAFA, 0, 20, 640, 110);
    EXPECT_GT(title.count, 200);
    EXPECT_LT(title.maxY, 110);
}

TEST_F(HudScreen, TheCountdownShowsTheBoardAStandingDialAndTheDigitThree) {
    ASSERT_EQ(status, 0);
    const Screen s = ReadTga(dir + "/countdown.tga");
    ASSERT_EQ(s.width, 640);
    ExpectBoard(s, "countdown");
    EXPECT_EQ(SpeedShown(s), "000") << "standing on the grid";
    EXPECT_EQ(GearsShown(s), 1);
    ExpectDotOnRoad(s, "countdown");
    // The "3" centred on (320, 216).
    const Found three = Find(s, Of(2)[0], 320 - 60, 216 - 60, 320 + 60, 216 + 60);
    ASSERT_TRUE(three.Cell(91, 91, 100));
    EXPECT_NEAR((three.minX + three.maxX) / 2, 320, 4);
    EXPECT_NEAR((three.minY + three.maxY) / 2, 216, 4);
}

TEST_F(HudScreen, MidRaceTheSpeedCellsMoveOnAndTheDotKeepsToTheRoad) {
    ASSERT_EQ(status, 0);
    const Screen s = ReadTga(dir + "/race.tga");
    ASSERT_EQ(s.width, 640);
    ExpectBoard(s, "race");
    const std::string shown = SpeedShown(s);
    EXPECT_EQ(shown.size(), 3u) << shown;
    EXPECT_NE(shown, "000");
    EXPECT_EQ(GearsShown(s), 1);
    ExpectDotOnRoad(s, "race");
    // The race clock under the lap rows, in the highlighted digits, has run
    // from stage 3 of the countdown: 900 ticks, 15 seconds.
    static_assert(RACE_SHOT - SPACE - 4 * 61 == 900);
    const uint32_t* lit = &Of(1)[11];
    EXPECT_EQ(DigitsShown(s, lit, 20, 134, 120, 148), "001500");
    EXPECT_LT(Find(s, Of(2)[0], 320 - 60, 216 - 60, 320 + 60, 216 + 60).count, 100) << "the countdown is over";
}

// The software path races at 640 x 480 whatever mode is configured: with
// 1024 x 768 the dial still stands in the corner of the picture drawn.
TEST(HudLargeMode, TheSoftwarePathShowsTheDialAt1024By768) {
    const std::string dir = MakeTestGameFolder("hud_large", true);
    const DisplayConfigRecord config = {1024, 768, 16, 0, 0, 0};
    ASSERT_TRUE(PlatWriteFileAtomic("Config\\Vondel.cfg", &config, sizeof config));
    uint32_t speed[10], gear[8];
    for (int n = 0; n < 10; n++)
        speed[n] = TextureMarker(1860 + n);
    for (int g = 0; g < 8; g++)
        gear[g] = TextureMarker(1870 + g);
    FILE* script = fopen((dir + "/shots.txt").c_str(), "w");
    ASSERT_NE(script, nullptr);
    fputs("2 key down SPACE\n3 key up SPACE\n100 shot countdown.tga\n", script);
    fclose(script);
    ASSERT_EQ(RunBuiltProgram("quorvix", {"--headless", "--autorace", "--script", "shots.txt", "--frames", "102"}, dir),
              0);
    const Screen s = ReadTga(dir + "/countdown.tga");
    ASSERT_EQ(s.width, 640);
    ASSERT_EQ(s.height, 480);
    EXPECT_EQ(HudScreen::DigitsShown(s, speed, 320, 240, 640, 480), "000") << "the dial's speed";
    int gears = 0;
    for (uint32_t g : gear)
        gears += Find(s, g, 320, 240, 640, 480).Cell(16, 32);
    EXPECT_EQ(gears, 1) << "the dial's gear cell";
    if (!getenv("QUORVIX_KEEP_TEST_FOLDERS"))
        (void)system(("rm -rf '" + dir + "'").c_str());
}

// The voices 3, 2, 1 and GO on channel 16, a countdown stage (61 ticks)
// apart.
TEST_F(HudScreen, TheCountdownSpeaksOnChannelSixteen) {
    ASSERT_EQ(status, 0);
    std::istringstream events(ReadHostFile(dir + "/sound/events.csv"));
    std::string line;
    std::vector<std::pair<int, int>> plays;   // tick, slot
    while (std::getline(events, line)) {
        int tick, channel, slot;
        if (sscanf(line.c_str(), "%d,%d,%d", &tick, &channel, &slot) == 3 && channel == 16)
            plays.push_back({tick, slot});
    }
    // The channel's first four plays; the effects that share it come later.
    ASSERT_GE(plays.size(), 4u);
    for (int k = 0; k < 4; k++) {
        EXPECT_EQ(plays[k].second, 82 + k);
        if (k > 0) {
            EXPECT_NEAR(plays[k].first - plays[k - 1].first, 61, 1);
        }
    }
    for (size_t k = 4; k < plays.size(); k++)
        EXPECT_FALSE(plays[k].second >= 82 && plays[k].second <= 85) << "a voice again at tick " << plays[k].first;
}

}  // namespace
