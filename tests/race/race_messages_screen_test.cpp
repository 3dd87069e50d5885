// A whole headless race of the sample folder, on both display kinds: a
// console line and a timed message added during the race both show on its
// screenshot, in the bitmap fonts, over the race view.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "frame/handover_trace.h"
#include "frame/window_proc.h"
#include "platform/plat_keys.h"
#include "platform/plat_window.h"
#include "race/race_state.h"
#include "race/messages.h"

namespace {

int presentedInRace;

// Called with every hand-over step and presented frame of the run.
void AddMessagesDuringTheRace(const char* step) {
    if (strcmp(step, "frame presented") != 0 || FrontEndActive)
        return;
    // Space ends the fly-by and its texts; the race starts from the grid.
    if (RacePhase == 2) {
        MainWindowProc(WM_KEYDOWN, VK_SPACE, 0);
        return;
    }
    presentedInRace++;
    if (presentedInRace == 5) {
        ConsoleAddLine("CONSOLE LINE 42");
        ShowTimedMessage(320, 220, "TIMED MESSAGE", 0, 1, 3000, 0);
    }
    if (presentedInRace == 20)
        ScreenshotRequest = 1;   // written after this frame is presented
}

struct Ink {
    int console = 0, message = 0, elsewhere = 0;
};

// Counts the pixels of the fonts' white ink (250, 250, 250 in the strip,
// which a 5-6-5 screen widens to 255, 251, 255): in the console's band
// (x 10.., from y 160, 14 rows), in the message's band (49 rows from 220,
// centred) and elsewhere above the loading line that a screen may keep at
// y 440 until a race view covers it.
Ink CountInk(const std::string& tga) {
    Ink ink;
    for (int y = 0; y < 400; y++) {
        for (int x = 0; x < 640; x++) {
            const size_t i = 18 + ((size_t)y * 640 + x) * 3;
            const int b = (uint8_t)tga[i], g = (uint8_t)tga[i + 1], r = (uint8_t)tga[i + 2];
            if (r != 255 || g != 251 || b != 255)
                continue;
            if (y >= 160 && y < 174 && x >= 10 && x < 200)
                ink.console++;
            else if (y >= 220 && y < 269 && x >= 120 && x < 520)
                ink.message++;
            else
                ink.elsewhere++;
        }
    }
    return ink;
}

void RaceWithMessages(bool softwareKind) {
    const std::string dir = MakeTestGameFolder(softwareKind ? "software" : "direct3d", softwareKind);
    presentedInRace = 0;
    ScreenshotCounter = 0;
    HandoverTraceWatch(AddMessagesDuringTheRace);
    ASSERT_EQ(RunHeadlessGame(30, 1), 0);
    HandoverTraceWatch(nullptr);
    ASSERT_GE(presentedInRace, 20);
    const std::string tga = ReadHostFile(dir + "/0000.TGA");
    ASSERT_EQ(tga.size(), 18u + 640 * 480 * 3);
    const Ink ink = CountInk(tga);
    EXPECT_GT(ink.console, 60) << "the console line";
    EXPECT_GT(ink.message, 400) << "the timed message";
    EXPECT_EQ(ink.elsewhere, 0) << "no other text";
}

}  // namespace

TEST(RaceMessagesOnScreen, SoftwareKind) { RaceWithMessages(true); }

TEST(RaceMessagesOnScreen, Direct3DKind) { RaceWithMessages(false); }
