// quorvix-mkdata OUTDIR [--software | --direct3d] [--videosetup PATH]
//
// Writes the sample game folder into OUTDIR.  Its display configuration
// selects the software drawing path unless --direct3d is given (the Direct3D
// path does not draw a race yet).

#include <cstdio>
#include <cstring>

#include "mkdata.h"

int main(int argc, char** argv) {
    MkOptions options;
    options.softwareKind = 1;
    for (int i = 1; i < argc; i++) {
        if (strcmp(argv[i], "--software") == 0)
            options.softwareKind = 1;
        else if (strcmp(argv[i], "--direct3d") == 0)
            options.softwareKind = 0;
        else if (strcmp(argv[i], "--videosetup") == 0 && i + 1 < argc)
            options.videosetup = argv[++i];
        else if (argv[i][0] != '-' && options.outDir.empty())
            options.outDir = argv[i];
        else {
            fprintf(stderr, "usage: quorvix-mkdata OUTDIR [--software | --direct3d] [--videosetup PATH]\n");
            return 2;
        }
    }
    if (options.outDir.empty()) {
        fprintf(stderr, "usage: quorvix-mkdata OUTDIR [--software | --direct3d] [--videosetup PATH]\n");
        return 2;
    }
    return MakeGameFolder(options) ? 0 : 1;
}
