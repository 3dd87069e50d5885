// libFuzzer target: the archive checks and lookups on arbitrary bytes.
//
// The input is a whole archive file.  Whatever it holds, indexing it must
// not read outside it, every entry it accepts must lie inside it and be
// found again by its own path, and lookups of any path must be safe.
// Built and run by scripts/fuzz.sh (clang, ASan + UBSan).

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "frame/vfs_archive.h"

static int LowerAscii(int c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

static int SameNoCase(const char* a, const char* b) {
    for (; *a && *b; a++, b++) {
        if (LowerAscii((unsigned char)*a) != LowerAscii((unsigned char)*b))
            return 0;
    }
    return *a == *b;
}

// The file of an in-archive path, -1 when there is none.
static int Find(const VfsIndex& index, const std::string& path) {
    int dir = 0;
    size_t start = 0;
    for (size_t cut; (cut = path.find('\\', start)) != std::string::npos; start = cut + 1) {
        dir = VfsFindDir(&index, dir, path.data() + start, (int)(cut - start));
        if (!dir)
            return -1;
    }
    return VfsFindFile(&index, dir, path.data() + start, (int)(path.size() - start));
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    VfsIndex index;
    if (!VfsIndexImage(&index, data, (int64_t)size, (int64_t)size))
        return 0;

    std::vector<char> path((index.dirs.size() + 1) * VFS_NAME_SIZE + 1);
    volatile uint8_t touch = 0;
    for (int f = 0; f < (int)index.files.size(); f++) {
        const VfsFileEntry& entry = index.files[(size_t)f];
        if (entry.parent < 0)
            continue;
        if (entry.size > 0)   // the first and last byte: ASan stops a read past the input
            touch = touch ^ data[entry.offset] ^ data[(size_t)entry.offset + (size_t)entry.size - 1];
        if (!VfsDirPath(&index, entry.parent, path.data(), (int)path.size()))
            __builtin_trap();   // an accepted file whose folder does not reach the root
        const char* name = VfsFileName(&index, f);
        if (strlen(name) >= VFS_NAME_SIZE)
            __builtin_trap();
        if (!*name || strchr(name, '\\'))
            continue;   // not reachable by a path
        // The path leads to this entry's folder unless a name on it is
        // unusable or an earlier folder of the same name takes its place.
        bool reachable = true;
        for (int d = entry.parent; d != 0; d = index.dirs[(size_t)d - 1].parent) {
            const char* dirName = VfsDirName(&index, d);
            const int parent = index.dirs[(size_t)d - 1].parent;
            reachable = reachable && *dirName && !strchr(dirName, '\\') &&
                        VfsFindDir(&index, parent, dirName, (int)strlen(dirName)) == d;
        }
        const int found = Find(index, std::string(path.data()) + name);
        if (!reachable)
            continue;
        // Found: the first entry of that name in that folder, never a later one.
        if (found < 0 || found > f || index.files[(size_t)found].parent != entry.parent ||
            !SameNoCase(VfsFileName(&index, found), name))
            __builtin_trap();
    }
    for (int d = 1; d <= (int)index.dirs.size(); d++) {
        if (index.dirs[(size_t)d - 1].parent >= 0 && !VfsDirPath(&index, d, path.data(), (int)path.size()))
            __builtin_trap();
    }

    // Any path made of the input's own bytes.
    const size_t length = size < 300 ? size : 300;
    std::string probe((const char*)data, length);
    probe.erase(std::find(probe.begin(), probe.end(), '\0'), probe.end());
    Find(index, probe);
    return 0;
}
