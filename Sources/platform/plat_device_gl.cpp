// The OpenGL 3.3 core backend of the 3D device.
//
// The device draws into a framebuffer object of the render target's size
// whose row 0 is the picture's top row, so uploads and read-backs need no
// flipping (the window presenter flips).  Pre-transformed vertices become
// clip coordinates (x, y, z) x w with w = 1/rhw, so the hardware interpolates
// colours and texture coordinates perspective-correct; depth keeps the
// vertex's z (depth clamping instead of near and far clipping).  A vertex at
// a whole pixel number lies on that pixel's centre.

#define GL_GLEXT_PROTOTYPES 1
#include <GL/glcorearb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/plat_devices_internal.h"
#include "platform/plat_system.h"

#if defined(__SANITIZE_THREAD__)
// The software GL driver runs its own rasteriser threads with its own
// synchronisation, which ThreadSanitizer cannot see: what it reports inside
// the driver is about the driver, not about the game's threads.
extern "C" const char* __tsan_default_suppressions() {
    return "race:swrast_dri.so\n"
           "race:libgallium\n";
}
#endif

// The uniforms and sampler settings last given to this device's program
// (they belong to it alone, so they stay valid between draws).
struct GlProgramState {
    int valid;
    GLint textured, modulate, colourKey, flat, specular, fog, perspective;
    uint32_t fogColour, fogStart, fogEnd;
    GLint wrap, mag, min;
};

struct GlDeviceData {
    GLuint program, vao, vbo, sampler;
    GLuint framebuffer, colour, depth;
    GLint uScale, uTextured, uModulate, uColourKey, uFlat, uSpecular, uFog, uFogColour, uFogRange, uPerspective;
    int width, height;
    uint8_t* scratch;   // width x height RGBA pixels for uploads and read-backs
    GlProgramState uniforms;
    int stateChanges;   // GL calls that changed a state, since creation
};

// The context's fixed-function state as the devices last set it.  Anything
// else that uses the context (clears, uploads, the window's presenter)
// forgets it, and the next draw sets everything again.
struct GlContextState {
    int valid;
    const GlDeviceData* owner;
    int depthTest;
    GLenum depthFunc;
    GLboolean depthMask;
    int blend;
    GLenum blendSrc, blendDst;
    int cull;
    GLenum cullFace;
    GLenum polygonMode;
    int dither;
    GLuint texture;
    PlatViewport viewport;   // the framebuffer bound with this scissor
};

static GlContextState applied;

void GlForgetAppliedStates() { applied.valid = 0; }

static const char* const vertexShader = R"(#version 330 core
layout(location = 0) in vec4 aPosition;
layout(location = 1) in vec4 aDiffuse;
layout(location = 2) in vec4 aSpecular;
layout(location = 3) in vec2 aTexCoord;
uniform vec2 uScale;
out vec4 vDiffuse;
flat out vec4 vDiffuseFlat;
out vec4 vSpecular;
flat out vec4 vSpecularFlat;
out vec2 vTexCoord;
noperspective out vec2 vTexCoordAffine;
out float vEyeW;
void main() {
    float w = aPosition.w > 0.0 ? 1.0 / aPosition.w : 1.0;
    vec2 ndc = (aPosition.xy + 0.5) * uScale - 1.0;
    gl_Position = vec4(ndc * w, (aPosition.z * 2.0 - 1.0) * w, w);
    vDiffuse = aDiffuse;
    vDiffuseFlat = aDiffuse;
    vSpecular = aSpecular;
    vSpecularFlat = aSpecular;
    vTexCoord = aTexCoord;
    vTexCoordAffine = aTexCoord;
    vEyeW = w;
}
)";

