#include "track_test_util.h"

#include <gtest/gtest.h>

#include <string>

#include "common/test_game.h"
#include "platform/plat_file.h"
#include "track/track_files.h"

std::vector<int> CellEntries(const CellListGrid& grid, int x, int z) {
    std::vector<int> entries;
    for (const int* e = CellListAt(grid, x, z); *e != -1; e++)
        entries.push_back(*e);
    return entries;
}

std::string HostPathOf(const std::string& gamePath) {
    char host[PLAT_MAX_PATH];
    EXPECT_TRUE(PlatResolvePath(gamePath.c_str(), host, sizeof host));
    return host;
}

void MakeBinFolder() {
    std::string path;
    for (const char* c = AssetFolder; *c; c++) {
        if (*c == '\\')
            PlatMakeDir(path.c_str());
        path += *c;
    }
    path += "BIN";
    PlatMakeDir(path.c_str());
}

void WriteBinFile(const char* pattern, int number, const void* data, size_t size) {
    char path[256];
    TrackFilePath(path, sizeof path, pattern, number);
    MakeBinFolder();
    ASSERT_TRUE(PlatWriteFileAtomic(path, data, size)) << path;
}
