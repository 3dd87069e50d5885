// Player profiles: the profile screen, login, creation and the saving of a
// career slot.
#pragma once

extern unsigned char PlayerProfile[256];

// Not built yet: profiles.  Until they are, login logs nobody in, the
// profile screen's buttons do nothing of their own, a typed name makes no
// profile and a typed description saves no slot (each reports 0).
int ProfileLogin();
// The actions of the profile screen's items: 1 when the action ended the
// call (no scroll output, no links).
int ProfileScreenAction(int* screen, int item);
void StartProfileCreation();
// The commits of a finished entry: 1 when the frame must end at once.
int CommitProfileName();
int CommitSaveSlot();
