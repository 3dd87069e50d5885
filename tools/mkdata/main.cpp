// quorvix-mkdata OUTDIR [--software | --direct3d] [--loose-tracks] [--videosetup PATH]
//
// Writes the sample game folder into OUTDIR.  Its display configuration
// selects the Direct3D drawing path (display kind 1) unless --software is
// given.  --loose-tracks writes the tracks' BIN files as plain files beside
// the archives (archived copies are read first, so edits need them loose).

#include <cstdio>
#include <cstring>

#include "mkdata.h"

int main(int argc, char** argv) {
    MkOptions options;
    for (int i = 1; i < argc; i++) {
        if (strcmp(argv[i], "--software") == 0)
            options.softwareKind = 1;
        else if (strcmp(argv[i], "--direct3d") == 0)
            options.softwareKind = 0;
        else if (strcmp(argv[i], "--loose-tracks") == 0)
            options.looseTracks = 1;
        else if (strcmp(argv[i], "--videosetup") == 0 && i + 1 < argc)
            options.videosetup = argv[++i];
        else if (argv[i][0] != '-' && options.outDir.empty())
            options.outDir = argv[i];
        else {
            fprintf(stderr, "usage: quorvix-mkdata OUTDIR [--software | --direct3d] [--loose-tracks] [--videosetup PATH]\n");
            return 2;
        }
    }
    if (options.outDir.empty()) {
        fprintf(stderr, "usage: quorvix-mkdata OUTDIR [--software | --direct3d] [--loose-tracks] [--videosetup PATH]\n");
        return 2;
    }
    return MakeGameFolder(options) ? 0 : 1;
}
