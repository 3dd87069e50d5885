#include "track/scene_points.h"

#include <cstring>

#include "race/race_state.h"
#include "track/track_state.h"

int32_t DustPointsA[DUST_POINTS_A][3];
float DustPointsB[DUST_POINTS_B][3];
float DustPointYaws[DUST_POINTS_B];
float BackdropPlacements[BACKDROP_PLACEMENTS][2];
float BackdropPlacementAngles[BACKDROP_PLACEMENTS];
float CanPosition[3];
float CrowdPoints[CROWD_POINTS][2];
float SkidOnThreshold, SkidOffThreshold;
int LandingVolumeBase;

// Lamps and glows: rows 0..7 are the group 3 lamps, 8..10 group 2's, 11..28
// group 1's (rows 11..24 stand on the walls of the start straight of track
// 10); rows 25..28 exist only on group 4.
static const int32_t PointsA[25][3] = {
    {65614, 1016, 29230}, {66778, 1016, 29380}, {67890, 1016, 29446}, {69006, 1016, 29460},
    {58556, 722, 74489},  {57914, 702, 75457},  {57272, 682, 76425},  {56630, 662, 77393},
    {78120, 40, 102600},  {79300, 40, 104100},  {80480, 40, 105600},  {53812, 2135, 46000},
    {64812, 2135, 49000}, {53812, 2135, 52000}, {64812, 2135, 55000}, {53812, 2135, 58000},
    {64812, 2135, 61000}, {53812, 2135, 64000}, {64812, 2135, 67000}, {53812, 2135, 70000},
    {64812, 2135, 73000}, {53812, 2135, 76000}, {64812, 2135, 79000}, {53812, 2135, 82000},
    {64812, 2135, 85000},
};
static const int32_t PointsAJump[4][3] = {
    {59324, 2135, 47260}, {60628, 2135, 48484}, {61548, 2135, 49916}, {62028, 2135, 51092},
};

// Dust clouds (x, z, y) by track group.
static const float CloudsJump[22][3] = {
    {46153, 56325, 3899}, {45740, 56343, 3868}, {44547, 59285, 3919}, {43847, 60765, 3922}, {43263, 62245, 3917},
    {42816, 63725, 3903}, {42519, 65205, 3879}, {42369, 66685, 3846}, {42355, 68165, 3803}, {42451, 69645, 3753},
    {42622, 71125, 3698}, {42830, 72605, 3640}, {43031, 74085, 3583}, {43181, 75565, 3529}, {43243, 77045, 3482},
    {43186, 78525, 3442}, {42988, 80005, 3411}, {42641, 81485, 3391}, {42146, 82965, 3380}, {41520, 84445, 3378},
    {40789, 85925, 3383}, {39989, 87405, 3393},
};
static const float CloudsCross[4][3] = {
    {17732, 88812, 4616}, {69062, 89579, 4616}, {66454, 23308, 4540}, {16623, 21061, 4524},
};
static const float CloudsCrossYaw[4] = {-0.82f, 0.78f, -0.74f, 0.79f};
static const float CloudsBuggy[23][3] = {
    {27644, 68630, 3722}, {28288, 75645, 3780}, {30171, 82139, 3802}, {33154, 87632, 3772}, {37015, 91715, 3711},
    {41469, 94086, 3657}, {46184, 94569, 3644}, {50812, 93129, 3680}, {55009, 89871, 3744}, {58463, 85038, 3793},
    {60919, 78988, 3797}, {62194, 72170, 3754}, {62194, 65090, 3690}, {60919, 58272, 3647}, {58463, 52222, 3651},
    {55009, 47389, 3700}, {50812, 44131, 3764}, {46184, 42691, 3800}, {41469, 43174, 3787}, {37015, 45545, 3733},
    {33154, 49628, 3672}, {30171, 55121, 3642}, {28288, 61615, 3664},
};
static const float CloudsArena[21][3] = {
    {8192, 62185, 11207},  {9191, 64130, 11376},  {12099, 64488, 11486}, {16657, 63226, 11499},
    {22461, 60457, 11411}, {28995, 56427, 11252}, {35678, 51493, 11077}, {41916, 46095, 10947},
    {47156, 40711, 10908}, {50931, 35821, 10972}, {52907, 31858, 11119}, {52907, 29175, 11295},
    {50931, 28011, 11442}, {47156, 28468, 11506}, {41917, 30506, 11467}, {35678, 33944, 11337},
    {28995, 38477, 11162}, {22461, 43701, 11003}, {16657, 49153, 10915}, {12099, 54348, 10928},
    {9191, 58825, 11038},
};
static const float ArenaTripleYaws[7] = {-1.51f, -0.6559f, 0.5f, 1.5919f, 1.56f, 0.0f, 1.58f};

