#include "race/tuning.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "frame/fileio.h"
#include "frame/frame_state.h"
#include "frontend/frontend_state.h"
#include "platform/plat_keys.h"
#include "platform/plat_surface.h"
#include "race/engine.h"
#include "race/motion_table.h"
#include "race/race_state.h"
#include "render/debug_labels.h"
#include "render/render_state.h"
#include "track/track_state.h"

int TuningPanelSelector;
int PhysicsValuesOn;
int TunedCar;

namespace {

// ---------------------------------------------------------------------------
// Files.

int ReadMotionFile(const char* path) {
    static unsigned char image[MOTION_FILE_BYTES];
    if (ReadWholeFile(path, image, sizeof image) != 1)
        return 0;
    return ApplyMotionImage(image, (size_t)LastFileSize);
}

int WriteMotionFile(const char* path) {
    static_assert(sizeof MotionTable == MOTION_FILE_BYTES, "the table is the file's image");
    return WriteWholeFile(path, MOTION_FILE_BYTES, MotionTable) == 1;
}

// ---------------------------------------------------------------------------
// Keys: a key acts when pressed and, held longer than 10 frames, every
// frame.

struct KeyRepeat {
    int scan;
    int heldFrames;
};

int KeyDown(int scan) { return scan > 0 && scan < 256 && KeyState[scan] == 0x80; }

// 1 when the key acts this frame.
int KeyActs(KeyRepeat& key, int repeats) {
    if (!KeyDown(key.scan)) {
        key.heldFrames = 0;
        return 0;
    }
    key.heldFrames++;
    return key.heldFrames == 1 || (repeats && key.heldFrames > PANEL_REPEAT_FRAMES);
}

KeyRepeat ArrowUp = {SCAN_UP, 0}, ArrowDown = {SCAN_DOWN, 0};
KeyRepeat ArrowLeft = {SCAN_LEFT, 0}, ArrowRight = {SCAN_RIGHT, 0};
KeyRepeat SaveKey = {0, 0};
KeyRepeat CarKeys[8];
KeyRepeat ToggleKeys[3];   // F5, F6, F7

void BindKeys() {
    static int bound;
    if (bound)
        return;
    bound = 1;
    SaveKey.scan = PlatKeyScanOfVirtual('G');
    for (int car = 0; car < 8; car++)
        CarKeys[car].scan = PlatKeyScanOfVirtual('0' + car);
    ToggleKeys[0].scan = PlatKeyScanOfVirtual(VK_F5);
    ToggleKeys[1].scan = PlatKeyScanOfVirtual(VK_F6);
    ToggleKeys[2].scan = PlatKeyScanOfVirtual(VK_F7);
}

// ---------------------------------------------------------------------------
// Panel rows.

struct PanelRow {
    float range;
    float value;
    int mayBeNegative;
};

const char* const PhysicsLabels[TUNING_ROWS] = {
    "Amortiguacion ruedas delanteras",
    "Amortiguacion ruedas traseros",
    "Radio de las rueda delanteras",
    "Radio de las rueda traseras",
    "Separacion rueda-coche delanteras",
    "Separacion rueda-coche traseras",
    "Tope del muelle",
    "Inercia principal I1",
    "Inercia principal I2",
    "Masa del coche",
    "Rozamiento de la rotacion",
    "Rozamiento del movimiento",
    "rest J",
    "rest",
};

// The panel shows the two frictions less this.
const float FrictionShown = 0.7f;

PanelRow PhysicsRows[TUNING_ROWS];
int PhysicsSelected;
PanelRow CpuRows[CPU_TUNING_ROWS];
int CpuSelected;
int CpuLineShown;

// The order of the panel rows in the body and the table: front, rear and
// shared wheel values, then the body's.
void RowsFromBody(const CarBody& body) {
    const float values[TUNING_ROWS] = {
        body.wheel[0].stiffness,      body.wheel[2].stiffness,      body.wheel[0].radius,
        body.wheel[2].radius,         body.wheel[0].restSeparation, body.wheel[2].restSeparation,
        body.wheel[0].springStop,     body.inertia1,                body.inertia2,
        body.mass,                    body.rotationFriction - FrictionShown,
        body.movementFriction - FrictionShown,
        body.restJ,                   body.rest,
    };
    for (int row = 0; row < TUNING_ROWS; row++) {
        PhysicsRows[row].value = values[row];
        PhysicsRows[row].range = PhysicsRowRange(row);
        PhysicsRows[row].mayBeNegative = row >= 4 && row <= 6;
    }
}

void RowsIntoBody(CarBody& body, float* table) {
    const PanelRow* r = PhysicsRows;
    for (int k = 0; k < 4; k++) {
        const int front = k < 2;
        body.wheel[k].stiffness = r[front ? 0 : 1].value;
        body.wheel[k].radius = r[front ? 2 : 3].value;
        body.wheel[k].restSeparation = r[front ? 4 : 5].value;
        body.wheel[k].springStop = r[6].value;
    }
    body.inertia1 = r[7].value;
    body.inertia2 = r[8].value;
    body.mass = r[9].value;
    body.rotationFriction = r[10].value + FrictionShown;
    body.movementFriction = r[11].value + FrictionShown;
    body.restJ = r[12].value;
    body.rest = r[13].value;
    const float row[MOTION_COLUMNS] = {r[0].value,  r[1].value, r[2].value, r[3].value, r[4].value,
                                       r[5].value,  r[6].value, r[7].value, r[8].value, r[9].value,
                                       r[10].value + FrictionShown, r[11].value + FrictionShown,
                                       r[12].value, r[13].value};
    memcpy(table, row, sizeof row);
}

void CpuRowsFromDrivers() {
    for (int row = 0; row < CPU_TUNING_ROWS; row++) {
        CpuRows[row].range = 1.0f;
        CpuRows[row].mayBeNegative = 0;
    }
    for (int k = 0; k < 7; k++) {
        CpuRows[k].value = CpuSteerTolerance[k + 1];
        CpuRows[k].range = 0.5f;
    }
    CpuRows[16] = {2.0f * 3500.0f, CpuTrafficAhead, 0};
    CpuRows[17] = {2.0f * 900.0f, CpuTrafficAcross, 0};
    CpuRows[18] = {4.0f, (float)CpuLineShown, 0};
}

void CpuRowsIntoDrivers() {
    for (int k = 0; k < 7; k++)
        CpuSteerTolerance[k + 1] = CpuRows[k].value;
    CpuTrafficAhead = CpuRows[16].value;
    CpuTrafficAcross = CpuRows[17].value;
    CpuLineShown = (int)CpuRows[18].value;
}

void ClampRow(PanelRow& row) {
    const float low = row.mayBeNegative ? -row.range : 0.0f;
    if (row.value < low)
        row.value = low;
    if (row.value > row.range)
        row.value = row.range;
}

// Car keys, G, and the arrows on the panel's rows.
void PanelKeys(PanelRow* rows, int count, int& selected, int saves) {
    BindKeys();
    for (int car = 0; car < 8; car++) {
        if (KeyActs(CarKeys[car], 0))
            TunedCar = car;
    }
    if (KeyActs(SaveKey, 0) && saves)
        SaveMotionTable();
    if (KeyActs(ArrowUp, 1) && selected > 0)
        selected--;
    if (KeyActs(ArrowDown, 1) && selected < count - 1)
        selected++;
    PanelRow& row = rows[selected];
    if (KeyActs(ArrowLeft, 1))
        row.value -= PanelStep(row.range);
    if (KeyActs(ArrowRight, 1))
        row.value += PanelStep(row.range);
    ClampRow(row);
}

// A row strip of the panel: dark, the selected row lighter.
void DrawStrip(PlatSurface* surface, int y, int selected) {
    const int format = PlatSurfaceFormat(surface);
    const uint32_t pixel = selected ? PlatPixelFromRgb(format, 40, 60, 110) : PlatPixelFromRgb(format, 16, 16, 24);
    PlatRect rect = {0, y - 2, 520, y + 18};
    if (rect.right > PlatSurfaceWidth(surface))
        rect.right = PlatSurfaceWidth(surface);
    if (rect.bottom > PlatSurfaceHeight(surface))
        rect.bottom = PlatSurfaceHeight(surface);
    if (rect.top < rect.bottom && rect.left < rect.right)
        PlatSurfaceFill(surface, &rect, pixel, 0);
}

void DrawRows(PlatSurface* surface, const PanelRow* rows, const char* const* labels, int count, int selected) {
    char text[64];
    for (int row = 0; row < count; row++) {
        const int y = 4 + 21 * row;
        DrawStrip(surface, y, row == selected);
        if (labels[row])
            DrawDebugText(4, y, labels[row], surface);
        snprintf(text, sizeof text, "%0.12f", rows[row].value);
        DrawDebugText(200, y, text, surface);
        const float step = PanelStep(rows[row].range);
        const int marker = step > 0.0f ? (int)(rows[row].value / step) + 225 : 225;
        DrawDebugText(marker, y, "L", surface);
    }
    snprintf(text, sizeof text, "Car:%d", TunedCar);
    DrawDebugText(288, 2, text, surface);
}

void PhysicsPanel(PlatSurface* surface) {
    const int car = TunedCar >= 0 && TunedCar < MAX_CARS ? TunedCar : 0;
    RowsFromBody(CarBodies[car]);
    PanelKeys(PhysicsRows, TUNING_ROWS, PhysicsSelected, 1);
    const int shown = TunedCar >= 0 && TunedCar < MAX_CARS ? TunedCar : 0;
    if (shown != car)
        RowsFromBody(CarBodies[shown]);   // a new car: its own values from now on
    if (surface)
        DrawRows(surface, PhysicsRows, PhysicsLabels, TUNING_ROWS, PhysicsSelected);
    RowsIntoBody(CarBodies[shown], MotionRowOf(CarModel[shown]));
}

void CpuPanel(PlatSurface* surface) {
    static const char* const labels[CPU_TUNING_ROWS] = {
        "Limite 1", "Limite 2", "Limite 3", "Limite 4", "Limite 5", "Limite 6", "Limite 7",
        nullptr,    nullptr,    nullptr,    nullptr,    nullptr,    nullptr,    nullptr,
        nullptr,    nullptr,    "Cuidao Largo", "Coches encima", "Linea", nullptr,
    };
    CpuRowsFromDrivers();
    PanelKeys(CpuRows, CPU_TUNING_ROWS, CpuSelected, 0);
    if (surface)
        DrawRows(surface, CpuRows, labels, CPU_TUNING_ROWS, CpuSelected);
    CpuRowsIntoDrivers();
}

}  // namespace

