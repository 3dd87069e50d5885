// The wrong-way warning.
#pragma once

struct PlatSurface;

void CheckWrongWay(PlatSurface* surface);
