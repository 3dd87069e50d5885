// The object drawers: projection, culling, lighting, range gates, screen
// rejection, the lists they append to and the reflection passes.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "race/race_state.h"
#include "render/drawers.h"
#include "render_test_util.h"

TEST(Drawers, ProjectionOfKnownPointsAndItsPair) {
    ResetScene();
    const int object = AddTestObject({{10, 5, 10, 0.25f, 0.5f}, {20, 5, 10, 1, 0}, {10, 15, 20, 0, 1}},
                                     {{0, 1, 2, 321}});
    PolygonMode = 3;
    const int cursor = DrawLitObject(0, object, 1000, 0);
    ASSERT_EQ(cursor, 20);
    const ScreenPolygon& p = PolygonList[0];
    EXPECT_FLOAT_EQ(p.vertex[0].q, 22.4f);
    EXPECT_FLOAT_EQ(p.vertex[0].sx, 10 * 22.4f + 320);
    EXPECT_FLOAT_EQ(p.vertex[0].sy, 240 - 5 * 22.4f);
    EXPECT_FLOAT_EQ(p.vertex[2].q, 11.2f);
    EXPECT_FLOAT_EQ(p.vertex[2].sy, 240 - 15 * 11.2f);
    EXPECT_EQ(p.vertex[0].u, 0.25f);
    EXPECT_EQ(p.vertex[0].v, 0.5f);
    EXPECT_EQ(p.vertex[1].light, 255);   // no normals: full light
    EXPECT_EQ(p.slot, 321);
    EXPECT_EQ(p.mode, 3);
    ASSERT_EQ(TextureSortPairCount, 2);
    EXPECT_EQ(TextureSortPairs[0], 321);
    EXPECT_EQ(TextureSortPairs[1], 0);

    // The camera and the object's placement both count: turned a quarter
    // round, the point straight ahead comes out on the screen centre line.
    ResetScene();
    const int ahead = AddTestObject({{-10, 0, 0, 0, 0}, {-10, 1, 0, 0, 0}, {-10, 0, 1, 0, 0}}, {{0, 1, 2}});
    MatrixRotateXZY(0, (float)(std::acos(-1.0) / 2), 0);   // the view yaws by a quarter turn
    CopyMatrix(ViewMatrix, RenderMatrix);
    LoadIdentityRender();
    const int n = DrawLitObject(0, ahead, 1000, 0);
    ASSERT_EQ(n, 20);
    EXPECT_FLOAT_EQ(PolygonList[0].vertex[0].sx, 320.0f);
    EXPECT_FLOAT_EQ(PolygonList[0].vertex[0].q, 22.4f);
}

TEST(Drawers, BackFacesAndEdgeOnTriangles) {
    ResetScene();
    const int facing = AddFacingTriangle(0, 0, 10);
    const int away = AddTestObject({{0, 0, 10, 0, 0}, {0, 1, 10, 0, 0}, {1, 0, 10, 0, 0}}, {{0, 1, 2}});
    const int edgeOn = AddTestObject({{0, 0, 10, 0, 0}, {0, 1, 10, 0, 0}, {0, 0, 20, 0, 0}}, {{0, 1, 2}});
    EXPECT_EQ(DrawLitObject(0, facing, 1000, 1), 20);
    EXPECT_EQ(DrawLitObject(0, away, 1000, 1), 0);
    EXPECT_EQ(DrawLitObject(0, edgeOn, 1000, 1), 0);
    EXPECT_EQ(DrawLitObject(0, away, 1000, 0), 20);   // no test asked for

    // The world-placed drawers cull on the eye-relative points, with the
    // same sign; the fixed-light drawer spares two-sided triangles.
    EXPECT_EQ(DrawNormalLitObject(0, facing, 1000), 20);
    EXPECT_EQ(DrawNormalLitObject(0, away, 1000), 0);
    EXPECT_EQ(DrawFixedLightObject(0, away, 1000), 0);
    const int twoSided = AddTestObject({{0, 0, 10, 0, 0}, {0, 1, 10, 0, 0}, {1, 0, 10, 0, 0}}, {{0, 1, 2, 7, 1}});
    EXPECT_EQ(DrawFixedLightObject(0, twoSided, 1000), 20);
    EXPECT_EQ(DrawLitObject(0, twoSided, 1000, 1), 0);
    EXPECT_EQ(DrawTranslucentSprite(0, away, 1000, 9), 20);   // sprites are never culled
    EXPECT_EQ(DrawSingleTextureSprite(0, away, 1000, 9, 0), 20);
    EXPECT_EQ(DrawSingleTextureSprite(0, away, 1000, 9, 1), 0);
}