static const char* const fragmentShader = R"(#version 330 core
in vec4 vDiffuse;
flat in vec4 vDiffuseFlat;
in vec4 vSpecular;
flat in vec4 vSpecularFlat;
in vec2 vTexCoord;
noperspective in vec2 vTexCoordAffine;
in float vEyeW;
uniform sampler2D uTexture;
uniform int uTextured;
uniform int uModulate;
uniform int uColourKey;
uniform int uFlat;
uniform int uSpecular;
uniform int uFog;
uniform int uPerspective;
uniform vec3 uFogColour;
uniform vec2 uFogRange;
out vec4 oColour;
void main() {
    vec4 diffuse = uFlat != 0 ? vDiffuseFlat : vDiffuse;
    vec4 colour = diffuse;
    if (uTextured != 0) {
        vec4 texel = texture(uTexture, uPerspective != 0 ? vTexCoord : vTexCoordAffine);
        // A keyed texel carries alpha 0 and is not drawn at all.
        if (uColourKey != 0 && texel.a < 0.5)
            discard;
        colour = uModulate != 0 ? vec4(texel.rgb * diffuse.rgb, texel.a) : texel;
    }
    if (uSpecular != 0)
        colour.rgb = min(colour.rgb + (uFlat != 0 ? vSpecularFlat.rgb : vSpecular.rgb), vec3(1.0));
    if (uFog != 0) {
        float f = clamp((uFogRange.y - vEyeW) / max(uFogRange.y - uFogRange.x, 1e-6), 0.0, 1.0);
        colour.rgb = mix(uFogColour, colour.rgb, f);
    }
    oColour = colour;
}
)";

static GLuint CompileShader(GLenum kind, const char* source) {
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[1024] = {};
        glGetShaderInfoLog(shader, sizeof log - 1, nullptr, log);
        PlatDebugOut(log);
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

static GLuint LinkProgram() {
    const GLuint vs = CompileShader(GL_VERTEX_SHADER, vertexShader);
    const GLuint fs = CompileShader(GL_FRAGMENT_SHADER, fragmentShader);
    if (!vs || !fs) {
        glDeleteShader(vs);
        glDeleteShader(fs);
        return 0;
    }
    const GLuint program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    glLinkProgram(program);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint ok = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (!ok) {
        char log[1024] = {};
        glGetProgramInfoLog(program, sizeof log - 1, nullptr, log);
        PlatDebugOut(log);
        glDeleteProgram(program);
        return 0;
    }
    return program;
}

static GLenum DepthFormatOf(const PlatSurface* z) {
    if (z->format == PLAT_PF_Z16)
        return GL_DEPTH_COMPONENT16;
    if (z->format == PLAT_PF_Z24)
        return GL_DEPTH_COMPONENT24;
    return GL_DEPTH_COMPONENT32F;
}

static void FreeGl(GlDeviceData* g) {
    glDeleteProgram(g->program);
    glDeleteVertexArrays(1, &g->vao);
    glDeleteBuffers(1, &g->vbo);
    glDeleteSamplers(1, &g->sampler);
    glDeleteFramebuffers(1, &g->framebuffer);
    glDeleteTextures(1, &g->colour);
    glDeleteRenderbuffers(1, &g->depth);
    free(g->scratch);
    free(g);
}

int GlDeviceCreate(PlatDevice* d) {
    if (!GlContextAcquire())
        return DDERR_GENERIC;
    GlDeviceData* g = (GlDeviceData*)calloc(1, sizeof(GlDeviceData));
    if (!g) {
        GlContextRelease();
        return DDERR_OUTOFMEMORY;
    }
    g->width = d->target->width;
    g->height = d->target->height;
    g->scratch = (uint8_t*)malloc((size_t)g->width * (size_t)g->height * 4);
    g->program = LinkProgram();
    if (!g->scratch || !g->program) {
        FreeGl(g);
        GlContextRelease();
        return DDERR_GENERIC;
    }
    g->uScale = glGetUniformLocation(g->program, "uScale");
    g->uTextured = glGetUniformLocation(g->program, "uTextured");
    g->uModulate = glGetUniformLocation(g->program, "uModulate");
    g->uColourKey = glGetUniformLocation(g->program, "uColourKey");
    g->uFlat = glGetUniformLocation(g->program, "uFlat");
    g->uSpecular = glGetUniformLocation(g->program, "uSpecular");
    g->uFog = glGetUniformLocation(g->program, "uFog");
    g->uFogColour = glGetUniformLocation(g->program, "uFogColour");
    g->uFogRange = glGetUniformLocation(g->program, "uFogRange");
    g->uPerspective = glGetUniformLocation(g->program, "uPerspective");
    glUseProgram(g->program);
    glUniform1i(glGetUniformLocation(g->program, "uTexture"), 0);
    glUniform2f(g->uScale, 2.0f / (float)g->width, 2.0f / (float)g->height);

    glGenVertexArrays(1, &g->vao);
    glBindVertexArray(g->vao);
    glGenBuffers(1, &g->vbo);
    glBindBuffer(GL_ARRAY_BUFFER, g->vbo);
    const GLsizei stride = sizeof(PlatTLVertex);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, stride, (const void*)0);
    // 0xAARRGGBB words are the bytes B, G, R, A in memory.
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride, (const void*)16);
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride, (const void*)20);
    glEnableVertexAttribArray(3);
    glVertexAttribPointer(3, 2, GL_FLOAT, GL_FALSE, stride, (const void*)24);
    glGenSamplers(1, &g->sampler);

    glGenTextures(1, &g->colour);
    glBindTexture(GL_TEXTURE_2D, g->colour);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, g->width, g->height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glGenFramebuffers(1, &g->framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, g->framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, g->colour, 0);
    if (d->zbuffer) {
        glGenRenderbuffers(1, &g->depth);
        glBindRenderbuffer(GL_RENDERBUFFER, g->depth);
        glRenderbufferStorage(GL_RENDERBUFFER, DepthFormatOf(d->zbuffer), g->width, g->height);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, g->depth);
    }
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        PlatDebugOut("GL: the render target's framebuffer is incomplete");
        FreeGl(g);
        GlContextRelease();
        return DDERR_GENERIC;
    }
    glProvokingVertex(GL_FIRST_VERTEX_CONVENTION);
    glEnable(GL_DEPTH_CLAMP);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (d->zbuffer) {
        glDisable(GL_SCISSOR_TEST);
        glClearDepth(1.0);
        glClear(GL_DEPTH_BUFFER_BIT);
    }
    d->gl = g;
    GlForgetAppliedStates();
    char line[256];
    snprintf(line, sizeof line, "3D device: OpenGL %s, %s%s", (const char*)glGetString(GL_VERSION),
             (const char*)glGetString(GL_RENDERER), PlatIsHeadless() ? ", on EGL surfaceless" : "");
    PlatDebugOut(line);
    return DD_OK;
}

