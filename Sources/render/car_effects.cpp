#include "render/car_effects.h"

#include "frame/frame_state.h"
#include "race/race_state.h"
#include "render/drawers.h"
#include "render/geometry.h"
#include "render/objects.h"
#include "render/polylist.h"
#include "render/render_state.h"

int OwnCarVisibleOf(int index) { return index >= 0 && index < 2 ? OwnCarVisible[index] : 1; }
int LookBackOf(int index) { return index >= 0 && index < 2 ? LookBack[index] : 0; }
int ViewModeOf(int index) { return index >= 0 && index < 2 ? ViewMode[index] : 0; }

int DrawCarWheels(int cursor, int v) {
    if (v < 0 || v >= MAX_CARS)
        v = 0;
    const int runStart = TextureSortPairCount;
    const float range = FramesPerSecond < 10 ? 6000.0f : ReplayPlaying ? 60000.0f : 25000.0f;
    const int cars = RaceCarCount < MAX_CARS ? RaceCarCount : MAX_CARS;
    for (int i = 0; i < cars; i++) {
        PolygonMode = 3;
        if (i == v && OwnCarVisibleOf(v) == 0)
            continue;
        if (LookBackOf(i) == 1 && ViewModeOf(i) == 1)
            continue;
        if (CarViewDistance[i] >= 26000)
            continue;
        // A car sliding on the handbrake turns its rear wheels 25 times slower.
        const float rearSpin = WheelRollAngle[i] * (HandbrakeLocked[i] == 1 ? 0.00028571428f : 0.007142857f);
        const float frontSpin = WheelRollAngle[i] * 0.007142857f;

        // One light vector for all four wheels, turned by spin, pitch and
        // roll but not by the heading.
        LoadIdentityRender();
        MatrixRotateYZX(-(rearSpin + AnguloDeCaida[i]), 0.0f, -AnguloDeBalanza[i]);
        for (int k = 0; k < 3; k++)
            FixedLightVector[k] = LightDirection[0] * RenderMatrix[0][k] + LightDirection[1] * RenderMatrix[1][k] +
                                  LightDirection[2] * RenderMatrix[2][k];

        Matrix4 rear;
        LoadIdentityRender();
        MatrixRotateYZX(rearSpin + AnguloDeCaida[i], CarHeading[i], AnguloDeBalanza[i]);
        CopyMatrix(rear, RenderMatrix);
        LoadIdentityRender();
        MatrixRotateYZX(frontSpin + AnguloDeCaida[i], CarHeading[i] + 1.2f * SteeringAngle[i], AnguloDeBalanza[i]);
        for (int j = 0; j < 4; j++) {
            if (j >= 2)
                CopyMatrix(RenderMatrix, rear);
            MatrixSetTranslation(WheelPosX[i][j] + EyeX[v], WheelPosY[i][j] + EyeY[v], WheelPosZ[i][j] + EyeZ[v]);
            cursor = DrawFixedLightObject(cursor, CarWheelObjects[i][j], range);
        }
    }
    SortPairsByKey(TextureSortPairs, runStart == 0 ? 2 : runStart, TextureSortPairCount - 2);
    return cursor;
}

// ---------------------------------------------------------------------------
// Lamps and particles.

const HeadlampRow HeadlampTable[18] = {
    {-101.5f, 74.0f, 388.0f, -0.62f},   {-121.5f, 61.0f, 430.5f, -0.08f}, {-111.0f, 175.5f, 379.0f, -0.23f},
    {0, 0, 0, 0},                       {0, 0, 0, 0},                     {0, 0, 0, 0},
    {-101.5f, 130.0f, 399.0f, -0.3517f}, {0, 0, 0, 0},                    {-123.0f, 123.0f, 391.5f, -0.64f},
    {122.5f, 102.0f, 373.0f, 3.1f},     {0, 0, 0, 0},                     {-124.0f, 96.0f, 403.0f, -0.1f},
    {0, 0, 0, 0},                       {0, 0, 0, 0},                     {0, 0, 0, 0},
    {0, 0, 0, 0},                       {-117.5f, 104.5f, 383.5f, -0.44f}, {-112.0f, 64.0f, 363.0f, -0.37f},
};

int SpriteCycle;
int ImpactSpriteCycle = 1820;
int SpritePhase;

