// The fast square root, rounding, the matrices and the lookup tables.

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "frame/utils.h"
#include "render/geometry.h"
#include "render/lookup_tables.h"
#include "render_test_util.h"

TEST(FastSqrt, ZeroExactSquaresAndTableError) {
    BuildSqrtTable();
    EXPECT_EQ(FastSqrt(0.0f), 0.0f);
    EXPECT_EQ(FastSqrt(-0.0f), 0.0f);
    // Squares whose argument has at most 7 mantissa bits come out exact,
    // with odd and even exponents, above and below 1.
    const float roots[] = {1.0f, 2.0f, 3.0f, 5.0f, 7.0f, 0.5f, 0.25f, 1024.0f, 1.5f, 0.75f};
    for (float r : roots)
        EXPECT_EQ(FastSqrt(r * r), r) << r;
    // Only the top 7 mantissa bits of the argument are looked at.
    EXPECT_EQ(FastSqrt(1.005f), 1.0f);
    EXPECT_EQ(FastSqrt(4.03f), 2.0f);

    float worst = 0.0f;
    for (float a = 1e-6f; a < 1e7f; a *= 1.0137f) {
        const float error = std::fabs(FastSqrt(a) - std::sqrt(a)) / std::sqrt(a);
        worst = error > worst ? error : worst;
    }
    EXPECT_LT(worst, 1.0f / 256.0f);
    EXPECT_GT(worst, 1e-3f);   // the table is in use, not an exact root
    // A negative argument (a caller's fault) gives 0, not a garbage number.
    EXPECT_EQ(FastSqrt(-4.0f), 0.0f);
}

TEST(RoundToInt, TiesToEvenAndSaturation) {
    EXPECT_EQ(RoundToInt(0.5f), 0);
    EXPECT_EQ(RoundToInt(1.5f), 2);
    EXPECT_EQ(RoundToInt(-2.5f), -2);
    EXPECT_EQ(RoundToInt(150.49f), 150);
    EXPECT_EQ(RoundToInt(-7999.6f), -8000);
    EXPECT_EQ(RoundToInt(3e9f), INT_MAX);
    EXPECT_EQ(RoundToInt(-1e20f), INT_MIN);
    EXPECT_EQ(RoundToInt(std::nanf("")), 0);
    EXPECT_EQ(RoundToInt(INFINITY), INT_MAX);
}

TEST(LightTables, ClampAndDirection) {
    BuildLightClampTable();
    EXPECT_EQ(LightClampTable[0], 60);           // v = -512
    EXPECT_EQ(ClampLight(59), 60);
    EXPECT_EQ(ClampLight(100), 100);
    EXPECT_EQ(ClampLight(255), 255);
    EXPECT_EQ(ClampLight(1535), 255);
    EXPECT_EQ(ClampLight(-100000), 60);          // saturated to the table
    EXPECT_EQ(ClampLight(100000), 255);

    BuildSqrtTable();
    SetupLightDirection();
    // (1.85, -0.65, 0) over its table-driven length.
    const float length = FastSqrt(1.85f * 1.85f + 0.65f * 0.65f);
    EXPECT_FLOAT_EQ(LightDirection[0], (float)(1.85 / length));
    EXPECT_FLOAT_EQ(LightDirection[1], (float)(-0.65 / length));
    EXPECT_EQ(LightDirection[2], 0.0f);
    EXPECT_NEAR(std::hypot(LightDirection[0], LightDirection[1]), 1.0, 0.005);
}

static void TransformPoint(const Matrix4 m, const float p[3], float out[3]) {
    for (int c = 0; c < 3; c++)
        out[c] = p[0] * m[0][c] + p[1] * m[1][c] + p[2] * m[2][c] + m[3][c];
}

