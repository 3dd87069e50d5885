// The developer's overview viewer: a free top-down camera over the loaded
// scene (nothing in the game opens it).
#pragma once

struct PlatSurface;

// The camera's plan point (world units) and its mode (1: panning by 1000
// units a call, else by 80).
extern int DebugViewerX, DebugViewerZ;
extern int DebugViewerFast;

// One call: car 0's direction controls pan the camera (the turbo control
// switches the mode, pausing 200 ms so that one press switches once), then
// every triangle of the pools is drawn into the 16-bit surface from above,
// turned by the view's camera heading: outlined while Wireframe is 0, else
// filled; with HiddenFacesOn the triangles facing down are left out.
void DebugOverviewViewer(PlatSurface* surface);
