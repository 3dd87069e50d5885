// Render lookup tables: reciprocals and the colour ramps.
#pragma once

void BuildReciprocalTable();
void BuildColourRamp(int red, int green, int blue);