TEST(Drawers, LightingFormulasAndDarkness) {
    ResetScene();
    const ObjectNormal up = {0, -0.5f, 0};   // normals point into the object: this face looks up
    const int lit = AddTestObject({{0, 0, 10, 0, 0}, {1, 0, 10, 0, 0}, {0, 1, 10, 0, 0}}, {{0, 1, 2}},
                                  {up, up, {1, 0, 0}});
    CurrentCar = 2;
    ViewDarkness[2] = 50;
    ASSERT_EQ(DrawLitObject(0, lit, 1000, 0), 20);
    const int upLight = RoundToInt((-0.5f * LightDirection[1]) * 300.0f + 128.0f);
    EXPECT_EQ(PolygonList[0].vertex[0].light, ClampLight(upLight - 50));
    EXPECT_EQ(PolygonList[0].vertex[2].light, 255);   // facing the light: clamped at 255

    // Rotated normals x 400, clamped to 90..255, no darkness.
    RotateObjectNormals(lit);
    ASSERT_EQ(DrawNormalLitObject(0, lit, 1000), 20);
    EXPECT_EQ(PolygonList[0].vertex[0].light, RoundToInt((-0.5f * LightDirection[1]) * 400.0f + 128.0f));
    // The fixed light: F x 300 + 128 minus the darkness, 60..255.
    FixedLightVector[0] = 0;
    FixedLightVector[1] = -0.1f;
    FixedLightVector[2] = 0;
    ASSERT_EQ(DrawFixedLightObject(0, lit, 1000), 20);
    EXPECT_EQ(PolygonList[0].vertex[0].light, RoundToInt((-0.5f * -0.1f) * 300.0f + 128.0f) - 50);
    EXPECT_EQ(PolygonList[0].vertex[2].light, 78);   // 128 - 50

    // Without normals: 255, unclamped, whatever the darkness.
    const int unlit = AddFacingTriangle(0, 0, 10);
    ViewDarkness[2] = 200;
    ASSERT_EQ(DrawLitObject(0, unlit, 1000, 1), 20);
    EXPECT_EQ(PolygonList[0].vertex[1].light, 255);
    // Sprites carry the caller's colour word.
    SpriteColour = 0x91B0FA;
    ASSERT_EQ(DrawTranslucentSprite(0, unlit, 1000, 2012), 20);
    EXPECT_EQ(PolygonList[0].vertex[2].light, 0x91B0FA);
}

TEST(Drawers, RangeGatesLookAtTheFirstVertexOnly) {
    ResetScene();
    // The first vertex lies 100 ahead; the rest of the object is near.
    const int object = AddTestObject({{0, 0, 100, 0, 0}, {1, 0, 10, 0, 0}, {0, 1, 10, 0, 0}}, {{0, 1, 2}});
    EXPECT_EQ(DrawLitObject(0, object, 99.9f, 0), 0);
    EXPECT_EQ(DrawLitObject(0, object, 100.0f, 0), 20);
    EXPECT_EQ(DrawEnvMappedObject(0, object, 1.0f, 0), 20);   // no gate at all

    // x is tested by some drawers only.
    const int wide = AddTestObject({{500, 0, 10, 0, 0}, {0, 1, 10, 0, 0}, {-1, 0, 10, 0, 0}}, {{0, 1, 2}});
    EXPECT_EQ(DrawSingleTextureObject(0, wide, 50, 9), 20);
    EXPECT_EQ(DrawNormalLitObject(0, wide, 50), 0);
    EXPECT_EQ(DrawFixedLightObject(0, wide, 50), 0);
    EXPECT_EQ(DrawTranslucentSprite(0, wide, 50, 9), 0);
    EXPECT_EQ(DrawBackdropObject(0, wide, 0, 0, 0), 20);   // backdrops have no gate
    EXPECT_EQ(PolygonList[0].mode, 10);
}

