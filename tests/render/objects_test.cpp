// Loading objects by name: the pools and tables, merging, the paint shift,
// and malformed files.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "common/test_game.h"
#include "platform/plat_file.h"
#include "render/geometry.h"
#include "render/objects.h"
#include "render/render_state.h"
#include "track/track_state.h"

namespace {

std::string Folder;

void WriteBytes(const std::string& name, const void* data, size_t size) {
    std::ofstream out(Folder + "/obj/" + name, std::ios::binary);
    out.write((const char*)data, (std::streamsize)size);
}

// Writes NAME.ver, .tri, .inf (the true counts unless given) and, when
// normals are given, .nor.
void WriteObject(const std::string& name, const std::vector<ObjectVertex>& v, const std::vector<ObjectTriangle>& t,
                 const std::vector<ObjectNormal>& n = {}, const ObjectInfo* info = nullptr) {
    const ObjectInfo counts = info ? *info : ObjectInfo{(int32_t)v.size(), (int32_t)t.size()};
    WriteBytes(name + ".ver", v.data(), v.size() * sizeof(ObjectVertex));
    WriteBytes(name + ".tri", t.data(), t.size() * sizeof(ObjectTriangle));
    WriteBytes(name + ".inf", &counts, sizeof counts);
    if (!n.empty())
        WriteBytes(name + ".nor", n.data(), n.size() * sizeof(ObjectNormal));
}

std::vector<ObjectVertex> Vertices(int count, float base) {
    std::vector<ObjectVertex> v;
    for (int i = 0; i < count; i++)
        v.push_back({base + i, 0, 0, 0, 0});
    return v;
}

ObjectTriangle Tri(int a, int b, int c, uint32_t texture, uint32_t uvShift = 0) {
    return {{MakeCorner(a, a + uvShift), MakeCorner(b, b), MakeCorner(c, c)}, texture};
}

void FreshFolder() {
    Folder = MakeTestFolder("objects");
    ASSERT_EQ(system(("mkdir -p '" + Folder + "/obj'").c_str()), 0);
    ASSERT_TRUE(PlatSetCurrentDir(Folder.c_str()));
    snprintf(AssetFolder, sizeof AssetFolder, "obj\\");
    BeginObjectLoad(1);
    ObjectPaintShift = -1;
}

}  // namespace

TEST(Objects, TwoObjectsRaiseTheSecondsIndices) {
    FreshFolder();
    WriteObject("FIRST", Vertices(4, 0), {Tri(0, 1, 2, 10), Tri(1, 2, 3, 11)});
    WriteObject("SECOND", Vertices(3, 100), {Tri(1, 2, 0, 12, 1)});
    CargaObjeto("FIRST", 0, 0, "FIRST");
    CargaObjeto("SECOND", 0, 0, "SECOND");
    EXPECT_EQ(VertexTotal, 7);
    EXPECT_EQ(TriangleTotal, 3);
    const ObjectEntry& second = ObjectEntries[FindObject("SECOND")];
    EXPECT_EQ(second.vertexOffset, 4 * 20);
    EXPECT_EQ(second.triangleOffset, 2 * 16);
    EXPECT_EQ(second.firstVertex, 4);
    EXPECT_EQ(second.vertexCount, 3);
    const ObjectTriangle& t = TrianglePool[2];
    EXPECT_EQ(t.corner[0], MakeCorner(5, 6));   // both halves raised by 4
    EXPECT_EQ(t.corner[2], MakeCorner(4, 4));
    EXPECT_EQ(VertexPool[6].x, 102.0f);
    EXPECT_EQ(FindObject("FIRST"), 0);
    EXPECT_EQ(ObjectEntries[0].lit, 0);

    // A new load starts from empty pools again.
    BeginObjectLoad(1);
    CargaObjeto("SECOND", 0, 0, "SECOND");
    EXPECT_EQ(FindObject("SECOND"), 0);
    EXPECT_EQ(TrianglePool[0].corner[0], MakeCorner(1, 2));
}

