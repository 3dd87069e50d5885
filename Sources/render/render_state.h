// Shared state of rendering: pools, polygon lists, textures and 2D surfaces.
#pragma once

#include <atomic>

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
// Per car: subtracted from object light before the clamp; written by the
// car shading from the ground under the car.  The single value beside it is
// the car shaded last.
extern int ViewDarkness[8];
extern int ViewDarknessCurrent;
