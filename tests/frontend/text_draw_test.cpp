// Measuring and drawing texts in the menu fonts, the keyboard cells and the
// credits, on a synthetic font strip whose glyphs are solid blocks.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "frame/frame_state.h"
#include "frame/input.h"
#include "frontend/menu_graphics.h"
#include "frontend/menu_init.h"
#include "frontend/text_slots.h"
#include "menulayout/menu_table.h"
#include "frontend_test_util.h"

namespace {

enum { PITCH = 700 };   // wider than the screen, so the pitch is honoured
const uint16_t kBackground = 0x0000;

struct DrawFixture : FrontEndTest {
    std::vector<uint16_t> pixels = std::vector<uint16_t>((size_t)PITCH * 480, kBackground);

    // Every glyph is ink (level 0) in every row; the strip is raw graphic 0.
    void SetUp() override {
        FrontEndTest::SetUp();
        GreenMaskBits = 6;
        InitFrontEndTables();
        const int size = FONT_STRIP_WIDTH * FONT_STRIP_ROWS;
        memset(MenuGfxBuffer, 0, (size_t)size);
        MenuGfxCount = 1;
        MenuGfxOffsets[0] = 0;
        MenuGfxSizes[0] = size;
        MenuTarget = {pixels.data(), PITCH, 640, 480};
        KeyboardCellCount = 0;
    }

    void SetSlots(std::initializer_list<std::string> texts) {
        std::string image;
        for (const std::string& t : texts)
            image += t + "\r\n";
        memcpy(TextSlotBlob, image.data(), image.size());
        IndexTextSlots((int)image.size());
    }

    uint16_t At(int x, int y) const { return pixels[(size_t)y * PITCH + x]; }

    // First and last inked column of a row; -1 when the row is empty.
    std::pair<int, int> InkedColumns(int y) const {
        int first = -1, last = -1;
        for (int x = 0; x < 640; x++) {
            if (At(x, y) != kBackground) {
                if (first < 0)
                    first = x;
                last = x;
            }
        }
        return {first, last};
    }

    static int Width(int font, char c) { return MenuFontMetrics[font].widths[(unsigned char)c - 33]; }
};

}  // namespace

TEST_F(DrawFixture, CentresAndRightAlignsLineByLine) {
    SetSlots({"AB", "AB\nA", "AB"});
    DrawTextSlot565(100, 10, 1, 0, TEXT_MODE_CENTRE, 31, 63, 31, 0, 0, 0, 0);
    const int ab = Width(1, 'A') + Width(1, 'B');
    EXPECT_EQ(InkedColumns(10).first, 100 - ab / 2);
    EXPECT_EQ(InkedColumns(10).second, 100 - ab / 2 + ab - 1);
    EXPECT_EQ(InkedColumns(10 + MenuFontMetrics[1].height).first, -1);

    // The second line is measured and centred on its own.
    DrawTextSlot565(300, 100, 1, 1, TEXT_MODE_CENTRE, 31, 63, 31, 0, 0, 0, 0);
    EXPECT_EQ(InkedColumns(100).first, 300 - ab / 2);
    const int below = 100 + MenuFontMetrics[1].height;
    EXPECT_EQ(InkedColumns(below).first, 300 - Width(1, 'A') / 2);

    DrawTextSlot565(600, 200, 2, 2, TEXT_MODE_RIGHT, 31, 63, 31, 0, 0, 0, 0);
    EXPECT_EQ(InkedColumns(200).second, 599);
}

TEST_F(DrawFixture, ClipsAtTheScreenEdges) {
    SetSlots({"MMMM", "M"});
    const int w = Width(0, 'M');
    DrawTextSlot565(-w - 3, 50, 0, 0, TEXT_MODE_LEFT, 31, 63, 31, 0, 0, 0, 0);
    // The first glyph is wholly off screen, the second enters 3 columns in.
    EXPECT_EQ(InkedColumns(50).first, 0);
    EXPECT_EQ(InkedColumns(50).second, 3 * w - 3 - 1);
    for (int y = 0; y < 480; y++)
        ASSERT_EQ(At(640, y), kBackground);   // nothing past the right edge

    // A glyph hanging over the top is drawn from row 0; one wholly above it
    // ends the text; a text starting at 480 draws nothing.
    std::fill(pixels.begin(), pixels.end(), kBackground);
    DrawTextSlot565(10, -20, 0, 1, TEXT_MODE_LEFT, 31, 63, 31, 0, 0, 0, 0);
    EXPECT_NE(At(10, 0), kBackground);
    EXPECT_EQ(At(10, MenuFontMetrics[0].height - 20), kBackground);
    std::fill(pixels.begin(), pixels.end(), kBackground);
    DrawTextSlot565(10, -60, 0, 1, TEXT_MODE_LEFT, 31, 63, 31, 0, 0, 0, 0);
    DrawTextSlot565(10, 480, 0, 1, TEXT_MODE_LEFT, 31, 63, 31, 0, 0, 0, 0);
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), kBackground), (long)pixels.size());
}

