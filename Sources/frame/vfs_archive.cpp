// Checking and indexing an archive's directory, and lookups in it.
//
// The records of an archive stay in memory while it is mounted; lookups go
// through a hash of (parent, name) instead of scanning 20,000 records, but
// find the same record a scan in record order would: the first of its name.

#include "frame/vfs_archive.h"

#include <cstring>

static int LowerAscii(int c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

static uint32_t HashName(int parent, const char* name, int length) {
    uint32_t h = 2166136261u ^ (uint32_t)parent;
    for (int i = 0; i < length; i++) {
        h ^= (uint32_t)LowerAscii((unsigned char)name[i]);
        h *= 16777619u;
    }
    return h ^ (h >> 15);
}

// `name` of `length` bytes against a NUL-terminated record name.
static int SameName(const char* record, const char* name, int length) {
    for (int i = 0; i < length; i++) {
        if (!record[i] || LowerAscii((unsigned char)record[i]) != LowerAscii((unsigned char)name[i]))
            return 0;
    }
    return record[length] == 0;
}

int64_t VfsDirectoryBytes(const VfsArchiveHeader& header, int64_t archiveSize) {
    if (header.dirCount < 0 || header.fileCount < 0 || archiveSize < 0)
        return -1;
    const int64_t bytes = (int64_t)sizeof(VfsArchiveHeader) + (int64_t)header.dirCount * (int64_t)sizeof(VfsDirRecord) +
                          (int64_t)header.fileCount * (int64_t)sizeof(VfsFileRecord);
    return bytes <= archiveSize ? bytes : -1;
}

void VfsIndexClear(VfsIndex* index) { *index = VfsIndex(); }

static std::vector<int32_t> MakeSlots(int count) {
    size_t capacity = 16;
    while (capacity < (size_t)count * 2)
        capacity *= 2;
    return std::vector<int32_t>(capacity, 0);
}

// Enters record `i` unless an earlier record of the same parent and name is
// there already.  `name(j)` and `parent(j)` read record j.
template <typename Name, typename Parent>
static void EnterSlot(std::vector<int32_t>& slots, int i, Name name, Parent parent) {
    const char* own = name(i);
    const int length = (int)strlen(own);
    const uint32_t mask = (uint32_t)slots.size() - 1;
    for (uint32_t s = HashName(parent(i), own, length) & mask;; s = (s + 1) & mask) {
        if (slots[s] == 0) {
            slots[s] = i + 1;
            return;
        }
        const int j = slots[s] - 1;
        if (parent(j) == parent(i) && SameName(name(j), own, length))
            return;
    }
}

// Directories: the parent must be 0 or another directory, and following
// parents must reach the root.  A cycle, or a chain through a rejected
// directory, rejects every directory on it.
static void CheckDirectories(VfsIndex* index) {
    const int count = (int)index->dirs.size();
    enum { UNKNOWN, WALKING, GOOD, BAD };
    std::vector<uint8_t> state((size_t)count + 1, UNKNOWN);
    std::vector<int> chain;
    for (int start = 1; start <= count; start++) {
        chain.clear();
        int k = start;
        int verdict = GOOD;
        while (k != 0) {
            if (k < 0 || k > count) {
                verdict = BAD;
                break;
            }
            if (state[k] == GOOD || state[k] == BAD) {
                verdict = state[k];
                break;
            }
            if (state[k] == WALKING) {   // back on this walk: a cycle
                verdict = BAD;
                break;
            }
            state[k] = WALKING;
            chain.push_back(k);
            k = index->dirs[k - 1].parent;
        }
        for (int c : chain) {
            state[c] = (uint8_t)verdict;
            if (verdict == BAD) {
                index->dirs[c - 1].parent = -1;
                index->rejected++;
            }
        }
    }
}

static int ParentIsGood(const VfsIndex* index, int parent) {
    if (parent == 0)
        return 1;
    return parent > 0 && parent <= (int)index->dirs.size() && index->dirs[parent - 1].parent >= 0;
}

static void CheckFiles(VfsIndex* index) {
    for (VfsFileRecord& file : index->files) {
        const int64_t end = (int64_t)file.offset + (int64_t)file.size;
        if (!ParentIsGood(index, file.parent) || file.offset < 0 || file.size < 0 || end > index->archiveSize) {
            file.parent = -1;
            index->rejected++;
        }
    }
}

static void BuildSlots(VfsIndex* index) {
    const int dirCount = (int)index->dirs.size();
    const int fileCount = (int)index->files.size();
    index->dirSlots = MakeSlots(dirCount);
    index->fileSlots = MakeSlots(fileCount);
    const VfsDirRecord* dirs = index->dirs.data();
    const VfsFileRecord* files = index->files.data();
    for (int i = 0; i < dirCount; i++) {
        if (dirs[i].parent >= 0)
            EnterSlot(index->dirSlots, i, [dirs](int j) { return dirs[j].name; }, [dirs](int j) { return dirs[j].parent; });
    }
    for (int i = 0; i < fileCount; i++) {
        if (files[i].parent >= 0)
            EnterSlot(index->fileSlots, i, [files](int j) { return files[j].name; },
                      [files](int j) { return files[j].parent; });
    }
}

// The records are in place: force the names to end inside their field,
// reject bad entries and build the hashes.
static void FinishIndex(VfsIndex* index) {
    for (VfsDirRecord& dir : index->dirs)
        dir.name[VFS_NAME_SIZE - 1] = 0;
    for (VfsFileRecord& file : index->files)
        file.name[VFS_NAME_SIZE - 1] = 0;
    CheckDirectories(index);
    CheckFiles(index);
    BuildSlots(index);
}

int VfsIndexImage(VfsIndex* index, const void* bytes, int64_t available, int64_t archiveSize) {
    VfsIndexClear(index);
    VfsArchiveHeader header;
    if (available < (int64_t)sizeof header || available > archiveSize)
        return 0;
    memcpy(&header, bytes, sizeof header);
    const int64_t need = VfsDirectoryBytes(header, archiveSize);
    if (need < 0 || need > available)
        return 0;
    const unsigned char* p = (const unsigned char*)bytes + sizeof header;
    index->archiveSize = archiveSize;
    index->dirs.resize((size_t)header.dirCount);
    index->files.resize((size_t)header.fileCount);
    if (header.dirCount)
        memcpy(index->dirs.data(), p, index->dirs.size() * sizeof(VfsDirRecord));
    p += index->dirs.size() * sizeof(VfsDirRecord);
    if (header.fileCount)
        memcpy(index->files.data(), p, index->files.size() * sizeof(VfsFileRecord));
    FinishIndex(index);
    return 1;
}

int VfsIndexFile(VfsIndex* index, FILE* file, int64_t archiveSize) {
    VfsIndexClear(index);
    VfsArchiveHeader header;
    if (!file || fseek(file, 0, SEEK_SET) != 0 || fread(&header, sizeof header, 1, file) != 1)
        return 0;
    if (VfsDirectoryBytes(header, archiveSize) < 0)
        return 0;
    index->archiveSize = archiveSize;
    index->dirs.resize((size_t)header.dirCount);
    index->files.resize((size_t)header.fileCount);
    if (fread(index->dirs.data(), sizeof(VfsDirRecord), index->dirs.size(), file) != index->dirs.size() ||
        fread(index->files.data(), sizeof(VfsFileRecord), index->files.size(), file) != index->files.size()) {
        VfsIndexClear(index);
        return 0;
    }
    FinishIndex(index);
    return 1;
}

int VfsFindDir(const VfsIndex* index, int parent, const char* name, int length) {
    if (index->dirs.empty() || length <= 0 || length >= VFS_NAME_SIZE)
        return 0;
    const uint32_t mask = (uint32_t)index->dirSlots.size() - 1;
    for (uint32_t s = HashName(parent, name, length) & mask; index->dirSlots[s]; s = (s + 1) & mask) {
        const VfsDirRecord& dir = index->dirs[(size_t)index->dirSlots[s] - 1];
        if (dir.parent == parent && SameName(dir.name, name, length))
            return index->dirSlots[s];
    }
    return 0;
}

int VfsFindFile(const VfsIndex* index, int parent, const char* name, int length) {
    if (index->files.empty() || length <= 0 || length >= VFS_NAME_SIZE)
        return -1;
    const uint32_t mask = (uint32_t)index->fileSlots.size() - 1;
    for (uint32_t s = HashName(parent, name, length) & mask; index->fileSlots[s]; s = (s + 1) & mask) {
        const VfsFileRecord& file = index->files[(size_t)index->fileSlots[s] - 1];
        if (file.parent == parent && SameName(file.name, name, length))
            return index->fileSlots[s] - 1;
    }
    return -1;
}

int VfsDirPath(const VfsIndex* index, int dir, char* out, int size) {
    if (size <= 0)
        return 0;
    out[0] = 0;
    // Directories were checked to reach the root, so the walk up ends.
    std::vector<char> path;
    for (int k = dir; k != 0;) {
        if (k < 0 || k > (int)index->dirs.size() || index->dirs[(size_t)k - 1].parent < 0)
            return 0;
        const VfsDirRecord& record = index->dirs[(size_t)k - 1];
        const size_t length = strlen(record.name);
        path.insert(path.begin(), '\\');
        path.insert(path.begin(), record.name, record.name + length);
        k = record.parent;
    }
    if ((int)path.size() >= size)
        return 0;
    memcpy(out, path.data(), path.size());
    out[path.size()] = 0;
    return 1;
}