TEST(Drawers, ScreenEdgesAndOffScreenTriangles) {
    ResetScene();
    // z = 7 gives q = 32: x = 10 lands exactly on the right edge (640), the
    // other corners beyond it.
    const int onEdge = AddTestObject({{10, 0, 7, 0, 0}, {20, 0, 7, 0, 0}, {20, 1, 7, 0, 0}}, {{0, 1, 2}});
    // The lit drawers count the edge as beyond; the others as on screen.
    EXPECT_EQ(DrawLitObject(0, onEdge, 1000, 0), 0);
    EXPECT_EQ(TextureSortPairCount, 0);   // no pair left behind
    EXPECT_EQ(DrawNormalLitObject(0, onEdge, 1000), 20);

    const int left = AddTestObject({{-20, 0, 10, 0, 0}, {-30, 5, 10, 0, 0}, {-25, 9, 10, 0, 0}}, {{0, 1, 2}});
    const int below = AddTestObject({{0, -20, 10, 0, 0}, {5, -30, 10, 0, 0}, {9, -25, 10, 0, 0}}, {{0, 1, 2}});
    TextureSortPairCount = 0;
    EXPECT_EQ(DrawLitObject(0, left, 1000, 0), 0);
    EXPECT_EQ(DrawNormalLitObject(0, below, 1000), 0);
    EXPECT_EQ(TextureSortPairCount, 0);
}

TEST(Drawers, NearPlaneSplitsThroughTheDrawers) {
    ResetScene();
    // One corner behind the camera: two polygons, same slot, two pairs.
    const int one = AddTestObject({{0, 0, -1, 0, 0}, {1, 0, 3, 0, 0}, {0, 1, 3, 0, 0}}, {{0, 1, 2, 55}});
    EXPECT_EQ(DrawLitObject(0, one, 1000, 0), 40);
    EXPECT_EQ(PolygonList[0].slot, 55);
    EXPECT_EQ(PolygonList[1].slot, 55);
    ASSERT_EQ(TextureSortPairCount, 4);
    EXPECT_EQ(TextureSortPairs[1], 0);
    EXPECT_EQ(TextureSortPairs[3], 20);
    EXPECT_FLOAT_EQ(PolygonList[0].vertex[0].q, 224.0f);   // moved onto z = 1

    // Two behind: one shrunken polygon; all three behind: nothing.
    const int two = AddTestObject({{0, 0, -1, 0, 0}, {0, 1, 3, 0, 0}, {1, 0, -2, 0, 0}}, {{0, 1, 2}});
    const int three = AddTestObject({{0, 0, -1, 0, 0}, {1, 0, -2, 0, 0}, {0, 1, 0.5f, 0, 0}}, {{0, 1, 2}});
    for (int kind = 0; kind < 3; kind++) {
        auto draw = [&](int object) {
            return kind == 0 ? DrawLitObject(0, object, 1000, 0)
                   : kind == 1 ? DrawNormalLitObject(0, object, 1000)
                               : DrawBackdropObject(0, object, 0, 0, 0);
        };
        EXPECT_EQ(draw(two), 20) << kind;
        EXPECT_EQ(draw(three), 0) << kind;
    }

    // A clipped unlit object passes its 255 through the clamp with the
    // darkness; an unclipped one keeps 255.
    CurrentCar = 0;
    ViewDarkness[0] = 100;
    ASSERT_EQ(DrawLitObject(0, two, 1000, 0), 20);
    EXPECT_EQ(PolygonList[0].vertex[0].light, 155);

    // Translucent sprites split into the translucent list.
    TranslucentPairCount = 0;
    EXPECT_EQ(DrawTranslucentSprite(0, one, 1000, 2012), 40);
    EXPECT_EQ(TranslucentPairCount, 4);
}

TEST(Drawers, TranslucentDepthKeysAndMerge) {
    ResetScene();
    const int near = AddFacingTriangle(0, 0, 10);
    const int far = AddTestObject({{0, 0, 30, 0, 0}, {1, 0, 31, 0, 0}, {0, 1, 32.5f, 0, 0}}, {{0, 1, 2}});
    int cursor = DrawTranslucentSprite(0, near, 1000, 2012);
    cursor = DrawTranslucentSprite(cursor, far, 1000, 2013);
    ASSERT_EQ(cursor, 40);
    EXPECT_EQ(TranslucentSortPairs[0], 10);
    EXPECT_EQ(TranslucentSortPairs[2], RoundToInt((30.0f + 31.0f + 32.5f) * 0.33333334f));
    EXPECT_EQ(TextureSortPairCount, 0);

    TextureSortPairs[0] = 7;   // an opaque polygon drawn before
    TextureSortPairs[1] = 99;
    TextureSortPairCount = 2;
    MergeTranslucentPairs();
    EXPECT_EQ(TranslucentPairCount, 0);
    ASSERT_EQ(TextureSortPairCount, 6);
    EXPECT_EQ(TextureSortPairs[3], 20);   // the far one first
    EXPECT_EQ(TextureSortPairs[5], 0);
    EXPECT_EQ(PolygonList[1].slot, 2013);
}

