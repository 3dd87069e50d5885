// The SDL2 backend of the window: one window with an OpenGL context, over
// the whole desktop in full screen or a plain window of its own place and
// size, whose events become window messages and feed the input devices.

#include <SDL.h>

#include <cstring>

#include "platform/plat_devices_internal.h"
#include "platform/plat_internal.h"
#include "platform/plat_keys.h"
#include "platform/plat_surface.h"
#include "platform/plat_system.h"

static SDL_Window* window;
static int videoStarted;

int SdlVideoInit() {
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        PlatDebugOut(SDL_GetError());
        return 0;
    }
    videoStarted = 1;
    DisplayReset();
    InputReset();
    return 1;
}

SDL_Window* SdlWindowHandle() { return window; }

void SdlVideoShutdown() {
    SdlDestroyWindow();
    if (videoStarted)
        SDL_Quit();
    videoStarted = 0;
}

int SdlCreateWindow(const char* title) {
    int width = 640, height = 480;
    SdlDesktopSize(&width, &height);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    window = SDL_CreateWindow(title, 0, 0, width, height,
                              SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    if (!window) {
        PlatDebugOut(SDL_GetError());
        return 0;
    }
    // Without OpenGL the window still opens; the 3D device then cannot
    // start, and the framework says so.
    SdlGlCreateContext();
    SDL_StartTextInput();
    return 1;
}

void SdlDestroyWindow() {
    if (!window)
        return;
    SDL_StopTextInput();
    SdlGlDestroyContext();
    SDL_DestroyWindow(window);
    window = nullptr;
}

void SdlDesktopSize(int* width, int* height) {
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0) {
        *width = mode.w;
        *height = mode.h;
    } else {
        *width = 640;
        *height = 480;
    }
}

int SdlWindowIsMinimised() { return window && (SDL_GetWindowFlags(window) & SDL_WINDOW_MINIMIZED) != 0; }
int SdlWindowHasFocus() { return window && (SDL_GetWindowFlags(window) & SDL_WINDOW_INPUT_FOCUS) != 0; }

void SdlShowCursor(int show) { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }

int SdlMessageBox(const char* caption, const char* text, int flags) {
    const Uint32 kind = (flags & PLAT_MB_ICONERROR) ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    return SDL_ShowSimpleMessageBox(kind, caption, text, window) == 0;
}

void SdlRaiseWindow() {
    if (!window)
        return;
    SDL_RestoreWindow(window);
    SDL_RaiseWindow(window);
}

void SdlGetWindowRect(PlatRect* rect) {
    int x = 0, y = 0, w = 640, h = 480;
    if (window) {
        SDL_GetWindowPosition(window, &x, &y);
        SDL_GetWindowSize(window, &w, &h);
    }
    *rect = {x, y, x + w, y + h};
}

// SDL keeps a full-screen window's place and size for when it leaves full
// screen, so the rectangle can be given first.
void SdlSetWindowRect(const PlatRect* rect) {
    if (!window)
        return;
    SDL_SetWindowSize(window, rect->right - rect->left, rect->bottom - rect->top);
    SDL_SetWindowPosition(window, rect->left, rect->top);
    SDL_ShowWindow(window);
}

// The virtual key of a key event: letters and digits as the keyboard layout
// labels them, every other key from the key table.
static int VirtualKeyOf(const SDL_Keysym& key, int scan) {
    if (key.sym >= SDLK_a && key.sym <= SDLK_z)
        return 'A' + (key.sym - SDLK_a);
    if (key.sym >= SDLK_0 && key.sym <= SDLK_9)
        return '0' + (key.sym - SDLK_0);
    const PlatKeyInfo* info = PlatKeyByScan(scan);
    return info ? info->virtualKey : 0;
}

// Decodes one UTF-8 sequence; returns the code point or -1.
static int NextCodePoint(const unsigned char*& s) {
    const int c = *s++;
    if (c < 0x80)
        return c;
    int extra = (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
    if (extra < 0)
        return -1;
    int cp = c & (0x3F >> extra);
    while (extra-- > 0) {
        if ((*s & 0xC0) != 0x80)
            return -1;
        cp = (cp << 6) | (*s++ & 0x3F);
    }
    return cp;
}

// The Windows-1252 byte of a code point, or -1 when it has none.
static int Cp1252Of(int cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return cp;
    static const int high[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                 0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    for (int i = 0; i < 32; i++) {
        if (high[i] == cp)
            return 0x80 + i;
    }
    return -1;
}

static void PostText(const char* utf8) {
    const unsigned char* s = (const unsigned char*)utf8;
    while (*s) {
        const int byte = Cp1252Of(NextCodePoint(s));
        if (byte > 0)
            QueuePost(WM_CHAR, (uintptr_t)byte, 0);
    }
}

static void TranslateEvent(const SDL_Event& e) {
    switch (e.type) {
    case SDL_QUIT: QueuePost(WM_CLOSE, 0, 0); break;
    case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
            DisplayFocusChanged(1);
            QueuePost(WM_ACTIVATE, 1, 0);
        } else if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
            InputFocusChanged(0);
            DisplayFocusChanged(0);
            QueuePost(WM_ACTIVATE, 0, 0);
        }
        else if (e.window.event == SDL_WINDOWEVENT_CLOSE)
            QueuePost(WM_CLOSE, 0, 0);
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        const int scan = KeyScanOfSdl(e.key.keysym.scancode);
        const int vk = VirtualKeyOf(e.key.keysym, scan);
        const int down = e.type == SDL_KEYDOWN;
        InputKeyEvent(scan, vk, down);
        // lParam carries the scan code in bits 16-23 and the extended flag
        // in bit 24, as key messages do.
        const intptr_t lParam = (intptr_t)(scan & 0x7F) << 16 | (scan & 0x80 ? (intptr_t)1 << 24 : 0);
        if (vk)
            QueuePost(down ? WM_KEYDOWN : WM_KEYUP, (uintptr_t)vk, lParam);
        // Keys that type a control character never come as text input.
        if (down) {
            if (vk == VK_RETURN)
                QueuePost(WM_CHAR, 13, 0);
            else if (vk == VK_ESCAPE)
                QueuePost(WM_CHAR, 27, 0);
            else if (vk == VK_TAB)
                QueuePost(WM_CHAR, 9, 0);
            else if (vk == VK_BACK)
                QueuePost(WM_CHAR, 8, 0);
        }
        break;
    }
    case SDL_MOUSEMOTION: {
        InputMouseMotion(e.motion.xrel, e.motion.yrel);
        float x = 0.0f, y = 0.0f;
        SdlWindowToOutput(e.motion.x, e.motion.y, &x, &y);
        InputMousePosition(x, y);
        break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        const int button = e.button.button == SDL_BUTTON_LEFT    ? 0
                           : e.button.button == SDL_BUTTON_RIGHT ? 1
                           : e.button.button == SDL_BUTTON_MIDDLE ? 2
                                                                  : -1;
        if (button >= 0)
            InputMouseButton(button, e.type == SDL_MOUSEBUTTONDOWN);
        break;
    }
    case SDL_TEXTINPUT: PostText(e.text.text); break;
    default: break;
    }
}

void SdlPollEvents() {
    SDL_Event e;
    while (SDL_PollEvent(&e))
        TranslateEvent(e);
}

void SdlWaitEvents(int timeoutMs) {
    SDL_Event e;
    if (SDL_WaitEventTimeout(&e, timeoutMs))
        TranslateEvent(e);
}
