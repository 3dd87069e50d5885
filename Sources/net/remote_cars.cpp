#include "net/remote_cars.h"

void SendControlBits() {}
void ApplyControlBits(int) {}
void ApplyRemoteCar(int) {}
void UpdateRemoteWheels(int) {}
void SendCarStates() {}
void NetCountdown() {}
void WarmUpRemoteCars() {}
void WaitAllLoaded() {}
