// The near-plane clippers and the sorting of the drawing order.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "render/clip.h"
#include "render_test_util.h"

static void LoadScratch(ClipVertex* scratch, const ClipVertex (&corners)[3]) {
    for (int k = 0; k < 3; k++)
        scratch[k] = corners[k];
}

static void ExpectCorner(const ClipVertex& c, float x, float y, float z, float u, int light) {
    EXPECT_FLOAT_EQ(c.x, x);
    EXPECT_FLOAT_EQ(c.y, y);
    EXPECT_EQ(c.z, z);
    EXPECT_FLOAT_EQ(c.u, u);
    EXPECT_EQ(c.light, light);
}

// P0 behind at z = -1, its neighbours at z = 3: moved half-way (t = 0.5).
static const ClipVertex Behind0[3] = {{0, 0, -1, 0, 0, 100}, {4, 0, 3, 1, 0, 201}, {0, 4, 3, 0, 1, 60}};

TEST(NearClip, OneCornerBehindEmitsOneAndLeavesOne) {
    ResetScene();
    LoadScratch(ClipScratch, Behind0);
    EXPECT_EQ(ClipNearTriangle(1, 0, 77), 20);
    // Emitted (M01, P1, P2): M01 half-way, light 150.5 rounded to even.
    EXPECT_FLOAT_EQ(PolygonList[0].vertex[0].sx, 2 * 224.0f + 320);
    EXPECT_EQ(PolygonList[0].vertex[0].q, 224.0f);
    EXPECT_EQ(PolygonList[0].vertex[0].light, 150);
    EXPECT_EQ(PolygonList[0].vertex[1].light, 201);
    EXPECT_EQ(PolygonList[0].slot, 77);
    EXPECT_EQ(TextureSortPairCount, 2);
    // Left (M01, M02, P2).
    ExpectCorner(ClipScratch[0], 2, 0, 1, 0.5f, 150);
    ExpectCorner(ClipScratch[1], 0, 2, 1, 0, 80);
    ExpectCorner(ClipScratch[2], 0, 4, 3, 0, 60);

    // Mask 2: emits (P0, M10, P2), leaves (M12, M10, P2).
    const ClipVertex behind1[3] = {Behind0[1], Behind0[0], Behind0[2]};
    LoadScratch(ClipScratch, behind1);
    EXPECT_EQ(ClipNearTriangle(2, 20, 77), 40);
    EXPECT_EQ(PolygonList[1].vertex[1].light, 150);
    ExpectCorner(ClipScratch[0], 0, 2, 1, 0, 80);
    ExpectCorner(ClipScratch[1], 2, 0, 1, 0.5f, 150);

    // Mask 4: emits (P0, P1, M21), leaves (P0, M20, M21).
    const ClipVertex behind2[3] = {Behind0[1], Behind0[2], Behind0[0]};
    LoadScratch(ClipScratch, behind2);
    EXPECT_EQ(ClipNearTriangle(4, 40, 77), 60);
    EXPECT_EQ(PolygonList[2].vertex[2].light, 80);
    ExpectCorner(ClipScratch[0], 4, 0, 3, 1, 201);
    ExpectCorner(ClipScratch[1], 2, 0, 1, 0.5f, 150);
    ExpectCorner(ClipScratch[2], 0, 2, 1, 0, 80);

    // The emitter still drops a piece wholly off the screen.
    const ClipVertex offLeft[3] = {{-100, 0, -1, 0, 0, 0}, {-100, 0, 3, 0, 0, 0}, {-90, 4, 3, 0, 0, 0}};
    LoadScratch(ClipScratch, offLeft);
    EXPECT_EQ(ClipNearTriangle(1, 60, 77), 60);
    EXPECT_EQ(TextureSortPairCount, 6);
}

TEST(NearClip, TwoCornersBehindShrinkInPlace) {
    ResetScene();
    const ClipVertex tri[3] = {{0, 0, -1, 0, 0, 0}, {0, 0, -3, 0, 0, 0}, {8, 0, 3, 1, 0, 200}};
    struct Case {
        int mask;
        ClipVertex corners[3];
        int moved[2];   // the corners that move onto z = 1
    };
    const Case cases[] = {
        {3, {tri[0], tri[1], tri[2]}, {0, 1}},
        {5, {tri[0], tri[2], tri[1]}, {0, 2}},
        {6, {tri[2], tri[0], tri[1]}, {1, 2}},
    };
    for (const Case& c : cases) {
        LoadScratch(ClipScratch, c.corners);
        EXPECT_EQ(ClipNearTriangle(c.mask, 0, 5), 0) << c.mask;
        for (int k : c.moved)
            EXPECT_EQ(ClipScratch[k].z, 1.0f) << c.mask;
        // Both moved toward the corner in front: z -1 -> t 0.5, z -3 -> t 2/3.
        const ClipVertex& a = ClipScratch[c.moved[0]];
        const ClipVertex& b = ClipScratch[c.moved[1]];
        EXPECT_FLOAT_EQ(a.x, 4.0f);
        EXPECT_EQ(a.light, 100);
        EXPECT_NEAR(b.x, 16.0f / 3.0f, 1e-5);
        EXPECT_EQ(b.light, 133);
    }
    EXPECT_EQ(TextureSortPairCount, 0);

    // Masks 0 and 7 change nothing.
    for (int mask : {0, 7}) {
        LoadScratch(ClipScratch, tri);
        EXPECT_EQ(ClipNearTriangle(mask, 40, 5), 40);
        EXPECT_EQ(ClipScratch[0].z, -1.0f);
    }
}