TEST(Objects, MergingATyreIntoItsWheel) {
    FreshFolder();
    WriteObject("RDI", Vertices(3, 0), {Tri(0, 1, 2, 1021)}, {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}});
    WriteObject("GRDI", Vertices(4, 10), {Tri(0, 1, 2, 1022), Tri(1, 2, 3, 1022)},
                {{-1, 0, 0}, {0, -1, 0}, {0, 0, -1}, {1, 1, 0}});
    CargaObjeto("CABEZA", 1, 0, "CABEZA00");   // missing files: registered empty
    CargaObjeto("RDI", 1, 0, "RUEDA01");
    CargaObjeto("GRDI", 1, 1, "ignored");
    const int slot = FindObject("RUEDA01");
    const ObjectEntry& e = ObjectEntries[slot];
    EXPECT_EQ(e.vertexCount, 7);
    EXPECT_EQ(e.triangleCount, 3);
    EXPECT_EQ(e.firstVertex, 0);
    EXPECT_EQ(e.lit, 1);
    EXPECT_EQ(e.normalsStart, 0);
    EXPECT_EQ(NormalsTotal, 21);
    EXPECT_EQ(VertexNormals[9], -1.0f);      // the tyre's normals follow the wheel's
    EXPECT_EQ(TrianglePool[2].corner[2], MakeCorner(6, 6));
    EXPECT_EQ(ObjectEntries[FindObject("CABEZA00")].vertexCount, 0);
    EXPECT_EQ(ObjectNameTable[slot + 1][0], 0);   // the merge took no slot

    // The merged object draws as one: every corner lies inside it.
    ObjectSpan span;
    ASSERT_TRUE(GetObjectSpan(slot, &span));
    EXPECT_EQ(span.triangleCount, 3);
    EXPECT_TRUE(span.lit);
}

TEST(Objects, PaintShiftKeepsFlagsAndUnpaintedNumbers) {
    EXPECT_EQ(PaintShiftedTexture(1500, 2), 1700);
    EXPECT_EQ(PaintShiftedTexture(1710, 2), 1788);
    EXPECT_EQ(PaintShiftedTexture(1092, 2), 1092);
    EXPECT_EQ(PaintShiftedTexture(1738, 1), 1777);
    EXPECT_EQ(PaintShiftedTexture(1739, 1), 1839);
    EXPECT_EQ(PaintShiftedTexture(1712, 3), 1712);
    EXPECT_EQ(PaintShiftedTexture(1500, -1), 1500);

    FreshFolder();
    WriteObject("BODY", Vertices(3, 0), {Tri(0, 1, 2, MakeTextureWord(1500, 0x8001)),
                                         Tri(0, 1, 2, MakeTextureWord(1092, 0)),
                                         Tri(0, 1, 2, MakeTextureWord(1710, 1))});
    ObjectPaintShift = 2;
    CargaObjeto("BODY", 0, 0, "BODY");
    EXPECT_EQ(TrianglePool[0].texture, MakeTextureWord(1700, 0x8001));
    EXPECT_EQ(TrianglePool[1].texture, MakeTextureWord(1092, 0));
    EXPECT_EQ(TrianglePool[2].texture, MakeTextureWord(1788, 1));
    ObjectPaintShift = -1;
    CargaObjeto("BODY", 0, 0, "BODY2");
    EXPECT_EQ(TrianglePool[3].texture, MakeTextureWord(1500, 0x8001));
}

TEST(Objects, NamesFillTheirSlotsAndTheTableHasAnEnd) {
    FreshFolder();
    WriteObject("BOX", Vertices(3, 0), {Tri(0, 1, 2, 5)}, {{0, 1, 0}, {0, 1, 0}, {0, 1, 0}});
    memset(ObjectNameTable[0], 'Z', OBJECT_NAME_LENGTH);   // what an earlier load left
    ObjectNameTable[0][0] = 0;
    CargaObjeto("BOX", 0, 0, "ABCDEFGHIJKLMNOPQRST");   // only 16 characters kept, no terminator
    EXPECT_EQ(memcmp(ObjectNameTable[0], "ABCDEFGHIJKLMNOP", 16), 0);
    EXPECT_EQ(FindObject("ABCDEFGHIJKLMNOP"), 0);
    snprintf(ObjectNameTable[1], OBJECT_NAME_LENGTH, "LONGERNAME");   // an earlier load's, freed
    ObjectNameTable[1][0] = 0;
    CargaObjeto("BOX", 0, 0, "SHORT");
    EXPECT_EQ(memcmp(ObjectNameTable[1], "SHORTRNAME\0", 11), 0) << "a name overwrites only its own characters";
    EXPECT_EQ(FindObject("SHO"), 1);   // a prefix finds the first longer name

    for (int i = 2; i < OBJECT_SLOTS; i++)
        CargaObjeto("BOX", 1, 0, ("N" + std::to_string(i)).c_str());
    const int vertices = VertexTotal, normals = NormalsTotal;
    CargaObjeto("BOX", 1, 0, "ONEMORE");   // refused: no slot is free
    EXPECT_EQ(VertexTotal, vertices);
    EXPECT_EQ(NormalsTotal, normals);
    EXPECT_EQ(CurrentObjectSlot, OBJECT_SLOTS - 1);
    EXPECT_EXIT(FindObject("ONEMORE"), ::testing::ExitedWithCode(1), "Objeto no encontrado:ONEMORE");
}

