// The routes a player takes through the menus, played on the built-in
// layout: each click runs the item's links as the menus run them (any link
// that leaves a page root's flag on its target switches to that screen, the
// last such slot winning), after the few screen changes and link rewrites
// that the screens' own actions make.  A route that needs a link the layout
// lacks, or a link slot that an action rewrites but the layout leaves out,
// ends on the wrong screen.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "frontend/menu_init.h"
#include "menulayout/menu_table.h"

namespace {

// The mode words the screens' actions keep, as far as they choose a route.
struct Modes {
    int singleRace = 0, career = 0, championship = 0, network = 0;
    int recordsViaProfiles = 0, recordsAfterLogin = 0;
    int shopFromCareer = 0, shopFromCarChoice = 0;
    int profileExists = 1;
    int pendingScreen = 0;
};

struct Routes : ::testing::Test {
    Modes modes;

    void SetUp() override { Reset(); }
    // A fresh table, as start-up leaves it, and fresh modes.
    void Reset() {
        memset(MenuScreenTable, 0, sizeof MenuScreenTable);
        InitMenus();
        modes = Modes();
    }
    void TearDown() override { memset(MenuScreenTable, 0, sizeof MenuScreenTable); }

    void SetMode(int singleRace, int career, int championship) {
        modes.singleRace = singleRace;
        modes.career = career;
        modes.championship = championship;
        modes.network = 0;
    }

    // The actions that change the screen or a link; true when the action
    // returns before the links run.
    bool Action(int& screen, int item) {
        MenuItem (&table)[MENU_SCREENS][MENU_ITEMS] = MenuScreenTable;
        switch (screen * 1000 + item) {
        case 38:    // single race through the profiles
            SetMode(1, 0, 0);
            table[18][13].links[0] = MakeLink(2, 0);
            return false;
        case 39:    // career
            SetMode(0, 1, 0);
            table[18][13].links[0] = MakeLink(3, 0);
            return false;
        case 49:    // championship
            SetMode(0, 0, 1);
            return false;
        case 5042:  // the car choice's back button
            modes.pendingScreen = modes.career ? 3 : modes.championship ? 22 : modes.singleRace ? 2 : 0;
            return false;
        case 5085:
            modes.shopFromCarChoice = 1;
            return false;
        case 18013:    // login
            if (modes.recordsViaProfiles) {
                screen = modes.recordsAfterLogin;
                return true;
            }
            if (modes.profileExists) {
                modes.pendingScreen = modes.championship ? 22 : modes.network ? 9 : modes.singleRace ? 2 : 3;
                return true;
            }
            return false;    // a pop-up says there is no profile; the links run
        case 19042: {    // the shop's back button: its fifth link leads back
            const int back = modes.shopFromCareer ? 3 : modes.shopFromCarChoice ? 5 : 4;
            if (!modes.shopFromCareer)
                modes.shopFromCarChoice = 0;
            table[19][42].links[4] = MakeLink(back, 0);
            return false;
        }
        case 20038:    // the load screen's message panel
        case 21034:    // the save screen's message panel
            screen = 3;
            return true;
        case 9012:     // a session joined
        case 10012:    // a session hosted
            screen = 11;
            return true;
        }
        return false;
    }

    // Bookkeeping of every processed item: the records entries of the main
    // menu send the profile screen into its records variant.
    void Bookkeeping(int screen, int item) {
        if (screen == 0) {
            const int after = item == 47 ? 13 : item == 48 ? 14 : item == 50 ? 1 : 0;
            modes.recordsViaProfiles = after != 0;
            modes.recordsAfterLogin = after;
        } else if (screen == 3) {
            modes.shopFromCareer = item == 156;
        }
    }

    // Runs the links of a clicked item; returns the screen they switch to.
    int RunLinks(int screen, const MenuItem& item) {
        int next = screen;
        for (int k = 0; k < MENU_LINKS; k++) {
            int target, n;
            const int kind = DecodeLink(item.links[k], &target, &n);
            if (kind == LINK_GROUP) {
                const float* row = MenuGroupTable[n];
                for (int j = 1; j <= MENU_GROUP_ITEMS; j++) {
                    if ((int)row[j] > 0) {
                        uint32_t& flags = MenuScreenTable[(int)row[0]][(int)row[j]].flags;
                        flags = (flags | (uint32_t)row[14]) & ~(uint32_t)row[15];
                    }
                }
            } else if (kind == LINK_ITEM) {
                uint32_t& flags = MenuScreenTable[target][n].flags;
                const uint32_t mask = item.masks[k];
                switch ((item.operations >> (2 * k)) & 3) {
                case LINK_OR: flags |= mask; break;
                case LINK_AND_NOT: flags &= ~mask; break;
                case LINK_XOR: flags ^= mask; break;
                }
                if (flags & MENU_PAGE_ROOT)
                    next = target;
            }
        }
        return next;
    }

    // The screens whose page root is shown (so its background loads next).
    std::vector<int> ShownRoots() {
        std::vector<int> shown;
        for (int s = 0; s < MENU_LAYOUT_SCREENS; s++) {
            if (MenuScreenTable[s][0].flags & MENU_SHOWN)
                shown.push_back(s);
        }
        return shown;
    }
    void HideRoots() {
        for (int s = 0; s < MENU_LAYOUT_SCREENS; s++)
            MenuScreenTable[s][0].flags &= ~MENU_SHOWN;
    }

