// Start-up: the display configuration and the set-up program, the language,
// the single instance, and a whole headless run.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>

#include "common/test_game.h"
#include "frame/fileio.h"
#include "frame/frame_state.h"
#include "frame/input.h"
#include "frame/startup.h"
#include "frame/window_proc.h"
#include "frontend/text_slots.h"
#include "platform/plat_file.h"
#include "platform/plat_headless.h"
#include "platform/plat_process.h"
#include "platform/plat_system.h"
#include "platform/plat_window.h"

namespace {

void WriteHost(const std::string& path, const void* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write((const char*)data, (std::streamsize)size);
}

TEST(Startup, HeadlessRunOfThreeHundredFramesEndsNormally) {
    MakeTestGameFolder("game");
    EXPECT_EQ(RunHeadlessGame(300, 1), 0);
    EXPECT_EQ(FramesRun, 300);
    EXPECT_EQ(PlatHeadlessMessageBoxCount(), 0);
    EXPECT_EQ(FrontEndActive, 0) << "the quick race was running at the end";
}

TEST(Startup, MissingDisplayConfigRunsTheSetupProgramOnceAndGoesOn) {
    const std::string dir = MakeTestGameFolder("game");
    ASSERT_TRUE(PlatDeleteFile("Config\\Vondel.cfg"));
    EXPECT_EQ(RunHeadlessGame(20, 0), 0);
    EXPECT_EQ(PlatHeadlessMessageBoxCount(), 0);
    EXPECT_EQ(PlatFileSize("Config\\Vondel.cfg"), 24);
    EXPECT_EQ(DisplayConfig.width, 640);
    EXPECT_EQ(DisplayConfig.height, 480);
    EXPECT_EQ(FramesRun, 20);
}

TEST(Startup, NoConfigurationAndNoSetupProgramShowsTheMessageAndStops) {
    const std::string dir = MakeTestGameFolder("game");
    ASSERT_TRUE(PlatDeleteFile("Config\\Vondel.cfg"));
    ASSERT_TRUE(PlatDeleteFile("videosetup"));
    EXPECT_EQ(RunHeadlessGame(20, 0), 0);
    ASSERT_EQ(PlatHeadlessMessageBoxCount(), 2);
    EXPECT_STREQ(PlatHeadlessMessageBoxCaption(0), "Error");
    EXPECT_STREQ(PlatHeadlessMessageBoxText(0), "Program not found.\nCheck CDROM.");
    EXPECT_STREQ(PlatHeadlessMessageBoxCaption(1), "ERROR");
    GetText(21);
    EXPECT_GT(strlen(TextBufferB), 0u);
    EXPECT_STREQ(PlatHeadlessMessageBoxText(1), TextBufferB) << "the box says what is wrong";
    EXPECT_EQ(FramesRun, 0);
    EXPECT_EQ(MainWindow, 0) << "no window was opened";
}

TEST(Startup, ShortDisplayConfigIsUnreadable) {
    const std::string dir = MakeTestGameFolder("game");
    const int32_t half[3] = {800, 600, 16};
    WriteHost(dir + "/Config/Vondel.cfg", half, sizeof half);
    EXPECT_EQ(ReadDisplayConfig(), 0);
    ASSERT_TRUE(PlatDeleteFile("videosetup"));
    EXPECT_EQ(RunHeadlessGame(5, 0), 0);
    EXPECT_EQ(FramesRun, 0);
}

TEST(Startup, DisplayKindOtherThanZeroOrOneMeansDirect3D) {
    const std::string dir = MakeTestGameFolder("game");
    DisplayConfigRecord config = {640, 480, 16, 0, 0, 7};
    WriteHost(dir + "/Config/Vondel.cfg", &config, sizeof config);
    EXPECT_EQ(RunHeadlessGame(3, 0), 0);
    EXPECT_EQ(DisplayConfig.displayKind, 1);
    EXPECT_EQ(RenderKind, 1);
}

TEST(Startup, SoftwareKindRunsOnDriverZeroAtSixteenBits) {
    const std::string dir = MakeTestGameFolder("game");
    DisplayConfigRecord config = {640, 480, 32, 3, 0, 0};
    WriteHost(dir + "/Config/Vondel.cfg", &config, sizeof config);
    EXPECT_EQ(RunHeadlessGame(3, 0), 0);
    EXPECT_EQ(RenderKind, 0);
    EXPECT_EQ(DisplayConfig.driverIndex, 0);
    EXPECT_EQ(DisplayConfig.bitDepth, 16);
}

TEST(Startup, LanguageComesFromTheIniAndDefaultsToEnglish) {
    const std::string dir = MakeTestGameFolder("game");
    EXPECT_STREQ(SelectLanguage()->name, "english");
    const std::string german = "[Main]\r\nlanguage=deutsch\r\n";
    WriteHost(dir + "/Config/vondel.ini", german.data(), german.size());
    EXPECT_STREQ(SelectLanguage()->messageFile, "menus\\mensaje3.txt");
    EXPECT_EQ(SelectLanguage()->languageNumber, 3);
    const std::string capital = "[MAIN]\r\nLanguage=Spanish\r\n";
    WriteHost(dir + "/Config/vondel.ini", capital.data(), capital.size());
    EXPECT_STREQ(SelectLanguage()->name, "english") << "the value compares with its case";
    PlatDeleteFile("config\\vondel.ini");
    EXPECT_STREQ(SelectLanguage()->name, "english");
}

TEST(Startup, DirectXCheckLeavesItsMarker) {
    MakeTestGameFolder("game");
    PlatDeleteFile("Config\\dx.dat");
    EXPECT_EQ(CheckDirectX(), 1);
    EXPECT_EQ(PlatFileSize("config\\DX.DAT"), 2);
    EXPECT_EQ(CheckDirectX(), 1);
}

TEST(Startup, ASecondInstanceExitsWithCodeOne) {
    const std::string dir = MakeTestGameFolder("game");
    ASSERT_EQ(PlatInstanceAcquire(), 1);
    EXPECT_EQ(RunBuiltProgram("quorvix", {"--headless", "--frames", "5"}, dir), 1);
    PlatInstanceRelease();
    EXPECT_EQ(RunBuiltProgram("quorvix", {"--headless", "--frames", "5"}, dir), 0);
}

// The first game is minimised and inactive, so its loop waits in the
// message queue: a second start must still bring it back.
TEST(Startup, ASecondInstanceRestoresAMinimisedInactiveGame) {
    const std::string dir = MakeTestGameFolder("game");
    ASSERT_TRUE(PlatInit(PLAT_BACKEND_HEADLESS));
    ASSERT_EQ(PlatInstanceAcquire(), 1);
    ASSERT_TRUE(PlatCreateWindow("Quorvix", MainWindowProc));
    PlatMsg msg;
    while (PlatPeekMessage(&msg))
        PlatDispatchMessage(&msg);
    ASSERT_EQ(AppActive, 1);
    PlatHeadlessSetMinimised(1);
    PlatSendMessage(WM_ACTIVATE, 0, 0);
    ASSERT_EQ(AppActive, 0);

    EXPECT_EQ(RunBuiltProgram("quorvix", {"--headless", "--frames", "5"}, dir), 1);
    ASSERT_EQ(PlatGetMessage(&msg), 1);
    EXPECT_EQ(msg.message, WM_ACTIVATE) << "the waiting queue woke for the request";
    EXPECT_EQ(msg.wParam & 0xFFFF, 1u);
    PlatDispatchMessage(&msg);
    EXPECT_EQ(AppActive, 1);
    EXPECT_EQ(PlatWindowIsMinimised(), 0);

    PlatDestroyWindow();
    KeyboardRelease();
    PlatInstanceRelease();
    PlatShutdown();
}

// "Program not found" is for a set-up program that cannot be started; one
// that starts and then dies is not missing.
TEST(Startup, ASetupProgramThatDiesIsNotReportedMissing) {
    const std::string dir = MakeTestGameFolder("game");
    ASSERT_TRUE(PlatInit(PLAT_BACKEND_HEADLESS));
    const std::string program = dir + "/videosetup";
    std::ofstream(program, std::ios::trunc) << "#!/bin/sh\nkill -9 $$\n";
    ASSERT_EQ(chmod(program.c_str(), 0755), 0);
    RunSetupProgram(0);
    EXPECT_EQ(PlatHeadlessMessageBoxCount(), 0);
    ASSERT_TRUE(PlatDeleteFile("videosetup"));
    RunSetupProgram(0);
    ASSERT_EQ(PlatHeadlessMessageBoxCount(), 1);
    EXPECT_STREQ(PlatHeadlessMessageBoxText(0), "Program not found.\nCheck CDROM.");
    PlatShutdown();
}

TEST(Startup, TheProgramRunsHeadlessFromItsFolder) {
    const std::string dir = MakeTestGameFolder("game");
    EXPECT_EQ(RunBuiltProgram("quorvix", {"--headless", "--autorace", "--frames", "300"}, dir), 0);
    EXPECT_EQ(RunBuiltProgram("quorvix", {"--bogus"}, dir), 2);
}

}  // namespace
