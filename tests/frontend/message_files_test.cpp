// The generated message files and font strip follow the rules the game
// reads them by.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "common/test_game.h"
#include "frame/vfs.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_init.h"
#include "frontend/text_slots.h"
#include "menulayout/layout_builder.h"
#include "menulayout/menulayout_state.h"
#include "frontend_test_util.h"

namespace {

struct MessageFiles : FrontEndTest {
    std::string dir;
    void SetUp() override {
        FrontEndTest::SetUp();
        dir = MakeTestGameFolder("messages");
    }
    std::string File(int language) { return ReadHostFile(dir + "/MENUS/mensaje" + std::to_string(language) + ".txt"); }
};

std::vector<std::string> Lines(const std::string& file) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t at = file.find("\r\n"); at != std::string::npos; at = file.find("\r\n", start)) {
        lines.push_back(file.substr(start, at - start));
        start = at + 2;
    }
    return lines;
}

}  // namespace

TEST_F(MessageFiles, FollowTheFileRules) {
    for (int language = 0; language < 4; language++) {
        SCOPED_TRACE("mensaje" + std::to_string(language));
        const std::string file = File(language);
        ASSERT_FALSE(file.empty());
        ASSERT_LE(file.size(), (size_t)TEXT_SLOT_BLOB_SIZE);
        ASSERT_EQ(file.substr(file.size() - 2), "\r\n");
        EXPECT_NE(file.substr(0, 2), "\r\n");
        EXPECT_EQ(file.find("\r\n\r\n"), std::string::npos);   // no empty line
        for (size_t i = 0; i < file.size(); i++) {
            const unsigned char c = (unsigned char)file[i];
            if (c == '\r') {
                ASSERT_EQ(file[i + 1], '\n') << "a CR without LF at " << i;
            } else if (c < 32) {
                ASSERT_TRUE(c == '\n' || c == 11 || c == 27) << "code " << (int)c << " at " << i;
            }
        }
        const std::vector<std::string> lines = Lines(file);
        ASSERT_GE(lines.size(), 2007u);
        ASSERT_LE(lines.size(), (size_t)TEXT_SLOT_COUNT);

        // Slot n is line n.
        memcpy(TextSlotBlob, file.data(), file.size());
        IndexTextSlots((int)file.size());
        for (size_t n = 0; n < lines.size(); n++)
            ASSERT_EQ(std::string(TextSlotBlob + TextSlotTable[n].offset, TextSlotTable[n].length), lines[n]) << n;
    }
}

TEST_F(MessageFiles, EveryDrawnCharacterHasAGlyph) {
    for (int language = 0; language < 4; language++) {
        const std::string file = File(language);
        std::set<int> missing;
        for (unsigned char c : file) {
            if (c >= 33 && c != 126 && c != 127) {
                for (int font = 0; font < MENU_FONT_COUNT; font++) {
                    if (MenuFontMetrics[font].widths[c - 33] == 0)
                        missing.insert(c);
                }
            }
        }
        EXPECT_TRUE(missing.empty()) << "mensaje" << language << ": " << missing.size() << " codes, first "
                                     << (missing.empty() ? 0 : *missing.begin());
    }
}