void GlDeviceRelease(PlatDevice* d) {
    if (!d->gl)
        return;
    for (PlatSurface* s = SurfaceFirst(); s; s = s->next) {
        if (s->textureOwner == d)
            GlDeleteTexture(s);
    }
    FreeGl(d->gl);
    d->gl = nullptr;
    GlForgetAppliedStates();
    GlContextRelease();
}

void GlDeleteTexture(PlatSurface* s) {
    const GLuint name = s->textureName;
    if (name)
        glDeleteTextures(1, &name);
    if (name && applied.texture == name)
        applied.valid = 0;
    s->textureName = 0;
    s->textureOwner = nullptr;
}

uint32_t GlDeviceFramebuffer(PlatDevice* d) { return d->gl ? d->gl->framebuffer : 0; }

void GlDeviceUpload(PlatDevice* d) {
    GlDeviceData* g = d->gl;
    if (!g || !d->target)
        return;
    SurfaceToRgba(d->target, 0, 0, g->width, g->height, g->scratch, 0);
    GlForgetAppliedStates();
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, g->colour);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, g->width, g->height, GL_RGBA, GL_UNSIGNED_BYTE, g->scratch);
}

void GlDeviceReadBack(PlatDevice* d) {
    GlDeviceData* g = d->gl;
    if (!g || !d->target)
        return;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, g->framebuffer);
    glReadPixels(0, 0, g->width, g->height, GL_RGBA, GL_UNSIGNED_BYTE, g->scratch);
    SurfaceFromRgba(d->target, 0, 0, g->width, g->height, g->scratch);
}

