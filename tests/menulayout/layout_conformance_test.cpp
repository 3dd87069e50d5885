// The built-in layout, checked item by item against the lists of every
// screen, the navigation between screens, the group rows and the totals of
// the flags; and the invariants that make every screen usable.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "common/test_game.h"
#include "frame/vfs.h"
#include "frontend/menu_graphics.h"
#include "frontend/menu_init.h"
#include "frontend/text_slots.h"
#include "menulayout/layout_builder.h"
#include "menulayout/menu_table.h"
#include "render/surfaces2d.h"

namespace {

// Screens 1 to 22, item by item: pN a picture with first bitmap N (~ looping,
// * hover-tested), tN a text with slot N, bN a hover-tested text; ranges run
// items and slots together.
const char kScreenLists[] = R"(Screen 1: 1 p31, 2 t285, 3 p11, 4 p12, 5 p5, 6 p5, 7 p5, 8 p451~, 9 p20, 10 p20, 11 p20, 12 t48, 13 b36, 14 b97, 15 p48, 16 p48, 17 p45, 18 p46, 19 b259, 20 t55, 21 t56, 22-26 b260-264, 27 b291, 28 t286, 29 t865, 30 t954, 31 t866, 32 t780, 33 t782, 34 t783.
Screen 2: 1 p31, 2 t51, 3 p1, 4 p1, 5 p1, 6 p5, 7 p20, 8 p20, 9 p20, 10 p20, 11 t176, 12 t176, 13 t176, 14 b130, 15 p60*, 16 p60*, 17 p60*, 18 p60*, 19 p60*, 20 p60, 21 p62, 22 p2, 23 t131, 24-27 b971-974, 28 t975, 29 t976, 30 b977, 31 p6, 32 t124, 33 t123, 34 t651, 35 p59, 36 p55, 37 p55, 38 p55, 39 p55, 40 p55, 41-45 t162-166, 46 p11, 47 b48, 48 t978, 49 t613, 50 t614, 51 p61, 52 p533.
Screen 3: 1 p31, 2 p1, 3 p1, 4 p1, 5 p1, 6 p1, 7 p20, 8 p20, 9 p20, 10 p20, 11 t125, 12-14 b128-130, 15 p60*, 16 p60*, 17 p60*, 18 p60*, 19 p60*, 20 p527*, 21 p62*, 22 p2, 23 t131, 24-30 b971-977, 31 p516, 32 t124, 33 t123, 34 t651, 35 p59, 36 p55, 37 p55, 38 p55, 39 p55, 40 p55, 41-45 t240-244, 46 p11, 47 t48, 48-50 t612-614, 51 p61, 52 p30, 53 p74, 54-60 t868-874, 61 b49, 62 b49, 63 b49, 64 b49, 65 b49, 66 b49, 67 b49, 68-70 t875-877, 71-74 b878-881, 75-78 t688-691, 79-82 t693-696, 83-86 t698-701, 87-90 t703-706, 91-94 t708-711, 95-98 b900-903, 99 t904, 100-104 t718-722, 105 b162, 106 b163, 107 b165, 108 b164, 109 b166, 110-114 t713-717, 115-118 t653-656, 119-122 t658-661, 123-126 t663-666, 127-130 t668-671, 131-134 t673-676, 135-144 t678-687, 145 p73, 146-148 t875-877, 149 p75, 150 p75, 151 p75, 152 p75, 153 p75, 154 t292, 155 p20, 156 b773, 157 t397, 158 t729, 159 p518, 160 t137, 161 p526, 162 p533, 163 p533.
Screen 4: 1 p31, 2 t435, 3 p5, 4 p20, 5 b130, 6 p284~, 7 t30.
Screen 5: 1 p31, 2 t127, 3 p516, 4 p6, 5 p517, 6 p6, 7 p1, 8 p1, 9 p1, 10 p1, 11 p1, 12 p1, 13 p1, 14 p5, 15 p5, 16 p5, 17 p5, 18 p13, 19 t124, 20 p21, 21 p20, 22 p20, 23 p20, 24 t139, 25 t123, 26 t140, 27 b146, 28 b147, 29 t151, 30 t148, 31 t149, 32 t154, 33 t150, 34-38 t155-159, 39 t141, 40 t142, 41 b925, 42 b49, 43 t651, 44 p20, 45 p20, 46 t167, 47 t145, 48-53 t230-235, 54 p4, 55 p4, 56 p4, 57 p4, 58 p4, 59 t151, 60 t148, 61 t149, 62 t154, 63 t150, 64-68 t155-159, 69 p11, 70 t979, 71 t612, 72 t979, 73-76 t230-233, 77 t233, 78 t234, 79 t232, 80 p1, 81 b723, 82 t724, 83 t725, 84 p5, 85 b773, 86 p20, 87 p2, 88 t253, 89 t979, 90 t979, 91 t979, 92 p533.
Screen 6: 1 p31, 2 t59, 3 p11, 4 p12, 5 p5, 6 p5, 7 p5, 8 p300~, 9 p20, 10 p20, 11 p20, 12 b48, 13 b49, 14-17 b62-65, 18 t66, 19 t67, 20-22 b68-70, 23-25 b248-250, 26 b74, 27 t249, 28 b75, 29 b74, 30 b75, 31 t248, 32 b250, 33 t248, 34 t250, 35 b74, 36 b75, 37 b74, 38 b75, 39 b74, 40 b75, 41 p35, 42 p34, 43 p36, 44-49 p38-43.
Screen 7: 1 p31, 2 t60, 3 p11, 4 b93, 5 p5, 6 p5, 7 p5, 8 p300~, 9 p20, 10 p20, 11 p20, 12 b48, 13 b49, 14 b62, 15-17 b94-96, 18 b74, 19 b75, 20 p48*, 21 p53, 22 p48*, 23 p54*, 24 p48*, 25 p53, 26 p48*, 27 p54*, 28 p48*, 29 p48*, 30 t650, 31 p11, 32 b48, 33 t612, 34 p533.
Screen 8: 1 p31, 2 t61, 3 p11, 4 p12, 5 p5, 6 p5, 7 p5, 8 p300~, 9 p20, 10 p20, 11 p20, 12 b48, 13 b49, 14 b62, 15 t76, 16 t77, 17 b78, 18 b79, 19-24 b78-83, 25-28 b80-83, 29-37 t84-92, 38 t961, 39 t962, 40-49 t762-771, 50 p11, 51 b48, 52 t612, 53 p6, 54 t251, 55 t325, 56 t772, 57 p5, 58 t391, 59 b395, 60 p533.
Screen 9: 1 p31, 2 t54, 3 p11, 4 p12, 5 p5, 6 p5, 7 p5, 8 p401~, 9 p20, 10 p20, 11 p20, 12 b100, 13 b49, 14 b99, 15 t926, 16-21 b622-627, 22 p48*, 23 p48*, 24 p45, 25 p46*, 26-28 t293-295, 29-31 t297-299, 32 p11, 33 b48, 34 t316, 35 p533.
Screen 10: 1 p31, 2 t99, 3 p11, 4 p12, 5 p15, 6 p15, 7 p15, 8 p5, 9 p5, 10 p20, 11 p20, 12 b48, 13 b49, 14-16 t101-103, 17-19 b104-106, 20 t109, 21 b107, 22 b108, 23 t73, 24 t72, 25 t255, 26-28 t303-305, 29 t120, 30-32 t104-106, 33 t73, 34 t72, 35 t71, 36 p48*, 37 p48*, 38 p45, 39 p46*, 40 t927, 41-46 b634-639, 47 t109, 48 t777, 49 t776, 50 p11, 51 b48, 52 t316, 53 p533.
Screen 11: 1 p31, 2 t54, 3 p30, 4 p12, 5 p5, 6 p5, 7 p20, 8 p20, 9 p16, 10 b443, 11 b444, 12 t303, 13 t304, 14 t293, 15 t120, 16 t313, 17 t105, 18 t106, 19 t73, 20 t72, 21 t71, 22 p48, 23 p48, 24 p44, 25 p46, 26 t928, 27-34 b628-635, 35 t109, 36 t777, 37 t776, 38 t929, 39-41 t309-311, 42 t307, 43 p11, 44 b48, 45 t316, 46 p533, 47-49 t104-106, 50-54 t113-117.
Screen 12: 1 p31, 2 t53, 3 p30, 4 p12, 5 p5, 6 p5, 7 p5, 8 p401~, 9 p20, 10 p20, 11 p20, 12 t925, 13 b49, 14 b99, 15 b110, 16 b111, 17 t112, 18-20 b104-106, 21-25 b113-117, 26-28 b104-106, 29-33 b113-117, 34 t118, 35 t119, 36-38 t303-305, 39 t120, 40-42 t104-106, 43 t73, 44 t72, 45 t71, 46 b754, 47 b755, 48-53 t756-761, 54 t109, 55 t777, 56 t776, 57 b118.
Screen 13: 1 p31, 2 t959, 3 p12, 4 p12, 5 p5, 6 p5, 7 p5, 8 p451~, 9 p20, 10 p20, 11 p20, 12 t48, 13 b36, 14 b97, 15 p48, 16 p48, 17 p45, 18 p46, 19 b259, 20 t55, 21 t56, 22-26 b260-264, 27 t865, 28 t954, 29 t866, 30 t780, 31 t782, 32 t783.
Screen 14: 1 p31, 2 t960, 3 p11, 4 p12, 5 p5, 6 p5, 7 p5, 8 p451~, 9 p20, 10 p20, 11 p20, 12 t48, 13 b36, 14 b97, 15 p48, 16 p48, 17 p45, 18 p46, 19 b259, 20 t55, 21 t56, 22-26 b273-277, 27 b265, 28 t236, 29 t865, 30 t954, 31 t866, 32 t780, 33 t782, 34 t783, 35-41 b266-272.
Screen 15: 1 p31, 2 t57, 3 p11, 4 p12, 5 p5, 6 p5, 7 p5, 8 p471~, 9 p20, 10 p20, 11 p20, 12 b97, 13 b36, 14 b98, 15 p48*, 16 p48*, 17 p45, 18 p46*, 19 t930, 20-25 b640-645, 26 t865, 27 t875, 28 t953, 29 t866, 30-33 t780-783, 34 p5, 35 t327, 36 b328, 37 p11, 38 t728, 39 t389, 40 t729, 41 p533, 42 p15, 43 t327, 44 b1034.
Screen 16: 1 p31, 2 t58, 3 p11, 4 p12, 5 p5, 6 p5, 7 p5, 8 p471~, 9 p20, 10 p20, 11 p20, 12 b97, 13 b49, 14 b98, 15 p48*, 16 p48*, 17 p45, 18 p46*, 19 t930, 20-25 b736-741, 26 t865, 27 t875, 28 t933, 29 t866, 30-33 t780-783.
Screen 17: 1 p31, 2 t99, 3 p11, 4 p12, 5 p15, 6 p15, 7 p15, 8 p5, 9 p5, 10 p20, 11 p20, 12 b48, 13 b49, 14-16 t101-103, 17-19 b104-106, 20 t109, 21 b107, 22 b108, 23 t73, 24 t72, 25 t255, 26-28 t303-305, 29 t120, 30-32 t104-106, 33 t73, 34 t72, 35 t71, 36 p48*, 37 p48*, 38 p45, 39 p46*, 40 t927, 41-46 b634-639, 47 t109, 48 t777, 49 t776.
Screen 18: 1 p31, 2 t45, 3 p11, 4 p351~, 5 p5, 6 p5, 7 p5, 8 p5, 9 p20, 10 p20, 11 p20, 12 p20, 13 b48, 14 b49, 15 b46, 16 b98, 17 t608, 18 p11, 19 t47, 20 b48, 21-26 b615-620, 27 p48*, 28 p48*, 29 p45, 30 p46*, 31 t621, 32 p11, 33 t728, 34 t387, 35 t729, 36 p533, 37 p533, 38 t48.
Screen 19: 1 p31, 2 t126, 3 p516, 4 p6, 5 p517, 6 p6, 7 p5, 8 p1, 9 p1, 10 p1, 11 p1, 12 p1, 13 p1, 14 p5, 15 p5, 16 p5, 17 p5, 18 p13, 19 t124, 20 p21, 21 p21, 22 p20, 23 p20, 24 t609, 25 t123, 26 t140, 27 b146, 28 b147, 29 b402, 30 b399, 31 b400, 32 b405, 33 b401, 34-38 t155-159, 39 t610, 40 t141, 41 t143, 42 b611, 43 t651, 44 p20, 45 p20, 46 t167, 47 t145, 48-52 t230-234, 53 t232, 54 p4, 55 p4, 56 p4, 57 p4, 58 p4, 59 t151, 60 t148, 61 t149, 62 t154, 63 t150, 64-68 t155-159, 69 p11, 70 t979, 71 t612, 72 t979, 73-76 t230-233, 77 t233, 78 t234, 79 t232, 80 t979, 81 p530, 82 t409, 83 p533, 84 t412, 85 t1010.
Screen 20: 1 p31, 2 t861, 3 p11, 4 p12, 5 p5, 6 p5, 7 p5, 8 p20, 9 p20, 10 p20, 11 b863, 12 b36, 13 b98, 14 p48*, 15 p48*, 16 p45, 17 p46*, 18 t865, 19 t867, 20 t131, 21 t866, 22-25 t780-783, 26 t931, 27-32 b640-645, 33 p11, 34 t728, 35 t388, 36 t729, 37 p533, 38 b48.
Screen 21: 1 p31, 2 t862, 3 p11, 4 p12, 5 p5, 6 p5, 7 p5, 8 p20, 9 p20, 10 p20, 11 t864, 12 b864, 13 b36, 14 p48*, 15 p48*, 16 p45, 17 p46*, 18 t865, 19 t867, 20 t131, 21 t866, 22 t754, 23 t651, 24 t782, 25 t783, 26 t931, 27-32 b640-645, 33 p11, 34 b48, 35 p533, 36 t1030.
Screen 22: 1 p31, 2 t52, 6 p5, 7 p527*, 8 p527*, 9 p527*, 10 p20, 11 b130, 12-14 b282-284, 15 p11, 16 b48, 17 t978, 18 p533.)";

