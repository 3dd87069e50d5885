// The texts of the message files, slot by slot.  Every slot a player reads
// has its text; the slots that the game writes at run time hold blanks, as
// many as the longest text written there; the rest hold "-" (a message file
// has no empty lines).  Texts are Windows-1252.

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "frontend/text_slots.h"
#include "menulayout/layout_builder.h"
#include "mkdata_frontend.h"

namespace {

struct SlotText {
    int slot;
    const char* text;
};

const SlotText kEnglish[] = {
    // Page backgrounds named by the page roots.
    {0, "MENUS\\Fondo0.bmp"}, {1, "MENUS\\Fondo1.bmp"}, {2, "MENUS\\Fondo1.bmp"}, {3, "MENUS\\Fondo2.bmp"},
    {4, "MENUS\\Fondo2.bmp"}, {5, "MENUS\\Fondo1.bmp"}, {6, "MENUS\\Fondo2.bmp"},
    // Start-up, loading and the race.
    {16, "NEW DISTANCE RECORD!"},
    {17, "Quorvix needs the graphics support of DirectX 7 or newer."},
    {18, "There is not enough free disk space to run Quorvix."},
    {19, "Free space:"},
    {20, "Please free at least 25 MB and start the game again."},
    {21, "The display configuration could not be read. Run the video set-up program again."},
    {22, "Waiting for the host to start the race"}, {23, "Press SPACE to start"},
    {24, "Press a key to continue"}, {25, "WRONG WAY!"}, {26, "Loading..."},
    {27, "Waiting for the other players..."}, {28, "Name of the replay:"}, {30, "Quorvix 1.0"},
    // Main menu.
    {31, "PLAY"}, {32, "RACE"}, {33, "REPLAYS"}, {34, "OPTIONS"}, {35, "EXTRAS"}, {36, "EXIT"},
    {37, "QUIT THE GAME?"}, {38, "PROFILES"}, {39, "CHAMPIONSHIP"}, {40, "SINGLE RACE"}, {41, "SPLIT SCREEN"},
    {42, "DISPLAY"}, {43, "SOUND"}, {44, "CONTROLS"}, {45, "PLAYER PROFILES"}, {46, "DELETE"},
    {47, "NEW PROFILE"}, {48, "OK"}, {49, "BACK"},
    // Screen titles and labels.
    {51, "SINGLE RACE"}, {52, "CHAMPIONSHIP"}, {53, "PLAYERS"}, {54, "NETWORK GAME"}, {55, "TRACK"},
    {56, "BEST TIME"}, {57, "REPLAYS"}, {58, "HALL OF FAME"}, {59, "DISPLAY"}, {60, "SOUND"}, {61, "CONTROLS"},
    {62, "DEFAULTS"}, {63, "RESOLUTION"}, {64, "DETAIL"}, {65, "EFFECTS"}, {66, "Sky"}, {67, "Shadows"},
    {68, "640 x 480"}, {69, "800 x 600"}, {70, "1024 x 768"}, {71, "Track:"}, {72, "Laps:"}, {73, "Players:"},
    {74, "ON"}, {75, "OFF"},
    // The eleven actions, in binding order, and the binding screen.
    {76, "Accelerate"}, {77, "Brake"}, {84, "Left"}, {85, "Right"}, {86, "Handbrake"}, {87, "Horn"},
    {88, "Turbo"}, {89, "Look back"}, {90, "Gear up"}, {91, "Gear down"}, {92, "Change camera"},
    {78, "PLAYER 1"}, {79, "PLAYER 2"}, {80, "KEYBOARD"}, {81, "JOYSTICK"}, {82, "REDEFINE"}, {83, "CLEAR"},
    {93, "MUSIC"}, {94, "EFFECTS"}, {95, "ENGINES"}, {96, "STEREO"}, {97, "NEXT"}, {98, "DELETE"},
    {99, "CREATE GAME"}, {100, "JOIN GAME"}, {101, "Championship:"}, {102, "Races:"}, {103, "Players:"},
    {104, "ONE"}, {105, "TWO"}, {106, "THREE"}, {107, "FEWER"}, {108, "MORE"}, {109, "Computer players:"},
    {110, "ADD PLAYER"}, {111, "REMOVE PLAYER"}, {112, "Human players:"}, {113, "1"}, {114, "2"}, {115, "3"},
    {116, "4"}, {117, "5"}, {119, "Difficulty:"}, {120, "Track:"},
    // Career, car choice and shop.
    {123, "Money:"}, {124, "Car:"}, {125, "CAREER"}, {126, "CAR SHOP"}, {127, "CHOOSE YOUR CAR"}, {128, "LOAD"},
    {129, "SAVE"}, {130, "BACK"}, {131, "Choose a track group"}, {137, "Reward"}, {139, "Engine"},
    {140, "Class"}, {141, "Top speed"}, {142, "Acceleration"}, {143, "Grip"}, {145, "Weight"}, {146, "<<"},
    {147, ">>"}, {148, "JUMP"}, {149, "MONSTER"}, {150, "BUGGY"}, {151, "SPEED"}, {154, "CROSS"},
    {160, "WON"}, {161, "---"}, {162, "SPEED"}, {163, "JUMP"}, {164, "MONSTER"}, {165, "CROSS"}, {166, "BUGGY"},
    {167, "Cars in this class"}, {230, "Top speed"}, {231, "Price:"}, {233, "Grip"}, {234, "Turbo"},
    {235, "Weight"}, {236, "BEST RACE TIMES"}, {240, "Races won:"}, {241, "Cups won:"}, {242, "Money won:"},
    {243, "Best place:"}, {244, "Career time:"}, {248, "Sky"}, {249, "Smoke"}, {250, "Mirror"},
    {251, "Press a key for player 1"}, {252, "Press a key for player 2"}, {254, "CAREER"},
    {255, "Track group:"}, {256, "RECORDS"}, {257, "NETWORK"}, {258, "CREDITS"}, {259, "CHANGE TRACK"},
    {260, "SPEED"}, {261, "JUMP"}, {262, "MONSTER"}, {263, "CROSS"}, {264, "BUGGY"}, {265, "LAP TIMES"},
    {266, "GROUP 1"}, {267, "GROUP 2"}, {268, "GROUP 3"}, {269, "GROUP 4"}, {270, "GROUP 5"}, {271, "GROUP 6"},
    {272, "GROUP 7"}, {273, "SPEED"}, {274, "JUMP"}, {275, "MONSTER"}, {276, "CROSS"}, {277, "BUGGY"},
    {282, "NEW CHAMPIONSHIP"}, {283, "CONTINUE"}, {284, "DELETE"}, {285, "RECORDS"}, {286, "Track"},
    {291, "NEXT PAGE"}, {292, "Cups"}, {293, "Session:"}, {294, "Championship:"}, {295, "Players:"},
    {303, "Session:"}, {304, "Host:"}, {305, "Races:"},
    // Pop-up messages.
    {315, "Choose a colour and press OK"}, {316, "Welcome to Quorvix!"}, {317, "No profile is selected."},
    {318, "The network game was closed."}, {319, "The session could not be created."},
    {320, "The session could not be joined."}, {321, "The session is full."},
    {322, "The race has already started."}, {323, "The connection to the network game was lost."},
    {325, "Press the key for this action"}, {327, "Replay:"}, {386, "HELP"}, {387, "Delete this profile?"},
    {388, "Load this career?"}, {389, "Delete this replay?"}, {391, "Force feedback"}, {392, "Off"},
    {393, "Weak"}, {394, "Strong"}, {397, "YES"}, {398, "NO"}, {399, "JUMP"}, {400, "MONSTER"}, {401, "BUGGY"},
    {402, "SPEED"}, {405, "CROSS"}, {411, "NEW RACE RECORD!"}, 
    {434, "QUIT"}, {435, "CREDITS"}, {443, "START"}, {444, "LEAVE"}, {447, "Create a profile first."},
    {448, "This profile already exists."}, {451, "BEST LAP TIMES"}, {452, "RACE RESULTS"},
    {453, "Split screen"}, {454, "Network game"}, {455, "Championship"}, {456, "STANDINGS"},
    {457, "The profile could not be saved."}, {458, "The sound system is not available."},
    {595, "Waiting for a player..."},
    // Network play: chat and console lines.
    {597, "has joined the game."}, {598, "has left the game."},
    {599, "The network session was lost."}, {600, "The race goes on against the computer."},
    {601, "paused the race."}, {602, "resumed the race."}, {603, "has left the race."},
    {1016, "The race starts in four seconds."}, {1017, "The session is closed to new players."},
    {608, "Profiles"}, {609, "Car:"}, {610, "Price:"}, {611, "CREDITS"},
    {612, "Well done!"}, {613, "Empty slot"}, {614, "Saved:"}, {723, "GEARBOX"}, {724, "Automatic gearbox"},
    {725, "Manual gearbox"}, {728, "YES"}, {729, "NO"}, {736, "KEYS"},
    {737, "JOYSTICK"}, {738, "CAREER"}, {739, "CHAMPIONSHIPS"}, {740, "NETWORK"}, {741, "REPLAYS"},
    {773, "CAR SHOP"}, {860, "NETWORK"}, {861, "LOAD CAREER"}, {862, "SAVE CAREER"}, {863, "LOAD"},
    {864, "SAVE"}, {865, "Player"}, {866, "Date"}, {867, "pts"}, {868, "ROOKIE CUP"}, {869, "BRONZE CUP"},
    {870, "SILVER CUP"}, {871, "GOLD CUP"}, {872, "PLATINUM CUP"}, {873, "MASTERS CUP"}, {874, "QUORVIX CUP"},
    {875, "Race"}, {876, "Prize"}, {877, "Status"}, {878, "RACE 1"}, {879, "RACE 2"}, {880, "RACE 3"},
    {881, "RACE 4"}, {900, "RACE 1"}, {901, "RACE 2"}, {902, "RACE 3"}, {903, "RACE 4"}, {904, "Final cup"},
    {925, "START RACE"}, {926, "Sessions"}, {927, "Championships"}, {928, "Players in the game"},
    {929, "Messages"}, {930, "Replays"}, {931, "Saved careers"}, {933, "Hall of fame"}, {953, "Track"},
    {954, "Record holder"}, {959, "LAP RECORDS"}, {960, "TRACK RECORDS"}, {961, "Joystick: not found"},
    {962, "Dead zone"}, {971, "ROOKIE CUP"}, {972, "BRONZE CUP"}, {973, "SILVER CUP"}, {974, "GOLD CUP"},
    {975, "PLATINUM CUP"}, {976, "MASTERS CUP"}, {977, "QUORVIX CUP"},
    {978, "Choose a track group and a track."}, {979, "OK"},
    {1002, "A new bonus is waiting for you!"}, {1003, "You cannot afford this race."},
    {1004, "You cannot afford this car."}, {1005, "Sell this car?"}, {1006, "A new car is in the shop!"},
    {1007, "Finish the previous cup first."}, {1008, "Cup completed!"}, {1009, "Leave the career?"},
    {1012, "Sale price: "}, {1019, "This car is not for sale yet."}, {1021, "Your only car cannot be sold."},
    {1022, "Plug in a joystick first."}, {1023, "This championship is still locked."},
    {1024, "The championship could not be saved."}, {1028, "Career finished!"}, {1030, "Career saved."},
    {1031, "Career loaded."}, {1034, "WATCH"}, {1036, "Computer"},
    // Race messages and the presentation before a race.
    {1709, "TWO LAPS TO GO"}, {1710, "LAST LAP!"}, {1711, "NEW LAP RECORD!"}, {1714, "1ST"}, {1715, "2ND"},
    {1716, "3RD"}, {1717, "4TH"}, {1718, "5TH"}, {1719, "6TH"}, {1720, "7TH"}, {1721, "8TH"},
    {1724, "SPEED I"}, {1725, "SPEED II"}, {1726, "SPEED III"}, {1727, "Harbour Loop"},
    {1728, "Quarry Run"}, {1729, "Harbour Loop, reversed"}, {1730, "Old Town"}, {1731, "Glass Lake"},
    {1732, "Ridge Road"}, {1733, "Coastal Sprint"}, {1734, "Glass Lake at night"}, {1735, "JUMP"},
    {1736, "Ramp Hill"}, {1737, "The Gap"}, {1738, "Double Drop"}, {1739, "Canyon Leap"}, {1740, "Sky Bridge"},
    {1741, "Long Jump"}, {1742, "MONSTER"}, {1743, "Cone Alley"}, {1744, "Slalom"}, {1745, "Targets"},
    {1746, "Crusher"}, {1747, "Pole Dance"}, {1748, "Big Arena"}, {1749, "Dust Bowl"}, {1750, "Final Arena"},
    {1751, "CROSS"}, {1752, "Mud Flats"}, {1753, "Pine Forest"}, {1754, "Mud Flats, reversed"},
    {1755, "Gravel Pit"}, {1756, "Red Hills"}, {1757, "River Ford"}, {1758, "Cross Country"},
    {1759, "BUGGY"}, {1760, "Dune Track"}, {1761, "Dune Track, reversed"}, {1762, "Sand Bay"},
    {1763, "Palm Beach"}, {1764, "Salt Pan"}, {1765, "Rock Garden"}, {1766, "Oasis"}, {1767, "Ghost Town"},
    {1768, "Goal:"}, {1769, "Beat the best lap"}, {1770, "Win the race"}, {1772, "Time limit:"},
    {1773, "Jump record:"}, {1775, "BUGGY SPECIAL"}, {1777, "Coastal Sprint, reversed"},
    {1786, "Welcome to your career!"},
    {1787, "Bonus race 1 won!"}, {1788, "Bonus race 2 won!"}, {1789, "Bonus race 3 won!"},
    {1790, "Bonus race 4 won!"}, {1795, "Final cup: first race won!"}, {1796, "Final cup: two races won!"},
    {1797, "Final cup: three races won!"}, {1798, "Final cup: four races won!"},
    {1799, "Final cup won! The special race is open."},
    {1800, "Start a new championship or continue the saved one."}, {1801, "First stage completed!"},
    {1802, "Second stage completed!"}, {1803, "Championship won!"}, {1804, "Championship lost."},
    {1805, "A new track group is open!"},
    {1815, "Bonus: a better engine!"}, {1816, "Bonus: better tyres!"}, {1817, "Bonus: a lighter body!"},
    {1818, "Bonus: a bigger turbo!"}, {1819, "You won the race!"}, {1820, "You won the cup!"},
    {1821, "You won a new car!"}, {1822, "You won a new track!"}, {1823, "Second place."},
    {1824, "Third place."}, {1825, "Not placed this time."}, {1826, "You are the champion!"},
    {1827, "New record on this track!"}, {1828, "New lap record!"}, {1829, "Record bonus paid."},
    {1830, "Records saved."}, {1831, "Prize money paid."}, {1832, "Entry fee paid."},
    {1833, "Not enough money for the fee."}, {1834, "Money bonus!"},
    {1854, "Choose a saved career first."}, {1864, "The demo is over."},
    // The pause menu, the help and the shop's verdicts.
    {336, "PAUSE"}, {337, "RESUME"}, {338, "RESTART"}, {339, "QUIT"}, {341, "SAVE THIS REPLAY"},
    {342, "START THE RACE"}, {406, "OWNED"}, {407, "FOR SALE"}, {408, "LOCKED"},
    {412, "Win more cup races to unlock this car"}, {415, "HELP"},
    {417, "Up arrow: accelerate    Down arrow: brake"}, {418, "Left and right arrows: steer"},
    {419, "Right Ctrl: handbrake    Num 0: turbo"}, {420, "Num + and Num -: gears (manual gearbox)"},
    {421, "Num Enter: camera    Num .: look back    Right Shift: horn"},
    {422, "F2: race panel    F3: map    F4: car names"},
    {423, "F8: screenshot    Insert and Delete: replay car"}, {424, "Escape: pause menu"},
    {425, "F1: close this help"},
    // The end-of-race banner.
    {427, "RACE OVER"}, {1701, "A fine second place."}, {1702, "On the podium."},
    {1705, "Jump over."}, {1707, "Event over."}, {1713, "FINISHED"}, {1722, "Not a podium this time."},
    {1723, "Try again!"}, {1835, "10 points"}, {1836, "8 points"}, {1837, "6 points"}, {1838, "5 points"},
    {1839, "4 points"}, {1840, "3 points"}, {1841, "2 points"}, {1842, "1 point"},
    {1843, "Goal reached!"}, {1844, "Goal missed."}, {1846, "You won the race!"},
    {1849, "Every target hit!"}, {1852, "A record jump!"}, {1855, "Event failed."},
    {1856, "EVENT OVER"}, {1859, "You won the network race!"}, {1861, "ARENA OVER"}, {1862, "JUMP OVER"},
    // Car names of models 18 and 19.
    {1686, "Rovan Red"}, {1687, "Rovan Blue"}, {1688, "Rovan Green"}, {1689, "Rovan Gold"},
    {1690, "Skarr Red"}, {1691, "Skarr Blue"}, {1692, "Skarr Green"}, {1693, "Skarr Gold"},
};

// Room in bytes of the slots that the game writes at run time.
struct SlotRoom {
    int first, last, room;
};

const SlotRoom kRooms[] = {
    {29, 29, 24},     {118, 118, 4},    {155, 159, 8},    {232, 232, 24},   {253, 253, 26},
    {297, 297, 24},   {298, 299, 3},    {307, 307, 172},  {309, 311, 172},  {313, 313, 3},
    {328, 329, 24},   {395, 395, 8},    {409, 409, 24},   {459, 468, 172},  {469, 476, 24},
    {615, 645, 26},   {650, 650, 2},    {651, 651, 10},   {653, 687, 8},    {688, 722, 8},
    {754, 761, 26},   {762, 772, 20},   {776, 776, 3},    {777, 777, 48},   {780, 783, 24},
    {1010, 1010, 24}, {1033, 1033, 60},
    {SLOT_RACE_LIST, SLOT_RACE_LIST + 7, RACE_LIST_ROOM},
};

const char* const kKeyNames[61] = {
    "-", "=", "Backspace", "Tab", "[", "]", "Return", "Left Ctrl", ";", "'", "`", "Left Shift", "\\", ",",
    ".", "/", "Right Shift", "Num *", "Left Alt", "Space", "Caps Lock", "Num Lock", "Scroll Lock", "Num 7",
    "Num 8", "Num 9", "Num -", "Num 4", "Num 5", "Num 6", "Num +", "Num 1", "Num 2", "Num 3", "Num 0",
    "Num .", "Kana", "Convert", "No Convert", "Yen", "Num =", "^", "@", ":", "_", "Kanji", "Stop", "Ax",
    "Unlabeled", "Num Enter", "Right Ctrl", "Num ,", "Num /", "Print", "Right Alt", "Up", "Left", "Right",
    "Down", "Left Win", "Right Win",
};

const char* const kJoystickNames[16] = {
    "Down", "Up", "Right", "Left", "Fire", "Control", "Button 1", "Button 2",
    "Button 3", "Button 4", "Button 5", "Button 6", "Button 7", "Button 8", "Button 9", "Button 10",
};

const char* const kFirstNames[] = {"Alva", "Bruno", "Cleo", "Dario", "Edda", "Fabian", "Greta", "Hugo",
                                   "Ines", "Jonas", "Kira", "Lenno", "Mira", "Nils", "Olga", "Pavel",
                                   "Rhea", "Sven", "Tilda", "Udo", "Vera", "Wim", "Yara", "Zeno"};
const char* const kLastNames[] = {"Ambrel", "Brask", "Corvel", "Dunmoor", "Elstrand", "Fenwarr", "Grolt",
                                  "Hasken", "Ivrel", "Jasker", "Kolm", "Lurvat", "Mendrel", "Norvik",
                                  "Osterl", "Pardo", "Quell", "Rastin", "Sorvik", "Tannis"};

std::string PersonName(int n) {
    const int firsts = (int)(sizeof kFirstNames / sizeof kFirstNames[0]);
    const int lasts = (int)(sizeof kLastNames / sizeof kLastNames[0]);
    return std::string(kFirstNames[n % firsts]) + " " + kLastNames[(n * 7 + n / firsts) % lasts];
}

const char* const kModels[18] = {"Vantor", "Krell", "Obrix", "Sundo", "Palvex", "Trion", "Glade", "Merrow",
                                 "Dastra", "Fenlo", "Hurka", "Jovel", "Kavari", "Lumo", "Nivra", "Orsk",
                                 "Pyrle", "Quade"};
const char* const kColours[4] = {"Red", "Blue", "Green", "Gold"};
const char* const kClasses[5] = {"speed", "jump", "monster", "cross", "buggy"};

const char* const kChampionships[19] = {
    "Rookie Series", "Coastal Trophy", "Jump Masters", "Arena Cup", "Mud Challenge", "Dune Classic",
    "Speed Week", "Night Series", "Hill Trophy", "Stone Cup", "River Series", "Desert Run",
    "Grand Tour", "Twin Cup", "Iron Trophy", "Sky Series", "Winter Cup", "Summer Cup", "Quorvix Masters",
};

// The credits: 142 lines; headings at the slots the credits screen colours.
const int kCreditsHeadings[] = {1866, 1867, 1870, 1871, 1881, 1890, 1892, 1895, 1898, 1901, 1904,
                                1907, 1910, 1913, 1916, 1919, 1922, 1925, 1929, 1948, 1954, 1957,
                                1960, 1964, 1967, 1971, 1975, 1978, 1981, 1986, 1993, 2005, 2006};
const char* const kCreditsTitles[] = {
    "QUORVIX", "A GAME BY THE QUORVIX TEAM", "DESIGN", "PROGRAMMING", "GRAPHICS", "SOUND CODE",
    "NETWORK CODE", "TOOLS", "ART DIRECTION", "CARS", "TRACKS", "MENUS", "TEXTURES", "ANIMATION", "MUSIC",
    "SOUND EFFECTS", "VOICES", "TESTING", "PRODUCTION", "MARKETING", "MANUAL", "TRANSLATION", "GERMAN",
    "FRENCH", "SPANISH", "SUPPORT", "THANKS TO", "SPECIAL THANKS", "OUR FAMILIES", "AND YOU", "THE END",
    "QUORVIX", "THANK YOU FOR PLAYING",
};

}  // namespace

