// quorvix-mkdata OUTDIR [--software] [--videosetup PATH]
//
// Writes the sample game folder into OUTDIR.

#include <cstdio>
#include <cstring>

#include "mkdata.h"

int main(int argc, char** argv) {
    MkOptions options;
    for (int i = 1; i < argc; i++) {
        if (strcmp(argv[i], "--software") == 0)
            options.softwareKind = 1;
        else if (strcmp(argv[i], "--videosetup") == 0 && i + 1 < argc)
            options.videosetup = argv[++i];
        else if (argv[i][0] != '-' && options.outDir.empty())
            options.outDir = argv[i];
        else {
            fprintf(stderr, "usage: quorvix-mkdata OUTDIR [--software] [--videosetup PATH]\n");
            return 2;
        }
    }
    if (options.outDir.empty()) {
        fprintf(stderr, "usage: quorvix-mkdata OUTDIR [--software] [--videosetup PATH]\n");
        return 2;
    }
    return MakeGameFolder(options) ? 0 : 1;
}
