// The calls of net_outside.h, each into the part of the game it names.
#include "net/net_outside.h"

#include <cstdio>
#include <cstring>

#include "frontend/frontend_state.h"
#include "frontend/menu_panels.h"
#include "frontend/popups.h"
#include "frontend/race_overlays.h"
#include "frontend/text_entry.h"
#include "frontend/text_slots.h"
#include "menulayout/menulayout_state.h"
#include "net/net_drive.h"
#include "race/car_pose.h"
#include "race/car_setup.h"
#include "race/messages.h"
#include "race/particles.h"
#include "race/physics.h"
#include "race/race_state.h"
#include "render/geometry.h"
#include "render/render_state.h"
#include "sound/effect_sounds.h"
#include "sound/music.h"

int NetGetText(int slot, char* out, int size) {
    GetText(slot);
    snprintf(out, (size_t)size, "%s", TextBufferB);
    return (int)strlen(out);
}

void NetPutSlot(int slot, const char* text, int length) {
    PutText(slot, text);
    SetTextLength(slot, length);
}

void NetConsoleLine(const char* text) {
    ConsoleAddLine(text);
    NetDriveConsoleLine(text);
}

void NetChatLine(const char* text) {
    PostChatLine(text);
    NetDriveChatLine(text);
}
void NetScrollChatLines() { ScrollChatLines(); }

int NetMenuScreen() { return MenuScreenShown; }
void NetShowPopup(int code) { RefreshPopups(code); }

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

// The scroll position of the current list goes back by one, not below 0.
void NetListScrollBack() {
    if (MenuListId >= 0 && MenuListId < MENU_LISTS && ListTop[MenuListId] > 0)
        ListTop[MenuListId]--;
}
void NetJumpToCarChoice() { JumpToScreen5 = 1; }
void NetDisableLobbyItemA() { DisableLobbyItemA(); }
void NetDisableLobbyItemB() { DisableLobbyItemB(); }
void NetPlayMessageSound() { PlayMessageSound(); }
void NetLeaveRace() { QuitRace(); }

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

void NetHitImpact(int car, float x, float z, int kind) {
    SpawnImpactParticle(x, z, kind, car);
    PlayCarCrashSound(CarsByDistance[car].distance, car);
}

void NetSetTiltRates(int car, float rate1, float rate2) {
    CarBodies[car].angVel[0] = rate1;
    CarBodies[car].angVel[1] = rate2;
}

// The race order: the car at each rank and each car's rank; an order that
// came from the host is not sorted again.
void NetApplyRaceOrder(const int order[8], const int positions[8], int count) {
    for (int i = 0; i < count && i < 8; i++) {
        rank_coche[i] = order[i];
        rank_pos[i] = positions[i];
    }
    RankingFrozen = 1;
}

void NetReadRaceOrder(int order[8], int positions[8]) {
    for (int i = 0; i < 8; i++) {
        order[i] = rank_coche[i];
        positions[i] = rank_pos[i];
    }
}

void NetApplyStandings(const int points[8], const int totals[8], int count) {
    for (int i = 0; i < count && i < 8; i++) {
        RacePoints[i] = points[i];
        ChampionshipTotals[i] = totals[i];
    }
}

void NetReadStandings(int points[8], int totals[8]) {
    memcpy(points, RacePoints, sizeof RacePoints);
    memcpy(totals, ChampionshipTotals, sizeof ChampionshipTotals);
}
