// The track editors on the sample circuit in a loose-track folder: menu
// keys through the headless keyboard, mouse tools through the game's mouse
// state, the files they write and what a reload reads back.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <sstream>
#include <cstring>
#include <string>
#include <vector>

#include "common/test_game.h"
#include "frame/fileio.h"
#include "frame/frame_state.h"
#include "frame/startup.h"
#include "frame/vfs.h"
#include "frame/window_proc.h"
#include "frontend/frontend_state.h"
#include "mkdata.h"
#include "mkdata_track.h"
#include "platform/plat_clock.h"
#include "platform/plat_file.h"
#include "platform/plat_headless.h"
#include "platform/plat_keys.h"
#include "platform/plat_script.h"
#include "platform/plat_surface.h"
#include "platform/plat_system.h"
#include "platform/plat_window.h"
#include "race/car_log.h"
#include "race/messages.h"
#include "race/race_state.h"
#include "render/render_state.h"
#include "track/builders.h"
#include "track/editors.h"
#include "track/ground.h"
#include "track/track_files.h"
#include "track/track_state.h"
#include "track/zones.h"
#include "track_checks.h"
#include "track_test_util.h"

namespace {

std::vector<int> GridImage(const CellListGrid& grid) {
    std::vector<int> image(grid.offsets, grid.offsets + grid.columns * grid.rows);
    image.insert(image.end(), grid.lists, grid.lists + grid.listCount);
    return image;
}

struct Editors : ::testing::Test {
    std::string dir;

    void SetUp() override {
        ASSERT_TRUE(PlatInit(PLAT_BACKEND_HEADLESS));
        dir = MakeTestFolder("editors");
        ASSERT_TRUE(MkMakeCircuitFolder(dir, MkCircuitForGroup(1), true));
        Load();
        DeveloperSwitch = 1;
    }
    void TearDown() override {
        DeveloperSwitch = 0;
        MouseX = MouseY = MouseClick = MouseButtons = 0;
        PlatHeadlessClearEvents();
        PlatShutdown();
    }

    // The race start's loading of track 10 from the folder.
    void Load() {
        std::string error;
        ASSERT_TRUE(LoadTrackForCheck(dir.c_str(), 10, &error)) << error;
        SurfaceWidth = 640;
        SurfaceHeight = 480;
        ScreenCentreX = 320.0f;
        ScreenCentreY = 240.0f;
        ViewFocalScale = 224.0f;
    }

    // One frame of the developer-overlay step, without a surface.
    static void Frame() {
        BeginEditorFrame();
        if (ZoneEditorOn == 1)
            RunZoneEditor(nullptr);
        if (LightEditorOn == 1)
            DrawEditorInfo(nullptr);
        if (CollisionEditorOn == 1)
            RunCollisionEditor(nullptr);
        if (CpuLineEditorOn == 1)
            RunCpuLineEditor(nullptr);
        if (EditorMenuOn == 1)
            RunEditorMenu(nullptr);
        RunLightEditor(nullptr);
        MouseClick = 0;
    }
    static void KeyEvent(int vk, bool down) {
        PlatHeadlessQueueEvent(PlatTimeMs(), down ? WM_KEYDOWN : WM_KEYUP, (uintptr_t)vk, 0);
        PlatMsg msg;
        while (PlatPeekMessage(&msg)) {
        }
    }
    // A press and release, one frame each.
    static void Press(int vk) {
        KeyEvent(vk, true);
        Frame();
        KeyEvent(vk, false);
        Frame();
    }
    static void MenuKey(int vk) {
        EditorMenuOn = 1;
        Press(vk);
    }

    std::string Host(const char* pattern, int number) {
        char path[256];
        TrackFilePath(path, sizeof path, pattern, number);
        return HostPathOf(path);
    }
    std::string FileBytes(const char* pattern, int number) { return ReadHostFile(Host(pattern, number)); }
    void RemoveFile(const char* pattern, int number) { std::remove(Host(pattern, number).c_str()); }

