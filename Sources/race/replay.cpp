// Replay recording and playback, and the replay body of the files (after
// the front end's 124-byte header, little-endian):
//
//   124   int32  saved count N (ticks whose data the file holds)
//   128   int32  car count C
//   132   12 x K keyframes {x, z, heading}, K = (N / 8) x C, car-major
//   ...   N x C  input bytes, tick by tick, car-major
//
// Both routines run on the timer thread; files are saved and loaded with
// the tick not recording (after the race, or before the playback starts).

#include "race/replay.h"

#include <cmath>
#include <cstring>

#include "frame/fileio.h"
#include "frontend/frontend_state.h"
#include "race/engine.h"
#include "race/race_state.h"

int ReplaySavedCount;
int ReplayTickCounter;
int ReplayPhase;
int ReplayCarCount;
int ReplayHoldsRace;
ReplayKeyframe ReplayKeyframes[REPLAY_KEYFRAME_TICKS * 8];
int8_t ReplayInputs[REPLAY_MAX_TICKS * 8];

static_assert(REPLAY_BODY_START == 132, "the keyframes start at byte 132");
static_assert(REPLAY_FILE_MAX == 1000132, "a full body of eight cars");

namespace {

int keyframeWrite;   // next keyframe record to record
int inputIndex;      // next input byte to record or play

// Playback: each car's position and heading between keyframes, and its
// step per tick.
struct Interpolation {
    float x, z, heading;
    float stepX, stepZ, stepHeading;
};
Interpolation playback[MAX_CARS];

int Cars() { return CarCount < 1 ? 1 : CarCount > MAX_CARS ? MAX_CARS : (int)CarCount; }

// Files hold little-endian words; so does every machine this builds for,
// but the copy says what it reads.
void PutInt(uint8_t* out, int32_t value) {
    const uint32_t v = (uint32_t)value;
    out[0] = (uint8_t)v;
    out[1] = (uint8_t)(v >> 8);
    out[2] = (uint8_t)(v >> 16);
    out[3] = (uint8_t)(v >> 24);
}

int32_t GetInt(const uint8_t* in) {
    return (int32_t)((uint32_t)in[0] | (uint32_t)in[1] << 8 | (uint32_t)in[2] << 16 | (uint32_t)in[3] << 24);
}

// The file image being written or read.
uint8_t fileImage[REPLAY_FILE_MAX];

void SetCarPose(int car, const Interpolation& at) {
    SimPosX[car] = at.x;
    SimPosZ[car] = at.z;
    SimHeading[car] = at.heading;
    HeadingAccum[car] = at.heading;
}

}  // namespace

int ReplayFileSize(int ticks, int cars) {
    return REPLAY_BODY_START + 12 * (ticks / REPLAY_KEYFRAME_EVERY) * cars + ticks * cars;
}

void ResetReplay() {
    keyframeWrite = 0;
    inputIndex = 0;
    ReplayPhase = 0;
    ReplayTickCounter = 0;
    if (ReplayPlayback == 0)
        ReplayCarCount = Cars();
}

void RecordReplayTick(int car) {
    if (ReplayTickCounter >= REPLAY_MAX_TICKS || car < 0 || car >= MAX_CARS)
        return;
    if (ReplayPhase % REPLAY_KEYFRAME_EVERY == 0 && keyframeWrite < REPLAY_KEYFRAME_TICKS * 8)
        ReplayKeyframes[keyframeWrite++] = {SimPosX[car], SimPosZ[car], SimHeading[car]};
    if (inputIndex < REPLAY_MAX_TICKS * 8)
        ReplayInputs[inputIndex++] = (int8_t)(CarInputBits[car] & 0xFF);
    if (car == Cars() - 1) {
        ReplayHoldsRace = 1;
        ReplayCarCount = Cars();
        // One less than the ticks recorded: the last tick's data may be
        // incomplete when the race ends between two cars.
        ReplaySavedCount = ReplayTickCounter;
        ReplayPhase++;
        ReplayTickCounter++;
    }
}

void PlayReplayTick(int car) {
    if (ReplayTickCounter >= REPLAY_MAX_TICKS || car < 0 || car >= MAX_CARS)
        return;
    // Playback ends 20 ticks before the stored end; a file with fewer than
    // 20 stored ticks ends at its first tick, so no tick plays past the
    // data.
    if (ReplayTickCounter >= ReplaySavedCount - 20) {
        BackToMenusRequest = 1;
        return;
    }
    const int cars = Cars();
    Interpolation& at = playback[car];
    if (ReplayPhase % REPLAY_KEYFRAME_EVERY == 0) {
        const int frame = ReplayPhase / REPLAY_KEYFRAME_EVERY;
        const ReplayKeyframe& key = ReplayKeyframes[frame * cars + car];
        at = {key.x, key.z, key.heading, 0.0f, 0.0f, 0.0f};
        // The last stored keyframe holds its place: nothing is read past
        // the stored keyframes.
        if (frame + 1 < ReplaySavedCount / REPLAY_KEYFRAME_EVERY) {
            const ReplayKeyframe& next = ReplayKeyframes[(frame + 1) * cars + car];
            at.stepX = (next.x - key.x) * 0.125f;
            at.stepZ = (next.z - key.z) * 0.125f;
            at.stepHeading = (next.heading - key.heading) * 0.125f;
        }
    } else {
        at.x += at.stepX;
        at.z += at.stepZ;
        at.heading += at.stepHeading;
    }
    SetCarPose(car, at);
    CarInputBits[car] = ReplayInputs[ReplayTickCounter * cars + car];
    // The physics step of this tick drives with the recorded byte, as the
    // recorded car did; a finished car keeps the tick's own driving.
    if (LapsDone[car] != LapsToRun && RaceOver != 1)
        DecodeCarInputBits(CarInputBits[car]);
    if (car == cars - 1) {
        ReplayPhase++;
        ReplayTickCounter++;
    }
}