static const float Backdrops[BACKDROP_PLACEMENTS][2] = {
    {43312, 215000},  {113020, 197818}, {166760, 150210}, {192218, 83081},  {183564, 11809},
    {142780, -47277}, {79209, -80641},  {7415, -80641},   {-56156, -47277}, {-96940, 11809},
    {-105594, 83081}, {-80136, 150210}, {-26396, 197818},
};
static const float BackdropAngles[BACKDROP_PLACEMENTS] = {0.0f,    -0.483f, -0.967f, -1.45f,  -1.933f,
                                                          -2.417f, -2.9f,   -3.383f, -3.867f, -4.35f,
                                                          -4.833f, -5.317f, -5.8f};

static void CopyClouds(const float (*points)[3], int count) {
    for (int k = 0; k < count && k < DUST_POINTS_B; k++) {
        for (int c = 0; c < 3; c++)
            DustPointsB[k][c] = points[k][c];
    }
}

void FillPositionTables() {
    memcpy(DustPointsA, PointsA, sizeof PointsA);
    if (TrackGroup == 4)
        memcpy(DustPointsA[25], PointsAJump, sizeof PointsAJump);

    if (TrackGroup == 4)
        CopyClouds(CloudsJump, 22);
    if (TrackGroup == 6 && TrackVariant == 4) {
        CopyClouds(CloudsCross, 4);
        for (int k = 0; k < 4; k++)
            DustPointYaws[k] = CloudsCrossYaw[k];
    }
    if (TrackGroup == 7)
        CopyClouds(CloudsBuggy, 23);
    if (TrackGroup == 5 || TrackCode == 78 || TrackCode == 79) {
        CopyClouds(CloudsArena, 21);
        for (int k = 0; k < 21; k++)
            DustPointYaws[k] = ArenaTripleYaws[k / 3];
    }

    memcpy(BackdropPlacements, Backdrops, sizeof Backdrops);
    memcpy(BackdropPlacementAngles, BackdropAngles, sizeof BackdropAngles);
    CanPosition[0] = 30620.4f;
    CanPosition[1] = 1887.69f;
    CanPosition[2] = 89925.1f;

    CurrentCar = 0;
    CarSpeed[0] = 0.1f;
}

struct CrowdRow {
    int count;
    float points[CROWD_POINTS][2];
    float on, off;
};

static const CrowdRow CrowdRows[7] = {
    {5, {{59395, 63082}, {58550, 30236}, {10576, 55602}, {2827, 46476}, {16082, 63287}}, 12, 10},
    {5, {{77631, 103716}, {56632, 116556}, {39797, 126548}, {14453, 85843}, {114058, 44496}}, 12, 10},
    {2, {{58210, 105090}, {25548, 94699}}, 12, 10},
    {6, {{51940, 31423}, {52408, 85269}, {33604, 163574}, {34134, 186280}, {33785, 199688}, {47031, 60665}}, 57, 52},
    {0, {}, 35, 30},
    {0, {}, 57, 52},
    {7,
     {{26238, 70795}, {26543, 83792}, {39370, 96489}, {50123, 11705}, {85779, 105924}, {72349, 65654}, {33799, 46330}},
     35,
     30},
};

void SetCrowdPoints() {
    LandingVolumeBase = 32000;
    if (TrackGroup < 1 || TrackGroup > 7)
        return;
    const CrowdRow& row = CrowdRows[TrackGroup - 1];
    for (int k = 0; k < row.count; k++) {
        CrowdPoints[k][0] = row.points[k][0];
        CrowdPoints[k][1] = row.points[k][1];
    }
    SkidOnThreshold = row.on;
    SkidOffThreshold = row.off;
}
