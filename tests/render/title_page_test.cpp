// The title page of a whole headless run prints in the bitmap fonts: the
// title in the large font, the key lines in the medium one with the key
// names in the highlight font.

#include <gtest/gtest.h>

#include <string>

#include "common/test_game.h"

namespace {

// Rows of a colour on the screenshot: the first and one past the last row
// holding it, and how many pixels.
struct Rows {
    int first = -1, end = -1, pixels = 0;
};

Rows RowsOf(const std::string& tga, int r, int g, int b) {
    Rows rows;
    for (int y = 0; y < 480; y++) {
        for (int x = 0; x < 640; x++) {
            const size_t i = 18 + ((size_t)y * 640 + x) * 3;
            if ((uint8_t)tga[i + 2] != r || (uint8_t)tga[i + 1] != g || (uint8_t)tga[i] != b)
                continue;
            if (rows.first < 0)
                rows.first = y;
            rows.end = y + 1;
            rows.pixels++;
        }
    }
    return rows;
}

}  // namespace

TEST(TitlePage, PrintsInTheBitmapFonts) {
    const std::string dir = MakeTestGameFolder("title", true);
    ASSERT_EQ(RunBuiltProgram("quorvix", {"--headless", "--frames", "30", "--screenshot"}, dir), 0);
    const std::string tga = ReadHostFile(dir + "/0000.TGA");
    ASSERT_EQ(tga.size(), 18u + 640 * 480 * 3);
    // White ink (250, 250, 250 widened from 5-6-5) from the title at y 160
    // down to the last key line (y 310, 25 rows).
    const Rows white = RowsOf(tga, 255, 251, 255);
    EXPECT_GE(white.first, 160);
    EXPECT_LT(white.first, 180) << "a capital's top in the 49 rows of the large font";
    EXPECT_LE(white.end, 335);
    EXPECT_GT(white.pixels, 1500);
    // The key names in the highlight colour (255, 200, 40), on the key lines
    // only.
    const Rows highlight = RowsOf(tga, 255, 203, 41);
    EXPECT_GE(highlight.first, 270);
    EXPECT_LE(highlight.end, 335);
    EXPECT_GT(highlight.pixels, 200);
}
