// The intro video player.
//
// It opens the display itself (the framework is released, or not made yet),
// picks a small full-screen mode, and shows each picture over the whole back
// buffer at the stream's own rate on the platform clock, so a headless run
// plays on the manual clock in no real time.  The sound is decoded whole
// beforehand and plays as one memory wave on the music channel.

#include "frame/video.h"

#include <cstdio>
#include <cstdlib>

#include "frame/frame_state.h"
#include "frame/input.h"
#include "platform/plat_clock.h"
#include "platform/plat_display.h"
#include "platform/plat_file.h"
#include "platform/plat_keys.h"
#include "platform/plat_surface.h"
#include "platform/plat_system.h"
#include "platform/plat_video.h"
#include "platform/plat_window.h"

// The music channel is free while a video plays: the menus have stopped
// their music before they ask for one.
enum { VIDEO_CHANNEL = 23 };

static const char* const VideoFiles[3] = {"Video\\Glimmerfax.mpg", "Video\\tavrin.mpg", "Video\\intro.mpg"};
static const char* const CdVideoFiles[3] = {"%c:Video\\Glimmerfax.mpg", "%c:Video\\tavrin.mpg",
                                            "%c:Video\\intro.mpg"};

void (*VideoPictureShownHook)(PlatSurface* backBuffer);

// A close request stopped a video: the rest are not played.
static int CloseRequested;

static void VideoFailure(const char* what, int result) {
    char line[256];
    snprintf(line, sizeof line, "Video: %s: %s", what, PlatVideoResultText(result));
    PlatDebugOut(line);
}

// Beside the program first, else on the CD-ROM drive found at start-up.
static const char* VideoPath(int index, char* buffer, int size) {
    if (PlatFileExists(VideoFiles[index]) || !CdDriveLetter)
        return VideoFiles[index];
    snprintf(buffer, (size_t)size, CdVideoFiles[index], CdDriveLetter);
    return buffer;
}

int OpenMediaStream(const char* path, MediaStream* stream) {
    stream->video = nullptr;
    stream->sound = 0;
    const int result = PlatVideoOpenFile(path, &stream->video);
    if (result != PLAT_VIDEO_OK) {
        VideoFailure(path, result);
        return result;
    }
    void* image = nullptr;
    int bytes = 0;
    if (PlatMixerIsOpen() && PlatVideoDecodeSound(stream->video, &image, &bytes) > 0)
        stream->sound = PlatMixerOpenWaveMemory(image, bytes);
    free(image);
    return PLAT_VIDEO_OK;
}

void CloseMediaStream(MediaStream* stream) {
    PlatMixerFreeWave(stream->sound);
    PlatVideoClose(stream->video);
    stream->video = nullptr;
    stream->sound = 0;
}

static void WaitUntil(uint32_t when) {
    for (;;) {
        const int32_t left = (int32_t)(when - PlatTimeMs());
        if (left <= 0)
            return;
        PlatSleepMs(left);
    }
}

// Converts the decoded picture over the whole back buffer.
static int DrawPicture(PlatSurface* backBuffer, PlatVideo* video) {
    void* bits = nullptr;
    int pitch = 0;
    int code = PlatSurfaceLock(backBuffer, nullptr, PLAT_WAIT | PLAT_LOCK_WRITEONLY, &bits, &pitch);
    if (code == DDERR_SURFACELOST) {
        PlatSurfaceRestore(backBuffer);
        code = PlatSurfaceLock(backBuffer, nullptr, PLAT_WAIT | PLAT_LOCK_WRITEONLY, &bits, &pitch);
    }
    if (code != DD_OK)
        return PLAT_VIDEO_BAD_TARGET;
    const int result = PlatVideoConvert(video, bits, pitch, PlatSurfaceWidth(backBuffer),
                                        PlatSurfaceHeight(backBuffer), PlatSurfaceFormat(backBuffer));
    PlatSurfaceUnlock(backBuffer);
    return result;
}

// Flips, restoring the flipping chain once when it was lost and repeating
// while the primary is still drawing.
static void FlipVideo(PlatSurface* primary) {
    int restored = 0;
    for (int i = 0; i < PLAT_STILL_DRAWING_RETRIES; i++) {
        const int code = PlatSurfaceFlip(primary, 0);
        if (code == DDERR_SURFACELOST && !restored) {
            PlatSurfaceRestore(primary);
            PlatSurfaceRestore(PlatSurfaceAttached(primary, PLAT_SURF_BACKBUFFER));
            restored = 1;
            continue;
        }
        if (code != DDERR_WASSTILLDRAWING)
            return;
    }
}

// Input is pumped every picture so the key state is fresh.  Key presses and
// typed characters belong to the video and are dropped: the key that cuts a
// video short must not also act on the menus after it.  A close request
// (or a quit) stops the video and is put back for the message loop.
static int PumpVideoMessages() {
    PlatMsg msg;
    while (PlatPeekMessage(&msg)) {
        switch (msg.message) {
        case WM_CLOSE:
            PlatPostMessage(WM_CLOSE, msg.wParam, msg.lParam);
            CloseRequested = 1;
            return 0;
        case WM_QUIT:
            PlatPostQuitMessage((int)msg.wParam);
            CloseRequested = 1;
            return 0;
        case WM_KEYDOWN:
        case WM_CHAR: break;
        default: PlatDispatchMessage(&msg); break;
        }
    }
    return 1;
}

static int SkipKeyDown() { return IsKeyDown(VK_ESCAPE) || IsKeyDown(VK_SPACE) || IsKeyDown(VK_RETURN); }

