// Helpers of the render tests: objects built straight into the pools, a
// camera at the origin looking down +z, and polygon list resets.
#pragma once

#include <initializer_list>

#include "frame/frame_state.h"
#include "render/geometry.h"
#include "render/objects.h"
#include "render/polylist.h"
#include "render/render_state.h"

struct TestTri {
    int a, b, c;        // object-relative position vertices (also the uv vertices)
    int texture = 100;
    int flags = 0;
};

// Appends an object to the pools and registers it in the next free slot;
// returns the slot.  normals: one per vertex, or none.
inline int AddTestObject(std::initializer_list<ObjectVertex> vertices, std::initializer_list<TestTri> triangles,
                         std::initializer_list<ObjectNormal> normals = {}) {
    int slot = 0;
    while (ObjectNameTable[slot][0] != 0)
        slot++;
    ObjectNameTable[slot][0] = 'T';
    ObjectNameTable[slot][1] = (char)('A' + slot % 26);
    const int V = VertexTotal, T = TriangleTotal;
    for (const ObjectVertex& v : vertices)
        VertexPool[VertexTotal++] = v;
    for (const TestTri& t : triangles) {
        ObjectTriangle& tri = TrianglePool[TriangleTotal++];
        tri.corner[0] = MakeCorner((uint32_t)(V + t.a), (uint32_t)(V + t.a));
        tri.corner[1] = MakeCorner((uint32_t)(V + t.b), (uint32_t)(V + t.b));
        tri.corner[2] = MakeCorner((uint32_t)(V + t.c), (uint32_t)(V + t.c));
        tri.texture = MakeTextureWord((uint32_t)t.texture, (uint32_t)t.flags);
    }
    int normalsStart = 0;
    if (normals.size()) {
        normalsStart = NormalsTotal;
        for (const ObjectNormal& n : normals) {
            VertexNormals[NormalsTotal++] = n.x;
            VertexNormals[NormalsTotal++] = n.y;
            VertexNormals[NormalsTotal++] = n.z;
        }
    }
    ObjectEntries[slot] = {V * 20, T * 16, (int)vertices.size(), (int)triangles.size(), normalsStart, V,
                           normals.size() ? 1 : 0, 0};
    return slot;
}

// Empty pools and tables, a 640 x 480 screen with focal scale 224, the
// camera and the object's placement both identity, and empty lists.
inline void ResetScene() {
    BeginObjectLoad(1);
    NormalsTotal = 0;
    ScreenRight = 640.0f;
    ScreenBottom = 480.0f;
    ScreenCentreX = 320.0f;
    ScreenCentreY = 240.0f;
    ViewFocalScale = 224.0f;
    LoadIdentityRender();
    CopyMatrix(ViewMatrix, RenderMatrix);
    TextureSortPairCount = 0;
    TranslucentPairCount = 0;
    EnvMapCount = 0;
    PolygonMode = 3;
    BuildLightClampTable();
    BuildSqrtTable();
    SetupLightDirection();
}

// A triangle that faces the camera at the origin (the drawers keep it with
// the back-face test on): corners at depth z around (x, y).
inline int AddFacingTriangle(float x, float y, float z, float size = 1.0f, int texture = 100) {
    return AddTestObject({{x, y, z, 0, 0}, {x + size, y, z, 1, 0}, {x, y + size, z, 0, 1}},
                         {{0, 1, 2, texture}});
}
