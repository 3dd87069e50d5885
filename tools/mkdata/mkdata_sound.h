// The sound files of the sample game folder: every wave the menu and race
// banks name and the music (mono, 16-bit, 22050 Hz), each with a pitch of its
// own so a test can tell which sound plays: the engines a tone of 100 to
// 250 Hz with weaker harmonics, the music an 8-second arpeggio over a root,
// everything else a sine.
#pragma once

#include <string>

// The tone in Hz (an engine's fundamental, the music's root; rounded) and
// the length in sample frames of a generated sound file,
// by its game path (any letter case, '\' separators); 0 for a path the
// generator does not write.
int MkSoundToneHz(const std::string& gamePath);
int MkSoundFrames(const std::string& gamePath);
// Number of distinct sound files written.
int MkSoundFileCount();