TEST(Drawers, EnvironmentMapAndReflectionPasses) {
    ResetScene();
    const ObjectNormal n = {0.5f, 0, -0.5f};
    const int body = AddTestObject({{0, 0, 10, 0, 0}, {1, 0, 10, 0, 0}, {0, 1, 10, 0, 0},
                                    {0, 0, 10, 0, 0}, {0, 1, 10, 0, 0}, {-1, 0, 10, 0, 0}},
                                   {{0, 1, 2, 40}, {3, 4, 5, 40}}, {n, n, n, n, n, n});
    RotateObjectNormals(body);
    const int drawn = DrawEnvMappedObject(0, body, 0, 1);
    ASSERT_EQ(drawn, 40);
    ASSERT_EQ(EnvMapCount, 12);
    EXPECT_FLOAT_EQ(EnvMapCoords[0], 0.75f);   // (n'x + 1) / 2
    EXPECT_FLOAT_EQ(EnvMapCoords[1], 0.25f);   // (n'z + 1) / 2

    CurrentCar = 1;
    ViewDarkness[1] = 20;
    const int after = ReflectionCopyPass(drawn / 20, 0, drawn, 1999, 70);
    ASSERT_EQ(after, 80);
    const ScreenPolygon& copy = PolygonList[2];
    EXPECT_EQ(copy.vertex[1].sx, PolygonList[0].vertex[1].sx);
    EXPECT_EQ(copy.vertex[1].q, PolygonList[0].vertex[1].q);
    EXPECT_FLOAT_EQ(copy.vertex[0].u, 0.75f);
    EXPECT_EQ(copy.vertex[0].light, 60);   // 70 - 20, clamped up to 60
    EXPECT_EQ(copy.slot, 1999);
    EXPECT_EQ(copy.mode, 3);
    EXPECT_EQ(TextureSortPairs[TextureSortPairCount - 2], 1999);
    EXPECT_EQ(TextureSortPairs[TextureSortPairCount - 1], 60);

    ReflectionRetexture(2, 0, 1998, 200);
    EXPECT_EQ(PolygonList[1].slot, 1998);
    EXPECT_EQ(PolygonList[1].vertex[2].light, 180);
    EXPECT_FLOAT_EQ(PolygonList[1].vertex[2].v, 0.25f);

    // More polygons asked for than coordinates written: only those written.
    EXPECT_EQ(ReflectionCopyPass(50, 0, after, 1999, 70), after + 40);

    // Nothing on screen: no reflection; no blending: no passes at all.
    const int behind = AddTestObject({{0, 0, -10, 0, 0}, {1, 0, -10, 0, 0}, {0, 1, -10, 0, 0}}, {{0, 1, 2}},
                                     {n, n, n});
    EXPECT_EQ(DrawEnvMappedObject(0, behind, 0, 1), 0);
    EXPECT_EQ(ReflectionCopyPass(0, 0, 0, 1999, 70), 0);
    EXPECT_EQ(ReflectionCopyPass(5, 0, 0, 1999, 70), 0);   // the count was cleared
    DrawEnvMappedObject(0, body, 0, 1);
    StippleOnly = 1;
    EXPECT_EQ(ReflectionCopyPass(2, 0, 40, 1999, 70), 40);
    ReflectionRetexture(2, 0, 1998, 200);
    EXPECT_EQ(PolygonList[0].slot, 40);
}

TEST(Drawers, StopAtAFullListAndRefuseBadEntries) {
    ResetScene();
    const int object = AddTestObject({{0, 0, 10, 0, 0}, {1, 0, 10, 0, 0}, {0, 1, 10, 0, 0}},
                                     {{0, 1, 2}, {0, 1, 2}, {0, 1, 2}});
    const int last = (POLYGON_LIST_SIZE - 1) * POLYGON_WORDS;
    EXPECT_EQ(DrawLitObject(last, object, 1000, 0), last + 20);   // one more fits, then nothing
    EXPECT_EQ(DrawNormalLitObject(last + 20, object, 1000), last + 20);
    EXPECT_EQ(ReflectionCopyPass(1, 0, last + 20, 1999, 70), last + 20);

    // Entries that point outside the pools, and corners outside their
    // object, are not drawn (ASan watches the reads).
    TextureSortPairCount = 0;
    ObjectEntries[object].vertexCount = VERTEX_POOL_SIZE + 1;
    EXPECT_EQ(DrawLitObject(0, object, 1000, 0), 0);
    ObjectEntries[object].vertexCount = 3;
    ObjectEntries[object].triangleOffset = TRIANGLE_POOL_SIZE * 16;
    EXPECT_EQ(DrawFixedLightObject(0, object, 1000), 0);
    ObjectEntries[object].triangleOffset = 0;
    ObjectEntries[object].vertexCount = 3;
    ObjectEntries[object].lit = 1;
    ObjectEntries[object].normalsStart = VERTEX_NORMALS_SIZE - 3;   // the normals would run past the array
    EXPECT_EQ(DrawLitObject(0, object, 1000, 0), 60);
    EXPECT_EQ(PolygonList[0].vertex[0].light, 255);
    TrianglePool[ObjectEntries[object].triangleOffset / 16].corner[1] = MakeCorner(60000, 1);
    EXPECT_EQ(DrawFixedLightObject(0, object, 1000), 40);
    EXPECT_EQ(DrawLitObject(0, -1, 1000, 0), 0);
    EXPECT_EQ(DrawBackdropObject(0, OBJECT_SLOTS, 0, 0, 0), 0);
}

