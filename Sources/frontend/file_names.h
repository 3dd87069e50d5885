// Names that become file names: profile names, replay names, and the names
// found in the user folders.
#pragma once

enum {
    PROFILE_NAME_TYPED = 15,    // characters the text entry lets a player type
    PROFILE_NAME_LISTED = 24,   // characters a listed name may have
};

// 1 when the name may name a file in a user folder: 1 to `maxLength`
// characters, none of \ / : * ? " < > | nor a control character, and no "."
// first (so no name reaches above or beside its folder).
int FileNameSafe(const char* name, int maxLength);
