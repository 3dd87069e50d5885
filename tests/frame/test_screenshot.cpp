// Screenshots (the TGA layout and the 16-bit widening, byte for byte; no
// partial files; the game's own --screenshot and F8), the pixel format,
// the folder-tree delete, MulDiv64 and the other small utilities.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <fstream>
#include <string>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "frame/startup.h"
#include "frame/utils.h"
#include "frontend/frontend_state.h"
#include "platform/plat_file.h"
#include "platform/plat_headless.h"
#include "platform/plat_keys.h"
#include "platform/plat_surface.h"
#include "platform/plat_system.h"
#include "platform/plat_window.h"

namespace {

PlatSurface* Make(int w, int h, int format) {
    PlatSurface* s = nullptr;
    EXPECT_EQ(PlatSurfaceCreate(w, h, format, PLAT_SURF_SYSTEMMEMORY, &s), DD_OK);
    return s;
}

void Put(PlatSurface* s, int x, int y, uint32_t v) {
    const PlatRect r = {x, y, x + 1, y + 1};
    ASSERT_EQ(PlatSurfaceFill(s, &r, v, PLAT_WAIT), DD_OK);
}

bool Exists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values)
        s.push_back((char)v);
    return s;
}

}  // namespace

TEST(Screenshot, SixteenBitPixelsWidenToBlueGreenRed) {
    const std::string dir = MakeTestFolder("tga565");
    PlatSurface* s = Make(4, 2, PLAT_PF_RGB565);
    Put(s, 0, 0, 0xFFFF);
    Put(s, 1, 0, 0x0000);
    Put(s, 2, 0, 0xF800);
    Put(s, 3, 0, 0x07E0);
    Put(s, 0, 1, 0x001F);
    Put(s, 1, 1, 0x8410);   // 16, 32, 16
    Put(s, 2, 1, 0x0821);   // 1, 1, 1
    Put(s, 3, 1, 0x7BEF);   // 15, 31, 15
    const std::string path = dir + "/shot.tga";
    ASSERT_EQ(SaveScreenshotTga(path.c_str(), s), 1);
    const std::string tga = ReadHostFile(path);
    ASSERT_EQ(tga.size(), 18u + 4 * 2 * 3);
    EXPECT_EQ(tga.substr(0, 18), Bytes({0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0, 2, 0, 24, 0x20}));
    EXPECT_EQ(tga.substr(18),
              Bytes({0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0xFF, 0, 0xFF, 0,          // first row
                     0xFF, 0, 0, 0x84, 0x82, 0x84, 0x08, 0x04, 0x08, 0x7B, 0x7D, 0x7B}));
    PlatSurfaceRelease(s);
}

TEST(Screenshot, FiveFiveFiveWidensAllThreeChannelsAlike) {
    const std::string dir = MakeTestFolder("tga555");
    PlatSurface* s = Make(3, 1, PLAT_PF_XRGB1555);
    Put(s, 0, 0, 0x7FFF);
    Put(s, 1, 0, 0x03E0);   // green
    Put(s, 2, 0, 0x4210);   // 16, 16, 16
    const std::string path = dir + "/shot.tga";
    ASSERT_EQ(SaveScreenshotTga(path.c_str(), s), 1);
    EXPECT_EQ(ReadHostFile(path).substr(18), Bytes({0xFF, 0xFF, 0xFF, 0, 0xFF, 0, 0x84, 0x84, 0x84}));
    PlatSurfaceRelease(s);
}

TEST(Screenshot, ThirtyTwoBitRowsAreWrittenAsTheyAre) {
    const std::string dir = MakeTestFolder("tga32");
    PlatSurface* s = Make(2, 1, PLAT_PF_XRGB8888);
    Put(s, 0, 0, 0x00112233);
    Put(s, 1, 0, 0x00445566);
    const std::string path = dir + "/shot.tga";
    ASSERT_EQ(SaveScreenshotTga(path.c_str(), s), 1);
    const std::string tga = ReadHostFile(path);
    EXPECT_EQ((unsigned char)tga[16], 32);
    EXPECT_EQ(tga.substr(18), Bytes({0x33, 0x22, 0x11, 0, 0x66, 0x55, 0x44, 0}));
    PlatSurfaceRelease(s);
}

