// Player profiles: the profile screen, login, creation and the saving of a
// career slot.  A profile is USERS\<name>.usr (PlayerProfile) and the folder
// USERS\<name>\ with twelve slots, Camp.r-b and records.dat.
#pragma once

extern unsigned char PlayerProfile[256];   // byte 0: last slot used + 1 (1..12), 0xFF none

// The ten words that switch hidden modes instead of making a profile, in
// 16-byte rows.
enum { SPECIAL_PROFILE_NAMES = 10 };
extern const char SpecialProfileNames[SPECIAL_PROFILE_NAMES][16];

// Logs the selected profile (CurrentPlayerName) in: its last slot is
// selected and, outside the championship, loaded; then the screen of the
// chosen mode.  1 when a profile file was read.
int ProfileLogin();
// 1 while a profile is logged in: the current name has its profile file.
int ProfileLoggedIn();
// The career in memory becomes the logged-in profile's own: kept when it
// already is, else the profile's last saved slot, else a new career of its
// own; with no profile logged in, a new career of no one's.
void TakeProfileCareer();
// The actions of the profile screen's items: 1 when the action ended the
// call (no scroll output, no links).
int ProfileScreenAction(int* screen, int item);
// Item 15, or the profile screen with no profile: the name panel comes in.
void StartProfileCreation();
// The typed name of screen 18: a special word's effect, or a new profile.
// 1 when the frame must end at once.
int CommitProfileName();
// The typed description of screen 21: the career is saved into the row's
// slot.  1 when the slot was written.
int CommitSaveSlot();

// Reads USERS\<name>.usr into PlayerProfile when it is 256 bytes with a
// first byte of 1..12 or 0xFF (1); else PlayerProfile is left alone (0).
int ReadProfileFile(const char* name);
// USERS\<name>.usr; 0 when the name is not a safe file name.
int ProfilePath(const char* name, char* path, int size);
// Why a profile file image is refused, or null.
const char* ProfileImageProblem(const unsigned char* bytes, int size);
// Makes the profile `name` on disk: folder, twelve slots, Camp.r-b and
// records.dat, then the .usr.  A failed write removes what was made (0).
int CreateProfileFiles(const char* name);
