// The sound files of the sample game folder: every wave the menu and race
// banks name and the music, each a sine tone of its own pitch (mono, 16-bit,
// 22050 Hz), so a test can tell which sound plays.
#pragma once

#include <string>

// The tone in Hz and the length in sample frames of a generated sound file,
// by its game path (any letter case, '\' separators); 0 for a path the
// generator does not write.
int MkSoundToneHz(const std::string& gamePath);
int MkSoundFrames(const std::string& gamePath);
// Number of distinct sound files written.
int MkSoundFileCount();