TEST(Screenshot, AFrameOf640By480IsTheHeaderAndThreeBytesAPixel) {
    const std::string dir = MakeTestFolder("tga640");
    PlatSurface* s = Make(640, 480, PLAT_PF_RGB565);
    const std::string path = dir + "/0000.TGA";
    ASSERT_EQ(SaveScreenshotTga(path.c_str(), s), 1);
    EXPECT_EQ(ReadHostFile(path).size(), 18u + 640u * 480u * 3u);
    PlatSurfaceRelease(s);
}

TEST(Screenshot, AFailedScreenshotLeavesNoFile) {
    const std::string dir = MakeTestFolder("tgafail");
    PlatSurface* s = Make(8, 8, PLAT_PF_RGB565);
    const std::string missingFolder = dir + "/no/such/folder/0000.TGA";
    EXPECT_EQ(SaveScreenshotTga(missingFolder.c_str(), s), 0);
    EXPECT_FALSE(Exists(dir + "/no"));

    void* bits = nullptr;
    ASSERT_EQ(PlatSurfaceLock(s, nullptr, 0, &bits, nullptr), DD_OK);
    const std::string path = dir + "/locked.tga";
    EXPECT_EQ(SaveScreenshotTga(path.c_str(), s), 0);   // the surface cannot be locked again
    EXPECT_FALSE(Exists(path));
    PlatSurfaceUnlock(s);

    // A screenshot over a file that cannot be replaced keeps the old one.
    if (getuid() != 0) {
        const std::string sealed = dir + "/sealed";
        mkdir(sealed.c_str(), 0755);
        std::ofstream(sealed + "/0001.TGA") << "old";
        chmod(sealed.c_str(), 0555);
        EXPECT_EQ(SaveScreenshotTga((sealed + "/0001.TGA").c_str(), s), 0);
        EXPECT_EQ(ReadHostFile(sealed + "/0001.TGA"), "old");
        chmod(sealed.c_str(), 0755);
    }
    PlatSurfaceRelease(s);
}

TEST(Screenshot, TheGameWritesItsLastFrameAndF8Shots) {
    const std::string dir = MakeTestGameFolder("shots");
    CommandLine = {};
    CommandLine.headless = 1;
    CommandLine.frames = 40;
    CommandLine.screenshot = 1;
    PlatHeadlessSetLockstep(1);
    ASSERT_TRUE(PlatInit(PLAT_BACKEND_HEADLESS));
    ScreenshotsEnabled = 1;
    PlatHeadlessQueueEvent(200, WM_KEYDOWN, VK_F8, 0);
    EXPECT_EQ(WinMain(), 0);
    PlatShutdown();
    // F8 during the run took 0000; the last frame's shot is 0001.
    EXPECT_EQ(ReadHostFile(dir + "/0000.TGA").size(), 921618u);
    const std::string last = ReadHostFile(dir + "/0001.TGA");
    ASSERT_EQ(last.size(), 921618u);
    EXPECT_EQ((unsigned char)last[16], 24);
    EXPECT_FALSE(Exists(dir + "/0002.TGA"));
}

TEST(PixelFormat, MaskBitsAreCountedFromBitZeroUpwards) {
    PlatSurface* s565 = Make(1, 1, PLAT_PF_RGB565);
    PlatSurface* s555 = Make(1, 1, PLAT_PF_XRGB1555);
    PlatSurface* s32 = Make(1, 1, PLAT_PF_XRGB8888);
    ASSERT_EQ(ReadPixelFormat(s565), 1);
    EXPECT_EQ(PixelBitCount, 16);
    EXPECT_EQ(BlueMaskBits, 5);
    EXPECT_EQ(GreenMaskBits, 6);
    EXPECT_EQ(RedMaskBits, 5);
    ASSERT_EQ(ReadPixelFormat(s555), 1);
    EXPECT_EQ(GreenMaskBits, 5);
    EXPECT_EQ(RedMaskBits, 5);
    ASSERT_EQ(ReadPixelFormat(s32), 1);
    EXPECT_EQ(PixelBitCount, 32);
    EXPECT_EQ(GreenMaskBits, 8);
    EXPECT_EQ(ReadPixelFormat(nullptr), 0);
    EXPECT_EQ(PixelBitCount, 0);
    EXPECT_EQ(GreenMaskBits, 0);
    PlatSurfaceRelease(s565);
    PlatSurfaceRelease(s555);
    PlatSurfaceRelease(s32);
}

