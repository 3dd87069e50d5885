// Whole headless runs through the menus, driven by a script: the quick race
// and the way back, the main menu's slides and hover colours, typed hot
// keys, the display options file and the quit confirmation.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "common/test_game.h"

namespace {

// A hit box of the layout, bounds inclusive.
struct Box {
    int left, right, top, bottom;
};
const Box kPlay = {262, 422, 14, 39};
const Box kRace = {106, 266, 157, 182};
const Box kReplays = {179, 339, 323, 348};
const Box kOptions = {383, 541, 85, 110};
const Box kExtras = {269, 429, 218, 243};
const Box kExit = {383, 543, 418, 448};

struct Rgb {
    int r, g, b;
};
// Menu colours 3 (a button) and 4 (a hovered button), as the 5-6-5 display
// widens them into a screenshot.
const Rgb kColour3 = {198, 195, 198};
const Rgb kColour4 = {255, 255, 255};

int PixelsOf(const std::string& tga, const Box& box, const Rgb& c) {
    int n = 0;
    for (int y = box.top; y <= box.bottom; y++) {
        for (int x = box.left; x <= box.right; x++) {
            const size_t i = 18 + ((size_t)y * 640 + x) * 3;
            const int b = (uint8_t)tga[i], g = (uint8_t)tga[i + 1], r = (uint8_t)tga[i + 2];
            n += std::abs(r - c.r) <= 4 && std::abs(g - c.g) <= 4 && std::abs(b - c.b) <= 4;
        }
    }
    return n;
}

struct MenuWalk : ::testing::Test {
    std::string dir;
    std::string log;

    void SetUp() override { dir = MakeTestGameFolder("walk"); }

    // Runs the game headless on the script; its exit status.  The debug
    // output lands in `log`.
    int Run(const std::string& script, int frames) {
        std::ofstream(dir + "/walk.txt") << script;
        const std::string command = "cd '" + dir + "' && '" + QUORVIX_BIN_DIR +
                                    "/quorvix' --headless --recording-device --autorace --debug --frames " +
                                    std::to_string(frames) + " --script walk.txt 2> walk.log > /dev/null";
        const int status = std::system(command.c_str());
        log = ReadHostFile(dir + "/walk.log");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Shot(const std::string& name) { return ReadHostFile(dir + "/" + name); }
    int Count(const std::string& line) const {
        int n = 0;
        for (size_t at = log.find(line); at != std::string::npos; at = log.find(line, at + 1))
            n++;
        return n;
    }
};

TEST_F(MenuWalk, TheQuickRaceComesBackToTheMainMenuAndExitThenYesQuits) {
    const int status = Run("2 key down SPACE\n"   // the race's fly-by ends
                           "3 key up SPACE\n" +
                           LeaveRaceScript(60) +
                           "250 expect-screen 0\n"
                           "250 shot main.tga\n"
                           "251 point 342 26\n"
                           "256 shot play.tga\n"
                           "260 point 463 433\n"
                           "261 click\n"
                           "300 point 420 400\n"
                           "301 click\n"
                           "390 shot late.tga\n",
                           400);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Count("menu screen 0"), 2) << "the start, then the way back from the race\n" << log;

    // Settled: every button's label stands at home in colour 3.
    const std::string main = Shot("main.tga");
    ASSERT_EQ(main.size(), 18u + 640 * 480 * 3);
    for (const Box& box : {kPlay, kRace, kReplays, kOptions, kExtras, kExit})
        EXPECT_GT(PixelsOf(main, box, kColour3), 80) << "button at " << box.left << "," << box.top;
    EXPECT_LT(PixelsOf(main, kPlay, kColour4), 80);

    // The pointer on PLAY: its glyphs turn to colour 4, the others stay.
    const std::string play = Shot("play.tga");
    ASSERT_EQ(play.size(), main.size());
    EXPECT_EQ(PixelsOf(play, kPlay, kColour3), 0);
    EXPECT_GT(PixelsOf(play, kPlay, kColour4), 150);
    EXPECT_EQ(PixelsOf(play, kRace, kColour3), PixelsOf(main, kRace, kColour3));

    // YES ended the run before its last frames.
    EXPECT_EQ(Shot("late.tga"), "");
}

// The letter the English message file marks (code 126 before it) in the
// label of `slot`, as the player sees it on the button.
std::string HotKey(const std::string& dir, int slot) {
    std::ifstream file(dir + "/MENUS/mensaje1.txt", std::ios::binary);
    std::string line;
    for (int i = 0; i <= slot && std::getline(file, line); i++) {
    }
    const size_t mark = line.find('\x7e');
    return mark != std::string::npos && mark + 1 < line.size() ? line.substr(mark + 1, 1) : "?";
}

TEST_F(MenuWalk, HotKeysOpenTheDisplayOptionsWhoseOkRewritesTheFile) {
    const std::string before = ReadHostFile(dir + "/Config/visual.cfg");
    ASSERT_EQ(before.size(), 48u);
    // The marked letters of OPTIONS and DISPLAY; the effects toggle, then
    // OK's letter writes the file.
    const int status = Run("2 key down SPACE\n"   // the race's fly-by ends
                           "3 key up SPACE\n" +
                           LeaveRaceScript(60) +
                           "200 type " + HotKey(dir, 34) + "\n"
                           "260 type " + HotKey(dir, 42) + "\n"
                           "340 expect-screen 6\n"
                           "341 point 47 312\n"
                           "342 click\n"
                           "380 type " + HotKey(dir, 48) + "\n"
                           "440 expect-screen 0\n"
                           "450 point 463 433\n"
                           "451 click\n"
                           "490 point 420 400\n"
                           "491 click\n",
                           600);
    EXPECT_EQ(status, 0) << log;
    EXPECT_EQ(Count("menu screen 6"), 1) << log;
    const std::string after = ReadHostFile(dir + "/Config/visual.cfg");
    ASSERT_EQ(after.size(), 48u);
    EXPECT_NE(after[1], before[1]) << "the effects toggle reached the file";
    // The other bytes are the screen's marks as they stood; the texture
    // filter is always 1 or 2 in a written file.
    EXPECT_TRUE(after[5] == 1 || after[5] == 2);
}

TEST_F(MenuWalk, AScreenCheckThatFailsEndsTheRunWithStatus3) {
    EXPECT_EQ(Run("100 expect-screen 7\n", 400), 3);
}

}  // namespace
