#include "frame/vfs.h"

#include "platform/plat_file.h"

static int ArchiveCount;

int VfsScanArchives() {
    ArchiveCount = 0;
    PlatFindData data;
    PlatFind* find = PlatFindFirst("data\\*.dat", &data);
    if (!find)
        return 0;
    do {
        if (!data.isDirectory)
            ArchiveCount++;
    } while (PlatFindNext(find, &data));
    PlatFindClose(find);
    return ArchiveCount > 0;
}

// The archive reader is not built yet: nothing is found in the archives and
// every read falls back to the plain folders.
int VfsReadFile(const char*, void*, int) { return 0; }

int VfsLoadFile(const char*, unsigned char** buffer) {
    *buffer = nullptr;
    return 0;
}

void VfsClose() {}
