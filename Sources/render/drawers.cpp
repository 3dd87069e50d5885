#include "render/drawers.h"

#include <cstring>

#include "frame/frame_state.h"
#include "race/race_state.h"
#include "render/clip.h"
#include "render/geometry.h"
#include "render/objects.h"
#include "render/polylist.h"

int StippleOnly;

// Screen positions beyond this (or not numbers at all) only come from broken
// geometry; such a polygon is dropped so no back end converts it to an
// integer out of range.
static const float SCREEN_LIMIT = 1073741824.0f;

static int Darkness() { return CurrentCar >= 0 && CurrentCar < 8 ? ViewDarkness[CurrentCar] : 0; }

static int ClampRange(int value, int low, int high) { return value < low ? low : value > high ? high : value; }

// ---------------------------------------------------------------------------
// Projection and emission.

static void Project(ScreenVertex& out, const ClipVertex& c) {
    const float q = ViewFocalScale / c.z;
    out.sx = c.x * q + ScreenCentreX;
    out.sy = ScreenCentreY - c.y * q;
    out.q = q;
    out.u = c.u;
    out.v = c.v;
    out.light = c.light;
}

// Off screen when all three corners lie beyond one edge.  With strictEdges a
// corner exactly on the right or bottom edge counts as beyond.
static int OffScreen(const ScreenVertex* v, int strictEdges) {
    for (int k = 0; k < 3; k++) {
        if (!(v[k].sx > -SCREEN_LIMIT && v[k].sx < SCREEN_LIMIT && v[k].sy > -SCREEN_LIMIT &&
              v[k].sy < SCREEN_LIMIT))
            return 1;
    }
    if (v[0].sx < 0 && v[1].sx < 0 && v[2].sx < 0)
        return 1;
    if (v[0].sy < 0 && v[1].sy < 0 && v[2].sy < 0)
        return 1;
    if (strictEdges) {
        if (v[0].sx >= ScreenRight && v[1].sx >= ScreenRight && v[2].sx >= ScreenRight)
            return 1;
        if (v[0].sy >= ScreenBottom && v[1].sy >= ScreenBottom && v[2].sy >= ScreenBottom)
            return 1;
    } else {
        if (v[0].sx > ScreenRight && v[1].sx > ScreenRight && v[2].sx > ScreenRight)
            return 1;
        if (v[0].sy > ScreenBottom && v[1].sy > ScreenBottom && v[2].sy > ScreenBottom)
            return 1;
    }
    return 0;
}

enum { TEXTURE_LIST = 0, TRANSLUCENT_LIST = 1 };

// Projects the triangle into the polygon at the cursor and appends its pair;
// the cursor comes back unchanged when the triangle is off screen or the list
// is full.
static int EmitPolygon(int cursor, const ClipVertex* c, int slot, int mode, int strictEdges, int list) {
    if (PolygonListFull(cursor))
        return cursor;
    ScreenPolygon& p = PolygonAt(cursor);
    for (int k = 0; k < 3; k++)
        Project(p.vertex[k], c[k]);
    if (OffScreen(p.vertex, strictEdges))
        return cursor;
    p.slot = slot;
    p.mode = mode;
    if (list == TRANSLUCENT_LIST) {
        TranslucentSortPairs[TranslucentPairCount] = RoundToInt((c[0].z + c[1].z + c[2].z) * 0.33333334f);
        TranslucentSortPairs[TranslucentPairCount + 1] = cursor;
        TranslucentPairCount += 2;
    } else {
        TextureSortPairs[TextureSortPairCount] = slot;
        TextureSortPairs[TextureSortPairCount + 1] = cursor;
        TextureSortPairCount += 2;
    }
    return cursor + POLYGON_WORDS;
}

// The environment-map coordinates of one kept polygon, from the rotated
// normals of its corners (indices from the object's first vertex).
static void AppendEnvCoords(int i0, int i1, int i2) {
    if (EnvMapCount < 0 || EnvMapCount > ENV_MAP_FLOATS - 6)
        return;
    const int corners[3] = {i0, i1, i2};
    for (int k = 0; k < 3; k++) {
        float u = 0.5f, v = 0.5f;
        if (corners[k] >= 0 && corners[k] < VERTEX_POOL_SIZE) {
            const float* n = &RotatedNormals[corners[k] * 3];
            u = (n[0] + 1.0f) * 0.5f;
            v = (n[2] + 1.0f) * 0.5f;
        }
        EnvMapCoords[EnvMapCount++] = u;
        EnvMapCoords[EnvMapCount++] = v;
    }
}

