// Built-in scene point tables and the crowd points.
//
// Some placement data of the tracks lives in the program rather than in the
// track files: the dust, lamp and glow points, the can, and the spectator
// points the crowd sound plays from.
#pragma once

// The scenery tables of the current track group; also sets CurrentCar to 0
// and car 0's speed to 0.1.
void FillPositionTables();
// The crowd points and skid thresholds of the current track group.
void SetCrowdPoints();
