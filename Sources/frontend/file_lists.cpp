#include "frontend/file_lists.h"

#include "frontend/frontend_state.h"

// Not built yet: the lists find nothing and show nothing.
int ListFiles(const char*, const char*) {
    if (MenuListId >= 0 && MenuListId < MENU_LISTS)
        FileListCounts[MenuListId] = 0;
    return 0;
}
void UpdateListWidget(int, int, int, int, int, int, const char*, int) {}
void ShowFileInfo(int) {}
void ShowBlankInfo() {}
void ShowNameInfo() {}
void ShowWinsInfo() {}
void StampCareerDate() {}
void ShowSlotRows() {}
void ShowSaveRows() {}
