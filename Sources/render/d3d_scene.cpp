#include "render/d3d_scene.h"

#include <cstdlib>
#include <cstring>

#include "frame/display.h"
#include "frame/frame_state.h"
#include "platform/plat_device.h"
#include "platform/plat_display.h"
#include "platform/plat_surface.h"
#include "race/race_state.h"
#include "render/d3d_textures.h"
#include "render/dial_map.h"
#include "render/polylist.h"
#include "render/scene_builder.h"
#include "sound/effect_sounds.h"
#include "track/editors.h"
#include "track/track_state.h"

int TextureFilter = PLAT_FILTER_LINEAR;
DeviceCapsKept DeviceCaps;
int BlendCapable;
int ThunderCounter;

// Vertex depth from the polygon's perspective factor q: z = q x 0.097656,
// which grows towards the eye (the z test keeps the greater), and
// rhw = z x 2.5.
static const float DepthOfQ = 0.0976559966802597f;

static PlatTLVertex D3DVertexBuffer[D3D_VERTEX_CAPACITY];
static int BatchVertices;
// The device the hooks were last given: textures are made for it.
static PlatDevice* SceneDevice;
static PlatDevice* DrawDevice;

static void SetState(int state, uint32_t value) { PlatDeviceSetRenderState(DrawDevice, state, value); }

static int ValidSlot(int slot) { return slot >= 0 && slot < TEXTURE_SLOTS; }

// ---------------------------------------------------------------------------
// Animated world polygons.  Each texture of a kind shows for two frames.

int AnimFrameLast[ANIM_KINDS] = {7, 3, 3, 7, 3, 7, 3, 7, 3, 7, 7, 3, 3, 3, 3, 7, 3, 3, 9};

int AnimTextures[ANIM_KINDS][ANIM_FRAMES] = {
    {20, 20, 70, 70, 71, 71, 72, 72},
    {21, 21, 74, 74},
    {23, 23, 75, 75},
    {30, 30, 91, 91, 92, 92, 93, 93},
    {31, 31, 94, 94},
    {32, 32, 95, 95, 96, 96, 97, 97},
    {33, 33, 98, 98},
    {30, 30, 5, 5, 6, 6, 7, 7},
    {31, 31, 8, 8},
    {32, 32, 15, 15, 16, 16, 17, 17},
    {33, 33, 18, 18},
    {34, 34, 25, 25, 26, 26, 27, 27},
    {900, 900, 620, 620},
    {902, 902, 621, 621},
    {903, 903, 622, 622},
    {170, 170, 161, 161, 162, 162, 163, 163},
    {171, 171, 164, 164},
    {172, 172, 165, 165},
    {60, 60, 47, 47, 48, 48, 49, 49, 50, 50},
};

// A record names the texture field of one entry of the section table.
static int SpecialRecordValid(const SpecialPolygon& record) {
    if (record.kind < 0 || record.kind >= ANIM_KINDS)
        return 0;
    const int entry = record.entryIndex - WORLD_SECTION_HEADER_INTS - 3;
    if (entry < 0 || entry % WORLD_SECTION_ENTRY_INTS != 0)
        return 0;
    const int total = WorldSectionTable.header[WORLD_SECTION_TOTAL_INT];
    return entry / WORLD_SECTION_ENTRY_INTS < total && total <= WORLD_SECTION_CAPACITY;
}

// Every record moves, the last one too.
void AnimateSpecialPolygons() {
    if (FrontEndActive || SpecialPolygonCount <= 0)
        return;
    int step = SlowTicksPending.exchange(0);
    if (step < 0)
        step = 0;
    const int count = SpecialPolygonCount < WORLD_SECTION_CAPACITY ? SpecialPolygonCount : WORLD_SECTION_CAPACITY;
    int32_t* sections = (int32_t*)&WorldSectionTable;
    for (int i = 0; i < count; i++) {
        SpecialPolygon& record = SpecialPolygonTable[i];
        if (!SpecialRecordValid(record))
            continue;
        const int last = AnimFrameLast[record.kind];
        int frame = record.zero + step;
        if (frame < 0 || frame > last)
            frame = 0;
        int texture = AnimTextures[record.kind][frame];
        if (texture == 0) {
            frame = 0;
            texture = AnimTextures[record.kind][0];
        }
        record.zero = frame;
        sections[record.entryIndex] = texture;
    }
}

// ---------------------------------------------------------------------------
// Drawing the polygon list.

