// The built-in layout of the 23 menu screens, one block per screen, one
// line per item (the format is described in layout_builder.h).
//
// Positions are 640 x 480 screen pixels; a text's position is an offset from
// its parent picture; hit boxes are absolute.  Pictures are MENUS\GFX
// bitmaps, level maps raw menu graphics; texts are message slots.
//
// A picture sent away slides to its target, which is its start (it leaves the
// way it came), except where it leaves with another picture (to=@N): on the
// plain screens the pictures that come in from the left leave with the title,
// and on the car choice and the car shop a few frames follow their neighbours.
#include "menulayout/layout_builder.h"

static const char kScreen00[] = R"layout(
# screen 0: main menu
  0 root 0x820   slot=0
  1 pic  0x6460  pic=351 frames=49 map=1 at=-500,1 home=130,1
  2 pic  0x6460  pic=300 frames=49 map=1 at=1140,72 home=498,72
  3 pic  0x6460  pic=451 frames=19 map=1 at=1640,205 home=386,205
  4 pic  0x6460  pic=471 frames=9 map=1 at=-1000,310 home=82,310
  5 pic  0x6460  pic=401 frames=49 map=1 at=-1640,144 home=9,144
  6 pic  0x6460  pic=481 frames=29 map=1 at=2240,340 home=500,340
  # Every button's hit box is its frame, with the label in the middle: the
  # left frames show the whole picture, the right-aligned ones' level map (3)
  # leaves their first 42 columns out, so no frame reaches under a board
  # that opens beside it.
  7 pic  0x2460  pic=5 map=2 at=-500,13 home=227,13
  8 pic  0x2460  pic=5 map=2 at=-1000,157 home=106,157
  9 pic  0x2460  pic=5 map=2 at=-1640,323 home=179,323
 10 pic  0x24a0  pic=5 map=3 at=1140,85 home=541,85
 11 pic  0x24a0  pic=5 map=3 at=1640,218 home=429,218
 12 pic  0x24a0  pic=5 map=3 at=2240,418 home=543,418
 13 text 0x339   slot=31 font=1 colour=3/4 parent=7 at=100,-1 hit=227,426,14,39
    link xor 0x2000 0:20
    link group:24
    link group:18
    link group:30
    link xor 0x20 0:27
    link xor 0x20 0:26
    link xor 0x20 0:7
    link xor 0x20 0:13
 14 text 0x339   slot=32 font=1 colour=3/4 parent=8 at=100,-1 hit=106,305,157,182
    link xor 0x2000 0:21
    link group:25
    link group:19
    link group:31
    link xor 0x20 0:29
    link xor 0x20 0:28
    link xor 0x20 0:8
    link xor 0x20 0:14
 15 text 0x339   slot=33 font=1 colour=3/4 parent=9 at=100,-1 hit=179,378,323,348
    link group:26
    link group:20
    link group:32
    link or 0x20 15:0
 16 text 0x339   slot=34 font=1 colour=3/4 parent=10 at=120,-1 hit=383,541,85,110
    link xor 0x2000 0:23
    link group:27
    link group:21
    link group:33
    link xor 0x20 0:33
    link xor 0x20 0:32
    link xor 0x20 0:10
    link xor 0x20 0:16
 17 text 0x339   slot=35 font=1 colour=3/4 parent=11 at=120,-1 hit=269,429,218,243
    link xor 0x2000 0:24
    link group:28
    link group:22
    link group:34
    link xor 0x20 0:35
    link xor 0x20 0:34
    link xor 0x20 0:11
    link xor 0x20 0:17
 18 text 0x339   slot=36 font=1 colour=3/4 parent=12 at=120,-1 hit=383,543,418,448
    link group:194
    link group:195
    link group:196
    link xor 0x20 0:36
    link xor 0x20 0:37
    link xor 0x8 0:65
 19 text 0x2a0   slot=30 font=2 colour=3/5 at=620,468
 20 pic  0x40460 pic=525 map=64 at=-500,42 home=227,42
 21 pic  0x40460 pic=8 map=5 at=-1000,185 home=106,185
 22 pic  0x440   pic=8 map=5 at=179,365 home=179,365
 23 pic  0x404a0 pic=10 map=8 at=1140,113 home=541,113
 24 pic  0x404a0 pic=10 map=8 at=1640,246 home=429,246
 26 pic  0x440   pic=4 map=2 at=227,13 home=227,13
 27 text 0x308   slot=31 font=1 colour=0/0 parent=26 at=100,-1 hit=227,426,14,39
 28 pic  0x440   pic=4 map=2 at=106,157 home=106,157
 29 text 0x308   slot=32 font=1 colour=0/0 parent=28 at=100,-1 hit=106,305,157,182
 30 pic  0x440   pic=4 map=2 at=179,323 home=179,323
 31 text 0x308   slot=33 font=1 colour=0/0 parent=30 at=100,-1 hit=179,378,323,348
 32 pic  0x480   pic=7 map=3 at=541,85 home=541,85
 33 text 0x308   slot=34 font=1 colour=0/0 parent=32 at=120,-1 hit=383,541,85,110
 34 pic  0x480   pic=7 map=3 at=429,218 home=429,218
 35 text 0x308   slot=35 font=1 colour=0/0 parent=34 at=120,-1 hit=269,429,218,243
 36 pic  0x480   pic=7 map=3 at=543,418 home=543,418
 37 text 0x308   slot=36 font=1 colour=0/0 parent=36 at=120,-1 hit=383,543,418,448
 38 text 0x339   slot=38 font=1 colour=3/4 parent=20 at=80,0 hit=232,381,39,60
    link and-not 0x20 0:27
    link and-not 0x20 0:26
    link or 0x20 0:13
    link or 0x20 0:7
    link or 0x20 18:0
    link and-not 0x2000 0:20
 39 text 0x339   slot=254 font=1 colour=3/4 parent=20 at=80,43 hit=232,381,83,104
    link and-not 0x20 0:27
    link and-not 0x20 0:26
    link or 0x20 0:13
    link or 0x20 0:7
    link or 0x20 3:0
    link and-not 0x2000 0:20
 40 text 0x338   slot=40 font=1 colour=3/4 parent=21 at=80,0 hit=106,261,185,204
 41 text 0x338   slot=41 font=1 colour=3/4 parent=21 at=80,21 hit=106,261,205,226
 42 text 0x300   slot=38 font=1 colour=3/4 parent=22 at=80,0
 43 text 0x300   slot=39 font=1 colour=3/4 parent=22 at=80,21
 44 text 0x339   slot=42 font=1 colour=3/4 parent=23 at=80,0 hit=385,541,113,134
    link and-not 0x20 0:33
    link and-not 0x20 0:32
    link or 0x20 0:16
    link or 0x20 0:10
    link or 0x20 6:0
    link and-not 0x2000 0:23
 45 text 0x339   slot=43 font=1 colour=3/4 parent=23 at=80,22 hit=385,541,135,156
    link and-not 0x20 0:33
    link and-not 0x20 0:32
    link or 0x20 0:16
    link or 0x20 0:10
    link or 0x20 7:0
    link and-not 0x2000 0:23
 46 text 0x339   slot=44 font=1 colour=3/4 parent=23 at=80,44 hit=385,541,157,180
    link and-not 0x20 0:33
    link and-not 0x20 0:32
    link or 0x20 0:16
    link or 0x20 0:10
    link or 0x20 8:0
    link and-not 0x2000 0:23
 47 text 0x339   slot=256 font=1 colour=3/4 parent=24 at=80,0 hit=274,425,248,267
    link or 0x20 18:0            # records: the profile screen logs in first
 48 text 0x339   slot=257 font=1 colour=3/4 parent=24 at=80,20 hit=274,425,268,287
    link or 0x20 18:0
 49 text 0x339   slot=39 font=1 colour=3/4 parent=20 at=80,22 hit=232,381,61,82
    link and-not 0x20 0:27
    link and-not 0x20 0:26
    link or 0x20 0:13
    link or 0x20 0:7
    link or 0x20 22:0
    link and-not 0x2000 0:20
 50 text 0x339   slot=258 font=1 colour=3/4 parent=24 at=80,42 hit=274,425,288,311
    link or 0x20 18:0
 51 pic  0x440   pic=11 at=120,128 home=120,128
 52 text 0x319   slot=48 font=1 colour=3/4 parent=51 at=200,150 hit=230,409,276,301
 53 text 0x300   slot=316 font=1 colour=5/0 parent=51 at=200,40
 54 text 0x319   slot=728 font=1 colour=3/4 parent=51 at=110,150 hit=180,280,276,301
 55 text 0x319   slot=729 font=1 colour=3/4 parent=51 at=290,150 hit=360,460,276,301
 56 pic  0x404a0 pic=9 at=1140,371 home=543,371
 57 text 0x320   slot=37 font=2 colour=5/0 parent=56 at=80,0
 58 text 0x278   slot=397 font=1 colour=3/4 parent=56 at=12,18 hit=390,450,390,410
 59 text 0x278   slot=398 font=1 colour=3/4 parent=56 at=83,18 hit=460,510,390,410
 60 pic  0x440   pic=533 map=68 parent=51 at=12,12 home=12,12
 61 pic  0x2460  pic=5 map=2 at=-500,454 home=22,454
 62 text 0x338   slot=386 font=1 colour=3/4 parent=61 at=100,1 hit=22,221,454,478
 63 pic  0x6460  pic=284 frames=16 map=69 at=-500,400 home=0,400
 64 pic  0x24a0  pic=5 map=3 at=1140,447 home=543,447
 65 text 0x338   slot=434 font=1 colour=3/4 parent=64 at=120,2 hit=383,543,450,477
)layout";

static const char kScreen01[] = R"layout(
# screen 1: records
  0 root 0x800   slot=0
  1 pic  0x2460  pic=31 map=4 at=-1000,8 home=160,8
  2 text 0x320   slot=285 font=0 colour=5/0 parent=1 at=160,2
  3 pic  0x2460  pic=11 map=7 at=-500,72 home=16,72 to=@1
  4 pic  0x2460  pic=12 map=9 at=1640,72 home=424,72
  5 pic  0x2460  pic=5 map=2 at=-1500,342 home=201,342 to=@1
  6 pic  0x2440  pic=5 map=2 at=-500,371 home=264,371 to=@1     # 6, 7: the frames of 14 and 19, not shown
  7 pic  0x440   pic=5 map=2 at=327,401 home=327,401
  8 pic  0x6460  pic=451 frames=19 map=1 at=2140,390 home=548,390
  9 pic  0x460   pic=20 map=10 at=20,352 home=20,352
 10 pic  0x440   pic=20 map=10 at=20,386 home=20,386
 11 pic  0x440   pic=20 map=10 at=20,420 home=20,420
 12 text 0x300   slot=48 font=1 colour=4/0 parent=4 at=62,14
 13 text 0x339   slot=36 font=1 colour=3/4 parent=5 at=100,3 hit=205,396,344,370
    link or 0x20 0:0
 14 text 0x319   slot=97 font=1 colour=3/4 parent=6 at=100,3 hit=268,459,373,399   # 14, 19: not shown; the
    link or 0x20 1:14            # panel already shows what a tab chose, and they would show it again
 15 pic  0x440   pic=48 map=46 at=388,82 home=388,82
 16 pic  0x440   pic=48 map=46 at=388,230 home=388,230
 17 pic  0x440   pic=45 map=51 at=388,108 home=388,108
 18 pic  0x440   pic=46 map=52 at=388,108 home=388,108
 19 text 0x319   slot=259 font=1 colour=3/4 parent=7 at=100,3 hit=331,522,403,429
    link or 0x20 1:19
 20 text 0x320   slot=55 font=1 colour=4/0 parent=3 at=62,14
 21 text 0x2a0   slot=56 font=1 colour=5/0 parent=3 at=388,14
 22 text 0x278   slot=260 font=1 colour=3/4 parent=3 at=12,36 hit=22,382,107,127
 23 text 0x278   slot=261 font=1 colour=3/4 parent=3 at=12,58 hit=22,382,129,149
 24 text 0x278   slot=262 font=1 colour=3/4 parent=3 at=12,80 hit=22,382,151,171
 25 text 0x278   slot=263 font=1 colour=3/4 parent=3 at=12,102 hit=22,382,173,193
 26 text 0x278   slot=264 font=1 colour=3/4 parent=3 at=12,124 hit=22,382,195,215
 27 text 0x338   slot=291 font=1 colour=3/4 parent=9 at=60,3 hit=24,135,354,376
 28 text 0x320   slot=286 font=1 colour=5/0 parent=4 at=100,14   # the page: which race of the cups
 29 text 0x300   slot=865 font=1 colour=4/0 parent=4 at=62,58
 30 text 0x260   slot=954 font=2 colour=4/0 parent=4 at=12,44    # the heading of the record, then its name,
                                                                 # time and date (which read as such)
 31 text 0x260   slot=866 font=2 colour=4/0 parent=4 at=12,64
 32 text 0x2a0   slot=780 font=2 colour=5/0 parent=4 at=188,64
 33 text 0x2a0   slot=782 font=2 colour=5/0 parent=4 at=188,84
 34 text 0x2a0   slot=783 font=2 colour=5/0 parent=4 at=188,104
)layout";

static const char kScreen02[] = R"layout(
# screen 2: single race
  0 root 0x820   slot=3
  1 pic  0x2460  pic=31 map=4 at=-500,8 home=160,8
  2 text 0x320   slot=51 font=0 colour=5/0 parent=1 at=160,2
  3 pic  0x2460  pic=1 map=2 at=-500,130 home=16,130 to=@1
  4 pic  0x2460  pic=1 map=2 at=-1000,166 home=16,166 to=@1
  5 pic  0x2440  pic=1 map=2 at=-1500,202 home=16,202 to=@1
  6 pic  0x2460  pic=5 map=2 at=1140,401 home=327,401
  7 pic  0x440   pic=20 map=10 at=20,352 home=20,352
  8 pic  0x440   pic=20 map=10 at=144,352 home=144,352
  9 pic  0x440   pic=20 map=10 at=20,386 home=20,386
 10 pic  0x440   pic=20 map=10 at=144,386 home=144,386 value=0   # a demo shows it: it draws nothing
 11 text 0x320   slot=176 font=2 colour=5/0 parent=17 at=40,23   # DEMO under the group names of
 12 text 0x320   slot=176 font=2 colour=5/0 parent=18 at=40,23   # the three buttons that play one
 13 text 0x320   slot=176 font=2 colour=5/0 parent=19 at=40,23
 14 text 0x339   slot=130 font=1 colour=3/4 parent=6 at=100,3 hit=331,522,403,429
    link or 0x20 0:0
 15 pic  0x478   pic=60 at=16,72 home=16,72 hit=16,95,72,107
 16 pic  0x478   pic=60 at=100,72 home=100,72 hit=100,179,72,107
 17 pic  0x478   pic=60 at=184,72 home=184,72 hit=184,263,72,107
 18 pic  0x478   pic=60 at=268,72 home=268,72 hit=268,347,72,107
 19 pic  0x478   pic=60 at=352,72 home=352,72 hit=352,431,72,107
 20 pic  0x440   pic=60 at=436,72 home=436,72      # no click, no use: not shown
 21 pic  0x440   pic=62 at=520,72 home=520,72
 22 pic  0x440   pic=2 map=36 at=16,238 home=16,238
 23 text 0x300   slot=131 font=2 colour=4/0 parent=22 at=100,32
 24 text 0x339   slot=971 font=1 colour=3/4 parent=3 at=100,3 hit=20,211,132,158
    link or 0x20 5:0
 25 text 0x339   slot=972 font=1 colour=3/4 parent=4 at=100,3 hit=20,211,168,194
    link or 0x20 5:0
 26 text 0x318   slot=973 font=1 colour=3/4 parent=5 at=100,3 hit=20,211,204,230
 27 text 0x318   slot=974 font=1 colour=3/4 parent=22 at=100,18 hit=20,211,240,262
 28 text 0x300   slot=975 font=1 colour=4/0 at=540,196
 29 text 0x300   slot=976 font=1 colour=4/0 at=540,218
 30 text 0x318   slot=977 font=1 colour=3/4 parent=7 at=60,3 hit=24,135,354,376
 31 pic  0x2440  pic=6 at=-1000,300 home=232,300 to=@1
 32 text 0x300   slot=124 font=1 colour=4/0 parent=31 at=62,14
 33 text 0x300   slot=123 font=1 colour=4/0 parent=31 at=62,36
 34 text 0x300   slot=651 font=1 colour=5/0 parent=31 at=208,36
 35 pic  0x2460  pic=59 map=38 at=-1500,130 home=232,130 to=@1
 36 pic  0x440   pic=55 at=480,250 home=480,250
 37 pic  0x440   pic=55 at=480,274 home=480,274
 38 pic  0x440   pic=55 at=480,298 home=480,298
 39 pic  0x440   pic=55 at=480,322 home=480,322
 40 pic  0x440   pic=55 at=480,346 home=480,346
 41 text 0x320   slot=162 font=1 colour=4/0 parent=15 at=40,6    # the track groups' names on their
 42 text 0x320   slot=163 font=1 colour=4/0 parent=16 at=40,6    # buttons (cup rows 0 to 4)
 43 text 0x320   slot=164 font=1 colour=4/0 parent=18 at=40,-1
 44 text 0x320   slot=165 font=1 colour=4/0 parent=17 at=40,-1
 45 text 0x320   slot=166 font=1 colour=4/0 parent=19 at=40,-1
 46 pic  0x440   pic=11 at=120,128 home=120,128
 47 text 0x319   slot=48 font=1 colour=3/4 parent=46 at=200,150 hit=230,409,276,301
    link and-not 0x20 2:46
    link and-not 0x20 2:47
    link and-not 0x20 2:48
 48 text 0x300   slot=978 font=1 colour=5/0 parent=46 at=200,40
 49 text 0x300   slot=613 font=2 colour=4/0 at=540,390
 50 text 0x300   slot=614 font=2 colour=4/0 at=540,406
 51 pic  0x440   pic=61 at=436,72 home=436,72
 52 pic  0x440   pic=533 map=68 parent=46 at=12,12 home=12,12
)layout";