TEST_F(MessageFiles, TheLayoutAndTheGameFindTheirTexts) {
    const std::vector<std::string> lines = Lines(File(1));
    // Every text item of the layout names a slot with a text or room.
    ASSERT_EQ(BuildMenuLayout(), 1188) << MenuLayoutError;
    for (int s = 0; s < MENU_LAYOUT_SCREENS; s++) {
        for (int i = 1; i < MENU_ITEMS - 1; i++) {
            const MenuItem& item = MenuScreenTable[s][i];
            if (item.flags & MENU_TEXT) {
                ASSERT_NE(lines[item.textSlot], "-") << "screen " << s << " item " << i << " slot " << item.textSlot;
            }
        }
    }
    // Page backgrounds, start-up texts, credits.
    for (int slot : {0, 1, 2, 3, 4, 5, 6, 17, 18, 19, 20, 21, 26, 27, 595})
        EXPECT_GT(lines[slot].size(), 1u) << slot;
    for (int slot = 1865; slot <= 2006; slot++)
        EXPECT_NE(lines[slot], "-") << slot;
    // The race overlays' texts: pause menu, help, every banner slot, the
    // shop's verdicts and the names of car models 18 and 19.
    for (int slot : {336, 337, 338, 339, 341, 342, 406, 407, 408, 412, 415, 427, 1701, 1702, 1705, 1707, 1713, 1722,
                     1723, 1843, 1844, 1846, 1849, 1852, 1855, 1856, 1859, 1861, 1862})
        EXPECT_GT(lines[slot].size(), 1u) << slot;
    for (int slot = 417; slot <= 425; slot++)
        EXPECT_GT(lines[slot].size(), 1u) << slot;
    for (int slot = 1835; slot <= 1842; slot++)
        EXPECT_GT(lines[slot].size(), 1u) << slot;
    for (int slot = 1686; slot <= 1693; slot++)
        EXPECT_GT(lines[slot].size(), 1u) << slot;
    for (int slot : {1866, 1867, 1870, 1929, 2005, 2006})
        EXPECT_NE(lines[slot], " ") << slot;

    // Slots written at run time have room for what is written there.
    const struct {
        int slot;
        size_t room;
    } rooms[] = {{29, 16}, {232, 20}, {307, 146}, {311, 146}, {621, 16}, {640, 16}, {651, 9},
                 {754, 16}, {762, 20}, {772, 20}, {780, 19}, {783, 19}, {118, 4}};
    for (const auto& r : rooms)
        EXPECT_GE(lines[r.slot].size(), r.room) << r.slot;
}

// Start-up reads slots 501 to 561 into the key table's rows 47 to 107 and
// slots 563 to 578 into the joystick rows; the championship rivals take
// slots 477 to 500 (eight for each of the three name sets) and must not
// spill into them.  Rows are found by their scan codes (which start-up
// keeps), so the slots are checked against the table's own order.
TEST_F(MessageFiles, KeyAndJoystickNamesKeepTheirSlots) {
    auto keySlot = [](int scanCode) {
        for (int row = 47; row < KEY_NAME_ROWS; row++) {
            if (KeyNameTable[row][0] == scanCode)
                return 501 + row - 47;
        }
        ADD_FAILURE() << "scan code " << scanCode << " is not a translated row of the key table";
        return 0;
    };
    // Names in the message files' order of languages: spanish, english,
    // french, german.
    const struct {
        int scanCode;
        const char* name[4];
    } keys[] = {{0x0C, {"-", "-", "-", "-"}},
                {0x0E, {"Retroceso", "Backspace", "Retour arr.", "R\xFC" "cktaste"}},
                {0x39, {"Espacio", "Space", "Espace", "Leertaste"}},
                {0x47, {"Num 7", "Num 7", "Pav\xE9 7", "Num 7"}},
                {0x9C, {"Num Intro", "Num Enter", "Pav\xE9 Entr\xE9" "e", "Num Enter"}},
                {0xC8, {"Arriba", "Up", "Haut", "Oben"}},
                {0xDC, {"Win der.", "Right Win", "Win droite", "Win rechts"}}};
    const struct {
        int row;
        const char* name[4];
    } joystick[] = {{0, {"Abajo", "Down", "Bas", "Unten"}},
                    {4, {"Disparo", "Fire", "Tir", "Feuer"}},
                    {15, {"Bot\xF3n 10", "Button 10", "Bouton 10", "Taste 10"}}};

    for (int language = 0; language < 4; language++) {
        SCOPED_TRACE("mensaje" + std::to_string(language));
        const std::vector<std::string> lines = Lines(File(language));
        ASSERT_GE(lines.size(), 591u);
        for (const auto& k : keys)
            EXPECT_EQ(lines[(size_t)keySlot(k.scanCode)], k.name[language]) << "scan code " << k.scanCode;
        for (const auto& j : joystick)
            EXPECT_EQ(lines[(size_t)(563 + j.row)], j.name[language]) << "joystick row " << j.row;

        // Every name is there (the minus key's name is "-" itself), and no
        // rival's or computer driver's name sits among them.
        std::set<std::string> people;
        for (int slot = 477; slot <= 500; slot++) {
            EXPECT_NE(lines[(size_t)slot], "-") << slot;
            people.insert(lines[(size_t)slot]);
        }
        for (int slot = 579; slot <= 590; slot++)
            people.insert(lines[(size_t)slot]);
        for (int slot = 501; slot <= 578; slot++) {
            if (slot == 562)
                continue;
            EXPECT_TRUE(slot == 501 || lines[(size_t)slot] != "-") << slot;
            EXPECT_EQ(people.count(lines[(size_t)slot]), 0u) << slot << ": " << lines[(size_t)slot];
        }
    }
}

