// The intro video player: the publisher's, the developer's and the game's
// intro videos, played full screen on a display of their own while the
// framework does not exist (at start-up with --intro, or while the display
// is re-created on the menus' request).
#pragma once

#include "platform/plat_mixer.h"

struct PlatSurface;
struct PlatVideo;

// One opened video: its pictures and its sound as a memory wave (0: none).
struct MediaStream {
    PlatVideo* video;
    PlatWave sound;
};

// Plays the three videos one after another.
void PlayIntroVideos();
// Opens a video (a game path) and decodes its sound into a wave of the open
// mixer session; PLAT_VIDEO_OK or the reason it cannot be played, which is
// also written to the debug output.
int OpenMediaStream(const char* path, MediaStream* stream);
void CloseMediaStream(MediaStream* stream);
// Plays an opened video until it ends, a key cuts it short (VideoSkipped)
// or the window is asked to close.
void PlayStreamToScreen(PlatSurface* backBuffer, PlatSurface* primary, MediaStream* stream);
// Sets the display back to the desktop's size.
void RestoreDesktopMode();
// Plays what VideoRequest names: 0, 1 or 2 one video, 3 all three.
void VideoHook(int request);

// For tests: called with the back buffer after each picture is shown.
extern void (*VideoPictureShownHook)(PlatSurface* backBuffer);
