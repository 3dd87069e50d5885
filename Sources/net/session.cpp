#include "net/session.h"

#include "net/net_state.h"

// No session is ever opened yet; closing one only clears the flag.
void ShutdownDirectPlay() { NetSessionOpen = 0; }
