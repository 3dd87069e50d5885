// Video files: pictures decoded and converted over 16- and 32-bit buffers,
// the sound resampled into a wave image, and files that are missing, short,
// damaged, without pictures, too large or too long.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "common/test_game.h"
#include "mkdata_video.h"
#include "platform/plat_file.h"
#include "platform/plat_surface.h"
#include "platform/plat_system.h"
#include "platform/plat_video.h"

namespace {

std::vector<uint8_t> Encode(int which, const MkVideoShape& shape = {}) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(MkEncodeSampleVideo(MkSampleVideos[which], &bytes, shape));
    return bytes;
}

struct Rgb {
    int r, g, b;
};

Rgb PixelAt(const std::vector<uint8_t>& buffer, int pitch, int format, int x, int y) {
    const int bytes = PlatPixelFormatBytes(format);
    uint32_t pixel = 0;
    memcpy(&pixel, buffer.data() + y * pitch + x * bytes, (size_t)bytes);
    Rgb c;
    int a;
    PlatRgbFromPixel(format, pixel, &c.r, &c.g, &c.b, &a);
    return c;
}

// Within 24 of each channel: MPEG's 4:2:0 colour and 16-bit dithering.
::testing::AssertionResult Near(Rgb got, int r, int g, int b) {
    if (abs(got.r - r) <= 24 && abs(got.g - g) <= 24 && abs(got.b - b) <= 24)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got (" << got.r << ", " << got.g << ", " << got.b << "), wanted (" << r
                                         << ", " << g << ", " << b << ")";
}

int Le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | p[3] << 24; }
int Le16(const uint8_t* p) { return p[0] | p[1] << 8; }

// The pitch of a stereo 16-bit signal from its left channel: rising zero
// crossings over the span between the first and the last.
double PitchHz(const int16_t* frames, int count, int rate) {
    int first = -1, last = -1, crossings = 0;
    for (int i = 1; i < count; i++) {
        if (frames[(i - 1) * 2] < 0 && frames[i * 2] >= 0) {
            if (first < 0)
                first = i;
            last = i;
            crossings++;
        }
    }
    return crossings > 1 ? (double)(crossings - 1) * rate / (last - first) : 0.0;
}

struct Opened {
    std::vector<uint8_t> bytes;
    PlatVideo* video = nullptr;
    ~Opened() { PlatVideoClose(video); }
};

int CountPictures(PlatVideo* video) {
    int n = 0;
    while (PlatVideoNextPicture(video) == 1)
        n++;
    return n;
}

}  // namespace

TEST(Video, TheSampleVideoDecodesToFiftyPicturesOfItsColourInEveryFormat) {
    Opened v;
    v.bytes = Encode(0);
    ASSERT_EQ(PlatVideoOpenMemory(v.bytes.data(), v.bytes.size(), &v.video), PLAT_VIDEO_OK);
    int w = 0, h = 0, num = 0, den = 0;
    PlatVideoSize(v.video, &w, &h);
    PlatVideoFrameRate(v.video, &num, &den);
    EXPECT_EQ(w, 320);
    EXPECT_EQ(h, 240);
    EXPECT_EQ(num * 1.0 / den, 25.0);

    const MkSampleVideo& look = MkSampleVideos[0];
    int pictures = 0;
    while (PlatVideoNextPicture(v.video) == 1) {
        pictures++;
        if (pictures != 1 && pictures != 50)
            continue;
        // Each target format, at the picture's size and scaled up with a
        // pitch wider than the row: the padding must stay untouched.
        for (int format : {PLAT_PF_RGB565, PLAT_PF_XRGB1555, PLAT_PF_XRGB8888}) {
            for (int scale : {1, 2}) {
                const int tw = 320 * scale, th = 240 * scale;
                const int pitch = tw * PlatPixelFormatBytes(format) + 8;
                std::vector<uint8_t> buffer((size_t)pitch * th, 0xAB);
                ASSERT_EQ(PlatVideoConvert(v.video, buffer.data(), pitch, tw, th, format), PLAT_VIDEO_OK);
                EXPECT_TRUE(Near(PixelAt(buffer, pitch, format, 160 * scale, 180 * scale), look.red, look.green,
                                 look.blue))
                    << "format " << format << " scale " << scale;
                // The bar is white, at the left on the first picture and the
                // right on the last.
                const int barX = (pictures == 1 ? 16 : 304) * scale;
                EXPECT_TRUE(Near(PixelAt(buffer, pitch, format, barX, 30 * scale), 255, 255, 255));
                EXPECT_TRUE(Near(PixelAt(buffer, pitch, format, 320 * scale - barX, 30 * scale), look.red,
                                 look.green, look.blue));
                for (int y = 0; y < th; y++)
                    for (int i = pitch - 8; i < pitch; i++)
                        ASSERT_EQ(buffer[(size_t)y * pitch + i], 0xAB) << "row " << y;
            }
        }
    }
    EXPECT_EQ(pictures, 50);
    EXPECT_EQ(PlatVideoNextPicture(v.video), 0) << "the end stays the end";
}

