// The presentation fly-by.
#pragma once

struct PlatSurface;

void UpdatePresentationCamera();
void DrawPresentationText(PlatSurface* surface);
