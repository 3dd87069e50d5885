// The intro video player on the headless display: what is shown and heard,
// on the manual clock; keys and close requests; missing and bad files; the
// forced display re-creation and --intro at start-up.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "common/test_game.h"
#include "frame/display.h"
#include "frame/frame_state.h"
#include "frame/framework.h"
#include "frame/startup.h"
#include "frame/video.h"
#include "mkdata_video.h"
#include "race/race_state.h"
#include "render/surfaces2d.h"
#include "platform/plat_clock.h"
#include "platform/plat_display.h"
#include "platform/plat_file.h"
#include "platform/plat_headless.h"
#include "platform/plat_keys.h"
#include "platform/plat_mixer.h"
#include "platform/plat_process.h"
#include "platform/plat_surface.h"
#include "platform/plat_system.h"
#include "platform/plat_window.h"

namespace {

// What the player showed and played, one entry per picture.
struct Shown {
    int video;    // the sample video whose colour the picture has, -1 none
    int width, height, format;
};
std::vector<Shown> shown;
std::vector<int16_t> heard;   // stereo frames mixed before each picture

int WhichSample(int r, int g, int b) {
    for (int i = 0; i < 3; i++) {
        const MkSampleVideo& v = MkSampleVideos[i];
        if (abs(r - v.red) <= 24 && abs(g - v.green) <= 24 && abs(b - v.blue) <= 24)
            return i;
    }
    return -1;
}

// Reads the picture below the bar's rows, and the 40 ms of sound that belong
// to it from the manual mixer.
void WatchPicture(PlatSurface* back) {
    Shown s = {-1, PlatSurfaceWidth(back), PlatSurfaceHeight(back), PlatSurfaceFormat(back)};
    void* bits = nullptr;
    int pitch = 0;
    if (PlatSurfaceLock(back, nullptr, PLAT_WAIT | PLAT_LOCK_READONLY, &bits, &pitch) == DD_OK) {
        const int bytes = PlatPixelFormatBytes(s.format);
        uint32_t pixel = 0;
        memcpy(&pixel, (uint8_t*)bits + (s.height * 3 / 4) * pitch + (s.width / 2) * bytes, (size_t)bytes);
        PlatSurfaceUnlock(back);
        int r, g, b, a;
        PlatRgbFromPixel(s.format, pixel, &r, &g, &b, &a);
        s.video = WhichSample(r, g, b);
    }
    shown.push_back(s);
    // The manual clock mixed the time up to this picture as the player
    // waited for it; the mix tap keeps it.  A session opened since the last
    // picture has mixed less: silence before it.
    int16_t block[882 * 2] = {}, mixed[882 * 2];
    const int got = PlatMixerTapRead(PLAT_MIXER_TAP_MIX, mixed, 882);
    memcpy(block + (882 - got) * 2, mixed, (size_t)got * 4);
    heard.insert(heard.end(), block, block + 882 * 2);
}

// Runs of equal pictures: (video, count).
std::vector<std::pair<int, int>> Runs() {
    std::vector<std::pair<int, int>> runs;
    for (const Shown& s : shown) {
        if (runs.empty() || runs.back().first != s.video)
            runs.push_back({s.video, 0});
        runs.back().second++;
    }
    return runs;
}

double PitchHz(const std::vector<int16_t>& frames, size_t first, size_t count) {
    int start = -1, last = -1, crossings = 0;
    for (size_t i = first + 1; i < first + count && i * 2 < frames.size(); i++) {
        if (frames[(i - 1) * 2] < 0 && frames[i * 2] >= 0) {
            if (start < 0)
                start = (int)i;
            last = (int)i;
            crossings++;
        }
    }
    return crossings > 1 ? (double)(crossings - 1) * 22050 / (last - start) : 0.0;
}

std::vector<int> PendingMessages() {
    std::vector<int> messages;
    PlatMsg msg;
    while (PlatPeekMessage(&msg))
        messages.push_back(msg.message);
    return messages;
}

struct VideoPlayer : ::testing::Test {
    std::string dir;

