// The developer track editors: a menu, a light editor, a zone editor, a
// collision-line editor and a CPU-line editor that edit the race's live
// tables while the track is driven, and write the track's BIN files.
//
// They run on the main thread from the frame's developer-overlay step.  Keys
// are read with IsKeyDown through the editors' own per-frame snapshot
// (BeginEditorFrame), so a key acts once per press; the mouse through
// MouseX, MouseY, MouseClick and MouseButtons.  Every edit of a table the
// tick reads, and every builder, runs under the simulation lock.
#pragma once

#include <cstdint>

struct PlatSurface;

// ---------------------------------------------------------------------------
// Switches.  The menu's own switch is EditorMenuOn (frame_state.h) and the
// collisions' CollisionsOn (race_state.h).
extern int EditorActive;        // an editor that hides parts of the race screen is open
extern int ShowLights;          // light markers drawn
extern int InfoBoxOn;
extern int DrawTraceEditorOn;
extern int HiddenFacesOn;       // toggled by the light editor's info keys
extern int GouraudOn;
extern int EditorSwitch5, EditorSwitch6;   // menu keys 5 and 6: nothing reads them
extern int SoundInfoOn;
extern int ZoneDisplayOn;       // menu key C: zone outlines drawn without an editor

// Light editor.
extern int LuzSelect;           // selected light, -1 none
struct LightScreenPoint {
    int x, y;
    float depth;                // camera-space z; 0 or below: behind the eye
};
extern LightScreenPoint LightScreenPos[512];
extern int EditorR, EditorG, EditorB;
extern float EditorAlcanceRGB;

// Zone editor.
enum {
    ZONE_MODE_CREATE = 0,
    ZONE_MODE_MOVE = 1,
    ZONE_MODE_DELETE = 2,
    ZONE_MODE_INSERT = 3,
    ZONE_MODE_TYPE = 4,
    ZONE_MODE_SELECT = 5,
    ZONE_MODE_ANGLE = 9,
    ZONE_MODE_JOIN_FROM = 10,
    ZONE_MODE_JOIN_TO = 11,
    ZONE_MODE_ASSOCIATE = 15,
    ZONE_MODE_ASSOCIATE_ID = 16,
    ZONE_VISIBILITY_POSITIONS = 11,   // positions 0..10 of a zone's visibility list
};
extern int ZoneEditorMode;
extern int ZoneListOpen;
extern int ZoneSelected;        // 0..231
extern int ZoneShowAll;
extern int ZoneInvertCircuit;
extern int ZoneVisibilityPos;   // 0..10
extern int ZoneAssociateId;     // 96..149

// Collision-line editor.
extern int CollisionEditorTool;     // 0..7
extern int CollisionToolListOpen;
extern int CollisionSelectedLine;   // word index (line x 16), -1 none
extern int CollisionMaterial;       // 0..15

// CPU-line editor.
extern int CpuLineEditorTool;       // 0..5 (5: copy)
extern int CpuLineToolListOpen;
extern int CpuLineEditorLine;       // 0..4
extern int CpuLineCopySource;
extern int CpuLineSelectedPoint;    // -1 none

// What a mouse tool holds: a zone vertex, a line end or a line point.
struct EditorPick {
    int owner;      // zone, collision line or CPU line; -1 nothing
    int index;      // vertex, end (0/1) or point
};
extern EditorPick EditorHeld;       // the vertex a move tool drags
extern EditorPick EditorJoinFrom;   // the origin of a join

// ---------------------------------------------------------------------------
// Frame entry points (frame driver step 16).
void BeginEditorFrame();           // the key snapshot; once per frame before the editors
void RunEditorMenu(PlatSurface* surface);
void RunLightEditor(PlatSurface* surface);
void UpdateLightEditor();
void DrawEditorInfo(PlatSurface* surface);
void DrawLightCursor(PlatSurface* surface);
void RunZoneEditor(PlatSurface* surface);
void RunCollisionEditor(PlatSurface* surface);
void RunCpuLineEditor(PlatSurface* surface);
void DrawZoneDisplay(PlatSurface* surface);   // the zone outlines of menu key C

// F11 in a race: the editor menu, only in developer mode.
void ToggleEditorMenu();

int AddLight();      // 1 when added, 0 on a full table
void DeleteLight();

// The editors' progress sounds: a click on a tool change and after each row
// of a height-grid build; the system beep after each collision-grid row.
void EditorClickSound();
void EditorBeep();

// ---------------------------------------------------------------------------
// Shared by the editors (editor_common.cpp).

// 1 on the frame the key went down (per the snapshot), 0 otherwise.
int EditorKeyPressed(int virtualKey);
// 1 while the key is held.
int EditorKeyHeld(int virtualKey);

// Writes a file of the track's BIN folder ("%sBIN\\Cajas%02d.dat" and the
// number); 1 when written.  A copy of that file in the archives is read
// first at the next load, so one there adds a console line.
int WriteTrackBinFile(const char* pattern, int number, const void* data, int bytes);

// World point to screen pixels through the current view's camera: 1 when
// in front of the eye.
int ProjectToScreen(float x, float y, float z, float* sx, float* sy, float* depth);
// The pointer's ray (MouseX, MouseY in 640 x 480 layout) meets the
// horizontal plane at height y: 1 and the plan point, 0 when it looks away.
int PointerOnPlane(float y, float* x, float* z);
// The ground under the pointer: 1 and the point.
int PointerOnGround(float* x, float* y, float* z);
// 1 when (x, y, z) projects within 10 pixels of the pointer in both axes;
// *distance the larger of the two gaps.
int PointerNear(float x, float y, float z, int* distance);
// Outlines: a line between two world points, a box around one.
void DrawWorldLine(PlatSurface* surface, const float a[3], const float b[3], uint32_t colour);
void DrawWorldMark(PlatSurface* surface, float x, float y, float z, int half, uint32_t colour);
// A filled box at pixels, clipped to the surface.
void FillBox(PlatSurface* surface, int x, int y, int w, int h, uint32_t colour);
// A line of developer text in colour row `colour` (0..3).
void EditorText(PlatSurface* surface, int x, int y, int colour, const char* format, ...);

enum {
    EDITOR_PICK_PIXELS = 10,        // a pick lies within 10 pixels of the pointer
    EDITOR_COLOUR_NORMAL = 0x00C0C0C0,   // GDI colours (0x00BBGGRR)
    EDITOR_COLOUR_SELECTED = 0x0000FFFF,
    EDITOR_COLOUR_PICKED = 0x000000FF,
};