// item 0 shown, items, pictures (sliding, looping), texts, buttons, linked, shown.
// The main menu's three records entries run their links (to the profile
// screen), so screen 0 has 18 linked items.  On the career screen the cup
// rows (24-30), the panel's BACK buttons (61-67) and its races (71-74, 95-98,
// 105-109) run their links too: the cup panels and the car choice are
// reached through them, so screen 3 has 31 linked items (27 more in all).
// The career screen shows neither the blank button 20 nor the five won
// markers 149 to 153 that nothing fills, and its cup panels centre their
// columns under their headings; its blank text 23 is not shown.  The load
// and save screens' panels do without the label "Name" (their "Player"
// names the player).
// The records screens (1, 13, 14) show neither WATCH nor CHANGE TRACK nor
// their frames (their panel already shows what a tab chose), and screen
// 14's tabs show with their page.
struct ScreenCounts {
    int items, rootShown, pictures, sliding, looping, texts, buttons, linked, shown;
};
const ScreenCounts kCounts[MENU_LAYOUT_SCREENS] = {
    {65, 1, 29, 15, 7, 35, 30, 18, 44}, {35, 0, 14, 6, 1, 20, 9, 3, 22},    {53, 1, 27, 7, 0, 25, 12, 4, 23},
    {164, 1, 40, 22, 0, 123, 38, 31, 40}, {8, 1, 4, 3, 1, 3, 1, 1, 7},       {93, 1, 34, 17, 0, 58, 6, 13, 57},
    {50, 0, 19, 7, 1, 30, 23, 17, 30},  {35, 0, 21, 6, 1, 13, 18, 11, 26}, {61, 0, 14, 8, 1, 46, 17, 7, 46},
    {36, 0, 16, 7, 1, 19, 13, 4, 28},   {54, 0, 16, 7, 0, 37, 17, 8, 33},  {55, 0, 14, 6, 0, 40, 11, 3, 37},
    {58, 1, 10, 7, 1, 47, 23, 12, 37},  {33, 0, 14, 5, 1, 18, 8, 3, 19},   {42, 1, 14, 5, 1, 27, 16, 3, 18},
    {45, 0, 18, 9, 1, 26, 14, 5, 35},   {34, 1, 14, 7, 1, 19, 12, 3, 31},  {50, 1, 14, 7, 0, 35, 16, 7, 34},
    {39, 0, 19, 6, 1, 19, 14, 4, 29},   {86, 1, 31, 14, 0, 54, 8, 9, 49},  {39, 0, 15, 6, 0, 23, 13, 5, 28},
    {37, 0, 15, 5, 0, 21, 12, 2, 26},   {16, 1, 8, 5, 0, 7, 8, 2, 11},
};