void PlayStreamToScreen(PlatSurface* backBuffer, PlatSurface* primary, MediaStream* stream) {
    int rateNum = 25, rateDen = 1;
    PlatVideoFrameRate(stream->video, &rateNum, &rateDen);
    int volume = -1;
    if (stream->sound) {
        volume = PlatMixerGetVolume(VIDEO_CHANNEL);
        PlatMixerOpenChannel(VIDEO_CHANNEL);
        PlatMixerSetVolume(VIDEO_CHANNEL, PLAT_MIXER_MAX_VOLUME);
        PlatMixerSetFrequency(VIDEO_CHANNEL, PLAT_MIXER_RATE);
        PlatMixerPlay(VIDEO_CHANNEL, stream->sound, 0, nullptr);
    }
    // Picture n is due n frame periods after the first; the last one stays
    // for its own period, so the sound is heard to its end.
    const uint32_t start = PlatTimeMs();
    auto due = [&](int64_t n) { return start + (uint32_t)(n * 1000 * rateDen / rateNum); };
    for (int64_t shown = 0;; shown++) {
        int result = PlatVideoNextPicture(stream->video);
        if (result == 0) {
            WaitUntil(due(shown));
            break;
        }
        if (result > 0)
            result = DrawPicture(backBuffer, stream->video);
        if (result < 0) {
            VideoFailure("the video stopped", result);
            break;
        }
        WaitUntil(due(shown));
        FlipVideo(primary);
        if (VideoPictureShownHook)
            VideoPictureShownHook(backBuffer);
        if (!PumpVideoMessages())
            break;
        if (SkipKeyDown()) {
            VideoSkipped = 1;
            break;
        }
    }
    if (stream->sound) {
        PlatMixerFlush(VIDEO_CHANNEL);
        PlatMixerSetVolume(VIDEO_CHANNEL, volume);
    }
}

// A primary surface with one back buffer in the display's mode.
static int CreateFlippingChain(int width, int height, PlatSurface** primary, PlatSurface** backBuffer) {
    PlatSurfaceCreate(width, height, PLAT_PF_DISPLAY, PLAT_SURF_PRIMARY | PLAT_SURF_VIDEOMEMORY, primary);
    PlatSurfaceCreate(width, height, PLAT_PF_DISPLAY, PLAT_SURF_BACKBUFFER | PLAT_SURF_VIDEOMEMORY, backBuffer);
    if (!*primary || !*backBuffer) {
        PlatSurfaceRelease(*primary);
        PlatSurfaceRelease(*backBuffer);
        *primary = *backBuffer = nullptr;
        return 0;
    }
    PlatSurfaceAttach(*primary, *backBuffer);
    for (int i = 0; i < PLAT_STILL_DRAWING_RETRIES; i++) {
        if (PlatSurfaceFill(*backBuffer, nullptr, 0, 0) != DDERR_WASSTILLDRAWING)
            break;
    }
    return 1;
}

void RestoreDesktopMode() {
    const int width = DesktopRect.right - DesktopRect.left;
    const int height = DesktopRect.bottom - DesktopRect.top;
    static const int depths[3] = {16, 24, 32};
    for (int bits : depths) {
        if (PlatDisplaySetMode(width, height, bits) != DD_OK)
            continue;
        PlatSurface *primary = nullptr, *backBuffer = nullptr;
        CreateFlippingChain(width, height, &primary, &backBuffer);
        PlatSurfaceRelease(backBuffer);
        PlatSurfaceRelease(primary);
        return;
    }
}

// The small modes first; 640 x 480 only when none of them works.
static int SetVideoMode(int* width, int* height) {
    static const int ladder[6][3] = {{320, 240, 16}, {320, 240, 24}, {320, 240, 32},
                                     {640, 480, 24}, {640, 480, 16}, {640, 480, 32}};
    for (int rung = 0; rung < 6; rung++) {
        if (PlatDisplaySetMode(ladder[rung][0], ladder[rung][1], ladder[rung][2]) == DD_OK) {
            *width = ladder[rung][0];
            *height = ladder[rung][1];
            VideoLargeMode = rung >= 3;
            return 1;
        }
    }
    return 0;
}

// Plays videos first..last on a display of the player's own, with a mixer
// session of its own when the game has none open.
static void PlayVideos(int first, int last) {
    ForceDisplayRecreate = 0;
    CloseRequested = 0;
    if (PlatDisplayOpen(0) != DD_OK)
        return;
    PlatDisplaySetCooperativeLevel(1);
    const int ownSession = !PlatMixerIsOpen() && PlatMixerOpen(PLAT_MIXER_RATE, PLAT_MIXER_MAX_CHANNELS);

    int width = 0, height = 0;
    PlatSurface *primary = nullptr, *backBuffer = nullptr;
    if (SetVideoMode(&width, &height)) {
        // The pointer is relative here and has no place of its own on the
        // screen: hiding it is all that keeps it out of the picture.
        PlatShowCursor(0);
        CreateFlippingChain(width, height, &primary, &backBuffer);
    }
    for (int i = first; primary && i <= last && !CloseRequested; i++) {
        char cdPath[64];
        MediaStream stream;
        if (OpenMediaStream(VideoPath(i, cdPath, sizeof cdPath), &stream) == PLAT_VIDEO_OK)
            PlayStreamToScreen(backBuffer, primary, &stream);
        CloseMediaStream(&stream);
    }
    PlatSurfaceRelease(backBuffer);
    PlatSurfaceRelease(primary);

    RestoreDesktopMode();
    if (ownSession)
        PlatMixerClose();
    PlatDisplayClose();
}

void PlayIntroVideos() { PlayVideos(0, 2); }

void VideoHook(int request) {
    if (request == 3)
        PlayIntroVideos();
    else if (request >= 0 && request <= 2)
        PlayVideos(request, request);
}
