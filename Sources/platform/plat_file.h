// Platform layer: files, folders and the disk.
//
// The game writes Windows paths: '\' or '/' between components, any letter
// case ("Config", "config" and "CONFIG" are one folder).  Every function here
// maps such a path onto the disk component by component, matching names
// without regard to case, relative to a virtual current folder.  The process
// working directory is never changed (all threads share it).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

enum { PLAT_MAX_PATH = 1024 };

// Maps a game path to a host path; 1 on success.  Components that do not
// exist yet keep their spelling (a file about to be created).
int PlatResolvePath(const char* gamePath, char* hostPath, int size);

// The virtual current folder.  It starts as the process working directory.
int PlatSetCurrentDir(const char* gamePath);
const char* PlatGetCurrentDir();

// fopen on a game path.
FILE* PlatFopen(const char* gamePath, const char* mode);

int PlatFileExists(const char* gamePath);     // a regular file
int PlatIsDirectory(const char* gamePath);
int64_t PlatFileSize(const char* gamePath);   // -1 when missing

// Each returns 1 on success.  Deletion never follows a symbolic link.
int PlatDeleteFile(const char* gamePath);
int PlatRemoveDir(const char* gamePath);      // an empty folder
int PlatMakeDir(const char* gamePath);
int PlatIsSymlink(const char* gamePath);

// Writes a whole file safely: a temporary file beside it, flushed, then
// renamed over the old one.  A failure leaves the old file as it was; 1 on
// success.
int PlatWriteFileAtomic(const char* gamePath, const void* data, size_t size);

// Free bytes on the disk that holds the path (statvfs).
uint64_t PlatDiskFreeBytes(const char* gamePath);

// Directory search with '*' and '?' in the last component (FindFirstFile).
struct PlatFindData {
    char name[256];
    int isDirectory;
    int64_t size;
};
struct PlatFind;
PlatFind* PlatFindFirst(const char* pattern, PlatFindData* data);  // null: nothing matches
int PlatFindNext(PlatFind* find, PlatFindData* data);              // 0 at the end
void PlatFindClose(PlatFind* find);

// Case-insensitive '*' / '?' match of one name.
int PlatWildcardMatch(const char* pattern, const char* name);
