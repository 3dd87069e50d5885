// A career cup played whole through the menus of a fresh folder, clicked
// and typed by a script: a new profile plays cup 2 (tracks 20, 10, 30, 11)
// and then its bonus race (track 21).  Each race is chosen on the career
// screen, started from the car choice and loaded; the finish-order hook
// then brings the cars in.  After each race the award pop-up is closed and
// the career saved in a slot of its own, which the test reads back with its
// own reader.  After the fourth race the career is left for the main menu
// and the saved slot is loaded again before the cup goes on.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "race_run_util.h"

namespace {

// The slot file as the test reads it: little-endian offsets of the record.
struct SlotFile {
    std::string bytes;

    enum { SIZE = 2384, MONEY = 0x64, RACES_WON = 0x68, UNLOCK_LEVEL = 0x69, CUPS = 0x10c, CUP_ROW = 188 };
    enum { WON_FLAGS = 40, GARAGE = 0x61e, GARAGE_BYTES = 25 + 35 + 7 + 750 };

    float Money() const {
        uint32_t v = 0;
        for (int k = 3; k >= 0; k--)
            v = v << 8 | (uint8_t)bytes[MONEY + k];
        float f;
        memcpy(&f, &v, sizeof f);
        return f;
    }
    int Byte(int at) const { return (uint8_t)bytes[at]; }
    int Won(int cup, int race) const { return Byte(CUPS + CUP_ROW * cup + WON_FLAGS + race); }
    std::string Garage() const { return bytes.substr(GARAGE, GARAGE_BYTES); }
};

// Screen 3's points: the cup list's row of cup 2 and of the bonus races,
// a race of the cup's panel, the bonus race of cup 2, the panel's BACK, the
// pop-ups' OK, SAVE, LOAD and BACK; the leave pop-up's YES (beside its NO,
// under the question).
const int kCupRowY = 197, kBonusRowY = 285, kRowX = 163;
const int kPopupOkX = 320, kPopupOkY = 289;   // the pop-up's OK, under its message
int RaceY(int race) { return 184 + 30 * race; }
// Screens 20 and 21: slot row k.
int SlotRowY(int row) { return 117 + 22 * row; }

// Frames of a race from START RACE until the menus are back: the load, the
// fly-by ended by Space, the countdown, the finish and the race-over wait.
const int kRaceFrames = 1100;

struct CupScript {
    std::string text;
    int frame = 0;

    void Add(const std::string& lines) { text += lines; }
    void Expect(int screen, int at) { text += std::to_string(at) + " expect-screen " + std::to_string(screen) + "\n"; }