// Every link that shows a page root: from screen, item, its text slot, to screen.
struct Navigation {
    int screen, item, slot, target;
};
const Navigation kNavigation[] = {
    {0, 15, 33, 15},
    {0, 38, 38, 18},
    {0, 39, 254, 3},
    {0, 44, 42, 6},
    {0, 45, 43, 7},
    {0, 46, 44, 8},
    {0, 47, 256, 18},    // the records entries: login first, then the records
    {0, 48, 257, 18},
    {0, 49, 39, 22},
    {0, 50, 258, 18},
    {1, 13, 36, 0},
    {2, 14, 130, 0},
    {2, 24, 971, 5},
    {2, 25, 972, 5},
    {3, 12, 128, 20},    // load and save a career slot, and the shop
    {3, 13, 129, 21},
    {3, 156, 773, 19},
    {3, 71, 878, 5},     // a race of a cup's panel opens the car choice
    {3, 72, 879, 5},
    {3, 73, 880, 5},
    {3, 74, 881, 5},
    {3, 95, 900, 5},     // the unlock races
    {3, 96, 901, 5},
    {3, 97, 902, 5},
    {3, 98, 903, 5},
    {3, 105, 162, 5},    // the bonus races
    {3, 106, 163, 5},
    {3, 107, 165, 5},
    {3, 108, 164, 5},
    {3, 109, 166, 5},
    {4, 5, 130, 0},
    {5, 85, 773, 19},
    {6, 12, 48, 0},
    {6, 13, 49, 0},
    {7, 12, 48, 0},
    {7, 13, 49, 0},
    {9, 13, 49, 0},
    {9, 14, 99, 10},
    {10, 13, 49, 9},
    {11, 11, 444, 9},
    {12, 12, 925, 5},
    {12, 14, 99, 17},
    {13, 13, 36, 0},
    {14, 13, 36, 0},
    {15, 13, 36, 0},
    {16, 12, 97, 0},
    {16, 13, 49, 0},
    {17, 12, 48, 12},
    {17, 13, 49, 12},
    {18, 14, 49, 0},
    {19, 42, 611, 4},
    {20, 12, 36, 3},
    {21, 13, 36, 3},
    {22, 11, 130, 0}
};