TEST(NearClip, FlavoursOfTheFiveClippers) {
    ResetScene();
    // The unlit clipper keeps every corner's word as it was.
    LoadScratch(ClipScratch, Behind0);
    EXPECT_EQ(ClipNearTriangleUnlit(1, 0, 9), 20);
    EXPECT_EQ(PolygonList[0].vertex[0].light, 100);
    EXPECT_EQ(ClipScratch[1].light, 100);
    EXPECT_EQ(PolygonList[0].slot, 9);

    // The mesh and environment clippers interpolate; the environment one
    // writes map coordinates for its piece from the given normals.
    RotatedNormals[0] = 1.0f;   // normal index 0: (1, 0, 0)
    RotatedNormals[2] = 0.0f;
    EnvMapCount = 0;
    LoadScratch(ClipScratch, Behind0);
    EXPECT_EQ(ClipNearMeshTriangle(1, 20, 8, 1), 40);
    EXPECT_EQ(ClipScratch[1].light, 80);
    LoadScratch(ClipScratch, Behind0);
    EXPECT_EQ(ClipNearEnvTriangle(1, 40, 8, 1, 0, 0, 0), 60);
    EXPECT_EQ(EnvMapCount, 6);
    EXPECT_EQ(EnvMapCoords[0], 1.0f);
    EXPECT_EQ(EnvMapCoords[1], 0.5f);

    // The translucent one works on its own scratch, into the translucent
    // list, with the first corner's colour in all three corners.
    LoadScratch(TranslucentScratch, Behind0);
    ClipScratch[0].z = 55.0f;
    EXPECT_EQ(ClipNearTranslucent(1, 60, 2012), 80);
    EXPECT_EQ(ClipScratch[0].z, 55.0f);
    EXPECT_EQ(TranslucentPairCount, 2);
    EXPECT_EQ(TranslucentSortPairs[0], RoundToInt((1.0f + 3.0f + 3.0f) * 0.33333334f));
    EXPECT_EQ(PolygonList[3].vertex[2].light, 100);
    EXPECT_EQ(TranslucentScratch[1].z, 1.0f);

    // A zero depth difference counts as 1: from z = -1 toward z = -1, t = 2.
    const ClipVertex flat[3] = {{0, 0, -1, 0, 0, 0}, {1, 0, -1, 0, 0, 0}, {0, 1, 5, 0, 0, 0}};
    LoadScratch(ClipScratch, flat);
    ClipNearTriangle(1, 0, 1);
    EXPECT_EQ(ClipScratch[0].z, 1.0f);
    EXPECT_FLOAT_EQ(ClipScratch[0].x, 2.0f);
}

static std::vector<int32_t> SortedKeys(std::vector<int32_t> pairs) {
    std::vector<int32_t> keys;
    for (size_t i = 0; i < pairs.size(); i += 2)
        keys.push_back(pairs[i]);
    std::sort(keys.begin(), keys.end());
    return keys;
}

// Sorted ascending, whole pairs moved (each offset still beside its key).
static void ExpectSortedPairs(const std::vector<int32_t>& before, const std::vector<int32_t>& after) {
    ASSERT_EQ(before.size(), after.size());
    std::vector<int32_t> keys;
    for (size_t i = 0; i < after.size(); i += 2) {
        keys.push_back(after[i]);
        EXPECT_EQ(after[i + 1], after[i] * 7 + 3) << i;
    }
    EXPECT_EQ(keys, SortedKeys(before));
}

TEST(SortPairs, AscendingWholePairsAnyInput) {
    srand(5);
    std::vector<std::vector<int32_t>> inputs;
    std::vector<int32_t> random, ascending, descending, equal, few;
    for (int i = 0; i < 4800; i++) {
        random.push_back(rand() % 2065);
        ascending.push_back(i);
        descending.push_back(4800 - i);
        equal.push_back(1000);
        few.push_back(rand() % 3);
    }
    for (auto* keys : {&random, &ascending, &descending, &equal, &few}) {
        std::vector<int32_t> pairs;
        for (int32_t k : *keys) {
            pairs.push_back(k);
            pairs.push_back(k * 7 + 3);
        }
        std::vector<int32_t> sorted = pairs;
        SortPairsByKey(sorted.data(), 0, (int)sorted.size() - 2);
        ExpectSortedPairs(pairs, sorted);
    }

    // A sub-range only: the pairs outside stay where they are.
    int32_t pairs[] = {9, 66, 5, 38, 3, 24, 1, 10, 0, 3};
    SortPairsByKey(pairs, 2, 6);
    const int32_t expected[] = {9, 66, 1, 10, 3, 24, 5, 38, 0, 3};
    EXPECT_EQ(memcmp(pairs, expected, sizeof pairs), 0);
    SortPairsByKey(pairs, 4, 2);   // empty range
    SortPairsByKey(pairs, 4, 4);   // one pair
    EXPECT_EQ(memcmp(pairs, expected, sizeof pairs), 0);

    const int32_t a[2] = {5, 0}, b[2] = {9, 0};
    EXPECT_EQ(CompareKeyDescending(a, b), 1);
    EXPECT_EQ(CompareKeyDescending(b, a), -1);
    EXPECT_EQ(CompareKeyDescending(a, a), 0);
}