std::map<int, std::string> MkEnglishTexts() {
    std::map<int, std::string> texts;
    for (const SlotText& t : kEnglish)
        texts[t.slot] = t.text;
    for (const SlotRoom& r : kRooms) {
        for (int slot = r.first; slot <= r.last; slot++)
            texts[slot] = std::string((size_t)r.room, ' ');
    }
    texts[118] = "Off ";
    texts[395] = "Off     ";
    texts[650] = "01";
    texts[651] = "0         ";
    for (int i = 0; i < 61; i++)
        texts[501 + i] = kKeyNames[i];
    for (int i = 0; i < 16; i++)
        texts[563 + i] = kJoystickNames[i];
    // Rivals of the championships: eight per name set (GaragePage / 2 is 0,
    // 1 or 2), slots 477 to 500, so the key names from 501 on stay; then
    // the computer drivers.
    for (int e = 0; e < 3 * 8; e++)
        texts[477 + e] = PersonName(e + 3);
    for (int e = 0; e < 12; e++)
        texts[579 + e] = PersonName(e + 40);
    for (int s = 0; s < 19; s++) {
        texts[784 + 2 * s] = kChampionships[s];
        texts[785 + 2 * s] = std::to_string(3 + s % 4) + " races in the " + kClasses[s % 5] + " class";
    }
    // Cars: a name per model and colour, and six lines of description.
    for (int m = 0; m < 18; m++) {
        for (int c = 0; c < 4; c++) {
            const std::string name = std::string(kModels[m]) + " " + kColours[c];
            texts[1614 + 4 * m + c] = name;
            const int base = 1040 + 28 * m + 7 * c;
            char line[64];
            texts[base] = "The " + name + ", a " + kClasses[m % 5] + " car.";
            snprintf(line, sizeof line, "Top speed: %d km/h", 150 + 5 * m + 3 * c);
            texts[base + 1] = line;
            snprintf(line, sizeof line, "Acceleration: %d/10", 4 + (m + c) % 6);
            texts[base + 2] = line;
            snprintf(line, sizeof line, "Grip: %d/10", 3 + (m * 3 + c) % 7);
            texts[base + 3] = line;
            snprintf(line, sizeof line, "Weight: %d kg", 700 + 25 * m + 10 * c);
            texts[base + 4] = line;
            texts[base + 5] = std::string("Colour: ") + kColours[c];
        }
    }
    const int headings = (int)(sizeof kCreditsHeadings / sizeof kCreditsHeadings[0]);
    int heading = 0, person = 0;
    for (int slot = 1865; slot <= 2006; slot++) {
        const int next = heading < headings ? kCreditsHeadings[heading] : 0;
        if (slot == next)
            texts[slot] = kCreditsTitles[heading++];
        else if (slot == 1865 || next == slot + 1)
            texts[slot] = " ";   // a gap before each heading
        else
            texts[slot] = PersonName(person++);
    }
    return texts;
}

