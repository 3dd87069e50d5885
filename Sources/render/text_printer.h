// The text printer and the bitmap fonts.
#pragma once

enum { ALIGN_LEFT = 0, ALIGN_CENTRE = 1, ALIGN_RIGHT = 2 };

// Prints at 640 x 480 layout coordinates in one of five fonts.
void PrintText(int x, int y, const char* text, int font, int align);
