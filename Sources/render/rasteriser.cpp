#include "render/rasteriser.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "frame/frame_state.h"
#include "render/lookup_tables.h"
#include "render/render_state.h"
#include "track/editors.h"

namespace {

// One corner ready for the walk: screen x, integer row, and w', u', v'
// (u and v already multiplied by w' so that they interpolate linearly).
struct RasterVertex {
    float x;
    int y;
    float w, u, v;
};

// An edge's values at the current row and their steps per row.
struct Edge {
    float x, w, u, v;
    float dx, dw, du, dv;
};

enum SpanKind { SPAN_OPAQUE, SPAN_KEYED, SPAN_SHADOW, SPAN_TINT };

// What the span fillers need for one polygon.
struct RasterTarget {
    const uint8_t* page;
    const uint16_t* palette;
    int width, height;   // the frame's drawable size
};

inline float Reciprocal(int n) { return n > 0 && n < 10000 ? ReciprocalTable[n] : 1.0f / (float)n; }

// Nearest integer of a float in 64 bits (ties to even, as the processor
// rounds); anything not finite or beyond 2^51 gives 0.  Inline: the spans
// round several values each.
inline int64_t RoundTo64(float value) {
    const double magic = 6755399441055744.0;   // 1.5 x 2^52: adding it drops the fraction
    if (!(value > -2.0e15f && value < 2.0e15f))
        return 0;
    return (int64_t)(((double)value + magic) - magic);
}

inline int RoundRow(float value) {
    if (!(value > -1.0e9f && value < 1.0e9f))
        return value > 0 ? 1000000000 : -1000000000;
    return (int)RoundTo64(value);
}

void StartEdge(Edge& e, const RasterVertex& a, const RasterVertex& b) {
    const int dy = b.y - a.y;
    e.x = a.x;
    e.w = a.w;
    e.u = a.u;
    e.v = a.v;
    if (dy == 0) {
        e.dx = e.dw = e.du = e.dv = 0.0f;
        return;
    }
    const float r = Reciprocal(dy);
    e.dx = (b.x - a.x) * r;
    e.dw = (b.w - a.w) * r;
    e.du = (b.u - a.u) * r;
    e.dv = (b.v - a.v) * r;
}

inline void StepEdge(Edge& e) {
    e.x += e.dx;
    e.w += e.dw;
    e.u += e.du;
    e.v += e.dv;
}

inline void AdvanceEdge(Edge& e, int rows) {
    const float n = (float)rows;
    e.x += e.dx * n;
    e.w += e.dw * n;
    e.u += e.du * n;
    e.v += e.dv * n;
}

// The pixels of one run: `count` pixels from column pointer p, texel
// coordinates u, v in 16.16 stepping by du, dv, depth from `depth` stepping
// by dDepth under the frame's stamp.  A span whose depth stays inside the
// 24 bits adds the steps as they are; one that passes the limits holds each
// pixel at the limit it passed (SATURATE), so every pixel keeps its own
// depth up to there.
template <int KIND, bool SATURATE>
inline void FillRun(uint16_t* pixel, int32_t* depthCell, int count, uint32_t u, uint32_t v, uint32_t du,
                    uint32_t dv, int64_t& depth, int64_t dDepth, uint32_t stamp, const RasterTarget& t) {
    const uint8_t* __restrict page = t.page;
    const uint16_t* __restrict palette = t.palette;
    int64_t raw = depth;
    for (int i = 0; i < count; i++) {
        const uint8_t texel = page[(v >> 8 & 0xFF00u) | (u >> 16 & 0xFFu)];
        const int64_t held = SATURATE ? (raw < 0 ? 0 : raw > DEPTH_VALUE_MAX ? DEPTH_VALUE_MAX : raw) : raw;
        const int32_t z = (int32_t)((uint32_t)held | stamp);
        if (KIND == SPAN_OPAQUE) {
            if (z > depthCell[i]) {
                depthCell[i] = z;
                pixel[i] = palette[texel];
            }
        } else if (KIND == SPAN_KEYED) {
            const uint16_t colour = palette[texel];
            if (colour != 0 && z > depthCell[i]) {
                depthCell[i] = z;
                pixel[i] = colour;
            }
        } else if (KIND == SPAN_SHADOW) {
            if (texel != 0)
                pixel[i] = DarkenTableStrong[pixel[i]];
        } else {
            if (texel != 0 && z > depthCell[i])
                pixel[i] = DarkenTableWeak[pixel[i]];
        }
        u += du;
        v += dv;
        raw += dDepth;
    }
    depth = raw;
}

// The runs of one span: exact texel coordinates at every run end, linear
// inside a run.
template <int KIND, bool SATURATE>
void FillRuns(uint16_t* pixel, int32_t* depthCell, int length, float w, float u, float v, float dw, float du,
              float dv, int64_t depth, int64_t dDepth, const RasterTarget& t) {
    const uint32_t stamp = DepthStamp;
    float invW = w != 0.0f ? 65536.0f / w : 0.0f;
    uint32_t tu = (uint32_t)RoundTo64(u * invW);
    uint32_t tv = (uint32_t)RoundTo64(v * invW);
    int left = length;
    while (left > 0) {
        const int run = left >= 32 ? 32 : left;
        w += dw * (float)run;
        u += du * (float)run;
        v += dv * (float)run;
        invW = w != 0.0f ? 65536.0f / w : 0.0f;
        const uint32_t nu = (uint32_t)RoundTo64(u * invW);
        const uint32_t nv = (uint32_t)RoundTo64(v * invW);
        uint32_t su, sv;
        if (run == 32) {
            su = (uint32_t)((int32_t)(nu - tu) >> 5);
            sv = (uint32_t)((int32_t)(nv - tv) >> 5);
        } else {
            const float rest = Reciprocal(run);
            su = (uint32_t)(int32_t)RoundTo64((float)(int32_t)(nu - tu) * rest);
            sv = (uint32_t)(int32_t)RoundTo64((float)(int32_t)(nv - tv) * rest);
        }
        FillRun<KIND, SATURATE>(pixel, depthCell, run, tu, tv, su, sv, depth, dDepth, stamp, t);
        pixel += run;
        depthCell += run;
        left -= run;
        tu = nu;
        tv = nv;
    }
}

// One row between the two edges.
template <int KIND>
void FillSpan(int y, const Edge& a, const Edge& b, const RasterTarget& t) {
    int xa = RoundRow(a.x), xb = RoundRow(b.x);
    const Edge* l = &a;
    const Edge* r = &b;
    if (xb < xa) {
        const int k = xa;
        xa = xb;
        xb = k;
        l = &b;
        r = &a;
    }
    if (xb <= 0 || xa >= t.width || xa == xb)
        return;
    const float inv = Reciprocal(xb - xa);
    const float dw = (r->w - l->w) * inv;
    const float du = (r->u - l->u) * inv;
    const float dv = (r->v - l->v) * inv;
    float w = l->w, u = l->u, v = l->v;
    if (xb > t.width)
        xb = t.width;
    if (xa < 0) {
        const float n = (float)-xa;
        w += dw * n;
        u += du * n;
        v += dv * n;
        xa = 0;
    }
    const int length = xb - xa;

    // Depth: 24 bits of inverse depth under the frame's stamp.  Nearer than
    // the 24 bits reach (or behind the eye) a pixel holds at the limit.
    const int64_t start = RoundTo64(w * DEPTH_SCALE);
    const int64_t step = RoundTo64(dw * DEPTH_SCALE);
    const int64_t end = start + step * (length - 1);
    const bool inside = start >= 0 && start <= DEPTH_VALUE_MAX && end >= 0 && end <= DEPTH_VALUE_MAX;

    uint16_t* pixel = (uint16_t*)(ScanlineRows[y]) + xa;
    int32_t* depthCell = (int32_t*)(DepthRows[y] + SOFT_DEPTH_OFFSET) + xa;
    if (inside)
        FillRuns<KIND, false>(pixel, depthCell, length, w, u, v, dw, du, dv, start, step, t);
    else
        FillRuns<KIND, true>(pixel, depthCell, length, w, u, v, dw, du, dv, start, step, t);
}

// The triangle walk shared by the four kinds: rows from the top vertex down
// to (not including) the bottom one, a long edge top to bottom and a short
// edge top to middle, then middle to bottom.
template <int KIND>
void WalkTriangle(const RasterVertex* in, const RasterTarget& t) {
    // Sort by row; equal rows keep the polygon's order.
    const RasterVertex* p[3] = {&in[0], &in[1], &in[2]};
    if (p[1]->y < p[0]->y) {
        const RasterVertex* k = p[0];
        p[0] = p[1];
        p[1] = k;
    }
    if (p[2]->y < p[1]->y) {
        const RasterVertex* k = p[1];
        p[1] = p[2];
        p[2] = k;
        if (p[1]->y < p[0]->y) {
            k = p[0];
            p[0] = p[1];
            p[1] = k;
        }
    }
    const RasterVertex& top = *p[0];
    const RasterVertex& mid = *p[1];
    const RasterVertex& bottom = *p[2];

    Edge longEdge, shortEdge;
    StartEdge(longEdge, top, bottom);
    StartEdge(shortEdge, top, mid);
    int y = top.y;
    if (y < 0) {
        AdvanceEdge(longEdge, -y);
        AdvanceEdge(shortEdge, -y);
        y = 0;
    }
    int end = mid.y < t.height ? mid.y : t.height;
    for (; y < end; y++) {
        FillSpan<KIND>(y, longEdge, shortEdge, t);
        StepEdge(longEdge);
        StepEdge(shortEdge);
    }
    if (end == bottom.y || mid.y == bottom.y)
        return;
    StartEdge(shortEdge, mid, bottom);
    if (mid.y < 0)
        AdvanceEdge(shortEdge, -mid.y);
    y = mid.y < 0 ? 0 : mid.y;
    end = bottom.y < t.height ? bottom.y : t.height;
    for (; y < end; y++) {
        FillSpan<KIND>(y, longEdge, shortEdge, t);
        StepEdge(longEdge);
        StepEdge(shortEdge);
    }
}

}  // namespace

