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

struct GlDeviceData {
    GLuint program, vao, vbo, sampler;
    GLuint framebuffer, colour, depth;
    GLint uScale, uTextured, uModulate, uColourKey, uFlat, uSpecular, uFog, uFogColour, uFogRange, uPerspective;
    int width, height;
    uint8_t* scratch;   // width x height RGBA pixels for uploads and read-backs
};

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
    GlContextRelease();
}

void GlDeleteTexture(PlatSurface* s) {
    const GLuint name = s->textureName;
    if (name)
        glDeleteTextures(1, &name);
    s->textureName = 0;
    s->textureOwner = nullptr;
}

uint32_t GlDeviceFramebuffer(PlatDevice* d) { return d->gl ? d->gl->framebuffer : 0; }

void GlDeviceUpload(PlatDevice* d) {
    GlDeviceData* g = d->gl;
    if (!g || !d->target)
        return;
    SurfaceToRgba(d->target, 0, 0, g->width, g->height, g->scratch, 0);
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

static void BindTarget(PlatDevice* d) {
    GlDeviceData* g = d->gl;
    glBindFramebuffer(GL_FRAMEBUFFER, g->framebuffer);
    glViewport(0, 0, g->width, g->height);
    glEnable(GL_SCISSOR_TEST);
    glScissor(d->viewport.x, d->viewport.y, d->viewport.width, d->viewport.height);
}

int GlDeviceClear(PlatDevice* d, int flags, uint32_t colour, float z) {
    if (!d->gl)
        return DDERR_GENERIC;
    BindTarget(d);
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
static void BindTexture(PlatDevice* d, PlatSurface* t) {
    if (t->textureOwner && t->textureOwner != d)
        GlDeleteTexture(t);
    if (!t->textureName) {
        GLuint name = 0;
        glGenTextures(1, &name);
        t->textureName = name;
        t->textureOwner = d;
        t->textureVersion = t->version - 1;
    }
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, t->textureName);
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

static void ApplyStates(PlatDevice* d) {
    GlDeviceData* g = d->gl;
    const uint32_t* s = d->states;

    if (s[PLAT_RS_ZENABLE] && g->depth) {
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(CompareOf(s[PLAT_RS_ZFUNC]));
        glDepthMask(s[PLAT_RS_ZWRITEENABLE] ? GL_TRUE : GL_FALSE);
    } else {
        glDisable(GL_DEPTH_TEST);
    }
    if (s[PLAT_RS_ALPHABLENDENABLE]) {
        glEnable(GL_BLEND);
        glBlendFunc(BlendOf(s[PLAT_RS_SRCBLEND]), BlendOf(s[PLAT_RS_DESTBLEND]));
    } else {
        glDisable(GL_BLEND);
    }
    // Rows run top-down in the framebuffer, so the screen's clockwise is
    // OpenGL's counter-clockwise.
    if (s[PLAT_RS_CULLMODE] == PLAT_CULL_CW || s[PLAT_RS_CULLMODE] == PLAT_CULL_CCW) {
        glEnable(GL_CULL_FACE);
        glFrontFace(GL_CCW);
        glCullFace(s[PLAT_RS_CULLMODE] == PLAT_CULL_CCW ? GL_BACK : GL_FRONT);
    } else {
        glDisable(GL_CULL_FACE);
    }
    glPolygonMode(GL_FRONT_AND_BACK, s[PLAT_RS_FILLMODE] == PLAT_FILL_WIREFRAME ? GL_LINE : GL_FILL);
    if (s[PLAT_RS_DITHERENABLE])
        glEnable(GL_DITHER);
    else
        glDisable(GL_DITHER);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);

    glUniform2f(g->uScale, 2.0f / (float)g->width, 2.0f / (float)g->height);
    glUniform1i(g->uTextured, d->texture ? 1 : 0);
    glUniform1i(g->uModulate, s[PLAT_RS_TEXTUREMAPBLEND] == PLAT_TBLEND_DECAL ? 0 : 1);
    glUniform1i(g->uColourKey, s[PLAT_RS_COLORKEYENABLE] ? 1 : 0);
    glUniform1i(g->uFlat, s[PLAT_RS_SHADEMODE] == PLAT_SHADE_FLAT ? 1 : 0);
    glUniform1i(g->uSpecular, s[PLAT_RS_SPECULARENABLE] ? 1 : 0);
    glUniform1i(g->uFog, s[PLAT_RS_FOGENABLE] && s[PLAT_RS_FOGTABLEMODE] != PLAT_FOG_NONE ? 1 : 0);
    glUniform1i(g->uPerspective, s[PLAT_RS_TEXTUREPERSPECTIVE] ? 1 : 0);
    const uint32_t fog = s[PLAT_RS_FOGCOLOR];
    glUniform3f(g->uFogColour, (float)((fog >> 16) & 0xFF) / 255.0f, (float)((fog >> 8) & 0xFF) / 255.0f,
                (float)(fog & 0xFF) / 255.0f);
    glUniform2f(g->uFogRange, PlatBitsFloat(s[PLAT_RS_FOGTABLESTART]), PlatBitsFloat(s[PLAT_RS_FOGTABLEEND]));

    if (d->texture) {
        BindTexture(d, d->texture);
        const GLint wrap = s[PLAT_RS_TEXTUREADDRESS] == PLAT_TADDRESS_CLAMP ? GL_CLAMP_TO_EDGE : GL_REPEAT;
        glSamplerParameteri(g->sampler, GL_TEXTURE_WRAP_S, wrap);
        glSamplerParameteri(g->sampler, GL_TEXTURE_WRAP_T, wrap);
        glSamplerParameteri(g->sampler, GL_TEXTURE_MAG_FILTER,
                            s[PLAT_RS_TEXTUREMAG] == PLAT_FILTER_LINEAR ? GL_LINEAR : GL_NEAREST);
        glSamplerParameteri(g->sampler, GL_TEXTURE_MIN_FILTER,
                            s[PLAT_RS_TEXTUREMIN] == PLAT_FILTER_LINEAR ? GL_LINEAR : GL_NEAREST);
        glBindSampler(0, g->sampler);
    }
}

int GlDeviceDraw(PlatDevice* d, int primitive, const PlatTLVertex* vertices, int count) {
    GlDeviceData* g = d->gl;
    if (!g)
        return DDERR_GENERIC;
    BindTarget(d);
    glUseProgram(g->program);
    glBindVertexArray(g->vao);
    ApplyStates(d);
    glBindBuffer(GL_ARRAY_BUFFER, g->vbo);
    glBufferData(GL_ARRAY_BUFFER, (GLsizeiptr)count * (GLsizeiptr)sizeof(PlatTLVertex), vertices, GL_STREAM_DRAW);
    const GLenum mode = primitive == PLAT_PT_TRIANGLEFAN     ? GL_TRIANGLE_FAN
                        : primitive == PLAT_PT_TRIANGLESTRIP ? GL_TRIANGLE_STRIP
                                                             : GL_TRIANGLES;
    glDrawArrays(mode, 0, count);
    return DD_OK;
}
