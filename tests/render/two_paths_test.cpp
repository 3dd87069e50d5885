// The whole program's race on both drawing paths at 640 x 480: the tuning
// panel stands over a race that is still drawn, and the dial's ticks and the
// sky look alike on the software frame and through OpenGL.  The
// Direct3D half is left out where no OpenGL context can be had (the run
// says the recording device stands in).

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "common/test_game.h"

namespace {

struct Shot {
    std::vector<uint32_t> rgb;   // 0x00RRGGBB, 640 x 480, top row first
    bool Loaded() const { return rgb.size() == 640u * 480u; }
    uint32_t At(int x, int y) const { return rgb[(size_t)y * 640 + x]; }
};

Shot ReadShot(const std::string& path) {
    Shot s;
    const std::string tga = ReadHostFile(path);
    if (tga.size() != 18u + 640u * 480u * 3u || (uint8_t)tga[12] + 256 * (uint8_t)tga[13] != 640)
        return s;
    s.rgb.resize(640u * 480u);
    for (size_t i = 0; i < s.rgb.size(); i++) {
        const uint8_t* p = (const uint8_t*)tga.data() + 18 + 3 * i;
        s.rgb[i] = (uint32_t)p[2] << 16 | (uint32_t)p[1] << 8 | p[0];
    }
    return s;
}

// The mean and the 95th percentile of the per-pixel difference (the mean of
// the three channels' absolute differences) over the pixels `inside` takes.
struct Difference {
    double mean = 0, p95 = 0;
    int pixels = 0;
};

Difference Compare(const Shot& a, const Shot& b, const std::function<bool(int, int)>& inside) {
    std::vector<double> d;
    for (int y = 0; y < 480; y++)
        for (int x = 0; x < 640; x++) {
            if (!inside(x, y))
                continue;
            const uint32_t p = a.At(x, y), q = b.At(x, y);
            double sum = 0;
            for (int shift = 0; shift < 24; shift += 8)
                sum += std::abs((int)((p >> shift) & 0xFF) - (int)((q >> shift) & 0xFF));
            d.push_back(sum / 3.0);
        }
    Difference r;
    r.pixels = (int)d.size();
    if (d.empty())
        return r;
    std::sort(d.begin(), d.end());
    double total = 0;
    for (double v : d)
        total += v;
    r.mean = total / (double)d.size();
    r.p95 = d[d.size() * 95 / 100];
    return r;
}

// Runs the quick race with the script on the folder's path; false when the
// Direct3D path had no OpenGL context and the recording device drew.
bool RunRace(const std::string& dir, const std::string& script, int frames) {
    const std::string args = "--headless --debug --developer --autorace --script " + script +
                             " --frames " + std::to_string(frames);
    EXPECT_EQ(RunGameLogged(dir, args, "run.txt", false), 0);
    return ReadHostFile(dir + "/run.txt").find("the recording device stands in") == std::string::npos;
}

void WriteScript(const std::string& dir, const std::string& name, const std::string& text) {
    FILE* f = fopen((dir + "/" + name).c_str(), "w");
    ASSERT_NE(f, nullptr);
    fputs(text.c_str(), f);
    fclose(f);
}

// The right of the screen beside the panel: the kerb, the grass and the
// road ahead, above the dial.
bool BesideThePanel(int x, int y) { return x >= 530 && x < 630 && y >= 130 && y < 340; }
// The panel's own rows.
bool UnderThePanel(int x, int y) { return x >= 0 && x < 500 && y >= 0 && y < 400; }

// F6 opens the tuning panel a frame after the shot "before"; the cars stand
// still while it is open, so the race beside it is the race of that shot.
void ExpectTheRaceUnderThePanel(const std::string& dir) {
    const Shot before = ReadShot(dir + "/before.tga"), panel = ReadShot(dir + "/panel.tga");
    ASSERT_TRUE(before.Loaded());
    ASSERT_TRUE(panel.Loaded());
    const Difference beside = Compare(before, panel, BesideThePanel);
    const Difference under = Compare(before, panel, UnderThePanel);
    printf("tuning panel: beside it %.1f (95%% %.1f), under it %.1f\n", beside.mean, beside.p95, under.mean);
    EXPECT_LT(beside.mean, 20.0) << "the race is drawn beside the panel";
    EXPECT_GT(under.mean, 30.0) << "the panel is up";
}

// The face's white ticks, 46 to 56 pixels round the dial's centre (573,
// 414): how many there are on each path and how many at the same place.
struct Ticks {
    int a = 0, b = 0, same = 0;
};

Ticks TicksOf(const Shot& a, const Shot& b) {
    auto white = [](uint32_t p) { return ((p >> 16) & 0xFF) > 200 && ((p >> 8) & 0xFF) > 200 && (p & 0xFF) > 200; };
    Ticks t;
    for (int y = 350; y < 478; y++)
        for (int x = 509; x < 637; x++) {
            const double r = std::hypot(x + 0.5 - 573.0, y + 0.5 - 414.0);
            if (r < 46.0 || r >= 56.0)
                continue;
            const int p = white(a.At(x, y)), q = white(b.At(x, y));
            t.a += p;
            t.b += q;
            t.same += p && q;
        }
    return t;
}

// Row by row over the top third, the median colour of the pixels that are
// not cloud-white: the mean difference of the two paths' rows, in levels.
double SkyDifference(const Shot& a, const Shot& b) {
    auto rowColour = [](const Shot& s, int y, int k) {
        std::vector<int> v;
        for (int x = 0; x < 640; x++) {
            const uint32_t p = s.At(x, y);
            if (!(((p >> 16) & 0xFF) > 220 && ((p >> 8) & 0xFF) > 220 && (p & 0xFF) > 220))
                v.push_back((int)((p >> (16 - 8 * k)) & 0xFF));
        }
        std::sort(v.begin(), v.end());
        return v.empty() ? 0 : v[v.size() / 2];
    };
    double sum = 0;
    for (int y = 0; y < 160; y++)
        for (int k = 0; k < 3; k++)
            sum += std::abs(rowColour(a, y, k) - rowColour(b, y, k));
    return sum / (160.0 * 3.0);
}

}  // namespace

