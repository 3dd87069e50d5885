// Car effects drawing: the wheels of every car, the lamp glows and the
// particle sprites, each at its fixed step of the scene builder.  Every step
// takes the polygon cursor and returns it advanced.
#pragma once

// Every car's four wheels for view v, each lit by a light vector turned into
// its spin; their pairs end up sorted by texture.
int DrawCarWheels(int cursor, int view);

// OwnCarVisible, LookBack and ViewMode have an entry per local player; a
// car or view above 1 is treated as visible, not looking back, view mode 0.
int OwnCarVisibleOf(int index);
int LookBackOf(int index);
int ViewModeOf(int index);

// The headlamp glows of every car with lamps (texture 1831), seen from view
// v; lit tracks and cars in a lamp zone on the Direct3D path.
int DrawHeadlampGlows(int cursor, int* translucent, int view);
// The particle sprites of view v: smoke, sparks and rain as triangles of
// their own, impacts (and the arena's smoke) as sprite objects, wheel dust
// as translucent balls (which sets *translucent when it emits).
int DrawParticleSprites(int cursor, int* translucent, int view);
// The rear lamp glows (texture 1823): red, bright while braking, grey while
// reversing.
int DrawRearLampGlows(int cursor, int* translucent, int view);
// The scene's sprite pools, aged as they are drawn: the arena's ground
// sprites and the jump events' turbo sprites behind the view's car.  Each
// sets *translucent when it emits.
int DrawArenaSprites(int cursor, int* translucent, int view);
int DrawJumpSparks(int cursor, int* translucent, int view);

// The lamp point of each car model's left headlamp (x 0: no headlamps) and
// its pitch tilt; the right lamp mirrors x.
struct HeadlampRow {
    float x, y, z, tilt;
};
extern const HeadlampRow HeadlampTable[18];
// The three cycle counters of the particle sprites.
extern int SpriteCycle;          // 0..2: which smoke or spark texture
extern int ImpactSpriteCycle;    // 1820..1822
extern int SpritePhase;          // 0..3: smoke sprites advance in phase 0