    // The Direct3D kind's framework in the given mode, as the display
    // configuration names it.
    static void StartFramework(int width, int height, int depth) {
        DisplayConfig = {width, height, depth, 0, 0, 1};
        WantedWidth = width;
        WantedHeight = height;
        WantedDepth = depth;
        RenderKind = 1;
        ASSERT_EQ(EnumerateDrivers(ConfirmDevice), 0);
        ASSERT_EQ(CreateFramework(1), 0);
    }
    static void ExpectTarget640x480x16() {
        PlatSurface* target = FrameworkRenderTarget();
        ASSERT_NE(target, nullptr);
        EXPECT_EQ(PlatSurfaceWidth(target), 640);
        EXPECT_EQ(PlatSurfaceHeight(target), 480);
        EXPECT_EQ(PlatPixelFormatBytes(PlatSurfaceFormat(target)), 2);
    }

    void SetUp() override {
        PlatHeadlessSetLockstep(1);
        ASSERT_TRUE(PlatInit(PLAT_BACKEND_HEADLESS));
        // Only the videos: the player reads nothing else.
        dir = MakeTestFolder("game");
        ASSERT_TRUE(PlatSetCurrentDir(dir.c_str()));
        ASSERT_TRUE(PlatMakeDir("Video"));
        for (const MkSampleVideo& video : MkSampleVideos) {
            std::vector<uint8_t> bytes;
            ASSERT_TRUE(MkEncodeSampleVideo(video, &bytes));
            ASSERT_TRUE(PlatWriteFileAtomic(video.gamePath, bytes.data(), bytes.size()));
        }
        DesktopRect = {0, 0, 640, 480};
        CdDriveLetter = 0;
        VideoSkipped = 0;
        VideoLargeMode = 0;
        ForceDisplayRecreate = 0;
        shown.clear();
        heard.clear();
        VideoPictureShownHook = WatchPicture;
        PlatMixerTapsOn(1);
    }
    void TearDown() override {
        VideoPictureShownHook = nullptr;
        PlatMixerTapsOn(0);
        ReleaseFramework();
        FreeDriverList();
        PlatMixerClose();
        PlatHeadlessClearEvents();
        PlatDisplaySet16BitFormat(PLAT_PF_RGB565);
        PlatSetDebugOutput(0);
        PlatShutdown();
    }

    // The game's own session, as start-up leaves it: every channel silent.
    static void OpenGameSession() {
        ASSERT_TRUE(PlatMixerOpen(PLAT_MIXER_RATE, PLAT_MIXER_MAX_CHANNELS));
        PlatMixerOpenChannel(23);
        PlatMixerSetVolume(PLAT_MIXER_ALL_CHANNELS, 0);
    }
};

}  // namespace

TEST_F(VideoPlayer, VideoZeroShowsTwoSecondsOfGlimmerfaxWithItsToneOnChannel23) {
    OpenGameSession();
    const uint32_t start = PlatTimeMs();
    const int presents = PlatDisplayPresentCount();
    VideoHook(0);

    ASSERT_EQ(Runs().size(), 1u);
    EXPECT_EQ(Runs()[0].first, 0) << "Glimmerfax's colour";
    EXPECT_NEAR(Runs()[0].second, 50, 2);
    EXPECT_EQ(PlatDisplayPresentCount() - presents, (int)shown.size()) << "one flip a picture";
    EXPECT_EQ(shown[0].width, 320);
    EXPECT_EQ(shown[0].height, 240);
    EXPECT_EQ(VideoLargeMode, 0);
    EXPECT_NEAR(PitchHz(heard, 0, heard.size() / 2), 440.0, 5.0);
    EXPECT_EQ(PlatTimeMs() - start, 2000u) << "25 pictures a second on the manual clock";
    EXPECT_EQ(VideoSkipped, 0);

    // The game's session stays, its music channel as it was.
    EXPECT_TRUE(PlatMixerIsOpen());
    EXPECT_EQ(PlatMixerGetVolume(23), 0);
    EXPECT_TRUE(PlatMixerIsDone(23));
}

