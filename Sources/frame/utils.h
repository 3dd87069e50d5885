// Work buffers, the pixel format, screenshots and small utilities.
#pragma once

struct PlatSurface;

void AllocWorkBuffers();
void FreeWorkBuffers();
void ReadPixelFormat(PlatSurface* surface);
// Writes the surface as an uncompressed true-colour TGA; 1 on success.
int SaveScreenshotTga(const char* path, PlatSurface* surface);
