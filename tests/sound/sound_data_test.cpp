// The sample folder's engine tones and music phrases: their pitch, their
// harmonics and their seamless loops.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <numbers>
#include <string>
#include <vector>

#include "common/test_game.h"
#include "frame/vfs.h"
#include "mkdata_sound.h"
#include "platform/plat_file.h"
#include "sound/sound_state.h"

namespace {

// The mono 16-bit samples of a generated file (archives, or the plain
// folder for the music).
std::vector<int16_t> Samples(const std::string& path) {
    std::string bytes;
    unsigned char* data = nullptr;
    const int size = VfsLoadFile(path.c_str(), &data);
    if (size > 0 && data) {
        bytes.assign((const char*)data, (size_t)size);
        free(data);
    } else {
        std::string host = path;
        for (char& c : host)
            c = c == '\\' ? '/' : c;
        bytes = ReadHostFile(std::string(PlatGetCurrentDir()) + "/" + host);
    }
    std::vector<int16_t> s;
    if (bytes.size() < 44)
        return s;
    s.resize((bytes.size() - 44) / 2);
    memcpy(s.data(), bytes.data() + 44, s.size() * 2);
    return s;
}

// A stretch of samples under a Hann window.
std::vector<double> Windowed(const std::vector<int16_t>& s, size_t from, size_t n) {
    std::vector<double> w(n);
    for (size_t i = 0; i < n; i++)
        w[i] = (0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * (double)i / (double)(n - 1))) * s[from + i];
    return w;
}

// The amplitude of one frequency in a windowed stretch (Goertzel).
double Amplitude(const std::vector<double>& w, double hz) {
    const double c = 2.0 * std::cos(2.0 * std::numbers::pi * hz / 22050.0);
    double s1 = 0.0, s2 = 0.0;
    for (double v : w) {
        const double s0 = v + c * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    return std::sqrt(std::fabs(s1 * s1 + s2 * s2 - c * s1 * s2));
}

// The strongest frequency between lo and hi: a 1 Hz scan, then a twentieth
// of a hertz around its best.
double StrongestHz(const std::vector<double>& w, double lo, double hi) {
    auto best = [&w](double from, double to, double step) {
        double hz = from, most = -1.0;
        for (double f = from; f <= to; f += step) {
            const double a = Amplitude(w, f);
            if (a > most) {
                most = a;
                hz = f;
            }
        }
        return hz;
    };
    const double coarse = best(lo, hi, 1.0);
    return best(coarse - 1.0, coarse + 1.0, 0.05);
}

// The largest second difference of the samples (how sharply they bend).
int Bend(const std::vector<int16_t>& s, size_t from, size_t to) {
    int most = 0;
    for (size_t i = from + 1; i + 1 < to; i++)
        most = std::max(most, std::abs(s[i + 1] - 2 * s[i] + s[i - 1]));
    return most;
}

struct EngineMain {
    const char* path;
    int model;
};
const EngineMain Mains[] = {
    {"WAVE\\IENGINES\\SPEED\\9GL05E22.wav", 0},      {"WAVE\\IENGINES\\SPEED\\9DA01C22.wav", 1},
    {"WAVE\\IENGINES\\BUGGY\\XCA02B22.wav", 2},      {"WAVE\\IENGINES\\MONSTER\\9CA03D22.wav", 3},
    {"WAVE\\IENGINES\\JUMP\\8CA02C22.wav", 4},       {"WAVE\\IENGINES\\CROSS\\M18CA01A22.wav", 5},
    {"WAVE\\IENGINES\\SPEED\\9GA07A22.wav", 6},      {"WAVE\\IENGINES\\JUMP\\8DA01A22.wav", 7},
    {"WAVE\\IENGINES\\BUGGY\\4DA01A22.wav", 8},      {"WAVE\\IENGINES\\BONUS\\8DA04A22.wav", 9},
    {"WAVE\\IENGINES\\BUGGY\\M15CA01C22.wav", 11},   {"WAVE\\IENGINES\\CROSS\\7GA03A22.wav", 12},
    {"WAVE\\IENGINES\\JUMP\\9CA01A22.wav", 13},      {"WAVE\\IENGINES\\CROSS\\9DA07A22.wav", 14},
    {"WAVE\\IENGINES\\MONSTER\\M_VondelMain.wav", 15}, {"WAVE\\IENGINES\\BONUS\\S_VondelMain2.wav", 16},
};

class SoundData : public ::testing::Test {
protected:
    void SetUp() override { MakeTestGameFolder("data"); }
};

}  // namespace