// The device's framebuffer with its viewport as the scissor; `known` says
// whether the context still holds what this device set last.
static void BindTarget(PlatDevice* d, int known) {
    GlDeviceData* g = d->gl;
    const PlatViewport& v = d->viewport;
    if (known && applied.viewport.x == v.x && applied.viewport.y == v.y && applied.viewport.width == v.width &&
        applied.viewport.height == v.height)
        return;
    glBindFramebuffer(GL_FRAMEBUFFER, g->framebuffer);
    glViewport(0, 0, g->width, g->height);
    glEnable(GL_SCISSOR_TEST);
    glScissor(v.x, v.y, v.width, v.height);
    applied.viewport = v;
    g->stateChanges++;
}

int GlDeviceClear(PlatDevice* d, int flags, uint32_t colour, float z) {
    if (!d->gl)
        return DDERR_GENERIC;
    BindTarget(d, 0);
    GLbitfield mask = 0;
    if (flags & PLAT_CLEAR_TARGET) {
        glClearColor((float)((colour >> 16) & 0xFF) / 255.0f, (float)((colour >> 8) & 0xFF) / 255.0f,
                     (float)(colour & 0xFF) / 255.0f, (float)(colour >> 24) / 255.0f);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        mask |= GL_COLOR_BUFFER_BIT;
    }
    if ((flags & PLAT_CLEAR_ZBUFFER) && d->gl->depth) {
        glClearDepth((double)z);
        glDepthMask(GL_TRUE);
        mask |= GL_DEPTH_BUFFER_BIT;
    }
    if (mask)
        glClear(mask);
    GlForgetAppliedStates();
    return DD_OK;
}

static GLenum CompareOf(uint32_t value) {
    switch (value) {
    case PLAT_CMP_NEVER: return GL_NEVER;
    case PLAT_CMP_LESS: return GL_LESS;
    case PLAT_CMP_EQUAL: return GL_EQUAL;
    case PLAT_CMP_LESSEQUAL: return GL_LEQUAL;
    case PLAT_CMP_GREATER: return GL_GREATER;
    case PLAT_CMP_NOTEQUAL: return GL_NOTEQUAL;
    case PLAT_CMP_GREATEREQUAL: return GL_GEQUAL;
    default: return GL_ALWAYS;
    }
}

static GLenum BlendOf(uint32_t value) {
    switch (value) {
    case PLAT_BLEND_ZERO: return GL_ZERO;
    case PLAT_BLEND_SRCCOLOR: return GL_SRC_COLOR;
    case PLAT_BLEND_INVSRCCOLOR: return GL_ONE_MINUS_SRC_COLOR;
    case PLAT_BLEND_SRCALPHA: return GL_SRC_ALPHA;
    case PLAT_BLEND_INVSRCALPHA: return GL_ONE_MINUS_SRC_ALPHA;
    case PLAT_BLEND_DESTALPHA: return GL_DST_ALPHA;
    case PLAT_BLEND_INVDESTALPHA: return GL_ONE_MINUS_DST_ALPHA;
    case PLAT_BLEND_DESTCOLOR: return GL_DST_COLOR;
    case PLAT_BLEND_INVDESTCOLOR: return GL_ONE_MINUS_DST_COLOR;
    default: return GL_ONE;
    }
}

// The texture's pixels go to the device when they changed since it last
// drew with them; the colour key becomes alpha 0.
static void BindTexture(PlatDevice* d, PlatSurface* t, int known) {
    if (t->textureOwner && t->textureOwner != d)
        GlDeleteTexture(t);
    if (!t->textureName) {
        GLuint name = 0;
        glGenTextures(1, &name);
        t->textureName = name;
        t->textureOwner = d;
        t->textureVersion = t->version - 1;
    }
    if (!known || applied.texture != t->textureName) {
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, t->textureName);
        applied.texture = t->textureName;
        d->gl->stateChanges++;
    }
    if (t->textureVersion != t->version) {
        uint8_t* texels = (uint8_t*)malloc((size_t)t->width * (size_t)t->height * 4);
        if (texels) {
            SurfaceToRgba(t, 0, 0, t->width, t->height, texels, 1);
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, t->width, t->height, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
            free(texels);
            t->textureVersion = t->version;
        }
    }
}