// The vertex colour by the polygon's draw mode; other modes leave the
// colour the buffer held.
static void SetDiffuse(PlatTLVertex* v, const ScreenPolygon& p) {
    switch (p.mode) {
    case 2:
        // A world shade word carries colour bytes above its shade.
        for (int k = 0; k < 3; k++)
            v[k].diffuse = ColourRampA[p.vertex[k].light & 0xFF];
        break;
    case 3:
        for (int k = 0; k < 3; k++)
            v[k].diffuse = ColourRampB[p.vertex[k].light & 0xFF];
        break;
    case 4:
        for (int k = 0; k < 3; k++)
            v[k].diffuse = (uint32_t)p.vertex[0].light;
        break;
    case 5:
        for (int k = 0; k < 3; k++)
            v[k].diffuse = 0x7F7F7F;
        break;
    case 6:
        for (int k = 0; k < 3; k++)
            v[k].diffuse = 0x80808080u;
        break;
    case 10:
        for (int k = 0; k < 3; k++)
            v[k].diffuse = 0xFFFFFF;
        break;
    default: break;
    }
}

static void AppendPolygon(const ScreenPolygon& p) {
    if (BatchVertices + 3 > D3D_VERTEX_CAPACITY)
        return;
    PlatTLVertex* v = &D3DVertexBuffer[BatchVertices];
    for (int k = 0; k < 3; k++) {
        const ScreenVertex& s = p.vertex[k];
        v[k].sx = s.sx;
        v[k].sy = s.sy;
        v[k].sz = s.q * DepthOfQ;
        v[k].rhw = v[k].sz * 2.5f;
        v[k].tu = s.u;
        v[k].tv = s.v;
    }
    SetDiffuse(v, p);
    BatchVertices += 3;
}

static int InRange(int slot, int first, int last) { return slot >= first && slot <= last; }

// Draws the batch of slot s with the states it asks for, then puts them
// back.
static void FlushBatch(int s) {
    if (BatchVertices == 0)
        return;
    const int flags = TextureRenderFlags[s];
    int zOff = 0, zWriteOff = 0, nearest = 0, glow = 0, multiply = 0, add = 0;

    if (flags & 4) {
        SetState(PLAT_RS_ZENABLE, 0);
        SetState(PLAT_RS_ZWRITEENABLE, 0);
        zOff = 1;
    }
    if (flags & 8) {
        SetState(PLAT_RS_TEXTUREMAG, PLAT_FILTER_NEAREST);
        SetState(PLAT_RS_TEXTUREMIN, PLAT_FILTER_NEAREST);
        nearest = 1;
    }
    if ((InRange(s, 0, 2) || s == 1810) && !zOff) {
        SetState(PLAT_RS_ZENABLE, 0);
        SetState(PLAT_RS_ZWRITEENABLE, 0);
        SetState(PLAT_RS_SHADEMODE, PLAT_SHADE_FLAT);
        zOff = 1;
    }
    if (InRange(s, 2001, 2003)) {
        SetState(PLAT_RS_ZENABLE, 1);
        SetState(PLAT_RS_ZWRITEENABLE, 0);
        SetState(PLAT_RS_ZFUNC, PLAT_CMP_GREATEREQUAL);
        SetState(PLAT_RS_ALPHABLENDENABLE, 1);
        SetState(PLAT_RS_SRCBLEND, PLAT_BLEND_ONE);
        SetState(PLAT_RS_DESTBLEND, PLAT_BLEND_ONE);
        glow = 1;
    } else if (flags & 1) {
        if (StippleOnly) {
            SetState(PLAT_RS_STIPPLEDALPHA, 1);
        } else {
            SetState(PLAT_RS_ALPHABLENDENABLE, 1);
            SetState(PLAT_RS_SRCBLEND, PLAT_BLEND_DESTCOLOR);
            SetState(PLAT_RS_TEXTUREMAPBLEND, PLAT_TBLEND_DECAL);
        }
        if (s != 2020) {
            SetState(PLAT_RS_ZENABLE, 0);
            SetState(PLAT_RS_ZWRITEENABLE, 0);
            zOff = 1;
        }
        multiply = 1;
    } else if (flags & 2) {
        if (StippleOnly) {
            SetState(PLAT_RS_STIPPLEDALPHA, 1);
        } else {
            SetState(PLAT_RS_ALPHABLENDENABLE, 1);
            SetState(PLAT_RS_SRCBLEND, PLAT_BLEND_ONE);
            SetState(PLAT_RS_DESTBLEND, PLAT_BLEND_ONE);
        }
        if (!zOff && (InRange(s, 2000, 2011) || InRange(s, 1844, 1846) || s == 1851)) {
            SetState(PLAT_RS_ZWRITEENABLE, 0);
            const int keepTest = InRange(s, 1844, 1846);
            SetState(PLAT_RS_ZENABLE, keepTest ? 1 : 0);
            zWriteOff = 1;
            // Without its test, z is off like any other batch's and comes
            // back on after it.
            zOff = !keepTest;
        }
        if (!zOff && !zWriteOff && (s == 2012 || s == 510 || s == 1831 || s == 1850 || s == 1851)) {
            SetState(PLAT_RS_ZWRITEENABLE, 0);
            zWriteOff = 1;
        }
        add = 1;
    }

    PlatDeviceDrawPrimitive(DrawDevice, BatchVertices > 3 ? PLAT_PT_TRIANGLELIST : PLAT_PT_TRIANGLEFAN,
                            D3DVertexBuffer, BatchVertices);
    BatchVertices = 0;

    if (multiply) {
        SetState(PLAT_RS_ALPHABLENDENABLE, 0);
        SetState(PLAT_RS_STIPPLEDALPHA, 0);
        SetState(PLAT_RS_SRCBLEND, PLAT_BLEND_ONE);
        SetState(PLAT_RS_TEXTUREMAPBLEND, PLAT_TBLEND_MODULATE);
    }
    if (add) {
        SetState(PLAT_RS_ALPHABLENDENABLE, 0);
        SetState(PLAT_RS_STIPPLEDALPHA, 0);
        SetState(PLAT_RS_SRCBLEND, PLAT_BLEND_ONE);
        SetState(PLAT_RS_DESTBLEND, PLAT_BLEND_ZERO);
    }
    if (zOff) {
        SetState(PLAT_RS_ZENABLE, 1);
        SetState(PLAT_RS_ZWRITEENABLE, 1);
        SetState(PLAT_RS_SHADEMODE, PLAT_SHADE_GOURAUD);
    }
    if (nearest) {
        SetState(PLAT_RS_TEXTUREMAG, (uint32_t)TextureFilter);
        SetState(PLAT_RS_TEXTUREMIN, (uint32_t)TextureFilter);
    }
    if (glow) {
        SetState(PLAT_RS_ZENABLE, 1);
        SetState(PLAT_RS_ZWRITEENABLE, 1);
        SetState(PLAT_RS_ZFUNC, PLAT_CMP_GREATER);
        SetState(PLAT_RS_SRCBLEND, PLAT_BLEND_ONE);
        SetState(PLAT_RS_DESTBLEND, PLAT_BLEND_ZERO);
        SetState(PLAT_RS_ALPHABLENDENABLE, 0);
    }
    if (zWriteOff)
        SetState(PLAT_RS_ZWRITEENABLE, 1);
}