static const char kScreen03[] = R"layout(
# screen 3: career
  0 root 0x820   slot=1
  1 pic  0x2460  pic=31 map=4 at=-500,8 home=160,8
  2 pic  0x2460  pic=1 map=2 at=2140,130 home=424,130
  3 pic  0x2460  pic=1 map=2 at=1140,166 home=424,166
  4 pic  0x2460  pic=1 map=2 at=1640,202 home=424,202
  5 pic  0x2460  pic=1 map=2 at=2140,238 home=424,238
  6 pic  0x2460  pic=1 map=2 at=1140,274 home=424,274
  7 pic  0x2460  pic=20 map=10 at=1640,316 home=300,316      # BACK's frame, clear of the money panel
  8 pic  0x2440  pic=20 map=10 at=2140,350 home=320,350      # no text, no click, no use: not shown
  9 pic  0x2440  pic=20 map=10 at=1140,384 home=320,384
 10 pic  0x2440  pic=20 map=10 at=1640,418 home=320,418
 11 text 0x320   slot=125 font=0 colour=5/0 parent=1 at=160,2
 12 text 0x339   slot=128 font=1 colour=3/4 parent=2 at=100,3 hit=428,619,132,158
    link or 0x20 20:0
 13 text 0x339   slot=129 font=1 colour=3/4 parent=3 at=100,3 hit=428,619,168,194
    link or 0x20 21:0
 14 text 0x338   slot=130 font=1 colour=3/4 parent=7 at=60,3 hit=304,415,318,340
    link group:98                # never run (no 0x1): the leave pop-up's code freezes
    link group:155               # the cups and rows, and staying thaws them
 15 pic  0x458   pic=60 at=16,72 home=16,72 hit=16,95,72,107   # the track groups: only the notice,
 16 pic  0x458   pic=60 at=100,72 home=100,72 hit=100,179,72,107   # no label: not shown
 17 pic  0x458   pic=60 at=184,72 home=184,72 hit=184,263,72,107
 18 pic  0x458   pic=60 at=268,72 home=268,72 hit=268,347,72,107
 19 pic  0x458   pic=60 at=352,72 home=352,72 hit=352,431,72,107
 20 pic  0x459   pic=527 at=392,430 home=392,430 hit=392,631,430,465
    link group:74
 21 pic  0x458   pic=62 at=436,72 home=436,72 hit=436,515,72,107
 22 pic  0x2460  pic=2 map=36 at=1640,310 home=424,310
 23 text 0x300   slot=131 font=2 colour=4/0 parent=22 at=100,32
 24 text 0x279   slot=971 font=1 colour=3/4 parent=31 at=12,14 hit=22,305,143,163   # a cup of the list: its panel (rows 77-90), the frame slides in
    link group:77
    link group:78
    link group:74
 25 text 0x279   slot=972 font=1 colour=3/4 parent=31 at=12,36 hit=22,305,165,185
    link group:79
    link group:80
    link group:74
 26 text 0x279   slot=973 font=1 colour=3/4 parent=31 at=12,58 hit=22,305,187,207
    link group:81
    link group:82
    link group:74
 27 text 0x279   slot=974 font=1 colour=3/4 parent=31 at=12,80 hit=22,305,209,229
    link group:83
    link group:84
    link group:74
 28 text 0x279   slot=975 font=1 colour=3/4 parent=31 at=12,102 hit=22,305,231,251
    link group:85
    link group:86
    link group:74
 29 text 0x279   slot=976 font=1 colour=3/4 parent=31 at=12,124 hit=22,305,253,273
    link group:87
    link group:88
    link group:74
 30 text 0x279   slot=977 font=1 colour=3/4 parent=31 at=12,146 hit=22,305,275,295
    link group:89
    link group:90
    link group:74
 31 pic  0x2460  pic=516 map=43 at=-1000,130 home=16,130
 32 text 0x320   slot=124 font=1 colour=4/0 parent=4 at=100,3
 33 text 0x320   slot=123 font=1 colour=4/0 parent=5 at=100,3
 34 text 0x320   slot=651 font=1 colour=5/0 parent=6 at=100,3
 35 pic  0x2460  pic=59 map=38 at=-1500,316 home=16,316
 36 pic  0x460   pic=55 at=150,330 home=150,330
 37 pic  0x460   pic=55 at=150,356 home=150,356
 38 pic  0x460   pic=55 at=150,408 home=150,408
 39 pic  0x460   pic=55 at=150,382 home=150,382
 40 pic  0x460   pic=55 at=150,434 home=150,434
 41 text 0x320   slot=240 font=2 colour=4/0 parent=35 at=62,14
 42 text 0x320   slot=241 font=2 colour=4/0 parent=35 at=62,40
 43 text 0x320   slot=242 font=2 colour=4/0 parent=35 at=62,66
 44 text 0x320   slot=243 font=2 colour=4/0 parent=35 at=62,92
 45 text 0x320   slot=244 font=2 colour=4/0 parent=35 at=62,118
 46 pic  0x440   pic=11 at=120,128 home=120,128
 47 text 0x300   slot=48 font=1 colour=3/4 parent=46 at=200,150 hit=230,409,276,301   # OK under the message's three lines
 48 text 0x300   slot=612 font=1 colour=5/0 parent=46 at=200,40
 49 text 0x300   slot=613 font=1 colour=5/0 parent=46 at=200,78
 50 text 0x300   slot=614 font=1 colour=5/0 parent=46 at=200,102
 51 pic  0x440   pic=61 at=436,72 home=436,72
 52 pic  0x40460 pic=30 map=34 at=1140,100 home=120,100
 53 pic  0x2440  pic=74 map=54 at=-1500,90 home=100,90
 54 text 0x300   slot=868 font=0 colour=5/0 parent=53 at=220,8
 55 text 0x300   slot=869 font=0 colour=5/0 parent=53 at=220,8
 56 text 0x300   slot=870 font=0 colour=5/0 parent=53 at=220,8
 57 text 0x300   slot=871 font=0 colour=5/0 parent=53 at=220,8
 58 text 0x300   slot=872 font=0 colour=5/0 parent=53 at=220,8
 59 text 0x300   slot=873 font=0 colour=5/0 parent=53 at=220,8
 60 text 0x300   slot=874 font=0 colour=5/0 parent=53 at=220,8
 61 text 0x319   slot=49 font=1 colour=3/4 parent=53 at=220,240 hit=230,409,330,353   # the panel's BACK: the frame slides out
    link and-not 0x2000 3:52
 62 text 0x319   slot=49 font=1 colour=3/4 parent=53 at=220,240 hit=230,409,330,353
    link and-not 0x2000 3:52
 63 text 0x319   slot=49 font=1 colour=3/4 parent=53 at=220,240 hit=230,409,330,353
    link and-not 0x2000 3:52
 64 text 0x319   slot=49 font=1 colour=3/4 parent=53 at=220,240 hit=230,409,330,353
    link and-not 0x2000 3:52
 65 text 0x319   slot=49 font=1 colour=3/4 parent=53 at=220,240 hit=230,409,330,353
    link and-not 0x2000 3:52
 66 text 0x319   slot=49 font=1 colour=3/4 parent=53 at=220,240 hit=230,409,330,353
    link and-not 0x2000 3:52
 67 text 0x319   slot=49 font=1 colour=3/4 parent=53 at=220,240 hit=230,409,330,353
    link and-not 0x2000 3:52
 68 text 0x300   slot=875 font=2 colour=5/0 parent=53 at=48,60
 69 text 0x300   slot=876 font=2 colour=5/0 parent=53 at=270,60
 70 text 0x300   slot=877 font=2 colour=5/0 parent=53 at=400,60
 71 text 0x259   slot=878 font=1 colour=3/4 parent=53 at=12,84 hit=106,290,174,194   # a race of the panel: the car choice
    link or 0x20 5:0
 72 text 0x259   slot=879 font=1 colour=3/4 parent=53 at=12,114 hit=106,290,204,224
    link or 0x20 5:0
 73 text 0x259   slot=880 font=1 colour=3/4 parent=53 at=12,144 hit=106,290,234,254
    link or 0x20 5:0
 74 text 0x259   slot=881 font=1 colour=3/4 parent=53 at=12,174 hit=106,290,264,284
    link or 0x20 5:0
 75 text 0x300   slot=688 font=2 colour=4/0 parent=53 at=270,88
 76 text 0x300   slot=689 font=2 colour=4/0 parent=53 at=270,118
 77 text 0x300   slot=690 font=2 colour=4/0 parent=53 at=270,148
 78 text 0x300   slot=691 font=2 colour=4/0 parent=53 at=270,178
 79 text 0x300   slot=693 font=2 colour=4/0 parent=53 at=270,88
 80 text 0x300   slot=694 font=2 colour=4/0 parent=53 at=270,118
 81 text 0x300   slot=695 font=2 colour=4/0 parent=53 at=270,148
 82 text 0x300   slot=696 font=2 colour=4/0 parent=53 at=270,178
 83 text 0x300   slot=698 font=2 colour=4/0 parent=53 at=270,88
 84 text 0x300   slot=699 font=2 colour=4/0 parent=53 at=270,118
 85 text 0x300   slot=700 font=2 colour=4/0 parent=53 at=270,148
 86 text 0x300   slot=701 font=2 colour=4/0 parent=53 at=270,178
 87 text 0x300   slot=703 font=2 colour=4/0 parent=53 at=270,88
 88 text 0x300   slot=704 font=2 colour=4/0 parent=53 at=270,118
 89 text 0x300   slot=705 font=2 colour=4/0 parent=53 at=270,148
 90 text 0x300   slot=706 font=2 colour=4/0 parent=53 at=270,178
 91 text 0x300   slot=708 font=2 colour=4/0 parent=53 at=270,88
 92 text 0x300   slot=709 font=2 colour=4/0 parent=53 at=270,118
 93 text 0x300   slot=710 font=2 colour=4/0 parent=53 at=270,148
 94 text 0x300   slot=711 font=2 colour=4/0 parent=53 at=270,178
 95 text 0x259   slot=900 font=1 colour=3/4 parent=53 at=12,84 hit=106,290,174,194   # a race of the panel: the car choice
    link or 0x20 5:0
 96 text 0x259   slot=901 font=1 colour=3/4 parent=53 at=12,114 hit=106,290,204,224
    link or 0x20 5:0
 97 text 0x259   slot=902 font=1 colour=3/4 parent=53 at=12,144 hit=106,290,234,254
    link or 0x20 5:0
 98 text 0x259   slot=903 font=1 colour=3/4 parent=53 at=12,174 hit=106,290,264,284
    link or 0x20 5:0
 99 text 0x300   slot=904 font=2 colour=5/0 parent=53 at=220,36
100 text 0x300   slot=718 font=2 colour=4/0 parent=53 at=270,88
101 text 0x300   slot=719 font=2 colour=4/0 parent=53 at=270,118
102 text 0x300   slot=720 font=2 colour=4/0 parent=53 at=270,148
103 text 0x300   slot=721 font=2 colour=4/0 parent=53 at=270,178
104 text 0x300   slot=722 font=2 colour=4/0 parent=53 at=270,208
105 text 0x259   slot=162 font=1 colour=3/4 parent=145 at=12,40 hit=176,330,169,189   # a race of the panel: the car choice
    link or 0x20 5:0
106 text 0x259   slot=163 font=1 colour=3/4 parent=145 at=12,68 hit=176,330,197,217
    link or 0x20 5:0
107 text 0x259   slot=165 font=1 colour=3/4 parent=145 at=12,96 hit=176,330,225,245
    link or 0x20 5:0
108 text 0x259   slot=164 font=1 colour=3/4 parent=145 at=12,124 hit=176,330,253,273
    link or 0x20 5:0
109 text 0x259   slot=166 font=1 colour=3/4 parent=145 at=12,152 hit=176,330,281,301
    link or 0x20 5:0
