// Asset folders, the sample car objects of the game folder, and
// quorvix-objdump.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <string>
#include <vector>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "frame/vfs.h"
#include "platform/plat_file.h"
#include "race/race_state.h"
#include "render/drawers.h"
#include "render/objects.h"
#include "render_test_util.h"
#include "track/asset_paths.h"
#include "track/track_state.h"

TEST(AssetPaths, CarTrackArtAndScoreboardFolders) {
    CarModel[3] = 14;
    SetCarFolder(3);
    EXPECT_STREQ(AssetFolder, "3d\\Cars\\TipoBaja\\");
    CarModel[3] = 0;
    SetCarFolder(3);
    EXPECT_STREQ(AssetFolder, "3d\\Cars\\Vondel\\");
    for (int model : {18, 19, -1}) {   // the previous folder stays
        CarModel[3] = model;
        SetCarFolder(3);
        EXPECT_STREQ(AssetFolder, "3d\\Cars\\Vondel\\");
    }
    SetCarFolder(8);   // not a car
    EXPECT_STREQ(AssetFolder, "3d\\Cars\\Vondel\\");
    EXPECT_STREQ(CarModelFolder(17), "3d\\Cars\\VondelChafado\\");

    TrackGroup = 4;
    TrackVariant = 0;
    TrackArtSet = 2;
    SetTrackFolder();
    EXPECT_STREQ(AssetFolder, "3d\\Tracks\\Track-40\\");
    SetTrackArtFolders();
    EXPECT_STREQ(AssetFolder, "ArtWork\\Tracks\\Track-04\\2\\");
    EXPECT_STREQ(AssetFallbackFolder, "ArtWork\\Tracks\\Track-04\\Comunes\\");

    DayCarArt = 1;
    TrackCode = 40;
    SetCarArtFolder();
    EXPECT_STREQ(AssetFolder, "ArtWork\\Cars\\DIA\\");
    DayCarArt = 0;
    SetCarArtFolder();
    EXPECT_STREQ(AssetFolder, "ArtWork\\Cars\\Menu\\");
    DayCarArt = 1;
    for (int night : {70, 76, 11, 15}) {
        TrackCode = night;
        SetCarArtFolder();
        EXPECT_STREQ(AssetFolder, "ArtWork\\Cars\\NOCHE\\") << night;
    }
    SetScoreboardFolder();
    EXPECT_STREQ(AssetFolder, "ArtWork\\Extras\\S-Boards\\");
}

namespace {

struct Part {
    const char* file;
    int withNormals;
};

// What the race and the showroom load from a car model's folder.
std::vector<Part> PartsOf(int model) {
    std::vector<Part> parts = {{"SOMBRA", 0},  {"INTERIOR", 1}, {"CABEZA", 1},  {"GARAGE", 1},
                               {"CRISTAL", 1}, {"1_CARRO", 1},  {"ACAPO01", 1}};
    const bool lamps = model == 0 || model == 1 || model == 2 || model == 6 || model == 8 || model == 9 ||
                       model == 11 || model == 12 || model == 16 || model == 17;
    if (lamps || model == 5)
        parts.push_back({"FAROS", 1});
    if (lamps) {
        parts.push_back({"FAROS2", 1});
        parts.push_back({"FAROS3", 1});
    }
    if (model != 16 && model != 17)
        parts.push_back({"TUBOS", 1});
    if (model == 2 || model == 6 || model == 8 || model == 11 || model == 13) {
        parts.push_back({"BRAZOIZ", 1});
        parts.push_back({"BRAZODE", 1});
    }
    return parts;
}

// Paint 0's car numbers, and the reflection maps the chrome parts carry.
bool CarTexture(int t) { return (t >= 1000 && t < 1100) || (t >= 1997 && t <= 1999); }

}  // namespace

TEST(SampleData, EveryCarFolderHoldsEveryPartItLoads) {
    ASSERT_TRUE(PlatSetCurrentDir(QUORVIX_GAME_DIR));
    ASSERT_EQ(VfsScanArchives(), 1);
    for (int model = 0; model < 18; model++) {
        BeginObjectLoad(1);
        ObjectPaintShift = -1;
        CarModel[0] = model;
        SetCarFolder(0);
        for (const Part& part : PartsOf(model)) {
            CargaObjeto(part.file, part.withNormals, 0, part.file);
            const ObjectEntry& e = ObjectEntries[CurrentObjectSlot];
            EXPECT_GT(e.triangleCount, 0) << AssetFolder << part.file;
            EXPECT_EQ(e.lit, part.withNormals) << AssetFolder << part.file;
            for (int t = 0; t < e.triangleCount; t++)
                EXPECT_TRUE(CarTexture((int)(TrianglePool[e.triangleOffset / 16 + t].texture & 0xFFFF)))
                    << AssetFolder << part.file;
        }
        // Wheels merge their tyres; the lit flag and the counts follow.
        for (const char* wheel : {"RDI", "RDD", "RTI", "RTD"}) {
            CargaObjeto(wheel, 1, 0, wheel);
            const int vertices = ObjectEntries[CurrentObjectSlot].vertexCount;
            CargaObjeto((std::string("G") + wheel).c_str(), 1, 1, "");
            EXPECT_GT(ObjectEntries[CurrentObjectSlot].vertexCount, vertices) << model << wheel;
            EXPECT_EQ(ObjectEntries[CurrentObjectSlot].lit, 1);
        }
        // The collision meshes come from the folders of models 0 to 15: the
        // body's footprint, one plan quad of four vertices.
        if (model <= 15) {
            CargaObjeto("COLI", 0, 0, "COLI");
            EXPECT_EQ(ObjectEntries[CurrentObjectSlot].triangleCount, 2) << model;
            EXPECT_EQ(ObjectEntries[CurrentObjectSlot].vertexCount, 4) << model;
        }
    }

    // Painted parts move with the paint, the rest keep their numbers.
    BeginObjectLoad(1);
    CarModel[0] = 6;
    SetCarFolder(0);
    ObjectPaintShift = 3;
    CargaObjeto("1_CARRO", 1, 0, "1_CARRO1");
    CargaObjeto("CRISTAL", 1, 0, "CRISTA06");
    ObjectPaintShift = -1;
    EXPECT_EQ(TrianglePool[0].texture & 0xFFFF, 1300u);
    EXPECT_EQ(TrianglePool[ObjectEntries[1].triangleOffset / 16].texture & 0xFFFF, 1011u);
}

