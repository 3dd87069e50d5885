// The collision-line editor and the CPU-line editor: tool lists on the
// keyboard, the line files on V and on closing, and the mouse tools that
// create, pick, move, delete and join line ends and points in the 3D view.

#include <cstring>

#include "frame/frame_state.h"
#include "frame/sim_lock.h"
#include "platform/plat_keys.h"
#include "race/race_state.h"
#include "track/editors.h"
#include "track/ground.h"
#include "track/track_files.h"
#include "track/track_state.h"

int CollisionEditorTool;
int CollisionToolListOpen;
int CollisionSelectedLine = -1;
int CollisionMaterial;
int CpuLineEditorTool;
int CpuLineToolListOpen;
int CpuLineEditorLine;
int CpuLineCopySource;
int CpuLineSelectedPoint = -1;

// The first end of a line being created: owner -1 none yet.
static EditorPick CreateStart = {-1, 0};
static float CreateEnd[3];

static int ToolKey(int first, int count) {
    for (int k = 0; k < count; k++)
        if (EditorKeyPressed(first + k))
            return k;
    return -1;
}

// ---------------------------------------------------------------------------
// Collision lines.

static float* LineEnd(const EditorPick& pick) {
    if (pick.owner < 0 || pick.owner >= CollisionLineCount() || pick.index < 0 || pick.index > 1)
        return nullptr;
    CollisionLine& line = CollisionLineTable[pick.owner];
    return pick.index == 0 ? &line.x1 : &line.x2;
}

static EditorPick PickLineEnd() {
    EditorPick best = {-1, 0};
    int bestDistance = 1 << 30;
    for (int i = 0; i < CollisionLineCount(); i++) {
        for (int end = 0; end < 2; end++) {
            const float* p = end == 0 ? &CollisionLineTable[i].x1 : &CollisionLineTable[i].x2;
            int distance;
            if (PointerNear(p[0], p[1], p[2], &distance) && distance < bestDistance) {
                best = {i, end};
                bestDistance = distance;
            }
        }
    }
    return best;
}

static void ClearCollisionSelection() {
    CollisionSelectedLine = -1;
    EditorHeld = {-1, 0};
    EditorJoinFrom = {-1, 0};
    CreateStart = {-1, 0};
}

static void AddCollisionLine(const float a[3], const float b[3]) {
    const int n = CollisionLineCount();
    if (n >= COLLISION_LINE_CAPACITY)
        return;
    CollisionLine& line = CollisionLineTable[n];
    line = {};
    line.x1 = a[0];
    line.y1 = a[1];
    line.z1 = a[2];
    line.x2 = b[0];
    line.y2 = b[1];
    line.z2 = b[2];
    line.material = (float)CollisionMaterial;
    CollisionLineWords = (n + 1) * 16;
    ComputeWallNormals();
}

static void DeleteCollisionLine(int at) {
    const int n = CollisionLineCount();
    if (at < 0 || at >= n)
        return;
    memmove(&CollisionLineTable[at], &CollisionLineTable[at + 1], sizeof(CollisionLine) * (size_t)(n - 1 - at));
    CollisionLineTable[n - 1] = {};
    CollisionLineWords = (n - 1) * 16;
}

