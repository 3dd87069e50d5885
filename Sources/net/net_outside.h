// What network play asks of the front end, the race and sound.  Every call
// that leaves the network code goes through here, so that the message
// dispatch can be built and fuzzed on its own.
#pragma once

// Texts (main thread only: they use the text buffers).
int NetGetText(int slot, char* out, int size);   // the message file's text, NUL-terminated; its length
void NetPutSlot(int slot, const char* text, int length);
void NetConsoleLine(const char* text);
void NetChatLine(const char* text);
void NetScrollChatLines();

// Menus (main thread).
int NetMenuScreen();
void NetShowPopup(int code);
void NetSetListRow(int row, const char* text);
void NetChangeItemFlags(int screen, int item, unsigned set, unsigned clear);
void NetListScrollBack();
void NetJumpToCarChoice();
void NetDisableLobbyItemA();
void NetDisableLobbyItemB();
void NetPlayMessageSound();
void NetLeaveRace();   // the pause menu's quit

// The race (tick thread, under the simulation lock).
void NetStepCarBody(int car);
void NetUpdateCarHeading(int car);
void NetUpdateChaseCamera(int car);
void NetWheelWorldPositions(int car);
float NetCarHeadingRate(int car);            // turn rate + 0.05 x body spin
void NetSetCarTurnRate(int car, float rate);
void NetSetBodyHeading(int car, float heading);
void NetCarForwardAxis(int car, float forward[3]);
void NetSpinWheels(int car, float amount);
float NetFastSqrt(float value);
void NetSetCarEngineType(int player);
void NetSettleBodyHeight(int car);           // the body's height to SimPosY
void NetHitImpact(int car, float x, float z, int kind);   // impact sparks at (x, z) and the car crash sound
void NetSetTiltRates(int car, float rate1, float rate2);
void NetApplyRaceOrder(const int order[8], const int positions[8], int count);
void NetReadRaceOrder(int order[8], int positions[8]);
void NetApplyStandings(const int points[8], const int totals[8], int count);
void NetReadStandings(int points[8], int totals[8]);
