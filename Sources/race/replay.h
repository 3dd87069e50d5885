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
// The car models a race runs (18 and 19 on another model's parts) and the
// paints of each.
enum { REPLAY_CAR_MODELS = 20, REPLAY_CAR_COLOURS = 4 };

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
// Why a replay file image is refused, or null: a header of track code 10
// to 79, 1 to 8 cars, 1 to 6 laps, mode 0 to 2, models 0 to 19 and colours
// 0 to 3, a body of the header's cars and 0 to 50,000 ticks, the file
// exactly the size those counts give, every keyframe a number within
// REPLAY_VALUE_LIMIT.  The check of LoadReplayData and quorvix-save.
const char* ReplayFileProblem(const unsigned char* bytes, int size);
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
