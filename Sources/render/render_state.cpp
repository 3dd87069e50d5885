#include "render/render_state.h"

int VertexTotal;
int TriangleTotal;
int TextureSortPairCount;
int TextureReloadFlag;
int TexturesReloading;
int FullSizeFonts;
int ForceTargetBlit;
float ViewFocalScale = 224.0f;
float ViewFocalScaleCopy = 224.0f;
PlatSurface* WorkSurface;
PlatSurface* ScreenCopySurface;
PlatSurface* FadeFromSurface;
PlatSurface* SkyBitmapSurface;
PlatSurface* SkyBackdropSurface;
int ShowroomHidden;
int RendererSurfaceFlags[2];
int ViewDarkness[8];
int ViewDarknessCurrent;
