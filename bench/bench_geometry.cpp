// The geometry stage on a scene of the full pools: 100 objects of 320
// vertices and 250 triangles (32,000 and 25,000), placed in front of the
// camera, lit from their normals.
//
//   build/bin/bench_geometry
//
// Reports vertices transformed, lit and projected per second, and triangles
// emitted per second.  The polygon list holds 4,800 polygons, so the list is
// restarted whenever it is nearly full, as a back end drawing it would.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "frame/frame_state.h"
#include "render/drawers.h"
#include "render/geometry.h"
#include "render/objects.h"
#include "render/polylist.h"
#include "render/render_state.h"

namespace {

const int OBJECTS = 100, COLUMNS = 16, ROWS = 20, TRIANGLES_EACH = 250;

// A curved grid patch facing the camera, with its normals.
void BuildFullPool() {
    BeginObjectLoad(1);
    NormalsTotal = 0;
    for (int o = 0; o < OBJECTS; o++) {
        const int V = VertexTotal, T = TriangleTotal;
        for (int r = 0; r < ROWS; r++) {
            for (int c = 0; c < COLUMNS; c++) {
                const float x = (c - COLUMNS / 2) * 6.0f, y = (r - ROWS / 2) * 6.0f;
                const float z = 0.002f * (x * x + y * y);
                VertexPool[VertexTotal++] = {x, y, z, c / 15.0f, r / 19.0f};
                const float length = std::sqrt(0.004f * x * 0.004f * x + 0.004f * y * 0.004f * y + 1.0f);
                VertexNormals[NormalsTotal++] = -0.004f * x / length;
                VertexNormals[NormalsTotal++] = -0.004f * y / length;
                VertexNormals[NormalsTotal++] = 1.0f / length;
            }
        }
        for (int t = 0; t < TRIANGLES_EACH; t++) {
            const int cell = t / 2, r = cell / (COLUMNS - 1), c = cell % (COLUMNS - 1);
            const uint32_t a = V + r * COLUMNS + c, b = a + 1, d = a + COLUMNS, e = d + 1;
            ObjectTriangle& tri = TrianglePool[TriangleTotal++];
            const uint32_t corners[2][3] = {{a, b, d}, {b, e, d}};   // facing the camera
            for (int k = 0; k < 3; k++)
                tri.corner[k] = MakeCorner(corners[t & 1][k], corners[t & 1][k]);
            tri.texture = MakeTextureWord(1000 + o % 10, 0);
        }
        ObjectNameTable[o][0] = 'B';
        ObjectEntries[o] = {V * 20, T * 16, ROWS * COLUMNS, TRIANGLES_EACH, V * 3, V, 1, 0};
    }
    BuildSqrtTable();
    BuildLightClampTable();
    SetupLightDirection();
    ScreenRight = 640;
    ScreenBottom = 480;
    ScreenCentreX = 320;
    ScreenCentreY = 240;
    ViewFocalScale = 224;
    PolygonMode = 3;
}

// Object o placed on a 10 x 10 wall in front of the camera, the camera
// slightly turned.
void PlaceObject(int o) {
    LoadIdentityRender();
    MatrixRotateYZX(0.1f, 0.05f * (o % 7), 0.0f);
    MatrixSetTranslation((o % 10 - 4.5f) * 90.0f, (o / 10 - 4.5f) * 110.0f, 1400.0f);
}

void SetCamera() {
    LoadIdentityRender();
    MatrixRotateXZY(0.02f, 0.03f, 0.0f);
    CopyMatrix(ViewMatrix, RenderMatrix);
}

template <typename Draw>
void RunScene(benchmark::State& state, Draw draw) {
    BuildFullPool();
    SetCamera();
    int64_t emitted = 0;
    for (auto _ : state) {
        int cursor = 0;
        TextureSortPairCount = 0;
        TranslucentPairCount = 0;
        for (int o = 0; o < OBJECTS; o++) {
            if (cursor > (POLYGON_LIST_SIZE - TRIANGLES_EACH) * POLYGON_WORDS) {
                emitted += cursor / POLYGON_WORDS;
                cursor = 0;
                TextureSortPairCount = 0;
                TranslucentPairCount = 0;
            }
            PlaceObject(o);
            cursor = draw(cursor, o);
        }
        emitted += cursor / POLYGON_WORDS;
        benchmark::DoNotOptimize(PolygonList);
    }
    state.counters["vertices/s"] =
        benchmark::Counter((double)state.iterations() * VertexTotal, benchmark::Counter::kIsRate);
    state.counters["triangles_emitted/s"] = benchmark::Counter((double)emitted, benchmark::Counter::kIsRate);
    state.counters["emitted/frame"] = (double)emitted / (double)state.iterations();
}

void BM_TransformOnly(benchmark::State& state) {
    BuildFullPool();
    SetCamera();
    for (auto _ : state) {
        for (int o = 0; o < OBJECTS; o++) {
            PlaceObject(o);
            TransformObjectVertices(o);
        }
        benchmark::DoNotOptimize(CameraVertices[0].z);
        benchmark::ClobberMemory();
    }
    state.counters["vertices/s"] =
        benchmark::Counter((double)state.iterations() * VertexTotal, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TransformOnly);

void BM_DrawLitObject(benchmark::State& state) {
    RunScene(state, [](int cursor, int o) { return DrawLitObject(cursor, o, 100000.0f, 1); });
}
BENCHMARK(BM_DrawLitObject);

void BM_DrawNormalLitObject(benchmark::State& state) {
    RunScene(state, [](int cursor, int o) {
        RotateObjectNormals(o);
        return DrawNormalLitObject(cursor, o, 100000.0f);
    });
}
BENCHMARK(BM_DrawNormalLitObject);

void BM_SortPairs4800(benchmark::State& state) {
    std::vector<int32_t> source;
    srand(1);
    for (int i = 0; i < POLYGON_LIST_SIZE; i++) {
        source.push_back(1000 + rand() % 300);
        source.push_back(i * POLYGON_WORDS);
    }
    std::vector<int32_t> pairs;
    for (auto _ : state) {
        pairs = source;
        SortPairsByKey(pairs.data(), 0, (int)pairs.size() - 2);
        benchmark::DoNotOptimize(pairs.data());
    }
    state.SetItemsProcessed(state.iterations() * POLYGON_LIST_SIZE);
}
BENCHMARK(BM_SortPairs4800);

void BM_FastSqrt(benchmark::State& state) {
    BuildSqrtTable();
    float sum = 0, a = 1.0f;
    for (auto _ : state) {
        for (int i = 0; i < 1000; i++) {
            sum += FastSqrt(a);
            a += 1.25f;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_FastSqrt);

}  // namespace
