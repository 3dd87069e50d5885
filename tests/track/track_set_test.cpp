// Every track a race can start on: each code's loop passes the track check,
// and the check's group rules catch a jump without its zone, an arena prop
// over a hole and a grid off the road.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "common/test_game.h"
#include "mkdata_track.h"
#include "track/asset_paths.h"
#include "track_checks.h"

namespace {

std::string Failures(const TrackCheckReport& report) {
    std::string text;
    for (const std::string& line : report.failures)
        text += line + "\n";
    return text;
}

int Mentions(const TrackCheckReport& report, const char* text) {
    int count = 0;
    for (const std::string& line : report.failures)
        count += line.find(text) != std::string::npos;
    return count;
}

// The loop of `params` alone in a folder, checked as track `code`.
TrackCheckReport Checked(const MkCircuitParams& params, int code, const char* tag) {
    const std::string dir = MakeTestFolder(tag);
    EXPECT_TRUE(MkMakeCircuitFolder(dir, params)) << code;
    TrackCheckReport report;
    RunTrackCheck(dir.c_str(), code, report);
    return report;
}

}  // namespace

TEST(TrackSet, EveryCodeALoopOfItsOwnPasses) {
    for (int code : RaceTrackCodes) {
        const TrackCheckReport report = Checked(MkTrackParams(code), code, "code");
        EXPECT_TRUE(report.failures.empty()) << code << "\n" << Failures(report);
    }
}

TEST(TrackSet, AJumpWithoutItsZoneFails) {
    MkCircuitParams params = MkTrackParams(41);
    params.lipZ = 0.0f;   // no ramp, no CAJA_SALTO
    const TrackCheckReport report = Checked(params, 41, "nojump");
    EXPECT_EQ(Mentions(report, "no CAJA_SALTO zone"), 1) << Failures(report);
}

TEST(TrackSet, AnArenaPropOverAHoleFails) {
    MkCircuitParams params = MkTrackParams(51);
    // The floor ends at z 84,000: variant 1's last target, at (33,605,
    // 84,676) beside the course's top bend, stands over nothing.
    params.floorZ1 = 84000.0f;
    const TrackCheckReport report = Checked(params, 51, "hole");
    EXPECT_EQ(Mentions(report, "slalom prop 41 "), 1) << Failures(report);
    EXPECT_EQ(Mentions(report, "slalom prop 40 "), 0) << Failures(report);
}

TEST(TrackSet, AGridOffTheRoadFails) {
    MkCircuitParams params = MkTrackParams(21);
    // The loop moved sideways: the grid's places stand on the verge.
    params.gridX += 4000.0f * std::cos(params.heading);
    params.gridZ -= 4000.0f * std::sin(params.heading);
    const TrackCheckReport report = Checked(params, 21, "offroad");
    EXPECT_GE(Mentions(report, "grid place"), 1) << Failures(report);
}

TEST(TrackSet, AGridFacingAcrossItsRoadFails) {
    MkCircuitParams params = MkTrackParams(70);
    params = MkReversed(params, 0, params.gridX, params.gridZ, params.finishAhead);
    const TrackCheckReport report = Checked(params, 70, "backwards");
    EXPECT_GE(Mentions(report, "degrees off line 3"), 1) << Failures(report);
}

// The sprint's guide line laid evenly round its loop, as a plain circuit's:
// point 48 is nowhere near the start and points 50-53 nowhere near the
// finish point, which the race's finish zone needs.
TEST(TrackSet, ASprintWithoutItsOwnLinePointsFails) {
    MkCircuitParams params = MkTrackParams(55);
    params.fixedPoints.clear();
    const TrackCheckReport report = Checked(params, 55, "sprint");
    EXPECT_EQ(Mentions(report, "does not start at line 3 point 48"), 2) << Failures(report);
    EXPECT_EQ(Mentions(report, "from the finish point"), 4) << Failures(report);
}
