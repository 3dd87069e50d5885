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

#include "frontend/frontend_state.h"
#include "frontend/progress.h"
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
    {24, "Press a key to continue"}, {25, "WRONG WAY!"}, {27, "Waiting for the other players..."},
    {28, "Name of the replay:"}, {30, "Quorvix 1.0"},
    // Screen labels.
    {55, "TRACK"}, {56, "BEST TIME"},
    {68, "640 x 480"}, {69, "800 x 600"}, {70, "1024 x 768"}, {71, "Track:"}, {72, "Laps:"}, {73, "Players:"},
    {102, "Races:"}, {103, "Players:"}, {112, "Human players:"}, {113, "1"}, {114, "2"}, {115, "3"},
    {116, "4"}, {117, "5"}, {119, "Difficulty:"}, {120, "Track:"},
    // Career, car choice and shop.
    {137, "Reward"}, {146, ">>"}, {147, "<<"}, {148, "JUMP"}, {149, "MONSTER"}, {150, "BUGGY"},
    {151, "SPEED"}, {154, "CROSS"},
    {160, "WON"}, {161, "---"},
    // The track groups of cup rows 0 to 4, which the single race screen
    // prints on its group buttons and the career on its bonus races (the
    // layout puts 165 before 164); the arena group is ARENA there, to fit
    // the single race's button.
    {162, "ARENA"}, {163, "CROSS"}, {164, "BUGGY"}, {165, "SPEED"}, {166, "JUMP"},
    {255, "Track group:"}, {259, "CHANGE TRACK"},

    {293, "Session:"}, {295, "Players:"},
    {303, "Session:"}, {304, "Host:"}, {305, "Races:"},
    {411, "NEW RACE RECORD!"}, {451, "BEST LAP TIMES"}, {452, "RACE RESULTS"},
    {453, "Split screen"}, {454, "Network game"}, {455, "Championship"}, {456, "STANDINGS"},
    {595, "Waiting for a player..."},
    // Network play: chat and console lines.
    {597, "has joined the game."}, {598, "has left the game."},
    {599, "The network session was lost."}, {600, "The race goes on against the computer."},
    {601, "paused the race."}, {602, "resumed the race."}, {603, "has left the race."},
    {1016, "The race starts in four seconds."}, {1017, "The session is closed to new players."},
    {860, "NETWORK"},  {933, "Hall of fame"},
    {1012, "Sale price: "}, {1036, "Computer"},
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
    {1787, "Bonus race 1 won!"}, {1788, "Bonus race 2 won!"}, {1789, "Bonus race 3 won!"},
    {1790, "Bonus race 4 won!"}, {1795, "Final cup: first race won!"}, {1796, "Final cup: two races won!"},
    {1797, "Final cup: three races won!"}, {1798, "Final cup: four races won!"},
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
    {395, 395, 8},    {409, 409, 24},   {459, 468, 172},  {469, 476, 24},
    {615, 645, 26},   {650, 650, 2},    {651, 651, 10},   {653, 687, 8},    {688, 722, 16},
    {754, 761, 26},   {762, 772, 20},   {776, 776, 3},    {777, 777, 48},   {780, 783, 24},
    {1010, 1010, 24}, {1033, 1033, 60},
    {SLOT_RACE_LIST, SLOT_RACE_LIST + 7, RACE_LIST_ROOM},
};

// The names of the keys from the key table's row 47 on, and of the
// joystick's inputs, in the four languages (spanish, english, french,
// german); each fits a binding line.
struct KeyName {
    const char* spanish;
    const char* english;
    const char* french;
    const char* german;
};

const KeyName kKeyNames[61] = {
    {"-", "-", "-", "-"}, {"=", "=", "=", "="},
    {"Retroceso", "Backspace", "Retour arr.", "R\xFC" "cktaste"}, {"Tab", "Tab", "Tab", "Tab"},
    {"[", "[", "[", "["}, {"]", "]", "]", "]"}, {"Intro", "Return", "Entr\xE9" "e", "Eingabe"},
    {"Ctrl izq.", "Left Ctrl", "Ctrl gauche", "Strg links"}, {";", ";", ";", ";"}, {"'", "'", "'", "'"},
    {"`", "`", "`", "`"}, {"May\xFAs izq.", "Left Shift", "Maj gauche", "Umschalt li."}, {"\\", "\\", "\\", "\\"},
    {",", ",", ",", ","}, {".", ".", ".", "."}, {"/", "/", "/", "/"},
    {"May\xFAs der.", "Right Shift", "Maj droite", "Umschalt re."}, {"Num *", "Num *", "Pav\xE9 *", "Num *"},
    {"Alt izq.", "Left Alt", "Alt gauche", "Alt links"}, {"Espacio", "Space", "Espace", "Leertaste"},
    {"Bloq May\xFAs", "Caps Lock", "Verr. Maj", "Feststell"}, {"Bloq Num", "Num Lock", "Verr. Num", "Num"},
    {"Bloq Despl", "Scroll Lock", "Arr\xEAt d\xE9" "fil", "Rollen"},
    {"Num 7", "Num 7", "Pav\xE9 7", "Num 7"}, {"Num 8", "Num 8", "Pav\xE9 8", "Num 8"},
    {"Num 9", "Num 9", "Pav\xE9 9", "Num 9"}, {"Num -", "Num -", "Pav\xE9 -", "Num -"},
    {"Num 4", "Num 4", "Pav\xE9 4", "Num 4"}, {"Num 5", "Num 5", "Pav\xE9 5", "Num 5"},
    {"Num 6", "Num 6", "Pav\xE9 6", "Num 6"}, {"Num +", "Num +", "Pav\xE9 +", "Num +"},
    {"Num 1", "Num 1", "Pav\xE9 1", "Num 1"}, {"Num 2", "Num 2", "Pav\xE9 2", "Num 2"},
    {"Num 3", "Num 3", "Pav\xE9 3", "Num 3"}, {"Num 0", "Num 0", "Pav\xE9 0", "Num 0"},
    {"Num .", "Num .", "Pav\xE9 .", "Num ,"}, {"Kana", "Kana", "Kana", "Kana"},
    {"Convertir", "Convert", "Convertir", "Umwandeln"}, {"No convertir", "No Convert", "Sans convert.", "Nicht umw."},
    {"Yen", "Yen", "Yen", "Yen"}, {"Num =", "Num =", "Pav\xE9 =", "Num ="}, {"^", "^", "^", "^"},
    {"@", "@", "@", "@"}, {":", ":", ":", ":"}, {"_", "_", "_", "_"}, {"Kanji", "Kanji", "Kanji", "Kanji"},
    {"Stop", "Stop", "Stop", "Stop"}, {"Ax", "Ax", "Ax", "Ax"},
    {"Sin nombre", "Unlabeled", "Sans nom", "Ohne Namen"}, {"Num Intro", "Num Enter", "Pav\xE9 Entr\xE9" "e", "Num Enter"},
    {"Ctrl der.", "Right Ctrl", "Ctrl droit", "Strg rechts"}, {"Num ,", "Num ,", "Pav\xE9 ,", "Num ."},
    {"Num /", "Num /", "Pav\xE9 /", "Num /"}, {"Impr Pant", "Print", "Impr. \xE9" "cran", "Druck"},
    {"Alt der.", "Right Alt", "Alt droit", "Alt Gr"}, {"Arriba", "Up", "Haut", "Oben"},
    {"Izquierda", "Left", "Gauche", "Links"}, {"Derecha", "Right", "Droite", "Rechts"},
    {"Abajo", "Down", "Bas", "Unten"}, {"Win izq.", "Left Win", "Win gauche", "Win links"},
    {"Win der.", "Right Win", "Win droite", "Win rechts"},
};

