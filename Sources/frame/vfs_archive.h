// The data archive file: its records, the checked directory of one archive,
// and the writer that packs a folder tree into one.
//
// An archive is a little-endian file: an 8-byte header {directory count D,
// file count F}, D directory records, F file records, then the file data at
// the absolute offsets the file records give.  No compression, no checksum.
// A directory's or file's parent is 0 for the archive's root, k for the k-th
// directory record counting from 1.
//
// An archive is untrusted input: everything here checks it before use, so a
// damaged or hostile archive can cost a lookup, never a crash.
#pragma once

#include <bit>
#include <cstdint>
#include <cstdio>
#include <vector>

static_assert(std::endian::native == std::endian::little, "archives are read in place as little-endian records");

enum {
    VFS_NAME_SIZE = 128,    // names are NUL-terminated inside 128 bytes
    VFS_MAX_ARCHIVES = 16,  // archives the game mounts from data\ at most
};

struct VfsArchiveHeader {
    int32_t dirCount;
    int32_t fileCount;
};
static_assert(sizeof(VfsArchiveHeader) == 8, "archive header is 8 bytes");

struct VfsDirRecord {
    int32_t parent;
    char name[VFS_NAME_SIZE];
};
static_assert(sizeof(VfsDirRecord) == 132, "directory records are 132 bytes");

struct VfsFileRecord {
    int32_t parent;
    char name[VFS_NAME_SIZE];
    int32_t offset;          // absolute byte offset of the data in the archive
    int32_t size;
    uint8_t unused[12];      // written as zeros, never read
};
static_assert(sizeof(VfsFileRecord) == 152, "file records are 152 bytes");

// The checked directory of one archive, kept compact: the records' fields
// that lookups need, and their names in one pool.  Rejected entries keep
// their place but have parent -1, so no lookup reaches them.
struct VfsDirEntry {
    int32_t parent;
    int32_t name;            // offset of the name in VfsIndex::names
};

struct VfsFileEntry {
    int32_t parent;
    int32_t name;
    int32_t offset;
    int32_t size;
};

struct VfsIndex {
    std::vector<VfsDirEntry> dirs;      // directory k is dirs[k - 1]
    std::vector<VfsFileEntry> files;
    std::vector<char> names;            // NUL-terminated, at most 127 characters
    int64_t archiveSize = 0;
    int rejected = 0;                   // entries refused by the checks
    // Hashes of (parent, name without case): index + 1, 0 = empty.  Only
    // the first entry of a name in a parent is entered, as a linear scan in
    // record order would find it.
    std::vector<int32_t> dirSlots;
    std::vector<int32_t> fileSlots;
};

inline const char* VfsDirName(const VfsIndex* index, int dir) {
    return index->names.data() + index->dirs[(size_t)dir - 1].name;
}
inline const char* VfsFileName(const VfsIndex* index, int file) {
    return index->names.data() + index->files[(size_t)file].name;
}

// Bytes of the header and the records that the header announces, or -1 when
// the counts are negative or the records would run past the archive's end.
int64_t VfsDirectoryBytes(const VfsArchiveHeader& header, int64_t archiveSize);

// Checks and indexes an archive whose first `available` bytes are at
// `bytes` and whose whole size is `archiveSize`.  1 on success; 0 when the
// header does not fit (the archive is unusable).  Bad entries are rejected
// one by one and counted in index->rejected.
int VfsIndexImage(VfsIndex* index, const void* bytes, int64_t available, int64_t archiveSize);

// The same for an archive file open for reading (its position is moved).
int VfsIndexFile(VfsIndex* index, FILE* file, int64_t archiveSize);

void VfsIndexClear(VfsIndex* index);

// The directory named `name` (`length` bytes, any case) in the directory
// `parent`: its number from 1, or 0 when there is none.
int VfsFindDir(const VfsIndex* index, int parent, const char* name, int length);

// The file named `name` in the directory `parent`: its record index from 0,
// or -1 when there is none.
int VfsFindFile(const VfsIndex* index, int parent, const char* name, int length);

// The path inside the archive of directory `dir` ("" for the root, else
// "Cars\Car01\"); 0 when it does not fit in `size` bytes or the directory
// was rejected.
int VfsDirPath(const VfsIndex* index, int dir, char* out, int size);

// Packs the folder tree `folder` into the archive `outPath`, names sorted,
// data after the records.  The number of files packed, or -1 with a reason
// in `error` (a name longer than 127 characters, two names in one folder
// that differ only in letter case, an unreadable file, an archive past
// 2 GB, a failed write).  The archive is written whole or not at all.
int VfsPackFolder(const char* folder, const char* outPath, char* error, int errorSize);
