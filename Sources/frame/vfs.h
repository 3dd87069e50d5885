// The data archives: read-only archives of all assets in .\data\*.dat.
//
// The first component of an asset path names the archive ("3d\Cars\..."
// lies in data\3d.dat, "WAVE\IENGINES\..." in data\WAVE.dat); the rest is a
// folder chain inside it.  Names compare without regard to letter case.  A
// path whose first component names no archive is not found here; the callers
// that can read plain files then look on the disk (ReadWholeFile).
//
// One archive is open at a time: opening a file of another archive (or a
// path that is in no archive) closes the open one.  A handle reads from the
// archive that was open when it was made, so it is good only until then;
// afterwards it reads nothing.  Every caller opens, reads and frees in one go.
//
// Main thread only.
#pragma once

#include <cstdint>

// An open archived file.  The caller owns it and frees it with VfsFree.
struct VfsHandle {
    int32_t found;           // 1
    int32_t dirIndex;        // the directory of the entry (0 the root)
    int32_t fileIndex;       // the entry's file record
    int32_t position;        // read position, 0 at open
    int32_t dataOffset;      // where the entry's data starts in the archive
    int32_t size;
    int32_t reserved;
    char dirPath[128];
    char fileName[128];
    int32_t archive;         // the archive it reads, and which opening of
    int32_t openSerial;      // it: reads through an older one give nothing
};

// Lists .\data\*.dat and mounts each archive (checking its header and
// records; a bad one is skipped with a debug line).  1 when at least one
// archive is mounted, 0 when none is (start-up then fails).  Remembers the
// current folder as the base folder of every later lookup.
int VfsScanArchives();

// Mounts an archive kept in another folder (a path to its .dat file); its
// number from 1, or 0 when the table is full or it cannot be mounted.
int VfsAddArchive(const char* path);

// A new handle on the archived file, or null when the path is not archived.
VfsHandle* VfsOpen(const char* path);
// Reads elementSize x count bytes from the handle's position, clipped to
// the end of the entry; advances the position and returns the bytes read.
int VfsRead(void* buffer, int elementSize, int count, VfsHandle* handle);
// origin 1 from the start, 2 from the end, 3 from the position.  The new
// position must lie in 0 .. size - 1: then 1, else 0 and nothing moves.
int VfsSeek(VfsHandle* handle, int offset, int origin);
int VfsSize(const VfsHandle* handle);
int VfsTell(const VfsHandle* handle);
void VfsFree(VfsHandle* handle);

// Reads an archived file whole into the caller's buffer of `capacity` bytes:
// the bytes read; 0 when the path is not archived (or the entry is empty);
// -1 when the entry is archived but larger than the buffer.
int VfsReadFile(const char* path, void* buffer, int capacity);
// Reads an archived file whole into a buffer it allocates (the caller frees
// it with free()); the size, 0 (and no buffer) when the path is not archived,
// the entry is empty or the allocation fails.
int VfsLoadFile(const char* path, unsigned char** buffer);

// Unmounts every archive (shutdown).
void VfsClose();

// The last failure of a lookup: 1 an archive could not be opened, 2 a
// folder of the path was not found; 0 after a scan.
int VfsLastError();
