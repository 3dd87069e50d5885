// The network game messages: senders, and the receive thread's dispatch.
// Received messages are untrusted: each is checked for its exact size, its
// indices, its values and its sender before it touches anything.
#pragma once

#include <cstdint>

// The slot swap between a car number and a wire slot (its own inverse).
int SlotSwap(int c);

void SendChatText(const char* text);
void SendAssignIndex(int index);
void SendCarChoice();
void SendCommand(int command, int applyLocally);
void SendPause();
void SendResume();
void SendQuit();
void SendStandings();
void SendRaceResults(int unused);
void SendHostIndex();
void SendGo();
void SendHitReport(int car);
void SendPlayerList();

// Receive thread.
void HandleGameMessage(uint32_t from, const uint8_t* data, int size);
void ApplyPlayerList(uint32_t from, const uint8_t* data, int size);
void ApplyCommand(int sender, int command);