110 text 0x300   slot=713 font=2 colour=4/0 parent=145 at=150,44
111 text 0x300   slot=714 font=2 colour=4/0 parent=145 at=150,72
112 text 0x300   slot=715 font=2 colour=4/0 parent=145 at=150,100
113 text 0x300   slot=716 font=2 colour=4/0 parent=145 at=150,128
114 text 0x300   slot=717 font=2 colour=4/0 parent=145 at=150,156
115 text 0x300   slot=653 font=2 colour=5/0 parent=53 at=400,88
116 text 0x300   slot=654 font=2 colour=5/0 parent=53 at=400,118
117 text 0x300   slot=655 font=2 colour=5/0 parent=53 at=400,148
118 text 0x300   slot=656 font=2 colour=5/0 parent=53 at=400,178
119 text 0x300   slot=658 font=2 colour=5/0 parent=53 at=400,88
120 text 0x300   slot=659 font=2 colour=5/0 parent=53 at=400,118
121 text 0x300   slot=660 font=2 colour=5/0 parent=53 at=400,148
122 text 0x300   slot=661 font=2 colour=5/0 parent=53 at=400,178
123 text 0x300   slot=663 font=2 colour=5/0 parent=53 at=400,88
124 text 0x300   slot=664 font=2 colour=5/0 parent=53 at=400,118
125 text 0x300   slot=665 font=2 colour=5/0 parent=53 at=400,148
126 text 0x300   slot=666 font=2 colour=5/0 parent=53 at=400,178
127 text 0x300   slot=668 font=2 colour=5/0 parent=53 at=400,88
128 text 0x300   slot=669 font=2 colour=5/0 parent=53 at=400,118
129 text 0x300   slot=670 font=2 colour=5/0 parent=53 at=400,148
130 text 0x300   slot=671 font=2 colour=5/0 parent=53 at=400,178
131 text 0x300   slot=673 font=2 colour=5/0 parent=53 at=400,88
132 text 0x300   slot=674 font=2 colour=5/0 parent=53 at=400,118
133 text 0x300   slot=675 font=2 colour=5/0 parent=53 at=400,148
134 text 0x300   slot=676 font=2 colour=5/0 parent=53 at=400,178
135 text 0x300   slot=678 font=2 colour=1/0 parent=53 at=400,88
136 text 0x300   slot=679 font=2 colour=1/0 parent=53 at=400,118
137 text 0x300   slot=680 font=2 colour=1/0 parent=53 at=400,148
138 text 0x300   slot=681 font=2 colour=1/0 parent=53 at=400,178
139 text 0x300   slot=682 font=2 colour=1/0 parent=53 at=400,208
140 text 0x300   slot=683 font=2 colour=1/0 parent=145 at=240,44
141 text 0x300   slot=684 font=2 colour=1/0 parent=145 at=240,72
142 text 0x300   slot=685 font=2 colour=1/0 parent=145 at=240,100
143 text 0x300   slot=686 font=2 colour=1/0 parent=145 at=240,128
144 text 0x300   slot=687 font=2 colour=1/0 parent=145 at=240,156
145 pic  0x2440  pic=73 map=53 at=-1000,130 home=170,130
146 text 0x300   slot=875 font=2 colour=5/0 parent=145 at=60,14
147 text 0x300   slot=876 font=2 colour=5/0 parent=145 at=150,14
148 text 0x300   slot=877 font=2 colour=5/0 parent=145 at=240,14
149 pic  0x2440  pic=75 map=55 at=2140,436 home=424,436
150 pic  0x2440  pic=75 map=55 at=1140,436 home=468,436
151 pic  0x2440  pic=75 map=55 at=1640,436 home=512,436
152 pic  0x2440  pic=75 map=55 at=2140,436 home=556,436
153 pic  0x2440  pic=75 map=55 at=1140,436 home=600,436
154 text 0x320   slot=292 font=2 colour=4/0 at=524,316
155 pic  0x2460  pic=20 map=10 at=-1500,450 home=190,450
156 text 0x339   slot=773 font=1 colour=3/4 parent=155 at=60,3 hit=194,305,452,474
    link or 0x20 19:0
157 text 0x300   slot=397 font=1 colour=3/4 at=110,150 hit=180,280,276,301 parent=46
158 text 0x300   slot=729 font=1 colour=3/4 at=290,150 hit=360,460,276,301 parent=46
    link group:99
    link group:156
159 pic  0x2460  pic=518 map=58 at=1140,310 home=424,310
160 text 0x300   slot=137 font=1 colour=4/0 at=320,360
161 pic  0x440   pic=526 map=65 at=220,200 home=220,200
162 pic  0x440   pic=533 map=68 parent=46 at=12,12 home=12,12 value=0   # shown by every click: draws nothing
163 pic  0x440   pic=533 map=68 parent=46 at=356,12 home=356,12
)layout";

static const char kScreen04[] = R"layout(
# screen 4: credits
  0 root 0x820   slot=4
  1 pic  0x2460  pic=31 map=4 at=-500,8 home=160,8
  2 text 0x320   slot=435 font=0 colour=5/0 parent=1 at=160,2
  3 pic  0x2460  pic=5 map=2 at=-500,440 home=20,440 to=@1
  4 pic  0x440   pic=20 map=10 at=500,440 home=500,440       # no text, no click, no use: not shown
  5 text 0x339   slot=130 font=1 colour=3/4 parent=3 at=100,3 hit=24,215,442,468
    link or 0x20 0:0
  6 pic  0x6460  pic=284 frames=16 map=69 at=1140,8 home=510,8
  7 text 0x2a0   slot=30 font=2 colour=3/5 at=620,468
)layout";

static const char kScreen05[] = R"layout(
# screen 5: car choice
  0 root 0x820   slot=5
  1 pic  0x2460  pic=31 map=4 at=-500,8 home=160,8
  2 text 0x320   slot=127 font=0 colour=5/0 parent=1 at=160,2
  3 pic  0x2460  pic=516 map=43 at=-500,66 home=224,66
  4 pic  0x2460  pic=6 at=-1000,306 home=16,306
  5 pic  0x2460  pic=517 at=2140,66 home=224,66
  6 pic  0x2460  pic=6 at=1140,306 home=372,306 to=@5
  7 pic  0x2460  pic=1 map=2 at=-1000,66 home=16,66      # the tabs' heading (7, 8), then the
  8 pic  0x2460  pic=1 map=2 at=-1500,100 home=16,100
  9 pic  0x2460  pic=1 map=2 at=-500,134 home=16,134     # five class tabs, 9-13; the tab of the
 10 pic  0x2460  pic=1 map=2 at=-1000,168 home=16,168    # race's class is lit: 54-58 stand on
 11 pic  0x2460  pic=1 map=2 at=-1500,202 home=16,202    # them with their own label and count
 12 pic  0x2460  pic=1 map=2 at=-500,236 home=16,236
 13 pic  0x2460  pic=1 map=2 at=-1000,270 home=16,270 to=@12
 14 pic  0x2460  pic=5 map=2 at=-1500,412 home=16,412
 15 pic  0x2460  pic=5 map=2 at=-500,412 home=220,412 to=@14
 16 pic  0x2440  pic=5 map=2 at=1640,412 home=424,412    # no button of its own: not shown
 17 pic  0x2460  pic=5 map=2 at=2140,446 home=424,446 to=@5
 18 pic  0x2460  pic=13 map=37 at=-500,252 home=224,252 to=@13
 19 text 0x320   slot=124 font=2 colour=4/0 parent=86 at=26,8    # the career prices the car on frame 86
 20 pic  0x460   pic=21 map=11 at=476,66 home=476,66
 21 pic  0x460   pic=20 map=10 at=520,104 home=520,104
 22 pic  0x460   pic=20 map=10 at=520,138 home=520,138
 23 pic  0x460   pic=20 map=10 at=520,172 home=520,172
 24 text 0x320   slot=139 font=1 colour=4/0 parent=7 at=100,3
 25 text 0x320   slot=123 font=2 colour=4/0 parent=20 at=80,6
 26 text 0x320   slot=140 font=1 colour=4/0 parent=8 at=100,3
 27 text 0x339   slot=146 font=1 colour=3/4 parent=21 at=60,3 hit=524,635,106,128
    link or 0x20 5:27
 28 text 0x339   slot=147 font=1 colour=3/4 parent=22 at=60,3 hit=524,635,140,162
    link or 0x20 5:28
 29 text 0x320   slot=151 font=1 colour=4/0 parent=9 at=80,3
    link group:8
    link group:36
    link group:13
    link group:41
 30 text 0x320   slot=148 font=1 colour=4/0 parent=10 at=80,3
    link group:9
    link group:37
    link group:14
    link group:42
 31 text 0x320   slot=149 font=1 colour=4/0 parent=11 at=80,3
    link group:10
    link group:38
    link group:15
    link group:43
 32 text 0x320   slot=154 font=1 colour=4/0 parent=12 at=80,3
    link group:11
    link group:39
    link group:16
    link group:44
 33 text 0x320   slot=150 font=1 colour=4/0 parent=13 at=80,3
    link group:12
    link group:40
    link group:17
    link group:45
 34 text 0x321   slot=155 font=2 colour=4/0 parent=9 at=172,7
    link group:149
    link group:150
    link group:105
 35 text 0x321   slot=156 font=2 colour=4/0 parent=10 at=172,7
    link group:149
    link group:150
    link group:106
 36 text 0x321   slot=157 font=2 colour=4/0 parent=11 at=172,7
    link group:149
    link group:150
    link group:107
 37 text 0x321   slot=158 font=2 colour=4/0 parent=12 at=172,7
    link group:149
    link group:150
    link group:108
 38 text 0x321   slot=159 font=2 colour=4/0 parent=13 at=172,7
    link group:149
    link group:150
    link group:109
 39 text 0x301   slot=141 font=2 colour=4/0 parent=4 at=62,14    # the shop's SELL: not shown here
    link or 0x20 5:39
 40 text 0x321   slot=142 font=2 colour=4/0 parent=4 at=62,32
    link or 0x20 5:40
 41 text 0x339   slot=925 font=1 colour=3/4 parent=14 at=100,3 hit=20,211,414,440
    link or 0x20 5:41
 42 text 0x339   slot=49 font=1 colour=3/4 parent=15 at=100,3 hit=224,415,414,440
    link or 0x20 5:42
 43 text 0x2a0   slot=651 font=1 colour=5/0 parent=20 at=150,6
 44 pic  0x10440 pic=20 map=10 at=520,206 home=520,206   # no list on this screen: its arrows
 45 pic  0x8440  pic=20 map=10 at=520,240 home=520,240   # are not shown
 46 text 0x320   slot=167 font=2 colour=4/0 parent=23 at=60,8
 47 text 0x320   slot=145 font=2 colour=4/0 parent=4 at=62,14    # the top speed's label
 48 text 0x320   slot=230 font=2 colour=4/0 parent=6 at=140,68
 49 text 0x320   slot=231 font=2 colour=4/0 parent=6 at=140,84
 50 text 0x2a0   slot=232 font=2 colour=5/0 parent=6 at=248,68
 51 text 0x320   slot=233 font=2 colour=4/0 parent=4 at=62,50
 52 text 0x320   slot=234 font=2 colour=4/0 parent=6 at=140,50
 53 text 0x320   slot=235 font=2 colour=4/0 parent=6 at=140,32
 54 pic  0x440   pic=4 map=2 at=16,134 home=16,134
 55 pic  0x440   pic=4 map=2 at=16,168 home=16,168
 56 pic  0x440   pic=4 map=2 at=16,202 home=16,202
 57 pic  0x440   pic=4 map=2 at=16,236 home=16,236
 58 pic  0x440   pic=4 map=2 at=16,270 home=16,270
 59 text 0x300   slot=151 font=1 colour=4/0 parent=54 at=80,3
 60 text 0x300   slot=148 font=1 colour=4/0 parent=55 at=80,3
 61 text 0x300   slot=149 font=1 colour=4/0 parent=56 at=80,3
 62 text 0x300   slot=154 font=1 colour=4/0 parent=57 at=80,3
 63 text 0x300   slot=150 font=1 colour=4/0 parent=58 at=80,3
 64 text 0x280   slot=155 font=2 colour=5/0 parent=54 at=190,7
 65 text 0x280   slot=156 font=2 colour=5/0 parent=55 at=190,7
 66 text 0x280   slot=157 font=2 colour=5/0 parent=56 at=190,7
 67 text 0x280   slot=158 font=2 colour=5/0 parent=57 at=190,7
 68 text 0x280   slot=159 font=2 colour=5/0 parent=58 at=190,7
 69 pic  0x440   pic=11 at=120,128 home=120,128
 70 text 0x300   slot=979 font=1 colour=3/4 parent=69 at=110,150 hit=180,280,276,301
 71 text 0x300   slot=612 font=1 colour=5/0 parent=69 at=200,40
 72 text 0x300   slot=979 font=1 colour=3/4 parent=69 at=200,150 hit=230,409,276,301
 73 text 0x300   slot=230 font=2 colour=4/0 parent=69 at=200,104
 74 text 0x2a0   slot=231 font=2 colour=5/0 parent=4 at=204,14
 75 text 0x2a0   slot=232 font=2 colour=5/0 parent=4 at=204,32
 76 text 0x2a0   slot=233 font=2 colour=5/0 parent=4 at=204,50
 77 text 0x2a0   slot=233 font=2 colour=5/0 parent=6 at=248,32   # the values of the car on show
 78 text 0x2a0   slot=234 font=2 colour=5/0 parent=6 at=248,50
 79 text 0x280   slot=232 font=2 colour=5/0 parent=86 at=112,8
 80 pic  0x440   pic=1 map=2 at=220,446 home=220,446
 81 text 0x319   slot=723 font=1 colour=3/4 parent=80 at=100,3 hit=224,415,448,474
    link and-not 0x20 5:80
    link and-not 0x20 5:81
 82 text 0x300   slot=724 font=2 colour=4/0 parent=17 at=100,7
 83 text 0x300   slot=725 font=2 colour=4/0 parent=17 at=100,7
 84 pic  0x460   pic=5 map=2 at=220,446 home=220,446
 85 text 0x339   slot=773 font=1 colour=3/4 parent=84 at=100,3 hit=224,415,448,474
    link or 0x20 19:0
 86 pic  0x440   pic=20 map=10 at=520,300 home=520,300
 87 pic  0x440   pic=2 map=36 at=220,180 home=220,180
 88 text 0x300   slot=253 font=1 colour=5/0 parent=87 at=100,6
 89 text 0x300   slot=979 font=1 colour=3/4 parent=69 at=200,150 hit=230,409,276,301
 90 text 0x300   slot=979 font=2 colour=4/0 parent=69 at=200,80
 91 text 0x300   slot=979 font=2 colour=4/0 parent=69 at=200,100
 92 pic  0x440   pic=533 map=68 parent=69 at=12,12 home=12,12
)layout";

static const char kScreen06[] = R"layout(
# screen 6: options
  0 root 0x800   slot=0
  1 pic  0x2460  pic=31 map=4 at=-500,8 home=160,8
  2 text 0x320   slot=59 font=0 colour=5/0 parent=1 at=160,2
  3 pic  0x2460  pic=11 map=7 at=-500,72 home=16,72 to=@1
  4 pic  0x2460  pic=12 map=9 at=1640,72 home=424,72
  5 pic  0x2460  pic=5 map=2 at=-1500,342 home=201,342 to=@1
  6 pic  0x2460  pic=5 map=2 at=-500,371 home=264,371 to=@1
  7 pic  0x2440  pic=5 map=2 at=1640,401 home=327,401        # no text, no click, no use: not shown
  8 pic  0x6460  pic=300 frames=49 map=1 at=2140,390 home=548,390
  9 pic  0x440   pic=20 map=10 at=20,352 home=20,352         # nor these (9-11)
 10 pic  0x440   pic=20 map=10 at=20,386 home=20,386
 11 pic  0x440   pic=20 map=10 at=20,420 home=20,420
 12 text 0x339   slot=48 font=1 colour=3/4 parent=5 at=100,3 hit=205,396,344,370
    link or 0x20 0:0
 13 text 0x339   slot=49 font=1 colour=3/4 parent=6 at=100,3 hit=268,459,373,399
    link or 0x20 0:0
 14 text 0x279   slot=62 font=1 colour=3/4 parent=3 at=12,14 hit=22,409,85,105
    link group:0
    link group:1
 15 text 0x279   slot=63 font=1 colour=3/4 parent=3 at=12,36 hit=22,409,107,127
    link group:2
    link group:3
 16 text 0x279   slot=64 font=1 colour=3/4 parent=3 at=12,58 hit=22,409,129,149
    link group:4
    link group:5
 17 text 0x279   slot=65 font=1 colour=3/4 parent=3 at=12,80 hit=22,409,151,171
    link group:6
    link group:7
 18 text 0x320   slot=66 font=2 colour=5/5 parent=47 at=32,-13
 19 text 0x220   slot=67 font=1 colour=5/5 parent=4 at=12,164    # the texture filter, on the right
 20 text 0x278   slot=68 font=1 colour=3/4 parent=4 at=12,14 hit=430,617,85,105
 21 text 0x278   slot=69 font=1 colour=3/4 parent=4 at=12,36 hit=430,617,107,127
 22 text 0x258   slot=70 font=1 colour=3/4 parent=4 at=12,58 hit=430,617,129,149
 23 text 0x279   slot=248 font=1 colour=3/4 parent=4 at=12,80 hit=430,617,151,171
    link group:6
    link group:7
 24 text 0x258   slot=249 font=1 colour=3/4 parent=4 at=12,102 hit=430,617,173,193
 25 text 0x258   slot=250 font=1 colour=3/4 parent=4 at=12,124 hit=430,617,195,215
