// The objects of a track folder beside its world: sky, sprites, backdrop,
// the group's spinning scenery, water, and the arena events' props, cars,
// lights, can and ramp.
#pragma once

struct MkSceneryPlace {
    float centreX, centreZ;        // the middle of the track (the backdrop rings it)
    float groundY;
    float waterX0, waterZ0, waterX1, waterZ1;   // the water's surface (group 7)
};

// Writes every object the track's model set loads into the current
// AssetFolder (the track folder of `code`).
bool MkWriteScenery(int code, const MkSceneryPlace& place);
