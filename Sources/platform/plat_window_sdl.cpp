// The SDL2 backend of the window: one full-screen-desktop window whose
// events become window messages.

#include <SDL.h>

#include <cstring>

#include "platform/plat_internal.h"
#include "platform/plat_keys.h"
#include "platform/plat_system.h"

static SDL_Window* window;
static int videoStarted;

int SdlVideoInit() {
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        PlatDebugOut(SDL_GetError());
        return 0;
    }
    videoStarted = 1;
    return 1;
}

void SdlVideoShutdown() {
    SdlDestroyWindow();
    if (videoStarted)
        SDL_Quit();
    videoStarted = 0;
}

int SdlCreateWindow(const char* title) {
    int width = 640, height = 480;
    SdlDesktopSize(&width, &height);
    window = SDL_CreateWindow(title, 0, 0, width, height,
                              SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    if (!window) {
        PlatDebugOut(SDL_GetError());
        return 0;
    }
    SDL_StartTextInput();
    return 1;
}

void SdlDestroyWindow() {
    if (!window)
        return;
    SDL_StopTextInput();
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

// SDL key to the game's virtual key; 0 for keys the game has no code for.
static int VirtualKeyOf(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z)
        return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9)
        return '0' + (key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12)
        return VK_F1 + (key - SDLK_F1);
    switch (key) {
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_TAB: return VK_TAB;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return VK_CONTROL;
    case SDLK_LALT:
    case SDLK_RALT: return VK_MENU;
    case SDLK_PAUSE: return VK_PAUSE;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_PAGEUP: return VK_PRIOR;
    case SDLK_PAGEDOWN: return VK_NEXT;
    case SDLK_END: return VK_END;
    case SDLK_HOME: return VK_HOME;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_UP: return VK_UP;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_INSERT: return VK_INSERT;
    case SDLK_DELETE: return VK_DELETE;
    default: return 0;
    }
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
        if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED)
            QueuePost(WM_ACTIVATE, 1, 0);
        else if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST)
            QueuePost(WM_ACTIVATE, 0, 0);
        else if (e.window.event == SDL_WINDOWEVENT_CLOSE)
            QueuePost(WM_CLOSE, 0, 0);
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        const int vk = VirtualKeyOf(e.key.keysym.sym);
        if (vk)
            QueuePost(e.type == SDL_KEYDOWN ? WM_KEYDOWN : WM_KEYUP, (uintptr_t)vk, 0);
        // Keys that type a control character never come as text input.
        if (e.type == SDL_KEYDOWN) {
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
