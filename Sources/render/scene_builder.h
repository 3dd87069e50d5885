// The per-view scene builder: sets up the view's camera, walks the race's
// objects group by group in a fixed order, places each with the render
// matrix and hands it to its drawer.  Leaves PolygonList and the sort lists
// ready for a back end and returns the cursor after the last polygon.
#pragma once

// view: 0 or 1 in split screen, else the followed car.  In the menus the
// showroom car is built instead.
int BuildScene(int cursor, int view);

// The world sections visible from the zone that holds the view's car.
int DrawWorldSections(int cursor, int world, float eyeX, float eyeY, float eyeZ, int view);