void RasterizePrimitives() {
    if (!DarkenTablesBuilt && DarkenTableStrong && DarkenTableWeak) {
        BuildDarkenTableStrong();
        BuildDarkenTableWeak();
        DarkenTablesBuilt = 1;
    }
    if (TextureSortPairCount < 2 || EditorActive != 0 || !ScanlineRows || !DepthRows || !DarkenTablesBuilt)
        return;

    // The software frame holds at most 640 x 480.
    RasterTarget target;
    target.width = SurfaceWidth < SOFT_FRAME_WIDTH ? SurfaceWidth : SOFT_FRAME_WIDTH;
    target.height = SurfaceHeight < SOFT_FRAME_HEIGHT ? SurfaceHeight : SOFT_FRAME_HEIGHT;
    if (target.width <= 0 || target.height <= 0)
        return;

    const int count = TextureSortPairCount < SORT_PAIR_INTS ? TextureSortPairCount : SORT_PAIR_INTS;
    for (int i = 0; i + 1 < count; i += 2) {
        const int offset = TextureSortPairs[i + 1];
        if (offset < 0 || offset % POLYGON_WORDS != 0 || offset / POLYGON_WORDS >= POLYGON_LIST_SIZE)
            continue;
        const ScreenPolygon& polygon = PolygonList[offset / POLYGON_WORDS];
        // Slots outside the texture range would read past the page records.
        if (polygon.slot < TEXTURE_FIRST || polygon.slot > TEXTURE_LAST)
            continue;
        const SoftTexturePage& texture = SoftTexturePages[polygon.slot & 0xFFF];
        if (!texture.page || !texture.palette)
            continue;

        // u from 0 to 1 covers texel columns page x + 1 to page x + width - 0.5.
        const float uScale = (float)texture.width - 1.5f, vScale = (float)texture.height - 1.5f;
        const float uBase = (float)texture.pageX + 1.0f, vBase = (float)texture.pageY + 1.0f;
        RasterVertex v[3];
        for (int k = 0; k < 3; k++) {
            const ScreenVertex& s = polygon.vertex[k];
            v[k].x = s.sx;
            v[k].y = RoundRow(s.sy);
            v[k].w = s.q * INVERSE_DEPTH_SCALE;
            v[k].u = (s.u * uScale + uBase) * v[k].w;
            v[k].v = (s.v * vScale + vBase) * v[k].w;
        }
        target.page = texture.page;
        target.palette = texture.palette;
        switch (texture.kind) {
        case 0:
            if (texture.keyClass == -1)
                WalkTriangle<SPAN_OPAQUE>(v, target);
            else
                WalkTriangle<SPAN_KEYED>(v, target);
            break;
        case 1: WalkTriangle<SPAN_SHADOW>(v, target); break;
        case 2: WalkTriangle<SPAN_TINT>(v, target); break;
        default: break;
        }
    }
}