TEST(Video, ConversionRefusesWhatItCannotFill) {
    Opened v;
    v.bytes = Encode(1);
    ASSERT_EQ(PlatVideoOpenMemory(v.bytes.data(), v.bytes.size(), &v.video), PLAT_VIDEO_OK);
    std::vector<uint8_t> buffer(640 * 480 * 4);
    EXPECT_EQ(PlatVideoConvert(v.video, buffer.data(), 640, 320, 240, PLAT_PF_RGB565), PLAT_VIDEO_BAD_TARGET)
        << "no picture decoded yet";
    ASSERT_EQ(PlatVideoNextPicture(v.video), 1);
    EXPECT_EQ(PlatVideoConvert(v.video, buffer.data(), 640, 320, 240, PLAT_PF_Z16), PLAT_VIDEO_BAD_TARGET);
    EXPECT_EQ(PlatVideoConvert(v.video, buffer.data(), 639, 320, 240, PLAT_PF_RGB565), PLAT_VIDEO_BAD_TARGET)
        << "a pitch shorter than a row";
    EXPECT_EQ(PlatVideoConvert(v.video, buffer.data(), 640, 0, 240, PLAT_PF_RGB565), PLAT_VIDEO_BAD_TARGET);
    EXPECT_EQ(PlatVideoConvert(v.video, buffer.data(), 640, 320, 240, PLAT_PF_RGB565), PLAT_VIDEO_OK);
}

TEST(Video, TheSoundIsTwoSecondsOfItsToneAt22050HzStereo) {
    for (int which : {0, 2}) {
        Opened v;
        v.bytes = Encode(which);
        ASSERT_EQ(PlatVideoOpenMemory(v.bytes.data(), v.bytes.size(), &v.video), PLAT_VIDEO_OK);
        void* image = nullptr;
        int bytes = 0;
        const int frames = PlatVideoDecodeSound(v.video, &image, &bytes);
        ASSERT_NE(image, nullptr);
        const uint8_t* wav = (const uint8_t*)image;
        EXPECT_NEAR(frames, 44100, 600);
        EXPECT_EQ(bytes, 44 + frames * 4);
        EXPECT_EQ(memcmp(wav, "RIFF", 4), 0);
        EXPECT_EQ(memcmp(wav + 8, "WAVEfmt ", 8), 0);
        EXPECT_EQ(Le16(wav + 20), 1);       // PCM
        EXPECT_EQ(Le16(wav + 22), 2);       // stereo
        EXPECT_EQ(Le32(wav + 24), 22050);
        EXPECT_EQ(Le16(wav + 34), 16);
        EXPECT_EQ(Le32(wav + 40), frames * 4);
        EXPECT_NEAR(PitchHz((const int16_t*)(wav + 44), frames, 22050), MkSampleVideos[which].toneHz, 4.0);
        // The sound pass leaves the pictures where they were.
        EXPECT_EQ(CountPictures(v.video), 50);
        free(image);
    }
}