static void CollisionMouse() {
    if (CollisionEditorTool == 2) {
        if (MouseClick)
            EditorHeld = PickLineEnd();
        float* held = LineEnd(EditorHeld);
        if (held && (MouseButtons & 0x80)) {
            float x, z;
            if (PointerOnPlane(held[1], &x, &z)) {
                held[0] = x;
                held[2] = z;
                ComputeWallNormals();
            }
        } else if (!(MouseButtons & 0x80)) {
            EditorHeld = {-1, 0};
        }
        return;
    }
    if (!MouseClick)
        return;
    if (CollisionEditorTool == 0) {
        float p[3];
        if (!PointerOnGround(&p[0], &p[1], &p[2]))
            return;
        if (CreateStart.owner < 0) {
            memcpy(CreateEnd, p, sizeof p);
            CreateStart = {0, 0};
        } else {
            AddCollisionLine(CreateEnd, p);
            CreateStart = {-1, 0};
        }
        return;
    }
    const EditorPick pick = PickLineEnd();
    float* end = LineEnd(pick);
    if (!end)
        return;
    switch (CollisionEditorTool) {
    case 1: CollisionSelectedLine = pick.owner * 16; break;
    case 3:
        DeleteCollisionLine(pick.owner);
        ClearCollisionSelection();
        break;
    case 4:
        if (EditorJoinFrom.owner < 0) {
            EditorJoinFrom = pick;
        } else if (float* from = LineEnd(EditorJoinFrom)) {
            memcpy(from, end, 3 * sizeof(float));
            EditorJoinFrom = {-1, 0};
            ComputeWallNormals();
        }
        break;
    case 5: end[1] = GroundHeight(end[0], end[2], -1, 0); break;
    case 7: CollisionLineTable[pick.owner].material = (float)CollisionMaterial; break;
    default: break;
    }
}

static CollisionLine* SelectedLine() {
    const int line = CollisionSelectedLine >= 0 ? CollisionSelectedLine >> 4 : -1;
    return line >= 0 && line < CollisionLineCount() ? &CollisionLineTable[line] : nullptr;
}

static void CollisionKeys() {
    if (EditorKeyPressed(VK_SPACE))
        CollisionToolListOpen ^= 1;
    const int tool = ToolKey('0', 8);
    if (tool >= 0) {
        CollisionEditorTool = tool;
        if (tool == 1 || tool == 3 || tool == 4)
            ClearCollisionSelection();
        CreateStart = {-1, 0};
        EditorClickSound();
    }
    if (CollisionLine* line = SelectedLine()) {
        if (EditorKeyPressed(VK_NUMPAD7))
            line->heightLimit -= 1.0f;
        if (EditorKeyPressed(VK_NUMPAD8))
            line->heightLimit += 1.0f;
        if (EditorKeyPressed(VK_NUMPAD0))
            line->heightLimit = 0.0f;
        if (EditorKeyPressed('N')) {
            line->heightLimit = line->y1 != 0.0f ? line->y1 : 1.0f;
            CollisionEditorTool = 1;
            ClearCollisionSelection();
        }
    }
    if (EditorKeyPressed('V')) {
        const int32_t words = CollisionLineWords;
        WriteTrackBinFile("%sBIN\\NumCol%02d.dat", TrackGroup, &words, (int)sizeof words);
        WriteTrackBinFile("%sBIN\\coli%02d.ppp", TrackGroup, CollisionLineTable,
                          CollisionLineCount() * (int)sizeof(CollisionLine));
    }
    if (CollisionEditorTool == 6) {
        if (EditorKeyPressed(VK_LEFT) && CollisionMaterial > 0)
            CollisionMaterial--;
        if (EditorKeyPressed(VK_RIGHT) && CollisionMaterial < 15)
            CollisionMaterial++;
        if (EditorKeyPressed(VK_RETURN)) {
            CollisionEditorTool = 7;
            EditorClickSound();
        }
    }
}

static const char* const CollisionTools[8] = {
    "(0) Crear Linea", "(1) Seleccionar vertice", "(2) Mover vertice", "(3) Borrar linea",
    "(4) Unir Vertices", "(5) Solo sobre suelo", "(6) Seleccionar Tipo de Material", "(7) Asignar Tipo de Material",
};