    // A click on an item of the screen on display; returns the screen shown
    // next, whose root the click must show, and no other.
    int Click(int screen, int item) {
        const MenuItem& it = MenuScreenTable[screen][item];
        EXPECT_TRUE((it.flags & (MENU_SHOWN | MENU_HOVER_TEST)) == (MENU_SHOWN | MENU_HOVER_TEST))
            << screen << "/" << item << " cannot be clicked";
        EXPECT_TRUE(it.hitLeft <= it.hitRight && it.hitTop <= it.hitBottom && it.hitRight > 0)
            << screen << "/" << item << " has no hit box";
        Bookkeeping(screen, item);
        HideRoots();
        int next = screen;
        if (!Action(next, item) && (it.flags & MENU_LINKED))
            next = RunLinks(screen, it);
        else if (next != screen)
            MenuScreenTable[next][0].flags |= MENU_SHOWN;    // a go-to shows the root itself
        // A pending screen is taken at the next item handled, and its root
        // shown.
        if (modes.pendingScreen) {
            HideRoots();
            next = modes.pendingScreen;
            modes.pendingScreen = 0;
            MenuScreenTable[next][0].flags |= MENU_SHOWN;
        }
        EXPECT_EQ(ShownRoots(), next == screen ? std::vector<int>{} : std::vector<int>{next})
            << "roots shown by " << screen << "/" << item;
        return next;
    }

    // Plays clicks from a screen; each step names the item and the screen
    // that must show after it.
    void Play(int screen, const std::vector<std::pair<int, int>>& steps) {
        for (const auto& [item, want] : steps) {
            const int from = screen;
            screen = Click(screen, item);
            ASSERT_EQ(screen, want) << "click on " << from << "/" << item;
        }
    }
};

}  // namespace

TEST_F(Routes, FromTheMainMenuToEveryScreenOfItsSubMenus) {
    Play(0, {{16, 0}, {44, 6}, {12, 0}, {16, 0}, {45, 7}, {13, 0}, {16, 0}, {46, 8}});
    Play(0, {{15, 15}, {13, 0}});
    Play(0, {{13, 0}, {49, 22}, {11, 0}});
    Play(0, {{13, 0}, {38, 18}, {14, 0}});
}

TEST_F(Routes, LoginLeadsToTheChosenMode) {
    Play(0, {{13, 0}, {38, 18}, {13, 2}, {14, 0}});
    Play(0, {{13, 0}, {39, 3}});
    // Without a profile the login's first link, rewritten by the mode
    // entry, leads on.
    modes.profileExists = 0;
    Play(0, {{13, 0}, {38, 18}, {13, 2}});
    Play(2, {{14, 0}, {13, 0}, {39, 3}});
    EXPECT_EQ(MenuScreenTable[18][13].links[0], MakeLink(3, 0));
}

TEST_F(Routes, RecordsThroughTheProfileScreen) {
    for (const auto& [item, records] : std::vector<std::pair<int, int>>{{47, 13}, {48, 14}, {50, 1}}) {
        SCOPED_TRACE(item);
        Reset();
        Play(0, {{17, 0}, {item, 18}, {13, records}, {13, 0}});
    }
    // Back on the main menu, the profile screen logs in again.
    Play(0, {{13, 0}, {39, 3}});
    EXPECT_EQ(modes.recordsViaProfiles, 0);
}

TEST_F(Routes, CareerSlotsAndTheShop) {
    Play(0, {{13, 0}, {39, 3}, {12, 20}, {12, 3}, {13, 21}, {13, 3}, {156, 19}, {42, 3}});
    // Out of a slot screen's message panel, once a message opened it.
    Play(3, {{12, 20}});
    MenuScreenTable[20][38].flags |= MENU_SHOWN;
    EXPECT_EQ(Click(20, 38), 3);
    Play(3, {{13, 21}});
    MenuScreenTable[21][34].flags |= MENU_SHOWN;
    EXPECT_EQ(Click(21, 34), 3);
}

TEST_F(Routes, SingleRaceCarChoiceAndTheShop) {
    Play(0, {{13, 0}, {38, 18}, {13, 2}, {24, 5}, {85, 19}, {42, 5}, {42, 2}, {25, 5}});
    // The shop entered from neither leads to the closing page, and back.
    EXPECT_EQ(Click(19, 42), 4);
    Play(4, {{5, 0}});
}

// The fifth link of the shop's back button is the one rewritten: it must
// exist, switch, and no later slot may override it.
TEST_F(Routes, TheRewrittenLinkSlotsLeadWhereTheyAreSet) {
    for (int back : {3, 5, 4}) {
        HideRoots();
        MenuScreenTable[19][42].links[4] = MakeLink(back, 0);
        EXPECT_EQ(RunLinks(19, MenuScreenTable[19][42]), back);
        EXPECT_EQ(ShownRoots(), std::vector<int>{back});
    }
    for (int mode : {2, 3}) {
        HideRoots();
        MenuScreenTable[18][13].links[0] = MakeLink(mode, 0);
        EXPECT_EQ(RunLinks(18, MenuScreenTable[18][13]), mode);
        EXPECT_EQ(ShownRoots(), std::vector<int>{mode});
    }
}

// Entered from the race (after a network race, or a special race): the
// network screens lead to each other and back.
TEST_F(Routes, TheNetworkScreensAndTheClosingPage) {
    Play(9, {{14, 10}, {13, 9}, {12, 11}, {11, 9}, {13, 0}});
    Play(10, {{12, 11}});
    Play(4, {{5, 0}});
    Play(17, {{12, 12}, {14, 17}, {13, 12}});
}