    // A camera 4,000 above and 3,000 behind (x, z), looking down toward +z.
    static void AimAt(float x, float y, float z) {
        EyeX[0] = -x;
        EyeY[0] = -(y + 4000.0f);
        EyeZ[0] = -(z - 3000.0f);
        CameraPitch[0] = -0.9273f;
        AnguloDeDeriva[0] = 0.0f;
        CameraRoll[0] = 0.0f;
    }
    // The pointer on the world point.
    static void PointAt(float x, float y, float z) {
        float sx, sy, depth;
        ASSERT_TRUE(ProjectToScreen(x, y, z, &sx, &sy, &depth));
        ASSERT_TRUE(sx >= 0.0f && sx < 640.0f && sy >= 0.0f && sy < 480.0f) << sx << "," << sy;
        MouseX = (int)std::lround(sx);
        MouseY = (int)std::lround(sy);
    }
    static void Click() {
        MouseClick = 1;
        MouseButtons = 0x80;
        Frame();
        MouseButtons = 0;
        Frame();
    }
};

// The pixels of one 5-6-5 surface that hold `pixel`, as (x, y) pairs.
std::vector<std::pair<int, int>> PixelsOf(PlatSurface* surface, uint16_t pixel) {
    std::vector<std::pair<int, int>> found;
    void* bits = nullptr;
    int pitch = 0;
    if (PlatSurfaceLock(surface, nullptr, PLAT_WAIT, &bits, &pitch) != DD_OK)
        return found;
    for (int y = 0; y < PlatSurfaceHeight(surface); y++)
        for (int x = 0; x < PlatSurfaceWidth(surface); x++)
            if (((const uint16_t*)((const uint8_t*)bits + (long)y * pitch))[x] == pixel)
                found.push_back({x, y});
    PlatSurfaceUnlock(surface);
    return found;
}

// A 640 x 480 5-6-5 surface in black.
PlatSurface* BlackSurface() {
    PlatSurface* surface = nullptr;
    EXPECT_EQ(PlatSurfaceCreate(640, 480, PLAT_PF_RGB565, PLAT_SURF_SYSTEMMEMORY, &surface), DD_OK);
    if (surface)
        PlatSurfaceFill(surface, nullptr, 0, PLAT_WAIT);
    return surface;
}

// GDI 0x00BBGGRR in 5-6-5.
uint16_t Pixel565(uint32_t gdi) {
    const uint32_t r = gdi & 0xFF, g = (gdi >> 8) & 0xFF, b = (gdi >> 16) & 0xFF;
    return (uint16_t)(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}

// The first zone with a polygon.
int FirstZone() {
    for (int z = 0; z < ZONE_RECORDS; z++)
        if (ZoneVertexCount(ZoneTable.records[z]) >= 3)
            return z;
    return -1;
}

}  // namespace

TEST_F(Editors, F11OpensTheMenuOnlyInDeveloperModeDuringARace) {
    DeveloperSwitch = 0;
    MainWindowProc(WM_KEYDOWN, VK_F11, 0);
    EXPECT_EQ(EditorMenuOn, 0);
    DeveloperSwitch = 1;
    FrontEndActive = 1;
    MainWindowProc(WM_KEYDOWN, VK_F11, 0);
    EXPECT_EQ(EditorMenuOn, 0) << "not in the menus";
    FrontEndActive = 0;
    MainWindowProc(WM_KEYDOWN, VK_F11, 0);
    EXPECT_EQ(EditorMenuOn, 1);
    MainWindowProc(WM_KEYDOWN, VK_F11, 0);
    EXPECT_EQ(EditorMenuOn, 0);
}

TEST_F(Editors, MenuKeysActOncePerPressAndTheMenuIsNotAnEditor) {
    const int collisions = CollisionsOn;
    EditorMenuOn = 1;
    KeyEvent('A', true);
    for (int frame = 0; frame < 5; frame++)
        Frame();
    EXPECT_EQ(CollisionsOn, !collisions) << "a held key toggles once";
    KeyEvent('A', false);
    Frame();
    const int progress = BuilderProgress;
    KeyEvent('8', true);
    for (int frame = 0; frame < 3; frame++)
        Frame();
    KeyEvent('8', false);
    EXPECT_EQ(BuilderProgress - progress, HEIGHT_GRID_COLUMNS * HEIGHT_GRID_ROWS) << "one build for a held key";
    CollisionsOn = collisions;
    EXPECT_EQ(EditorMenuOn, 1);
}

TEST_F(Editors, LightEditorClosingWritesLightsAndShadingThatTheNextLoadReads) {
    for (const char* pattern : {"%sBIN\\Ilumina%d.dat", "%sBIN\\GouMun%02d.dat", "%sBIN\\GouCoh%02d.dat"})
        RemoveFile(pattern, 1);
    MenuKey('1');
    EXPECT_EQ(LightEditorOn, 1);
    EXPECT_EQ(EditorActive, 1);
    EXPECT_EQ(EditorMenuOn, 0);
    LightTable[0].x += 123.0f;
    MenuKey('1');
    EXPECT_EQ(LightEditorOn, 0);
    EXPECT_EQ(EditorActive, 0);
    EXPECT_EQ(FileBytes("%sBIN\\Ilumina%d.dat", 1).size(), 8192u);
    EXPECT_EQ(FileBytes("%sBIN\\GouMun%02d.dat", 1).size(),
              400u + 12u * (unsigned)WorldSectionTable.header[WORLD_SECTION_TOTAL_INT]);
    EXPECT_FALSE(FileBytes("%sBIN\\GouCoh%02d.dat", 1).empty());

    std::vector<Light> edited(LightTable, LightTable + LIGHT_CAPACITY);
    const int count = LightCount;
    memset(LightTable, 0, sizeof LightTable);
    Load();
    EXPECT_EQ(LightCount, count);
    EXPECT_EQ(memcmp(edited.data(), LightTable, sizeof LightTable), 0);
}

TEST_F(Editors, InsertAddsALightBesideTheSelectedOneAndAFullTableRefuses) {
    MenuKey('1');
    ASSERT_GT(LightCount, 0);
    AimAt(LightTable[2].x, LightTable[2].y - 3000.0f, LightTable[2].z);
    Frame();
    PointAt(LightTable[2].x, LightTable[2].y, LightTable[2].z);
    Click();
    ASSERT_EQ(LuzSelect, 2);
    const Light picked = LightTable[2];
    const int count = LightCount;
    Press(VK_INSERT);
    EXPECT_EQ(LightCount, count + 1);
    EXPECT_EQ(LuzSelect, count);
    EXPECT_EQ(LightTable[count].x, picked.x + 200.0f);
    EXPECT_EQ(LightTable[count].z, picked.z);
    EXPECT_EQ(LightTable[count + 1].x, -1.0f);

    for (int i = 0; i < LIGHT_CAPACITY; i++)
        LightTable[i] = {1000.0f + i, 0.0f, 0.0f, 0.1f};
    LightCount = LIGHT_CAPACITY;
    const Light last = LightTable[LIGHT_CAPACITY - 1];
    EXPECT_EQ(AddLight(), 0);
    EXPECT_EQ(LightCount, LIGHT_CAPACITY);
    EXPECT_EQ(LightTable[LIGHT_CAPACITY - 1].x, last.x);

    // Deleting the first light keeps the selection on a light.
    LuzSelect = 0;
    DeleteLight();
    EXPECT_EQ(LightCount, LIGHT_CAPACITY - 1);
    EXPECT_EQ(LuzSelect, LightCount - 1);
    EXPECT_EQ(LightTable[0].x, 1001.0f);
    EXPECT_EQ(LightTable[LIGHT_CAPACITY - 1].x, -1.0f);
}

TEST_F(Editors, LightsMoveWithTheControlsAndTakeTheNumericPadColours) {
    MenuKey('1');
    LuzSelect = 1;
    const Light before = LightTable[1];
    ControlLeft = 1;
    Frame();
    ControlLeft = 0;
    ControlHandbrake = 1;
    ControlBrake = 1;
    Frame();
    ControlHandbrake = 0;
    ControlBrake = 0;
    KeyEvent(VK_NEXT, true);
    Frame();
    KeyEvent(VK_NEXT, false);
    EXPECT_EQ(LightTable[1].x, before.x + 15.0f);
    EXPECT_EQ(LightTable[1].z, before.z + 300.0f);
    EXPECT_EQ(LightTable[1].y, before.y + 15.0f);

    EditorR = 254;
    KeyEvent(VK_NUMPAD8, true);
    Frame();
    Frame();
    KeyEvent(VK_NUMPAD8, false);
    EXPECT_EQ(EditorR, 255) << "held to 0..255";
    EXPECT_EQ(LightColourTable[1].r, 255);
}

TEST_F(Editors, ZoneTypesClampAndSelectionStaysInTheTable) {
    MenuKey('2');
    ASSERT_EQ(ZoneEditorOn, 1);
    Press(VK_SPACE);
    Press('4');
    ASSERT_EQ(ZoneEditorMode, ZONE_MODE_TYPE);
    ZoneRecord& zone = ZoneTable.records[ZoneSelected];
    zone.type = 31;
    Press(VK_RIGHT);
    EXPECT_EQ(zone.type, 31);
    zone.type = 10;
    Press(VK_LEFT);
    EXPECT_EQ(zone.type, 0);
    Press(VK_DOWN);
    EXPECT_EQ(zone.type, 1);
    Press(VK_RETURN);
    EXPECT_EQ(ZoneEditorMode, ZONE_MODE_CREATE);

    Press(VK_SPACE);
    Press('5');
    for (int i = 0; i < 9; i++)
        Press(VK_RIGHT);
    EXPECT_EQ(ZoneSelected, ZONE_RECORDS - 1);
    Press(VK_UP);
    EXPECT_EQ(ZoneSelected, ZONE_RECORDS - 2);

    // Visibility position 2 takes id 97.
    Press(VK_RETURN);
    Press(VK_SPACE);
    Press('A');
    Press(VK_DOWN);
    Press(VK_DOWN);
    Press(VK_RETURN);
    EXPECT_EQ(ZoneAssociateId, ZONE_FIRST_VISIBILITY);
    Press(VK_DOWN);
    Press(VK_RETURN);
    EXPECT_EQ(ZoneTable.records[ZONE_RECORDS - 2].visibility[2], 97);
}

TEST_F(Editors, ZoneFileWrittenByKey3EveryTimeAndRoundTripsThroughGAndL) {
    RemoveFile("%sBIN\\Cajas%02d.dat", 1);
    MenuKey('3');
    EXPECT_EQ(ZoneEditorOn, 1);
    EXPECT_EQ(DrawTraceEditorOn, 1);
    EXPECT_EQ(FileBytes("%sBIN\\Cajas%02d.dat", 1).size(), sizeof(ZoneFile));
    RemoveFile("%sBIN\\Cajas%02d.dat", 1);
    MenuKey('3');
    EXPECT_EQ(ZoneEditorOn, 0);
    EXPECT_EQ(FileBytes("%sBIN\\Cajas%02d.dat", 1).size(), sizeof(ZoneFile)) << "closing writes it too";

    MenuKey('2');
    const int z = FirstZone();
    ASSERT_GE(z, 0);
    ZoneTable.records[z].vertices[0].x += 500;
    std::vector<char> saved((char*)&ZoneTable, (char*)&ZoneTable + sizeof ZoneTable);
    Press(VK_SPACE);
    Press('G');
    ZoneTable.records[z].vertices[0].x += 500;
    ZoneTable.records[z].type = 7;
    Press(VK_SPACE);
    Press('L');
    EXPECT_EQ(memcmp(saved.data(), &ZoneTable, sizeof ZoneTable), 0);
}

TEST_F(Editors, ClosingTheZoneEditorBuildsTheGridANewLoadReads) {
    MenuKey('2');
    const int z = FirstZone();
    ASSERT_GE(z, 0);
    for (int i = 0; i < ZoneVertexCount(ZoneTable.records[z]); i++)
        ZoneTable.records[z].vertices[i].x += 6000;
    Press(VK_SPACE);
    Press('G');
    MenuKey('2');
    ASSERT_EQ(ZoneEditorOn, 0);
    const std::vector<int> built = GridImage(ZoneGrid);
    Load();
    EXPECT_EQ(GridImage(ZoneGrid), built);
    FillZoneGrid();
    EXPECT_EQ(GridImage(ZoneGrid), built);
}

TEST_F(Editors, CollisionLinesWrittenOnVAndHeightGridMatchesTheBuilder) {
    MenuKey('I');
    ASSERT_EQ(CollisionEditorOn, 1);
    const int lines = CollisionLineCount();
    ASSERT_GT(lines, 0);
    Press('V');
    const std::string count = FileBytes("%sBIN\\NumCol%02d.dat", 1);
    ASSERT_EQ(count.size(), 4u);
    int32_t words;
    memcpy(&words, count.data(), 4);
    EXPECT_EQ(words, lines * 16);
    EXPECT_EQ(FileBytes("%sBIN\\coli%02d.ppp", 1).size(), (size_t)lines * 64);
    EXPECT_EQ(CollisionEditorWords[0], lines * 16);

    MenuKey('8');
    const std::vector<int> built = GridImage(HeightGrid);
    Load();
    EXPECT_EQ(GridImage(HeightGrid), built);
    FillHeightGrid();
    EXPECT_EQ(GridImage(HeightGrid), built);
}

TEST_F(Editors, MaterialAndHeightLimitKeysActOnTheSelectedLine) {
    MenuKey('I');
    Press('6');
    EXPECT_EQ(CollisionEditorTool, 6);
    for (int i = 0; i < 20; i++)
        Press(VK_RIGHT);
    EXPECT_EQ(CollisionMaterial, 15);
    Press(VK_RETURN);
    EXPECT_EQ(CollisionEditorTool, 7);
    CollisionSelectedLine = 3 * 16;
    Press(VK_NUMPAD8);
    Press(VK_NUMPAD8);
    EXPECT_EQ(CollisionLineTable[3].heightLimit, 2.0f);
    Press(VK_NUMPAD0);
    EXPECT_EQ(CollisionLineTable[3].heightLimit, 0.0f);
    Press('N');
    EXPECT_EQ(CollisionLineTable[3].heightLimit,
              CollisionLineTable[3].y1 != 0.0f ? CollisionLineTable[3].y1 : 1.0f);
    EXPECT_EQ(CollisionEditorTool, 1);
    EXPECT_EQ(CollisionSelectedLine, -1);
}

TEST_F(Editors, ClosingTheCpuLineEditorRecomputesTheGuideLineAndWritesIt) {
    // Each press of Y, opening or closing, sends the computer cars' targets
    // back to the start of their lines.
    for (int car = 0; car < MAX_CARS; car++)
        CpuTargetNode[car] = 7 + car;
    MenuKey('Y');
    ASSERT_EQ(CpuLineEditorOn, 1);
    for (int car = 0; car < MAX_CARS; car++)
        EXPECT_EQ(CpuTargetNode[car], 0) << car;
    CpuTargetNode[3] = 12;
    const int count = CpuLinePointCounts[CPU_LINE_GUIDE];
    ASSERT_GT(count, 2);
    CpuLineTable[CPU_LINE_GUIDE][0].length = 0.0f;
    CpuLineTable[CPU_LINE_GUIDE][count - 1].dirX = 5.0f;

    // C remembers line 0, then 5..9 choose line 2 and C copies onto it.
    Press('5');
    Press('C');
    EXPECT_EQ(CpuLineEditorTool, 5);
    Press('7');
    Press('C');
    EXPECT_EQ(CpuLinePointCounts[2], CpuLinePointCounts[0]);
    EXPECT_EQ(memcmp(CpuLineTable[2], CpuLineTable[0], sizeof CpuLineTable[0]), 0);

    RemoveFile("%sBIN\\IACPU%d.dat", 1);
    MenuKey('Y');
    EXPECT_EQ(CpuLineEditorOn, 0);
    EXPECT_EQ(CpuTargetNode[3], 0);
    const std::string file = FileBytes("%sBIN\\IACPU%d.dat", 1);
    ASSERT_EQ(file.size(), 64000u);
    CpuLinePoint guide[CPU_LINE_RECORDS];
    memcpy(guide, file.data() + sizeof(CpuLinePoint) * CPU_LINE_RECORDS * CPU_LINE_GUIDE, sizeof guide);
    for (int i = 0; i < count; i++) {
        const CpuLinePoint& next = guide[(i + 1) % count];
        const float dx = next.x - guide[i].x, dz = next.z - guide[i].z;
        const float length = std::sqrt(dx * dx + dz * dz);
        EXPECT_NEAR(guide[i].length, length, 0.01f) << i;
        EXPECT_NEAR(guide[i].dirX, dx / length, 1e-5f) << i;
        EXPECT_NEAR(guide[i].dirZ, dz / length, 1e-5f) << i;
    }
    EXPECT_EQ(guide[CPU_LINE_RECORDS - 1].x, (float)(count * 16)) << "record 199 holds the count";
    EXPECT_EQ(CpuLinePointCounts[2], CpuLinePointCounts[0]);
}

TEST_F(Editors, LineCountsFromRecordsAreHeldTo199Points) {
    CpuLineTable[0][CPU_LINE_RECORDS - 1].x = NAN;
    CpuLineTable[1][CPU_LINE_RECORDS - 1].x = 5000.0f * 16.0f;
    CpuLineTable[2][CPU_LINE_RECORDS - 1].x = -32.0f;
    CpuLineTable[3][CPU_LINE_RECORDS - 1].x = 33.9f;
    CpuLineCountsFromRecords(1);
    EXPECT_EQ(CpuLinePointCounts[0], 0);
    EXPECT_EQ(CpuLinePointCounts[1], CPU_LINE_MAX_POINTS);
    EXPECT_EQ(CpuLinePointCounts[2], 0);
    EXPECT_EQ(CpuLineFloatCounts[3], 33);
    EXPECT_EQ(CpuLinePointCounts[3], 2);
}

TEST_F(Editors, ADragMovesOneZoneVertexAndNothingElse) {
    MenuKey('2');
    const int z = FirstZone();
    ASSERT_GE(z, 0);
    const ZoneVertex v = ZoneTable.records[z].vertices[1];
    AimAt((float)v.x, (float)v.y, (float)v.z);
    Press(VK_SPACE);
    Press('1');
    ASSERT_EQ(ZoneEditorMode, ZONE_MODE_MOVE);
    std::vector<char> before((char*)&ZoneTable, (char*)&ZoneTable + sizeof ZoneTable);

    PointAt((float)v.x, (float)v.y, (float)v.z);
    MouseClick = 1;
    MouseButtons = 0x80;
    Frame();
    ASSERT_EQ(EditorHeld.owner, z);
    PointAt(v.x + 800.0f, (float)v.y, v.z + 400.0f);
    Frame();
    MouseButtons = 0;
    Frame();
    PointAt(v.x + 1600.0f, (float)v.y, (float)v.z);
    Frame();
    EXPECT_EQ(EditorHeld.owner, -1) << "released";

    const ZoneVertex& moved = ZoneTable.records[z].vertices[1];
    EXPECT_NEAR(moved.x, v.x + 800, 30);
    EXPECT_NEAR(moved.z, v.z + 400, 30);
    EXPECT_EQ(moved.y, v.y);
    std::vector<char> after((char*)&ZoneTable, (char*)&ZoneTable + sizeof ZoneTable);
    const size_t at = (const char*)&ZoneTable.records[z].vertices[1] - (const char*)&ZoneTable;
    int changed = 0;
    for (size_t i = 0; i < before.size(); i++)
        if (before[i] != after[i] && (i < at || i >= at + sizeof(ZoneVertex)))
            changed++;
    EXPECT_EQ(changed, 0) << "bytes outside the vertex changed";
}

TEST_F(Editors, ZoneVerticesAreCreatedOnTheGroundDeletedAndJoined) {
    MenuKey('2');
    ZoneSelected = 200;
    ASSERT_EQ(ZoneVertexCount(ZoneTable.records[200]), 0);
    const float x = 59312.0f, z = 60000.0f;
    const float ground = GroundHeight(x, z, -1, 0);
    AimAt(x, ground, z);
    for (int k = 0; k < 3; k++) {
        PointAt(x + 600.0f * k, ground, z + 300.0f * (k % 2));
        Click();
    }
    ZoneRecord& zone = ZoneTable.records[200];
    ASSERT_EQ(ZoneVertexCount(zone), 3);
    EXPECT_NEAR(zone.vertices[2].x, x + 1200.0f, 30);
    EXPECT_NEAR(zone.vertices[0].y, ground, 5);

    Press(VK_SPACE);
    Press('U');
    PointAt((float)zone.vertices[0].x, (float)zone.vertices[0].y, (float)zone.vertices[0].z);
    Click();
    EXPECT_EQ(ZoneEditorMode, ZONE_MODE_JOIN_TO);
    const ZoneVertex target = zone.vertices[2];
    PointAt((float)target.x, (float)target.y, (float)target.z);
    Click();
    EXPECT_EQ(zone.vertices[0].x, target.x);
    EXPECT_EQ(zone.vertices[0].z, target.z);

    Press(VK_SPACE);
    Press('2');
    PointAt((float)zone.vertices[1].x, (float)zone.vertices[1].y, (float)zone.vertices[1].z);
    Click();
    EXPECT_EQ(ZoneVertexCount(zone), 2);
}

TEST_F(Editors, CollisionLinesAreCreatedMovedAndDeletedWithTheMouse) {
    MenuKey('I');
    const int lines = CollisionLineCount();
    const float x = 59312.0f, z = 60000.0f;
    const float ground = GroundHeight(x, z, -1, 0);
    AimAt(x, ground, z);
    Press('0');
    PointAt(x, ground, z);
    Click();
    EXPECT_EQ(CollisionLineCount(), lines) << "one end placed";
    PointAt(x + 1000.0f, ground, z);
    Click();
    ASSERT_EQ(CollisionLineCount(), lines + 1);
    const CollisionLine& line = CollisionLineTable[lines];
    EXPECT_NEAR(line.x2 - line.x1, 1000.0f, 30.0f);
    EXPECT_NEAR(line.normalDx, 1.0f, 0.05f);

    Press('2');
    PointAt(line.x2, line.y2, line.z2);
    MouseClick = 1;
    MouseButtons = 0x80;
    Frame();
    PointAt(x + 1000.0f, ground, z + 500.0f);
    Frame();
    MouseButtons = 0;
    Frame();
    EXPECT_NEAR(line.z2 - line.z1, 500.0f, 30.0f);

    Press('3');
    PointAt(line.x1, line.y1, line.z1);
    Click();
    EXPECT_EQ(CollisionLineCount(), lines);
}

TEST_F(Editors, AnUnchangedRoundTripPassesTheTrackCheck) {
    MenuKey('3');
    MenuKey('3');
    MenuKey('I');
    Press('V');
    MenuKey('I');
    MenuKey('Y');
    MenuKey('Y');
    MenuKey('1');
    MenuKey('1');
    MenuKey('9');
    TrackCheckReport report;
    EXPECT_EQ(RunTrackCheck(dir.c_str(), 10, report), 0);
    for (const std::string& failure : report.failures)
        ADD_FAILURE() << failure;
}

TEST_F(Editors, OutlinesShowTheZonesWithTheSelectionHighlighted) {
    PlatSurface* surface = BlackSurface();
    ASSERT_NE(surface, nullptr);
    const int z = FirstZone();
    ASSERT_GE(z, 0);
    const ZoneVertex v = ZoneTable.records[z].vertices[0];
    AimAt((float)v.x, (float)v.y, (float)v.z);
    ZoneSelected = z;
    MenuKey('2');
    BeginEditorFrame();
    RunZoneEditor(surface);
    EXPECT_GT(PixelsOf(surface, Pixel565(EDITOR_COLOUR_SELECTED)).size(), 20u);
    EXPECT_GT(PixelsOf(surface, Pixel565(EDITOR_COLOUR_NORMAL)).size(), 20u) << "the other zones";

    // Switch C draws them without the editor, and only in a race.
    MenuKey('2');
    MenuKey('C');
    ASSERT_EQ(ZoneDisplayOn, 1);
    PlatSurfaceFill(surface, nullptr, 0, PLAT_WAIT);
    DrawZoneDisplay(surface);
    EXPECT_GT(PixelsOf(surface, Pixel565(EDITOR_COLOUR_NORMAL)).size(), 20u);
    PlatSurfaceFill(surface, nullptr, 0, PLAT_WAIT);
    FrontEndActive = 1;
    DrawZoneDisplay(surface);
    FrontEndActive = 0;
    EXPECT_TRUE(PixelsOf(surface, Pixel565(EDITOR_COLOUR_NORMAL)).empty());
    PlatSurfaceRelease(surface);
}

TEST(EditorCursor, DrawnAtThePointerClippedToTheScreenWhileAnEditorIsActive) {
    ASSERT_TRUE(PlatInit(PLAT_BACKEND_HEADLESS));
    MakeTestGameFolder("cursor");
    SurfaceWidth = 640;
    SurfaceHeight = 480;
    PlatSurface* surface = BlackSurface();
    ASSERT_NE(surface, nullptr);
    const uint16_t white = Pixel565(0x00FFFFFF);
    EditorActive = 1;
    MouseX = 100;
    MouseY = 200;
    DrawLightCursor(surface);
    const auto drawn = PixelsOf(surface, white);
    ASSERT_FALSE(drawn.empty());
    for (const auto& p : drawn) {
        EXPECT_TRUE(p.first >= 100 && p.first < 111 && p.second >= 200 && p.second < 219) << p.first << "," << p.second;
    }
    EXPECT_EQ(drawn.front().first, 100) << "the tip at the pointer";
    EXPECT_EQ(drawn.front().second, 200);

    PlatSurfaceFill(surface, nullptr, 0, PLAT_WAIT);
    MouseX = 636;
    MouseY = 470;
    DrawLightCursor(surface);
    const auto edge = PixelsOf(surface, white);
    EXPECT_FALSE(edge.empty());
    for (const auto& p : edge)
        EXPECT_TRUE(p.first >= 636 && p.second >= 470);

    PlatSurfaceFill(surface, nullptr, 0, PLAT_WAIT);
    TextureReloadFlag = 1;
    DrawLightCursor(surface);
    TextureReloadFlag = 0;
    EditorActive = 0;
    DrawLightCursor(surface);
    EXPECT_TRUE(PixelsOf(surface, white).empty()) << "not while textures reload, nor with no editor";
    PlatSurfaceRelease(surface);
    MouseX = MouseY = 0;
    PlatShutdown();
}

TEST(EditorFiles, AWriteBesideAnArchivedCopySaysTheArchiveWins) {
    ASSERT_TRUE(PlatInit(PLAT_BACKEND_HEADLESS));
    const std::string dir = MakeTestFolder("archived");
    ASSERT_TRUE(MkMakeCircuitFolder(dir, MkCircuitForGroup(1)));
    std::string error;
    ASSERT_TRUE(LoadTrackForCheck(dir.c_str(), 10, &error)) << error;
    MakeBinFolder();
    const int lines = ConsoleLineCount();
    const int32_t words = CollisionLineWords;
    EXPECT_EQ(WriteTrackBinFile("%sBIN\\NumCol%02d.dat", 1, &words, 4), 1);
    EXPECT_EQ(ConsoleLineCount(), lines + 1);
    PlatShutdown();
}

TEST(EditorRun, ScriptedKeysInADeveloperRaceOpenTheEditorsAndWriteTheTrackFiles) {
    const std::string dir = MakeTestFolder("run");
    MkOptions options;
    options.outDir = dir;
    options.looseTracks = 1;
    options.videosetup = std::string(QUORVIX_BIN_DIR) + "/videosetup";
    ASSERT_TRUE(MakeGameFolder(options));
    ASSERT_TRUE(PlatSetCurrentDir(dir.c_str()));
    const std::string bin = "3d\\Tracks\\Track-10\\BIN\\";
    std::vector<std::string> files;
    for (const char* name : {"Ilumina1.dat", "GouMun01.dat", "GouCoh01.dat", "IACPU1.dat", "NumCol01.dat"}) {
        files.push_back(HostPathOf(bin + name));
        ASSERT_EQ(std::remove(files.back().c_str()), 0) << "a loose file: " << files.back();
    }
    // F11 then a menu key, each pressed for a frame: the light editor opened
    // and closed, the collision-line editor opened, V, and closed, the
    // CPU-line editor opened and closed.
    std::string script = "2 key down SPACE\n3 key up SPACE\n";   // the fly-by ends
    int frame = 20;
    auto press = [&](const char* key) {
        script += std::to_string(frame) + " key down " + key + "\n" + std::to_string(frame + 1) + " key up " + key + "\n";
        frame += 3;
    };
    for (const char* key : {"0x02", "0x02", "I", "", "I", "Y", "Y"}) {
        if (*key == 0) {
            press("V");
            continue;
        }
        press("F11");
        press(key);
    }
    // Then car 0 accelerates from frame 250 on, with the light editor open
    // from frame 304 to 404: the physics stand still meanwhile.
    script += "250 key down UP\n";
    frame = 300;
    press("F11");
    press("0x02");
    frame = 400;
    press("F11");
    press("0x02");
    char error[SCRIPT_ERROR_SIZE];
    ASSERT_TRUE(PlatScriptParse(script.c_str(), error, sizeof error)) << error;
    const std::string log = dir + "/car.log";
    CommandLine = {};
    CommandLine.headless = 1;
    CommandLine.frames = 470;
    CommandLine.autorace = 1;
    CommandLine.developer = 1;
    CommandLine.carlog = log.c_str();
    ASSERT_TRUE(OpenCarLog(log.c_str()));
    PlatHeadlessSetLockstep(1);
    ASSERT_TRUE(PlatInit(PLAT_BACKEND_HEADLESS));
    EXPECT_EQ(WinMain(), 0);
    CloseCarLog();
    PlatScriptClear();
    PlatShutdown();
    DeveloperSwitch = 0;

    EXPECT_EQ(EditorMenuOn, 0);
    EXPECT_EQ(LightEditorOn + CollisionEditorOn + CpuLineEditorOn, 0);
    EXPECT_EQ(ReadHostFile(files[0]).size(), 8192u);
    EXPECT_FALSE(ReadHostFile(files[1]).empty());
    EXPECT_FALSE(ReadHostFile(files[2]).empty());
    EXPECT_EQ(ReadHostFile(files[3]).size(), 64000u);
    EXPECT_EQ(ReadHostFile(files[4]).size(), 4u);

    // Car 0's plan position by tick.
    std::map<int, std::pair<double, double>> at;
    std::istringstream lines(ReadHostFile(log));
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string kind, x, y, z;
        int tick = -1, car = -1;
        if (words >> kind >> tick >> car >> x >> y >> z && kind == "car" && car == 0)
            at[tick] = {std::strtod(x.c_str(), nullptr), std::strtod(z.c_str(), nullptr)};
    }
    ASSERT_TRUE(at.count(260) && at.count(295) && at.count(315) && at.count(395) && at.count(415) && at.count(460));
    auto moved = [&](int from, int to) {
        return std::hypot(at[to].first - at[from].first, at[to].second - at[from].second);
    };
    EXPECT_GT(moved(260, 295), 50.0) << "the car drives before";
    EXPECT_EQ(moved(315, 395), 0.0) << "no physics while the editor is open";
    EXPECT_GT(moved(415, 460), 50.0) << "and drives on after";
}
