// The 3D device: what both backends share (states, viewport, scene
// brackets, the checks of every call, the CPU/device hand-over of the render
// target) and the recording backend.

#include "platform/plat_device.h"

#include <cstdlib>
#include <cstring>

#include "platform/plat_devices_internal.h"
#include "platform/plat_display.h"
#include "platform/plat_system.h"

enum { MAX_DEVICES = 8 };

static PlatDevice* liveDevices[MAX_DEVICES];

static const int textureFormats[] = {PLAT_PF_RGB565,   PLAT_PF_XRGB1555, PLAT_PF_ARGB1555,
                                     PLAT_PF_ARGB4444, PLAT_PF_XRGB8888, PLAT_PF_ARGB8888};

uint32_t PlatFloatBits(float value) {
    uint32_t bits;
    memcpy(&bits, &value, 4);
    return bits;
}

float PlatBitsFloat(uint32_t bits) {
    float value;
    memcpy(&value, &bits, 4);
    return value;
}

static void SetDefaultStates(PlatDevice* d) {
    uint32_t* s = d->states;
    s[PLAT_RS_ZENABLE] = d->zbuffer ? 1 : 0;
    s[PLAT_RS_ZWRITEENABLE] = 1;
    s[PLAT_RS_ZFUNC] = PLAT_CMP_LESSEQUAL;
    s[PLAT_RS_ALPHABLENDENABLE] = 0;
    s[PLAT_RS_SRCBLEND] = PLAT_BLEND_ONE;
    s[PLAT_RS_DESTBLEND] = PLAT_BLEND_ZERO;
    s[PLAT_RS_TEXTUREMAPBLEND] = PLAT_TBLEND_MODULATE;
    s[PLAT_RS_SHADEMODE] = PLAT_SHADE_GOURAUD;
    s[PLAT_RS_TEXTUREMAG] = PLAT_FILTER_NEAREST;
    s[PLAT_RS_TEXTUREMIN] = PLAT_FILTER_NEAREST;
    s[PLAT_RS_FILLMODE] = PLAT_FILL_SOLID;
    s[PLAT_RS_TEXTUREADDRESS] = PLAT_TADDRESS_WRAP;
    s[PLAT_RS_COLORKEYENABLE] = 0;
    s[PLAT_RS_SPECULARENABLE] = 0;
    s[PLAT_RS_CULLMODE] = PLAT_CULL_CCW;
    s[PLAT_RS_DITHERENABLE] = 0;
    s[PLAT_RS_TEXTUREPERSPECTIVE] = 1;
    s[PLAT_RS_SUBPIXELX] = 0;
    s[PLAT_RS_STIPPLEDALPHA] = 0;
    s[PLAT_RS_FOGENABLE] = 0;
    s[PLAT_RS_FOGTABLEMODE] = PLAT_FOG_NONE;
    s[PLAT_RS_FOGTABLESTART] = PlatFloatBits(0.0f);
    s[PLAT_RS_FOGTABLEEND] = PlatFloatBits(1.0f);
    s[PLAT_RS_FOGCOLOR] = 0;
}

static void Record(PlatDevice* d, int kind, int state = 0, uint32_t value = 0, int primitive = 0, int count = 0,
                   int clearFlags = 0, const PlatTLVertex* vertices = nullptr) {
    if (d->backend != PLAT_DEVICE_RECORDING)
        return;
    int slot;
    if (d->eventCount < DEVICE_EVENT_CAPACITY) {
        slot = (d->eventFirst + d->eventCount) % DEVICE_EVENT_CAPACITY;
        d->eventCount++;
    } else {
        slot = d->eventFirst;
        d->eventFirst = (d->eventFirst + 1) % DEVICE_EVENT_CAPACITY;
    }
    PlatDeviceEvent& e = d->events[slot];
    e.kind = kind;
    e.state = state;
    e.value = value;
    e.primitive = primitive;
    e.vertexCount = count;
    e.clearFlags = clearFlags;
    e.viewport = d->viewport;
    e.texture = d->texture;
    memset(e.vertex, 0, sizeof e.vertex);
    if (vertices)
        memcpy(e.vertex, vertices, sizeof e.vertex);
}

