#include "render/scene_builder.h"

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "frame/frame_state.h"
#include "frame/utils.h"
#include "frontend/frontend_state.h"
#include "race/cameras.h"
#include "race/race_frame.h"
#include "race/race_state.h"
#include "render/car_effects.h"
#include "render/drawers.h"
#include "render/model_sets.h"
#include "render/geometry.h"
#include "render/objects.h"
#include "render/polylist.h"
#include "render/render_state.h"
#include "track/track_state.h"
#include "track/zones.h"

float CarTravel[8];
int CarViewDistance[8];
int CarDetailLevel[8];
float WaterLevel;
int WaterFalling;
int DeviceBlendOk;
uint32_t TextureSortCycles;

namespace {

// The view being built and the translucent flag of this call.
int View;
int Translucent;

int Replay() { return ReplayPlaying != 0; }
float Grow(float range, float replayExtra) { return Replay() ? range + replayExtra : range; }
int EffectsOn() { return EffectsOption && DeviceBlendOk && RenderKind == 1; }

void BuildCamera(int v) {
    LoadIdentityRender();
    MatrixRotateXZY(CameraPitch[v], AnguloDeDeriva[v], CameraRoll[v]);
}

void CameraToView(int v) {
    BuildCamera(v);
    CopyMatrix(ViewMatrix, RenderMatrix);
}

// The translation of an object at world point P: P relative to the eye.
void PlaceAt(float x, float y, float z) { MatrixSetTranslation(x + EyeX[View], y + EyeY[View], z + EyeZ[View]); }

void CarAngles(int i) {
    LoadIdentityRender();
    MatrixRotateYZX(AnguloDeCaida[i], CarHeading[i], AnguloDeBalanza[i]);
}

// Turned to face the camera (roll 0 when `withRoll` is 0).
void FaceCamera(int withRoll) {
    MatrixRotateYZX(-CameraPitch[View], -AnguloDeDeriva[View], withRoll ? -CameraRoll[View] : 0.0f);
}

// The car's local point turned by its body angles, in world units from its
// reference point.
void CarPoint(int i, const float local[3], float out[3]) {
    CarAngles(i);
    for (int c = 0; c < 3; c++)
        out[c] = local[0] * RenderMatrix[0][c] + local[1] * RenderMatrix[1][c] + local[2] * RenderMatrix[2][c];
}

int FindByName(const char* name) { return FindObject(name); }

// The car's body: "1_CARRO1" and the following slots, one per car.
int BodyObject(int i) { return FirstCarObject + i; }

// An arena opponent's body: "COCHE0" to "COCHE4" for the odd cars and
// "CARAL0" to "CARAL4" for the even ones, loaded one after another, so the
// crush level (0 whole, 4 flattened) picks the shape.
int ArenaBodyObject(int i) {
    const int level = CrushLevel[i] < 0 ? 0 : CrushLevel[i] > 4 ? 4 : CrushLevel[i];
    return (i % 2 == 1 ? ArenaCarObject : ArenaCarAltObject) + level;
}

// ---------------------------------------------------------------------------
// Steps of a race view.

int DrawBackdropHills(int cursor) {
    if (TrackGroup == 1 || TrackGroup == 4 || TrackGroup == 6) {
        BuildCamera(View);
        cursor = DrawBackdropObject(cursor, FindByName("MONTANAS"), EyeX[View], EyeY[View], EyeZ[View]);
    } else if (TrackGroup == 2 || TrackGroup == 3) {
        BuildCamera(View);
        cursor = DrawBackdropObject(cursor, FindByName("MONTANAS"), EyeX[View], EyeY[View], EyeZ[View]);
        cursor = DrawBackdropObject(cursor, FindByName("BOSQUE"), EyeX[View], EyeY[View], EyeZ[View]);
    }
    return cursor;
}

int DrawSky(int cursor) {
    BuildCamera(View);
    cursor = DrawBackdropObject(cursor, FindByName("DEGRA"), 0.0f, 0.0f, 0.0f);
    if (SkyOption == 1) {
        LoadIdentityRender();
        MatrixRotateXZY(CameraPitch[View], AnguloDeDeriva[View] + SkyDrift * 0.5f, CameraRoll[View]);
        cursor = DrawBackdropObject(cursor, FindByName("CIELO"), 0.0f, 0.0f, 0.0f);
    }
    return cursor;
}

int DrawGlowLamps(int cursor) {
    CameraToView(View);
    PolygonMode = 4;
    SpriteColour = 0x91B0FA;
    const int dust = FindByName("POLVO");
    for (int k = 0; k < 12; k++) {
        LoadIdentityRender();
        MatrixScale(8, 8, 8);
        FaceCamera(0);
        PlaceAt((float)DustPointsA[k][0], (float)DustPointsA[k][1], (float)DustPointsA[k][2]);
        cursor = DrawSingleTextureSprite(cursor, dust, 2260000.0f, 2012, 0);
    }
    CopyMatrix(RenderMatrix, ViewMatrix);
    return cursor;
}

int DrawShadows(int cursor) {
    PolygonMode = 6;
    Matrix4 shadow;
    LoadIdentityRender();
    if (TrackGroup == 5 || TrackGroup == 6)
        MatrixScale(1.17f, 1.0f, 1.01f);
    else
        MatrixScale(1.12f, 1.0f, 1.01f);
    CopyMatrix(shadow, RenderMatrix);
    const int cars = RaceCarCount < MAX_CARS ? RaceCarCount : MAX_CARS;
    for (int i = 0; i < cars; i++) {
        const float dz = cocheZ[i] + EyeZ[View], dx = EyeX[View] + cocheX[i];
        CarViewDistance[i] = RoundToInt(FastSqrt(dz * dz + dx * dx));
        int level = SplitScreen || i != View ? 1 : 0;
        if (CarViewDistance[i] > (Replay() ? 12000 : 5200))
            level++;
        if (CarViewDistance[i] > (Replay() ? 28600 : 5700))
            level++;
        CarDetailLevel[i] = level;
        if (CarViewDistance[i] > (Replay() ? 39000 : 26200))
            continue;
        if (i == View && OwnCarVisibleOf(View) == 0)
            continue;
        if (i < 2 && LookBackOf(i) == 1 && ViewModeOf(i) == 1)
            continue;
        CopyMatrix(RenderMatrix, shadow);
        MatrixRotateYZX(DrawTiltPitch[i], CarHeading[i], DrawTiltRoll[i]);
        PlaceAt(cocheX[i], CarGroundHeight[i], cocheZ[i]);
        const float range = Grow(10013.0f, 10000.0f);
        if (RenderKind == 1) {
            RotateObjectNormals(CarShadowObject[i]);
            cursor = DrawNormalLitObject(cursor, CarShadowObject[i], range);
        } else {
            cursor = DrawLitObject(cursor, CarShadowObject[i], range, 1);
        }
    }
    return cursor;
}

int DrawLampFlares(int cursor) {
    int first, last;
    float scale;
    if (TrackGroup == 1) {
        first = 11, last = 28, scale = 2.5f;
    } else if (TrackGroup == 2) {
        first = 8, last = 10, scale = 2.5f;
    } else {
        first = 0, last = 7, scale = 2.2f;
    }
    PolygonMode = 4;
    const int dust = FindByName("POLVO");
    for (int k = first; k <= last; k++) {
        const int state = DecorFrames[k];
        if (state >= 10)
            continue;
        SpriteColour = state < 6 ? 0xFFCA2B : (0xFF - 16 * state) << 16 | (0xCA - 16 * state) << 8 | 0x2B;
        LoadIdentityRender();
        MatrixScale(scale, scale, scale);
        FaceCamera(1);
        PlaceAt((float)DustPointsA[k][0], (float)DustPointsA[k][1], (float)DustPointsA[k][2]);
        const int before = TranslucentPairCount;
        cursor = DrawTranslucentSprite(cursor, dust, 30000.0f, 2012);
        if (TranslucentPairCount != before)
            Translucent = 1;
    }
    return cursor;
}

void MergeIfTranslucent() {
    if (Translucent) {
        MergeTranslucentPairs();
        Translucent = 0;
    }
}

// Whether car i is drawn in this view at all (a local player looking back
// in view mode 1 hides their own car).
int CarSkipped(int i) { return i < 2 && LookBackOf(i) == 1 && ViewModeOf(i) == 1; }

int DrawCar(int cursor, int i, int inMenus) {
    CameraToView(View);
    PolygonMode = 3;
    if (!(OwnCarVisibleOf(i) == 1 || i != View))
        return cursor;
    const float px = cocheX[i], py = cocheY[i], pz = cocheZ[i];
    const float pitch = AnguloDeCaida[i], heading = CarHeading[i], roll = AnguloDeBalanza[i];
    const int slow = FramesPerSecond < 10;

    CarAngles(i);
    PlaceAt(px, py, pz);
    cursor = DrawLitObject(cursor, CarBodyObject[i], slow ? 5013.0f : Grow(15013.0f, 7000.0f), 1);

    if (!inMenus) {
        float head[3];
        CarPoint(i, HeadOffset[i], head);
        LoadIdentityRender();
        MatrixRotateYZX(HeadPitch[i] + pitch, SteeringAngle[i] + heading, HeadRoll[i] + roll);
        PlaceAt(px + head[0], py + head[1], pz + head[2]);
        cursor = DrawLitObject(cursor, CarHeadObject[i], slow ? 3012.0f : Grow(15012.0f, 4000.0f), 1);

        if (ModelHasArms(CarModel[i])) {
            const float s = SteeringAngle[i], a = s * 0.33333334f, b = s * 0.2f, c = s * 0.6666667f;
            const float range = slow ? 2012.0f : Grow(7010.0f, 2000.0f);
            LoadIdentityRender();
            MatrixRotateYZX(pitch - a, a <= 0 ? heading - b : heading + b, roll - c);
            PlaceAt(px, py, pz);
            cursor = DrawLitObject(cursor, CarArmObjects[i][0], range, 1);
            LoadIdentityRender();
            MatrixRotateYZX(pitch + a, a <= 0 ? heading + b : heading - b, roll - c);
            PlaceAt(px, py, pz);
            cursor = DrawLitObject(cursor, CarArmObjects[i][1], range, 1);
        }
    }

    // The body: its environment map tilts as the car rolls along.
    Matrix4 environment;
    LoadIdentityRender();
    MatrixRotateYZX(CarTravel[i] * 0.000125f + pitch, heading, roll);
    CopyMatrix(environment, RenderMatrix);
    if ((i == View && OwnCarVisibleOf(View) == 0) || CarViewDistance[i] >= 35001)
        return cursor;
    CarAngles(i);
    PlaceAt(px, py, pz);
    Matrix4 body;
    CopyMatrix(body, RenderMatrix);
    const int model = CarModel[i];
    const int chassis = BodyObject(i);
    if (i == View) {
        CopyMatrix(RenderMatrix, environment);
        RotateObjectNormals(chassis);
        CopyMatrix(RenderMatrix, body);
        if (!EffectsOn()) {
            cursor = DrawLitObject(cursor, chassis, 20010.0f, 1);
        } else {
            const int first = cursor;
            cursor = DrawEnvMappedObject(cursor, chassis, 20001.0f, 1);
            cursor = ReflectionCopyPass((cursor - first) / POLYGON_WORDS, first, cursor, 1999, 70);
        }
    } else {
        cursor = DrawLitObject(cursor, chassis, 30011.0f, 1);
    }

    if (model != 16 && model != 17) {
        if (RenderKind == 1) {
            CopyMatrix(RenderMatrix, environment);
            RotateObjectNormals(CarPipesObject[i]);
        }
        PolygonMode = 5;
        CopyMatrix(RenderMatrix, body);
        const float range = Grow(8002.0f, 5000.0f);
        if (!EffectsOn()) {
            cursor = DrawLitObject(cursor, CarPipesObject[i], range, 0);
        } else {
            const int first = cursor;
            cursor = DrawEnvMappedObject(cursor, CarPipesObject[i], range, 0);
            cursor = ReflectionCopyPass((cursor - first) / POLYGON_WORDS, first, cursor, 1997, 200);
        }
    }

    PolygonMode = 3;
    CarAngles(i);
    PlaceAt(px, py, pz);
    cursor = DrawLitObject(cursor, CarHoodObject[i], 20008.0f, 1);
    if (model == 5 && CarDetailLevel[i] < 3) {
        CarAngles(i);
        PlaceAt(px, py, pz);
        cursor = DrawLitObject(cursor, CarLampSingleObject[i], 20009.0f, 1);
    }
    return cursor;
}

int DrawBeamsAndGlass(int cursor, int i) {
    BuildCamera(View);
    CopyMatrix(ViewMatrix, RenderMatrix);
    PolygonMode = 3;
    const float px = cocheX[i], py = cocheY[i], pz = cocheZ[i];
    const int lit = TrackCode == 70 || TrackCode == 76 || TrackCode == 11 || TrackCode == 15 || CarLightsOn[i];
    if (lit && !(i == 0 && PresentationRun) && ModelHasLamps(CarModel[i])) {
        const int beam = i == View ? ViewModeOf(i) : 0;
        CarAngles(i);
        PlaceAt(px, py, pz);
        cursor = DrawLitObject(cursor, CarLampObjects[i][beam >= 0 && beam < 3 ? beam : 0], Grow(9001.0f, 5000.0f), 1);
    }
    if (RenderKind == 1 && FramesPerSecond >= 10) {
        LoadIdentityRender();
        MatrixRotateYZX(CarTravel[i] * 0.000125f + AnguloDeCaida[i], CarHeading[i], AnguloDeBalanza[i]);
        RotateObjectNormals(CarGlassObject[i]);
        if (EffectsOn() && OwnCarVisibleOf(i) == 1) {
            CarAngles(i);
            PlaceAt(px, py, pz);
            const int first = cursor;
            cursor = DrawEnvMappedObject(cursor, CarGlassObject[i], 10000.0f, 1);
            ReflectionRetexture((cursor - first) / POLYGON_WORDS, first, 1998, 200);
        }
    }
    return cursor;
}

int DrawWater(int cursor) {
    PolygonMode = 4;
    SpriteColour = 0x607981;
    if (!RacePaused) {
        WaterLevel += WaterFalling ? -0.4f * (float)FrameTicks : (float)FrameTicks;
        if (WaterLevel > 100.0f) {
            WaterLevel = 100.0f;
            WaterFalling = 1;
        } else if (WaterLevel < -200.0f) {
            WaterLevel = -200.0f;
            WaterFalling = 0;
        }
    }
    const int water = FindByName("AGUA");
    LoadIdentityRender();
    RotateObjectNormals(water);
    PlaceAt(0.0f, WaterLevel, 0.0f);
    return DrawSingleTextureObject(cursor, water, 3200000.0f, 2020);
}

int DrawSpinningScenery(int cursor) {
    PolygonMode = 3;
    float keptLight[3];
    memcpy(keptLight, LightDirection, sizeof keptLight);
    auto spun = [&](const char* name, float x, float y, float z, float range, float scale) {
        const int object = FindByName(name);
        LoadIdentityRender();
        if (scale != 1.0f)
            MatrixScale(scale, scale, scale);
        MatrixRotateXZY(0.0f, DecorSpin, 0.0f);
        RotateObjectNormals(object);
        PlaceAt(x, y, z);
        cursor = DrawNormalLitObject(cursor, object, range);
    };
    if (TrackGroup == 1) {
        LightDirection[0] = -keptLight[0];
        LightDirection[2] = -keptLight[2];
        spun("TUERCA", 47780, 2558, 11792, 35000, 1.2f);
        spun("CUBO", 50760, 3338, 44880, 35000, 1.0f);
    } else if (TrackGroup == 2) {
        LightDirection[0] = -keptLight[0];
        LightDirection[2] = -keptLight[2];
        spun("CAJAVACA", 11840, 1974, 105472, 35000, 1.0f);
        spun("CAJAVACA", 116937, 4387, 108010, 35000, 1.0f);
    } else if (TrackGroup == 3) {
        const int icecream = FindByName("HELADO");
        LoadIdentityRender();
        MatrixRotateYZX(0.0f, DecorSpin, 0.0f);
        RotateObjectNormals(icecream);
        PlaceAt(79708, 2280, 58301);
        cursor = DrawNormalLitObject(cursor, icecream, 32000.0f);
        static const float angles[4] = {0.0f, 0.1f, 2.6f, 0.9f};
        static const float points[4][3] = {
            {44040, 11640, 145140}, {40520, 11080, 144640}, {37260, 10460, 144260}, {47300, 10020, 146040}};
        const int propeller = FindByName("HELICE");
        for (int k = 0; k < 4; k++) {
            LoadIdentityRender();
            MatrixRotateYZX(0.0f, 0.0f, angles[k]);
            RotateObjectNormals(propeller);
            PlaceAt(points[k][0], points[k][1], points[k][2]);
            cursor = DrawNormalLitObject(cursor, propeller, 62000.0f);
        }
    }
    memcpy(LightDirection, keptLight, sizeof keptLight);
    return cursor;
}

int DrawDustClouds(int cursor) {
    const int code = TrackCode, group = TrackGroup;
    const int dustCode = code == 41 || code == 43 || code == 44 || (code >= 51 && code <= 57) || code == 63 ||
                         code == 64 || code == 70 || code == 76 || code == 78 || code == 79;
    if (!dustCode)
        return cursor;
    int clouds = 0, texture = 2012, ownYaw = 1;
    Matrix4 body;
    LoadIdentityRender();
    if (group == 4) {
        clouds = 22, ownYaw = 0;
        MatrixScale(6, 6, 6);
        FaceCamera(0);
    } else if (group == 7 && code != 78 && code != 79) {
        clouds = 23, ownYaw = 0;
        MatrixScale(9, 9, 9);
        FaceCamera(0);
    }
    if (group == 5 || code == 78 || code == 79) {
        LoadIdentityRender();
        clouds = 21;
        MatrixScale(10, 11, 17);
    }
    if (group == 6 && TrackVariant == 4) {
        LoadIdentityRender();
        clouds = 4, texture = 2013;
        MatrixScale(40, 15, 40);
    }
    if (clouds == 0)
        return cursor;
    CopyMatrix(body, RenderMatrix);
    // On track group 7 the spin and the arena sky use the first view's camera.
    const int v = group == 7 ? 0 : View;
    PolygonMode = 10;
    const int dust = FindByName("POLVO");
    Matrix4 environment;
    LoadIdentityRender();
    MatrixScale(4, 4, 4);
    MatrixRotateYZX(-CameraPitch[v], -AnguloDeDeriva[v], -CameraRoll[v]);
    CopyMatrix(environment, RenderMatrix);
    for (int k = 0; k < clouds && k < DUST_POINTS_B; k++) {
        const float point[3] = {DustPointsB[k][0], DustPointsB[k][2], DustPointsB[k][1]};
        float p[3];
        for (int c = 0; c < 3; c++)
            p[c] = (point[0] * environment[0][c] + point[1] * environment[1][c] + point[2] * environment[2][c]) *
                   ViewMatrix[c][c];
        const float w = point[0] * ViewMatrix[0][2] + point[1] * ViewMatrix[1][2] + point[2] * ViewMatrix[2][2];
        const float spin = w != 0.0f ? (p[0] + p[1] + p[2]) * ViewFocalScaleCopy / w * 0.125f - CameraRoll[v] : 0.0f;
        CopyMatrix(RenderMatrix, body);
        MatrixRotateYZX(0.0f, ownYaw ? DustPointYaws[k] : 0.0f, spin);
        PlaceAt(point[0], point[1], point[2]);
        cursor = DrawSingleTextureSprite(cursor, dust, 1260000.0f, texture, 0);
    }
    return cursor;
}

int DrawArenaSky(int cursor) {
    PolygonMode = 5;
    if (TrackVariant != 1) {
        LoadIdentityRender();
        MatrixScale(60, 60, 60);
        FaceCamera(0);
        PlaceAt(4953, 42619, 149325);
        cursor = DrawSingleTextureSprite(cursor, FindByName("POLVO"), 1900000.0f,
                                         TrackCode == 78 || TrackCode == 79 ? 79 : 80, 0);
    }
    LoadIdentityRender();
    PlaceAt(0.0f, 0.0f, 0.0f);
    return DrawLitObject(cursor, FindByName("LUCES"), 60000.0f, 0);
}

int DrawCan(int cursor) {
    PolygonMode = 3;
    LoadIdentityRender();
    MatrixRotateYZX(-DecorSpin, 0.0f, 0.0f);
    for (int k = 0; k < 3; k++)
        FixedLightVector[k] = LightDirection[0] * RenderMatrix[0][k] + LightDirection[1] * RenderMatrix[1][k] +
                              LightDirection[2] * RenderMatrix[2][k];
    LoadIdentityRender();
    MatrixRotateYZX(DecorSpin, -0.495f, 0.375f);
    PlaceAt(CanPosition[0], CanPosition[1], CanPosition[2]);
    return DrawFixedLightObject(cursor, FindByName("LATA"), 132000.0f);
}

// A prop turned by its fall (tilt) and yaw.
static int DrawProp(int cursor, const char* name, const PropPlacement& prop, float range) {
    LoadIdentityRender();
    MatrixRotateYZX(prop.tilt, prop.yaw, 0.0f);
    PlaceAt(prop.x, prop.y, prop.z);
    return DrawLitObject(cursor, FindByName(name), range, 1);
}

// Poles, targets, cones, the marker lights' confetti, the pole bars and the
// arena opponents.
int DrawArenaProps(int cursor) {
    PolygonMode = 10;
    const int slalom = ArenaCounts[ARENA_SLALOM] < PROP_SLOTS ? ArenaCounts[ARENA_SLALOM] : PROP_SLOTS;
    const int poles = slalom - ArenaCounts[ARENA_TARGETS];
    for (int i = 0; i < slalom; i++) {
        const char* name = i < ArenaCounts[ARENA_POLE_SPLIT] ? "PALOROJO" : i < poles ? "PALOAZUL" : "DIANA";
        const float range = i < ArenaCounts[ARENA_POLE_SPLIT] ? 32005.0f : i < poles ? 32004.0f : 32003.0f;
        cursor = DrawProp(cursor, name, SlalomProps[i], range);
    }
    const int cones = ArenaCounts[ARENA_CONES] < PROP_SLOTS ? ArenaCounts[ARENA_CONES] : PROP_SLOTS;
    for (int i = 0; i < cones; i++) {
        const int first = i < ArenaCounts[ARENA_CONE_SPLIT];
        cursor = DrawProp(cursor, first ? "CONOAZUL" : "CONOROJO", ConeProps[i], first ? 32002.0f : 32001.0f);
    }
    if (EffectsOn()) {
        PolygonMode = 4;
        const int confetti = FindByName("PAPELPIV");
        const int lights = slalom + ArenaCounts[ARENA_EXTRA_LIGHTS];
        for (int k = 0; k < lights && k < MARKER_LIGHTS; k++) {
            if (KnockedFlags[k] || DecorFrames[k] >= 10)
                continue;
            SpriteColour = MarkerLightColour[k];
            LoadIdentityRender();
            MatrixScale(1.2f, 1.2f, 1.2f);
            FaceCamera(1);
            PlaceAt(MarkerLightX[k], MarkerLightY[k], MarkerLightZ[k]);
            const int before = TranslucentPairCount;
            cursor = DrawTranslucentSprite(cursor, confetti, 30000.0f, 2013);
            if (TranslucentPairCount != before)
                Translucent = 1;
        }
    }
    if (TrackVariant == 1 || TrackVariant == 4) {
        PolygonMode = 10;
        for (int i = 0; i < PoleCount && i < POLE_BARS; i++)
            cursor = DrawProp(cursor, i % 2 == 0 ? "PERTIGAR" : "PERTIGAA", PoleProps[i], 32000.0f);
    }
    // The other cars of the arena, where the tick has them, turned as
    // their bodies lean; variant 7 runs car 0 alone.
    if (TrackVariant != 7) {
        PolygonMode = 3;
        const int opponents = ArenaOpponents < 0 ? 0 : ArenaOpponents < MAX_CARS ? ArenaOpponents : MAX_CARS - 1;
        for (int i = 1; i <= opponents; i++) {
            CarAngles(i);
            PlaceAt(cocheX[i], cocheY[i], cocheZ[i]);
            cursor = DrawLitObject(cursor, ArenaBodyObject(i), 200000.0f, 1);
        }
    }
    return cursor;
}

// The showroom camera of the menus.
void ShowroomCamera() {
    for (int i = 0; i < MAX_CARS; i++) {
        CarDetailLevel[i] = 0;
        CarLightsOn[i] = 0;
        CarViewDistance[i] = 1;
    }
    for (int p = 0; p < 2; p++) {
        ViewMode[p] = -1;
        CycleCameraMode(p);
        ViewDarkness[p] = 0;
    }
    WheelRollAngle[0] = 0.0f;
    SteeringAngle[0] = 0.0f;
    SnapshotCars();
    EyeX[0] = 20.0f;
    EyeY[0] = 0.0f;
    EyeZ[0] = 0.0f;
    SimPosX[0] = cocheX[0] = 20.0f;
    SimPosY[0] = cocheY[0] = -480.0f;
    SimPosZ[0] = cocheZ[0] = 950.0f;
    ViewFocalScale = std::bit_cast<float>(UINT32_C(0x43799993));   // just below 249.6
    CameraPitch[0] = -0.5f;
    AnguloDeDeriva[0] = 0.0f;
    CameraRoll[0] = 0.0f;
    LoadIdentityRender();
    MatrixRotateXZY(-0.5f, 0.0f, 0.0f);
    CopyMatrix(ViewMatrix, RenderMatrix);
}

}  // namespace

