// The zone ("cajas") editor: an option list of modes, the keyboard pages of
// zone selection, zone types and visibility ids, and the mouse tools that
// create, move, delete, insert and join zone vertices in the 3D view.

#include <cmath>
#include <cstdio>
#include <cstring>

#include "frame/fileio.h"
#include "frame/frame_state.h"
#include "frame/sim_lock.h"
#include "platform/plat_keys.h"
#include "race/race_state.h"
#include "track/editors.h"
#include "track/track_files.h"
#include "track/track_state.h"
#include "track/zones.h"

int ZoneEditorMode;
int ZoneListOpen;
int ZoneSelected;
int ZoneShowAll = 1;
int ZoneInvertCircuit;
int ZoneVisibilityPos;
int ZoneAssociateId = ZONE_FIRST_VISIBILITY;
EditorPick EditorHeld = {-1, 0};
EditorPick EditorJoinFrom = {-1, 0};

static int ClampInt(int v, int low, int high) { return v < low ? low : v > high ? high : v; }

static ZoneRecord& Selected() { return ZoneTable.records[ClampInt(ZoneSelected, 0, ZONE_RECORDS - 1)]; }

// A type without a name shows its number.
static const char* TypeName(int type, char* buffer, int size) {
    if (type >= 0 && type < ZONE_TYPE_NAMES)
        return ZoneTypeNames[type];
    snprintf(buffer, (size_t)size, "%d", type);
    return buffer;
}

// ---------------------------------------------------------------------------
// Keys.

static void SaveZones() {
    WriteTrackBinFile("%sBIN\\Cajas%02d.dat", TrackGroup, &ZoneTable, (int)sizeof ZoneTable);
}

// Read into a staging copy: only a whole file replaces the zones.
static void LoadZonesBack() {
    static ZoneFile staging;
    char path[256];
    TrackFilePath(path, sizeof path, "%sBIN\\Cajas%02d.dat", TrackGroup);
    if (ReadWholeFile(path, &staging, (int)sizeof staging) != 1 || LastFileSize != (int)sizeof staging)
        return;
    memcpy(&ZoneTable, &staging, sizeof staging);
    ScanZoneTypes();
}

static void ChooseMode(int mode) {
    ZoneEditorMode = mode;
    ZoneListOpen = 0;
    EditorHeld = {-1, 0};
    EditorJoinFrom = {-1, 0};
}

static void ListKeys() {
    static const struct {
        int key, mode;
    } modes[] = {{'1', ZONE_MODE_MOVE},  {'2', ZONE_MODE_DELETE}, {'3', ZONE_MODE_INSERT},
                 {'4', ZONE_MODE_TYPE},  {'5', ZONE_MODE_SELECT}, {'9', ZONE_MODE_ANGLE},
                 {'U', ZONE_MODE_JOIN_FROM}, {'A', ZONE_MODE_ASSOCIATE}};
    for (const auto& m : modes)
        if (EditorKeyPressed(m.key))
            ChooseMode(m.mode);
    if (EditorKeyPressed('0'))
        ZoneListOpen = 0;
    if (EditorKeyPressed('6')) {
        ZoneShowAll = 0;
        ZoneListOpen = 0;
    }
    if (EditorKeyPressed('7')) {
        ZoneShowAll = 1;
        ZoneListOpen = 0;
    }
    if (EditorKeyPressed('8')) {
        ZoneInvertCircuit ^= 1;
        ChooseMode(ZONE_MODE_CREATE);
    }
    if (EditorKeyPressed('G')) {
        SaveZones();
        ZoneListOpen = 0;
    }
    if (EditorKeyPressed('L')) {
        LoadZonesBack();
        ZoneListOpen = 0;
    }
    if (EditorKeyPressed('B')) {
        ZoneRecord& zone = Selected();
        zone.vertexWords = 0;
        memset(zone.vertices, 0, 500);
        ScanZoneTypes();
        ZoneListOpen = 0;
    }
}

// The arrows as a step: Up/Down `small`, Left/Right `large`.
static int ArrowStep(int small, int large) {
    int step = 0;
    if (EditorKeyPressed(VK_UP))
        step -= small;
    if (EditorKeyPressed(VK_DOWN))
        step += small;
    if (EditorKeyPressed(VK_LEFT))
        step -= large;
    if (EditorKeyPressed(VK_RIGHT))
        step += large;
    return step;
}