static void DrawCollisionEditor(PlatSurface* surface) {
    const CollisionLine* selected = SelectedLine();
    for (int i = 0; i < CollisionLineCount(); i++) {
        const CollisionLine& line = CollisionLineTable[i];
        DrawWorldLine(surface, &line.x1, &line.x2, &line == selected ? EDITOR_COLOUR_SELECTED : EDITOR_COLOUR_NORMAL);
    }
    for (const EditorPick& pick : {EditorHeld, EditorJoinFrom})
        if (const float* p = LineEnd(pick))
            DrawWorldMark(surface, p[0], p[1], p[2], 3, EDITOR_COLOUR_PICKED);
    if (CollisionToolListOpen)
        for (int t = 0; t < 8; t++)
            EditorText(surface, 2, 10 * t, t == CollisionEditorTool ? 3 : 1, "%s", CollisionTools[t]);
    if (CollisionEditorTool == 6 || CollisionEditorTool == 7)
        for (int m = 0; m < 16; m++)
            EditorText(surface, 500, 2 + 12 * m, m == CollisionMaterial ? 3 : 1, "%02d %s", m, MaterialNames[m]);
}

void RunCollisionEditor(PlatSurface* surface) {
    if (CollisionEditorOn != 1)
        return;
    {
        SimLockGuard lock;
        CollisionEditorWords[0] = CollisionEditorWords[1] = CollisionLineWords;
        CollisionKeys();
        CollisionMouse();
    }
    if (surface)
        DrawCollisionEditor(surface);
}

// ---------------------------------------------------------------------------
// CPU lines.

static CpuLinePoint* LinePoint(int line, int point) {
    if (line < 0 || line >= CPU_LINES || point < 0 || point >= CpuLinePointCounts[line])
        return nullptr;
    return &CpuLineTable[line][point];
}