const KeyName kJoystickNames[16] = {
    {"Abajo", "Down", "Bas", "Unten"}, {"Arriba", "Up", "Haut", "Oben"},
    {"Derecha", "Right", "Droite", "Rechts"}, {"Izquierda", "Left", "Gauche", "Links"},
    {"Disparo", "Fire", "Tir", "Feuer"}, {"Control", "Control", "Contr\xF4le", "Steuerung"},
    {"Bot\xF3n 1", "Button 1", "Bouton 1", "Taste 1"}, {"Bot\xF3n 2", "Button 2", "Bouton 2", "Taste 2"},
    {"Bot\xF3n 3", "Button 3", "Bouton 3", "Taste 3"}, {"Bot\xF3n 4", "Button 4", "Bouton 4", "Taste 4"},
    {"Bot\xF3n 5", "Button 5", "Bouton 5", "Taste 5"}, {"Bot\xF3n 6", "Button 6", "Bouton 6", "Taste 6"},
    {"Bot\xF3n 7", "Button 7", "Bouton 7", "Taste 7"}, {"Bot\xF3n 8", "Button 8", "Bouton 8", "Taste 8"},
    {"Bot\xF3n 9", "Button 9", "Bouton 9", "Taste 9"}, {"Bot\xF3n 10", "Button 10", "Bouton 10", "Taste 10"},
};

const char* InLanguage(const KeyName& name, int language) {
    return language == 0 ? name.spanish : language == 2 ? name.french : language == 3 ? name.german : name.english;
}

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

// The class a model is sold and raced in: the first category whose single
// race or split screen garage of a new game lists it (the car choice's and
// the shop's tabs), so the car panels name the tab the car stands on.
int FirstListingCategory(int model) {
    for (int mode : {1, 2})
        for (int category = 0; category < 5; category++)
            for (int i = 0; i < 15 && GarageLists[category * 5 + mode][i][0] >= 0; i++)
                if (GarageLists[category * 5 + mode][i][0] == model)
                    return category;
    return model % 5;
}

// The new game's tables are read in place of the live ones, which are put
// back as they were: a test process may make a folder in the middle of its
// own career.
int ClassOfModel(int model) {
    int lists[25][15][2], last[5][5], current[5][7], pick[7];
    std::memcpy(lists, GarageLists, sizeof lists);
    std::memcpy(last, GarageLast, sizeof last);
    std::memcpy(current, GarageCurrent, sizeof current);
    std::memcpy(pick, CategoryPick, sizeof pick);
    RestoreProgressDefaults();
    const int category = FirstListingCategory(model);
    std::memcpy(GarageLists, lists, sizeof lists);
    std::memcpy(GarageLast, last, sizeof last);
    std::memcpy(GarageCurrent, current, sizeof current);
    std::memcpy(CategoryPick, pick, sizeof pick);
    return category;
}

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
        texts[501 + i] = kKeyNames[i].english;
    for (int i = 0; i < 16; i++)
        texts[563 + i] = kJoystickNames[i].english;
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
    // The shop's category tabs: the layout centres each tab's label and its
    // car count (" 1/12") on the same point of the tab, so the label is
    // followed by blanks that put it on the tab's left, clear of the count;
    // the arena category is ARENA there, to fit beside it.
    texts[402] = "SPEED          ";
    texts[399] = "JUMP           ";
    texts[400] = "ARENA          ";
    texts[405] = "CROSS          ";
    texts[401] = "BUGGY          ";
    // The price of the car on show is this text followed by " %d*".  The car
    // choice centres it on the car count of the chosen tab, so it is only
    // blanks: the price then reads after the count, and the label the
    // layout gives the price above it stays blank too.
    texts[231] = "            ";
    // Cars: a name per model and colour, and six lines of description.
    for (int m = 0; m < 18; m++) {
        for (int c = 0; c < 4; c++) {
            const std::string name = std::string(kModels[m]) + " " + kColours[c];
            texts[1614 + 4 * m + c] = name;
            const int base = 1040 + 28 * m + 7 * c;
            char line[64];
            // Six values: class, top speed, acceleration, grip, weight and
            // colour; the car choice prints them right-aligned after their
            // labels.
            texts[base] = std::string(kClasses[ClassOfModel(m)]) + " car";
            snprintf(line, sizeof line, "%d km/h", 150 + 5 * m + 3 * c);
            texts[base + 1] = line;
            snprintf(line, sizeof line, "%d/10", 4 + (m + c) % 6);
            texts[base + 2] = line;
            snprintf(line, sizeof line, "%d/10", 3 + (m * 3 + c) % 7);
            texts[base + 3] = line;
            snprintf(line, sizeof line, "%d kg", 700 + 25 * m + 10 * c);
            texts[base + 4] = line;
            texts[base + 5] = kColours[c];
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
            int font;
        };
        std::vector<Label> labels, printed;   // buttons' own texts; texts on a picture
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
            const size_t slot = text.find("slot="), parent = text.find("parent="), font = text.find("font=");
            if (strcmp(kind, "text") != 0 || slot == std::string::npos)
                continue;
            const Label label = {item, atoi(text.c_str() + slot + 5),
                                 parent != std::string::npos ? atoi(text.c_str() + parent + 7) : 0, flags,
                                 font != std::string::npos ? atoi(text.c_str() + font + 5) : 1};
            // (a name that takes a click but never lights up is no button)
            if ((flags & 0x218) == 0x218)
                labels.push_back(label);
            else if (label.parent)
                printed.push_back(label);
        }
        // A picture button's label is the text printed on it in the largest
        // font (the smaller print under it is a note): the letter typed
        // clicks the picture under the label's cell.
        std::map<int, Label> pictureLabels;
        for (const Label& l : printed) {
            const auto picture = flagsOf.find(l.parent);
            if (picture == flagsOf.end() || (picture->second & 0x408) != 0x408)
                continue;
            const auto known = pictureLabels.find(l.parent);
            if (known == pictureLabels.end() || l.font < known->second.font)
                pictureLabels[l.parent] = l;
        }
        for (const auto& [picture, l] : pictureLabels) {
            const unsigned pictureFlags = flagsOf[picture];
            labels.push_back({l.item, l.slot, pictureFlags & 0x20 ? 0 : picture, l.flags & pictureFlags, l.font});
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
    // The two heat texts trade places at start-up while the heat limit is
    // off, each written over the start of the other's line, whose length
    // stays: both keep the marked label, letter for letter.
    if (texts.count(328) && texts.count(329) && texts[329] != texts[328]) {
        std::string plain;
        for (char c : texts[328])
            if ((unsigned char)c != 126)
                plain += c;
        if (plain == texts[329])
            texts[329] = texts[328];
    }
    return true;
}

