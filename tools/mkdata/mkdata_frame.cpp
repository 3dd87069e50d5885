// The application frame's part of the game folder: the folder layout, the
// display configuration, the INI file, the visual options and the set-up
// program.

#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "frame/frame_state.h"
#include "frontend/frontend_state.h"
#include "mkdata.h"

static bool CopySetupProgram(const MkOptions& options) {
    if (options.videosetup.empty())
        return true;
    std::ifstream in(options.videosetup, std::ios::binary);
    if (!in) {
        fprintf(stderr, "mkdata: cannot read %s\n", options.videosetup.c_str());
        return false;
    }
    std::stringstream bytes;
    bytes << in.rdbuf();
    const std::string image = bytes.str();
    if (!MkWriteFile("videosetup", image.data(), image.size()))
        return false;
    const std::string host = options.outDir + "/videosetup";
    return chmod(host.c_str(), 0755) == 0;
}

bool MakeFrameData(const MkOptions& options) {
    const char* folders[] = {"data", "Config", "USERS", "Replay\\Users", "Replay\\Internet", "Music", "Video"};
    for (const char* folder : folders) {
        if (!MkMakeDirs(folder))
            return false;
    }

    DisplayConfigRecord display = {640, 480, 16, 0, 0, options.softwareKind ? 0 : 1};
    if (!MkWriteFile("Config\\Vondel.cfg", &display, sizeof display))
        return false;

    // Latencies are ticks between car-state broadcasts, per player count.
    std::string ini = "[Main]\r\nlanguage=english\r\n\r\n[Network]\r\n";
    for (int i = 1; i <= 8; i++)
        ini += "latency" + std::to_string(i) + "=" + std::to_string(i < 4 ? 2 : 3) + "\r\n";
    if (!MkWriteText("Config\\vondel.ini", ini))
        return false;

    unsigned char visual[sizeof VisualSettings] = {};
    visual[VISUAL_EFFECTS_ENABLED] = 1;
    visual[VISUAL_EFFECTS_OPTION] = 1;
    visual[VISUAL_SKY_OPTION] = 1;
    visual[VISUAL_VIEW_PLAYER1] = 1;
    visual[VISUAL_VIEW_PLAYER2] = 1;
    // The sound screen's defaults: effects 3, music 5, normal stereo.
    visual[VISUAL_EFFECTS_LEVEL] = 3;
    visual[VISUAL_MUSIC_LEVEL] = 5;
    visual[VISUAL_STEREO] = 1;
    if (!MkWriteFile("Config\\visual.cfg", visual, sizeof visual))
        return false;

    return CopySetupProgram(options);
}
