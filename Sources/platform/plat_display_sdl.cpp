// The SDL2 side of the display: the window's OpenGL context and the
// presenter that shows a back buffer on the window, scaled to fit and
// centred with black bars, as a monitor shows a lower display mode.

#include <SDL.h>

#define GL_GLEXT_PROTOTYPES 1
#include <GL/glcorearb.h>

#include <cstdio>
#include <cstdlib>

#include "platform/plat_devices_internal.h"
#include "platform/plat_system.h"

static SDL_GLContext glContext;

// The presenter's own texture, for back buffers that no GL device drew.
static GLuint presentTexture, presentFramebuffer;
static int presentWidth, presentHeight;
static uint8_t* presentPixels;

int SdlGlCreateContext() {
    SDL_Window* window = SdlWindowHandle();
    if (!window)
        return 0;
    glContext = SDL_GL_CreateContext(window);
    if (!glContext) {
        PlatDebugOut(SDL_GetError());
        GlContextSetWindowContext(0);
        return 0;
    }
    SDL_GL_MakeCurrent(window, glContext);
    char line[256];
    snprintf(line, sizeof line, "OpenGL: %s, %s", (const char*)glGetString(GL_RENDERER),
             (const char*)glGetString(GL_VERSION));
    PlatDebugOut(line);
    // Frames are paced by the simulation ticks; waiting for the refresh
    // keeps the picture from tearing.
    SDL_GL_SetSwapInterval(1);
    GlContextSetWindowContext(1);
    return 1;
}

void SdlGlDestroyContext() {
    if (!glContext)
        return;
    if (presentFramebuffer)
        glDeleteFramebuffers(1, &presentFramebuffer);
    if (presentTexture)
        glDeleteTextures(1, &presentTexture);
    presentFramebuffer = presentTexture = 0;
    presentWidth = presentHeight = 0;
    free(presentPixels);
    presentPixels = nullptr;
    GlContextSetWindowContext(0);
    SDL_GL_DeleteContext(glContext);
    glContext = nullptr;
}

// Uploads a back buffer that no GL device holds into the presenter's texture.
static GLuint UploadForPresent(PlatSurface* image) {
    if (image->width != presentWidth || image->height != presentHeight) {
        free(presentPixels);
        presentPixels = (uint8_t*)malloc((size_t)image->width * (size_t)image->height * 4);
        if (!presentPixels)
            return 0;
        if (!presentTexture)
            glGenTextures(1, &presentTexture);
        glBindTexture(GL_TEXTURE_2D, presentTexture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, image->width, image->height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        if (!presentFramebuffer)
            glGenFramebuffers(1, &presentFramebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, presentFramebuffer);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, presentTexture, 0);
        presentWidth = image->width;
        presentHeight = image->height;
    }
    SurfaceToRgba(image, 0, 0, image->width, image->height, presentPixels, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glBindTexture(GL_TEXTURE_2D, presentTexture);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, image->width, image->height, GL_RGBA, GL_UNSIGNED_BYTE, presentPixels);
    return presentFramebuffer;
}

int SdlPresent(PlatSurface* image) {
    SDL_Window* window = SdlWindowHandle();
    if (!glContext || !window)
        return DD_OK;
    GLuint source = DeviceSyncFramebuffer(image);
    if (!source)
        source = UploadForPresent(image);
    if (!source)
        return DDERR_OUTOFMEMORY;

    int outW = 0, outH = 0;
    SDL_GL_GetDrawableSize(window, &outW, &outH);
    PlatRect shown;
    DisplayPictureRect(outW, outH, image->width, image->height, &shown);
    const int x = shown.left, y = shown.top, w = shown.right - shown.left, h = shown.bottom - shown.top;

    glDisable(GL_SCISSOR_TEST);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glViewport(0, 0, outW, outH);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, source);
    // The framebuffers hold the top row first; the window's origin is at
    // the bottom, so the copy turns the picture over.
    glBlitFramebuffer(0, 0, image->width, image->height, x, y + h, x + w, y, GL_COLOR_BUFFER_BIT,
                      w == image->width && h == image->height ? GL_NEAREST : GL_LINEAR);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    SDL_GL_SwapWindow(window);
    return DD_OK;
}

int SdlDesktopBits() {
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0)
        return 32;
    // A display's depth is the size of its pixel, padding included: X's
    // usual depth 24 (8 bits of each colour in 32-bit pixels) is 32 here,
    // as 15-bit colour in 16-bit pixels is 16.
    const int bits = (int)SDL_BYTESPERPIXEL(mode.format) * 8;
    return bits > 0 ? bits : 32;
}

void SdlSetFullScreen(int fullScreen) {
    SDL_Window* window = SdlWindowHandle();
    if (!window)
        return;
    const Uint32 flags = SDL_GetWindowFlags(window);
    const int isFull = (flags & SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN_DESKTOP;
    if (isFull != (fullScreen != 0))
        SDL_SetWindowFullscreen(window, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
}

void SdlWindowSize(int* width, int* height) {
    SDL_Window* window = SdlWindowHandle();
    *width = 640;
    *height = 480;
    if (window)
        SDL_GetWindowSize(window, width, height);
}

void SdlDrawableSize(int* width, int* height) {
    SDL_Window* window = SdlWindowHandle();
    *width = 640;
    *height = 480;
    if (window)
        SDL_GL_GetDrawableSize(window, width, height);
}

void SdlWindowToOutput(int x, int y, float* outX, float* outY) {
    int w = 0, h = 0, drawW = 0, drawH = 0;
    SdlWindowSize(&w, &h);
    SdlDrawableSize(&drawW, &drawH);
    *outX = w > 0 ? (float)x * (float)drawW / (float)w : (float)x;
    *outY = h > 0 ? (float)y * (float)drawH / (float)h : (float)y;
}
