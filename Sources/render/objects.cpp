#include "render/objects.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "frame/fileio.h"
#include "frame/utils.h"
#include "render/lookup_tables.h"
#include "race/race_state.h"
#include "render/render_state.h"
#include "track/track_state.h"

ObjectVertex VertexPool[VERTEX_POOL_SIZE];
ObjectTriangle TrianglePool[TRIANGLE_POOL_SIZE];
float VertexNormals[VERTEX_NORMALS_SIZE];
int NormalsTotal;
char ObjectNameTable[OBJECT_SLOTS][OBJECT_NAME_LENGTH];
ObjectEntry ObjectEntries[OBJECT_SLOTS];

int FirstObjectPending = 1;
int CurrentObjectSlot;
int ObjectLoadCount;
int ObjectPaintShift = -1;
int ObjectLoadMode;

static int TextureAreaAligned;   // the first object load of the run aligns the texel area

// Texture numbers that keep their number under any paint.
static const int UnpaintedTextures[][2] = {
    {1010, 1011}, {1013, 1015}, {1019, 1019}, {1021, 1023}, {1028, 1028}, {1030, 1030}, {1034, 1034},
    {1039, 1040}, {1049, 1051}, {1053, 1056}, {1065, 1069}, {1071, 1074}, {1077, 1079}, {1083, 1086},
    {1088, 1089}, {1092, 1092}, {1094, 1097}, {1111, 1111}, {1115, 1115}, {1119, 1119}, {1121, 1123},
    {1128, 1129}, {1141, 1145}, {1149, 1152}, {1165, 1166}, {1171, 1174}, {1695, 1699}, {1704, 1704},
    {1706, 1706}, {1708, 1708}, {1712, 1714},
};

static int IsUnpainted(int texture) {
    for (const auto& range : UnpaintedTextures) {
        if (texture >= range[0] && texture <= range[1])
            return 1;
    }
    return 0;
}

int PaintShiftedTexture(int texture, int paint) {
    if (paint == -1 || IsUnpainted(texture))
        return texture;
    if (texture >= 1700 && texture <= 1738)
        return texture + paint * 39;
    return texture + paint * 100;
}

void BeginObjectLoad(int clearNames) {
    VertexTotal = 0;
    TriangleTotal = 0;
    FirstObjectPending = 1;
    if (clearNames) {
        for (auto& name : ObjectNameTable)
            name[0] = 0;
        memset(ObjectEntries, 0, sizeof ObjectEntries);
        // The car shade builder reads triangle records past the world's end:
        // a fresh load leaves nothing of the last one there, so the file it
        // writes depends on this load alone.
        memset(VertexPool, 0, sizeof VertexPool);
        memset(TrianglePool, 0, sizeof TrianglePool);
    }
}

static void LogObjectError(const char* what, const char* fileName) {
    char line[300];
    snprintf(line, sizeof line, "ERROR (Track=%d,%d) %s (%s) %d", TrackGroup, TrackVariant, what, fileName,
             ObjectLoadCount);
    DebugLogText(line);
}

// Every corner must name vertices of its own object.
static int CornersValid(int first, int triangles, int vertices) {
    for (int t = 0; t < triangles; t++) {
        for (uint32_t corner : TrianglePool[first + t].corner) {
            if ((int)(corner & 0xFFFF) >= vertices || (int)(corner >> 16) >= vertices)
                return 0;
        }
    }
    return 1;
}

// The ground under the cars, the screen and the texels are taken as whole
// numbers from the vertices: a coordinate that is no number becomes 0, and
// every one is held far inside an int.
static void HoldVerticesInReach(int first, int vertices) {
    auto held = [](float& f) { f = ClampFileFloat(f, -FILE_COORDINATE_LIMIT, FILE_COORDINATE_LIMIT, 0.0f); };
    for (int i = first; i < first + vertices; i++) {
        ObjectVertex& v = VertexPool[i];
        held(v.x);
        held(v.y);
        held(v.z);
        held(v.u);
        held(v.v);
    }
}

static int FreeSlot() {
    for (int slot = 0; slot < OBJECT_SLOTS; slot++) {
        if (ObjectNameTable[slot][0] == 0)
            return slot;
    }
    return OBJECT_SLOTS;
}

