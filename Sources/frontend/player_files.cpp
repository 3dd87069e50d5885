#include "frontend/player_files.h"

#include <cstdio>

#include "frame/fileio.h"
#include "race/messages.h"

int ReadPlayerFile(const char* path, const char* shown, void* staging, int size, FileProblemFn problemOf) {
    const int read = ReadWholeFile(path, staging, size) == 1;
    // A file that is there but could not be read whole (too long for the
    // record, or empty) is refused as well: every check refuses no bytes,
    // naming the size its format wants.
    const char* problem = read                  ? problemOf((const unsigned char*)staging, LastFileSize)
                          : QueryFileSize(path) ? problemOf(nullptr, LastFileSize)
                                                : nullptr;
    if (read && !problem)
        return 1;
    if (problem) {
        // The console keeps 99 characters a line.
        char line[160];
        std::snprintf(line, sizeof line, "%.60s refused: %s", shown ? shown : path, problem);
        ConsoleAddLine(line);
    }
    return 0;
}