// Sets a uniform or parameter only when its value changed.
template <typename T, typename Set>
static void Change(GlDeviceData* g, int known, T& cached, T value, Set set) {
    if (known && cached == value)
        return;
    cached = value;
    set();
    g->stateChanges++;
}

// The context's fixed-function state: depth, blending, culling, fill mode
// and dither.
static void ApplyContextStates(PlatDevice* d, int known) {
    GlDeviceData* g = d->gl;
    const uint32_t* s = d->states;

    const int depthTest = s[PLAT_RS_ZENABLE] && g->depth ? 1 : 0;
    Change(g, known, applied.depthTest, depthTest, [&] {
        if (depthTest)
            glEnable(GL_DEPTH_TEST);
        else
            glDisable(GL_DEPTH_TEST);
    });
    if (depthTest) {
        const GLenum func = CompareOf(s[PLAT_RS_ZFUNC]);
        Change(g, known, applied.depthFunc, func, [&] { glDepthFunc(func); });
        const GLboolean mask = s[PLAT_RS_ZWRITEENABLE] ? GL_TRUE : GL_FALSE;
        Change(g, known, applied.depthMask, mask, [&] { glDepthMask(mask); });
    }
    const int blend = s[PLAT_RS_ALPHABLENDENABLE] ? 1 : 0;
    Change(g, known, applied.blend, blend, [&] {
        if (blend)
            glEnable(GL_BLEND);
        else
            glDisable(GL_BLEND);
    });
    if (blend) {
        const GLenum src = BlendOf(s[PLAT_RS_SRCBLEND]), dst = BlendOf(s[PLAT_RS_DESTBLEND]);
        if (!known || applied.blendSrc != src || applied.blendDst != dst) {
            applied.blendSrc = src;
            applied.blendDst = dst;
            glBlendFunc(src, dst);
            g->stateChanges++;
        }
    }
    // Rows run top-down in the framebuffer, so the screen's clockwise is
    // OpenGL's counter-clockwise.
    const uint32_t cullMode = s[PLAT_RS_CULLMODE];
    const int cull = cullMode == PLAT_CULL_CW || cullMode == PLAT_CULL_CCW ? 1 : 0;
    Change(g, known, applied.cull, cull, [&] {
        if (cull) {
            glEnable(GL_CULL_FACE);
            glFrontFace(GL_CCW);
        } else {
            glDisable(GL_CULL_FACE);
        }
    });
    if (cull) {
        const GLenum face = cullMode == PLAT_CULL_CCW ? GL_BACK : GL_FRONT;
        Change(g, known, applied.cullFace, face, [&] { glCullFace(face); });
    }
    const GLenum fill = s[PLAT_RS_FILLMODE] == PLAT_FILL_WIREFRAME ? GL_LINE : GL_FILL;
    Change(g, known, applied.polygonMode, fill, [&] { glPolygonMode(GL_FRONT_AND_BACK, fill); });
    const int dither = s[PLAT_RS_DITHERENABLE] ? 1 : 0;
    Change(g, known, applied.dither, dither, [&] {
        if (dither)
            glEnable(GL_DITHER);
        else
            glDisable(GL_DITHER);
    });
}

