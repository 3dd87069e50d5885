// The data archives: read-only archives of all assets in .\data\*.dat.
//
// The first component of an asset path names the archive ("3d\Cars\..."
// lies in data\3d.dat); the rest is a folder chain inside it.
#pragma once

// 1 after listing the archives, 0 when .\data\*.dat matches nothing.
int VfsScanArchives();
// Reads an archived file whole into the caller's buffer of `capacity` bytes;
// the bytes read, 0 when the path is not archived or does not fit.
int VfsReadFile(const char* path, void* buffer, int capacity);
// Reads an archived file whole into a buffer it allocates (the caller frees
// it with free()); the size, 0 (and no buffer) when the path is not archived.
int VfsLoadFile(const char* path, unsigned char** buffer);
void VfsClose();