TEST_F(VideoPlayer, EscapeSpaceOrEnterHalfASecondInCutsTheVideoShort) {
    for (int key : {VK_ESCAPE, VK_SPACE, VK_RETURN}) {
        shown.clear();
        VideoSkipped = 0;
        const uint32_t start = PlatTimeMs();
        PlatHeadlessQueueEvent(start + 500, WM_KEYDOWN, (uintptr_t)key, 0);
        VideoHook(0);
        EXPECT_EQ(VideoSkipped, 1) << key;
        EXPECT_NEAR((double)shown.size(), 14.0, 1.0) << key;
        EXPECT_LT(PlatTimeMs() - start, 600u) << key;
        // The key was the video's: it does not reach the window afterwards.
        for (int message : PendingMessages())
            EXPECT_NE(message, WM_KEYDOWN) << key;
        PlatHeadlessQueueEvent(PlatTimeMs(), WM_KEYUP, (uintptr_t)key, 0);
        PendingMessages();
    }
}

TEST_F(VideoPlayer, TheThreePlayInOrderInA555ModeWithASessionOfTheirOwn) {
    PlatDisplaySet16BitFormat(PLAT_PF_XRGB1555);
    ASSERT_FALSE(PlatMixerIsOpen());
    ForceDisplayRecreate = 1;
    const uint32_t start = PlatTimeMs();
    VideoHook(3);

    const auto runs = Runs();
    ASSERT_EQ(runs.size(), 3u);
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(runs[i].first, i);
        EXPECT_NEAR(runs[i].second, 50, 2);
    }
    EXPECT_EQ(shown[0].format, PLAT_PF_XRGB1555);
    EXPECT_EQ(PlatTimeMs() - start, 6000u);
    ASSERT_EQ(heard.size(), shown.size() * 882 * 2);
    // Each video's tone away from the hand-overs, where one session closes
    // and the next opens.
    const size_t perVideo = (size_t)runs[0].second * 882, edge = 5 * 882;
    EXPECT_NEAR(PitchHz(heard, edge, perVideo - 2 * edge), 440.0, 5.0);
    EXPECT_NEAR(PitchHz(heard, perVideo + edge, perVideo - 2 * edge), 660.0, 5.0);
    EXPECT_NEAR(PitchHz(heard, 2 * perVideo + edge, perVideo - 2 * edge), 880.0, 5.0);
    EXPECT_FALSE(PlatMixerIsOpen()) << "the player closed the session it opened";
    EXPECT_EQ(ForceDisplayRecreate, 0);
}

TEST_F(VideoPlayer, MissingShortAndPicturelessFilesEndTheirVideoWithADebugLine) {
    // Glimmerfax without pictures, tavrin missing, intro cut to a third.
    std::vector<uint8_t> bytes;
    MkVideoShape soundOnly;
    soundOnly.pictures = false;
    ASSERT_TRUE(MkEncodeSampleVideo(MkSampleVideos[0], &bytes, soundOnly));
    ASSERT_TRUE(PlatWriteFileAtomic("Video\\Glimmerfax.mpg", bytes.data(), bytes.size()));
    ASSERT_TRUE(PlatDeleteFile("Video\\tavrin.mpg"));
    ASSERT_TRUE(MkEncodeSampleVideo(MkSampleVideos[2], &bytes));
    ASSERT_TRUE(PlatWriteFileAtomic("Video\\intro.mpg", bytes.data(), bytes.size() / 3));

    PlatSetDebugOutput(1);
    ::testing::internal::CaptureStderr();
    VideoHook(3);
    const std::string debug = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(debug.find("Video: Video\\Glimmerfax.mpg: the stream holds no MPEG pictures"), std::string::npos)
        << debug;
    EXPECT_NE(debug.find("Video: Video\\tavrin.mpg: the file is missing"), std::string::npos) << debug;

    // Only the short intro shows (its last picture may be half decoded).
    const auto runs = Runs();
    ASSERT_FALSE(runs.empty());
    EXPECT_EQ(runs[0].first, 2);
    EXPECT_GT(runs[0].second, 10);
    EXPECT_LT(shown.size(), 50u);
    for (const Shown& s : shown)
        EXPECT_NE(s.video, 0);

    // A missing video alone shows nothing at all.
    shown.clear();
    const int presents = PlatDisplayPresentCount();
    VideoHook(1);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(PlatDisplayPresentCount(), presents);
    VideoHook(4);   // no such video
    EXPECT_TRUE(shown.empty());
}

