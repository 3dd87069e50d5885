// The fly-by sets of CONFIG\Present.cfg: every set at the defaults, and a
// track's set flown along the guide line that its track data left in the
// line tables (set 10 from track 10's).

#include <cmath>
#include <cstring>

#include "mkdata.h"
#include "race/race_state.h"
#include "track/track_state.h"

namespace {

PresentationSet PresentSets[PRESENTATION_SETS];
int PresentSetsReady;

void DefaultSets() {
    memset(PresentSets, 0, sizeof PresentSets);
    for (PresentationSet& set : PresentSets) {
        for (PresentationKeyframe& f : set.frames) {
            f.swayAmplitude = 1.0f;
            f.steps = 100.0f;
            f.focalFactor = 400.0f;
            f.duration = 200.0f;
        }
    }
    PresentSetsReady = 1;
}

}  // namespace

// Four flights a quarter of the lap apart, each from high above a guide
// point down to a point further along the line, looking along it.  Camera
// points are eye values: the negated world point.
void MkPresentationSet(int code) {
    if (!PresentSetsReady)
        DefaultSets();
    const int count = CpuLinePointCounts[CPU_LINE_GUIDE];
    if (code < 0 || code >= PRESENTATION_SETS || count < 8)
        return;
    PresentationSet& set = PresentSets[code];
    for (int k = 0; k < 4; k++) {
        const int from = k * count / 4, to = (from + count / 16 + 1) % count;
        const CpuLinePoint& a = CpuLineTable[CPU_LINE_GUIDE][from];
        const CpuLinePoint& b = CpuLineTable[CPU_LINE_GUIDE][to];
        PresentationKeyframe& f = set.frames[k];
        f.startX = -a.x;
        f.startY = -(a.y + 900.0f);
        f.startZ = -a.z;
        f.endX = -b.x;
        f.endY = -(b.y + 500.0f);
        f.endZ = -b.z;
        f.angleA = 0.25f;
        f.angleB = std::atan2(b.x - a.x, b.z - a.z);
        f.angleC = 0.0f;
        f.swayAmplitude = 0.15f;
        f.swayStep = 0.01f;
        f.steps = 200.0f;
        f.duration = 200.0f;
    }
}

bool MkWritePresentSets() {
    if (!PresentSetsReady)
        DefaultSets();
    const bool written = MkWriteFile("Config\\Present.cfg", PresentSets, sizeof PresentSets);
    PresentSetsReady = 0;
    return written;
}
