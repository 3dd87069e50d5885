// The sample tracks' pictures: each group's textures in its common artwork
// folder, a sky picture per art set, the event textures and the track maps.
#pragma once

// The texture numbers a group's worlds and scenery are made of.
struct MkGroupTextures {
    int road, verge, wall, bendWall, finish;
    int hills, forest, skyDome, skyHaze;
    int crate;          // the spinning scenery
    int roof;           // a tunnel's ceiling
    int ramp;           // a jump's ramp and the landing's marks
};
const MkGroupTextures& MkTexturesOf(int group);

// The event props, arena cars, lights and can of groups 5 and 7 (codes 78
// and 79 show the can and the lights too).
enum MkEventTexture {
    TEX_POLE_RED = 53,
    TEX_POLE_BLUE = 54,
    TEX_CONE_BLUE = 55,
    TEX_CONE_RED = 56,
    TEX_TARGET = 57,
    TEX_BAR_RED = 58,
    TEX_BAR_YELLOW = 59,
    TEX_ARENA_CAR = 60,
    TEX_ARENA_CAR_ALT = 61,
    TEX_LIGHT_TOWER = 62,
    TEX_CAN = 63,
    TEX_ARENA_RAMP = 64,
    TEX_ZEPPELIN = 66,
    TEX_WATER = 2020,     // the water is drawn with this texture whatever its triangles say
    TEX_CONFETTI = 2013,
    TEX_SPRITE = 2012,
};

// Every picture of the group's common folder.
bool MkWriteGroupArt(int group);
// The sky picture of one art set (track code's variant).
bool MkWriteArtSet(int group, int variant);
// A track map (texture 2044..2058) of the guide line of the loaded track,
// as the map places cars: pixel (x / D + 2 + ox, 126 - z / D + oy).
bool MkWriteTrackMap(int number, float divisor, int offsetX, int offsetY);