// ---------------------------------------------------------------------------
// Creation and release.

int PlatDeviceCreateBackend(int backend, PlatSurface* target, PlatSurface* zbuffer, PlatDevice** out) {
    if (!out)
        return DDERR_INVALIDPARAMS;
    *out = nullptr;
    if (backend != PLAT_DEVICE_RECORDING && backend != PLAT_DEVICE_GL)
        return DDERR_INVALIDPARAMS;
    if (!target || !target->pixels || !(target->caps & PLAT_SURF_3DDEVICE) || target->device)
        return DDERR_INVALIDPARAMS;
    if (zbuffer && (!(zbuffer->caps & PLAT_SURF_ZBUFFER) || zbuffer->width != target->width ||
                    zbuffer->height != target->height))
        return DDERR_INVALIDPARAMS;
    int slot = -1;
    for (int i = 0; i < MAX_DEVICES; i++) {
        if (!liveDevices[i]) {
            slot = i;
            break;
        }
    }
    if (slot < 0)
        return DDERR_OUTOFMEMORY;

    PlatDevice* d = (PlatDevice*)calloc(1, sizeof(PlatDevice));
    if (!d)
        return DDERR_OUTOFMEMORY;
    d->backend = backend;
    d->target = target;
    d->zbuffer = zbuffer;
    d->viewport = {0, 0, target->width, target->height};
    SetDefaultStates(d);
    if (backend == PLAT_DEVICE_GL) {
        const int code = GlDeviceCreate(d);
        if (code != DD_OK) {
            free(d);
            return code;
        }
    }
    // The device starts with nothing of the picture: the CPU copy is newer.
    target->device = d;
    target->cpuNewer = 1;
    target->deviceNewer = 0;
    liveDevices[slot] = d;
    *out = d;
    return DD_OK;
}

int PlatDeviceCreate(int driver, int device, PlatSurface* target, PlatSurface* zbuffer, PlatDevice** out) {
    if (!out)
        return DDERR_INVALIDPARAMS;
    *out = nullptr;
    int hardware = 0;
    const int backend = DisplayDeviceBackend(driver, device, target ? target->width : 0, &hardware);
    if (backend < 0)
        return DDERR_GENERIC;
    int code = PlatDeviceCreateBackend(backend, target, zbuffer, out);
    // A headless run without an EGL surfaceless context still runs: it
    // draws nothing, but its clears and every call are kept.
    if (code != DD_OK && backend == PLAT_DEVICE_GL && PlatIsHeadless()) {
        PlatDebugOut("3D device: no OpenGL context on EGL surfaceless; the recording device stands in");
        code = PlatDeviceCreateBackend(PLAT_DEVICE_RECORDING, target, zbuffer, out);
    }
    if (code == DD_OK)
        (*out)->hardware = hardware;
    return code;
}

void PlatDeviceRelease(PlatDevice* d) {
    if (!d)
        return;
    if (d->target) {
        if (d->target->deviceNewer)
            DeviceReadBack(d->target);
        d->target->device = nullptr;
        d->target->cpuNewer = d->target->deviceNewer = 0;
    }
    if (d->backend == PLAT_DEVICE_GL)
        GlDeviceRelease(d);
    for (PlatDevice*& live : liveDevices) {
        if (live == d)
            live = nullptr;
    }
    free(d);
}

int PlatDeviceBackendOf(const PlatDevice* d) { return d ? d->backend : 0; }
int PlatDeviceIsHardware(const PlatDevice* d) { return d ? d->hardware : 0; }
PlatSurface* PlatDeviceRenderTarget(const PlatDevice* d) { return d ? d->target : nullptr; }

// ---------------------------------------------------------------------------
// The render target between the CPU and the device.

