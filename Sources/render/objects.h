// 3D objects and the shared vertex and triangle pools.
//
// Every shape is loaded by name into the pools; a load starts by emptying
// them and objects are then appended one after the other.  An object is
// known by its slot in the name table afterwards.
#pragma once

#include <cstdint>

#include "render/object_files.h"

enum {
    VERTEX_POOL_SIZE = 32000,
    TRIANGLE_POOL_SIZE = 25000,
    VERTEX_NORMALS_SIZE = 80000,
    OBJECT_SLOTS = 200,
    OBJECT_NAME_LENGTH = 16,
};

// An object's entry: eight 32-bit integers.
struct ObjectEntry {
    int32_t vertexOffset;      // VertexTotal x 20 at the load: byte position in VertexPool
    int32_t triangleOffset;    // TriangleTotal x 16 at the load
    int32_t vertexCount;
    int32_t triangleCount;
    int32_t normalsStart;      // float index in VertexNormals (0 when none)
    int32_t firstVertex;       // VertexTotal at the load
    int32_t lit;               // loaded with normals
    int32_t reserved;
};
static_assert(sizeof(ObjectEntry) == 32, "object entries are eight integers");

extern ObjectVertex VertexPool[VERTEX_POOL_SIZE];
extern ObjectTriangle TrianglePool[TRIANGLE_POOL_SIZE];
extern float VertexNormals[VERTEX_NORMALS_SIZE];
extern int NormalsTotal;
extern char ObjectNameTable[OBJECT_SLOTS][OBJECT_NAME_LENGTH];
extern ObjectEntry ObjectEntries[OBJECT_SLOTS];

extern int FirstObjectPending;
extern int CurrentObjectSlot;
extern int ObjectLoadCount;
extern int ObjectPaintShift;   // paint index applied to texture numbers, -1 none
extern int ObjectLoadMode;

// Loads the object `fileName` from AssetFolder.  withNormals also reads the
// .nor file; merge non-zero appends it to the object registered last.
void CargaObjeto(const char* fileName, int withNormals, int merge, const char* registeredName);

// Slot of the first object whose name begins with `name`; a name no slot
// matches ends the program (exit code 1).
int FindObject(const char* name);

// Starting a load: empties the pools (and, when `clearNames`, the tables).
void BeginObjectLoad(int clearNames);

// An object's place in the pools, checked against the pools' sizes: what
// the drawers may walk.  0 for a slot out of range or an entry that does
// not fit the pools.  lit is 0 when the normals would not fit either.
struct ObjectSpan {
    int firstVertex, vertexCount;
    int firstTriangle, triangleCount;
    int normalsStart, lit;
};
int GetObjectSpan(int object, ObjectSpan* span);

// The texture number after the paint shift of the objects being loaded.
int PaintShiftedTexture(int texture, int paint);
