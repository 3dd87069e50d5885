// The intro videos of the sample game folder: MPEG-1 system streams of
// 320 x 240 at 25 pictures a second, 2 seconds long, each a plain colour of
// its own with a white bar moving across its top rows, and a sine tone of
// its own pitch (MP2, mono, 44.1 kHz), so a test can tell them apart.
#pragma once

#include <cstdint>
#include <vector>

struct MkSampleVideo {
    const char* gamePath;
    int red, green, blue;   // the background colour
    int toneHz;
};

enum {
    MK_VIDEO_WIDTH = 320,
    MK_VIDEO_HEIGHT = 240,
    MK_VIDEO_FPS = 25,
    MK_VIDEO_FRAMES = 50,
    MK_VIDEO_BAR_ROWS = 64,   // the moving bar stays in rows 0..63
};

// The publisher's, the developer's and the game's intro, in playing order.
extern const MkSampleVideo MkSampleVideos[3];

// The shape of an encoded video; the sample folder's are the defaults.
// Tests make odd ones: sound only, pictures only, huge pictures, long sound.
struct MkVideoShape {
    int width = MK_VIDEO_WIDTH;
    int height = MK_VIDEO_HEIGHT;
    int frames = MK_VIDEO_FRAMES;   // the length, in pictures at 25 a second
    bool pictures = true;
    bool sound = true;
};

// Encodes one video into `out`; false when the encoders fail.
bool MkEncodeSampleVideo(const MkSampleVideo& video, std::vector<uint8_t>* out, const MkVideoShape& shape = {});