int EmitClippedPolygon(int cursor, int slot) {
    return EmitPolygon(cursor, ClipScratch, slot, PolygonMode, 0, TEXTURE_LIST);
}

int EmitClippedMeshPolygon(int cursor, int slot, int) {
    return EmitPolygon(cursor, ClipScratch, slot, PolygonMode, 0, TEXTURE_LIST);
}

int EmitClippedEnvPolygon(int cursor, int slot, int, int i0, int i1, int i2) {
    const int next = EmitPolygon(cursor, ClipScratch, slot, PolygonMode, 0, TEXTURE_LIST);
    if (next != cursor)
        AppendEnvCoords(i0, i1, i2);
    return next;
}

int EmitClippedTranslucentPolygon(int cursor, int texture) {
    ClipVertex c[3];
    memcpy(c, TranslucentScratch, sizeof c);
    c[1].light = c[2].light = c[0].light;
    return EmitPolygon(cursor, c, texture, PolygonMode, 0, TRANSLUCENT_LIST);
}

// ---------------------------------------------------------------------------
// Shared steps of the object drawers.

// A triangle's position vertices as indices from the object's first vertex,
// and its texture-coordinate vertices in the pool; 0 when a corner lies
// outside its object or the pool.
static int TriangleVertices(const ObjectSpan& span, const ObjectTriangle& tri, int local[3], int uv[3]) {
    for (int k = 0; k < 3; k++) {
        local[k] = (int)(tri.corner[k] & 0xFFFF) - span.firstVertex;
        uv[k] = (int)(tri.corner[k] >> 16);
        if ((unsigned)local[k] >= (unsigned)span.vertexCount || uv[k] >= VERTEX_POOL_SIZE)
            return 0;
    }
    return 1;
}

// The range gate: the first vertex of the first triangle, placed by the
// render matrix alone (relative to the camera in world axes), must lie
// within -range..range in z (and in x when testX).
static int InRange(const ObjectSpan& span, float range, int testX) {
    if (span.triangleCount <= 0)
        return 0;
    const int first = (int)(TrianglePool[span.firstTriangle].corner[0] & 0xFFFF);
    if (first >= VERTEX_POOL_SIZE)
        return 0;
    const ObjectVertex& p = VertexPool[first];
    const Matrix4& m = RenderMatrix;
    const float z = p.x * m[0][2] + p.y * m[1][2] + p.z * m[2][2] + m[3][2];
    if (z < -range || z > range)
        return 0;
    if (testX) {
        const float x = p.x * m[0][0] + p.y * m[1][0] + p.z * m[2][0] + m[3][0];
        if (x < -range || x > range)
            return 0;
    }
    return 1;
}

// Model point through the render matrix (rotation and translation).
static void PlacePoint(const ObjectVertex& p, float out[3]) {
    const Matrix4& m = RenderMatrix;
    for (int c = 0; c < 3; c++)
        out[c] = p.x * m[0][c] + p.y * m[1][c] + p.z * m[2][c] + m[3][c];
}

// A point relative to the camera turned by the 3 x 3 part of a matrix.
static void TurnPoint(const float p[3], const Matrix4 m, float out[3]) {
    for (int c = 0; c < 3; c++)
        out[c] = p[0] * m[0][c] + p[1] * m[1][c] + p[2] * m[2][c];
}

static int NearMask(const ClipVertex* c, float limit) {
    return (c[0].z < limit ? 1 : 0) | (c[1].z < limit ? 2 : 0) | (c[2].z < limit ? 4 : 0);
}

static void SetCorner(ClipVertex& c, const float p[3], int uvVertex, int light) {
    c.x = p[0];
    c.y = p[1];
    c.z = p[2];
    c.u = VertexPool[uvVertex].u;
    c.v = VertexPool[uvVertex].v;
    c.light = light;
}

// ---------------------------------------------------------------------------
// Drawers lit in model space: the lit-object and environment-mapping ones.

