// Turning the staged archive trees into the game's data archives.

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <string>

#include "mkdata.h"

// The staged files are moved into the plain folders, where the game finds
// them after the archives, and data\ gets one empty archive so the archive
// scan at start-up succeeds.
bool FinishArchives(const MkOptions& options) {
    const std::string stage = options.outDir + "/.stage";
    struct stat st;
    if (stat(stage.c_str(), &st) == 0) {
        const std::string command = "cp -R '" + stage + "/.' '" + options.outDir + "/' && rm -rf '" + stage + "'";
        if (system(command.c_str()) != 0) {
            fprintf(stderr, "mkdata: cannot move the staged files\n");
            return false;
        }
    }
    const int32_t emptyHeader[2] = {0, 0};
    return MkWriteFile("data\\base.dat", emptyHeader, sizeof emptyHeader);
}
