// The light editor: the track's lights picked with the mouse, moved with
// the driving controls, coloured from the numeric pad, added, and written
// to the Ilumina file; and the mouse cursor the editors draw.

#include <cstdlib>
#include <cstring>

#include "frame/frame_state.h"
#include "platform/plat_keys.h"
#include "race/race_state.h"
#include "render/bitmaps.h"
#include "render/render_state.h"
#include "track/editors.h"
#include "track/track_state.h"

int LuzSelect = -1;
LightScreenPoint LightScreenPos[512];
int EditorR, EditorG, EditorB;
float EditorAlcanceRGB;

static_assert(sizeof LightScreenPos / sizeof LightScreenPos[0] == LIGHT_CAPACITY, "one screen point per light");

static int LightSelected() { return LuzSelect >= 0 && LuzSelect < LightCount && LuzSelect < LIGHT_CAPACITY; }

// The screen position of every light through the current view.
static void ProjectLights() {
    const int count = LightCount < LIGHT_CAPACITY ? LightCount : LIGHT_CAPACITY;
    for (int i = 0; i < count; i++) {
        float sx = 0.0f, sy = 0.0f, depth = 0.0f;
        const Light& light = LightTable[i];
        if (ProjectToScreen(light.x, light.y, light.z, &sx, &sy, &depth))
            LightScreenPos[i] = {(int)sx, (int)sy, depth};
        else
            LightScreenPos[i] = {-1000, -1000, 0.0f};
    }
}

static void LoadEditorColour(int light) {
    const LightColour& colour = LightColourTable[light];
    EditorR = colour.r;
    EditorG = colour.g;
    EditorB = colour.b;
    EditorAlcanceRGB = colour.alcanceRGB;
}

void UpdateLightEditor() {
    if (MouseClick) {
        const int px = MouseX * SurfaceWidth / 640, py = MouseY * SurfaceHeight / 480;
        LuzSelect = -1;
        const int count = LightCount < LIGHT_CAPACITY ? LightCount : LIGHT_CAPACITY;
        for (int i = 0; i < count; i++) {
            const LightScreenPoint& p = LightScreenPos[i];
            if (p.depth > 0.0f && std::abs(p.x - px) < EDITOR_PICK_PIXELS + 1 &&
                std::abs(p.y - py) < EDITOR_PICK_PIXELS + 1) {
                LuzSelect = i;
                LoadEditorColour(i);
                break;
            }
        }
    }
    if (!LightSelected())
        return;
    Light& light = LightTable[LuzSelect];
    const float step = ControlHandbrake ? 300.0f : 15.0f;
    if (ControlLeft)
        light.x += step;
    if (ControlRight)
        light.x -= step;
    if (ControlAccelerate)
        light.z -= step;
    if (ControlBrake)
        light.z += step;
    if (EditorKeyHeld(VK_PRIOR))
        light.y -= step;
    if (EditorKeyHeld(VK_NEXT))
        light.y += step;
    if (EditorKeyPressed('G'))
        WriteTrackBinFile("%sBIN\\Ilumina%d.dat", TrackGroup, LightTable, (int)sizeof LightTable);
}

void RunLightEditor(PlatSurface* surface) {
    if (LightEditorOn != 1)
        return;
    ProjectLights();
    UpdateLightEditor();
    if (ShowLights != 1 || !surface)
        return;
    static int blink;
    blink ^= 1;
    const int count = LightCount < LIGHT_CAPACITY ? LightCount : LIGHT_CAPACITY;
    for (int i = 0; i < count; i++) {
        const LightScreenPoint& p = LightScreenPos[i];
        if (p.x < 8 || p.x > 615 || p.y < 8 || p.y > 455 || !(p.depth > 0.0f))
            continue;
        if (i == LuzSelect && blink)
            continue;
        int side = 30 - (int)(p.depth / 3000.0f);
        side = side < 2 ? 2 : side;
        FillBox(surface, p.x - 8, p.y - 8, side, side, i == LuzSelect ? EDITOR_COLOUR_SELECTED : 0x0000C0FF);
    }
}

int AddLight() {
    int free = -1;
    for (int i = 0; i < LIGHT_CAPACITY; i++) {
        if (LightTable[i].x == -1.0f) {
            free = i;
            break;
        }
    }
    // A full table has no record to take.
    if (free < 0)
        return 0;
    const int source = LightSelected() ? LuzSelect : free - 1;
    Light light = {-EyeX[0], -EyeY[0], -EyeZ[0], 0.013f};
    if (source >= 0)
        light = LightTable[source];
    light.x += 200.0f;
    LightTable[free] = light;
    if (free + 1 < LIGHT_CAPACITY)
        LightTable[free + 1] = {-1.0f, -1.0f, -1.0f, -1.0f};
    LightColourTable[free] = {EditorAlcanceRGB, (uint8_t)EditorR, (uint8_t)EditorG, (uint8_t)EditorB, 0};
    LightCount++;
    LuzSelect = free;
    return 1;
}