TEST(TwoPaths, TheTuningPanelStandsOverTheRaceOnBothPaths) {
    const std::string dir = MakeTestGameFolder("tuningpanel");
    WriteScript(dir, "panel.txt",
                "2 key down SPACE\n3 key up SPACE\n10 key down UP\n299 shot before.tga\n"
                "300 key down F6\n302 key up F6\n330 shot panel.tga\n");
    ASSERT_EQ(RunBuiltProgram("videosetup", {"--dir", dir, "--direct3d", "--mode", "640x480x16"}, dir), 0);
    Shot direct3d;
    if (RunRace(dir, "panel.txt", 331)) {
        SCOPED_TRACE("Direct3D path");
        ExpectTheRaceUnderThePanel(dir);
        direct3d = ReadShot(dir + "/before.tga");
    }
    ASSERT_EQ(RunBuiltProgram("videosetup", {"--dir", dir, "--software", "--mode", "640x480x16"}, dir), 0);
    RunRace(dir, "panel.txt", 331);
    {
        SCOPED_TRACE("software path");
        ExpectTheRaceUnderThePanel(dir);
    }
    // The race before the panel, on both paths: the dial's ticks are the
    // same lines and the sky has the same colours.
    const Shot software = ReadShot(dir + "/before.tga");
    if (!direct3d.Loaded() || !software.Loaded())
        return;
    const Ticks ticks = TicksOf(software, direct3d);
    const double sky = SkyDifference(software, direct3d);
    printf("both paths: ticks %d and %d pixels, %d at the same place; sky %.1f levels apart\n", ticks.a, ticks.b,
           ticks.same, sky);
    EXPECT_GT(ticks.a, 50);
    EXPECT_GE(ticks.same, ticks.a * 6 / 10);
    EXPECT_LT(sky, 5.0);
}