// The group rows the links use: row: screen/items, + set or - clear mask.
const char kGroupRows[] = R"(0: 6/26,29,35,37,39,46,48 +0x20; 1: 6/28,30,36,38,40,45,43,49 -0x20; 2: 6/30,35,38,39,43,26 +0x20; 
3: 6/28,29,36,37,40,48,49 -0x20; 4: 6/28,30,36,38,40,45,43,49 +0x20; 5: 6/26,29,35,37,39,46,48 -0x20; 
6: 6/23 +0x20; 7: 6/24,25 -0x20; 8: 4/29,34 -0x20; 9: 4/30,35 -0x20; 10: 4/31,36 -0x20; 
11: 4/32,37 -0x20; 12: 4/33,38 -0x20; 13: 4/54,59,64 +0x20; 14: 4/55,60,65 +0x20; 
15: 4/56,61,66 +0x20; 16: 4/57,62,67 +0x20; 17: 4/58,63,68 +0x20; 
18: 0/8,14,9,15,10,16,11,17,12,18 +0x20; 19: 0/7,13,9,15,10,16,11,17,12,18 +0x20; 
20: 0/7,13,8,14,10,16,11,17,12,18 +0x20; 21: 0/7,13,8,14,9,15,11,17,12,18 +0x20; 
22: 0/7,13,8,14,9,15,10,16,12,18 +0x20; 24: 0/21,22,23,24 -0x2000; 25: 0/20,22,23,24 -0x2000; 
26: 0/20,21,23,24 -0x2000; 27: 0/20,21,22,24 -0x2000; 28: 0/20,21,22,23 -0x2000; 
30: 0/28,29,30,31,32,33,34,35,36,37 -0x20; 31: 0/26,27,30,31,32,33,34,35,36,37 -0x20; 
32: 0/26,27,28,29,32,33,34,35,36,37 -0x20; 33: 0/26,27,28,29,30,31,34,35,36,37 -0x20; 
34: 0/26,27,28,29,30,31,32,33,36,37 -0x20; 36: 4/30,35,10,31,36,11,32,37,12,33,38,13 +0x20; 
37: 4/29,34,9,31,36,11,32,37,12,33,38,13 +0x20; 38: 4/29,34,9,30,35,10,32,37,12,33,38,13 +0x20; 
39: 4/29,34,9,30,35,10,31,36,11,33,38,13 +0x20; 40: 4/29,34,9,30,35,10,31,36,11,32,37,12 +0x20; 
41: 4/55,60,65,56,61,66,57,62,67,58,63,68 -0x20; 42: 4/54,59,64,56,61,66,57,62,67,58,63,68 -0x20; 
43: 4/54,59,64,55,60,65,57,62,67,58,63,68 -0x20; 44: 4/54,59,64,55,60,65,56,61,66,58,63,68 -0x20; 
45: 4/54,59,64,55,60,65,56,61,66,57,62,67 -0x20; 74: 3/52 +0x2000; 
77: 3/53,61,68,69,70,54,71,72,73,74,75,76,77 +0x20; 78: 3/78,115,116,117,118 +0x20; 
79: 3/53,62,68,69,70,55,71,72,73,74,79,80,81 +0x20; 80: 3/82,119,120,121,122 +0x20; 
81: 3/53,63,68,69,70,56,71,72,73,74,83,84,85 +0x20; 82: 3/86,123,124,125,126 +0x20; 
83: 3/53,64,68,69,70,57,71,72,73,74,87,88,89 +0x20; 84: 3/90,127,128,129,130 +0x20; 
85: 3/53,65,68,69,70,58,71,72,73,74,91,92,93 +0x20; 86: 3/94,131,132,133,134 +0x20; 
87: 3/53,66,95,96,97,98,100,101,102,103,135 +0x20; 88: 3/136,137,138,59,68,69,70 +0x20; 
89: 3/145,67,105,106,107,108,109,110,111,112,113,114,140 +0x20; 
90: 3/141,142,143,144,146,147,148,60 +0x20; 98: 3/15,16,17,18,19,20,21 -0x8; 
99: 3/15,16,17,18,19,20,21 +0x8; 105: 5/54,59,64 +0x20; 106: 5/55,60,65 +0x20; 107: 5/56,61,66 +0x20; 
108: 5/57,62,67 +0x20; 109: 5/58,63,68 +0x20; 149: 5/54,55,56,57,58,59,60,61,62,63,64,65,66 -0x20; 
150: 5/67,68 -0x20; 155: 3/24,25,26,27,28,29,30 -0x8; 156: 3/24,25,26,27,28,29,30 +0x8; 
157: 19/29,34 -0x20; 158: 19/30,35 -0x20; 159: 19/31,36 -0x20; 160: 19/32,37 -0x20; 
161: 19/33,38 -0x20; 162: 19/54,59,64 +0x20; 163: 19/55,60,65 +0x20; 164: 19/56,61,66 +0x20; 
165: 19/57,62,67 +0x20; 166: 19/58,63,68 +0x20; 167: 19/30,35,10,31,36,11,32,37,12,33,38,13 +0x20; 
168: 19/29,34,9,31,36,11,32,37,12,33,38,13 +0x20; 169: 19/29,34,9,30,35,10,32,37,12,33,38,13 +0x20; 
170: 19/29,34,9,30,35,10,31,36,11,33,38,13 +0x20; 171: 19/29,34,9,30,35,10,31,36,11,32,37,12 +0x20; 
172: 19/55,60,65,56,61,66,57,62,67,58,63,68 -0x20; 173: 19/54,59,64,56,61,66,57,62,67,58,63,68 -0x20; 
174: 19/54,59,64,55,60,65,57,62,67,58,63,68 -0x20; 175: 19/54,59,64,55,60,65,56,61,66,58,63,68 -0x20; 
176: 19/54,59,64,55,60,65,56,61,66,57,62,67 -0x20; 177: 19/54,59,64,55,60,65,56,61,66 -0x20; 
178: 19/57,62,67,58,63,68 -0x20; 179: 19/9,10,11,12,13,29,30,31,32,33 +0x20; 
180: 19/34,35,36,37,38 +0x20; 181: 12/12,9,5,55,56 -0x20; 182: 12/12,9,5,55,56 +0x20; 
183: 12/12,9,5 +0x8; 184: 12/12,9,5 -0x8; 185: 12/40,41,42 -0x20; 186: 12/41 +0x20; 187: 12/42 +0x20; 
188: 12/40 +0x20; 189: 12/43,44,45,54 -0x20; 190: 12/44 +0x20; 191: 12/45 +0x20; 192: 12/54 +0x20; 
193: 12/43 +0x20; 194: 0/20,21,22,23,24 -0x2000; 195: 0/26,27,28,29,30,31,32,33,34,35,36,37 -0x20; 
196: 0/7,8,9,10,11,12,13,14,15,16,17,18 +0x20.)";

struct ListedItem {
    char kind;       // 'p', 't' or 'b'
    int number;      // picture or slot
    char mark;       // '~', '*' or 0
};

std::map<int, std::map<int, ListedItem>> ParseScreenLists() {
    std::map<int, std::map<int, ListedItem>> screens;
    std::istringstream in(kScreenLists);
    std::string line;
    while (std::getline(in, line)) {
        int screen, used;
        if (sscanf(line.c_str(), "Screen %d: %n", &screen, &used) != 1)
            continue;
        std::string rest = line.substr((size_t)used);
        if (!rest.empty() && rest.back() == '.')
            rest.pop_back();
        std::stringstream parts(rest);
        std::string part;
        while (std::getline(parts, part, ',')) {
            int a, b, n1, n2;
            char kind;
            char mark[4] = {0};
            const char* p = part.c_str();
            while (*p == ' ')
                p++;
            if (sscanf(p, "%d-%d %c%d-%d%3s", &a, &b, &kind, &n1, &n2, mark) >= 5) {
            } else if (sscanf(p, "%d-%d %c%d%3s", &a, &b, &kind, &n1, mark) >= 4) {
                n2 = n1;
            } else if (sscanf(p, "%d %c%d%3s", &a, &kind, &n1, mark) >= 3) {
                b = a;
                n2 = n1;
            } else {
                ADD_FAILURE() << "unreadable: " << part;
                continue;
            }
            for (int i = a; i <= b; i++)
                screens[screen][i] = {kind, n1 == n2 ? n1 : n1 + (i - a), mark[0]};
        }
    }
    return screens;
}

