// The developer's window commands in whole headless runs of the game, keys
// and pointer from a script: the windowed key, after which the menus follow
// the system pointer; the driver dialog, answered by the script's keys and
// shown while it waits, whose choice becomes the display; and Ctrl+Q, which
// ends the run.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "common/test_game.h"

namespace {

// A screenshot as the game writes it: 24-bit, rows top to bottom.
struct Shot {
    int width = 0, height = 0;
    std::string pixels;   // blue, green, red
    // The colour at (x, y) as 0xRRGGBB.
    uint32_t At(int x, int y) const {
        const size_t i = ((size_t)y * (size_t)width + (size_t)x) * 3;
        return (uint32_t)(uint8_t)pixels[i + 2] << 16 | (uint32_t)(uint8_t)pixels[i + 1] << 8 |
               (uint32_t)(uint8_t)pixels[i];
    }
};

Shot ReadShot(const std::string& path) {
    Shot s;
    const std::string tga = ReadHostFile(path);
    if (tga.size() < 18)
        return s;
    const int width = (uint8_t)tga[12] | (uint8_t)tga[13] << 8;
    const int height = (uint8_t)tga[14] | (uint8_t)tga[15] << 8;
    if (tga[16] != 24 || tga.size() != 18 + (size_t)width * (size_t)height * 3)
        return s;
    s.width = width;
    s.height = height;
    s.pixels = tga.substr(18);
    return s;
}

// Each channel within a few levels (16-bit pixels widened back).
bool Near(uint32_t colour, uint32_t wanted) {
    for (int shift = 0; shift < 24; shift += 8) {
        if (std::abs((int)((colour >> shift) & 0xFF) - (int)((wanted >> shift) & 0xFF)) > 8)
            return false;
    }
    return true;
}

std::string Press(int frame, const char* key) {
    return std::to_string(frame) + " key down " + key + "\n" + std::to_string(frame + 2) + " key up " + key + "\n";
}

}  // namespace

// In a window the game's pointer is the system pointer: put on REPLAYS
// (259, 335 of the main menu) and clicked, it opens the replays screen,
// while the game's own pointer is still where the menus put it.
TEST(WindowCommands, InAWindowTheMenusFollowTheSystemPointer) {
    const std::string dir = MakeTestGameFolder("windowed");
    std::ofstream(dir + "/window.txt") << Press(200, "F12") << "230 system-pointer 259 335\n231 click\n"
                                       << "300 expect-screen 15\n";
    const int status = RunGameLogged(
        dir, "--headless --recording-device --developer --debug --frames 320 --script window.txt", "window.log");
    const std::string log = ReadHostFile(dir + "/window.log");
    EXPECT_EQ(status, 0) << log;
    EXPECT_NE(log.find("640 x 480 x 16 in a window"), std::string::npos) << log;
    EXPECT_NE(log.find("menu screen 15"), std::string::npos);
}

// Shift+F12 opens the driver dialog over the menus; Up takes the focus from
// OK to the mode list, four Rights step from 640 x 480 to 800 x 600, Enter
// takes it: the display is made again in that mode.  Ctrl+Q then exits,
// long before the run's last frame.
TEST(WindowCommands, TheDriverDialogSetsTheModeAndCtrlQExits) {
    const std::string dir = MakeTestGameFolder("driverdialog");
    std::ofstream script(dir + "/dialog.txt");
    script << "200 key down LSHIFT\n" << Press(201, "F12") << "204 key up LSHIFT\n" << Press(210, "UP");
    for (int i = 0; i < 4; i++)
        script << Press(220 + 10 * i, "RIGHT");
    script << "262 shot dialog.tga\n" << Press(270, "RETURN") << "300 shot mode.tga\n"
           << "320 key down LCONTROL\n" << Press(321, "Q") << "324 key up LCONTROL\n"
           << "400 shot late.tga\n";
    script.close();
    const int status = RunGameLogged(
        dir, "--headless --recording-device --developer --debug --frames 2000 --script dialog.txt", "dialog.log");
    const std::string log = ReadHostFile(dir + "/dialog.log");
    EXPECT_EQ(status, 0) << log;
    EXPECT_NE(log.find("Driver dialog: Primary Display Driver, OpenGL HAL, 800 x 600 x 16 bit"), std::string::npos)
        << log;

    // The dialog's box over the menus, its grey edge and dark inside, with
    // the menus around it.
    const Shot dialog = ReadShot(dir + "/dialog.tga");
    ASSERT_EQ(dialog.width, 640);
    ASSERT_EQ(dialog.height, 480);
    EXPECT_TRUE(Near(dialog.At(150, 230), 0xC8C8C8)) << std::hex << dialog.At(150, 230);
    EXPECT_TRUE(Near(dialog.At(460, 306), 0x101838)) << std::hex << dialog.At(460, 306);
    EXPECT_FALSE(Near(dialog.At(100, 230), 0x101838));

    const Shot mode = ReadShot(dir + "/mode.tga");
    EXPECT_EQ(mode.width, 800);
    EXPECT_EQ(mode.height, 600);
    EXPECT_EQ(ReadHostFile(dir + "/late.tga"), "") << "Ctrl+Q ended the run";
}
