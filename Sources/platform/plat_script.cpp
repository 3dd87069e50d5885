// The scripted input of whole-program runs: a frame-stamped list of key and
// joystick events, parsed into a fixed table and delivered by the frame loop.

#include "platform/plat_script.h"

#include <cctype>
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
};

struct ScriptEvent {
    int frame;
    int verb;
    int a, b;   // key: scan, down; axis: axis, position; button: button, down; attach: kind
};

ScriptEvent events[SCRIPT_MAX_EVENTS];
int eventCount;
int nextEvent;

// One line's words, split on blanks; a '#' starts a comment.
struct Words {
    char text[256];
    const char* word[8];
    int count;
};

void Split(const char* line, size_t length, Words* w) {
    if (length >= sizeof w->text)
        length = sizeof w->text - 1;
    memcpy(w->text, line, length);
    w->text[length] = 0;
    if (char* hash = strchr(w->text, '#'))
        *hash = 0;
    w->count = 0;
    char* p = w->text;
    while (*p && w->count < 8) {
        while (*p && isspace((unsigned char)*p))
            p++;
        if (!*p)
            break;
        w->word[w->count++] = p;
        while (*p && !isspace((unsigned char)*p))
            p++;
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
    if (strcmp(verb, "joy") != 0)
        return "unknown event (key, joy)";
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
    default: break;
    }
}

}  // namespace

void PlatScriptClear() { eventCount = nextEvent = 0; }

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
    while (nextEvent < eventCount && events[nextEvent].frame <= frame)
        Deliver(events[nextEvent++]);
}

int PlatScriptEventCount() { return eventCount; }

int PlatScriptLastFrame() { return eventCount > 0 ? events[eventCount - 1].frame : -1; }