static int DrawModelLit(int cursor, int object, int backFace, int envMapped) {
    ObjectSpan span;
    if (!GetObjectSpan(object, &span))
        return cursor;
    TransformObjectVertices(object);

    // The light turned into the object's frame: L'c = sum over r of Lr x Mrc.
    float light[3];
    for (int c = 0; c < 3; c++)
        light[c] = LightDirection[0] * RenderMatrix[0][c] + LightDirection[1] * RenderMatrix[1][c] +
                   LightDirection[2] * RenderMatrix[2][c];
    const int darkness = Darkness();
    const float* normals = span.lit ? &VertexNormals[span.normalsStart] : nullptr;

    for (int t = span.firstTriangle; t < span.firstTriangle + span.triangleCount; t++) {
        if (PolygonListFull(cursor))
            break;
        const ObjectTriangle& tri = TrianglePool[t];
        int local[3], uv[3];
        if (!TriangleVertices(span, tri, local, uv))
            continue;
        const float* a = &CameraVertices[local[0]].x;
        const float* b = &CameraVertices[local[1]].x;
        const float* c = &CameraVertices[local[2]].x;
        if (backFace == 1 && FaceDeterminant(a, b, c) >= 0.0f)
            continue;

        ClipVertex corner[3];
        const float* points[3] = {a, b, c};
        for (int k = 0; k < 3; k++) {
            int value = 255;
            if (normals) {
                const float* n = &normals[local[k] * 3];
                value = RoundToInt((n[0] * light[0] + n[1] * light[1] + n[2] * light[2]) * 300.0f + 128.0f);
            }
            SetCorner(corner[k], points[k], uv[k], value);
        }
        const int mask = NearMask(corner, 1.0f);
        if (mask == 7)
            continue;

        const int slot = (int)(tri.texture & 0xFFFF);
        if (mask != 0) {
            for (ClipVertex& k : corner)
                k.light = ClampLight(k.light - darkness);
            memcpy(ClipScratch, corner, sizeof corner);
            cursor = envMapped ? ClipNearEnvTriangle(mask, cursor, slot, span.lit, local[0], local[1], local[2])
                               : ClipNearMeshTriangle(mask, cursor, slot, span.lit);
            memcpy(corner, ClipScratch, sizeof corner);
        } else if (normals) {
            for (ClipVertex& k : corner)
                k.light = ClampLight(k.light - darkness);
        }
        const int next = EmitPolygon(cursor, corner, slot, PolygonMode, 1, TEXTURE_LIST);
        if (envMapped && next != cursor)
            AppendEnvCoords(local[0], local[1], local[2]);
        cursor = next;
    }
    return cursor;
}

int DrawLitObject(int cursor, int object, float range, int backFace) {
    EnvMapCount = 0;
    ObjectSpan span;
    if (!GetObjectSpan(object, &span) || !InRange(span, range, 0))
        return cursor;
    return DrawModelLit(cursor, object, backFace, 0);
}

int DrawEnvMappedObject(int cursor, int object, float, int backFace) {
    EnvMapCount = 0;
    return DrawModelLit(cursor, object, backFace, 1);
}

// ---------------------------------------------------------------------------
// The fixed-light drawer: render matrix and view combined once, the
// vertices turned one by one.

