// The presentation fly-by.  Each keyframe flies the camera in a straight
// line, 1 / steps of the way a tick, for `duration` ticks, its yaw swaying
// by a sine; car 0 rides under the camera so that the race frame's car
// snapshot and camera code follow it like any chase view.

#include "race/presentation.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "frame/fileio.h"
#include "frame/frame_state.h"
#include "frame/sim_lock.h"
#include "frontend/frontend_state.h"
#include "frontend/text_slots.h"
#include "net/net_state.h"
#include "race/race_state.h"
#include "render/render_state.h"
#include "render/text_printer.h"

PresentationSet PresentationSets[PRESENTATION_SETS];
int PresentationLoaded;

namespace {

const char* const PresentCfgPath = "CONFIG\\Present.cfg";

const float DefaultAmplitude = 1.0f, DefaultSteps = 100.0f, DefaultFocal = 400.0f, DefaultDuration = 200.0f;

int ValidSet(int set) { return set >= 0 && set < PRESENTATION_SETS; }
int ValidKeyframe(int k) { return k >= 0 && k < PRESENTATION_KEYFRAMES; }

void SetDefaults() {
    for (PresentationSet& set : PresentationSets) {
        set.keyframe = 0;
        set.sway = 0.0f;
        for (PresentationKeyframe& frame : set.frames) {
            frame.swayAmplitude = DefaultAmplitude;
            frame.steps = DefaultSteps;
            frame.focalFactor = DefaultFocal;
            frame.duration = DefaultDuration;
        }
    }
}

// No track reaches this far from the origin, and no camera turns or moves
// this much: larger values in the file are as good as no number.
const float FarAway = 1.0e9f, WildAngle = 1.0e6f;

float FiniteOr(float value, float fallback, float limit = WildAngle) {
    return std::isfinite(value) && std::fabs(value) <= limit ? value : fallback;
}
float PositiveOr(float value, float fallback) { return std::isfinite(value) && value > 0.0f ? value : fallback; }

// What the camera cannot fly is put right, keyframe by keyframe.
void Sanitise(PresentationKeyframe& f) {
    const float position[6] = {f.startX, f.startY, f.startZ, f.endX, f.endY, f.endZ};
    for (float p : position) {
        if (!(std::fabs(p) <= FarAway)) {
            // The sequence ends here, as a start x of 0.0 ends it.
            f.startX = f.startY = f.startZ = f.endX = f.endY = f.endZ = 0.0f;
            break;
        }
    }
    f.angleA = FiniteOr(f.angleA, 0.0f);
    f.angleB = FiniteOr(f.angleB, 0.0f);
    f.angleC = FiniteOr(f.angleC, 0.0f);
    f.swayAmplitude = FiniteOr(f.swayAmplitude, DefaultAmplitude);
    f.swayStep = FiniteOr(f.swayStep, 0.0f, 1000.0f);
    f.steps = PositiveOr(f.steps, DefaultSteps);
    // A step count so small that a tick would leap across the world is as
    // bad as none.
    const float moves[3] = {f.endX - f.startX, f.endY - f.startY, f.endZ - f.startZ};
    for (float move : moves) {
        if (!std::isfinite(1.0f / f.steps) || !(std::fabs(move / f.steps) <= FarAway)) {
            f.steps = DefaultSteps;
            break;
        }
    }
    f.focalFactor = PositiveOr(FiniteOr(f.focalFactor, DefaultFocal, FarAway), DefaultFocal);
    f.duration = PositiveOr(f.duration, DefaultDuration);
}

// The keyframe after k: a keyframe whose start x is 0.0 ends the sequence.
int NextKeyframe(const PresentationSet& set, int k) {
    k = k + 1 >= PRESENTATION_KEYFRAMES ? 0 : k + 1;
    return set.frames[k].startX == 0.0f ? 0 : k;
}

// ---------------------------------------------------------------------------
// Texts.

int InRange(int code, int first, int last) { return code >= first && code <= last; }

int GroupTitle(int code) {
    if (InRange(code, 10, 15))
        return 1724;
    if (InRange(code, 20, 24))
        return 1725;
    if (InRange(code, 30, 31))
        return 1726;
    if (InRange(code, 40, 45))
        return 1735;
    if (InRange(code, 50, 57))
        return 1742;
    if (InRange(code, 60, 69))
        return 1751;
    if (InRange(code, 70, 75) || code == 77)
        return 1759;
    if (code == 76 || code == 78 || code == 79)
        return 1775;
    return 0;
}

// The title of the split screen's presentation screen, which knows fewer
// tracks.
int SplitGroupTitle(int code) {
    if (InRange(code, 10, 13))
        return 1724;
    if (InRange(code, 20, 23))
        return 1725;
    if (InRange(code, 30, 32))
        return 1726;
    if (InRange(code, 60, 66))
        return 1751;
    if (InRange(code, 70, 75))
        return 1759;
    if (code == 76 || code == 79)
        return 1775;
    return 0;
}

}  // namespace