// An engine tone: a fundamental of 100 to 250 Hz (the one MkSoundToneHz
// gives) at least 6 dB above each of harmonics 2 to 8; loop A of each main
// file holds whole periods, so its seam does not bend the wave.
TEST_F(SoundData, EngineTonesAndTheirLoops) {
    for (const EngineMain& e : Mains) {
        SCOPED_TRACE(e.path);
        const std::vector<int16_t> s = Samples(e.path);
        ASSERT_EQ((int)s.size(), MkSoundFrames(e.path));
        const double f = MkSoundToneHz(e.path);
        EXPECT_GE(f, 100.0);
        EXPECT_LE(f, 250.0);
        const std::vector<double> w = Windowed(s, 0, 16384);
        EXPECT_NEAR(StrongestHz(w, 95.0, 255.0), f, 0.6);
        const double fundamental = Amplitude(w, f);
        for (int h = 2; h <= 8; h++)
            EXPECT_LT(Amplitude(w, f * h), fundamental * 0.5) << "harmonic " << h;

        const int start = EngineLoopPoints[LOOP_A_START][e.model];
        const int end = std::min(EngineLoopPoints[LOOP_A_END][e.model], (int)s.size());
        if (start >= end)
            continue;    // loop A lies beyond the file
        for (int k = 0; k < 3 && end + k < (int)s.size(); k++)
            EXPECT_NEAR(s[(size_t)(end + k)], s[(size_t)(start + k)], 3) << "frame " << k << " after the seam";
    }
    // The idle and second layers are tones of their own in the same range.
    for (const char* layer : {"WAVE\\IENGINES\\SPEED\\8CI01A22.wav", "WAVE\\IENGINES\\MONSTER\\M_VondelSec.wav",
                              "WAVE\\IENGINES\\BONUS\\S_Vondelidle.wav"}) {
        SCOPED_TRACE(layer);
        const std::vector<int16_t> s = Samples(layer);
        ASSERT_EQ(s.size(), 22050u);
        const double f = MkSoundToneHz(layer);
        EXPECT_GE(f, 100.0);
        EXPECT_LE(f, 250.0);
        EXPECT_NEAR(StrongestHz(Windowed(s, 0, 16384), 95.0, 255.0), f, 0.6);
        // A whole second of a whole number of hertz: the file loops seamlessly.
        std::vector<int16_t> splice(s.end() - 64, s.end());
        splice.insert(splice.end(), s.begin(), s.begin() + 64);
        EXPECT_LE(Bend(splice, 0, splice.size()), Bend(s, 0, 4096) + 2);
    }
}

// Six music files of eight seconds, each an arpeggio over its own root, that
// loop without a seam.
TEST_F(SoundData, MusicPhrases) {
    const char* const files[] = {"Menu22.wav", "Speed22.wav", "Jump22.wav", "Mo22_3.wav", "Cross22.wav", "Buggy22.wav"};
    std::vector<int> roots;
    for (const char* file : files) {
        const std::string path = std::string("Music\\") + file;
        SCOPED_TRACE(path);
        const std::vector<int16_t> s = Samples(path);
        ASSERT_EQ(s.size(), 8u * 22050u);
        const double root = MkSoundToneHz(path);
        roots.push_back((int)root);
        // The first note is the root, the second a major third above it.
        EXPECT_NEAR(StrongestHz(Windowed(s, 0, 8192), root - 40.0, root * 2.5), root, 0.6);
        EXPECT_NEAR(StrongestHz(Windowed(s, 11025, 8192), root - 40.0, root * 2.5), root * 1.25, 0.6);
        // The seam bends the wave no more than the change of note inside.
        std::vector<int16_t> splice(s.end() - 64, s.end());
        splice.insert(splice.end(), s.begin(), s.begin() + 64);
        EXPECT_LE(Bend(splice, 0, splice.size()), Bend(s, 0, s.size()) + 2);
        EXPECT_LE(std::abs(s.front()), 2) << "the phrase starts on a zero crossing";
    }
    std::sort(roots.begin(), roots.end());
    EXPECT_EQ(std::unique(roots.begin(), roots.end()), roots.end()) << "every phrase has its own root";
}