# The row of tiles under the panels: one a display switch, its name over it
# and its state on it, which a click on the tile changes; the texture filter
# is the right panel's last row.  The pictures that mark a state stand off
# the screen: the switch's own word says it.
 26 text 0x339   slot=74 font=1 colour=5/4 parent=41 at=32,12 hit=16,79,290,337
    link xor 0x20 6:26
    link xor 0x20 6:28
 27 text 0x320   slot=249 font=2 colour=5/5 parent=41 at=32,-13
 28 text 0x319   slot=75 font=1 colour=3/4 parent=41 at=32,12 hit=16,79,290,337
    link xor 0x20 6:26
    link xor 0x20 6:28
 29 text 0x339   slot=74 font=1 colour=5/4 parent=42 at=32,12 hit=96,159,290,337
    link xor 0x20 6:29
    link xor 0x20 6:30
 30 text 0x319   slot=75 font=1 colour=3/4 parent=42 at=32,12 hit=96,159,290,337
    link xor 0x20 6:29
    link xor 0x20 6:30
 31 text 0x320   slot=248 font=2 colour=5/5 parent=44 at=32,-13
 32 text 0x258   slot=250 font=1 colour=3/4 parent=3 at=12,146 hit=22,409,217,237
 33 text 0x300   slot=248 font=2 colour=4/0 parent=4 at=62,178           # not used: not shown
 34 text 0x320   slot=250 font=2 colour=5/5 parent=42 at=32,-13
 35 text 0x339   slot=74 font=1 colour=5/4 parent=44 at=32,12 hit=176,239,290,337
    link xor 0x20 6:35
    link xor 0x20 6:36
 36 text 0x319   slot=75 font=1 colour=3/4 parent=44 at=32,12 hit=176,239,290,337
    link xor 0x20 6:35
    link xor 0x20 6:36
 37 text 0x339   slot=74 font=1 colour=5/4 parent=47 at=32,12 hit=256,319,290,337
    link xor 0x20 6:37
    link xor 0x20 6:38
 38 text 0x319   slot=75 font=1 colour=3/4 parent=47 at=32,12 hit=256,319,290,337
    link xor 0x20 6:37
    link xor 0x20 6:38
 39 text 0x2b9   slot=74 font=1 colour=5/4 parent=4 at=188,164 hit=430,617,236,256
    link xor 0x20 6:39
    link xor 0x20 6:40
 40 text 0x299   slot=75 font=1 colour=3/4 parent=4 at=188,164 hit=430,617,236,256
    link xor 0x20 6:39
    link xor 0x20 6:40
 41 pic  0x460   pic=35 at=16,290 home=16,290                 # particle effects
 42 pic  0x460   pic=34 at=96,290 home=96,290                 # rain and reflections
 43 pic  0x440   pic=36 at=2000,290 home=2000,290
 44 pic  0x460   pic=38 at=176,290 home=176,290               # the sky
 45 pic  0x440   pic=39 at=2000,290 home=2000,290
 46 pic  0x440   pic=40 at=2000,290 home=2000,290
 47 pic  0x460   pic=41 at=256,290 home=256,290               # byte 4
 48 pic  0x440   pic=42 at=2000,290 home=2000,290
 49 pic  0x440   pic=43 at=2000,290 home=2000,290
)layout";

static const char kScreen07[] = R"layout(
# screen 7: sound
# The panel: the effects and the music sliders, each under its name, then
# the stereo switch and the music tune, each beside its name.  The names
# take a click (the table makes them buttons) but neither light up nor act.
  0 root 0x800   slot=0
  1 pic  0x2460  pic=31 map=4 at=-500,8 home=160,8
  2 text 0x320   slot=60 font=0 colour=5/0 parent=1 at=160,2
  3 pic  0x2460  pic=11 map=7 at=-500,72 home=16,72 to=@1
  4 text 0x228   slot=93 font=1 colour=5/5 parent=3 at=24,70 hit=40,250,142,164
  5 pic  0x2460  pic=5 map=2 at=-1500,342 home=201,342 to=@1
  6 pic  0x2460  pic=5 map=2 at=-500,371 home=264,371 to=@1
  7 pic  0x2460  pic=5 map=2 at=1640,401 home=327,401
  8 pic  0x6460  pic=300 frames=49 map=1 at=2140,390 home=548,390
  9 pic  0x440   pic=20 map=10 at=20,352 home=20,352         # no text, no click, no use: not shown
 10 pic  0x440   pic=20 map=10 at=20,386 home=20,386
 11 pic  0x440   pic=20 map=10 at=20,420 home=20,420
 12 text 0x339   slot=48 font=1 colour=3/4 parent=5 at=100,3 hit=205,396,344,370
    link or 0x20 0:0
 13 text 0x339   slot=49 font=1 colour=3/4 parent=6 at=100,3 hit=268,459,373,399
    link or 0x20 0:0
 14 text 0x338   slot=62 font=1 colour=3/4 parent=7 at=100,3 hit=331,522,403,429
 15 text 0x228   slot=94 font=1 colour=5/5 parent=3 at=24,6 hit=40,250,78,100
 16 text 0x228   slot=95 font=1 colour=5/5 parent=3 at=150,178 hit=166,400,250,272
 17 text 0x228   slot=96 font=1 colour=5/5 parent=3 at=24,144 hit=40,290,216,240
 18 text 0x2b9   slot=74 font=1 colour=3/4 parent=3 at=388,144 hit=300,409,216,240
    link xor 0x20 7:18
    link xor 0x20 7:19
 19 text 0x299   slot=75 font=1 colour=3/4 parent=3 at=388,144 hit=300,409,216,240
    link xor 0x20 7:18
    link xor 0x20 7:19
 20 pic  0x479   pic=48 map=46 at=40,102 home=40,102 hit=40,63,102,125
    link or 0x4 7:23
 21 pic  0x460   pic=53 map=44 at=70,102 home=70,102
 22 pic  0x479   pic=48 map=46 at=296,102 home=296,102 hit=296,319,102,125
    link or 0x2 7:23
 23 pic  0x469   pic=54 map=45 at=76,104 home=76,104 hit=76,95,104,123 value=4 bounds=0,5
 24 pic  0x8479  pic=48 map=46 at=40,166 home=40,166 hit=40,63,166,189
    link or 0x4 7:27
 25 pic  0x460   pic=53 map=44 at=70,166 home=70,166
 26 pic  0x10479 pic=48 map=46 at=296,166 home=296,166 hit=296,319,166,189
    link or 0x2 7:27
 27 pic  0x469   pic=54 map=45 at=76,168 home=76,168 hit=76,95,168,187 value=4 bounds=0,5
 28 pic  0x8478  pic=48 map=46 at=40,248 home=40,248 hit=40,63,248,271
 29 pic  0x10478 pic=48 map=46 at=128,248 home=128,248 hit=128,151,248,271
 30 text 0x320   slot=650 font=1 colour=5/0 parent=3 at=80,176
 31 pic  0x440   pic=11 at=120,128 home=120,128
 32 text 0x319   slot=48 font=1 colour=3/4 parent=31 at=200,150 hit=230,409,276,301
    link and-not 0x20 7:31
    link and-not 0x20 7:32
    link and-not 0x20 7:33
 33 text 0x300   slot=612 font=1 colour=5/0 parent=31 at=200,40
 34 pic  0x440   pic=533 map=68 parent=31 at=12,12 home=12,12
)layout";

static const char kScreen08[] = R"layout(
# screen 8: controls
# The left panel: whose keys are shown, then each action and its key.  The
# right panel: for each player a heading, the device switch with the device
# in use and the redefinition, which marks the action it waits for and asks
# for its key under the joystick's line.  The headings and the device marks
# take a click (the table makes them buttons) but neither light up nor act:
# they only say.
  0 root 0x800   slot=0
  1 pic  0x2460  pic=31 map=4 at=-500,8 home=160,8
  2 text 0x320   slot=61 font=0 colour=5/0 parent=1 at=160,2
  3 pic  0x2460  pic=11 map=7 at=-500,72 home=16,72 to=@1
  4 pic  0x2460  pic=12 map=9 at=1640,72 home=424,72
  5 pic  0x2460  pic=5 map=2 at=-1500,342 home=201,342 to=@1
  6 pic  0x2460  pic=5 map=2 at=-500,371 home=264,371 to=@1
  7 pic  0x2460  pic=5 map=2 at=1640,401 home=327,401
  8 pic  0x6460  pic=300 frames=49 map=1 at=2140,390 home=548,390
  9 pic  0x440   pic=20 map=10 at=20,352 home=20,352         # no text, no click, no use: not shown
 10 pic  0x440   pic=20 map=10 at=20,386 home=20,386
 11 pic  0x440   pic=20 map=10 at=20,420 home=20,420
 12 text 0x339   slot=48 font=1 colour=3/4 parent=5 at=100,3 hit=205,396,344,370
    link or 0x20 8:12
 13 text 0x339   slot=49 font=1 colour=3/4 parent=6 at=100,3 hit=268,459,373,399
    link or 0x20 8:13
 14 text 0x339   slot=62 font=1 colour=3/4 parent=7 at=100,3 hit=331,522,403,429   # both players on the factory keys
    link or 0x20 8:14
 15 text 0x220   slot=76 font=2 colour=3/0 parent=3 at=14,30
 16 text 0x220   slot=77 font=2 colour=3/0 parent=3 at=14,45
 17 text 0x279   slot=78 font=1 colour=3/4 parent=4 at=12,30 hit=430,530,102,122
    link or 0x20 8:17
 18 text 0x279   slot=79 font=1 colour=3/4 parent=4 at=12,52 hit=430,617,124,144
    link or 0x20 8:18
 19 text 0x278   slot=78 font=1 colour=3/4 parent=4 at=12,108 hit=430,530,180,200
 20 text 0x278   slot=79 font=1 colour=3/4 parent=4 at=12,130 hit=430,617,202,222
 21 text 0x2a8   slot=80 font=2 colour=5/5 parent=4 at=188,36 hit=535,617,102,122
 22 text 0x288   slot=81 font=2 colour=5/5 parent=4 at=188,36 hit=535,617,102,122
 23 text 0x228   slot=82 font=1 colour=5/5 parent=4 at=12,6 hit=430,617,78,100
 24 text 0x228   slot=83 font=1 colour=5/5 parent=4 at=12,84 hit=430,617,156,178
 25 text 0x2a8   slot=80 font=2 colour=5/5 parent=4 at=188,114 hit=535,617,180,200
 26 text 0x288   slot=81 font=2 colour=5/5 parent=4 at=188,114 hit=535,617,180,200
 27 text 0x258   slot=82 font=1 colour=3/4 parent=4 at=12,146 hit=430,617,217,237   # not used: not shown
 28 text 0x258   slot=83 font=1 colour=3/4 parent=4 at=12,168 hit=430,617,239,259
 29 text 0x220   slot=84 font=2 colour=3/0 parent=3 at=14,60
 30 text 0x220   slot=85 font=2 colour=3/0 parent=3 at=14,75
 31 text 0x220   slot=86 font=2 colour=3/0 parent=3 at=14,90
 32 text 0x220   slot=87 font=2 colour=3/0 parent=3 at=14,105
 33 text 0x220   slot=88 font=2 colour=3/0 parent=3 at=14,120
 34 text 0x220   slot=89 font=2 colour=3/0 parent=3 at=14,135
 35 text 0x220   slot=90 font=2 colour=3/0 parent=3 at=14,150
 36 text 0x220   slot=91 font=2 colour=3/0 parent=3 at=14,165
 37 text 0x220   slot=92 font=2 colour=3/0 parent=3 at=14,180
 38 text 0x320   slot=961 font=2 colour=4/0 parent=4 at=100,160
 39 text 0x300   slot=962 font=2 colour=4/0 parent=4 at=100,176
 40 text 0x2a0   slot=762 font=2 colour=4/0 parent=3 at=386,30
 41 text 0x2a0   slot=763 font=2 colour=4/0 parent=3 at=386,45
 42 text 0x2a0   slot=764 font=2 colour=4/0 parent=3 at=386,60
 43 text 0x2a0   slot=765 font=2 colour=4/0 parent=3 at=386,75
 44 text 0x2a0   slot=766 font=2 colour=4/0 parent=3 at=386,90
 45 text 0x2a0   slot=767 font=2 colour=4/0 parent=3 at=386,105
 46 text 0x2a0   slot=768 font=2 colour=4/0 parent=3 at=386,120
 47 text 0x2a0   slot=769 font=2 colour=4/0 parent=3 at=386,135
 48 text 0x2a0   slot=770 font=2 colour=4/0 parent=3 at=386,150
 49 text 0x2a0   slot=771 font=2 colour=4/0 parent=3 at=386,165
 50 pic  0x440   pic=11 at=120,128 home=120,128
 51 text 0x319   slot=48 font=1 colour=3/4 parent=50 at=200,150 hit=230,409,276,301
    link and-not 0x20 8:50
    link and-not 0x20 8:51
    link and-not 0x20 8:52
 52 text 0x300   slot=612 font=1 colour=5/0 parent=50 at=200,40
 53 pic  0x440   pic=6 at=2000,180 home=2000,180     # a board nothing needs: off the screen
 54 text 0x320   slot=251 font=1 colour=5/0 parent=3 at=200,3
 55 text 0x300   slot=325 font=2 colour=5/0 parent=4 at=100,186
 56 text 0x2a0   slot=772 font=2 colour=4/0 parent=3 at=386,180
 57 pic  0x2460  pic=5 map=2 at=1140,300 home=420,300
 58 text 0x320   slot=391 font=2 colour=4/0 parent=57 at=58,-16
 59 text 0x339   slot=395 font=1 colour=3/4 parent=57 at=100,3 hit=424,615,302,328
    link or 0x20 8:59
 60 pic  0x440   pic=533 map=68 parent=50 at=12,12 home=12,12
)layout";

