#include "render/lookup_tables.h"

void BuildReciprocalTable() {}
void BuildColourRamp(int, int, int) {}