TEST_F(DrawFixture, HighlightMarks) {
    const uint16_t normal = (10 << 11) | (20 << 5) | 5;
    const uint16_t highlight = (31 << 11) | (0 << 5) | 31;
    SetSlots({"\x0b" "AB", "A~B"});
    DrawTextSlot565(0, 0, 2, 0, TEXT_MODE_LEFT, 10, 20, 5, 31, 0, 31, 0);
    EXPECT_EQ(At(0, 5), highlight);
    EXPECT_EQ(At(Width(2, 'A'), 5), highlight);

    DrawTextSlot565(0, 100, 2, 1, TEXT_MODE_LEFT, 10, 20, 5, 31, 0, 31, 0);
    EXPECT_EQ(At(0, 105), normal);
    EXPECT_EQ(At(Width(2, 'A'), 105), highlight);   // the mark itself takes no room
    EXPECT_EQ(At(Width(2, 'A') + Width(2, 'B'), 105), kBackground);
}

TEST_F(DrawFixture, BlendsInBothPixelFormats) {
    SetSlots({"I"});
    // Level 0 gives the text colour exactly.
    DrawTextSlot565(0, 0, 2, 0, TEXT_MODE_PLAIN, 31, 63, 31, 0, 0, 0, 0);
    EXPECT_EQ(At(0, 0), 0xffff);

    GreenMaskBits = 5;
    InitFrontEndTables();
    std::fill(pixels.begin(), pixels.end(), 0x8000);   // the top bit is ignored
    DrawTextSlot555(0, 0, 2, 0, TEXT_MODE_PLAIN, 31, 31, 31, 0, 0, 0, 0);
    EXPECT_EQ(At(0, 0), 0x7fff);
    DrawTextSlot(0, 20, 2, 0, TEXT_MODE_PLAIN, 1, 2, 3, 0, 0, 0, 0);
    EXPECT_EQ(At(0, 20), (1 << 10) | (2 << 5) | 3);

    // Half-way levels mix text and background by channel.
    memset(MenuGfxBuffer, 49, FONT_STRIP_WIDTH * FONT_STRIP_ROWS);
    std::fill(pixels.begin(), pixels.end(), (uint16_t)((30 << 10) | (30 << 5) | 30));
    DrawTextSlot555(0, 0, 2, 0, TEXT_MODE_PLAIN, 0, 0, 0, 0, 0, 0, 0);
    const int red = (At(0, 0) >> 10) & 31;
    EXPECT_GE(red, 14);
    EXPECT_LE(red, 16);
}

TEST_F(DrawFixture, TransparentLevelsAndSpacing) {
    memset(MenuGfxBuffer, 255, FONT_STRIP_WIDTH * FONT_STRIP_ROWS);
    SetSlots({"II"});
    DrawTextSlot565(0, 0, 1, 0, TEXT_MODE_LEFT, 31, 63, 31, 0, 0, 0, 0);
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), kBackground), (long)pixels.size());

    memset(MenuGfxBuffer, 0, FONT_STRIP_WIDTH * FONT_STRIP_ROWS);
    DrawTextSlot565(0, 0, 1, 0, TEXT_MODE_LEFT, 31, 63, 31, 0, 0, 0, 5);
    const int w = Width(1, 'I');
    EXPECT_NE(At(w - 1, 2), kBackground);
    EXPECT_EQ(At(w, 2), kBackground);   // the spacing gap
    EXPECT_NE(At(w + 5, 2), kBackground);
}