struct GroupRow {
    int screen;
    std::vector<int> items;
    uint32_t set, clear;
};

std::map<int, GroupRow> ParseGroupRows() {
    std::map<int, GroupRow> rows;
    std::stringstream in(kGroupRows);
    std::string part;
    while (std::getline(in, part, ';')) {
        int row, screen, used;
        if (sscanf(part.c_str(), " %d: %d/%n", &row, &screen, &used) != 2)
            continue;
        GroupRow g{screen, {}, 0, 0};
        const char* p = part.c_str() + used;
        while (true) {
            int item, n;
            if (sscanf(p, "%d%n", &item, &n) != 1)
                break;
            g.items.push_back(item);
            p += n;
            if (*p != ',')
                break;
            p++;
        }
        unsigned mask;
        char sign;
        if (sscanf(p, " %c0x%x", &sign, &mask) == 2)
            (sign == '+' ? g.set : g.clear) = mask;
        rows[row] = g;
    }
    return rows;
}

struct Layout : ::testing::Test {
    std::string dir;
    void SetUp() override {
        dir = MakeTestGameFolder("layout");
        ASSERT_TRUE(VfsScanArchives());
        LoadMessageFile();
        LoadMenuRawGraphics();
        memset(MenuScreenTable, 0, sizeof MenuScreenTable);    // as the program starts
        InitMenus();
        ASSERT_EQ(MenuLayoutError[0], 0) << MenuLayoutError;
    }
    void TearDown() override { memset(MenuScreenTable, 0, sizeof MenuScreenTable); }

    // Width and height of a MENUS\GFX picture of the sample folder; 0 when
    // there is no such picture.
    std::pair<int, int> PictureSize(int number) {
        static char file[1 << 21];
        char path[32];
        snprintf(path, sizeof path, "MENUS\\GFX\\%04d.bmp", number);
        if (VfsReadFile(path, file, sizeof file) < 26)
            return {0, 0};
        auto le32 = [&](size_t at) {
            return (int)((unsigned char)file[at] | (unsigned char)file[at + 1] << 8 |
                         (unsigned char)file[at + 2] << 16 | (unsigned char)file[at + 3] << 24);
        };
        return {le32(18), le32(22)};
    }
};

int Mode(const MenuItem& item) { return (item.flags >> MENU_TEXT_MODE_SHIFT) & 7; }

}  // namespace

TEST_F(Layout, CountsOfEveryScreenAndFlagTotals) {
    int filled = 0;
    std::map<uint32_t, int> totals;
    for (int s = 0; s < MENU_LAYOUT_SCREENS; s++) {
        ScreenCounts c = {};
        for (int i = 0; i < MENU_ITEMS - 1; i++) {
            const MenuItem& item = MenuScreenTable[s][i];
            if (!item.flags)
                continue;
            c.items++;
            for (uint32_t bit = 1; bit <= MENU_SLIDE_OUT; bit <<= 1)
                totals[bit] += (item.flags & bit) != 0;
            if (item.flags & MENU_PICTURE) {
                c.pictures++;
                c.sliding += (item.flags & MENU_SLIDE_IN) != 0;
                c.looping += (item.flags & MENU_LOOPING) != 0;
            }
            c.texts += (item.flags & MENU_TEXT) != 0;
            c.buttons += (item.flags & MENU_HOVER_TEST) != 0;
            c.linked += (item.flags & MENU_LINKED) != 0;
            c.shown += (item.flags & MENU_SHOWN) != 0;
        }
        c.rootShown = (MenuScreenTable[s][0].flags & MENU_SHOWN) != 0;
        const ScreenCounts& w = kCounts[s];
        EXPECT_EQ(c.items, w.items) << "screen " << s;
        EXPECT_EQ(c.rootShown, w.rootShown) << "screen " << s;
        EXPECT_EQ(c.pictures, w.pictures) << "screen " << s;
        EXPECT_EQ(c.sliding, w.sliding) << "screen " << s;
        EXPECT_EQ(c.looping, w.looping) << "screen " << s;
        EXPECT_EQ(c.texts, w.texts) << "screen " << s;
        EXPECT_EQ(c.buttons, w.buttons) << "screen " << s;
        EXPECT_EQ(c.linked, w.linked) << "screen " << s;
        EXPECT_EQ(c.shown, w.shown) << "screen " << s;
        EXPECT_EQ(MenuScreenTable[s][0].flags & ~MENU_SHOWN, (uint32_t)MENU_PAGE_ROOT) << "screen " << s;
        filled += c.items;
    }
    EXPECT_EQ(filled, 1188);
    const std::map<uint32_t, int> want = {
        {0x1, 175},  {0x2, 0},    {0x4, 0},    {0x8, 339},    {0x10, 322},   {0x20, 710},
        {0x40, 594}, {0x80, 102}, {0x100, 451}, {0x200, 745}, {0x400, 420},  {0x800, 23},
        {0x1000, 0}, {0x2000, 187}, {0x4000, 19}, {0x8000, 12}, {0x10000, 12}, {0x20000, 0}, {0x40000, 7},
    };
    for (const auto& [bit, count] : want)
        EXPECT_EQ(totals[bit], count) << "flag 0x" << std::hex << bit;
}

TEST_F(Layout, EveryListedItemOfScreens1To22) {
    const auto screens = ParseScreenLists();
    ASSERT_EQ(screens.size(), 22u);
    for (const auto& [s, items] : screens) {
        int listed = 0;
        for (int i = 1; i < MENU_ITEMS - 1; i++) {
            const MenuItem& item = MenuScreenTable[s][i];
            const auto it = items.find(i);
            if (it == items.end()) {
                EXPECT_EQ(item.flags, 0u) << s << "/" << i << " is not in the list";
                continue;
            }
            listed++;
            const ListedItem& want = it->second;
            SCOPED_TRACE(std::to_string(s) + "/" + std::to_string(i));
            if (want.kind == 'p') {
                EXPECT_TRUE(item.flags & MENU_PICTURE);
                EXPECT_EQ(item.firstPicture, want.number);
                EXPECT_EQ((item.flags & MENU_LOOPING) != 0, want.mark == '~');
                EXPECT_EQ((item.flags & MENU_HOVER_TEST) != 0, want.mark == '*');
                // Four pictures that code shows with no use of their own
                // draw nothing: the career's 162 (shown by every click), the
                // single race's 10 (shown by a demo) and the profile screen's
                // 11 and 12 (shown back by the records route with its
                // buttons).
                const bool drawsNothing =
                    (s == 3 && i == 162) || (s == 2 && i == 10) || (s == 18 && (i == 11 || i == 12));
                if (drawsNothing)
                    EXPECT_EQ(item.value, 0);
                else
                    EXPECT_GE(item.value, 1);
            } else {
                EXPECT_TRUE(item.flags & MENU_TEXT);
                EXPECT_EQ(item.textSlot, want.number);
                EXPECT_EQ((item.flags & MENU_HOVER_TEST) != 0, want.kind == 'b');
            }
        }
        EXPECT_EQ(listed, (int)items.size()) << "screen " << s;
    }
}

