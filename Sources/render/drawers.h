// Object drawers and polygon emitters.
//
// A drawer turns one placed object (placed by the render matrix, seen
// through ViewMatrix) into screen polygons: it gates the object by range,
// transforms, culls back faces, lights the corners, hands triangles that
// cross the near limit to a clipper, projects, drops what lies off the
// screen and appends polygons and sort pairs.  Each takes the polygon cursor
// first and returns it advanced; PolygonMode is stamped into what it writes.
#pragma once

#include <cstdint>

// The main drawer: lit from the object's normals in model space, back faces
// culled when backFace is 1; skipped whole when its first vertex lies
// outside -range..range in z.
int DrawLitObject(int cursor, int object, float range, int backFace);

// As DrawLitObject without a range gate, also writing the environment-map
// coordinates of every polygon it keeps (RotateObjectNormals first).
int DrawEnvMappedObject(int cursor, int object, float range, int backFace);

// Lit by FixedLightVector; back faces always culled except for two-sided
// triangles; gated in z and x.
int DrawFixedLightObject(int cursor, int object, float range);

// Lit by its rotated normals (RotateObjectNormals first); gated in z and x.
int DrawNormalLitObject(int cursor, int object, float range);

// One texture and the SpriteColour word for the whole object; gated in z.
int DrawSingleTextureObject(int cursor, int object, float range, int texture);

// Translucent: into TranslucentSortPairs by depth; gated in z and x.
int DrawTranslucentSprite(int cursor, int object, float range, int texture);

// One texture and SpriteColour; back faces culled only when backFace is 1.
int DrawSingleTextureSprite(int cursor, int object, float range, int texture, int backFace);

// Sky and backdrops: the object's points + eye turned by the camera; no
// range gate, no culling, always draw mode 10.
int DrawBackdropObject(int cursor, int object, float eyeX, float eyeY, float eyeZ);

// The world sections named by a zone's visibility list (ids of 96 and up;
// others and empty sections are passed over), from the track's section
// table (32-bit words: a header of {first word, entry count} pairs, then
// 12-word entries) and its shade bytes (three 32-bit shade words at each
// entry's word index taken as a byte offset).  The current render matrix is
// the camera; eye is the negated camera position.
int DrawVisibleSections(int cursor, const int32_t* visibilityIds, int idCount, float eyeX, float eyeY, float eyeZ,
                        const int32_t* sectionTable, int sectionWords, const uint8_t* shadeTable, int shadeBytes);

// The emitters through which the clippers write the triangle in the scratch.
int EmitClippedPolygon(int cursor, int slot);
int EmitClippedMeshPolygon(int cursor, int slot, int lit);
int EmitClippedEnvPolygon(int cursor, int slot, int lit, int i0, int i1, int i2);
int EmitClippedTranslucentPolygon(int cursor, int texture);

// Reflection passes after an environment-mapped draw of n polygons starting
// at the polygon offset `first`: append environment-mapped copies, or
// retexture the polygons in place.  Nothing on a device that cannot blend.
int ReflectionCopyPass(int n, int first, int cursor, int texture, int level);
void ReflectionRetexture(int n, int first, int texture, int level);