TEST_F(MessageFiles, LanguagesDiffer) {
    EXPECT_EQ(Lines(File(1))[26], "Loading...");
    EXPECT_EQ(Lines(File(3))[26], "Laden...");
    EXPECT_EQ(Lines(File(2))[26], "Chargement...");
    EXPECT_EQ(Lines(File(0))[26], "Cargando...");
    EXPECT_EQ(Lines(File(0)).size(), Lines(File(1)).size());
}

TEST_F(MessageFiles, TheFontStripMatchesTheGlyphWidths) {
    ASSERT_TRUE(VfsScanArchives());
    static char image[1 << 20];
    const int size = VfsReadFile("MENUS\\Fonts.raw", image, sizeof image);
    ASSERT_GT(size, 0);
    const std::string strip(image, (size_t)size);
    ASSERT_GE(strip.size(), (size_t)FONT_STRIP_WIDTH * FONT_STRIP_ROWS);
    EXPECT_EQ(strip.size() % 4, 0u);   // the next raw graphic starts on a word
    for (int font = 0; font < MENU_FONT_COUNT; font++) {
        const MenuFont& f = MenuFontMetrics[font];
        const int firstRow = f.stripOffset / FONT_STRIP_WIDTH;
        int column = 0;
        for (int g = 0; g < MENU_FONT_GLYPHS; g++) {
            bool ink = false;
            for (int y = 0; y < f.height; y++) {
                for (int x = column; x < column + f.widths[g]; x++) {
                    const unsigned char level = (unsigned char)strip[(size_t)(firstRow + y) * FONT_STRIP_WIDTH + x];
                    ASSERT_TRUE(level < 100 || level == 255) << font << "/" << g;
                    ink = ink || level == 0;
                }
            }
            EXPECT_EQ(ink, f.widths[g] > 0) << "font " << font << " code " << g + 33;
            column += f.widths[g];
        }
        // Past the last glyph the band is transparent.
        for (int y = 0; y < f.height; y++) {
            for (int x = column; x < FONT_STRIP_WIDTH; x++)
                ASSERT_EQ((unsigned char)strip[(size_t)(firstRow + y) * FONT_STRIP_WIDTH + x], 255);
        }
    }
}

// With the heat limit off, start-up makes the two heat texts trade places,
// each written over the start of the other's line, whose length stays: the
// SEND button reads as it should only when both lines are the same length.
TEST_F(MessageFiles, TheHeatTextsTradePlacesWhole) {
    for (int language = 0; language < 4; language++) {
        SCOPED_TRACE("mensaje" + std::to_string(language));
        const std::vector<std::string> lines = Lines(File(language));
        ASSERT_GT(lines.size(), 329u);
        const std::string first = lines[328], second = lines[329];
        std::string traded = first;   // the first line after the second is written over it
        traded.replace(0, std::min(second.size(), first.size()), second.substr(0, first.size()));
        EXPECT_EQ(traded, second) << "\"" << first << "\" and \"" << second << "\"";
    }
}