TEST_F(Layout, TheMainScreen) {
    const MenuItem* m = MenuScreenTable[0];
    EXPECT_EQ(m[0].flags, 0x820u);
    EXPECT_EQ(m[25].flags, 0u);
    const int loops[6][3] = {{351, 49, 130}, {300, 49, 498}, {451, 19, 386}, {471, 9, 82}, {401, 49, 9}, {481, 29, 500}};
    for (int i = 0; i < 6; i++) {
        EXPECT_EQ(m[1 + i].flags, 0x6460u);
        EXPECT_EQ(m[1 + i].firstPicture, loops[i][0]);
        EXPECT_EQ(m[1 + i].currentPicture, m[1 + i].firstPicture);
        EXPECT_EQ(m[1 + i].extraFrames, loops[i][1]);
        EXPECT_EQ(m[1 + i].homeX, loops[i][2]);
        EXPECT_EQ(m[1 + i].levelMap, 1);
    }
    // The hit boxes are the frames the buttons are seen on: the three on the
    // left the whole picture, the right-aligned three their shown columns
    // (their level map leaves the first 42 out); each label stands in the
    // middle of its frame.
    const int hits[6][4] = {{227, 426, 14, 39},  {106, 305, 157, 182}, {179, 378, 323, 348},
                            {383, 541, 85, 110}, {269, 429, 218, 243}, {383, 543, 418, 448}};
    for (int i = 0; i < 6; i++) {
        const MenuItem& b = m[13 + i];
        EXPECT_EQ(b.flags, 0x339u);
        EXPECT_EQ(b.textSlot, 31 + i);
        EXPECT_EQ(b.parent, 7 + i);
        EXPECT_EQ(b.colour, 3);
        EXPECT_EQ(b.hoverColour, 4);
        EXPECT_EQ(b.x, i < 3 ? 100.0f : 120.0f);
        EXPECT_EQ(b.y, -1.0f);
        EXPECT_EQ(b.hitLeft, hits[i][0]);
        EXPECT_EQ(b.hitRight, hits[i][1]);
        EXPECT_EQ(b.hitTop, hits[i][2]);
        EXPECT_EQ(b.hitBottom, hits[i][3]);
        EXPECT_EQ(m[7 + i].flags, i < 3 ? 0x2460u : 0x24a0u);
    }
    // Button 13: its board, the other boards, buttons and twins, then itself.
    const int32_t links13[8] = {MakeLink(0, 20), MakeLink(99, 24), MakeLink(99, 18), MakeLink(99, 30),
                                MakeLink(0, 27), MakeLink(0, 26), MakeLink(0, 7), MakeLink(0, 13)};
    for (int k = 0; k < 8; k++)
        EXPECT_EQ(m[13].links[k], links13[k]) << k;
    EXPECT_EQ(m[13].masks[0], 0x2000u);
    EXPECT_EQ(m[13].masks[7], 0x20u);
    EXPECT_EQ((m[13].operations >> 14) & 3, (uint32_t)LINK_XOR);
    const int32_t links18[6] = {MakeLink(99, 194), MakeLink(99, 195), MakeLink(99, 196),
                                MakeLink(0, 36),   MakeLink(0, 37),   MakeLink(0, 65)};
    for (int k = 0; k < 6; k++)
        EXPECT_EQ(m[18].links[k], links18[k]) << k;
    EXPECT_EQ(m[18].masks[5], 0x8u);
    for (int i : {20, 21, 23, 24, 56})
        EXPECT_TRUE(m[i].flags & MENU_SLIDE_OUT) << i;
    EXPECT_EQ(m[63].firstPicture, 284);
    EXPECT_EQ(m[63].levelMap, 69);
    EXPECT_EQ(m[19].flags, 0x2a0u);
    // The message of the main menu's pop-up panel, centred on its board.
    EXPECT_EQ(m[53].parent, 51);
    EXPECT_EQ(m[53].x, 200.0f);
    EXPECT_EQ(m[53].y, 40.0f);

    // Screen 4 holds items 0 to 7 only; screen 7's volume values start at 4.
    for (int i = 8; i < MENU_ITEMS; i++)
        ASSERT_EQ(MenuScreenTable[4][i].flags, 0u);
    for (int i : {23, 27}) {
        const MenuItem& v = MenuScreenTable[7][i];
        EXPECT_EQ(v.flags, 0x469u);
        EXPECT_EQ(v.value, 4);
        EXPECT_EQ(v.lowerBound, 0);
        EXPECT_EQ(v.upperBound, 5);
    }
    EXPECT_EQ(MenuScreenTable[7][20].links[0], MakeLink(7, 23));
    EXPECT_EQ(MenuScreenTable[7][20].masks[0], 0x4u);
    EXPECT_EQ(MenuScreenTable[7][22].masks[0], 0x2u);
    // Backgrounds named by the page roots.
    const int backgrounds[][2] = {{2, 3}, {3, 1}, {4, 4}, {5, 5}, {19, 2}, {22, 6}, {0, 0}, {7, 0}};
    for (const auto& b : backgrounds)
        EXPECT_EQ(MenuScreenTable[b[0]][0].textSlot, b[1]) << b[0];
}

TEST_F(Layout, NavigationBetweenScreensIsExactlyTheListed) {
    std::set<std::vector<int>> found;
    for (int s = 0; s < MENU_LAYOUT_SCREENS; s++) {
        for (int i = 1; i < MENU_ITEMS - 1; i++) {
            const MenuItem& item = MenuScreenTable[s][i];
            for (int k = 0; k < MENU_LINKS; k++) {
                int screen, target;
                if (DecodeLink(item.links[k], &screen, &target) == LINK_ITEM && target == 0 &&
                    ((item.operations >> (2 * k)) & 3) == LINK_OR && (item.masks[k] & MENU_SHOWN))
                    found.insert({s, i, item.textSlot, screen});
            }
        }
    }
    std::set<std::vector<int>> want;
    for (const Navigation& n : kNavigation) {
        want.insert({n.screen, n.item, n.slot, n.target});
        EXPECT_TRUE(MenuScreenTable[n.screen][n.item].flags & MENU_LINKED) << n.screen << "/" << n.item;
    }
    EXPECT_EQ(found, want);
}

