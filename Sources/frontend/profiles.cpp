#include "frontend/profiles.h"

#include "frontend/frontend_state.h"

unsigned char PlayerProfile[256];

// Not built yet: the profiles.
int ProfileLogin() { return 0; }
int ProfileScreenAction(int*, int) { return 0; }
void StartProfileCreation() {}
int CommitProfileName() { return 0; }
int CommitSaveSlot() { return 0; }
