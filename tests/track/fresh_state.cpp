// Every track test starts from a fresh process's state: besides the
// machine (no archives mounted over the hand-written files) and the frame's
// switches, the object pools and the track's tables.

#include <cstring>

#include "common/fresh_state.h"
#include "render/render_state.h"
#include "track/editors.h"
#include "track/track_state.h"

namespace {

void FreshGrid(CellListGrid& grid, int columns) {
    memset(grid.offsets, 0, sizeof(int) * (size_t)grid.offsetCapacity);
    memset(grid.lists, 0, sizeof(int) * ((size_t)grid.listCapacity + 1));
    grid.lists[0] = -1;
    grid.columns = columns;
    grid.listCount = 0;
    grid.rejectedCells = 0;
}

// The editors' own state, as the program starts with it.
void FreshEditors() {
    EditorActive = ShowLights = InfoBoxOn = DrawTraceEditorOn = 0;
    HiddenFacesOn = GouraudOn = EditorSwitch5 = EditorSwitch6 = SoundInfoOn = ZoneDisplayOn = 0;
    LuzSelect = -1;
    EditorR = EditorG = EditorB = 0;
    EditorAlcanceRGB = 0.0f;
    ZoneEditorMode = ZoneListOpen = ZoneSelected = ZoneInvertCircuit = ZoneVisibilityPos = 0;
    ZoneShowAll = 1;
    ZoneAssociateId = ZONE_FIRST_VISIBILITY;
    CollisionEditorTool = CollisionToolListOpen = CollisionMaterial = 0;
    CollisionSelectedLine = -1;
    CpuLineEditorTool = CpuLineToolListOpen = CpuLineEditorLine = CpuLineCopySource = 0;
    CpuLineSelectedPoint = -1;
    EditorHeld = EditorJoinFrom = {-1, 0};
    BeginEditorFrame();   // no key of an earlier test counts as held
    BeginEditorFrame();
}

void FreshTrackProgram() {
    FreshMachine();
    FreshFrameAndRace();
    FreshObjectPools();

    memset(AssetFolder, 0, sizeof AssetFolder);
    memset(CpuLineTable, 0, sizeof CpuLineTable);
    memset(CpuLineFloatCounts, 0, sizeof CpuLineFloatCounts);
    memset(CpuLinePointCounts, 0, sizeof CpuLinePointCounts);
    memset(CollisionLineTable, 0, sizeof CollisionLineTable);
    CollisionLineWords = 0;
    CollisionEditorWords[0] = CollisionEditorWords[1] = 0;
    FreshGrid(CollisionGrid, 120);
    FreshGrid(HeightGrid, HEIGHT_GRID_COLUMNS);
    FreshGrid(ZoneGrid, ZONE_GRID_COLUMNS);
    memset(&ZoneTable, 0, sizeof ZoneTable);
    ZoneTypeMask = 0;
    LastTypedZone = 0;
    CurrentViewZone = 0;
    InJumpZone = 0;
    memset(&WorldSectionTable, 0, sizeof WorldSectionTable);
    SpecialPolygonCount = 0;
    memset(LightTable, 0, sizeof LightTable);
    memset(LightColourTable, 0, sizeof LightColourTable);
    LightCount = 0;
    memset(WorldShadeTable, 0, sizeof WorldShadeTable);
    memset(CarShadeTable, 0, sizeof CarShadeTable);
    for (auto& car : GroundMemory)
        for (std::atomic<float>& wheel : car)
            wheel = 0.0f;
    memset(CarGroundTriangle, 0, sizeof CarGroundTriangle);
    memset(CarFootprints, 0, sizeof CarFootprints);
    memset(CarRoofTriangleCount, 0, sizeof CarRoofTriangleCount);
    FreshEditors();
}

const bool registered = ResetBeforeEveryTest(FreshTrackProgram);

}  // namespace
