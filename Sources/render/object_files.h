// The records of the 3D object files (.ver, .tri, .inf, .nor) and of the
// pools they are read into.  Headerless little-endian images.
#pragma once

#include <cstdint>

// One vertex: position in model units (y grows upwards), then texture u, v.
struct ObjectVertex {
    float x, y, z, u, v;
};
static_assert(sizeof(ObjectVertex) == 20, ".ver records are 20 bytes");

// One triangle.  Each corner: low 16 bits the vertex giving the position,
// high 16 bits the vertex giving u, v.  Texture word: low 16 bits the texture
// number, high 16 bits the flags (non-zero = two-sided).
struct ObjectTriangle {
    uint32_t corner[3];
    uint32_t texture;
};
static_assert(sizeof(ObjectTriangle) == 16, ".tri records are 16 bytes");

// The .inf file: the two counts (a 12-byte file carries a third word that
// marks an object already re-saved by the authoring tools).
struct ObjectInfo {
    int32_t vertexCount;
    int32_t triangleCount;
};
static_assert(sizeof(ObjectInfo) == 8, ".inf records are 8 bytes");

// One normal per vertex in .nor files.
struct ObjectNormal {
    float x, y, z;
};
static_assert(sizeof(ObjectNormal) == 12, ".nor records are 12 bytes");

inline uint32_t MakeCorner(uint32_t positionVertex, uint32_t uvVertex) {
    return (positionVertex & 0xFFFFu) | (uvVertex << 16);
}
inline uint32_t MakeTextureWord(uint32_t texture, uint32_t flags) { return (texture & 0xFFFFu) | (flags << 16); }