namespace {

const float HalfPi = 1.57079632679489661923f;

int ViewIndex(int v) { return v >= 0 && v < MAX_CARS ? v : 0; }
int CarsDrawn() { return CarCount < MAX_CARS ? (int)CarCount : MAX_CARS; }

void CarAnglesOf(int i) {
    LoadIdentityRender();
    MatrixRotateYZX(AnguloDeCaida[i], CarHeading[i], AnguloDeBalanza[i]);
}

// Turned to face the camera of entry n.
void FacingOf(int n) {
    LoadIdentityRender();
    MatrixRotateYZX(-CameraPitch[n], -AnguloDeDeriva[n], -CameraRoll[n]);
}

// p turned by the 3 x 3 part of m.
void Turn(const Matrix4 m, const float p[3], float out[3]) {
    for (int c = 0; c < 3; c++)
        out[c] = p[0] * m[0][c] + p[1] * m[1][c] + p[2] * m[2][c];
}

// A lamp of car i at its local point p: turned by the car's angles C and
// placed at the car relative to the eye.
void PlaceLamp(int i, int v, const Matrix4 carAngles, const float p[3]) {
    float turned[3];
    Turn(carAngles, p, turned);
    MatrixSetTranslation(turned[0] + cocheX[i] + EyeX[v], turned[1] + cocheY[i] + EyeY[v],
                         turned[2] + cocheZ[i] + EyeZ[v]);
}

int ParticlesOf(int slot, int most) {
    const int count = EmitterCount[slot];
    return count < most ? count : most;
}

// One sprite triangle straight into the list: the corners (-s, 0, s),
// (s, 0, s), (-s, 0, -s) turned by the render matrix (translated to p) and
// the view's rotation, projected; dropped whole when a corner lies at depth
// 1.0 or nearer, or when all three lie beyond one edge of the screen.
int SpriteTriangle(int cursor, const Matrix4 rotation, const float p[3], float s, int texture) {
    if (PolygonListFull(cursor))
        return cursor;
    const float corners[3][3] = {{-s, 0.0f, s}, {s, 0.0f, s}, {-s, 0.0f, -s}};
    float sx[3], sy[3], q[3];
    for (int k = 0; k < 3; k++) {
        float world[3];
        Turn(rotation, corners[k], world);
        for (int c = 0; c < 3; c++)
            world[c] += p[c];
        float camera[3];
        Turn(ViewMatrix, world, camera);
        if (!(camera[2] > 1.0f))
            return cursor;
        q[k] = ViewFocalScale / camera[2];
        sx[k] = camera[0] * q[k] + ScreenCentreX;
        sy[k] = ScreenCentreY - camera[1] * q[k];
    }
    if ((sx[0] < 0 && sx[1] < 0 && sx[2] < 0) || (sx[0] > ScreenRight && sx[1] > ScreenRight && sx[2] > ScreenRight) ||
        (sy[0] < 0 && sy[1] < 0 && sy[2] < 0) ||
        (sy[0] > ScreenBottom && sy[1] > ScreenBottom && sy[2] > ScreenBottom))
        return cursor;
    TextureSortPairs[TextureSortPairCount] = texture;
    TextureSortPairs[TextureSortPairCount + 1] = cursor;
    TextureSortPairCount += 2;
    ScreenPolygon& polygon = PolygonAt(cursor);
    static const float uv[3][2] = {{0, 1}, {0, 0}, {1, 0}};
    for (int k = 0; k < 3; k++) {
        ScreenVertex& vertex = polygon.vertex[k];
        vertex.sx = sx[k];
        vertex.sy = sy[k];
        vertex.q = q[k];
        vertex.u = uv[k][0];
        vertex.v = uv[k][1];
        vertex.light = SpriteColour;
    }
    polygon.slot = texture;
    polygon.mode = 4;
    return cursor + POLYGON_WORDS;
}

void AdvanceSpriteCycle() { SpriteCycle = SpriteCycle >= 2 ? 0 : SpriteCycle + 1; }

int Grey(int level) {
    level = level < 0 ? 0 : level > 255 ? 255 : level;
    return level << 16 | level << 8 | level;
}

}  // namespace