float PanelStep(float range) { return range * 0.011494253f; }

float PhysicsRowRange(int row) {
    if (row == 10 || row == 11)
        return 0.3f;
    if (row < 0 || row >= TUNING_ROWS)
        return 0.0f;
    float largest = 0.0f;
    for (int model = 0; model < MOTION_MODELS; model++) {
        const float v = std::fabs(BuiltInMotionRow(model)[row]);
        if (v > largest)
            largest = v;
    }
    return 2.0f * largest;
}

int LoadMotionTable() { return ReadMotionFile("Config\\Motion.dat"); }
int SaveMotionTable() { return WriteMotionFile("Config\\Motion.dat"); }
int LoadSpringsTable() { return ReadMotionFile("CONFIG\\springs.cfg"); }
int SaveSpringsTable() { return WriteMotionFile("CONFIG\\springs.cfg"); }

int SaveWheelHeights() {
    float image[WHEEL_FILE_BYTES / 4] = {};
    static_assert(sizeof WheelHeights == 128, "32 wheel heights");
    memcpy(image, WheelHeights, sizeof WheelHeights);
    char path[192];
    snprintf(path, sizeof path, "%sBIN\\ruedas.dat", AssetFolder);
    return WriteWholeFile(path, WHEEL_FILE_BYTES, image) == 1;
}

