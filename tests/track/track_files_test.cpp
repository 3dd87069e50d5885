// The track's BIN files: exact sizes and round trips on the sample track,
// and malformed files that must load without reading past any table.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "common/test_game.h"
#include "frame/fileio.h"
#include "frame/frame_state.h"
#include "platform/plat_file.h"
#include "race/race_state.h"
#include "render/objects.h"
#include "track/asset_paths.h"
#include "track/builders.h"
#include "track/ground.h"
#include "track/track_files.h"
#include "track/track_state.h"
#include "track/zones.h"
#include "track_test_util.h"

namespace {

std::vector<unsigned char> ReadTrackFile(const char* pattern, int number) {
    char path[256];
    TrackFilePath(path, sizeof path, pattern, number);
    std::vector<unsigned char> bytes(4u << 20);
    if (ReadWholeFile(path, bytes.data(), (int)bytes.size()) < 0)
        return {};
    bytes.resize((size_t)LastFileSize);
    return bytes;
}

// The file as the last write left it on disk.
std::vector<unsigned char> WrittenTrackFile(const char* pattern, int number) {
    char path[256];
    TrackFilePath(path, sizeof path, pattern, number);
    const std::string bytes = ReadHostFile(HostPathOf(path));
    return std::vector<unsigned char>(bytes.begin(), bytes.end());
}

bool SameBytes(const std::vector<unsigned char>& file, const void* table, size_t size) {
    return file.size() == size && memcmp(file.data(), table, size) == 0;
}

void StartTrack(int group, int variant) {
    TrackGroup = group;
    TrackVariant = variant;
    TrackCode = group * 10 + variant;
    FrontEndActive = 0;
    SetTrackFolder();
}

void LoadWholeTrack() {
    LoadZones();
    LoadTrackData();
    LoadTrackLighting();
}

// An empty folder as the current folder, for hand-made track files.
void EmptyTrackFolder(int group) {
    const std::string dir = MakeTestFolder("track");
    ASSERT_TRUE(PlatSetCurrentDir(dir.c_str()));
    StartTrack(group, 0);
    MakeBinFolder();
}

void WriteCounts(float counts[5]) {
    static CpuLinePoint lines[CPU_LINES][CPU_LINE_RECORDS];
    memset(lines, 0, sizeof lines);
    for (int k = 0; k < CPU_LINES; k++)
        lines[k][CPU_LINE_RECORDS - 1].x = counts[k];
    WriteBinFile("%sBIN\\IACPU%d.dat", TrackGroup, lines, sizeof lines);
}

}  // namespace