static int PickLinePoint() {
    int best = -1, bestDistance = 1 << 30;
    const int line = CpuLineEditorLine;
    for (int i = 0; i < CpuLinePointCounts[line]; i++) {
        const CpuLinePoint& p = CpuLineTable[line][i];
        int distance;
        if (PointerNear(p.x, p.y, p.z, &distance) && distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

static void SetPointCount(int line, int count) {
    CpuLinePointCounts[line] = count;
    CpuLineFloatCounts[line] = count * 16;
}

static void CpuLineMouse() {
    const int line = CpuLineEditorLine;
    if (CpuLineEditorTool == 2) {
        if (MouseClick)
            EditorHeld = {line, PickLinePoint()};
        CpuLinePoint* held = EditorHeld.owner == line ? LinePoint(line, EditorHeld.index) : nullptr;
        if (held && (MouseButtons & 0x80)) {
            float x, z;
            if (PointerOnPlane(held->y, &x, &z)) {
                held->x = x;
                held->z = z;
            }
        } else if (!(MouseButtons & 0x80)) {
            EditorHeld = {-1, 0};
        }
        return;
    }
    if (!MouseClick)
        return;
    const int count = CpuLinePointCounts[line];
    switch (CpuLineEditorTool) {
    case 0: {
        float x, y, z;
        if (count >= CPU_LINE_MAX_POINTS || !PointerOnGround(&x, &y, &z))
            return;
        CpuLinePoint& p = CpuLineTable[line][count];
        p = {};
        p.x = p.x2 = x;
        p.y = p.y2 = y;
        p.z = p.z2 = z;
        SetPointCount(line, count + 1);
        break;
    }
    case 1: CpuLineSelectedPoint = PickLinePoint(); break;
    case 3: {
        const int at = PickLinePoint();
        if (at < 0)
            return;
        memmove(&CpuLineTable[line][at], &CpuLineTable[line][at + 1], sizeof(CpuLinePoint) * (size_t)(count - 1 - at));
        CpuLineTable[line][count - 1] = {};
        SetPointCount(line, count - 1);
        CpuLineSelectedPoint = -1;
        break;
    }
    case 4: {
        const int at = PickLinePoint();
        if (at < 0)
            return;
        if (EditorJoinFrom.owner != line) {
            EditorJoinFrom = {line, at};
        } else if (CpuLinePoint* from = LinePoint(line, EditorJoinFrom.index)) {
            from->x = CpuLineTable[line][at].x;
            from->y = CpuLineTable[line][at].y;
            from->z = CpuLineTable[line][at].z;
            EditorJoinFrom = {-1, 0};
        }
        break;
    }
    default: break;
    }
}

static void CpuLineKeys() {
    if (EditorKeyPressed(VK_SPACE))
        CpuLineToolListOpen ^= 1;
    const int tool = ToolKey('0', 5);
    if (tool >= 0) {
        CpuLineEditorTool = tool;
        if (tool == 1 || tool == 3 || tool == 4) {
            CpuLineSelectedPoint = -1;
            EditorHeld = EditorJoinFrom = {-1, 0};
        }
        EditorClickSound();
    }
    const int line = ToolKey('5', 5);
    if (line >= 0) {
        CpuLineEditorLine = line;
        CpuLineSelectedPoint = -1;
        EditorHeld = EditorJoinFrom = {-1, 0};
    }
    static const int kinds[8] = {0, 1, 2, 3, 4, 5, 6, 9};
    for (int kind : kinds) {
        CpuLinePoint* point = LinePoint(CPU_LINE_CAMERAS, CpuLineSelectedPoint);
        if (point && CpuLineEditorLine == CPU_LINE_CAMERAS && EditorKeyPressed(VK_NUMPAD0 + kind))
            point->cameraKind = (float)kind;
    }
    if (EditorKeyPressed('C')) {
        if (CpuLineEditorTool != 5) {
            CpuLineCopySource = CpuLineEditorLine;
            CpuLineEditorTool = 5;
        } else {
            const int from = CpuLineCopySource, to = CpuLineEditorLine;
            if (from != to) {
                memcpy(CpuLineTable[to], CpuLineTable[from], sizeof CpuLineTable[to]);
                SetPointCount(to, CpuLinePointCounts[from]);
            }
            CpuLineEditorTool = 1;
        }
        EditorClickSound();
    }
}

static const char* const CpuLineList[11] = {
    "(0) Crear Linea", "(1) Seleccionar vertice", "(2) Mover vertice", "(3) Borrar linea",
    "(4) Unir Vertices", "(5) Linea Paquete", "(6) Linea Normal", "(7) Linea Experto",
    "(8) Linea Guia", "(9) Cameras", "(C) Copia Linea",
};

static void DrawCpuLineEditor(PlatSurface* surface) {
    const int line = CpuLineEditorLine;
    const int count = CpuLinePointCounts[line];
    for (int i = 0; i < count; i++) {
        const CpuLinePoint& p = CpuLineTable[line][i];
        const CpuLinePoint& next = CpuLineTable[line][i + 1 < count ? i + 1 : 0];
        DrawWorldLine(surface, &p.x, &next.x, EDITOR_COLOUR_NORMAL);
        const int marked = i == CpuLineSelectedPoint || (EditorHeld.owner == line && EditorHeld.index == i) ||
                           (EditorJoinFrom.owner == line && EditorJoinFrom.index == i);
        DrawWorldMark(surface, p.x, p.y, p.z, marked ? 3 : 1, marked ? EDITOR_COLOUR_PICKED : EDITOR_COLOUR_SELECTED);
    }
    if (!CpuLineToolListOpen)
        return;
    for (int k = 0; k < 11; k++) {
        const int lit = k < 5 ? k == CpuLineEditorTool : k < 10 ? k - 5 == line : CpuLineEditorTool == 5;
        EditorText(surface, 2, 10 * k, lit ? 3 : 1, "%s", CpuLineList[k]);
    }
}

void RunCpuLineEditor(PlatSurface* surface) {
    if (CpuLineEditorOn != 1)
        return;
    {
        SimLockGuard lock;
        for (int l = 0; l < CPU_LINES; l++)
            CpuLineTable[l][CPU_LINE_RECORDS - 1].x = (float)CpuLineFloatCounts[l];
        CpuLineKeys();
        CpuLineMouse();
    }
    if (surface)
        DrawCpuLineEditor(surface);
}
