// The network game messages.
#pragma once

void SendCommand(int command, int applyLocally);
