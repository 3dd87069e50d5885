// Render lookup tables: reciprocals, the colour ramps, the darkening tables
// of the software path and the 64 KB alignment of its texture areas.
#pragma once

void BuildReciprocalTable();
void BuildColourRamp(int red, int green, int blue);
void BuildDarkenTableStrong();
void BuildDarkenTableWeak();

// The first 64 KB boundary at or after the buffer's start (null stays null).
unsigned char* AlignBufferTo64K(unsigned char* buffer);