TEST(Objects, MalformedFilesLoadEmpty) {
    FreshFolder();
    const std::vector<ObjectVertex> v = Vertices(3, 0);
    const ObjectInfo tooMany = {4, 1}, negative = {-3, 1}, huge = {0x7FFFFFF0, 0x7FFFFFF0};
    WriteObject("COUNTS", v, {Tri(0, 1, 2, 1)}, {}, &tooMany);
    WriteObject("NEGATIVE", v, {Tri(0, 1, 2, 1)}, {}, &negative);
    WriteObject("HUGE", v, {Tri(0, 1, 2, 1)}, {}, &huge);
    WriteObject("CORNER", v, {Tri(0, 1, 3, 1)});
    WriteObject("UVCORNER", v, {Tri(0, 1, 2, 1, 7)});
    WriteObject("NOINF", v, {Tri(0, 1, 2, 1)});
    remove((Folder + "/obj/NOINF.inf").c_str());
    WriteObject("BADNOR", v, {Tri(0, 1, 2, 1)}, {{0, 1, 0}});   // one normal for three vertices
    WriteObject("GOOD", v, {Tri(0, 1, 2, 1)});
    const int32_t resaved[3] = {3, 1, 99};                        // the 12-byte .inf of a re-saved object
    WriteObject("RESAVED", v, {Tri(0, 1, 2, 1)});
    WriteBytes("RESAVED.inf", resaved, sizeof resaved);
    const int32_t oversized[4] = {3, 1, 0, 0};
    WriteObject("BIGINF", v, {Tri(0, 1, 2, 1)});
    WriteBytes("BIGINF.inf", oversized, sizeof oversized);

    for (const char* name : {"COUNTS", "NEGATIVE", "HUGE", "CORNER", "UVCORNER", "NOINF", "BIGINF"}) {
        CargaObjeto(name, 0, 0, name);
        const ObjectEntry& e = ObjectEntries[FindObject(name)];
        EXPECT_EQ(e.vertexCount, 0) << name;
        EXPECT_EQ(e.triangleCount, 0) << name;
    }
    EXPECT_EQ(VertexTotal, 0);
    EXPECT_EQ(TriangleTotal, 0);

    CargaObjeto("BADNOR", 1, 0, "BADNOR");
    EXPECT_EQ(ObjectEntries[FindObject("BADNOR")].lit, 0);   // drawn unlit, no stray normals
    EXPECT_EQ(ObjectEntries[FindObject("BADNOR")].triangleCount, 1);
    EXPECT_EQ(NormalsTotal, 0);
    CargaObjeto("RESAVED", 0, 0, "RESAVED");
    EXPECT_EQ(ObjectEntries[FindObject("RESAVED")].vertexCount, 3);

    // An object larger than the room left in the pool is refused whole.
    VertexTotal = VERTEX_POOL_SIZE - 2;
    CargaObjeto("GOOD", 0, 0, "LATE");
    EXPECT_EQ(ObjectEntries[FindObject("LATE")].vertexCount, 0);
    EXPECT_EQ(VertexTotal, VERTEX_POOL_SIZE - 2);
}

