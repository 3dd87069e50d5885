#include "net/net_messages.h"

void SendCommand(int, int) {}
