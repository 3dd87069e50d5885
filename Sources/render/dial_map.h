// The dashboard dial and the track map: screen-space quads appended to the
// view's polygon list after its scene, so that both drawing paths draw them
// last with their ordinary polygon walk.  The map also finds every car's
// pixel on it (MapDotPositions), which the HUD draws as dots.
#pragma once

struct PlatDevice;

// The speed the dial shows per track group: trunc(scale x CarSpeed).
extern const float SpeedoScale[8];

// Where the cars lie on a track's map picture: offsets in pixels at the
// normal size and world units per map pixel.
struct MapPlacement {
    int offsetX, offsetY;
    float divisor;
};
MapPlacement TrackMapPlacement(int trackCode);
// The map picture of a track (2044..2058), 0 for none; the texture loading
// loads the same one.
int TrackMapTexture(int trackCode, int trackGroup);

// One triangle of screen points with q 2.0 and light 0: second 0 gives it
// the uv of a quad's first triangle, any other value the second's.  Its pair
// goes to the end of TextureSortPairs.  Returns the cursor after it (the
// same cursor when the list is full).
int AddOverlayTriangle(int cursor, int slot, int second, float x0, float y0, float x1, float y1, float x2, float y2,
                       int mode);
// The dial of local view 0 or 1 in the bottom-right corner of its part of
// the screen: 16 triangles, 22 on the jump events.
int DrawDashboardDial(int view, int cursor);
// The map in the bottom-left corner and the cars' dots; the device is not
// read.
int DrawTrackMap(PlatDevice* device, int cursor);