static const char kScreen09[] = R"layout(
# screen 9: network sessions
  0 root 0x800   slot=0
  1 pic  0x2460  pic=31 map=4 at=-1000,8 home=160,8
  2 text 0x320   slot=54 font=0 colour=5/0 parent=1 at=160,2
  3 pic  0x2460  pic=11 map=7 at=-500,72 home=16,72 to=@1
  4 pic  0x2460  pic=12 map=9 at=1640,72 home=424,72
  5 pic  0x2460  pic=5 map=2 at=-1500,342 home=201,342 to=@1
  6 pic  0x2460  pic=5 map=2 at=-500,371 home=264,371 to=@1
  7 pic  0x2460  pic=5 map=2 at=1640,401 home=327,401
  8 pic  0x6460  pic=401 frames=49 map=1 at=2140,390 home=548,390
  9 pic  0x440   pic=20 map=10 at=20,352 home=20,352         # no text, no click, no use: not shown
 10 pic  0x440   pic=20 map=10 at=20,386 home=20,386
 11 pic  0x440   pic=20 map=10 at=20,420 home=20,420
 12 text 0x339   slot=100 font=1 colour=3/4 parent=5 at=100,3 hit=205,396,344,370
    link or 0x20 9:12
 13 text 0x339   slot=49 font=1 colour=3/4 parent=6 at=100,3 hit=268,459,373,399
    link or 0x20 0:0
 14 text 0x339   slot=99 font=1 colour=3/4 parent=7 at=100,3 hit=331,522,403,429
    link or 0x20 10:0
 15 text 0x320   slot=926 font=1 colour=4/0 parent=3 at=62,14
 16 text 0x278   slot=622 font=1 colour=3/4 parent=3 at=12,36 hit=22,382,107,127
 17 text 0x278   slot=623 font=1 colour=3/4 parent=3 at=12,58 hit=22,382,129,149
 18 text 0x278   slot=624 font=1 colour=3/4 parent=3 at=12,80 hit=22,382,151,171
 19 text 0x278   slot=625 font=1 colour=3/4 parent=3 at=12,102 hit=22,382,173,193
 20 text 0x278   slot=626 font=1 colour=3/4 parent=3 at=12,124 hit=22,382,195,215
 21 text 0x278   slot=627 font=1 colour=3/4 parent=3 at=12,146 hit=22,382,217,237
 22 pic  0x10478 pic=48 map=46 at=388,82 home=388,82 hit=388,411,82,105
 23 pic  0x8478  pic=48 map=46 at=388,230 home=388,230 hit=388,411,230,253
 24 pic  0x460   pic=45 map=51 at=388,108 home=388,108
 25 pic  0x478   pic=46 map=52 at=388,108 home=388,108 hit=388,411,108,131
 26 text 0x320   slot=293 font=1 colour=4/0 parent=4 at=62,14
 27 text 0x320   slot=294 font=1 colour=4/0 parent=4 at=62,36
 28 text 0x320   slot=295 font=1 colour=4/0 parent=4 at=62,58
 29 text 0x2a0   slot=297 font=1 colour=5/0 parent=4 at=188,58
 30 text 0x2a0   slot=298 font=1 colour=5/0 parent=4 at=188,80
 31 text 0x2a0   slot=299 font=1 colour=5/0 parent=4 at=188,102
 32 pic  0x440   pic=11 at=120,128 home=120,128
 33 text 0x319   slot=48 font=1 colour=3/4 parent=32 at=200,150 hit=230,409,276,301
    link and-not 0x20 9:32
    link and-not 0x20 9:33
    link and-not 0x20 9:34
 34 text 0x300   slot=316 font=1 colour=5/0 parent=32 at=200,40
 35 pic  0x440   pic=533 map=68 parent=32 at=12,12 home=12,12
)layout";

static const char kScreen10[] = R"layout(
# screen 10: host a session
  0 root 0x800   slot=0
  1 pic  0x2460  pic=31 map=4 at=-1000,8 home=160,8
  2 text 0x320   slot=99 font=0 colour=5/0 parent=1 at=160,2
  3 pic  0x2460  pic=11 map=7 at=-500,72 home=16,72 to=@1
  4 pic  0x2460  pic=12 map=9 at=1640,72 home=424,72
  5 pic  0x2460  pic=15 map=29 at=2140,150 home=444,150
  6 pic  0x2460  pic=15 map=29 at=1140,184 home=444,184
  7 pic  0x2460  pic=15 map=29 at=1640,218 home=444,218
  8 pic  0x2460  pic=5 map=2 at=-1500,342 home=201,342 to=@1
  9 pic  0x460   pic=5 map=2 at=264,371 home=264,371
 10 pic  0x460   pic=20 map=10 at=327,401 home=327,401
 11 pic  0x460   pic=20 map=10 at=20,420 home=20,420
 12 text 0x339   slot=48 font=1 colour=3/4 parent=8 at=100,3 hit=205,396,344,370
    link or 0x20 10:12
 13 text 0x339   slot=49 font=1 colour=3/4 parent=9 at=100,3 hit=268,459,373,399
    link or 0x20 9:0
 14 text 0x320   slot=101 font=1 colour=4/0 parent=4 at=62,14
 15 text 0x320   slot=102 font=1 colour=4/0 parent=4 at=62,36
 16 text 0x320   slot=103 font=1 colour=4/0 parent=4 at=62,58
 17 text 0x339   slot=104 font=1 colour=3/4 parent=5 at=80,3 hit=448,599,152,174
    link or 0x20 10:17
 18 text 0x339   slot=105 font=1 colour=3/4 parent=6 at=80,3 hit=448,599,186,208
    link or 0x20 10:18
 19 text 0x339   slot=106 font=1 colour=3/4 parent=7 at=80,3 hit=448,599,220,242
    link or 0x20 10:19
 20 text 0x320   slot=109 font=1 colour=4/0 parent=3 at=62,14
 21 text 0x339   slot=107 font=1 colour=3/4 parent=10 at=60,3 hit=331,442,403,425
    link or 0x20 10:21
 22 text 0x339   slot=108 font=1 colour=3/4 parent=11 at=60,3 hit=24,135,422,444
    link or 0x20 10:22
# 23-30: the championship race list, centred under the list box
 23 text 0x300   slot=73 font=2 colour=4/0 parent=3 at=90,206
 24 text 0x300   slot=72 font=2 colour=4/0 parent=3 at=90,222
 25 text 0x300   slot=255 font=2 colour=4/0 parent=3 at=90,238
 26 text 0x300   slot=303 font=2 colour=4/0 parent=3 at=90,254
 27 text 0x300   slot=304 font=2 colour=4/0 parent=3 at=90,270
 28 text 0x300   slot=305 font=2 colour=4/0 parent=3 at=90,286
 29 text 0x300   slot=120 font=2 colour=4/0 parent=3 at=90,302
 30 text 0x300   slot=104 font=2 colour=4/0 parent=3 at=90,318
 31 text 0x300   slot=105 font=2 colour=4/0 parent=4 at=62,208
 32 text 0x300   slot=106 font=2 colour=4/0 parent=4 at=62,224
 33 text 0x300   slot=73 font=2 colour=4/0 parent=4 at=62,240
 34 text 0x300   slot=72 font=2 colour=4/0 parent=4 at=62,256
 35 text 0x300   slot=71 font=2 colour=4/0 parent=4 at=62,272
 36 pic  0x10478 pic=48 map=46 at=388,82 home=388,82 hit=388,411,82,105
 37 pic  0x8478  pic=48 map=46 at=388,230 home=388,230 hit=388,411,230,253
 38 pic  0x460   pic=45 map=51 at=388,108 home=388,108
 39 pic  0x478   pic=46 map=52 at=388,108 home=388,108 hit=388,411,108,131
 40 text 0x320   slot=927 font=1 colour=4/0 parent=3 at=62,36
 41 text 0x278   slot=634 font=1 colour=3/4 parent=3 at=12,58 hit=22,382,129,149
 42 text 0x278   slot=635 font=1 colour=3/4 parent=3 at=12,80 hit=22,382,151,171
 43 text 0x278   slot=636 font=1 colour=3/4 parent=3 at=12,102 hit=22,382,173,193
 44 text 0x278   slot=637 font=1 colour=3/4 parent=3 at=12,124 hit=22,382,195,215
 45 text 0x278   slot=638 font=1 colour=3/4 parent=3 at=12,146 hit=22,382,217,237
 46 text 0x278   slot=639 font=1 colour=3/4 parent=3 at=12,168 hit=22,382,239,259
 47 text 0x300   slot=109 font=2 colour=4/0 parent=4 at=62,288
 48 text 0x300   slot=777 font=2 colour=4/0 parent=4 at=62,304
 49 text 0x300   slot=776 font=2 colour=4/0 parent=4 at=62,320
 50 pic  0x440   pic=11 at=120,128 home=120,128
 51 text 0x319   slot=48 font=1 colour=3/4 parent=50 at=200,150 hit=230,409,276,301
    link and-not 0x20 10:50
    link and-not 0x20 10:51
    link and-not 0x20 10:52
 52 text 0x300   slot=316 font=1 colour=5/0 parent=50 at=200,40
 53 pic  0x440   pic=533 map=68 parent=50 at=12,12 home=12,12
)layout";

static const char kScreen11[] = R"layout(
# screen 11: lobby and chat
  0 root 0x800   slot=0
  1 pic  0x2460  pic=31 map=4 at=-500,8 home=160,8
  2 text 0x320   slot=54 font=0 colour=5/0 parent=1 at=160,2
  3 pic  0x2460  pic=30 map=34 at=-500,72 home=16,72 to=@1
  4 pic  0x2460  pic=12 map=9 at=1640,72 home=424,72
  5 pic  0x2460  pic=5 map=2 at=2140,320 home=424,320
  6 pic  0x2460  pic=5 map=2 at=1140,356 home=424,356
  7 pic  0x440   pic=20 map=10 at=444,400 home=444,400       # no text, no click, no use: not shown
  8 pic  0x440   pic=20 map=10 at=444,434 home=444,434
  9 pic  0x2460  pic=16 map=35 at=-500,340 home=16,340 to=@1
 10 text 0x339   slot=443 font=1 colour=3/4 parent=5 at=100,3 hit=428,619,322,348
    link or 0x20 11:10
 11 text 0x339   slot=444 font=1 colour=3/4 parent=6 at=100,3 hit=428,619,358,384
    link or 0x20 9:0
 12 text 0x320   slot=303 font=2 colour=4/0 parent=4 at=62,10
 13 text 0x2a0   slot=304 font=2 colour=5/0 parent=4 at=188,10
 14 text 0x320   slot=293 font=2 colour=4/0 parent=4 at=62,42
 15 text 0x2a0   slot=120 font=2 colour=5/0 parent=4 at=188,42
 16 text 0x260   slot=313 font=2 colour=4/0 parent=4 at=12,74
 17 text 0x2a0   slot=105 font=2 colour=5/0 parent=4 at=188,74
 18 text 0x260   slot=106 font=2 colour=4/0 parent=4 at=12,106
 19 text 0x2a0   slot=73 font=2 colour=5/0 parent=4 at=188,106
 20 text 0x260   slot=72 font=2 colour=4/0 parent=4 at=12,138
 21 text 0x2a0   slot=71 font=2 colour=5/0 parent=4 at=188,138
 22 pic  0x440   pic=48 map=46 at=388,82 home=388,82
 23 pic  0x440   pic=48 map=46 at=388,300 home=388,300
 24 pic  0x440   pic=44 map=50 at=388,108 home=388,108
 25 pic  0x460   pic=46 map=52 at=388,108 home=388,108
 26 text 0x260   slot=928 font=1 colour=5/0 parent=3 at=12,10
 27 text 0x278   slot=628 font=1 colour=3/4 parent=3 at=12,36 hit=22,370,107,127
 28 text 0x278   slot=629 font=1 colour=3/4 parent=3 at=12,58 hit=22,370,129,149
 29 text 0x278   slot=630 font=1 colour=3/4 parent=3 at=12,80 hit=22,370,151,171
 30 text 0x278   slot=631 font=1 colour=3/4 parent=3 at=12,102 hit=22,370,173,193
 31 text 0x278   slot=632 font=1 colour=3/4 parent=3 at=12,124 hit=22,370,195,215
 32 text 0x278   slot=633 font=1 colour=3/4 parent=3 at=12,146 hit=22,370,217,237
 33 text 0x278   slot=634 font=1 colour=3/4 parent=3 at=12,168 hit=22,370,239,259
 34 text 0x278   slot=635 font=1 colour=3/4 parent=3 at=12,190 hit=22,370,261,281
 35 text 0x260   slot=109 font=2 colour=4/0 parent=4 at=12,174
 36 text 0x260   slot=777 font=2 colour=4/0 parent=4 at=12,190
 37 text 0x2a0   slot=776 font=2 colour=5/0 parent=4 at=188,190
 38 text 0x260   slot=929 font=2 colour=5/0 parent=9 at=12,6
 39 text 0x260   slot=309 font=2 colour=4/0 parent=9 at=12,24
 40 text 0x260   slot=310 font=2 colour=4/0 parent=9 at=12,44
 41 text 0x260   slot=311 font=2 colour=4/0 parent=9 at=12,64
 42 text 0x260   slot=307 font=2 colour=5/0 parent=9 at=12,90
 43 pic  0x440   pic=11 at=120,128 home=120,128
 44 text 0x319   slot=48 font=1 colour=3/4 parent=43 at=200,150 hit=230,409,276,301
    link and-not 0x20 11:43
    link and-not 0x20 11:44
    link and-not 0x20 11:45
 45 text 0x300   slot=316 font=1 colour=5/0 parent=43 at=200,40
 46 pic  0x440   pic=533 map=68 parent=43 at=12,12 home=12,12
 47 text 0x300   slot=104 font=2 colour=4/0 parent=4 at=100,206
 48 text 0x300   slot=105 font=2 colour=4/0 parent=4 at=100,206
 49 text 0x300   slot=106 font=2 colour=4/0 parent=4 at=100,206
 50 text 0x300   slot=113 font=2 colour=4/0 parent=4 at=100,222
 51 text 0x300   slot=114 font=2 colour=4/0 parent=4 at=100,222
 52 text 0x300   slot=115 font=2 colour=4/0 parent=4 at=100,222
 53 text 0x300   slot=116 font=2 colour=4/0 parent=4 at=100,222
 54 text 0x300   slot=117 font=2 colour=4/0 parent=4 at=100,222
)layout";

