// One menu frame.
#pragma once

struct PlatSurface;
struct PlatDevice;
struct RectI;

void RunMenuFrame(PlatSurface* renderTarget, PlatDevice* device, int viewport, const RectI* screenRect);
