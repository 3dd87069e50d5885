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

// The editors' progress sounds: a click on a tool change and after each row
// of a height-grid build; the system beep after each collision-grid row.
void EditorClickSound();
void EditorBeep();