static const char kScreen12[] = R"layout(
# screen 12: player set-up
  0 root 0x820   slot=0
  1 pic  0x2460  pic=31 map=4 at=-500,8 home=160,8
  2 text 0x320   slot=53 font=0 colour=5/0 parent=1 at=160,2
  3 pic  0x2460  pic=30 map=34 at=-500,72 home=16,72 to=@1
  4 pic  0x2460  pic=12 map=9 at=1640,72 home=424,72
  5 pic  0x2440  pic=5 map=2 at=-1500,342 home=201,342 to=@1
  6 pic  0x2460  pic=5 map=2 at=-500,371 home=264,371 to=@1
  7 pic  0x2460  pic=5 map=2 at=1640,401 home=327,401
  8 pic  0x6460  pic=401 frames=49 map=1 at=2140,390 home=548,390
  9 pic  0x440   pic=20 map=10 at=20,352 home=20,352
 10 pic  0x460   pic=20 map=10 at=20,386 home=20,386
 11 pic  0x440   pic=20 map=10 at=20,420 home=20,420         # no text, no click, no use: not shown
 12 text 0x311   slot=925 font=1 colour=3/4 parent=5 at=100,3 hit=205,396,344,370
    link or 0x20 5:0
 13 text 0x339   slot=49 font=1 colour=3/4 parent=6 at=100,3 hit=268,459,373,399
    link or 0x20 12:13
 14 text 0x339   slot=99 font=1 colour=3/4 parent=7 at=100,3 hit=331,522,403,429
    link or 0x20 17:0
 15 text 0x279   slot=110 font=1 colour=3/4 parent=4 at=12,14 hit=430,617,85,105
    link group:182
    link group:183
 16 text 0x279   slot=111 font=1 colour=3/4 parent=4 at=12,36 hit=430,617,107,127
    link group:181
    link group:184
 17 text 0x260   slot=112 font=2 colour=4/0 parent=4 at=12,60
 18 text 0x339   slot=104 font=2 colour=3/4 parent=4 at=30,80 hit=430,485,150,168
    link group:185
    link group:186
 19 text 0x339   slot=105 font=2 colour=3/4 parent=4 at=90,80 hit=490,545,150,168
    link group:185
    link group:187
 20 text 0x339   slot=106 font=2 colour=3/4 parent=4 at=150,80 hit=550,605,150,168
    link group:185
    link group:188
 21 text 0x339   slot=113 font=2 colour=3/4 parent=4 at=26,130 hit=432,466,200,218
    link group:189
    link group:190
 22 text 0x339   slot=114 font=2 colour=3/4 parent=4 at=63,130 hit=469,503,200,218
    link group:189
    link group:191
 23 text 0x339   slot=115 font=2 colour=3/4 parent=4 at=100,130 hit=506,540,200,218
    link group:189
    link group:192
 24 text 0x339   slot=116 font=2 colour=3/4 parent=4 at=137,130 hit=543,577,200,218
    link group:189
    link group:193
 25 text 0x338   slot=117 font=2 colour=3/4 parent=4 at=174,130 hit=580,614,200,218
 26 text 0x318   slot=104 font=2 colour=3/4 parent=4 at=30,80 hit=430,485,150,168
 27 text 0x318   slot=105 font=2 colour=3/4 parent=4 at=90,80 hit=490,545,150,168
 28 text 0x318   slot=106 font=2 colour=3/4 parent=4 at=150,80 hit=550,605,150,168
 29 text 0x318   slot=113 font=2 colour=3/4 parent=4 at=26,130 hit=432,466,200,218
 30 text 0x318   slot=114 font=2 colour=3/4 parent=4 at=63,130 hit=469,503,200,218
 31 text 0x318   slot=115 font=2 colour=3/4 parent=4 at=100,130 hit=506,540,200,218
 32 text 0x318   slot=116 font=2 colour=3/4 parent=4 at=137,130 hit=543,577,200,218
 33 text 0x318   slot=117 font=2 colour=3/4 parent=4 at=174,130 hit=580,614,200,218
 34 text 0x260   slot=118 font=2 colour=4/0 parent=4 at=12,104
 35 text 0x260   slot=119 font=2 colour=4/0 parent=4 at=12,154
 36 text 0x260   slot=303 font=2 colour=4/0 parent=4 at=12,172
 37 text 0x260   slot=304 font=2 colour=4/0 parent=4 at=12,188
 38 text 0x260   slot=305 font=2 colour=4/0 parent=4 at=12,204
 39 text 0x2a0   slot=120 font=2 colour=5/0 parent=4 at=188,172
 40 text 0x280   slot=104 font=2 colour=5/0 parent=4 at=188,188
 41 text 0x280   slot=105 font=2 colour=5/0 parent=4 at=188,188
 42 text 0x280   slot=106 font=2 colour=5/0 parent=4 at=188,188
 43 text 0x280   slot=73 font=2 colour=5/0 parent=4 at=188,204
 44 text 0x280   slot=72 font=2 colour=5/0 parent=4 at=188,204
 45 text 0x280   slot=71 font=2 colour=5/0 parent=4 at=188,204
 46 text 0x278   slot=754 font=1 colour=3/4 parent=3 at=12,14 hit=22,405,85,105
 47 text 0x278   slot=755 font=1 colour=3/4 parent=3 at=12,36 hit=22,405,107,127
 48 text 0x260   slot=756 font=1 colour=4/0 parent=3 at=12,58
 49 text 0x260   slot=757 font=1 colour=4/0 parent=3 at=12,80
 50 text 0x260   slot=758 font=1 colour=4/0 parent=3 at=12,102
 51 text 0x260   slot=759 font=1 colour=4/0 parent=3 at=12,124
 52 text 0x260   slot=760 font=1 colour=4/0 parent=3 at=12,146
 53 text 0x260   slot=761 font=1 colour=4/0 parent=3 at=12,168
 54 text 0x280   slot=109 font=2 colour=5/0 parent=4 at=188,204
 55 text 0x300   slot=777 font=2 colour=4/0 parent=3 at=62,200
 56 text 0x280   slot=776 font=2 colour=4/0 parent=3 at=388,200
 57 text 0x338   slot=118 font=2 colour=3/4 parent=10 at=60,3 hit=24,135,388,410
)layout";

static const char kScreen13[] = R"layout(
# screen 13: records
  0 root 0x800   slot=0
  1 pic  0x2460  pic=31 map=4 at=-1000,8 home=160,8
  2 text 0x320   slot=959 font=0 colour=5/0 parent=1 at=160,2
  3 pic  0x2460  pic=12 map=9 at=-500,72 home=16,72 to=@1
  4 pic  0x2460  pic=12 map=9 at=1640,72 home=424,72
  5 pic  0x2460  pic=5 map=2 at=-1500,342 home=201,342 to=@1
  6 pic  0x440   pic=5 map=2 at=264,371 home=264,371           # 6, 7: the frames of 14 and 19, not shown
  7 pic  0x440   pic=5 map=2 at=327,401 home=327,401
  8 pic  0x6460  pic=451 frames=19 map=1 at=2140,390 home=548,390
  9 pic  0x440   pic=20 map=10 at=20,352 home=20,352
 10 pic  0x440   pic=20 map=10 at=20,386 home=20,386
 11 pic  0x440   pic=20 map=10 at=20,420 home=20,420
 12 text 0x300   slot=48 font=1 colour=4/0 parent=4 at=62,14
 13 text 0x339   slot=36 font=1 colour=3/4 parent=5 at=100,3 hit=205,396,344,370
    link or 0x20 0:0
 14 text 0x319   slot=97 font=1 colour=3/4 parent=6 at=100,3 hit=268,459,373,399   # 14, 19: not shown; the
    link or 0x20 13:14           # panel already shows what a tab chose, and they would show it again
 15 pic  0x440   pic=48 map=46 at=188,82 home=188,82
 16 pic  0x440   pic=48 map=46 at=188,230 home=188,230
 17 pic  0x440   pic=45 map=51 at=188,108 home=188,108
 18 pic  0x440   pic=46 map=52 at=188,108 home=188,108
 19 text 0x319   slot=259 font=1 colour=3/4 parent=7 at=100,3 hit=331,522,403,429
    link or 0x20 13:19
 20 text 0x260   slot=55 font=1 colour=4/0 parent=3 at=12,14    # shown: the record panel fills from both
 21 text 0x320   slot=56 font=1 colour=5/0 parent=4 at=100,14
 22 text 0x278   slot=260 font=1 colour=3/4 parent=3 at=12,36 hit=22,182,107,127
 23 text 0x278   slot=261 font=1 colour=3/4 parent=3 at=12,58 hit=22,182,129,149
 24 text 0x278   slot=262 font=1 colour=3/4 parent=3 at=12,80 hit=22,182,151,171
 25 text 0x278   slot=263 font=1 colour=3/4 parent=3 at=12,102 hit=22,182,173,193
 26 text 0x278   slot=264 font=1 colour=3/4 parent=3 at=12,124 hit=22,182,195,215
 27 text 0x300   slot=865 font=1 colour=4/0 parent=4 at=62,36
 28 text 0x260   slot=954 font=2 colour=4/0 parent=4 at=12,44    # the heading of the record, then its name,
                                                                 # time and date (which read as such)
 29 text 0x260   slot=866 font=2 colour=4/0 parent=4 at=12,64
 30 text 0x2a0   slot=780 font=2 colour=5/0 parent=4 at=188,64
 31 text 0x2a0   slot=782 font=2 colour=5/0 parent=4 at=188,84
 32 text 0x2a0   slot=783 font=2 colour=5/0 parent=4 at=188,104
)layout";

static const char kScreen14[] = R"layout(
# screen 14: records
  0 root 0x820   slot=0
  1 pic  0x2460  pic=31 map=4 at=-1000,8 home=160,8
  2 text 0x320   slot=960 font=0 colour=5/0 parent=1 at=160,2
  3 pic  0x2460  pic=11 map=7 at=-500,72 home=16,72 to=@1
  4 pic  0x2460  pic=12 map=9 at=1640,72 home=424,72
  5 pic  0x2460  pic=5 map=2 at=-1500,342 home=201,342 to=@1
  6 pic  0x440   pic=5 map=2 at=264,371 home=264,371           # 6, 7: the frames of 14 and 19, not shown
  7 pic  0x440   pic=5 map=2 at=327,401 home=327,401
  8 pic  0x6460  pic=451 frames=19 map=1 at=2140,390 home=548,390
  9 pic  0x460   pic=20 map=10 at=20,352 home=20,352
 10 pic  0x440   pic=20 map=10 at=20,386 home=20,386
 11 pic  0x440   pic=20 map=10 at=20,420 home=20,420
 12 text 0x300   slot=48 font=1 colour=4/0 parent=3 at=62,14
 13 text 0x339   slot=36 font=1 colour=3/4 parent=5 at=100,3 hit=205,396,344,370
    link or 0x20 0:0
 14 text 0x319   slot=97 font=1 colour=3/4 parent=6 at=100,3 hit=268,459,373,399   # 14, 19: not shown; the
    link or 0x20 14:14           # panel already shows what a tab chose, and they would show it again
 15 pic  0x440   pic=48 map=46 at=388,82 home=388,82
 16 pic  0x440   pic=48 map=46 at=388,230 home=388,230
 17 pic  0x440   pic=45 map=51 at=388,108 home=388,108
 18 pic  0x440   pic=46 map=52 at=388,108 home=388,108
 19 text 0x319   slot=259 font=1 colour=3/4 parent=7 at=100,3 hit=331,522,403,429
    link or 0x20 14:19
 20 text 0x260   slot=55 font=1 colour=4/0 parent=3 at=12,36
 21 text 0x2a0   slot=56 font=1 colour=5/0 parent=3 at=388,36
 22 text 0x258   slot=273 font=1 colour=3/4 parent=3 at=12,58 hit=22,382,129,149
 23 text 0x258   slot=274 font=1 colour=3/4 parent=3 at=12,80 hit=22,382,151,171
 24 text 0x258   slot=275 font=1 colour=3/4 parent=3 at=12,102 hit=22,382,173,193
 25 text 0x258   slot=276 font=1 colour=3/4 parent=3 at=12,124 hit=22,382,195,215
 26 text 0x258   slot=277 font=1 colour=3/4 parent=3 at=12,146 hit=22,382,217,237
 27 text 0x338   slot=265 font=1 colour=3/4 parent=9 at=60,3 hit=24,135,354,376
 28 text 0x320   slot=236 font=1 colour=5/0 parent=4 at=100,14   # the page: a championship, by name
 29 text 0x300   slot=865 font=2 colour=4/0 parent=4 at=62,30
 30 text 0x260   slot=954 font=2 colour=4/0 parent=4 at=12,40    # the record, under the page's name
 31 text 0x260   slot=866 font=2 colour=4/0 parent=4 at=12,56
 32 text 0x2a0   slot=780 font=2 colour=5/0 parent=4 at=188,56
 33 text 0x2a0   slot=782 font=2 colour=5/0 parent=4 at=188,72
 34 text 0x2a0   slot=783 font=2 colour=5/0 parent=4 at=188,88
 35 text 0x258   slot=266 font=1 colour=3/4 parent=4 at=12,110 hit=430,590,182,202   # the pages' tabs, under it
 36 text 0x258   slot=267 font=1 colour=3/4 parent=4 at=12,132 hit=430,590,204,224   # (shown by the page: 35-37
 37 text 0x258   slot=268 font=1 colour=3/4 parent=4 at=12,154 hit=430,590,226,246   # on page 236, 38-41 on 237)
 38 text 0x258   slot=269 font=1 colour=3/4 parent=4 at=12,110 hit=430,590,182,202
 39 text 0x258   slot=270 font=1 colour=3/4 parent=4 at=12,132 hit=430,590,204,224
 40 text 0x258   slot=271 font=1 colour=3/4 parent=4 at=12,154 hit=430,590,226,246
 41 text 0x258   slot=272 font=1 colour=3/4 parent=4 at=12,176 hit=430,590,248,268
)layout";

static const char kScreen15[] = R"layout(
# screen 15: replays
  0 root 0x800   slot=0
  1 pic  0x2460  pic=31 map=4 at=-1000,8 home=160,8
  2 text 0x320   slot=57 font=0 colour=5/0 parent=1 at=160,2
  3 pic  0x2460  pic=11 map=7 at=-500,72 home=16,72 to=@1
  4 pic  0x2460  pic=12 map=9 at=1640,72 home=424,72
  5 pic  0x2460  pic=5 map=2 at=-1500,342 home=201,342 to=@1
  6 pic  0x2460  pic=5 map=2 at=-500,371 home=264,371 to=@1
  7 pic  0x2460  pic=5 map=2 at=1640,401 home=327,401
  8 pic  0x6460  pic=471 frames=9 map=1 at=2140,390 home=548,390
  9 pic  0x440   pic=20 map=10 at=20,352 home=20,352         # no text, no click, no use: not shown
 10 pic  0x440   pic=20 map=10 at=20,386 home=20,386
 11 pic  0x440   pic=20 map=10 at=20,420 home=20,420
 12 text 0x339   slot=97 font=1 colour=3/4 parent=5 at=100,3 hit=205,396,344,370
    link or 0x20 15:12
 13 text 0x339   slot=36 font=1 colour=3/4 parent=6 at=100,3 hit=268,459,373,399
    link or 0x20 0:0
 14 text 0x339   slot=98 font=1 colour=3/4 parent=7 at=100,3 hit=331,522,403,429
    link or 0x20 15:14
 15 pic  0x10478 pic=48 map=46 at=388,82 home=388,82 hit=388,411,82,105
 16 pic  0x8478  pic=48 map=46 at=388,230 home=388,230 hit=388,411,230,253
 17 pic  0x460   pic=45 map=51 at=388,108 home=388,108
 18 pic  0x478   pic=46 map=52 at=388,108 home=388,108 hit=388,411,108,131
 19 text 0x260   slot=930 font=1 colour=4/0 parent=3 at=12,14
 20 text 0x278   slot=640 font=1 colour=3/4 parent=3 at=12,36 hit=22,382,107,127
 21 text 0x278   slot=641 font=1 colour=3/4 parent=3 at=12,58 hit=22,382,129,149
 22 text 0x278   slot=642 font=1 colour=3/4 parent=3 at=12,80 hit=22,382,151,171
 23 text 0x278   slot=643 font=1 colour=3/4 parent=3 at=12,102 hit=22,382,173,193
 24 text 0x278   slot=644 font=1 colour=3/4 parent=3 at=12,124 hit=22,382,195,215
 25 text 0x278   slot=645 font=1 colour=3/4 parent=3 at=12,146 hit=22,382,217,237
# The information panel: each label on the row of its value (30-33: the
# replay's player, its race type, its mode, its date); the mode and the
# date need none.
 26 text 0x260   slot=865 font=1 colour=4/0 parent=4 at=12,80
 27 text 0x260   slot=875 font=1 colour=4/0 parent=4 at=12,102
 28 text 0x260   slot=953 font=1 colour=4/0 parent=4 at=12,124
 29 text 0x240   slot=866 font=1 colour=4/0 parent=4 at=12,80
 30 text 0x2a0   slot=780 font=1 colour=5/0 parent=4 at=188,80
 31 text 0x2a0   slot=781 font=1 colour=5/0 parent=4 at=188,102
 32 text 0x2a0   slot=782 font=1 colour=5/0 parent=4 at=188,124
 33 text 0x2a0   slot=783 font=1 colour=5/0 parent=4 at=188,146
 34 pic  0x2460  pic=5 map=2 at=1640,300 home=420,300
 35 text 0x260   slot=327 font=1 colour=4/0 parent=4 at=12,102
 36 text 0x339   slot=328 font=1 colour=3/4 parent=34 at=100,3 hit=424,615,302,328
    link or 0x20 15:36
 37 pic  0x440   pic=11 at=120,128 home=120,128
 38 text 0x300   slot=728 font=1 colour=3/4 parent=37 at=110,150 hit=180,280,276,301
 39 text 0x300   slot=389 font=1 colour=5/0 parent=37 at=200,40
 40 text 0x300   slot=729 font=1 colour=3/4 parent=37 at=290,150 hit=360,460,276,301
 41 pic  0x440   pic=533 map=68 parent=37 at=12,12 home=12,12
 42 pic  0x2460  pic=15 map=29 at=-500,420 home=150,420 to=@1
 43 text 0x260   slot=327 font=1 colour=4/0 parent=4 at=12,124
 44 text 0x339   slot=1034 font=1 colour=3/4 parent=42 at=80,3 hit=154,305,422,444
    link or 0x20 15:44
)layout";