// Turns the selected zone about its plan centre.
static void TurnZone(float radians) {
    ZoneRecord& zone = Selected();
    const int n = ZoneVertexCount(zone);
    if (n == 0)
        return;
    double cx = 0.0, cz = 0.0;
    for (int i = 0; i < n; i++) {
        cx += zone.vertices[i].x;
        cz += zone.vertices[i].z;
    }
    cx /= n;
    cz /= n;
    const double c = std::cos(radians), s = std::sin(radians);
    for (int i = 0; i < n; i++) {
        const double dx = zone.vertices[i].x - cx, dz = zone.vertices[i].z - cz;
        zone.vertices[i].x = TrackRound(cx + dx * c - dz * s);
        zone.vertices[i].z = TrackRound(cz + dx * s + dz * c);
    }
}

static void ModeKeys() {
    ZoneRecord& zone = Selected();
    switch (ZoneEditorMode) {
    case ZONE_MODE_SELECT:
        ZoneSelected = ClampInt(ZoneSelected + ArrowStep(1, 32), 0, ZONE_RECORDS - 1);
        break;
    case ZONE_MODE_TYPE:
        zone.type = ClampInt(zone.type + ArrowStep(1, 25), 0, 31);
        if (EditorKeyPressed(VK_RETURN))
            ScanZoneTypes();
        break;
    case ZONE_MODE_ASSOCIATE:
        ZoneVisibilityPos = ClampInt(ZoneVisibilityPos + ArrowStep(1, 1), 0, ZONE_VISIBILITY_POSITIONS - 1);
        if (EditorKeyPressed(VK_RETURN)) {
            ZoneEditorMode = ZONE_MODE_ASSOCIATE_ID;
            ZoneAssociateId = ZONE_FIRST_VISIBILITY;
            return;
        }
        break;
    case ZONE_MODE_ASSOCIATE_ID:
        ZoneAssociateId = ClampInt(ZoneAssociateId + ArrowStep(1, 10), ZONE_FIRST_VISIBILITY, ZONE_LAST_VISIBILITY);
        if (EditorKeyPressed(VK_RETURN)) {
            zone.visibility[ClampInt(ZoneVisibilityPos, 0, ZONE_VISIBILITY_POSITIONS - 1)] = ZoneAssociateId;
            ZoneEditorMode = ZONE_MODE_CREATE;
        }
        return;
    case ZONE_MODE_ANGLE:
        if (EditorKeyPressed(VK_LEFT))
            TurnZone(-0.0174533f);
        if (EditorKeyPressed(VK_RIGHT))
            TurnZone(0.0174533f);
        return;
    default: return;
    }
    if (EditorKeyPressed(VK_RETURN))
        ZoneEditorMode = ZONE_MODE_CREATE;
}

// ---------------------------------------------------------------------------
// Mouse tools.

static int ZoneShown(int zone) { return ZoneShowAll || zone == ZoneSelected; }

// The shown zone vertex nearest the pointer within the pick distance.
static EditorPick PickVertex() {
    EditorPick best = {-1, 0};
    int bestDistance = 1 << 30;
    for (int z = 0; z < ZONE_RECORDS; z++) {
        if (!ZoneShown(z))
            continue;
        const ZoneRecord& zone = ZoneTable.records[z];
        const int n = ZoneVertexCount(zone);
        for (int i = 0; i < n; i++) {
            int distance;
            const ZoneVertex& v = zone.vertices[i];
            if (PointerNear((float)v.x, (float)v.y, (float)v.z, &distance) && distance < bestDistance) {
                best = {z, i};
                bestDistance = distance;
            }
        }
    }
    return best;
}

static int GroundVertex(ZoneVertex* v) {
    float x, y, z;
    if (!PointerOnGround(&x, &y, &z))
        return 0;
    *v = {TrackRound(x), TrackRound(y), TrackRound(z), 0};
    return 1;
}

static void InsertVertexAt(ZoneRecord& zone, int at, const ZoneVertex& v) {
    const int n = ZoneVertexCount(zone);
    if (n >= ZONE_MAX_VERTICES || at < 0 || at > n)
        return;
    memmove(&zone.vertices[at + 1], &zone.vertices[at], sizeof(ZoneVertex) * (size_t)(n - at));
    zone.vertices[at] = v;
    zone.vertexWords = 4 * (n + 1);
}

static void DeleteVertex(ZoneRecord& zone, int at) {
    const int n = ZoneVertexCount(zone);
    if (at < 0 || at >= n)
        return;
    memmove(&zone.vertices[at], &zone.vertices[at + 1], sizeof(ZoneVertex) * (size_t)(n - 1 - at));
    zone.vertices[n - 1] = {};
    zone.vertexWords = 4 * (n - 1);
}

// Squared plan distance from p to the segment a-b.
static double SegmentGap(const ZoneVertex& a, const ZoneVertex& b, const ZoneVertex& p) {
    const double dx = (double)b.x - a.x, dz = (double)b.z - a.z;
    const double length2 = dx * dx + dz * dz;
    double t = length2 > 0.0 ? (((double)p.x - a.x) * dx + ((double)p.z - a.z) * dz) / length2 : 0.0;
    t = t < 0.0 ? 0.0 : t > 1.0 ? 1.0 : t;
    const double ex = a.x + t * dx - p.x, ez = a.z + t * dz - p.z;
    return ex * ex + ez * ez;
}