TEST(Video, MissingShortAndDamagedFilesFailWithoutHarm) {
    PlatVideo* video = reinterpret_cast<PlatVideo*>(1);
    EXPECT_EQ(PlatVideoOpenFile("Video\\nowhere.mpg", &video), PLAT_VIDEO_NO_FILE);
    EXPECT_EQ(video, nullptr);
    EXPECT_EQ(PlatVideoOpenMemory("", 0, &video), PLAT_VIDEO_NOT_MPEG);
    const char text[] = "this is not a video at all, just some words";
    EXPECT_LT(PlatVideoOpenMemory(text, sizeof text, &video), 0);
    EXPECT_EQ(video, nullptr);

    // A file cut short plays what it holds, then ends.
    const std::vector<uint8_t> whole = Encode(2);
    for (size_t keep : {whole.size() / 3, whole.size() * 2 / 3}) {
        Opened v;
        v.bytes.assign(whole.begin(), whole.begin() + (long)keep);
        ASSERT_EQ(PlatVideoOpenMemory(v.bytes.data(), v.bytes.size(), &v.video), PLAT_VIDEO_OK) << keep;
        const int pictures = CountPictures(v.video);
        EXPECT_GT(pictures, 0);
        EXPECT_LT(pictures, 50);
        EXPECT_LE(PlatVideoNextPicture(v.video), 0);
    }

    // Damage in the middle: whatever happens, the decoder stops or ends
    // cleanly and never gives more pictures than the stream had.
    for (size_t at = 2048; at + 512 < whole.size(); at += 4096) {
        Opened v;
        v.bytes = whole;
        for (size_t i = at; i < at + 512; i++)
            v.bytes[i] = (uint8_t)(i * 131 + 7);
        if (PlatVideoOpenMemory(v.bytes.data(), v.bytes.size(), &v.video) != PLAT_VIDEO_OK)
            continue;
        EXPECT_LE(CountPictures(v.video), 50) << "damage at " << at;
        void* image = nullptr;
        int bytes = 0;
        const int frames = PlatVideoDecodeSound(v.video, &image, &bytes);
        EXPECT_LE(frames, 44100 + 2048);
        EXPECT_EQ(image != nullptr, frames > 0);
        free(image);
    }
}

TEST(Video, StreamsWithoutPicturesOrOfNoFitSizeAreRefused) {
    MkVideoShape soundOnly;
    soundOnly.pictures = false;
    std::vector<uint8_t> bytes = Encode(0, soundOnly);
    PlatVideo* video = nullptr;
    EXPECT_EQ(PlatVideoOpenMemory(bytes.data(), bytes.size(), &video), PLAT_VIDEO_NO_PICTURES);
    EXPECT_EQ(video, nullptr);

    MkVideoShape huge;
    huge.width = 1040;
    huge.height = 768;
    huge.frames = 2;
    bytes = Encode(0, huge);
    EXPECT_EQ(PlatVideoOpenMemory(bytes.data(), bytes.size(), &video), PLAT_VIDEO_BAD_SIZE);
    huge.width = 1024;
    huge.height = 784;
    bytes = Encode(0, huge);
    EXPECT_EQ(PlatVideoOpenMemory(bytes.data(), bytes.size(), &video), PLAT_VIDEO_BAD_SIZE);

    // The largest size plays; a video without sound has no wave.
    huge.height = 768;
    huge.sound = false;
    Opened v;
    v.bytes = Encode(0, huge);
    ASSERT_EQ(PlatVideoOpenMemory(v.bytes.data(), v.bytes.size(), &v.video), PLAT_VIDEO_OK);
    EXPECT_EQ(CountPictures(v.video), 2);
    void* image = reinterpret_cast<void*>(1);
    int wavBytes = -1;
    EXPECT_EQ(PlatVideoDecodeSound(v.video, &image, &wavBytes), 0);
    EXPECT_EQ(image, nullptr);
    EXPECT_EQ(wavBytes, 0);
}

TEST(Video, TheSoundStopsAtThreeMinutes) {
    MkVideoShape longOne;
    longOne.width = 32;
    longOne.height = 32;
    longOne.frames = 25 * 182;
    Opened v;
    v.bytes = Encode(1, longOne);
    ASSERT_EQ(PlatVideoOpenMemory(v.bytes.data(), v.bytes.size(), &v.video), PLAT_VIDEO_OK);
    void* image = nullptr;
    int bytes = 0;
    EXPECT_EQ(PlatVideoDecodeSound(v.video, &image, &bytes), 22050 * 180);
    EXPECT_EQ(bytes, 44 + 22050 * 180 * 4);
    free(image);
}

TEST(Video, FilesOpenThroughThePathResolver) {
    const std::string dir = MakeTestFolder("videos");
    ASSERT_TRUE(PlatSetCurrentDir(dir.c_str()));
    ASSERT_TRUE(PlatMakeDir("VIDEO"));
    const std::vector<uint8_t> bytes = Encode(1);
    ASSERT_TRUE(PlatWriteFileAtomic("VIDEO\\Tavrin.MPG", bytes.data(), bytes.size()));
    PlatVideo* video = nullptr;
    ASSERT_EQ(PlatVideoOpenFile("Video\\tavrin.mpg", &video), PLAT_VIDEO_OK) << "any letter case, either slash";
    EXPECT_EQ(CountPictures(video), 50);
    void* image = nullptr;
    int wavBytes = 0;
    EXPECT_GT(PlatVideoDecodeSound(video, &image, &wavBytes), 40000) << "the sound pass reads the file again";
    free(image);
    PlatVideoClose(video);
}