// The states every list starts from.
static void SetListStates() {
    SetState(PLAT_RS_ALPHABLENDENABLE, 1);
    SetState(PLAT_RS_TEXTUREMAPBLEND, PLAT_TBLEND_MODULATE);
    SetState(PLAT_RS_SRCBLEND, PLAT_BLEND_ONE);
    SetState(PLAT_RS_DESTBLEND, PLAT_BLEND_ZERO);
    SetState(PLAT_RS_ALPHABLENDENABLE, 0);
    SetState(PLAT_RS_DITHERENABLE, 1);
    SetState(PLAT_RS_TEXTUREPERSPECTIVE, 1);
    SetState(PLAT_RS_SHADEMODE, PLAT_SHADE_GOURAUD);
    SetState(PLAT_RS_TEXTUREMAG, (uint32_t)TextureFilter);
    SetState(PLAT_RS_TEXTUREMIN, (uint32_t)TextureFilter);
    // Wire frame is the developer's view of the arena and cross tracks:
    // Wireframe starts at 1 (solid) and F9, once armed, toggles it.
    const int wire = Wireframe == 0 && (TrackGroup == 5 || TrackGroup == 6);
    SetState(PLAT_RS_FILLMODE, wire ? PLAT_FILL_WIREFRAME : PLAT_FILL_SOLID);
    SetState(PLAT_RS_TEXTUREADDRESS, PLAT_TADDRESS_CLAMP);
    SetState(PLAT_RS_COLORKEYENABLE, 1);
}

// The thunder of the storm tracks rolls every 251st race frame.
static void CountThunder() {
    if (FrontEndActive || RacePaused || (TrackCode != 30 && TrackCode != 61))
        return;
    if (++ThunderCounter > 250) {
        ThunderCounter = 0;
        PlayThunderSound();
    }
}