TEST(TrackFiles, EveryFileRoundTripsWithItsExactSize) {
    MakeTestGameFolder("game");
    StartTrack(1, 0);
    LoadWholeTrack();

    const int lines = CollisionLineCount();
    const int sections = WorldSectionTable.header[WORLD_SECTION_TOTAL_INT];
    ASSERT_GT(lines, 0);
    ASSERT_GT(sections, 0);
    // The images read back exactly (the loader's checks change nothing in
    // good data).
    EXPECT_TRUE(SameBytes(ReadTrackFile("%sBIN\\IACPU%d.dat", 1), CpuLineTable, 64000));
    const int32_t words = CollisionLineWords;
    EXPECT_TRUE(SameBytes(ReadTrackFile("%sBIN\\NumCol%02d.dat", 1), &words, 4));
    EXPECT_TRUE(SameBytes(ReadTrackFile("%sBIN\\coli%02d.ppp", 1), CollisionLineTable, (size_t)lines * 64));
    EXPECT_TRUE(SameBytes(ReadTrackFile("%sBIN\\Cajas%02d.dat", 1), &ZoneTable, 133120));
    EXPECT_TRUE(SameBytes(ReadTrackFile("%sBIN\\Ilumina%d.dat", 1), LightTable, 8192));
    EXPECT_TRUE(SameBytes(ReadTrackFile("%sBIN\\Mundo%02d.TNT", 1), &WorldSectionTable, 1600 + 48 * (size_t)sections))
        << "the rebuilt sections are the shipped ones";
    EXPECT_TRUE(SameBytes(ReadTrackFile("%sBIN\\OffCua%02d.col", 1), CollisionGrid.offsets, 120 * 350 * 4));
    EXPECT_TRUE(SameBytes(ReadTrackFile("%sBIN\\OffCuadr%02d.Alt", 1), HeightGrid.offsets, 160 * 208 * 4));
    EXPECT_TRUE(SameBytes(ReadTrackFile("%sBIN\\OffCuadr%02d.Caj", 1), ZoneGrid.offsets, 40 * 60 * 4));
    EXPECT_TRUE(SameBytes(ReadTrackFile("%sBIN\\GouMun%02d.dat", 1), WorldShadeTable, 400 + 12 * (size_t)sections));
    EXPECT_TRUE(SameBytes(ReadTrackFile("%sBIN\\GouCoh%02d.dat", 1), CarShadeTable, 4 * 17000 - 1));
    EXPECT_EQ(CollisionGrid.rejectedCells + HeightGrid.rejectedCells + ZoneGrid.rejectedCells, 0);

    // The builders, run on the loaded track, write the same files again.
    const std::vector<unsigned char> shipped[] = {
        ReadTrackFile("%sBIN\\OffCua%02d.col", 1),  ReadTrackFile("%sBIN\\TCuadr%02d.col", 1),
        ReadTrackFile("%sBIN\\coli%02d.ppp", 1),    ReadTrackFile("%sBIN\\OffCuadr%02d.Alt", 1),
        ReadTrackFile("%sBIN\\TCuadran%02d.Alt", 1), ReadTrackFile("%sBIN\\OffCuadr%02d.Caj", 1),
        ReadTrackFile("%sBIN\\TCuadran%02d.Caj", 1), ReadTrackFile("%sBIN\\GouMun%02d.dat", 1),
        ReadTrackFile("%sBIN\\GouCoh%02d.dat", 1)};
    // The track ships in an archive; the builders write plain files beside it.
    MakeBinFolder();
    BuildCollisionGrid();
    BuildHeightGrid();
    BuildZoneGrid();
    BuildWorldShadeFile();
    BuildCarShadeFile();
    const char* rebuilt[] = {"%sBIN\\OffCua%02d.col",   "%sBIN\\TCuadr%02d.col",   "%sBIN\\coli%02d.ppp",
                             "%sBIN\\OffCuadr%02d.Alt", "%sBIN\\TCuadran%02d.Alt", "%sBIN\\OffCuadr%02d.Caj",
                             "%sBIN\\TCuadran%02d.Caj", "%sBIN\\GouMun%02d.dat",   "%sBIN\\GouCoh%02d.dat"};
    for (size_t i = 0; i < sizeof rebuilt / sizeof rebuilt[0]; i++) {
        EXPECT_FALSE(shipped[i].empty()) << rebuilt[i];
        EXPECT_EQ(WrittenTrackFile(rebuilt[i], 1), shipped[i]) << rebuilt[i];
    }
}

TEST(TrackFiles, CpuLineCountsFromRecord199) {
    EmptyTrackFolder(3);
    // In the menus only the lines and objects load; no file: no lines.
    FrontEndActive = 1;
    LoadTrackData();
    for (int k = 0; k < CPU_LINES; k++)
        EXPECT_EQ(CpuLinePointCounts[k], 0);
    EXPECT_EQ(CpuLineTable[2][57].dirZ, -1.0f);

    float counts[5] = {5 * 16, 6 * 16, 7 * 16, 8 * 16 + 7, -1.0f};
    WriteCounts(counts);
    LoadTrackData();
    EXPECT_EQ(CpuLinePointCounts[0], 5);
    EXPECT_EQ(CpuLinePointCounts[3], 8);
    EXPECT_EQ(CpuLineFloatCounts[3], 8 * 16 + 7);
    EXPECT_EQ(CpuLinePointCounts[4], 0) << "a camera line whose count is -1.0 has no points";

    // Counts that cannot be a line's are cut to 0..199 points.
    float bad[5] = {NAN, 1e30f, -32.0f, 250.0f * 16, 199.0f * 16};
    WriteCounts(bad);
    LoadTrackData();
    EXPECT_EQ(CpuLinePointCounts[0], 0);
    EXPECT_EQ(CpuLinePointCounts[1], 0);
    EXPECT_EQ(CpuLinePointCounts[2], 0);
    EXPECT_EQ(CpuLinePointCounts[3], 199);
    EXPECT_EQ(CpuLinePointCounts[4], 199);

    // A short file: the rest of the table stays -1.0.
    CpuLinePoint firstLine[CPU_LINE_RECORDS] = {};
    firstLine[CPU_LINE_RECORDS - 1].x = 3 * 16;
    WriteBinFile("%sBIN\\IACPU%d.dat", 3, firstLine, sizeof firstLine);
    LoadTrackData();
    EXPECT_EQ(CpuLinePointCounts[0], 3);
    EXPECT_EQ(CpuLinePointCounts[1], 0);
    EXPECT_EQ(CpuLineTable[4][10].x, -1.0f);
}