void CargaObjeto(const char* fileName, int withNormals, int merge, const char* registeredName) {
    ObjectLoadCount++;
    if (FirstObjectPending == 1) {
        FirstObjectPending = 0;
        NormalsTotal = 0;
        CurrentObjectSlot = 0;
    }
    if (!TextureAreaAligned) {
        TextureAreaAligned = 1;
        SoftTexelBase = AlignBufferTo64K(SoftTexels);
    }

    const int V = VertexTotal;
    const int T = TriangleTotal;
    char path[256];
    if (V < 0 || V > VERTEX_POOL_SIZE || T < 0 || T > TRIANGLE_POOL_SIZE || NormalsTotal < 0 ||
        NormalsTotal > VERTEX_NORMALS_SIZE) {
        LogObjectError("Pools fuera de rango", fileName);
        return;
    }

    snprintf(path, sizeof path, "%s%s.ver", AssetFolder, fileName);
    const int vertexBytes =
        ReadWholeFile(path, &VertexPool[V], (VERTEX_POOL_SIZE - V) * (int)sizeof(ObjectVertex)) > 0 ? LastFileSize
                                                                                                     : 0;
    snprintf(path, sizeof path, "%s%s.tri", AssetFolder, fileName);
    const int triangleBytes = ReadWholeFile(path, &TrianglePool[T],
                                            (TRIANGLE_POOL_SIZE - T) * (int)sizeof(ObjectTriangle)) > 0
                                  ? LastFileSize
                                  : 0;

    // An unreadable .inf gives counts of 0.
    unsigned char infImage[12] = {};
    ObjectInfo info = {0, 0};
    snprintf(path, sizeof path, "%s%s.inf", AssetFolder, fileName);
    int lastRead = ReadWholeFile(path, infImage, sizeof infImage) > 0 ? LastFileSize : 0;
    if (lastRead >= (int)sizeof info)
        memcpy(&info, infImage, sizeof info);

    // Counts that disagree with the files, or corners outside the object,
    // make the object empty rather than let anything read past it.
    int valid = info.vertexCount >= 0 && info.triangleCount >= 0 &&
                vertexBytes == (int64_t)info.vertexCount * (int64_t)sizeof(ObjectVertex) &&
                triangleBytes == (int64_t)info.triangleCount * (int64_t)sizeof(ObjectTriangle);
    if (valid)
        valid = CornersValid(T, info.triangleCount, info.vertexCount);
    if (!valid) {
        if (lastRead > 0)
            LogObjectError("Objeto no valido", fileName);
        info.vertexCount = 0;
        info.triangleCount = 0;
    }
    HoldVerticesInReach(V, info.vertexCount);

    // A full name table refuses the object before it takes any normals.
    const int slot = merge == 0 ? FreeSlot() : CurrentObjectSlot;
    if (slot < 0 || slot >= OBJECT_SLOTS) {
        LogObjectError("Tabla de objetos llena", fileName);
        return;
    }

    int normalsStart = 0;
    int lit = withNormals ? 1 : 0;
    if (withNormals) {
        snprintf(path, sizeof path, "%s%s.nor", AssetFolder, fileName);
        const int capacity = (VERTEX_NORMALS_SIZE - NormalsTotal) * (int)sizeof(float);
        lastRead = ReadWholeFile(path, &VertexNormals[NormalsTotal], capacity) > 0 ? LastFileSize : 0;
        if (lastRead == info.vertexCount * (int)sizeof(ObjectNormal) && lastRead > 0) {
            normalsStart = NormalsTotal;
            NormalsTotal += lastRead / (int)sizeof(float);
        } else {
            lit = 0;   // normals that do not fit the object are not used
        }
    }

    if (merge == 0) {
        const size_t length = strnlen(registeredName, OBJECT_NAME_LENGTH);
        memcpy(ObjectNameTable[slot], registeredName, length);
        ObjectEntries[slot] = {V * 20, T * 16, info.vertexCount, info.triangleCount, normalsStart, V, lit, 0};
        CurrentObjectSlot = slot;
    } else {
        ObjectEntry& entry = ObjectEntries[slot];
        entry.vertexCount += info.vertexCount;
        entry.triangleCount += info.triangleCount;
        entry.lit = lit;
    }

    // Corner indices become pool indices; car parts take the paint shift.
    for (int t = T; t < T + info.triangleCount; t++) {
        ObjectTriangle& tri = TrianglePool[t];
        for (uint32_t& corner : tri.corner)
            corner = MakeCorner((corner & 0xFFFF) + (uint32_t)V, (corner >> 16) + (uint32_t)V);
        if (ObjectPaintShift != -1) {
            const int texture = PaintShiftedTexture((int)(tri.texture & 0xFFFF), ObjectPaintShift);
            tri.texture = (tri.texture & 0xFFFF0000u) | ((uint32_t)texture & 0xFFFFu);
        }
    }
    VertexTotal += info.vertexCount;
    TriangleTotal += info.triangleCount;

    if (lastRead == 0)
        LogObjectError("La funcion CargaObjeto (del fichero game),posiblemente no este bien escrito el nombre o "
                       "bien este no exista",
                       fileName);
}

int GetObjectSpan(int object, ObjectSpan* span) {
    if (object < 0 || object >= OBJECT_SLOTS)
        return 0;
    const ObjectEntry& e = ObjectEntries[object];
    if (e.firstVertex < 0 || e.vertexCount < 0 || e.firstVertex > VERTEX_POOL_SIZE - e.vertexCount)
        return 0;
    if (e.triangleOffset < 0 || e.triangleCount < 0 || e.triangleOffset % 16 != 0 ||
        e.triangleOffset / 16 > TRIANGLE_POOL_SIZE - e.triangleCount)
        return 0;
    span->firstVertex = e.firstVertex;
    span->vertexCount = e.vertexCount;
    span->firstTriangle = e.triangleOffset / 16;
    span->triangleCount = e.triangleCount;
    span->normalsStart = e.normalsStart;
    span->lit = e.lit != 0 && e.normalsStart >= 0 && e.normalsStart <= VERTEX_NORMALS_SIZE - e.vertexCount * 3;
    return 1;
}

int FindObject(const char* name) {
    const size_t n = strnlen(name, OBJECT_NAME_LENGTH);
    for (int slot = 0; slot < OBJECT_SLOTS; slot++) {
        if (ObjectNameTable[slot][0] != 0 && strncmp(ObjectNameTable[slot], name, n) == 0)
            return slot;
    }
    char line[300];
    snprintf(line, sizeof line, "ERROR (Track=%d,%d,%d) Objeto no encontrado:%s", TrackGroup, TrackVariant,
             TrackCode, name);
    DebugLogText(line);
    fprintf(stderr, "%s\n", line);
    exit(1);
}
