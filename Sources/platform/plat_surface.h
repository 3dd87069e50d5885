// Platform layer: 2D surfaces (the DirectDraw stand-in) and the 3D device.
// The surfaces and the device are built with the display; until then the
// game only passes these handles around.
#pragma once

struct PlatSurface;
struct PlatDevice;
