#include "net/lobby.h"

void SendPlayerList() {}
void OnNetListGrew() {}
