// Checking and indexing an archive's directory, and lookups in it.
//
// The directory of an archive stays in memory while it is mounted, in a
// compact form (a 152-byte record becomes 16 bytes and its name); lookups go
// through a hash of (parent, name) instead of scanning 20,000 records, but
// find the same record a scan in record order would: the first of its name.

#include "frame/vfs_archive.h"

#include <cstring>

static int LowerAscii(int c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

static uint32_t HashName(int parent, const char* name, int length) {
    uint32_t h = 2166136261u;
    for (int i = 0; i < length; i++) {
        h ^= (uint32_t)LowerAscii((unsigned char)name[i]);
        h *= 16777619u;
    }
    // The table takes the low bits, which the byte loop alone mixes poorly.
    h ^= (uint32_t)parent * 0x9e3779b1u;
    h ^= h >> 16;
    h *= 0x85ebca6bu;
    h ^= h >> 13;
    h *= 0xc2b2ae35u;
    return h ^ (h >> 16);
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
    // Name offsets in the index are 32-bit: the records stay under 2 GB.
    return bytes <= archiveSize && bytes <= 0x7fffffff ? bytes : -1;
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
    for (VfsFileEntry& file : index->files) {
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
    const char* names = index->names.data();
    const VfsDirEntry* dirs = index->dirs.data();
    const VfsFileEntry* files = index->files.data();
    for (int i = 0; i < dirCount; i++) {
        if (dirs[i].parent >= 0)
            EnterSlot(index->dirSlots, i, [=](int j) { return names + dirs[j].name; },
                      [dirs](int j) { return dirs[j].parent; });
    }
    for (int i = 0; i < fileCount; i++) {
        if (files[i].parent >= 0)
            EnterSlot(index->fileSlots, i, [=](int j) { return names + files[j].name; },
                      [files](int j) { return files[j].parent; });
    }
}

// Reads the header and the records in order, from memory or from a file.
struct RecordReader {
    const unsigned char* bytes;   // the memory image, or null for the file
    int64_t left;                 // bytes left in the image
    FILE* file;
};

static int ReadNext(RecordReader* reader, void* out, size_t size) {
    if (!reader->bytes)
        return size == 0 || fread(out, size, 1, reader->file) == 1;
    if ((int64_t)size > reader->left)
        return 0;
    memcpy(out, reader->bytes, size);
    reader->bytes += size;
    reader->left -= (int64_t)size;
    return 1;
}

// Copies a name into the pool, cut to end inside its 128-byte field.
static int32_t AddName(VfsIndex* index, const char* name) {
    const char* end = (const char*)memchr(name, 0, VFS_NAME_SIZE - 1);
    const size_t length = end ? (size_t)(end - name) : VFS_NAME_SIZE - 1;
    const int32_t at = (int32_t)index->names.size();
    index->names.insert(index->names.end(), name, name + length);
    index->names.push_back(0);
    return at;
}

static int LoadIndex(VfsIndex* index, RecordReader* reader, int64_t archiveSize) {
    VfsIndexClear(index);
    VfsArchiveHeader header;
    if (!ReadNext(reader, &header, sizeof header) || VfsDirectoryBytes(header, archiveSize) < 0)
        return 0;
    index->archiveSize = archiveSize;
    index->dirs.resize((size_t)header.dirCount);
    index->files.resize((size_t)header.fileCount);
    index->names.reserve(((size_t)header.dirCount + (size_t)header.fileCount) * 16);

    // Records are read in chunks, so a large archive costs few reads.
    enum { CHUNK = 256 };
    std::vector<VfsFileRecord> fileChunk(CHUNK);
    std::vector<VfsDirRecord> dirChunk(CHUNK);
    for (int i = 0; i < header.dirCount; i += CHUNK) {
        const int n = header.dirCount - i < CHUNK ? header.dirCount - i : CHUNK;
        if (!ReadNext(reader, dirChunk.data(), (size_t)n * sizeof(VfsDirRecord))) {
            VfsIndexClear(index);
            return 0;
        }
        for (int j = 0; j < n; j++)
            index->dirs[(size_t)(i + j)] = {dirChunk[(size_t)j].parent, AddName(index, dirChunk[(size_t)j].name)};
    }
    for (int i = 0; i < header.fileCount; i += CHUNK) {
        const int n = header.fileCount - i < CHUNK ? header.fileCount - i : CHUNK;
        if (!ReadNext(reader, fileChunk.data(), (size_t)n * sizeof(VfsFileRecord))) {
            VfsIndexClear(index);
            return 0;
        }
        for (int j = 0; j < n; j++) {
            const VfsFileRecord& record = fileChunk[(size_t)j];
            index->files[(size_t)(i + j)] = {record.parent, AddName(index, record.name), record.offset, record.size};
        }
    }
    CheckDirectories(index);
    CheckFiles(index);
    BuildSlots(index);
    return 1;
}

int VfsIndexImage(VfsIndex* index, const void* bytes, int64_t available, int64_t archiveSize) {
    VfsIndexClear(index);
    if (!bytes || available < 0 || available > archiveSize)
        return 0;
    RecordReader reader = {(const unsigned char*)bytes, available, nullptr};
    return LoadIndex(index, &reader, archiveSize);
}

int VfsIndexFile(VfsIndex* index, FILE* file, int64_t archiveSize) {
    VfsIndexClear(index);
    if (!file || fseek(file, 0, SEEK_SET) != 0)
        return 0;
    RecordReader reader = {nullptr, 0, file};
    return LoadIndex(index, &reader, archiveSize);
}

int VfsFindDir(const VfsIndex* index, int parent, const char* name, int length) {
    if (index->dirs.empty() || length <= 0 || length >= VFS_NAME_SIZE)
        return 0;
    const uint32_t mask = (uint32_t)index->dirSlots.size() - 1;
    for (uint32_t s = HashName(parent, name, length) & mask; index->dirSlots[s]; s = (s + 1) & mask) {
        const VfsDirEntry& dir = index->dirs[(size_t)index->dirSlots[s] - 1];
        if (dir.parent == parent && SameName(index->names.data() + dir.name, name, length))
            return index->dirSlots[s];
    }
    return 0;
}

int VfsFindFile(const VfsIndex* index, int parent, const char* name, int length) {
    if (index->files.empty() || length <= 0 || length >= VFS_NAME_SIZE)
        return -1;
    const uint32_t mask = (uint32_t)index->fileSlots.size() - 1;
    for (uint32_t s = HashName(parent, name, length) & mask; index->fileSlots[s]; s = (s + 1) & mask) {
        const VfsFileEntry& file = index->files[(size_t)index->fileSlots[s] - 1];
        if (file.parent == parent && SameName(index->names.data() + file.name, name, length))
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
        const char* name = VfsDirName(index, k);
        path.insert(path.begin(), '\\');
        path.insert(path.begin(), name, name + strlen(name));
        k = index->dirs[(size_t)k - 1].parent;
    }
    if ((int)path.size() >= size)
        return 0;
    if (!path.empty())
        memcpy(out, path.data(), path.size());
    out[path.size()] = 0;
    return 1;
}
