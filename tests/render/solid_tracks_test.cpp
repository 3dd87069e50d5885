// The arena and cross tracks are drawn filled and textured on both drawing
// paths, as the speed circuit is: the quick race's screenshot on tracks 51
// and 61 shows no more of the clear colour (black) than track 10's does.
// Wire frame on black, which F9 asks for, leaves nine tenths of it black.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "common/test_game.h"

namespace {

// The share of pure black pixels in a 640 x 480 screenshot; -1 when the
// file is not one.
double BlackShare(const std::string& tgaPath) {
    const std::string tga = ReadHostFile(tgaPath);
    if (tga.size() != 18u + 640 * 480 * 3)
        return -1.0;
    long black = 0;
    for (size_t i = 18; i + 2 < tga.size(); i += 3)
        black += tga[i] == 0 && tga[i + 1] == 0 && tga[i + 2] == 0;
    return (double)black / (640.0 * 480.0);
}

struct Shares {
    double speed, arena, cross;
};

// A quick race of each track, 60 frames in (the fly-by ended by the start
// script's Space, the grid in view), on the folder's drawing path: OpenGL
// on EGL where there is one, not the recording device, which draws nothing.
Shares RaceShots(const std::string& dir) {
    WriteStartScript(dir);
    Shares s = {};
    for (int track : {10, 51, 61}) {
        const std::string args = "--headless --debug --autorace --track " + std::to_string(track) +
                                 " --script start.txt --frames 60 --screenshot";
        EXPECT_EQ(RunGameLogged(dir, args, "run.txt", false), 0) << "track " << track;
        const double share = BlackShare(dir + "/0000.TGA");
        (track == 10 ? s.speed : track == 51 ? s.arena : s.cross) = share;
    }
    return s;
}

void ExpectFilledLikeTheSpeedCircuit(const Shares& s) {
    ASSERT_GE(s.speed, 0.0) << "a screenshot of track 10";
    EXPECT_LT(s.speed, 0.05) << "the speed circuit is drawn over the whole view";
    EXPECT_LE(s.arena, s.speed + 0.02) << "the arena (51) leaves no more black than the speed circuit";
    EXPECT_LE(s.cross, s.speed + 0.02) << "the cross circuit (61) leaves no more black than the speed circuit";
    EXPECT_GE(s.arena, 0.0);
    EXPECT_GE(s.cross, 0.0);
}

}  // namespace

// One folder for both paths: the sample's Direct3D kind first, then the
// software kind that videosetup selects.
TEST(SolidTracks, ArenaAndCrossDrawFilledOnBothPaths) {
    const std::string dir = MakeTestGameFolder("solid", false, {10, 51, 61});
    const Shares direct3d = RaceShots(dir);
    if (ReadHostFile(dir + "/run.txt").find("the recording device stands in") == std::string::npos) {
        SCOPED_TRACE("Direct3D path");
        ExpectFilledLikeTheSpeedCircuit(direct3d);
    }
    ASSERT_EQ(RunBuiltProgram("videosetup", {"--dir", dir, "--software"}, dir), 0);
    SCOPED_TRACE("software path");
    ExpectFilledLikeTheSpeedCircuit(RaceShots(dir));
}