int DrawHeadlampGlows(int cursor, int*, int v) {
    if (FrontEndActive == 1)
        return cursor;
    v = ViewIndex(v);
    PolygonMode = 4;
    SpriteColour = 0xFFFFFF;
    const int dust = FindObject("POLVO");
    for (int i = 0; i < CarsDrawn(); i++) {
        const int model = CarModel[i] >= 0 && CarModel[i] < 18 ? CarModel[i] : 0;
        const HeadlampRow& lamp = HeadlampTable[model];
        if ((i == 0 && PresentationRun == 1) || lamp.x == 0.0f || ViewModeOf(i) >= 1 || OwnCarVisibleOf(i) == 0)
            continue;
        Matrix4 carAngles, lampMatrix;
        CarAnglesOf(i);
        CopyMatrix(carAngles, RenderMatrix);
        LoadIdentityRender();
        MatrixRotateYZX(lamp.tilt + AnguloDeCaida[i], CarHeading[i], AnguloDeBalanza[i]);
        MatrixScale(0.8f, 0.8f, 0.8f);
        CopyMatrix(lampMatrix, RenderMatrix);
        for (int k = 0; k < 2; k++) {
            const float p[3] = {k == 0 ? lamp.x : -lamp.x, lamp.y, lamp.z};
            CopyMatrix(RenderMatrix, lampMatrix);
            PlaceLamp(i, v, carAngles, p);
            // The glow leans with its place across the view.
            float q[3];
            Turn(RenderMatrix, p, q);
            for (int c = 0; c < 3; c++)
                q[c] += RenderMatrix[3][c];
            const float roll = 0.0078125f * (q[0] * ViewMatrix[0][0] + q[1] * ViewMatrix[1][0] + q[2] * ViewMatrix[2][0]);
            MatrixRotateYZX(0.0f, 0.0f, roll);
            cursor = DrawSingleTextureSprite(cursor, dust, 20000.0f, 1831, 1);
        }
    }
    return cursor;
}