// The menus name a championship's races by it too.
int TrackLine(int code) {
    const int single = SingleRaceMode != 0;
    switch (code) {
    case 10: return single ? 1727 : 1729;
    case 11: return 1730;
    case 12: case 13: case 15: return 1733;
    case 14: return 1727;
    case 20: return 1728;
    case 21: return 1732;
    case 22: case 23: return 1733;
    case 24: return 1777;
    case 30: return 1731;
    case 31: return 1734;
    case 40: return 1737;
    case 41: return 1738;
    case 42: return 1739;
    case 43: return 1740;
    case 44: return 1741;
    case 45: return 1736;
    case 50: return 1744;
    case 51: return 1745;
    case 52: return 1746;
    case 53: return 1747;
    case 54: return 1748;
    case 55: return 1749;
    case 56: return 1743;
    case 57: return 1750;
    case 60: return 1753;
    case 61: return 1755;
    case 62: return single ? 1752 : 1754;
    case 63: return 1756;
    case 64: return 1757;
    case 65: case 66: case 69: return 1758;
    case 68: return 1752;
    case 70: return 1762;
    case 71: return single ? 1760 : 1761;
    case 72: return 1763;
    case 73: return 1764;
    case 74: return 1765;
    case 75: return 1767;
    case 77: return 1760;
    case 76: case 78: case 79: return 1766;
    default: return 0;
    }
}

namespace {

void PrintSlot(int slot, int y, int font, PlatSurface* surface) {
    if (slot <= 0)
        return;
    GetText(slot);
    PrintText(320, y, TextBufferB, font, ALIGN_CENTRE, surface, 0);
}

void PrintLine(const char* text, int y, int font, PlatSurface* surface) {
    PrintText(320, y, text, font, ALIGN_CENTRE, surface, 0);
}

// The goal of keyframe 0: a label and its value.
void DrawGoal(int code, PlatSurface* surface) {
    char value[64];
    const int jump = TrackGroup == 4;
    int label = 1768;
    value[0] = 0;
    if (jump) {
        label = 1773;
        const int variant = TrackVariant >= 0 && TrackVariant < 8 ? TrackVariant : 0;
        snprintf(value, sizeof value, "%4.02f", JumpRecordTable[variant]);
    } else if (code == 31) {
        label = 1772;
        snprintf(value, sizeof value, "1:%02d", (int)TimeLeft.seconds);
    } else if (InRange(code, 50, 54) || code == 56) {
        label = 1772;
        snprintf(value, sizeof value, "%d:%02d", (int)TimeLeft.minutes, (int)TimeLeft.seconds);
    } else if (code == 57) {
        label = 1772;
        snprintf(value, sizeof value, "%d:%02d", 2, 4);
    } else {
        const int win = code == 20 || code == 55 || code == 60 || (code == 71 && !SingleRaceMode);
        GetText(win ? 1770 : 1769);
        snprintf(value, sizeof value, "%.63s", TextBufferB);
    }
    PrintSlot(label, 178, 2, surface);
    PrintLine(value, 198, 0, surface);
}

// "slot holder time" with the holder and the time in the highlight font.
void DrawRecordLine(int slot, const char* holder, const RecordTime& time, int y, PlatSurface* surface) {
    char name[RECORD_NAME_BYTES + 1];
    snprintf(name, sizeof name, "%.*s", RECORD_NAME_BYTES, holder);
    GetText(slot);
    char line[160];
    snprintf(line, sizeof line, "%.60s \x1f%s\x1f %02d:%02d:%02d", TextBufferB, name[0] ? name : "---", time.minutes,
             time.seconds, time.hundredths);
    PrintLine(line, y, 1, surface);
}

void DrawRecords(int code, PlatSurface* surface) {
    const int row = code >= 0 && code < RECORD_TRACK_CODES ? code : 0;
    if (TrackGroup != 4) {
        DrawRecordLine(430, LapRecordNames[row], BestLapTimes[row], 178, surface);
        DrawRecordLine(431, RaceRecordNames[row], BestRaceTimes[row], 208, surface);
    } else if (!SingleRaceMode) {
        const int variant = TrackVariant >= 0 && TrackVariant < 8 ? TrackVariant : 0;
        GetText(429);
        char line[160];
        snprintf(line, sizeof line, "%.60s \x1f%4.02f", TextBufferB, JumpRecordTable[variant]);
        PrintLine(line, 178, 1, surface);
    }
    if (!ChampionshipRunning && !SingleRaceMode) {
        GetText(428);
        char line[160];
        snprintf(line, sizeof line, "%.60s \x1f*%d*", TextBufferB, PresentationCountShown);
        PrintLine(line, 233, 1, surface);
    }
}

// The championship line of the presentation screen: 437, or by kind and
// stage 438..439 or 440..442.
int ChampionshipLine() {
    if (ChampionshipKind == 1)
        return 438 + (ChampionshipStage >= 0 && ChampionshipStage <= 1 ? ChampionshipStage : 0);
    if (ChampionshipKind == 2)
        return 440 + (ChampionshipStage >= 0 && ChampionshipStage <= 2 ? ChampionshipStage : 0);
    return 437;
}

int StandingsSlot(int row) { return 754 + (row >= 0 && row < 8 ? row : 0); }

}  // namespace

