// Whole headless runs of the menu panels and the race banner: the exit
// picture and the window closing, the exit without its picture, the sound
// screen after the first menu frame, and the banner of a real race's place.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "frame/startup.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_items.h"
#include "frontend/menu_panels.h"
#include "frontend/visual_settings.h"
#include "platform/plat_headless.h"
#include "platform/plat_window.h"

namespace {

std::string WriteScript(const std::string& dir, const std::string& text) {
    const std::string path = dir + "/run.txt";
    std::ofstream(path) << text;
    return path;
}

// Main menu, EXIT, then YES: the program shuts down through the exit picture.
const char kExitThenYes[] = "300 point 463 433\n301 click\n340 point 420 400\n341 click\n";

// A second close request while the picture waits ends it at once, although
// a scripted key is still to come.
TEST(ExitScreenRun, TheWindowClosingEndsTheWaitAtOnce) {
    const std::string dir = MakeTestGameFolder("close");
    const std::string script = WriteScript(dir, "900 key down SPACE\n");
    // Two close requests at 6 s: the first shuts down, the second finds the
    // picture waiting.
    PlatHeadlessQueueEvent(6000, WM_CLOSE, 0, 0);
    PlatHeadlessQueueEvent(6000, WM_CLOSE, 0, 0);
    ExitScreenShown = 0;
    EXPECT_EQ(RunHeadlessGame(0, 0, 1, script.c_str()), 0);
    PlatHeadlessClearEvents();
    EXPECT_EQ(ExitScreenShown, 1) << "the picture was shown";
    EXPECT_LT(FramesRun, 500) << "and did not wait for the key of frame 900";
    ExitScreenShown = 0;
}

// The exit picture's name made unfindable in its archive (same length, so
// the archive stays whole): the shutdown shows nothing and does not wait.
TEST(ExitScreenRun, WithoutItsPictureTheExitEndsAtOnce) {
    const std::string dir = MakeTestGameFolder("nopicture");
    const std::string archive = dir + "/data/MENUS.dat";
    std::string bytes = ReadHostFile(archive);
    ASSERT_FALSE(bytes.empty());
    const size_t at = bytes.find("ExitDemo.bmp");
    ASSERT_NE(at, std::string::npos) << "the archive names its files plainly";
    bytes[at + 7] = 'X';
    ASSERT_EQ(bytes.find("ExitDemo.bmp"), std::string::npos);
    std::ofstream(archive, std::ios::binary) << bytes;
    const std::string script = WriteScript(dir, std::string(kExitThenYes) + "900 key down SPACE\n");
    ExitScreenShown = 0;
    EXPECT_EQ(RunHeadlessGame(0, 0, 1, script.c_str()), 0);
    EXPECT_EQ(ExitScreenShown, 0);
    EXPECT_LT(FramesRun, 500) << "nothing waited for the key of frame 900";
}

// The sound levels and the stereo mark of CONFIG\visual.cfg reach screen 7
// from the first menu frame: OPTIONS, then SOUND.
TEST(SoundScreenRun, ShowsTheLevelsAndStereoMarkOfTheVisualFile) {
    const std::string dir = MakeTestGameFolder("sound");
    const std::string path = dir + "/Config/visual.cfg";
    std::string visual = ReadHostFile(path);
    ASSERT_EQ(visual.size(), (size_t)VISUAL_FILE_BYTES);
    // The layout starts both levels at 4 and shows the reversed mark (18).
    visual[VISUAL_EFFECTS_LEVEL] = 2;
    visual[VISUAL_MUSIC_LEVEL] = 3;
    visual[VISUAL_STEREO] = 1;
    std::ofstream(path, std::ios::binary) << visual;
    const std::string script = WriteScript(dir, "200 point 460 97\n201 click\n"
                                                "260 point 460 145\n261 click\n"
                                                "330 expect-screen 7\n");
    ASSERT_EQ(RunHeadlessGame(340, 0, 1, script.c_str()), 0) << "screen 7 was shown";
    EXPECT_EQ(ItemAt(7, 23).value, 2) << "effects level";
    EXPECT_EQ(ItemAt(7, 27).value, 3) << "music level";
    EXPECT_TRUE(ItemAt(7, 19).flags & MENU_SHOWN) << "normal stereo mark";
    EXPECT_FALSE(ItemAt(7, 18).flags & MENU_SHOWN);

    // The other stereo byte gives the other mark.
    visual[VISUAL_STEREO] = 0;
    std::ofstream(path, std::ios::binary) << visual;
    ASSERT_EQ(RunHeadlessGame(340, 0, 1, script.c_str()), 0);
    EXPECT_TRUE(ItemAt(7, 18).flags & MENU_SHOWN) << "reversed stereo mark";
    EXPECT_FALSE(ItemAt(7, 19).flags & MENU_SHOWN);
}

// A one-lap race of four computer-driven cars on the sample track: the
// banner's title is the text of the place car 0 really finished in.
TEST(BannerRun, TheTitleNamesThePlaceTheLocalCarFinishedIn) {
    const std::string dir = MakeTestGameFolder("banner");
    WriteStartScript(dir);
    EXPECT_EQ(RunGameLogged(dir,
                            "--headless --recording-device --debug --autorace --autopilot --cars 4 --laps 1 "
                            "--frames 4000 --script start.txt --carlog cars.log",
                            "run.log"),
              0);
    const int place = PlaceOfCar0(FinishOrder(dir + "/cars.log"));
    ASSERT_GE(place, 1) << "car 0 finished";
    const std::string log = ReadHostFile(dir + "/run.log");
    EXPECT_EQ(BannerSlotIn(log), 1713 + place) << "car 0 came in " << place << "\n" << log;
    EXPECT_EQ(BannerSlotIn(log, log.find("race banner ") + 1), -1) << "one banner a race";
}

}  // namespace
