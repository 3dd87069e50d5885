// Reading a player's file (settings, profile, career slot, championship,
// records): whole into a staging copy, believed only when its format's check
// passes it.
#pragma once

// Why a file's bytes are refused, or null when they are taken; null bytes
// are always refused.
typedef const char* (*FileProblemFn)(const unsigned char* bytes, int size);

// Reads the file at `path` into `staging` (`size` bytes at most) and checks
// it: 1 when it was taken.  A file that is there but refused puts one line
// on the message console, "<shown> refused: <reason>" (`shown` is the path
// when null), so the player learns why the game fell back; a missing file
// says nothing.
int ReadPlayerFile(const char* path, const char* shown, void* staging, int size, FileProblemFn problemOf);