static const char kScreen16[] = R"layout(
# screen 16: static page
  0 root 0x820   slot=0
  1 pic  0x2460  pic=31 map=4 at=-1000,8 home=160,8
  2 text 0x320   slot=58 font=0 colour=5/0 parent=1 at=160,2
  3 pic  0x2460  pic=11 map=7 at=-500,72 home=16,72 to=@1
  4 pic  0x2460  pic=12 map=9 at=1640,72 home=424,72
  5 pic  0x2460  pic=5 map=2 at=-1500,342 home=201,342 to=@1
  6 pic  0x2460  pic=5 map=2 at=-500,371 home=264,371 to=@1
  7 pic  0x2460  pic=5 map=2 at=1640,401 home=327,401
  8 pic  0x6460  pic=471 frames=9 map=1 at=2140,390 home=548,390
  9 pic  0x440   pic=20 map=10 at=20,352 home=20,352         # no text, no click, no use: not shown
 10 pic  0x440   pic=20 map=10 at=20,386 home=20,386
 11 pic  0x440   pic=20 map=10 at=20,420 home=20,420
 12 text 0x339   slot=97 font=1 colour=3/4 parent=5 at=100,3 hit=205,396,344,370
    link or 0x20 0:0
 13 text 0x339   slot=49 font=1 colour=3/4 parent=6 at=100,3 hit=268,459,373,399
    link or 0x20 0:0
 14 text 0x339   slot=98 font=1 colour=3/4 parent=7 at=100,3 hit=331,522,403,429
    link or 0x20 16:14
 15 pic  0x10478 pic=48 map=46 at=388,82 home=388,82 hit=388,411,82,105
 16 pic  0x8478  pic=48 map=46 at=388,230 home=388,230 hit=388,411,230,253
 17 pic  0x460   pic=45 map=51 at=388,108 home=388,108
 18 pic  0x478   pic=46 map=52 at=388,108 home=388,108 hit=388,411,108,131
 19 text 0x260   slot=930 font=1 colour=4/0 parent=3 at=12,14
 20 text 0x278   slot=736 font=1 colour=3/4 parent=3 at=12,36 hit=22,382,107,127
 21 text 0x278   slot=737 font=1 colour=3/4 parent=3 at=12,58 hit=22,382,129,149
 22 text 0x278   slot=738 font=1 colour=3/4 parent=3 at=12,80 hit=22,382,151,171
 23 text 0x278   slot=739 font=1 colour=3/4 parent=3 at=12,102 hit=22,382,173,193
 24 text 0x278   slot=740 font=1 colour=3/4 parent=3 at=12,124 hit=22,382,195,215
 25 text 0x278   slot=741 font=1 colour=3/4 parent=3 at=12,146 hit=22,382,217,237
 26 text 0x260   slot=865 font=1 colour=4/0 parent=4 at=12,14
 27 text 0x260   slot=875 font=1 colour=4/0 parent=4 at=12,36
 28 text 0x260   slot=933 font=1 colour=4/0 parent=4 at=12,58
 29 text 0x260   slot=866 font=1 colour=4/0 parent=4 at=12,80
 30 text 0x2a0   slot=780 font=1 colour=5/0 parent=4 at=188,80
 31 text 0x2a0   slot=781 font=1 colour=5/0 parent=4 at=188,102
 32 text 0x2a0   slot=782 font=1 colour=5/0 parent=4 at=188,124
 33 text 0x2a0   slot=783 font=1 colour=5/0 parent=4 at=188,146
)layout";

static const char kScreen17[] = R"layout(
# screen 17: championship list
  0 root 0x820   slot=0
  1 pic  0x2460  pic=31 map=4 at=-1000,8 home=160,8
  2 text 0x320   slot=99 font=0 colour=5/0 parent=1 at=160,2
  3 pic  0x2460  pic=11 map=7 at=-500,72 home=16,72 to=@1
  4 pic  0x2460  pic=12 map=9 at=1640,72 home=424,72
  5 pic  0x2460  pic=15 map=29 at=2140,150 home=444,150
  6 pic  0x2460  pic=15 map=29 at=1140,184 home=444,184
  7 pic  0x2460  pic=15 map=29 at=1640,218 home=444,218
  8 pic  0x2460  pic=5 map=2 at=-1500,342 home=201,342 to=@1
  9 pic  0x460   pic=5 map=2 at=264,371 home=264,371
 10 pic  0x460   pic=20 map=10 at=327,401 home=327,401
 11 pic  0x460   pic=20 map=10 at=20,420 home=20,420
 12 text 0x339   slot=48 font=1 colour=3/4 parent=8 at=100,3 hit=205,396,344,370
    link or 0x20 12:0
 13 text 0x339   slot=49 font=1 colour=3/4 parent=9 at=100,3 hit=268,459,373,399
    link or 0x20 12:0
 14 text 0x260   slot=101 font=1 colour=4/0 parent=4 at=12,14
 15 text 0x260   slot=102 font=1 colour=4/0 parent=4 at=12,36
 16 text 0x260   slot=103 font=1 colour=4/0 parent=4 at=12,58
 17 text 0x339   slot=104 font=1 colour=3/4 parent=5 at=80,3 hit=448,599,152,174
    link or 0x20 17:17
 18 text 0x339   slot=105 font=1 colour=3/4 parent=6 at=80,3 hit=448,599,186,208
    link or 0x20 17:18
 19 text 0x339   slot=106 font=1 colour=3/4 parent=7 at=80,3 hit=448,599,220,242
    link or 0x20 17:19
 20 text 0x260   slot=109 font=1 colour=4/0 parent=3 at=12,14
 21 text 0x339   slot=107 font=1 colour=3/4 parent=10 at=60,3 hit=331,442,403,425
    link or 0x20 17:21
 22 text 0x339   slot=108 font=1 colour=3/4 parent=11 at=60,3 hit=24,135,422,444
    link or 0x20 17:22
# 23-30: the championship race list, centred under the list box
 23 text 0x300   slot=73 font=2 colour=4/0 parent=3 at=90,206
 24 text 0x300   slot=72 font=2 colour=4/0 parent=3 at=90,222
 25 text 0x300   slot=255 font=2 colour=4/0 parent=3 at=90,238
 26 text 0x300   slot=303 font=2 colour=4/0 parent=3 at=90,254
 27 text 0x300   slot=304 font=2 colour=4/0 parent=3 at=90,270
 28 text 0x300   slot=305 font=2 colour=4/0 parent=3 at=90,286
 29 text 0x300   slot=120 font=2 colour=4/0 parent=3 at=90,302
 30 text 0x300   slot=104 font=2 colour=4/0 parent=3 at=90,318
 31 text 0x300   slot=105 font=2 colour=4/0 parent=4 at=62,208
 32 text 0x300   slot=106 font=2 colour=4/0 parent=4 at=62,224
 33 text 0x300   slot=73 font=2 colour=4/0 parent=4 at=62,240
 34 text 0x300   slot=72 font=2 colour=4/0 parent=4 at=62,256
 35 text 0x300   slot=71 font=2 colour=4/0 parent=4 at=62,272
 36 pic  0x10478 pic=48 map=46 at=388,82 home=388,82 hit=388,411,82,105
 37 pic  0x8478  pic=48 map=46 at=388,230 home=388,230 hit=388,411,230,253
 38 pic  0x460   pic=45 map=51 at=388,108 home=388,108
 39 pic  0x478   pic=46 map=52 at=388,108 home=388,108 hit=388,411,108,131
 40 text 0x260   slot=927 font=1 colour=4/0 parent=3 at=12,36
 41 text 0x278   slot=634 font=1 colour=3/4 parent=3 at=12,58 hit=22,382,129,149
 42 text 0x278   slot=635 font=1 colour=3/4 parent=3 at=12,80 hit=22,382,151,171
 43 text 0x278   slot=636 font=1 colour=3/4 parent=3 at=12,102 hit=22,382,173,193
 44 text 0x278   slot=637 font=1 colour=3/4 parent=3 at=12,124 hit=22,382,195,215
 45 text 0x278   slot=638 font=1 colour=3/4 parent=3 at=12,146 hit=22,382,217,237
 46 text 0x278   slot=639 font=1 colour=3/4 parent=3 at=12,168 hit=22,382,239,259
 47 text 0x300   slot=109 font=2 colour=4/0 parent=4 at=62,288
 48 text 0x300   slot=777 font=2 colour=4/0 parent=4 at=62,304
 49 text 0x300   slot=776 font=2 colour=4/0 parent=4 at=62,320
)layout";

static const char kScreen18[] = R"layout(
# screen 18: profiles
  0 root 0x800   slot=0
  1 pic  0x2460  pic=31 map=4 at=-1000,8 home=160,8
  2 text 0x320   slot=45 font=0 colour=5/0 parent=1 at=160,2
  3 pic  0x2460  pic=11 map=7 at=-500,72 home=16,72 to=@1
  4 pic  0x6460  pic=351 frames=49 map=1 at=1640,390 home=548,390
  5 pic  0x2460  pic=5 map=2 at=-1500,342 home=201,342 to=@1
  6 pic  0x2460  pic=5 map=2 at=-500,371 home=264,371 to=@1
  7 pic  0x2460  pic=5 map=2 at=1640,401 home=327,401
  8 pic  0x460   pic=5 map=2 at=420,300 home=420,300
  9 pic  0x440   pic=20 map=10 at=20,352 home=20,352         # no text, no click, no use (9, 10):
 10 pic  0x440   pic=20 map=10 at=20,386 home=20,386         # not shown; 11 and 12, which the main
 11 pic  0x460   pic=20 map=10 at=20,420 home=20,420 value=0  # menu's records route hides and shows
 12 pic  0x460   pic=20 map=10 at=150,420 home=150,420 value=0  # back, draw nothing (value 0)
 13 text 0x339   slot=48 font=1 colour=3/4 parent=5 at=100,3 hit=205,396,344,370
    link or 0x20 18:13
 14 text 0x339   slot=49 font=1 colour=3/4 parent=6 at=100,3 hit=268,459,373,399
    link or 0x20 0:0
 15 text 0x339   slot=46 font=1 colour=3/4 parent=7 at=100,3 hit=331,522,403,429
    link or 0x20 18:15
 16 text 0x339   slot=98 font=1 colour=3/4 parent=8 at=100,3 hit=424,615,302,328
    link or 0x20 18:16
 17 text 0x260   slot=608 font=1 colour=4/0 parent=3 at=12,14
 18 pic  0x40460 pic=11 map=7 at=1140,72 home=16,72
 19 text 0x320   slot=47 font=1 colour=5/0 parent=18 at=200,14
 20 text 0x338   slot=48 font=1 colour=3/4 parent=18 at=200,156 hit=126,305,226,250
 21 text 0x278   slot=615 font=1 colour=3/4 parent=3 at=12,36 hit=22,382,107,127
 22 text 0x278   slot=616 font=1 colour=3/4 parent=3 at=12,58 hit=22,382,129,149
 23 text 0x278   slot=617 font=1 colour=3/4 parent=3 at=12,80 hit=22,382,151,171
 24 text 0x278   slot=618 font=1 colour=3/4 parent=3 at=12,102 hit=22,382,173,193
 25 text 0x278   slot=619 font=1 colour=3/4 parent=3 at=12,124 hit=22,382,195,215
 26 text 0x278   slot=620 font=1 colour=3/4 parent=3 at=12,146 hit=22,382,217,237
 27 pic  0x10478 pic=48 map=46 at=388,82 home=388,82 hit=388,411,82,105
 28 pic  0x8478  pic=48 map=46 at=388,230 home=388,230 hit=388,411,230,253
 29 pic  0x460   pic=45 map=51 at=388,108 home=388,108
 30 pic  0x478   pic=46 map=52 at=388,108 home=388,108 hit=388,411,108,131
 31 text 0x260   slot=621 font=1 colour=4/0 parent=18 at=12,36
 32 pic  0x440   pic=11 at=120,128 home=120,128
 33 text 0x300   slot=728 font=1 colour=3/4 parent=32 at=110,150 hit=180,280,276,301
 34 text 0x300   slot=387 font=1 colour=5/0 parent=32 at=200,40
 35 text 0x300   slot=729 font=1 colour=3/4 parent=32 at=290,150 hit=360,460,276,301
 36 pic  0x440   pic=533 map=68 parent=32 at=12,12 home=12,12
 37 pic  0x440   pic=533 map=68 parent=18 at=356,12 home=356,12
 38 text 0x300   slot=48 font=1 colour=3/4 parent=32 at=200,150 hit=230,409,276,301
)layout";

