// Platform layer: MPEG video files (the multimedia-stream stand-in).
//
// A video is an MPEG system stream ("Video\intro.mpg") holding MPEG-1 (or
// MPEG-2) pictures and MPEG audio.  It is opened from a game path or from
// bytes in memory; its pictures are then decoded one at a time and each is
// converted over a whole 16-bit (5-6-5 or 5-5-5) or 32-bit buffer, scaled to
// the buffer's size.  The sound is decoded apart, whole, into a RIFF WAV
// image of 16-bit stereo at 22050 Hz that the mixer opens as a memory wave.
//
// Video files are outside data: every failure is a result, never a crash.
// Pictures of no size or larger than 1024 x 768 are refused, the sound is
// cut at 3 minutes, and a stream without pictures does not open.  Decoding
// runs on the caller's thread only.
#pragma once

#include <cstddef>
#include <cstdint>

struct PlatVideo;

enum {
    PLAT_VIDEO_MAX_WIDTH = 1024,
    PLAT_VIDEO_MAX_HEIGHT = 768,
    PLAT_VIDEO_SOUND_RATE = 22050,
    PLAT_VIDEO_MAX_SOUND_SECONDS = 180,
};

// Results.  PlatVideoResultText names each.
enum {
    PLAT_VIDEO_OK = 0,
    PLAT_VIDEO_NO_FILE = -1,       // missing or unreadable
    PLAT_VIDEO_NOT_MPEG = -2,      // not a system stream that can be read
    PLAT_VIDEO_NO_PICTURES = -3,   // no MPEG video stream in it
    PLAT_VIDEO_BAD_SIZE = -4,      // pictures of no size or over 1024 x 768
    PLAT_VIDEO_CORRUPT = -5,       // the data stopped making sense
    PLAT_VIDEO_NO_MEMORY = -6,
    PLAT_VIDEO_BAD_TARGET = -7,    // a conversion target it cannot fill
};
const char* PlatVideoResultText(int result);

// Opening; *out is null after a failure.  A memory video reads the caller's
// bytes, which must stay until PlatVideoClose.
int PlatVideoOpenFile(const char* gamePath, PlatVideo** out);
int PlatVideoOpenMemory(const void* data, size_t size, PlatVideo** out);
void PlatVideoClose(PlatVideo* video);

// The size the stream announces, and its picture rate as a fraction (a rate
// that is missing or outside 1..120 per second reads as 25).
void PlatVideoSize(const PlatVideo* video, int* width, int* height);
void PlatVideoFrameRate(const PlatVideo* video, int* numerator, int* denominator);

// Decodes the next picture: 1 a picture, 0 the end of the stream, or a
// negative result (the video cannot go on).
int PlatVideoNextPicture(PlatVideo* video);
// The last decoded picture over the whole buffer (width x height pixels,
// rows `pitch` bytes apart) in PLAT_PF_RGB565, PLAT_PF_XRGB1555 or
// PLAT_PF_XRGB8888 (plat_surface.h); PLAT_VIDEO_OK or a negative result.
int PlatVideoConvert(PlatVideo* video, void* bits, int pitch, int width, int height, int format);

// Decodes the whole sound track into a RIFF WAV image (malloc'd: the caller
// frees it) of 16-bit stereo at 22050 Hz, at most 3 minutes long.  Returns
// the sample frames in it: 0 and no image when the video has no sound; a
// damaged track keeps what was decoded before the damage.
int PlatVideoDecodeSound(PlatVideo* video, void** wavImage, int* wavBytes);
