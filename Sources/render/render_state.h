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
extern PlatSurface* FadeFromSurface;  // the menu screen left, as its last frame showed it
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

// ---------------------------------------------------------------------------
// Texture slots (textures.cpp).  A texture is known by its number 1..2064,
// which is also its slot and its file name.
enum {
    TEXTURE_SLOTS = 2065,            // slot 0 is never loaded
    TEXTURE_FIRST = 1,
    TEXTURE_LAST = 2064,
    SOFT_PAGE_SIDE = 256,
    SOFT_PAGE_BYTES = 65536,
    SOFT_PALETTE_BLOCK = 8192,       // palette bytes given to each software texture
};
// The software path's record of one texture: where its texels lie and
// how the rasteriser draws them.
struct SoftTexturePage {
    int32_t width, height;
    int32_t pageX, pageY;            // the texture's corner in its page, 0..255
    const uint8_t* page;             // the 64 KB-aligned 256 x 256 page of texel indices; null: not loaded
    const uint16_t* palette;         // 256 colours in the frame's pixel format
    int32_t keyClass;                // -1 opaque; otherwise texels of colour 0 are holes
    int32_t kind;                    // 0 textured, 1 darkening mask, 2 depth-tested darkening mask
};
extern SoftTexturePage SoftTexturePages[TEXTURE_SLOTS];
extern int32_t TextureIdTable[TEXTURE_SLOTS];
extern int32_t TextureSlotState[TEXTURE_SLOTS];   // -1 not loaded, 0 loaded
extern uint8_t TextureMissing[TEXTURE_SLOTS];
extern int32_t TextureRenderFlags[TEXTURE_SLOTS]; // 1 multiplicative, 2 additive, 4 no z, 8 nearest
extern int TexturesLoaded;
extern float LoadProgressStep;
extern int PaletteOffset;
extern int SoftTexelHigh;
extern int CurrentTextureMode;
extern int TrackMapLoaded;
// The dashboard dial and the track map (dial_map.cpp): every car's pixel on
// the map, and 1 when the map computed them this frame (the HUD draws them).
struct MapDot {
    int32_t x, y;
};
extern MapDot MapDotPositions[8];
extern int MapDotsReady;
// The second variant of texture 1: additive instead of multiplicative.  The
// race selection sets it for the tracks that ask for it.
extern int AltTextureSet;

// The sky of the software path: the track's picture and its stretched copy
// that every software frame starts from.
extern PlatSurface* SkyBitmapSurface;     // 320 x 128
extern PlatSurface* SkyBackdropSurface;   // SurfaceWidth x two thirds of SurfaceHeight

// ---------------------------------------------------------------------------
// Race model sets (model_sets.cpp): the object slots of every car's parts.
extern int CarBodyObject[8], CarShadowObject[8], CarHeadObject[8];
extern int CarLampObjects[8][3], CarLampSingleObject[8];
extern int CarGlassObject[8], CarPipesObject[8], CarHoodObject[8];
extern int CarWheelObjects[8][4], CarArmObjects[8][2];
extern int FirstCarObject, DustObject, BallObjects[4];
extern int ArenaCarObject, ArenaCarAltObject, ArenaTargetObject;
extern int ArenaDisplayWords[7];
extern float ArenaRefX[4], ArenaRefY[4], ArenaRefZ[4];
// Per car, from the built-in rows of its model.
extern float WheelOffsetX[8][4], WheelOffsetY[8][4], WheelOffsetZ[8][4];
extern float HeadOffset[8][3], PipeMount[8][4], BodyMount[8][4];
extern int CarSetLoaded[20], CarHoodLoaded[20];
extern int SceneryTriangleEnd, CarsVertexEnd, CarsTriangleEnd;
extern int SelectedModels[8], SelectedPaints[8], SelectedCodes[8];

// ---------------------------------------------------------------------------
// Scene builder (scene_builder.cpp).
extern float CarTravel[8];           // distance each car has rolled, for its body's reflection
extern int CarViewDistance[8];       // plan distance from the view's camera
extern int CarDetailLevel[8];        // 0..3, a coarse distance class
extern float WaterLevel;
extern int WaterFalling;
extern int DeviceBlendOk;            // the Direct3D device blends as the effects need
extern uint32_t TextureSortCycles;   // cycles of the car pass sort, for the developer overlay

// ---------------------------------------------------------------------------
// Software frame (soft_frame.cpp, rasteriser.cpp).  WorkSurface rows 0..479
// hold the colour frame (1280 bytes a row); from byte 614,400 lies the depth
// area, 480 rows of 640 32-bit values, larger = nearer, whose top byte is
// the frame's stamp.
enum {
    SOFT_FRAME_WIDTH = 640,
    SOFT_FRAME_HEIGHT = 480,
    SOFT_ROW_BYTES = 1280,
    SOFT_DEPTH_ROW_BYTES = 2560,
    SOFT_DEPTH_OFFSET = 614400,
    SOFT_DEPTH_STAMP_WRAP = 127,
};
extern unsigned char* FrameBufferPixels;   // the work surface's memory at the last lock
extern int DepthStampCounter;              // 0..126
extern uint32_t DepthStamp;                // the counter << 24
// The replay camera (timer thread) asks for an empty depth area here; the
// next software frame clears it before it draws.
extern std::atomic<int> DepthClearRequest;

// ---------------------------------------------------------------------------
// 2D surfaces (surfaces2d.cpp): the HUD boards, the font strips and the
// numbered menu pictures, in system memory; null when not created.  Main
// thread only.
extern PlatSurface* SmallFontSurface;        // 543 x 40, key white
extern PlatSurface* NotSurface;              // 210 x 42
extern PlatSurface* FontSurface;             // 4118 x 128, key green
extern PlatSurface* LogoSurface;             // 150 x 68, key green
extern PlatSurface* CountdownDigitsSurface;  // the HUD boards below have half-size
extern PlatSurface* GoSurface;               // pictures on small display modes
extern PlatSurface* NitroLightSurface;
extern PlatSurface* PositionBoardSurface;
extern PlatSurface* PenaltyLightSurface;
extern PlatSurface* TimeBoardSurface;
extern PlatSurface* JumpMeterSurface;
extern PlatSurface* BallSurface;
extern int GermanArt;                        // the German loading picture and logo
extern float LoadingSlideX;

// The numbered menu pictures "MENUS\GFX\%04d.bmp", loaded on demand.
enum { MENU_GFX_SLOTS = 535 };
struct MenuGfxSizeRecord {
    int32_t width, height;
    int32_t flags;                           // the load arguments ORed together
};
extern PlatSurface* MenuGfxCache[MENU_GFX_SLOTS];
extern unsigned char MenuGfxLoaded[MENU_GFX_SLOTS];
extern MenuGfxSizeRecord MenuGfxSize[MENU_GFX_SLOTS];

// The translucent overlay blit (overlay_blend.cpp): the locked destination,
// 640 16-bit pixels a row, and the locked picture.
extern uint16_t* BlendTarget;
extern const uint16_t* BlendSource;
