#include "render/clip.h"

#include "render/drawers.h"
#include "render/geometry.h"
#include "render/render_state.h"

ClipVertex ClipScratch[3];
ClipVertex TranslucentScratch[3];

// Corner i moved toward corner j onto z = 1.  t comes from the corners as
// they were on entry; a zero difference counts as 1.
static ClipVertex MoveToward(const ClipVertex& a, const ClipVertex& b, int interpolateLight) {
    float dz = b.z - a.z;
    if (dz == 0.0f)
        dz = 1.0f;
    const float t = (1.0f - a.z) / dz;
    ClipVertex moved;
    moved.x = a.x + t * (b.x - a.x);
    moved.y = a.y + t * (b.y - a.y);
    moved.z = 1.0f;
    moved.u = a.u + t * (b.u - a.u);
    moved.v = a.v + t * (b.v - a.v);
    moved.light = interpolateLight
                      ? RoundToInt((float)a.light + t * ((float)b.light - (float)a.light))
                      : a.light;
    return moved;
}

// The one algorithm of all five clippers; `emit` writes the triangle the
// clipper splits off.
template <typename Emit>
static int ClipNear(ClipVertex* s, int mask, int cursor, int interpolateLight, Emit emit) {
    const ClipVertex p0 = s[0], p1 = s[1], p2 = s[2];
    switch (mask) {
    case 1:   // emits (M01, P1, P2), leaves (M01, M02, P2)
        s[0] = MoveToward(p0, p1, interpolateLight);
        cursor = emit(cursor);
        s[1] = MoveToward(p0, p2, interpolateLight);
        break;
    case 2:   // emits (P0, M10, P2), leaves (M12, M10, P2)
        s[1] = MoveToward(p1, p0, interpolateLight);
        cursor = emit(cursor);
        s[0] = MoveToward(p1, p2, interpolateLight);
        break;
    case 4:   // emits (P0, P1, M21), leaves (P0, M20, M21)
        s[2] = MoveToward(p2, p1, interpolateLight);
        cursor = emit(cursor);
        s[1] = MoveToward(p2, p0, interpolateLight);
        break;
    case 3:
        s[0] = MoveToward(p0, p2, interpolateLight);
        s[1] = MoveToward(p1, p2, interpolateLight);
        break;
    case 5:
        s[0] = MoveToward(p0, p1, interpolateLight);
        s[2] = MoveToward(p2, p1, interpolateLight);
        break;
    case 6:
        s[1] = MoveToward(p1, p0, interpolateLight);
        s[2] = MoveToward(p2, p0, interpolateLight);
        break;
    default:
        break;
    }
    return cursor;
}

int ClipNearTriangle(int mask, int cursor, int slot) {
    return ClipNear(ClipScratch, mask, cursor, 1, [&](int c) { return EmitClippedPolygon(c, slot); });
}

int ClipNearMeshTriangle(int mask, int cursor, int slot, int lit) {
    return ClipNear(ClipScratch, mask, cursor, 1, [&](int c) { return EmitClippedMeshPolygon(c, slot, lit); });
}

int ClipNearEnvTriangle(int mask, int cursor, int slot, int lit, int i0, int i1, int i2) {
    return ClipNear(ClipScratch, mask, cursor, 1,
                    [&](int c) { return EmitClippedEnvPolygon(c, slot, lit, i0, i1, i2); });
}

int ClipNearTriangleUnlit(int mask, int cursor, int texture) {
    return ClipNear(ClipScratch, mask, cursor, 0, [&](int c) { return EmitClippedPolygon(c, texture); });
}

int ClipNearTranslucent(int mask, int cursor, int texture) {
    return ClipNear(TranslucentScratch, mask, cursor, 0,
                    [&](int c) { return EmitClippedTranslucentPolygon(c, texture); });
}
