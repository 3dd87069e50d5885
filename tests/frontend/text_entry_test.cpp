// Text entry in place: the menu fields, the chat line, the message area and
// the lobby log, on the sample message file's slots.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "frontend/menu_items.h"
#include "frontend/text_entry.h"
#include "frontend/text_slots.h"
#include "sound/music.h"
#include "frontend_test_util.h"

namespace {

struct TextEntry : FrontEndTest {
    static void SetUpTestSuite() { MakeTestGameFolder("entry"); }
    void SetUp() override {
        FrontEndTest::SetUp();
        LoadMessageFile();
        ASSERT_GT(TextFileSize, 0);
        Clear();
    }
    void TearDown() override {
        Clear();
        FrontEndTest::TearDown();
    }
    static void Clear() {
        memset(MenuSoundRequests, 0, sizeof MenuSoundRequests);
        memset(KeyState, 0, sizeof KeyState);
        EntryCursor = EntryPrefixLength = EntryDone = EntryEndKey = EntryConfirm = 0;
        TypedChar = 0;
        TickPhase = 0;
        MenuScreen = 0;
    }
    static std::string Slot(int slot) {
        return std::string(TextSlotBlob + TextSlotTable[slot].offset, TextSlotTable[slot].length);
    }
    static void Type(const std::string& text, int slot, int max = ENTRY_NAME_MAX) {
        for (char c : text) {
            TypedChar = (unsigned char)c;
            TypedNameEntry(slot, max);
        }
    }
    static void Key(int code, int slot) {
        TypedChar = code;
        TypedNameEntry(slot, ENTRY_NAME_MAX);
    }
    static int Errors() { return MenuSoundRequests[MENU_SOUND_ERROR]; }
};

TEST_F(TextEntry, TheSampleSlotsHaveRoomForTheirEditors) {
    EXPECT_GE(TextSlotRoom[SLOT_NEW_PROFILE], (uint32_t)ENTRY_NAME_MAX + 1);
    EXPECT_GE(TextSlotRoom[SLOT_SAVE_ROWS], (uint32_t)ENTRY_NAME_MAX + 1);
    EXPECT_GE(TextSlotRoom[SLOT_PLAYER_NAMES], (uint32_t)ENTRY_NAME_MAX + 1);
    EXPECT_GE(TextSlotRoom[SLOT_REPLAY_NAME], (uint32_t)ENTRY_REPLAY_MAX + 1);
    for (int slot : {(int)SLOT_CHAT_LINE, (int)SLOT_CHAT_AREA, SLOT_CHAT_AREA + 2, (int)SLOT_MESSAGE_LOG, (int)SLOT_CHAT_PREFIX})
        EXPECT_GE(TextSlotRoom[slot], 172u) << "slot " << slot;
}

TEST_F(TextEntry, AFullFieldKeepsItsFirstCharactersWithOneError) {
    Type("ABCDEFGHIJKLMNOP", SLOT_SAVE_ROWS);
    EXPECT_EQ(EntryCursor, 15);
    EXPECT_EQ(Errors(), 1);
    EXPECT_EQ(Slot(SLOT_SAVE_ROWS).substr(0, 15), "ABCDEFGHIJKLMNO");
    Key(13, SLOT_SAVE_ROWS);
    EXPECT_EQ(Slot(SLOT_SAVE_ROWS), "ABCDEFGHIJKLMNO");
    EXPECT_EQ(EntryDone, 1);
    EXPECT_EQ(EntryCursor, 0);
}

TEST_F(TextEntry, BackspaceAndTheCaret) {
    Key(8, SLOT_SAVE_ROWS);
    EXPECT_EQ(EntryCursor, 0);
    EXPECT_EQ(Errors(), 1) << "backspace at the start";
    Type("AB", SLOT_SAVE_ROWS);
    Key(8, SLOT_SAVE_ROWS);
    EXPECT_EQ(EntryCursor, 1);
    EXPECT_EQ(MenuSoundRequests[MENU_SOUND_DELETE_KEY], 1);
    // The caret follows the text: an underscore while bit 2 of the tick
    // phase is set, else a space.
    TickPhase = 4;
    Key(0, SLOT_SAVE_ROWS);
    EXPECT_EQ(Slot(SLOT_SAVE_ROWS), "A_");
    TickPhase = 3;
    Key(0, SLOT_SAVE_ROWS);
    EXPECT_EQ(Slot(SLOT_SAVE_ROWS), "A ");
}

TEST_F(TextEntry, BlankNamesAreRefusedLeadingBlanksKept) {
    KeyboardJumpGate = 1;
    Type("   ", SLOT_SAVE_ROWS);
    Key(13, SLOT_SAVE_ROWS);
    EXPECT_EQ(EntryDone, 0) << "the entry stays open";
    EXPECT_EQ(KeyboardJumpGate, 1);
    EXPECT_EQ(Errors(), 1);
    // Codes 128 and up count as blank too.
    Key(8, SLOT_SAVE_ROWS);
    Key(8, SLOT_SAVE_ROWS);
    Key(0xE9, SLOT_SAVE_ROWS);
    EntryConfirm = 1;
    Key(0, SLOT_SAVE_ROWS);
    EXPECT_EQ(EntryDone, 0);
    EXPECT_EQ(EntryConfirm, 0);
    Key(8, SLOT_SAVE_ROWS);
    Type("X", SLOT_SAVE_ROWS);
    EntryConfirm = 1;   // the OK button accepts like Enter
    Key(0, SLOT_SAVE_ROWS);
    EXPECT_EQ(EntryDone, 1);
    EXPECT_EQ(KeyboardJumpGate, 0);
    EXPECT_EQ(Slot(SLOT_SAVE_ROWS), " X");
}

TEST_F(TextEntry, EscapeAbandonsTheField) {
    KeyboardJumpGate = 1;
    Type("ABC", SLOT_PLAYER_NAMES);
    KeyState[1] = 0x80;
    Key(0, SLOT_PLAYER_NAMES);
    EXPECT_EQ(EntryDone, 1);
    EXPECT_EQ(EntryEndKey, 27);
    EXPECT_EQ(KeyboardJumpGate, 0);
    EXPECT_EQ(EntryCursor, 0);
    EXPECT_EQ(Slot(SLOT_PLAYER_NAMES), "");
}

TEST_F(TextEntry, NamesThatBecomeFileNamesRefuseWhatAFileNameCannotHold) {
    for (char c : std::string("\\/:*?\"<>|")) {
        Key((unsigned char)c, SLOT_NEW_PROFILE);
        EXPECT_EQ(EntryCursor, 0) << c;
    }
    Key('.', SLOT_NEW_PROFILE);
    Key(7, SLOT_NEW_PROFILE);
    EXPECT_EQ(EntryCursor, 0) << "no leading dot, no control character";
    EXPECT_EQ(Errors(), 11);
    Type("A.b", SLOT_NEW_PROFILE);
    EXPECT_EQ(EntryCursor, 3) << "a dot further on is fine";
    // A description is no file name: it takes them.
    Type("a/b", SLOT_SAVE_ROWS);
    EXPECT_EQ(EntryCursor, 6);
}

TEST_F(TextEntry, EditorsNeverWritePastTheSlotsRoom) {
    // Slot 640's line given only 6 bytes: five characters and the caret.
    const uint32_t room = TextSlotRoom[SLOT_SAVE_ROWS];
    const uint32_t offset = TextSlotTable[SLOT_SAVE_ROWS].offset;
    TextSlotRoom[SLOT_SAVE_ROWS] = 6;
    const char after = TextSlotBlob[offset + 6];
    TickPhase = 4;
    Type("ABCDEFGHIJ", SLOT_SAVE_ROWS);
    EXPECT_EQ(EntryCursor, 5);
    EXPECT_EQ(Slot(SLOT_SAVE_ROWS), "ABCDE_");
    EXPECT_EQ(TextSlotBlob[offset + 6], after);
    TextSlotRoom[SLOT_SAVE_ROWS] = room;

    // A chat prefix longer than the room is held inside it.
    EntryCursor = 0;
    EntryPrefixLength = 100000;
    TypedChar = 'x';
    ChatLineEntry(SLOT_CHAT_LINE, ENTRY_CHAT_MAX);
    EXPECT_LE(TextSlotTable[SLOT_CHAT_LINE].length, TextSlotRoom[SLOT_CHAT_LINE]);
    // Slots outside the table are ignored.
    TypedChar = 'x';
    TypedNameEntry(-1, ENTRY_NAME_MAX);
    TypedNameEntry(TEXT_SLOT_COUNT, ENTRY_NAME_MAX);
    EXPECT_EQ(EntryCursor, 0);
}

TEST_F(TextEntry, TheChatLineSendsPrefixAndTextAndPostsIt) {
    SetSlotText(SLOT_CHAT_LINE, "Bo:  ");
    EntryPrefixLength = 5;
    for (char c : std::string("hi")) {
        TypedChar = c;
        ChatLineEntry(SLOT_CHAT_LINE, ENTRY_CHAT_MAX);
    }
    TypedChar = 13;
    ChatLineEntry(SLOT_CHAT_LINE, ENTRY_CHAT_MAX);
    EXPECT_EQ(Slot(SLOT_CHAT_AREA + 2), "Bo:  hi");
    EXPECT_EQ(EntryCursor, 0);
    EXPECT_EQ(MenuPointerShown, 1);
    // A line wider than 300 pixels takes no more characters.
    int typed = 0;
    for (; typed < ENTRY_CHAT_MAX; typed++) {
        TypedChar = 'W';
        ChatLineEntry(SLOT_CHAT_LINE, ENTRY_CHAT_MAX);
        if (EntryCursor == typed)
            break;
    }
    EXPECT_LT(typed, ENTRY_CHAT_MAX) << "the width stops the line before the character count";
    EXPECT_GE(Errors(), 1);
}

TEST_F(TextEntry, TheMessageAreaKeepsTheLastThreeLines) {
    for (const char* line : {"one", "two", "three", "four"})
        PostChatLine(line);
    EXPECT_EQ(Slot(SLOT_CHAT_AREA), "two");
    EXPECT_EQ(Slot(SLOT_CHAT_AREA + 1), "three");
    EXPECT_EQ(Slot(SLOT_CHAT_AREA + 2), "four");
    EXPECT_EQ(MenuSoundRequests[MENU_SOUND_TYPING], 4);
    ScrollChatLines();
    EXPECT_EQ(Slot(SLOT_CHAT_AREA + 1), "four");
    EXPECT_EQ(Slot(SLOT_CHAT_AREA + 2), " ");
}

TEST_F(TextEntry, TheLobbyLogMovesUpAndFillsItsTable) {
    for (int i = 0; i < MESSAGE_LOG_LINES; i++)
        SetSlotText(SLOT_MESSAGE_LOG + i, std::to_string(i).c_str());
    SetSlotText(SLOT_MESSAGE_LOG + 8, std::string(170, 'z').c_str());
    ScrollMessageLog();
    EXPECT_EQ(FileListCounts[11], MESSAGE_LOG_LINES);
    EXPECT_EQ(Slot(SLOT_MESSAGE_LOG), "1");
    EXPECT_EQ(std::string(MessageLogTable[0]), "1");
    EXPECT_EQ(std::string(MessageLogTable[7]), std::string(144, 'z')) << "cut to 144 characters";
    EXPECT_EQ(std::string(MessageLogTable[8]), " ");
    FileListCounts[11] = 0;
}

}  // namespace