void ParsePresentationSets(const uint8_t* data, int size) {
    if (data && size > 0) {
        if (size > PRESENT_CFG_BYTES)
            size = PRESENT_CFG_BYTES;
        memcpy((void*)PresentationSets, data, (size_t)size);
    }
    for (PresentationSet& set : PresentationSets) {
        for (PresentationKeyframe& frame : set.frames)
            Sanitise(frame);
    }
}

void LoadPresentationSets() {
    PresentationLoaded = 1;
    SetDefaults();
    // The file is untrusted: read into a staging copy, never more than the
    // table holds.
    static uint8_t staging[PRESENT_CFG_BYTES];
    int size = 0;
    if (ReadWholeFile(PresentCfgPath, staging, PRESENT_CFG_BYTES) == 1)
        size = LastFileSize;
    else if (QueryFileSize(PresentCfgPath) && LastFileSize > PRESENT_CFG_BYTES &&
             ReadFileBytes(PresentCfgPath, staging, PRESENT_CFG_BYTES) == 1)
        size = PRESENT_CFG_BYTES;
    ParsePresentationSets(staging, size);
    for (int s = 0; s < PRESENTATION_SETS; s++) {
        PresentationSets[s].keyframe = 0;
        PresentationSets[s].ticks = 0;
        PresentationSets[s].sway = 0.0f;
        StartPresentationKeyframe(s, 0);
    }
}

void ResetPresentationSets() {
    for (PresentationSet& set : PresentationSets) {
        set.keyframe = 0;
        set.ticks = 0;
        set.sway = 0.0f;
    }
}

void StartPresentationKeyframe(int s, int k) {
    if (!ValidSet(s) || !ValidKeyframe(k))
        return;
    PresentationSet& set = PresentationSets[s];
    const PresentationKeyframe& f = set.frames[k];
    set.x = f.startX;
    set.y = f.startY;
    set.z = f.startZ;
    set.angleA = f.angleA;
    set.angleB = f.angleB;
    set.angleC = f.angleC;
    set.ticks = 0;
    set.sway = 0.0f;
}

