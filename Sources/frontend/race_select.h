// Race selection and race start.
#pragma once

void PrepareRace();
void ShowWorldPreview();