void TuningKeys() {
    BindKeys();
    const int acts[3] = {KeyActs(ToggleKeys[0], 0), KeyActs(ToggleKeys[1], 0), KeyActs(ToggleKeys[2], 0)};
    if (DeveloperSwitch != 1)
        return;
    if (acts[0])
        PhysicsValuesOn ^= 1;
    if (acts[1])
        TuningPanelOn ^= 1;
    if (acts[2])
        TuningPanelSelector ^= 1;
}

void DrawTuningPanel(PlatSurface* surface) {
    if (TuningPanelOn != 1)
        return;
    if (TuningPanelSelector == 1)
        PhysicsPanel(surface);
    else
        CpuPanel(surface);
}

void DrawPhysicsValues(PlatSurface* surface) {
    if (!PhysicsValuesOn || !surface)
        return;
    const int car = CurrentCar >= 0 && CurrentCar < MAX_CARS ? CurrentCar : 0;
    // Developer variables that only this overlay shows.
    static float DesplaPunto, Off4;
    static int ElPrimero, ElSegundo, Longi;
    uint32_t total = 0, available = 0;
    PlatVideoMemory(&total, &available);
    char lines[26][80];
    int n = 0;
    snprintf(lines[n++], 80, "adhesion 0  %f ", adhesion[0]);
    snprintf(lines[n++], 80, "adhesion 1  %f ", adhesion[1]);
    snprintf(lines[n++], 80, "motor 0  %f ", (double)motor[0]);
    snprintf(lines[n++], 80, "motor 1  %f ", (double)motor[1]);
    snprintf(lines[n++], 80, "_VelAnguloGiroRuedas %f", SteerSpeed[car]);
    snprintf(lines[n++], 80, "MaximoRuedas %f", EngineTable[0].MaximoRuedas);
    snprintf(lines[n++], 80, "MaximoRuedas %f", EngineTable[1].MaximoRuedas);
    snprintf(lines[n++], 80, "DesplaPunto %f", DesplaPunto);
    snprintf(lines[n++], 80, "Centri %d", Centri);
    snprintf(lines[n++], 80, "ElPrimero: %d , ElSegundo: %d", ElPrimero, ElSegundo);
    snprintf(lines[n++], 80, "Angle1: %f", Angle1[car]);
    snprintf(lines[n++], 80, "-AnguloDeCaida %0.10f", AnguloDeCaida[car]);
    snprintf(lines[n++], 80, "-AnguloDeDeriva %0.10f", CarHeading[car]);
    snprintf(lines[n++], 80, "-AnguloDeBalanza %0.10f", AnguloDeBalanza[car]);
    snprintf(lines[n++], 80, "AnguloDeDeriva %0.10f", AnguloDeDeriva[car]);
    snprintf(lines[n++], 80, "Longi %d", Longi);
    snprintf(lines[n++], 80, "cocheX %f %f", cocheX[car], EyeX[car]);
    snprintf(lines[n++], 80, "cocheY %f %f", cocheY[car], EyeY[car]);
    snprintf(lines[n++], 80, "cocheZ %f %f", cocheZ[car], EyeZ[car]);
    snprintf(lines[n++], 80, "Off4: %f Angle1: %f", Off4, Angle1[car]);
    snprintf(lines[n++], 80, "MemTotal:%d", (int)total);
    snprintf(lines[n++], 80, "MemLibre:%d", (int)available);
    snprintf(lines[n++], 80, "MemUsada:%d", (int)(total - available));
    snprintf(lines[n++], 80, "MemTexturaSoft:%d", (int)SOFT_TEXTURE_AREA_BYTES);
    snprintf(lines[n++], 80, "TicksSound:%d", (int)SoundStepCycles);
    for (int i = 0; i < n; i++)
        DrawDebugText(420, 4 + 10 * i, lines[i], surface);
}