TEST(Drawers, WorldSectionsByVisibilityPlaneAndNearLimit) {
    ResetScene();
    PolygonMode = 2;
    // World points: a triangle ahead, one crossing z = 0.5, one whose first
    // corner lies 8,000 behind.
    const ObjectVertex points[] = {{0, 0, 10, 0, 0},  {1, 0, 10, 1, 0},  {0, 1, 10, 0, 1},
                                   {0, 0, 0.5f, 0, 0}, {1, 0, 10, 0, 0}, {0, 1, 10, 0, 0},
                                   {0, 0, -8000, 0, 0}, {1, 0, 10, 0, 0}, {0, 1, 10, 0, 0}};
    for (int i = 0; i < 9; i++)
        VertexPool[i] = points[i];

    std::vector<int32_t> table(400 + 12 * 6, 0);
    auto entry = [&](int n, int v0, int slot, int doubleSided, float nz, float d) {
        int32_t* e = &table[400 + 12 * n];
        for (int k = 0; k < 3; k++) {
            e[k] = (v0 + k) * 5;
            e[4 + k] = (v0 + k) * 5;
        }
        e[3] = slot;
        e[7] = doubleSided;
        const float plane[4] = {0, 0, nz, d};
        memcpy(&e[8], plane, sizeof plane);
    };
    // The probe point of an unturned camera at the origin is (1, 1, 1).
    entry(0, 0, 500, 0, 1, 5);     // 1 < 5: drawn
    entry(1, 0, 501, 0, 1, 0);     // 1 < 0 fails: culled
    entry(2, 0, 502, 1, 1, 0);     // double-sided: drawn anyway
    entry(3, 3, 503, 1, 1, 0);     // crosses the near limit
    entry(4, 6, 504, 1, 1, 0);     // first corner 8,000 behind: dropped
    entry(5, 0, 505, 0, 1, 5);
    table[400 + 12 * 5] = 1;       // corrupt vertex reference: not a multiple of 5
    table[0] = 400;                // zone 96: entries 0..4
    table[1] = 5;
    table[2] = 400 + 12 * 5;       // zone 97: entry 5
    table[3] = 1;
    table[4] = 400 + 12 * 5;       // zone 98: runs past the table
    table[5] = 3;
    std::vector<uint8_t> shades(400 + 12 * 6, 0);
    const uint32_t shade0[3] = {0x00FF8011, 0x22, 0x33};
    memcpy(&shades[400], shade0, sizeof shade0);

    const int32_t ids[] = {95, 96, 97, 98, 300};
    const int cursor = DrawVisibleSections(0, ids, 5, 0, 0, 0, table.data(), (int)table.size(), shades.data(),
                                           (int)shades.size());
    ASSERT_EQ(cursor, 80);
    EXPECT_EQ(PolygonList[0].slot, 500);
    EXPECT_EQ(PolygonList[0].mode, 2);
    EXPECT_EQ(PolygonList[0].vertex[0].light, 0x00FF8011);   // shade words unchanged
    EXPECT_EQ(PolygonList[0].vertex[2].light, 0x33);
    EXPECT_EQ(PolygonList[1].slot, 502);
    // The corner at z = 0.5 was moved onto z = 1, not projected where it
    // was: the section splits in two like any object.
    EXPECT_EQ(PolygonList[2].slot, 503);
    EXPECT_EQ(PolygonList[3].slot, 503);
    EXPECT_EQ(PolygonList[2].vertex[0].q, 224.0f);
    EXPECT_EQ(TextureSortPairCount, 8);

    // The eye moves the world: 20 to the right puts it all off the left edge.
    const int32_t one[] = {96};
    EXPECT_EQ(DrawVisibleSections(0, one, 1, -20, 0, 0, table.data(), (int)table.size(), nullptr, 0), 0);
}
