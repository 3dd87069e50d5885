// Whole runs of the game with --sound-capture: a scripted quick race on the
// sample folder, accelerator held, steered past the car ahead.  The capture
// (mix.wav, chNN.wav, events.csv) is checked against the car log's revs and
// gears: the engine's loop on channel 0 sounds at its wave's tone times the
// rate 17,200 x revs gives car model 0 and falls at each gear-up, the
// countdown calls its stages, and the gear clunk on channel 15 is heard in
// the in-car view only.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "common/test_game.h"
#include "sound_test_util.h"

using namespace soundtest;

namespace {

const char* const Model0Engine = "WAVE\\IENGINES\\SPEED\\9GL05E22.wav";
const int TickHz = 60;
const int Window = 4096;    // frames of one frequency measurement

// Space ends the fly-by; accelerate, veer left past the car ahead on the
// grid, straighten up.
const char* const DriveScript =
    "2 key down SPACE\n"
    "3 key up SPACE\n"
    "5 key down UP\n"
    "250 key down LEFT\n"
    "270 key up LEFT\n"
    "320 key down RIGHT\n"
    "340 key up RIGHT\n";
// The camera key of player 0 twice: chase, bonnet, in-car.
const char* const InCarKeys =
    "280 key down 0x9C\n"
    "283 key up 0x9C\n"
    "290 key down 0x9C\n"
    "293 key up 0x9C\n";

struct Play {
    int tick, channel, slot, loops, volume, rate;
};

struct CarTick {
    float revs;
    int gear;
};

struct Capture {
    std::string dir;
    std::vector<Play> plays;
    bool eventsWellFormed = false;
    std::map<int, CarTick> car0;    // by race tick
};

// A capture file as the game writes it: 16-bit stereo at 22,050 Hz.
std::vector<int16_t> ReadCaptureWave(const std::string& path) {
    const std::string bytes = ReadHostFile(path);
    if (bytes.size() < 44 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 8, "WAVEfmt ") != 0)
        return {};
    auto u16 = [&](size_t at) { return (unsigned)(uint8_t)bytes[at] | (unsigned)(uint8_t)bytes[at + 1] << 8; };
    auto u32 = [&](size_t at) { return u16(at) | u16(at + 2) << 16; };
    if (u16(20) != 1 || u16(22) != 2 || u32(24) != 22050 || u16(34) != 16 || u32(40) != bytes.size() - 44)
        return {};
    std::vector<int16_t> stereo((bytes.size() - 44) / 2);
    for (size_t i = 0; i < stereo.size(); i++)
        stereo[i] = (int16_t)u16(44 + 2 * i);
    return stereo;
}

Capture RunCapture(const std::string& script) {
    Capture c;
    c.dir = MakeTestGameFolder("capture");
    FILE* file = fopen((c.dir + "/script.txt").c_str(), "w");
    if (!file)
        return c;
    fputs(script.c_str(), file);
    fclose(file);
    const int code = RunBuiltProgram("quorvix",
                                     {"--headless", "--autorace", "--frames", "900", "--script", "script.txt",
                                      "--carlog", "car.log", "--sound-capture", "out"},
                                     c.dir);
    EXPECT_EQ(code, 0);

    std::istringstream events(ReadHostFile(c.dir + "/out/events.csv"));
    std::string line;
    c.eventsWellFormed = (bool)std::getline(events, line) && line == "tick,channel,slot,loops,volume,rate";
    while (std::getline(events, line)) {
        Play p;
        if (sscanf(line.c_str(), "%d,%d,%d,%d,%d,%d", &p.tick, &p.channel, &p.slot, &p.loops, &p.volume, &p.rate) != 6)
            c.eventsWellFormed = false;
        else
            c.plays.push_back(p);
    }
    std::istringstream log(ReadHostFile(c.dir + "/car.log"));
    while (std::getline(log, line)) {
        int tick, car, gear;
        char f[10][64];
        if (sscanf(line.c_str(), "car %d %d %63s %63s %63s %63s %63s %63s %63s %63s %63s %63s %d", &tick, &car, f[0],
                   f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9], &gear) == 13 &&
            car == 0)
            c.car0[tick] = {std::strtof(f[9], nullptr), gear};
    }
    return c;
}