int SaveReplayData(const char* path, const ReplayHeaderRecord* header) {
    if (!header)
        return 0;
    int ticks = ReplaySavedCount < 0 ? 0 : ReplaySavedCount > REPLAY_MAX_TICKS ? REPLAY_MAX_TICKS : ReplaySavedCount;
    const int cars = ReplayCarCount < 1 ? 1 : ReplayCarCount > MAX_CARS ? MAX_CARS : ReplayCarCount;
    const int keyframes = (ticks / REPLAY_KEYFRAME_EVERY) * cars;
    std::memcpy(fileImage, header, REPLAY_HEADER_BYTES);
    PutInt(fileImage + REPLAY_HEADER_BYTES, ticks);
    PutInt(fileImage + REPLAY_HEADER_BYTES + 4, cars);
    uint8_t* out = fileImage + REPLAY_BODY_START;
    for (int k = 0; k < keyframes; k++, out += 12) {
        const float values[3] = {ReplayKeyframes[k].x, ReplayKeyframes[k].z, ReplayKeyframes[k].heading};
        for (int v = 0; v < 3; v++) {
            int32_t bits;
            std::memcpy(&bits, &values[v], 4);
            PutInt(out + 4 * v, bits);
        }
    }
    std::memcpy(out, ReplayInputs, (size_t)(ticks * cars));
    if (!WriteWholeFile(path, ReplayFileSize(ticks, cars), fileImage))
        return 0;
    return 1 + 1 + keyframes + ticks * cars;
}

// A keyframe value as the file holds it.
static float KeyValue(const uint8_t* in) {
    const int32_t bits = GetInt(in);
    float value;
    std::memcpy(&value, &bits, 4);
    return value;
}

const char* ReplayFileProblem(const unsigned char* bytes, int size) {
    if (!bytes || size < REPLAY_BODY_START)
        return "a replay holds a 124-byte header and its counts";
    ReplayHeaderRecord h;
    std::memcpy(&h, bytes, REPLAY_HEADER_BYTES);
    if (h.trackCode < 10 || h.trackCode > 79)
        return "the track code names no track group 1 to 7";
    if (h.carCount < 1 || h.carCount > MAX_CARS || h.laps < 1 || h.laps > LAP_TABLE_LAPS || h.mode < 0 || h.mode > 2)
        return "the cars, laps or mode are out of range";
    for (int car = 0; car < 8; car++) {
        if (h.carModels[car] < 0 || h.carModels[car] >= REPLAY_CAR_MODELS || h.carColours[car] < 0 ||
            h.carColours[car] >= REPLAY_CAR_COLOURS)
            return "a car model or colour is out of range";
    }
    const int ticks = GetInt(bytes + REPLAY_HEADER_BYTES), cars = GetInt(bytes + REPLAY_HEADER_BYTES + 4);
    if (cars != h.carCount)
        return "the body's car count is not the header's";
    if (ticks < 0 || ticks > REPLAY_MAX_TICKS)
        return "the body's tick count is not 0 to 50,000";
    if (size != ReplayFileSize(ticks, cars))
        return "the file's size is not the one its counts give";
    // Positions and headings of a race stay far inside the limit; two
    // keyframes beyond it could step a car to infinity.
    const int values = 3 * (ticks / REPLAY_KEYFRAME_EVERY) * cars;
    for (int v = 0; v < values; v++) {
        const float value = KeyValue(bytes + REPLAY_BODY_START + 4 * v);
        if (!std::isfinite(value) || std::fabs(value) > REPLAY_VALUE_LIMIT)
            return "a keyframe is no number or lies far outside any track";
    }
    return nullptr;
}

int LoadReplayData(const char* path, ReplayHeaderRecord* header) {
    if (!header || ReadWholeFile(path, fileImage, (int)sizeof fileImage) != 1 ||
        ReplayFileProblem(fileImage, LastFileSize))
        return 0;
    std::memcpy(header, fileImage, REPLAY_HEADER_BYTES);
    const int ticks = GetInt(fileImage + REPLAY_HEADER_BYTES), cars = header->carCount;
    const int keyframes = (ticks / REPLAY_KEYFRAME_EVERY) * cars;
    const uint8_t* in = fileImage + REPLAY_BODY_START;
    for (int k = 0; k < keyframes; k++, in += 12)
        ReplayKeyframes[k] = {KeyValue(in), KeyValue(in + 4), KeyValue(in + 8)};
    std::memcpy(ReplayInputs, in, (size_t)(ticks * cars));
    ReplaySavedCount = ticks;
    ReplayCarCount = cars;
    ReplayHoldsRace = 0;
    return 1 + 1 + keyframes + ticks * cars;
}