// A sliding picture leaves the way it came, except those that leave with
// another picture of their screen: 53 follow the title (item 1), four item
// 5, one each items 12, 13 and 14.  (No screen has a picture 89 to follow.)
TEST_F(Layout, SlidingPicturesLeaveTheWayTheyCameOrWithAnother) {
    std::map<int, int> followed;
    for (int s = 0; s < MENU_LAYOUT_SCREENS; s++) {
        for (int i = 1; i < MENU_ITEMS - 1; i++) {
            const MenuItem& p = MenuScreenTable[s][i];
            if (!(p.flags & MENU_PICTURE) || (p.targetX == p.x && p.targetY == p.y))
                continue;
            SCOPED_TRACE(std::to_string(s) + "/" + std::to_string(i));
            EXPECT_TRUE(p.flags & MENU_SLIDE_IN);
            int source = 0;
            for (int j = 1; j < MENU_ITEMS - 1 && !source; j++) {
                const MenuItem& q = MenuScreenTable[s][j];
                if (j != i && (q.flags & MENU_PICTURE) && q.x == p.targetX && q.y == p.targetY)
                    source = j;
            }
            EXPECT_NE(source, 0) << "a target that is no picture's start";
            followed[source]++;
        }
    }
    const std::map<int, int> want = {{1, 53}, {5, 4}, {12, 1}, {13, 1}, {14, 1}};
    EXPECT_EQ(followed, want);
}

TEST_F(Layout, GroupRows) {
    const auto rows = ParseGroupRows();
    ASSERT_EQ(rows.size(), 109u);
    std::set<int> named;
    for (int s = 0; s < MENU_LAYOUT_SCREENS; s++) {
        for (int i = 0; i < MENU_ITEMS - 1; i++) {
            for (int32_t link : MenuScreenTable[s][i].links) {
                int screen, row;
                if (DecodeLink(link, &screen, &row) == LINK_GROUP)
                    named.insert(row);
            }
        }
    }
    for (int row = 0; row < MENU_GROUP_ROWS; row++) {
        const float* r = MenuGroupTable[row];
        const auto it = rows.find(row);
        if (it == rows.end()) {
            for (int k = 0; k < 16; k++)
                ASSERT_EQ(r[k], 0.0f) << "row " << row;
            EXPECT_FALSE(named.count(row)) << "row " << row << " is empty but linked";
            continue;
        }
        const GroupRow& g = it->second;
        EXPECT_EQ((int)r[0], g.screen) << row;
        for (int k = 0; k < MENU_GROUP_ITEMS; k++)
            EXPECT_EQ((int)r[1 + k], k < (int)g.items.size() ? g.items[k] : 0) << "row " << row << " column " << k;
        EXPECT_EQ((uint32_t)r[14], g.set) << row;
        EXPECT_EQ((uint32_t)r[15], g.clear) << row;
        EXPECT_TRUE(named.count(row)) << "row " << row << " is named by no link";
    }
}

TEST_F(Layout, ParentsLinksAndRowsNameExistingItems) {
    for (int s = 0; s < MENU_LAYOUT_SCREENS; s++) {
        for (int i = 0; i < MENU_ITEMS - 1; i++) {
            const MenuItem& item = MenuScreenTable[s][i];
            if (!item.flags)
                continue;
            SCOPED_TRACE(std::to_string(s) + "/" + std::to_string(i));
            if (item.parent) {
                EXPECT_NE(MenuScreenTable[s][item.parent].flags, 0u) << "parent " << (int)item.parent;
            }
            EXPECT_TRUE(!(item.flags & MENU_TEXT) || (item.font >= 0 && item.font <= 2));
            EXPECT_LT(item.colour, MENU_COLOURS);
            EXPECT_LT(item.hoverColour, MENU_COLOURS);
            for (int32_t link : item.links) {
                int screen, target;
                const int kind = DecodeLink(link, &screen, &target);
                EXPECT_TRUE(link == -1 || kind != LINK_NONE) << link;
                if (kind == LINK_ITEM) {
                    EXPECT_NE(MenuScreenTable[screen][target].flags, 0u) << "link to " << screen << "/" << target;
                }
            }
        }
    }
    // Rows 8 to 17 and 36 to 45 name the credits screen, which has no such
    // items; only the category tabs of screen 5 name them, and those never
    // run their links.
    for (int row = 0; row < MENU_GROUP_ROWS; row++) {
        const int screen = (int)MenuGroupTable[row][0];
        if ((row >= 8 && row <= 17) || (row >= 36 && row <= 45))
            continue;
        for (int k = 1; k <= MENU_GROUP_ITEMS; k++) {
            const int item = (int)MenuGroupTable[row][k];
            if (item) {
                EXPECT_NE(MenuScreenTable[screen][item].flags, 0u) << "row " << row << " item " << item;
            }
        }
    }
    for (int i = 29; i <= 33; i++)
        EXPECT_EQ(MenuScreenTable[5][i].flags & (MENU_LINKED | MENU_HOVER_TEST), 0u);
}

// A screen is usable when every button lies on the screen and on its
// picture, and no two buttons that can be hit at the same time overlap.
TEST_F(Layout, ButtonsLieOnTheirPicturesAndNeverOverlap) {
    auto pictureRect = [&](const MenuItem& p, int* x, int* y, int* w, int* h) {
        const auto size = PictureSize(p.firstPicture);
        *w = size.first;
        *h = size.second;
        *x = p.homeX - (Mode(p) == 2 ? *w : Mode(p) == 4 ? *w / 2 : 0);
        *y = p.homeY;
        return *w > 0;
    };
    for (int s = 0; s < MENU_LAYOUT_SCREENS; s++) {
        std::vector<int> live;
        for (int i = 1; i < MENU_ITEMS - 1; i++) {
            const MenuItem& item = MenuScreenTable[s][i];
            if (!(item.flags & MENU_HOVER_TEST))
                continue;
            SCOPED_TRACE(std::to_string(s) + "/" + std::to_string(i));
            EXPECT_TRUE(item.hitLeft >= 0 && item.hitLeft <= item.hitRight && item.hitRight < 640);
            EXPECT_TRUE(item.hitTop >= 0 && item.hitTop <= item.hitBottom && item.hitBottom < 480);
            const MenuItem& picture = (item.flags & MENU_PICTURE) ? item : MenuScreenTable[s][item.parent];
            int x, y, w, h;
            ASSERT_TRUE((picture.flags & MENU_PICTURE) && pictureRect(picture, &x, &y, &w, &h))
                << "a button needs a picture under it";
            const int margin = 4;
            EXPECT_TRUE(item.hitLeft >= x - margin && item.hitRight <= x + w + margin && item.hitTop >= y - margin &&
                        item.hitBottom <= y + h + margin)
                << "hit " << item.hitLeft << "-" << item.hitRight << "/" << item.hitTop << "-" << item.hitBottom
                << " picture at " << x << "," << y << " " << w << "x" << h;
            // Buttons shown at the start whose picture starts on the screen or
            // slides onto it.
            const MenuItem& parent = MenuScreenTable[s][item.parent];
            const bool parentHere = !item.parent || ((parent.flags & MENU_SHOWN) &&
                                                     ((parent.x >= 0 && parent.x <= 640) || (parent.flags & MENU_SLIDE_IN)));
            if ((item.flags & MENU_SHOWN) && parentHere)
                live.push_back(i);
        }
        for (size_t a = 0; a < live.size(); a++) {
            for (size_t b = a + 1; b < live.size(); b++) {
                const MenuItem& p = MenuScreenTable[s][live[a]];
                const MenuItem& q = MenuScreenTable[s][live[b]];
                const bool overlap = p.hitLeft <= q.hitRight && q.hitLeft <= p.hitRight && p.hitTop <= q.hitBottom &&
                                     q.hitTop <= p.hitBottom;
                EXPECT_FALSE(overlap) << "screen " << s << ": items " << live[a] << " and " << live[b];
            }
        }
    }
}