// A new vertex goes into the selected zone's edge nearest to it.
static void InsertNearestEdge(ZoneRecord& zone, const ZoneVertex& v) {
    const int n = ZoneVertexCount(zone);
    if (n < 2) {
        InsertVertexAt(zone, n, v);
        return;
    }
    int bestEdge = 0;
    double best = 1.0e300;
    for (int i = 0; i < n; i++) {
        const double gap = SegmentGap(zone.vertices[i], zone.vertices[(i + 1) % n], v);
        if (gap < best) {
            best = gap;
            bestEdge = i;
        }
    }
    InsertVertexAt(zone, bestEdge + 1, v);
}

static ZoneVertex* PickedVertex(const EditorPick& pick) {
    if (pick.owner < 0 || pick.owner >= ZONE_RECORDS)
        return nullptr;
    ZoneRecord& zone = ZoneTable.records[pick.owner];
    return pick.index >= 0 && pick.index < ZoneVertexCount(zone) ? &zone.vertices[pick.index] : nullptr;
}

static void ZoneMouse() {
    if (ZoneEditorMode == ZONE_MODE_MOVE) {
        if (MouseClick) {
            EditorHeld = PickVertex();
            if (EditorHeld.owner >= 0)
                ZoneSelected = EditorHeld.owner;
        }
        ZoneVertex* held = PickedVertex(EditorHeld);
        if (held && (MouseButtons & 0x80)) {
            float x, z;
            if (PointerOnPlane((float)held->y, &x, &z)) {
                held->x = TrackRound(x);
                held->z = TrackRound(z);
            }
        } else if (!(MouseButtons & 0x80)) {
            EditorHeld = {-1, 0};
        }
        return;
    }
    if (!MouseClick)
        return;
    ZoneVertex v;
    switch (ZoneEditorMode) {
    case ZONE_MODE_CREATE:
        if (GroundVertex(&v))
            InsertVertexAt(Selected(), ZoneVertexCount(Selected()), v);
        break;
    case ZONE_MODE_INSERT:
        if (GroundVertex(&v))
            InsertNearestEdge(Selected(), v);
        break;
    case ZONE_MODE_DELETE: {
        const EditorPick pick = PickVertex();
        if (pick.owner >= 0) {
            ZoneSelected = pick.owner;
            DeleteVertex(ZoneTable.records[pick.owner], pick.index);
        }
        break;
    }
    case ZONE_MODE_JOIN_FROM:
        EditorJoinFrom = PickVertex();
        if (EditorJoinFrom.owner >= 0)
            ZoneEditorMode = ZONE_MODE_JOIN_TO;
        break;
    case ZONE_MODE_JOIN_TO: {
        ZoneVertex* to = PickedVertex(PickVertex());
        ZoneVertex* from = PickedVertex(EditorJoinFrom);
        if (to && from) {
            from->x = to->x;
            from->y = to->y;
            from->z = to->z;
            EditorJoinFrom = {-1, 0};
            ZoneEditorMode = ZONE_MODE_JOIN_FROM;
        }
        break;
    }
    default: break;
    }
}

// ---------------------------------------------------------------------------
// Drawing.

static void DrawZoneOutline(PlatSurface* surface, int z, uint32_t colour) {
    const ZoneRecord& zone = ZoneTable.records[z];
    const int n = ZoneVertexCount(zone);
    for (int i = 0; i < n; i++) {
        const ZoneVertex& a = zone.vertices[i];
        const ZoneVertex& b = zone.vertices[(i + 1) % n];
        const float pa[3] = {(float)a.x, (float)a.y, (float)a.z}, pb[3] = {(float)b.x, (float)b.y, (float)b.z};
        if (n > 1)
            DrawWorldLine(surface, pa, pb, colour);
        DrawWorldMark(surface, pa[0], pa[1], pa[2], 1, colour);
    }
}

void DrawZoneDisplay(PlatSurface* surface) {
    if (ZoneDisplayOn != 1 || ZoneEditorOn == 1 || FrontEndActive || !surface)
        return;
    for (int z = 0; z < ZONE_RECORDS; z++)
        DrawZoneOutline(surface, z, EDITOR_COLOUR_NORMAL);
}