// The ground, the screen and the texels take vertex values as whole
// numbers: a value that is no number becomes 0, one far too big is held.
TEST(Objects, VertexValuesThatCannotBeTheirsAreHeld) {
    FreshFolder();
    const float huge = 1.0e20f;
    const std::vector<ObjectVertex> v = {
        {NAN, huge, -huge, INFINITY, -INFINITY}, {12.5f, -40.0f, 262500.0f, 0.25f, 1.0f}, {0, 0, 0, 0, 0}};
    WriteObject("WILD", v, {Tri(0, 1, 2, 1)});
    CargaObjeto("WILD", 0, 0, "WILD");
    ASSERT_EQ(ObjectEntries[FindObject("WILD")].vertexCount, 3);
    const ObjectVertex& a = VertexPool[0];
    EXPECT_EQ(a.x, 0.0f);
    EXPECT_EQ(a.y, 1.0e6f);
    EXPECT_EQ(a.z, -1.0e6f);
    EXPECT_EQ(a.u, 1.0e6f);
    EXPECT_EQ(a.v, -1.0e6f);
    const ObjectVertex& b = VertexPool[1];
    EXPECT_EQ(b.x, 12.5f) << "a track's own values stay as they are";
    EXPECT_EQ(b.y, -40.0f);
    EXPECT_EQ(b.z, 262500.0f);
    EXPECT_EQ(b.u, 0.25f);
}

// Only the run's very first object load aligns the area, so the check runs
// in a process of its own, whatever ran before it in this one.
TEST(Objects, FirstLoadOfTheRunAlignsTheTexelArea) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    FreshFolder();
    EXPECT_EXIT(
        {
            static unsigned char area[SOFT_TEXTURE_AREA_BYTES];
            SoftTexels = area + 3;
            SoftTexelBase = nullptr;
            CargaObjeto("MISSING", 0, 0, "MISSING");
            const int aligned = (uintptr_t)SoftTexelBase % 65536 == 0 && SoftTexelBase >= SoftTexels;
            SoftTexelBase = nullptr;
            CargaObjeto("MISSING", 0, 0, "MISSING2");
            const int once = SoftTexelBase == nullptr;
            exit(aligned && once ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(Objects, VertexNormalsFromTheFaces) {
    FreshFolder();
    // A corner of a cube: three faces meeting at vertex 0, plus a
    // degenerate triangle and a vertex no triangle uses.
    const std::vector<ObjectVertex> v = {{0, 0, 0, 0, 0}, {1, 0, 0, 0, 0}, {0, 1, 0, 0, 0},
                                         {0, 0, 1, 0, 0}, {5, 5, 5, 0, 0}};
    std::vector<ObjectNormal> n(5, {9, 9, 9});
    WriteObject("RAMPACHU", v, {Tri(0, 1, 2, 1), Tri(0, 2, 3, 1), Tri(0, 3, 1, 1), Tri(4, 4, 4, 1)}, n);
    CargaObjeto("RAMPACHU", 1, 0, "RAMPACHU");
    const int slot = FindObject("RAMPACHU");
    ComputeFaceNormals(slot);
    EXPECT_EQ(FaceNormalZ[0], 1.0f);   // (A - B) x (A - C) of the z = 0 face
    EXPECT_EQ(FaceNormalX[3], 0.0f);   // zero length counts as 1
    ComputeVertexNormals(slot);
    // Vertex 0: the average (1/3, 1/3, 1/3) over its table-driven length.
    const float third = 1.0f / 3.0f;
    const float unit = third / FastSqrt(third * third + third * third + third * third);
    EXPECT_FLOAT_EQ(VertexNormals[0], unit);
    EXPECT_FLOAT_EQ(VertexNormals[1], unit);
    EXPECT_FLOAT_EQ(VertexNormals[2], unit);
    // Vertex 1 is used by two faces (z = 0 and y = 0): their average.
    EXPECT_NEAR(VertexNormals[3], 0.0f, 1e-6);
    EXPECT_NEAR(VertexNormals[4] * VertexNormals[4] + VertexNormals[5] * VertexNormals[5], 1.0f, 0.01);
    // The degenerate triangle's vertex gets (0, 0, 0); it counts once, not
    // three times, and nothing else is touched.
    EXPECT_EQ(VertexNormals[12], 0.0f);
    EXPECT_EQ(NormalsTotal, 15);
}