// The collisions take a line's material, and the replay a trackside
// camera's height, as whole numbers: a value that is no number, or far too
// big for one, is held at load.
TEST(TrackFiles, FloatsTakenAsWholeNumbersAreHeld) {
    EmptyTrackFolder(1);
    CollisionLine lines[5] = {};
    const float materials[5] = {NAN, 1.0e20f, -3.0f, 2.0f, -INFINITY};
    for (int i = 0; i < 5; i++)
        lines[i].material = materials[i];
    const int32_t words = 5 * 16;
    WriteBinFile("%sBIN\\NumCol%02d.dat", 1, &words, sizeof words);
    WriteBinFile("%sBIN\\coli%02d.ppp", 1, lines, sizeof lines);
    static CpuLinePoint cpu[CPU_LINES][CPU_LINE_RECORDS];
    memset(cpu, 0, sizeof cpu);
    CpuLinePoint* cameras = cpu[CPU_LINE_CAMERAS];
    cameras[0].y = NAN;
    cameras[1].y = 1.0e20f;
    cameras[2].x = -1.0e20f;
    cameras[2].y = -250.0f;
    cameras[2].z = INFINITY;
    cameras[2].cameraKind = 1.0f;
    cameras[CPU_LINE_RECORDS - 1].x = 3 * 16;
    WriteBinFile("%sBIN\\IACPU%d.dat", 1, cpu, sizeof cpu);

    LoadTrackData();
    ASSERT_EQ(CollisionLineCount(), 5);
    EXPECT_EQ(CollisionLineTable[0].material, 0.0f) << "no number: concrete";
    EXPECT_EQ(CollisionLineTable[1].material, 15.0f);
    EXPECT_EQ(CollisionLineTable[2].material, 0.0f);
    EXPECT_EQ(CollisionLineTable[3].material, 2.0f) << "a material of the list stays";
    EXPECT_EQ(CollisionLineTable[4].material, 0.0f);
    const CpuLinePoint* loaded = CpuLineTable[CPU_LINE_CAMERAS];
    EXPECT_EQ(CpuLinePointCounts[CPU_LINE_CAMERAS], 3);
    EXPECT_EQ(loaded[0].y, 0.0f);
    EXPECT_EQ(loaded[1].y, 1.0e6f);
    EXPECT_EQ(loaded[2].x, -1.0e6f);
    EXPECT_EQ(loaded[2].y, -250.0f);
    EXPECT_EQ(loaded[2].z, 1.0e6f);
    EXPECT_EQ(loaded[2].cameraKind, 1.0f);
}

TEST(TrackFiles, OversizeFilesAreRefused) {
    EmptyTrackFolder(2);
    std::vector<unsigned char> big(64004, 0);
    float count = 10 * 16;
    memcpy(&big[199 * 64], &count, 4);
    WriteBinFile("%sBIN\\IACPU%d.dat", 2, big.data(), big.size());
    std::vector<unsigned char> zones(133121, 0);
    WriteBinFile("%sBIN\\Cajas%02d.dat", 2, zones.data(), zones.size());
    std::vector<unsigned char> lights(8193, 0);
    WriteBinFile("%sBIN\\Ilumina%d.dat", 2, lights.data(), lights.size());
    const int32_t words[2] = {16, 16};
    WriteBinFile("%sBIN\\NumCol%02d.dat", 2, words, sizeof words);

    ZoneTable.records[5].type = 77;
    CollisionLineWords = 48;
    LoadZones();
    LoadTrackData();
    LoadTrackLighting();
    EXPECT_EQ(CpuLinePointCounts[0], 0);
    EXPECT_EQ(ZoneTable.records[5].type, 77) << "the zone table keeps what it held";
    EXPECT_EQ(LightCount, 0);
    EXPECT_EQ(LightTable[0].range, 0.1f);
    EXPECT_EQ(CollisionLineWords, 48);
}