// The frequency heard on channel 0 every other tick, from the window that
// starts at that tick; silent windows are left out.
std::map<int, double> EngineFrequencies(const std::vector<int16_t>& ch00) {
    std::map<int, double> heard;
    for (int tick = 0;; tick += 2) {
        const size_t first = (size_t)tick * 22050 / TickHz;
        if ((first + Window) * 2 > ch00.size())
            break;
        const std::vector<int16_t> window(ch00.begin() + (long)first * 2, ch00.begin() + (long)(first + Window) * 2);
        if (Rms(window) > 50.0)
            heard[tick] = PeakHz(window);
    }
    return heard;
}

// The revs over the race ticks a window covers: their middle and their
// spread as a share of it; a spread of 1 when the log has no such ticks.
struct WindowRevs {
    double revs, spread;
};

WindowRevs RevsOver(const Capture& c, int raceTick) {
    float lo = 1e9f, hi = 0.0f;
    for (int t = raceTick; t <= raceTick + Window * TickHz / 22050; t++) {
        const auto it = c.car0.find(t);
        if (it == c.car0.end())
            return {0.0, 1.0};
        lo = std::fmin(lo, it->second.revs);
        hi = std::fmax(hi, it->second.revs);
    }
    const double middle = (double)(lo + hi) / 2.0;
    return {middle, middle > 0.0 ? (double)(hi - lo) / middle : 1.0};
}

struct Fit {
    int lag = -1;       // timer tick of race tick 0
    int matched = 0, compared = 0;
};

// The race's first tick on the timer's count: the lag at which the most
// windows sound at the rate the car log's revs give (within 2%, and half
// the revs' own spread through the window).  Windows across a gear-up's
// drop are left out.
Fit FitToRevs(const Capture& c, const std::map<int, double>& heard, double tone) {
    Fit best;
    for (int lag = 0; lag < 600; lag++) {
        Fit f;
        f.lag = lag;
        for (const auto& [tick, hz] : heard) {
            const WindowRevs w = RevsOver(c, tick - lag);
            if (w.revs < 0.2 || w.spread > 0.08)
                continue;
            const double expected = tone * std::nearbyint(17200.0 * w.revs + 0.1) / 22050.0;
            f.compared++;
            f.matched += std::fabs(hz - expected) < (0.02 + w.spread / 2.0) * expected;
        }
        if (f.compared >= 50 && f.matched > best.matched)
            best = f;
    }
    return best;
}

std::vector<int> GearUps(const Capture& c) {
    std::vector<int> ups;
    for (auto it = c.car0.begin(); it != c.car0.end(); ++it) {
        const auto next = std::next(it);
        if (next != c.car0.end() && next->second.gear > it->second.gear)
            ups.push_back(next->first);
    }
    return ups;
}

int GearChanges(const Capture& c) {
    int changes = 0;
    for (auto it = c.car0.begin(); it != c.car0.end(); ++it) {
        const auto next = std::next(it);
        changes += next != c.car0.end() && next->second.gear != it->second.gear;
    }
    return changes;
}

// Car model 0's gear clunk.
const int ClunkSlot = 220;

int Clunks(const Capture& c) {
    int n = 0;
    for (const Play& p : c.plays) {
        if (p.slot == ClunkSlot) {
            EXPECT_EQ(p.channel, 15);
            EXPECT_EQ(p.loops, 0) << "a clunk plays once";
            n++;
        }
    }
    return n;
}

// The loudest sample of each tick's stretch (1/60 s) of a capture file.
std::vector<int> TickPeaks(const std::vector<int16_t>& stereo) {
    const size_t per = 2 * 22050 / TickHz;
    std::vector<int> peaks;
    for (size_t at = 0; at + per <= stereo.size(); at += per) {
        int peak = 0;
        for (size_t i = at; i < at + per; i++)
            peak = std::max(peak, std::abs((int)stereo[i]));
        peaks.push_back(peak);
    }
    return peaks;
}

// The ticks of the capture's timeline at which a channel's sounds begin
// after a tick of silence.
std::vector<int> Onsets(const std::vector<int>& peaks) {
    std::vector<int> onsets;
    for (size_t t = 0; t < peaks.size(); t++) {
        if (peaks[t] > 0 && (t == 0 || peaks[t - 1] == 0))
            onsets.push_back((int)t);
    }
    return onsets;
}

}  // namespace

