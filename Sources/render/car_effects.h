// Car effects drawing.  Only the wheels are built so far: the lamp glows
// and the particle sprites belong to the Direct3D path.
#pragma once

// Every car's four wheels for view v, each lit by a light vector turned into
// its spin; their pairs end up sorted by texture.
int DrawCarWheels(int cursor, int view);

// OwnCarVisible, LookBack and ViewMode have an entry per local player; a
// car or view above 1 is treated as visible, not looking back, view mode 0.
int OwnCarVisibleOf(int index);
int LookBackOf(int index);
int ViewModeOf(int index);
