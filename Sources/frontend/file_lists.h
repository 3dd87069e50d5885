// File lists and save slots: the directory scans, the list box and the
// information panel.
#pragma once

// Not built yet: the lists.  Until they are, every scan finds nothing (the
// list stays empty, 0), the list box draws nothing and the panel is blank.
int ListFiles(const char* pattern, const char* extension);
void UpdateListWidget(int screen, int thumbItem, int firstRowItem, int list, int visibleRows, int firstTextSlot,
                      const char* rows, int rowBytes);
void ShowFileInfo(int row);
void ShowBlankInfo();
void ShowNameInfo();
void ShowWinsInfo();
void StampCareerDate();
void ShowSlotRows();
void ShowSaveRows();