void DeleteLight() {
    if (LightCount < 2 || !LightSelected())
        return;
    const int last = (LightCount < LIGHT_CAPACITY ? LightCount : LIGHT_CAPACITY) - 1;
    memmove(&LightTable[LuzSelect], &LightTable[LuzSelect + 1], sizeof(Light) * (size_t)(last - LuzSelect));
    memmove(&LightColourTable[LuzSelect], &LightColourTable[LuzSelect + 1],
            sizeof(LightColour) * (size_t)(last - LuzSelect));
    LightTable[last] = {-1.0f, -1.0f, -1.0f, -1.0f};
    LightColourTable[last] = {};
    LightCount = last;
    LuzSelect--;
    if (LuzSelect < 0)
        LuzSelect = LightCount - 1;
}

static int Clamp255(int v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

static void ColourKeys() {
    if (EditorKeyHeld(VK_NUMPAD7))
        EditorR = Clamp255(EditorR - 3);
    if (EditorKeyHeld(VK_NUMPAD8))
        EditorR = Clamp255(EditorR + 3);
    if (EditorKeyHeld(VK_NUMPAD4))
        EditorG = Clamp255(EditorG - 3);
    if (EditorKeyHeld(VK_NUMPAD5))
        EditorG = Clamp255(EditorG + 3);
    if (EditorKeyHeld(VK_NUMPAD1))
        EditorB = Clamp255(EditorB - 3);
    if (EditorKeyHeld(VK_NUMPAD2))
        EditorB = Clamp255(EditorB + 3);
    if (EditorKeyHeld(VK_NUMPAD9))
        EditorAlcanceRGB += 0.0002f;
    if (EditorKeyHeld(VK_NUMPAD6))
        EditorAlcanceRGB -= 0.0002f;
    if (LightSelected())
        LightColourTable[LuzSelect] = {EditorAlcanceRGB, (uint8_t)EditorR, (uint8_t)EditorG, (uint8_t)EditorB, 0};
}

void DrawEditorInfo(PlatSurface* surface) {
    if (EditorKeyPressed('2'))
        HiddenFacesOn ^= 1;
    if (EditorKeyPressed('3'))
        GouraudOn ^= 1;
    if (EditorKeyPressed('4'))
        ShowLights ^= 1;
    if (EditorKeyPressed(VK_INSERT))
        AddLight();
    ColourKeys();
    if (!surface)
        return;
    const Light light = LightSelected() ? LightTable[LuzSelect] : Light{0.0f, 0.0f, 0.0f, 0.0f};
    const int zone = ZoneSelected >= 0 && ZoneSelected < ZONE_RECORDS ? ZoneSelected : 0;
    const int car = LocalCar >= 0 && LocalCar < MAX_CARS ? LocalCar : 0;
    FillBox(surface, 392, 70, 102, 16, 0x00000000);
    EditorText(surface, 400, 0, 1, "NumLuces: %03d LuzSelect: %03d", LightCount, LuzSelect);
    EditorText(surface, 400, 10, 1, "Alcance: %2.2f", (double)light.range);
    EditorText(surface, 400, 20, 1, "Altura: %2.2f", (double)light.y);
    EditorText(surface, 400, 30, 1, "NumCaja %03d", zone);
    EditorText(surface, 400, 40, 1, "PosCaja:%d", ZoneTable.records[zone].vertexWords);
    EditorText(surface, 400, 50, 1, "Angulo:%f", (double)AnguloDeDeriva[0]);
    EditorText(surface, 400, 60, 1, "NumObjeto:%d", CarGroundTriangle[car]);
    EditorText(surface, 400, 74, 1, "R:%03d G:%03d B:%03d ", EditorR, EditorG, EditorB);
    EditorText(surface, 400, 84, 1, "AlcanceRGB:%2.3f", (double)EditorAlcanceRGB);
    EditorText(surface, 0, 0, 1, "(2)Caras Ocultas (3)Gouraud (4)Luces (Insert)Inserta Luz ");
}

// ---------------------------------------------------------------------------
// The cursor: an 11 x 19 picture, black transparent, drawn at the pointer.

enum { CURSOR_WIDTH = 11, CURSOR_HEIGHT = 19 };
static uint32_t CursorPixels[CURSOR_HEIGHT][CURSOR_WIDTH];   // GDI colours; 0 transparent
static int CursorLoaded;

static int LoadCursor() {
    if (CursorLoaded)
        return 1;
    BmpImage image;
    if (!LoadBitmapFromVfs("ArtWork\\Extras\\Bmp\\Cursor.bmp", &image))
        return 0;
    for (int y = 0; y < CURSOR_HEIGHT; y++) {
        for (int x = 0; x < CURSOR_WIDTH; x++) {
            const uint32_t rgb = x < image.width && y < image.height ? BmpPixelRgb(image, x, y) : 0;
            CursorPixels[y][x] = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
        }
    }
    CursorLoaded = 1;
    return 1;
}

void DrawLightCursor(PlatSurface* surface) {
    if (EditorActive != 1 || TextureReloadFlag || !surface)
        return;
    if (MouseX >= 640 || MouseY >= 480 || !LoadCursor())
        return;
    const int px = MouseX * SurfaceWidth / 640, py = MouseY * SurfaceHeight / 480;
    for (int y = 0; y < CURSOR_HEIGHT; y++)
        for (int x = 0; x < CURSOR_WIDTH; x++)
            if (CursorPixels[y][x])
                FillBox(surface, px + x, py + y, 1, 1, CursorPixels[y][x]);
}