TEST_F(DrawFixture, MarksRegisterKeyboardCellsAndTypedKeysClickThem) {
    SetSlots({"\x7f" "a", "\x1b" "q \x7e" "A", "\x7f\x7f"});
    int x = 200, y = 100;
    MeasureTextLine(0, TEXT_MODE_CENTRE, TextSlotBlob + TextSlotTable[0].offset, (int)TextSlotTable[0].length, 1,
                    0, &x, &y);
    ASSERT_EQ(KeyboardCellCount, 1);
    EXPECT_EQ((int)KeyboardCellTable[0].code, 'A');   // upper-cased
    EXPECT_EQ(KeyboardCellTable[0].cellX, 200.0f);     // before alignment
    EXPECT_EQ(KeyboardCellTable[0].cellY, 111.0f);
    EXPECT_EQ(KeyboardCellTable[1].code, 0.0f);

    // Mode 0 measures nothing and registers nothing.
    x = 50;
    EXPECT_EQ(MeasureTextLine(0, TEXT_MODE_PLAIN, TextSlotBlob, 2, 1, 0, &x, &y), 1);
    EXPECT_EQ(KeyboardCellCount, 1);

    DrawTextSlot565(300, 200, 1, 1, TEXT_MODE_LEFT, 31, 63, 31, 0, 0, 0, 0);
    DrawTextSlot565(10, 300, 1, 2, TEXT_MODE_LEFT, 31, 63, 31, 0, 0, 0, 0);
    ASSERT_EQ(KeyboardCellCount, 4);   // a mark at the very end registers nothing
    EXPECT_EQ((int)KeyboardCellTable[2].code, 'A');
    EXPECT_EQ((int)KeyboardCellTable[3].code, 13);   // a mark before 127 is Enter

    // Of two cells for 'a' the later one gets the pointer, at once.
    MouseX = MouseY = 5;
    TypedChar = 'a';
    KeyboardClick = 0;
    KeyboardCellJump();
    EXPECT_EQ(MouseX, 300);
    EXPECT_EQ(MouseY, 211);
    EXPECT_EQ(TypedChar, 0);
    EXPECT_EQ(KeyboardClick, 1);

    // A key without a cell does nothing.
    TypedChar = 'z';
    KeyboardClick = 0;
    KeyboardCellJump();
    EXPECT_EQ(TypedChar, 'z');
    EXPECT_EQ(KeyboardClick, 0);
}

TEST_F(DrawFixture, KeyboardCellsAreBounded) {
    std::string many;
    for (int i = 0; i < 200; i++)
        many += "\x7f" "x";
    SetSlots({many});
    DrawTextSlot565(0, 0, 2, 0, TEXT_MODE_LEFT, 31, 63, 31, 0, 0, 0, 0);
    EXPECT_EQ(KeyboardCellCount, KEYBOARD_CELL_MAX);
}

TEST_F(DrawFixture, CreditsScrollAndDrawOnlyOnScreen) {
    std::vector<std::string> lines(2007, "-");
    lines[1865] = " ";
    lines[1866] = "II";   // a heading
    lines[1868] = "II";
    std::string image;
    for (const std::string& l : lines)
        image += l + "\r\n";
    memcpy(TextSlotBlob, image.data(), image.size());
    IndexTextSlots((int)image.size());
    FillMenuColourTable();

    ScrollCredits(2);
    EXPECT_EQ(CreditsScrollY.load(), 490.0f);
    for (int i = 0; i < 60; i++)
        ScrollCredits(1);
    EXPECT_NEAR(CreditsScrollY.load(), 490.0f - 21.0f, 0.01f);

    // Line 1 (slot 1866) at 490 - 21 + 24 lies below the screen: nothing.
    ScrollCredits(0);
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), kBackground), (long)pixels.size());

    // Scrolled up by 300: slot 1866 is a heading (colour 5), 1868 is not (4),
    // each with its shadow (colour 1) two pixels right and down.
    CreditsScrollY.store(190.0f);
    ScrollCredits(0);
    const int y1866 = 190 + 24, y1868 = 190 + 72;
    const int half = Width(1, 'I');   // "II" is centred on 320
    EXPECT_EQ(At(320 - half, y1866 + 1), MenuColourTable[5]);
    EXPECT_EQ(At(320 - half, y1868 + 1), MenuColourTable[4]);
    EXPECT_EQ(At(320 + half + 1, y1868 + 3), MenuColourTable[1]);
}
