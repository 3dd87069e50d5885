#include "render/text_printer.h"

void PrintText(int, int, const char*, int, int) {}