// A pop-up is read top down: where its buttons stand on one row (an OK, or
// the one place its buttons take in turn), that row is under every line of
// its message.  (A question between its YES and NO rows is read the same.)
TEST_F(Layout, APopUpsButtonRowIsUnderItsMessage) {
    int checked = 0;
    for (int s = 0; s < MENU_LAYOUT_SCREENS; s++) {
        for (int panel = 1; panel < MENU_ITEMS - 1; panel++) {
            const MenuItem& p = MenuScreenTable[s][panel];
            if (!(p.flags & MENU_PICTURE) || p.firstPicture != 11 || (p.flags & MENU_SHOWN))
                continue;
            std::set<int> buttonRows;
            int lowestMessage = -1000;
            for (int i = 1; i < MENU_ITEMS - 1; i++) {
                const MenuItem& t = MenuScreenTable[s][i];
                if (t.parent != panel || !(t.flags & MENU_TEXT))
                    continue;
                if (t.hitBottom > t.hitTop)
                    buttonRows.insert((int)t.y);
                else
                    lowestMessage = std::max(lowestMessage, (int)t.y);
            }
            if (buttonRows.size() != 1 || lowestMessage == -1000)
                continue;
            checked++;
            EXPECT_GT(*buttonRows.begin(), lowestMessage) << "screen " << s << ", pop-up panel " << panel;
        }
    }
    EXPECT_GE(checked, 8) << "the pop-ups of most screens have one button row";
}

// The replays screen's information panel: the player, the race type and
// the mode each stand on the row of a shown label, and no shown label has
// a row of its own without a value.
TEST_F(Layout, TheReplayInformationValuesStandOnTheirLabelsRows) {
    std::set<int> labelRows, valueRows;
    for (int i = 1; i < MENU_ITEMS - 1; i++) {
        const MenuItem& t = MenuScreenTable[15][i];
        if (t.parent != 4 || !(t.flags & MENU_TEXT) || !(t.flags & MENU_SHOWN))
            continue;
        if (t.textSlot >= 780 && t.textSlot <= 783)
            valueRows.insert((int)t.y);
        else if (t.textSlot != 327 && t.textSlot != 953)   // blank labels
            labelRows.insert((int)t.y);
    }
    ASSERT_EQ(valueRows.size(), 4u);
    const std::vector<int> values(valueRows.begin(), valueRows.end());
    EXPECT_TRUE(labelRows.count(values[0])) << "the player's name has its label";
    EXPECT_TRUE(labelRows.count(values[1])) << "the race type has its label";
    for (int row : labelRows)
        EXPECT_TRUE(valueRows.count(row)) << "a label at row " << row << " with no value beside it";
}

// The load and save screens' panels: the player's name, the money and the
// races won each stand on the row of a label, and no label stands on a row
// without a value (the date reads as one).
TEST_F(Layout, TheSlotPanelsValuesStandOnTheirLabelsRows) {
    const std::set<int> values20 = {780, 781, 782, 783}, values21 = {754, 651, 782, 783};
    for (int s : {20, 21}) {
        const std::set<int>& slots = s == 20 ? values20 : values21;
        std::map<int, int> valueRow;   // slot -> row
        std::set<int> labelRows;
        for (int i = 1; i < MENU_ITEMS - 1; i++) {
            const MenuItem& t = MenuScreenTable[s][i];
            if (t.parent != 4 || !(t.flags & MENU_TEXT) || !(t.flags & MENU_SHOWN))
                continue;
            if (slots.count(t.textSlot))
                valueRow[t.textSlot] = (int)t.y;
            else
                labelRows.insert((int)t.y);
        }
        ASSERT_EQ(valueRow.size(), 4u) << "screen " << s;
        std::set<int> rows;
        for (const auto& [slot, row] : valueRow)
            rows.insert(row);
        for (int slot : slots) {
            if (slot == 783)
                continue;
            EXPECT_TRUE(labelRows.count(valueRow[slot])) << "screen " << s << ": slot " << slot << " has no label";
        }
        for (int row : labelRows)
            EXPECT_TRUE(rows.count(row)) << "screen " << s << ": a label at row " << row << " with no value";
    }
}

TEST_F(Layout, PicturesAndLevelMapsExistAtTheirSizes) {
    std::set<int> missing;
    for (int s = 0; s < MENU_LAYOUT_SCREENS; s++) {
        for (int i = 1; i < MENU_ITEMS - 1; i++) {
            const MenuItem& item = MenuScreenTable[s][i];
            if (!(item.flags & MENU_PICTURE))
                continue;
            // Every animation frame, and the hovered picture of a button.
            const int last = item.firstPicture + item.extraFrames + ((item.flags & MENU_HOVER_TEST) ? 1 : 0);
            for (int n = item.firstPicture; n <= last; n++) {
                if (PictureSize(n).first == 0)
                    missing.insert(n);
            }
            if (item.levelMap > 0) {
                ASSERT_LT(item.levelMap, MenuGfxCount);
                const auto size = PictureSize(item.firstPicture);
                EXPECT_EQ(MenuGfxSizes[item.levelMap], size.first * size.second)
                    << s << "/" << i << " picture " << item.firstPicture << " map " << item.levelMap;
            }
        }
    }
    EXPECT_TRUE(missing.empty()) << missing.size() << " pictures missing, first " << *missing.begin();
    // The pointer's pictures and its level map.
    for (int n = 64; n <= 72; n++)
        EXPECT_EQ(PictureSize(n), std::make_pair(40, 40));
    EXPECT_EQ(MenuGfxSizes[MENU_POINTER_LEVEL_MAP], 1600);
    EXPECT_EQ(MenuGfxCount, 70);
    for (int k = 0; k < MenuGfxCount; k++)
        EXPECT_GT(MenuGfxSizes[k], 0) << "raw graphic " << k;
}