int StepPresentationKeyframe(int s, int k) {
    if (!ValidSet(s) || !ValidKeyframe(k))
        return 1;
    PresentationSet& set = PresentationSets[s];
    const PresentationKeyframe& f = set.frames[k];
    set.sway += f.swayStep;
    // The angles are the view's while the presentation camera flies.
    CameraPitch[0] = set.angleA;
    AnguloDeDeriva[0] = std::sin(set.sway) * f.swayAmplitude + set.angleB;
    CameraRoll[0] = set.angleC;

    const float step = 1.0f / f.steps;
    set.x += (f.endX - f.startX) * step;
    set.y += (f.endY - f.startY) * step;
    set.z += (f.endZ - f.startZ) * step;

    // The eye follows the camera and car 0 stands at its world point.
    ChaseEyeX[0] = set.x;
    ChaseEyeY[0] = set.y;
    ChaseEyeZ[0] = set.z;
    SimPosX[0] = -set.x;
    SimPosY[0] = -set.y;
    SimPosZ[0] = -set.z;

    ViewFocalScale = f.focalFactor * 0.0015625f * ScreenRight;

    set.ticks += 1;
    if ((float)set.ticks > f.duration) {
        StartPresentationKeyframe(s, k);
        return 1;
    }
    return 0;
}

void UpdatePresentationCamera() {
    if (PresentationCamera != 1 || FrontEndActive != 0 || SceneReady != 1 || RacePaused == 1)
        return;
    OwnCarVisible[0] = 0;
    const int s = PresentationSetFor(TrackCode);
    PresentationSet& set = PresentationSets[s];
    int k = ValidKeyframe(set.keyframe) ? set.keyframe : 0;
    if (StepPresentationKeyframe(s, k) == 1) {
        // With the run over the camera keeps flying the same keyframe.
        if (PresentationRun == 1)
            k = NextKeyframe(set, k);
        set.keyframe = k;
        StartPresentationKeyframe(s, k);
    }
}

int PresentationSetFor(int code) {
    if (InRange(code, 11, 17))
        return 10;
    if (InRange(code, 21, 27))
        return 20;
    if (InRange(code, 31, 37))
        return 30;
    switch (code) {
    case 41: case 45: return 42;
    case 44: return 43;
    case 52: return 55;
    case 53: return 51;
    case 54: case 57: return 50;
    case 56: return 55;
    case 63: case 66: return 60;
    case 64: return 61;
    case 65: case 68: case 69: return 62;
    case 70: case 71: case 75: case 76: case 77: return 71;
    case 78: case 79: return 51;
    default: return ValidSet(code) ? code : 0;
    }
}

void DrawPresentationText(PlatSurface* surface) {
    if (RacePaused || FrontEndActive)
        return;
    const int code = TrackCode;
    int n;
    {
        // The tick steps the keyframe on the timer thread.
        SimLockGuard lock;
        n = PresentationSets[PresentationSetFor(code)].keyframe;
    }

    if (PresentationCamera && PresentationRun) {
        PrintSlot(GroupTitle(code), 28, 0, surface);
        PrintSlot(TrackLine(code), 68, 2, surface);
        if (n == 0)
            DrawGoal(code, surface);
        if (n == 1 && !NetworkGame && !SplitScreen)
            DrawRecords(code, surface);
    }

    if (SplitScreen == 1 && RacePhase == 2) {
        PrintSlot(SplitGroupTitle(code), 18, 0, surface);
        PrintSlot(380, 58, 2, surface);
        PrintSlot(ChampionshipLine(), 98, 2, surface);
        if (TrackGroup != 4 && TrackGroup != 5) {
            PrintSlot(StandingsSlot(PlayerStandingsRow[0]), 136, 0, surface);
            PrintSlot(436, 215, 0, surface);
            PrintSlot(StandingsSlot(PlayerStandingsRow[1]), 310, 0, surface);
        } else {
            PrintSlot(StandingsSlot(PresentationStandingsRow), (int)ScreenCentreY - 20, 0, surface);
        }
    }
    if (NetSessionOpen && RacePhase == 2) {
        PrintSlot(SplitGroupTitle(code), 18, 0, surface);
        PrintSlot(379, 58, 2, surface);
        PrintSlot(ChampionshipLine(), 98, 2, surface);
    }

    // The start prompt blinks: 40 ticks shown, 20 hidden.
    if (RacePhase == 2) {
        AnimTicks += FrameTicks;
        if (AnimTicks > 60)
            AnimTicks = 0;
        if (AnimTicks <= 40)
            PrintSlot(NetSessionOpen && !NetIsHost ? 22 : 23, 400, 2, surface);
    }
}
