// Track textures and texture slots.
//
// PrepareTrackGraphics loads every texture the loaded triangles use, then
// the fixed per-race lists, and sets each slot's render flags.  On the
// software path a texture becomes a rectangle of 8-bit texel indices in a
// 256 x 256 page with a palette of its own; on the Direct3D path a texture
// container.
#pragma once

struct PlatSurface;

void PrepareTrackGraphics(PlatSurface* renderTarget);

// 0 loaded or failed (a failure marks the slot missing), -1 when the slot
// lies outside 1..2064 or is loaded already.  small asks for the half-size
// picture, used only below 640 x 480.
int LoadTextureSlot(int slot, int number, int mode, int small);

// The load mode of a track or car texture: 3 colour-keyed, -1 opaque.  On
// the software path an opaque car texture of the darkening lists also gets
// its darkening kind here.
int TrackTextureMode(int number);
int CarTextureMode(int number);

// 640 x 480 layout coordinates in pixels of the render surface.
int ScaleLayoutX(int x);
int ScaleLayoutY(int y);

// The software conversion of one bitmap into the texel pages: 1 done, -1
// when the picture cannot be read or taken (too large, no room left).
int ConvertSoftTexture(const char* path, int number, int mode);

