#include "frontend/menu_items.h"

#include <cstring>

#include "frontend/text_slots.h"

MenuItem& ItemAt(int screen, int item) {
    static MenuItem scratch;
    if (screen < 0 || screen >= MENU_SCREENS || item < 0 || item >= MENU_ITEMS) {
        scratch = MenuItem{};
        return scratch;
    }
    return MenuScreenTable[screen][item];
}

void ShowItems(int screen, int first, int last) {
    for (int i = first; i <= last; i++)
        ShowItem(screen, i);
}

void HideItems(int screen, int first, int last) {
    for (int i = first; i <= last; i++)
        HideItem(screen, i);
}

void ThawItems(int screen, int first, int last) {
    for (int i = first; i <= last; i++)
        ThawItem(screen, i);
}

void FreezeItems(int screen, int first, int last) {
    for (int i = first; i <= last; i++)
        FreezeItem(screen, i);
}

void SetItemColours(int screen, int item, int normal, int hover) {
    MenuItem& it = ItemAt(screen, item);
    it.colour = (uint8_t)normal;
    it.hoverColour = (uint8_t)hover;
}

void SlideItemHome(int screen, int item) {
    MenuItem& it = ItemAt(screen, item);
    it.flags = (it.flags | MENU_SLIDE_IN) & ~MENU_SLIDE_OUT;
}

void SlideItemAway(int screen, int item) {
    MenuItem& it = ItemAt(screen, item);
    it.flags = (it.flags & ~MENU_SLIDE_IN) | MENU_SLIDE_OUT;
}

void SetSlotText(int slot, const char* text) {
    if (slot < 0 || slot >= TEXT_SLOT_COUNT)
        return;
    PutText(slot, text);
    SetTextLength(slot, (int)strlen(text));
}

void CopyItemPositions(MenuItem& to, const MenuItem& from) {
    to.x = from.x;
    to.y = from.y;
    to.targetX = from.targetX;
    to.targetY = from.targetY;
    to.homeX = from.homeX;
    to.homeY = from.homeY;
}
