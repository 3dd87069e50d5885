// The developer track editors.
#pragma once

struct PlatSurface;

void RunZoneEditor(PlatSurface* surface);
void RunCollisionEditor(PlatSurface* surface);
void RunCpuLineEditor(PlatSurface* surface);
void RunEditorMenu(PlatSurface* surface);
void RunLightEditor(PlatSurface* surface);
void DrawLightCursor(PlatSurface* surface);
void DrawEditorInfo(PlatSurface* surface);
