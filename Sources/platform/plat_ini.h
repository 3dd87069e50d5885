// Platform layer: INI file reading (GetPrivateProfileString).  Sections and
// keys compare without regard to case; the default comes back when the file,
// section or key is missing.
#pragma once

// Copies the value (cut to size - 1 characters) and returns its length.
int PlatIniGetString(const char* gamePath, const char* section, const char* key,
                     const char* defaultValue, char* out, int size);
int PlatIniGetInt(const char* gamePath, const char* section, const char* key, int defaultValue);
