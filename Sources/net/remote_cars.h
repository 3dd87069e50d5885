// Remote cars and race synchronisation.
#pragma once

void SendControlBits();
void ApplyControlBits(int car);
void ApplyRemoteCar(int car);
void UpdateRemoteWheels(int car);
void SendCarStates();
void NetCountdown();
void WarmUpRemoteCars();
void WaitAllLoaded();