// The labels of the menus' buttons, the screens' titles and the messages
// of the pop-ups, in the four languages (spanish, english, french,
// german: the order of the message files).  A label says what its button
// does; every text fits the picture or the hit box the layout gives it.
namespace {

struct Translated {
    int slot;
    const char* spanish;
    const char* english;
    const char* french;
    const char* german;
};

const Translated kTranslated[] = {
    // Start-up.
    {26, "Cargando...", "Loading...", "Chargement...", "Laden..."},
    // Main menu and its boards.
    {31, "JUGAR", "PLAY", "JOUER", "SPIELEN"},
    {32, "MULTIJUGADOR", "MULTIPLAYER", "MULTIJOUEUR", "MEHRSPIELER"},
    {33, "REPETICIONES", "REPLAYS", "RALENTIS", "WIEDERHOLUNG"},
    {34, "OPCIONES", "OPTIONS", "OPTIONS", "OPTIONEN"},
    {35, "R\xC9" "CORDS", "RECORDS", "RECORDS", "REKORDE"},
    {36, "SALIR", "EXIT", "QUITTER", "VERLASSEN"},
    {37, "\xBFSALIR DEL JUEGO?", "QUIT THE GAME?", "QUITTER LE JEU ?", "SPIEL BEENDEN?"},
    {38, "UNA CARRERA", "SINGLE RACE", "COURSE SOLO", "EINZELRENNEN"},
    {39, "CAMPEONATO", "CHAMPIONSHIP", "CHAMPIONNAT", "TURNIER"},
    {254, "TRAYECTORIA", "CAREER", "CARRI\xC8RE", "KARRIERE"},
    {40, "2 JUGADORES", "SPLIT SCREEN", "2 JOUEURS", "2 SPIELER"},
    {41, "JUEGO EN RED", "NETWORK GAME", "EN R\xC9SEAU", "NETZWERK"},
    {42, "PANTALLA", "DISPLAY", "AFFICHAGE", "ANZEIGE"},
    {43, "SONIDO", "SOUND", "SON", "TON"},
    {44, "CONTROLES", "CONTROLS", "COMMANDES", "STEUERUNG"},
    {256, "CARRERAS", "SINGLE RACES", "COURSES", "RENNEN"},
    {257, "CAMPEONATO", "CHAMPIONSHIP", "CHAMPIONNAT", "TURNIER"},
    {258, "COPAS", "CAREER CUPS", "COUPES", "POKALE"},
    {386, "AYUDA", "HELP", "AIDE", "HILFE"},
    {434, "TERMINAR", "QUIT", "FIN", "ENDE"},
    {397, "S\xCD", "YES", "OUI", "JA"},
    {398, "NO", "NO", "NON", "NEIN"},
    // Buttons many screens share.
    {48, "ACEPTAR", "OK", "OK", "OK"},
    {979, "ACEPTAR", "OK", "OK", "OK"},
    {49, "VOLVER", "BACK", "RETOUR", "ZUR\xDC" "CK"},
    {130, "VOLVER", "BACK", "RETOUR", "ZUR\xDC" "CK"},
    {728, "S\xCD", "YES", "OUI", "JA"},
    {729, "NO", "NO", "NON", "NEIN"},
    {62, "INICIALES", "DEFAULTS", "D\xC9" "FAUT", "STANDARD"},
    {98, "BORRAR", "DELETE", "EFFACER", "L\xD6" "SCHEN"},
    // Screen titles.
    {45, "PERFILES", "PROFILES", "PROFILS", "PROFILE"},
    {51, "UNA CARRERA", "SINGLE RACE", "COURSE SOLO", "EINZELRENNEN"},
    {52, "CAMPEONATO", "CHAMPIONSHIP", "CHAMPIONNAT", "TURNIER"},
    {53, "JUGADORES", "PLAYERS", "JOUEURS", "SPIELER"},
    {54, "JUEGO EN RED", "NETWORK GAME", "EN R\xC9SEAU", "NETZWERK"},
    {57, "REPETICIONES", "REPLAYS", "RALENTIS", "WIEDERHOLUNG"},
    {58, "SAL\xD3N FAMA", "HALL OF FAME", "PANTH\xC9ON", "RUHMESHALLE"},
    {59, "PANTALLA", "DISPLAY", "AFFICHAGE", "ANZEIGE"},
    {60, "SONIDO", "SOUND", "SON", "TON"},
    {61, "CONTROLES", "CONTROLS", "COMMANDES", "STEUERUNG"},
    {99, "CREAR JUEGO", "CREATE GAME", "CR\xC9" "ER JEU", "NEUES SPIEL"},
    {125, "TRAYECTORIA", "CAREER", "CARRI\xC8RE", "KARRIERE"},
    {126, "TIENDA", "CAR SHOP", "GARAGE", "AUTOHAUS"},
    {127, "ELIGE COCHE", "CHOOSE A CAR", "TA VOITURE", "AUTO W\xC4HLEN"},
    {285, "R\xC9" "CORD COPAS", "CUP RECORDS", "COUPES", "POKALREKORDE"},
    {435, "CR\xC9" "DITOS", "CREDITS", "CR\xC9" "DITS", "MITWIRKENDE"},
    {861, "CARGAR", "LOAD CAREER", "CHARGER", "LADEN"},
    {862, "GUARDAR", "SAVE CAREER", "SAUVER", "SPEICHERN"},
    {959, "R\xC9" "CORDS", "RACE RECORDS", "RECORDS", "RENNREKORDE"},
    {960, "CAMPEONATOS", "CHAMPIONSHIPS", "CHAMPIONNATS", "TURNIERE"},
    // The profile screen: log in with OK, make a new profile, delete one.
    {46, "NUEVO", "NEW", "NOUVEAU", "NEU"},
    {47, "NUEVO PERFIL", "NEW PROFILE", "NOUVEAU PROFIL", "NEUES PROFIL"},
    {608, "Elige un perfil y ACEPTAR", "Pick a profile and press OK", "Choisis un profil puis OK",
     "Profil w\xE4hlen, dann OK"},
    // The career and the single race.
    {128, "CARGAR", "LOAD", "CHARGER", "LADEN"},
    {129, "GUARDAR", "SAVE", "SAUVER", "SPEICHERN"},
    {863, "CARGAR", "LOAD", "CHARGER", "LADEN"},
    {864, "GUARDAR", "SAVE", "SAUVER", "SPEICHERN"},
    {971, "COPA NOVATO", "ROOKIE CUP", "COUPE D\xC9" "BUTANT", "ANF\xC4NGERPOKAL"},
    {972, "COPA BRONCE", "BRONZE CUP", "COUPE BRONZE", "BRONZEPOKAL"},
    {973, "COPA PLATA", "SILVER CUP", "COUPE ARGENT", "SILBERPOKAL"},
    {974, "COPA ORO", "GOLD CUP", "COUPE OR", "GOLDPOKAL"},
    {975, "COPA PLATINO", "PLATINUM CUP", "COUPE PLATINE", "PLATINPOKAL"},
    {976, "COPA MAESTROS", "MASTERS CUP", "COUPE MA\xCETRES", "MEISTERPOKAL"},
    {977, "COPA QUORVIX", "QUORVIX CUP", "COUPE QUORVIX", "QUORVIXPOKAL"},
    {868, "COPA NOVATO", "ROOKIE CUP", "COUPE D\xC9" "BUTANT", "ANF\xC4NGERPOKAL"},
    {869, "COPA BRONCE", "BRONZE CUP", "COUPE BRONZE", "BRONZEPOKAL"},
    {870, "COPA PLATA", "SILVER CUP", "COUPE ARGENT", "SILBERPOKAL"},
    {871, "COPA ORO", "GOLD CUP", "COUPE OR", "GOLDPOKAL"},
    {872, "COPA PLATINO", "PLATINUM CUP", "COUPE PLATINE", "PLATINPOKAL"},
    {873, "COPA MAESTROS", "MASTERS CUP", "COUPE MA\xCETRES", "MEISTERPOKAL"},
    {874, "COPA QUORVIX", "QUORVIX CUP", "COUPE QUORVIX", "QUORVIXPOKAL"},
    {878, "CARRERA 1", "RACE 1", "COURSE 1", "RENNEN 1"},
    {879, "CARRERA 2", "RACE 2", "COURSE 2", "RENNEN 2"},
    {880, "CARRERA 3", "RACE 3", "COURSE 3", "RENNEN 3"},
    {881, "CARRERA 4", "RACE 4", "COURSE 4", "RENNEN 4"},
    {900, "CARRERA 1", "RACE 1", "COURSE 1", "LAUF 1"},
    {901, "CARRERA 2", "RACE 2", "COURSE 2", "LAUF 2"},
    {902, "CARRERA 3", "RACE 3", "COURSE 3", "LAUF 3"},
    {903, "CARRERA 4", "RACE 4", "COURSE 4", "LAUF 4"},
    {773, "TIENDA", "CAR SHOP", "GARAGE", "AUTOHAUS"},
    // The car choice and the shop.
    {925, "A CORRER", "START RACE", "D\xC9" "PART", "START"},
    {723, "CAMBIO", "GEARBOX", "BO\xCETE", "GETRIEBE"},
    {611, "VOLVER", "BACK", "RETOUR", "ZUR\xDC" "CK"},
    // The replays: WATCH plays the replay picked in the list.
    {97, "VER", "WATCH", "VOIR", "ANSEHEN"},
    {1034, "EN L\xCDNEA", "ONLINE", "EN LIGNE", "ONLINE"},
    {328, "ENVIAR", "SEND", "ENVOYER", "SENDEN"},
    {329, "ENVIAR", "SEND", "ENVOYER", "SENDEN"},
    // Options.
    // The display's presets: every switch on (DEFAULTS), some, none.
    {63, "DETALLE MEDIO", "MEDIUM DETAIL", "D\xC9TAILS MOYENS", "MITTLERE DETAILS"},
    {64, "DETALLE BAJO", "LOW DETAIL", "D\xC9TAILS R\xC9" "DUITS", "WENIG DETAILS"},
    {65, "EFECTOS", "EFFECTS", "EFFETS", "EFFEKTE"},
    {74, "S\xCD", "ON", "OUI", "AN"},
    {75, "NO", "OFF", "NON", "AUS"},
    {248, "Cielo", "Sky", "Ciel", "Himmel"},
    {249, "Humo", "Smoke", "Fum\xE9" "e", "Rauch"},
    {250, "Espejo", "Mirror", "R\xE9tro", "Spiegel"},
    // The sound panel: the two sliders' names, the stereo switch (ON swaps
    // the sides) and the music tune's number.
    {93, "M\xDASICA", "MUSIC", "MUSIQUE", "MUSIK"},
    {94, "EFECTOS", "EFFECTS", "EFFETS", "EFFEKTE"},
    {95, "CANCI\xD3N", "TUNE", "MORCEAU", "ST\xDC" "CK"},
    {96, "INVERTIR EST\xC9REO", "SWAP STEREO", "INVERSER ST\xC9R\xC9O", "STEREO TAUSCHEN"},
    // The controls: each player's device switch and redefinition under the
    // player's heading, and the device in use beside DEVICE (KEYBOARD);
    // DEFAULTS puts both players on the keyboard's factory keys.
    {82, "JUGADOR 1", "PLAYER 1", "JOUEUR 1", "SPIELER 1"},
    {83, "JUGADOR 2", "PLAYER 2", "JOUEUR 2", "SPIELER 2"},
    {78, "DISPOSITIVO", "DEVICE", "CONTR\xD4LE", "GER\xC4T"},
    {79, "CAMBIAR TECLAS", "REDEFINE KEYS", "CHANGER TOUCHES", "TASTEN \xC4NDERN"},
    {80, "TECLADO", "KEYBOARD", "CLAVIER", "TASTATUR"},
    {81, "JOYSTICK", "JOYSTICK", "JOYSTICK", "JOYSTICK"},
    // The eleven actions, in binding order, and what the capture asks.
    {76, "Acelerar", "Accelerate", "Acc\xE9l\xE9rer", "Gas geben"},
    {77, "Frenar", "Brake", "Freiner", "Bremsen"},
    {84, "Izquierda", "Left", "Gauche", "Links"},
    {85, "Derecha", "Right", "Droite", "Rechts"},
    {86, "Freno de mano", "Handbrake", "Frein \xE0 main", "Handbremse"},
    {87, "Bocina", "Horn", "Klaxon", "Hupe"},
    {88, "Turbo", "Turbo", "Turbo", "Turbo"},
    {89, "Mirar atr\xE1s", "Look back", "Regarder derri\xE8re", "Zur\xFC" "ckblicken"},
    {90, "Subir marcha", "Gear up", "Rapport sup.", "Hochschalten"},
    {91, "Bajar marcha", "Gear down", "Rapport inf.", "Runterschalten"},
    {92, "Cambiar c\xE1mara", "Change camera", "Changer de cam\xE9ra", "Kamera wechseln"},
    {325, "Pulsa la tecla de\nla acci\xF3n en amarillo", "Press the key for\nthe action in yellow",
     "Appuie sur la touche\nde l'action en jaune", "Taste f\xFCr die gelbe\nAktion dr\xFC" "cken"},
    {961, "Joystick: no hay", "Joystick: not found", "Joystick : absent", "Joystick: keiner"},
    {962, "Zona muerta", "Dead zone", "Zone morte", "Totzone"},
    {391, "Vibraci\xF3n", "Force feedback", "Retour de force", "Force Feedback"},
    {392, "No", "Off", "Non", "Aus"},
    {393, "Suave", "Weak", "Faible", "Schwach"},
    {394, "Fuerte", "Strong", "Fort", "Stark"},
    // The display tiles' names (the sky's, the smoke's and the mirror's are
    // the three display choices' too).
    {66, "Sombras", "Shadows", "Ombres", "Schatten"},
    {67, "Filtro", "Filter", "Filtre", "Filter"},
    // Network play and the player set-up.
    {100, "UNIRSE", "JOIN GAME", "REJOINDRE", "BEITRETEN"},
    {104, "UNO", "ONE", "UN", "EINS"},
    {105, "DOS", "TWO", "DEUX", "ZWEI"},
    {106, "TRES", "THREE", "TROIS", "DREI"},
    {107, "MENOS", "FEWER", "MOINS", "WENIGER"},
    {108, "M\xC1S", "MORE", "PLUS", "MEHR"},
    {110, "A\xD1" "ADIR", "ADD PLAYER", "AJOUTER", "DAZU"},
    {111, "QUITAR", "REMOVE PLAYER", "RETIRER", "WEG"},
    {443, "EMPEZAR", "START", "D\xC9PART", "START"},
    {444, "SALIR", "LEAVE", "QUITTER", "VERLASSEN"},
    // The controls' heading of the player whose keys are shown.
    {251, "Teclas del jugador 1", "Player 1 keys", "Touches du joueur 1", "Tasten von Spieler 1"},
    {252, "Teclas del jugador 2", "Player 2 keys", "Touches du joueur 2", "Tasten von Spieler 2"},
    // Records: the next page of the tables.
    {291, "SIGUIENTE", "NEXT PAGE", "SUIVANTE", "WEITER"},
    {265, "SIGUIENTE", "NEXT PAGE", "SUIVANTE", "WEITER"},
    // The championship screen.
    {282, "NUEVO", "NEW", "NOUVEAU", "NEU"},
    {283, "CONTINUAR", "CONTINUE", "CONTINUER", "WEITER"},
    {284, "BORRAR", "DELETE", "EFFACER", "L\xD6SCHEN"},
    // Panel labels and messages.
    {954, "R\xE9" "cord de", "Record holder", "Record de", "Rekordhalter"},
    // The records: the tabs of the career's classes in the cups' order, the
    // pages of the cup and championship records.
    {260, "MONSTRUO", "MONSTER", "MONSTRE", "MONSTER"},
    {261, "CROSS", "CROSS", "CROSS", "CROSS"},
    {262, "VELOCIDAD", "SPEED", "VITESSE", "TEMPO"},
    {263, "BUGGY", "BUGGY", "BUGGY", "BUGGY"},
    {264, "SALTO", "JUMP", "SAUT", "SPRUNG"},
    {286, "CARRERAS 1", "FIRST RACES", "COURSES 1", "RENNEN 1"},
    {287, "CARRERAS 2", "SECOND RACES", "COURSES 2", "RENNEN 2"},
    {288, "CARRERAS 3", "THIRD RACES", "COURSES 3", "RENNEN 3"},
    {289, "CARRERAS 4", "FOURTH RACES", "COURSES 4", "RENNEN 4"},
    {290, "COPA FINAL", "FINAL CUP", "COUPE FINALE", "ENDPOKAL"},
    // (the championship pages bear the names the championship list gives
    // rows 12 to 14, in every language)
    {236, "GRAND TOUR", "GRAND TOUR", "GRAND TOUR", "GRAND TOUR"},
    {237, "TWIN CUP", "TWIN CUP", "TWIN CUP", "TWIN CUP"},
    {238, "IRON TROPHY", "IRON TROPHY", "IRON TROPHY", "IRON TROPHY"},
    // The championship records' tabs are the races of the page's championship.
    {266, "CARRERA 1", "RACE 1", "COURSE 1", "RENNEN 1"},
    {267, "CARRERA 2", "RACE 2", "COURSE 2", "RENNEN 2"},
    {268, "CARRERA 3", "RACE 3", "COURSE 3", "RENNEN 3"},
    {269, "CARRERA 1", "RACE 1", "COURSE 1", "RENNEN 1"},
    {270, "CARRERA 2", "RACE 2", "COURSE 2", "RENNEN 2"},
    {271, "CARRERA 3", "RACE 3", "COURSE 3", "RENNEN 3"},
    {272, "CARRERA 4", "RACE 4", "COURSE 4", "RENNEN 4"},
    {273, "CARRERA 1", "RACE 1", "COURSE 1", "RENNEN 1"},
    {274, "CARRERA 2", "RACE 2", "COURSE 2", "RENNEN 2"},
    {275, "CARRERA 3", "RACE 3", "COURSE 3", "RENNEN 3"},
    {276, "CARRERA 4", "RACE 4", "COURSE 4", "RENNEN 4"},
    {277, "CARRERA 5", "RACE 5", "COURSE 5", "RENNEN 5"},

    {101, "Serie:", "Series:", "S\xE9rie :", "Serie:"},
    {294, "Serie:", "Series:", "S\xE9rie :", "Serie:"},
    {109, "Rivales:", "Opponents:", "Rivaux :", "Gegner:"},
    {927, "Series", "Series", "S\xE9ries", "Serien"},
    {866, "Nombre", "Name", "Nom", "Name"},
    {867, "Puntos", "Points", "Points", "Punkte"},   // the standings' unit, and the save panels' races won (a point each)
    {953, " ", " ", " ", " "},
    {327, " ", " ", " ", " "},
    {131, "Dinero", "Money", "Argent", "Geld"},
    {315, "Elige color y ACEPTAR", "Choose a colour, then OK", "Choisis la couleur", "Farbe w\xE4hlen, dann OK"},
    {316, "\xA1" "Bienvenido!", "Welcome to Quorvix!", "Bienvenue !", "Willkommen!"},
    {317, "No hay perfil.", "No profile is selected.", "Aucun profil choisi.", "Kein Profil gew\xE4hlt."},
    {318, "El juego en red ha terminado.", "The network game was closed.", "Le jeu en r\xE9seau est fini.",
     "Das Netzspiel ist beendet."},
    {319, "No se pudo crear el juego.", "Could not create the game.", "Impossible de cr\xE9" "er le jeu.",
     "Spiel nicht erstellt."},
    {320, "No se pudo unir al juego.", "Could not join the game.", "Impossible de rejoindre.",
     "Beitritt fehlgeschlagen."},
    {321, "El juego est\xE1 lleno.", "The game is full.", "Le jeu est complet.", "Das Spiel ist voll."},
    {322, "La carrera ya empez\xF3.", "The race has started.", "La course a commenc\xE9.",
     "Das Rennen l\xE4uft schon."},
    {323, "Se perdi\xF3 la conexi\xF3n.", "The connection was lost.", "Connexion perdue.", "Verbindung verloren."},
    {387, "\xBF" "Borrar este perfil?", "Delete this profile?", "Effacer ce profil ?", "Profil l\xF6schen?"},
    {388, "\xBF" "Borrar esta partida?", "Delete this saved career?", "Effacer cette carri\xE8re ?",
     "Spielstand l\xF6schen?"},
    {389, "\xBF" "Borrar repetici\xF3n?", "Delete this replay?", "Effacer ce ralenti ?", "Wiederholung l\xF6schen?"},
    {447, "Crea un perfil primero.", "Create a profile first.", "Cr\xE9" "e d'abord un profil.",
     "Erst ein Profil anlegen."},
    {448, "Ese perfil ya existe.", "This profile already exists.", "Ce profil existe d\xE9j\xE0.",
     "Das Profil gibt es schon."},
    {457, "No se pudo guardar el perfil.", "The profile could not be saved.", "Profil non enregistr\xE9.",
     "Profil nicht gespeichert."},
    {458, "No hay sonido.", "The sound is not available.", "Le son est indisponible.", "Kein Ton verf\xFC" "gbar."},
    {612, "\xA1" "Bien hecho!", "Well done!", "Bravo !", "Gut gemacht!"},
    // Under the group names of the single race buttons that play a demo.
    {176, "DEMO", "DEMO", "D\xC9MO", "DEMO"},
    {978, "Elige un grupo y una copa.", "Pick a track group, then a cup.", "Choisis un groupe, puis une coupe.",
     "Gruppe w\xE4hlen, dann Pokal."},
    {980, "Falta esta carrera.", "This race is missing.", "Course introuvable.", "Rennen fehlt."},
    {1002, "\xA1" "Hay un nuevo bono!", "A new bonus is waiting!", "Un bonus vous attend !", "Ein neuer Bonus!"},
    {1003, "No te alcanza el dinero.", "You cannot afford this race.", "Pas assez d'argent.", "Zu wenig Geld."},
    {1004, "No te alcanza el dinero.", "You cannot afford this car.", "Pas assez d'argent.", "Zu wenig Geld."},
    {1005, "\xBFVender este coche?", "Sell this car?", "Vendre cette voiture ?", "Auto verkaufen?"},
    {1006, "\xA1" "El coche es tuyo!", "The car is yours!", "La voiture est \xE0 toi !", "Das Auto geh\xF6rt dir!"},
    {1007, "Acaba la copa anterior.", "Finish the previous cup first.", "Finis la coupe d'avant.",
     "Erst den Pokal davor."},
    {1008, "\xA1" "Copa completada!", "Cup completed!", "Coupe termin\xE9" "e !", "Pokal geschafft!"},
    {1009, "\xBF" "Dejar la trayectoria?", "Leave the career?", "Quitter la carri\xE8re ?", "Karriere verlassen?"},
    {1019, "A\xFAn no est\xE1 a la venta.", "This car is not for sale yet.", "Pas encore en vente.",
     "Noch nicht zu kaufen."},
    {1021, "No puedes vender tu \xFAnico coche.", "Your only car cannot be sold.", "Pas ta seule voiture !",
     "Das einzige Auto bleibt."},
    {1022, "Conecta un joystick.", "Plug in a joystick first.", "Branche un joystick.", "Erst einen Joystick."},
    {1023, "Ning\xFAn campeonato en curso.", "No championship under way.", "Aucun championnat en cours.",
     "Kein Turnier im Gang."},
    {1024, "No se pudo guardar.", "It could not be saved.", "Enregistrement rat\xE9.", "Speichern misslang."},
    {1028, "\xA1Trayectoria completada!", "Career finished!", "Carri\xE8re termin\xE9" "e !", "Karriere beendet!"},
    {1030, "Partida guardada.", "Career saved.", "Carri\xE8re enregistr\xE9" "e.", "Karriere gespeichert."},
    {1031, "Partida cargada.", "Career loaded.", "Carri\xE8re charg\xE9" "e.", "Karriere geladen."},
    {1786, "\xA1" "Bienvenido a tu trayectoria!", "Welcome to your career!", "Bienvenue dans ta carri\xE8re !",
     "Willkommen zur Karriere!"},
    {1799, "\xA1" "Carrera especial abierta!", "The special race is open!", "Course sp\xE9" "ciale ouverte !",
     "Sonderrennen offen!"},
    {1800, "\xBFNuevo o continuar?", "Start a new one or continue?", "Nouveau ou continuer ?",
     "Neu oder weiter?"},
    {1801, "\xA1Primera fase superada!", "First stage completed!", "Premi\xE8re \xE9tape finie !",
     "Erste Runde geschafft!"},
    {1802, "\xA1Segunda fase superada!", "Second stage completed!", "Deuxi\xE8me \xE9tape finie !",
     "Zweite Runde geschafft!"},
    {1803, "\xA1" "Campeonato ganado!", "Championship won!", "Championnat gagn\xE9 !", "Turnier gewonnen!"},
    {1804, "Campeonato perdido.", "Championship lost.", "Championnat perdu.", "Turnier verloren."},
    {1805, "\xA1" "Grupo nuevo abierto!", "A new track group is open!", "Nouveau groupe ouvert !",
     "Neue Gruppe offen!"},
    // The career's award after the first win of a cup's race, by cup and race.
    {1819, "Copa novato: carrera 1 ganada", "Rookie cup: race 1 won!",
     "Coupe d\xE9" "butant : course 1 gagn\xE9" "e !", "Anf\xE4ngerpokal: Rennen 1 gewonnen!"},
    {1820, "Copa novato: carrera 2 ganada", "Rookie cup: race 2 won!",
     "Coupe d\xE9" "butant : course 2 gagn\xE9" "e !", "Anf\xE4ngerpokal: Rennen 2 gewonnen!"},
    {1821, "Copa novato: carrera 3 ganada", "Rookie cup: race 3 won!",
     "Coupe d\xE9" "butant : course 3 gagn\xE9" "e !", "Anf\xE4ngerpokal: Rennen 3 gewonnen!"},
    {1822, "\xA1" "Copa novato ganada!", "Rookie cup won!",
     "Coupe d\xE9" "butant gagn\xE9" "e !", "Anf\xE4ngerpokal gewonnen!"},
    {1827, "Copa bronce: carrera 1 ganada", "Bronze cup: race 1 won!",
     "Coupe bronze : course 1 gagn\xE9" "e !", "Bronzepokal: Rennen 1 gewonnen!"},
    {1828, "Copa bronce: carrera 2 ganada", "Bronze cup: race 2 won!",
     "Coupe bronze : course 2 gagn\xE9" "e !", "Bronzepokal: Rennen 2 gewonnen!"},
    {1829, "Copa bronce: carrera 3 ganada", "Bronze cup: race 3 won!",
     "Coupe bronze : course 3 gagn\xE9" "e !", "Bronzepokal: Rennen 3 gewonnen!"},
    {1830, "\xA1" "Copa bronce ganada!", "Bronze cup won!", "Coupe bronze gagn\xE9" "e !", "Bronzepokal gewonnen!"},
    {1815, "Copa plata: carrera 1 ganada", "Silver cup: race 1 won!",
     "Coupe argent : course 1 gagn\xE9" "e !", "Silberpokal: Rennen 1 gewonnen!"},
    {1816, "Copa plata: carrera 2 ganada", "Silver cup: race 2 won!",
     "Coupe argent : course 2 gagn\xE9" "e !", "Silberpokal: Rennen 2 gewonnen!"},
    {1817, "Copa plata: carrera 3 ganada", "Silver cup: race 3 won!",
     "Coupe argent : course 3 gagn\xE9" "e !", "Silberpokal: Rennen 3 gewonnen!"},
    {1818, "\xA1" "Copa plata ganada!", "Silver cup won!", "Coupe argent gagn\xE9" "e !", "Silberpokal gewonnen!"},
    {1831, "Copa oro: carrera 1 ganada", "Gold cup: race 1 won!",
     "Coupe or : course 1 gagn\xE9" "e !", "Goldpokal: Rennen 1 gewonnen!"},
    {1832, "Copa oro: carrera 2 ganada", "Gold cup: race 2 won!",
     "Coupe or : course 2 gagn\xE9" "e !", "Goldpokal: Rennen 2 gewonnen!"},
    {1833, "Copa oro: carrera 3 ganada", "Gold cup: race 3 won!",
     "Coupe or : course 3 gagn\xE9" "e !", "Goldpokal: Rennen 3 gewonnen!"},
    {1834, "\xA1" "Copa oro ganada!", "Gold cup won!", "Coupe or gagn\xE9" "e !", "Goldpokal gewonnen!"},
    {1823, "Copa platino: carrera 1 ganada", "Platinum cup: race 1 won!",
     "Coupe platine : course 1 gagn\xE9" "e !", "Platinpokal: Rennen 1 gewonnen!"},
    {1824, "Copa platino: carrera 2 ganada", "Platinum cup: race 2 won!",
     "Coupe platine : course 2 gagn\xE9" "e !", "Platinpokal: Rennen 2 gewonnen!"},
    {1825, "Copa platino: carrera 3 ganada", "Platinum cup: race 3 won!",
     "Coupe platine : course 3 gagn\xE9" "e !", "Platinpokal: Rennen 3 gewonnen!"},
    {1826, "\xA1" "Copa platino ganada!", "Platinum cup won!",
     "Coupe platine gagn\xE9" "e !", "Platinpokal gewonnen!"},
    {1854, "Elige una partida guardada.", "Choose a saved career first.", "Choisis une sauvegarde.",
     "Erst einen Spielstand."},
    {2080, "Sin perfil activo.\nVOLVER, JUGAR, TRAYECTORIA.", "No profile is logged in.\nBACK, then PLAY and CAREER.",
     "Aucun profil connect\xE9.\nRETOUR, JOUER, CARRI\xC8RE.", "Kein Profil angemeldet.\nZUR\xDC" "CK, SPIELEN, KARRIERE."},
    {1864, "Fin de la demo.", "The demo is over.", "La d\xE9mo est finie.", "Die Demo ist vorbei."},
    // The panels' own words.
    {123, "Dinero:", "Money:", "Argent :", "Geld:"},
    {124, "Coche:", "Car:", "Voiture :", "Auto:"},
    // The heading over the category tabs of the car choice, each tab a class
    // with the place of the car in use among the cars owned in it.
    {139, "TUS COCHES", "YOUR CARS", "TES VOITURES", "DEINE AUTOS"},
    {140, "Clase", "Class", "Classe", "Klasse"},
    // The shop's buttons: buy and sell the car on show.
    {610, "COMPRAR", "BUY", "ACHETER", "KAUFEN"},
    {141, "VENDER", "SELL", "VENDRE", "VERKAUFEN"},
    // The labels of the car values in the car choice and the shop.
    {145, "Velocidad", "Top speed", "Vitesse", "Tempo"},
    {142, "Aceleraci\xF3n", "Acceleration", "Acc\xE9l\xE9ration", "Beschleunigung"},
    {609, "Aceleraci\xF3n", "Acceleration", "Acc\xE9l\xE9ration", "Beschleunigung"},
    {143, "Peso", "Weight", "Poids", "Gewicht"},
    {167, "Coches de la clase", "Cars in this class", "Voitures de la classe", "Autos der Klasse"},
    {230, "Precio", "Price", "Prix", "Preis"},
    {233, "Agarre", "Grip", "Adh\xE9rence", "Haftung"},
    {234, "Color", "Colour", "Couleur", "Farbe"},
    {235, "Peso", "Weight", "Poids", "Gewicht"},
    // The career screen's cup rows, in the cups' order.
    {240, "Copa novato:", "Rookie cup:", "Coupe d\xE9" "butant :", "Anf\xE4ngerpokal:"},
    {241, "Copa bronce:", "Bronze cup:", "Coupe bronze :", "Bronzepokal:"},
    {242, "Copa plata:", "Silver cup:", "Coupe argent :", "Silberpokal:"},
    {243, "Copa oro:", "Gold cup:", "Coupe or :", "Goldpokal:"},
    {244, "Copa platino:", "Platinum cup:", "Coupe platine :", "Platinpokal:"},
    {292, "Copa final", "Final cup", "Coupe finale", "Endpokal"},
    {724, "Cambio autom\xE1tico", "Automatic gearbox", "Bo\xEEte automatique", "Automatik"},
    {725, "Cambio manual", "Manual gearbox", "Bo\xEEte manuelle", "Schaltgetriebe"},
    {865, "Jugador", "Player", "Joueur", "Spieler"},
    {875, "Carrera", "Race", "Course", "Rennen"},
    {876, "Premio / tasa", "Prize / fee", "Prix / frais", "Preis / Geb\xFChr"},
    {877, "Estado", "Status", "\xC9tat", "Stand"},
    {904, "Copa final", "Final cup", "Coupe finale", "Endpokal"},
    {613, "Vac\xEDo", "Empty slot", "Vide", "Leer"},
    {614, "Guardado:", "Saved:", "Sauv\xE9 :", "Gespeichert:"},
    {926, "Sesiones", "Sessions", "Sessions", "Sitzungen"},
    {928, "Jugadores", "Players in the game", "Joueurs", "Spieler"},
    {929, "Mensajes", "Messages", "Messages", "Nachrichten"},
    {930, "Repeticiones", "Replays", "Ralentis", "Wiederholungen"},
    {931, "Partidas guardadas", "Saved careers", "Sauvegardes", "Spielst\xE4nde"},
    // The hall of fame.
    {736, "TECLAS", "KEYS", "TOUCHES", "TASTEN"},
    {737, "JOYSTICK", "JOYSTICK", "JOYSTICK", "JOYSTICK"},
    {738, "TRAYECTORIA", "CAREER", "CARRI\xC8RE", "KARRIERE"},
    {739, "CAMPEONATOS", "CHAMPIONSHIPS", "CHAMPIONNATS", "TURNIERE"},
    {740, "EN RED", "NETWORK", "R\xC9SEAU", "NETZWERK"},
    {741, "REPETICIONES", "REPLAYS", "RALENTIS", "WIEDERHOLUNG"},
};

}  // namespace

// Every text of the language; the texts not translated yet are English.
std::map<int, std::string> MkLanguageTexts(int language) {
    std::map<int, std::string> texts = MkEnglishTexts();
    for (const Translated& t : kTranslated) {
        const char* text = language == 0 ? t.spanish : language == 2 ? t.french : language == 3 ? t.german
                                                                                               : t.english;
        texts[t.slot] = text;
    }
    for (int i = 0; i < 61; i++)
        texts[501 + i] = InLanguage(kKeyNames[i], language);
    for (int i = 0; i < 16; i++)
        texts[563 + i] = InLanguage(kJoystickNames[i], language);
    if (!MkMarkHotKeys(texts))
        texts.clear();   // no letters for every label: the file is refused
    return texts;
}