void DrawPolygonList3D(PlatDevice* device, int) {
    AnimateSpecialPolygons();
    if (!device)
        return;
    DrawDevice = device;
    SetState(PLAT_RS_SPECULARENABLE, 1);
    SetState(PLAT_RS_CULLMODE, PLAT_CULL_NONE);
    SetState(PLAT_RS_ZFUNC, PLAT_CMP_GREATER);
    SetState(PLAT_RS_SUBPIXELX, 1);
    if (RenderKind == 0)
        return;
    SetListStates();
    CountThunder();
    SetState(PLAT_RS_ZENABLE, 1);
    SetState(PLAT_RS_ZWRITEENABLE, 1);
    SetState(PLAT_RS_SPECULARENABLE, 0);
    SetState(PLAT_RS_FOGENABLE, 0);
    SetState(PLAT_RS_FOGTABLEMODE, PLAT_FOG_LINEAR);
    SetState(PLAT_RS_FOGTABLESTART, PlatFloatBits(0.0f));
    SetState(PLAT_RS_FOGTABLEEND, PlatFloatBits(1000.0f));
    SetState(PLAT_RS_FOGCOLOR, 0x8C8C8C);
    if (EditorActive)
        return;

    BatchVertices = 0;
    int current = 30;
    const int count = TextureSortPairCount < SORT_PAIR_INTS ? TextureSortPairCount : SORT_PAIR_INTS;
    for (int i = 0; i + 1 < count; i += 2) {
        const ScreenPolygon* named = SortPairPolygon(i);
        // The slot indexes the flag and texture tables: checked first.
        if (!named || !ValidSlot(named->slot))
            continue;
        const ScreenPolygon& polygon = *named;
        PolygonMode = polygon.mode;
        if (polygon.slot != current) {
            FlushBatch(current);
            // An unloaded slot draws with the texture bound before it; a
            // loaded one whose texture could not be made draws untextured.
            if (SlotTextures[polygon.slot])
                PlatDeviceSetTexture(device, 0, SlotTextures[polygon.slot]);
            else if (TextureSlotState[polygon.slot] == 0)
                PlatDeviceSetTexture(device, 0, nullptr);
            current = polygon.slot;
        }
        AppendPolygon(polygon);
    }
    FlushBatch(current);
}

// ---------------------------------------------------------------------------
// The frame.

void ReloadTextureTable() {
    if (TextureReloadFlag != 1)
        return;
    TextureReloadFlag = 0;
    PlatDevice* device = SceneDevice ? SceneDevice : GetDevice3D();
    QueryTextureMemory(device);
    for (int slot = 0; slot < TEXTURE_SLOTS; slot++) {
        if (TextureIdTable[slot] == -1) {
            SlotTextures[slot] = nullptr;
            continue;
        }
        TextureRestore(slot, device);
        SlotTextures[slot] = TextureOf(slot);
    }
    QueryTextureMemory(device);
}

// The viewports of the framework: whole target, top half, bottom half.
static void SelectSceneViewport(PlatDevice* device, int index) {
    CurrentViewport = index;
    PlatSurface* target = PlatDeviceRenderTarget(device);
    if (!target)
        return;
    const int w = PlatSurfaceWidth(target), h = PlatSurfaceHeight(target);
    PlatViewport viewport = {0, 0, w, h};
    if (index == 1)
        viewport = {0, 0, w, h / 2};
    else if (index == 2)
        viewport = {0, h / 2, w, h / 2};
    PlatDeviceSetViewport(device, &viewport);
}

// The dial and the map join the view's list after its scene (cursor 0 when
// no scene was built this frame).
static void DrawView(PlatDevice* device, int view, int withMap, int cursor) {
    if (PlatDeviceBeginScene(device) != DD_OK)
        return;
    cursor = DrawDashboardDial(view, cursor);
    if (withMap)
        DrawTrackMap(device, cursor);
    DrawPolygonList3D(device, CurrentViewport);
    PlatDeviceEndScene(device);
}