void DeviceReadBack(PlatSurface* target) {
    PlatDevice* d = target->device;
    if (d && d->backend == PLAT_DEVICE_GL && target->deviceNewer)
        GlDeviceReadBack(d);
    target->deviceNewer = 0;
}

uint32_t DeviceSyncFramebuffer(PlatSurface* target) {
    PlatDevice* d = target ? target->device : nullptr;
    if (!d || d->backend != PLAT_DEVICE_GL)
        return 0;
    if (target->cpuNewer) {
        GlDeviceUpload(d);
        target->cpuNewer = 0;
    }
    // The presenter is about to use the context.
    GlForgetAppliedStates();
    return GlDeviceFramebuffer(d);
}

void DeviceForgetSurface(PlatSurface* s) {
    for (PlatDevice* d : liveDevices) {
        if (!d)
            continue;
        if (d->target == s)
            d->target = nullptr;
        if (d->zbuffer == s)
            d->zbuffer = nullptr;
        if (d->texture == s)
            d->texture = nullptr;
    }
    s->device = nullptr;
    if (s->textureOwner)
        GlDeleteTexture(s);
}

// Checks that the device can draw into its target now.
static int TargetReady(PlatDevice* d) {
    if (!d->target)
        return DDERR_SURFACELOST;
    if (d->target->lost || (d->zbuffer && d->zbuffer->lost))
        return DDERR_SURFACELOST;
    if (d->target->locked)
        return DDERR_SURFACEBUSY;
    return DD_OK;
}

// Before the device changes the picture: it needs the CPU's newer picture
// unless it is about to cover all of it.
static void PrepareDeviceWrite(PlatDevice* d, int coversAll) {
    PlatSurface* t = d->target;
    if (coversAll)
        t->cpuNewer = 0;
    else if (t->cpuNewer) {
        GlDeviceUpload(d);
        t->cpuNewer = 0;
    }
}

// ---------------------------------------------------------------------------
// The calls.

int PlatDeviceSetViewport(PlatDevice* d, const PlatViewport* v) {
    if (!d || !v || !d->target)
        return DDERR_INVALIDPARAMS;
    if (v->x < 0 || v->y < 0 || v->width <= 0 || v->height <= 0 || v->x + v->width > d->target->width ||
        v->y + v->height > d->target->height)
        return DDERR_INVALIDRECT;
    d->viewport = *v;
    Record(d, PLAT_EV_VIEWPORT);
    return DD_OK;
}

int PlatDeviceGetViewport(const PlatDevice* d, PlatViewport* v) {
    if (!d || !v)
        return DDERR_INVALIDPARAMS;
    *v = d->viewport;
    return DD_OK;
}

int PlatDeviceClear(PlatDevice* d, int flags, uint32_t colour, float z) {
    if (!d)
        return DDERR_INVALIDPARAMS;
    const int code = TargetReady(d);
    if (code != DD_OK)
        return code;
    Record(d, PLAT_EV_CLEAR, 0, colour, 0, 0, flags);
    PlatSurface* t = d->target;
    const PlatViewport& v = d->viewport;
    if (d->backend == PLAT_DEVICE_RECORDING) {
        if (!(flags & PLAT_CLEAR_TARGET))
            return DD_OK;
        const PlatRect r = {v.x, v.y, v.x + v.width, v.y + v.height};
        const uint32_t pixel =
            PlatPixelFromRgb(t->format, (int)(colour >> 16) & 0xFF, (int)(colour >> 8) & 0xFF, (int)colour & 0xFF);
        return PlatSurfaceFill(t, &r, pixel, PLAT_WAIT);
    }
    if (flags & PLAT_CLEAR_TARGET) {
        PrepareDeviceWrite(d, v.x == 0 && v.y == 0 && v.width == t->width && v.height == t->height);
        t->deviceNewer = 1;
    }
    return GlDeviceClear(d, flags, colour, z);
}