int DrawFixedLightObject(int cursor, int object, float range) {
    EnvMapCount = 0;
    ObjectSpan span;
    if (!GetObjectSpan(object, &span) || !InRange(span, range, 1))
        return cursor;

    float m[4][3];
    for (int r = 0; r < 4; r++) {
        for (int c = 0; c < 3; c++)
            m[r][c] = RenderMatrix[r][0] * ViewMatrix[0][c] + RenderMatrix[r][1] * ViewMatrix[1][c] +
                      RenderMatrix[r][2] * ViewMatrix[2][c];
    }
    const int darkness = Darkness();
    const float* normals = span.lit ? &VertexNormals[span.normalsStart] : nullptr;

    for (int t = span.firstTriangle; t < span.firstTriangle + span.triangleCount; t++) {
        if (PolygonListFull(cursor))
            break;
        const ObjectTriangle& tri = TrianglePool[t];
        int local[3], uv[3];
        if (!TriangleVertices(span, tri, local, uv))
            continue;
        float p[3][3];
        for (int k = 0; k < 3; k++) {
            const ObjectVertex& v = VertexPool[span.firstVertex + local[k]];
            for (int c = 0; c < 3; c++)
                p[k][c] = v.x * m[0][c] + v.y * m[1][c] + v.z * m[2][c] + m[3][c];
        }
        if ((tri.texture >> 16) == 0 && FaceDeterminant(p[0], p[1], p[2]) >= 0.0f)
            continue;

        ClipVertex corner[3];
        for (int k = 0; k < 3; k++) {
            int value = 255;
            if (normals) {
                const float* n = &normals[local[k] * 3];
                value = RoundToInt((n[0] * FixedLightVector[0] + n[1] * FixedLightVector[1] +
                                    n[2] * FixedLightVector[2]) * 300.0f + 128.0f);
                value = ClampRange(value - darkness, 60, 255);
            }
            SetCorner(corner[k], p[k], uv[k], value);
        }
        const int mask = NearMask(corner, 1.0f);
        if (mask == 7)
            continue;
        const int slot = (int)(tri.texture & 0xFFFF);
        if (mask != 0) {
            memcpy(ClipScratch, corner, sizeof corner);
            cursor = ClipNearTriangle(mask, cursor, slot);
            memcpy(corner, ClipScratch, sizeof corner);
        }
        cursor = EmitPolygon(cursor, corner, slot, PolygonMode, 0, TEXTURE_LIST);
    }
    return cursor;
}

// ---------------------------------------------------------------------------
// Drawers that place each vertex by the render matrix (relative to the
// camera in world axes), cull there, and then turn it by the view.

enum WorldPlacedKind {
    NORMAL_LIT,               // rotated normals, textured clipper
    SINGLE_TEXTURE_OBJECT,    // one texture, back faces always culled
    SINGLE_TEXTURE_SPRITE,    // one texture, back faces culled on request
    TRANSLUCENT_SPRITE,       // translucent list, never culled
};

static int DrawWorldPlaced(int cursor, int object, float range, int kind, int texture, int backFace) {
    ObjectSpan span;
    if (!GetObjectSpan(object, &span) || !InRange(span, range, kind != SINGLE_TEXTURE_OBJECT))
        return cursor;
    const int cull = kind == NORMAL_LIT || kind == SINGLE_TEXTURE_OBJECT || (kind == SINGLE_TEXTURE_SPRITE && backFace == 1);

    for (int t = span.firstTriangle; t < span.firstTriangle + span.triangleCount; t++) {
        if (PolygonListFull(cursor))
            break;
        const ObjectTriangle& tri = TrianglePool[t];
        int local[3], uv[3];
        if (!TriangleVertices(span, tri, local, uv))
            continue;
        float world[3][3];
        for (int k = 0; k < 3; k++)
            PlacePoint(VertexPool[span.firstVertex + local[k]], world[k]);
        if (cull && FaceDeterminant(world[0], world[1], world[2]) >= 0.0f)
            continue;

        ClipVertex corner[3];
        for (int k = 0; k < 3; k++) {
            float camera[3];
            TurnPoint(world[k], ViewMatrix, camera);
            int value = SpriteColour;
            if (kind == NORMAL_LIT) {
                value = 255;
                if (span.lit) {
                    const float* n = &RotatedNormals[local[k] * 3];
                    value = RoundToInt((n[0] * LightDirection[0] + n[1] * LightDirection[1] +
                                        n[2] * LightDirection[2]) * 400.0f + 128.0f);
                    value = ClampRange(value, 90, 255);
                }
            }
            SetCorner(corner[k], camera, uv[k], value);
        }
        const int mask = NearMask(corner, 1.0f);
        if (mask == 7)
            continue;

        if (kind == TRANSLUCENT_SPRITE) {
            if (mask != 0) {
                memcpy(TranslucentScratch, corner, sizeof corner);
                cursor = ClipNearTranslucent(mask, cursor, texture);
                memcpy(corner, TranslucentScratch, sizeof corner);
            }
            cursor = EmitPolygon(cursor, corner, texture, PolygonMode, 0, TRANSLUCENT_LIST);
            continue;
        }
        const int slot = kind == NORMAL_LIT ? (int)(tri.texture & 0xFFFF) : texture;
        if (mask != 0) {
            memcpy(ClipScratch, corner, sizeof corner);
            cursor = kind == NORMAL_LIT ? ClipNearTriangle(mask, cursor, slot)
                                        : ClipNearTriangleUnlit(mask, cursor, slot);
            memcpy(corner, ClipScratch, sizeof corner);
        }
        cursor = EmitPolygon(cursor, corner, slot, PolygonMode, 0, TEXTURE_LIST);
    }
    return cursor;
}