int RenderScene(PlatDevice* device, int, const RectI*) {
    if (!device)
        return -1;
    SceneDevice = device;
    SelectSceneViewport(device, 0);
    if ((Wireframe == 0 && (TrackGroup == 5 || TrackGroup == 6)) || EditorActive || ClearTargetFrames > 0) {
        ClearTargetFrames--;
        PlatDeviceClear(device, PLAT_CLEAR_TARGET, 0, 0.0f);
    }
    PlatDeviceClear(device, PLAT_CLEAR_ZBUFFER, 0, 0.0f);
    ReloadTextureTable();

    const float keptCentreX = ScreenCentreX, keptCentreY = ScreenCentreY;
    const float keptRight = ScreenRight, keptBottom = ScreenBottom;
    const int race = FrontEndActive == 0;
    const int split = race && SplitScreen == 1 && TrackGroup != 4 && TrackGroup != 5;
    if (split) {
        ScreenCentreY *= 0.5f;
        ScreenBottom *= 0.5f;
        SelectSceneViewport(device, 1);
    }
    LocalCar = 0;
    int cursor = 0;
    if (race && FrameTicks != 0)
        cursor = BuildScene(0, ViewedCar[0]);
    DrawView(device, 0, !SplitScreen && MapVisible == 1 && TrackMapLoaded == 1 && race, cursor);

    if (split) {
        UpdateScreenMetrics();
        ScreenCentreY = keptCentreY * 1.5f;
        ScreenBottom = keptBottom;
        SelectSceneViewport(device, 2);
        LocalCar = 0;
        cursor = 0;
        if (FrameTicks != 0)
            cursor = BuildScene(0, 1);
        DrawView(device, 1, 0, cursor);
    }

    ScreenCentreX = keptCentreX;
    ScreenCentreY = keptCentreY;
    ScreenRight = keptRight;
    ScreenBottom = keptBottom;
    return 0;
}

// ---------------------------------------------------------------------------
// The framework's hooks.

int SceneOneTimeInit() {
    // Program exit frees the containers, whichever way it leaves.
    static int registered;
    if (!registered) {
        registered = 1;
        atexit(TextureFreeAll);
    }
    return 0;
}

int InitDeviceObjects(PlatDevice* device, int viewport) {
    if (!device || viewport < 0 || viewport > 2)
        return DDERR_INVALIDPARAMS;
    if (!PlatDeviceRenderTarget(device))
        return DDERR_GENERIC;
    SceneDevice = device;
    TextureRestoreAll(device);
    // The slot table was emptied with the old device's textures.
    TextureReloadFlag = 1;
    return 0;
}

void DeleteDeviceObjects() {
    TextureInvalidateAll();
    SceneDevice = nullptr;
}

int RestoreSurfacesHook() { return 0; }

static int DeepestBits(int depths) {
    if (depths & PLAT_DEPTH_32)
        return 32;
    if (depths & PLAT_DEPTH_24)
        return 24;
    if (depths & PLAT_DEPTH_16)
        return 16;
    return depths & PLAT_DEPTH_8 ? 8 : 0;
}

void ReadDeviceCaps(const PlatDeviceCaps* caps) {
    if (!caps)
        return;
    DeviceCaps.minTextureWidth = caps->minTextureWidth;
    DeviceCaps.minTextureHeight = caps->minTextureHeight;
    DeviceCaps.maxTextureWidth = caps->maxTextureWidth;
    DeviceCaps.maxTextureHeight = caps->maxTextureHeight;
    DeviceCaps.dither = caps->dither;
    DeviceCaps.stippledAlpha = caps->stippledAlpha;
    DeviceCaps.srcBlendOne = (caps->srcBlendCaps >> PLAT_BLEND_ONE) & 1;
    DeviceCaps.srcBlendDestColour = (caps->srcBlendCaps >> PLAT_BLEND_DESTCOLOR) & 1;
    DeviceCaps.destBlendOne = (caps->destBlendCaps >> PLAT_BLEND_ONE) & 1;
    DeviceCaps.destBlendZero = (caps->destBlendCaps >> PLAT_BLEND_ZERO) & 1;
    DeviceCaps.textureModulate = (caps->textureBlendCaps >> PLAT_TBLEND_MODULATE) & 1;
    DeviceCaps.textureDecal = (caps->textureBlendCaps >> PLAT_TBLEND_DECAL) & 1;
    DeviceCaps.renderBits = DeepestBits(caps->renderDepths);
    DeviceCaps.zbufferBits = DeepestBits(caps->zbufferDepths);

    TextureRules.minWidth = caps->minTextureWidth;
    TextureRules.minHeight = caps->minTextureHeight;
    TextureRules.maxWidth = caps->maxTextureWidth;
    TextureRules.maxHeight = caps->maxTextureHeight;
    TextureRules.powerOfTwo = caps->texturePow2;
    TextureRules.squareOnly = caps->textureSquareOnly;

    BlendCapable = DeviceCaps.srcBlendOne && DeviceCaps.srcBlendDestColour && DeviceCaps.destBlendOne &&
                   DeviceCaps.destBlendZero && DeviceCaps.textureModulate && DeviceCaps.textureDecal;
    StippleOnly = !BlendCapable && DeviceCaps.stippledAlpha;
    DeviceBlendOk = BlendCapable;
}