// ---------------------------------------------------------------------------
// Hot keys.  Every button label gets a mark (code 126) before one of its
// letters, unique among the labels of its screen, so that typing the letter
// takes the pointer to the button and clicks it.

namespace {

// The labels that can be on the screen together: the hover-tested text
// items of a screen whose parent stays on the screen (resident), and those
// of each panel that comes and goes (by parent).  Every panel's labels are
// seen with the resident ones, never with another panel's.
struct ScreenLabels {
    std::set<int> resident;
    std::map<int, std::set<int>> panels;   // by parent item
};

std::vector<ScreenLabels> LabelsByScreen() {
    std::vector<ScreenLabels> screens(MENU_LAYOUT_SCREENS);
    for (int s = 0; s < MENU_LAYOUT_SCREENS; s++) {
        std::map<int, unsigned> flagsOf;
        struct Label {
            int item, slot, parent;
            unsigned flags;
        };
        std::vector<Label> labels;
        const char* line = MenuLayoutText[s];
        while (line && *line) {
            const char* end = strchr(line, '\n');
            const std::string text(line, end ? (size_t)(end - line) : strlen(line));
            line = end ? end + 1 : nullptr;
            int item = 0;
            char kind[8] = {};
            unsigned flags = 0;
            if (sscanf(text.c_str(), " %d %7s %x", &item, kind, &flags) != 3)
                continue;
            flagsOf[item] = flags;
            const size_t slot = text.find("slot="), parent = text.find("parent=");
            if (strcmp(kind, "text") == 0 && (flags & 0x208) == 0x208 && slot != std::string::npos)
                labels.push_back({item, atoi(text.c_str() + slot + 5),
                                  parent != std::string::npos ? atoi(text.c_str() + parent + 7) : 0, flags});
        }
        for (const Label& l : labels) {
            const unsigned parentFlags = l.parent ? flagsOf[l.parent] : 0x20;
            const bool stays = (l.flags & 0x20) && (parentFlags & 0x20) && !(parentFlags & 0x40000);
            if (stays)
                screens[s].resident.insert(l.slot);
            else
                screens[s].panels[l.parent].insert(l.slot);
        }
    }
    return screens;
}

// Letters are chosen by repair: every label starts with its first letter,
// and while two labels seen together share one, one of them moves to the
// letter its rivals use least (now and then to any letter, so the search
// does not circle).  A fixed seed keeps the files the same from build to
// build.
struct HotKeySearch {
    std::vector<int> slots;
    std::map<int, std::string> candidates;  // the letters each label may use
    std::map<int, std::set<int>> rivals;    // labels seen together with it
    std::map<int, char> chosen;
    uint32_t seed = 12345;

