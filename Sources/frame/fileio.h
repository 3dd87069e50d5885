// Whole-file reading and writing, and the debug-log hooks.
//
// Every configuration, track, object and user file is the image of a fixed
// record, read and written whole.  Reads look in the data archives first and
// in the plain folders second.
#pragma once

// Size of the file the last ReadWholeFile or QueryFileSize found; 0 after a
// failed read.
extern int LastFileSize;

// Reads a whole file into the caller's buffer of `capacity` bytes, from the
// archives first and the plain folders second: 1 when it was read (its size
// in LastFileSize), -1 when it could not be read or does not fit (LastFileSize
// 0, and the error line in TextBufferB).  An empty file counts as unreadable.
int ReadWholeFile(const char* path, void* buffer, int capacity);

// Reads up to `count` bytes from the start of a plain disk file (never from
// an archive): 1 when at least one byte was read, else -1.  LastFileSize is 0
// afterwards.
int ReadFileBytes(const char* path, void* buffer, int count);

// Replaces the file with the buffer (safely: a temporary file renamed over
// it).  1 on success; 0 after a failure, which is shown on the console.
int WriteWholeFile(const char* path, int count, const void* buffer);

// 1 and LastFileSize = the size when the plain disk file opens for reading,
// else 0.  The archives are not consulted.
int QueryFileSize(const char* path);

// Debug hooks: shown on the debugger output with --debug, nowhere otherwise.
void DebugLogText(const char* text);
void DebugLogLoaded(const char* path);
void DebugLogLine(const char* text, int flag);
