// The editor menu: opens the editors, toggles the developer switches and
// runs the builders on the current track.  F11 shows it during a race in
// developer mode.

#include <cmath>
#include <cstring>

#include "frame/frame_state.h"
#include "frame/sim_lock.h"
#include "frontend/frontend_state.h"
#include "platform/plat_keys.h"
#include "race/cameras.h"
#include "race/race_state.h"
#include "sound/sound_state.h"
#include "track/builders.h"
#include "track/editors.h"
#include "track/track_files.h"
#include "track/track_state.h"

int EditorActive;
int ShowLights;
int InfoBoxOn;
int DrawTraceEditorOn;
int HiddenFacesOn;
int GouraudOn;
int EditorSwitch5, EditorSwitch6;
int SoundInfoOn;
int ZoneDisplayOn;

void ToggleEditorMenu() {
    if (DeveloperSwitch != 1 || FrontEndActive)
        return;
    EditorMenuOn ^= 1;
}

// Closing the CPU-line editor: the guide line's lengths and directions
// again (the last point's next is point 0), the file, the counts from the
// records, and the trackside cameras on the new guide line.
static void CloseCpuLineEditor() {
    const int count = CpuLinePointCounts[CPU_LINE_GUIDE];
    CpuLinePoint* line = CpuLineTable[CPU_LINE_GUIDE];
    for (int i = 0; i < count; i++) {
        const CpuLinePoint& next = line[i + 1 < count ? i + 1 : 0];
        const float dx = next.x - line[i].x, dz = next.z - line[i].z;
        const float length = std::sqrt(dx * dx + dz * dz);
        line[i].length = length;
        line[i].dirX = length > 0.0f ? dx / length : 0.0f;
        line[i].dirZ = length > 0.0f ? dz / length : 0.0f;
    }
    WriteTrackBinFile("%sBIN\\IACPU%d.dat", TrackGroup, CpuLineTable, (int)sizeof CpuLineTable);
    CpuLineCountsFromRecords(1);
    MapTvCamerasToPath();
}

static void MenuKeys() {
    // Every table below is one the tick reads (collision lines and grids,
    // zones, the guide line): the builders and closings hold the lock.
    SimLockGuard lock;
    if (EditorKeyPressed('1')) {
        LightEditorOn ^= 1;
        if (LightEditorOn == 0) {
            BuildWorldShadeFile();
            BuildCarShadeFile();
            WriteTrackBinFile("%sBIN\\Ilumina%d.dat", TrackGroup, LightTable, (int)sizeof LightTable);
        }
        EditorActive = LightEditorOn;
        ZoneEditorOn = DrawTraceEditorOn = CollisionEditorOn = CpuLineEditorOn = 0;
        ShowLights = 1;
        SoundOn = 1;
        EditorMenuOn = 0;
    }
    if (EditorKeyPressed('2')) {
        ZoneEditorOn ^= 1;
        EditorActive = ZoneEditorOn;
        if (ZoneEditorOn == 0)
            BuildZoneGrid();
        SoundOn = 1;
        EditorMenuOn = 0;
    }
    if (EditorKeyPressed('3')) {
        ZoneEditorOn ^= 1;
        DrawTraceEditorOn ^= 1;
        EditorActive = ZoneEditorOn;
        BuildDrawTrace();
        WriteTrackBinFile("%sBIN\\Cajas%02d.dat", TrackGroup, &ZoneTable, (int)sizeof ZoneTable);
        SoundOn = 1;
        EditorMenuOn = 0;
    }
    if (EditorKeyPressed('I')) {
        CollisionEditorOn ^= 1;
        EditorActive = CollisionEditorOn;
        EditorMenuOn = 0;
    }
    if (EditorKeyPressed('Y')) {
        CpuLineEditorOn ^= 1;
        EditorActive = CpuLineEditorOn;
        SoundOn = 1;
        EditorMenuOn = 0;
        if (CpuLineEditorOn == 0)
            CloseCpuLineEditor();
        // The computer cars' target points index the lines being edited:
        // each car picks its point again from the start of its line.
        memset(CpuTargetNode, 0, sizeof CpuTargetNode);
    }
    if (EditorKeyPressed('5'))
        EditorSwitch5 ^= 1;
    if (EditorKeyPressed('6'))
        EditorSwitch6 ^= 1;
    if (EditorKeyPressed('7'))
        InfoBoxOn ^= 1;
    if (EditorKeyPressed('8'))
        BuildHeightGrid();
    if (EditorKeyPressed('9'))
        BuildCollisionGrid();
    if (EditorKeyPressed('A'))
        CollisionsOn = !CollisionsOn;
    if (EditorKeyPressed('B'))
        SoundOn = !SoundOn;
    if (EditorKeyPressed('C'))
        ZoneDisplayOn ^= 1;
    if (EditorKeyPressed('U'))
        SoundInfoOn ^= 1;
}

static const char* const MenuLeft[] = {
    "1- Editor de las Luces",        "2- Editor de las Cajas",          "3- Editor de trazado de dibujado",
    "4- Editor de los objetos",      "5- Mostrar FPS",                  "6- Mostrar tiempos de proceso",
    "7- On-Off caja de informacion", "8- Crea tablas de las alturas",   "9- Crea tablas de las colisiones",
};
static const char* const MenuRight[] = {
    "A- On-Off colisiones", "B- On-Off sonido",        "C- On-Off cajas", "O- On-Off onda de sonido",
    "I- Editor de Colisiones", "Y- Editor de Coches", "U- Info Sonido",
};

static void DrawMenu(PlatSurface* surface) {
    if (!surface)
        return;
    FillBox(surface, 110, 176, 420, 130, 0x00000000);
    EditorText(surface, 120, 184, 3, "SELECCIONA UNA OPCION");
    for (int i = 0; i < (int)(sizeof MenuLeft / sizeof MenuLeft[0]); i++)
        EditorText(surface, 120, 206 + 10 * i, 1, "%s", MenuLeft[i]);
    for (int i = 0; i < (int)(sizeof MenuRight / sizeof MenuRight[0]); i++)
        EditorText(surface, 330, 206 + 10 * i, 1, "%s", MenuRight[i]);
}

void RunEditorMenu(PlatSurface* surface) {
    DrawMenu(surface);
    MenuKeys();
}