TEST(TrackFiles, BadCountsAndIdsAreClamped) {
    EmptyTrackFolder(1);
    const int32_t words = 0x7FFFFFF0;
    WriteBinFile("%sBIN\\NumCol%02d.dat", 1, &words, 4);
    static ZoneFile zones;
    memset(&zones, 0, sizeof zones);
    for (ZoneRecord& zone : zones.records)
        zone.type = -1;
    zones.records[0].vertexWords = 100000;
    zones.records[0].type = 4;
    for (ZoneVertex& v : zones.records[0].vertices)
        v = {2000000000, 0, -2000000000, 0};
    zones.records[0].vertices[1] = {-2000000000, 0, 2000000000, 0};
    zones.records[1].vertexWords = -7;
    zones.records[1].type = 6;
    zones.records[96].vertexWords = 1 << 30;
    const int32_t ids[13] = {100, 500, 101, 40, 120, 0, 0, 0, 0, 0, 0, 0, 0};
    memcpy(zones.records[96].visibility, ids, sizeof ids);
    zones.records[97].visibility[0] = 300;
    zones.records[97].visibility[1] = 99;
    WriteBinFile("%sBIN\\Cajas%02d.dat", 1, &zones, sizeof zones);

    LoadZones();
    LoadTrackData();
    EXPECT_EQ(CollisionLineCount(), COLLISION_LINE_CAPACITY);
    EXPECT_EQ(ZoneTable.records[0].vertexWords, 4 * ZONE_MAX_VERTICES);
    EXPECT_EQ(ZoneTable.records[1].vertexWords, 0);
    EXPECT_EQ(ZoneTable.records[96].visibility[0], 100);
    EXPECT_EQ(ZoneTable.records[96].visibility[1], 101);
    EXPECT_EQ(ZoneTable.records[96].visibility[2], 0) << "the list ends where it ended";
    EXPECT_EQ(ZoneTable.records[97].visibility[0], 99);
    EXPECT_EQ(ZoneTable.records[97].visibility[1], 0);
    EXPECT_EQ(LastTypedZone, 1);

    // The queries walk such zones without leaving the records.
    ListEverywhere(ZoneGrid, {0, 1});
    CurrentCar = 0;
    cocheX[0] = cocheZ[0] = 5000.0f;
    const int mask = ZoneMaskAt(5000, 5000);
    EXPECT_TRUE(mask == 1 || mask == 0x8);
    const int type = ZoneTypeAtCar(0, 200);
    EXPECT_TRUE(type == -1 || type == 4);
    EXPECT_GE(FindZoneContaining(0, 1000, 0), 0);
    ComputeWallNormals();
}