    uint32_t Next() {
        seed = seed * 1103515245u + 12345u;
        return seed >> 16;
    }

    int Clashes(int slot, char letter) {
        int n = 0;
        for (int rival : rivals[slot])
            n += chosen[rival] == letter;
        return n;
    }

    bool Solve() {
        for (int slot : slots)
            chosen[slot] = candidates[slot][0];
        for (int round = 0; round < 100000; round++) {
            std::vector<int> clashing;
            for (int slot : slots) {
                if (Clashes(slot, chosen[slot]))
                    clashing.push_back(slot);
            }
            if (clashing.empty())
                return true;
            const int slot = clashing[Next() % clashing.size()];
            const std::string& letters = candidates[slot];
            if (Next() % 10 == 0) {
                chosen[slot] = letters[Next() % letters.size()];
                continue;
            }
            char best = letters[0];
            int fewest = 1 << 30;
            for (char letter : letters) {
                const int n = Clashes(slot, letter) * 4 + (int)(Next() % 4);
                if (n < fewest) {
                    fewest = n;
                    best = letter;
                }
            }
            chosen[slot] = best;
        }
        return false;
    }
};

}  // namespace

bool MkMarkHotKeys(std::map<int, std::string>& texts) {
    std::set<int> runtime;
    for (const SlotRoom& r : kRooms) {
        for (int slot = r.first; slot <= r.last; slot++)
            runtime.insert(slot);
    }
    HotKeySearch search;
    // Each resident label meets every label of its screen; a panel's labels
    // meet each other and the resident ones.
    std::vector<std::set<int>> together;
    for (const ScreenLabels& screen : LabelsByScreen()) {
        together.push_back(screen.resident);
        for (const auto& [parent, panel] : screen.panels) {
            std::set<int> seen = screen.resident;
            seen.insert(panel.begin(), panel.end());
            together.push_back(seen);
        }
    }
    for (const std::set<int>& screen : together) {
        for (int slot : screen) {
            if (runtime.count(slot) || !texts.count(slot))
                continue;
            std::string letters;
            for (unsigned char c : texts[slot]) {
                const char up = (char)UpperCaseCode(c);
                if ((isalnum(c) || c >= 0xC0) && letters.find(up) == std::string::npos)
                    letters += up;
            }
            if (letters.empty())
                continue;   // arrows and signs have no letter to type
            search.candidates[slot] = letters;
            for (int other : screen) {
                if (other != slot)
                    search.rivals[slot].insert(other);
            }
        }
    }
    for (const auto& [slot, letters] : search.candidates)
        search.slots.push_back(slot);
    if (!search.Solve())
        return false;
    for (const auto& [slot, letter] : search.chosen) {
        std::string& text = texts[slot];
        for (size_t i = 0; i < text.size(); i++) {
            if ((char)UpperCaseCode((unsigned char)text[i]) == letter) {
                text.insert(i, 1, (char)126);
                break;
            }
        }
    }
    return true;
}