// The program's uniforms and the sampler.
static void ApplyProgramStates(PlatDevice* d, int contextKnown) {
    GlDeviceData* g = d->gl;
    GlProgramState& u = g->uniforms;
    const uint32_t* s = d->states;
    const int known = u.valid;

    const GLint textured = d->texture ? 1 : 0;
    Change(g, known, u.textured, textured, [&] { glUniform1i(g->uTextured, textured); });
    const GLint modulate = s[PLAT_RS_TEXTUREMAPBLEND] == PLAT_TBLEND_DECAL ? 0 : 1;
    Change(g, known, u.modulate, modulate, [&] { glUniform1i(g->uModulate, modulate); });
    const GLint key = s[PLAT_RS_COLORKEYENABLE] ? 1 : 0;
    Change(g, known, u.colourKey, key, [&] { glUniform1i(g->uColourKey, key); });
    const GLint flat = s[PLAT_RS_SHADEMODE] == PLAT_SHADE_FLAT ? 1 : 0;
    Change(g, known, u.flat, flat, [&] { glUniform1i(g->uFlat, flat); });
    const GLint specular = s[PLAT_RS_SPECULARENABLE] ? 1 : 0;
    Change(g, known, u.specular, specular, [&] { glUniform1i(g->uSpecular, specular); });
    const GLint fog = s[PLAT_RS_FOGENABLE] && s[PLAT_RS_FOGTABLEMODE] != PLAT_FOG_NONE ? 1 : 0;
    Change(g, known, u.fog, fog, [&] { glUniform1i(g->uFog, fog); });
    const GLint perspective = s[PLAT_RS_TEXTUREPERSPECTIVE] ? 1 : 0;
    Change(g, known, u.perspective, perspective, [&] { glUniform1i(g->uPerspective, perspective); });
    const uint32_t fogColour = s[PLAT_RS_FOGCOLOR];
    Change(g, known, u.fogColour, fogColour, [&] {
        glUniform3f(g->uFogColour, (float)((fogColour >> 16) & 0xFF) / 255.0f,
                    (float)((fogColour >> 8) & 0xFF) / 255.0f, (float)(fogColour & 0xFF) / 255.0f);
    });
    const uint32_t fogStart = s[PLAT_RS_FOGTABLESTART], fogEnd = s[PLAT_RS_FOGTABLEEND];
    if (!known || u.fogStart != fogStart || u.fogEnd != fogEnd) {
        u.fogStart = fogStart;
        u.fogEnd = fogEnd;
        glUniform2f(g->uFogRange, PlatBitsFloat(fogStart), PlatBitsFloat(fogEnd));
        g->stateChanges++;
    }

    if (d->texture) {
        BindTexture(d, d->texture, contextKnown);
        const GLint wrap = s[PLAT_RS_TEXTUREADDRESS] == PLAT_TADDRESS_CLAMP ? GL_CLAMP_TO_EDGE : GL_REPEAT;
        Change(g, known, u.wrap, wrap, [&] {
            glSamplerParameteri(g->sampler, GL_TEXTURE_WRAP_S, wrap);
            glSamplerParameteri(g->sampler, GL_TEXTURE_WRAP_T, wrap);
        });
        const GLint mag = s[PLAT_RS_TEXTUREMAG] == PLAT_FILTER_LINEAR ? GL_LINEAR : GL_NEAREST;
        Change(g, known, u.mag, mag, [&] { glSamplerParameteri(g->sampler, GL_TEXTURE_MAG_FILTER, mag); });
        const GLint min = s[PLAT_RS_TEXTUREMIN] == PLAT_FILTER_LINEAR ? GL_LINEAR : GL_NEAREST;
        Change(g, known, u.min, min, [&] { glSamplerParameteri(g->sampler, GL_TEXTURE_MIN_FILTER, min); });
    }
    u.valid = 1;
}

int GlDeviceDraw(PlatDevice* d, int primitive, const PlatTLVertex* vertices, int count) {
    GlDeviceData* g = d->gl;
    if (!g)
        return DDERR_GENERIC;
    const int known = applied.valid && applied.owner == g;
    if (!known) {
        applied = {};
        applied.owner = g;
        applied.valid = 1;
        glUseProgram(g->program);
        glBindVertexArray(g->vao);
        glBindSampler(0, g->sampler);
        glBindBuffer(GL_ARRAY_BUFFER, g->vbo);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    }
    BindTarget(d, known);
    ApplyContextStates(d, known);
    ApplyProgramStates(d, known);
    // New storage for every batch: the driver need not wait for the draws
    // that still read the old one.
    glBufferData(GL_ARRAY_BUFFER, (GLsizeiptr)count * (GLsizeiptr)sizeof(PlatTLVertex), vertices, GL_STREAM_DRAW);
    const GLenum mode = primitive == PLAT_PT_TRIANGLEFAN     ? GL_TRIANGLE_FAN
                        : primitive == PLAT_PT_TRIANGLESTRIP ? GL_TRIANGLE_STRIP
                                                             : GL_TRIANGLES;
    glDrawArrays(mode, 0, count);
    return DD_OK;
}

int GlDeviceStateChanges(const PlatDevice* d) { return d->gl ? d->gl->stateChanges : 0; }
