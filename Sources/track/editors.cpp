#include "track/editors.h"

void RunZoneEditor(PlatSurface*) {}
void RunCollisionEditor(PlatSurface*) {}
void RunCpuLineEditor(PlatSurface*) {}
void RunEditorMenu(PlatSurface*) {}
void RunLightEditor(PlatSurface*) {}
void DrawLightCursor(PlatSurface*) {}
void DrawEditorInfo(PlatSurface*) {}
void EditorClickSound() {}
void EditorBeep() {}