// A few texts of the other languages, enough to tell them apart; the rest
// is English until the translations are made.
std::map<int, std::string> MkLanguageTexts(int language) {
    std::map<int, std::string> texts = MkEnglishTexts();
    struct Word {
        int slot;
        const char* spanish;
        const char* french;
        const char* german;
    };
    static const Word words[] = {
        {26, "Cargando...", "Chargement...", "Laden..."},
        {31, "JUGAR", "JOUER", "SPIELEN"},
        {32, "CARRERA", "COURSE", "RENNEN"},
        {34, "OPCIONES", "OPTIONS", "OPTIONEN"},
        {36, "SALIR", "QUITTER", "ENDE"},
        {48, "ACEPTAR", "OK", "OK"},
        {49, "VOLVER", "RETOUR", "ZUR\xDC" "CK"},
        {130, "VOLVER", "RETOUR", "ZUR\xDC" "CK"},
        {397, "S\xCD", "OUI", "JA"},
        {398, "NO", "NON", "NEIN"},
        {728, "S\xCD", "OUI", "JA"},
        {729, "NO", "NON", "NEIN"},
    };
    for (const Word& w : words) {
        if (language == 0)
            texts[w.slot] = w.spanish;
        else if (language == 2)
            texts[w.slot] = w.french;
        else if (language == 3)
            texts[w.slot] = w.german;
    }
    if (!MkMarkHotKeys(texts))
        texts.clear();   // no letters for every label: the file is refused
    return texts;
}
