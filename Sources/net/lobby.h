// The lobby lists.
#pragma once

void SendPlayerList();
void OnNetListGrew();
