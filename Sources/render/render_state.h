// Shared state of rendering: pools, polygon lists, textures and 2D surfaces.
#pragma once

#include <atomic>
#include <cstdint>

#include "frame/frame_state.h"

struct PlatSurface;

extern int VertexTotal;             // vertices used in VertexPool
extern int TriangleTotal;           // triangles used in TrianglePool
extern int TextureSortPairCount;
extern int TextureReloadFlag;
extern int TexturesReloading;
extern int FullSizeFonts;
extern int ForceTargetBlit;
extern float ViewFocalScale;
extern float ViewFocalScaleCopy;    // read by the car snapshot and the steering
extern PlatSurface* WorkSurface;
extern PlatSurface* ScreenCopySurface;
extern int ShowroomHidden;          // the front end hides the showroom scene
extern int RendererSurfaceFlags[2]; // set in the arena and cross groups

// ---------------------------------------------------------------------------
// The geometry pipeline (render/polylist.cpp, geometry.cpp, drawers.cpp,
// clip.cpp, lookup_tables.cpp).  Only the main thread builds scenes.

// One projected corner: screen x, y, the perspective factor q =
// ViewFocalScale / z (the back ends' depth), texture u, v, and the light word.
struct ScreenVertex {
    float sx, sy, q, u, v;
    int32_t light;
};
// One projected triangle: 20 32-bit words.
struct ScreenPolygon {
    ScreenVertex vertex[3];
    int32_t slot;   // texture slot
    int32_t mode;   // PolygonMode when it was written
};
static_assert(sizeof(ScreenPolygon) == 80, "screen polygons are 20 words");

enum {
    POLYGON_LIST_SIZE = 4800,
    POLYGON_WORDS = 20,                        // a polygon offset counts 32-bit words
    SORT_PAIR_INTS = POLYGON_LIST_SIZE * 2,    // one {key, offset} pair per polygon
    ENV_MAP_FLOATS = POLYGON_LIST_SIZE * 6,
};

extern ScreenPolygon PolygonList[POLYGON_LIST_SIZE];
extern int32_t TextureSortPairs[SORT_PAIR_INTS];     // drawing order; TextureSortPairCount counts ints
extern int32_t TranslucentSortPairs[SORT_PAIR_INTS];
extern int TranslucentPairCount;                     // ints used, 2 per pair
extern int PolygonMode;                              // stamped into every polygon written
extern float EnvMapCoords[ENV_MAP_FLOATS];           // u, v of three corners per polygon
extern int EnvMapCount;                              // floats written for the current object

// Camera-space corner of the triangle being clipped.
struct ClipVertex {
    float x, y, z, u, v;
    int32_t light;
};
extern ClipVertex ClipScratch[3];
extern ClipVertex TranslucentScratch[3];   // the translucent sprite drawer's own triangle

// Matrices: row vectors, p x M, row 3 the translation.
typedef float Matrix4[4][4];
extern Matrix4 RenderMatrix, PhysMatrix;
extern Matrix4 RenderOperand, PhysOperand;
extern Matrix4 ViewMatrix;                 // the camera rotation of the view being built

struct CameraVertex {
    float x, y, z;
};
extern CameraVertex CameraVertices[];      // the object being drawn, in vertex order
extern float RotatedNormals[];             // its normals turned by the render matrix
extern float FaceNormalX[], FaceNormalY[], FaceNormalZ[];

extern float LightDirection[3];
extern float FixedLightVector[3];          // the fixed-light drawer's light (the scene builder sets it)
extern int SpriteColour;                   // the colour word of the sprite drawers
extern int LightClampTable[2048];          // clamp(v, 60, 255) at index v + 512
extern int SqrtTable[256];
extern int StippleOnly;                    // the device cannot blend: no reflection passes

// Lookup tables of the back ends.
extern float ReciprocalTable[10000];
extern uint32_t ColourRampA[256], ColourRampB[256];
// The darkening tables (DarkenTableStrong, DarkenTableWeak: 65,536 entries)
// and the software texture areas (SoftTexels, SoftOccupancy, SoftPalettes)
// are work buffers: frame/frame_state.h declares them, the work-buffer
// allocator provides them.  Each texture area is used from its first 64 KB
// boundary on.
enum { SOFT_TEXTURE_AREA_BYTES = 3 * 1024 * 1024 };
extern unsigned char* SoftTexelBase;
extern unsigned char* SoftOccupancyBase;
extern unsigned char* SoftPaletteBase;
// Per car: subtracted from object light before the clamp; written by the
// car shading from the ground under the car.  The single value beside it is
// the car shaded last.
extern int ViewDarkness[8];
extern int ViewDarknessCurrent;