int PlatDeviceBeginScene(PlatDevice* d) {
    if (!d)
        return DDERR_INVALIDPARAMS;
    if (d->inScene)
        return PLAT_DEVERR_SCENE_IN_SCENE;
    const int code = TargetReady(d);
    if (code != DD_OK)
        return code;
    d->inScene = 1;
    d->scenes++;
    Record(d, PLAT_EV_BEGINSCENE);
    return DD_OK;
}

int PlatDeviceEndScene(PlatDevice* d) {
    if (!d)
        return DDERR_INVALIDPARAMS;
    if (!d->inScene)
        return PLAT_DEVERR_SCENE_NOT_IN_SCENE;
    d->inScene = 0;
    Record(d, PLAT_EV_ENDSCENE);
    return DD_OK;
}

int PlatDeviceSetRenderState(PlatDevice* d, int state, uint32_t value) {
    if (!d || state < 0 || state >= PLAT_RS_COUNT)
        return DDERR_INVALIDPARAMS;
    d->states[state] = value;
    Record(d, PLAT_EV_STATE, state, value);
    return DD_OK;
}

uint32_t PlatDeviceGetRenderState(const PlatDevice* d, int state) {
    if (!d || state < 0 || state >= PLAT_RS_COUNT)
        return 0;
    return d->states[state];
}

int PlatDeviceSetTexture(PlatDevice* d, int stage, PlatSurface* texture) {
    if (!d || stage != 0)
        return DDERR_INVALIDPARAMS;
    if (texture && (!texture->pixels || !(texture->caps & PLAT_SURF_TEXTURE)))
        return DDERR_INVALIDPARAMS;
    d->texture = texture;
    Record(d, PLAT_EV_TEXTURE);
    return DD_OK;
}

int PlatDeviceDrawPrimitive(PlatDevice* d, int primitive, const PlatTLVertex* vertices, int count) {
    if (!d || !vertices)
        return DDERR_INVALIDPARAMS;
    if (!d->inScene)
        return PLAT_DEVERR_SCENE_NOT_IN_SCENE;
    const int listOk = primitive == PLAT_PT_TRIANGLELIST && count >= 3 && count % 3 == 0;
    const int stripOk = (primitive == PLAT_PT_TRIANGLEFAN || primitive == PLAT_PT_TRIANGLESTRIP) && count >= 3;
    if (!listOk && !stripOk)
        return DDERR_INVALIDPARAMS;
    const int code = TargetReady(d);
    if (code != DD_OK)
        return code;
    Record(d, PLAT_EV_DRAW, 0, 0, primitive, count, 0, vertices);
    d->draws++;
    if (d->backend == PLAT_DEVICE_RECORDING)
        return DD_OK;
    PrepareDeviceWrite(d, 0);
    d->target->deviceNewer = 1;
    return GlDeviceDraw(d, primitive, vertices, count);
}

int PlatDeviceTextureFormatCount(const PlatDevice* d) { return d ? (int)(sizeof textureFormats / sizeof(int)) : 0; }

int PlatDeviceTextureFormat(const PlatDevice* d, int index) {
    if (index < 0 || index >= PlatDeviceTextureFormatCount(d))
        return 0;
    return textureFormats[index];
}

// ---------------------------------------------------------------------------
// The recording backend's log.

int PlatDeviceEventCount(const PlatDevice* d) { return d ? d->eventCount : 0; }

int PlatDeviceEventAt(const PlatDevice* d, int index, PlatDeviceEvent* e) {
    if (!d || !e || index < 0 || index >= d->eventCount)
        return 0;
    *e = d->events[(d->eventFirst + index) % DEVICE_EVENT_CAPACITY];
    return 1;
}

int PlatDeviceSceneCount(const PlatDevice* d) { return d ? d->scenes : 0; }

int PlatDeviceDrawCount(const PlatDevice* d) { return d ? d->draws : 0; }

int PlatDeviceStateChanges(const PlatDevice* d) {
    return d && d->backend == PLAT_DEVICE_GL ? GlDeviceStateChanges(d) : 0;
}

void PlatDeviceClearEvents(PlatDevice* d) {
    if (d)
        d->eventFirst = d->eventCount = 0;
}
