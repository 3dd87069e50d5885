// The scripted input of whole-program runs: a frame-stamped list of key and
// joystick events, parsed into a fixed table and delivered by the frame loop.

#include "platform/plat_script.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

#include "platform/plat_devices_internal.h"
#include "platform/plat_headless_devices.h"
#include "platform/plat_internal.h"
#include "platform/plat_keys.h"
#include "platform/plat_system.h"

namespace {

enum ScriptVerb {
    SCRIPT_KEY,
    SCRIPT_JOY_AXIS,
    SCRIPT_JOY_BUTTON,
    SCRIPT_JOY_ATTACH,
    SCRIPT_POINT,
    SCRIPT_SYSTEM_POINTER,
    SCRIPT_CLICK,
    SCRIPT_TYPE,
    SCRIPT_SHOT,
    SCRIPT_EXPECT_SCREEN,
};

struct ScriptEvent {
    int frame;
    int verb;
    int a, b;   // key: scan, down; axis: axis, position; button: button, down; attach: kind;
                // point, system-pointer: x, y; type and shot: offset and length in the text pool; expect-screen: screen
};

ScriptEvent events[SCRIPT_MAX_EVENTS];
int eventCount;
int nextEvent;
int nextCheck;

// Typed texts and shot names, back to back.
enum { SCRIPT_TEXT_POOL = 65536 };
char textPool[SCRIPT_TEXT_POOL];
int textFill;

float pointerX = 320.0f, pointerY = 240.0f;

// One line's words, split on blanks; a '#' starts a comment.  `rest` keeps
// the line after each word as written, for the verbs that take text.
struct Words {
    char text[256];
    char raw[256];
    const char* word[8];
    const char* rest[8];
    int count;
};

void Split(const char* line, size_t length, Words* w) {
    if (length >= sizeof w->text)
        length = sizeof w->text - 1;
    memcpy(w->text, line, length);
    w->text[length] = 0;
    if (char* hash = strchr(w->text, '#'))
        *hash = 0;
    memcpy(w->raw, w->text, sizeof w->raw);
    w->count = 0;
    char* p = w->text;
    while (*p && w->count < 8) {
        while (*p && isspace((unsigned char)*p))
            p++;
        if (!*p)
            break;
        w->word[w->count] = p;
        while (*p && !isspace((unsigned char)*p))
            p++;
        const char* after = w->raw + (p - w->text);
        while (*after && isspace((unsigned char)*after))
            after++;
        w->rest[w->count++] = after;
        if (*p)
            *p++ = 0;
    }
}


// A whole decimal or 0x number within [low, high].
bool Number(const char* s, long low, long high, int* out) {
    char* end = nullptr;
    const long v = strtol(s, &end, 0);
    if (!end || *end || end == s || v < low || v > high)
        return false;
    *out = (int)v;
    return true;
}

int KeyScan(const char* name) {
    int scan = 0;
    if (Number(name, 1, 255, &scan))
        return PlatKeyByScan(scan) ? scan : 0;
    for (int i = 0; i < PlatKeyCount(); i++) {
        const PlatKeyInfo* key = PlatKeyAt(i);
        if (strcasecmp(key->name, name) == 0)
            return key->scan;
    }
    return 0;
}

bool UpDown(const char* word, int* down) {
    if (strcmp(word, "down") == 0)
        *down = 1;
    else if (strcmp(word, "up") == 0)
        *down = 0;
    else
        return false;
    return true;
}

// Keeps a text in the pool: its offset and length in *offset, *length.
bool PoolText(const char* text, int* offset, int* length) {
    int n = (int)strlen(text);
    while (n > 0 && isspace((unsigned char)text[n - 1]))
        n--;
    if (n == 0 || textFill + n + 1 > SCRIPT_TEXT_POOL)
        return false;
    memcpy(textPool + textFill, text, (size_t)n);
    textPool[textFill + n] = 0;
    *offset = textFill;
    *length = n;
    textFill += n + 1;
    return true;
}

bool IsCheck(int verb) { return verb == SCRIPT_SHOT || verb == SCRIPT_EXPECT_SCREEN; }

// The pointer, typing and check verbs.
const char* ParseMenuEvent(const Words& w, ScriptEvent* e, bool* known) {
    const char* verb = w.word[1];
    *known = true;
    if (strcmp(verb, "point") == 0) {
        e->verb = SCRIPT_POINT;
        if (w.count != 4 || !Number(w.word[2], 0, 639, &e->a) || !Number(w.word[3], 0, 479, &e->b))
            return "point wants: point X Y (0..639, 0..479)";
        return nullptr;
    }
    if (strcmp(verb, "system-pointer") == 0) {
        e->verb = SCRIPT_SYSTEM_POINTER;
        if (w.count != 4 || !Number(w.word[2], 0, 4095, &e->a) || !Number(w.word[3], 0, 4095, &e->b))
            return "system-pointer wants: system-pointer X Y (window pixels, 0..4095)";
        return PlatIsHeadless() ? nullptr : "system-pointer needs --headless";
    }
    if (strcmp(verb, "click") == 0) {
        e->verb = SCRIPT_CLICK;
        return w.count == 2 ? nullptr : "click takes nothing";
    }
    if (strcmp(verb, "type") == 0) {
        e->verb = SCRIPT_TYPE;
        return w.count >= 3 && PoolText(w.rest[1], &e->a, &e->b) ? nullptr : "type wants a text";
    }
    if (strcmp(verb, "shot") == 0) {
        e->verb = SCRIPT_SHOT;
        if (w.count != 3 || strlen(w.word[2]) >= SCRIPT_NAME_SIZE || strpbrk(w.word[2], "/\\"))
            return "shot wants a file name (no folder)";
        return PoolText(w.word[2], &e->a, &e->b) ? nullptr : "too many texts";
    }
    if (strcmp(verb, "expect-screen") == 0) {
        e->verb = SCRIPT_EXPECT_SCREEN;
        return w.count == 3 && Number(w.word[2], 0, 27, &e->a) ? nullptr : "expect-screen wants 0..27";
    }
    *known = false;
    return nullptr;
}

// Parses one line's words into an event; the reason when it cannot.
const char* ParseEvent(const Words& w, ScriptEvent* e) {
    if (!Number(w.word[0], 0, 100000000, &e->frame))
        return "a line starts with its frame number";
    if (w.count < 2)
        return "a frame without an event";
    const char* verb = w.word[1];
    if (strcmp(verb, "key") == 0) {
        if (w.count != 4 || !UpDown(w.word[2], &e->b))
            return "key wants: key down|up NAME";
        e->verb = SCRIPT_KEY;
        e->a = KeyScan(w.word[3]);
        return e->a ? nullptr : "no such key";
    }
    bool known = false;
    const char* reason = ParseMenuEvent(w, e, &known);
    if (known)
        return reason;
    if (strcmp(verb, "joy") != 0)
        return "unknown event (key, joy, point, system-pointer, click, type, shot, expect-screen)";
    if (!PlatIsHeadless())
        return "joystick events need --headless";
    if (w.count == 5 && strcmp(w.word[2], "axis") == 0) {
        e->verb = SCRIPT_JOY_AXIS;
        if (strcmp(w.word[3], "x") == 0)
            e->a = 0;
        else if (strcmp(w.word[3], "y") == 0)
            e->a = 1;
        else
            return "joy axis wants x or y";
        return Number(w.word[4], -32768, 32767, &e->b) ? nullptr : "joy axis wants -32768..32767";
    }
    if (w.count == 5 && strcmp(w.word[2], "button") == 0) {
        e->verb = SCRIPT_JOY_BUTTON;
        if (!Number(w.word[3], 0, 31, &e->a) || !UpDown(w.word[4], &e->b))
            return "joy button wants: joy button 0..31 down|up";
        return nullptr;
    }
    if (w.count == 4 && strcmp(w.word[2], "attach") == 0) {
        static const char* const kinds[4] = {"none", "plain", "force", "rumble"};
        e->verb = SCRIPT_JOY_ATTACH;
        for (int k = 0; k < 4; k++) {
            if (strcmp(w.word[3], kinds[k]) == 0) {
                e->a = k;
                return nullptr;
            }
        }
        return "joy attach wants none, plain, force or rumble";
    }
    return "joy wants axis, button or attach";
}

void Deliver(const ScriptEvent& e) {
    switch (e.verb) {
    case SCRIPT_KEY: {
        const PlatKeyInfo* key = PlatKeyByScan(e.a);
        const int virtualKey = key ? key->virtualKey : 0;
        const intptr_t lParam = ((intptr_t)(e.a & 0x7F) << 16) | ((e.a & 0x80) ? (intptr_t)1 << 24 : 0);
        InputKeyEvent(e.a, virtualKey, e.b);
        QueuePost(e.b ? WM_KEYDOWN : WM_KEYUP, (uintptr_t)virtualKey, lParam);
        if (e.b && (virtualKey == VK_RETURN || virtualKey == VK_ESCAPE || virtualKey == VK_TAB ||
                    virtualKey == VK_BACK))
            QueuePost(WM_CHAR, (uintptr_t)(virtualKey == VK_RETURN ? 13 : virtualKey == VK_ESCAPE ? 27
                                                                       : virtualKey == VK_TAB  ? 9
                                                                                               : 8),
                      0);
        break;
    }
    case SCRIPT_JOY_AXIS: InputHeadlessEvent(WM_JOYAXIS, (uintptr_t)e.a, e.b); break;
    case SCRIPT_JOY_BUTTON: InputHeadlessEvent(WM_JOYBUTTON, (uintptr_t)e.a, e.b); break;
    case SCRIPT_JOY_ATTACH: PlatHeadlessAttachJoystick(e.a); break;
    case SCRIPT_POINT: {
        // Half a layout pixel per count, rounded up so the pointer lands on
        // the pixel asked for.
        const int dx = (int)std::ceil(2.0f * ((float)e.a - pointerX));
        const int dy = (int)std::ceil(2.0f * ((float)e.b - pointerY));
        InputMouseMotion(dx, dy);
        pointerX += 0.5f * (float)dx;
        pointerY += 0.5f * (float)dy;
        break;
    }
    case SCRIPT_SYSTEM_POINTER: InputHeadlessEvent(WM_MOUSEPOSITION, (uintptr_t)e.a, e.b); break;
    case SCRIPT_CLICK:
        InputMouseButton(0, 1);
        InputMouseButton(0, 0);
        break;
    case SCRIPT_TYPE:
        for (int i = 0; i < e.b; i++)
            QueuePost(WM_CHAR, (uintptr_t)(unsigned char)textPool[e.a + i], 0);
        break;
    default: break;
    }
}

}  // namespace

