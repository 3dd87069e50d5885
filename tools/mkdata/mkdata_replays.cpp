// The demo replays the main menu plays when it is left idle, and that the
// single-race screen's demo buttons play: cars lapping a sample track in
// file, each following the centre line at its own offset and pace.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "frontend/frontend_state.h"
#include "mkdata.h"
#include "mkdata_track.h"
#include "race/race_state.h"
#include "race/replay.h"

namespace {

struct MkDemo {
    const char* file;
    const char* name;
    int trackCode;
    int cars;
};

const MkDemo Demos[] = {
    {"Replay\\Users\\Buggy.rb", "Buggy", 70, 4},
    {"Replay\\Users\\jump.rb", "jump", 40, 3},
    {"Replay\\Users\\NewVondel.rb", "NewVondel", 10, 6},
};

constexpr int DEMO_TICKS = 3600;   // a minute at 60 ticks a second
constexpr int KEY_EVERY = REPLAY_KEYFRAME_EVERY;

void PutWord(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; i++)
        out.push_back((uint8_t)(v >> (8 * i)));
}

void PutFloat(std::vector<uint8_t>& out, float f) {
    uint32_t bits;
    std::memcpy(&bits, &f, 4);
    PutWord(out, bits);
}

bool WriteDemo(const MkDemo& demo) {
    MkPath path;
    if (!MkSampleLoop(MkTrackParams(demo.trackCode), path) || path.rings.size() < 2 || path.length <= 0.0)
        return false;
    // The loop's headings run on round it; each lap adds one full turn, so
    // the keyframes never swing back across the start.
    const double lapTurn = path.rings.back().heading - path.rings.front().heading;

    ReplayHeaderRecord header;
    std::memset(&header, 0, sizeof header);
    std::memcpy(header.tag, "V1.0", 4);
    std::snprintf(header.replayName, sizeof header.replayName, "%s", demo.name);
    std::snprintf(header.playerName, sizeof header.playerName, "%s", "QUORVIX");
    std::snprintf(header.date, sizeof header.date, "%s", "01/01/26 - 12:00:00");
    header.trackCode = (int8_t)demo.trackCode;
    header.carCount = (int8_t)demo.cars;
    header.laps = 3;
    header.mode = 0;
    for (int car = 0; car < 8; car++) {
        header.carModels[car] = (int8_t)((car * 3 + demo.trackCode / 10) % 18);
        header.carColours[car] = (int8_t)(car % 4);
    }

    std::vector<uint8_t> file((const uint8_t*)&header, (const uint8_t*)&header + sizeof header);
    PutWord(file, DEMO_TICKS);
    PutWord(file, (uint32_t)demo.cars);
    // A lap in about forty seconds, the cars a little apart in pace.
    const double basePace = path.length / (40.0 * 60.0);
    for (int key = 0; key < DEMO_TICKS / KEY_EVERY; key++) {
        for (int car = 0; car < demo.cars; car++) {
            const double pace = basePace * (1.0 - 0.015 * car);
            const double s = path.gridS - 1500.0 * car + pace * key * KEY_EVERY;
            const double lap = std::floor(s / path.length);
            const MkRing& ring = path.rings[(size_t)MkRingAt(path, s)];
            const double side = (car % 2 ? 1200.0 : -1200.0);
            PutFloat(file, (float)(ring.x + side * std::cos(ring.heading)));
            PutFloat(file, (float)(ring.z - side * std::sin(ring.heading)));
            PutFloat(file, (float)(ring.heading + lap * lapTurn));
        }
    }
    for (int tick = 0; tick < DEMO_TICKS; tick++)
        for (int car = 0; car < demo.cars; car++)
            file.push_back((uint8_t)INPUT_ACCELERATE);
    if ((int)file.size() != ReplayFileSize(DEMO_TICKS, demo.cars))
        return false;
    return MkWriteFile(demo.file, file.data(), file.size());
}

}  // namespace

bool MkWriteDemoReplays() {
    for (const MkDemo& demo : Demos) {
        if (!WriteDemo(demo)) {
            std::fprintf(stderr, "mkdata: demo replay %s could not be made\n", demo.file);
            return false;
        }
    }
    return true;
}