int DrawWorldSections(int cursor, int, float eyeX, float eyeY, float eyeZ, int view) {
    // The range's end is not searched: 96..119 on the jump tracks, 96..146
    // elsewhere.
    const int end = TrackGroup == 4 ? 120 : 147;
    const int zone = FindZoneContaining(ZONE_FIRST_VISIBILITY, end, view);
    if (zone < ZONE_FIRST_VISIBILITY || zone >= end)
        return cursor;
    const ZoneRecord& record = ZoneTable.records[zone];
    return DrawVisibleSections(cursor, record.visibility, ZONE_VISIBILITY_IDS, eyeX, eyeY, eyeZ,
                               (const int32_t*)&WorldSectionTable, (int)(sizeof WorldSectionTable / 4),
                               WorldShadeTable, (int)sizeof WorldShadeTable);
}

int BuildScene(int cursor, int view) {
    TranslucentPairCount = 0;
    TextureSortPairCount = 0;
    if (TriangleTotal < 1)
        return cursor;
    RaceCarCount = TrackGroup == 5 && TrackVariant <= 4 ? 1 : (int)CarCount;
    View = view >= 0 && view < MAX_CARS ? view : 0;
    Translucent = 0;
    const int inMenus = FrontEndActive == 1;

    if (inMenus) {
        ShowroomCamera();
        View = 0;
    } else {
        if (TrackCode == 56)
            RaceCarCount = 1;
        if (!RacePaused) {
            for (int i = 0; i < MAX_CARS; i++) {
                const float speed = FastSqrt(VelocityX[i] * VelocityX[i] + VelocityZ[i] * VelocityZ[i]);
                CarTravel[i] += DriveDirection[i] == -1 ? -speed : speed;
            }
        }
        BuildCamera(View);
        PolygonMode = 10;

        if (RenderKind == 1)
            cursor = DrawSky(cursor);
        cursor = DrawBackdropHills(cursor);
        if (EffectsOn() && !SplitScreen &&
            (TrackCode == 52 || TrackCode == 53 || TrackCode == 54 || TrackCode == 64))
            cursor = DrawGlowLamps(cursor);

        PolygonMode = 2;
        BuildCamera(View);
        char world[16];
        snprintf(world, sizeof world, "MUNDO%02d", TrackGroup);
        cursor = DrawWorldSections(cursor, FindByName(world), EyeX[View], EyeY[View], EyeZ[View], View);
        CopyMatrix(ViewMatrix, RenderMatrix);

        if (!SplitScreen && (TrackCode == 53 || TrackCode == 54)) {
            PolygonMode = 10;
            LoadIdentityRender();
            PlaceAt(24049, 0, 82136);
            cursor = DrawLitObject(cursor, FindByName("RAMPACHU"), 32014.0f, 1);
        }
        cursor = DrawShadows(cursor);
        if (TrackGroup >= 1 && TrackGroup <= 3 && EffectsOn() && !SplitScreen)
            cursor = DrawLampFlares(cursor);
    }

    // Wheels, then the first batch of translucent polygons far to near.
    LoadIdentityRender();
    cursor = DrawCarWheels(cursor, View);
    MergeIfTranslucent();

    // The car pass, its pairs sorted by texture.
    const int runStart = TextureSortPairCount;
    const int cars = inMenus ? 1 : (RaceCarCount < MAX_CARS ? RaceCarCount : MAX_CARS);
    for (int i = 0; i < cars; i++) {
        if (!CarSkipped(i))
            cursor = DrawCar(cursor, i, inMenus);
    }
    StartCycleTimer();
    SortPairsByKey(TextureSortPairs, runStart == 0 ? 2 : runStart, TextureSortPairCount - 2);
    TextureSortCycles = ReadCycleTimer();

    if (EffectsOn() && !inMenus && TrackGroup == 5 && TrackVariant != 5)
        cursor = DrawArenaSprites(cursor, &Translucent, View);
    // The water asks for no effects switch.
    if (!inMenus && TrackGroup == 7 && !SplitScreen && TrackCode != 78 && TrackCode != 79 && RenderKind == 1)
        cursor = DrawWater(cursor);
    const int litTrack = TrackCode == 70 || TrackCode == 11 || TrackCode == 15 || TrackCode == 76;
    if ((litTrack || CarLightsOn[View]) && RenderKind == 1)
        cursor = DrawHeadlampGlows(cursor, &Translucent, View);
    if (RenderKind != 0) {
        for (int i = 0; i < cars; i++) {
            if (!CarSkipped(i))
                cursor = DrawBeamsAndGlass(cursor, i);
        }
    }
    if (inMenus)
        return cursor;

    cursor = DrawSpinningScenery(cursor);
    if (EffectsOn())
        cursor = DrawDustClouds(cursor);
    if (EffectsOn() && ((TrackGroup == 5 && TrackVariant >= 1) || TrackCode == 78 || TrackCode == 79))
        cursor = DrawArenaSky(cursor);
    if ((TrackGroup == 5 && TrackVariant != 5) || TrackCode == 78 || TrackCode == 79)
        cursor = DrawCan(cursor);
    if (TrackGroup == 5 && TrackVariant != 5)
        cursor = DrawArenaProps(cursor);
    if (TrackGroup == 4)
        cursor = DrawJumpSparks(cursor, &Translucent, View);
    MergeIfTranslucent();
    if (RenderKind != 0) {
        cursor = DrawParticleSprites(cursor, &Translucent, View);
        MergeIfTranslucent();
        if (RenderKind == 1)
            cursor = DrawRearLampGlows(cursor, &Translucent, View);
    }
    return cursor;
}
