// quorvix-vfs: the game's data archives from the command line.
//
//   quorvix-vfs pack FOLDER OUT.dat    packs a folder tree into an archive
//   quorvix-vfs ls ARCHIVE [FOLDER]    lists an archive, or one folder of it
//   quorvix-vfs cat GAMEDIR PATH       prints a file as the game reads it:
//                                      GAMEDIR's archives first, then its
//                                      plain folders
//
// Everything goes through the game's own archive code.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "frame/fileio.h"
#include "frame/vfs.h"
#include "frame/vfs_archive.h"
#include "platform/plat_file.h"

static int Usage() {
    fprintf(stderr,
            "usage: quorvix-vfs pack FOLDER OUT.dat\n"
            "       quorvix-vfs ls ARCHIVE [FOLDER]\n"
            "       quorvix-vfs cat GAMEDIR PATH\n");
    return 2;
}

static int Pack(const char* folder, const char* out) {
    char error[PLAT_MAX_PATH + 128];
    const int files = VfsPackFolder(folder, out, error, sizeof error);
    if (files < 0) {
        fprintf(stderr, "quorvix-vfs: %s\n", error);
        return 1;
    }
    printf("%s: %d files\n", out, files);
    return 0;
}

// 1 when directory `dir` is `folder` or lies below it.
static int IsUnder(const VfsIndex& index, int dir, int folder) {
    for (int k = dir;; k = index.dirs[(size_t)k - 1].parent) {
        if (k == folder)
            return 1;
        if (k <= 0)
            return 0;
    }
}

static int List(const char* archivePath, const char* folderPath) {
    FILE* file = PlatFopen(archivePath, "rb");
    long size = -1;
    if (file && fseek(file, 0, SEEK_END) == 0)
        size = ftell(file);
    VfsIndex index;
    const int ok = size >= 0 && VfsIndexFile(&index, file, size);
    if (file)
        fclose(file);
    if (!ok) {
        fprintf(stderr, "quorvix-vfs: %s: %s\n", archivePath,
                file ? "not an archive (its header does not fit the file)" : "cannot be opened");
        return 1;
    }
    if (index.rejected)
        fprintf(stderr, "quorvix-vfs: %s: %d bad entries ignored\n", archivePath, index.rejected);

    int folder = 0;
    for (const char* p = folderPath ? folderPath : ""; *p;) {
        while (*p == '\\' || *p == '/')
            p++;
        const char* start = p;
        while (*p && *p != '\\' && *p != '/')
            p++;
        if (p > start && !(folder = VfsFindDir(&index, folder, start, (int)(p - start)))) {
            fprintf(stderr, "quorvix-vfs: %s: no folder %s\n", archivePath, folderPath);
            return 1;
        }
    }

    std::vector<std::pair<std::string, int>> lines;   // path, size (-1 a folder)
    char path[8192];
    for (int d = 1; d <= (int)index.dirs.size(); d++) {
        if (d != folder && index.dirs[(size_t)d - 1].parent >= 0 && IsUnder(index, d, folder) &&
            VfsDirPath(&index, d, path, sizeof path))
            lines.emplace_back(path, -1);
    }
    for (int f = 0; f < (int)index.files.size(); f++) {
        const VfsFileEntry& entry = index.files[(size_t)f];
        if (entry.parent >= 0 && IsUnder(index, entry.parent, folder) &&
            VfsDirPath(&index, entry.parent, path, sizeof path))
            lines.emplace_back(std::string(path) + VfsFileName(&index, f), entry.size);
    }
    std::sort(lines.begin(), lines.end());
    for (const auto& [name, bytes] : lines) {
        if (bytes < 0)
            printf("%10s  %s\n", "-", name.c_str());
        else
            printf("%10d  %s\n", bytes, name.c_str());
    }
    return 0;
}

static int Cat(const char* gameDir, const char* path) {
    if (!PlatSetCurrentDir(gameDir)) {
        fprintf(stderr, "quorvix-vfs: %s: not a folder\n", gameDir);
        return 1;
    }
    VfsScanArchives();
    // The buffer is as large as the larger of the two copies; ReadWholeFile
    // then picks the one the game would.
    int64_t capacity = PlatFileSize(path);
    if (VfsHandle* handle = VfsOpen(path)) {
        capacity = std::max<int64_t>(capacity, VfsSize(handle));
        VfsFree(handle);
    }
    if (capacity > 0x7fffffff)
        capacity = 0x7fffffff;
    std::vector<unsigned char> buffer((size_t)std::max<int64_t>(capacity, 1));
    if (ReadWholeFile(path, buffer.data(), (int)capacity) < 0) {
        fprintf(stderr, "quorvix-vfs: %s: cannot be read\n", path);
        VfsClose();
        return 1;
    }
    fwrite(buffer.data(), 1, (size_t)LastFileSize, stdout);
    VfsClose();
    return fflush(stdout) == 0 ? 0 : 1;
}

int main(int argc, char** argv) {
    if (argc == 4 && strcmp(argv[1], "pack") == 0)
        return Pack(argv[2], argv[3]);
    if ((argc == 3 || argc == 4) && strcmp(argv[1], "ls") == 0)
        return List(argv[2], argc == 4 ? argv[3] : nullptr);
    if (argc == 4 && strcmp(argv[1], "cat") == 0)
        return Cat(argv[2], argv[3]);
    return Usage();
}