TEST(Matrices, NewestOperationActsOnThePointFirst) {
    const float half = (float)(std::numbers::pi / 2);
    const float forward[3] = {0, 0, 1};
    float out[3];

    // XZY multiplies Rx then Ry in front: Ry turns the point first.
    LoadIdentityRender();
    MatrixRotateXZY(half, half, 0.0f);
    TransformPoint(RenderMatrix, forward, out);
    EXPECT_NEAR(out[0], 1.0f, 1e-6);
    EXPECT_NEAR(out[1], 0.0f, 1e-6);
    EXPECT_NEAR(out[2], 0.0f, 1e-6);

    // YZX multiplies Ry then Rx in front: Rx turns the point first.
    LoadIdentityRender();
    MatrixRotateYZX(half, half, 0.0f);
    TransformPoint(RenderMatrix, forward, out);
    EXPECT_NEAR(out[0], 0.0f, 1e-6);
    EXPECT_NEAR(out[1], -1.0f, 1e-6);
    EXPECT_NEAR(out[2], 0.0f, 1e-6);

    // A heading h points along (sin h, cos h) in the plan.
    LoadIdentityRender();
    MatrixRotateYZX(0.0f, 0.3f, 0.0f);
    TransformPoint(RenderMatrix, forward, out);
    EXPECT_NEAR(out[0], std::sin(0.3f), 1e-6);
    EXPECT_NEAR(out[2], std::cos(0.3f), 1e-6);

    // A scale multiplied after the translation acts before it.
    LoadIdentityRender();
    MatrixSetTranslation(5, 6, 7);
    MatrixScale(2, 3, 4);
    const float one[3] = {1, 1, 1};
    TransformPoint(RenderMatrix, one, out);
    EXPECT_EQ(out[0], 7.0f);
    EXPECT_EQ(out[1], 9.0f);
    EXPECT_EQ(out[2], 11.0f);

    // The physics matrix has its own operand: M = operand x M.
    LoadIdentityPhys();
    PhysMatrixRotateYZX(0.0f, half, 0.0f);
    LoadIdentityRender();
    for (int i = 0; i < 4; i++)
        for (int j = 0; j < 4; j++)
            PhysOperand[i][j] = i == j ? 1.0f : 0.0f;
    PhysOperand[0][0] = 2.0f;
    MatrixMultiplyPhys();
    const float x[3] = {1, 0, 0};
    TransformPoint(PhysMatrix, x, out);
    EXPECT_NEAR(out[2], -2.0f, 1e-6);   // scaled by 2, then turned by the yaw
    EXPECT_EQ(RenderMatrix[0][0], 1.0f);
}

TEST(Matrices, ZeroAnglesMultiplyNothingTinyOnesDo) {
    LoadIdentityRender();
    MatrixScale(2.0f, 3.0f, 4.0f);
    RenderMatrix[3][0] = 9.0f;
    Matrix4 before;
    CopyMatrix(before, RenderMatrix);
    RenderOperand[0][1] = 42.0f;   // left alone when nothing is multiplied
    MatrixRotateXZY(0.0f, 0.0f, 0.0f);
    MatrixRotateYZX(0.0f, 0.0f, 0.0f);
    EXPECT_EQ(memcmp(before, RenderMatrix, sizeof before), 0);
    EXPECT_EQ(RenderOperand[0][1], 42.0f);

    LoadIdentityRender();
    MatrixRotateXZY(1e-30f, 0.0f, 0.0f);
    EXPECT_EQ(RenderMatrix[1][2], std::sin(1e-30f));
    EXPECT_NE(RenderMatrix[1][2], 0.0f);
}

TEST(LookupTables, ReciprocalsRampsAndDarkening) {
    BuildReciprocalTable();
    EXPECT_EQ(ReciprocalTable[0], 0.0f);
    EXPECT_EQ(ReciprocalTable[1], 1.0f);
    EXPECT_EQ(ReciprocalTable[9999], (float)(1.0 / 9999));

    BuildColourRamp(-43, -43, 0);
    EXPECT_EQ(ColourRampA[0], 0x000000u);
    EXPECT_EQ(ColourRampA[43], 0x00002Bu);
    EXPECT_EQ(ColourRampA[255], 0xD4D4FFu);
    EXPECT_EQ(memcmp(ColourRampA, ColourRampB, sizeof ColourRampA), 0);
    BuildColourRamp(0, 0, 0);
    EXPECT_EQ(ColourRampB[128], 0x808080u);

    GreenMaskBits = 6;
    AllocWorkBuffers();
    BuildDarkenTableStrong();
    BuildDarkenTableWeak();
    EXPECT_EQ(DarkenTableStrong[0xFFFF], 0xDEFB);
    EXPECT_EQ(DarkenTableStrong[0x0000], 0x0000);
    EXPECT_EQ(DarkenTableStrong[0x0841], 0x0000);   // r 1, g 2, b 1: every channel stops at 0
    EXPECT_EQ(DarkenTableWeak[0xFFFF], (30 << 11) | (59 << 5) | 29);

    GreenMaskBits = 5;
    BuildDarkenTableStrong();
    BuildDarkenTableWeak();
    EXPECT_EQ(DarkenTableStrong[0x7FFF], (27 << 10) | (27 << 5) | 27);
    EXPECT_EQ(DarkenTableWeak[0x7FFF], (30 << 10) | (29 << 5) | 29);
}

TEST(LookupTables, TextureAreasStartOnA64KBoundary) {
    unsigned char* buffer = (unsigned char*)malloc(200000);
    for (int shift : {0, 1, 4095, 65535}) {
        unsigned char* area = buffer + shift;
        unsigned char* base = AlignBufferTo64K(area);
        EXPECT_EQ((uintptr_t)base % 65536, 0u);
        EXPECT_GE(base, area);
        EXPECT_LT(base - area, 65536);
        EXPECT_EQ(AlignBufferTo64K(base), base);
    }
    EXPECT_EQ(AlignBufferTo64K(nullptr), nullptr);
    free(buffer);
}