TEST(SampleData, CarFacesShowFromOutside) {
    ASSERT_TRUE(PlatSetCurrentDir(QUORVIX_GAME_DIR));
    ASSERT_EQ(VfsScanArchives(), 1);
    ResetScene();
    CarModel[0] = 0;
    SetCarFolder(0);
    CargaObjeto("1_CARRO", 1, 0, "1_CARRO1");
    CargaObjeto("COLI", 0, 0, "COLI00");
    // Seen from straight ahead at bumper height, turned to face the camera:
    // of the body only the two front faces and the cabin's underside face
    // the eye.
    LoadIdentityRender();
    MatrixRotateYZX(0, (float)std::numbers::pi, 0);
    MatrixSetTranslation(0, -40, 2500);
    TextureSortPairCount = 0;
    const int kept = DrawLitObject(0, 0, 100000, 1) / 20;
    EXPECT_EQ(kept, 6);
    LoadIdentityRender();
    MatrixRotateYZX(0, (float)std::numbers::pi, 0);
    MatrixSetTranslation(0, -40, 2500);
    EXPECT_GT(DrawLitObject(0, 0, 100000, 0) / 20, kept);
    // The collision quad lies flat, its corners in order round its edge
    // (each turn the same way).
    const ObjectVertex* quad = &VertexPool[ObjectEntries[1].firstVertex];
    float turn = 0.0f;
    for (int k = 0; k < 4; k++) {
        const ObjectVertex &a = quad[k], &b = quad[(k + 1) % 4], &c = quad[(k + 2) % 4];
        EXPECT_EQ(a.y, quad[0].y);
        const float cross = (b.x - a.x) * (c.z - b.z) - (b.z - a.z) * (c.x - b.x);
        EXPECT_NE(cross, 0.0f);
        if (k > 0) {
            EXPECT_GT(cross * turn, 0.0f) << k;
        }
        turn = cross;
    }

    // Normals point into the body, as the lighting wants them: the hood,
    // which faces up, is lit brightly by the light from above.
    CargaObjeto("ACAPO01", 1, 0, "ACAPO000");
    LoadIdentityRender();
    MatrixSetTranslation(0, -400, 1500);
    CurrentCar = 0;
    ViewDarkness[0] = 0;
    ASSERT_EQ(DrawLitObject(0, 2, 100000, 0), 40);
    EXPECT_GT(PolygonList[0].vertex[0].light, 200);
}

TEST(SampleData, ObjdumpReportsObjectsAndFaults) {
    const std::string dir = MakeTestFolder("objdump");
    const std::string out = dir + "/dump.txt";
    EXPECT_EQ(RunBuiltProgram("quorvix-objdump",
                              {"--game", QUORVIX_GAME_DIR, "-o", out, "3d\\cars\\vondel\\1_carro.ver"}, dir),
              0);
    std::string text = ReadHostFile(out);
    EXPECT_NE(text.find("counts   vertices 72  triangles 24"), std::string::npos) << text;
    EXPECT_NE(text.find("textures 1000 x12 1002 x12"), std::string::npos) << text;
    EXPECT_NE(text.find("status   ok"), std::string::npos) << text;

    // A copy whose last corner names a vertex past the end.
    ASSERT_TRUE(PlatSetCurrentDir(QUORVIX_GAME_DIR));
    ASSERT_EQ(VfsScanArchives(), 1);
    auto archived = [](const std::string& path) {
        unsigned char* bytes = nullptr;
        const int size = VfsLoadFile(path.c_str(), &bytes);
        std::string copy(bytes ? (const char*)bytes : "", (size_t)(size > 0 ? size : 0));
        free(bytes);
        return copy;
    };
    const std::string base = "3d\\Cars\\Vondel\\1_CARRO";
    std::string tri = archived(base + ".tri");
    ASSERT_EQ(tri.size(), 24u * 16);
    tri[tri.size() - 8] = (char)200;
    for (const char* ext : {".ver", ".inf", ".nor"}) {
        const std::string bytes = archived(base + ext);
        FILE* f = fopen((dir + "/BAD" + ext).c_str(), "wb");
        fwrite(bytes.data(), 1, bytes.size(), f);
        fclose(f);
    }
    FILE* f = fopen((dir + "/BAD.tri").c_str(), "wb");
    fwrite(tri.data(), 1, tri.size(), f);
    fclose(f);
    EXPECT_EQ(RunBuiltProgram("quorvix-objdump", {"-o", out, dir + "/BAD.ver"}, dir), 1);
    text = ReadHostFile(out);
    EXPECT_NE(text.find("problem  1 corners name a vertex past"), std::string::npos) << text;
    EXPECT_NE(text.find("status   faulty"), std::string::npos) << text;
    EXPECT_EQ(RunBuiltProgram("quorvix-objdump", {dir + "/NONE.ver"}, dir), 2);
    EXPECT_EQ(RunBuiltProgram("quorvix-objdump", {dir + "/BAD.tri"}, dir), 2);
}
