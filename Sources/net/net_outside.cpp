// The calls of net_outside.h.  Those marked "not built yet" stand in for a
// part of the menus or the race that another part of the game brings; they
// keep the network code's side of the bargain and do nothing else.
#include "net/net_outside.h"

#include <cstdio>
#include <cstring>

#include "frontend/frontend_state.h"
#include "frontend/text_slots.h"
#include "menulayout/menulayout_state.h"
#include "race/car_pose.h"
#include "race/car_setup.h"
#include "race/messages.h"
#include "race/physics.h"
#include "race/race_state.h"
#include "render/geometry.h"
#include "render/render_state.h"

int NetGetText(int slot, char* out, int size) {
    GetText(slot);
    snprintf(out, (size_t)size, "%s", TextBufferB);
    return (int)strlen(out);
}

void NetPutSlot(int slot, const char* text, int length) {
    PutText(slot, text);
    SetTextLength(slot, length);
}

void NetConsoleLine(const char* text) { ConsoleAddLine(text); }

// Not built yet: the lobby's chat area (the chat line of the text entry).
// Until it is, chat lines go to the message console.
void NetChatLine(const char* text) { ConsoleAddLine(text); }
// Not built yet: the chat area's scroll.
void NetScrollChatLines() {}

int NetMenuScreen() { return MenuScreenShown; }
// Not built yet: the pop-up messages of the menus.
void NetShowPopup(int) {}

void NetSetListRow(int row, const char* text) {
    if (row < 0 || row >= FILE_LIST_ROWS)
        return;
    memset(FileListRow[row], 0, sizeof FileListRow[row]);
    memcpy(FileListRow[row], text, strnlen(text, 24));
}

void NetChangeItemFlags(int screen, int item, unsigned set, unsigned clear) {
    if (screen < 0 || screen >= MENU_SCREENS || item < 0 || item >= MENU_ITEMS)
        return;
    MenuItem& it = MenuScreenTable[screen][item];
    it.flags = (it.flags | set) & ~clear;
}

// Not built yet: the menu lists' scroll positions (the menu frame).
void NetListScrollBack() {}
// Not built yet: the menus' one-shot jump to the car choice.
void NetJumpToCarChoice() {}
// Not built yet: the lobby panel items of the menu panels.
void NetDisableLobbyItemA() {}
void NetDisableLobbyItemB() {}
// Not built yet: the front-end sounds' new-message cue.
void NetPlayMessageSound() {}

void NetStepCarBody(int car) { StepCarBody(&CarBodies[car], car); }
void NetUpdateCarHeading(int car) { UpdateCarHeading(car); }
void NetUpdateChaseCamera(int car) { UpdateChaseCamera(car); }
void NetWheelWorldPositions(int car) { WheelWorldPositions(car); }

// The turn rate the car physics integrates, and the body's spin from
// impacts, which the wall pass adds to the heading at 0.05 a tick.
float NetCarHeadingRate(int car) { return YawRate[car] + 0.05f * CarBodies[car].angVel[2]; }
void NetSetCarTurnRate(int car, float rate) { YawRate[car] = rate; }
void NetSetBodyHeading(int car, float heading) { HeadingAccum[car] = heading; }

void NetCarForwardAxis(int car, float forward[3]) {
    LoadIdentityPhys();
    PhysMatrixRotateYZX(SimPitch[car], SimHeading[car], SimRoll[car]);
    for (int i = 0; i < 3; i++)
        forward[i] = PhysMatrix[2][i];
}

void NetSpinWheels(int car, float amount) { WheelRollAngle[car] += amount; }
float NetFastSqrt(float value) { return FastSqrt(value); }
void NetSetCarEngineType(int player) { SetCarEngineType(player); }
void NetSettleBodyHeight(int car) { CarBodies[car].y = SimPosY[car]; }

// Not built yet: the race order tables and the points of the race rules.
// The host's results and standings are kept here until those tables exist.
static int keptOrder[8], keptPositions[8], keptPoints[8], keptTotals[8];

void NetApplyRaceOrder(const int order[8], const int positions[8], int count) {
    for (int i = 0; i < count && i < 8; i++) {
        keptOrder[i] = order[i];
        keptPositions[i] = positions[i];
    }
}

void NetReadRaceOrder(int order[8], int positions[8]) {
    memcpy(order, keptOrder, sizeof keptOrder);
    memcpy(positions, keptPositions, sizeof keptPositions);
}

void NetApplyStandings(const int points[8], const int totals[8], int count) {
    for (int i = 0; i < count && i < 8; i++) {
        keptPoints[i] = points[i];
        keptTotals[i] = totals[i];
    }
}

void NetReadStandings(int points[8], int totals[8]) {
    memcpy(points, keptPoints, sizeof keptPoints);
    memcpy(totals, keptTotals, sizeof keptTotals);
}