int DrawParticleSprites(int cursor, int* translucent, int v) {
    v = ViewIndex(v);
    const float eye[3] = {EyeX[v], EyeY[v], EyeZ[v]};
    const int dust = FindObject("POLVO");

    // The sprites' square lies in the x-z plane: a quarter turn stands it up.
    Matrix4 spriteRotation;
    LoadIdentityRender();
    MatrixRotateYZX(CameraPitch[0] + HalfPi, -AnguloDeDeriva[0], -CameraRoll[0]);
    CopyMatrix(spriteRotation, RenderMatrix);

    if (TrackGroup != 5) {
        SpriteColour = 0xA0A0A0;
        for (int e = RING_SMOKE_FIRST; e <= RING_SMOKE_LAST; e++) {
            if (EffectEmitter[e] == -1)
                continue;
            const float s = EffectFlags[e] == 1 ? 20.0f : 24.0f;
            const int texture = (EffectFlags[e] == 1 ? 1814 : 1817) + SpriteCycle;
            AdvanceSpriteCycle();
            // Particles beyond the spawned count hold nothing of this effect.
            for (int k = 0; k < ParticlesOf(e, 3); k++) {
                const int i = k * EMITTER_SLOTS + e;
                const float p[3] = {ParticleX[i] + eye[0], ParticleY[i] + eye[1], ParticleZ[i] + eye[2]};
                cursor = SpriteTriangle(cursor, spriteRotation, p, s, texture);
            }
        }
        // Rain lives relative to the eye already.
        SpriteColour = 0xC8C8C8;
        for (int e = RING_RAIN_FIRST; e <= RING_RAIN_LAST; e++) {
            if (EffectEmitter[e] == -1)
                continue;
            AdvanceSpriteCycle();
            for (int k = 0; k < ParticlesOf(e, 3); k++) {
                const int i = k * EMITTER_SLOTS + e;
                const float p[3] = {ParticleX[i], ParticleY[i], ParticleZ[i]};
                cursor = SpriteTriangle(cursor, spriteRotation, p, 20.0f, 1847);
            }
        }
    }

    // Impacts, every track group.
    PolygonMode = 4;
    FacingOf(0);
    MatrixScale(0.06f, 0.06f, 0.06f);
    SpriteColour = 0xFFFFFF;
    for (int e = RING_IMPACT_FIRST; e <= RING_IMPACT_LAST; e++) {
        if (EffectEmitter[e] == -1)
            continue;
        for (int k = 0; k < ParticlesOf(e, 12); k++) {
            const int i = k * EMITTER_SLOTS + e;
            MatrixSetTranslation(ParticleX[i] + eye[0], ParticleY[i] + eye[1], ParticleZ[i] + eye[2]);
            cursor = DrawSingleTextureSprite(cursor, dust, 20000.0f, ImpactSpriteCycle, 0);
            ImpactSpriteCycle = ImpactSpriteCycle >= 1822 ? 1820 : ImpactSpriteCycle + 1;
        }
    }

    // The arena's smoke is drawn as sprite objects of the slots' own
    // sprites, which step through 1835..1843 every fourth call.
    if (TrackGroup == 5) {
        Matrix4 facing;
        FacingOf(0);
        CopyMatrix(facing, RenderMatrix);
        SpriteColour = 0xFFFFFF;
        PolygonMode = 4;
        for (int e = RING_SMOKE_FIRST; e <= RING_SMOKE_LAST; e++) {
            if (EffectEmitter[e] != -1) {
                CopyMatrix(RenderMatrix, facing);
                const float g = EffectGrowth[e];
                MatrixScale(g, g, g);
                for (int k = 0; k < ParticlesOf(e, 2); k++) {
                    const int i = k * EMITTER_SLOTS + e;
                    MatrixSetTranslation(ParticleX[i] + eye[0], ParticleY[i] + eye[1], ParticleZ[i] + eye[2]);
                    cursor = DrawSingleTextureSprite(cursor, dust, 20000.0f, EffectSprite[e], 0);
                }
            }
            if (SpritePhase == 0)
                EffectSprite[e] = EffectSprite[e] >= 1843 ? 1835 : EffectSprite[e] + 1;
        }
    }
    SpritePhase = (SpritePhase + 1) % 4;

    // Wheel dust: translucent balls that grow and fade; car 0's live to age
    // 80, the others' to 70.
    Matrix4 facing;
    FacingOf(0);
    CopyMatrix(facing, RenderMatrix);
    PolygonMode = 4;
    int lastOwner = -1;
    for (int e = RING_DUST_FIRST; e <= RING_DUST_LAST; e++) {
        if (EffectEmitter[e] == -1)
            continue;
        const int owner = EmitterOwner[e] >= 0 && EmitterOwner[e] < MAX_CARS ? EmitterOwner[e] : 0;
        const int age = EmitterAge[e];
        const int limit = owner == 0 ? 80 : 70;
        if (age > limit) {
            EmitterAge[e] = limit;
            EffectEmitter[e] = -1;
            continue;
        }
        int k = owner == 0 ? (int)((float)age * 0.06024096f) : 1 + (int)((float)age * 0.042372882f);
        k = k < 0 ? 0 : k > 3 ? 3 : k;
        SpriteColour = Grey(limit - age);
        if (owner != lastOwner) {
            FacingOf(owner);
            CopyMatrix(facing, RenderMatrix);
            lastOwner = owner;
        }
        CopyMatrix(RenderMatrix, facing);
        const float c = (float)age * 0.0125f + 0.1f + EffectGrowth[e];
        MatrixScale(c, c, c);
        const int i = e;   // particle 0
        MatrixSetTranslation(ParticleX[i] + eye[0], ParticleY[i] + eye[1], ParticleZ[i] + eye[2]);
        const int next = DrawTranslucentSprite(cursor, BallObjects[k], 20000.0f, EffectSprite[e]);
        if (next != cursor && translucent)
            *translucent = 1;
        cursor = next;
    }
    return cursor;
}

