// libFuzzer target: the session layer's packet records on arbitrary bytes,
// and a session they carry as the game lists it and the menus read it.
//
// A packet is refused or decoded; one that decodes must encode back to the
// very same bytes.  A session it carries (a listing's answer, a session
// description, a join's acceptance) goes into the game's session list the
// way a listing puts it there; the session screen's rows are made from the
// list, and a session that was listed is picked as the network screens pick
// one: its group offset and its row into the championship tables, its count
// and description into the championship panel, the host screen's list
// refilled.  Nothing may read outside its table.  Built and run by
// scripts/fuzz.sh (clang, ASan + UBSan).

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "frame/fileio.h"
#include "frame/frame_state.h"
#include "frame/startup.h"
#include "frontend/championship.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_panels.h"
#include "frontend/text_slots.h"
#include "fuzz_net_outside.h"
#include "net/lobby.h"
#include "net/net_state.h"
#include "net/session.h"
#include "platform/plat_net_packet.h"

// ---------------------------------------------------------------------------
// What the championship panel's file reaches beside it: the records, the
// career, the garage, sound and screen changes.  None of it is read here.

RecordTime BestLapTimes[RECORD_TRACK_CODES], BestRaceTimes[RECORD_TRACK_CODES];
char LapRecordNames[RECORD_TRACK_CODES][RECORD_NAME_BYTES], RaceRecordNames[RECORD_TRACK_CODES][RECORD_NAME_BYTES];
char LapRecordDates[RECORD_TRACK_CODES][RECORD_DATE_BYTES], RaceRecordDates[RECORD_TRACK_CODES][RECORD_DATE_BYTES];
char CareerOwner[24];
CareerRecordImage CareerRecord;
int GarageCategory, GaragePick, GarageMode, GaragePage;
int GarageLists[25][15][2];
int HeatLimit[9];
int RacePoints[8], ChampionshipTotals[8];   // the championship's points, which ending it clears
int CareerTrackCode(int, int) { return 0; }
unsigned char KeyState[256];
int LastFileSize;
int ReadWholeFile(const char*, void*, int) { return -1; }
int WriteWholeFile(const char*, int, const void*) { return 1; }
int ReadChampionshipFile(CareerRecordImage*) { return 0; }
int WriteChampionshipFile(const CareerRecordImage&) { return 1; }
void GoToScreen(int*, int) {}
void RunScreenEntry(void*) {}
void ShowPopup(int, int, int, int) {}
void ShowChampionshipRaceList() {}
void InitSoundMixer() {}
void PlayClickSound() {}
void PlayTrackMusic(int) {}
void SetMusicVolume(int) {}
void PlatDebugOut(const char*) {}
const LanguageRecord* SelectLanguage() {
    static const LanguageRecord english = {"English", "MENUS\\mensaje0.txt", 0};
    return &english;
}

// ---------------------------------------------------------------------------

namespace {

NetPacket packet;
uint8_t again[NET_PACKET_MAX + 4096];

// A message file of a line for every text slot, so that each slot the
// panel reads has a text of its own.
void IndexSlots() {
    static bool done;
    if (done)
        return;
    done = true;
    int at = 0;
    for (int slot = 0; slot < TEXT_SLOT_COUNT; slot++)
        at += snprintf(TextSlotBlob + at, sizeof TextSlotBlob - (size_t)at, "t%d\r\n", slot);
    IndexTextSlots(at);
}

const PlatNetSessionDesc* SessionOf(const NetPacket& p) {
    switch (p.kind) {
    case NET_KIND_ANSWER:
    case NET_KIND_JOIN_ACCEPT:
    case NET_KIND_SESSION_DESC:
        return &p.session;
    default:
        return nullptr;
    }
}

// The session screen picks the one listed session; the lobby and the car
// choice then read its words as the menus do.
void PickListedSession() {
    const SessionEntry& e = SessionList[0];
    ListSelection[6] = 0;
    ChampionshipGroupOffset = e.user[SESSION_WORD_GROUP];
    ChampionshipClass = ChampionshipRaceClass(e.user[SESSION_WORD_ROW], 0);
    ChampionshipLastIndex = ChampionshipLastRace(e.user[SESSION_WORD_ROW]);
    ListSelection[7] = e.user[SESSION_WORD_ROW];
    NetworkGame = 1;
    ShowChampionshipInfo(e.gameName, e.user[SESSION_WORD_PLAYERS]);
    ChampionshipTrackCode(ListSelection[7] + ChampionshipGroupOffset, 0);
    MenuListId = 7;
    FillChampionshipList();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    IndexSlots();
    // A copy of exactly the input's size, so reading past it is caught.
    std::vector<uint8_t> bytes(data, data + size);
    if (!NetDecodePacket(bytes.data(), bytes.size(), &packet))
        return 0;
    const size_t n = NetEncodePacket(&packet, again, sizeof again);
    if (n != size || memcmp(again, bytes.data(), size) != 0)
        abort();
    const PlatNetSessionDesc* session = SessionOf(packet);
    if (!session)
        return 0;
    NetSessionCount = 0;
    ListSession(session);
    ShowSessionList();
    if (NetSessionCount == 1) {
        if (!SessionWordsValid(SessionList[0].user))
            abort();
        PickListedSession();
    }
    NetSessionCount = 0;
    return 0;
}