TEST(Utilities, MulDiv64KeepsTheWholeProduct) {
    EXPECT_EQ(MulDiv64(100000, 100000, 7), 1428571428);
    EXPECT_EQ(MulDiv64(-7, 1, 2), -3);   // toward zero
    EXPECT_EQ(MulDiv64(7, -1, 2), -3);
    EXPECT_EQ(MulDiv64(123, 456, 0), 0);
    EXPECT_EQ(MulDiv64(INT_MAX, INT_MAX, 1), INT_MAX);
    EXPECT_EQ(MulDiv64(INT_MIN, INT_MAX, 1), INT_MIN);
    EXPECT_EQ(MulDiv64(INT_MIN, -1, -1), INT_MIN);
}

TEST(Utilities, FloatToIntRoundsToNearestEven) {
    int v = 0;
    FloatToInt(&v, 2.5f);
    EXPECT_EQ(v, 2);
    FloatToInt(&v, 3.5f);
    EXPECT_EQ(v, 4);
    FloatToInt(&v, -1.6f);
    EXPECT_EQ(v, -2);
}

TEST(Utilities, WorkBuffersAreMadeOnceAndFreed) {
    AllocWorkBuffers();
    ASSERT_TRUE(WorkBuffersAllocated);
    unsigned char* texels = SoftTexels;
    ASSERT_NE(texels, nullptr);
    ASSERT_NE(ScanlineRows, nullptr);
    texels[WORK_BUFFER_BYTES - 1] = 1;
    DarkenTableWeak[65535] = 0xFFFF;
    ScanlineRows[SCANLINE_TABLE_ENTRIES - 1] = texels;
    AllocWorkBuffers();
    EXPECT_EQ(SoftTexels, texels);
    FreeWorkBuffers();
    EXPECT_EQ(SoftTexels, nullptr);
    EXPECT_EQ(DepthRows, nullptr);
    EXPECT_FALSE(WorkBuffersAllocated);
}

TEST(DeleteTree, DeletesEverythingBelowAndTheFolder) {
    const std::string dir = MakeTestFolder("tree");
    const std::string root = dir + "/Profile";
    mkdir(root.c_str(), 0755);
    mkdir((root + "/Sub").c_str(), 0755);
    mkdir((root + "/Sub/Deeper").c_str(), 0755);
    std::ofstream(root + "/a.rb") << "x";
    std::ofstream(root + "/Sub/b.rb") << "y";
    std::ofstream(root + "/Sub/Deeper/c.rb") << "z";
    ASSERT_TRUE(PlatSetCurrentDir(dir.c_str()));
    EXPECT_EQ(DeleteDirectoryTree("PROFILE"), 1);   // any letter case
    EXPECT_FALSE(Exists(root));
    EXPECT_EQ(DeleteDirectoryTree("Profile"), 0);   // nothing to enter
}

TEST(DeleteTree, LinksAreDeletedNeverFollowed) {
    const std::string dir = MakeTestFolder("links");
    const std::string keep = dir + "/Keep";
    mkdir(keep.c_str(), 0755);
    std::ofstream(keep + "/precious.dat") << "keep me";
    const std::string root = dir + "/Victim";
    mkdir(root.c_str(), 0755);
    ASSERT_EQ(symlink(keep.c_str(), (root + "/link").c_str()), 0);
    ASSERT_TRUE(PlatSetCurrentDir(dir.c_str()));
    EXPECT_EQ(DeleteDirectoryTree("Victim"), 1);
    EXPECT_FALSE(Exists(root));
    EXPECT_EQ(ReadHostFile(keep + "/precious.dat"), "keep me");
    // A link given as the tree itself is not entered either.
    ASSERT_EQ(symlink(keep.c_str(), (dir + "/Alias").c_str()), 0);
    EXPECT_EQ(DeleteDirectoryTree("Alias"), 0);
    EXPECT_TRUE(Exists(keep + "/precious.dat"));
}

TEST(DeleteTree, AFolderThatCannotBeEmptiedIsKept) {
    const std::string dir = MakeTestFolder("stuck");
    const std::string root = dir + "/Stuck";
    mkdir(root.c_str(), 0755);
    mkdir((root + "/.hidden").c_str(), 0755);   // dot folders are not entered
    std::ofstream(root + "/a.rb") << "x";
    ASSERT_TRUE(PlatSetCurrentDir(dir.c_str()));
    EXPECT_EQ(DeleteDirectoryTree("Stuck"), 0);
    EXPECT_TRUE(Exists(root + "/.hidden"));
    EXPECT_FALSE(Exists(root + "/a.rb"));   // what could go, went
}
