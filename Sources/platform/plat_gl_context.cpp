// The OpenGL context the devices draw with.  On the real backend it is the
// window's (plat_display_sdl.cpp makes it with the window); on the headless
// backend an EGL context without any surface is made for the first GL device
// and dropped with the last.  Devices draw into framebuffer objects, so no
// surface is ever needed.

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include "platform/plat_devices_internal.h"
#include "platform/plat_system.h"

static int windowContext;
static EGLDisplay eglDisplay = EGL_NO_DISPLAY;
static EGLContext eglContext = EGL_NO_CONTEXT;
static int eglUsers;

void GlContextSetWindowContext(int available) { windowContext = available; }

// The display stays initialised for the rest of the run: terminating it
// would unload the driver, and the next device would load it again.
static void DropEgl() {
    if (eglDisplay == EGL_NO_DISPLAY)
        return;
    eglMakeCurrent(eglDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (eglContext != EGL_NO_CONTEXT)
        eglDestroyContext(eglDisplay, eglContext);
    eglContext = EGL_NO_CONTEXT;
}

static int OpenEglDisplay() {
    if (eglDisplay != EGL_NO_DISPLAY)
        return 1;
    const auto getPlatformDisplay = (PFNEGLGETPLATFORMDISPLAYEXTPROC)eglGetProcAddress("eglGetPlatformDisplayEXT");
    if (!getPlatformDisplay) {
        PlatDebugOut("EGL: no eglGetPlatformDisplayEXT");
        return 0;
    }
    EGLDisplay display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    EGLint major = 0, minor = 0;
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, &major, &minor)) {
        PlatDebugOut("EGL: no surfaceless display");
        return 0;
    }
    eglDisplay = display;
    return 1;
}

static int MakeEglContext() {
    if (!OpenEglDisplay() || !eglBindAPI(EGL_OPENGL_API))
        return 0;
    const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION,
                                 3,
                                 EGL_CONTEXT_MINOR_VERSION,
                                 3,
                                 EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                 EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT,
                                 EGL_NONE};
    eglContext = eglCreateContext(eglDisplay, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
    if (eglContext == EGL_NO_CONTEXT ||
        !eglMakeCurrent(eglDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, eglContext)) {
        PlatDebugOut("EGL: no OpenGL 3.3 core context");
        DropEgl();
        return 0;
    }
    return 1;
}

int GlContextAcquire() {
    if (!PlatIsHeadless())
        return windowContext;
    if (eglUsers == 0 && !MakeEglContext())
        return 0;
    eglUsers++;
    return 1;
}

void GlContextRelease() {
    if (!PlatIsHeadless() || eglUsers == 0)
        return;
    if (--eglUsers == 0)
        DropEgl();
}
