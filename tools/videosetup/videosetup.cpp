// videosetup: writes the display configuration Config\Vondel.cfg.
//
//   videosetup [--mode WxHxD] [--software | --direct3d] [--driver N] [--dir GAMEDIR]
//
// Without options it writes 640 x 480 x 16 on the Direct3D path, the mode
// every machine can show.  The game starts it from its own folder when the
// configuration is missing.

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "frame/frame_state.h"
#include "platform/plat_file.h"

static void Usage() {
    fprintf(stderr, "usage: videosetup [--mode WxHxD] [--software | --direct3d] [--driver N] [--dir GAMEDIR]\n");
}

int main(int argc, char** argv) {
    DisplayConfigRecord config = {640, 480, 16, 0, 0, 1};
    for (int i = 1; i < argc; i++) {
        const char* arg = argv[i];
        if (strcmp(arg, "--mode") == 0 && i + 1 < argc) {
            int w = 0, h = 0, d = 0;
            if (sscanf(argv[++i], "%dx%dx%d", &w, &h, &d) != 3 || w <= 0 || h <= 0 || d <= 0) {
                Usage();
                return 2;
            }
            config.width = w;
            config.height = h;
            config.bitDepth = d;
        } else if (strcmp(arg, "--software") == 0) {
            config.displayKind = 0;
        } else if (strcmp(arg, "--direct3d") == 0) {
            config.displayKind = 1;
        } else if (strcmp(arg, "--driver") == 0 && i + 1 < argc) {
            config.driverIndex = atoi(argv[++i]);
        } else if (strcmp(arg, "--dir") == 0 && i + 1 < argc) {
            if (!PlatSetCurrentDir(argv[++i])) {
                fprintf(stderr, "videosetup: no such folder: %s\n", argv[i]);
                return 1;
            }
        } else {
            Usage();
            return 2;
        }
    }
    if (!PlatIsDirectory("Config"))
        PlatMakeDir("Config");
    if (!PlatWriteFileAtomic("Config\\Vondel.cfg", &config, sizeof config)) {
        fprintf(stderr, "videosetup: Config\\Vondel.cfg could not be written\n");
        return 1;
    }
    return 0;
}
