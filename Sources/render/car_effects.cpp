#include "render/car_effects.h"

#include "frame/frame_state.h"
#include "race/race_state.h"
#include "render/drawers.h"
#include "render/geometry.h"
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
