// Near-plane clipping.  A drawer hands over a triangle in ClipScratch (the
// translucent sprite drawer in TranslucentScratch) with a mask of the corners
// that lie behind the near limit (bit k: corner k).  The clipper moves those
// corners onto z = 1 along the triangle's edges; where that makes a
// quadrilateral it emits the first of its two triangles itself and leaves the
// second in the scratch for the drawer.  Each returns the cursor after what
// it emitted.
#pragma once

// World sections, backdrops, the fixed-light and normal-lit drawers.
int ClipNearTriangle(int mask, int cursor, int slot);
// The lit-object drawer.
int ClipNearMeshTriangle(int mask, int cursor, int slot, int lit);
// The environment-mapping drawer; i0..i2 are the corners' normal indices.
int ClipNearEnvTriangle(int mask, int cursor, int slot, int lit, int i0, int i1, int i2);
// The single-texture drawers: the light words stay as they were.
int ClipNearTriangleUnlit(int mask, int cursor, int texture);
// The translucent sprite drawer, on TranslucentScratch.
int ClipNearTranslucent(int mask, int cursor, int texture);