    // From the car choice: START RACE, Space for the fly-by, and the race.
    void RaceFromCarChoice() {
        Expect(5, frame);
        Add(ClickAt(frame + 10, 115, 427) + SpaceAt(frame + 80));
        frame += 10 + kRaceFrames;
        Expect(3, frame);
    }
    void CupRace(int race) {
        Add(ClickAt(frame, kRowX, kCupRowY) + ClickAt(frame + 50, 198, RaceY(race)));
        frame += 120;
        RaceFromCarChoice();
    }
    void BonusRace() {
        Add(ClickAt(frame, 320, 341) + ClickAt(frame + 50, kRowX, kBonusRowY) + ClickAt(frame + 100, 253, 235));
        frame += 170;
        RaceFromCarChoice();
    }
    // The award pop-up's OK (and the unlock pop-up's after it), the cup
    // panel's BACK (SAVE under it takes no click), SAVE, the slot row, a
    // description, OK, and the saved message's OK.
    void AwardAndSave(int row) {
        Add(ClickAt(frame + 10, kPopupOkX, kPopupOkY) + ClickAt(frame + 60, kPopupOkX, kPopupOkY) +
            ClickAt(frame + 110, 320, 341) + ClickAt(frame + 160, 523, 181));
        Expect(21, frame + 230);
        Add(ClickAt(frame + 240, 202, SlotRowY(row)) + std::to_string(frame + 280) + " type CUP" +
            std::to_string(row) + "\n" + ClickAt(frame + 320, 300, 357) + ClickAt(frame + 380, 320, 294));
        frame += 450;
        Expect(3, frame);
        frame += 10;
    }
    // The panel's BACK, the screen's BACK and YES: the main menu.  PLAY,
    // CAREER, its greeting's OK, LOAD, the slot row, LOAD and its OK.
    void ResetAndLoad(int row) {
        Add(ClickAt(frame, 320, 341) + ClickAt(frame + 50, 379, 329) + ClickAt(frame + 100, 230, 289));
        Expect(0, frame + 170);
        Add(ClickAt(frame + 180, 342, 26) + ClickAt(frame + 240, 306, 93));
        Expect(3, frame + 310);
        Add(ClickAt(frame + 320, kPopupOkX, kPopupOkY) + ClickAt(frame + 370, 523, 145));
        Expect(20, frame + 440);
        Add(ClickAt(frame + 450, 202, SlotRowY(row)) + ClickAt(frame + 490, 300, 357) +
            ClickAt(frame + 550, 320, 294));
        frame += 620;
        Expect(3, frame);
        frame += 10;
    }
};

struct CupRun : RaceRunTest {};

TEST_F(CupRun, Cup2AndItsBonusRacePayTheirPrizesAndTheSlotsReadBack) {
    const std::string dir = MakeTestGameFolder("cup", false, {10, 11, 20, 21, 30});
    // Race 0 lost (third), then every race won.
    const std::vector<int> won = {0, 1, 2, 3, 4, 5, 6, 7};
    OrderFinishes({{1, 2, 0, 3}, won, won, won, won, won});

    CupScript s;
    // A profile through the single race, then the career (its greeting's OK).
    s.Add(NewProfileScript("CUPS") + ClickAt(680, 342, 26) + ClickAt(740, 306, 93));
    s.Expect(3, 810);
    s.Add(ClickAt(820, kPopupOkX, kPopupOkY));
    s.frame = 880;
    const int races[5] = {0, 0, 1, 2, 3};
    for (int k = 0; k < 5; k++) {
        s.CupRace(races[k]);
        s.AwardAndSave(k);
        if (k == 3)
            s.ResetAndLoad(3);
    }
    s.BonusRace();
    s.AwardAndSave(5);
    const int frames = s.frame + 50;
    ASSERT_EQ(RunScriptedGame(dir, s.text, frames), 0) << "a screen check failed";
    EXPECT_EQ(TestFinishRacesRun, 6) << "six races ran";

    // Fees 200 400 800 1500 and 2000 for the bonus; prizes 500 5000 15000
    // 30000 and 50000.
    const float money[6] = {200, 500, 5100, 19300, 47800, 95800};
    const int racesWon[6] = {0, 1, 2, 3, 4, 5};
    const int unlock[6] = {0, 0, 0, 1, 1, 1};
    const int track[6] = {20, 20, 10, 30, 11, 21};   // the race set up last
    RestoreProgressDefaults();
    static CareerRecordImage fresh;
    fresh = {};
    PackProgressInto(&fresh);
    const std::string garage((const char*)&fresh + SlotFile::GARAGE, SlotFile::GARAGE_BYTES);
    std::vector<SlotFile> slots;
    for (int k = 0; k < 6; k++) {
        char name[32];
        snprintf(name, sizeof name, "/USERS/CUPS/SAVE %02d.rb", k + 1);
        slots.push_back({ReadHostFile(dir + name)});
        const SlotFile& slot = slots.back();
        ASSERT_EQ(slot.bytes.size(), (size_t)SlotFile::SIZE) << name;
        EXPECT_EQ(slot.Money(), money[k]) << name;
        EXPECT_EQ(slot.Byte(SlotFile::RACES_WON), racesWon[k]) << name;
        EXPECT_EQ(slot.Byte(SlotFile::UNLOCK_LEVEL), unlock[k]) << name;
        for (int race = 0; race < 4; race++)
            EXPECT_EQ(slot.Won(2, race), race < racesWon[k] ? 1 : 0) << name << " race " << race;
        EXPECT_EQ(slot.Won(5, 2), k == 5 ? 1 : 0) << name << " bonus";
        EXPECT_EQ(10 * slot.Byte(CAREER_NEXT_GROUP) + slot.Byte(CAREER_NEXT_VARIANT), track[k]) << name;
        EXPECT_EQ(slot.Garage(), garage) << name << ": the built-in garage, packed";
    }

    // Loaded after the way through the main menu, the fourth slot went on
    // whole: the fifth differs from it only where a save and race 3 write
    // (the description, date, money, counts, race 3's won flag and the next
    // race's track group and variant).
    const int cup2 = SlotFile::CUPS + SlotFile::CUP_ROW * 2;
    for (int at = 0; at < SlotFile::SIZE; at++) {
        const bool written = (at >= 0x04 && at < 0x24) || (at >= 0x44 && at < 0x6a) || (at >= 0x84 && at < 0x88) ||
                             at == cup2 + SlotFile::WON_FLAGS + 3 || at == CAREER_NEXT_GROUP ||
                             at == CAREER_NEXT_VARIANT;
        if (!written) {
            EXPECT_EQ(slots[4].bytes[at], slots[3].bytes[at]) << "offset " << at;
        }
    }
    // The record in memory is the last slot written.
    EXPECT_EQ(memcmp(&CareerRecord, slots[5].bytes.data(), SlotFile::SIZE), 0);

    // The hook's laps were never driven: no record fell.
    const RecordTables after = RecordTables::Now();
    LoadDefaultRecords();
    EXPECT_TRUE(after == RecordTables::Now());
}

}  // namespace