void PlatScriptClear() { eventCount = nextEvent = nextCheck = textFill = 0; }

int PlatScriptParse(const char* text, char* error, int errorSize) {
    PlatScriptClear();
    int lineNumber = 0;
    for (const char* line = text; line && *line;) {
        const char* end = strchr(line, '\n');
        const size_t length = end ? (size_t)(end - line) : strlen(line);
        lineNumber++;
        Words w;
        Split(line, length, &w);
        line = end ? end + 1 : nullptr;
        if (w.count == 0)
            continue;
        ScriptEvent e = {};
        const char* reason = ParseEvent(w, &e);
        if (!reason && eventCount >= SCRIPT_MAX_EVENTS)
            reason = "too many events";
        if (reason) {
            snprintf(error, (size_t)errorSize, "line %d: %s", lineNumber, reason);
            PlatScriptClear();
            return 0;
        }
        // Keep the table in frame order; a frame's events keep file order.
        int at = eventCount++;
        while (at > 0 && events[at - 1].frame > e.frame) {
            events[at] = events[at - 1];
            at--;
        }
        events[at] = e;
    }
    return 1;
}

int PlatScriptLoad(const char* hostPath, char* error, int errorSize) {
    FILE* file = fopen(hostPath, "rb");
    if (!file) {
        snprintf(error, (size_t)errorSize, "cannot read %s", hostPath);
        return 0;
    }
    static char text[SCRIPT_MAX_EVENTS * 48];
    const size_t size = fread(text, 1, sizeof text - 1, file);
    const int whole = feof(file);
    fclose(file);
    if (!whole) {
        snprintf(error, (size_t)errorSize, "%s is too long", hostPath);
        return 0;
    }
    text[size] = 0;
    return PlatScriptParse(text, error, errorSize);
}

void PlatScriptFrame(int frame) {
    while (nextEvent < eventCount && events[nextEvent].frame <= frame) {
        if (!IsCheck(events[nextEvent].verb))
            Deliver(events[nextEvent]);
        nextEvent++;
    }
}

void PlatScriptPointerAt(float x, float y) {
    pointerX = x;
    pointerY = y;
}

int PlatScriptNextCheck(int frame, PlatScriptCheck* out) {
    while (nextCheck < eventCount && events[nextCheck].frame <= frame) {
        const ScriptEvent& e = events[nextCheck++];
        if (!IsCheck(e.verb))
            continue;
        *out = {};
        if (e.verb == SCRIPT_SHOT) {
            out->kind = SCRIPT_CHECK_SHOT;
            snprintf(out->name, sizeof out->name, "%s", textPool + e.a);
        } else {
            out->kind = SCRIPT_CHECK_SCREEN;
            out->screen = e.a;
        }
        return 1;
    }
    return 0;
}

int PlatScriptEventCount() { return eventCount; }

int PlatScriptLastFrame() { return eventCount > 0 ? events[eventCount - 1].frame : -1; }
