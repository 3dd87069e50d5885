// File lists and save slots: the directory scans, the list box and the
// information panel.
#pragma once

// Fills FileListRow for the current list (MenuListId) from the files of the
// folder pattern ("USERS\*") whose extension matches; 1.  The profile and
// replay lists are sorted by name; the slot lists (1 and 2) show row i as
// the slot file SAVE nn.rb numbered i + 1, the empty-slot text when it is
// missing.  Names that could not be typed as a file name are not listed.
int ListFiles(const char* pattern, const char* extension);
// 1 when the name's last "." (not its first character) starts exactly the
// extension.
int HasExtension(const char* name, const char* extension);
// Appends one row for the current list (at most 127 rows).
void AddFileRow(const char* name, const char* pattern);
// Deletes the profile whose folder TextBufferA names, its .usr, and relists
// the profiles.
void DeleteProfileFiles(int list);
// Deletes the one file TextBufferA names (under USERS) and relists the
// profiles; nothing in the menus asks for it.
void DeletePathAndRelist(int list);
// The full file names behind the replay list's rows.
extern char ReplayFileNames[256][32];

// One frame of a list box: scrolls ListTop by the one-frame requests, copies
// the rows shown into the text slots from firstTextSlot (and their colours
// onto the row items), places the scroll thumb, or follows the pointer while
// the thumb is dragged.  Screen 11's rows are the 160-byte chat lines.
extern int ListThumbDrag;
void UpdateListWidget(int screen, int thumbItem, int firstRowItem, int list, int visibleRows, int firstTextSlot,
                      const char* rows, int rowBytes);
// The information panel of a save slot row: player, money ("?" when it is
// not a finite amount), races won and date; blank when the slot's head
// cannot be read or names no player.  On the replay list, the panel of the
// row under the pointer (ShowReplayInfo).
void ShowFileInfo(int row);
void ShowBlankInfo();
// Text slot 780 the current player's name, 782 the current career's wins.
void ShowNameInfo();
void ShowWinsInfo();
// The date and time into text slot 783 and the career record's date field.
void StampCareerDate();
// After a slot list is made: on the load list its selected row marked and
// shown in the panel; on the save list the panel blanked.
void ShowSlotRows();
// The save screen's panel, every frame while no text entry runs: the name
// and wins of the career about to be saved.
void ShowSaveRows();
