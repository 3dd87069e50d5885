// Loading, indexing, copying and overwriting text slots.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/test_game.h"
#include "frame/fileio.h"
#include "frontend/text_slots.h"
#include "platform/plat_file.h"
#include "frontend_test_util.h"

namespace {
struct TextSlots : FrontEndTest {};
}  // namespace

static void LoadImage(const std::string& image) {
    memset(TextSlotBlob, 0, sizeof TextSlotBlob);
    memcpy(TextSlotBlob, image.data(), image.size());
    TextFileSize = (int)image.size();
    IndexTextSlots(TextFileSize);
}

static std::string Slot(int slot) {
    return std::string(TextSlotBlob + TextSlotTable[slot].offset, TextSlotTable[slot].length);
}

TEST_F(TextSlots, IndexesLinesEndingWithCrLf) {
    LoadImage("A\r\nB\r\n");
    EXPECT_EQ(Slot(0), "A");
    EXPECT_EQ(Slot(1), "B");
    EXPECT_EQ(TextSlotTable[2].length, 0u);
    EXPECT_EQ(TextSlotTable[2].offset, 0u);

    // An empty line is no slot of its own: it starts the next one.
    LoadImage("A\r\n\r\nB\r\n");
    EXPECT_EQ(Slot(0), "A");
    EXPECT_EQ(Slot(1), "\r\nB");
    EXPECT_EQ(TextSlotTable[2].length, 0u);

    // A lone LF stays inside its line; a last line without CR LF is no slot.
    LoadImage("one\ntwo\r\nlast");
    EXPECT_EQ(Slot(0), "one\ntwo");
    EXPECT_EQ(TextSlotTable[1].length, 0u);
    EXPECT_EQ(TextSlotTable[1].offset, 0u);
}

TEST_F(TextSlots, IndexingStopsAtTheTableAndTheBlob) {
    std::string image;
    for (int i = 0; i < TEXT_SLOT_COUNT + 50; i++)
        image += "x\r\n";
    LoadImage(image);
    EXPECT_EQ(Slot(TEXT_SLOT_COUNT - 1), "x");
    EXPECT_EQ(TextSlotTable[TEXT_SLOT_COUNT - 1].offset, 3u * (TEXT_SLOT_COUNT - 1));

    // A blob that ends in CR is never read past its end.
    memset(TextSlotBlob, 'y', sizeof TextSlotBlob);
    TextSlotBlob[TEXT_SLOT_BLOB_SIZE - 1] = '\r';
    IndexTextSlots(TEXT_SLOT_BLOB_SIZE);
    EXPECT_EQ(TextSlotTable[0].length, 0u);
}

TEST_F(TextSlots, CopiesAtLeastOneByteAndStayInTheBuffer) {
    LoadImage("\r\nhello\r\n");
    EXPECT_EQ(GetText(0), 1);   // a slot of length 0 yields its first byte
    EXPECT_EQ(TextBufferB[0], '\r');
    EXPECT_EQ(TextBufferB[1], 0);
    EXPECT_EQ(GetTextToBufferA(1), 5);
    EXPECT_STREQ(TextBufferA, "hello");
    CopyTextToBufferA(0);
    EXPECT_EQ(TextBufferA[0], '\r');

    LoadImage(std::string(2000, 'z') + "\r\n");
    EXPECT_EQ(GetText(0), TEXT_BUFFER_SIZE - 1);
    EXPECT_EQ(strlen(TextBufferB), (size_t)TEXT_BUFFER_SIZE - 1);

    EXPECT_EQ(GetText(-1), 0);
    EXPECT_EQ(GetText(TEXT_SLOT_COUNT), 0);
    EXPECT_STREQ(TextBufferB, "");
}

TEST_F(TextSlots, PutTextWritesWithinTheSlotOnly) {
    LoadImage("12345\r\nnext\r\n");
    PutText(0, "");   // writes its NUL and keeps the length
    EXPECT_EQ(TextSlotBlob[0], 0);
    EXPECT_EQ(TextSlotTable[0].length, 5u);

    PutText(0, "a much longer text than the slot");
    EXPECT_EQ(Slot(0), "a muc");
    EXPECT_EQ(Slot(1), "next");

    SetTextLength(0, 3);
    EXPECT_EQ(Slot(0), "a m");
    SetTextLength(0, 50);   // never beyond the line as loaded
    EXPECT_EQ(TextSlotTable[0].length, 5u);

    // A fixed write takes the current length, padding a short string.
    SetTextLength(0, 4);
    PutTextFixed(0, "xy");
    EXPECT_EQ(Slot(0), "xy  ");
    EXPECT_EQ(TextSlotBlob[4], 'c');

    // Slots past the file have no room at all.
    PutText(500, "zzz");
    PutTextFixed(501, "zzz");
    EXPECT_EQ(Slot(0), "xy  ");
    EXPECT_EQ(TextSlotBlob[0], 'x');
}

TEST_F(TextSlots, LoadsTheMessageFileOfTheChosenLanguage) {
    const std::string dir = MakeTestGameFolder("language");
    LoadMessageFile();
    ASSERT_GT(TextFileSize, 0);
    GetText(26);
    EXPECT_STREQ(TextBufferB, "Loading...");

    const std::string ini = "[Main]\r\nlanguage=deutsch\r\n";
    ASSERT_TRUE(PlatWriteFileAtomic("Config\\vondel.ini", ini.data(), ini.size()));
    LoadMessageFile();
    GetText(26);
    EXPECT_STREQ(TextBufferB, "Laden...");
}

TEST_F(TextSlots, AFileLargerThanTheBlobLeavesNoSlots) {
    MakeTestGameFolder("oversized");
    std::string image;
    while (image.size() <= TEXT_SLOT_BLOB_SIZE)
        image += "a line of the message file\r\n";
    ASSERT_TRUE(PlatWriteFileAtomic("MENUS\\mensaje1.txt", image.data(), image.size()));
    LoadMessageFile();
    EXPECT_EQ(TextFileSize, 0);
    for (int slot = 0; slot < TEXT_SLOT_COUNT; slot++)
        ASSERT_EQ(TextSlotTable[slot].length, 0u) << slot;
}
