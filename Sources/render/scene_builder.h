// The per-view scene builder.
#pragma once

void BuildScene(int view, int flags);