TEST(SoundCapture, AutoraceIsHeardAndTheEngineFollowsRevsAndGears) {
    const Capture c = RunCapture(DriveScript);
    ASSERT_TRUE(c.eventsWellFormed);
    ASSERT_GT(c.car0.size(), 500u) << "the race ran";

    // The plays: menu music, the crowd at the grid, model 0's engine; ticks
    // in order, channels of the plan.
    int lastTick = 0;
    for (const Play& p : c.plays) {
        EXPECT_GE(p.tick, lastTick);
        lastTick = p.tick;
        EXPECT_TRUE(p.channel >= 0 && p.channel < 24) << p.channel;
    }
    auto played = [&](int channel, int slot) {
        for (const Play& p : c.plays) {
            if (p.channel == channel && p.slot == slot)
                return true;
        }
        return false;
    };
    EXPECT_TRUE(played(23, 190)) << "menu music";
    EXPECT_TRUE(played(12, 86)) << "crowd";
    EXPECT_TRUE(played(0, 1)) << "engine";
    // The countdown's voices, "three" to the start call, a stage apart.
    std::vector<Play> countdown;
    for (const Play& p : c.plays) {
        if (p.channel == 16 && p.slot >= 82 && p.slot <= 85)
            countdown.push_back(p);
    }
    ASSERT_EQ(countdown.size(), 4u);
    for (size_t i = 0; i < countdown.size(); i++) {
        EXPECT_EQ(countdown[i].slot, 82 + (int)i);
        EXPECT_EQ(countdown[i].loops, 0);
        if (i > 0) {
            EXPECT_EQ(countdown[i].tick - countdown[i - 1].tick, 61);
        }
    }
    // The run ends against a wall at speed: the wall crashes take slots 110
    // to 113 in turn on channel 16.
    int lastCrash = -1, crashes = 0;
    for (const Play& p : c.plays) {
        if (p.channel != 16 || p.slot < 110 || p.slot > 113)
            continue;
        if (lastCrash >= 0) {
            EXPECT_EQ(p.slot, lastCrash == 113 ? 110 : lastCrash + 1);
        }
        lastCrash = p.slot;
        crashes++;
    }
    EXPECT_GE(crashes, 1);
    // In the chase view the gear changes make no clunk.
    EXPECT_EQ(Clunks(c), 0);

    // The mix is heard through the race's last five seconds.
    const std::vector<int16_t> mix = ReadCaptureWave(c.dir + "/out/mix.wav");
    ASSERT_GE(mix.size(), (size_t)2 * 22050 * 14) << "900 frames of 60 Hz";
    const std::vector<int16_t> end(mix.end() - 2 * 22050 * 5, mix.end());
    EXPECT_GT(Rms(end), 200.0);

    // Channel 0 sounds at the revs' rate, and the revs move: a steady tone
    // would not fit.
    const std::vector<int16_t> ch00 = ReadCaptureWave(c.dir + "/out/ch00.wav");
    ASSERT_EQ(ch00.size(), mix.size()) << "every file lines up with the mix";
    const std::map<int, double> heard = EngineFrequencies(ch00);
    const double tone = ToneOf(Model0Engine);
    const Fit fit = FitToRevs(c, heard, tone);
    ASSERT_GE(fit.lag, 0);
    EXPECT_GE(fit.matched, fit.compared * 9 / 10) << "at lag " << fit.lag << ": " << fit.matched << " of "
                                                  << fit.compared;
    double lowest = 1e9, highest = 0.0;
    for (const auto& [tick, hz] : heard) {
        if (tick > fit.lag + 300) {
            lowest = std::fmin(lowest, hz);
            highest = std::fmax(highest, hz);
        }
    }
    EXPECT_GT(highest, lowest * 1.3);

    // Each gear-up: the tone rose through the gear and falls 10% or more
    // within 40 ticks.
    const std::vector<int> ups = GearUps(c);
    ASSERT_GE(ups.size(), 2u);
    int gearStart = -1;
    for (int up : ups) {
        SCOPED_TRACE(up);
        const int at = fit.lag + up;
        double before = 0.0, after = 1e9, early = 1e9;
        for (const auto& [tick, hz] : heard) {
            // A window ends some 11 ticks after its start.
            if (tick + 14 < at && tick + 26 >= at)
                before = std::fmax(before, hz);
            if (tick >= at && tick <= at + 40)
                after = std::fmin(after, hz);
            if (gearStart >= 0 && tick >= gearStart + 40 && tick < gearStart + 52)
                early = std::fmin(early, hz);
        }
        ASSERT_GT(before, 0.0);
        EXPECT_LE(after, before * 0.9);
        if (gearStart >= 0) {
            EXPECT_GT(before, early) << "the tone rises in a gear";
        }
        gearStart = at;
    }
    (void)system(("rm -rf '" + c.dir + "'").c_str());
}

