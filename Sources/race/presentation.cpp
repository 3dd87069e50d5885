#include "race/presentation.h"

void UpdatePresentationCamera() {}
void DrawPresentationText(PlatSurface*) {}