static void DrawZones(PlatSurface* surface) {
    for (int z = 0; z < ZONE_RECORDS; z++)
        if (ZoneShown(z) && z != ZoneSelected)
            DrawZoneOutline(surface, z, EDITOR_COLOUR_NORMAL);
    DrawZoneOutline(surface, ClampInt(ZoneSelected, 0, ZONE_RECORDS - 1), EDITOR_COLOUR_SELECTED);
    for (const EditorPick& pick : {EditorHeld, EditorJoinFrom})
        if (const ZoneVertex* v = PickedVertex(pick))
            DrawWorldMark(surface, (float)v->x, (float)v->y, (float)v->z, 3, EDITOR_COLOUR_PICKED);
}

static const char* const ListLines[] = {
    "(1) Modificar vertice (moverlo)", "(2) Borrar vertice",          "(3) Insertar vertice",
    "(4) Asignar valor a una caja",    "(5) Selecciona Caja",         "(6) Ver solo la caja seleccionada",
    "(7) Ver todas las cajas",         "(8) Invertir Circuito",       "(9) Modificar Angulo Caja",
    "(B) Borrar Caja",                 "(G) Grabar datos de las cajas", "(L) Cargar datos de las cajas",
    "(U) Unir Vertices",               "(A) Asociar Caja",            "(0) Salir",
};

static const char* ModeLabel(int mode) {
    switch (mode) {
    case ZONE_MODE_CREATE: return "-Crear Caja";
    case ZONE_MODE_MOVE: return "-Mover Vertice";
    case ZONE_MODE_DELETE: return "-Borrar Vertice";
    case ZONE_MODE_INSERT: return "-Insertar Vertice";
    case ZONE_MODE_ANGLE: return "-Modificar Angulo";
    case ZONE_MODE_JOIN_FROM: return "-Unir Vertices ORIGEN";
    case ZONE_MODE_JOIN_TO: return "-Unir Vertices DESTINO";
    default: return "";
    }
}

static void DrawPanel(PlatSurface* surface) {
    char number[16];
    const ZoneRecord& zone = Selected();
    if (ZoneListOpen) {
        for (int i = 0; i < (int)(sizeof ListLines / sizeof ListLines[0]); i++)
            EditorText(surface, 230, 170 + 10 * i, 1, "%s", ListLines[i]);
        return;
    }
    switch (ZoneEditorMode) {
    case ZONE_MODE_SELECT:
        EditorText(surface, 12, 70, 1, "Valor: %s", TypeName(zone.type, number, sizeof number));
        // 256 positions; those past the table show no zone.
        for (int p = 0; p < ZONE_RECORDS; p++)
            EditorText(surface, 10 + 80 * (p / 32), 90 + 12 * (p % 32), p == ZoneSelected ? 3 : 1, "%03d >%02d", p,
                       ZoneTable.records[p].type);
        return;
    case ZONE_MODE_TYPE:
        for (int t = 0; t < ZONE_TYPE_NAMES; t++)
            EditorText(surface, 12, 130 + 12 * t, t == zone.type ? 3 : 1, "%02d %s", t, ZoneTypeNames[t]);
        if (zone.type >= ZONE_TYPE_NAMES)
            EditorText(surface, 12, 130 + 12 * ZONE_TYPE_NAMES, 3, "%02d %s", zone.type,
                       TypeName(zone.type, number, sizeof number));
        return;
    case ZONE_MODE_ASSOCIATE:
        for (int p = 0; p < 10; p++)
            EditorText(surface, 0, 100 + 10 * p, p == ZoneVisibilityPos ? 3 : 1, "En posicion:%03d >%02d", p,
                       zone.visibility[p]);
        return;
    case ZONE_MODE_ASSOCIATE_ID:
        for (int id = ZONE_FIRST_VISIBILITY; id <= ZONE_LAST_VISIBILITY; id++) {
            const int k = id - ZONE_FIRST_VISIBILITY;
            EditorText(surface, 100 + 60 * (k / 10), 90 + 10 * (k % 10), id == ZoneAssociateId ? 3 : 1, "%03d", id);
        }
        return;
    default: break;
    }
    EditorText(surface, 400, 65, 3, "%s", ModeLabel(ZoneEditorMode));
    const int n = ZoneVertexCount(zone);
    for (int i = 0; i < n; i++)
        EditorText(surface, 400, 75 + 10 * i, 1, "(%02d) xp=%d yp=%d", ZoneSelected, zone.vertices[i].x,
                   zone.vertices[i].z);
}

void RunZoneEditor(PlatSurface* surface) {
    if (ZoneEditorOn != 1)
        return;
    {
        SimLockGuard lock;
        if (ZoneListOpen)
            ListKeys();
        else if (EditorKeyPressed(VK_SPACE)) {
            ZoneListOpen = 1;
            ZoneEditorMode = ZONE_MODE_CREATE;
        } else {
            ModeKeys();
            ZoneMouse();
        }
    }
    if (!surface)
        return;
    DrawZones(surface);
    DrawPanel(surface);
}