TEST(SoundCapture, TheInCarViewClunksAtEachGearChange) {
    const Capture c = RunCapture(std::string(DriveScript) + InCarKeys);
    ASSERT_TRUE(c.eventsWellFormed);
    const int changes = GearChanges(c);
    ASSERT_GE(changes, 2);
    EXPECT_EQ(Clunks(c), changes);
    (void)system(("rm -rf '" + c.dir + "'").c_str());
}

TEST(SoundCapture, TheRaceStartAfterTheFlyByGoesOnWithItsSoundsAndTheMusicFades) {
    // Half a second of fly-by, then Space: the race starts from the grid.
    const Capture c = RunCapture("30 key down SPACE\n31 key up SPACE\n");
    ASSERT_TRUE(c.eventsWellFormed);
    int go = -1;
    for (const Play& p : c.plays) {
        if (p.channel == 16 && p.slot == 85)
            go = p.tick;
    }
    ASSERT_GT(go, 0) << "the countdown called GO";
    // The crowd loop starts once; so do the engines of the two computer cars
    // nearest car 0, in the fly-by, and both play on through the countdown.
    int crowd = 0, engines[3] = {};
    int firstEngine = -1;
    for (const Play& p : c.plays) {
        crowd += p.channel == 12 && p.slot == 86;
        if ((p.channel == 1 || p.channel == 2) && p.tick <= go + 60) {
            engines[p.channel]++;
            if (firstEngine < 0)
                firstEngine = p.tick;
        }
    }
    EXPECT_EQ(crowd, 1);
    EXPECT_EQ(engines[1], 1);
    EXPECT_EQ(engines[2], 1);
    EXPECT_LT(firstEngine, go - 3 * 61) << "before the countdown's first call";

    // On the capture's timeline: GO is the countdown channel's fourth call;
    // the engines sound without a break from their start until the cars drive
    // off (car 0 stands, left behind).
    const std::vector<int> voices = Onsets(TickPeaks(ReadCaptureWave(c.dir + "/out/ch16.wav")));
    ASSERT_GE(voices.size(), 4u);
    const int heardGo = voices[3];
    for (int ch : {1, 2}) {
        SCOPED_TRACE(ch);
        char name[32];
        std::snprintf(name, sizeof name, "/out/ch%02d.wav", ch);
        const std::vector<int> peaks = TickPeaks(ReadCaptureWave(c.dir + name));
        const std::vector<int> onsets = Onsets(peaks);
        ASSERT_FALSE(onsets.empty());
        ASSERT_LT(onsets[0], voices[0]);
        ASSERT_GT((int)peaks.size(), heardGo + 10);
        int silent = 0;
        for (int t = onsets[0]; t < heardGo + 10; t++)
            silent += peaks[t] == 0;
        EXPECT_EQ(silent, 0) << "ticks without the engine";
    }

    // The menu music fades out as the race begins: it halves tick by tick
    // over some fifteen ticks instead of stopping dead.
    const std::vector<int> music = TickPeaks(ReadCaptureWave(c.dir + "/out/ch23.wav"));
    const std::vector<int> tunes = Onsets(music);
    ASSERT_EQ(tunes.size(), 1u) << "one tune, started once";
    const int full = music[tunes[0] + 30];
    ASSERT_GT(full, 1000);
    int fall = -1;
    for (int t = tunes[0] + 30; t < (int)music.size(); t++) {
        if (music[t] < full * 9 / 10) {
            fall = t;
            break;
        }
    }
    ASSERT_GT(fall, 0) << "the music fell";
    int quiet = fall;
    while (quiet < (int)music.size() && music[quiet] > 0)
        quiet++;
    EXPECT_GE(quiet - fall, 10) << "ticks from full volume to silence";
    EXPECT_LE(quiet - fall, 20);
    EXPECT_GT(music[fall + 2], full / 16) << "a fade, not a cut";
    (void)system(("rm -rf '" + c.dir + "'").c_str());
}