static const char kScreen19[] = R"layout(
# screen 19: car shop
  0 root 0x820   slot=2
  1 pic  0x2460  pic=31 map=4 at=-500,8 home=160,8
  2 text 0x320   slot=126 font=0 colour=5/0 parent=1 at=160,2
  3 pic  0x2460  pic=516 map=43 at=-500,66 home=224,66
  4 pic  0x2460  pic=6 at=-1000,306 home=16,306
  5 pic  0x2460  pic=517 at=2140,66 home=224,66
  6 pic  0x2460  pic=6 at=1140,306 home=372,306 to=@5
  7 pic  0x2460  pic=5 map=2 at=-1000,412 home=16,412
  8 pic  0x2440  pic=1 map=2 at=-1500,66 home=16,66      # no heading over the tabs: not shown
  9 pic  0x460   pic=1 map=2 at=16,100 home=16,100       # the five category tabs, 9-13; the
 10 pic  0x460   pic=1 map=2 at=16,134 home=16,134       # lit one has its twin, 54-58, over it
 11 pic  0x460   pic=1 map=2 at=16,168 home=16,168       # with its own label and count
 12 pic  0x460   pic=1 map=2 at=16,202 home=16,202
 13 pic  0x460   pic=1 map=2 at=16,236 home=16,236
 14 pic  0x2460  pic=5 map=2 at=-1500,412 home=220,412
 15 pic  0x2460  pic=5 map=2 at=1140,412 home=424,412
 16 pic  0x2440  pic=5 map=2 at=-1000,446 home=16,446    # no button of their own (16, 17):
 17 pic  0x2440  pic=5 map=2 at=2140,446 home=424,446 to=@5   # not shown
 18 pic  0x2460  pic=13 map=37 at=-500,252 home=224,252
 19 text 0x240   slot=124 font=2 colour=4/0 at=530,290    # the price has its row in the panel
 20 pic  0x2460  pic=21 map=11 at=2140,66 home=476,66
 21 pic  0x2460  pic=21 map=11 at=1140,102 home=476,102
 22 pic  0x460   pic=20 map=10 at=520,140 home=520,140
 23 pic  0x460   pic=20 map=10 at=520,174 home=520,174
 24 text 0x320   slot=609 font=2 colour=4/0 parent=4 at=62,32    # the labels of the car values
 25 text 0x320   slot=123 font=2 colour=4/0 parent=20 at=80,6
 26 text 0x320   slot=140 font=2 colour=4/0 parent=6 at=140,32
 27 text 0x339   slot=146 font=1 colour=3/4 parent=21 at=80,3 hit=480,631,104,130
    link or 0x20 19:27
 28 text 0x339   slot=147 font=1 colour=3/4 parent=22 at=60,3 hit=524,635,142,164
    link or 0x20 19:28
 29 text 0x319   slot=402 font=1 colour=3/4 parent=9 at=100,3 hit=20,211,102,128
    link group:157
    link group:162
    link group:167
    link group:172
 30 text 0x339   slot=399 font=1 colour=3/4 parent=10 at=100,3 hit=20,211,136,162
    link group:158
    link group:163
    link group:168
    link group:173
 31 text 0x339   slot=400 font=1 colour=3/4 parent=11 at=100,3 hit=20,211,170,196
    link group:159
    link group:164
    link group:169
    link group:174
 32 text 0x339   slot=405 font=1 colour=3/4 parent=12 at=100,3 hit=20,211,204,230
    link group:160
    link group:165
    link group:170
    link group:175
 33 text 0x339   slot=401 font=1 colour=3/4 parent=13 at=100,3 hit=20,211,238,264
    link group:161
    link group:166
    link group:171
    link group:176
 34 text 0x300   slot=155 font=1 colour=5/0 parent=9 at=100,3
 35 text 0x320   slot=156 font=1 colour=5/0 parent=10 at=100,3
 36 text 0x320   slot=157 font=1 colour=5/0 parent=11 at=100,3
 37 text 0x320   slot=158 font=1 colour=5/0 parent=12 at=100,3
 38 text 0x320   slot=159 font=1 colour=5/0 parent=13 at=100,3
 39 text 0x320   slot=610 font=1 colour=4/0 parent=14 at=100,3 hit=224,415,414,440   # buy: on button 14
 40 text 0x321   slot=141 font=1 colour=4/0 parent=15 at=100,3 hit=428,619,414,440   # sell: on button 15
    link group:177
    link group:178
    link group:179
    link group:180
 41 text 0x320   slot=143 font=2 colour=4/0 parent=4 at=62,68
 42 text 0x339   slot=611 font=1 colour=3/4 parent=7 at=100,3 hit=20,211,414,440
    link none                    # the fifth slot leads back: the shop sets it to the
    link none                    # career, the car choice or the closing page
    link none
    link none
    link or 0x20 4:0
 43 text 0x2a0   slot=651 font=1 colour=5/0 parent=20 at=150,6
 44 pic  0x10440 pic=20 map=10 at=520,208 home=520,208   # no list on this screen: its arrows
 45 pic  0x8440  pic=20 map=10 at=520,242 home=520,242   # are not shown
 46 text 0x320   slot=167 font=2 colour=4/0 parent=23 at=60,8    # the name of the car on show
 47 text 0x320   slot=145 font=2 colour=4/0 parent=4 at=62,14
 48 text 0x320   slot=230 font=2 colour=4/0 parent=6 at=140,14
 49 text 0x240   slot=231 font=2 colour=4/0 parent=6 at=12,24     # the price's caption, blank
 50 text 0x240   slot=232 font=2 colour=4/0 parent=6 at=12,38     # the price once, on 53
 51 text 0x320   slot=233 font=2 colour=4/0 parent=4 at=62,50
 52 text 0x320   slot=234 font=2 colour=4/0 parent=6 at=140,50
 53 text 0x2a0   slot=232 font=2 colour=5/0 parent=6 at=248,14
 54 pic  0x460   pic=4 map=2 at=16,100 home=16,100
 55 pic  0x440   pic=4 map=2 at=16,134 home=16,134
 56 pic  0x440   pic=4 map=2 at=16,168 home=16,168
 57 pic  0x440   pic=4 map=2 at=16,202 home=16,202
 58 pic  0x440   pic=4 map=2 at=16,236 home=16,236
 59 text 0x320   slot=151 font=1 colour=4/0 parent=54 at=80,3
 60 text 0x300   slot=148 font=1 colour=4/0 parent=55 at=80,3
 61 text 0x300   slot=149 font=1 colour=4/0 parent=56 at=80,3
 62 text 0x300   slot=154 font=1 colour=4/0 parent=57 at=80,3
 63 text 0x300   slot=150 font=1 colour=4/0 parent=58 at=80,3
 64 text 0x2a0   slot=155 font=2 colour=5/0 parent=54 at=190,7
 65 text 0x280   slot=156 font=2 colour=5/0 parent=55 at=190,7
 66 text 0x280   slot=157 font=2 colour=5/0 parent=56 at=190,7
 67 text 0x280   slot=158 font=2 colour=5/0 parent=57 at=190,7
 68 text 0x280   slot=159 font=2 colour=5/0 parent=58 at=190,7
 69 pic  0x440   pic=11 at=120,128 home=120,128
 70 text 0x300   slot=979 font=1 colour=3/4 parent=69 at=110,150 hit=180,280,276,301
 71 text 0x300   slot=612 font=1 colour=5/0 parent=69 at=200,40
 72 text 0x300   slot=979 font=1 colour=3/4 parent=69 at=290,150 hit=360,460,276,301
 73 text 0x280   slot=230 font=2 colour=5/0 parent=6 at=248,32   # the values of the car on show
 74 text 0x280   slot=231 font=2 colour=5/0 parent=4 at=204,14
 75 text 0x280   slot=232 font=2 colour=5/0 parent=4 at=204,32
 76 text 0x280   slot=233 font=2 colour=5/0 parent=4 at=204,50
 77 text 0x280   slot=233 font=2 colour=5/0 parent=4 at=204,68
 78 text 0x2a0   slot=234 font=2 colour=5/0 parent=6 at=248,50
 79 text 0x300   slot=232 font=2 colour=4/0 parent=4 at=204,86
 80 text 0x300   slot=979 font=1 colour=3/4 parent=69 at=200,150 hit=230,409,276,301
 81 pic  0x440   pic=530 map=67 at=220,200 home=220,200
 82 text 0x320   slot=409 font=2 colour=4/0 parent=81 at=32,12    # the verdict's word on its picture
 83 pic  0x440   pic=533 map=68 parent=69 at=12,12 home=12,12
 84 text 0x300   slot=412 font=2 colour=4/0 parent=81 at=100,34
 85 text 0x300   slot=1010 font=2 colour=4/0 parent=69 at=200,80
)layout";

static const char kScreen20[] = R"layout(
# screen 20: load slot
  0 root 0x800   slot=0
  1 pic  0x2460  pic=31 map=4 at=-1000,8 home=160,8
  2 text 0x320   slot=861 font=0 colour=5/0 parent=1 at=160,2
  3 pic  0x2460  pic=11 map=7 at=-500,72 home=16,72 to=@1
  4 pic  0x2460  pic=12 map=9 at=1640,72 home=424,72
  5 pic  0x2460  pic=5 map=2 at=-1500,342 home=201,342 to=@1
  6 pic  0x2460  pic=5 map=2 at=-500,371 home=264,371 to=@1
  7 pic  0x2460  pic=5 map=2 at=1640,401 home=327,401
  8 pic  0x440   pic=20 map=10 at=20,352 home=20,352         # no text, no click, no use: not shown
  9 pic  0x440   pic=20 map=10 at=20,386 home=20,386
 10 pic  0x440   pic=20 map=10 at=20,420 home=20,420
 11 text 0x339   slot=863 font=1 colour=3/4 parent=5 at=100,3 hit=205,396,344,370
    link or 0x20 20:11
 12 text 0x339   slot=36 font=1 colour=3/4 parent=6 at=100,3 hit=268,459,373,399
    link or 0x20 3:0
 13 text 0x339   slot=98 font=1 colour=3/4 parent=7 at=100,3 hit=331,522,403,429
    link or 0x20 20:13
 14 pic  0x10478 pic=48 map=46 at=388,82 home=388,82 hit=388,411,82,105
 15 pic  0x8479  pic=48 map=46 at=388,230 home=388,230 hit=388,411,230,253
    link or 0x20 20:15
 16 pic  0x460   pic=45 map=51 at=388,108 home=388,108
 17 pic  0x478   pic=46 map=52 at=388,108 home=388,108 hit=388,411,108,131
 18 text 0x260   slot=865 font=1 colour=4/0 parent=4 at=12,80
 19 text 0x260   slot=867 font=1 colour=4/0 parent=4 at=12,124
 20 text 0x260   slot=131 font=1 colour=4/0 parent=4 at=12,102
 21 text 0x240   slot=866 font=1 colour=4/0 parent=4 at=12,80
 22 text 0x2a0   slot=780 font=1 colour=5/0 parent=4 at=188,80
 23 text 0x2a0   slot=781 font=1 colour=5/0 parent=4 at=188,102
 24 text 0x2a0   slot=782 font=1 colour=5/0 parent=4 at=188,124
 25 text 0x2a0   slot=783 font=1 colour=5/0 parent=4 at=188,146
 26 text 0x260   slot=931 font=1 colour=4/0 parent=3 at=12,14
 27 text 0x278   slot=640 font=1 colour=3/4 parent=3 at=12,36 hit=22,382,107,127
 28 text 0x278   slot=641 font=1 colour=3/4 parent=3 at=12,58 hit=22,382,129,149
 29 text 0x278   slot=642 font=1 colour=3/4 parent=3 at=12,80 hit=22,382,151,171
 30 text 0x278   slot=643 font=1 colour=3/4 parent=3 at=12,102 hit=22,382,173,193
 31 text 0x278   slot=644 font=1 colour=3/4 parent=3 at=12,124 hit=22,382,195,215
 32 text 0x278   slot=645 font=1 colour=3/4 parent=3 at=12,146 hit=22,382,217,237
 33 pic  0x440   pic=11 at=120,128 home=120,128
 34 text 0x300   slot=728 font=1 colour=3/4 parent=33 at=110,150 hit=180,280,276,301
 35 text 0x300   slot=388 font=1 colour=5/0 parent=33 at=200,40
 36 text 0x300   slot=729 font=1 colour=3/4 parent=33 at=290,150 hit=360,460,276,301
 37 pic  0x440   pic=533 map=68 parent=33 at=12,12 home=12,12
 38 text 0x319   slot=48 font=1 colour=3/4 parent=33 at=200,150 hit=230,409,276,301
    link and-not 0x20 20:33
    link and-not 0x20 20:34
    link and-not 0x20 20:35
    link and-not 0x20 20:36
    link and-not 0x20 20:38
)layout";

static const char kScreen21[] = R"layout(
# screen 21: save slot
  0 root 0x800   slot=0
  1 pic  0x2460  pic=31 map=4 at=-1000,8 home=160,8
  2 text 0x320   slot=862 font=0 colour=5/0 parent=1 at=160,2
  3 pic  0x2460  pic=11 map=7 at=-500,72 home=16,72 to=@1
  4 pic  0x2460  pic=12 map=9 at=1640,72 home=424,72
  5 pic  0x2460  pic=5 map=2 at=-1500,342 home=201,342 to=@1
  6 pic  0x2460  pic=5 map=2 at=-500,371 home=264,371 to=@1
  7 pic  0x440   pic=5 map=2 at=327,401 home=327,401         # no text, no click, no use: not shown
  8 pic  0x440   pic=20 map=10 at=20,352 home=20,352
  9 pic  0x440   pic=20 map=10 at=20,386 home=20,386
 10 pic  0x440   pic=20 map=10 at=20,420 home=20,420
 11 text 0x300   slot=864 font=1 colour=4/0 parent=4 at=62,14
 12 text 0x338   slot=864 font=1 colour=3/4 parent=5 at=100,3 hit=205,396,344,370
 13 text 0x339   slot=36 font=1 colour=3/4 parent=6 at=100,3 hit=268,459,373,399
    link or 0x20 3:0
 14 pic  0x10478 pic=48 map=46 at=388,82 home=388,82 hit=388,411,82,105
 15 pic  0x8478  pic=48 map=46 at=388,230 home=388,230 hit=388,411,230,253
 16 pic  0x460   pic=45 map=51 at=388,108 home=388,108
 17 pic  0x478   pic=46 map=52 at=388,108 home=388,108 hit=388,411,108,131
 18 text 0x260   slot=865 font=1 colour=4/0 parent=4 at=12,102
 19 text 0x260   slot=867 font=1 colour=4/0 parent=4 at=12,146
 20 text 0x260   slot=131 font=1 colour=4/0 parent=4 at=12,124
 21 text 0x240   slot=866 font=1 colour=4/0 parent=4 at=12,102
 22 text 0x2a0   slot=754 font=1 colour=5/0 parent=4 at=188,102
 23 text 0x2a0   slot=651 font=1 colour=5/0 parent=4 at=188,124
 24 text 0x2a0   slot=782 font=1 colour=5/0 parent=4 at=188,146
 25 text 0x2a0   slot=783 font=1 colour=5/0 parent=4 at=188,168
 26 text 0x260   slot=931 font=1 colour=4/0 parent=3 at=12,14
 27 text 0x278   slot=640 font=1 colour=3/4 parent=3 at=12,36 hit=22,382,107,127
 28 text 0x278   slot=641 font=1 colour=3/4 parent=3 at=12,58 hit=22,382,129,149
 29 text 0x278   slot=642 font=1 colour=3/4 parent=3 at=12,80 hit=22,382,151,171
 30 text 0x278   slot=643 font=1 colour=3/4 parent=3 at=12,102 hit=22,382,173,193
 31 text 0x278   slot=644 font=1 colour=3/4 parent=3 at=12,124 hit=22,382,195,215
 32 text 0x278   slot=645 font=1 colour=3/4 parent=3 at=12,146 hit=22,382,217,237
 33 pic  0x440   pic=11 at=120,128 home=120,128
 34 text 0x319   slot=48 font=1 colour=3/4 parent=33 at=200,150 hit=230,409,276,301
    link and-not 0x20 21:33
    link and-not 0x20 21:34
    link and-not 0x20 21:36
 35 pic  0x440   pic=533 map=68 parent=33 at=12,12 home=12,12
 36 text 0x300   slot=1030 font=1 colour=5/0 parent=33 at=200,40
)layout";

static const char kScreen22[] = R"layout(
# screen 22: championship
  0 root 0x820   slot=6
  1 pic  0x2460  pic=31 map=4 at=-500,8 home=160,8
  2 text 0x320   slot=52 font=0 colour=5/0 parent=1 at=160,2
  6 pic  0x2460  pic=5 map=2 at=1140,401 home=327,401
  7 pic  0x2478  pic=527 at=-1000,120 home=200,120 to=@1 hit=200,259,120,155
  8 pic  0x2478  pic=527 at=-1500,180 home=200,180 to=@1 hit=200,259,180,215
  9 pic  0x2478  pic=527 at=-500,240 home=200,240 to=@1 hit=200,259,240,275
 10 pic  0x440   pic=20 map=10 at=20,420 home=20,420         # no text, no click, no use: not shown
 11 text 0x339   slot=130 font=1 colour=3/4 parent=6 at=100,3 hit=331,522,403,429
    link or 0x20 0:0
 12 text 0x338   slot=282 font=1 colour=3/4 parent=7 at=150,6 hit=264,435,122,153
 13 text 0x338   slot=283 font=1 colour=3/4 parent=8 at=150,6 hit=264,435,182,213
 14 text 0x338   slot=284 font=1 colour=3/4 parent=9 at=150,6 hit=264,435,242,273
 15 pic  0x440   pic=11 at=120,278 home=120,278
 16 text 0x319   slot=48 font=1 colour=3/4 parent=15 at=200,80 hit=230,409,356,381
    link and-not 0x20 22:15
    link and-not 0x20 22:16
    link and-not 0x20 22:17
 17 text 0x300   slot=978 font=1 colour=5/0 parent=15 at=200,20
 18 pic  0x440   pic=533 map=68 parent=15 at=360,8 home=360,8
)layout";

const char* const MenuLayoutText[MENU_LAYOUT_SCREENS] = {
    kScreen00, kScreen01, kScreen02, kScreen03, kScreen04, kScreen05,
    kScreen06, kScreen07, kScreen08, kScreen09, kScreen10, kScreen11,
    kScreen12, kScreen13, kScreen14, kScreen15, kScreen16, kScreen17,
    kScreen18, kScreen19, kScreen20, kScreen21, kScreen22,
};