int DrawRearLampGlows(int cursor, int*, int v) {
    if (RacePhase != 0 || PauseMenuOpen == 1 || FrontEndActive == 1)
        return cursor;
    v = ViewIndex(v);
    PolygonMode = 4;
    const int dust = FindObject("POLVO");
    const int litTrack = TrackCode == 70 || TrackCode == 76 || TrackCode == 11;
    for (int i = 0; i < CarsDrawn(); i++) {
        const float* mount = PipeMount[i];
        if (mount[3] == 0.0f || OwnCarVisibleOf(i) != 1 || ViewModeOf(i) == 1)
            continue;
        const int braking = (CarInputBits[i] & INPUT_BRAKE) != 0;
        if (!(braking || litTrack || CarLightsOn[i] != 0 || CarFastFlags[i] == 1))
            continue;
        Matrix4 carAngles;
        CarAnglesOf(i);
        CopyMatrix(carAngles, RenderMatrix);
        LoadIdentityRender();
        MatrixRotateYZX(AnguloDeCaida[i] + mount[3], CarHeading[i], AnguloDeBalanza[i]);
        // Model 1 has one wide, flat lamp.
        MatrixScale(0.5f, CarModel[i] == 1 ? 0.2f : 0.5f, 0.5f);
        SpriteColour = DriveDirection[i] == -1 ? 0xA0A0A0 : braking ? 0xFF0000 : 0x8C0000;
        if (mount[0] == 0.0f)
            continue;
        for (int k = 0; k < (CarModel[i] == 1 ? 1 : 2); k++) {
            const float p[3] = {k == 0 ? mount[0] : -mount[0], mount[1], mount[2]};
            PlaceLamp(i, v, carAngles, p);
            cursor = DrawSingleTextureSprite(cursor, dust, 20000.0f, 1823, 0);
        }
    }
    return cursor;
}

int DrawArenaSprites(int cursor, int* translucent, int v) {
    v = ViewIndex(v);
    PolygonMode = 4;
    const int dust = FindObject("POLVO");
    for (GroundSprite& sprite : GroundSpritePool) {
        if (!sprite.inUse)
            continue;
        float scale = sprite.kind == 2014 ? (float)(40 - sprite.life) * 0.002f + 0.2f
                                          : (float)(40 - sprite.life) * 0.016666668f + (sprite.bounce ? 1.2f : 1.6f);
        if (sprite.sizeClass < 2)
            scale *= 0.7f;
        if (!RacePaused)
            sprite.spin += 0.27f;
        LoadIdentityRender();
        MatrixScale(scale, scale, scale);
        MatrixRotateYZX(-CameraPitch[v], -AnguloDeDeriva[v], sprite.spin);
        MatrixSetTranslation(sprite.x + EyeX[v], sprite.y + EyeY[v], sprite.z + EyeZ[v]);
        sprite.speed *= sprite.damping;
        sprite.bounce = 0;
        if (!RacePaused) {
            sprite.y += 2.0f * sprite.speed;
            sprite.life -= 2;
            sprite.counter += 1;
            if (sprite.kind != 2014)
                sprite.kind = sprite.kind + 1 > 2003 && sprite.kind < 2011 ? 2011 : sprite.kind + 1;
        }
        if (sprite.life < 0) {
            sprite.inUse = 0;
            continue;
        }
        SpriteColour = Grey(sprite.life);
        const int next = DrawTranslucentSprite(cursor, dust, 18000.0f, sprite.kind);
        if (next == cursor) {
            sprite.inUse = 0;
            continue;
        }
        if (translucent)
            *translucent = 1;
        cursor = next;
    }
    return cursor;
}

int DrawJumpSparks(int cursor, int* translucent, int v) {
    v = ViewIndex(v);
    PolygonMode = 4;
    const int dust = FindObject("POLVO");
    for (CarSprite& sprite : CarSpritePool) {
        if (!sprite.inUse)
            continue;
        int life = sprite.life;
        int last = 0;
        if (life < 1) {
            // Drawn once more at life 1, then freed.
            life = 1;
            last = 1;
        }
        SpriteColour = Grey(life);
        const float scale = 0.5f - (float)(80 - life) * 0.0025f;
        LoadIdentityRender();
        MatrixScale(scale, scale, scale);
        MatrixRotateYZX(-CameraPitch[v], -AnguloDeDeriva[v], -CameraRoll[v]);
        const float along = (float)(80 - life) * 3.5f;
        MatrixSetTranslation(cocheX[v] + sprite.x + along * sprite.dirX + EyeX[v], cocheY[v] + sprite.y + EyeY[v],
                             cocheZ[v] + sprite.z + along * sprite.dirZ + EyeZ[v]);
        if (!RacePaused) {
            sprite.y += sprite.rise * sprite.scale;
            sprite.counter += 1;
            sprite.life -= 7;
            sprite.texture = sprite.texture >= 2043 ? 2028 : sprite.texture + 1;
        }
        const int next = DrawTranslucentSprite(cursor, dust, 18000.0f, sprite.texture);
        if (next == cursor || last) {
            sprite.inUse = 0;
            if (next == cursor)
                continue;
        }
        if (translucent)
            *translucent = 1;
        cursor = next;
    }
    return cursor;
}