int DrawNormalLitObject(int cursor, int object, float range) {
    return DrawWorldPlaced(cursor, object, range, NORMAL_LIT, 0, 1);
}

int DrawSingleTextureObject(int cursor, int object, float range, int texture) {
    return DrawWorldPlaced(cursor, object, range, SINGLE_TEXTURE_OBJECT, texture, 1);
}

int DrawTranslucentSprite(int cursor, int object, float range, int texture) {
    return DrawWorldPlaced(cursor, object, range, TRANSLUCENT_SPRITE, texture, 0);
}

int DrawSingleTextureSprite(int cursor, int object, float range, int texture, int backFace) {
    return DrawWorldPlaced(cursor, object, range, SINGLE_TEXTURE_SPRITE, texture, backFace);
}

// ---------------------------------------------------------------------------
// Backdrops and world sections: points + eye turned by the camera.

int DrawBackdropObject(int cursor, int object, float eyeX, float eyeY, float eyeZ) {
    ObjectSpan span;
    if (!GetObjectSpan(object, &span))
        return cursor;
    for (int t = span.firstTriangle; t < span.firstTriangle + span.triangleCount; t++) {
        if (PolygonListFull(cursor))
            break;
        const ObjectTriangle& tri = TrianglePool[t];
        int local[3], uv[3];
        if (!TriangleVertices(span, tri, local, uv))
            continue;
        ClipVertex corner[3];
        for (int k = 0; k < 3; k++) {
            const ObjectVertex& v = VertexPool[span.firstVertex + local[k]];
            const float relative[3] = {v.x + eyeX, v.y + eyeY, v.z + eyeZ};
            float camera[3];
            TurnPoint(relative, RenderMatrix, camera);
            SetCorner(corner[k], camera, uv[k], 255);
        }
        const int mask = NearMask(corner, 1.0f);
        if (mask == 7)
            continue;
        const int slot = (int)(tri.texture & 0xFFFF);
        if (mask != 0) {
            memcpy(ClipScratch, corner, sizeof corner);
            cursor = ClipNearTriangle(mask, cursor, slot);
            memcpy(corner, ClipScratch, sizeof corner);
        }
        cursor = EmitPolygon(cursor, corner, slot, 10, 0, TEXTURE_LIST);
    }
    return cursor;
}

enum { SECTION_WORDS = 12, SECTION_HEADER_PAIRS = 200, FIRST_VISIBILITY_ZONE = 96, MAX_VISIBILITY_IDS = 10 };

// A vertex reference of a section entry: the vertex's position in the pool
// counted in 32-bit words (vertex x 5).
static int SectionVertex(int32_t words) {
    if (words < 0 || words % 5 != 0 || words / 5 >= VERTEX_POOL_SIZE)
        return -1;
    return words / 5;
}

