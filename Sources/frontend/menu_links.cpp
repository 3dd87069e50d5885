#include "frontend/menu_links.h"

#include "frontend/frontend_state.h"
#include "menulayout/menulayout_state.h"
#include "sound/music.h"

int ReturnScreen;

// A link that sets or clears these bits starts a slide: the frame plays the
// slide sound for it.
static const uint32_t kSlideBits = MENU_SLIDE_IN | MENU_SLIDE_OUT;

// A group row sets its set mask and clears its clear mask on up to 13 items
// of its screen; it never switches screens and leaves the done marks.
static void RunGroupLink(int row, int* clicked) {
    if (row < 0 || row >= MENU_GROUP_ROWS)
        return;
    const float* g = MenuGroupTable[row];
    const int screen = (int)g[0];
    const uint32_t set = (uint32_t)(int)g[14];
    const uint32_t clear = (uint32_t)(int)g[15];
    if ((set & MENU_SLIDE_IN) || (clear & MENU_SLIDE_OUT))
        MenuRefreshFlag = 1;
    for (int j = 1; j <= MENU_GROUP_ITEMS; j++) {
        const int member = (int)g[j];
        if (member <= 0)
            continue;
        MenuStateWord = 0;
        *clicked = 0;
        if (screen >= 0 && screen < MENU_SCREENS && member < MENU_ITEMS) {
            uint32_t& flags = MenuScreenTable[screen][member].flags;
            if (set)
                flags |= set;
            if (clear)
                flags &= ~clear;
        }
        PlayClickSound();
    }
}

void RunItemLinks(int* screen, int itemScreen, int item, int* clicked) {
    if (itemScreen < 0 || itemScreen >= MENU_SCREENS || item < 0 || item >= MENU_ITEMS)
        return;
    const MenuItem& it = MenuScreenTable[itemScreen][item];
    int newScreen = *screen;
    if (it.flags & MENU_RETURN) {
        *screen = ReturnScreen;
        MenuStateWord = 0;
        *clicked = 0;
    }
    if (!(it.flags & MENU_LINKED))
        return;
    // A parent that has slid off the screen takes its children's links with it.
    const int parent = ParentItem >= 0 && ParentItem < MENU_ITEMS ? ParentItem : 0;
    const float parentX = MenuScreenTable[itemScreen][parent].screenX;
    if (!(parentX >= 0.0f && parentX <= 640.0f))
        return;
    for (int k = 0; k < MENU_LINKS; k++) {
        const int32_t link = it.links[k];
        if (link == -1)
            continue;
        const int target = link >> LINK_SCREEN_SHIFT;
        const int n = link & LINK_ITEM_MASK;
        if (target == LINK_GROUP_SCREEN) {
            RunGroupLink(n, clicked);
            continue;
        }
        if (target < 0 || target >= MENU_SCREENS || n >= MENU_ITEMS)
            continue;
        const int op = (int)((it.operations >> (2 * k)) & 3);
        const uint32_t mask = it.masks[k];
        MenuStateWord = 0;
        *clicked = 0;
        if (n < MENU_ITEM_COUNT)
            ItemDoneMarks[n] = 0;   // handled again in this frame's next pass
        if (mask & kSlideBits)
            MenuRefreshFlag = 1;
        uint32_t& flags = MenuScreenTable[target][n].flags;
        if (op == LINK_OR)
            flags |= mask;
        else if (op == LINK_AND_NOT)
            flags &= ~mask;
        else if (op == LINK_XOR)
            flags ^= mask;
        if (flags & MENU_PAGE_ROOT)
            newScreen = target;
        PlayClickSound();
    }
    *screen = newScreen;
}