TEST_F(VideoPlayer, ACloseRequestStopsThePlayerAndIsLeftForTheMessageLoop) {
    PlatHeadlessQueueEvent(PlatTimeMs() + 300, WM_CLOSE, 0, 0);
    VideoHook(3);
    const auto runs = Runs();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].first, 0);
    EXPECT_NEAR(runs[0].second, 9, 1) << "no other video after the close";
    EXPECT_EQ(VideoSkipped, 0);
    const std::vector<int> pending = PendingMessages();
    EXPECT_EQ(std::count(pending.begin(), pending.end(), (int)WM_CLOSE), 1);
}

TEST_F(VideoPlayer, AForcedRecreationPlaysTheRequestedVideoBetweenTheFrameworks) {
    ASSERT_NO_FATAL_FAILURE(StartFramework(640, 480, 16));

    VideoRequest = 2;
    ForceDisplayRecreate = 1;
    ASSERT_EQ(RecreateDisplay(0), 1);
    const auto runs = Runs();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].first, 2) << "intro.mpg";
    EXPECT_NEAR(runs[0].second, 50, 2);
    EXPECT_EQ(ForceDisplayRecreate, 0);
    ExpectTarget640x480x16();

    // A plain mode change plays nothing.
    shown.clear();
    WantedWidth = 800;
    WantedHeight = 600;
    ASSERT_EQ(RecreateDisplay(0), 1);
    EXPECT_TRUE(shown.empty());
}

TEST_F(VideoPlayer, ReinitialisingTheMenusPlaysTheRequestedVideoAndComesBackAt640x480x16) {
    // The special profile names ask for a video this way: VideoRequest 2
    // for intro.mpg, then the display and menus re-created (which reload the
    // menus' sounds and pictures: a whole game folder).
    dir = MakeTestGameFolder("menus");
    ASSERT_NO_FATAL_FAILURE(StartFramework(800, 600, 32));
    VideoSkipped = 1;
    VideoRequest = 2;
    ReinitDisplayAndMenus();
    const auto runs = Runs();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].first, 2) << "intro.mpg";
    EXPECT_NEAR(runs[0].second, 50, 2);
    EXPECT_EQ(VideoSkipped, 0) << "played whole";
    ExpectTarget640x480x16();
    EXPECT_EQ(SceneReady, 1);
    EXPECT_EQ(RacePaused, 0);
    // The menus' pictures and the race panel's surfaces are the game's until
    // it ends; here the test ends first, so it frees them, as a later test
    // counting live surfaces expects none left over.
    FreeHudSurfaces();
    FreeMenuGfxCache();
    FreePreloadedMenuGfx();
    ReleaseFramework();
    EXPECT_EQ(PlatSurfaceLiveCount(), 0);
}

TEST_F(VideoPlayer, IntroAtStartUpPlaysTheThreeThenTheGameRuns) {
    PlatShutdown();
    dir = MakeTestGameFolder("whole");
    CommandLine = {};
    CommandLine.headless = 1;
    CommandLine.frames = 10;
    CommandLine.intro = 1;
    ASSERT_TRUE(PlatInit(PLAT_BACKEND_HEADLESS));
    EXPECT_EQ(WinMain(), 0);
    EXPECT_EQ(FramesRun, 10);
    const auto runs = Runs();
    ASSERT_EQ(runs.size(), 3u);
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(runs[i].first, i);
        EXPECT_NEAR(runs[i].second, 50, 2);
    }
    EXPECT_EQ(PlatHeadlessMessageBoxCount(), 0);

    // The program itself, from its folder; without --intro nothing plays.
    PlatInstanceRelease();
    EXPECT_EQ(RunBuiltProgram("quorvix", {"--intro", "--headless", "--frames", "10"}, dir), 0);
    shown.clear();
    EXPECT_EQ(RunHeadlessGame(10, 0), 0);
    EXPECT_TRUE(shown.empty());
}