int DrawVisibleSections(int cursor, const int32_t* visibilityIds, int idCount, float eyeX, float eyeY, float eyeZ,
                        const int32_t* sectionTable, int sectionWords, const uint8_t* shadeTable, int shadeBytes) {
    if (!visibilityIds || !sectionTable)
        return cursor;
    const Matrix4& camera = RenderMatrix;
    const float eye[3] = {eyeX, eyeY, eyeZ};
    // The point the section planes are tested against.
    float probe[3];
    for (int r = 0; r < 3; r++)
        probe[r] = camera[r][0] + camera[r][1] + camera[r][2] - eye[r];

    idCount = idCount > MAX_VISIBILITY_IDS ? MAX_VISIBILITY_IDS : idCount;
    for (int i = 0; i < idCount; i++) {
        const int section = visibilityIds[i] - FIRST_VISIBILITY_ZONE;
        if (section < 0 || section >= SECTION_HEADER_PAIRS || 2 * section + 1 >= sectionWords)
            continue;
        const int first = sectionTable[2 * section];
        const int count = sectionTable[2 * section + 1];
        for (int n = 0; n < count; n++) {
            if (PolygonListFull(cursor))
                return cursor;
            const int64_t at = (int64_t)first + (int64_t)n * SECTION_WORDS;
            if (at < 0 || at > sectionWords - SECTION_WORDS)
                break;
            const int32_t* entry = &sectionTable[at];
            float plane[4];
            memcpy(plane, &entry[8], sizeof plane);
            if (entry[7] == 0 && !(probe[0] * plane[0] + probe[1] * plane[1] + probe[2] * plane[2] < plane[3]))
                continue;

            ClipVertex corner[3];
            int valid = 1;
            uint32_t shades[3] = {255, 255, 255};
            if (shadeTable && at <= shadeBytes - 12)
                memcpy(shades, &shadeTable[at], sizeof shades);
            for (int k = 0; k < 3 && valid; k++) {
                const int p = SectionVertex(entry[k]);
                const int uv = SectionVertex(entry[4 + k]);
                if (p < 0 || uv < 0) {
                    valid = 0;
                    break;
                }
                const float relative[3] = {VertexPool[p].x + eyeX, VertexPool[p].y + eyeY, VertexPool[p].z + eyeZ};
                float turned[3];
                TurnPoint(relative, camera, turned);
                SetCorner(corner[k], turned, uv, (int32_t)shades[k]);
            }
            if (!valid || RoundToInt(corner[0].z) <= -8000)
                continue;
            // Sections flag corners against the same near limit as objects: a
            // corner between the camera and z = 1 would project to a huge
            // screen position.
            const int mask = NearMask(corner, 1.0f);
            if (mask == 7)
                continue;
            const int slot = entry[3];
            if (mask != 0) {
                memcpy(ClipScratch, corner, sizeof corner);
                cursor = ClipNearTriangle(mask, cursor, slot);
                memcpy(corner, ClipScratch, sizeof corner);
            }
            cursor = EmitPolygon(cursor, corner, slot, PolygonMode, 1, TEXTURE_LIST);
        }
    }
    return cursor;
}

// ---------------------------------------------------------------------------
// Reflection passes.

// The polygons the pass may touch: no more than the environment-map
// coordinates written and no polygon outside the list.
static int ReflectedCount(int n, int first) {
    if (first < 0 || first % POLYGON_WORDS != 0)
        return 0;
    const int available = POLYGON_LIST_SIZE - first / POLYGON_WORDS;
    n = n > EnvMapCount / 6 ? EnvMapCount / 6 : n;
    return n > available ? available : n;
}

int ReflectionCopyPass(int n, int first, int cursor, int texture, int level) {
    if (StippleOnly)
        return cursor;
    const int light = ClampRange(level - Darkness(), 60, 255);
    n = ReflectedCount(n, first);
    for (int i = 0; i < n; i++) {
        if (PolygonListFull(cursor))
            break;
        const ScreenPolygon& source = PolygonAt(first + i * POLYGON_WORDS);
        ScreenPolygon& copy = PolygonAt(cursor);
        for (int k = 0; k < 3; k++) {
            copy.vertex[k].sx = source.vertex[k].sx;
            copy.vertex[k].sy = source.vertex[k].sy;
            copy.vertex[k].q = source.vertex[k].q;
            copy.vertex[k].u = EnvMapCoords[i * 6 + k * 2];
            copy.vertex[k].v = EnvMapCoords[i * 6 + k * 2 + 1];
            copy.vertex[k].light = light;
        }
        copy.slot = texture;
        copy.mode = 3;
        TextureSortPairs[TextureSortPairCount] = texture;
        TextureSortPairs[TextureSortPairCount + 1] = cursor;
        TextureSortPairCount += 2;
        cursor += POLYGON_WORDS;
    }
    return cursor;
}

void ReflectionRetexture(int n, int first, int texture, int level) {
    if (StippleOnly)
        return;
    const int light = ClampRange(level - Darkness(), 60, 255);
    n = ReflectedCount(n, first);
    for (int i = 0; i < n; i++) {
        ScreenPolygon& polygon = PolygonAt(first + i * POLYGON_WORDS);
        for (int k = 0; k < 3; k++) {
            polygon.vertex[k].u = EnvMapCoords[i * 6 + k * 2];
            polygon.vertex[k].v = EnvMapCoords[i * 6 + k * 2 + 1];
            polygon.vertex[k].light = light;
        }
        polygon.slot = texture;
        polygon.mode = 3;
    }
}