TEST(TrackFiles, BadGridDataEmptiesOnlyTheBadCells) {
    EmptyTrackFolder(1);
    // A world of two ground triangles over (0..2000, 0..1000).
    const ObjectVertex vertices[4] = {{0, 0, 0, 0, 0}, {2000, 0, 0, 0, 0}, {2000, 0, 1000, 0, 0}, {0, 0, 1000, 0, 0}};
    const ObjectTriangle triangles[2] = {{{0, 1, 2}, 0x20000000u | 70}, {{0, 2, 3}, 0x20000000u | 70}};
    const ObjectInfo info = {4, 2};
    char path[256];
    snprintf(path, sizeof path, "%sMUNDO10.ver", AssetFolder);
    ASSERT_TRUE(PlatWriteFileAtomic(path, vertices, sizeof vertices));
    snprintf(path, sizeof path, "%sMUNDO10.tri", AssetFolder);
    ASSERT_TRUE(PlatWriteFileAtomic(path, triangles, sizeof triangles));
    snprintf(path, sizeof path, "%sMUNDO10.inf", AssetFolder);
    ASSERT_TRUE(PlatWriteFileAtomic(path, &info, sizeof info));

    // Height lists: cells 0, 1, 4, 5 and 8 are good (5 runs to the file's
    // end, 8 points at it); 2 names a triangle that is not loaded, 3 an
    // entry that is no triangle's, 6 and 7 point outside the lists.
    const int32_t lists[] = {0, -1, 4, -1, 99 * 4, -1, 7, -1, -2, 0, -1, 4, 4};
    std::vector<int32_t> offsets(160 * 208, 1);
    const int32_t heads[] = {0, 2, 4, 6, 8, 11, -5, 1000000, 13};
    for (int cell = 0; cell < 9; cell++)
        offsets[(size_t)cell] = heads[cell];
    WriteBinFile("%sBIN\\TCuadran%02d.Alt", 1, lists, sizeof lists);
    WriteBinFile("%sBIN\\OffCuadr%02d.Alt", 1, offsets.data(), offsets.size() * 4);

    CollisionLine line = {};
    line.x2 = 1000;
    const int32_t words = 16;
    WriteBinFile("%sBIN\\NumCol%02d.dat", 1, &words, 4);
    WriteBinFile("%sBIN\\coli%02d.ppp", 1, &line, sizeof line);
    const int32_t collisionLists[] = {0, -1, 5000, -1};
    std::vector<int32_t> collisionOffsets(120 * 350, 0);
    collisionOffsets[1] = 2;
    WriteBinFile("%sBIN\\TCuadr%02d.col", 1, collisionLists, sizeof collisionLists);
    WriteBinFile("%sBIN\\OffCua%02d.col", 1, collisionOffsets.data(), collisionOffsets.size() * 4);

    const int32_t zoneLists[] = {3, -1, 232, -1};
    std::vector<int32_t> zoneOffsets(40 * 60, 0);
    zoneOffsets[1] = 2;
    zoneOffsets[2] = -1;
    WriteBinFile("%sBIN\\TCuadran%02d.Caj", 1, zoneLists, sizeof zoneLists);
    WriteBinFile("%sBIN\\OffCuadr%02d.Caj", 1, zoneOffsets.data(), zoneOffsets.size() * 4);

    LoadZones();
    LoadTrackData();
    EXPECT_EQ(HeightGrid.rejectedCells, 4);
    EXPECT_EQ(CellEntries(HeightGrid, 500, 500), std::vector<int>{0});
    EXPECT_EQ(CellEntries(HeightGrid, 1500, 500), std::vector<int>{4});
    EXPECT_TRUE(CellEntries(HeightGrid, 2500, 500).empty());
    EXPECT_TRUE(CellEntries(HeightGrid, 3500, 500).empty());
    EXPECT_EQ(CellEntries(HeightGrid, 4500, 500), (std::vector<int>{-2, 0}));
    EXPECT_EQ(CellEntries(HeightGrid, 5500, 500), (std::vector<int>{4, 4}));
    EXPECT_TRUE(CellEntries(HeightGrid, 6500, 500).empty());
    EXPECT_TRUE(CellEntries(HeightGrid, 8500, 500).empty());
    EXPECT_EQ(CollisionGrid.rejectedCells, 1);
    EXPECT_EQ(CellEntries(CollisionGrid, 10, 10), std::vector<int>{0});
    EXPECT_TRUE(CellEntries(CollisionGrid, 760, 10).empty());
    EXPECT_EQ(ZoneGrid.rejectedCells, 2);
    EXPECT_EQ(CellEntries(ZoneGrid, 10, 10), std::vector<int>{3});

    // The ground is found in good cells; queries anywhere stay in bounds.
    EXPECT_EQ(GroundTriangleAt(500.0f, 200.0f), 0);
    EXPECT_EQ(GroundTriangleAt(1500.0f, 900.0f), 4);
    EXPECT_EQ(GroundTriangleAt(500.0f, 900.0f), -1) << "cell 0 lists triangle 0 only";
    for (float x = 0.0f; x < 12000.0f; x += 250.0f) {
        GroundHeight(x, 500.0f, 0, 0);
        ZoneMaskAt(x + 1.0f, 500.0f);
    }
    EXPECT_EQ(CellListAt(HeightGrid, -1, 5)[0], -1);
    EXPECT_EQ(CellListAt(HeightGrid, 5, 300000)[0], -1);
}

TEST(TrackFiles, LightCountIsTheFirstUnusedRecord) {
    EmptyTrackFolder(4);
    LoadTrackLighting();
    EXPECT_EQ(LightCount, 0);
    EXPECT_EQ(LightTable[511].range, 0.1f);

    Light lights[LIGHT_CAPACITY];
    for (int i = 0; i < LIGHT_CAPACITY; i++)
        lights[i] = {(float)i, 100.0f, 0.0f, 0.02f};
    WriteBinFile("%sBIN\\Ilumina%d.dat", 4, lights, sizeof lights);
    LoadTrackLighting();
    EXPECT_EQ(LightCount, 512);
    lights[7].x = -1.0f;
    WriteBinFile("%sBIN\\Ilumina%d.dat", 4, lights, sizeof lights);
    LoadTrackLighting();
    EXPECT_EQ(LightCount, 7);

    // The shading tables are read for a race only.
    uint8_t shades[64];
    memset(shades, 9, sizeof shades);
    WriteBinFile("%sBIN\\GouCoh%02d.dat", 4, shades, sizeof shades);
    CarShadeTable[10] = 0;
    FrontEndActive = 1;
    LoadTrackLighting();
    EXPECT_EQ(CarShadeTable[10], 0);
    FrontEndActive = 0;
    LoadTrackLighting();
    EXPECT_EQ(CarShadeTable[10], 9);
}
