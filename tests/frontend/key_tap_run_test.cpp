// A key pressed and let go between two frames counts once, as a click does:
// in a whole race of this process, Escape and Down are each tapped inside
// one frame, and the pause menu opens and moves its row.
#include <fstream>
#include <string>

#include "frontend/race_overlays.h"
#include "race_run_util.h"

namespace {

using KeyTapRun = RaceRunTest;

// Both halves of a tap before the same frame: the keyboard, read every
// 33 ms, finds the key up at every read.
std::string TapAt(int frame, const char* key) {
    return std::to_string(frame) + " key down " + key + "\n" + std::to_string(frame) + " key up " + key + "\n";
}

TEST_F(KeyTapRun, AKeyTappedBetweenTwoFramesMovesThePauseMenuRow) {
    const std::string dir = MakeTestGameFolder("keytap");
    const std::string script = dir + "/tap.txt";
    std::ofstream(script) << "2 key down SPACE\n5 key up SPACE\n" + TapAt(300, "ESCAPE") + TapAt(340, "DOWN");
    ASSERT_EQ(RunHeadlessGame(380, 1, 1, script.c_str()), 0);
    EXPECT_EQ(PauseMenuOpen, 1) << "the tapped Escape opened the pause menu";
    EXPECT_EQ(PauseChoice, 1) << "the tapped Down moved its row from RESUME to RESTART";
    PauseMenuOpen = PauseChoice = 0;
    RacePaused = 0;
}

}  // namespace
