// Replay recording and playback.  Every race tick records each car's control
// byte and, every 8 ticks, a keyframe of its plan position and heading;
// playback feeds the bytes back and moves the cars linearly between the
// keyframes.
#pragma once

#include <cstdint>

struct ReplayHeaderRecord;

enum {
    REPLAY_MAX_TICKS = 50000,
    REPLAY_KEYFRAME_EVERY = 8,
    REPLAY_KEYFRAME_TICKS = REPLAY_MAX_TICKS / REPLAY_KEYFRAME_EVERY,
    REPLAY_HEADER_BYTES = 124,
    REPLAY_BODY_START = REPLAY_HEADER_BYTES + 8,   // after the saved count and the car count
};

struct ReplayKeyframe {
    float x, z, heading;
};
static_assert(sizeof(ReplayKeyframe) == 12, "replay keyframes are 12 bytes");

// A loaded keyframe value past this is refused: no track reaches it.
constexpr float REPLAY_VALUE_LIMIT = 1.0e7f;

// The largest replay file: every tick and keyframe of eight cars.
enum {
    REPLAY_FILE_MAX = REPLAY_BODY_START + 12 * REPLAY_KEYFRAME_TICKS * 8 + REPLAY_MAX_TICKS * 8,
};

// Race start: pointers to the start, phase and tick counter 0 (recording and
// playback alike; the loaded data stays).
void ResetReplay();
// Tick, per car, before the car's physics step.
void RecordReplayTick(int car);
void PlayReplayTick(int car);
// The header and the recorded body into a file; the number of items written
// (header, count pair, keyframes, input bytes), 0 when it was not written.
int SaveReplayData(const char* path, const ReplayHeaderRecord* header);
// A replay file into the header and the buffers; the number of items read,
// 0 when the file could not be read or was refused (nothing changes then).
int LoadReplayData(const char* path, ReplayHeaderRecord* header);
// Bytes a body of `ticks` saved ticks and `cars` cars takes with its header.
int ReplayFileSize(int ticks, int cars);

// The recording (replay.cpp): the saved count, ticks recorded or played,
// and the buffers.
extern int ReplaySavedCount;
extern int ReplayTickCounter;
extern int ReplayPhase;
extern int ReplayCarCount;                       // cars of the loaded or recorded body
extern int ReplayHoldsRace;                      // 1: the buffers hold a race recorded here, not a file
extern ReplayKeyframe ReplayKeyframes[REPLAY_KEYFRAME_TICKS * 8];
extern int8_t ReplayInputs[REPLAY_MAX_TICKS * 8];
