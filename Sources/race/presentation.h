// The presentation fly-by: before a one-player race a camera flies over the
// track along the keyframes of the track's set while the track's name,
// rules and records are shown; Space ends it.  The camera steps once per
// tick (timer thread, under the simulation lock); the texts are the frame's.
#pragma once

#include <cstdint>

struct PlatSurface;

// Defaults everywhere, then CONFIG\Present.cfg over them (start-up and every
// race start), each set back at its first keyframe.
void LoadPresentationSets();
// Lays the bytes of a Present.cfg image over the table (at most 38,552 of
// them) and puts right what cannot be flown: a step count, duration or
// focal factor that is no number or not above 0 takes its default (so do
// steps that would leap more than 10^9 a tick), a position that is no
// number or beyond 10^9 ends the sequence there, angles that are no number
// or beyond 10^6 become 0 (the sway amplitude 1).
void ParsePresentationSets(const uint8_t* data, int size);
void ResetPresentationSets();
void StartPresentationKeyframe(int set, int k);
// One tick of keyframe k of the set: 1 when the keyframe is over.
int StepPresentationKeyframe(int set, int k);
void UpdatePresentationCamera();
// The set a track flies: some tracks share one.
int PresentationSetFor(int trackCode);
void DrawPresentationText(PlatSurface* surface);
// The text slot of a track code's name as the fly-by shows it (some codes
// read differently outside single races); 0 for a code with no name.
int TrackLine(int code);
