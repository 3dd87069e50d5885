// Video files by game path: the path resolver finds the file, the decoder
// reads it from the host path.

#include "platform/plat_file.h"
#include "platform/plat_video.h"
#include "platform/plat_video_internal.h"

int PlatVideoOpenFile(const char* gamePath, PlatVideo** out) {
    if (out)
        *out = nullptr;
    char host[PLAT_MAX_PATH];
    if (!gamePath || !out || !PlatResolvePath(gamePath, host, sizeof host) || !PlatFileExists(gamePath))
        return PLAT_VIDEO_NO_FILE;
    return VideoOpenHostFile(host, out);
}
