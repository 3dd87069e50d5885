#include "menulayout/layout_builder.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

char MenuLayoutError[160];

namespace {

struct Parser {
    int screen;
    int line;
    const char* p;        // the rest of the current line
    const char* end;      // its end
    MenuItem* item;       // the item the link lines belong to
    int itemNumber;
    int linkCount;
    bool failed;

    void Fail(const char* what) {
        if (!failed)
            snprintf(MenuLayoutError, sizeof MenuLayoutError, "menu layout: screen %d line %d: %s", screen, line,
                     what);
        failed = true;
    }

    void SkipBlanks() {
        while (p < end && (*p == ' ' || *p == '\t'))
            p++;
    }

    // The next blank-separated word, copied into `word`; false at the end.
    bool Word(char* word, int size) {
        SkipBlanks();
        if (p >= end)
            return false;
        int n = 0;
        while (p < end && *p != ' ' && *p != '\t') {
            if (n < size - 1)
                word[n++] = *p;
            p++;
        }
        word[n] = 0;
        return true;
    }
};

bool ParseInt(const char* text, long* value, const char** rest) {
    char* stop;
    *value = strtol(text, &stop, 0);
    if (stop == text)
        return false;
    *rest = stop;
    return true;
}

// "N", "N,M", "N,M,O,P" or "N/M" into up to four numbers; the count parsed.
int ParseNumbers(const char* text, long* out, int most, char separator) {
    int n = 0;
    const char* rest = text;
    while (n < most) {
        if (!ParseInt(rest, &out[n], &rest))
            return -1;
        n++;
        if (*rest == 0)
            return n;
        if (*rest != separator)
            return -1;
        rest++;
    }
    return -1;
}

bool Fits16(long v) { return v >= -32768 && v <= 32767; }

void ParseField(Parser& ps, MenuItem& item, const char* word, bool* targetGiven, int* targetFrom) {
    const char* eq = strchr(word, '=');
    if (!eq) {
        ps.Fail("a field without '='");
        return;
    }
    const size_t keyLength = (size_t)(eq - word);
    const char* value = eq + 1;
    auto key = [&](const char* name) { return strlen(name) == keyLength && strncmp(word, name, keyLength) == 0; };
    long v[4];
    if (key("at") || key("home") || key("to")) {
        if (key("to") && value[0] == '@') {
            if (ParseNumbers(value + 1, v, 1, ',') != 1 || v[0] < 0 || v[0] >= MENU_ITEMS)
                return ps.Fail("bad to=@item");
            *targetFrom = (int)v[0];
            *targetGiven = true;
            return;
        }
        if (ParseNumbers(value, v, 2, ',') != 2)
            return ps.Fail("a position needs X,Y");
        if (key("at")) {
            item.x = (float)v[0];
            item.y = (float)v[1];
        } else if (key("home")) {
            if (!Fits16(v[0]) || !Fits16(v[1]))
                return ps.Fail("home out of range");
            item.homeX = (int16_t)v[0];
            item.homeY = (int16_t)v[1];
        } else {
            item.targetX = (float)v[0];
            item.targetY = (float)v[1];
            *targetGiven = true;
        }
    } else if (key("hit")) {
        if (ParseNumbers(value, v, 4, ',') != 4)
            return ps.Fail("hit needs L,R,T,B");
        for (long n : v) {
            if (!Fits16(n))
                return ps.Fail("hit out of range");
        }
        item.hitLeft = (int16_t)v[0];
        item.hitRight = (int16_t)v[1];
        item.hitTop = (int16_t)v[2];
        item.hitBottom = (int16_t)v[3];
    } else if (key("colour")) {
        if (ParseNumbers(value, v, 2, '/') != 2 || v[0] < 0 || v[0] >= MENU_COLOURS || v[1] < 0 ||
            v[1] >= MENU_COLOURS)
            return ps.Fail("colour needs N/H, indices 0..9");
        item.colour = (uint8_t)v[0];
        item.hoverColour = (uint8_t)v[1];
    } else if (key("bounds")) {
        if (ParseNumbers(value, v, 2, ',') != 2 || v[0] < -128 || v[1] > 127 || v[0] > v[1])
            return ps.Fail("bounds needs LOW,HIGH");
        item.lowerBound = (int8_t)v[0];
        item.upperBound = (int8_t)v[1];
    } else {
        if (ParseNumbers(value, v, 1, ',') != 1)
            return ps.Fail("a field needs a number");
        const long n = v[0];
        if (key("pic") && n > 0 && n < 535) {
            item.firstPicture = (int16_t)n;
        } else if (key("frames") && n >= 0 && n <= 127) {
            item.extraFrames = (int8_t)n;
        } else if (key("map") && n >= 0 && n < 80) {
            item.levelMap = (int16_t)n;
        } else if (key("slot") && n >= 0 && n < 3000) {
            item.textSlot = (int16_t)n;
        } else if (key("font") && n >= 0 && n <= 2) {
            item.font = (int8_t)n;
        } else if (key("parent") && n > 0 && n < MENU_ITEMS) {
            item.parent = (uint8_t)n;
        } else if (key("value") && n >= -128 && n <= 127) {
            item.value = (int8_t)n;
        } else {
            ps.Fail("an unknown field or a value out of range");
        }
    }
}

void ParseLink(Parser& ps) {
    char op[16], mask[16], target[32];
    if (!ps.item)
        return ps.Fail("a link before any item");
    if (!ps.Word(op, sizeof op))
        return ps.Fail("a link needs a target");
    int operation = LINK_OR;
    long maskValue = 0, number;
    const char* rest;
    int32_t link;
    if (strcmp(op, "none") == 0) {
        // An empty slot that the menu actions fill in before the links run.
        link = -1;
    } else if (strncmp(op, "group:", 6) == 0) {
        // A group row carries its own masks: the slot's mask and operation are 0.
        if (!ParseInt(op + 6, &number, &rest) || *rest || number < 0 || number >= MENU_GROUP_ROWS)
            return ps.Fail("a group row out of the table");
        link = MakeLink(LINK_GROUP_SCREEN, (int)number);
    } else {
        if (!ps.Word(mask, sizeof mask) || !ps.Word(target, sizeof target))
            return ps.Fail("a link needs an operation, a mask and a target");
        if (strcmp(op, "or") == 0)
            operation = LINK_OR;
        else if (strcmp(op, "and-not") == 0)
            operation = LINK_AND_NOT;
        else if (strcmp(op, "xor") == 0)
            operation = LINK_XOR;
        else
            return ps.Fail("a link operation is or, and-not or xor");
        if (!ParseInt(mask, &maskValue, &rest) || *rest || maskValue < 0)
            return ps.Fail("a link mask is a number");
        const char* colon = strchr(target, ':');
        long screen;
        if (!colon || !ParseInt(colon + 1, &number, &rest) || *rest || !ParseInt(target, &screen, &rest) ||
            rest != colon)
            return ps.Fail("a link target is screen:item");
        if (screen < 0 || screen >= MENU_SCREENS || number < 0 || number >= MENU_ITEMS)
            return ps.Fail("a link to an item out of the table");
        link = MakeLink((int)screen, (int)number);
    }
    if (ps.linkCount >= MENU_LINKS)
        return ps.Fail("more than eight links");
    const int k = ps.linkCount++;
    ps.item->links[k] = link;
    ps.item->masks[k] = (uint32_t)maskValue;
    ps.item->operations |= (uint32_t)operation << (2 * k);
}

void ParseItem(Parser& ps, const char* first) {
    long number;
    const char* rest;
    if (!ParseInt(first, &number, &rest) || *rest || number < 0 || number >= MENU_ITEMS - 1)
        return ps.Fail("an item number 0..199");
    char kind[16], flagsWord[24];
    if (!ps.Word(kind, sizeof kind) || !ps.Word(flagsWord, sizeof flagsWord))
        return ps.Fail("an item needs a kind and flags");
    long flags;
    if (!ParseInt(flagsWord, &flags, &rest) || *rest || flags < 0)
        return ps.Fail("bad flags");
    uint32_t need = 0;
    if (strcmp(kind, "root") == 0)
        need = MENU_PAGE_ROOT;
    else if (strcmp(kind, "pic") == 0)
        need = MENU_PICTURE;
    else if (strcmp(kind, "text") == 0)
        need = MENU_TEXT;
    if (need == 0 || !((uint32_t)flags & need))
        return ps.Fail("the kind is root, pic or text and its flag must be set");

    MenuItem& item = MenuScreenTable[ps.screen][number];
    if (item.flags != 0)
        return ps.Fail("an item given twice");
    item.flags = (uint32_t)flags;
    if (need == MENU_PICTURE)
        item.value = 1;
    bool targetGiven = false;
    int targetFrom = -1;
    char word[48];
    while (!ps.failed && ps.Word(word, sizeof word))
        ParseField(ps, item, word, &targetGiven, &targetFrom);
    if (targetFrom >= 0) {
        const MenuItem& from = MenuScreenTable[ps.screen][targetFrom];
        if (from.flags == 0)
            return ps.Fail("to=@item names an item not yet given");
        item.targetX = from.x;
        item.targetY = from.y;
    } else if (!targetGiven && need == MENU_PICTURE) {
        item.targetX = item.x;
        item.targetY = item.y;
    }
    if (item.flags & MENU_LOOPING)
        item.currentPicture = item.firstPicture;
    ps.item = &item;
    ps.itemNumber = (int)number;
    ps.linkCount = 0;
}

}  // namespace

int BuildMenuScreen(int screen, const char* text) {
    Parser ps = {};
    ps.screen = screen;
    int items = 0;
    const char* line = text;
    while (*line && !ps.failed) {
        ps.line++;
        const char* lineEnd = strchr(line, '\n');
        if (!lineEnd)
            lineEnd = line + strlen(line);
        const char* comment = (const char*)memchr(line, '#', (size_t)(lineEnd - line));
        ps.p = line;
        ps.end = comment ? comment : lineEnd;
        char first[24];
        if (ps.Word(first, sizeof first)) {
            if (strcmp(first, "link") == 0) {
                ParseLink(ps);
            } else {
                ParseItem(ps, first);
                items++;
            }
        }
        line = *lineEnd ? lineEnd + 1 : lineEnd;
    }
    return ps.failed ? -1 : items;
}

// Called once by the front end's start-up, after the table is cleared.
int BuildMenuLayout() {
    MenuLayoutError[0] = 0;
    int total = 0;
    for (int screen = 0; screen < MENU_LAYOUT_SCREENS; screen++) {
        const int items = BuildMenuScreen(screen, MenuLayoutText[screen]);
        if (items < 0)
            return -1;
        total += items;
    }
    return total;
}
