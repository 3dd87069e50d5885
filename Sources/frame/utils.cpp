#include "frame/utils.h"

void AllocWorkBuffers() {}
void FreeWorkBuffers() {}
void ReadPixelFormat(PlatSurface*) {}
int SaveScreenshotTga(const char*, PlatSurface*) { return 0; }
